#!/usr/bin/env bash
# The program under Xvfb: the first run's window and files, the silent exits.
GAME_DIR=${1:?program folder}
source "$(dirname "$0")/lib.sh"
start_xvfb

# The program folder holds only what the game uses and writes; every copy of it carries all.
extra=$(cd "$GAME_DIR" && ls -A | grep -vxE 'tessaroid|dir\.txt|Game\.ini|Sample[VP]S\.glsl|data')
[ -z "$extra" ] || fail "the program folder holds more than the game's own files: $extra"

# First run: a 1280 x 720 window titled Tessaroid; Esc leaves Game.ini and dir.txt.
dir=$(new_program_folder)
rm -f "$dir/Game.ini"
start=$(date +%s%N)
"$dir/tessaroid" 2>"$E2E_TMP/first.err" &
pid=$!
GAME_PIDS=$pid
id=$(wait_window Tessaroid) || fail "no window appeared"
echo "window after $(( ($(date +%s%N) - start) / 1000000 )) ms"
geometry=$(xwininfo -id "$id")
echo "$geometry" | grep -q "Width: 1280" || fail "client width is not 1280"
echo "$geometry" | grep -q "Height: 720" || fail "client height is not 720"

# A second copy leaves at once, silently, while the first runs.
"$dir/tessaroid" 2>"$E2E_TMP/second.err" &
second=$!
wait_exit "$second" 10; status=$STATUS
[ "$status" = 0 ] || fail "second copy ended with $status"
[ -s "$E2E_TMP/second.err" ] && fail "second copy printed: $(cat "$E2E_TMP/second.err")"

press "$id" Escape
wait_exit "$pid" 10; status=$STATUS
[ "$status" = 0 ] || fail "Esc ended the game with $status"
[ "$(stat -c %s "$dir/Game.ini")" = 512 ] || fail "Game.ini is not 512 bytes"
expected=$(printf '\x00\x01\x00\x01\x01\xbd\x37\x86\x35\x00\x00\x00\x00\x01\x00\x00\x01\x01\x00\x01\x00\x01\x01\x01' | od -An -tx1)
actual=$(head -c 24 "$dir/Game.ini" | od -An -tx1)
[ "$expected" = "$actual" ] || fail "Game.ini header is $actual"
[ "$(tail -c 488 "$dir/Game.ini" | tr -d '\0' | wc -c)" = 0 ] || fail "Game.ini has data past the header"
[ "$(od -An -tx1 "$dir/dir.txt" | tr -d ' \n')" = "fffe64006100740061005c00" ] || fail "dir.txt holds $(od -An -tx1 "$dir/dir.txt")"

# Without dir.txt the program ends with status 0 before any window appears.
dir=$(new_program_folder)
rm -f "$dir/dir.txt"
"$dir/tessaroid" 2>"$E2E_TMP/nodir.err" &
pid=$!
wait_exit "$pid" 10; status=$STATUS
[ "$status" = 0 ] || fail "without dir.txt the game ended with $status"
xwininfo -root -tree | grep -q '"Tessaroid"' && fail "a window appeared without dir.txt"
[ -e "$dir/Game.ini" ] && fail "Game.ini was written without dir.txt"

# No display at all (no DISPLAY, no WAYLAND_DISPLAY, as over ssh): a word that a display is
# needed, the window-creation message, status 0, and nothing written.
dir=$(new_program_folder)
cp "$GAME_DIR/Game.ini" "$dir/"
listing=$(cd "$dir" && find . -type f -exec md5sum {} + | sort)
env -u DISPLAY -u WAYLAND_DISPLAY ALSOFT_DRIVERS=null "$dir/tessaroid" 2>"$E2E_TMP/nodisplay.err" &
pid=$!
wait_exit "$pid" 20; status=$STATUS
[ "$status" = 0 ] || fail "without a display the game ended with $status: $(cat "$E2E_TMP/nodisplay.err")"
grep -q "no display to show the window on; the game needs an X11 or Wayland display" "$E2E_TMP/nodisplay.err" ||
    fail "no word that a display is needed: $(cat "$E2E_TMP/nodisplay.err")"
grep -q "^Message: ウィンドウ作成に失敗しました。" "$E2E_TMP/nodisplay.err" ||
    fail "no window-creation message without a display"
[ "$(cd "$dir" && find . -type f -exec md5sum {} + | sort)" = "$listing" ] ||
    fail "files were written without a display"

# A display that is named but cannot be opened: said as such, the same message and end.
DISPLAY=:9999 ALSOFT_DRIVERS=null "$dir/tessaroid" 2>"$E2E_TMP/baddisplay.err" &
pid=$!
wait_exit "$pid" 20; status=$STATUS
[ "$status" = 0 ] || fail "with a display that cannot be opened the game ended with $status"
grep -q "the display (DISPLAY=:9999) could not be opened" "$E2E_TMP/baddisplay.err" &&
    grep -q "^Message: ウィンドウ作成に失敗しました。" "$E2E_TMP/baddisplay.err" ||
    fail "no word that the display could not be opened: $(cat "$E2E_TMP/baddisplay.err")"
[ "$(cd "$dir" && find . -type f -exec md5sum {} + | sort)" = "$listing" ] ||
    fail "files were written with a display that cannot be opened"

# A program folder whose path is longer than the game's path buffers: a silent exit with a
# line on stderr that says why, and nothing written.
part=$(printf 'deep%.0s' $(seq 50))
deep="$E2E_TMP/$part/$part/$part/$part"
mkdir -p "$deep"
cp -a "$GAME_DIR"/. "$deep"/
rm -f "$deep/Game.ini"
"$deep/tessaroid" 2>"$E2E_TMP/deep.err" &
pid=$!
wait_exit "$pid" 10; status=$STATUS
[ "$status" = 0 ] || fail "a long program folder path ended with $status"
grep -q "too long" "$E2E_TMP/deep.err" || fail "no word on stderr about the long path"
[ -e "$deep/Game.ini" ] && fail "Game.ini was written beside a cut path"

# An unwritable program folder at exit: the message, status 0, the old Game.ini intact.
dir=$(new_program_folder)
# A settings file with a ranking score worth keeping.
{ head -c 36 "$GAME_DIR/Game.ini"; printf '\x2a'; tail -c 475 "$GAME_DIR/Game.ini"; } > "$dir/Game.ini"
before=$(md5sum < "$dir/Game.ini")
# Root writes through any mode bits, so as root the game runs as nobody for this case.
as_player=()
if [ "$(id -u)" = 0 ]; then
    chmod 755 "$E2E_TMP"
    chown -R nobody "$dir"
    as_player=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${as_player[@]}" "$dir/tessaroid" 2>"$E2E_TMP/ro.err" &
pid=$!
GAME_PIDS=$pid
id=$(wait_window Tessaroid) || fail "no window appeared"
chmod 555 "$dir"
press "$id" Escape
box=
for _ in $(seq 100); do
    box=$(xwininfo -root -tree | awk '$2 == "\"Error\":" {print $1; exit}')
    [ -n "$box" ] && break
    sleep 0.05
done
[ -n "$box" ] || fail "no Error box when Game.ini could not be written: $(cat "$E2E_TMP/ro.err")"
xdotool key --window "$box" Return
wait_exit "$pid" 10; status=$STATUS
chmod 755 "$dir"
[ "$status" = 0 ] || fail "read-only exit ended with $status"
grep -q "Error: ini書き込みに失敗しました。" "$E2E_TMP/ro.err" || fail "no message on stderr"
[ "$(md5sum < "$dir/Game.ini")" = "$before" ] || fail "the old Game.ini was changed"
echo "startup e2e: all passed"
