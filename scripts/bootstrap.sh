#!/usr/bin/env bash
# bootstrap.sh [--program] [--packages]: installs what the build and the tests need on a fresh
# Debian machine and cross-builds the libraries that Debian does not ship for MinGW. Idempotent:
# each step checks whether its result is already there and does nothing when it is.
#   --program   only what the setup program needs (scripts/run.sh): no test framework, no
#               benchmark library, no clang
#   --packages  the Debian packages and the host check only, not the cross-built libraries
#               (run.sh boots the Wine prefix while the libraries and the program build)
# The cross-built libraries are kept in the user's cache folder (scripts/lib/depcache.sh) and
# copied into build/deps/<triplet>.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
deps="$build/deps"

want=all phase=all
for arg; do
  case $arg in
    --program) want=program ;;
    --packages) phase=packages ;;
    *) echo "usage: bootstrap.sh [--program] [--packages]" >&2; exit 2 ;;
  esac
done

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }
source "$here/scripts/lib/apt.sh"
source "$here/scripts/lib/host.sh"
source "$here/scripts/lib/crosslibs.sh"

packages=(
  cmake ninja-build g++ pkg-config dpkg-dev file ccache
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  zlib1g-dev libpng-dev libjpeg-dev
  wine wine32:i386 wine64 fonts-wine xvfb xdotool imagemagick x11-utils fonts-dejavu-core
)
if [ $want = all ]; then
  packages+=(clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev)
fi

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

ensure_apt() {
  local need updated=0
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_ dpkg --add-architecture i386
    updated=1
  fi
  # apt-get source needs a deb-src entry for the two source packages we cross-build.
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    sudo_ tee /etc/apt/sources.list.d/prismatone-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    updated=1
  fi
  need=$(missing_packages)
  if [ -n "$need" ] || [ $updated = 1 ]; then
    apt_update
  fi
  if [ -n "$need" ]; then
    # shellcheck disable=SC2086
    apt_install $need
  fi
}

apt_updated=0
apt_update() {
  apt_update_retrying 3 5 sudo_ apt-get update -q
  apt_updated=1
}

# apt_install PACKAGES...: apt-get install, falling back to the release's own suite.
apt_install() {
  apt_install_falling_back "$(os_codename)" \
    sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends -- "$@"
}

ensure_apt
# Wine's 32-bit loader must run for anything 32-bit; on a host that cannot, emulate it.
install_late() {
  [ $apt_updated = 1 ] || apt_update
  apt_install "$@"
}
host_i386_check install_late >/dev/null
[ $phase = all ] || exit 0

mkdir -p "$deps"
depcache_drop_stale
libraries=(libjpeg libpng)
[ $want = all ] && libraries+=(gtest)
for t in i686-w64-mingw32 x86_64-w64-mingw32; do
  ensure_libraries "$t" "${libraries[@]}"
done
