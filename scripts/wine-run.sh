#!/usr/bin/env bash
# wine-run.sh win64|win32 program.exe [args...]: runs a Windows program in one of our prefixes,
# on the current display or on a private Xvfb, and returns the program's exit code.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
kind=$1; shift
wine_prefix "$kind"
ensure_display
trap stop_display EXIT
export PRISMATONE_WINE_KIND=$kind
set +e
wine "$@"
rc=$?
exit $rc
