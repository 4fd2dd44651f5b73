#!/usr/bin/env bash
# Builds the fuzz targets of the pure rules (clang, libFuzzer, ASan and UBSan,
# in build/fuzz) and runs each for the given seconds (default 60) on a copy
# of its seed corpus in tests/fuzz/corpus. Prints one line per target and
# fails when a target finds an input that breaks it; that input is kept in
# build/fuzz/findings/<target>/.
#   scripts/fuzz.sh [seconds] [target...]
set -uo pipefail
. "$(dirname "$0")/common.sh"

seconds=${1:-60}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(app_entry_rules entry_order menu_document version_rules app_path_text one_int_format plugin_journal)
dir=$BUILD/fuzz

mkdir -p "$BUILD"
install_missing_packages || exit 1
if ! { CC=clang-14 CXX=clang++-14 cmake -S "$ROOT" -B "$dir" -DLUMBRA_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
  cmake --build "$dir" -j "$JOBS"; } >"$BUILD/fuzz-build.log" 2>&1; then
  tail -n 40 "$BUILD/fuzz-build.log"
  echo "fuzz build failed"
  exit 1
fi

failed=0
for target in "${targets[@]}"; do
  work=$dir/corpus/$target findings=$dir/findings/$target log=$dir/$target.log
  rm -rf "$work" && mkdir -p "$work" "$findings"
  cp "$ROOT/tests/fuzz/corpus/$target/"* "$work/"
  "$dir/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$findings/" \
    "$work" >"$log" 2>&1
  status=$?
  stats=$(grep -E '^#[0-9]+' "$log" | tail -n 1 |
    sed -E 's/^#([0-9]+).* cov: ([0-9]+) ft: ([0-9]+) corp: ([0-9]+).*/\1 runs, cov \2, ft \3, corpus \4/')
  if [ $status -eq 0 ]; then
    echo "passed  $target ($seconds s: $stats)"
  else
    failed=1
    echo "FAILED  $target ($stats): $(grep -m1 -E 'Assertion|ERROR:|runtime error' "$log")"
    echo "        input kept in $findings, log in $log"
  fi
done
exit $failed
