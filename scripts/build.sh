#!/usr/bin/env bash
# Builds the three configurations under build/: native (host tools and portable modules),
# win64 (64-bit pieces) and win32 (the setup program and its tests). Only what changed is rebuilt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
configure() { # name extra-args...
  local name=$1; shift
  if [ ! -f "$root/build/$name/build.ninja" ]; then
    cmake -S "$root" -B "$root/build/$name" -G Ninja "$@" >/dev/null
  fi
  cmake --build "$root/build/$name"
}
configure native
configure win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DPRISMATONE_HOST_TOOLS="$root/build/native/tools"
configure win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DPRISMATONE_HOST_TOOLS="$root/build/native/tools" \
  -DPRISMATONE_WIN64_BUILD="$root/build/win64"
