#!/usr/bin/env bash
# The cache of cross-built libraries, driven through the bootstrap's functions with stand-in
# commands (apt-get, dpkg-query, cmake and the build itself): what a second clone takes from it,
# which changes make a library build again, and that a half-written or damaged entry is built
# again instead of used.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/crosslibs.sh"
source "$root/tests/scripts/checks.sh"

export PRISMATONE_CACHE="$work/cache"
t=i686-w64-mingw32
# What the stand-ins answer: the source packages' versions and the toolchain's.
jpeg_dsc=libjpeg-turbo_2.1.5-2.dsc png_dsc=libpng1.6_1.6.39-2.dsc gcc_version=12.2.0-14 gtest_version=1.12.1-0.2
apt-get() {
  local dsc=$png_dsc
  [ "$4" = libjpeg-turbo/bookworm ] && dsc=$jpeg_dsc
  echo "Reading package lists..."
  echo "'http://deb.debian.org/debian/pool/main/x/$dsc' $dsc 2493 SHA256:d718"
}
dpkg-query() {
  case ${*: -1} in
    googletest) printf '%s' "$gtest_version" ;;
    *) local p; for p in "${@:3}"; do echo "$p=$gcc_version"; done ;;
  esac
}
cmake() { echo "cmake version 3.25.1"; }
# The build: records what it builds and writes a library naming its inputs.
library_build() {
  echo "$1" >>"$work/builds"
  mkdir -p "$3/lib" "$3/include"
  echo "$1 $gcc_version" >"$3/lib/$1.a"
  echo "header" >"$3/include/$1.h"
}
builds() { [ -f "$work/builds" ] && wc -l <"$work/builds" || echo 0; }
lay() { deps=$1; shift; ensure_libraries "$t" "$@" 2>"$work/err"; }

# A cold cache builds each library once; a second clone's folder takes them without building.
lay "$work/clone1" libjpeg libpng
check "cold cache: each library built once" [ "$(builds)" = 2 ]
check "cold cache: libraries laid out" [ -f "$work/clone1/$t/lib/libjpeg.a" ] && [ -f "$work/clone1/$t/lib/libpng.a" ]
lay "$work/clone2" libjpeg libpng
check "second clone: nothing built" [ "$(builds)" = 2 ]
check "second clone: libraries laid out" cmp -s "$work/clone1/$t/lib/libpng.a" "$work/clone2/$t/lib/libpng.a"
check "no checksum list in the build folder" [ ! -e "$work/clone2/$t/.files.sha256" ]

# Each input of the key misses the cache: which change, how many libraries then build.
change() { # description builds-expected assignment
  local before
  before=$(builds)
  eval "$3"
  lay "$work/clone2" libjpeg libpng
  check "$1: $2 built again" [ $(($(builds) - before)) = "$2" ]
  check "$1: a second lay builds nothing" lay "$work/clone2" libjpeg libpng
  check "$1: still nothing more built" [ $(($(builds) - before)) = "$2" ]
}
change "a new toolchain version" 2 'gcc_version=12.2.0-15'
change "a new libjpeg source version" 1 'jpeg_dsc=libjpeg-turbo_2.1.5-3.dsc'
change "another libpng flag" 1 'libpng_flags() { echo -DPNG_TESTS=ON; }'
check "the laid-out library is the new build" grep -q 12.2.0-15 "$work/clone2/$t/lib/libjpeg.a"

# A program's run after a full one keeps the test framework and builds nothing.
lay "$work/clone3" libjpeg libpng gtest
before=$(builds)
lay "$work/clone3" libjpeg libpng
check "program run after a full one: nothing built" [ "$(builds)" = "$before" ]
check "program run after a full one: the test framework stays" [ -f "$work/clone3/$t/lib/gtest.a" ]

# Entries that are not whole are built again, never copied: written half (no checksum list yet),
# a file cut short, a file gone.
entry() { find "$PRISMATONE_CACHE/deps" -maxdepth 1 -name "libjpeg-$t-*" -newer "$work/mark" | head -n1; }
damage() { # description command-on-entry
  local e before
  touch "$work/mark"; sleep 0.01
  jpeg_dsc="libjpeg-turbo_$RANDOM.dsc"
  lay "$work/clone4" libjpeg
  e=$(entry)
  eval "$2"
  before=$(builds)
  rm -rf "$work/clone4"
  lay "$work/clone4" libjpeg
  check "$1: built again" [ $(($(builds) - before)) = 1 ]
  check "$1: said so" grep -q 'incomplete or damaged' "$work/err"
  check "$1: laid out whole" grep -q "libjpeg $gcc_version" "$work/clone4/$t/lib/libjpeg.a"
}
damage "half-written entry" 'rm "$e/.files.sha256"'
damage "a file cut short" ': >"$e/lib/libjpeg.a"'
damage "a file gone" 'rm "$e/include/libjpeg.h"'

# A failing build leaves no entry and fails the bootstrap.
library_build() { mkdir -p "$3/lib" && echo partial >"$3/lib/x.a" && return 1; }
jpeg_dsc=libjpeg-turbo_9.9.dsc
lay "$work/clone5" libjpeg
check "failed build: reported" [ $? != 0 ]
check "failed build: no entry left" [ -z "$(find "$PRISMATONE_CACHE/deps" -name '*x.a')" ]

checks_done
