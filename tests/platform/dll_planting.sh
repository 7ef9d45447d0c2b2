#!/usr/bin/env bash
# Plants libraries named like system ones beside a program in the Wine prefix and checks who
# loads them: an unprotected program does (the control case), the protected probe and the real
# setup program never do.
#   dll_planting.sh win64|win32 planted.dll library_probe.exe PrismatoneSetup.exe
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
kind=$1 planted=$2 probe=$3 setup=$4
wine_prefix "$kind"
ensure_display
dir="$WINEPREFIX/drive_c/planting-test"
trap 'rm -rf "$dir"; stop_display' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
names=(msimg32.dll uxtheme.dll dwmapi.dll version.dll)

plant() {
  rm -rf "$dir"; mkdir -p "$dir"
  for n in "${names[@]}"; do cp "$planted" "$dir/$n"; done
  cp "$probe" "$dir/probe.exe"
  cp "$setup" "$dir/setup.exe"
}
loaded_markers() { find "$dir" -name '*.loaded' -printf '%f ' 2>/dev/null; }

# Control: a program that loads by bare name picks the planted libraries up.
plant
(cd "$dir" && WINEDLLOVERRIDES="${WINEDLLOVERRIDES},msimg32,uxtheme,dwmapi,version=n,b" wine probe.exe unprotected) || true
[ -n "$(loaded_markers)" ] || fail "control case: the unprotected program loaded no planted library, so the test proves nothing"
echo "control: unprotected program loaded: $(loaded_markers)"

# The protected probe: same libraries, none planted one loaded.
plant
set +e
(cd "$dir" && WINEDLLOVERRIDES="${WINEDLLOVERRIDES},msimg32,uxtheme,dwmapi,version=n,b" wine probe.exe protected)
got=$?
set -e
[ -z "$(loaded_markers)" ] || fail "protected probe loaded planted: $(loaded_markers)"
[ "$got" -ge 1 ] || fail "protected probe loaded no system library at all"

# The setup program itself, started from the planted folder, showing its window.
plant
(cd "$dir" && WINEDLLOVERRIDES="${WINEDLLOVERRIDES},msimg32,uxtheme,dwmapi,version=n,b" exec "$(wine_loader setup.exe)" setup.exe) &
pid=$!
wait_until 30 xdotool search --name '^Prismatone setup$' >/dev/null 2>&1 || true
settle 1
kill "$pid" 2>/dev/null || true
wineserver -k 2>/dev/null || true
[ -z "$(loaded_markers)" ] || fail "the setup loaded planted: $(loaded_markers)"
echo "ok: neither the protected probe nor the setup loaded a planted library"
