#!/usr/bin/env bash
# Whole-process cost of Moravel beside the toolkit's floor and xload, measured the same way in one
# run on a virtual desktop with a tray host, interleaved round by round, medians printed:
#   moravel        Cycle=1, theme graph.tm, 300 x 100 window, tray graph on
#   moravel-notray the same with the tray graph off
#   bare-qt        a bare Qt window of that size whose tray icon changes every second (bench/)
#   xload          xload -update 1
# For each: own CPU seconds per minute (the scheduler's nanosecond counts, all threads, after a
# 5-second start), wake-ups per minute (voluntary context switches of all threads: how often the
# processor is woken for it), resident and anonymous memory at the end, and the time to the first
# window.
# Usage: bench/whole-process.sh [SECONDS] [ROUNDS]   (defaults 60 and 3)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
rounds=${2:-3}
build=${MORAVEL_BUILD:-build/release}
bin=$build/bin
bare=$build/bench/bare_qt_tray
for need in "$bin/moravel" "$bare"; do
    [ -x "$need" ] || { echo "missing $need: run make bench-process" >&2; exit 1; }
done
for tool in xload xwininfo Xvfb trayer; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh bench e2e)" >&2; exit 1; }
done

. scripts/desktop.sh
work=$(mktemp -d)
trap 'desktop_stop; rm -rf "$work"' EXIT
desktop_start 1920x1080
export QT_QPA_PLATFORM=xcb

home_with() {  # icon graph mode: a program folder for Moravel
    local home=$work/home$1
    mkdir -p "$home"
    cp -r "$bin/Themes" "$home/"
    printf '[Settings]\r\nCycle=1\r\nIconGraphMode=%s\r\nWidth=300\r\nHeight=100\r\nLeft=100\r\nTop=100\r\nThemeName="graph.tm"\r\n' \
        "$1" >"$home/Moravel.ini"
    echo "$home"
}
on_home=$(home_with 1)
off_home=$(home_with 0)

cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d\n", s }'; }
wakeups() { cat /proc/"$1"/task/*/status | awk '$1 == "voluntary_ctxt_switches:" { s += $2 } END { print s }'; }
kib() { awk -v k="$2:" '$1 == k { print $2 }' "/proc/$1/status"; }
now_ns() { date +%s%N; }
shown() {  # window name: a top-level window of that name with a class is mapped
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk -v t="\"$1\": (\"" 'index($0, t) { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}

measure() {  # name, window name, command...: appends "name cpu-s/min rss-MiB anon-MiB first-window-ms wake-ups/min"
    local name=$1 title=$2
    shift 2
    local start
    start=$(now_ns)
    "$@" >/dev/null 2>&1 &
    local pid=$!
    # By name and class: xload does not tell the window manager its process.
    until shown "$title"; do
        kill -0 "$pid" 2>/dev/null || { echo "$name ended before its window" >&2; exit 1; }
        sleep 0.002
    done
    local first=$(( ($(now_ns) - start) / 1000000 ))
    sleep 5 # start-up is not the steady state
    local before after woken
    before=$(cpu_ns "$pid")
    woken=$(wakeups "$pid")
    sleep "$seconds"
    after=$(cpu_ns "$pid")
    woken=$(($(wakeups "$pid") - woken))
    local rss anon
    rss=$(kib "$pid" VmRSS)
    anon=$(kib "$pid" RssAnon)
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v n="$name" -v t=$((after - before)) -v s="$seconds" -v r="$rss" -v a="$anon" -v f="$first" \
        -v w="$woken" \
        'BEGIN { printf "%s %.4f %.1f %.1f %d %.1f\n", n, t / 1e9 * 60 / s, r / 1024, a / 1024, f, w * 60 / s }' \
        >>"$work/samples"
}

echo "Measuring ${seconds}s of each program, $rounds rounds, interleaved..."
for round in $(seq 1 "$rounds"); do
    MORAVEL_HOME=$on_home measure moravel Moravel "$bin/moravel"
    MORAVEL_HOME=$off_home measure moravel-notray Moravel "$bin/moravel"
    measure bare-qt bare_qt_tray "$bare"
    measure xload xload xload -update 1 -geometry 300x100+500+100
    echo "round $round done"
done

# Medians per program and column, then the ratios against the bare Qt window and xload.
awk '
function median(list,   n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
    return (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{ for (c = 2; c <= 6; c++) v[$1, c] = v[$1, c] " " $c; names[$1] = 1 }
END {
    printf "%-15s %12s %12s %12s %14s %14s\n", "program", "CPU s/min", "RSS MiB", "anon MiB", "first window",
        "wake-ups/min"
    split("moravel moravel-notray bare-qt xload", order, " ")
    for (i = 1; i <= 4; i++) {
        n = order[i]
        for (c = 2; c <= 6; c++) m[n, c] = median(substr(v[n, c], 2))
        printf "%-15s %12.4f %12.1f %12.1f %11d ms %14.1f\n", n, m[n, 2], m[n, 3], m[n, 4], m[n, 5], m[n, 6]
    }
    printf "\nmoravel / bare-qt: CPU %.2f, RSS %.2f, anon %+.1f MiB\n", m["moravel", 2] / m["bare-qt", 2],
        m["moravel", 3] / m["bare-qt", 3], m["moravel", 4] - m["bare-qt", 4]
    printf "moravel / xload:   CPU %.2f, RSS %.2f\n", m["moravel", 2] / m["xload", 2], m["moravel", 3] / m["xload", 3]
}' "$work/samples"
