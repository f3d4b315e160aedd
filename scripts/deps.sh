#!/usr/bin/env bash
# Makes sure the Debian packages of the named groups (see packages.txt) are installed.
# As root it installs what is missing with apt-get; otherwise it prints the apt-get line and stops.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

wanted=()
for group in "$@"; do
    line=$(awk -v g="$group" '$1 == g { $1 = ""; print }' "$here/packages.txt")
    if [ -z "$line" ]; then
        echo "deps.sh: unknown package group '$group'" >&2
        exit 2
    fi
    read -r -a pkgs <<<"$line"
    wanted+=("${pkgs[@]}")
done

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
