#!/bin/sh
# Starts an installed Vantreth. The game reads and writes everything relative
# to its working directory, so it runs from the player's own data folder:
# settings, saves and highscores live there, never in the install prefix. The
# read-only assets are linked in from the prefix on every start, so an upgrade
# of the package is picked up at once; anything the player owns is left alone.
set -eu

here=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$here")
share="$prefix/share/vantreth"
# The Debian package keeps the command in games/ and the game in lib/games/.
if [ "$(basename "$here")" = games ]; then
    game="$prefix/lib/games/vantreth/vantreth"
else
    game="$prefix/lib/vantreth/vantreth"
fi
data="${XDG_DATA_HOME:-$HOME/.local/share}/vantreth"

# Asking about the game makes no data folder.
case "${1:-}" in
--help | --version) exec "$game" "$@" ;;
esac

mkdir -p "$data/data/SaveData" "$data/SaveData"
for item in Graphics Sounds data/shaders data/lightFin.png data/testShape.txt; do
    dest="$data/$item"
    # A real file or folder of the same name is the player's: never replace it.
    if [ -L "$dest" ] || [ ! -e "$dest" ]; then
        ln -sfn "$share/$item" "$dest"
    fi
done

cd "$data"
exec "$game" "$@"
