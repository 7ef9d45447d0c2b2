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

# wine_slowness: the factor by which waits for 32-bit programs are scaled, in the exported
# PRISMATONE_SLOWNESS: 1 where i386 code runs natively, 30 where it is emulated (a 32-bit start
# there takes up to thirty times as long as a 64-bit one). Every wait polls for what it waits for,
# so the factor only lengthens the limit a failure takes to show; measuring it would cost an
# emulated start of its own.
wine_slowness() {
  if [ -z "${PRISMATONE_SLOWNESS:-}" ]; then
    if [ "$(host_i386_mode)" = emulated ]; then PRISMATONE_SLOWNESS=30; else PRISMATONE_SLOWNESS=1; fi
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

# screen_sum GEOMETRY: a checksum of that part of the screen (WxH+X+Y) as it shows now.
screen_sum() { import -window root -crop "$1" rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }

# screen_settled GEOMETRY [UNLIKE]: waits until that part of the screen has shown the same picture
# for a second (painting and fades done), after it first differs from the checksum UNLIKE when
# that is given, and prints its checksum. Fails, printing the last checksum, when that has not
# happened within 20 s (scaled): polling ends as soon as the screen is still, where a fixed pause
# would have to allow for the slowest host.
screen_settled() {
  local geom=$1 unlike=${2:-} end now last= since=0
  end=$(($(date +%s) + $(wait_limit 20)))
  while :; do
    now=$(screen_sum "$geom")
    if [ "$now" = "$unlike" ]; then
      last=
    elif [ "$now" != "$last" ]; then
      last=$now since=$(date +%s%N)
    elif [ $(($(date +%s%N) - since)) -ge 1000000000 ]; then
      echo "$now"
      return 0
    fi
    if [ "$(date +%s)" -ge "$end" ]; then
      echo "$now"
      return 1
    fi
    sleep 0.2
  done
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
