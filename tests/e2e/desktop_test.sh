#!/usr/bin/env bash
# The real program on desktops unlike the everyday one, driven with xdotool: a desktop without a
# tray host that gets one later, two screens side by side, and a high-density screen.
# Usage: desktop_test.sh PROGRAM_FOLDER   (the build's bin folder: moravel, Themes, Moravel.HLP)
# With E2E_SHOTS set to a folder, the screenshots taken on the way are kept there.
#
# Two screens: Qt 6 sees screens only through RandR, and Xvfb has one RandR output, so the
# desktop is one 2048 x 600 screen split into two RandR monitors of 1024 x 600 (xrandr
# --setmonitor). -noreset keeps them: Xvfb would forget them whenever its last client leaves.
set -u
bin=$(cd "$1" && pwd)
suite=desktop
. "$(dirname "$0")/lib.sh"  # check, wait_for, gone, ini_has, finish
for tool in Xvfb xrandr trayer xdotool xwininfo xdpyinfo import convert compare dbus-daemon; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e desktop: $tool is missing; skipped"
        exit 77
    fi
done
work=$(mktemp -d)
shots=${E2E_SHOTS:-$work}
mkdir -p "$shots"
pids=()
server=
bus=
tray=
cleanup() {
    local pid
    for pid in "${pids[@]}" $tray $bus $server; do kill "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
        break
    fi
done
Xvfb ":$n" -noreset -screen 0 2048x600x24 -nolisten tcp >/dev/null 2>&1 &
server=$!
export DISPLAY=":$n"
for _ in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
done
# The left monitor takes the server's one output, which leaves no automatic monitor over both.
xrandr --setmonitor left 1024/271x600/159+0+0 screen >/dev/null
xrandr --setmonitor right 1024/271x600/159+1024+0 none >/dev/null
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
read -r address bus < <(dbus-daemon --session --fork --print-address=1 --print-pid=1 |
    tr '\n' ' ')
export DBUS_SESSION_BUS_ADDRESS=$address
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config
unset QT_SCALE_FACTOR

new_home() {
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
start_tray() {
    trayer --edge bottom --align right --widthtype request --height 24 --transparent false \
        --tint 0x404040 --SetDockType true >/dev/null 2>&1 &
    tray=$!
}
stop_tray() {
    kill "$tray" 2>/dev/null
    wait "$tray" 2>/dev/null
    tray=
}
main_window() {
    xwininfo -root -children 2>/dev/null | awk '/"Moravel": \("moravel"/ { print $1; exit }'
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
has_window() { [ -n "$(main_window)" ] && viewable "$(main_window)"; }
no_window() { ! has_window; }
geometry() {  # id: prints "x y width height"
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
at() {  # id x y
    local gx gy
    read -r gx gy _ _ <<<"$(geometry "$1")"
    [ "$gx $gy" = "$2 $3" ]
}
tray_icons() {
    local panel
    panel=$(xwininfo -root -children | awk '/"panel": \("panel" "trayer"\)/ { print $1; exit }')
    [ -n "$panel" ] || { echo 0; return; }
    xwininfo -tree -id "$panel" | grep -c '"Moravel"'
}
has_tray_icon() { [ "$(tray_icons)" -ge 1 ]; }
stop() {
    kill "$1" 2>/dev/null
    wait_for 10 gone "$1"
    wait "$1" 2>/dev/null
}

# ---------------------------------------------------------------- no tray host, then one
# A start hidden with no tray to come back from shows the window; a tray host appearing hides
# it and takes its icon; the host going shows it again. The settings keep the hidden choice.
home=$(new_home)
printf '[Settings]\r\nState=1\r\n' >"$home/Moravel.ini"
start "$home"
check "no tray: a hidden start shows the window" wait_for 10 has_window
start_tray
check "no tray: a tray host appears, the icon goes into it" wait_for 10 has_tray_icon
check "no tray: and the window hides, as its settings asked" wait_for 10 no_window
stop_tray
check "no tray: the host goes, the window comes back" wait_for 10 has_window
stop "$pid"
check "no tray: the settings still say hidden" ini_has "$home" "State=1"

# ---------------------------------------------------------------- two screens
start_tray
home=$(new_home)
start "$home"
check "two screens: window appears" wait_for 10 has_window
wid=$(main_window)
read -r x y w h <<<"$(geometry "$wid")"
check "two screens: centred on the left screen" test "$x $y $w $h" = "362 250 300 100"
drag() {  # from-x from-y to-x to-y...: a left-button drag through the given points
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    shift 2
    while [ $# -ge 2 ]; do
        xdotool mousemove "$1" "$2"
        sleep 0.2
        shift 2
    done
    xdotool mouseup 1
}
# Towards the right screen, stopping short of it: the left screen's edge holds the window.
drag $((x + 150)) $((y + 50)) 900 $((y + 50)) 1000 $((y + 50))
check "two screens: the left screen's edge stops the window" wait_for 3 at "$wid" 724 "$y"
# Across onto the right screen and on to its far edge: the window follows onto it.
drag 874 $((y + 50)) 1000 $((y + 50)) 1300 $((y + 50)) 2040 $((y + 50))
check "two screens: the window ends on the right screen, at its edge" \
    wait_for 3 at "$wid" 1748 "$y"
import -window root "$shots/two-screens.png" 2>/dev/null
check "two screens: the desktop's picture was taken" test -s "$shots/two-screens.png"
stop "$pid"
check "two screens: the place is saved" ini_has "$home" "Left=1748"

# ---------------------------------------------------------------- a high-density screen
# At a device pixel ratio of 2 the window is twice as large in pixels, and each of its pixels a
# 2 x 2 square: halving the picture by dropping pixels and doubling it again gives it back.
home=$(new_home)
QT_SCALE_FACTOR=2 MORAVEL_HOME=$home "$bin/moravel" >>"$work/program.log" 2>&1 &
pid=$!
pids+=("$pid")
check "high density: window appears" wait_for 10 has_window
read -r _ _ w h <<<"$(geometry "$(main_window)")"
check "high density: 300 x 100 at twice the pixels" test "$w $h" = "600 200"
sleep 1.5 # a tick or two of graph
import -window "$(main_window)" "$shots/hidpi-window.png" 2>/dev/null
convert "$shots/hidpi-window.png" -sample 50% -sample 200% "$work/hidpi-squares.png"
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]; }
check "high density: every pixel is a whole 2 x 2 square" \
    same "$shots/hidpi-window.png" "$work/hidpi-squares.png"
stop "$pid"

stop_tray
finish
