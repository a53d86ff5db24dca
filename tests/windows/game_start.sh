#!/usr/bin/env bash
# tessaroid.exe from a copy of the program folder: the window "Tessaroid" appears with a
# 1280 x 720 client area, Esc ends the program with exit code 0, and Game.ini is written.
# Usage: game_start.sh WINE_RUN GAME_FOLDER
set -uo pipefail
wine_run=$1
game=$2
if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null; then
  echo "No display or no xdotool: skipped" >&2
  exit 77
fi
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$game"/tessaroid.exe "$game"/SampleVS.cso "$game"/SamplePS.cso "$game"/dir.txt "$folder"/
ln -s "$(realpath "$game/data")" "$folder/data"
cd "$folder"
"$wine_run" ./tessaroid.exe >/dev/null 2>&1 &
pid=$!
window=""
for _ in $(seq 60); do
  window=$(xdotool search --name '^Tessaroid$' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.5
done
if [ -z "$window" ]; then
  echo "no window titled Tessaroid" >&2
  kill "$pid"
  exit 1
fi
sleep 3  # the title scene's first frames
# The client area is the largest child window Wine makes for it, or the window itself.
size=$(xwininfo -id "$window" -tree | grep -o '1280x720' | head -1)
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --window "$window" Escape
status=0
for _ in $(seq 40); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Esc did not end the program" >&2
  kill "$pid"
  exit 1
fi
wait "$pid" || status=$?
[ "$status" = 0 ] || { echo "exit code $status" >&2; exit 1; }
[ "$size" = 1280x720 ] || { echo "no 1280x720 client area" >&2; exit 1; }
[ "$(stat -c %s Game.ini 2>/dev/null)" = 512 ] || { echo "no 512-byte Game.ini" >&2; exit 1; }
echo "window $window, client 1280x720, Esc: exit 0, Game.ini written"
