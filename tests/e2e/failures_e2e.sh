#!/usr/bin/env bash
# Damage a player can do to the program folder, beyond the missing files of the sound and
# start-up tests: damaged list, picture, WAVE and loop files, missing or broken shaders, a
# dir.txt naming no folder, a Game.ini of random bytes. Each ends with its messages and
# status 0 and leaves Game.ini and dir.txt as they were, or plays on.
GAME_DIR=${1:?program folder}
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
[ -f "$GAME_DIR/Game.ini" ] && [ -d "$GAME_DIR/data/wav" ] ||
    { echo "no data folder or settings file in $GAME_DIR"; exit 77; }
start_xvfb

init_failed="ゲームの初期化に失敗しました。"
not_found="ファイルが見つかりません"
# A copy of the program folder with the build's Game.ini; $1 = wave makes it load WAVE
# files, $1 = silent no sounds at all (quicker where the damage is not to the sounds).
folder() {
    local dir
    dir=$(new_program_folder)
    cp "$GAME_DIR/Game.ini" "$dir/"
    local code=
    [ "${1:-}" = wave ] && code='\x02'
    [ "${1:-}" = silent ] && code='\x00'
    [ -n "$code" ] && printf "$code" | dd of="$dir/Game.ini" bs=1 seek=21 conv=notrunc status=none
    echo "$dir"
}

# Pictures: a list of other text, a missing sheet, a sheet cut in half, a sheet of noise.
dir=$(folder silent)
head -c 300 /dev/zero | tr '\0' 'A' > "$dir/data/grp/grp_0003.txt"
expect_failure "$dir" text-picture-list Message "$not_found" \
    Error "失敗しました。4" Message "$init_failed"

dir=$(folder silent)
rm "$dir/data/grp/grp_0002.png"
expect_failure "$dir" no-sheet Message "$dir/data\\grp\\grp_0002.png $not_found" \
    Error "失敗しました。4" Message "$init_failed"

for damage in cut noise; do
    dir=$(folder silent)
    sheet=$dir/data/grp/grp_0005.png
    if [ $damage = cut ]; then
        head -c $(($(stat -c %s "$GAME_DIR/data/grp/grp_0005.png") / 2)) "$GAME_DIR/data/grp/grp_0005.png" > "$sheet"
    else
        head -c 5000 /dev/urandom > "$sheet"
    fi
    expect_failure "$dir" $damage-sheet Message "$dir/data\\grp\\grp_0005.png PNGファイルが壊れています" \
        Error "失敗しました。4" Message "$init_failed"
done

# WAVE files: an effect of noise, a cut music track.
dir=$(folder wave)
head -c 3000 /dev/urandom > "$dir/data/wav/se_00003.wav"
expect_failure "$dir" noise-wave-effect Error "Waveファイルのオープンに失敗" Message "$init_failed"

dir=$(folder wave)
head -c 30 "$GAME_DIR/data/wav/bgm_0006.wav" > "$dir/data/wav/bgm_0006.wav"
expect_failure "$dir" cut-wave-track Error "WAVEファイルを開くのに失敗" Message "$init_failed"

# dir.txt naming a folder that is not there: the first list is not found.
dir=$(folder)
{ printf '\xff\xfe'; printf 'nowhere\\' | iconv -f UTF-8 -t UTF-16LE; } > "$dir/dir.txt"
expect_failure "$dir" missing-data-folder Message "$dir/nowhere\\ogg\\ogg_0000.txt $not_found" \
    Message "$init_failed"

# Damage the game lives with: a loop file of noise gives loop points 0 and 0, and a
# Game.ini of random bytes is read as far as it makes sense. The title must look right,
# and Esc must write back the ranking and the bytes the game keeps as they were.
compose_scene "$E2E_TMP/title-ref.png" <<<"$(printf 'run 39\ndraws on\nrun 1')"
plays_on() {
    local dir=$1 name=$2
    ALSOFT_DRIVERS=null launch "$dir" "$name"
    wait_title "$ID"
    sleep 1
    screenshot "$ID" "$E2E_TMP/$name.png"
    [ "$(agreement "$E2E_TMP/$name.png" "$E2E_TMP/title-ref.png" 606x120+446+144)" -ge 70 ] ||
        fail "$name: the title does not look right"
    quit_game "$name"
    grep -E "^(Message|Error): " "$E2E_TMP/$name.err" && fail "$name: a message was shown"
    echo "$name: plays on"
}
dir=$(folder wave)
head -c 200 /dev/urandom > "$dir/data/wav/bgm_0005.wav.sli"
plays_on "$dir" noise-loop-file

dir=$(folder)
# Seeded so that the screen-mode byte is not 0 or 1 and the game stays in its window.
python3 -c "import random, sys; random.seed(1); sys.stdout.buffer.write(bytes(random.randrange(256) for _ in range(512)))" > "$dir/Game.ini"
cp "$dir/Game.ini" "$E2E_TMP/random.ini"
plays_on "$dir" random-settings
for range in "0 2" "4 14" "19 1" "21 1" "23 1" "36 310"; do
    read -r at count <<<"$range"
    [ "$(od -An -v -tx1 -j"$at" -N"$count" "$dir/Game.ini")" = "$(od -An -v -tx1 -j"$at" -N"$count" "$E2E_TMP/random.ini")" ] ||
        fail "random-settings: bytes $at to $((at + count - 1)) were not kept"
done
read -r music effects <<<"$(od -An -tu1 -j34 -N2 "$dir/Game.ini")"
[ "$music" -le 20 ] && [ "$effects" -le 20 ] || fail "random-settings: volume levels $music and $effects"
# Shaders, one missing and one that does not compile, stop only OpenGL: the game draws its
# frames itself instead and says so.
export TESSAROID_RENDERER=opengl
dir=$(folder silent)
rm "$dir/SampleVS.glsl"
plays_on "$dir" no-vertex-shader
dir=$(folder silent)
echo "not a shader" > "$dir/SamplePS.glsl"
plays_on "$dir" broken-pixel-shader
unset TESSAROID_RENDERER
grep -q "^SamplePS.glsl: " "$E2E_TMP/broken-pixel-shader.err" ||
    fail "broken-pixel-shader: the compiler's log was not shown"
for name in no-vertex-shader broken-pixel-shader; do
    grep -q "^Tessaroid: OpenGL could not be started" "$E2E_TMP/$name.err" ||
        fail "$name: the change to the software renderer was not said"
done

echo "failures e2e: all passed"
