#!/usr/bin/env bash
# clang-tidy over the core and the Qt front end, with the checks of .clang-tidy; fails on any
# finding. Needs the dev build's compile_commands.json (make build).
set -euo pipefail
cd "$(dirname "$0")/.."
db=build/dev
[ -f "$db/compile_commands.json" ] || { echo "tidy: run 'make build' first" >&2; exit 2; }
# The dev build generates moc and resource sources that the core and Qt files include.
cmake --build "$db" -j "${JOBS:-2}" >/dev/null
mapfile -t files < <(git ls-files 'src/core/*.cpp' 'src/qt/*.cpp' | grep -v '_win\.cpp$')
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! run-clang-tidy -quiet -p "$db" -j "${JOBS:-2}" "${files[@]/#/$PWD/}" >"$log" 2>&1; then
    grep -E '(warning|error):' "$log" | grep -v 'warnings generated' | sort -u >&2 || cat "$log" >&2
    echo "tidy: clang-tidy found the faults above" >&2
    exit 1
fi
echo "tidy: ${#files[@]} files clean"
