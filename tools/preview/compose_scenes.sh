#!/usr/bin/env bash
# Composes the scenes of tools/preview/scenes/ from the game's own draw lists (run through
# tessaroid-trace) with the generated sheets: one PNG per scene in OUTPUT_FOLDER.
#   tools/preview/compose_scenes.sh [BUILD_FOLDER] OUTPUT_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${2:+$1}
build=${build:-$here/../../build}
out=${2:-$1}
mkdir -p "$out"
for script in "$here"/scenes/*.txt; do
    name=$(basename "$script" .txt)
    "$build/bin/tessaroid-trace" < "$script" | tail -n 1 > "$out/$name.jsonl"
    "$build/bin/tessaroid-preview" "$build/game/data" "$out/$name.jsonl" "$out/$name.png"
    rm "$out/$name.jsonl"
    echo "$out/$name.png"
done
