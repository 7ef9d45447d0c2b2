#!/usr/bin/env bash
# The real setup as a user meets it, in one start of the program (each start of the 32-bit program
# costs about a minute where 32-bit code is emulated): its window as it first shows, the browse
# button and its folder dialog, by mouse and by keys (window_checks.sh); then a whole install: press
# "Установить", wait for the files, press the button again (it now finishes), then check what landed
# on the prefix's disk and in its registry. Then the uninstaller, started as the list of installed
# programs starts it: refused for a tampered entry, run once through its question answered by a key
# press (with a user's file in the folder and ".pts" taken over by another program), and once more
# with /S over the same install laid back; afterwards the prefix is as it was before the install.
# The close button of the frame is dll_planting.sh's, which starts the program anyway.
#   setup_e2e.sh win64|win32 PrismatoneSetup.exe payload-folder payload64-folder shots-prefix
# Screenshots: shots-prefix_window.png (first look), shots-prefix_install.png (after the
# install), shots-prefix_uninstall/ (the uninstaller's boxes).
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
source "$(dirname "$0")/setup_window_lib.sh"
source "$(dirname "$0")/window_checks.sh"
source "$(dirname "$0")/uninstall_lib.sh"
kind=$1 exe=$2 payloads=$3 payloads64=$4 shots_prefix=$5
shot=${shots_prefix}_install.png
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
work=$(mktemp -d)
shots="${shots_prefix}_uninstall"
mkdir -p "$shots"
boxes=0
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  timeout "$(wait_limit 60)" wineserver -w || true
  remove_install "$folder" "$sysdir" "$thumb"
  drop_uninstaller_copies
  timeout "$(wait_limit 60)" wineserver -w || true
  rm -rf "$work"
  stop_display
}
trap cleanup EXIT
[ ! -e "$folder" ] || fail "an earlier install is still there: $folder"
snapshot_state "$work/before"

start_setup "$exe"
import -window root "${shots_prefix}_window.png"
check_first_look "${shots_prefix}_window.png"
check_combo
check_browse_dialog
windows_folder="C:\\${folder#"$c"/}"
check_keyboard_route "${windows_folder//\//\\}"
check_close_drag_off

# The gauge (206, 439, 465 × 25): the mean colour of a small patch 4 (left) or 455 (right)
# pixels in, away from the centred text, as "R G B".
gauge_patch() {
  convert "$1" -crop "6x8+$((cx + 206 + $2))+$((cy + 442))" -format "%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]" info:
}
import -window root "$shot"
empty=$(gauge_patch "$shot" 455)
# The desktop option (sCheckBox1, its box at 208, 196) unticked: that install writes no desktop
# shortcut.
click_client 215 203
# The install button: 597, 470, 75 × 25 in the client area. At rest, under the pointer and held
# down it shows three different pictures; the release installs. The focus goes to the folder
# field first: the focused button already shows the hot look.
click_client 300 120
xdotool mousemove $(( cx + 20 )) $(( cy + 20 ))
rest=$(settled_sum 597 470 75 25) || fail "the install button does not come to rest"
xdotool mousemove $(( cx + 634 )) $(( cy + 482 ))
hot=$(settled_sum 597 470 75 25 "$rest") || fail "the install button looks the same under the pointer"
xdotool mousedown 1
held=$(settled_sum 597 470 75 25 "$hot") || fail "the install button looks the same held down"
xdotool mouseup 1
[ "$rest" != "$held" ] || fail "the install button looks the same held down as at rest"

wait_until 30 test -f "$sysdir/$thumb" || fail "the install did not reach the system file"
# The log is no longer an empty black pane.
lit=0
log_lit() {
  import -window root "$shot"
  lit=$(convert "$shot" -crop "440x190+$(( cx + 208 ))+$(( cy + 234 ))" -format "%[fx:int(1000*mean)]" info:)
  [ "$lit" -gt 5 ]
}
# The text area only (x 208 … 647): the bar beside it is light even with no text.
wait_until 10 log_lit || fail "the log shows nothing (mean $lit)"
check_memo_skinned "$shot"
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
[ -z "$(find "$c/users" -path '*Desktop/Prismatone.lnk')" ] || fail "a desktop shortcut, though its option was unticked"
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

# ---- The uninstaller ----
location=$(query "$uninstall" /reg:32 /v InstallLocation | sed -n 's/.*REG_SZ *//p')
links=$(find "$c/users" -ipath '*Desktop/Prismatone.lnk' -o -ipath '*Programs/Prismatone.lnk')
clsid='HKCR\CLSID\{FE80ED9A-4E3F-4FCC-92BD-123BCE958577}'
# What the setup wrote, kept to lay the same install back for the silent run.
mkdir -p "$work/install"
cp -a "$folder/." "$work/install/"
while read -r l; do cp -a "$l" "$work/$(basename "$(dirname "$l")").lnk"; done <<<"$links"
# The silent run also meets a desktop shortcut: the Start-menu one, laid on the user's desktop.
desktop=$(find "$c/users" -mindepth 2 -maxdepth 2 -type d -name Desktop ! -path '*/Public/*' | head -n1)
[ -n "$desktop" ] || fail "no desktop folder in the prefix"
wine reg export "$uninstall" "$work/entry.reg" /reg:32 /y >/dev/null 2>&1 || fail "cannot export the Uninstall entry"
for k in .pts .ptt Prismatone.Preset Prismatone.Theme; do wine reg export "HKCR\\$k" "$work/$k.reg" /y >/dev/null 2>&1; done

# A tampered "InstallLocation", the Windows folder, removes nothing and fails. Only that one is
# tried here (each run is a slow 32-bit start): drive roots, network paths back to this computer,
# a drive that is the Windows folder and the other refused folders are uninstall_tests'
# (UninstallTarget.ResolvesOnlyItsOwnSafeFolder).
bad='C:\windows'
wine reg add "$uninstall" /reg:32 /v InstallLocation /d "$bad" /f >/dev/null 2>&1
run_uninstaller /S
[ "$code" = 3 ] || fail "InstallLocation $bad: exit code $code, not 3"
timeout "$(wait_limit 60)" wineserver -w || true
[ -f "$folder/Prismatone.exe" ] && [ -f "$sysdir/$thumb" ] && [ -n "$(uninstall_program)" ] ||
  fail "InstallLocation $bad: something was removed"
wine reg add "$uninstall" /reg:32 /v InstallLocation /d "$location" /f >/dev/null 2>&1

# The question, answered by a key press: a user's file stays with its folder, and the extension
# another program took over stays with it.
echo "my notes" >"$folder/notes.txt"
wine reg add 'HKCR\.pts' /ve /d Other.Preset /f >/dev/null 2>&1
program=$(uninstall_program)
"$PRISMATONE_WINE32_LOADER" "$program" &
upid=$!
wait_for_box
press_in_box Return  # "Да", the default button
code=0
wait "$upid" || code=$?
[ "$code" = 2 ] || fail "the uninstall with a user's file left: exit code $code, not 2"
# The code covers the uninstaller's own file too: it has left the folder by then.
[ ! -e "$folder/Prismatone_uninstall.exe" ] || fail "the uninstaller's file is still in the folder when its exit code is reported"
# The working copy shows its closing message last: by then it has left its own file and folder to
# the next restart.
wait_for_box
pending=$(pending_renames)
[ "$(grep -c 'Prismatone-uninstall-' <<<"$pending")" -ge 2 ] || fail "the uninstaller's copy and folder are not left to the restart: $pending"
press_in_box Return
timeout "$(wait_limit 60)" wineserver -w || true
for f in bass.dll basswasapi.dll Prismatone.exe launch_newinstance.bat Prismatone_uninstall.exe; do
  [ ! -e "$folder/$f" ] || fail "$f is still in the install folder"
done
[ -f "$folder/notes.txt" ] || fail "the user's file was removed"
[ ! -e "$sysdir/$thumb" ] || grep -qi "$thumb" <<<"$pending" || fail "$thumb neither removed nor left to the restart"
[ -z "$(find "$c/users" -name Prismatone.lnk)" ] || fail "a shortcut is left"
[ -z "$(uninstall_program)" ] || fail "the Uninstall entry is left"
query 'HKCR\.pts' /ve | grep -q 'Other.Preset' || fail "the .pts association of the other program was removed"
for k in .ptt Prismatone.Preset Prismatone.Theme; do wine reg query "HKCR\\$k" >/dev/null 2>&1 && fail "HKCR\\$k is left"; done
wine reg query "$clsid" /reg:64 >/dev/null 2>&1 && fail "the thumbnail extension is still registered"
# A new Wine server carries out the restart list, as Windows does when it starts.
wait_until 30 copies_gone || fail "the restart did not remove the uninstaller's copy"
echo "uninstall with the question ok"
# Now what the user and the other program own goes too, by hand.
rm -f "$folder/notes.txt"
rmdir "$folder"
wine reg delete 'HKCR\.pts' /f >/dev/null 2>&1

# The same install laid back, then the silent run.
mkdir -p "$folder"
cp -a "$work/install/." "$folder/"
cp -a "$thumbsrc/$thumb" "$sysdir/$thumb"
while read -r l; do cp -a "$work/$(basename "$(dirname "$l")").lnk" "$l"; done <<<"$links"
cp -a "$work/Programs.lnk" "$desktop/Prismatone.lnk"
wine reg import "$work/entry.reg" /reg:32 >/dev/null 2>&1 || fail "cannot lay the Uninstall entry back"
for k in .pts .ptt Prismatone.Preset Prismatone.Theme; do wine reg import "$work/$k.reg" >/dev/null 2>&1; done
register_thumbnail "$sysdir" "$thumb" || fail "cannot register $thumb again"
[ -n "$(uninstall_program)" ] || fail "the Uninstall entry was not laid back"
run_uninstaller /S
[ "$code" = 0 ] || fail "the silent uninstall: exit code $code, not 0"
[ ! -e "$folder" ] || fail "the install folder is left when the exit code is reported: $(ls -A "$folder")"
timeout "$(wait_limit 60)" wineserver -w || true
[ ! -e "$sysdir/$thumb" ] || fail "$thumb is left"
wine reg query "$clsid" /reg:64 >/dev/null 2>&1 && fail "the thumbnail extension is still registered"
wait_until 30 copies_gone || fail "the restart did not remove the uninstaller's copy"
echo "silent uninstall ok"

# Nothing differs from before the install.
snapshot_state "$work/after"
compare_state "$work/before" "$work/after"
echo "uninstall ok ($kind)"
