#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian machine and
# cross-builds the libraries that Debian does not ship for MinGW. Idempotent: each
# step checks whether its result is already there and does nothing when it is.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
deps="$build/deps"
mkdir -p "$deps"

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
source "$here/scripts/lib/apt.sh"
source "$here/scripts/lib/host.sh"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config dpkg-dev file
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  googletest libgtest-dev libbenchmark-dev zlib1g-dev libpng-dev libjpeg-dev
  wine wine32:i386 wine64 fonts-wine xvfb xdotool imagemagick x11-utils fonts-dejavu-core
)

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

ensure_apt() {
  local need updated=0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_ dpkg --add-architecture i386
    updated=1
  fi
  # apt-get source needs a deb-src entry for the two source packages we cross-build.
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sudo_ tee /etc/apt/sources.list.d/prismatone-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    updated=1
  fi
  need=$(missing_packages)
  if [ -n "$need" ] || [ $updated = 1 ]; then
    apt_update
  fi
  if [ -n "$need" ]; then
    # shellcheck disable=SC2086
    apt_install $need
  fi
}

apt_updated=0
apt_update() {
  apt_update_retrying 3 5 sudo_ apt-get update -q
  apt_updated=1
}

# apt_install PACKAGES...: apt-get install, falling back to the release's own suite.
apt_install() {
  apt_install_falling_back "$(os_codename)" \
    sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends -- "$@"
}

# Cross-builds one autotools/cmake source package for i686 or x86-64 MinGW into
# $deps/<triplet>. Results are cached: a stamp file marks a finished build.
# Unpacks a Debian source package once under $deps/src and prints its folder.
fetch_source() { # package/suite folder-prefix
  local pkg=$1 name=$2 dir
  mkdir -p "$deps/src"
  dir=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$name-[0-9]*" | head -n1)
  if [ -z "$dir" ]; then
    (cd "$deps/src" && apt-get source -q --download-only "$pkg" >/dev/null &&
      dpkg-source -x --no-check ./"$name"_*.dsc >/dev/null)
    dir=$(find "$deps/src" -mindepth 1 -maxdepth 1 -type d -name "$name-[0-9]*" | head -n1)
  fi
  echo "$dir"
}

build_libjpeg() {
  local triplet=$1 src
  local prefix="$deps/$triplet"
  [ -f "$prefix/.libjpeg-done" ] && return 0
  src=$(fetch_source libjpeg-turbo/bookworm libjpeg-turbo)
  local bdir="$deps/build-jpeg-$triplet"
  rm -rf "$bdir"
  cmake -Wno-dev -S "$src" -B "$bdir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="${triplet%%-*}" \
    -DCMAKE_C_COMPILER="$triplet-gcc-posix" -DCMAKE_RC_COMPILER="$triplet-windres" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >/dev/null
  cmake --build "$bdir" >/dev/null
  cmake --install "$bdir" >/dev/null
  touch "$prefix/.libjpeg-done"
}

build_libpng() {
  local triplet=$1 src
  local prefix="$deps/$triplet"
  [ -f "$prefix/.libpng-done" ] && return 0
  src=$(fetch_source libpng1.6/bookworm libpng1.6)
  local bdir="$deps/build-png-$triplet"
  rm -rf "$bdir"
  cmake -Wno-dev -S "$src" -B "$bdir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="${triplet%%-*}" \
    -DCMAKE_C_COMPILER="$triplet-gcc-posix" -DCMAKE_RC_COMPILER="$triplet-windres" \
    -DCMAKE_FIND_ROOT_PATH="/usr/$triplet" -DZLIB_ROOT="/usr/$triplet" \
    -DZLIB_INCLUDE_DIR="/usr/$triplet/include" -DZLIB_LIBRARY="/usr/$triplet/lib/libz.a" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF -DSKIP_INSTALL_PROGRAMS=ON \
    -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_FILES=ON >/dev/null
  cmake --build "$bdir" >/dev/null
  cmake --install "$bdir" >/dev/null
  touch "$prefix/.libpng-done"
}

build_gtest() {
  local triplet=$1
  local prefix="$deps/$triplet"
  [ -f "$prefix/.gtest-done" ] && return 0
  local bdir="$deps/build-gtest-$triplet"
  rm -rf "$bdir"
  cmake -Wno-dev -S /usr/src/googletest -B "$bdir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_C_COMPILER="$triplet-gcc-posix" \
    -DCMAKE_CXX_COMPILER="$triplet-g++-posix" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -Dgtest_disable_pthreads=OFF -DBUILD_SHARED_LIBS=OFF >/dev/null
  cmake --build "$bdir" >/dev/null
  cmake --install "$bdir" >/dev/null
  touch "$prefix/.gtest-done"
}

ensure_apt
for t in i686-w64-mingw32 x86_64-w64-mingw32; do
  build_libjpeg "$t"
  build_libpng "$t"
done
for t in i686-w64-mingw32 x86_64-w64-mingw32; do
  build_gtest "$t"
done
# Wine's 32-bit loader must run for anything 32-bit; on a host that cannot, emulate it.
install_late() {
  [ $apt_updated = 1 ] || apt_update
  apt_install "$@"
}
host_i386_check install_late >/dev/null
