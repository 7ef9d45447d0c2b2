#!/usr/bin/env bash
# Starts the setup program, finds its window on the X display, checks what it shows in a
# screenshot, then closes it with the frame's close command and checks that the process ends.
#   setup_window.sh win64|win32 PrismatoneSetup.exe screenshot.png
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
source "$(dirname "$0")/setup_window_lib.sh"
kind=$1 exe=$2 shot=$3
wine_prefix "$kind"
ensure_display
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  stop_display
}
trap cleanup EXIT

start_setup "$exe"
import -window root "$shot"
pixel() { convert "$shot" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$1+$2" info:; }
mean() { convert "$shot" -crop "$3x$4+$1+$2" -format "%[fx:int(255*mean.r)],%[fx:int(255*mean.g)],%[fx:int(255*mean.b)]" info:; }

# The banner fills the left 200 pixels: a dark blue picture, not the cream window colour.
banner=$(mean $((cx + 20)) $((cy + 150)) 160 200)
IFS=, read -r r g b <<<"$banner"
[ "$b" -gt "$r" ] && [ "$r" -lt 120 ] || fail "banner area looks like $banner, not the blue banner"
# The cream window colour behind the labels (0xF0FBFF is R 255, G 251, B 240).
IFS=, read -r r g b <<<"$(pixel $((cx + 660)) $((cy + 70)))"
[ "$r" -ge 250 ] && [ "$g" -ge 245 ] && [ "$b" -ge 230 ] && [ "$b" -le 245 ] || fail "window colour is $r,$g,$b, not cream"
# The welcome line (sLabelFX1 at 206, 8; its text 5 pixels further in) glows aqua: left of the
# text, where only the glow reaches, green and blue stand well above red (cream has less blue).
glow=$(convert "$shot" -crop "5x20+$((cx + 206))+$((cy + 10))" txt:- |
  awk 'NR > 1 { gsub(/[()]/, "", $2); split($2, p, ","); d = (p[2] < p[3] ? p[2] : p[3]) - p[1]; if (d > m) m = d } END { print m + 0 }')
[ "$glow" -ge 40 ] || fail "no aqua glow beside the welcome line (green and blue over red at most $glow)"
# The log memo's black background.
IFS=, read -r r g b <<<"$(mean $((cx + 220)) $((cy + 250)) 400 150)"
[ "$r" -le 10 ] && [ "$g" -le 10 ] && [ "$b" -le 10 ] || fail "memo is $r,$g,$b, not black"

# The browse button "..." (613, 110, 23 × 22) opens the platform's folder dialog; Escape
# cancels it and the window goes on.
before=$(xdotool search --onlyvisible --name '.' 2>/dev/null | sort)
rest=$(area_sum 613 110 23 22)
xdotool mousemove $(( cx + 624 )) $(( cy + 121 ))
settle 1
[ "$(area_sum 613 110 23 22)" != "$rest" ] || fail "the browse button looks the same under the pointer"
click_client 624 121
dialog=
dialog_shown() {
  dialog=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name '.' 2>/dev/null | sort) | head -n1)
  [ -n "$dialog" ]
}
dialog_closed() { ! xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$dialog"; }
wait_until 10 dialog_shown || fail "the browse button opened no dialog"
echo "folder dialog: $(xdotool getwindowname "$dialog")"
settle 0.5
xdotool key Escape
wait_until 10 dialog_closed || fail "Escape did not close the folder dialog"
kill -0 "$pid" 2>/dev/null || fail "the program ended with the folder dialog"

# The close button at the right end of the caption ends the program.
caption=$(( cy - Y - border ))
xdotool mousemove $(( X + WIDTH - border - caption / 2 - 2 )) $(( Y + border + caption / 2 )) click 1
wait_for_exit || fail "the program did not end after the window was closed"
echo "setup window ok ($kind): ${WIDTH}x${HEIGHT} at $X,$Y"
