# Sourced by the other scripts: Wine prefixes under build/wine and a display.
#   win64 - a 64-bit prefix: our 32-bit program runs under WOW64 (64-bit Windows), x86-64 test
#           programs run in it with the 64-bit loader
#   win32 - a WINEARCH=win32 prefix (32-bit Windows)
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/lib/host.sh"
# Quiet, but for Wine's own diagnosis of a process that could not reach the display (a window
# that cannot be created says nothing else).
export WINEDEBUG=${WINEDEBUG:--all,err+winediag}
# No Mono or Gecko installer prompts while a prefix boots, and no menu entries or desktop
# files written outside the prefix for the shortcuts that tests create. No crash debugger
# either: a crashed process ends at once instead of waiting in winedbg, which would keep its
# display connections and the prefix's server busy for the tests after it.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d}

PRISMATONE_WINE64_LOADER=${PRISMATONE_WINE64_LOADER:-/usr/lib/wine/wine64}

wine_prefix_dir() { echo "$root/build/wine/$1"; }

# pe_machine FILE: the machine field of a Windows executable's header (14c i386, 8664 x86-64),
# empty for anything else.
pe_machine() {
  local file=$1 off sig
  [ -f "$file" ] || return 0
  off=$(od -An -t u4 -j 60 -N 4 "$file" 2>/dev/null | tr -d ' ') || return 0
  [ -n "$off" ] || return 0
  sig=$(od -An -t x1 -j "$off" -N 4 "$file" 2>/dev/null | tr -d ' ')
  [ "$sig" = 50450000 ] || return 0
  od -An -t x2 -j $((off + 4)) -N 2 "$file" | tr -d ' ' | sed 's/^0*//'
}

# wine_loader PROGRAM: which Wine loader starts PROGRAM in the current prefix. A 64-bit prefix
# takes the 64-bit loader for everything but a 32-bit executable file: Debian's "wine" command
# always goes through the 32-bit loader first, which costs a whole emulated start on a host that
# only emulates i386, even for 64-bit tools such as reg or wineboot.
wine_loader() {
  if [ "${WINEARCH:-win64}" = win32 ] || [ "$(pe_machine "$1")" = 14c ]; then
    echo "$PRISMATONE_WINE32_LOADER"
  else
    echo "$PRISMATONE_WINE64_LOADER"
  fi
}

# wine PROGRAM ARGS...: runs a program with the right loader (shadows Debian's wrapper here).
wine() { "$(wine_loader "$1")" "$@"; }
winepath() { wine winepath.exe "$@"; }

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
      wine wineboot.exe -i >/dev/null 2>&1 || true
      # Windows that no window manager looks after: without one (Xvfb) Wine would wait for a
      # window manager's answer on every hide and destroy.
      wine reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
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

# wine_slowness: how many times slower a 32-bit program starts than a 64-bit one in the 64-bit
# prefix (1 on a host that runs i386 code natively; several tens where it is emulated). Measured
# once per run into the exported PRISMATONE_SLOWNESS; waits for 32-bit programs scale with it.
wine_slowness() {
  if [ -z "${PRISMATONE_SLOWNESS:-}" ]; then
    if [ "$(host_i386_mode)" != emulated ]; then
      PRISMATONE_SLOWNESS=1
    else
      PRISMATONE_SLOWNESS=$(
        wine_prefix win64
        t() { local s; s=$(date +%s%N); "$@" >/dev/null 2>&1; echo $((($(date +%s%N) - s) / 1000000)); }
        t wine cmd.exe /c exit >/dev/null # the server's start is not part of either figure
        t64=$(t wine cmd.exe /c exit)
        t32=$(t wine 'C:\windows\syswow64\cmd.exe' /c exit)
        f=$(((t32 + t64 - 1) / (t64 > 0 ? t64 : 1)))
        echo $((f < 1 ? 1 : f > 30 ? 30 : f)))
    fi
    export PRISMATONE_SLOWNESS
  fi
}

# wait_limit SECONDS: a wait of SECONDS on a host that runs i386 code natively, scaled by the
# measured slowness elsewhere.
wait_limit() { echo $(($1 * ${PRISMATONE_SLOWNESS:-1})); }

# wait_until SECONDS COMMAND...: polls COMMAND every 0.2 s until it succeeds (0) or the scaled
# limit has passed (1).
wait_until() {
  local end=$(($(date +%s) + $(wait_limit "$1")))
  shift
  until "$@"; do
    [ "$(date +%s)" -lt "$end" ] || return 1
    sleep 0.2
  done
}

# settle SECONDS: a pause (fractions allowed) for a window to finish painting. Scaled like the
# waits but by at most 10: a running program's painting is slowed less by emulation than a
# program's start, which the factor measures.
settle() {
  sleep "$(awk -v s="$1" -v f="${PRISMATONE_SLOWNESS:-1}" 'BEGIN { print s * (f < 10 ? f : 10) }')"
}

# Starts Xvfb when there is no display. Sets PRISMATONE_XVFB_PID when it started one.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  # Xvfb picks a free display number itself and writes it to fd 3 once it accepts clients:
  # choosing one here would race with a test started at the same moment (both would take the
  # same number, and the first to end would take the other's server down).
  local out n i
  out=$(mktemp /tmp/xvfb-display.XXXXXX)
  # A whole test run shares this server: room for more clients than the default 256.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -maxclients 1024 3>"$out" >/dev/null 2>&1 &
  PRISMATONE_XVFB_PID=$!
  for i in $(seq 100); do
    n=$(tr -dc 0-9 <"$out")
    [ -n "$n" ] && break
    sleep 0.1
  done
  rm -f "$out"
  if [ -z "$n" ]; then echo "Xvfb did not start" >&2; return 1; fi
  export DISPLAY=":$n"
  for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2; return 1
}

# wine_reset KIND: ends every process still running in a prefix (what a timed-out or crashed
# test left behind), so that the next tests start on a fresh server.
wine_reset() {
  (wine_prefix "$1" && wineserver -k 2>/dev/null; wineserver -w 2>/dev/null) || true
}

stop_display() {
  if [ -n "${PRISMATONE_XVFB_PID:-}" ]; then kill "$PRISMATONE_XVFB_PID" 2>/dev/null || true; fi
}
