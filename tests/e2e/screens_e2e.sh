#!/usr/bin/env bash
# The real program's picture under Xvfb: the title, the settings panel and a game under way,
# compared with the same scenes composed offline from the game's own draw lists
# (tessaroid-trace, then tessaroid-preview). The sheets become 5-bit texels, so the offline
# picture is first reduced to 5 bits a channel. The game is shot twice against the same
# compositions: on the way to the screen that the machine chooses, then through OpenGL
# (TESSAROID_RENDERER=opengl). The screenshots (the second set named *-opengl.png) and the
# compositions stay in SCREENS_DIR (default: build/e2e-screens) for looking at.
GAME_DIR=${1:?program folder}
SOURCE_DIR=${2:?source folder}
BUILD_DIR=$(cd "$GAME_DIR/.." && pwd)
SCREENS_DIR=${SCREENS_DIR:-$BUILD_DIR/e2e-screens}
source "$(dirname "$0")/lib.sh"
[ -f "$GAME_DIR/data/grp/grp_0003.txt" ] || { echo "no data folder"; exit 77; }
mkdir -p "$SCREENS_DIR"
start_xvfb
export ALSOFT_DRIVERS=null  # sound plays to no device: no card here

# Composes a traced frame offline (script on stdin), kept for looking at: $1 the name.
compose() {
    compose_scene "$E2E_TMP/$1.png"
    cp "$E2E_TMP/$1.png" "$SCREENS_DIR/$1-composed.png"
}
# White where two pictures differ by more than 2%, else black.
difference() {
    compare -fuzz 2% -metric AE "$1" "$2" -compose src -highlight-color white \
        -lowlight-color black "$3" 2>/dev/null
}
# The title and the settings panel scroll their background by 3 pixels a frame over a grid
# of 24: each is composed on eight frames in a row (the script's last "run 1" made longer),
# one for each step of the grid, and only the pixels on which all of them agree (the menus,
# the logo, the panel's texts) are compared.
compose_moments() {
    local scene=$1 script=$2 late
    compose "$scene-0" <<<"$script"
    convert "$E2E_TMP/$scene-0.png" -fill black -colorize 100 "$E2E_TMP/moving.png"
    for late in 1 2 3 4 5 6 7; do
        sed "\$s/^run 1$/run $((1 + late))/" <<<"$script" | compose "$scene-$late"
        difference "$E2E_TMP/$scene-0.png" "$E2E_TMP/$scene-$late.png" "$E2E_TMP/d.png"
        convert "$E2E_TMP/moving.png" "$E2E_TMP/d.png" -compose lighten -composite \
            "$E2E_TMP/moving.png"
        rm -f "$SCREENS_DIR/$scene-$late-composed.png"
    done
    convert "$E2E_TMP/moving.png" -negate "$E2E_TMP/$scene-stable.png"
}
compose_moments title "$(printf 'run 40\ndraws on\nrun 1\n')"
compose_moments settings "$(cat "$SOURCE_DIR/tools/preview/scenes/settings.txt")"
compose game < "$SOURCE_DIR/tools/preview/scenes/game.txt"

shot() {
    import -window "$1" "$SCREENS_DIR/$2$WAY.png" || fail "no screenshot of $2$WAY"
}
# Fails unless at most PERCENT of the region's steady pixels differ from the composition.
expect_steady() {
    local scene=$1 region=$2 percent=$3 what=$4 steady bad
    difference "$SCREENS_DIR/$scene$WAY.png" "$E2E_TMP/$scene-0.png" "$E2E_TMP/$scene-diff.png"
    steady=$(convert "$E2E_TMP/$scene-stable.png[$region]" -format '%[fx:round(mean*w*h)]' info:)
    bad=$(convert "$E2E_TMP/$scene-diff.png[$region]" "$E2E_TMP/$scene-stable.png[$region]" \
        -compose multiply -composite -format '%[fx:round(mean*w*h)]' info:)
    echo "$scene$WAY, $what: $bad of $steady steady pixels differ"
    [ "$steady" -gt 1000 ] || fail "$scene: $what has nothing steady to compare"
    [ $((bad * 100)) -le $((percent * steady)) ] || fail "$scene$WAY: $what differs"
}
masked() {
    convert "$1" -fill black -draw "rectangle 520,0 759,671" \
        -draw "rectangle 808,24 903,119" -draw "rectangle 952,24 1047,119" \
        -draw "rectangle 1096,24 1191,119" -draw "rectangle 1096,168 1191,263" \
        -draw "rectangle 1096,312 1191,407" -draw "rectangle 1096,456 1191,551" \
        -draw "rectangle 300,20 479,79" "$2"
}
masked "$E2E_TMP/game.png" "$E2E_TMP/game-masked.png"

# Starts a fresh copy of the game (the renderer variable as WAY_ASKED sets it) with stderr to
# $E2E_TMP/$1$WAY.err and waits for its title: sets pid and id.
start_game() {
    local dir err="$E2E_TMP/$1$WAY.err"
    dir=$(new_program_folder)
    if [ -n "$WAY_ASKED" ]; then
        TESSAROID_RENDERER=$WAY_ASKED "$dir/tessaroid" 2>"$err" &
    else
        "$dir/tessaroid" 2>"$err" &
    fi
    pid=$!
    GAME_PIDS="${GAME_PIDS:-} $pid"
    id=$(wait_window Tessaroid || wait_window Tessaroid) || fail "no window appeared: $(cat "$err")"
    # A first start (shaders compiled anew) on a busy machine can take seconds to its first frame.
    wait_title "$id"
}

# The three scenes on one way to the screen: WAY is the screenshots' suffix, WAY_ASKED the
# value of TESSAROID_RENDERER (empty: the machine's own choice).
shoot_scenes() {
    WAY=$1 WAY_ASKED=$2
    start_game game
    grep -m1 "^Tessaroid: drawing with" "$E2E_TMP/game$WAY.err"
    sleep 2
    shot "$id" title
    # The background starts 16 pixels in: left of it nothing is drawn and the frame stays black.
    [ "$(convert "$SCREENS_DIR/title$WAY.png[16x720+0+0]" -format '%[fx:maxima.r+maxima.g+maxima.b]' info:)" = 0 ] ||
        fail "title$WAY: something was drawn left of the background"
    expect_steady title 606x120+446+144 5 "logo"
    # START, under the cursor, bobs over 32 frames: more than the composed moments cover.
    expect_steady title 288x96+512+504 5 "RANKING"
    expect_steady title 288x96+512+600 5 "SETTINGS"

    # Settings as the scene script opens it: up, choose, then four steps down.
    for key in Up z Down Down Down Down; do press "$id" "$key"; sleep 0.25; done
    sleep 1
    shot "$id" settings
    expect_steady settings 400x60+320+50 10 "screen mode"
    expect_steady settings 878x720+209+0 10 "panel"
    press "$id" Escape
    wait_exit "$pid" 10
    [ "$STATUS" = 0 ] || fail "Esc ended the game with $STATUS"

    # A game just begun: everything but the pieces, the previews and the score is fixed. Masked
    # out of both pictures: the well's inside, the six preview boxes' insides, the score digits.
    start_game game2
    press "$id" z
    # The game's fade-in is counted in frames, which a busy machine draws fewer of a second: the
    # picture is taken again until it has settled, for up to 20 s.
    local end=$((SECONDS + 20)) n
    while :; do
        shot "$id" game
        masked "$SCREENS_DIR/game$WAY.png" "$E2E_TMP/shot-masked.png"
        n=$(compare -metric AE -fuzz 2% "$E2E_TMP/shot-masked.png" "$E2E_TMP/game-masked.png" null: 2>&1)
        [ "$n" = 0 ] || [ "$SECONDS" -ge "$end" ] && break
        sleep 0.5
    done
    echo "game$WAY, all but pieces, previews and score: $n pixels differ"
    [ "$n" = 0 ] || fail "game$WAY: the well, panels or background differ"
    press "$id" Escape
    wait_exit "$pid" 10
    [ "$STATUS" = 0 ] || fail "Esc ended the game with $STATUS"
    grep -E "^(Message|Error): " "$E2E_TMP/game$WAY.err" "$E2E_TMP/game2$WAY.err" &&
        fail "the game$WAY showed a message"
    return 0
}

shoot_scenes "" ""
# OpenGL must really have drawn the second set: not the software renderer it falls back to.
shoot_scenes -opengl opengl
grep -h "software renderer" "$E2E_TMP/game-opengl.err" "$E2E_TMP/game2-opengl.err" &&
    fail "OpenGL was asked for, but the software renderer drew"
echo "screens e2e: all passed on both ways to the screen; screenshots in $SCREENS_DIR"
