#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's own prefix: the build's shader
# compiler and CTest's emulator for the cross-built tests. The prefix is made on first use (about 12 s), with the window
# manager integration off, since without a window manager DestroyWindow otherwise stalls
# for 2 s. Exits 77 (CTest's skip) when Wine is not installed.
set -euo pipefail
wine=/usr/lib/wine/wine64
if [ ! -x "$wine" ]; then
  echo "Wine is not installed (scripts/install-deps.sh --windows installs it): skipped" >&2
  exit 77
fi
: "${TESSAROID_WINEPREFIX:?the build sets the prefix folder}"
export WINEPREFIX=$TESSAROID_WINEPREFIX WINEARCH=win64 WINEDEBUG=-all
# No .NET or HTML engine prompts; a crash ends the program instead of opening the debugger.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

if [ ! -f "$WINEPREFIX/.tessaroid-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.tessaroid-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$wine" wineboot --init >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
        >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.tessaroid-ready"
  fi
  exec 9>&-
fi
exec "$wine" "$@"
