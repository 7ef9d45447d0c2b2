#!/usr/bin/env bash
# The main job: builds what the setup program needs (build.sh --program) and starts its window
# under Wine (64-bit prefix). With a display it runs there; without one it runs on a private Xvfb,
# writes a screenshot to build/screenshot.png once the window has painted and closes the window.
# The prefix boots while the program builds: where 32-bit code is emulated that takes minutes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${PRISMATONE_PREFIX:-win64}
"$root/scripts/bootstrap.sh" --program --packages
source "$root/scripts/wine-env.sh"
mode=$(host_i386_mode)
own_display=
if ! { [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; }; then
  ensure_display
  own_display=1
  trap 'wineserver -k 2>/dev/null || true; sleep 0.5; stop_display' EXIT
fi
boot=
if [ "$mode" != none ]; then
  mkdir -p "$root/build/wine"
  (wine_prefix "$kind") >"$root/build/wine/boot-$kind.log" 2>&1 &
  boot=$!
fi
"$root/scripts/build.sh" --program
exe="$root/build/win32/setup/PrismatoneSetup.exe"
case $mode in
  none) echo "run: this host cannot execute the 32-bit setup program (see the host line above)" >&2; exit 1 ;;
  emulated) echo "run: 32-bit code is emulated on this host; the window takes a minute or more to appear" >&2 ;;
esac
wait "$boot" || { echo "run: the $kind prefix did not boot (build/wine/boot-$kind.log)" >&2; exit 1; }
wine_prefix "$kind"
loader=$(wine_loader "$exe")
[ -n "$own_display" ] || exec "$loader" "$exe"

"$loader" "$exe" &
wine_slowness
win=
window_shown() { win=$(xdotool search --name '^Prismatone setup$' 2>/dev/null | head -n1); [ -n "$win" ]; }
if wait_until 30 window_shown; then
  eval "$(xdotool getwindowgeometry --shell "$win")"
  screen_settled "${WIDTH}x$HEIGHT+$X+$Y" >/dev/null || echo "run: the window was still changing when the screenshot was taken" >&2
else
  echo "run: no window appeared" >&2
fi
import -window root "$root/build/screenshot.png"
echo "screenshot: $root/build/screenshot.png"
