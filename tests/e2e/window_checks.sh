# Sourced by setup_e2e.sh: what the setup window shows before the install, checked on the screen.
# Needs the window started by start_setup (setup_window_lib.sh).

# check_first_look SHOT: the window as it first shows, in the screenshot SHOT.
check_first_look() {
  local shot=$1 banner glow r g b
  pixel() { convert "$shot" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$1+$2" info:; }
  mean() { convert "$shot" -crop "$3x$4+$1+$2" -format "%[fx:int(255*mean.r)],%[fx:int(255*mean.g)],%[fx:int(255*mean.b)]" info:; }
  # The banner fills the left 200 pixels: a dark blue picture, not the cream window colour.
  banner=$(mean $((cx + 20)) $((cy + 150)) 160 200)
  IFS=, read -r r g b <<<"$banner"
  [ "$b" -gt "$r" ] && [ "$r" -lt 120 ] || fail "banner area looks like $banner, not the blue banner"
  # Behind the labels the client shows the skin's form colour (dark blue-violet), not the
  # window's own cream (0xF0FBFF) that an unskinned window shows.
  IFS=, read -r r g b <<<"$(pixel $((cx + 660)) $((cy + 70)))"
  [ "$r" -le 80 ] && [ "$b" -gt "$r" ] || fail "window colour is $r,$g,$b, not the skin's form colour"
  # The frame is the skin's: the title right of its text is dark violet, never the system's caption
  # blue; the top-left corner pixel is cut out of the window (it shows the screen behind, as the
  # screen's far corner does).
  title_look=$(pixel $((X + 160)) $((Y + (cy - Y) / 2)))
  IFS=, read -r r g b <<<"$title_look"
  [ "$b" -le 160 ] && [ "$r" -le 90 ] || fail "the title is $r,$g,$b, not the skin's"
  [ "$(pixel "$X" "$Y")" = "$(pixel 0 0)" ] || fail "the window's top-left corner is $(pixel "$X" "$Y"), not cut to the screen behind ($(pixel 0 0))"
  # The welcome line (sLabelFX1 at 206, 8; its text 5 pixels further in) glows aqua: left of the
  # text, where only the glow reaches, green and blue stand well above red (cream has less blue).
  glow=$(convert "$shot" -crop "5x20+$((cx + 206))+$((cy + 10))" txt:- |
    awk 'NR > 1 { gsub(/[()]/, "", $2); split($2, p, ","); d = (p[2] < p[3] ? p[2] : p[3]) - p[1]; if (d > m) m = d } END { print m + 0 }')
  [ "$glow" -ge 40 ] || fail "no aqua glow beside the welcome line (green and blue over red at most $glow)"
  # The log memo's black background.
  IFS=, read -r r g b <<<"$(mean $((cx + 220)) $((cy + 250)) 400 150)"
  [ "$r" -le 10 ] && [ "$g" -le 10 ] && [ "$b" -le 10 ] || fail "memo is $r,$g,$b, not black"
  check_memo_skinned "$shot"
  echo "first look ok"
}

# check_memo_skinned SHOT: the log memo (206, 232, 465 × 201) wears the skin, not the platform's
# grey. Its frame ring is the skin's edit border, blue over red by far (the platform's sunken
# edge is grey); its scroll bar is the skin's, faded while the text fits: a blue-tinted strip
# darker than the platform's light grey bar (red over blue).
check_memo_skinned() {
  local shot=$1 r g b
  IFS=, read -r r g b <<<"$(convert "$shot" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$((cx + 206))+$((cy + 332))" info:)"
  [ "$b" -ge $((r + 40)) ] || fail "the memo's frame is $r,$g,$b, not the skin's edit border"
  IFS=, read -r r g b <<<"$(convert "$shot" -crop "17x197+$((cx + 652))+$((cy + 234))" -format "%[fx:int(255*mean.r)],%[fx:int(255*mean.g)],%[fx:int(255*mean.b)]" info:)"
  [ "$b" -gt "$r" ] && [ "$r" -lt 170 ] || fail "the memo's scroll bar is $r,$g,$b on average, not the skin's faded bar"
}

# The folder field sDirectoryEdit1 (206, 110, 401 × 21) in client coordinates.
field_geometry=(206 110 401 21)

# new_window_of BEFORE: the first visible window not listed in BEFORE (sorted ids); fails when none.
new_window_of() {
  local id
  id=$(comm -13 <(echo "$1") <(xdotool search --onlyvisible --name '.' 2>/dev/null | sort) | head -n1)
  [ -n "$id" ] && echo "$id"
}

# check_browse_dialog: the browse button "..." (613, 110, 23 × 22) changes its look under the
# pointer and opens our skinned folder dialog, "Select directory"; Escape cancels it, the folder
# field shows exactly what it showed before, and the window goes on.
check_browse_dialog() {
  local before rest field dialog= WINDOW SCREEN r g b X=$X Y=$Y WIDTH=$WIDTH HEIGHT=$HEIGHT
  before=$(xdotool search --onlyvisible --name '.' 2>/dev/null | sort)
  field=$(settled_sum "${field_geometry[@]}") || fail "the folder field does not come to rest"
  rest=$(settled_sum 613 110 23 22) || fail "the browse button does not come to rest"
  xdotool mousemove $((cx + 624)) $((cy + 121))
  settled_sum 613 110 23 22 "$rest" >/dev/null || fail "the browse button looks the same under the pointer"
  click_client 624 121
  dialog_shown() { dialog=$(new_window_of "$before"); }
  dialog_closed() { ! xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$dialog"; }
  wait_until 10 dialog_shown || fail "the browse button opened no dialog"
  [ "$(xdotool getwindowname "$dialog")" = "Select directory" ] || fail "the browse button opened $(xdotool getwindowname "$dialog"), not our folder dialog"
  echo "folder dialog: $(xdotool getwindowname "$dialog")"
  # Behind the dialog the window is inactive: its title takes the skin's other look (the pixel at
  # the title's middle changes) and never the system's caption colours.
  local inactive_title shot_dialog
  shot_dialog=$(mktemp /tmp/dialog-shot.XXXXXX.png)
  inactive() {
    import -window root "$shot_dialog"
    inactive_title=$(convert "$shot_dialog" -format "%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]" -crop "1x1+$((X + 160))+$((Y + (cy - Y) / 2))" info:)
    [ "$inactive_title" != "$title_look" ]
  }
  wait_until 10 inactive || fail "the title keeps its active look ($title_look) behind the folder dialog"
  rm -f "$shot_dialog"
  IFS=, read -r r g b <<<"$inactive_title"
  [ "$b" -le 160 ] && [ "$r" -le 90 ] || fail "the inactive title is $r,$g,$b, not the skin's"
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  screen_settled "${WIDTH}x$HEIGHT+$X+$Y" >/dev/null || true
  xdotool key Escape
  wait_until 10 dialog_closed || fail "Escape did not close the folder dialog"
  kill -0 "$pid" 2>/dev/null || fail "the program ended with the folder dialog"
  [ "$(settled_sum "${field_geometry[@]}")" = "$field" ] || fail "the folder field changed after the dialog was cancelled"
  echo "browse button ok"
}

# check_keyboard_route WINDOWS_FOLDER: the folder dialog by keys alone. From the log memo
# (206, 232, 465 × 201) Shift+Tab goes to the folder field, Alt+Down opens the dialog, Down picks
# the tree's top folder (the desktop) and Enter presses OK: the field shows another folder. The
# field then takes WINDOWS_FOLDER typed back, and shows exactly what it showed at first.
check_keyboard_route() {
  local before field dialog= WINDOW SCREEN X=$X Y=$Y WIDTH=$WIDTH HEIGHT=$HEIGHT
  click_client 400 330
  xdotool mousemove $((cx + 100)) $((cy + 300))
  field=$(settled_sum "${field_geometry[@]}") || fail "the folder field does not come to rest"
  before=$(xdotool search --onlyvisible --name '.' 2>/dev/null | sort)
  xdotool key shift+Tab
  sleep 0.5
  xdotool key alt+Down
  dialog_shown() { dialog=$(new_window_of "$before"); }
  dialog_closed() { ! xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$dialog"; }
  wait_until 10 dialog_shown || fail "Alt+Down in the folder field opened no dialog"
  [ "$(xdotool getwindowname "$dialog")" = "Select directory" ] || fail "Alt+Down opened $(xdotool getwindowname "$dialog"), not our folder dialog"
  eval "$(xdotool getwindowgeometry --shell "$dialog")"
  screen_settled "${WIDTH}x$HEIGHT+$X+$Y" >/dev/null || true
  xdotool key Down
  sleep 0.5
  xdotool key Return
  wait_until 10 dialog_closed || fail "Enter did not close the folder dialog with OK"
  sleep 0.5  # the focus goes back to the field as the dialog goes
  xdotool key Tab
  settled_sum "${field_geometry[@]}" "$field" >/dev/null || fail "the folder field did not change by the keyboard route"
  xdotool key shift+Tab
  sleep 0.3
  xdotool key Home shift+End
  xdotool type --delay 30 "$1"
  xdotool key Tab
  [ "$(settled_sum "${field_geometry[@]}")" = "$field" ] || fail "the folder field does not show $1 typed back"
  echo "keyboard route ok"
}

# check_combo: the language combo (206, 160, 145 × 21) wears the skin (a dark field, not the
# platform's white) and changes its look under the pointer; its button opens a list below it with
# the skin's frame and a dark item; a click on the item closes the list and the combo shows what
# it showed before (the same text, "Русский").
check_combo() {
  local rest below r g b
  screen_mean() { import -window root -crop "$1" png:- 2>/dev/null | convert - -format "%[fx:int(255*mean.r)],%[fx:int(255*mean.g)],%[fx:int(255*mean.b)]" info:; }
  IFS=, read -r r g b <<<"$(screen_mean "60x12+$((cx + 210))+$((cy + 164))")"
  [ "$r" -le 120 ] && [ "$g" -le 120 ] || fail "the combo's field is $r,$g,$b, not the skin's dark field"
  xdotool mousemove $((cx + 100)) $((cy + 300))
  rest=$(settled_sum 206 160 145 21) || fail "the combo box does not come to rest"
  xdotool mousemove $((cx + 260)) $((cy + 170))
  settled_sum 206 160 145 21 "$rest" >/dev/null || fail "the combo box looks the same under the pointer"
  below=$(screen_sum "145x14+$((cx + 206))+$((cy + 183))")
  click_client 342 170
  list_open() { [ "$(screen_sum "145x14+$((cx + 206))+$((cy + 183))")" != "$below" ]; }
  wait_until 10 list_open || fail "the combo's button opened no list"
  screen_settled "145x16+$((cx + 206))+$((cy + 181))" >/dev/null || true
  # The list's frame line is the skin's border colour: bluish, never the platform's black or grey.
  IFS=, read -r r g b <<<"$(screen_mean "1x10+$((cx + 206))+$((cy + 184))")"
  [ "$b" -gt "$r" ] || fail "the list's frame is $r,$g,$b, not the skin's border"
  IFS=, read -r r g b <<<"$(screen_mean "100x8+$((cx + 212))+$((cy + 186))")"
  [ "$r" -le 150 ] && [ "$g" -le 150 ] || fail "the list's item is $r,$g,$b, not a dark skinned item"
  click_client 240 189
  list_closed() { [ "$(screen_sum "145x14+$((cx + 206))+$((cy + 183))")" = "$below" ]; }
  wait_until 10 list_closed || fail "a click on the item did not close the list"
  # The pick leaves the focus in the field; Tab takes it on, and the combo at rest shows what it
  # showed before.
  xdotool mousemove $((cx + 100)) $((cy + 300)) key Tab
  settled_sum 206 160 145 21 >/dev/null
  [ "$(settled_sum 206 160 145 21)" = "$rest" ] || fail "the combo shows something else after the pick"
  echo "combo box ok"
}

# check_close_drag_off: a press on the skinned close button dragged off the button before the
# release does not close the window.
check_close_drag_off() {
  local caption=$((cy - Y - border))
  xdotool mousemove $((X + WIDTH - border - caption / 2 - 2)) $((Y + border + caption / 2)) mousedown 1
  sleep 0.3
  xdotool mousemove $((cx + 300)) $((cy + 300))
  sleep 0.3
  xdotool mouseup 1
  sleep 1
  kill -0 "$pid" 2>/dev/null || fail "a press on the close button dragged off it closed the window"
  echo "close button dragged off ok"
}
