#!/usr/bin/env bash
# Runs every test, in parts: the build (with the Wine prefixes booting beside it), the native
# suite, the same under sanitizers, the fuzz targets for half a minute each over their seed
# corpora (scripts/fuzz.sh), the Windows suite of the 32-bit build through Wine, the Windows
# suite of the x86-64 build, and the end-to-end tests that drive the real window. Ends with one
# line per part (passed, failed or skipped and why), the tests that passed only when run a second
# time, the programs judged by their own log, and the total time against CI's budget.
#
# On a host whose kernel does not execute i386 code, 32-bit programs run emulated through qemu
# (scripts/lib/host.sh), tens of times slower. The suite is then shaped to fit CI's budget: the
# Windows tests run as x86-64 programs in the 64-bit prefix, the 32-bit build runs only the tests
# whose expectations depend on a 32-bit process (and builds only what those and the end-to-end
# tests need), and the real 32-bit setup is driven end to end in the 64-bit prefix with the limits
# of its waits scaled for emulation. The 32-bit prefix is not booted there: every process in it,
# Wine's own included, would be emulated.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/parts.sh"
source "$root/scripts/wine-env.sh"
source "$root/scripts/lib/trees.sh"
mkdir -p "$root/build/wine"
export PRISMATONE_VERDICTS="$root/build/test-verdicts.txt"
: >"$PRISMATONE_VERDICTS"

# The prefixes boot while the trees build: where 32-bit code is emulated a boot takes minutes of
# mostly one processor, which the build's linking leaves idle anyway.
boots=()
start_boots() {
  local kind kinds=(win64)
  [ "$mode" = native ] && kinds+=(win32)
  for kind in "${kinds[@]}"; do
    (wine_prefix "$kind") >"$root/build/wine/boot-$kind.log" 2>&1 &
    boots+=("$!:$kind")
  done
}
wait_boots() {
  local boot rc=0
  for boot in "${boots[@]}"; do
    wait "${boot%%:*}" && continue
    rc=1
    echo "the ${boot#*:} prefix did not boot:" >&2
    cat "$root/build/wine/boot-${boot#*:}.log" >&2
  done
  return $rc
}
stop_boots() {
  local boot
  # Only the boots' own jobs: a bare `wait` would also wait for the Xvfb this script started,
  # which runs until stop_display, and the run would never end.
  for boot in "${boots[@]}"; do kill "${boot%%:*}" 2>/dev/null; done
  for boot in "${boots[@]}"; do wait "${boot%%:*}" 2>/dev/null; done
  return 0
}

build_all() {
  "$root/scripts/bootstrap.sh" --packages || return
  mode=$(host_i386_mode)
  ensure_display || return
  start_boots
  "$root/scripts/bootstrap.sh" || return
  build_tree native || return
  build_tree native-asan || return
  build_tree win64 || return
  # Where 32-bit code is emulated only the tests that depend on a 32-bit process and the
  # end-to-end tests run of the 32-bit build: it builds just those.
  if [ "$mode" = emulated ]; then build_tree win32 emulated_suite; else build_tree win32; fi
}
mode=
trap 'stop_boots; stop_display' EXIT
part build build_all
if [ $PARTS_FAILED = 1 ]; then
  parts_summary
  exit 1
fi
export PRISMATONE_I386_MODE=$mode
echo "host: 32-bit code $mode"

part native ctest --test-dir "$root/build/native" --output-on-failure
part sanitizers ctest --test-dir "$root/build/native-asan" --output-on-failure
part fuzzing "$root/scripts/fuzz.sh" 30
part prefixes wait_boots
case $mode in
  native) part_note "(64-bit and 32-bit, booted during the build)" ;;
  none) part_note "(64-bit only: 32-bit code does not run here; booted during the build)" ;;
  *) part_note "(64-bit only: a 32-bit prefix would run every process emulated; booted during the build)" ;;
esac

win32=(--test-dir "$root/build/win32" --output-on-failure)
# The x86-64 programs: the x86-64 build's suite and the 64-bit thumbnail checks of the 32-bit one.
x64_tests() {
  ctest --test-dir "$root/build/win64" --output-on-failure -L wine -j2 && ctest "${win32[@]}" -L x64
}
case $mode in
  native)
    part "Windows 32-bit" ctest "${win32[@]}" -LE e2e -j2
    part_skip "Windows 64-bit" "built; not run: this host runs the 32-bit suite natively in both prefixes"
    part end-to-end ctest "${win32[@]}" -L e2e --timeout 300
    ;;
  emulated)
    wine_slowness
    echo "host: 32-bit programs start up to $PRISMATONE_SLOWNESS times slower than 64-bit ones; the limits of waits scale by that"
    # qemu-user now and then crashes a 32-bit process as it ends, after its tests have passed
    # ("stack smashing detected"): GoogleTest programs are then judged by their own report
    # (wine-run.sh), and any other test that fails gets one more run; a real fault fails both.
    # Both are named in the summary.
    part "Windows 32-bit" ctest_retrying "${win32[@]}" -L bitness -LE e2e -R '\.(wow64|win64)$' -j2 --timeout 1800
    part_note "(emulated: only the tests that depend on a 32-bit process, 64-bit prefix)"
    wine_reset win64
    part "Windows 64-bit" x64_tests
    wine_reset win64
    part end-to-end ctest_retrying "${win32[@]}" -L e2e -R '\.win64$' --timeout 1800
    part_note "(emulated, 64-bit prefix only)"
    ;;
  none)
    part_skip "Windows 32-bit" "this host cannot execute 32-bit code, not even emulated"
    part "Windows 64-bit" x64_tests
    part_skip end-to-end "the setup is a 32-bit program and this host cannot execute 32-bit code"
    ;;
esac
parts_summary
