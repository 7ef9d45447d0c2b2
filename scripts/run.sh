#!/usr/bin/env bash
# The main job: builds what is missing and starts the setup window under Wine (64-bit prefix).
# With a display it runs there; without one it runs on a private Xvfb, writes a screenshot to
# build/screenshot.png after a few seconds and closes the window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
exe="$root/build/win32/setup/PrismatoneSetup.exe"
wine_prefix "${PRISMATONE_PREFIX:-win64}"
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec wine "$exe"
fi
ensure_display
trap 'wineserver -k 2>/dev/null || true; sleep 0.5; stop_display' EXIT
wine "$exe" &
for i in $(seq 100); do
  xdotool search --name '^Prismatone setup$' >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 2
import -window root "$root/build/screenshot.png"
echo "screenshot: $root/build/screenshot.png"
