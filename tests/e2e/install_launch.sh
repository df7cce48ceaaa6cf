#!/usr/bin/env bash
# Installs the game into a scratch prefix and builds the Debian package, then
# starts both through their launchers with a scratch XDG_DATA_HOME: the game
# must come up, exit cleanly from "Exit", write its settings into the
# player's data folder, leave the player's own files alone and write nothing
# into the prefix.
# Usage: install_launch.sh BUILD_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, dpkg-deb)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
build_dir=$(cd "$1" && pwd)
artefacts=$2
mkdir -p "$artefacts"
artefacts=$(cd "$artefacts" && pwd)
[ -n "${DISPLAY:-}" ] || { echo "No display: run the tests under xvfb-run." >&2; exit 1; }

scratch=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT

fingerprint() { (cd "$1" && find . -type f -print0 | sort -z | xargs -0 md5sum); }

# launch_and_exit LAUNCHER NAME: runs the launcher with its own data home,
# clicks "Exit" and checks what it left behind.
launch_and_exit() {
    local launcher=$1 name=$2 home="$scratch/$2-home"
    local data="$home/vantreth"
    mkdir -p "$data/data/SaveData"
    printf 'the player'"'"'s own save\n' >"$data/data/SaveData/save.txt"
    XDG_DATA_HOME=$home ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} "$launcher" >"$scratch/$name.out" 2>&1 &
    pid=$!
    local wid
    wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vantreth$' | head -n 1)
    [ -n "$wid" ] || { echo "FAIL: $name: no window" >&2; cat "$scratch/$name.out" >&2; exit 1; }
    xdotool windowmove "$wid" 0 0
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    sleep 3
    e2e_point 1550 948
    e2e_click
    local status=0
    for _ in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    wait "$pid" || status=$?
    pid=""
    [ "$status" -eq 0 ] || { echo "FAIL: $name: exit status $status" >&2; cat "$scratch/$name.out" >&2; exit 1; }
    [ -f "$data/Config.cfg" ] || { echo "FAIL: $name: no Config.cfg in the data folder" >&2; exit 1; }
    grep -q "the player's own save" "$data/data/SaveData/save.txt" ||
        { echo "FAIL: $name: the player's save was touched" >&2; exit 1; }
    [ -L "$data/Graphics" ] && [ -f "$data/Graphics/icon.png" ] ||
        { echo "FAIL: $name: assets not linked into the data folder" >&2; exit 1; }
    grep -q "InputStateManager's destructor was called" "$scratch/$name.out" ||
        { echo "FAIL: $name: no clean shutdown" >&2; cat "$scratch/$name.out" >&2; exit 1; }
}

# 1. cmake --install into a prefix.
prefix="$scratch/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
id=io.github.vantreth.Vantreth
for f in bin/vantreth lib/vantreth/vantreth share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/256x256/apps/$id.png share/man/man6/vantreth.6.gz share/vantreth/Graphics/Buttons.png \
         share/vantreth/Graphics/sujet.ttf share/vantreth/Sounds share/vantreth/data/shaders \
         share/vantreth/data/testShape.txt; do
    [ -e "$prefix/$f" ] || { echo "FAIL: install lacks $f" >&2; exit 1; }
done
before=$(fingerprint "$prefix")
launch_and_exit "$prefix/bin/vantreth" install
[ "$before" = "$(fingerprint "$prefix")" ] || { echo "FAIL: the game wrote into the install prefix" >&2; exit 1; }

# 2. The Debian package, unpacked (its launcher finds everything relative to
# itself), started with the desktop entry's command from /usr/games. Its
# fonts are links into Debian's font packages, found here as they are on
# the machine the package is installed on.
(cd "$scratch" && cpack --config "$build_dir/CPackConfig.cmake" -B "$scratch/pkg" >/dev/null)
deb=$(ls "$scratch"/pkg/*.deb)
cp "$deb" "$artefacts/"
depends=$(dpkg-deb -f "$deb" Depends)
for p in libsfml-graphics fonts-open-sans fonts-bebas-neue fonts-blankenburg; do
    grep -q "$p" <<<"$depends" || { echo "FAIL: the package does not depend on $p" >&2; exit 1; }
done
dpkg-deb -x "$deb" "$scratch/root"
ln -s /usr/share/fonts "$scratch/root/usr/share/fonts"
[ -f "$scratch/root/usr/share/vantreth/Graphics/sujet.ttf" ] ||
    { echo "FAIL: the package's font link leads nowhere" >&2; exit 1; }
command=$(sed -n 's/^Exec=//p' "$scratch/root/usr/share/applications/$id.desktop")
launch_and_exit "$scratch/root/usr/games/$command" package
echo "installed and packaged game start from their launchers and keep the player's data in XDG_DATA_HOME"
