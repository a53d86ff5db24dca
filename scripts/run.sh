#!/usr/bin/env bash
# Builds the game and starts it from its program folder, build/game/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/game/tessaroid
