#!/usr/bin/env bash
# The test command: installs what is missing, builds host, win64 and win32,
# checks the sources' layout, runs the unit tests natively, each fuzz target
# for 20 s, and the win and e2e layers under Wine (each on a fresh private
# prefix, on a private Xvfb), the scale tests again at 120, 144 and 192 DPI,
# and prints "N passed, M failed".
set -uo pipefail
. "$(dirname "$0")/common.sh"
. "$ROOT/scripts/wine-env.sh"

passed=0
failed=0

# run_layer NAME BUILD_DIR LABEL: runs one ctest label and adds up its counts.
run_layer() {
  local name=$1 dir=$2 label=$3 log=$BUILD/$1-tests.log
  shift 3
  echo "== tests: $name"
  ctest --test-dir "$dir" -L "$label" "$@" --output-on-failure --timeout 300 >"$log" 2>&1
  local line
  line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    tail -n 40 "$log"
    echo "   no test results for $name"
    failed=$((failed + 1))
    return
  fi
  local f t
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  if [ "$t" -eq 0 ]; then
    echo "   no tests ran for $name"
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + t - f))
  failed=$((failed + f))
  [ "$f" -gt 0 ] && grep -E '^\s*[0-9]+ - |\(Failed\)|\(Timeout\)|Failure|Expected|Which is|Value of|Actual|hung|wine: |Unhandled|exit code' "$log" | head -n 80
  echo "   $line"
}

mkdir -p "$BUILD"
install_missing_packages || { echo "0 passed, 1 failed"; exit 1; }

builds_ok=1
configure_and_build host || builds_ok=0
configure_and_build win64 mingw-w64-x86_64.cmake || builds_ok=0
configure_and_build win32 mingw-w64-i686.cmake || builds_ok=0
[ $builds_ok -eq 1 ] || failed=$((failed + 1))
echo "== format"
if check_format; then passed=$((passed + 1)); else failed=$((failed + 1)); fi

[ -x "$BUILD/host/tests/unit/unit_tests" ] && run_layer unit "$BUILD/host" unit

# Each fuzz target runs 20 s on its seed corpus and counts as one test.
echo "== fuzz: 20 s per target"
"$ROOT/scripts/fuzz.sh" 20 >"$BUILD/fuzz-tests.log" 2>&1
sed -n 's/^/   /p' "$BUILD/fuzz-tests.log" | grep -E '^   (passed|FAILED|fuzz build|        input)'
fuzz_passed=$(grep -c '^passed ' "$BUILD/fuzz-tests.log")
fuzz_failed=$(grep -c '^FAILED ' "$BUILD/fuzz-tests.log")
[ $((fuzz_passed + fuzz_failed)) -eq 0 ] && fuzz_failed=1
passed=$((passed + fuzz_passed))
failed=$((failed + fuzz_failed))

if [ -d "$BUILD/win64/bin" ]; then
  start_private_xvfb || failed=$((failed + 1))
  for layer in win e2e; do
    prefix=$BUILD/win64/prefix-$layer
    echo "== fresh Wine prefix for $layer"
    wine_fresh_prefix "$prefix"
    run_layer "$layer" "$BUILD/win64" "$layer"
    wine_stop_server "$prefix"
  done
  # Once more on a Japanese system (code page 932): the end-to-end layer and
  # the skin font's face.
  if ensure_japanese_locale; then
    prefix=$BUILD/win64/prefix-ja
    echo "== fresh Wine prefix for code page 932"
    LANG=ja_JP.UTF-8 wine_fresh_prefix "$prefix"
    LANG=ja_JP.UTF-8 run_layer e2e-932 "$BUILD/win64" e2e
    LANG=ja_JP.UTF-8 run_layer win-932 "$BUILD/win64" win -R SkinFont
    wine_stop_server "$prefix"
  else
    echo "   no Japanese locale"
    failed=$((failed + 1))
  fi
  # The display scales: the scale tests again on a fresh prefix at 120, 144
  # and 192 DPI (96 ran with the win layer).
  for dpi in 120 144 192; do
    prefix=$BUILD/win64/prefix-dpi$dpi
    echo "== fresh Wine prefix at $dpi DPI"
    wine_fresh_prefix "$prefix" "$dpi"
    run_layer "win-$dpi-dpi" "$BUILD/win64" win -R '^Scale\.'
    wine_stop_server "$prefix"
  done
  stop_private_xvfb
fi

# The test share: non-blank, non-comment lines of the tracked C, C++ and
# resource files under tests/ against all of them, to one decimal.
count() { git ls-files -- "$@" | grep -E '\.(c|cc|cpp|h|hpp|rc)$' | xargs -r cat | grep -c -v -E '^\s*(//.*)?$'; }
t=$(cd "$ROOT" && count tests); a=$(cd "$ROOT" && count .)
echo "$passed passed, $failed failed; tests are $(awk -v t="$t" -v a="$a" 'BEGIN { printf "%.1f", 100 * t / a }') % of the source lines ($t of $a)"
[ "$failed" -eq 0 ]
