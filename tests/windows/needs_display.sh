#!/usr/bin/env bash
# Runs a test that makes windows, when there is a display to make them on. Every Windows
# test of a run shares one display (scripts/test-win.sh starts a private Xvfb): Wine's
# desktop takes the size of the display its first window appeared on.
if [ -z "${DISPLAY:-}" ]; then
  echo "No display: run the Windows tests with scripts/test-win.sh; skipped" >&2
  exit 77
fi
exec "$@"
