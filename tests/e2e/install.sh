#!/usr/bin/env bash
# A whole install as a user makes it: start the setup, press "Установить", wait for the files,
# press the button again (it now finishes), then check what landed on the prefix's disk and in
# its registry, and remove it all again.
#   install.sh win64|win32 PrismatoneSetup.exe payload-folder payload64-folder screenshot.png
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
source "$(dirname "$0")/setup_window_lib.sh"
kind=$1 exe=$2 payloads=$3 payloads64=$4 shot=$5
wine_prefix "$kind"
ensure_display
c="$WINEPREFIX/drive_c"
if [ "$kind" = win64 ]; then
  folder="$c/Program Files (x86)/Prismatone" sysdir="$c/windows/syswow64" thumb=PTThumbnail64.dll thumbsrc="$payloads64"
else
  folder="$c/Program Files/Prismatone" sysdir="$c/windows/system32" thumb=PTThumbnail32.dll thumbsrc="$payloads"
fi
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Prismatone'
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  timeout "$(wait_limit 60)" wineserver -w || true
  remove_install "$folder" "$sysdir" "$thumb"
  timeout "$(wait_limit 60)" wineserver -w || true
  stop_display
}
trap cleanup EXIT
[ ! -e "$folder" ] || fail "an earlier install is still there: $folder"

start_setup "$exe"
# The gauge (206, 439, 465 × 25): the mean colour of a small patch 4 (left) or 455 (right)
# pixels in, away from the centred text, as "R G B".
gauge_patch() {
  convert "$1" -crop "6x8+$((cx + 206 + $2))+$((cy + 442))" -format "%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]" info:
}
import -window root "$shot"
empty=$(gauge_patch "$shot" 455)
# The install button: 597, 470, 75 × 25 in the client area. At rest, under the pointer and held
# down it shows three different pictures; the release installs. The focus goes to the folder
# field first: the focused button already shows the hot look.
click_client 300 120
xdotool mousemove $(( cx + 20 )) $(( cy + 20 ))
settle 1
rest=$(area_sum 597 470 75 25)
xdotool mousemove $(( cx + 634 )) $(( cy + 482 ))
settle 1
hot=$(area_sum 597 470 75 25)
xdotool mousedown 1
settle 1
held=$(area_sum 597 470 75 25)
xdotool mouseup 1
[ "$rest" != "$hot" ] || fail "the install button looks the same under the pointer"
[ "$hot" != "$held" ] && [ "$rest" != "$held" ] || fail "the install button looks the same held down"

wait_until 30 test -f "$sysdir/$thumb" || fail "the install did not reach the system file"
settle 2
import -window root "$shot"
# The log is no longer an empty black pane.
lit=$(convert "$shot" -crop "460x190+$(( cx + 208 ))+$(( cy + 234 ))" -format "%[fx:int(1000*mean)]" info:)
[ "$lit" -gt 5 ] || fail "the log shows nothing (mean $lit)"
# The gauge ends full: its right end changed from the empty look to that of its filled left end.
gauge_full() {
  import -window root "$shot"
  local right left
  right=$(gauge_patch "$shot" 455) left=$(gauge_patch "$shot" 4)
  awk -v r="$right" -v l="$left" -v e="$empty" 'BEGIN {
    split(r, R, " "); split(l, L, " "); split(e, E, " ")
    for (i = 1; i <= 3; ++i) { d = R[i] - L[i]; near += d < 0 ? -d : d; d = R[i] - E[i]; far += d < 0 ? -d : d }
    exit !(near <= 24 && far >= 90) }'
}
wait_until 10 gauge_full || fail "the gauge did not end full (right end $(gauge_patch "$shot" 455), left $(gauge_patch "$shot" 4), empty $empty)"
# Second press: the finish button ends the program.
click_client 634 482
wait_for_exit || fail "the finish button did not end the program"
timeout "$(wait_limit 60)" wineserver -w || true

for f in bass.dll basswasapi.dll Prismatone.exe launch_newinstance.bat Prismatone_uninstall.exe; do
  cmp -s "$folder/$f" "$payloads/$f" || fail "$f differs from the built payload"
done
cmp -s "$sysdir/$thumb" "$thumbsrc/$thumb" || fail "$thumb differs from the built payload"
[ "$(find "$c/users" -path '*Desktop/Prismatone.lnk' | wc -l)" = 1 ] || fail "no desktop shortcut"
[ "$(find "$c/users" -ipath '*Programs/Prismatone.lnk' | wc -l)" = 1 ] || fail "no Start-menu shortcut"
query() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
query "$uninstall" /reg:32 /v DisplayName | grep -q 'REG_SZ *Prismatone$' || fail "Uninstall entry missing"
query "$uninstall" /reg:32 /v UninstallString | grep -q 'Prismatone_uninstall.exe"$' || fail "UninstallString not quoted"
query "$uninstall" /reg:32 /v EstimatedSize | grep -qi '0x1388' || fail "EstimatedSize is not 5000"
query 'HKCR\.pts' /ve | grep -q 'Prismatone.Preset' || fail ".pts not associated"
query 'HKCR\Prismatone.Theme\shell\Open\Command' /ve | grep -q 'Prismatone.exe" "%1"' || fail "open command of .ptt"
# The thumbnail extension registered itself through regsvr32, which the setup started.
if query 'HKCR\.pts\ShellEx\{e357fccd-a995-4576-b01f-234630154e96}' /ve /reg:64 | grep -q '{' ||
   query 'HKCR\.pts\ShellEx\{e357fccd-a995-4576-b01f-234630154e96}' /ve | grep -q '{'; then
  echo "thumbnail handler registered"
else
  fail "the thumbnail extension was not registered"
fi
echo "install ok ($kind)"
