#!/usr/bin/env bash
# Runs a test that makes windows under Wine, which makes none without an X display: on a virtual
# display of its own (Xvfb), or on the caller's when there is no Xvfb. Wine's desktop process
# picks its display when it starts, so the run waits for the prefix's server to end before and
# after, and must not share the prefix with another test at the same time (RUN_SERIAL).
#   on_display.sh WINE EXECUTABLE [ARGUMENTS...]
set -euo pipefail
wine=$1
shift
wineserver=$(command -v wineserver || echo "$(dirname "$wine")/wineserver")
source "$(dirname "$0")/../../scripts/desktop.sh"
if command -v Xvfb >/dev/null; then
    "$wineserver" -w || true
    desktop_x_server 1280x800
    trap '"$wineserver" -w || true; desktop_stop' EXIT
elif [ -z "${DISPLAY:-}" ]; then
    echo "on_display.sh: no X display and no Xvfb to make one" >&2
    exit 77
fi
"$wine" "$@"
