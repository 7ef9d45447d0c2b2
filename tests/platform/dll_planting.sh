#!/usr/bin/env bash
# Plants libraries named like system ones beside a program in the Wine prefix, with Wine told to
# prefer a planted copy of each (n,b: how Windows treats libraries outside its known set), and
# checks who loads them: an unprotected program does (the control case); the protected probe and
# the real setup program load none but those the system's own start-up loads before a program's
# first line, which the test names.
#   dll_planting.sh win64|win32 planted.dll library_probe.exe PrismatoneSetup.exe
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
kind=$1 planted=$2 probe=$3 setup=$4
wine_prefix "$kind"
ensure_display
dir="$WINEPREFIX/drive_c/planting-test"
trap 'rm -rf "$dir"; stop_display' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
names=(msimg32.dll uxtheme.dll dwmapi.dll version.dll winmm.dll cryptbase.dll userenv.dll setupapi.dll
       propsys.dll oleacc.dll clbcatq.dll apphelp.dll ntmarta.dll comctl32.dll)
overrides=$(printf '%s,' "${names[@]%.dll}")
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES},${overrides%,}=n,b"

plant() {
  rm -rf "$dir"; mkdir -p "$dir"
  for n in "${names[@]}"; do cp "$planted" "$dir/$n"; done
  cp "$probe" "$dir/probe.exe"
  cp "$setup" "$dir/setup.exe"
}
loaded_markers() { find "$dir" -name '*.loaded' -printf '%f\n' 2>/dev/null | sed 's/\.loaded$//' | sort; }
# markers_beyond ALLOWED: the markers not in the ALLOWED list (one name a line).
markers_beyond() { comm -23 <(loaded_markers) <(echo "$1" | sort); }

# What the system's own start-up loads before a program's first line: a program that returns at once.
plant
(cd "$dir" && wine probe.exe nothing) || true
early=$(loaded_markers)
echo "loaded before the program's first line: $(echo ${early:-none})"

# Control: a program that loads by bare name picks the planted libraries up.
plant
(cd "$dir" && wine probe.exe unprotected) || true
[ -n "$(markers_beyond "$early")" ] || fail "control case: the unprotected program loaded no planted library, so the test proves nothing"
echo "control: unprotected program loaded: $(echo $(loaded_markers))"

# The protected probe: same libraries, none planted one loaded after its first line.
plant
set +e
(cd "$dir" && wine probe.exe protected)
got=$?
set -e
[ -z "$(markers_beyond "$early")" ] || fail "protected probe loaded planted: $(echo $(markers_beyond "$early"))"
[ "$got" -ge 1 ] || fail "protected probe loaded no system library at all"

# The setup program itself, started from the planted folder, showing its window.
plant
(cd "$dir" && exec "$(wine_loader setup.exe)" setup.exe) &
pid=$!
wait_until 30 xdotool search --name '^Prismatone setup$' >/dev/null 2>&1 || fail "the setup showed no window"
settle 1
kill "$pid" 2>/dev/null || true
wineserver -k 2>/dev/null || true
[ -z "$(markers_beyond "$early")" ] || fail "the setup loaded planted: $(echo $(markers_beyond "$early"))"
echo "ok: neither the protected probe nor the setup loaded a planted library after its first line"
