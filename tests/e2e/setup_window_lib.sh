# Sourced by the end-to-end tests: start the setup program and find its window.
fail() { echo "FAIL: $*" >&2; exit 1; }

# wait_for_window TITLE: waits up to 30 s (scaled) for a window titled exactly TITLE of the
# program started as $pid and puts its id in $win; fails when the program ends first or the
# window never comes.
wait_for_window() {
  local title=$1
  win=
  window_shown() {
    win=$(xdotool search --name "^$title\$" 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
    return 1
  }
  wait_until 30 window_shown || fail "no window titled '$title'"
}

# start_setup EXE: starts the program in the background (pid in $pid), waits for its window
# (id in $win) and sets X, Y, WIDTH, HEIGHT of the window and cx, cy of its 680 × 495 client
# area on the screen. The frame is as wide on the left as on the right; the rest of the height
# is the caption above the client area.
# Waits scale with the host's measured slowness (PRISMATONE_SLOWNESS, wine-env.sh).
start_setup() {
  "$(wine_loader "$1")" "$1" &
  pid=$!
  local started=$SECONDS
  wait_for_window 'Prismatone setup'
  echo "window shown after $((SECONDS - started)) s"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  screen_settled "${WIDTH}x$HEIGHT+$X+$Y" >/dev/null || fail "the window is still changing $((SECONDS - started)) s after its start"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$WIDTH" -ge 680 ] && [ "$HEIGHT" -ge 495 ] || fail "window is ${WIDTH}x${HEIGHT}, smaller than its 680x495 client area"
  border=$(( (WIDTH - 680) / 2 ))
  cx=$(( X + border ))
  cy=$(( Y + HEIGHT - 495 - border ))
}

# click_client X Y: a left click at client coordinates.
click_client() { xdotool mousemove $(( cx + $1 )) $(( cy + $2 )) click 1; }

# area_sum X Y W H: a checksum of that client area of the screen as it is now.
area_sum() { screen_sum "$3x$4+$((cx + $1))+$((cy + $2))"; }

# settled_sum X Y W H [UNLIKE]: the checksum of that client area once it is still (after it first
# differs from UNLIKE when given); screen_settled in client coordinates.
settled_sum() { screen_settled "$3x$4+$((cx + $1))+$((cy + $2))" "${5:-}"; }

# close_by_caption: clicks the close button at the right end of the caption and waits for the
# program to end.
close_by_caption() {
  local caption=$((cy - Y - border))
  xdotool mousemove $((X + WIDTH - border - caption / 2 - 2)) $((Y + border + caption / 2)) click 1
  wait_for_exit || fail "the program did not end after the window was closed"
}

# wait_for_exit: waits up to 10 s (scaled) for the program to end; clears $pid when it has.
wait_for_exit() {
  program_ended() { ! kill -0 "$pid" 2>/dev/null; }
  wait_until 10 program_ended || return 1
  pid=
}

# register_thumbnail SYSDIR THUMB [/u]: (un)registers the thumbnail extension that lies in SYSDIR
# with the prefix's native regsvr32, the library being of the prefix's own bitness. The 32-bit
# one in the 64-bit prefix would only start the native one again, after a minute's start where
# 32-bit programs are emulated.
register_thumbnail() {
  local regsvr32='C:\windows\system32\regsvr32.exe'
  # The loader itself, not the "wine" command: that starts through the 32-bit loader.
  timeout "$(wait_limit 60)" "$(wine_loader "$regsvr32")" "$regsvr32" ${3:-} /s "C:\\windows\\$(basename "$1")\\$2" >/dev/null 2>&1
}

# remove_install FOLDER SYSDIR THUMB: takes away what an install wrote in the current prefix:
# the extension's registration and file, the install folder, both shortcuts, the Uninstall entry
# and the two file types.
remove_install() {
  local folder=$1 sysdir=$2 thumb=$3 k
  [ -f "$sysdir/$thumb" ] && { register_thumbnail "$sysdir" "$thumb" /u || true; }
  rm -rf "$folder" "${sysdir:?}/$thumb"
  find "$WINEPREFIX/drive_c/users" -name Prismatone.lnk -delete 2>/dev/null || true
  wine reg delete 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Prismatone' /reg:32 /f >/dev/null 2>&1 || true
  for k in .pts .ptt Prismatone.Preset Prismatone.Theme; do wine reg delete "HKCR\\$k" /f >/dev/null 2>&1 || true; done
}
