#!/usr/bin/env bash
# Runs a command with a home of its own whose ALSA setup is SETUP: "null" (a default device
# that plays to nowhere) or "none" (no device at all, as on a machine without sound).
# usage: with_sound_setup.sh SETUP COMMAND...
set -euo pipefail
setup=$1
shift
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
if [ "$setup" = null ]; then
  echo 'pcm.!default { type null }' >"$home/.asoundrc"
else
  echo 'pcm.!default { type hw card 99 }' >"$home/.asoundrc"
fi
HOME=$home TESSAROID_EXPECT_OUTPUT=$setup "$@"
