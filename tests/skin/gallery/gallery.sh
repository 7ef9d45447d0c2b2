#!/usr/bin/env bash
# gallery.sh [WIN32_GALLERY [NATIVE_GALLERY]]: paints the skin gallery natively into
# build/gallery/native, with the 32-bit Windows build under Wine in the 64-bit prefix (WOW64)
# into build/gallery/wow64 and in the 32-bit prefix into build/gallery/win32, and fails unless
# every Wine folder equals the native one pixel for pixel (text tiles aside). Each gallery also
# runs its own checks of the window's skin. Builds nothing: the galleries must be built.
#
# Where 32-bit code is only emulated (PRISMATONE_I386_MODE=emulated, scripts/test.sh) the 32-bit
# prefix is left out: every process in it, Wine's own too, would be emulated.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
win32_exe=${1:-$root/build/win32/tests/skin/gallery/skin_gallery.exe}
native_exe=${2:-$root/build/native/tests/skin/gallery/skin_gallery}
out=$root/build/gallery
source "$root/scripts/wine-env.sh"

fail() { echo "FAIL: $*" >&2; exit 1; }
[ -x "$native_exe" ] || fail "no native gallery at $native_exe (build the native configuration)"
[ -f "$win32_exe" ] || fail "no 32-bit gallery at $win32_exe (build the win32 configuration)"
mode=${PRISMATONE_I386_MODE:-$(host_i386_mode)}
[ "$mode" != none ] || fail "this host cannot execute 32-bit code, not even emulated"

log=$(mktemp /tmp/gallery-log.XXXXXX)
cleanup() { stop_display; rm -f "$log"; }
trap cleanup EXIT
ensure_display

started=$SECONDS
rm -rf "$out/native"
"$native_exe" "$out/native"
echo "native gallery: $((SECONDS - started)) s"

# run_wine KIND FOLDER: the 32-bit gallery in prefix KIND into build/gallery/FOLDER, then the
# comparison with the native folder.
run_wine() {
  local kind=$1 folder=$2 rc t=$SECONDS
  wine_prefix "$kind"
  rm -rf "${out:?}/$folder"
  set +e
  wine "$win32_exe" "Z:$out/$folder" | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  # qemu-user now and then crashes an emulated process as it ends, after its work is done: the
  # gallery's own last line then tells whether it finished and passed.
  if [ "$rc" != 0 ] && [ "$mode" = emulated ] && grep -q '^passed: 0 check failures' "$log"; then
    echo "gallery.sh: the emulated process ended with code $rc after it passed (its output says so); taken as passed"
    [ -z "${PRISMATONE_VERDICTS:-}" ] || echo "skin_gallery ($kind prefix): exit code $rc after it passed" >>"$PRISMATONE_VERDICTS"
    rc=0
  fi
  [ "$rc" = 0 ] || fail "the gallery in the $kind prefix ended with code $rc"
  echo "$folder gallery: $((SECONDS - t)) s"
  local page
  for page in . fades checkboxes buttons gauge scrolls edits combo frame; do
    "$native_exe" --compare "$out/native/$page" "$out/$folder/$page" || fail "$folder gallery page $page differs from the native one"
  done
}

run_wine win64 wow64
if [ "$mode" = emulated ]; then
  echo "32-bit prefix skipped: 32-bit code is only emulated on this host"
else
  run_wine win32 win32
fi
echo "gallery.sh: passed in $((SECONDS - started)) s"
