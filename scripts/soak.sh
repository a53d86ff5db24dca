#!/usr/bin/env bash
# Long soaks, not part of the test command:
#   trace: tessaroid-trace built with AddressSanitizer and its leak checker plays GAMES
#          random games (default 1000) to their ends; memory at start, end and peak.
#   game:  the real program under a private Xvfb for SECONDS (default 600) of random keys
#          and focus changes, its resident memory sampled every 10 s.
# Usage: scripts/soak.sh [trace|game|all] [GAMES] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
games=${2:-1000}
seconds=${3:-600}
bash scripts/install-deps.sh
if [ "$what" = trace ] || [ "$what" = all ]; then
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
          -DTESSAROID_SANITIZE=address,undefined >/dev/null
    cmake --build build-asan -j "$(nproc)" --target tessaroid-trace >/dev/null
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
        python3 tests/soak/trace_soak.py build-asan/bin/tessaroid-trace "$games"
fi
if [ "$what" = game ] || [ "$what" = all ]; then
    bash scripts/build.sh
    bash tests/soak/game_soak.sh "$PWD/build/game" "$seconds"
fi
