# Sourced by setup_e2e.sh: the prefix's state before and after, and the uninstaller run as the list
# of installed programs runs it.

# snapshot_state DIR: what an install may touch, in comparable text: every path below drive_c
# (with file sizes), HKLM\Software in both views (HKCR's machine part among it), the user's
# classes and shell folders.
snapshot_state() {
  local dir=$1 k
  mkdir -p "$dir"
  timeout "$(wait_limit 60)" wineserver -w || true
  (cd "$WINEPREFIX/drive_c" && find . -xdev -printf '%y %s %p\n' | LC_ALL=C sort) >"$dir/files"
  : >"$dir/registry"
  for k in 'HKLM\Software /reg:64' 'HKLM\Software /reg:32' 'HKCU\Software\Classes' \
           'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
           'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders'; do
    # shellcheck disable=SC2086 # the view switch is a word of its own
    set -- ${k##* }
    case $1 in /reg:*) k=${k% *} ;; *) set -- ;; esac
    echo "== $k $*" >>"$dir/registry"
    wine reg export "$k" "$dir/part.reg" "$@" /y >/dev/null 2>&1 || true
    # UTF-16 export to UTF-8 lines; the header line carries nothing comparable.
    [ -f "$dir/part.reg" ] && iconv -f UTF-16 -t UTF-8 "$dir/part.reg" | tr -d '\r' | tail -n +2 >>"$dir/registry"
    rm -f "$dir/part.reg"
  done
  # An export that failed would make every comparison pass.
  [ "$(grep -c '^\[HKEY_LOCAL_MACHINE' "$dir/registry")" -gt 100 ] || fail "the registry could not be exported"
}

# compare_state BEFORE AFTER: fails on any difference.
compare_state() {
  local before=$1 after=$2 diffs
  diffs=$(diff "$before/files" "$after/files" | grep '^[<>]' || true)
  [ -z "$diffs" ] || fail "files differ from before the install:
$diffs"
  diffs=$(diff "$before/registry" "$after/registry" | grep '^[<>]' || true)
  [ -z "$diffs" ] || fail "the registry differs from before the install:
$diffs"
}

# uninstall_command: the Uninstall entry's "UninstallString" as a Unix-side argument list for the
# 32-bit loader: the quoted program path.
uninstall_program() {
  local s
  s=$(wine reg query "$uninstall" /reg:32 /v UninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
  s=${s#\"}
  echo "${s%\"}"
}

# run_uninstaller ARGS...: runs the uninstaller named by the entry with ARGS and waits; its exit
# code in $code.
run_uninstaller() {
  local program
  program=$(uninstall_program)
  [ -n "$program" ] || fail "no UninstallString"
  code=0
  timeout "$(wait_limit 120)" "$PRISMATONE_WINE32_LOADER" "$program" "$@" || code=$?
}

# wait_for_box: waits for the uninstaller's message box ("Удаление Prismatone"); its id in $box,
# a screenshot of it in $shots.
wait_for_box() {
  box_shown() {
    box=$(xdotool search --name 'Удаление Prismatone' 2>/dev/null | head -n1 || true)
    [ -n "$box" ]
  }
  wait_until 60 box_shown || fail "no message box of the uninstaller"
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$box")"
  screen_settled "${WIDTH}x$HEIGHT+$X+$Y" >/dev/null || true
  import -window root "$shots/box-$((++boxes)).png" 2>/dev/null || true
}

# press_in_box KEY: presses KEY in the box found by wait_for_box and waits for it to close.
press_in_box() {
  # A click beside the text makes the box the active window (no window manager runs here to
  # give it the focus), then the key goes to its default button.
  local WINDOW X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$box")"
  xdotool mousemove $((X + 12)) $((Y + HEIGHT - 12)) click 1
  box_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$box" ]; }
  wait_until 5 box_focused || echo "the message box did not report the focus; pressing $1 all the same"
  xdotool key --clearmodifiers "$1"
  box_gone() { ! xdotool getwindowname "$box" >/dev/null 2>&1; }
  wait_until 30 box_gone || fail "the message box did not close on $1"
}

# uninstaller_copies: the uninstaller's private folders, below the system's temporary folder.
uninstaller_copies() { find "$WINEPREFIX/drive_c/windows" -maxdepth 2 -ipath '*/windows/temp/Prismatone-uninstall-*' 2>/dev/null; }

# copies_gone: no private copy of the uninstaller is left in the prefix.
copies_gone() { [ -z "$(uninstaller_copies)" ]; }

# pending_renames: the restart list of the prefix, one name per line.
pending_renames() {
  wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null |
    tr -d '\r' | sed -n 's/.*REG_MULTI_SZ *//p' | sed 's/\\0/\n/g'
}

# drop_uninstaller_copies: takes the uninstaller's private copies away, as the next restart would,
# and the restart list with them (what a failed run leaves).
drop_uninstaller_copies() {
  uninstaller_copies | while read -r copy; do rm -rf "$copy"; done
  wine reg delete 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations /f >/dev/null 2>&1 || true
}
