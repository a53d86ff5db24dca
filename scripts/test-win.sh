#!/usr/bin/env bash
# Builds the Windows version into build-win/ (scripts/build-win.sh) and runs its tests
# under Wine, all on one private Xvfb. The Linux build's tools and game, when build/ has
# them, are the reference the Windows ones are compared with. The test build is optimised
# less (-O1) than a player's: it builds faster, and the tests do not need the speed.
# Where Wine cannot be installed, the tests are skipped with a message and status 0.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! bash scripts/install-deps.sh --windows; then
  if [ ! -x /usr/lib/wine/wine64 ]; then
    echo "Windows tests skipped: Wine could not be installed on this machine." >&2
    exit 0
  fi
  echo "The Windows build's packages could not be installed." >&2
  exit 1
fi
# WIN_BUILD_NICE: the build's priority (the test command builds at 19, beside other tests).
WIN_OPTIMIZE=${WIN_OPTIMIZE:--O1} nice -n "${WIN_BUILD_NICE:-0}" bash scripts/build-win.sh
# -noreset: a server resetting when its last client leaves refuses the next one for a moment.
# Beside the test command's timed end-to-end scripts, not during them (tests/e2e/alone.sh).
# A test that fails gets one more try, its first failure shown: the game tests compare two
# whole programs' screens under Wine while the machine builds beside them, and once in about
# ten runs the title shots disagreed where every other run of the same build agreed.
${TESSAROID_TIMING_LOCK:+flock "$TESSAROID_TIMING_LOCK"} xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" \
    ctest --test-dir build-win --output-on-failure --no-tests=error -j "$(nproc)" \
    --repeat until-pass:2
