# Sourced by bootstrap.sh (and by its test): apt steps that survive a mirror in the middle of a
# sync. Each function takes the command to run as its trailing arguments, so a test can drive the
# decisions with a stand-in command instead of a broken mirror.

# apt_update_retrying TRIES PAUSE CMD...: runs CMD (apt-get update) up to TRIES times, PAUSE
# seconds apart. When every try fails it says so in one line and still succeeds: apt keeps the
# lists that did arrive (and old ones for the rest), which are usually enough to install from.
apt_update_retrying() {
  local tries=$1 pause=$2 n
  shift 2
  for ((n = 1; n <= tries; n++)); do
    "$@" && return 0
    ((n < tries)) && sleep "$pause"
  done
  echo "bootstrap: package index update failed $tries times (mirror out of sync?); going on with the lists that did arrive" >&2
  return 0
}

# apt_install_falling_back CODENAME CMD... -- PACKAGES...: installs PACKAGES with CMD (apt-get
# install -y ...). When that fails, tries once more preferring the release's own suite
# (-t CODENAME): a security or update suite whose index for one architecture is missing can
# otherwise pull an amd64 library ahead of its i386 twin and make multiarch packages such as
# wine32:i386 uninstallable. When both fail, names the packages and apt's reason and fails.
apt_install_falling_back() {
  local codename=$1 log
  shift
  local cmd=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do cmd+=("$1"); shift; done
  [ "${1:-}" = -- ] && shift
  [ $# -gt 0 ] || return 0
  log=$(mktemp)
  if "${cmd[@]}" "$@" 2>"$log"; then rm -f "$log"; return 0; fi
  if [ -n "$codename" ]; then
    echo "bootstrap: installing from all suites failed; trying again preferring $codename's own suite" >&2
    if "${cmd[@]}" -t "$codename" "$@" 2>"$log"; then rm -f "$log"; return 0; fi
  fi
  echo "bootstrap: could not install: $*" >&2
  echo "bootstrap: apt said:" >&2
  grep -E '^(E:| )' "$log" | head -n 20 | sed 's/^/  /' >&2
  rm -f "$log"
  return 1
}

# os_codename [FILE]: the release's code name from os-release (bookworm), empty when unknown.
os_codename() {
  local file=${1:-/etc/os-release}
  [ -r "$file" ] || return 0
  (. "$file" && echo "${VERSION_CODENAME:-}")
}
