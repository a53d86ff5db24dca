#!/usr/bin/env bash
# Builds the file-reader fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each in turn for the given seconds (default 60) on its
# corpus in build-fuzz/corpus/, seeded from tests/fuzz/corpus/: every input already there is
# replayed first, then the target explores for new ones. Fails at the first target that
# crashes, hangs, leaks or draws a sanitizer report; the report and the input that caused it
# are left in build-fuzz/logs/ and build-fuzz/artifacts/.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (every tests/fuzz/*_fuzz.cpp by default)
#        scripts/fuzz.sh --build [TARGET...]     builds the fuzz targets and these others in
#                                                the same tree (the test command's sanitizer
#                                                tree) and runs nothing
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=0
if [ "${1:-}" = --build ]; then
    build_only=1
    shift
fi
extra=()
[ $build_only = 1 ] && extra=("$@") && set --
seconds=${1:-60}
shift || true
bash scripts/install-deps.sh
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi
# Optimised a little, with line tables for the reports: quick to build, quick enough to run.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
    -DTESSAROID_FUZZ=ON -DTESSAROID_SANITIZE=address,undefined >/dev/null
if [ $build_only = 1 ]; then
    cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}" "${extra[@]}"
    exit 0
fi
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}" >/dev/null
mkdir -p build-fuzz/logs build-fuzz/artifacts
# Leaks inside the system's own libraries, not ours, that the leak checker may not report.
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    log=build-fuzz/logs/$target.log
    mkdir -p "$corpus"
    seeds=tests/fuzz/corpus/$target
    [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
    # The readers' own messages go to standard error for every broken input; libFuzzer keeps
    # its own output and the sanitizers' reports on a copy of it (-close_fd_mask=2).
    status=0
    build-fuzz/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -close_fd_mask=2 -artifact_prefix="build-fuzz/artifacts/$target-" "$corpus" \
        >"$log" 2>&1 || status=$?
    runs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    rate=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
    echo "$target: ${runs:-?} runs in ${seconds}s, ${rate:-?}/s, corpus $(ls "$corpus" | wc -l)"
    if [ "$status" -ne 0 ]; then
        grep -E -A40 "ERROR|WARNING|runtime error|deadly signal|Test unit written" "$log" | head -n 60
        echo "$target found a fault (status $status): see $log"
        exit 1
    fi
done
