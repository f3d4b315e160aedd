#!/usr/bin/env bash
# Takes the pictures under docs/ from the program of a build (default build/dev/bin), with a
# made-up history of a working day's load, on a virtual desktop:
#   screenshot.png            the AppStream metainfo's screenshot: the window in the night theme
#                             and its tray icon's graph
#   window-THEME.png          the window in some of the shipped themes (README)
#   tray-icon-N.png           the tray icon in its four styles (IconGraphMode N), drawn by
#                             moravel-tool and scaled up four times without smoothing (README)
#   setup.png, theme-editor.png   the setup dialog and the theme editor, opened through the
#                             popup menu (README)
# Usage: scripts/make-screenshot.sh [PROGRAM_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(cd "${1:-build/dev/bin}" && pwd)
docs=$(pwd)/docs
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
mkdir -p "$docs"

# The history: a working day's load, and at its end (what the tray icon shows) a few swings. As
# long as the virtual desktop is wide, the program's history size: it keeps that many values of
# the file, the first ones.
python3 - "$work/TestData.dat" <<'EOF'
import math, random, sys
random.seed(11)
value, lines = 25.0, []
for i in range(800):
    target = 25 + 20 * math.sin(i / 90.0) + (30 if 560 < i < 700 else 0)
    value = max(3.0, min(95.0, value + random.gauss(0, 5) + (target - value) * 0.12))
    lines.append(str(round(value)))
lines[-16:] = [str(v) for v in (20, 25, 35, 55, 80, 90, 85, 60, 40, 30, 45, 70, 75, 50, 35, 40)]
with open(sys.argv[1], "w", newline="") as f:
    f.write("\r\n".join(lines) + "\r\n")
EOF

fail() {
    echo "make-screenshot: $*" >&2
    exit 1
}
wait_for() {  # seconds, command...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.2
    done
}
window_named() {  # title: the id of the program's top-level window of that title
    xwininfo -root -children | awk -v t="\"$1\": (\"moravel\"" 'index($0, t) { print $1; exit }'
}
has_window() { [ -n "$(window_named "$1")" ]; }
menu_open() { [ "$(xdotool search --onlyvisible --class moravel 2>/dev/null | wc -l)" -ge 3 ]; }
small_png() {  # in out: a PNG without metadata, compressed hard
    convert "$1" -strip -define png:compression-level=9 "$2"
}
# Starts the program with these settings lines, its history frozen (Shift and Ctrl held while it
# starts load TestData.dat), and waits for its window.
start_frozen() {  # settings-line...
    local home=$work/home
    rm -rf "$home"
    mkdir -p "$home"
    cp -r "$bin/Themes" "$bin/Moravel.HLP" "$bin/Moravel.en.HLP" "$work/TestData.dat" "$home/"
    printf '[Settings]\r\n' >"$home/Moravel.ini"
    printf '%s\r\n' "$@" >>"$home/Moravel.ini"
    xdotool keydown shift keydown ctrl
    MORAVEL_HOME=$home "$bin/moravel" &
    pid=$!
    wait_for 15 has_window Moravel || fail "the window did not appear"
    sleep 1  # the frozen frame is drawn once the start-up is over
    xdotool keyup shift keyup ctrl
}
stop_program() {
    kill "$pid"
    wait "$pid" || true
    pid=
}

desktop_start 800x450
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR

# The metainfo's screenshot: the whole desktop, with the tray icon in trayer's panel.
convert -size 800x450 gradient:'#4a6572'-'#23313a' "$work/background.png"
display -window root "$work/background.png" || true # sets the picture, yet exits with 1
start_frozen Left=160 Top=120 Width=480 Height=160 IconGraphMode=1 'ThemeName="night.tm"'
sleep 1
import -window root "$work/shot.png"
small_png "$work/shot.png" "$docs/screenshot.png"
stop_program

# The window in some themes, at its designed size.
for theme in graph night paper rainbow lcd; do
    start_frozen Left=40 Top=40 Width=300 Height=100 "ThemeName=\"$theme.tm\""
    import -window "$(window_named Moravel)" "$work/window.png"
    small_png "$work/window.png" "$docs/window-$theme.png"
    stop_program
done

# The tray icon's four styles, as the program draws them for this history.
for mode in 1 2 3 4; do
    "$bin/moravel-tool" render --history "$work/TestData.dat" --history-size 800 \
        --theme "$bin/Themes/graph.tm" --out "$work/graph.png" --icon-mode "$mode" --icon-out "$work/icon.png"
    convert "$work/icon.png" -filter point -resize 400% "$work/icon4.png"
    small_png "$work/icon4.png" "$docs/tray-icon-$mode.png"
done

# The setup dialog from the popup menu (隠す, then 設定 past the separator), and from it the
# theme editor (テーマ, then three tabs: 名前を付けて保存, 削除, 編集).
framed() {  # in out: a dialog shot with a thin frame (the virtual desktop draws none)
    convert "$1" -bordercolor '#7a7a7a' -border 1 "$work/framed.png"
    small_png "$work/framed.png" "$2"
}
start_frozen Left=40 Top=40 Width=300 Height=100 IconGraphMode=1 'ThemeName="night.tm"'
xdotool mousemove 190 90 click 3
wait_for 5 menu_open || fail "the popup menu did not open"
xdotool key Down Down Return
wait_for 5 has_window "Moravel の設定" || fail "the setup dialog did not open"
sleep 0.5
import -window "$(window_named "Moravel の設定")" "$work/setup.png"
framed "$work/setup.png" "$docs/setup.png"
xdotool key alt+t Tab Tab Tab space
wait_for 5 has_window "テーマファイルの編集" || fail "the theme editor did not open"
sleep 0.5
import -window "$(window_named "テーマファイルの編集")" "$work/editor.png"
framed "$work/editor.png" "$docs/theme-editor.png"
xdotool key Escape
sleep 0.3
xdotool key Escape
stop_program

ls -l "$docs"/*.png
