#!/usr/bin/env bash
# tessaroid.exe's silent ends under Wine: a second copy started while one runs ends at once
# with status 0 and opens no window; a program folder without dir.txt ends with status 0,
# no window and nothing written.
# usage: game_starts_e2e.sh WINE_RUN GAME_DIR LINUX_GAME_DIR
WINE_RUN=$1 GAME_DIR=$2 LINUX_DIR=$3
source "$(dirname "$0")/game_lib.sh"
[ -f "$LINUX_DIR/Game.ini" ] || { echo "No default Game.ini in $LINUX_DIR; skipped" >&2; exit 77; }

windows_count() {
  xdotool search --onlyvisible --name '^Tessaroid$' 2>/dev/null | wc -l
}

first=$(windows_folder first)
launch "$first" first "$WINE_RUN" ./tessaroid.exe
first_pid=$PID
second=$(windows_folder second)
(cd "$second" && exec "$WINE_RUN" ./tessaroid.exe >/dev/null 2>&1) &
PID=$!
PIDS="$PIDS $PID"
wait_exit 20
[ "$STATUS" = 0 ] || fail "the second copy did not end at once with 0 ($STATUS)"
[ "$(windows_count)" = 1 ] || fail "the second copy opened a window"
cmp -s "$second/Game.ini" "$LINUX_DIR/Game.ini" || fail "the second copy wrote Game.ini"
echo "second copy: ended with 0, no window, nothing written"
PID=$first_pid
press Escape
wait_exit 30
[ "$STATUS" = 0 ] || fail "Esc ended the first copy with $STATUS"

# No dir.txt: the game ends before its window, writing nothing.
nodir=$(windows_folder nodir)
rm "$nodir/dir.txt"
before=$(ls -l --time-style=+%s.%N "$nodir")
(cd "$nodir" && exec "$WINE_RUN" ./tessaroid.exe >/dev/null 2>"$TMP/nodir.err") &
PID=$!
PIDS="$PIDS $PID"
wait_exit 30
[ "$STATUS" = 0 ] || fail "without dir.txt the game ended with $STATUS"
[ "$(windows_count)" = 0 ] || fail "without dir.txt a window stayed"
[ "$(ls -l --time-style=+%s.%N "$nodir")" = "$before" ] || fail "without dir.txt files changed"
echo "no dir.txt: ended with 0, no window, nothing written"
