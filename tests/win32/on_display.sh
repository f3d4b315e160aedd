#!/usr/bin/env bash
# Runs a Windows test program under Wine on a virtual X display of its own, for tests that make
# windows: on_display.sh WINE PROGRAM [ARGUMENTS...]
# Wine draws windows only when the Wine session (one wineserver per prefix) began on a display,
# and the other Windows tests run without one. So this test runs alone (RUN_SERIAL): it waits for
# the session the earlier tests left to end, starts its own on the display, and lets it end with
# the display. There is no window manager: the program's windows are left unmanaged, or Wine
# would wait two seconds for one each time a window is hidden.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/desktop.sh"

if ! command -v Xvfb >/dev/null; then
    echo "on_display.sh: no Xvfb; skipped" >&2
    exit 77
fi
wine=$1
shift
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver || echo wineserver)
session_end() {
    timeout 60 "$wineserver" -w 2>/dev/null || true
}

session_end
desktop_x_server 1024x768 || exit 1
"$wine" reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$1")\\X11 Driver" \
    /v Managed /d N /f >/dev/null 2>&1
"$wine" "$@"
status=$?
for pid in "${desktop_pids[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
done
session_end
exit $status
