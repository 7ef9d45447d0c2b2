# Sourced by the end-to-end tests: start the setup program and find its window.
fail() { echo "FAIL: $*" >&2; exit 1; }

# start_setup EXE: starts the program in the background (pid in $pid), waits for its window
# (id in $win) and sets X, Y, WIDTH, HEIGHT of the window and cx, cy of its 680 × 495 client
# area on the screen. The frame is as wide on the left as on the right; the rest of the height
# is the caption above the client area.
start_setup() {
  wine "$1" &
  pid=$!
  win=
  for _ in $(seq 150); do
    win=$(xdotool search --name '^Prismatone setup$' 2>/dev/null | head -n1 || true)
    [ -n "$win" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before showing its window"
    sleep 0.2
  done
  [ -n "$win" ] || fail "no window titled 'Prismatone setup'"
  sleep 1.5
  eval "$(xdotool getwindowgeometry --shell "$win")"
  [ "$WIDTH" -ge 680 ] && [ "$HEIGHT" -ge 495 ] || fail "window is ${WIDTH}x${HEIGHT}, smaller than its 680x495 client area"
  border=$(( (WIDTH - 680) / 2 ))
  cx=$(( X + border ))
  cy=$(( Y + HEIGHT - 495 - border ))
}

# click_client X Y: a left click at client coordinates.
click_client() { xdotool mousemove $(( cx + $1 )) $(( cy + $2 )) click 1; }

# wait_for_exit: waits up to 10 s for the program to end; clears $pid when it has.
wait_for_exit() {
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || { pid=; return 0; }
    sleep 0.2
  done
  return 1
}
