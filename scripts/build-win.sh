#!/usr/bin/env bash
# Cross-builds the Windows program and its tests into build-win/: installs the Windows
# build's packages when missing, cross-builds libpng, libogg and libvorbis once, then
# configures with the mingw-w64 toolchain and builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows
bash scripts/build-win-libs.sh "$PWD/build-win/libs"
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw_w64_x86_64.cmake" \
      -DTESSAROID_WIN_LIBS="$PWD/build-win/libs" >/dev/null
cmake --build build-win -j "$(nproc)"
