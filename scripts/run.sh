#!/usr/bin/env bash
# The main job: builds what is missing and starts the setup window under Wine (64-bit prefix).
# With a display it runs there; without one it runs on a private Xvfb, writes a screenshot to
# build/screenshot.png once the window has painted and closes the window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
exe="$root/build/win32/setup/PrismatoneSetup.exe"
case $(host_i386_mode) in
  none) echo "run: this host cannot execute the 32-bit setup program (see the host line above)" >&2; exit 1 ;;
  emulated) echo "run: 32-bit code is emulated on this host; the window takes a minute or more to appear" >&2 ;;
esac
wine_prefix "${PRISMATONE_PREFIX:-win64}"
loader=$(wine_loader "$exe")
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$loader" "$exe"
fi
ensure_display
trap 'wineserver -k 2>/dev/null || true; sleep 0.5; stop_display' EXIT
"$loader" "$exe" &
wine_slowness
wait_until 30 xdotool search --name '^Prismatone setup$' >/dev/null 2>&1 || echo "run: no window appeared" >&2
settle 2
import -window root "$root/build/screenshot.png"
echo "screenshot: $root/build/screenshot.png"
