#!/usr/bin/env bash
# moravel-tool against files whose program reading is known, byte for byte.
# Usage: moravel_tool_test.sh TOOL [EMULATOR...]   (a cross build's tool runs under its emulator)
set -u
tool=("${@:2}" "$1")
data=$(cd "$(dirname "$0")/data" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

check() {  # name, command...
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        echo "FAILED: $name"
        failed=$((failed + 1))
    fi
}

same() { cmp -s "$1" "$2" || { cmp "$1" "$2"; return 1; }; }
status_is() {  # expected status, command...
    local want=$1
    shift
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    [ "$got" -eq "$want" ] || { echo "status $got, wanted $want: $*"; cat "$work/err"; return 1; }
}

# A missing input gives the defaults, exactly as the program writes them.
check "theme defaults" status_is 0 "${tool[@]}" theme --in "$work/missing.tm" --out "$work/d.tm"
check "theme defaults bytes" same "$work/d.tm" "$data/default.tm"
check "settings defaults" status_is 0 "${tool[@]}" settings --in "$work/missing.ini" --out "$work/d.ini"
check "settings defaults bytes" same "$work/d.ini" "$data/default.ini"

# Tricky inputs read as the program reads them, and a written file reads back to itself.
check "theme tricky" status_is 0 "${tool[@]}" theme --in "$data/tricky.tm" --out "$work/t.tm"
check "theme tricky bytes" same "$work/t.tm" "$data/tricky.expected.tm"
check "theme again" status_is 0 "${tool[@]}" theme --in "$work/t.tm" --out "$work/t2.tm"
check "theme fixed point" same "$work/t2.tm" "$work/t.tm"
check "settings tricky" status_is 0 "${tool[@]}" settings --in "$data/tricky.ini" --out "$work/t.ini"
check "settings tricky bytes" same "$work/t.ini" "$data/tricky.expected.ini"
check "settings again" status_is 0 "${tool[@]}" settings --in "$work/t.ini" --out "$work/t2.ini"
check "settings fixed point" same "$work/t2.ini" "$work/t.ini"

# Writing in place replaces the input.
cp "$data/tricky.tm" "$work/inplace.tm"
check "in place" status_is 0 "${tool[@]}" theme --in "$work/inplace.tm" --out "$work/inplace.tm"
check "in place bytes" same "$work/inplace.tm" "$data/tricky.expected.tm"

# A file name in any script reaches the tool as it is, whatever the system's code page holds.
# (Under Wine the Unix arguments become UTF-16 through the locale's character set: a UTF-8 one
# carries every name.)
wide="$work/thème-夜景-한글.tm"
check "any file name" status_is 0 env LC_ALL=C.UTF-8 "${tool[@]}" theme --in "$data/tricky.tm" --out "$wide"
check "any file name bytes" same "$wide" "$data/tricky.expected.tm"
check "any file name read" status_is 0 env LC_ALL=C.UTF-8 "${tool[@]}" theme --in "$wide" --out "$work/back.tm"
check "any file name read bytes" same "$work/back.tm" "$data/tricky.expected.tm"

# alert-test: a recorded run of load (a late tick in it) fires once and names the busy processes,
# the busier first, names as recorded; a spike fires nothing.
printf '10\n97\n97\n97\n97\n97 +2\n97\n97\n20\n' >"$work/usage.txt"
for t in $(seq 0 20); do
    printf '%s 100 5 %s.8 burner\n%s 200 7 0.%s0 <b>x</b>\n' "$t" "$t" "$t" "$((t % 10))"
done >"$work/procs.txt"
check "alert-test" status_is 0 "${tool[@]}" alert-test --usage "$work/usage.txt" \
    --processes "$work/procs.txt" --percent 90 --seconds 5
check "alert-test once, named" test "$(tr -d '\r' <"$work/out")" = "$(printf '%s\n' \
    '7: CPU使用率が 5 秒間 90 % 以上です' '    burner 1.0 CPU' '    <b>x</b> 0.1 CPU')"
printf '10\n97\n97\n20\n' >"$work/spike.txt"
check "alert-test spike" status_is 0 "${tool[@]}" alert-test --usage "$work/spike.txt" --seconds 5
check "alert-test spike quiet" test ! -s "$work/out"

# Wrong arguments: one line on standard error, status 2. A failed write: status 1.
check "no subcommand" status_is 2 "${tool[@]}"
check "unknown subcommand" status_is 2 "${tool[@]}" frobnicate
check "unknown option" status_is 2 "${tool[@]}" theme --in a --out b --colour red
check "missing value" status_is 2 "${tool[@]}" theme --in
check "missing --out" status_is 2 "${tool[@]}" settings --in a
check "one-line error" test "$(wc -l <"$work/err")" -eq 1
check "unwritable" status_is 1 "${tool[@]}" theme --in "$work/missing.tm" --out "$work/no/such/dir.tm"
check "help" status_is 0 "${tool[@]}" --help
check "help lists subcommands" grep -q "moravel-tool settings --in FILE --out FILE" "$work/out"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
