#!/usr/bin/env bash
# uninstall_tests.sh win64|win32 uninstall_tests.exe: runs the uninstaller's tests with one more
# drive letter in the prefix whose root is the Windows folder, as a drive substituted for a
# folder would be: a spelling of system folders that no comparison of paths sees through, only
# one of identities. Its letter is given to the tests in PRISMATONE_WINDOWS_DRIVE and taken away
# again at the end.
set -uo pipefail
kind=$1 exe=$2
source "$(dirname "$0")/../../scripts/wine-env.sh"
wine_prefix "$kind"
drive=
for letter in w v u t s r q p; do
  [ -e "$WINEPREFIX/dosdevices/$letter:" ] || [ -L "$WINEPREFIX/dosdevices/$letter:" ] || { drive=$letter; break; }
done
if [ -n "$drive" ] && ln -s ../drive_c/windows "$WINEPREFIX/dosdevices/$drive:"; then
  trap 'rm -f "$WINEPREFIX/dosdevices/$drive:"' EXIT
  export PRISMATONE_WINDOWS_DRIVE="${drive^^}:"
else
  echo "uninstall_tests.sh: no free drive letter in the prefix; the test of a drive that is the Windows folder skips"
fi
"$(dirname "$0")/../../scripts/wine-run.sh" "$kind" "$exe"
