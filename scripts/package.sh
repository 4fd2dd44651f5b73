#!/usr/bin/env bash
# The package command: Release builds of the shipped 32-bit programs and of
# the 64-bit ones (the build that runs here), stripped, and in dist/:
#   Lumbra-Setup-<version>-win32.exe, Lumbra-Setup-<version>-win64.exe
#   Lumbra-Update-<version>.zip (32-bit), Lumbra-Update-<version>-win64.zip
#   SHA256SUMS
# Then it tests the 64-bit packages under Wine on a fresh prefix and prints
# the program sizes and "N passed, M failed". The test builds in build/host,
# build/win64 and build/win32 are left alone.
set -uo pipefail
. "$(dirname "$0")/common.sh"

DIST=$ROOT/dist
VERSION=$(sed -n 's/^#define LUMBRA_VERSION \([0-9,]*\)$/\1/p' "$ROOT/resources/Version.h" | tr , .)
# Stripped i686 programs may not grow past these.
LUMBRA_LIMIT=$((448 * 1024))
UPDATE_LIMIT=$((150 * 1024))

# build_release NAME TOOLCHAIN TARGET...: a Release build in build/release-NAME.
build_release() {
  local name=$1 toolchain=$2 dir=$BUILD/release-$1 log=$BUILD/release-$1-build.log
  shift 2
  echo "== release build $name"
  cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain" >"$log" 2>&1 &&
    cmake --build "$dir" -j "$JOBS" --target "$@" >>"$log" 2>&1 || { tail -n 60 "$log"; return 1; }
}

# make_packages NAME ZIP_SUFFIX: the setup and the update package of one build.
make_packages() {
  local name=$1 suffix=$2 dir=$BUILD/release-$1
  local stage=$dir/package
  rm -rf "$stage" && mkdir -p "$stage/update" || return 1
  # The setup's sample suite, one line per file it may install.
  local file
  for file in "$dir"/samples/AppInfo/*.dll "$dir"/samples/MenuSwf/*; do
    printf '${SAMPLE} "%s" "%s"\n' "$(basename "$(dirname "$file")")" "$(basename "$file")"
  done >"$stage/samples.nsh"
  echo "== setup $name"
  makensis -V2 -DVERSION="$VERSION" -DARCH="$name" -DBIN="$dir/bin" -DSAMPLES="$dir/samples" \
    -DSAMPLE_LIST="$stage/samples.nsh" -DICON="$dir/art/Lumbra.ico" \
    -DOUTFILE="$DIST/Lumbra-Setup-$VERSION-$name.exe" "$ROOT/installer/Lumbra.nsi" >"$stage/makensis.log" 2>&1 ||
    { cat "$stage/makensis.log"; return 1; }
  # This release is a 1.7 build, so it is the data file for minor 7 only:
  # the updater replaces installed 1.7 builds older than 050401 with it.
  echo "== update package $name"
  cp "$dir/bin/Update.exe" "$stage/update/Update.exe" &&
    cp "$dir/bin/Lumbra.exe" "$stage/update/data7.dat" &&
    (cd "$stage/update" && zip -q -X "$DIST/Lumbra-Update-$VERSION$suffix.zip" Update.exe data7.dat)
}

# size_line NAME: the stripped programs' sizes of one build.
size_line() {
  local dir=$BUILD/release-$1/bin f line="   $1 "
  for f in Lumbra.exe Lumbra.dll Update.exe; do
    line+=" $f $(stat -c %s "$dir/$f") bytes,"
  done
  echo "${line%,}"
}

mkdir -p "$BUILD"
install_missing_packages $RELEASE_PACKAGES || { echo "0 passed, 1 failed"; exit 1; }

failed=0
shipped="Lumbra Update LumbraLibrary samples"
build_release win32 mingw-w64-i686.cmake $shipped || failed=1
# The 64-bit build also makes what its tests need.
build_release win64 mingw-w64-x86_64.cmake $shipped PackageProbe OlderLumbra || failed=1
if [ $failed -ne 0 ]; then
  echo "0 passed, 1 failed"
  exit 1
fi

rm -rf "$DIST" && mkdir -p "$DIST"
make_packages win32 "" && make_packages win64 -win64 || { echo "0 passed, 1 failed"; exit 1; }
(cd "$DIST" && sha256sum Lumbra-* >SHA256SUMS)

echo "== sizes (stripped)"
size_line win32
size_line win64
echo "== dist"
(cd "$DIST" && ls -l Lumbra-* SHA256SUMS | awk '{printf "   %-44s %9d bytes\n", $9, $5}')

. "$ROOT/scripts/package-tests.sh"
size_within() {
  [ "$(stat -c %s "$BUILD/release-win32/bin/$1")" -le "$2" ]
}
check "i686 Lumbra.exe is at most 448 KB" size_within Lumbra.exe $LUMBRA_LIMIT
check "i686 Update.exe is at most 150 KB" size_within Update.exe $UPDATE_LIMIT
run_package_tests "$BUILD/release-win64" "$DIST/Lumbra-Setup-$VERSION-win64.exe" \
  "$DIST/Lumbra-Update-$VERSION-win64.zip"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
