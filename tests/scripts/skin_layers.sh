#!/usr/bin/env bash
# skin_layers.sh [ROOT]: fails when a file of the skin engine includes a header of a higher layer,
# or a CMake target of the engine links one defined in a higher layer. Each layer may use its own
# and every lower one; the rest of the program sits below the engine (its bottom modules) or
# above it (the setup).
set -uo pipefail
root=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$root" || exit 2

# The layers, from the bottom: "folder layer", each folder once. A path's folder is skin/<part>
# inside the engine and its top folder elsewhere.
layers='
imaging 0
framework 0
platform 0
skin/base 1
skin/data 2
skin/internal 2
skin/paint 3
skin/frame 4
skin/controls 5
setup 6
payloads 6
tools 6
bench 6
tests 6'

# Every include of a skin file ("file<TAB>header"), and every link of an engine target
# ("CMakeLists<TAB>target<TAB>folder<TAB>linked"), then one awk judging both by the table above.
includes() {
  grep -rH --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' skin |
    sed 's/^\([^:]*\):.*include[[:space:]]*"\([^"]*\)".*/\1\t\2/'
}
links() {
  local list
  for list in skin/*/CMakeLists.txt; do
    # Continuation lines joined, one target_link_libraries(NAME [PUBLIC|PRIVATE] libs…) a line.
    tr '\n' ' ' <"$list" | grep -o 'target_link_libraries([^)]*)' |
      sed 's/target_link_libraries(//; s/)//' | awk -v list="$list" '{ for (i = 2; i <= NF; i++) print list "\t" $1 "\t" $i }'
    sed -n 's/^[[:space:]]*add_library(\([A-Za-z0-9_]*\).*/\1/p' "$list" | awk -v list="$list" '{ print "defines\t" list "\t" $1 }'
  done
}
{ includes | sed 's/^/include\t/'; links | sed '/^defines/!s/^/link\t/'; } | awk -F'\t' -v layers="$layers" '
  function folder(path,   parts) {
    split(path, parts, "/")
    return parts[1] == "skin" ? parts[1] "/" parts[2] : parts[1]
  }
  BEGIN {
    n = split(layers, rows, "\n")
    for (i = 1; i <= n; i++) if (split(rows[i], f, " ") == 2) layer[f[1]] = f[2]
  }
  $1 == "include" {
    from = folder($2); to = folder($3)
    if (to in layer && from in layer && layer[to] > layer[from]) { print "layer fault: " $2 " includes " $3; faults++ }
    next
  }
  $1 == "defines" { sub(/\/CMakeLists.txt$/, "", $2); target[$3] = layer[folder($2)]; next }
  $1 == "link" { pending[++links] = $2 "\t" $3 "\t" $4 }
  END {
    for (i = 1; i <= links; i++) {
      split(pending[i], l, "\t")
      if ((l[3] in target) && (l[2] in target) && target[l[3]] > target[l[2]]) {
        print "layer fault: " l[1] ": " l[2] " links " l[3]; faults++
      }
    }
    if (faults) { print faults " include(s) or link(s) run upward in the skin engine"; exit 1 }
    print "skin layers: no include or link runs upward"
  }' >&2
