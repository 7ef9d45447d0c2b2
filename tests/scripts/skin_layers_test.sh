#!/usr/bin/env bash
# The layer check over the engine as it stands, and over a copy with one upward include and one
# upward link planted, which it must name.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
source "$here/checks.sh"

check "the engine's includes and links run downward" "$here/skin_layers.sh" "$root"

cp -a "$root/skin" "$work/"
echo '#include "skin/paint/sCommonData.h"' >>"$work/skin/data/sSkinIni.h"
sed -i 's/^\(target_link_libraries(skin_item PUBLIC .*\))$/\1 skin_controls)/' "$work/skin/paint/CMakeLists.txt"
"$here/skin_layers.sh" "$work" 2>"$work/faults.txt" >/dev/null
check "a planted upward include and link fail the check" test $? = 1
check "the upward include is named" grep -q 'skin/data/sSkinIni.h includes skin/paint/sCommonData.h' "$work/faults.txt"
check "the upward link is named" grep -q 'skin_item links skin_controls' "$work/faults.txt"
checks_done
