#!/usr/bin/env bash
# Starts the real game in a fresh copy of the run directory holding one save
# written in the save layout (a level 9 run with a katana and a rail gun),
# clicks "Load Save" like a player, and checks that the level after the
# saved one was generated and entered: its street dump has the size of a
# level 10 map, and the game is still running inside it.
# Usage: load_save.sh RUN_DIR ARTEFACT_DIR   (needs DISPLAY, xdotool, ImageMagick)
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
e2e_prepare "$1" "$2"
mkdir -p data/SaveData
weapon_block() { # name, basename, sprite row, melee
    printf 'Type:\nweapon\nMaxAmmo:\n2\nAmmo:\n2\nShotcolor(r,g,b):\n255\n255\n255\nRecoil:\n0\nRange:\n125\n'
    printf 'Accuracy:\n0.5\nRLDSpeed:\n0.55\nShotCount:\n21\nPenetration:\n0\nExplosive:\n0\n'
    printf 'Melee:\n%s\nGFX:\n%s\n' "$4" "$3"
    printf 'Bulletshat:\n0\nConcussive:\n0\nAdrenalin:\n0\nPoison:\n0\nExplosionradius:\n0\n'
    printf 'Name:\n%s\nBasename:\n%s\nPower:\n30\nStability:\n5\nSpeed:\n1\nSemiauto:\n0\nRarity\n40\n\n' "$1" "$2"
}
{
    printf 'Hardcoremode:\n0\nDifficulty:\n9\n\nPlayer:\nArmor:\n0\nMaxHP:\n170\nHP:\n170\nMaxStamina:\n110\n'
    printf 'Stamina:\n110\nPosition(X,Y):\n100\n100\nHitradius:\n24\nRotation:\n0\nGrapple: \n1\nHealth: \n2\n'
    printf 'Stamina: \n1\nWeaponhandle: \n3\nLevel: \n7\nXP: \n12000\nXPneeded: \n12718\nStatpoints: \n0\n'
    printf 'HS: \n50000\nScore: \n900\n\nEquipped:\n'
    weapon_block "Quick Katana" Katana 9 1
    weapon_block "Rail Gun" "Rail Gun" 10 0
    printf 'Type:\nArmorr:\nbonusHP:\n60\nName:\nPlatemail\nBasename:\nPlatemail\nPower:\n8\nStability:\n0\n'
    printf 'Speed:\n0.6\nSemiauto:\n0\nRarity\n0\n\n'
} > data/SaveData/save.txt
cp data/SaveData/save.txt "$artefacts/loaded_save.txt"

e2e_start_game
# "Load Save" is centred at (1550, 328) of the view.
e2e_press 1550 328 256 108 "Load Save"
sleep 2

kill -0 "$pid" 2>/dev/null || { echo "FAIL: the game ended after loading" >&2; cat stderr.txt >&2; exit 1; }
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""
cp stdout.txt "$artefacts/load_stdout.txt"

grep -qx "Etsii alkupaikkaa" stdout.txt || { echo "FAIL: no level was placed" >&2; cat stdout.txt >&2; exit 1; }
[ -f SaveData/map.txt ] || { echo "FAIL: SaveData/map.txt was not written" >&2; exit 1; }
# A level 10 map has 50 + 10 to 20 rows; the main menu's own first level has 51 or 52.
lines=$(wc -l < SaveData/map.txt)
if [ "$lines" -lt 60 ] || [ "$lines" -gt 70 ]; then
    echo "FAIL: the loaded level's dump has $lines rows, not those of level 10" >&2
    exit 1
fi
[ -f data/SaveData/save.txt ] || { echo "FAIL: loading removed the save" >&2; exit 1; }

echo "save loaded into level 10 ($lines rows)"
