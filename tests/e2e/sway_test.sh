#!/usr/bin/env bash
# The program in a Wayland session: a headless sway with waybar as its bar, and the program on
# Xwayland. Waybar's tray is a StatusNotifierItem host and Xwayland has no XEmbed tray, so the
# icon can only come through StatusNotifierItem. Checked over D-Bus as the host sees the item,
# and on the screen with grim.
# sway refuses to run as root: run as root (as CI does), the session runs as a throwaway system
# user, moravel-e2e, made on first use.
# Usage: sway_test.sh PROGRAM_FOLDER
set -u
suite=sway
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
user=moravel-e2e

# ---------------------------------------------------------------------------------------------
# The session itself, as an ordinary user: sway_test.sh --session WORK
session() {
    work=$1
    bin=$work/bin
    export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/config
    export XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
    export NO_AT_BRIDGE=1 GTK_A11Y=none
    unset DISPLAY WAYLAND_DISPLAY SWAYSOCK QT_QPA_PLATFORM QT_SCALE_FACTOR I3SOCK
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
    chmod 700 "$XDG_RUNTIME_DIR"
    pids=()
    bus=
    trap session_end EXIT
    trap 'exit 1' TERM INT HUP
    read -r DBUS_SESSION_BUS_ADDRESS bus < <(dbus-daemon --session --fork --print-address=1 \
        --print-pid=1 | tr '\n' ' ')
    export DBUS_SESSION_BUS_ADDRESS

    cat >"$work/waybar.json" <<'EOF'
{ "layer": "top", "position": "top", "height": 26, "modules-right": ["tray"],
  "tray": { "icon-size": 16, "spacing": 4 } }
EOF
    cat >"$work/waybar.css" <<'EOF'
* { font-family: sans-serif; font-size: 12px; }
window#waybar { background: #303030; }
EOF
    # A sway user floats a small monitor like this one with a rule for its window class.
    cat >"$work/sway.conf" <<EOF
output HEADLESS-1 mode 1024x600
xwayland force
for_window [class="^Moravel\$"] floating enable, border none
exec waybar -c $work/waybar.json -s $work/waybar.css >$work/waybar.log 2>&1
exec sh -c 'echo "\$WAYLAND_DISPLAY \$DISPLAY" >$work/displays'
EOF
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
        sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
    pids+=($!)
    check "sway starts" wait_for 15 sway_ready
    if [ "$failed" -gt 0 ]; then
        tail -n 5 "$work/sway.log"
        finish
        return
    fi
    read -r WAYLAND_DISPLAY DISPLAY <"$work/displays"
    export WAYLAND_DISPLAY DISPLAY
    check "Xwayland answers" wait_for 10 xwininfo_root
    check "waybar's tray is a StatusNotifierItem host" wait_for 15 host_registered
    check "waybar's bar is on the screen" wait_for 10 bar_shot "$work/bar-empty.png"
    session_checks
    finish
}

sway_ready() {
    [ -s "$work/displays" ] || return 1
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1)
    export SWAYSOCK
    [ -n "$SWAYSOCK" ] && swaymsg -t get_version >/dev/null 2>&1
}

session_end() {
    local pid
    stop_load
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    swaymsg exit >/dev/null 2>&1
    wait_for 5 gone "${pids[0]}"
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$bus" ] && kill "$bus" 2>/dev/null
}

start() {  # home: starts the program there as a session starts it, sets $pid
    MORAVEL_HOME=$1 "$bin/moravel" >>"$work/program.log" 2>&1 &
    pid=$!
    pids+=("$pid")
}

# The program's window as sway manages it: "type x y width height", type floating_con or con.
window_node() {
    swaymsg -t get_tree 2>/dev/null | python3 -c '
import json, sys
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
for node in walk(json.load(sys.stdin)):
    if (node.get("window_properties") or {}).get("class") == "Moravel" and node.get("visible"):
        r = node["rect"]
        print(node["type"], r["x"], r["y"], r["width"], r["height"])
        break'
}
has_window() { [ -n "$(window_node)" ]; }
xwininfo_root() { xwininfo -root >/dev/null 2>&1; }
no_window() { ! has_window; }
bar_shot() { grim -g "0,0 1024x26" "$1" 2>/dev/null; }
bar_shows_icon() { bar_shot "$work/bar.png" && differ "$work/bar-empty.png" "$work/bar.png"; }
window_shot() {  # file
    local x y w h
    read -r _ x y w h <<<"$(window_node)"
    [ -n "$h" ] && grim -g "$x,$y ${w}x$h" "$1" 2>/dev/null
}
changes() {  # seconds shot-command: true once a new picture differs from the first
    local deadline=$((SECONDS + $1))
    "$2" "$work/c0.png" || return 1
    until "$2" "$work/c1.png" && differ "$work/c0.png" "$work/c1.png"; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.2
    done
}
drawn() {  # file: more than a blank: the graph's background, grid and text
    [ "$(convert "$1" -format '%k' info:)" -gt 4 ]
}

session_checks() {
    local home type x y w h
    home=$(new_home "$bin")
    printf '[Settings]\r\nState=1\r\nIconGraphMode=1\r\nCycle=1\r\n' >"$home/Moravel.ini"
    start "$home"
    check "SNI: the item is registered with waybar's watcher" wait_for 10 has_item
    check "SNI: one item" test "$(sni_count)" -eq 1
    check "SNI: waybar shows the icon" wait_for 10 bar_shows_icon
    check "hidden start shows no window" no_window
    uneven_load 25
    check "SNI: the icon's picture changes from one second to the next" item_pixmap_changes 6
    check "SNI: waybar redraws it" changes 6 bar_shot
    check "SNI: the tip holds the usage" item_tip_is_usage
    check "SNI: the menu is exported with the popup's items" \
        menu_has "表示(_B)" "設定(_S)..." "バージョン情報" "ヘルプ(_H)" "終了(_X)"
    item_call Activate 0 0
    check "SNI: Activate brings the window back" wait_for 5 has_window
    check "SNI: the menu follows the window's state" wait_for 3 menu_has "隠す(_B)"

    read -r type x y w h <<<"$(window_node)"
    check "Wayland: the window floats (for_window rule)" test "$type" = floating_con
    check "Wayland: the window has its designed size" test "${w}x$h" = 300x100
    check "Wayland: the window is on the output" \
        test "$x" -ge 0 -a "$y" -ge 0 -a $((x + w)) -le 1024 -a $((y + h)) -le 600
    check "Wayland: the window is drawn" wait_for 5 window_shot "$work/window.png"
    check "Wayland: the picture shows the graph" drawn "$work/window.png"
    check "Wayland: the graph moves from one second to the next" changes 6 window_shot

    check "SNI: the menu's 終了 ends the program" menu_click "終了(_X)"
    check "the program ends" wait_for 10 gone "$pid"
    kill "$pid" 2>/dev/null && wait_for 10 gone "$pid"  # should the menu have failed
    check "it saved the shown state" ini_has "$home" "State=0"
    check "SNI: the item is gone" wait_for 5 no_item
}

if [ "${1:-}" = --session ]; then
    session "$2"
    exit
fi

# ---------------------------------------------------------------------------------------------
# As the caller: the tools, the user, a copy of the program it can read, then the session.
program=$(cd "$1" && pwd)
need sway swaymsg waybar Xwayland grim dbus-daemon gdbus xwininfo convert compare python3 setpriv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cp -r "$program/moravel" "$program/Themes" "$work/bin/"
cp "$here/sway_test.sh" "$here/lib.sh" "$work/"  # the checkout may be closed to other users
if [ "$(id -u)" -ne 0 ]; then
    "$work/sway_test.sh" --session "$work"
    exit
fi
if ! id "$user" >/dev/null 2>&1; then
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
        --comment "Moravel's test sessions" "$user" || {
        echo "$suite: cannot make the user $user for the session; cannot run"
        echo "0 passed, 1 failed"
        exit 1
    }
fi
chown -R "$user:" "$work"
setpriv --reuid="$user" --regid="$user" --init-groups --pdeathsig TERM \
    env USER="$user" LOGNAME="$user" "$work/sway_test.sh" --session "$work"
