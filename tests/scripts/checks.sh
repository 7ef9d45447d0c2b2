# Sourced by the script tests: a scratch folder in $work (removed at exit) and checks counted.
#   check DESCRIPTION CONDITION...  counts CONDITION's outcome, naming a failed one
#   checks_done                     prints the counts; fails when a check failed
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() {
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what" >&2; fi
}
checks_done() {
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
}
