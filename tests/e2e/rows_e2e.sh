#!/usr/bin/env bash
# Rows cleared in the real game: a bot starts a game from the menu and plays as a player would, reading the
# well, the falling piece and the score off the window and steering each piece into place
# (row_bot.py), until a row is cleared and the rows above it have come down. Every lock is
# checked against the well and the score the game's rules give. The well after the clear
# goes to SCREENS_DIR (default: build/e2e-screens) for looking at.
GAME_DIR=${1:?program folder}
HERE=$(cd "$(dirname "$0")" && pwd)
SCREENS_DIR=${SCREENS_DIR:-$(cd "$GAME_DIR/.." && pwd)/e2e-screens}
source "$HERE/lib.sh"
begin_e2e Game.ini data/grp/grp_0006.png
mkdir -p "$SCREENS_DIR"
export ALSOFT_DRIVERS=null

# The bot reads the game only through screenshots, which a busy machine can take between a
# key and its effect: a game it misjudged gets one fresh game more. A fault of the game's own
# fails both.
for attempt in 1 2; do
    dir=$(new_program_folder)
    cp "$GAME_DIR/Game.ini" "$dir/"
    launch "$dir" rows
    # The glyph sheet is the picture list's seventh entry (sheet 6).
    if python3 "$HERE/row_bot.py" "$ID" "$dir/data/grp/grp_0006.png" 1 120; then
        break
    fi
    [ $attempt = 2 ] && fail "rows: the bot did not clear a row as the rules say: $(cat "$E2E_TMP/rows.err")"
    echo "rows: attempt $attempt misjudged (above); a fresh game"
    quit_game rows
done
screenshot "$ID" "$SCREENS_DIR/rows-cleared.png"
quit_game rows
grep -E "^(Message|Error): " "$E2E_TMP/rows.err" && fail "the game showed a message"
echo "[$SECONDS s] rows e2e: all passed"
