# Sourced by build.sh, run.sh, test.sh and fuzz.sh: the CMake trees under build/ and the compiler
# cache they share.
#   native       g++: host tools, the Windows-free modules with their tests and benchmarks
#   native-asan  the same under AddressSanitizer and UndefinedBehaviorSanitizer
#   fuzz         clang: the libFuzzer targets
#   win64        MinGW-w64 x86-64: the 64-bit thumbnail library, the Windows tests as x86-64 programs
#   win32        MinGW-w64 i686: the setup program and its Windows tests
# Every tree compiles through ccache. Its folder lies in the user's cache folder, outside any
# clone, capped in size; paths below the clone are hashed relative to it, so that another clone
# of the project on the same machine finds what this one compiled.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
source "$root/scripts/lib/depcache.sh"

PRISMATONE_CCACHE_SIZE=${PRISMATONE_CCACHE_SIZE:-4G}

compiler_cache_dir() { echo "$(prismatone_cache_dir)/ccache"; }

# compiler_cache_launcher: the launcher for CMAKE_<LANG>_COMPILER_LAUNCHER (a CMake list). It
# carries the cache's settings itself, so that a build started by hand uses the same cache.
compiler_cache_launcher() {
  local dir
  dir=$(compiler_cache_dir)
  mkdir -p "$dir"
  # The size cap and the settings every clone shares live in the cache's own configuration.
  # hash_dir off: the build folder's absolute path would otherwise be part of every entry.
  printf 'max_size = %s\nhash_dir = false\n' "$PRISMATONE_CCACHE_SIZE" >"$dir/ccache.conf.new" &&
    mv "$dir/ccache.conf.new" "$dir/ccache.conf"
  echo "env;CCACHE_DIR=$dir;CCACHE_BASEDIR=$root;ccache"
}

# tree_args NAME: the configure arguments of a tree, one a line.
tree_args() {
  local tools="$root/build/native/tools"
  case $1 in
    native) ;;
    native-asan) printf '%s\n' -DPRISMATONE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug ;;
    fuzz) printf '%s\n' -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    win64) printf '%s\n' -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DPRISMATONE_HOST_TOOLS="$tools" ;;
    win32) printf '%s\n' -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release \
      -DPRISMATONE_HOST_TOOLS="$tools" \
      -DPRISMATONE_WIN64_BUILD="$root/build/win64" ;;
    *) echo "no tree named $1" >&2; return 1 ;;
  esac
}

# configure_tree NAME: configures build/NAME unless it was configured with the same arguments.
# With PRISMATONE_PROGRAM_ONLY=1 (run.sh) a new tree leaves the tests out, so that the program
# builds without the test framework; a tree that has them keeps them.
configure_tree() {
  local name=$1 dir="$root/build/$1" launcher tests=ON extra args want
  tree_args "$name" >/dev/null || return
  mapfile -t extra < <(tree_args "$name")
  launcher=$(compiler_cache_launcher)
  if [ "${PRISMATONE_PROGRAM_ONLY:-}" = 1 ] && ! grep -qsx -- '-DPRISMATONE_TESTS=ON' "$dir/.configured"; then
    tests=OFF
  fi
  args=(-G Ninja "-DCMAKE_C_COMPILER_LAUNCHER=$launcher" "-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher"
    "-DPRISMATONE_TESTS=$tests" "${extra[@]}")
  want=$(printf '%s\n' "${args[@]}")
  if [ -f "$dir/build.ninja" ] && [ "$(cat "$dir/.configured" 2>/dev/null)" = "$want" ]; then
    return 0
  fi
  cmake -S "$root" -B "$dir" "${args[@]}" >/dev/null || return
  echo "$want" >"$dir/.configured"
}

# build_tree NAME [TARGET...]: configures build/NAME when needed and builds TARGETs (all by default).
build_tree() {
  local name=$1
  shift
  configure_tree "$name" || return
  cmake --build "$root/build/$name" ${1:+--target "$@"}
}
