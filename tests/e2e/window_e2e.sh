#!/usr/bin/env bash
# The game's window under Xvfb (no window manager): Alt+Enter twice gives back the window and
# its picture, a resize keeps 16:9 and scales the picture, losing the focus freezes the
# title and regaining it lets it move on, and Esc leaves the window mode in Game.ini.
GAME_DIR=${1:?program folder}
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
[ -f "$GAME_DIR/Game.ini" ] || { echo "no settings file in $GAME_DIR"; exit 77; }
start_xvfb
compose_scene "$E2E_TMP/title-ref.png" <<<"$(printf 'run 39\ndraws on\nrun 1')"
LOGO=606x120+446+144

client_size() {
    xwininfo -id "$ID" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'
}
# Waits up to 5 s for the client size to become $1.
expect_size() {
    for _ in $(seq 50); do
        [ "$(client_size)" = "$1" ] && return 0
        sleep 0.1
    done
    fail "$2: the window is $(client_size), not $1"
}
# The title's logo, scaled back to 1280 x 720, agrees with the composed one.
expect_title_picture() {
    screenshot "$ID" "$E2E_TMP/shot.png"
    convert "$E2E_TMP/shot.png" -resize '1280x720!' "$E2E_TMP/shot.png"
    local agree
    agree=$(agreement "$E2E_TMP/shot.png" "$E2E_TMP/title-ref.png" $LOGO)
    echo "$1: the logo agrees in $agree% of its pixels"
    [ "$agree" -ge "$2" ] || fail "$1: the picture does not show the title's logo in place"
}

dir=$(new_program_folder)
cp "$GAME_DIR/Game.ini" "$dir/"
launch "$dir" window
expect_size 1280x720 "at start"
wait_title "$ID"
sleep 1
expect_title_picture "at start" 70

# Alt+Enter twice: without a window manager the full screen cannot take effect, but the
# second press must give back the 1280 x 720 window with the whole picture in it.
press "$ID" alt+Return
sleep 1
press "$ID" alt+Return
sleep 1
expect_size 1280x720 "after Alt+Enter twice"
expect_title_picture "after Alt+Enter twice" 70

# Resizes: a corner drag to a narrow shape follows the height, a wider window the width.
xdotool windowsize "$ID" 1000 700
expect_size 1244x700 "dragged to 1000 x 700"
xdotool windowsize "$ID" 1600 700
expect_size 1600x900 "dragged to 1600 x 700"
sleep 0.5
expect_title_picture "at 1600 x 900" 50
xdotool windowsize "$ID" 1280 720
expect_size 1280x720 "dragged back"

# Focus away (to the root window): the scrolling title stands still; focus back: it moves.
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
xdotool windowfocus --sync "$root"
sleep 0.5
screenshot "$ID" "$E2E_TMP/away1.png"
sleep 1
screenshot "$ID" "$E2E_TMP/away2.png"
moved=$(compare -metric AE "$E2E_TMP/away1.png" "$E2E_TMP/away2.png" null: 2>&1)
[ "$moved" = 0 ] || fail "without the focus the title still moved ($moved pixels)"
xdotool windowfocus --sync "$ID"
sleep 0.5
screenshot "$ID" "$E2E_TMP/back.png"
moved=$(compare -metric AE "$E2E_TMP/away2.png" "$E2E_TMP/back.png" null: 2>&1)
[ "$moved" -gt 1000 ] || fail "with the focus back the title did not move on"
echo "focus: frozen while away, moving again when back"

quit_game window
[ "$(od -An -tx1 -j2 -N1 "$dir/Game.ini" | tr -d ' ')" = 00 ] || fail "Game.ini does not say window mode"
[ -s "$dir/dir.txt" ] || fail "no dir.txt after Esc"
echo "window e2e: all passed"
