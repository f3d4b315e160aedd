#!/usr/bin/env bash
# The tray icon on a real desktop panel: xfce4-panel with only its notification area (the systray
# plugin) on a virtual X desktop with a private session bus. The plugin is a StatusNotifierItem
# host and an XEmbed tray at once: the program takes the StatusNotifierItem way when the bus has
# the panel's watcher, and the XEmbed way when it does not (a second bus without one).
# Usage: xfce_tray_test.sh PROGRAM_FOLDER
set -u
suite=xfce-tray
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
need Xvfb xfce4-panel dbus-daemon gdbus xdotool xwininfo import convert compare
if ! grep -rqs 'Name=org.xfce.Xfconf' /usr/share/dbus-1/services; then
    echo "$suite: xfconf (the panel's settings service) is missing; cannot run"
    echo "0 passed, 1 failed"
    exit 1
fi

work=$(mktemp -d)
pids=()
other_bus=
cleanup() {
    local pid
    stop_load
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$other_bus" ] && kill "$other_bus" 2>/dev/null
    desktop_stop
    rm -rf "$work"
}
trap cleanup EXIT

# The panel reads its layout through xfconfd, which the session bus starts with the bus's own
# environment: a private configuration folder holds one bottom panel with the systray plugin.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache
export NO_AT_BRIDGE=1 GTK_A11Y=none  # no accessibility bus to start and leave behind
channels=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
mkdir -p "$channels"
cat >"$channels/xfce4-panel.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="26"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
EOF

. "$here/../../scripts/desktop.sh"
desktop_start 1024x600 none
export QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR
xfce4-panel --disable-wm-check >"$work/panel.log" 2>&1 &
pids+=($!)

start() {  # home [bus]: starts the program there, sets $pid
    DBUS_SESSION_BUS_ADDRESS=${2:-$DBUS_SESSION_BUS_ADDRESS} MORAVEL_HOME=$1 "$bin/moravel" \
        >>"$work/program.log" 2>&1 &
    pid=$!
    pids+=("$pid")
}
hidden_home() {  # a program folder whose settings start hidden with the tray graph every second
    local home
    home=$(new_home "$bin")
    printf '[Settings]\r\nState=1\r\nIconGraphMode=1\r\nCycle=1\r\n' >"$home/Moravel.ini"
    echo "$home"
}
main_window() {
    xwininfo -root -children 2>/dev/null | awk '/"Moravel": \("moravel"/ { print $1; exit }'
}
has_window() {
    local id
    id=$(main_window)
    [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'
}
no_window() { ! has_window; }
setup_open() { xwininfo -root -children | grep -q '"Moravel の設定"'; }
no_setup() { ! setup_open; }
panel_tree() {
    local panel
    panel=$(xwininfo -root -children | awk '/"xfce4-panel": \("xfce4-panel"/ { print $1; exit }')
    [ -n "$panel" ] && xwininfo -tree -id "$panel"
}
has_panel() { panel_tree | grep -q '"wrapper-2.0": ("wrapper-2.0"'; }
center() {  # "width height x y" of a window: its centre as "x y"
    local w h x y
    read -r w h x y
    echo "$((x + w / 2)) $((y + h / 2))"
}
# The systray plugin's area in the panel, as "width height x y" (absolute).
plugin_area() {
    panel_tree | awk '/"wrapper-2.0": \("wrapper-2.0"/ { print $(NF - 1), $NF; exit }' |
        sed 's/^\([0-9]*\)x\([0-9]*\)+[-0-9]*+[-0-9]* +\([-0-9]*\)+\([-0-9]*\)$/\1 \2 \3 \4/'
}
# The program's own XEmbed icon window inside the panel, as "width height x y".
embedded_icon() {
    panel_tree | awk '/"Moravel": \("moravel"/ { print $(NF - 1), $NF; exit }' |
        sed 's/^\([0-9]*\)x\([0-9]*\)+[-0-9]*+[-0-9]* +\([-0-9]*\)+\([-0-9]*\)$/\1 \2 \3 \4/'
}
has_embedded_icon() { [ -n "$(embedded_icon)" ]; }
no_embedded_icon() { ! has_embedded_icon; }
area_shot() {  # "width height x y" file: that part of the screen
    local w h x y
    read -r w h x y <<<"$1"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2" 2>/dev/null
}
# The plugin's area shows an icon: wide enough for one, and more than the panel's plain colour.
panel_shows_icon() {
    local area
    area=$(plugin_area)
    [ -n "$area" ] && [ "${area%% *}" -ge 16 ] && area_shot "$area" "$work/plugin.png" &&
        [ "$(convert "$work/plugin.png" -format '%k' info:)" -gt 4 ]
}
area_changes() {  # seconds "width height x y": true once a new picture differs from the first
    local deadline=$((SECONDS + $1))
    area_shot "$2" "$work/area0.png" || return 1
    until area_shot "$2" "$work/area1.png" && differ "$work/area0.png" "$work/area1.png"; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.2
    done
}
qt_windows() { xdotool search --onlyvisible --class moravel 2>/dev/null | wc -l; }
more_qt_windows() { [ "$(qt_windows)" -gt "$windows_before" ]; }
# A menu the plugin opens (the host's own rendering of the item's menu): a new viewable
# top-level window of the plugin's process.
host_popups() {
    xwininfo -root -children | awk '/"wrapper-2.0": \("wrapper-2.0"/ { print $1 }' |
        while read -r id; do
            xwininfo -id "$id" | grep -q 'Map State: IsViewable' && echo "$id"
        done
}
host_menu_open() { [ "$(host_popups | wc -l)" -gt "$popups_before" ]; }
host_menu_closed() { [ "$(host_popups | wc -l)" -le "$popups_before" ]; }

show_logs() {
    echo "--- the panel's output"
    tail -n 20 "$work/panel.log"
    echo "--- the program's output"
    tail -n 20 "$work/program.log" 2>/dev/null
}
check "the panel starts" wait_for 15 has_panel
check "the panel's watcher has a host" wait_for 10 host_registered
if [ "$failed" -gt 0 ]; then
    show_logs
    finish
    exit
fi

# --- StatusNotifierItem: the way the program takes on this panel's session bus ---
home=$(hidden_home)
start "$home"
check "SNI: the item is registered with the panel's watcher" wait_for 10 has_item
check "SNI: one item" test "$(sni_count)" -eq 1
check "SNI: the panel shows the icon" wait_for 10 panel_shows_icon
check "SNI: no XEmbed icon beside it" test -z "$(embedded_icon)"
check "SNI: hidden start shows no window" no_window
uneven_load 20
check "SNI: the icon's picture changes from one second to the next" item_pixmap_changes 6
check "SNI: the panel redraws it" area_changes 6 "$(plugin_area)"
check "SNI: the tip holds the usage" item_tip_is_usage
check "SNI: the menu is exported with the popup's items before it is shown" \
    menu_has "表示(_B)" "設定(_S)..." "バージョン情報" "ヘルプ(_H)" "終了(_X)"
# A right click on the icon opens the panel's rendering of that menu; its mnemonic S opens the
# setup dialog.
popups_before=$(host_popups | wc -l)
read -r ix iy <<<"$(plugin_area | center)"
xdotool mousemove "$ix" "$iy" click 3
check "SNI: a right click on the icon opens a menu" wait_for 5 host_menu_open
xdotool key s
check "SNI: the panel's menu holds the program's items (S opens the setup dialog)" \
    wait_for 5 setup_open
xdotool key Escape
wait_for 5 no_setup
wait_for 3 host_menu_closed || xdotool key Escape
# A click on the icon: the panel activates the item, and the hidden window comes back.
xdotool mousemove "$ix" "$iy" click 1
check "SNI: a click on the icon brings the window back" wait_for 5 has_window
check "SNI: the menu follows the window's state" wait_for 3 menu_has "隠す(_B)"
check "SNI: the menu's 終了 ends the program" menu_click "終了(_X)"
check "SNI: the program ends" wait_for 10 gone "$pid"
kill "$pid" 2>/dev/null && wait_for 10 gone "$pid"  # should the menu have failed
check "SNI: it saved the shown state" ini_has "$home" "State=0"
check "SNI: the item is gone" wait_for 5 no_item

# --- XEmbed: the same panel, for a program whose session bus has no watcher ---
other_bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | {
    read -r address
    read -r bus_pid
    echo "$address $bus_pid"
})
other_address=${other_bus% *}
other_bus=${other_bus#* }
home=$(hidden_home)
start "$home" "$other_address"
check "XEmbed: the panel embeds the icon" wait_for 10 has_embedded_icon
check "XEmbed: no StatusNotifierItem" no_item
check "XEmbed: hidden start shows no window" no_window
icon=$(embedded_icon)
check "XEmbed: the icon's picture changes from one second to the next" area_changes 6 "$icon"
read -r ix iy <<<"$(center <<<"$icon")"
# The tip's text is drawn by the program itself here, out of reach; that it opens at all shows
# the icon has one.
windows_before=$(qt_windows)
xdotool mousemove "$ix" "$iy"
check "XEmbed: resting on the icon opens its tip" wait_for 5 more_qt_windows
xdotool mousemove 500 300
wait_for 5 test "$(qt_windows)" -le "$windows_before"
xdotool mousemove "$ix" "$iy" click --repeat 2 --delay 80 1
check "XEmbed: a double click on the icon brings the window back" wait_for 5 has_window
windows_before=$(qt_windows)
xdotool mousemove "$ix" "$iy" click 3
check "XEmbed: a right click on the icon opens the popup menu" wait_for 5 more_qt_windows
xdotool key x
check "XEmbed: the menu's 終了(&X) ends the program" wait_for 10 gone "$pid"
check "XEmbed: it saved the shown state" ini_has "$home" "State=0"
check "XEmbed: the icon is gone" wait_for 5 no_embedded_icon

[ "$failed" -eq 0 ] || show_logs
finish
