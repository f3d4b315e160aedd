#!/usr/bin/env bash
# What a screen reader finds in the running program, over AT-SPI, in each language: the main
# window a chart with the usage as "N %"; the setup dialog's controls named by their captions,
# Japanese under a Japanese or C locale and English under an English one; no control of the
# setup dialog or the theme editor without a name (a list is named by its label, as Qt relates
# them on Linux; the theme list shows the themes' own titles, which are not the interface's).
# Usage: atspi_test.sh PROGRAM_FOLDER   (the build's bin folder: moravel, Themes, Moravel.HLP)
set -u
bin=$(cd "$1" && pwd)
suite=atspi
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh" # check, wait_for, finish, need
. "$here/../../scripts/desktop.sh"
need Xvfb trayer xdotool xwininfo dbus-daemon /usr/libexec/at-spi-bus-launcher /usr/bin/python3
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || need python3-pyatspi
work=$(mktemp -d)
pid=
launcher=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    [ -n "$launcher" ] && kill "$launcher" 2>/dev/null
    desktop_stop
    rm -rf "$work"
}
trap cleanup EXIT
desktop_start 1024x700
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
sleep 1
atspi() { /usr/bin/python3 "$here/atspi_check.py" "$@"; }
main_window() { xwininfo -root -children 2>/dev/null | awk '/"Moravel": \("moravel"/ { print $1; exit }'; }
open_menu() {
    local x y
    read -r x y < <(xwininfo -id "$(main_window)" |
        awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
    xdotool mousemove $((x + 150)) $((y + 50)) click 3
    sleep 1
}
has_window() { [ -n "$(main_window)" ]; }
names() { atspi dialog "$1" >"$2"; }  # title, file

run() {  # locale, the menu's two first items, setup dialog's and editor's titles, then the
    # names the setup dialog must have
    local locale=$1 hide=$2 settings=$3 setup=$4 editor=$5 home
    shift 5
    home="$work/$locale"
    cp -r "$bin" "$home"
    LANG=$locale LC_ALL= LC_MESSAGES= QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$home/moravel" \
        >"$work/program.log" 2>&1 &
    pid=$!
    check "$locale: window appears" wait_for 10 has_window
    sleep 1
    check "$locale: the window is a chart with the usage" atspi window
    # The menu's items are announced as the keyboard reaches them: 隠す, then 設定 past the
    # separator, which opens the setup dialog.
    open_menu
    atspi menu >"$work/menu.txt"
    check "$locale: the menu announces $hide and $settings" \
        diff <(printf 'menu item|%s\n' "$hide" "$settings") "$work/menu.txt"
    xdotool key Return
    check "$locale: every control of the setup dialog has a name" \
        names "$setup" "$work/setup.txt"
    local name
    for name in "$@"; do
        check "$locale: the setup dialog has $name" grep -q -F "$name" "$work/setup.txt"
    done
    if [ "${locale%%_*}" = en ]; then
        check "$locale: no Japanese in the setup dialog's names" \
            sh -c "! grep -v '^combo box|' '$work/setup.txt' |
                grep -q -P '[\x{3000}-\x{9fff}\x{ff00}-\x{ffef}]'"
    fi
    local point
    point=$(atspi centre "$setup" "$([ "${locale%%_*}" = en ] && echo Edit... || echo 編集...)")
    xdotool mousemove ${point% *} ${point#* } click 1
    check "$locale: every control of the theme editor has a name" \
        names "$editor" "$work/editor.txt"
    cp "$work/setup.txt" "$work/editor.txt" "${ATSPI_KEEP:-$work}/" 2>/dev/null
    kill "$pid"
    wait "$pid" 2>/dev/null
    pid=
}

ja=("push button|OK" "push button|キャンセル" "push button|更新" "check box|常に最前面に表示する"
    "combo box|表示サイクル")
run ja_JP.UTF-8 "隠す(B)" "設定(S)..." "Moravel の設定" "テーマファイルの編集" "${ja[@]}"
run C.UTF-8 "隠す(B)" "設定(S)..." "Moravel の設定" "テーマファイルの編集" "${ja[@]}"
run en_US.UTF-8 "Hide" "Settings..." "Moravel Settings" "Edit Theme" "push button|OK" "push button|Cancel" \
    "push button|Apply" "check box|Always in front" "combo box|Cycle"
finish
