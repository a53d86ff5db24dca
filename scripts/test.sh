#!/usr/bin/env bash
# Builds everything and runs every test, in stages, and ends with one line a stage:
#   build             the packages, then the game, its tools and tests in build/
#   tests             CTest in build/: the unit, render, audio, trace and asset tests and the
#                     real program under private Xvfbs
#   sanitizers        the unit and render tests under clang's AddressSanitizer and
#                     UndefinedBehaviorSanitizer, in the tree the fuzz targets are built in
#   thread sanitizer  the tests whose code starts threads (music streaming, effect decoding)
#                     under ThreadSanitizer
#   fuzzing           each file reader's fuzz target: its corpus replayed, then a short search
#                     for new inputs (scripts/fuzz.sh searches longer)
#   windows           the Windows build's tests under Wine (scripts/test-win.sh)
# After the build, the last four build at the lowest priority beside the tests, which time what
# they see on the screen: the builds take only what the tests leave over. A stage's output
# goes to build/test-logs/STAGE.log; the tests' is shown as it comes, a failed stage's log at
# the end. The command fails when any stage failed.
set -uo pipefail
cd "$(dirname "$0")/.."
top=$PWD
began=$SECONDS
state=$(mktemp -d)
logs=$top/build/test-logs
exec 3>&1
background=()
# Whatever is still running when the command ends, however it ends, is stopped.
stop_background() {
    local pid
    for pid in "${background[@]}"; do kill -- -"$pid" 2>/dev/null; done
    rm -rf "$state"
}
trap stop_background EXIT
trap 'exit 130' INT TERM

clock() {
    local s=$((SECONDS - began))
    printf '%d:%02d' $((s / 60)) $((s % 60))
}
say() { printf '[%s] %s\n' "$(clock)" "$*" >&3; }

# A stage function that does not apply here says why, then returns 77.
skip() { echo "$*" > "$state/$STAGE.why"; }

# stage NAME FUNCTION: runs it, then keeps passed / failed / skipped with its time.
stage() {
    local name=$1 function=$2 t0=$SECONDS status=0 result
    say "$name: started"
    STAGE=$name "$function" || status=$?
    case $status in
        0) result=passed ;;
        77) result=skipped ;;
        *) result=failed ;;
    esac
    echo "$result $((SECONDS - t0))" > "$state/$name"
    say "$name: $result after $((SECONDS - t0)) s"
    return 0
}

# Runs a stage, or a chain of them, in a process group of its own with its output in its log.
beside() {
    local log=$1
    shift
    set -m
    ( for name_and_function in "$@"; do stage ${name_and_function%%=*} ${name_and_function#*=}; done
    ) >"$logs/$log.log" 2>&1 &
    background+=($!)
    set +m
}

# The lowest priority for builds beside the tests.
quietly() { nice -n 19 "$@"; }
# The end-to-end scripts that time what they see or hear hold this lock while they run
# (tests/e2e/alone.sh); the test runs beside them wait for it.
export TESSAROID_TIMING_LOCK=$state/timing.lock
untimed() { flock "$TESSAROID_TIMING_LOCK" "$@"; }

build_stage() {
    # The Windows build's packages in the same install as the Linux ones, when they can be
    # had; without them the windows stage is skipped.
    bash scripts/install-deps.sh --windows || bash scripts/install-deps.sh || return 1
    bash scripts/build.sh
}

tests_stage() {
    ctest --test-dir build --output-on-failure --no-tests=error -j "$(nproc)"
}

sanitizers_stage() {
    command -v clang++ >/dev/null || { skip "clang++ is not installed"; return 77; }
    quietly bash scripts/fuzz.sh --build unit_tests unit_thread_tests render_tests || return 1
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
        untimed ctest --test-dir build-fuzz --output-on-failure --no-tests=error -j "$(nproc)" \
        -L "^(unit|threads)$" || return 1
    # The GL driver is loaded and unloaded at run time and keeps a few blocks of its own for
    # good, which the leak checker cannot name: the render tests run without it.
    ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
        untimed ctest --test-dir build-fuzz --output-on-failure --no-tests=error -L "^render$"
}

# The same tree as the sanitizers: the targets are built by then.
fuzzing_stage() {
    command -v clang++ >/dev/null || { skip "clang++ is not installed"; return 77; }
    [ -d build-fuzz/fuzz ] || { skip "the sanitizer tree was not built"; return 77; }
    quietly bash scripts/fuzz.sh 5
}

# Only tests whose code runs on two threads: single-threaded code gives the thread sanitizer
# nothing to find.
thread_sanitizer_stage() {
    quietly cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DTESSAROID_SANITIZE=thread >/dev/null &&
        quietly cmake --build build-tsan -j "$(nproc)" --target audio_tests unit_thread_tests ||
        return 1
    TSAN_OPTIONS="halt_on_error=1 suppressions=$top/tests/audio/tsan.supp" \
        untimed ctest --test-dir build-tsan --output-on-failure --no-tests=error -j "$(nproc)" \
        -L "^(audio|threads)$"
}

windows_stage() {
    [ -x /usr/lib/wine/wine64 ] || { skip "Wine could not be installed on this machine"; return 77; }
    WIN_BUILD_NICE=19 bash scripts/test-win.sh
}

mkdir -p "$logs"
say "the whole test command: build/test-logs/ keeps each stage's output"
stage build build_stage
if [ "$(cut -d' ' -f1 "$state/build")" = passed ]; then
    beside windows windows=windows_stage
    beside sanitizers sanitizers=sanitizers_stage fuzzing=fuzzing_stage
    beside thread-sanitizer thread-sanitizer=thread_sanitizer_stage
    stage tests tests_stage
    wait
fi

# The summary: one line a stage, a failed stage's log before it.
failed=0
for name in build tests sanitizers thread-sanitizer fuzzing windows; do
    [ -f "$state/$name" ] && [ "$(cut -d' ' -f1 "$state/$name")" = failed ] || continue
    failed=1
    [ "$name" = tests ] && continue  # shown as it ran
    log=$logs/$name.log
    [ "$name" = fuzzing ] && log=$logs/sanitizers.log
    [ "$name" = build ] && continue
    echo "--- $name failed: the end of $log ---"
    tail -n 200 "$log"
done
echo "--- Summary ($(clock) in all) ---"
for name in build tests sanitizers thread-sanitizer fuzzing windows; do
    if [ ! -f "$state/$name" ]; then
        printf '%-17s not run: the build failed\n' "$name"
        continue
    fi
    read -r result secs < "$state/$name"
    why=
    [ -f "$state/$name.why" ] && why=": $(cat "$state/$name.why")"
    printf '%-17s %s in %d:%02d%s\n' "$name" "$result" $((secs / 60)) $((secs % 60)) "$why"
done
counts=$(cat "$state"/build "$state"/tests "$state"/sanitizers "$state"/thread-sanitizer \
    "$state"/fuzzing "$state"/windows 2>/dev/null | cut -d' ' -f1)
echo "stages: $(grep -c passed <<<"$counts") passed, $(grep -c failed <<<"$counts") failed, $(grep -c skipped <<<"$counts") skipped"
exit $failed
