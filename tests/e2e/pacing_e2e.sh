#!/usr/bin/env bash
# The timer methods seen from outside, each chosen on the settings panel and then measured
# at the title, whose background moves every frame, so that every frame is presented: the
# presents per second, counted from the window's paint events, stay near 60 under the three
# waiting methods and rise far above with No Wait. The game's processor time is printed beside them.
# Vertical sync and frame skip have no effect that can be seen from here: under Xvfb the
# swap interval is refused, so presents are never paced by it, and a frame of the title takes
# a few milliseconds of its 16, so none overruns for frame skip to drop a present.
GAME_DIR=${1:?program folder}
HERE=$(cd "$(dirname "$0")" && pwd)
source "$HERE/lib.sh"
begin_e2e Game.ini
export ALSOFT_DRIVERS=null

cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$PID/stat"
}

# Counts the presents of a second: sets RATE, and CPU to the game's share of a processor.
measure() {
    local before after
    before=$(cpu_ticks)
    RATE=$(python3 "$HERE/xsession.py" presents "$ID" 1) || fail "no present count"
    after=$(cpu_ticks)
    CPU=$(( (after - before) * 100 / $(getconf CLK_TCK) ))
}

dir=$(new_program_folder)
cp "$GAME_DIR/Game.ini" "$dir/"  # timer method 0
launch "$dir" pacing
wait_title "$ID"
press "$ID" Up  # SETTINGS
press "$ID" z
sleep 0.5
press "$ID" Down
press "$ID" Down  # TIMER
declare -A rates
for method in 0 1 2 3; do
    if [ "$method" != 0 ]; then
        press "$ID" z  # the panel opens again on the same line
        sleep 0.3
        press "$ID" Right  # the next method
    fi
    press "$ID" z
    sleep 0.5
    measure
    echo "[$SECONDS s] timer method $method: $RATE presents a second, $CPU% of a processor"
    if [ "$method" = 3 ]; then
        python3 -c "import sys; sys.exit(not ($RATE >= 80 and $RATE >= 1.3 * ${rates[0]}))" ||
            fail "No Wait did not present faster: $RATE a second against ${rates[0]}"
    else
        python3 -c "import sys; sys.exit(not (20 <= $RATE <= 65))" ||
            fail "timer method $method presented $RATE frames a second"
        rates[$method]=$RATE
    fi
done
quit_game pacing
# The last method chosen was No Wait.
[ "$(od -An -tu1 -j18 -N1 "$dir/Game.ini" | tr -d ' ')" = 3 ] ||
    fail "Game.ini does not hold No Wait as the timer method"
echo "[$SECONDS s] pacing e2e: all passed"
