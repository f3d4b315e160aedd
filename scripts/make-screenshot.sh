#!/usr/bin/env bash
# Takes docs/screenshot.png, the screenshot of the AppStream metainfo: the program of a build
# (default build/dev/bin) in the night theme with a made-up history of a working day's load,
# and its tray icon's graph, on a virtual desktop.
# Usage: scripts/make-screenshot.sh [PROGRAM_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(cd "${1:-build/dev/bin}" && pwd)
out=$(pwd)/docs/screenshot.png
work=$(mktemp -d)
. scripts/desktop.sh
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    xdotool keyup shift keyup ctrl 2>/dev/null || true
    desktop_stop
    rm -rf "$work"
}
trap cleanup EXIT

home=$work/home
mkdir -p "$home"
cp -r "$bin/Themes" "$bin/Moravel.HLP" "$home/"
printf '[Settings]\r\nLeft=160\r\nTop=120\r\nWidth=480\r\nHeight=160\r\nIconGraphMode=1\r\n%s\r\n' \
    'ThemeName="night.tm"' >"$home/Moravel.ini"
python3 - "$home/TestData.dat" <<'EOF'
import math, random, sys
random.seed(11)
value, lines = 25.0, []
for i in range(1920):
    target = 25 + 20 * math.sin(i / 90.0) + (30 if 1500 < i < 1700 else 0)
    value = max(3.0, min(95.0, value + random.gauss(0, 5) + (target - value) * 0.12))
    lines.append(str(round(value)))
with open(sys.argv[1], "w", newline="") as f:
    f.write("\r\n".join(lines) + "\r\n")
EOF

desktop_start 800x450
convert -size 800x450 gradient:'#4a6572'-'#23313a' "$work/background.png"
display -window root "$work/background.png" || true  # sets the picture, yet exits with 1
export QT_QPA_PLATFORM=xcb
# Shift and Ctrl held while it starts: the history of TestData.dat, frozen.
xdotool keydown shift keydown ctrl
MORAVEL_HOME=$home "$bin/moravel" &
pid=$!
for _ in $(seq 1 75); do
    xwininfo -root -children | grep -q '"Moravel": ("moravel"' && break
    sleep 0.2
done
sleep 2
xdotool keyup shift keyup ctrl
sleep 2
mkdir -p docs
import -window root "$out"
echo "wrote $out"
