#!/usr/bin/env bash
# The settings panel with the keyboard: every line changed, the panel showing each new value
# (the panel's own colour among them), Game.ini holding them after Esc, and the next start
# showing and saving them again. COLOR is not stored: the next start is back at colour 0.
GAME_DIR=${1:?program folder}
HERE=$(cd "$(dirname "$0")" && pwd)
SCREENS_DIR=${SCREENS_DIR:-$(cd "$GAME_DIR/.." && pwd)/e2e-screens}
source "$HERE/lib.sh"
[ -f "$GAME_DIR/Game.ini" ] || { echo "no settings file in $GAME_DIR"; exit 77; }
mkdir -p "$SCREENS_DIR"
start_xvfb

# Opens the settings panel from the title (up wraps the menu cursor to SETTINGS) and reads
# the values it highlights into SHOWN; the screenshot is left in $1.
open_settings() {
    wait_title "$ID"
    press "$ID" Up
    press "$ID" z
    sleep 1
    read_panel "$1"
}
read_panel() {
    screenshot "$ID" "$1"
    SHOWN=$(python3 "$HERE/settings_panel.py" "$1")
}
# The panel frame's colour, from its left edge.
frame_colour() {
    convert "$1" -format '%[pixel:p{209,300}]' info:
}

dir=$(new_program_folder)
cp "$GAME_DIR/Game.ini" "$dir/"
launch "$dir" settings
open_settings "$SCREENS_DIR/settings-first.png"
[ "$SHOWN" = "0 1 0 0 0 1 2 3 0" ] || fail "the first panel shows $SHOWN"

# Line by line: SCREEN MODE (no change), VSYNC off, TIMER to Sleep, FRAME SKIP on, BGM
# VOLUME 12 to 10, SE VOLUME 16 to 17, the four buttons one up, COLOR to 3.
for key in Right Down Right Down Right Right Down Right Down Left Left Down Right \
    Down Right Down Right Down Right Down Right Down Right Right Right; do
    press "$ID" $key
done
sleep 0.3
read_panel "$SCREENS_DIR/settings-changed.png"
[ "$SHOWN" = "0 0 2 1 1 2 3 4 3" ] || fail "after the changes the panel shows $SHOWN"
[ "$(frame_colour "$SCREENS_DIR/settings-first.png")" != "$(frame_colour "$SCREENS_DIR/settings-changed.png")" ] ||
    fail "the panel kept its colour"
quit_game settings

# Game.ini: the changed bytes, and every other byte as the build wrote it.
cp "$GAME_DIR/Game.ini" "$E2E_TMP/expected.ini"
for change in "3 00" "18 02" "20 01" "24 01" "25 02" "26 03" "27 04" "34 0a" "35 11"; do
    read -r at byte <<<"$change"
    printf "\\x$byte" | dd of="$E2E_TMP/expected.ini" bs=1 seek="$at" conv=notrunc status=none
done
cmp -l "$E2E_TMP/expected.ini" "$dir/Game.ini" || fail "Game.ini does not hold the changes"
cp "$dir/Game.ini" "$E2E_TMP/first-run.ini"
echo "first run: every line changed, shown and saved"

# The next start shows the saved values (and colour 0 again), and saves them unchanged.
launch "$dir" settings-again
open_settings "$E2E_TMP/again.png"
[ "$SHOWN" = "0 0 2 1 1 2 3 4 0" ] || fail "the next start shows $SHOWN"
quit_game settings-again
cmp "$E2E_TMP/first-run.ini" "$dir/Game.ini" || fail "the next start did not keep the settings"
echo "settings e2e: all passed"
