#!/usr/bin/env bash
# tessaroid.exe under Wine against the Linux build's game, one session each with the same
# keys (into the settings panel, music volume down, effect volume up, Esc): both end with
# status 0 and write the same Game.ini bytes, and their title screens agree within a small
# colour tolerance wherever neither picture moves (the background scrolls). The Windows game
# plays to a null ALSA device through a tap that keeps what reaches it: the mastering voice
# was created and the title music streams when that is not silence.
# usage: game_e2e.sh WINE_RUN GAME_DIR LINUX_GAME_DIR
WINE_RUN=$1 GAME_DIR=$2 LINUX_DIR=$3
source "$(dirname "$0")/game_lib.sh"
if [ ! -x "$LINUX_DIR/tessaroid" ] || [ ! -f "$LINUX_DIR/Game.ini" ]; then
  echo "No Linux game in $LINUX_DIR to compare with (scripts/build.sh builds it); skipped" >&2
  exit 77
fi
session_keys=(Up z Down Down Down Down Left Down Right)

# The run's own home: ALSA's default device plays to nowhere, through a file tap.
home=$TMP/home
mkdir -p "$home"
cat >"$home/.asoundrc" <<ASOUND
pcm.!default { type file slave.pcm "null" file "$TMP/sound.raw" format "raw" }
ASOUND

windows=$(windows_folder windows)
HOME=$home launch "$windows" windows "$WINE_RUN" ./tessaroid.exe
shots windows
for key in "${session_keys[@]}"; do press "$key"; done
sleep 0.5
press Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "Esc ended the Windows game with $STATUS: $(cat "$TMP/windows.err")"

linux=$(linux_folder linux)
ALSOFT_DRIVERS=null launch "$linux" linux ./tessaroid
shots linux
for key in "${session_keys[@]}"; do press "$key"; done
sleep 0.5
press Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "Esc ended the Linux game with $STATUS"

# The same Game.ini bytes, and the session's two changes in them.
[ "$(stat -c %s "$windows/Game.ini")" = 512 ] || fail "no 512-byte Game.ini from Windows"
cmp "$windows/Game.ini" "$linux/Game.ini" || fail "the two games saved different Game.ini bytes"
cmp -s "$windows/Game.ini" "$LINUX_DIR/Game.ini" && fail "the session changed nothing"
echo "Game.ini: the same 512 bytes from both games"

# The title: every pixel that stood still in both games' shots, within 2 % in colour.
moving windows
moving linux
convert "$TMP/windows-moving.png" "$TMP/linux-moving.png" -compose lighten -composite \
    -negate "$TMP/steady.png"
difference "$TMP/windows-1.png" "$TMP/linux-1.png" "$TMP/title-diff.png"
convert "$TMP/title-diff.png" "$TMP/steady.png" -compose multiply -composite "$TMP/bad.png"
steady=$(white_pixels "$TMP/steady.png")
bad=$(white_pixels "$TMP/bad.png")
echo "title: $bad of $steady steady pixels differ; moving: Windows" \
    "$(white_pixels "$TMP/windows-moving.png"), Linux $(white_pixels "$TMP/linux-moving.png")"
[ "$steady" -gt 100000 ] || fail "too little of the title stood still to compare"
[ $((bad * 100)) -le $((steady * 2)) ] || fail "the Windows title differs from the Linux one"

# Sound: the tap kept something other than silence.
[ -s "$TMP/sound.raw" ] || fail "nothing reached the sound device"
loud=$(python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); print(len(d) - d.count(0))' \
    "$TMP/sound.raw")
echo "sound: $(stat -c %s "$TMP/sound.raw") bytes reached the device, $loud of them not zero"
[ "$loud" -gt 1000 ] || fail "only silence reached the sound device"
