#!/usr/bin/env bash
# The game's help and its manual page name the same options, files and exit
# statuses, the version names the rules revision of recordings, and a wrong
# option prints the usage and exits with 2. None of it needs a display.
# Usage: command_line.sh GAME_EXECUTABLE SOURCE_DIR
set -euo pipefail

game=$1
page="$2/packaging/vantreth.6"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

help=$("$game" --help) || fail "--help exited with $?"
version=$("$game" --version) || fail "--version exited with $?"
[[ $help == usage:* ]] || fail "--help does not start with the usage"
revision=$(sed -n 's/.*rulesRevision = \([0-9]*\);.*/\1/p' "$2/src/app/Replay.h")
grep -qx "recordings: rules revision $revision" <<<"$version" || fail "--version: $version"
grep -q "\"$(head -n 1 <<<"$version")\"" "$page" || fail "the page's header names another version than $version"

# section NAME: the lines of the page's section, roff escapes undone.
section() { sed -n "/^\.SH $1\$/,/^\.SH /p" "$page" | sed 's/\\-/-/g'; }
same() {
    [ "$2" = "$3" ] || fail "$1 differ between the help and the page:"$'\n'"help: $2"$'\n'"page: $3"
}
same options "$(grep -oE '^  --[a-z-]+' <<<"$help" | tr -d ' ' | sort)" \
    "$(section OPTIONS | sed -n 's/^\.BI\? \(--[a-z-]*\).*/\1/p' | sort)"
same files "$(sed -n '/^Files/,/^$/s/^  \([^ ]*\) .*/\1/p' <<<"$help" | sort)" \
    "$(section FILES | sed -n 's/^\.I \([^ ]*\)$/\1/p' | sort)"
same "exit statuses" "$(sed -n '/^Exit status/,$p' <<<"$help" | grep -oE '\b[0-9]\b' | sort)" \
    "$(section 'EXIT STATUS' | sed -n 's/^\.B \([0-9]\)$/\1/p' | sort)"
grep -q XDG_DATA_HOME <<<"$help" && section ENVIRONMENT | grep -q XDG_DATA_HOME ||
    fail "the help or the page does not name XDG_DATA_HOME"

status=0
"$game" --no-such-option >/dev/null 2>"${TMPDIR:-/tmp}/vantreth-usage.$$" || status=$?
usage=$(cat "${TMPDIR:-/tmp}/vantreth-usage.$$")
rm -f "${TMPDIR:-/tmp}/vantreth-usage.$$"
[ "$status" -eq 2 ] || fail "a wrong option exited with $status"
[[ $usage == usage:* ]] || fail "a wrong option printed: $usage"
echo "the help, the version and the manual page agree"
