#!/usr/bin/env bash
# build.sh [--program]: builds the trees under build/ (scripts/lib/trees.sh): native (host tools
# and portable modules), win64 (64-bit pieces) and win32 (the setup program and its tests). Only
# what changed is rebuilt; what another clone compiled comes from the compiler cache.
#   --program  only the setup program: the host tools that make its resources, the x86-64
#              thumbnail library and the 32-bit program with the files it carries (scripts/run.sh)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib/trees.sh"
case ${1:-} in
  --program)
    "$root/scripts/bootstrap.sh" --program
    export PRISMATONE_PROGRAM_ONLY=1
    build_tree native host_tools
    build_tree win64 PTThumbnail64
    build_tree win32 PrismatoneSetup
    ;;
  "")
    "$root/scripts/bootstrap.sh"
    build_tree native
    build_tree win64
    build_tree win32
    ;;
  *) echo "usage: build.sh [--program]" >&2; exit 2 ;;
esac
