#!/usr/bin/env bash
# Builds the core and its unit tests with MinGW-w64 and runs them under Wine, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "${JOBS:-2}"
# The same environment as the mingw test preset; the prefix is made once, before tests run side
# by side in it.
export WINEPREFIX="$PWD/build/mingw/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
    "$wine" wineboot --init >/dev/null 2>&1
fi
ctest --preset mingw -j "${JOBS:-2}"
echo "cross: MinGW-w64 build and its tests under Wine passed"
