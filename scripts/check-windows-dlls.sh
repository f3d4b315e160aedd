#!/usr/bin/env bash
# Checks that Windows executables need no DLL beyond those every Windows since 7 has: the C++
# runtime, libgcc and winpthread are linked in (-static), so the program folder runs as it is.
# Prints each executable's size and the DLLs it imports; fails on any other DLL.
# Usage: check-windows-dlls.sh EXE...
set -euo pipefail
objdump=$(command -v x86_64-w64-mingw32-objdump || command -v objdump)

# The system's own DLLs, upper case. msvcrt is the system's C runtime (MinGW-w64 builds on it).
allowed=" ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL IMM32.DLL KERNEL32.DLL MSVCRT.DLL
 NTDLL.DLL OLE32.DLL OLEACC.DLL OLEAUT32.DLL SHELL32.DLL SHLWAPI.DLL USER32.DLL UXTHEME.DLL
 VERSION.DLL WINDOWSCODECS.DLL WINMM.DLL "
allowed=$(tr '\n' ' ' <<<"$allowed")

status=0
for exe in "$@"; do
    dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
    if [ -z "$dlls" ]; then
        echo "$exe: no import table found" >&2
        status=1
        continue
    fi
    printf '%s  %s bytes\n' "$(basename "$exe")" "$(stat -c %s "$exe")"
    while read -r dll; do
        upper=$(tr '[:lower:]' '[:upper:]' <<<"$dll")
        if [[ $allowed == *" $upper "* ]]; then
            echo "    $dll"
        else
            echo "    $dll   <- not a system DLL" >&2
            status=1
        fi
    done <<<"$dlls"
done
[ "$status" -eq 0 ] || echo "check-windows-dlls: an executable needs a DLL Windows does not have" >&2
exit "$status"
