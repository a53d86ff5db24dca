#!/usr/bin/env bash
# A new player's first session with the real program under Xvfb: the time from launch to the
# first frame, START and its fade, a piece moved, turned, soft-dropped and locked, the pause,
# a game held down to its end, the title again, and the score with today's date in the
# ranking panel and in Game.ini. Screenshots of the pause, the game over and the ranking go
# to SCREENS_DIR (default: build/e2e-screens) for looking at.
GAME_DIR=${1:?program folder}
SOURCE_DIR=${2:?source folder}
HERE=$(cd "$(dirname "$0")" && pwd)
SCREENS_DIR=${SCREENS_DIR:-$(cd "$GAME_DIR/.." && pwd)/e2e-screens}
source "$HERE/lib.sh"
[ -f "$GAME_DIR/Game.ini" ] && [ -f "$GAME_DIR/data/grp/grp_0003.txt" ] ||
    { echo "no data folder or settings file in $GAME_DIR"; exit 77; }
mkdir -p "$SCREENS_DIR"
start_xvfb
export ALSOFT_DRIVERS=null  # a sound device that plays to nowhere: the sounds are loaded

# The scenes as the game's own draw lists compose them, to tell the screens apart.
scenes=$SOURCE_DIR/tools/preview/scenes
compose_scene "$E2E_TMP/title-ref.png" <<<"$(printf 'run 39\ndraws on\nrun 1')"
compose_scene "$E2E_TMP/game-ref.png" < "$scenes/game.txt"
compose_scene "$E2E_TMP/pause-ref.png" < "$scenes/pause.txt"
compose_scene "$E2E_TMP/over-ref.png" < "$scenes/game_over.txt"
LOGO=606x120+446+144
LEFT_WALL=24x288+496+0
WELL=240x672+520+0
SCORE=180x60+300+20

# Classifies the window's picture in $E2E_TMP/now.png: title, game, over or other.
scene_now() {
    screenshot "$ID" "$E2E_TMP/now.png"
    if [ "$(agreement "$E2E_TMP/now.png" "$E2E_TMP/game-ref.png" $LEFT_WALL)" -ge 95 ]; then
        echo game
    elif [ "$(agreement "$E2E_TMP/now.png" "$E2E_TMP/over-ref.png" 1248x720+16+0)" -ge 95 ]; then
        echo over
    elif [ "$(agreement "$E2E_TMP/now.png" "$E2E_TMP/title-ref.png" $LOGO)" -ge 70 ]; then
        echo title
    else
        echo other
    fi
}

# The falling piece as well.py reads it: sets ROW, COLUMN, SHAPE and SHOT_AT (the time of
# the screenshot).
read_piece() {
    SHOT_AT=$(date +%s%N)
    screenshot "$ID" "$E2E_TMP/well.png"
    read -r ROW COLUMN SHAPE <<<"$(python3 "$HERE/well.py" piece "$E2E_TMP/well.png")"
    [ "$ROW" != none ] || fail "no falling piece in the well"
}

# Launch to first frame: from starting the program to the start of the first screenshot in
# which the logo's area holds drawn pixels (screenshots follow each other without a pause).
dir=$(new_program_folder)
cp "$GAME_DIR/Game.ini" "$dir/"  # the settings file a fresh build leaves
start=$(date +%s%N)
launch "$dir" player
mapped=$(ms_since "$start")
drawn=
for _ in $(seq 100); do
    at=$(ms_since "$start")
    screenshot "$ID" "$E2E_TMP/first.png"
    if [ "$(convert "$E2E_TMP/first.png[$LOGO]" -format '%[fx:maxima>0.2]' info:)" = 1 ]; then
        drawn=$at
        break
    fi
done
[ -n "$drawn" ] || fail "the title was never drawn"
echo "[$SECONDS s] launch to window mapped: $mapped ms; launch to first frame drawn: $drawn ms"
for _ in $(seq 20); do [ "$(scene_now)" = title ] && break; done
[ "$(scene_now)" = title ] || fail "the title did not appear"
title_mean=$(convert "$E2E_TMP/now.png" -format '%[fx:mean]' info:)

# START: the screen fades to black, then the game scene fades in. The screenshots of the
# fade follow each other as fast as they can and are looked at afterwards.
press "$ID" z
start=$(date +%s%N)
n=0
while [ "$(ms_since "$start")" -lt 3000 ]; do
    n=$((n + 1))
    screenshot "$ID" "$E2E_TMP/fade-$n.png"
done
darkest=$(for k in $(seq $n); do convert "$E2E_TMP/fade-$k.png" -format '%[fx:mean]\n' info:; done |
    sort -g | head -n 1)
python3 -c "import sys; sys.exit(not $darkest < 0.5 * $title_mean)" ||
    fail "no fade in $n screenshots (darkest mean $darkest, the title's $title_mean)"
for _ in $(seq 20); do [ "$(scene_now)" = game ] && break; done
[ "$(scene_now)" = game ] || fail "START did not lead to the game"
echo "[$SECONDS s] START: faded (darkest of $n screenshots $darkest against the title's $title_mean) into the game"
cp "$E2E_TMP/now.png" "$E2E_TMP/score-before.png"

# Left and right move the piece by a cell; up turns it (the square and the single cell look
# the same turned: their turn is tried on the next piece).
read_piece
start_column=$COLUMN
press "$ID" Left
read_piece
[ "$COLUMN" = $((start_column - 1)) ] || fail "left moved the piece from $start_column to $COLUMN"
press "$ID" Right
press "$ID" Right
read_piece
[ "$COLUMN" = $((start_column + 1)) ] || fail "right twice moved the piece to $COLUMN"
turned=
for _ in 1 2 3 4; do
    if [ "$SHAPE" != "0,0;0,1;1,0;1,1" ] && [ "$SHAPE" != "0,0" ]; then
        before=$SHAPE
        press "$ID" Up
        read_piece
        [ "$SHAPE" != "$before" ] || fail "up did not turn the piece ($before)"
        turned=1
        break
    fi
    # Soft-drop this one to the floor and take the next.
    xdotool keydown Down; sleep 1.8; xdotool keyup Down; sleep 1
    read_piece
done
[ -n "$turned" ] || fail "no piece to turn came in four"
echo "[$SECONDS s] moves: left, right, right and a turn as expected"

# Soft drop: down held for 0.6 s takes the piece far further than the fall of one row per
# second; then it rests on the floor, locks, and the next piece comes down from the top.
top=$ROW
xdotool keydown Down; sleep 0.6; xdotool keyup Down
read_piece
[ $((ROW - top)) -ge 6 ] || fail "down held for 0.6 s took the piece from row $top to $ROW only"
xdotool keydown Down; sleep 1.5; xdotool keyup Down
sleep 1
read_piece
[ "$ROW" -le 20 ] || fail "no new piece above the locked one (row $ROW)"
python3 "$HERE/well.py" grid "$E2E_TMP/well.png" | tail -n 1 | grep -q '#' ||
    fail "nothing locked on the floor"
[ "$(agreement "$E2E_TMP/well.png" "$E2E_TMP/score-before.png" $SCORE)" -lt 100 ] ||
    fail "the score did not change"
echo "[$SECONDS s] soft drop and lock: as expected"

# Pause: the field is hidden and "P A U S E" shown as the game composes it; the same key
# resumes. Over the 5 s paused the piece stays put: of the seconds between the screenshots
# before and after, only those outside the pause may take it down, a row a second.
read_piece
paused_row=$ROW paused_column=$COLUMN paused_at=$SHOT_AT
press "$ID" a
sleep 0.5
screenshot "$ID" "$SCREENS_DIR/pause.png"
[ "$(agreement "$SCREENS_DIR/pause.png" "$E2E_TMP/pause-ref.png" $WELL)" -ge 95 ] ||
    fail "the pause does not look as composed"
sleep 4.5
press "$ID" a
read_piece
outside=$(( (SHOT_AT - paused_at) / 1000000000 - 5 ))
[ "$COLUMN" = "$paused_column" ] && [ $((ROW - paused_row)) -le $((outside + 1)) ] ||
    fail "the piece fell from row $paused_row to $ROW with $outside s unpaused"
echo "[$SECONDS s] pause: opens, holds the piece, closes"

# The game to its end: down held, the well fills in the middle; the game over shows, then
# the title comes back.
xdotool keydown Down
seen=
for _ in $(seq 300); do
    seen=$(scene_now)
    [ "$seen" = over ] && break
done
xdotool keyup Down
[ "$seen" = over ] || fail "the game did not end with down held"
cp "$E2E_TMP/now.png" "$SCREENS_DIR/game-over.png"
end_date=$(date '+%Y %m %d')
for _ in $(seq 60); do
    seen=$(scene_now)
    [ "$seen" = title ] && break
done
[ "$seen" = title ] || fail "the title did not come back after the game over"
echo "[$SECONDS s] game over: shown, then the title"

# The ranking panel holds the score with today's date; Game.ini holds the same after Esc.
press "$ID" Down
press "$ID" z
sleep 1
screenshot "$ID" "$SCREENS_DIR/ranking.png"
quit_game player
read -r year month day hour minute second <<<"$(od -An -v -td4 -j76 -N24 "$dir/Game.ini" | tr "\n" " ")"
score=$(od -An -td4 -j36 -N4 "$dir/Game.ini" | tr -d ' ')
read -r y m d <<<"$end_date"
[ "$year $month $day" = "$((10#$y - 1900)) $((10#$m - 1)) $((10#$d))" ] ||
    fail "the first ranking entry is dated $year $month $day, not $end_date"
[ "$score" -gt 0 ] || fail "the first ranking score is $score"
[ "$(od -An -v -tx1 -j40 -N36 "$dir/Game.ini" | tr -d ' 0\n')" = "" ] ||
    fail "more than one ranking score after one game: $(od -An -td4 -j36 -N40 "$dir/Game.ini")"
echo "[$SECONDS s] Game.ini: first place $score on $end_date at $hour:$minute:$second"
# The panel's first line against the same line composed from the saved file: the white
# glyphs must be the same.
compose_scene "$E2E_TMP/ranking-ref.png" --ini "$dir/Game.ini" < "$scenes/ranking.txt"
for f in "$SCREENS_DIR/ranking.png" "$E2E_TMP/ranking-ref.png"; do
    convert "$f[904x64+376+72]" -colorspace gray -threshold 85% "$f.glyphs.png"
done
differ=$(compare -metric AE "$SCREENS_DIR/ranking.png.glyphs.png" "$E2E_TMP/ranking-ref.png.glyphs.png" null: 2>&1)
rm -f "$SCREENS_DIR/ranking.png.glyphs.png"
echo "[$SECONDS s] ranking panel, first line: $differ glyph pixels differ from the composition"
[ "$differ" -le 200 ] || fail "the ranking panel's first line is not the saved score and date"
grep -E "^(Message|Error): " "$E2E_TMP/player.err" && fail "the game showed a message"
echo "[$SECONDS s] player e2e: all passed"
