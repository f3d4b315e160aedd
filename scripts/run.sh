#!/usr/bin/env bash
# Starts Moravel on the user's desktop. Without a display it shows the program on a throwaway
# X desktop for 20 seconds, saves a screenshot and prints where.
set -euo pipefail
cd "$(dirname "$0")/.."
program=build/dev/bin/moravel
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program"
fi

. scripts/desktop.sh
trap desktop_stop EXIT
desktop_start 1280x800
echo "No display: running Moravel on a virtual X desktop ($DISPLAY) for 20 seconds..."
home=$(mktemp -d)
cp -r build/dev/bin/Themes "$home/" 2>/dev/null || true
cp build/dev/bin/Moravel.HLP build/dev/bin/Moravel.en.HLP "$home/" 2>/dev/null || true
MORAVEL_HOME=$home "$program" &
pid=$!
sleep 20
shot=$(pwd)/build/moravel-screenshot.png
import -window root "$shot"
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
rm -rf "$home"
echo "Screenshot of the desktop: $shot"
