# Sourced by test.sh: runs the suite in named parts and keeps one summary line per part.
#   part NAME COMMAND...       runs COMMAND, recording passed or failed and its time
#   part_skip NAME REASON      records a part that does not run here, and why
#   part_note TEXT             adds to the line of the part just run
#   ctest_retrying ARGS...     ctest ARGS; the tests that fail run once more, and those that pass
#                              then are named in the part's line
#   parts_summary              prints the lines, what was retried or judged by its log, and the
#                              total time against CI's budget; fails when a part failed
# Test programs that were judged by their own log after a crash at exit append a line to the file
# named by PRISMATONE_VERDICTS (scripts/wine-run.sh, the gallery); the summary lists them.
PARTS_LINES=()
PARTS_FAILED=0
PARTS_START=$SECONDS
PARTS_BUDGET=${PARTS_BUDGET:-5400}
PARTS_RETRIED=()

part() {
  local name=$1 start=$SECONDS rc
  shift
  echo "=== $name"
  PARTS_RETRIED=()
  "$@"
  rc=$?
  if [ $rc = 0 ]; then
    PARTS_LINES+=("$(printf '%-18s passed   %5d s' "$name" $((SECONDS - start)))")
  else
    PARTS_LINES+=("$(printf '%-18s FAILED   %5d s  (exit code %d)' "$name" $((SECONDS - start)) $rc)")
    PARTS_FAILED=1
  fi
  if [ ${#PARTS_RETRIED[@]} -gt 0 ]; then
    part_note "(passed only on a second run: ${PARTS_RETRIED[*]})"
  fi
  return 0
}

part_skip() {
  PARTS_LINES+=("$(printf '%-18s skipped           %s' "$1" "$2")")
}

# part_note TEXT: adds TEXT to the line of the part just run (what was left out, and why).
part_note() { PARTS_LINES[-1]+="  $1"; }

# failed_tests DIR: the names of the tests that failed in the last ctest run of the tree DIR.
failed_tests() { cut -d: -f2- "$1/Testing/Temporary/LastTestsFailed.log" 2>/dev/null; }

# ctest_retrying --test-dir DIR ARGS...: runs ctest; when tests fail, runs exactly those once more.
# Those that pass the second time go into PARTS_RETRIED; a test that fails twice fails the part.
ctest_retrying() {
  local dir=$2 first second name
  ctest "$@" && return 0
  first=$(failed_tests "$dir")
  [ -n "$first" ] || return 1
  echo "--- running the failed tests once more: $(echo $first)"
  ctest "$@" --rerun-failed
  local rc=$?
  second=$(failed_tests "$dir")
  [ $rc = 0 ] && second=
  for name in $first; do
    grep -qxF "$name" <<<"$second" || PARTS_RETRIED+=("$name")
  done
  return $rc
}

parts_summary() {
  local line total=$((SECONDS - PARTS_START))
  echo "=== summary"
  for line in "${PARTS_LINES[@]}"; do echo "$line"; done
  if [ -s "${PRISMATONE_VERDICTS:-}" ]; then
    echo "judged by their own log after a crash at exit:"
    sed 's/^/  /' "$PRISMATONE_VERDICTS"
  fi
  echo "total ${#PARTS_LINES[@]} parts in $total s of CI's $PARTS_BUDGET s ($((100 * total / PARTS_BUDGET)) %)"
  return $PARTS_FAILED
}
