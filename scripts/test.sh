#!/usr/bin/env bash
# Runs every test: the native suite (plain and under sanitizers), then the Windows suite through
# Wine in both prefixes, then the end-to-end tests that drive the real window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
if [ ! -f "$root/build/native-asan/build.ninja" ]; then
  cmake -S "$root" -B "$root/build/native-asan" -G Ninja -DPRISMATONE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
fi
cmake --build "$root/build/native-asan"
source "$root/scripts/wine-env.sh"
ensure_display
trap stop_display EXIT
wine_prefix win64
wine_prefix win32
status=0
ctest --test-dir "$root/build/native" --output-on-failure || status=1
ctest --test-dir "$root/build/native-asan" --output-on-failure || status=1
ctest --test-dir "$root/build/win32" --output-on-failure -j2 || status=1
exit $status
