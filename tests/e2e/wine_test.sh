#!/usr/bin/env bash
# The Windows program under Wine on a virtual X desktop with a tray host (trayer, which holds
# Wine's tray icons), driven as a person would with xdotool.
# Usage: wine_test.sh PROGRAM [MSI]   (make windows-check runs it on the zip and the MSI; part
#   of make test)
#   PROGRAM: a Windows program folder (moravel.exe, moravel-tool.exe, Themes, Moravel.HLP) or
#   the zip that holds one. MSI: the installer of that folder (Moravel-<version>-win64.msi),
#   installed, upgraded by one of a higher version made here (scripts/make-msi.sh) and
#   uninstalled. With MORAVEL_SHOTS set to a folder, the pictures of the window, the tray icon
#   and the popup menu are left there as ship-*.png, and the setup dialog with the figure's box
#   checked as setup-cpufigure.png.
# Every scenario is a function that starts from a fresh copy of the program folder; the list
# `scenarios` at the end runs them in order. The Wine prefix is made by the test, Japanese
# (LC_ALL=ja_JP.UTF-8: the ANSI code page is CP932, as the program's files are), with the
# themes' faces mapped to the IPA fonts.
set -u
[ $# -eq 1 ] || [ $# -eq 2 ] || { echo "usage: $0 PROGRAM-FOLDER-OR-ZIP [MSI]" >&2; exit 2; }
msi=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
suite=wine
. "$here/lib.sh"
. "$here/../../scripts/desktop.sh"
need Xvfb trayer xdotool xwininfo import compare convert python3
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
need "$wine" "$wineserver"
[ -z "$msi" ] || need wixl
[ -f /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf ] ||
    { echo "wine: fonts-ipafont-gothic is missing; cannot run"; echo "0 passed, 1 failed"; exit 1; }

work=$(mktemp -d)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine mirrors the installer's Start-menu shortcut as a desktop entry, a menu and icons in the XDG
# folders: these are the test's own, so nothing reaches the desktop's menus.
export XDG_DATA_HOME=$work/xdg-data XDG_CONFIG_HOME=$work/xdg-config
cleanup() {
    stop_load
    xdotool keyup shift keyup ctrl 2>/dev/null
    "$wineserver" -k 2>/dev/null  # every process of this test's prefix, and only those
    desktop_stop
    rm -rf "$work"
}
trap cleanup EXIT

# The program folder: given, or unpacked from the zip (one folder at the top).
if [ -f "$1" ]; then
    python3 -m zipfile -e "$1" "$work/zip" || exit 1
    program=$(find "$work/zip" -mindepth 1 -maxdepth 1 -type d | head -n 1)
else
    program=$(cd "$1" && pwd)
fi
[ -f "$program/moravel.exe" ] && [ -f "$program/moravel-tool.exe" ] && [ -d "$program/Themes" ] ||
    { echo "wine: no program folder in '$1'"; echo "0 passed, 1 failed"; exit 1; }

# --- Wine ---

win() { env LC_ALL=ja_JP.UTF-8 "$wine" "$@"; }  # the locale need not exist on the Unix side

# A .reg file is UTF-16 with a BOM. The themes' "ＭＳ ゴシック" and "ＭＳ Ｐゴシック" are IPAGothic
# and IPAPGothic (same metrics); the menus' "MS UI Gothic" of a Japanese system is IPAPGothic.
make_prefix() {
    win wineboot --init >/dev/null 2>&1
    local reg=$work/fonts.reg
    {
        printf '\xff\xfe'
        printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
            '"ＭＳ ゴシック"="IPAGothic"' '"ＭＳ Ｐゴシック"="IPAPGothic"' '"MS UI Gothic"="IPAPGothic"' |
            iconv -f UTF-8 -t UTF-16LE
    } >"$reg"
    win regedit /S "$(win winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
    "$wineserver" -w  # the registry is written before the first program reads it
}

# --- the program and its windows ---

screen_width=1024
screen_height=600

new_folder() {  # a fresh copy of the program folder (a space in its name); prints its path
    local folder
    folder=$(mktemp -d "$work/Moravel run.XXXX")
    cp -r "$program/." "$folder/"
    echo "$folder"
}
start() {  # folder [locale]: starts moravel.exe there (its process keeps the id), sets $pid
    (cd "$1" && exec env LC_ALL="${2:-ja_JP.UTF-8}" "$wine" "$1/moravel.exe" \
        >>"$work/program.log" 2>&1) &
    pid=$!
}
processes() {  # folder: how many moravel.exe of that folder run
    pgrep -c -f "${1##*/}.moravel\.exe"
}
main_window() {  # the id of the program's main window
    xwininfo -root -children 2>/dev/null |
        awk '/"Moravel": \("moravel.exe" "moravel.exe"\)/ { print $1; exit }'
}
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
has_window() { local id; id=$(main_window); [ -n "$id" ] && viewable "$id"; }
no_window() { ! has_window; }
geometry() {  # id: prints "x y width height"
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}
at() {  # id x y: the window stands at that place
    local gx gy
    read -r gx gy _ _ <<<"$(geometry "$1")"
    [ "$gx $gy" = "$2 $3" ]
}
# The popup menu: a window of the program's besides the main one, shown and larger than a pixel.
menu_window() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null |
        awk '/\("moravel.exe" "moravel.exe"\)/ && !/"Moravel":/ && !/ 1x1\+/ { print $1 }'); do
        viewable "$id" && { echo "$id"; return; }
    done
}
menu_open() { [ -n "$(menu_window)" ]; }
open_menu() {  # x y: a right click there; true once the menu shows
    xdotool mousemove "$1" "$2" click 3
    wait_for 5 menu_open
}
menu_closed() { ! menu_open; }
# Wine's tray icons are windows of its explorer.exe, each embedded in trayer's panel.
tray_icon_windows() {
    local panel
    panel=$(xwininfo -root -children 2>/dev/null |
        awk '/"panel": \("panel" "trayer"\)/ { print $1; exit }')
    [ -n "$panel" ] || return 0
    xwininfo -tree -id "$panel" | awk '/\("explorer.exe" "explorer.exe"\)/ { print $1 }'
}
tray_icons() { tray_icon_windows | grep -c .; }
has_tray_icon() { [ "$(tray_icons)" -ge 1 ]; }
# Alt+F4 on the main window, focused by a middle click (a left click would end as a drag, which
# brings a window outside the work area back into it), then waits for the end.
focus_main() {
    local x y w h
    read -r x y w h <<<"$(geometry "$(main_window)")"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 2
    sleep 0.3
}
close_program() {
    focus_main
    xdotool key alt+F4
    wait_for 15 gone "$pid"
}
ini_line() {  # folder key: the key's line in Moravel.ini
    tr -d '\r' <"$1/Moravel.ini" 2>/dev/null | grep "^$2="
}
saved_place() {  # folder "Left=.. Top=.. Width=.. Height=..": what Moravel.ini holds
    local saved
    saved="$(ini_line "$1" Left) $(ini_line "$1" Top) $(ini_line "$1" Width) $(ini_line "$1" Height)"
    [ "$saved" = "$2" ] || { echo "    saved: $saved"; return 1; }
}

# --- pictures ---

shot() { import -window "$(main_window)" "$1" 2>/dev/null; }
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" = "0" ]; }
changes() {  # seconds, file: true once a new picture of the main window differs from the file
    local deadline=$((SECONDS + $1))
    until shot "${2%.png}-next.png" && differ "$2" "${2%.png}-next.png"; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.2
    done
}
icon_shot() { import -window "$(tray_icon_windows | head -n 1)" "$1" 2>/dev/null; }
# Now and then (about one start in four here) Wine's tray docks an empty place into trayer and
# draws the icon elsewhere, out of sight: the place stays one flat colour whatever the program
# sends. That is the host's failure, not the program's, and is said rather than failed.
icon_changes() {  # seconds, file: true once a new picture of the tray icon differs from the file
    local deadline=$((SECONDS + $1)) next=${2%.png}-next.png
    until icon_shot "$next" && differ "$2" "$next"; do
        if [ $SECONDS -ge "$deadline" ]; then
            [ "$(convert "$next" -format %k info: 2>/dev/null)" = 1 ] || return 1
            echo "    Wine's tray left the icon's place in trayer empty: not judged"
            return 0
        fi
        sleep 0.3
    done
}
keep_shot() {  # file name: copies a picture into $MORAVEL_SHOTS, when set
    [ -z "${MORAVEL_SHOTS:-}" ] || { mkdir -p "$MORAVEL_SHOTS" && cp "$2" "$MORAVEL_SHOTS/$1"; }
}
# The tray's corner of the screen (trayer's panel at the bottom right), enlarged six times
# without smoothing.
tray_picture() {
    import -window root -crop 64x36+$((screen_width - 64))+$((screen_height - 36)) +repage \
        "$work/tray-corner.png" 2>/dev/null &&
        convert "$work/tray-corner.png" -filter point -resize 600% "$1"
}

# --- scenarios ---

# The window at its designed size in the middle of the screen; the tray graph; a drag that stops
# at the work area's edge; the popup menu; Alt+F4 saving the place.
scenario_shown() {
    local folder x y w h wid y2
    folder=$(new_folder)
    printf '[Settings]\r\nIconGraphMode=1\r\n' >"$folder/Moravel.ini"
    start "$folder"
    check "window appears" wait_for 30 has_window
    check "tray icon appears" wait_for 10 has_tray_icon
    # The icon's graph as it starts, nearly empty: from here it fills a column a second, whatever
    # the load, so it changes even on a machine that other work keeps at 100 %.
    icon_shot "$work/icon-a.png"
    check "one tray icon" test "$(tray_icons)" -eq 1
    wid=$(main_window)
    read -r x y w h <<<"$(geometry "$wid")"
    check "designed size, centred" test "$w $h $x $y" = \
        "300 100 $(((screen_width - 300) / 2)) $(((screen_height - 100) / 2))"

    uneven_load 30
    shot "$work/a.png"
    check "the graph changes from one second to the next" changes 3 "$work/a.png"
    shot "$work/b.png"
    check "and again" changes 3 "$work/b.png"
    check "the tray icon's graph changes" icon_changes 15 "$work/icon-a.png"
    keep_shot ship-window.png "$work/b.png"
    tray_picture "$work/tray.png" && keep_shot ship-tray.png "$work/tray.png"
    stop_load

    # A left-button drag past the left edge stops there; with Shift held it goes past.
    drag $((x + 150)) $((y + 50)) $((x - 300)) $((y + 60))
    y2=$((y + 10))
    check "drag stops at the work area's left edge" wait_for 3 at "$wid" 0 "$y2"
    xdotool keydown shift
    drag 150 $((y2 + 50)) 50 $((y2 + 50))
    xdotool keyup shift
    check "drag with Shift leaves the work area" wait_for 3 at "$wid" -100 "$y2"

    check "right click opens the popup menu" open_menu 100 $((y2 + 50))
    if menu_open; then
        sleep 0.3
        import -window root "$work/menu-root.png" 2>/dev/null
        convert "$work/menu-root.png" -crop 320x200+0+$((y2 - 20)) +repage "$work/menu.png"
        keep_shot ship-menu.png "$work/menu.png"
    fi
    xdotool key Escape
    check "Escape closes the menu" wait_for 3 menu_closed

    # The sizing band, the window's outermost pixels, is the window's for the right button too.
    read -r x y w h <<<"$(geometry "$wid")"
    check "right click on the sizing edge opens the popup menu" open_menu $((x + w - 2)) $((y + h / 2))
    if menu_open; then
        sleep 0.3
        import -window root "$work/menu-root.png" 2>/dev/null
        convert "$work/menu-root.png" -crop 420x220+0+$((y - 20)) +repage "$work/menu-edge.png"
        keep_shot ship-menu-edge.png "$work/menu-edge.png"
    fi
    xdotool key Escape
    wait_for 3 menu_closed

    focus_main
    xdotool key shift+alt+F4
    sleep 0.5
    check "Shift+Alt+F4 leaves the window" has_window
    xdotool key ctrl+alt+F4
    sleep 0.5
    check "Ctrl+Alt+F4 leaves the window" has_window

    close_program
    check "Alt+F4 ends the program" gone "$pid"
    check "Moravel.ini has the place and size" \
        saved_place "$folder" "Left=-100 Top=$y2 Width=300 Height=100"
    check "the tray icon is gone" wait_for 5 test "$(tray_icons)" -eq 0
}

# The setup dialog from the popup menu: another theme chosen in its list and OK redraw the window
# in it, and Moravel.ini names it after the end.
titled() {  # title: the id of the program's window of that title
    xwininfo -root -children 2>/dev/null |
        awk -v title="\"$1\": (\"moravel.exe\"" 'index($0, title) { print $1; exit }'
}
setup_caption="Moravel の設定"
editor_caption="テーマファイルの編集"
setup_dialog() { titled "$setup_caption"; }
setup_open() { local id; id=$(setup_dialog); [ -n "$id" ] && viewable "$id"; }
setup_closed() { ! setup_open; }
theme_editor() { titled "$editor_caption"; }
editor_open() { local id; id=$(theme_editor); [ -n "$id" ] && viewable "$id"; }
editor_closed() { ! editor_open; }
about_open() { local id; id=$(titled "About"); [ -n "$id" ] && viewable "$id"; }
about_closed() { ! about_open; }
repainted() {  # file: most of the window's picture differs from it (not a graph's scroll)
    local n
    shot "$work/after.png" || return 1
    n=$(compare -metric AE "$1" "$work/after.png" null: 2>&1)
    [ "${n%%.*}" -gt 15000 ] 2>/dev/null
}
scenario_setup_dialog() {
    local folder x y w h dx dy theme
    folder=$(new_folder)
    printf '[Settings]\r\nThemeName="graph.tm"\r\n' >"$folder/Moravel.ini"
    start "$folder"
    check "setup: window appears" wait_for 30 has_window
    read -r x y w h <<<"$(geometry "$(main_window)")"
    check "setup: the popup menu opens" open_menu $((x + w / 2)) $((y + h / 2))
    xdotool key s  # 設定(&S)
    check "setup: the dialog opens from the menu" wait_for 10 setup_open
    sleep 0.5
    shot "$work/before.png"
    import -window root "$work/setup-root.png" 2>/dev/null &&
        keep_shot ship-setup.png "$work/setup-root.png"
    xdotool key alt+t Down  # テーマ(&T): the list, and the theme below the current one
    sleep 0.3
    # 編集... opens the theme editor; Esc closes it and changes nothing. (The buttons' places in
    # the dialog, measured on this screen with these fonts.)
    read -r dx dy _ _ <<<"$(geometry "$(setup_dialog)")"
    xdotool mousemove $((dx + 383)) $((dy + 247)) click 1
    check "setup: 編集... opens the theme editor" wait_for 10 editor_open
    sleep 0.5
    import -window root "$work/editor-root.png" 2>/dev/null &&
        keep_shot ship-editor.png "$work/editor-root.png"
    xdotool key Escape
    check "setup: Esc closes the theme editor" wait_for 5 editor_closed
    xdotool mousemove $((dx + 189)) $((dy + 294)) click 1  # OK
    check "setup: OK closes the dialog" wait_for 5 setup_closed
    check "setup: the window shows the chosen theme" wait_for 5 repainted "$work/before.png"
    close_program
    theme=$(ini_line "$folder" ThemeName)
    check "setup: Moravel.ini names another theme" test "$theme" != 'ThemeName="graph.tm"'
    theme=${theme#ThemeName=\"}
    check "setup: and it is a shipped theme" test -f "$folder/Themes/${theme%\"}"
}

# An English user: the popup menu, the setup dialog, the theme editor and the about box in
# English (which language a setting chooses is the core's to prove). Pictures of each are kept.
scenario_languages() {
    local folder x y w h dx dy setup_caption="Moravel Settings" editor_caption="Edit Theme"
    folder=$(new_folder)
    start "$folder" en_US.UTF-8
    check "english: window appears" wait_for 30 has_window
    read -r x y w h <<<"$(geometry "$(main_window)")"
    check "english: the popup menu opens" open_menu $((x + w / 2)) $((y + h / 2))
    sleep 0.3
    import -window root "$work/english-menu.png" 2>/dev/null &&
        keep_shot english-menu.png "$work/english-menu.png"
    xdotool key s  # &Settings...
    check "english: the setup dialog is in English" wait_for 10 setup_open
    sleep 0.5
    import -window root "$work/english-setup.png" 2>/dev/null &&
        keep_shot english-setup.png "$work/english-setup.png"
    read -r dx dy _ _ <<<"$(geometry "$(setup_dialog)")"
    xdotool mousemove $((dx + 383)) $((dy + 247)) click 1  # Edit..., where 編集... is
    check "english: the theme editor is in English" wait_for 10 editor_open
    sleep 0.5
    xdotool key alt+p  # &Percent: the page whose captions are widest in English
    sleep 0.5
    import -window root "$work/english-editor.png" 2>/dev/null &&
        keep_shot english-editor.png "$work/english-editor.png"
    xdotool key Escape
    check "english: Esc closes the theme editor" wait_for 5 editor_closed
    xdotool key Escape
    check "english: Esc closes the setup dialog" wait_for 5 setup_closed
    open_menu $((x + w / 2)) $((y + h / 2)) && xdotool key Down Down Down Return  # About
    check "english: the about box is in English" wait_for 10 about_open
    sleep 0.5
    import -window root "$work/english-about.png" 2>/dev/null &&
        keep_shot english-about.png "$work/english-about.png"
    xdotool key Escape
    check "english: Esc closes the about box" wait_for 5 about_closed
    close_program
}

# Processor utility asked for (CpuFigure=1): Wine's performance counters have none, so the
# program shows processor time in its place, its graph moving; the setup dialog shows the box
# checked, and Moravel.ini keeps CpuFigure=1 after the end. The tray icon shows the number
# (IconGraphMode=4), changing with the load.
scenario_cpu_figure() {
    local folder x y w h
    folder=$(new_folder)
    printf '[Settings]\r\nIconGraphMode=4\r\nCpuFigure=1\r\n' >"$folder/Moravel.ini"
    start "$folder"
    check "figure: window appears" wait_for 30 has_window
    check "figure: tray icon appears" wait_for 10 has_tray_icon
    uneven_load 20
    shot "$work/figure.png"
    check "figure: processor time in its place, the graph moving" changes 5 "$work/figure.png"
    icon_shot "$work/number-a.png"
    check "figure: the tray icon's number changes" icon_changes 15 "$work/number-a.png"
    tray_picture "$work/tray-number.png" && keep_shot ship-tray-number.png "$work/tray-number.png"
    stop_load
    read -r x y w h <<<"$(geometry "$(main_window)")"
    check "figure: the popup menu opens" open_menu $((x + w / 2)) $((y + h / 2))
    xdotool key s  # 設定(&S)
    check "figure: the setup dialog opens" wait_for 10 setup_open
    sleep 0.5
    read -r x y w h <<<"$(geometry "$(setup_dialog)")"
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/setup-figure.png" 2>/dev/null &&
        keep_shot setup-cpufigure.png "$work/setup-figure.png"
    xdotool key Escape
    check "figure: Esc closes the dialog" wait_for 5 setup_closed
    close_program
    check "figure: Moravel.ini keeps CpuFigure=1" test "$(ini_line "$folder" CpuFigure)" = "CpuFigure=1"
}

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

# A saved hidden state: a tray icon and no window. A second start brings the window back at its
# saved place and leaves one process and one tray icon.
scenario_hidden_then_second_start() {
    local folder first x y w h
    folder=$(new_folder)
    printf '[Settings]\r\nState=1\r\nLeft=10\r\nTop=20\r\nWidth=320\r\nHeight=110\r\n' \
        >"$folder/Moravel.ini"
    start "$folder"
    first=$pid
    check "hidden start: tray icon" wait_for 30 has_tray_icon
    sleep 1  # the window would be shown before the icon is added; a moment more anyway
    check "hidden start: no window" no_window
    start "$folder"
    check "second start ends" wait_for 20 gone "$pid"
    check "the first one still runs" kill -0 "$first"
    check "one process" test "$(processes "$folder")" -eq 1
    check "second start shows the hidden window" wait_for 10 has_window
    read -r x y w h <<<"$(geometry "$(main_window)")"
    check "saved place and size" test "$x $y $w $h" = "10 20 320 110"
    check "still one tray icon" test "$(tray_icons)" -eq 1
    pid=$first
    close_program
    check "closing saves the shown state" test "$(ini_line "$folder" State)" = "State=0"
}

# The tray icon's clicks reach the program: a double click brings a hidden window back; the right
# button opens the popup menu there, whose 隠す(&B) hides the window again and whose 終了(&X) ends
# the program, saving the hidden state.
tray_click() {  # button count: clicks on the tray icon
    local icon
    icon=$(tray_icon_windows | head -n 1)
    [ -n "$icon" ] || return 1
    xdotool mousemove --window "$icon" 8 8 click --repeat "$2" --delay 80 "$1"
}
scenario_tray_clicks() {
    local folder
    folder=$(new_folder)
    printf '[Settings]\r\nState=1\r\n' >"$folder/Moravel.ini"
    start "$folder"
    check "tray: hidden start, tray icon" wait_for 30 has_tray_icon
    sleep 1
    check "tray: a single click leaves the window hidden" eval 'tray_click 1 1 && sleep 1 && no_window'
    tray_click 1 2
    check "tray: a double click shows the window" wait_for 10 has_window
    tray_click 3 1
    check "tray: the right button opens the popup menu" wait_for 5 menu_open
    xdotool key b  # 隠す(&B)
    check "tray: 隠す(&B) hides the window" wait_for 5 no_window
    tray_click 3 1
    wait_for 5 menu_open
    xdotool key x  # 終了(&X)
    check "tray: 終了(&X) ends the program" wait_for 15 gone "$pid"
    check "tray: the hidden state is saved" test "$(ini_line "$folder" State)" = "State=1"
}

# The first frame of a known history (TestData.dat, loaded while Shift and Ctrl are held at
# start) equals moravel-tool's picture of it, pixel for pixel, in every shipped theme: the
# Windows tool draws with the program's GDI text and WIC pictures, so the themes with text match
# too. What this proves is the program's side: the window's inner size, the border, the frame
# shown as it was drawn, the history's length and write position, the theme's pictures found.
history_lines() {
    local i
    for i in $(seq 0 399); do printf '%d\r\n' $(((i * 37 + i * i) % 101)); done
}
client_area() {  # file: the window's inner picture, inside its one-pixel border
    shot "$work/window.png" &&
        convert "$work/window.png" -crop "$(($1 - 2))x$(($2 - 2))+1+1" +repage "$3"
}
frame_is() {  # reference: the inner picture equals it
    client_area 300 100 "$work/frame.png" && same "$work/frame.png" "$1"
}
first_frame() {  # folder theme: one start in test-data mode, compared
    local folder=$1 theme=$2 ref
    ref=$work/ref-${theme%.tm}.png
    history_lines >"$folder/TestData.dat"
    (cd "$folder" && win moravel-tool.exe render --history TestData.dat \
        --theme "Themes\\$theme" --themes-dir Themes --history-size "$screen_width" \
        --out "$ref" >/dev/null 2>&1)
    printf '[Settings]\r\nThemeName="%s"\r\n' "$theme" >"$folder/Moravel.ini"
    # Wine learns of keys held before its window exists when the pointer enters the window
    # (KeymapNotify): the pointer waits where the window will appear, in the screen's middle.
    # Now and then Wine has not yet learnt of the keys when the program asks: the program then
    # runs live, and the start is tried again (at most three times).
    local attempt
    for attempt in 1 2 3; do
        xdotool mousemove $((screen_width / 2)) $((screen_height / 2))
        xdotool keydown shift keydown ctrl
        start "$folder"
        wait_for 30 has_window
        wait_for 8 frame_is "$ref" && break
        xdotool keyup ctrl keyup shift
        [ $attempt -eq 3 ] || { echo "    $theme: started live, again"; close_program; }
    done
    check "$theme: the first frame is moravel-tool's picture" frame_is "$ref"
    xdotool keyup ctrl keyup shift
    [ "$theme" != graph.tm ] || keep_shot ship-window-testdata.png "$work/window.png"
    if ! frame_is "$ref"; then
        echo "    $(compare -metric AE "$work/frame.png" "$ref" null: 2>&1) pixels differ"
        keep_shot "ship-frame-${theme%.tm}-window.png" "$work/frame.png"
        keep_shot "ship-frame-${theme%.tm}-tool.png" "$ref"
    fi
    close_program
}
scenario_first_frames() {
    local theme
    for theme in $(cd "$program/Themes" && ls -- *.tm); do
        first_frame "$(new_folder)" "$theme"
    done
}

# The installer: msiexec installs the program folder and the marker for the user into
# %LOCALAPPDATA%\Programs\Moravel, with a Start-menu shortcut and an Apps & features entry; the
# program started from the shortcut keeps its settings in %APPDATA%\Moravel, not beside itself;
# a higher version replaces it in place, laying its files again; the uninstall removes the
# program and the shortcut and leaves the user's settings and themes.
win_path() { win winepath -w "$1" 2>/dev/null | tr -d '\r'; }
unix_path() { win winepath -u "$1" 2>/dev/null | tr -d '\r'; }
win_variable() { win cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
msiexec() {  # /i or /x, MSI: true when msiexec succeeds without a window
    win msiexec "$1" "$(win_path "$2")" /qn >>"$work/program.log" 2>&1
}
apps_entries() {  # "version|publisher|folder" of each Apps & features entry named Moravel
    local root
    for root in HKCU HKLM; do
        win reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
    done | tr -d '\r' | awk -F '    ' '
        function flush() { if (name == "Moravel") print version "|" publisher "|" folder }
        /^HKEY_/ { flush(); name = version = publisher = folder = "" }
        $2 == "DisplayName" { name = $4 } $2 == "DisplayVersion" { version = $4 }
        $2 == "Publisher" { publisher = $4 } $2 == "InstallLocation" { folder = $4 }
        END { flush() }'
}
entries_are() {  # "version|publisher|folder" lines or "": true once Apps & features lists those
    # Read again for ten seconds: once in many runs the list read right after Wine's msiexec
    # returned was not the one expected. A failure says what it listed.
    wait_for 10 listed "$1" && return
    echo "Apps & features lists: $(apps_entries | paste -sd ' ' | grep . || echo nothing)" >&2
    return 1
}
listed() { [ "$(apps_entries)" = "$1" ]; }
product_icon() {  # the icon file Windows Installer published for Apps & features, as a Unix path
    local icon
    icon=$(win reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null |
        tr -d '\r' | awk -F '    ' '$2 == "ProductIcon" { print $4; exit }')
    [ -n "$icon" ] && unix_path "$icon"
}
as_shipped() {  # folder: the program folder's files, byte for byte, and the marker
    diff -r -x Moravel.installed "$program" "$1" && test -f "$1/Moravel.installed"
}
scenario_installer() {
    local version bumped installed roaming settings shortcut local_folder major minor patch
    version=$(basename "$msi" | sed -n 's/^Moravel-\([0-9.]*\)-win64\.msi$/\1/p')
    local_folder="$(win_variable LOCALAPPDATA)\\Programs\\Moravel"
    installed=$(unix_path "$local_folder")
    roaming=$(win_variable APPDATA)
    settings=$(unix_path "$roaming\\Moravel")
    shortcut=$(unix_path "$roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Moravel.lnk")
    check "installer: msiexec /i /qn succeeds" msiexec /i "$msi"
    check "installer: the program folder in %LOCALAPPDATA%\\Programs\\Moravel" \
        as_shipped "$installed"
    check "installer: the Start-menu shortcut" test -f "$shortcut"
    check "installer: the Apps & features entry" \
        entries_are "$version|The Moravel authors|$local_folder\\"
    check "installer: its icon is the program's" \
        cmp -s "$(product_icon)" "$here/../../resources/app/moravel.ico"

    # Started as a user starts it, from the shortcut.
    win start /unix "$shortcut" >>"$work/program.log" 2>&1
    check "installer: the installed program shows its window" wait_for 30 has_window
    check "installer: and its tray icon" wait_for 10 has_tray_icon
    pid=$(pgrep -f 'Programs.Moravel.moravel\.exe' | head -n 1)
    close_program
    check "installer: the settings are in %APPDATA%\\Moravel" ini_has "$settings" "Width=300"
    check "installer: not beside the program" test ! -e "$installed/Moravel.ini"
    mkdir -p "$settings/Themes"
    cp "$program/Themes/graph.tm" "$settings/Themes/mine.tm"
    cp -r "$settings" "$work/settings-before"

    # A higher version of the same folder; a file lost meanwhile comes back with it.
    IFS=. read -r major minor patch <<<"$version"
    bumped=$major.$minor.$((patch + 1))
    "$here/../../scripts/make-msi.sh" "$program" "$bumped" "$work/Moravel-$bumped-win64.msi"
    rm "$installed/Moravel.HLP"
    check "upgrade: msiexec /i /qn of $bumped succeeds" msiexec /i "$work/Moravel-$bumped-win64.msi"
    check "upgrade: one Apps & features entry, of $bumped" \
        entries_are "$bumped|The Moravel authors|$local_folder\\"
    check "upgrade: the program folder in place, as shipped" as_shipped "$installed"
    check "upgrade: the user's files as they were" diff -r "$work/settings-before" "$settings"

    check "uninstall: msiexec /x /qn succeeds" msiexec /x "$work/Moravel-$bumped-win64.msi"
    check "uninstall: the program folder is gone" test ! -e "$installed"
    check "uninstall: the shortcut is gone" test ! -e "$shortcut"
    check "uninstall: no Apps & features entry" entries_are ""
    check "uninstall: the user's settings and themes stay" \
        diff -r "$work/settings-before" "$settings"
}

# A screen of double density (192 dpi, set for the whole prefix, so this runs last): the window
# is twice its designed size in device pixels, centred, its graph drawn in squares of two; the
# file keeps the designed size.
scenario_double_density() {
    local folder x y w h
    win reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
    "$wineserver" -k 2>/dev/null
    "$wineserver" -w 2>/dev/null
    folder=$(new_folder)
    printf '[Settings]\r\nIconGraphMode=1\r\n' >"$folder/Moravel.ini"
    start "$folder"
    check "192 dpi: window appears" wait_for 30 has_window
    read -r x y w h <<<"$(geometry "$(main_window)")"
    check "192 dpi: twice the designed size, centred" test "$w $h $x $y" = \
        "600 200 $(((screen_width - 600) / 2)) $(((screen_height - 200) / 2))"
    check "192 dpi: tray icon appears" wait_for 10 has_tray_icon
    sleep 2
    shot "$work/dense.png" && keep_shot ship-192dpi.png "$work/dense.png"
    # Every frame pixel is a 2 x 2 square: halving and doubling again changes nothing.
    convert "$work/dense.png" -filter point -resize 50% -resize 200% "$work/dense-again.png"
    check "192 dpi: the frame is drawn in squares of two pixels" same "$work/dense.png" "$work/dense-again.png"
    close_program
    check "192 dpi: Moravel.ini keeps the designed size" test \
        "$(ini_line "$folder" Width) $(ini_line "$folder" Height)" = "Width=300 Height=100"
}

scenarios=(scenario_shown scenario_setup_dialog scenario_hidden_then_second_start
    scenario_tray_clicks scenario_cpu_figure scenario_first_frames scenario_languages)
[ -z "$msi" ] || scenarios+=(scenario_installer)
scenarios+=(scenario_double_density)

desktop_start "${screen_width}x${screen_height}"
make_prefix
for scenario in "${scenarios[@]}"; do
    echo "--- $scenario"
    "$scenario"
done
finish
