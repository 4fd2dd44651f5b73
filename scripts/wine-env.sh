# Sourced by the scripts: a private Wine prefix and display for this project.
# Never touches ~/.wine: every prefix lives inside the build folder.

WINE64=/usr/lib/wine/wine64
WINESERVER64=/usr/lib/wine/wineserver64

# Sets the Wine environment for a prefix folder.
wine_use_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINESERVER=$WINESERVER64
  export WINELOADER=$WINE64
  export WINEARCH=win64
}

# Creates a fresh prefix with what the tests need: no window manager delays,
# no crash dialog, Wine's own fonts. Starts a persistent server for it.
# wine_fresh_prefix PREFIX [DPI]: a new prefix, at a display scale other than
# 96 DPI when one is given (it takes effect when the server starts again).
wine_fresh_prefix() {
  local prefix=$1 dpi=${2:-}
  wine_stop_server "$prefix"
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  wine_use_prefix "$prefix"
  "$WINE64" wineboot -i >/dev/null 2>&1 </dev/null
  "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  if [ -z "${DISPLAY:-}" ]; then
    "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11,null /f >/dev/null 2>&1
  fi
  if [ -n "$dpi" ]; then
    "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  fi
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  "$WINESERVER64" -w 2>/dev/null || true
  "$WINESERVER64" -p60
  # Start the prefix's background services now, with their output going
  # nowhere: otherwise they inherit the first test's output pipe.
  "$WINE64" reg query 'HKCU\Software\Wine' >/dev/null 2>&1 </dev/null
}

# wine_set_dpi PREFIX DPI: the display scale of a prefix in use, from the
# server's next start on, which is now.
wine_set_dpi() {
  "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$2" /f >/dev/null 2>&1
  wine_stop_server "$1"
  "$WINESERVER64" -p60
}

wine_stop_server() {
  if [ -d "$1" ]; then
    WINEPREFIX="$1" "$WINESERVER64" -k 2>/dev/null || true
    WINEPREFIX="$1" "$WINESERVER64" -w 2>/dev/null || true
  fi
}

# Windows form of a Unix path (Wine maps / to drive Z:).
wine_path() {
  printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"
}

# Starts a private Xvfb on a free display number and exports DISPLAY.
XVFB_PID=
start_private_xvfb() {
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

stop_private_xvfb() {
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}
