#!/usr/bin/env bash
# A throwaway X desktop for running Moravel without a display: Xvfb, a tray host (trayer) and a
# private D-Bus session. Source it, then call desktop_start and desktop_stop.
#   desktop_start [WIDTHxHEIGHT]   sets DISPLAY and DBUS_SESSION_BUS_ADDRESS
#   desktop_stop                    ends everything desktop_start began
desktop_pids=()

desktop_start() {
    local size=${1:-1280x800}
    local n
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            break
        fi
    done
    if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
        XDG_RUNTIME_DIR=$(mktemp -d)  # private (0700), as a session's runtime folder is
        export XDG_RUNTIME_DIR
        desktop_runtime=$XDG_RUNTIME_DIR
    fi
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    desktop_pids+=($!)
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
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
    # The tray host: a panel at the bottom with room for a few icons.
    trayer --edge bottom --align right --widthtype request --height 24 --transparent false \
        --tint 0x404040 --SetDockType true >/dev/null 2>&1 &
    desktop_pids+=($!)
    sleep 0.5
}

desktop_stop() {
    local pid
    # Safe under `set -e`: the forked D-Bus daemon is no child to wait for, and the others end by
    # the signal.
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
