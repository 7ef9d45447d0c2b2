#!/usr/bin/env bash
# payload_tests.sh win64|win32 payload_tests.exe: runs the payload tests with a 128 KB file system
# (tmpfs) for the full-disk test of the extraction, too small for the main program's payload: one
# start of the 32-bit program for all of them. Where no file system can be mounted that test
# skips itself, and this says so.
set -uo pipefail
kind=$1 exe=$2
run=("$(dirname "$0")/../../scripts/wine-run.sh" "$kind" "$exe")
mnt=$(mktemp -d /tmp/ptfull.XXXXXX)
if mount -t tmpfs -o size=128k tmpfs "$mnt" 2>/dev/null; then
  trap 'umount "$mnt"; rmdir "$mnt"' EXIT
  PRISMATONE_FULL_DISK="Z:${mnt//\//\\}" "${run[@]}"
else
  rmdir "$mnt"
  echo "payload_tests.sh: cannot mount a small file system here; the full-disk test skips"
  "${run[@]}"
fi
