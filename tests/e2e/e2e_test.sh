#!/usr/bin/env bash
# The real program on a virtual X desktop with a tray host, driven as a person would with xdotool.
# Usage: e2e_test.sh PROGRAM_FOLDER   (the build's bin folder: moravel, Themes, Moravel.HLP)
set -u
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb trayer xdotool xwininfo import compare dbus-daemon; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e: $tool is missing; skipped"
        exit 77
    fi
done
. "$here/../../scripts/desktop.sh"
work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    desktop_stop
    rm -rf "$work"
}
trap cleanup EXIT
desktop_start 1024x600
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR

passed=0
failed=0
check() {  # name, command...
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok: $name"
    else
        failed=$((failed + 1))
        echo "FAILED: $name"
    fi
}

new_home() {  # a fresh program folder; prints its path
    local home
    home=$(mktemp -d "$work/home.XXXX")
    cp -r "$bin/Themes" "$bin/Moravel.HLP" "$home/"
    echo "$home"
}
start() {  # home: starts the program there, sets $pid
    MORAVEL_HOME=$1 "$bin/moravel" >>"$work/program.log" 2>&1 &
    pid=$!
    pids+=("$pid")
}
main_window() {  # the id of the program's top-level window (not its tray icon)
    xwininfo -root -children 2>/dev/null | awk '/"Moravel": \("moravel"/ { print $1; exit }'
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
geometry() {  # id: prints "x y width height"
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
tray_icons() {  # how many Moravel icons the tray host holds
    local panel
    panel=$(xwininfo -root -children | awk '/"panel": \("panel" "trayer"\)/ { print $1; exit }')
    [ -n "$panel" ] || { echo 0; return; }
    xwininfo -tree -id "$panel" | grep -c '"Moravel"'
}
wait_for() {  # seconds, command...: true once the command succeeds
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.2
    done
}
has_window() { [ -n "$(main_window)" ] && viewable "$(main_window)"; }
no_window() { ! has_window; }
has_tray_icon() { [ "$(tray_icons)" -ge 1 ]; }
gone() { ! kill -0 "$1" 2>/dev/null; }
stop() {  # pid: asks the program to end and waits for it
    kill "$1" 2>/dev/null
    wait_for 10 gone "$1"
    wait "$1" 2>/dev/null
}
shot() {  # file: the main window's picture
    import -window "$(main_window)" "$1" 2>/dev/null
}
differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != "0" ]; }
changes() {  # seconds, file: true once a new picture of the main window differs from the file
    local deadline=$((SECONDS + $1))
    until shot "${2%.png}-next.png" && differ "$2" "${2%.png}-next.png"; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.2
    done
}
at() {  # id x y: the window stands at that place
    local gx gy
    read -r gx gy _ _ <<<"$(geometry "$1")"
    [ "$gx $gy" = "$2 $3" ]
}
unchanged() {  # seconds, file: every picture of the main window taken until then equals the file
    local deadline=$((SECONDS + $1))
    while [ $SECONDS -lt "$deadline" ]; do
        shot "${2%.png}-next.png" && same "$2" "${2%.png}-next.png" || return 1
        sleep 0.2
    done
}
menu_open() { [ "$(xdotool search --onlyvisible --class moravel 2>/dev/null | wc -l)" -ge 3 ]; }
menu_closed() { ! menu_open; }
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]; }
ini_has() { tr -d '\r' <"$1/Moravel.ini" 2>/dev/null | grep -qx "$2"; }

# The window and the tray icon appear; the graph moves from one second to the next.
home=$(new_home)
start "$home"
check "window appears" wait_for 10 has_window
check "tray icon appears" wait_for 10 has_tray_icon
check "one tray icon" test "$(tray_icons)" -eq 1
read -r x y w h <<<"$(geometry "$(main_window)")"
check "designed size, centred" test "$w $h $x $y" = "300 100 362 250"
timeout 6 sh -c 'while :; do :; done' &
shot "$work/a.png"
check "the graph changes every second" changes 3 "$work/a.png"

# Dragging past the work area's left edge stops at the edge; with Shift it goes past.
wid=$(main_window)
drag() {  # from-x from-y to-x to-y: a left-button drag, step by step as a hand does it
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    xdotool mousemove $(($1 - 20)) "$2"
    sleep 0.2
    xdotool mousemove "$3" "$4"
    sleep 0.2
    xdotool mouseup 1
}
drag $((x + 150)) $((y + 50)) $((x - 300)) $((y + 60))
y2=$((y + 10))
check "drag stops at the left edge" wait_for 3 at "$wid" 0 "$y2"
xdotool keydown shift
drag 150 $((y2 + 50)) 50 $((y2 + 50))
xdotool keyup shift
check "drag with Shift leaves the work area" wait_for 3 at "$wid" -100 "$y2"

# A right click opens the popup menu.
xdotool mousemove 100 $((y2 + 50)) click 3
check "right click opens the popup menu" wait_for 3 menu_open
xdotool key Escape
wait_for 3 menu_closed

# Alt+F4 closes the program and the settings keep the window's place.
xdotool windowfocus --sync "$wid" 2>/dev/null
xdotool key alt+F4
check "Alt+F4 ends the program" wait_for 10 gone "$pid"
check "Moravel.ini has the width" ini_has "$home" "Width=300"
check "Moravel.ini has the height" ini_has "$home" "Height=100"
check "Moravel.ini has the place" ini_has "$home" "Left=-100"
check "the tray icon is gone" wait_for 5 test "$(tray_icons)" -eq 0

# A saved hidden state: no window, but a tray icon. A second start brings the window back and
# leaves one process and one tray icon.
home=$(new_home)
printf '[Settings]\r\nState=1\r\nLeft=10\r\nTop=20\r\nWidth=320\r\nHeight=110\r\n' >"$home/Moravel.ini"
start "$home"
first=$pid
check "hidden start: tray icon" wait_for 10 has_tray_icon
# The window would be shown before the icon is added; give the window manager a moment anyway.
sleep 0.5
check "hidden start: no window" no_window
start "$home"
second=$pid
check "second start ends" wait_for 10 gone "$second"
check "first one still runs" kill -0 "$first"
check "second start shows the hidden window" wait_for 5 has_window
read -r x y w h <<<"$(geometry "$(main_window)")"
check "saved place and size" test "$x $y $w $h" = "10 20 320 110"
check "still one tray icon" test "$(tray_icons)" -eq 1
check "one process" test "$(pgrep -c -f "^$bin/moravel$")" -eq 1
stop "$first"
check "SIGTERM saves the settings" ini_has "$home" "State=0"

# Shift and Ctrl held at start: the history of TestData.dat, frozen.
home=$(new_home)
for i in $(seq 1 150); do
    if [ $((i % 40)) -lt 20 ]; then printf '90\r\n'; else printf '10\r\n'; fi
done >"$home/TestData.dat"
xdotool keydown shift keydown ctrl
start "$home"
wait_for 10 has_window
xdotool keyup ctrl keyup shift
shot "$work/t1.png"
# Frozen means nothing changes over two ticks of the clock.
check "test data: the history is frozen" unchanged 3 "$work/t1.png"
# Columns of 90 % fill most of the height: the left part of the graph is mostly green.
green=$(convert "$work/t1.png" -crop 120x80+150+10 -fx 'g>0.3 && r<0.3 ? 1 : 0' -format '%[fx:mean]' info:)
check "test data: the loaded history is drawn" awk -v g="$green" 'BEGIN { exit !(g > 0.3) }'
stop "$pid"
check "test data: closing still saves" test -f "$home/Moravel.ini"

# The setup dialog from the popup menu: another theme and OK. The window is drawn in it at once,
# the graph kept moving while the dialog was open, and the settings file names the theme at exit.
setup_open() { xwininfo -root -children | grep -q '"Moravel の設定"'; }
not_setup_open() { ! setup_open; }
brightness() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }
home=$(new_home)
start "$home"
dark() { shot "$1" && awk -v b="$(brightness "$1")" 'BEGIN { exit !(b < 0.3) }'; }
light() { shot "$1" && awk -v b="$(brightness "$1")" 'BEGIN { exit !(b > 0.6) }'; }
check "setup: window appears" wait_for 10 has_window
read -r x y _ _ <<<"$(geometry "$(main_window)")"
check "setup: the old theme is dark" wait_for 5 dark "$work/before.png"
xdotool mousemove $((x + 150)) $((y + 50)) click 3
wait_for 3 menu_open
xdotool key Down Down Return # 隠す(&B), then 設定(&S)... past the separator
check "setup: the dialog opens from the menu" wait_for 5 setup_open
timeout 5 sh -c 'while :; do :; done' &
shot "$work/open1.png"
check "setup: the graph moves while the dialog is open" changes 3 "$work/open1.png"
# テーマ(&T), then the eighth title in the list's order: 方眼紙, the light paper theme.
xdotool key alt+t Home Down Down Down Down Down Down Down
sleep 0.3
xdotool key Return # OK, the default button
check "setup: OK closes the dialog" wait_for 5 not_setup_open
check "setup: the window is drawn in the new theme" wait_for 3 light "$work/after.png"
check "setup: the program keeps running" kill -0 "$pid"
stop "$pid"
check "setup: Moravel.ini names the new theme" ini_has "$home" 'ThemeName="paper.tm"'

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
