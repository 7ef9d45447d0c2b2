#!/usr/bin/env bash
# The bootstrap's decisions, driven by stand-in commands instead of a broken mirror or kernel:
# how often the package index update is tried, when the install falls back to the release's own
# suite, what it says when both fail, and how the host's 32-bit execution is classified.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/apt.sh"
source "$root/scripts/lib/host.sh"
source "$root/tests/scripts/checks.sh"

# fake FAILURES ARGS...: a stand-in for apt-get that records each call and fails its first
# FAILURES calls, printing an apt-like error then.
fake() {
  local failures=$1; shift
  echo "$*" >>"$work/calls"
  local n; n=$(wc -l <"$work/calls")
  if [ "$n" -le "$failures" ]; then
    echo "E: zlib1g:i386 is not installable" >&2
    return 100
  fi
}
calls() { [ -f "$work/calls" ] && wc -l <"$work/calls" || echo 0; }
reset() { rm -f "$work/calls"; }

# An update that fails twice is tried a third time and then counts as done, silently.
reset
msg=$(apt_update_retrying 3 0 fake 2 update 2>&1); rc=$?
check "update retried until it worked" [ "$(calls)" = 3 ]
check "update success rc" [ $rc = 0 ]
check "no warning after a late success" [ "$(grep -c "going on" <<<"$msg")" = 0 ]

# An update that never works is given up after the tries, with one line, without stopping.
reset
msg=$(apt_update_retrying 3 0 fake 99 update 2>&1); rc=$?
check "update tried three times" [ "$(calls)" = 3 ]
check "a failed update does not stop the bootstrap" [ $rc = 0 ]
check "a failed update says so in one line" [ "$(grep -c 'going on with the lists that did arrive' <<<"$msg")" = 1 ]

# An install that works needs no second try.
reset
apt_install_falling_back bookworm fake 0 install -y -- wine32:i386 zlib1g-dev 2>/dev/null; rc=$?
check "plain install rc" [ $rc = 0 ]
check "plain install tried once" [ "$(calls)" = 1 ]
check "plain install passes the packages" [ "$(cat "$work/calls")" = "install -y wine32:i386 zlib1g-dev" ]

# A failed install is tried once more, preferring the release's own suite.
reset
msg=$(apt_install_falling_back bookworm fake 1 install -y -- wine32:i386 2>&1); rc=$?
check "fallback install rc" [ $rc = 0 ]
check "fallback tried twice" [ "$(calls)" = 2 ]
check "fallback prefers the release's suite" [ "$(sed -n 2p "$work/calls")" = "install -y -t bookworm wine32:i386" ]
check "fallback is announced" grep -q "preferring bookworm" <<<"$msg"

# Both failing: a non-zero status and a message naming the packages and apt's reason.
reset
msg=$(apt_install_falling_back bookworm fake 2 install -y -- wine32:i386 xvfb 2>&1); rc=$?
check "both failing rc" [ $rc != 0 ]
check "both failing names the packages" grep -q 'could not install: wine32:i386 xvfb' <<<"$msg"
check "both failing gives the cause" grep -q 'zlib1g:i386 is not installable' <<<"$msg"

# Without a known release name there is nothing to fall back to.
reset
apt_install_falling_back "" fake 1 install -- xvfb 2>/dev/null; rc=$?
check "no codename: no second try" [ "$(calls)" = 1 ]
check "no codename: failure reported" [ $rc != 0 ]

printf 'ID=debian\nVERSION_CODENAME=bookworm\n' >"$work/os-release"
check "codename read from os-release" [ "$(os_codename "$work/os-release")" = bookworm ]
check "missing os-release gives no codename" [ -z "$(os_codename "$work/none")" ]

# The host check: a loader that runs, with or without a qemu entry, and one that does not.
mkdir -p "$work/binfmt"
printf '#!/bin/sh\nexit 0\n' >"$work/loader-ok"
printf '#!/bin/sh\necho "Exec format error" >&2; exit 126\n' >"$work/loader-bad"
chmod +x "$work/loader-ok" "$work/loader-bad"
PRISMATONE_BINFMT_DIR="$work/binfmt"
PRISMATONE_WINE32_LOADER="$work/loader-ok"
check "a running loader without emulation is native" [ "$(host_i386_mode)" = native ]
printf 'enabled\ninterpreter /usr/bin/qemu-i386-static\nflags: F\n' >"$work/binfmt/qemu-i386"
check "a running loader through qemu is emulated" [ "$(host_i386_mode)" = emulated ]
printf 'disabled\ninterpreter /usr/bin/qemu-i386-static\n' >"$work/binfmt/qemu-i386"
check "a disabled qemu entry does not count" [ "$(host_i386_mode)" = native ]
PRISMATONE_WINE32_LOADER="$work/loader-bad"
check "a loader that cannot run means none" [ "$(host_i386_mode)" = none ]
# When emulation cannot be set up, the check says so and goes on.
sudo_() { return 1; }
msg=$(host_i386_check false 2>&1); rc=$?
check "an impossible emulation still succeeds" [ $rc = 0 ]
check "an impossible emulation is reported" grep -q 'could not be registered' <<<"$msg"
check "an impossible emulation leaves mode none" [ "$(tail -n1 <<<"$msg")" = none ]

checks_done
