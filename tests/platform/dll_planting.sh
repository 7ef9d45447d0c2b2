#!/usr/bin/env bash
# Plants libraries named like system ones beside a program in the Wine prefix, with Wine told to
# prefer a planted copy of each (n,b: how Windows treats libraries outside its known set), and
# checks who loads them: an unprotected program does (the control case); the protected probe, the
# real setup program and the real uninstaller load none but those the system's own start-up loads
# before a program's first line, which the test names. The setup's window is then closed by its
# frame's close button, which must end the program; the uninstaller, finding no install of its
# own, shows its refusal, which a click on its button closes (exit code 3).
#   dll_planting.sh win64|win32 planted.dll library_probe.exe PrismatoneSetup.exe Prismatone_uninstall.exe
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
source "$(dirname "$0")/../e2e/setup_window_lib.sh"  # start_setup, close_by_caption
source "$(dirname "$0")/../e2e/uninstall_lib.sh"     # wait_for_box
kind=$1 planted=$2 probe=$3 setup=$4 uninstaller=$5
wine_prefix "$kind"
ensure_display
dir="$WINEPREFIX/drive_c/planting-test"
pid=
upid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null; [ -z "$upid" ] || kill "$upid" 2>/dev/null; rm -rf "$dir"; stop_display' EXIT
names=(msimg32.dll uxtheme.dll dwmapi.dll version.dll winmm.dll cryptbase.dll userenv.dll setupapi.dll
       propsys.dll oleacc.dll clbcatq.dll apphelp.dll ntmarta.dll comctl32.dll)
overrides=$(printf '%s,' "${names[@]%.dll}")
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES},${overrides%,}=n,b"

# Each run has a folder of its own, so that all five run at once: where 32-bit code is emulated
# each start takes about a minute, most of it in the emulator.
plant() { # folder
  mkdir -p "$1"
  for n in "${names[@]}"; do cp "$planted" "$1/$n"; done
  cp "$probe" "$1/probe.exe"
  cp "$setup" "$1/setup.exe"
  cp "$uninstaller" "$1/Prismatone_uninstall.exe"
}
loaded_markers() { find "$dir/$1" -name '*.loaded' -printf '%f\n' 2>/dev/null | sed 's/\.loaded$//' | sort; }
# markers_beyond RUN ALLOWED: the markers of RUN not in the ALLOWED list (one name a line).
markers_beyond() { comm -23 <(loaded_markers "$1") <(echo "$2" | sort); }

rm -rf "$dir"
for run in nothing unprotected protected setup uninstall; do plant "$dir/$run"; done
# nothing: a program that returns at once shows what the system's own start-up loads before a
# program's first line; unprotected: a program that loads by bare name (the control case);
# protected: the same libraries loaded the protected way. Exit codes in <run>.rc.
probes=()
for run in nothing unprotected protected; do
  (cd "$dir/$run" && { rc=0; wine probe.exe "$run" || rc=$?; echo $rc >"$dir/$run.rc"; }) &
  probes+=($!)
done
# The uninstaller as the list of installed programs would start it, from a planted folder that
# is no install: it refuses in a message box, which stays until the end below.
(cd "$dir/uninstall" && { rc=0; wine Prismatone_uninstall.exe || rc=$?; echo $rc >"$dir/uninstall.rc"; }) &
upid=$!

# The setup program itself, started from a planted folder, showing its window; the close button
# at the right end of its caption ends it (setup_e2e.sh finishes through the install instead).
cd "$dir/setup"
start_setup setup.exe
close_by_caption
cd - >/dev/null
# The uninstaller's refusal, closed by a click on its one button, in the middle of the box near
# its bottom edge: no window manager runs here to give the box the focus a key press would need.
shots=$dir boxes=0
wait_for_box
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 23)) click 1
uninstaller_ended() { ! kill -0 "$upid" 2>/dev/null; }
wait_until 30 uninstaller_ended || fail "the uninstaller's message box did not close on a click on its button"
wait "${probes[@]}" "$upid"
upid=
wineserver -k 2>/dev/null || true

early=$(loaded_markers nothing)
echo "loaded before the program's first line: $(echo ${early:-none})"
[ -n "$(markers_beyond unprotected "$early")" ] || fail "control case: the unprotected program loaded no planted library, so the test proves nothing"
echo "control: unprotected program loaded: $(echo $(loaded_markers unprotected))"
[ -z "$(markers_beyond protected "$early")" ] || fail "protected probe loaded planted: $(echo $(markers_beyond protected "$early"))"
[ "$(cat "$dir/protected.rc")" -ge 1 ] || fail "protected probe loaded no system library at all"
[ -z "$(markers_beyond setup "$early")" ] || fail "the setup loaded planted: $(echo $(markers_beyond setup "$early"))"
[ -z "$(markers_beyond uninstall "$early")" ] || fail "the uninstaller loaded planted: $(echo $(markers_beyond uninstall "$early"))"
[ "$(cat "$dir/uninstall.rc")" = 3 ] || fail "the uninstaller ended with $(cat "$dir/uninstall.rc"), not 3 (refused)"
echo "ok: neither the protected probe, the setup nor the uninstaller loaded a planted library after its first line; the close button ended the setup"
