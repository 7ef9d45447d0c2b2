#!/usr/bin/env bash
# The start-up and install speed of our setup against a plain installer of the same files built
# with NSIS (peer.nsi), in one run under Wine in the 64-bit prefix, kept running throughout:
#   - process start to its first window on screen (median of 5, the window list polled every
#     5 ms): ours against the peer's first page;
#   - a whole install (median of 5): ours from its start, driven by clicks (install, then the
#     finish button, until the process ends), against the peer's silent install (/S) until it
#     ends. The peer is timed twice: laying the files only, and doing the same steps as ours after
#     them (shortcuts, Uninstall entry, registration, file types). The peer doing the same steps
#     is also driven through its pages (Enter, Enter): the silent peer shows no window at all, so
#     the silent ratios also hold our whole start-up.
# With PRISMATONE_PEER_BEFORE naming another build of ours (an earlier commit's, of the same
# bitness as the one timed), its start-up is timed in the same run too, so that a change's cost
# is measured against the same peer on the same machine state.
# Prints each figure and the ratio ours / peer (target: 1.0 or less). A benchmark, not a test:
# scripts/test.sh does not run it. Where 32-bit code is emulated the 32-bit figures would
# measure the emulator, so it says so and prints no 32-bit ratio; it times x86-64 builds of both
# installers instead (ours: PrismatoneSetup64.exe with the same payloads; the peer: NSIS's
# amd64-unicode target), which run natively, and labels those figures as such.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
"$root/scripts/build.sh" >/dev/null
command -v makensis >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends nsis >/dev/null
source "$root/scripts/wine-env.sh"
source "$root/tests/e2e/setup_window_lib.sh"  # remove_install
mkdir -p "$root/build/bench"
build_peer() { # OUT [extra makensis defines]
  local out=$1; shift
  makensis -V1 "$@" -DOUT="$out" -DPAYLOADS="$root/build/win32/payloads" -DPAYLOADS64="$root/build/win64/payloads" \
    "$root/bench/peer/peer.nsi"
}
mode=$(host_i386_mode)
if [ "$mode" = native ]; then
  ours="$root/build/win32/setup/PrismatoneSetup.exe" peer="$root/build/bench/peer.exe" peer_steps="$root/build/bench/peer-steps.exe"
  build_peer "$peer"
  build_peer "$peer_steps" -DSTEPS
  label="" folder_rel="Program Files (x86)/Prismatone"
else
  echo "peer benchmark: this host runs 32-bit code $mode, so no 32-bit ratio is printed (it would time the emulator); timing x86-64 builds of both installers instead"
  cmake -S "$root" -B "$root/build/win64" -DPRISMATONE_WIN32_BUILD="$root/build/win32" >/dev/null
  cmake --build "$root/build/win64" --target PrismatoneSetup64 >/dev/null
  ours="$root/build/win64/setup/PrismatoneSetup64.exe" peer="$root/build/bench/peer64.exe" peer_steps="$root/build/bench/peer64-steps.exe"
  build_peer "$peer" -DX64
  build_peer "$peer_steps" -DX64 -DSTEPS
  label=" (x86-64 builds)" folder_rel="Program Files/Prismatone"  # the native program folder
fi
# Both builds lay the 64-bit thumbnail extension into the 32-bit system folder, as on 64-bit Windows.
thumb_name=PTThumbnail64.dll
wine_prefix win64
ensure_display
# A running Windows, as a user's is: the prefix's server, services and desktop stay up for the
# whole run (a console program waiting on its input keeps them), so each figure is the program's
# own start and not the prefix's boot.
# It ends when this script does and the pipe it reads from closes.
exec 9> >(wine cmd.exe >/dev/null 2>&1)
trap 'exec 9>&-; wineserver -k 2>/dev/null || true; stop_display' EXIT
c="$WINEPREFIX/drive_c"
folder="$c/$folder_rel" sysdir="$c/windows/syswow64" thumb="$c/windows/syswow64/$thumb_name"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
# poll LIMIT_MS WHAT COMMAND...: runs COMMAND every 5 ms until it succeeds; after LIMIT_MS it
# says what it waited for and fails, which ends the benchmark instead of hanging it.
poll() {
  local end=$(($(now_ms) + $1)) what=$2
  shift 2
  until "$@"; do
    [ "$(now_ms)" -lt "$end" ] || { echo "peer benchmark: gave up waiting for $what" >&2; return 1; }
    sleep 0.005
  done
}
# No installer and nothing it started (the registration of the thumbnail extension) still runs.
quiet() { ! pgrep -fi 'PrismatoneSetup|peer(64)?(-steps)?\.exe|regsvr32' >/dev/null; }
# The extension's registration, where it runs through an emulator, takes a minute and is no part
# of any figure: it is ended as soon as it appears (the silent peer ends before its command
# interpreter has started it). On a host with nothing emulated there is nothing to end.
settled() {
  pkill -f 'qemu-i386.*regsvr32' 2>/dev/null || true
  quiet
}
clean_install() {
  poll 600000 "the installers' processes to end" settled || exit 1
  remove_install "$folder" "$sysdir" "$thumb_name"
  wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Prismatone' /reg:64 /f >/dev/null 2>&1 || true
}
# A visible window whose title starts with TITLE: the peer's first page is titled
# "<caption>: <page name>", ours is just its caption.
visible_window() { xdotool search --onlyvisible --name "^$1" >/dev/null 2>&1; }
# first_window EXE TITLE: milliseconds from the start of EXE to its visible window TITLE.
first_window() {
  local start pid ms
  poll 600000 "the last program to end" quiet || exit 1
  start=$(now_ms)
  "$(wine_loader "$1")" "$1" & pid=$!
  poll 120000 "a window titled '$2'" visible_window "$2" || exit 1
  ms=$(($(now_ms) - start))
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$ms"
}
# drive PID WHO COMMAND...: runs COMMAND every 20 ms until the process PID ends (10 minutes at
# most), then checks that WHO installed.
drive() {
  local pid=$1 who=$2 end=$(($(now_ms) + 600000))
  shift 2
  while kill -0 "$pid" 2>/dev/null; do
    [ "$(now_ms)" -lt "$end" ] || { echo "peer benchmark: $who did not finish" >&2; exit 1; }
    "$@"
    sleep 0.02
  done
  installed "$who"
}
installed() { [ -f "$thumb" ] || { echo "peer benchmark: $1 ended without installing" >&2; exit 1; }; }
# Where the install button lies in our window, from its top left corner (the frame's border is
# measured once, outside the figures): one xdotool call per click then finds the window and
# clicks, so no extra process call is charged to our figure.
button_offset() {
  local pid win
  "$(wine_loader "$ours")" "$ours" & pid=$!
  poll 120000 "the setup window" visible_window 'Prismatone setup' || exit 1
  win=$(xdotool search --onlyvisible --name '^Prismatone setup' | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$win")"
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  local border=$(((WIDTH - 680) / 2))
  echo "$((border + 634)) $((HEIGHT - 495 - border + 482))"
}
# Our whole install: start, then the install button clicked as soon as the window is there and
# until the finish button, which takes its place, ends the program (clicks on the disabled button
# while it installs do nothing).
click_install() {
  xdotool search --onlyvisible --name '^Prismatone setup' mousemove --window %1 "$1" "$2" click 1 >/dev/null 2>&1 || true
}
install_ours() {
  local start pid
  start=$(now_ms)
  "$(wine_loader "$ours")" "$ours" & pid=$!
  drive "$pid" "our setup" click_install $offset
  echo $(($(now_ms) - start))
}
install_peer() { # EXE
  local start
  start=$(now_ms)
  "$(wine_loader "$1")" "$1" /S
  installed "the peer"
  echo $(($(now_ms) - start))
}
# The peer driven through its pages as ours is, for a like-for-like figure beside the silent one:
# Enter on its first page installs, Enter on its last page closes it.
install_peer_driven() {
  local start pid
  start=$(now_ms)
  "$(wine_loader "$peer_steps")" "$peer_steps" & pid=$!
  poll 120000 "the peer's first page" visible_window 'Peer installer' || exit 1
  drive "$pid" "the peer" xdotool key Return
  echo $(($(now_ms) - start))
}

# The desktop process starts with the first window of the run: not part of either figure.
first_window "$peer" 'Peer installer' >/dev/null
clean_install
offset=$(button_offset)
ours_start=$(for _ in 1 2 3 4 5; do first_window "$ours" 'Prismatone setup'; done | median)
peer_start=$(for _ in 1 2 3 4 5; do first_window "$peer" 'Peer installer'; done | median)
before=${PRISMATONE_PEER_BEFORE:-}
[ -z "$before" ] || before_start=$(for _ in 1 2 3 4 5; do first_window "$before" 'Prismatone setup'; done | median)
ours_install=$(for _ in 1 2 3 4 5; do install_ours; clean_install; done | median)
peer_files=$(for _ in 1 2 3 4 5; do install_peer "$peer"; clean_install; done | median)
peer_steps_silent=$(for _ in 1 2 3 4 5; do install_peer "$peer_steps"; clean_install; done | median)
peer_driven=$(for _ in 1 2 3 4 5; do install_peer_driven; clean_install; done | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf 'start-up to first window%s: ours %d ms, peer %d ms, ratio %s (target <= 1.0)\n' "$label" "$ours_start" "$peer_start" "$(ratio "$ours_start" "$peer_start")"
[ -z "$before" ] || printf '  the earlier build (%s): %d ms, ratio %s\n' "$before" "$before_start" "$(ratio "$before_start" "$peer_start")"
printf 'whole install%s:            ours %d ms\n' "$label" "$ours_install"
printf '  the peer silent, laying the files only:        %d ms, ratio %s (target <= 1.0)\n' "$peer_files" "$(ratio "$ours_install" "$peer_files")"
printf '  the peer silent, doing the same steps as ours: %d ms, ratio %s (target <= 1.0)\n' "$peer_steps_silent" "$(ratio "$ours_install" "$peer_steps_silent")"
printf '  the peer doing the same steps, driven through its pages as ours is: %d ms, ratio %s\n' "$peer_driven" "$(ratio "$ours_install" "$peer_driven")"
