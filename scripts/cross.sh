#!/usr/bin/env bash
# Builds the core, the Win32 front end, moravel-tool and their tests with MinGW-w64 and runs the
# tests under Wine, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "${JOBS:-2}"
# The same environment as the mingw test preset; the prefix is made once, before tests run side
# by side in it.
export WINEPREFIX="$PWD/build/mingw/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1
fi
# The themes' face "ＭＳ ゴシック" (and its proportional sister) are IPAGothic and IPAPGothic here
# (fonts-ipafont-gothic, found through fontconfig): Wine's font replacements give the prefix the
# Windows names, and nothing is installed into the system. A .reg file is UTF-16 with a BOM.
if ! grep -q 'Software\\\\Wine\\\\Fonts\\\\Replacements' "$WINEPREFIX/user.reg" 2>/dev/null; then
    reg="$WINEPREFIX/moravel-fonts.reg"
    {
        printf '\xff\xfe'
        printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
            '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
            '"ＭＳ ゴシック"="IPAGothic"' '"ＭＳ Ｐゴシック"="IPAPGothic"' | iconv -f UTF-8 -t UTF-16LE
    } >"$reg"
    "$wine" regedit /S "$("$wine" winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
fi
ctest --preset mingw -j "${JOBS:-2}"
echo "cross: MinGW-w64 build and its tests under Wine passed"
