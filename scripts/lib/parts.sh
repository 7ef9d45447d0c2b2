# Sourced by test.sh: runs the suite in named parts and keeps one summary line per part.
#   part NAME COMMAND...       runs COMMAND, recording passed or failed and its time
#   part_skip NAME REASON      records a part that does not run here, and why
#   part_note TEXT             adds to the line of the part just run
#   parts_summary              prints the lines and the total time; fails when a part failed
PARTS_LINES=()
PARTS_FAILED=0
PARTS_START=$SECONDS

part() {
  local name=$1 start=$SECONDS rc
  shift
  echo "=== $name"
  "$@"
  rc=$?
  if [ $rc = 0 ]; then
    PARTS_LINES+=("$(printf '%-18s passed   %5d s' "$name" $((SECONDS - start)))")
  else
    PARTS_LINES+=("$(printf '%-18s FAILED   %5d s  (exit code %d)' "$name" $((SECONDS - start)) $rc)")
    PARTS_FAILED=1
  fi
  return 0
}

part_skip() {
  PARTS_LINES+=("$(printf '%-18s skipped           %s' "$1" "$2")")
}

# part_note TEXT: adds TEXT to the line of the part just run (what was left out, and why).
part_note() { PARTS_LINES[-1]+="  $1"; }

parts_summary() {
  local line
  echo "=== summary"
  for line in "${PARTS_LINES[@]}"; do echo "$line"; done
  echo "total ${#PARTS_LINES[@]} parts in $((SECONDS - PARTS_START)) s"
  return $PARTS_FAILED
}
