#!/usr/bin/env bash
# A real-time soak of the release program: Moravel runs on a virtual desktop with a tray host at
# Cycle=1 with the tray-icon graph on, so the window graph and the tray icon are redrawn every
# second, and once a minute this records what it holds: resident memory, open file descriptors
# and its X resources (xrestop: windows, pixmaps, GCs, pictures, ... and the bytes of pixmaps).
# At the end it prints the growth of each from the end of the warm-up to the last minute.
# Usage: bench/soak.sh [MINUTES]   (default 60; WARMUP_MINUTES, default 5, are not counted)
#        SOAK_ICON_MODE=1|2|3 (default 1), SOAK_THEME=name.tm (default graph.tm)
# The table is also written to build/soak/soak-<time>.tsv.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-60}
warmup=${WARMUP_MINUTES:-5}
[ "$warmup" -lt "$minutes" ] || warmup=0
bin=${MORAVEL_BIN:-build/release/bin}
[ -x "$bin/moravel" ] || {
    echo "build first: cmake --preset release && cmake --build --preset release" >&2
    exit 1
}
for tool in Xvfb trayer xrestop; do
    command -v "$tool" >/dev/null || {
        echo "$tool is missing (scripts/deps.sh e2e bench installs it)" >&2
        exit 1
    }
done

. scripts/desktop.sh
home=$(mktemp -d)
pid=
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    desktop_stop
    rm -rf "$home"
}
trap cleanup EXIT
desktop_start 1280x800
export QT_QPA_PLATFORM=xcb
cp -r "$bin/Themes" "$home/"
printf '[Settings]\r\nCycle=1\r\nIconGraphMode=%s\r\nThemeName="%s"\r\nWidth=300\r\nHeight=100\r\nLeft=100\r\nTop=100\r\n' \
    "${SOAK_ICON_MODE:-1}" "${SOAK_THEME:-graph.tm}" >"$home/Moravel.ini"
MORAVEL_HOME=$home "$bin/moravel" >/dev/null 2>&1 &
pid=$!

# The program's X resources as xrestop reports them, over all its connections: the sum of the
# counts of every kind (windows, GCs, fonts, pixmaps, pictures, ...), and the bytes of its pixmaps.
x_resources() {
    xrestop -b -m 1 2>/dev/null | awk -v pid="$1" '
        /^[0-9]+ - / {
            mine = 0
            if (match($0, /PID: *[0-9]+/)) {
                p = substr($0, RSTART, RLENGTH)
                gsub(/[^0-9]/, "", p)
                mine = (p == pid)
                found = found || mine
            }
        }
        mine && /^[ \t]*(windows|GCs|fonts|pixmaps|pictures|glyphsets|colormaps|passive grabs|cursors|unknowns) *:/ {
            counts += $NF
        }
        mine && /^[ \t]*pixmap bytes *:/ { bytes += $NF }
        END { if (found) print counts, bytes; else print "- -" }'
}
sample() {  # prints "rss-KiB fds x-resources x-pixmap-bytes"
    local rss fds
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$pid/status")
    fds=$(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 | wc -l)
    echo "$rss $fds $(x_resources "$pid")"
}

mkdir -p build/soak
table=build/soak/soak-$(date +%Y%m%d-%H%M%S).tsv
printf 'minute\trss_kib\tfds\tx_resources\tx_pixmap_bytes\n' | tee "$table"
sleep 5  # start-up
for minute in $(seq 0 "$minutes"); do
    [ "$minute" -eq 0 ] || sleep 60
    kill -0 "$pid" 2>/dev/null || {
        echo "soak: the program ended by itself after $minute minutes" >&2
        exit 1
    }
    read -r rss fds xres xbytes <<<"$(sample)"
    printf '%s\t%s\t%s\t%s\t%s\n' "$minute" "$rss" "$fds" "$xres" "$xbytes" | tee -a "$table"
done

awk -F'\t' -v w="$warmup" -v m="$minutes" '
    NR > 1 && $1 == w { for (i = 2; i <= 5; i++) base[i] = $i }
    NR > 1 && $1 == m { for (i = 2; i <= 5; i++) last[i] = $i }
    END {
        split("rss_kib fds x_resources x_pixmap_bytes", name, " ")
        printf "growth from minute %d to minute %d:\n", w, m
        for (i = 2; i <= 5; i++) {
            if (base[i] == "-" || last[i] == "-") { printf "  %-15s not reported\n", name[i - 1]; continue }
            d = last[i] - base[i]
            printf "  %-15s %+d (%s -> %s; %+.1f per hour)\n", name[i - 1], d, base[i], last[i],
                (m > w) ? d * 60 / (m - w) : 0
        }
    }' "$table"
echo "table: $table"
