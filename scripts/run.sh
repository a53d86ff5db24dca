#!/usr/bin/env bash
# Builds the game and starts it from its program folder, build/game/.
set -euo pipefail
cd "$(dirname "$0")/.."
# The game shows a window: without a display there is nothing to build it for.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Tessaroid needs an X11 or Wayland display (DISPLAY or WAYLAND_DISPLAY is not set)." >&2
    exit 1
fi
bash scripts/build.sh
exec build/game/tessaroid
