#!/usr/bin/env bash
# screenshot.sh GALLERY_EXE OUTDIR: the Windows gallery GALLERY_EXE paints its tiles into
# OUTDIR/gallery, then shows BUTTON state 1 painted by PaintSectionToDC in a window of the plain
# colour; the window is captured from the X server (import -window) and the button's pixels must
# equal the tile BUTTON_75x25_s1_col.png exactly (colour only: the screen has no alpha). Only the
# painted item is compared, never text.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
exe=$1
out=$2
source "$root/scripts/wine-env.sh"
source "$root/tests/e2e/setup_window_lib.sh"  # fail, wait_for_window
[ -f "$exe" ] || fail "no gallery at $exe"

# The suite's display (or a new one when there is none). A private server would do no good:
# the prefix's desktop process stays on the display it first met and loses it when a private one
# ends. The test runs alone instead (RUN_SERIAL), its window topmost.
pid=
cleanup() {
  touch "$out/done" 2>/dev/null || true
  [ -z "$pid" ] || wait "$pid" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT
ensure_display
wine_prefix win64

rm -rf "$out"
mkdir -p "$out"
wine "$exe" "Z:$out/gallery" >"$out/gallery.log" || { cat "$out/gallery.log"; fail "the gallery failed"; }
tile=$out/gallery/BUTTON_75x25_s1_col.png
[ -f "$tile" ] || fail "the gallery wrote no $tile"

wine "$exe" --window "Z:$out/done" &
pid=$!
wait_for_window 'Prismatone skin gallery'
eval "$(xdotool getwindowgeometry --shell "$win")"
screen_settled "${WIDTH}x$HEIGHT+$X+$Y" >/dev/null || fail "the gallery's window does not come to rest"
import -window "$win" "$out/window.png"
touch "$out/done"
wait "$pid" || fail "the window's process ended with an error"
pid=

# Layout of the window (GalleryPlatform.h): 115 × 65, the button at (20, 20).
size=$(identify -format '%wx%h' "$out/window.png")
[ "$size" = 115x65 ] || fail "the captured window is $size, not 115x65"
# The plain colour 0x00A08040 (0x00BBGGRR) around the button proves the capture shows our window.
ground=$(convert "$out/window.png" -format '%[hex:p{5,5}]' info:)
[ "$ground" = 4080A0 ] || fail "the window's ground is #$ground, not the plain colour #4080A0"
convert "$out/window.png" -crop 75x25+20+20 +repage -alpha off "$out/button.png"
convert "$tile" -alpha off "$out/tile.png"
differing=$(compare -metric AE "$out/button.png" "$out/tile.png" "$out/difference.png" 2>&1 || true)
if [ "$differing" != 0 ]; then
  echo "the button on screen differs from $tile in $differing pixels; first ones (x,y: screen / tile):" >&2
  diff <(convert "$out/button.png" txt:- | tail -n +2) <(convert "$out/tile.png" txt:- | tail -n +2) | head -n 6 >&2 || true
  fail "screen and tile differ"
fi
echo "screenshot.sh: the button on screen equals $tile (75x25 pixels)"
