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
    # Whether the display itself was still there tells a fault of the game from one of the
    # test's own X server.
    if [ -n "$XVFB_PID" ]; then
        kill -0 "$XVFB_PID" 2>/dev/null && echo "(Xvfb still running)" >&2 ||
            echo "(Xvfb had ended)" >&2
        tail -n 20 "$E2E_TMP/xvfb.log" >&2 2>/dev/null
    fi
    exit 1
}

start_xvfb() {
    exec 5> "$E2E_TMP/display"
    # -noreset: an X server resets when its last client leaves, and refuses connections while
    # it does; on a busy machine a game started just then found no display (the test's own
    # xwininfo calls come and go between the game's runs).
    Xvfb -displayfd 5 -screen 0 1920x1080x24 -nolisten tcp -noreset >"$E2E_TMP/xvfb.log" 2>&1 &
    XVFB_PID=$!
    # A first start on a new machine (keymaps compiled, fonts read from a cold disk) can be
    # slow: wait by the clock, and never go on with no display named.
    local end=$((SECONDS + 30))
    until [ -s "$E2E_TMP/display" ]; do
        [ "$SECONDS" -lt "$end" ] && kill -0 "$XVFB_PID" 2>/dev/null ||
            fail "Xvfb gave no display number in 30 s"
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$E2E_TMP/display")"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -p "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

# Skips the test (status 77) unless the build left each of these paths in the program
# folder, then starts the private Xvfb.
begin_e2e() {
    local path
    for path in "$@"; do
        [ -e "$GAME_DIR/$path" ] || { echo "no $path in $GAME_DIR"; exit 77; }
    done
    start_xvfb
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

# Waits up to $2 seconds (20 if not given) for a window with this exact name to be shown;
# prints its id. By the clock, so a loaded machine does not stretch the wait. (A window
# exists before it is mapped, and a key sent to it then is lost.)
wait_window() {
    local name=$1 id end=$((SECONDS + ${2:-20}))
    while [ "$SECONDS" -lt "$end" ]; do
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

# Milliseconds since a `date +%s%N` stamp.
ms_since() {
    echo $(( ($(date +%s%N) - $1) / 1000000 ))
}

# Starts the game in folder $1 with stderr to $E2E_TMP/$2.err and waits for its window: sets
# PID and ID.
launch() {
    local dir=$1 name=$2
    "$dir/tessaroid" 2>"$E2E_TMP/$name.err" &
    PID=$!
    GAME_PIDS="${GAME_PIDS:-} $PID"
    await_window "$name"
}

# Waits for the window of the game just started (PID): sets ID. A loaded machine can take
# long to bring it up: up to a minute.
await_window() {
    for _ in 1 2 3 4 5 6; do
        ID=$(wait_window Tessaroid 10) && return 0
        kill -0 "$PID" 2>/dev/null || break
    done
    fail "$1: no window appeared: $(cat "$E2E_TMP/$1.err")"
}

# Esc, then the exit status must be 0.
quit_game() {
    press "$ID" Escape
    wait_exit "$PID" 15
    [ "$STATUS" = 0 ] || fail "$1: Esc ended the game with $STATUS"
}

screenshot() {
    import -window "$1" "$2" 2>/dev/null || fail "no screenshot for $2"
}

# Percentage of the pixels of REGION (WxH+X+Y) in which two pictures agree within 3%.
agreement() {
    local a=$1 b=$2 region=$3 differ
    differ=$(compare -metric AE -fuzz 3% "$a[$region]" "$b[$region]" null: 2>&1)
    local w=${region%%x*} rest=${region#*x}
    local h=${rest%%+*}
    echo $(( 100 - differ * 100 / (w * h) ))
}

# Composes a traced frame offline from the script on stdin (its last frame; extra arguments
# go to tessaroid-trace) into $1, reduced to 5 bits a channel as the game's texels are.
compose_scene() {
    local out=$1
    shift
    local build
    build=$(cd "$GAME_DIR/.." && pwd)
    "$build/bin/tessaroid-trace" "$@" | tail -n 1 > "$E2E_TMP/compose.jsonl"
    "$build/bin/tessaroid-preview" "$GAME_DIR/data" "$E2E_TMP/compose.jsonl" "$out" >/dev/null ||
        fail "no composition for $out"
    convert "$out" -evaluate And 63488 -evaluate Multiply 1.0322423 "$out"
}

# Return to the box until its window is gone, up to 20 s. The key goes to the box's window
# alone: through XTEST (as xdotool sends to a focused window) a key sent again to a box on
# its way out could reach the next box, which then is never seen.
close_box() {
    python3 "$(dirname "${BASH_SOURCE[0]}")/xsession.py" close "$1" 20
}

# Each line read, behind the time it came.
stamp_lines() {
    local line
    while IFS= read -r line; do printf '%s %s\n' "$(date +%T.%3N)" "$line"; done
}

# What tells why a box was not seen: the game's lines and the boxes seen, with their times
# (the game's own line says when a box's copy ended badly), the processes the game had
# started for its boxes, and the windows on the display now.
box_report() {
    local name=$1 pid=$2
    printf '\n--- %s, now %s: what the game printed, and the boxes seen ---\n' "$name" "$(date +%T.%3N)"
    cat "$E2E_TMP/$name.times"
    printf -- '--- the game (%s) and its copies ---\n' "$pid"
    ps -o pid,ppid,stat,etime,args --pid "$pid" --ppid "$pid" 2>&1
    printf -- '--- the windows on %s ---\n' "$DISPLAY"
    xwininfo -root -tree 2>&1 | head -n 40
}

# Runs the folder's game with a sound device and expects the boxes given as title/text
# pairs, in order (each also "Title: " and the text on stderr), then status 0 and no file
# written. $3 onwards: the pairs; a stderr line to expect may be set in EXPECT_ERR.
expect_failure() {
    local dir=$1 name=$2
    shift 2
    local before
    before=$(cd "$dir" && md5sum Game.ini dir.txt)
    ALSOFT_DRIVERS=null "$dir/tessaroid" 2>"$E2E_TMP/$name.err" &
    local pid=$!
    GAME_PIDS="${GAME_PIDS:-} $pid"
    # Appended to, by this line and by the box lines below alike.
    : > "$E2E_TMP/$name.times"
    tail -f -n +1 --pid="$pid" "$E2E_TMP/$name.err" 2>/dev/null | stamp_lines >> "$E2E_TMP/$name.times" &
    while [ $# -gt 0 ]; do
        local box
        box=$(wait_window "$1" 60) || fail "$name: no \"$1\" box in 60 s$(box_report "$name" "$pid")"
        echo "$(date +%T.%3N) $name: \"$1\" box $box shown" >> "$E2E_TMP/$name.times"
        close_box "$box" || fail "$name: the \"$1\" box did not close$(box_report "$name" "$pid")"
        echo "$(date +%T.%3N) $name: \"$1\" box closed" >> "$E2E_TMP/$name.times"
        grep -F -- "$2" "$E2E_TMP/$name.err" | grep -qF "$1: " || fail "$name: no \"$1: $2\" on stderr: $(cat "$E2E_TMP/$name.err")"
        shift 2
    done
    wait_exit "$pid" 20
    [ "$STATUS" = 0 ] || fail "$name: ended with $STATUS"
    if [ -n "${EXPECT_ERR:-}" ]; then
        grep -qF "$EXPECT_ERR" "$E2E_TMP/$name.err" || fail "$name: no \"$EXPECT_ERR\" on stderr"
    fi
    [ "$(cd "$dir" && md5sum Game.ini dir.txt)" = "$before" ] || fail "$name: files were written"
    echo "[$SECONDS s] $name: as expected"
}

# Waits up to 30 s for window $1 to show the title's logo, then for the menu to open: keys
# pressed before the frame loop runs are never seen, and a first start (the GL driver's
# shader cache empty) on a busy machine can take seconds to its first frame.
wait_title() {
    local end=$((SECONDS + 30))
    while [ "$SECONDS" -lt "$end" ]; do
        screenshot "$1" "$E2E_TMP/title-wait.png"
        if [ "$(convert "$E2E_TMP/title-wait.png[606x120+446+144]" -format '%[fx:maxima>0.2]' info:)" = 1 ]; then
            sleep 0.3
            return 0
        fi
        sleep 0.2
    done
    fail "the title was never drawn"
}

# Starts the game in folder $1 with its sound going to $E2E_TMP/$2.wav and waits for the
# title: sets PID and ID. The wave-file output mixes by the clock and catches up after a
# stall all at once, and the music queue holds about a third of a second: a machine busy
# with builds can starve the mixing or the music thread long enough to leave a gap in the
# recording. Where it may, the game runs at a raised priority.
launch_recorded() {
    local dir=$1 name=$2 raised=()
    [ "$(id -u)" = 0 ] && raised=(nice -n -10)
    printf '[wave]\nfile=%s\n' "$E2E_TMP/$name.wav" > "$E2E_TMP/$name.conf"
    ALSOFT_DRIVERS=wave ALSOFT_CONF="$E2E_TMP/$name.conf" "${raised[@]}" "$dir/tessaroid" \
        2>"$E2E_TMP/$name.err" &
    PID=$!
    GAME_PIDS="${GAME_PIDS:-} $PID"
    await_window "$name"
    wait_title "$ID"
}
