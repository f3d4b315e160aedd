#!/usr/bin/env bash
# The winget manifests of an MSI: the version, installer and default-locale files (manifest
# schema 1.6.0) of the package Moravel.Moravel, for a pull request to winget-pkgs once the MSI is
# published. The version, product and upgrade codes and the publisher are read from the MSI
# (msiinfo, msitools); the download address is a placeholder to replace with the real one.
# Usage: make-winget.sh MSI FOLDER
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 MSI FOLDER" >&2; exit 2; }
msi=$1
out=$2
id=Moravel.Moravel
schema=1.6.0

property() {  # name: the value of an MSI property
    msiinfo export "$msi" Property | tr -d '\r' | awk -F '\t' -v p="$1" '$1 == p { print $2 }'
}
version=$(property ProductVersion)
product_code=$(property ProductCode)
upgrade_code=$(property UpgradeCode)
publisher=$(property Manufacturer)
[ -n "$version" ] && [ -n "$product_code" ] && [ -n "$upgrade_code" ] && [ -n "$publisher" ] ||
    { echo "make-winget: $msi lacks a version, product or upgrade code, or publisher" >&2; exit 1; }
sha256=$(sha256sum "$msi" | cut -d ' ' -f 1 | tr a-f A-F)

rm -rf "$out"
mkdir -p "$out"
header() {  # manifest type: the schema line editors validate against
    printf '# yaml-language-server: $schema=https://aka.ms/winget-manifest.%s.%s.schema.json\n\n' \
        "$1" "$schema"
}

{
    header version
    cat <<YAML
PackageIdentifier: $id
PackageVersion: $version
DefaultLocale: en-US
ManifestType: version
ManifestVersion: $schema
YAML
} >"$out/$id.yaml"

{
    header installer
    cat <<YAML
PackageIdentifier: $id
PackageVersion: $version
InstallerType: msi
Scope: user
InstallModes:
  - silent
  - silentWithProgress
UpgradeBehavior: install
UnsupportedArguments:
  - location
ElevationRequirement: elevationProhibited
ProductCode: '$product_code'
AppsAndFeaturesEntries:
  - DisplayName: Moravel
    Publisher: $publisher
    DisplayVersion: $version
    ProductCode: '$product_code'
    UpgradeCode: '$upgrade_code'
InstallationMetadata:
  DefaultInstallLocation: '%LOCALAPPDATA%\Programs\Moravel'
Installers:
  - Architecture: x64
    InstallerUrl: https://example.invalid/Moravel-$version-win64.msi
    InstallerSha256: $sha256
ManifestType: installer
ManifestVersion: $schema
YAML
} >"$out/$id.installer.yaml"

{
    header defaultLocale
    cat <<YAML
PackageIdentifier: $id
PackageVersion: $version
PackageLocale: en-US
Publisher: $publisher
PackageName: Moravel
Moniker: moravel
License: MIT
ShortDescription: A small desktop monitor of CPU load, as a scrolling graph and a tray icon.
Description: |-
  Moravel reads the CPU usage once a second and draws its history as a scrolling graph in a
  small borderless window and in its notification-area icon, whose tip shows the current value.
  Themes set the look. The interface is Japanese or English, following the user's language.
Tags:
  - cpu
  - monitor
  - system-tray
ManifestType: defaultLocale
ManifestVersion: $schema
YAML
} >"$out/$id.locale.en-US.yaml"
