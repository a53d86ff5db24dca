#!/usr/bin/env bash
# Installs the Debian packages the game, its tools and its tests need, when any is missing
# (the last line of the list: the Debian package's build and its checks).
# Safe to run again: it does nothing once everything is there. With --windows it installs
# the Windows build's packages as well (cross compiler, Wine, Debian's source tools); with
# --peers the two games the benchmark command measures this one against.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libepoxy-dev libopenal-dev libpng-dev zlib1g-dev
  libvorbis-dev libogg-dev libfreetype-dev fonts-dejavu-core
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool x11-utils imagemagick libgl1-mesa-dri libegl-mesa0 xfonts-base
  clang libclang-rt-14-dev python3
  file dpkg-dev desktop-file-utils appstream lintian
)
if [ "${1:-}" = "--windows" ]; then
  packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 dpkg-dev)
fi
if [ "${1:-}" = "--peers" ]; then
  packages+=(ltris quadrapassel)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
