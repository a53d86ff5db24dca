#!/usr/bin/env bash
# Builds the Windows version into build-win/ (scripts/build-win.sh) and runs its tests
# under Wine, all on one private Xvfb. The Linux build's trace tool, when build/ has it,
# is the reference the Windows one is compared with.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-win.sh
xvfb-run -a -s "-screen 0 1920x1080x24" \
    ctest --test-dir build-win --output-on-failure -j "$(nproc)"
