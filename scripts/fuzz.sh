#!/usr/bin/env bash
# Builds the file-reader fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for the given seconds (default 60).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bash scripts/install-deps.sh
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings_fuzz data_folder_fuzz save_slot_fuzz loop_file_fuzz wave_fuzz)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSAROID_FUZZ=ON -DTESSAROID_SANITIZE=address,undefined >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    seeds=tests/fuzz/corpus/$target
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
    echo "== $target for ${seconds}s"
    build-fuzz/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 "$corpus" 2>&1 |
        grep -E "^(#|==|stat::number_of_executed_units|.*(ERROR|SUMMARY))" | tail -n 3
    [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "$target found a fault"; exit 1; }
done
