#!/usr/bin/env bash
# Runs every test, in parts: the native suite, the same under sanitizers, the fuzz targets for
# half a minute each over their seed corpora (scripts/fuzz.sh), the Windows suite of the
# 32-bit build through Wine, the Windows suite of the x86-64 build, and the end-to-end tests that
# drive the real window. Ends with one line per part (passed, failed or skipped and why) and the
# total time.
#
# On a host whose kernel does not execute i386 code, 32-bit programs run emulated through qemu
# (scripts/lib/host.sh), tens of times slower. The suite is then shaped to fit CI's budget: the
# Windows tests run as x86-64 programs in the 64-bit prefix, the 32-bit build runs only the tests
# whose expectations depend on a 32-bit process, and the real 32-bit setup is driven end to end
# in the 64-bit prefix with waits scaled by the measured slowness. The 32-bit prefix is not
# booted there: every process in it, Wine's own included, would be emulated.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/parts.sh"

build_all() {
  "$root/scripts/build.sh" || return
  if [ ! -f "$root/build/native-asan/build.ninja" ]; then
    cmake -S "$root" -B "$root/build/native-asan" -G Ninja -DPRISMATONE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null || return
  fi
  cmake --build "$root/build/native-asan"
}
part build build_all
if [ $PARTS_FAILED = 1 ]; then
  parts_summary
  exit 1
fi

source "$root/scripts/wine-env.sh"
mode=$(host_i386_mode)
export PRISMATONE_I386_MODE=$mode
echo "host: 32-bit code $mode"
ensure_display
trap stop_display EXIT

part native ctest --test-dir "$root/build/native" --output-on-failure
part sanitizers ctest --test-dir "$root/build/native-asan" --output-on-failure
part fuzzing "$root/scripts/fuzz.sh" 30

win32=(ctest --test-dir "$root/build/win32" --output-on-failure)
# The x86-64 programs: the x86-64 build's suite and the 64-bit thumbnail checks of the 32-bit one.
x64_tests() {
  ctest --test-dir "$root/build/win64" --output-on-failure -L wine -j2 && "${win32[@]}" -L x64
}
case $mode in
  native)
    part prefixes eval 'wine_prefix win64 && wine_prefix win32'
    part "Windows 32-bit" "${win32[@]}" -LE e2e -j2
    part_skip "Windows 64-bit" "built; not run: this host runs the 32-bit suite natively in both prefixes"
    part end-to-end "${win32[@]}" -L e2e --timeout 300
    ;;
  emulated)
    part prefixes wine_prefix win64
    part_note "(64-bit only: a 32-bit prefix would run every process emulated)"
    wine_slowness
    slowness=$PRISMATONE_SLOWNESS
    echo "host: 32-bit programs start $slowness times slower than 64-bit ones; waits scale by that"
    # qemu-user now and then crashes a 32-bit process as it ends, after its tests have passed
    # ("stack smashing detected"): GoogleTest programs are then judged by their own report
    # (wine-run.sh), and any other test that fails gets one more run; a real fault fails both.
    retry=(--repeat until-pass:2)
    part "Windows 32-bit" "${win32[@]}" -L bitness -LE e2e -R '\.(wow64|win64)$' -j2 --timeout $((300 * slowness)) "${retry[@]}"
    part_note "(emulated: only the tests that depend on a 32-bit process, 64-bit prefix)"
    wine_reset win64
    part "Windows 64-bit" x64_tests
    wine_reset win64
    part end-to-end "${win32[@]}" -L e2e -R '\.win64$' --timeout $((300 * slowness)) "${retry[@]}"
    part_note "(emulated, 64-bit prefix only)"
    ;;
  none)
    part prefixes wine_prefix win64
    part_skip "Windows 32-bit" "this host cannot execute 32-bit code, not even emulated"
    part "Windows 64-bit" x64_tests
    part_skip end-to-end "the setup is a 32-bit program and this host cannot execute 32-bit code"
    ;;
esac
parts_summary
