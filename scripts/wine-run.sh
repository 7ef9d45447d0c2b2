#!/usr/bin/env bash
# wine-run.sh win64|win32 program.exe [args...]: runs a Windows program in one of our prefixes,
# on the current display or on a private Xvfb, and returns the program's exit code.
#
# Where 32-bit code is emulated (PRISMATONE_I386_MODE=emulated, set by test.sh), qemu-user can
# crash a 32-bit Wine process as it ends ("stack smashing detected", a segmentation fault), after
# every test in it has run and sometimes before any report file is written. For a GoogleTest
# program (PRISMATONE_GTEST=1, set by the test definitions) the verdict then comes from its own
# console output: every test it announced ran and passed or was skipped.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
kind=$1; shift
wine_prefix "$kind"
ensure_display
source "$(dirname "$0")/lib/gtest_verdict.sh"
log=
cleanup() { stop_display; [ -z "$log" ] || rm -f "$log"; }
trap cleanup EXIT
export PRISMATONE_WINE_KIND=$kind
if [ "${PRISMATONE_I386_MODE:-}" = emulated ] && [ "${PRISMATONE_GTEST:-}" = 1 ] && [ "$(pe_machine "$1")" = 14c ]; then
  log=$(mktemp /tmp/gtest-log.XXXXXX)
fi
set +e
if [ -n "$log" ]; then
  wine "$@" | tee "$log"
  rc=${PIPESTATUS[0]}
else
  wine "$@"
  rc=$?
fi
set -e
if [ $rc != 0 ] && [ -n "$log" ] && gtest_log_passed "$log"; then
  echo "wine-run: the emulated process ended with code $rc after all its tests passed (its output says so); taken as passed"
  [ -z "${PRISMATONE_VERDICTS:-}" ] || echo "${1##*/} ($kind prefix): exit code $rc after all its tests passed" >>"$PRISMATONE_VERDICTS"
  rc=0
fi
exit $rc
