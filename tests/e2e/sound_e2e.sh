#!/usr/bin/env bash
# The program's sound under Xvfb: every failure of the sound and picture stages of start-up
# shows its message and ends with status 0 and nothing written; with no sound device the
# game runs silent; through OpenAL's wave-file output a short session holds the game's
# effects and music.
GAME_DIR=${1:?program folder}
source "$(dirname "$0")/lib.sh"
start_xvfb
[ -d "$GAME_DIR/data/wav" ] && [ -d "$GAME_DIR/data/ogg" ] && [ -f "$GAME_DIR/Game.ini" ] ||
    { echo "no data folder or settings file in $GAME_DIR"; exit 77; }

# Gives the folder the build's Game.ini (default settings, volumes up) with the sound mode
# set: 1 WAVE, 2 Ogg Vorbis (stored as 2 and 1).
set_sound_mode() {
    local code=$(( $2 == 1 ? 2 : 1 ))
    cp "$GAME_DIR/Game.ini" "$1/Game.ini"
    printf "\\x$(printf %02x $code)" | dd of="$1/Game.ini" bs=1 seek=21 conv=notrunc status=none
}

init_failed="ゲームの初期化に失敗しました。"
not_found="ファイルが見つかりません"

# WAVE mode (1).
dir=$(new_program_folder); set_sound_mode "$dir" 1
rm "$dir/data/wav/wav_0000.txt"
expect_failure "$dir" no-wave-list Message "$dir/data\\wav\\wav_0000.txt $not_found" Message "$init_failed"

dir=$(new_program_folder); set_sound_mode "$dir" 1
rm "$dir/data/wav/se_00003.wav"
expect_failure "$dir" no-wave-effect Error "Waveファイルのオープンに失敗" Message "$init_failed"

dir=$(new_program_folder); set_sound_mode "$dir" 1
rm "$dir/data/wav/bgm_0006.wav"
expect_failure "$dir" no-wave-track Error "WAVEファイルを開くのに失敗" Message "$init_failed"

dir=$(new_program_folder); set_sound_mode "$dir" 1
rm "$dir/data/wav/bgm_0005.wav.sli"
expect_failure "$dir" no-loop-file Message "$dir/data\\wav\\bgm_0005.wav.sli $not_found" Message "$init_failed"

dir=$(new_program_folder); set_sound_mode "$dir" 1
rm "$dir/data/grp/grp_0003.txt"
expect_failure "$dir" no-picture-list Message "$dir/data\\grp\\grp_0003.txt $not_found" \
    Error "失敗しました。1" Message "$init_failed"

# Ogg Vorbis mode (2): its track failures go to stderr only.
dir=$(new_program_folder); set_sound_mode "$dir" 2
head -c 5000 /dev/zero > "$dir/data/ogg/bgm_0007.ogg"
EXPECT_ERR="Input does not appear to be an Ogg bitstream." \
    expect_failure "$dir" not-vorbis-track Message "$init_failed"

dir=$(new_program_folder); set_sound_mode "$dir" 2
rm "$dir/data/ogg/bgm_0000.ogg"
EXPECT_ERR="Open Error : $dir/data\\ogg\\bgm_0000.ogg" \
    expect_failure "$dir" no-ogg-track Message "$init_failed"

dir=$(new_program_folder); set_sound_mode "$dir" 2
head -c 300 /dev/zero > "$dir/data/ogg/se_00001.ogg"
EXPECT_ERR="Input does not appear to be an Ogg bitstream." \
    expect_failure "$dir" not-vorbis-effect Message "$init_failed"

# No sound device: the sounds are never loaded, so even a missing sound list goes unseen.
dir=$(new_program_folder); set_sound_mode "$dir" 2
rm "$dir/data/ogg/ogg_0000.txt"
"$dir/tessaroid" 2>"$E2E_TMP/silent.err" &
pid=$!
GAME_PIDS=$pid
id=$(wait_window Tessaroid) || fail "silent: no window"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "silent: the game ended"
press "$id" Escape
wait_exit "$pid" 10
[ "$STATUS" = 0 ] || fail "silent: ended with $STATUS"
# Only the sound libraries' own complaints about the missing card and the start-up line
# naming the way to the screen, nothing else from the game.
own=$(grep -v -e '^ALSA lib' -e '^AL lib' -e '^Tessaroid: drawing with ' "$E2E_TMP/silent.err")
[ -n "$own" ] && fail "silent: printed $own"
echo "silent: as expected"

# A short session through the wave-file output, in both modes: the title is quiet for a
# second, the decision key's effect sounds, then the game's music plays on with the effects
# of play.
for mode in 1 2; do
    dir=$(new_program_folder); set_sound_mode "$dir" $mode
    launch_recorded "$dir" session$mode
    sleep 1
    for key in z Left Left Right Up x a a Down Down; do
        press "$ID" $key
        sleep 0.6
    done
    sleep 1
    quit_game session$mode
    python3 "$(dirname "$0")/check_session_wave.py" "$E2E_TMP/session$mode.wav" ||
        fail "session $mode: $(cat "$E2E_TMP/session$mode.err")"
done
echo "sound e2e: all passed"
