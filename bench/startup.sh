#!/usr/bin/env bash
# Start-up benchmark of the real menu under Wine, for N installed plug-ins
# (copies of a sample plug-in): process start until the menu window is
# visible and painted, and until its built list holds every row, at a first
# start (every entry new) and a second start (order stored, focus on the last
# used entry), against a bare window program started the same way and
# against the floor of the design (every plug-in loaded, asked for its record
# and freed, twice).
#
#   bench/startup.sh            counts 0 10 100 1000, 7 rounds
#   COUNTS="0 10" ROUNDS=3 bench/startup.sh
set -euo pipefail
. "$(dirname "$0")/../scripts/common.sh"
. "$ROOT/scripts/wine-env.sh"

COUNTS=${COUNTS:-"0 10 100 1000"}
ROUNDS=${ROUNDS:-7}
mkdir -p "$BUILD"
install_missing_packages
configure_and_build win64 mingw-w64-x86_64.cmake

PREFIX=$BUILD/bench/prefix
[ -n "${DISPLAY:-}" ] && timeout 5 xdotool getmouselocation >/dev/null 2>&1 || start_private_xvfb
if [ ! -f "$PREFIX/system.reg" ]; then
  wine_fresh_prefix "$PREFIX" >/dev/null
else
  wine_use_prefix "$PREFIX"
  "$WINESERVER64" -p60 2>/dev/null || true  # already running is fine
fi

suite="$PREFIX/drive_c/Program Files/Orva Corporation"
program="$suite/Orva Dereze"
appinfo="$suite/Nembo Dereze/AppInfo"
mkdir -p "$program" "$appinfo" "$suite/Nembo Dereze/MenuSwf"
cp "$BUILD/win64/bin/Lumbra.exe" "$BUILD/win64/bin/Lumbra.dll" "$program/"
# Stripped as it ships: its debugging information alone costs a start 15 ms.
x86_64-w64-mingw32-strip "$program/Lumbra.exe"
cp "$BUILD/win64/samples/MenuSwf/"* "$suite/Nembo Dereze/MenuSwf/"
bench_bin=$BUILD/win64/bench
launch() { (cd "$bench_bin" && "$WINE64" startup_launcher.exe "$@" 2>/dev/null | tr -d '\r'); }
menu='C:\Program Files\Orva Corporation\Orva Dereze\Lumbra.exe'

# Rounds are interleaved (bare, first, second, floor, then again) so that a
# busy machine slows every column alike.
declare -A bare window first second floor
once() { launch "$@" | cut -d' ' -f1; }
for n in $COUNTS; do
  rm -f "$appinfo"/*.dll
  for i in $(seq 1 "$n"); do
    cp "$BUILD/win64/samples/AppInfo/Orva_PhotoViewer_01.dll" "$appinfo/Orva_Bench_$(printf %04d "$i").dll"
  done
  for _ in $(seq 1 "$ROUNDS"); do
    bare[$n]+="$(once window "Bare Window" 1 -1 "$(wine_path "$bench_bin/bare_window.exe")") "
    window[$n]+="$(once window "Imagora Menu" 1 -1 "$menu") "
    first[$n]+="$(once window "Imagora Menu" 1 "$n" --fresh-order "$menu") "
    second[$n]+="$(once window "Imagora Menu" 1 "$n" --last-use Orva_Bench_0001.dll "$menu") "
    floor[$n]+="$(once floor 1 'C:\Program Files\Orva Corporation\Nembo Dereze\AppInfo') "
  done
  echo "measured $n plug-ins" >&2
done
wine_stop_server "$PREFIX"
stop_private_xvfb

# Table of best times (median in brackets); "window" is the menu's first
# painted window against the bare one, costs are best full-list times above
# the empty menu's, compared with the floor of the same plug-ins.
python3 - "$COUNTS" <<PY
import sys
counts = [int(c) for c in sys.argv[1].split()]
def pair(s): t = sorted(float(x) for x in s.split()); return t[0], t[len(t) // 2]
bare = {$(for n in $COUNTS; do printf '%s: pair("%s"), ' "$n" "${bare[$n]}"; done)}
window = {$(for n in $COUNTS; do printf '%s: pair("%s"), ' "$n" "${window[$n]}"; done)}
first = {$(for n in $COUNTS; do printf '%s: pair("%s"), ' "$n" "${first[$n]}"; done)}
second = {$(for n in $COUNTS; do printf '%s: pair("%s"), ' "$n" "${second[$n]}"; done)}
floor = {$(for n in $COUNTS; do printf '%s: pair("%s"), ' "$n" "${floor[$n]}"; done)}
print(f"{'plug-ins':>8} {'bare ms':>14} {'window ms':>14} {'/bare':>6} {'full list 1st':>16} {'2nd start':>16} "
      f"{'floor ms':>9} {'cost/floor 1st':>15} {'2nd':>5}")
for n in counts:
    f0, s0 = first[counts[0]][0], second[counts[0]][0]
    ratio = lambda t, base: f"{(t - base) / floor[n][0]:.2f}" if n and floor[n][0] > 0 else "-"
    print(f"{n:>8} {bare[n][0]:>7.1f} ({bare[n][1]:>5.1f}) {window[n][0]:>7.1f} ({window[n][1]:>5.1f}) "
          f"{window[n][0] / bare[n][0]:>6.2f} {first[n][0]:>8.1f} ({first[n][1]:>6.1f}) "
          f"{second[n][0]:>8.1f} ({second[n][1]:>6.1f}) {floor[n][0]:>9.1f} "
          f"{ratio(first[n][0], f0):>15} {ratio(second[n][0], s0):>5}")
if 100 in counts and 1000 in counts and 0 in counts:
    for name, t in (("first", first), ("second", second)):
        c100, c1000 = t[100][0] - t[0][0], t[1000][0] - t[0][0]
        print(f"cost(1000)/cost(100), {name} start: {c1000 / c100:.2f}")
PY
