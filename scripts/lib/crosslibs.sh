# Sourced by bootstrap.sh (and by its test): the libraries cross-built for MinGW (libjpeg-turbo
# and libpng from Debian's source packages, GoogleTest from /usr/src/googletest), each kept in the
# cache of scripts/lib/depcache.sh under a key made of its source package's version, the
# toolchain's versions and its flags, and laid into $deps/<triplet>. The commands it asks (apt-get,
# dpkg-query, cmake) can be stand-ins in a test.
source "$(dirname "${BASH_SOURCE[0]}")/depcache.sh"

# source_version PACKAGE/SUITE: the source package's .dsc name (it carries the version), from the
# package index; nothing is downloaded.
source_version() {
  apt-get source --print-uris -q "$1" 2>/dev/null | sed -n "s/^'[^']*' \([^ ]*\.dsc\) .*/\1/p" | head -n1
}

# fetch_source PACKAGE/SUITE: unpacks the source package once under $deps/src, in a folder of
# its version, and prints the folder of its source tree.
fetch_source() {
  local pkg=$1 dsc dir
  dsc=$(source_version "$pkg")
  [ -n "$dsc" ] || return 1
  dir="$deps/src/${dsc%.dsc}"
  if [ ! -d "$dir/tree" ]; then
    rm -rf "$dir"
    mkdir -p "$dir"
    (cd "$dir" && apt-get source -q --download-only "$pkg" >/dev/null &&
      dpkg-source -x --no-check "./$dsc" tree >/dev/null) || return 1
  fi
  echo "$dir/tree"
}

# toolchain_id TRIPLET: the versions of everything that compiles for TRIPLET.
toolchain_id() {
  local arch=${1%%-*}
  arch=${arch//_/-}
  dpkg-query -W -f='${Package}=${Version}\n' "gcc-mingw-w64-$arch-posix" "g++-mingw-w64-$arch-posix" \
    "mingw-w64-$arch-dev" "binutils-mingw-w64-$arch" libz-mingw-w64-dev 2>/dev/null
  cmake --version | head -n1
}

# cmake_install SOURCE PREFIX ARGS...: configures, builds and installs one CMake project into
# PREFIX, in a build folder of its own under build/deps.
cmake_install() {
  local src=$1 prefix=$2 bdir
  shift 2
  bdir=$(mktemp -d "$deps/build.XXXXXX")
  cmake -Wno-dev --no-warn-unused-cli -S "$src" -B "$bdir" -G Ninja -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null &&
    cmake --build "$bdir" >/dev/null && cmake --install "$bdir" >/dev/null
  local rc=$?
  rm -rf "$bdir"
  return $rc
}

# build_from_source PACKAGE/SUITE ARGS... PREFIX: cmake_install of a source package.
build_from_source() {
  local pkg=$1 src
  shift
  local prefix=${*: -1}
  src=$(fetch_source "$pkg") || { echo "bootstrap: cannot fetch the source of $pkg" >&2; return 1; }
  cmake_install "$src" "$prefix" "${@:1:$#-1}"
}

# The three libraries, each with the flags it is built with for one triplet.
windows_flags() { # triplet
  echo -DCMAKE_BUILD_TYPE=Release -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="${1%%-*}" \
    -DCMAKE_C_COMPILER="$1-gcc-posix" -DCMAKE_CXX_COMPILER="$1-g++-posix" -DCMAKE_RC_COMPILER="$1-windres"
}
libjpeg_flags() { # triplet
  echo "$(windows_flags "$1")" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF \
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
}
libpng_flags() { # triplet
  echo "$(windows_flags "$1")" -DCMAKE_FIND_ROOT_PATH="/usr/$1" -DZLIB_ROOT="/usr/$1" \
    -DZLIB_INCLUDE_DIR="/usr/$1/include" -DZLIB_LIBRARY="/usr/$1/lib/libz.a" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
    -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_EXECUTABLES=ON -DSKIP_INSTALL_FILES=ON
}
gtest_flags() { # triplet
  echo "$(windows_flags "$1")" -Dgtest_disable_pthreads=OFF -DBUILD_SHARED_LIBS=OFF
}

# library_package NAME: the Debian source package a library is built from; none for GoogleTest,
# whose installed source (package googletest) is built.
library_package() {
  case $1 in
    libjpeg) echo libjpeg-turbo/bookworm ;;
    libpng) echo libpng1.6/bookworm ;;
  esac
}

# library_key NAME TRIPLET: the cache key of one library for one triplet.
library_key() {
  local name=$1 triplet=$2 pkg source
  pkg=$(library_package "$name")
  if [ -n "$pkg" ]; then
    source=$(source_version "$pkg")
  else
    source=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null) && source=googletest=$source
  fi
  [ -n "$source" ] || { echo "bootstrap: no source package for $name" >&2; return 1; }
  depcache_key "$name" "$triplet" "$source" "$(toolchain_id "$triplet")" "$("${name}_flags" "$triplet")"
}

# library_build NAME TRIPLET PREFIX: builds one library into PREFIX (the cache's staging folder).
library_build() {
  local name=$1 triplet=$2 prefix=$3 pkg flags
  read -r -a flags <<<"$("${name}_flags" "$triplet")"
  pkg=$(library_package "$name")
  if [ -n "$pkg" ]; then
    build_from_source "$pkg" "${flags[@]}" "$prefix"
  else
    cmake_install /usr/src/googletest "$prefix" "${flags[@]}"
  fi
}

# ensure_libraries TRIPLET NAME...: build/deps/TRIPLET holds these libraries as their current
# keys name them (its .keys file lists what it holds); otherwise it is laid anew from the cache.
# A run for the program alone keeps the test framework that a full run added.
ensure_libraries() {
  local triplet=$1 prefix="$deps/$1" name key
  shift
  local -A keys=()
  for name; do
    key=$(library_key "$name" "$triplet") || return 1
    keys[$name]=$key
  done
  if [ -f "$prefix/.keys" ] && [ -z "$(comm -23 <(for name; do echo "$name ${keys[$name]}"; done | sort) <(sort "$prefix/.keys"))" ]; then
    return 0
  fi
  rm -rf "$prefix"
  for name; do
    depcache_fetch "$name-$triplet" "${keys[$name]}" "$prefix" library_build "$name" "$triplet" ||
      { echo "bootstrap: building $name for $triplet failed" >&2; return 1; }
  done
  for name; do echo "$name ${keys[$name]}"; done >"$prefix/.keys"
}

