#!/usr/bin/env bash
# Cross-builds libpng, libogg and libvorbis as static libraries for 64-bit Windows from
# Debian's own source packages, into PREFIX (default build-win/libs). A library already
# there is left alone, so only the first build pays for this.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
prefix=${1:-$root/build-win/libs}
work=$root/build-win/lib-sources
host=x86_64-w64-mingw32
mkdir -p "$prefix" "$work"

# A private apt setup that knows only Debian's source packages: the machine's own lists
# and sources stay untouched.
apt_dir=$work/apt
apt_opts=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=/dev/null"
          -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
          -o "APT::Sandbox::User=root" -o "Debug::NoLocking=1")
fetch_sources() {
  [ -f "$apt_dir/lists/.updated" ] && return 0
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  . /etc/os-release
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
       "http://deb.debian.org/debian ${VERSION_CODENAME:-bookworm} main" > "$apt_dir/sources.list"
  apt-get "${apt_opts[@]}" -q update >/dev/null
  touch "$apt_dir/lists/.updated"
}

# unpack PACKAGE: the source package's tree, Debian's patches applied, in $work/PACKAGE.
unpack() {
  local package=$1
  [ -d "$work/$package" ] && return 0
  fetch_sources
  local download=$work/download-$package
  rm -rf "$download" && mkdir -p "$download"
  (cd "$download" && apt-get "${apt_opts[@]}" -q source --download-only "$package" >/dev/null)
  # apt has checked the files against Debian's signed release; dpkg-source has no keyring
  # for the uploaders' own signatures and would only warn.
  dpkg-source -x "$download"/"${package}"_*.dsc "$work/$package" >/dev/null 2>&1
  rm -rf "$download"
}

# build PACKAGE MARKER TARGETS [configure options]: configure, make and install unless
# MARKER is already in the prefix. TARGETS keeps make to the libraries themselves: either
# the folders to build and install, then the pkg-config files, or "." with make variables.
build() {
  local package=$1 marker=$2 targets=$3
  shift 3
  [ -f "$prefix/$marker" ] && return 0
  echo "Cross-building $package"
  local log=$work/$package.log
  (cd "$work/$package" &&
   ./configure --host=$host --prefix="$prefix" --disable-shared --enable-static \
       --disable-dependency-tracking "$@" \
       CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" \
       PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig" >"$log" 2>&1 &&
   if [ "${targets%% *}" = . ]; then
     make -j"$(nproc)" ${targets#.} >>"$log" 2>&1 && make install ${targets#.} >>"$log" 2>&1
   else
     for folder in $targets; do
       make -C "$folder" -j"$(nproc)" >>"$log" 2>&1 && make -C "$folder" install >>"$log" 2>&1 ||
         exit 1
     done
     make install-pkgconfigDATA >>"$log" 2>&1
   fi) || { echo "Cross-building $package failed; see $log" >&2; exit 1; }
}

# The sources first, one download after another; then libpng (which needs only zlib) builds
# beside libogg and libvorbis (which needs libogg), one chain on each processor.
[ -f "$prefix/lib/libogg.a" ] || unpack libogg
[ -f "$prefix/lib/libvorbisfile.a" ] || unpack libvorbis
[ -f "$prefix/lib/libpng16.a" ] || unpack libpng1.6
build libpng1.6 lib/libpng16.a ". bin_PROGRAMS=" --disable-tools &
png=$!
build libogg lib/libogg.a "include src"
build libvorbis lib/libvorbisfile.a "include lib" --disable-docs --disable-examples \
      --disable-oggtest
wait "$png"
