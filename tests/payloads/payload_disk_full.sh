#!/usr/bin/env bash
# payload_disk_full.sh win64|win32 payload_tests.exe: runs the full-disk test of the payload tests
# on a 128 KB file system (tmpfs), too small for the main program's payload. Skips (77) when no
# file system can be mounted here.
set -uo pipefail
kind=$1 exe=$2
mnt=$(mktemp -d /tmp/ptfull.XXXXXX)
if ! mount -t tmpfs -o size=128k tmpfs "$mnt" 2>/dev/null; then
  rmdir "$mnt"
  echo "cannot mount a small file system here: skipped"
  exit 77
fi
trap 'umount "$mnt"; rmdir "$mnt"' EXIT
PRISMATONE_FULL_DISK="Z:${mnt//\//\\}" "$(dirname "$0")/../../scripts/wine-run.sh" "$kind" "$exe" --gtest_filter='DiskFull.*'
