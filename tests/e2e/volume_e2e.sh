#!/usr/bin/env bash
# The volume settings heard end to end, through OpenAL's wave-file output: the same session
# (the ranking panel opened and closed and START in the quiet title, then the game's music)
# at the build's levels (music 12, effects 16 of 20) and at 4 and 4 gives music at a third
# and effects at a quarter of the loudness; both turned to 0 on the settings panel silence
# the rest of the session, and Game.ini keeps the zeros.
GAME_DIR=${1:?program folder}
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
begin_e2e Game.ini data/ogg

# START from the menu cursor on START, then 3.5 s of the game (the fade into it takes one)
# and Esc.
play_and_quit() {
    press "$ID" z
    sleep 3.5
    quit_game "$1"
}

# The build's Game.ini with the music and effect levels $2 and $3.
with_levels() {
    cp "$GAME_DIR/Game.ini" "$1/Game.ini"
    printf "\\x$(printf %02x "$2")\\x$(printf %02x "$3")" |
        dd of="$1/Game.ini" bs=1 seek=34 conv=notrunc status=none
}

for levels in "12 16" "4 4"; do
    name=levels-${levels// /-}
    dir=$(new_program_folder)
    with_levels "$dir" $levels
    launch_recorded "$dir" "$name"
    press "$ID" Down  # RANKING
    press "$ID" z
    sleep 0.5
    press "$ID" z
    sleep 0.5
    press "$ID" Up
    play_and_quit "$name"
    echo "[$SECONDS s] $name (effects, music, quiet end): $(python3 "$HERE/wave_levels.py" "$E2E_TMP/$name.wav")"
done
python3 "$HERE/wave_levels.py" compare "$E2E_TMP/levels-12-16.wav" "$E2E_TMP/levels-4-4.wav" \
    0.333 0.25 || fail "levels 4 and 4 are not a third and a quarter as loud as 12 and 16"

# Both volumes down to 0 on the settings panel (left held: the levels stop at 0), the panel
# closed, START: from there on nothing sounds, not the effects nor the game's music.
dir=$(new_program_folder)
with_levels "$dir" 12 16
launch_recorded "$dir" panel-zero
press "$ID" Up  # SETTINGS
press "$ID" z
sleep 0.5
for _ in 1 2 3 4; do press "$ID" Down; done  # BGM VOLUME
# Held, left steps at once, again 48 frames later, then every third frame: 16 steps take
# 93 frames, which three seconds give even at half the frame rate.
xdotool keydown Left; sleep 3; xdotool keyup Left
press "$ID" Down  # SE VOLUME
xdotool keydown Left; sleep 3; xdotool keyup Left
press "$ID" z
sleep 0.5
press "$ID" Down  # from SETTINGS round to START
play_and_quit panel-zero
read -r effects music quiet <<<"$(python3 "$HERE/wave_levels.py" "$E2E_TMP/panel-zero.wav")"
echo "[$SECONDS s] panel-zero (effects, music, quiet end): $effects $music $quiet"
python3 -c "import sys; sys.exit(not ($effects > 0.01 and $quiet >= 3))" ||
    fail "with both volumes at 0 the session ended with only $quiet s of silence"
[ "$(od -An -tu1 -j34 -N2 "$dir/Game.ini" | tr -s ' ')" = " 0 0" ] ||
    fail "Game.ini does not keep the volumes at 0: $(od -An -tu1 -j34 -N2 "$dir/Game.ini")"
echo "[$SECONDS s] volume e2e: all passed"
