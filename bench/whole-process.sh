#!/usr/bin/env bash
# Whole-process cost of Moravel beside xload, measured the same way in one run on a virtual
# desktop: CPU seconds used per minute of running (after a settling start) and peak resident
# memory. Moravel runs with Cycle=1, the default theme, in a 300 x 100 window.
# Usage: bench/whole-process.sh [SECONDS]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bin=${MORAVEL_BIN:-build/release/bin}
[ -x "$bin/moravel" ] || { echo "build first: cmake --preset release && cmake --build --preset release" >&2; exit 1; }
command -v xload >/dev/null || { echo "xload is missing (Debian package x11-apps)" >&2; exit 1; }

. scripts/desktop.sh
trap desktop_stop EXIT
desktop_start 1280x800
home=$(mktemp -d)
cp -r "$bin/Themes" "$home/"
printf '[Settings]\r\nCycle=1\r\nWidth=300\r\nHeight=100\r\nLeft=100\r\nTop=100\r\n' >"$home/Moravel.ini"

# CPU time in nanoseconds, all threads (the scheduler's own count, finer than clock ticks).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ s += $1 } END { printf "%d\n", s }'; }
peak_kib() { awk '/VmHWM/ { print $2 }' "/proc/$1/status"; }

measure() {  # name, command...: prints "name cpu-seconds-per-minute peak-MiB"
    local name=$1
    shift
    "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep 5  # start-up is not the steady state
    local before
    before=$(cpu_ns "$pid")
    sleep "$seconds"
    local after peak
    after=$(cpu_ns "$pid")
    peak=$(peak_kib "$pid")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v n="$name" -v t=$((after - before)) -v s="$seconds" -v p="$peak" \
        'BEGIN { printf "%-8s %8.4f CPU s/min %8.1f MiB peak\n", n, t / 1e9 * 60 / s, p / 1024 }'
}

echo "Measuring ${seconds}s of each..."
m=$(MORAVEL_HOME=$home measure moravel "$bin/moravel")
x=$(measure xload xload -update 1 -geometry 300x100+500+100)
rm -rf "$home"
echo "$m"
echo "$x"
awk -v a="$m" -v b="$x" 'BEGIN {
    split(a, A, " +"); split(b, B, " +");
    cpu = (B[2] > 0) ? sprintf("%.2f", A[2] / B[2]) : "n/a";
    printf "ratio moravel/xload: CPU %s, peak memory %.2f\n", cpu, A[5] / B[5] }'
