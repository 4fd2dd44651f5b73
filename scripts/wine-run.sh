#!/usr/bin/env bash
# Runs one Windows program under the 64-bit Wine loader in the prefix that the
# calling script prepared (ctest uses this as the cross-compiling emulator).
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ -z "${WINEPREFIX:-}" ]; then
  echo "wine-run.sh: WINEPREFIX is not set; run through scripts/test.sh or scripts/run.sh" >&2
  exit 2
fi
wine_use_prefix "$WINEPREFIX"
# Wine writes CRLF; keep the output readable for ctest.
"$WINE64" "$@" | tr -d '\r'
exit "${PIPESTATUS[0]}"
