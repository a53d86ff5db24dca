# Shared helpers for the end-to-end tests: a private Xvfb, a private copy of the program
# folder and runtime folder per test, and the key recipe that works without a window manager.
# Source it; set GAME_DIR to the built program folder first.

set -u

E2E_TMP=$(mktemp -d /tmp/tessaroid-e2e-XXXXXX)
XVFB_PID=
cleanup() {
    [ -n "${GAME_PIDS:-}" ] && kill $GAME_PIDS 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$E2E_TMP"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

start_xvfb() {
    exec 5> "$E2E_TMP/display"
    Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [ -s "$E2E_TMP/display" ] && break
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# A fresh copy of the program folder, without the default Game.ini the build puts there, so
# each test decides what settings file it starts from; prints its path.
new_program_folder() {
    local dir
    dir=$(mktemp -d "$E2E_TMP/game-XXXXXX")
    cp -a "$GAME_DIR"/. "$dir"/
    rm -f "$dir/Game.ini"
    echo "$dir"
}

# Waits for a window with this exact name; prints its id.
wait_window() {
    local name=$1 id
    for _ in $(seq 200); do
        id=$(xwininfo -root -tree 2>/dev/null | awk -v n="\"$name\":" '$2 == n {print $1; exit}')
        if [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q "IsViewable"; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

press() {
    local id=$1 key=$2
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool keydown "$key"
    sleep 0.1
    xdotool keyup "$key"
}

# Waits up to $2 seconds for pid $1 to end; sets STATUS to its exit status or "timeout".
# (Not a command substitution: only this shell can wait for its own children.)
wait_exit() {
    local pid=$1 limit=$2
    STATUS=timeout
    for _ in $(seq $((limit * 20))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid"
            STATUS=$?
            return 0
        fi
        sleep 0.05
    done
}
