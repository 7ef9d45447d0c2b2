#!/usr/bin/env bash
# thumbnail_register.sh win64|win32 library.dll 32|64: registers the thumbnail extension with the
# prefix's own regsvr32 /s, checks the keys it wrote (the class with its InprocServer32 path and
# apartment threading, the thumbnail handler keys of .pts and .ptt), unregisters it with /u and
# checks that exactly those keys are gone: a file type's own value on .ptt stays.
set -euo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
kind=$1 dll=$2 bits=$3
wine_prefix "$kind"
clsid='{FE80ED9A-4E3F-4FCC-92BD-123BCE958577}'
handler='{e357fccd-a995-4576-b01f-234630154e96}'
view=()
regsvr='C:\windows\system32\regsvr32.exe'
if [ "$kind" = win64 ]; then
  if [ "$bits" = 32 ]; then view=(/reg:32); regsvr='C:\windows\syswow64\regsvr32.exe'; else view=(/reg:64); fi
fi
path=$(winepath -w "$dll" 2>/dev/null)
fail() { echo "FAIL ($kind, $bits-bit): $*" >&2; exit 1; }
# query/exists KEY [VIEW]: the class key is kept apart per bitness (the 32-bit one under
# Wow6432Node) and is read in the extension's view; file-type keys are shared by both and are read
# without one. (Wine's reg tool with /reg:32 would look for them under Wow6432Node, where no
# 32-bit program writes them.)
query() { wine reg query "$@" 2>/dev/null | tr -d '\r' || true; }
exists() { wine reg query "$@" >/dev/null 2>&1; }

exists "HKCR\\CLSID\\$clsid" "${view[@]}" && fail "the class is registered before the test"
pts_before=no
exists 'HKCR\.pts' && pts_before=yes
# .ptt carries a file type's value, as the setup's file association writes it.
added_ptt=
if ! exists 'HKCR\.ptt'; then
  wine reg add 'HKCR\.ptt' /ve /d Prismatone.Theme /f >/dev/null 2>&1
  added_ptt=yes
fi
cleanup() {
  # What a failed check left registered; after a pass there is nothing (each 32-bit regsvr32
  # costs a minute's start where 32-bit code is emulated).
  if exists "HKCR\\CLSID\\$clsid" "${view[@]}" || exists "HKCR\\.pts\\ShellEx\\$handler"; then wine "$regsvr" /u /s "$path" >/dev/null 2>&1 || true; fi
  [ -n "$added_ptt" ] && wine reg delete 'HKCR\.ptt' /f >/dev/null 2>&1 || true
  wineserver -w || true
}
trap cleanup EXIT

wine "$regsvr" /s "$path" || fail "regsvr32 /s returned $?"
out=$(query "HKCR\\CLSID\\$clsid\\InprocServer32" "${view[@]}")
grep -qiF "$path" <<<"$out" || fail "InprocServer32 does not name $path: $out"
grep -q 'ThreadingModel.*REG_SZ.*Apartment' <<<"$out" || fail "no apartment threading: $out"
for ext in .pts .ptt; do
  out=$(query "HKCR\\$ext\\ShellEx\\$handler")
  grep -qiF "$clsid" <<<"$out" || fail "$ext has no thumbnail handler: $out"
done

wine "$regsvr" /u /s "$path" || fail "regsvr32 /u /s returned $?"
exists "HKCR\\CLSID\\$clsid" "${view[@]}" && fail "the class is still registered"
exists "HKCR\\.pts\\ShellEx\\$handler" && fail ".pts still has the handler"
exists "HKCR\\.ptt\\ShellEx" && fail ".ptt still has its ShellEx key"
pts_after=no
exists 'HKCR\.pts' && pts_after=yes
[ "$pts_before" = "$pts_after" ] || fail ".pts existed: $pts_before before, $pts_after after"
query 'HKCR\.ptt' | grep -q 'Prismatone.Theme' || fail "the file type's value of .ptt was removed"
echo "thumbnail extension registration ok ($kind, $bits-bit)"
