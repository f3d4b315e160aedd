#!/usr/bin/env bash
# The Windows program as shipped: a release build with MinGW-w64 (preset mingw-release, linked
# statically), its program folder build/windows/Moravel-<version>-win64, the zip of that folder
# for portable use, build/Moravel-<version>-win64.zip, the installer of that folder,
# build/Moravel-<version>-win64.msi (scripts/make-msi.sh), and the installer's winget manifests in
# build/Moravel-<version>-winget (scripts/make-winget.sh). Checks that the folder holds what it
# should and that the executables need no DLL beyond the system's, and prints the DLLs and sizes.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset mingw-release >/dev/null
cmake --build --preset mingw-release -j "${JOBS:-2}"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/mingw-release/CMakeCache.txt)
[ -n "$version" ] || { echo "package-windows: no project version in the build" >&2; exit 1; }
name=Moravel-$version-win64
stage=build/windows
folder=$stage/$name
zip=build/$name.zip
msi=build/$name.msi
winget=build/Moravel-$version-winget

# Only this build's zip and installer in build/, so build/Moravel-*-win64.zip names one file.
rm -rf "$stage" build/Moravel-*-win64.zip build/Moravel-*-win64.msi build/Moravel-*-winget
mkdir -p "$stage"
# The installed layout on Windows is the portable program folder: the executables, Themes and
# the help side by side.
cmake --install build/mingw-release --prefix "$folder" --strip >/dev/null
sed 's/\r*$/\r/' LICENSE >"$folder/LICENSE.txt"

# Exactly the shipped files: the two programs, the help in Japanese and English, the licence and
# every shipped theme file.
expected=$( (printf '%s\n' moravel.exe moravel-tool.exe Moravel.HLP Moravel.en.HLP LICENSE.txt
    cd data && find Themes -type f) | sort)
actual=$(cd "$folder" && find . -type f | sed 's|^\./||' | sort)
if [ "$expected" != "$actual" ]; then
    echo "package-windows: the program folder is not as shipped:" >&2
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    exit 1
fi

scripts/check-windows-dlls.sh "$folder/moravel.exe" "$folder/moravel-tool.exe"
(cd "$stage" && zip -q -r -X "../$name.zip" "$name")
echo "$zip  $(stat -c %s "$zip") bytes"
scripts/make-msi.sh "$folder" "$version" "$msi"
echo "$msi  $(stat -c %s "$msi") bytes"
scripts/make-winget.sh "$msi" "$winget"
echo "$winget/"
