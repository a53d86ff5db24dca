#!/usr/bin/env bash
# Cross-builds the Windows program and its tests into build-win/: installs the Windows
# build's packages when missing, cross-builds libpng, libogg and libvorbis once, then
# configures with the mingw-w64 toolchain and builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --windows
bash scripts/build-win-libs.sh "$PWD/build-win/libs"
# WIN_OPTIMIZE: the optimisation of a Release build (the tests build with -O1).
optimize="${WIN_OPTIMIZE:--O2} -DNDEBUG"
cmake -S . -B build-win -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
      -DCMAKE_CXX_FLAGS_RELEASE="$optimize" -DCMAKE_C_FLAGS_RELEASE="$optimize" \
      -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw_w64_x86_64.cmake" \
      -DTESSAROID_WIN_LIBS="$PWD/build-win/libs" >/dev/null
cmake --build build-win -j "$(nproc)"

# The program folder's data folder, dir.txt and default Game.ini come from the Linux
# build's generator and folder tool (the files are the same on both systems).
if [ ! -x build/bin/tessaroid-assetgen ] || [ ! -x build/bin/tessaroid-folder ]; then
  bash scripts/build.sh
fi
if [ ! -f build-win/game/data/grp/grp_0003.txt ]; then
  build/bin/tessaroid-assetgen build-win/game/data >/dev/null
fi
build/bin/tessaroid-folder build-win/game
