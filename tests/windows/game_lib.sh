# Helpers for the Windows game's end-to-end tests under Wine, on the display the test run
# shares (scripts/test-win.sh): program folders, the game's windows, keys and screenshots.
# Source it with WINE_RUN, GAME_DIR (build-win/game) and LINUX_DIR (build/game) set.
set -uo pipefail

if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null || ! command -v import >/dev/null
then
  echo "No display, xdotool or ImageMagick: run these with scripts/test-win.sh; skipped" >&2
  exit 77
fi
TMP=$(mktemp -d)
PIDS=""
trap 'for p in $PIDS; do kill "$p" 2>/dev/null; done; rm -rf "$TMP"' EXIT
# The Linux game's single-instance lock, away from any other run's.
export XDG_RUNTIME_DIR=$TMP/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# A failed run keeps its screenshots and error output in build-win/test-logs/TEST/ for a look.
fail() {
  echo "FAIL: $*" >&2
  local kept
  kept=$(dirname "$GAME_DIR")/test-logs/$(basename "$0" .sh)
  rm -rf "$kept" && mkdir -p "$kept" && cp "$TMP"/*.png "$TMP"/*.err "$kept"/ 2>/dev/null
  echo "its screenshots and error output: $kept" >&2
  exit 1
}

# A program folder in $TMP/$1: the Windows game with its shaders and dir.txt, the Linux
# build's default Game.ini (the same for both games) and the data folder.
windows_folder() {
  local dir=$TMP/$1
  mkdir -p "$dir"
  cp "$GAME_DIR"/tessaroid.exe "$GAME_DIR"/SampleVS.cso "$GAME_DIR"/SamplePS.cso \
     "$GAME_DIR"/dir.txt "$dir"/
  cp "$LINUX_DIR/Game.ini" "$dir"/
  ln -s "$(realpath "$GAME_DIR/data")" "$dir/data"
  echo "$dir"
}
linux_folder() {
  local dir=$TMP/$1
  mkdir -p "$dir"
  cp "$LINUX_DIR"/tessaroid "$LINUX_DIR"/Sample*.glsl "$LINUX_DIR"/dir.txt \
     "$LINUX_DIR"/Game.ini "$dir"/
  ln -s "$(realpath "$LINUX_DIR/data")" "$dir/data"
  echo "$dir"
}

# Starts COMMAND in folder $1 (stderr to $TMP/$2.err) and waits up to 60 s for the window
# "Tessaroid": sets PID, TOP (the top-level window) and CLIENT (its 1280 x 720 client area:
# Wine's child window, or the window itself).
launch() {
  local dir=$1 name=$2
  shift 2
  (cd "$dir" && exec "$@" 2>"$TMP/$name.err" >/dev/null) &
  PID=$!
  PIDS="$PIDS $PID"
  TOP="" CLIENT=""
  for _ in $(seq 120); do
    TOP=$(xdotool search --onlyvisible --name '^Tessaroid$' 2>/dev/null | head -1)
    if [ -n "$TOP" ]; then
      CLIENT=$(xwininfo -id "$TOP" -children | awk '/ 1280x720\+/ {print $1; exit}')
      if [ -z "$CLIENT" ] && xwininfo -id "$TOP" | grep -q "geometry 1280x720+"; then
        CLIENT=$TOP
      fi
      [ -n "$CLIENT" ] && break
    fi
    kill -0 "$PID" 2>/dev/null || fail "$name ended before its window appeared"
    sleep 0.5
  done
  [ -n "$TOP" ] || fail "$name: no window titled Tessaroid"
  [ -n "$CLIENT" ] || fail "$name: no 1280x720 client area"
  sleep 3  # the title's opening
}

press() {
  xdotool windowfocus --sync "$TOP" 2>/dev/null || true
  xdotool keydown "$1"
  sleep 0.1
  xdotool keyup "$1"
  sleep 0.1
}

# Waits up to $1 seconds for PID to end; sets STATUS to its exit status or "timeout".
wait_exit() {
  STATUS=timeout
  for _ in $(seq $(($1 * 10))); do
    if ! kill -0 "$PID" 2>/dev/null; then
      wait "$PID"
      STATUS=$?
      return 0
    fi
    sleep 0.1
  done
}

# Six screenshots of the client area into $TMP/$1-N.png, a few frames apart, so that the
# title's scrolling background stands at different steps in them.
shots() {
  for n in 1 2 3 4 5 6; do
    import -window "$CLIENT" "$TMP/$1-$n.png" 2>/dev/null || fail "no screenshot of $1"
    sleep 0.13
  done
}

# White where two pictures differ by more than 2 %, else black, into $3.
difference() {
  compare -fuzz 2% -metric AE "$1" "$2" -compose src -highlight-color white \
      -lowlight-color black "$3" 2>/dev/null
}

# Into $TMP/$1-moving.png: white wherever the shots of $1 do not all agree.
moving() {
  convert "$TMP/$1-1.png" -fill black -colorize 100 "$TMP/$1-moving.png"
  for n in 2 3 4 5 6; do
    difference "$TMP/$1-1.png" "$TMP/$1-$n.png" "$TMP/d.png"
    convert "$TMP/$1-moving.png" "$TMP/d.png" -compose lighten -composite "$TMP/$1-moving.png"
  done
}

# The number of white pixels of a black-and-white picture.
white_pixels() {
  convert "$1" -format '%[fx:round(mean*w*h)]' info:
}
