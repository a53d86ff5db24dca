#!/usr/bin/env bash
# Runs a script that times what it sees or hears (frames a second, recordings, a bot's
# reactions) alone: where the test command names TESSAROID_TIMING_LOCK, it holds that lock
# for the script's whole run, and the other stages' test runs take the same lock, so none of
# them runs beside it (their builds, at the lowest priority, go on). Elsewhere it just runs.
if [ -n "${TESSAROID_TIMING_LOCK:-}" ]; then
    exec flock "$TESSAROID_TIMING_LOCK" "$@"
fi
exec "$@"
