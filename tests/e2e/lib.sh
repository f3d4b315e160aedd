# Helpers of the end-to-end tests on real desktops: checks, waiting for conditions, and the
# program's StatusNotifierItem as a tray host sees it over D-Bus. Source it; set `suite` (the
# test's name in its messages) first.
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

finish() {  # the closing count; fails when a check failed or none ran
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
}

# A test that cannot run fails: a missing host must not look like a passing one.
need() {  # tool...: ends the test when one is missing
    local tool
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "$suite: $tool is missing (scripts/deps.sh e2e desktops installs it); cannot run"
            echo "0 passed, 1 failed"
            exit 1
        fi
    done
}

wait_for() {  # seconds, command...: true once the command succeeds
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.2
    done
}

gone() { ! kill -0 "$1" 2>/dev/null; }

new_home() {  # program-folder: a fresh folder for the program's files beside the given one
    local home
    home=$(mktemp -d "$work/home.XXXX")
    cp -r "$1/Themes" "$home/"
    echo "$home"
}

ini_has() { tr -d '\r' <"$1/Moravel.ini" 2>/dev/null | grep -qx "$2"; }

differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1)" != "0" ]; }

# Load that comes and goes, so the graph has something to show from one second to the next.
load_pid=
uneven_load() {  # seconds
    timeout "$1" sh -c 'while :; do timeout 0.7 sh -c "while :; do :; done"; sleep 0.5; done' \
        >/dev/null 2>&1 &
    load_pid=$!
}
stop_load() { [ -z "$load_pid" ] || kill "$load_pid" 2>/dev/null || true; }

# --- the StatusNotifierItem, as the host's watcher lists it ---

bus_call() {  # destination object method args...
    gdbus call --session --timeout 5 --dest "$1" --object-path "$2" --method "$3" "${@:4}" \
        2>/dev/null
}
watcher_property() {  # name
    bus_call org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher "$1"
}
host_registered() { watcher_property IsStatusNotifierHostRegistered | grep -q true; }
sni_items() {  # one "service object" line per registered item
    watcher_property RegisteredStatusNotifierItems | grep -o "'[^']*'" | tr -d "'" |
        while read -r item; do
            case $item in
                */*) echo "${item%%/*} /${item#*/}" ;;
                *) echo "$item /StatusNotifierItem" ;;
            esac
        done
}
sni_count() { sni_items | grep -c .; }
has_item() { [ "$(sni_count)" -ge 1 ]; }
no_item() { [ "$(sni_count)" -eq 0 ]; }
item_property() {  # name: the first item's property, as gdbus prints it
    local service object
    read -r service object <<<"$(sni_items | head -n 1)"
    bus_call "$service" "$object" org.freedesktop.DBus.Properties.Get \
        org.kde.StatusNotifierItem "$1"
}
item_call() {  # method args...: calls the first item
    local service object
    read -r service object <<<"$(sni_items | head -n 1)"
    bus_call "$service" "$object" "org.kde.StatusNotifierItem.$1" "${@:2}" >/dev/null
}
item_pixmap_changes() {  # seconds: true once the item's IconPixmap differs from its first
    local first deadline=$((SECONDS + $1))
    first=$(item_property IconPixmap | md5sum)
    [ "$first" != "$(printf '' | md5sum)" ] || return 1
    until [ "$(item_property IconPixmap | md5sum)" != "$first" ]; do
        [ $SECONDS -ge "$deadline" ] && return 1
        sleep 0.2
    done
}
item_tip_is_usage() { item_property ToolTip | grep -q "'CPU使用率 [0-9]\+ %'"; }

# The item's menu as com.canonical.dbusmenu exports it: what a host reads when it builds its
# menu, before it is ever shown.
menu_layout() {
    local service object menu
    read -r service object <<<"$(sni_items | head -n 1)"
    menu=$(item_property Menu | grep -o "'/[^']*'" | tr -d "'")
    [ -n "$menu" ] || return 1
    bus_call "$service" "$menu" com.canonical.dbusmenu.GetLayout -- 0 -1 '[]'
}
menu_labels() {  # one label a line, in order
    menu_layout | grep -o "'label': <'[^']*'>" | sed "s/^'label': <'//; s/'>\$//"
}
menu_has() {  # label...: each is among the menu's labels
    local labels label
    labels=$(menu_labels)
    for label in "$@"; do
        grep -qxF "$label" <<<"$labels" || return 1
    done
}
menu_click() {  # label: clicks that item as a host does
    local service object menu id
    read -r service object <<<"$(sni_items | head -n 1)"
    menu=$(item_property Menu | grep -o "'/[^']*'" | tr -d "'")
    id=$(menu_layout | grep -o "([0-9]\+, {[^}]*'label': <'$1'>" | grep -o '^([0-9]\+' | tr -d '(')
    [ -n "$id" ] || return 1
    bus_call "$service" "$menu" com.canonical.dbusmenu.Event -- "$id" clicked '<0>' 0 >/dev/null
}
