#!/usr/bin/env bash
# The Windows trace tool against the Linux one on the scenario scripts: the same frames,
# draw lists included, and the same Game.ini bytes after a whole game.
# usage: trace_agreement.sh WINDOWS_TOOL LINUX_TOOL SCRIPTS_DIR
set -uo pipefail
windows=$1 linux=$2 scripts=$3
if [ ! -x "$linux" ]; then
  echo "The Linux build's tessaroid-trace is not there ($linux): build it with" \
       "scripts/build.sh first; skipped" >&2
  exit 77
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export TZ=UTC
failed=0

# compare NAME ARGS...: both tools on scripts/NAME.txt with ARGS, each saving its own
# Game.ini: the same status, the same frames and the same settings file bytes.
compare() {
  local name=$1
  shift
  "$linux" "$@" --save "$tmp/linux.ini" <"$scripts/$name.txt" >"$tmp/linux.out" 2>"$tmp/linux.err"
  local linux_status=$?
  "$windows" "$@" --save "$tmp/windows.ini" <"$scripts/$name.txt" >"$tmp/windows.out" \
      2>"$tmp/windows.err"
  local windows_status=$?
  if [ $linux_status -ne 0 ] || [ $windows_status -ne 0 ]; then
    echo "FAIL $name: status $linux_status on Linux, $windows_status on Windows" >&2
    cat "$tmp/windows.err" >&2
    failed=1
  elif ! cmp -s "$tmp/linux.out" "$tmp/windows.out"; then
    echo "FAIL $name $*: the traces differ: $(cmp "$tmp/linux.out" "$tmp/windows.out")" >&2
    failed=1
  elif ! cmp -s "$tmp/linux.ini" "$tmp/windows.ini"; then
    echo "FAIL $name $*: the saved Game.ini files differ" >&2
    failed=1
  else
    echo "ok $name $*: $(wc -l <"$tmp/linux.out") identical frames, identical Game.ini"
  fi
  rm -f "$tmp/linux.ini" "$tmp/windows.ini"
}

compare shape --draws
compare settings_screen --draws
# The whole game's draw lists run to half a gigabyte: its frames are compared without them.
compare game_over
exit $failed
