# Sourced by the other scripts: Wine prefixes under build/wine and a display.
#   win64 - a 64-bit prefix: our 32-bit program runs under WOW64 (64-bit Windows)
#   win32 - a WINEARCH=win32 prefix (32-bit Windows)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts while a prefix boots, and no menu entries or desktop
# files written outside the prefix for the shortcuts that tests create.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

wine_prefix_dir() { echo "$root/build/wine/$1"; }

# Boots a prefix once; later calls reuse it. A lock keeps parallel tests from booting it twice.
wine_prefix() {
  local kind=$1 dir
  dir=$(wine_prefix_dir "$kind")
  export WINEPREFIX="$dir"
  if [ "$kind" = win32 ]; then export WINEARCH=win32; else export WINEARCH=win64; fi
  [ -f "$dir/.booted" ] && return 0
  mkdir -p "$root/build/wine"
  (
    flock 9
    if [ ! -f "$dir/.booted" ]; then
      rm -rf "$dir"
      wineboot -i >/dev/null 2>&1 || true
      # Windows that no window manager looks after: without one (Xvfb) Wine would wait for a
      # window manager's answer on every hide and destroy.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
      wineserver -w
      [ -f "$dir/system.reg" ] || { echo "wine prefix $kind did not boot" >&2; exit 1; }
      # The user's Desktop, Documents ... are links to the home folder: make them folders of the
      # prefix, so that what tests put there stays inside build/.
      local link
      for link in "$dir"/drive_c/users/*/*; do
        if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
      done
      touch "$dir/.booted"
    fi
  ) 9>"$root/build/wine/.$kind.lock"
}

# Starts Xvfb when there is no display. Sets PRISMATONE_XVFB_PID when it started one.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in 91 92 93 94 95 96 97 98 99; do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    PRISMATONE_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "Xvfb did not start" >&2; return 1
  done
  echo "no free display number for Xvfb" >&2; return 1
}

stop_display() {
  if [ -n "${PRISMATONE_XVFB_PID:-}" ]; then kill "$PRISMATONE_XVFB_PID" 2>/dev/null || true; fi
}
