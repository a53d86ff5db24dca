#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests, the program under a private Xvfb,
# the unit and render tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the
# audio and unit tests (the music streaming thread and the frame loop among them) under
# ThreadSanitizer and, where clang is installed, a short run of every file-reader fuzz target;
# beside these, the Windows build's tests under Wine (scripts/test-win.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
# The Windows build's packages in the same install as the Linux ones, when they can be had;
# test-win.sh says so and skips its tests where Wine cannot be installed.
bash scripts/install-deps.sh --windows || true
bash scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

# The Windows stage (cross-build, then the tests under Wine) runs in a process group of its
# own beside the stages below, which leave a processor free for much of their time (the
# fuzz targets run one at a time); its output follows theirs.
win_log=$(mktemp)
setsid -w bash scripts/test-win.sh >"$win_log" 2>&1 &
win_pid=$!
trap 'kill -- -"$win_pid" 2>/dev/null || true; rm -f "$win_log"' EXIT

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DTESSAROID_SANITIZE=address,undefined >/dev/null
cmake --build build-asan -j "$(nproc)" --target unit_tests render_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -L unit
# The GL driver is loaded and unloaded at run time and keeps a few blocks of its own for
# good, which the leak checker cannot name: the render tests run without it.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -L render

cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DTESSAROID_SANITIZE=thread >/dev/null
cmake --build build-tsan -j "$(nproc)" --target audio_tests unit_tests
# The unit tests too, the frame loop's among them: whatever the main thread shares with the
# music thread must stay race-free there as well.
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tests/audio/tsan.supp" \
    ctest --test-dir build-tsan --output-on-failure -j "$(nproc)" -L "audio|unit"

# Each file reader's fuzz target for 15 seconds on its corpus; any crash, hang, leak or
# sanitizer report fails the run.
if command -v clang++ >/dev/null 2>&1; then
    bash scripts/fuzz.sh 15
fi

win_status=0
wait "$win_pid" || win_status=$?
echo "--- The Windows build under Wine (scripts/test-win.sh) ---"
cat "$win_log"
[ "$win_status" = 0 ] || { echo "The Windows tests failed (status $win_status)" >&2; exit 1; }
