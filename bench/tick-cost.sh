#!/usr/bin/env bash
# Instructions the running program spends per tick, counted by callgrind: machine-independent and
# repeatable for the same binary. Instrumentation is switched on after start-up, stays on for a
# fixed number of ticks, and the total is divided by the ticks actually run (the calls of the
# timer handler). Prints the figure with its split: drawing the window graph, painting it into the
# window (Qt's repaint and any worker threads), the tray icon (icon graph, icon, tip), and
# everything else (the sampler, Qt's event loop,
# X traffic).
# Moravel runs at Cycle=1 with theme graph.tm in a 300 x 100 window, the tray graph on (mode 1).
# VIEW 1 draws each processor (CpuView=1: every processor read from /proc/stat, their bands
# drawn, the busiest in the tip); 0, the default, the total. Drawing counts either view's frame.
# Usage: bench/tick-cost.sh [TICKS] [ICON_GRAPH_MODE] [VIEW]   (defaults 30, 1 and 0)
set -euo pipefail
cd "$(dirname "$0")/.."
ticks=${1:-30}
mode=${2:-1}
view=${3:-0}
bin=${MORAVEL_BIN:-build/release/bin}
[ -x "$bin/moravel" ] || { echo "missing $bin/moravel: cmake --preset release && cmake --build --preset release" >&2; exit 1; }
for tool in valgrind callgrind_control callgrind_annotate xdotool Xvfb trayer; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh bench e2e)" >&2; exit 1; }
done

. scripts/desktop.sh
work=$(mktemp -d)
pid=
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; desktop_stop; rm -rf "$work"' EXIT
desktop_start 1920x1080
export QT_QPA_PLATFORM=xcb
home=$work/home
mkdir -p "$home"
cp -r "$bin/Themes" "$home/"
printf '[Settings]\r\nCycle=1\r\nIconGraphMode=%s\r\nWidth=300\r\nHeight=100\r\nLeft=100\r\nTop=100\r\nThemeName="graph.tm"\r\nCpuView=%s\r\n' \
    "$mode" "$view" >"$home/Moravel.ini"

MORAVEL_HOME=$home valgrind --tool=callgrind --instr-atstart=no \
    --callgrind-out-file="$work/callgrind.out" "$bin/moravel" >"$work/valgrind.log" 2>&1 &
pid=$!
for _ in $(seq 1 600); do
    xdotool search --onlyvisible --name '^Moravel$' >/dev/null 2>&1 && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/valgrind.log" >&2; exit 1; }
    sleep 0.2
done
sleep 3 # the first frames and the tray icon's registration are start-up, not ticks
callgrind_control -i on "$pid" >/dev/null 2>&1
sleep "$ticks"
callgrind_control -i off "$pid" >/dev/null 2>&1
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=

callgrind_annotate --inclusive=yes --threshold=100 "$work/callgrind.out" >"$work/annotate.txt" 2>/dev/null
cp "$work/annotate.txt" "${TICK_COST_ANNOTATE:-/dev/null}"
# Inclusive instructions of the first function whose name matches.
inclusive() {
    awk -v re="$1" '$0 ~ re { gsub(",", "", $1); print $1; exit }' "$work/annotate.txt" | grep . || echo 0
}
total=$(awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1; exit }' "$work/annotate.txt")
# The ticks run: the calls of the timer handler, read from the raw profile (names are compressed
# to "(id)" after their first use).
ticked=$(awk '
    match($0, /^c?fn=\([0-9]+\)/) {
        id = substr($0, RSTART, RLENGTH); sub(/^c?fn=/, "", id)
        name = substr($0, RLENGTH + 2)
        if (name != "") names[id] = name
        callee = ($0 ~ /^cfn=/) ? names[id] : ""
        next
    }
    /^calls=/ && callee ~ /MonitorSession::Tick\(\)/ { split($1, c, "="); n += c[2] }
    END { print n + 0 }' "$work/callgrind.out")
[ "$ticked" -gt 0 ] || { echo "no tick was counted" >&2; exit 1; }
drawing=$(($(inclusive 'Renderer::DrawGraph\(') + $(inclusive 'ProcessorView::Draw\(')))
# Painting: the repaint of the window (our paintEvent and Qt's flush to the X server) and whatever
# Qt hands to its worker threads for it (they start nowhere else).
painting=$(($(inclusive 'QWidgetRepaintManager::paintAndFlush\(') + $(inclusive ':start_thread ')))
refresh=$(inclusive 'MonitorSession::RefreshDisplay\(')
procs=$(grep -c '^cpu[0-9]' /proc/stat)
awk -v procs="$procs" -v t="$total" -v n="$ticked" -v d="$drawing" -v p="$painting" -v r="$refresh" 'BEGIN {
    tray = r - d; if (tray < 0) tray = 0
    other = t - d - p - tray
    printf "ticks counted:        %d (%s processors)\n", n, procs
    printf "instructions per tick %10.3f M\n", t / n / 1e6
    printf "  drawing             %10.3f M  (%4.1f %%)\n", d / n / 1e6, 100 * d / t
    printf "  painting            %10.3f M  (%4.1f %%)\n", p / n / 1e6, 100 * p / t
    printf "  tray                %10.3f M  (%4.1f %%)\n", tray / n / 1e6, 100 * tray / t
    printf "  other               %10.3f M  (%4.1f %%)\n", other / n / 1e6, 100 * other / t
}'
