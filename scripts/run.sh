#!/usr/bin/env bash
# Runs the menu as a user would have it installed, in a private Wine prefix
# under build/demo. With a display the menu opens there; without one a
# private Xvfb is started and a screenshot of the menu is saved.
#
#   scripts/run.sh [--extra N]   (or LUMBRA_EXTRA_ENTRIES=N scripts/run.sh)
#
# --extra N installs N more copies of a sample plug-in, to look at a long menu.
# LUMBRA_DPI=144 (or 120, 192) shows it at that display scale; the demo prefix
# keeps the scale until it is set again.
set -euo pipefail
extra=${LUMBRA_EXTRA_ENTRIES:-0}
if [ "${1:-}" = "--extra" ]; then
  extra=${2:?--extra needs a number}
fi
case "$extra" in ''|*[!0-9]*) echo "--extra needs a number" >&2; exit 2 ;; esac
. "$(dirname "$0")/common.sh"
. "$ROOT/scripts/wine-env.sh"

mkdir -p "$BUILD"
install_missing_packages
configure_and_build win64 mingw-w64-x86_64.cmake

DEMO=$BUILD/demo
PREFIX=$DEMO/prefix
headless=0
if [ -z "${DISPLAY:-}" ] || ! timeout 5 xdotool getmouselocation >/dev/null 2>&1; then
  headless=1
  start_private_xvfb
fi

if [ ! -f "$PREFIX/system.reg" ]; then
  echo "== preparing the Wine prefix"
  wine_fresh_prefix "$PREFIX"
else
  wine_use_prefix "$PREFIX"
  "$WINESERVER64" -p60
fi
if [ -n "${LUMBRA_DPI:-}" ]; then wine_set_dpi "$PREFIX" "$LUMBRA_DPI"; fi

# The installed layout: the program and its resource library in one folder,
# the shared AppInfo and MenuSwf folders of the suite beside it.
suite="$PREFIX/drive_c/Program Files/Orva Corporation"
program="$suite/Orva Dereze"
mkdir -p "$program" "$suite/Nembo Dereze/AppInfo" "$suite/Nembo Dereze/MenuSwf"
cp "$BUILD/win64/bin/Lumbra.exe" "$BUILD/win64/bin/Lumbra.dll" "$program/"
# The sample suite: one plug-in per application, its icons and info pictures.
cp "$BUILD/win64/samples/AppInfo/"*.dll "$suite/Nembo Dereze/AppInfo/"
cp "$BUILD/win64/samples/MenuSwf/"* "$suite/Nembo Dereze/MenuSwf/"
rm -f "$suite/Nembo Dereze/AppInfo/Orva_Extra_"*.dll
for i in $(seq 1 "$extra"); do
  cp "$BUILD/win64/samples/AppInfo/Orva_PhotoViewer_01.dll" \
    "$suite/Nembo Dereze/AppInfo/Orva_Extra_$(printf %03d "$i").dll"
done
exe='C:\Program Files\Orva Corporation\Orva Dereze\Lumbra.exe'
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\Lumbra.exe'
"$WINE64" reg add "$key" /ve /d "$exe" /f >/dev/null 2>&1
"$WINE64" reg add "$key" /v Path /d 'C:\Program Files\Orva Corporation\Orva Dereze' /f >/dev/null 2>&1
# The suite's copy tool, which locks the menu while it runs.
mkdir -p "$suite/Orva Copy"
cp "$BUILD/win64/samples/CopyTool/"* "$suite/Orva Copy/"
key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\OrvaCopy.exe'
"$WINE64" reg add "$key" /ve /d 'C:\Program Files\Orva Corporation\Orva Copy\OrvaCopy.exe' /f >/dev/null 2>&1
"$WINE64" reg add "$key" /v Path /d 'C:\Program Files\Orva Corporation\Orva Copy' /f >/dev/null 2>&1

if [ $headless -eq 0 ]; then
  echo "== starting the menu on $DISPLAY (close it to end)"
  cd "$program" && "$WINE64" "$exe"
  exit 0
fi

echo "== starting the menu on a private display"
(cd "$program" && "$WINE64" "$exe" >/dev/null 2>&1 &)
window=
for _ in $(seq 1 100); do
  window=$(timeout 5 xdotool search --name '^Imagora Menu$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "the menu window did not appear" >&2
  wine_stop_server "$PREFIX"; stop_private_xvfb
  exit 1
fi
sleep 1
shot=$DEMO/menu.png
eval "$(timeout 5 xdotool getwindowgeometry --shell "$window")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
echo "$shot"
wine_stop_server "$PREFIX"
stop_private_xvfb
