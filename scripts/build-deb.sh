#!/usr/bin/env bash
# Builds the Debian package as Debian builds one: dpkg-buildpackage in an unpacked source tree.
# The tree is a copy of this checkout (its tracked and new files, uncommitted changes included)
# in build/deb, so the build leaves nothing in the checkout or beside it; the package, its debug
# symbols, .buildinfo and .changes end up in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
work=$top/build/deb
tree=$work/moravel-$upstream

rm -rf "$work"
mkdir -p "$tree"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
        tar --null -T - -cf - | tar -xf - -C "$tree"
else
    tar --exclude=./build --exclude=./.git -cf - . | tar -xf - -C "$tree"
fi

# debhelper gives the build a home folder of its own; keep a compiler cache where it was.
if [ -n "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ] && [ -z "${CCACHE_DIR:-}" ]; then
    export CCACHE_DIR=${XDG_CACHE_HOME:-$HOME/.cache}/ccache
fi

(cd "$tree" && dpkg-buildpackage -b -us -uc -J"${JOBS:-$(nproc)}")

# Only this build's artefacts in build/, so build/moravel_*.deb names one package.
rm -f build/moravel_*.deb build/moravel-dbgsym_*.deb build/moravel_*.buildinfo \
    build/moravel_*.changes
mv "$work"/moravel*_"$version"_*.deb "$work"/moravel_"$version"_*.buildinfo \
    "$work"/moravel_"$version"_*.changes build/
rm -rf "$work"
ls -1 build/moravel*_"$version"_*
