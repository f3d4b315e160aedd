#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for FUZZ_SECONDS (default 60) seconds, one after the
# other. Any crash, leak, sanitizer report, timeout or broken check fails the run; the input that
# did it is kept in build/fuzz/findings/.
#   FUZZ_TARGETS="image_fuzz render_fuzz"   runs only those (default: all four)
# Each target starts from its seeds in fuzz/corpus/ (the image target also from the shipped
# pictures in data/Themes) and from what earlier runs found, kept in build/fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
targets=${FUZZ_TARGETS:-config_fuzz history_fuzz render_fuzz image_fuzz}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${JOBS:-2}"
findings=build/fuzz/findings
mkdir -p "$findings"

# Options per target. The timeouts are generous: the long runs share a busy machine at the lowest
# priority, and an input that only waited for the processor is no finding. The image target refuses any single allocation beyond what the largest
# allowed picture needs, so a size taken from a header before it is checked shows up.
options() {
    case $1 in
        image_fuzz) echo "-malloc_limit_mb=300 -timeout=60" ;;
        *) echo "-timeout=60" ;;
    esac
}

seed() {  # target corpus-folder: copies the seeds in
    local from=fuzz/corpus/${1%_fuzz}
    cp -n "$from"/* "$2/"
    if [ "$1" = image_fuzz ]; then
        cp -n data/Themes/*.bmp data/Themes/*.jpg data/Themes/*.gif data/Themes/*.ico \
            data/Themes/Pattern.dat "$2/"
    fi
}

for target in $targets; do
    corpus=build/fuzz/corpus/$target
    mkdir -p "$corpus"
    seed "$target" "$corpus"
    echo "fuzz: $target for ${seconds}s"
    # shellcheck disable=SC2046
    QT_QPA_PLATFORM=offscreen "build/fuzz/fuzz/$target" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        $(options "$target") "$corpus" >"build/fuzz/$target.log" 2>&1 || {
        tail -n 60 "build/fuzz/$target.log"
        echo "fuzz: $target FAILED; the input is in $findings/" >&2
        exit 1
    }
    grep -E '^(Done|stat::)' "build/fuzz/$target.log"
    echo "fuzz: $target clean"
done
