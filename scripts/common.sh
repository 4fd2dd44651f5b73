# Sourced by test.sh and run.sh: package installation and the three builds.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LUMBRA_BUILD:-$ROOT/build}
JOBS=$(nproc 2>/dev/null || echo 2)

# clang-format: the layout check of the sources; libexpat1-dev: the strict XML
# reader of the tests; clang-14 and libclang-rt-14-dev (libFuzzer and the
# sanitizer runtimes): the fuzz targets.
PACKAGES="cmake g++ make googletest g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth xdotool
imagemagick fonts-dejavu-core fonts-ipafont-gothic fonts-wine libexpat1-dev clang-14 libclang-rt-14-dev locales
clang-format"

# The package command's own needs: the installer compiler and zip.
RELEASE_PACKAGES="nsis zip unzip"

# Installs the Debian packages that are missing, PACKAGES and any given
# (never adds the i386 architecture: 32-bit programs cannot run here).
install_missing_packages() {
  local missing=() p
  for p in $PACKAGES "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Wine takes its ANSI code page from the Unix locale: the Japanese one must
# exist for the code page 932 runs, or Wine silently falls back to 1252.
ensure_japanese_locale() {
  locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' && return 0
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

# configure_and_build NAME [toolchain file]
configure_and_build() {
  local name=$1 toolchain=${2:-} dir=$BUILD/$1
  local args=(-S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  [ -n "$toolchain" ] && args+=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain")
  echo "== build $name"
  cmake "${args[@]}" >"$BUILD/$name-configure.log" 2>&1 || { cat "$BUILD/$name-configure.log"; return 1; }
  cmake --build "$dir" -j "$JOBS" >"$BUILD/$name-build.log" 2>&1 || { tail -n 60 "$BUILD/$name-build.log"; return 1; }
}

# The tracked C and C++ sources laid out as .clang-format says; names the
# files that are not, and fails when there is one.
check_format() {
  local bad
  bad=$(cd "$ROOT" && git ls-files -- '*.c' '*.cpp' '*.h' | while read -r f; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"
  done)
  [ -z "$bad" ] && return 0
  echo "   not laid out as .clang-format says (clang-format -i FILE):"
  sed 's/^/     /' <<<"$bad"
  return 1
}
