#!/usr/bin/env bash
# A throwaway X desktop for running Moravel without a display: Xvfb, a tray host (trayer) and a
# private D-Bus session. Source it, then call desktop_start and desktop_stop.
#   desktop_start [WIDTHxHEIGHT [TRAY]]   sets DISPLAY and DBUS_SESSION_BUS_ADDRESS; TRAY is
#                                         trayer (the default) or none, for a caller that starts
#                                         its own tray host
#   desktop_stop                          ends everything desktop_start began, and the services
#                                         the session bus started on request
desktop_pids=()

desktop_start() {
    local size=${1:-1280x800}
    local tray=${2:-trayer}
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d)  # private (0700), as a session's runtime folder is
        export XDG_RUNTIME_DIR
        desktop_runtime=$XDG_RUNTIME_DIR
    fi
    desktop_x_server "$size" || return 1
    if command -v dbus-daemon >/dev/null; then
        local address
        address=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 2>/dev/null | {
            read -r a
            read -r p
            echo "$a $p"
        })
        export DBUS_SESSION_BUS_ADDRESS=${address% *}
        desktop_pids+=("${address#* }")
    fi
    [ "$tray" = trayer ] || return 0
    # The tray host: a panel at the bottom with room for a few icons.
    trayer --edge bottom --align right --widthtype request --height 24 --transparent false \
        --tint 0x404040 --SetDockType true >/dev/null 2>&1 &
    desktop_pids+=($!)
    sleep 0.5
}

# Xvfb, which takes a free display number itself and writes it once it accepts clients: two
# desktops started at once on one machine never pick the same. A server that ends before it is
# ready is started again, twice at most.
desktop_x_server() {  # size
    local number log tries i server
    number=$(mktemp)
    log=$(mktemp)
    for tries in 1 2 3; do
        Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$number" >"$log" 2>&1 &
        server=$!
        for i in $(seq 1 300); do
            [ -s "$number" ] && break
            kill -0 "$server" 2>/dev/null || break
            sleep 0.1
        done
        [ -s "$number" ] && break
        kill "$server" 2>/dev/null
        wait "$server" 2>/dev/null
        echo "desktop.sh: Xvfb did not start (try $tries):" >&2
        tail -n 5 "$log" >&2
    done
    local started=1
    if [ -s "$number" ]; then
        desktop_pids+=("$server")
        export DISPLAY=":$(head -n 1 "$number")"
        started=0
    fi
    rm -f "$log" "$number"
    return $started
}

# The processes connected to the private session bus: our own, and those it started on request
# (a settings daemon, say), which outlive the bus unless ended.
desktop_bus_clients() {
    command -v gdbus >/dev/null && [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || return 0
    local name
    for name in $(gdbus call --session --timeout 2 --dest org.freedesktop.DBus \
        --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.ListNames 2>/dev/null |
        grep -o "':[0-9.]*'" | tr -d "'"); do
        gdbus call --session --timeout 2 --dest org.freedesktop.DBus \
            --object-path /org/freedesktop/DBus \
            --method org.freedesktop.DBus.GetConnectionUnixProcessID "$name" 2>/dev/null |
            sed -n 's/^(uint32 \([0-9]*\),)$/\1/p'
    done
}

desktop_stop() {
    local pid
    for pid in $(desktop_bus_clients); do
        [ "$pid" = $$ ] || kill "$pid" 2>/dev/null || true
    done
    for pid in "${desktop_pids[@]}"; do
        kill "$pid" 2>/dev/null || true  # it may have ended by itself
    done
    # Wait for our own children; the session bus forked itself away and is no child to wait
    # for (wait fails with 127 there, which must not end a caller that runs under set -e).
    for pid in "${desktop_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    desktop_pids=()
    if [ -n "${desktop_runtime:-}" ]; then
        rm -rf "$desktop_runtime"
        unset XDG_RUNTIME_DIR desktop_runtime
    fi
}
