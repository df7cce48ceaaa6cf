#!/usr/bin/env bash
# Builds the Debian package and puts it before Debian's own checkers: lintian
# must report no error and no warning, appstreamcli and desktop-file-validate
# must accept the software-centre entry and the desktop entry, and the manual
# page must render without a warning. Each checker is then fed a copy broken
# on purpose and must fail on it, so a checker that passes anything is caught.
# Usage: package_checks.sh BUILD_DIR ARTEFACT_DIR
#        (needs lintian, appstream, desktop-file-utils, man-db, dpkg-deb)
set -euo pipefail

build_dir=$(cd "$1" && pwd)
artefacts=$2
mkdir -p "$artefacts"
artefacts=$(cd "$artefacts" && pwd)
id=io.github.vantreth.Vantreth
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

(cd "$scratch" && cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/pkg" >/dev/null)
deb=$(ls "$scratch"/pkg/*.deb)
root="$scratch/root"
dpkg-deb -R "$deb" "$root"
metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
desktop="$root/usr/share/applications/$id.desktop"
page="$root/usr/share/man/man6/vantreth.6.gz"

# lintian: informational tags may stay; they are kept with the artefacts.
lintian --fail-on error,warning --display-info --display-experimental "$deb" >"$artefacts/lintian.txt" 2>&1 ||
    fail "lintian: $(grep -E '^[EW]: ' "$artefacts/lintian.txt")"
appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.txt" 2>&1 ||
    fail "appstreamcli: $(cat "$scratch/appstream.txt")"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page: $warnings"
MANWIDTH=80 man -l "$page" >"$artefacts/vantreth.6.txt" 2>/dev/null
grep -q "EXIT STATUS" "$artefacts/vantreth.6.txt" || fail "the manual page did not render"

# The desktop entry starts the command in games/, and every icon size is there.
[ -x "$root/usr/games/$(sed -n 's/^Exec=//p' "$desktop")" ] || fail "the desktop entry's command is not in /usr/games"
for icon in 48x48/apps/$id.png 64x64/apps/$id.png 128x128/apps/$id.png 256x256/apps/$id.png scalable/apps/$id.svg; do
    [ -s "$root/usr/share/icons/hicolor/$icon" ] || fail "no icon $icon"
done

# The broken copies: a package without its copyright file, an entry without
# its summary, a desktop entry without its type, a page with a misspelt macro.
mkdir "$scratch/broken"
rm "$root/usr/share/doc/vantreth/copyright"
dpkg-deb -b "$root" "$scratch/broken/vantreth.deb" >/dev/null
! lintian --fail-on error,warning "$scratch/broken/vantreth.deb" >"$scratch/broken/lintian.txt" 2>&1 ||
    fail "lintian accepted a package without a copyright file"
grep -q no-copyright-file "$scratch/broken/lintian.txt" || fail "lintian failed for another reason"
sed '/<summary>/d' "$metainfo" >"$scratch/broken/$id.metainfo.xml"
! appstreamcli validate --no-net "$scratch/broken/$id.metainfo.xml" >/dev/null 2>&1 ||
    fail "appstreamcli accepted an entry without a summary"
sed '/^Type=/d' "$desktop" >"$scratch/broken/$id.desktop"
! desktop-file-validate "$scratch/broken/$id.desktop" >/dev/null 2>&1 ||
    fail "desktop-file-validate accepted an entry without a type"
{ zcat "$page"; echo ".Bx misspelt"; } >"$scratch/broken/vantreth.6"
[ -n "$(man --warnings -l "$scratch/broken/vantreth.6" 2>&1 >/dev/null)" ] ||
    fail "man rendered a page with an unknown macro without a warning"
echo "lintian, appstreamcli, desktop-file-validate and man accept the package and refuse the broken copies"
