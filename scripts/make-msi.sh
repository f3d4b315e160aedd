#!/usr/bin/env bash
# The Windows installer of a program folder: an MSI built with wixl (msitools) from
# data/windows/Moravel.wxs, which installs the folder for the current user into
# %LOCALAPPDATA%\Programs\Moravel, with the marker Moravel.installed beside the program.
# Usage: make-msi.sh PROGRAM-FOLDER VERSION MSI
#   PROGRAM-FOLDER  as package-windows.sh lays it out (moravel.exe, moravel-tool.exe,
#                   Moravel.HLP, Moravel.en.HLP, LICENSE.txt, Themes\)
#   VERSION         the product version, MAJOR.MINOR.PATCH: the project's, or a higher one for a
#                   test of upgrades
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 PROGRAM-FOLDER VERSION MSI" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
folder=$(cd "$1" && pwd)
version=$2
msi=$3

# Windows Installer compares the first three fields, of at most 255.255.65535.
if ! [[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] || [ "${BASH_REMATCH[1]}" -gt 255 ] ||
    [ "${BASH_REMATCH[2]}" -gt 255 ] || [ "${BASH_REMATCH[3]}" -gt 65535 ]; then
    echo "make-msi: '$version' is no MSI product version (at most 255.255.65535)" >&2
    exit 2
fi
# The publisher: the copyright holders of LICENSE, as in the executables' version resource.
manufacturer=$(sed -n 's/^Copyright (c) [0-9-]* //p' "$root/LICENSE" | head -n 1)
[ -n "$manufacturer" ] || { echo "make-msi: no copyright line in LICENSE" >&2; exit 1; }

# The product code of this version: a name-based UUID (RFC 4122, version 5) of the version in
# the upgrade code's namespace. Every version has its own, so a newer one upgrades an older one;
# two builds of one version have the same, so the second is not installed beside the first.
upgrade_code=$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$root/data/windows/Moravel.wxs")
[ ${#upgrade_code} -eq 36 ] || { echo "make-msi: no UpgradeCode in Moravel.wxs" >&2; exit 1; }
namespace=$(tr -d - <<<"$upgrade_code" | sed 's/../\\x&/g')
hash=$( (printf '%b' "$namespace"; printf 'Moravel %s' "$version") | sha1sum | tr a-f A-F)
variant=$(printf '%X' $(((16#${hash:16:1} & 3) | 8)))
product_code=${hash:0:8}-${hash:8:4}-5${hash:13:3}-$variant${hash:17:3}-${hash:20:12}

# wixl reads its files by names relative to the current folder: a folder of them.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ln -s "$folder" "$work/program"
ln -s "$root/resources/app/moravel.ico" "$work/moravel.ico"
sed 's/\r*$/\r/' "$root/data/windows/Moravel.installed" >"$work/Moravel.installed"

# The shipped themes, whatever they are: one component in Themes, keyed like the others.
{
    echo '<?xml version="1.0" encoding="UTF-8"?>'
    echo '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi"><Fragment>'
    echo '<DirectoryRef Id="THEMESFOLDER"><Component Id="Themes" Guid="*" Win64="yes">'
    echo '<RegistryValue Root="HKCU" Key="Software\Moravel\Installer" Name="Themes"'
    echo '    Type="string" Value="[THEMESFOLDER]" KeyPath="yes"/>'
    for file in "$folder"/Themes/*; do
        name=${file##*/}
        [[ $name =~ ^[A-Za-z0-9][A-Za-z0-9._-]*$ ]] ||
            { echo "make-msi: theme file name '$name' is not plain ASCII" >&2; exit 1; }
        echo "<File Id=\"Themes_${name//-/_}\" Name=\"$name\" Source=\"program/Themes/$name\"/>"
    done
    echo '<RemoveFolder Id="RemoveThemesFolder" On="uninstall"/>'
    echo '</Component></DirectoryRef></Fragment></Wix>'
} >"$work/Themes.wxs"
cp "$root/data/windows/Moravel.wxs" "$work/"

msi=$(mkdir -p "$(dirname "$msi")" && cd "$(dirname "$msi")" && pwd)/${msi##*/}
(cd "$work" && wixl --arch x64 -D "Version=$version" -D "ProductCode=$product_code" \
    -D "Manufacturer=$manufacturer" -o "$msi" Moravel.wxs Themes.wxs)
