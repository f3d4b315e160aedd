#!/usr/bin/env bash
# Checks the Debian package that scripts/build-deb.sh (make deb) left in build/, as a user gets
# it: lintian, the desktop entry and the AppStream metainfo, the layout of the unpacked package,
# and the unpacked programs run from there (moravel-tool, and moravel on a virtual desktop).
# A check that cannot run fails; nothing is skipped.
set -u
cd "$(dirname "$0")/.." || exit 1
app_id=io.github.moravel.Moravel
icon_sizes="16 24 32 48 64 128 256"
suite=package-check
. tests/e2e/lib.sh  # check, wait_for, gone

need() {  # command package: stops when a tool the checks need is missing
    if ! command -v "$1" >/dev/null; then
        echo "package-check: $1 is missing (Debian package $2); the package cannot be checked" >&2
        exit 1
    fi
}
need lintian lintian
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need dpkg-parsechangelog dpkg-dev
need identify imagemagick
for tool in Xvfb:xvfb trayer:trayer xwininfo:x11-utils xdpyinfo:x11-utils dbus-daemon:dbus; do
    need "${tool%%:*}" "${tool#*:}"
done

version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg --print-architecture)
deb=build/moravel_${version}_${arch}.deb
changes=build/moravel_${version}_${arch}.changes
if [ ! -f "$deb" ] || [ ! -f "$changes" ]; then
    echo "package-check: $deb or its .changes is missing; build it with 'make deb'" >&2
    exit 1
fi

work=$(mktemp -d)
root=$work/root
. scripts/desktop.sh
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    desktop_stop
    rm -rf "$work"
}
trap cleanup EXIT

# --------------------------------------------------------------------------- the package

lintian_clean() {  # errors fail; warnings and notes are shown
    lintian --fail-on error -I "$changes" 2>&1 |
        grep -v 'running with root privileges'
    return "${PIPESTATUS[0]}"
}
depends_on() {  # package...: the package's Depends names each
    local depends names name
    depends=$(dpkg-deb -f "$deb" Depends)
    names=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
    for name in "$@"; do
        grep -qxF "$name" <<<"$names" || {
            echo "Depends lacks $name: $depends"
            return 1
        }
    done
}
check "lintian finds no errors" lintian_clean
check "Depends: the libraries shlibs found" depends_on libc6 libstdc++6 libqt6core6 libqt6gui6 \
    libqt6widgets6 libqt6dbus6
check "Depends: the Japanese face and Qt's Japanese texts" depends_on fonts-ipafont-gothic \
    qt6-translations-l10n
dpkg -x "$deb" "$root" || {
    echo "FAILED: dpkg -x $deb"
    exit 1
}

# --------------------------------------------------------------------------- the layout

expected_files() {
    echo usr/bin/moravel
    echo usr/bin/moravel-tool
    echo usr/share/moravel/Moravel.HLP
    echo usr/share/moravel/Moravel.en.HLP
    (cd data && find Themes -type f) | sed 's|^|usr/share/moravel/|'
    echo "usr/share/applications/$app_id.desktop"
    echo "usr/share/metainfo/$app_id.metainfo.xml"
    for size in $icon_sizes; do
        echo "usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    done
    echo usr/share/man/man1/moravel.1.gz
    echo usr/share/man/man1/moravel-tool.1.gz
    echo usr/share/doc/moravel/copyright
    echo usr/share/doc/moravel/changelog.Debian.gz
}
exact_layout() {  # every expected file, nothing else
    diff -u <(expected_files | sort) <(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)
}
shipped_data_intact() {  # the themes and the help, byte for byte as in data/
    local file
    for file in Moravel.HLP Moravel.en.HLP $(cd data && find Themes -type f); do
        cmp "data/$file" "$root/usr/share/moravel/$file" || return 1
    done
}
icons_sized() {  # each picture has the size its folder names
    local icons=$root/usr/share/icons/hicolor size got
    for size in $icon_sizes; do
        got=$(identify -format '%wx%h' "$icons/${size}x$size/apps/$app_id.png")
        [ "$got" = "${size}x$size" ] || {
            echo "the ${size}x$size icon is $got"
            return 1
        }
    done
}
check "the unpacked package holds exactly the installed files" exact_layout
check "the shipped themes and help are in /usr/share/moravel" shipped_data_intact
check "the icons have the sizes of their folders" icons_sized

# --------------------------------------------------------------------------- desktop and metainfo

desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
entry() { sed -n "s/^$1=//p" "$desktop"; }
entry_names_the_package() {  # the icon is the id, the command is the installed program
    [ "$(entry Icon)" = "$app_id" ] && [ -x "$root/usr/bin/$(entry Exec)" ] &&
        grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" &&
        grep -q "<id>$app_id</id>" "$metainfo"
}
one_version() {  # the project, the changelog, the metainfo's release and the man pages agree
    local project page
    project=$(sed -n 's/^project(Moravel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
    if [ "$project" != "${version%-*}" ]; then
        echo "CMakeLists.txt has $project, debian/changelog $version"
        return 1
    fi
    grep -q "<release version=\"$project\"" "$metainfo" || {
        echo "the metainfo has no release $project"
        return 1
    }
    for page in moravel moravel-tool; do
        zgrep -q "\"Moravel $project\"" "$root/usr/share/man/man1/$page.1.gz" || {
            echo "$page(1) is not of Moravel $project"
            return 1
        }
    done
}
check "desktop-file-validate" desktop-file-validate "$desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$metainfo"
check "appstreamcli validate-tree (metainfo with its desktop entry)" \
    appstreamcli validate-tree --no-net "$root"
check "desktop entry and metainfo name the package's id and program" entry_names_the_package
check "one version everywhere" one_version

# --------------------------------------------------------------------------- the programs

bin=$root/usr/bin
tool_help() { "$bin/moravel-tool" --help | grep -q '^Usage: moravel-tool'; }
tool_renders() {  # the installed themes draw without a display
    printf '%s\r\n' 10 40 90 60 20 >"$work/history.dat"
    "$bin/moravel-tool" render --history "$work/history.dat" \
        --theme "$root/usr/share/moravel/Themes/night.tm" \
        --themes-dir "$root/usr/share/moravel/Themes" --out "$work/graph.png" &&
        [ "$(identify -format '%wx%h' "$work/graph.png")" = 298x98 ]
}
check "moravel-tool --help runs from the unpacked package" tool_help
check "moravel-tool render draws an installed theme" tool_renders

# The program on a virtual desktop, as a user without a program folder of its own starts it.
desktop_start 1024x600
mkdir -p "$work/home" "$work/config"
main_window() {
    xwininfo -root -children 2>/dev/null | awk '/"Moravel": \("moravel"/ { print $1; exit }'
}
has_window() {
    local id
    id=$(main_window)
    [ -n "$id" ] && xwininfo -id "$id" | grep -q 'Map State: IsViewable'
}
ends_cleanly() {  # asked to end, it closes and exits with 0
    kill "$pid" && wait_for 10 gone "$pid" || return 1
    wait "$pid"
}
(
    unset MORAVEL_HOME
    export HOME=$work/home XDG_CONFIG_HOME=$work/config QT_QPA_PLATFORM=xcb
    exec "$bin/moravel" >"$work/moravel.log" 2>&1
) &
pid=$!
check "the unpacked moravel shows its window" wait_for 15 has_window
check "the unpacked moravel ends cleanly" ends_cleanly
pid=

# An installed program keeps the user's files in $XDG_CONFIG_HOME/moravel, made private by its
# first save, and writes nothing beside itself.
settings_in_user_folder() {
    local folder=$work/config/moravel
    [ -f "$folder/Moravel.ini" ] || {
        echo "no $folder/Moravel.ini"
        ls -la "$work/config" 2>&1
        return 1
    }
    [ "$(stat -c %a "$folder")" = 700 ] || {
        echo "$folder has mode $(stat -c %a "$folder"), not 700"
        return 1
    }
    tr -d '\r' <"$folder/Moravel.ini" | grep -qx 'ThemeName="graph.tm"'
}
check "the unpacked moravel writes its settings in \$XDG_CONFIG_HOME/moravel" \
    settings_in_user_folder
check "and nothing beside the program or among its data" exact_layout
check "and no file of its own elsewhere in the home folder" \
    test -z "$(find "$work/home" -iname '*moravel*' -o -iname '*.ini' -o -iname '*.tm')"

[ -s "$work/moravel.log" ] && sed 's/^/moravel: /' "$work/moravel.log"
echo "package-check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
