#!/usr/bin/env bash
# The generator is deterministic: a second run into a fresh folder writes byte for byte the
# folder the build made. The program folder tool writes Game.ini with the default settings
# and raised volumes only where none exists.
set -euo pipefail
generator=$1
folder_tool=$2
built=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$generator" "$tmp/data" || fail "the generator failed"
diff -r "$built" "$tmp/data" >/dev/null || fail "a second run wrote different files"

mkdir "$tmp/game"
"$folder_tool" "$tmp/game" || fail "the folder tool failed"
[ "$(stat -c %s "$tmp/game/Game.ini")" = 512 ] || fail "Game.ini is not 512 bytes"
# The stored defaults (screen mode, vsync, inset, timer, audio code...), the loaded mark,
# the pad's face buttons A, B, X, Y on the four actions, music level 12 and effect level 16.
expected="0001000101 bd378635 00000000 0100000101000100010101 00010203000000000000 0c10"
actual=$(head -c 36 "$tmp/game/Game.ini" | od -An -tx1 | tr -d ' \n')
[ "$actual" = "${expected// /}" ] || fail "Game.ini starts $actual"
[ "$(tail -c 476 "$tmp/game/Game.ini" | tr -d '\0' | wc -c)" = 0 ] || fail "Game.ini ranking is not empty"
printf 'mine' > "$tmp/game/Game.ini"
"$folder_tool" "$tmp/game" || fail "the folder tool failed the second time"
[ "$(cat "$tmp/game/Game.ini")" = mine ] || fail "an existing Game.ini was replaced"
echo "generator deterministic; Game.ini written once"
