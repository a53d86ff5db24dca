#!/usr/bin/env bash
# The benchmark command: builds an optimised game and the benchmark tools into build-bench/,
# installs the two peer games when they are missing, and prints one table that sets this game
# beside ltris and quadrapassel on one private Xvfb (a row for each of its ways to the screen,
# the software renderer and OpenGL), then this game's own frame figures.
#   scripts/bench.sh [SECONDS_PER_PHASE] [LAUNCHES]     (defaults 20 and 5; about 5 minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --peers
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "$(nproc)" --target tessaroid program_folder data_folder benchmarks
python3 tests/bench/peer_table.py build-bench/bin build-bench/game "${1:-20}" "${2:-5}"
