#!/usr/bin/env bash
# Soak of the real program under a private Xvfb: random key presses (now and then Alt+Enter)
# and focus taken away and given back, for SECONDS (default 600), with sound going to
# OpenAL Soft's null output. The resident memory is sampled every 10 s; the run fails when
# the program dies, or when its memory at the end is more than 4 MiB above the first sample
# after the warm-up. Esc then has to end it normally with Game.ini written.
# usage: game_soak.sh GAME_DIR [SECONDS]
GAME_DIR=${1:?program folder}
SECONDS_WANTED=${2:-600}
source "$(dirname "$0")/../e2e/lib.sh"
start_xvfb
export ALSOFT_DRIVERS=null

dir=$(new_program_folder)
cp "$GAME_DIR/Game.ini" "$dir/Game.ini"  # the build's defaults: sound on
"$dir/tessaroid" 2>"$E2E_TMP/soak.err" &
pid=$!
GAME_PIDS=$pid
id=$(wait_window Tessaroid) || fail "no window appeared"
root=$(xwininfo -root | awk '/Window id:/ {print $4}')

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$pid/status" 2>/dev/null; }
keys=(Left Right Up Down z x c a Return space)
samples=()
start=$(date +%s)
next_sample=$start
while [ $(( $(date +%s) - start )) -lt "$SECONDS_WANTED" ]; do
    kill -0 "$pid" 2>/dev/null || fail "the game ended by itself: $(tail -n 5 "$E2E_TMP/soak.err")"
    case $((RANDOM % 40)) in
        0) xdotool windowfocus "$root" 2>/dev/null; sleep 0.$((RANDOM % 9 + 1)) ;;  # focus lost
        1) [ $((RANDOM % 8)) = 0 ] && xdotool windowfocus --sync "$id" key alt+Return ;;
        *)
            key=${keys[$((RANDOM % ${#keys[@]}))]}
            xdotool windowfocus --sync "$id" 2>/dev/null
            xdotool keydown "$key"
            sleep 0.0$((RANDOM % 9 + 1))
            xdotool keyup "$key"
            ;;
    esac
    now=$(date +%s)
    if [ "$now" -ge "$next_sample" ]; then
        samples+=("$(rss)")
        next_sample=$((now + 10))
    fi
done
samples+=("$(rss)")

# The first 30 s settle (pictures, music blocks, the driver's caches): compare from there.
first=${samples[3]:-${samples[0]}}
last=${samples[-1]}
peak=$(printf '%s\n' "${samples[@]}" | sort -n | tail -n1)
echo "resident memory: at 0 s ${samples[0]} KiB, at 30 s $first KiB, end $last KiB, peak $peak KiB (${#samples[@]} samples)"
echo "all samples (KiB, every 10 s): ${samples[*]}"
[ $((last - first)) -le 4096 ] || fail "memory grew from $first KiB to $last KiB"

xdotool windowfocus --sync "$id" 2>/dev/null
# Esc in full screen or in a window, on whatever screen: the exit path saves.
press "$id" Escape
wait_exit "$pid" 20; status=$STATUS
[ "$status" = 0 ] || fail "Esc ended the game with $status: $(tail -n 5 "$E2E_TMP/soak.err")"
[ "$(stat -c %s "$dir/Game.ini")" = 512 ] || fail "Game.ini is not 512 bytes after the soak"
echo "game soak: passed"
