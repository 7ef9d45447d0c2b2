#!/usr/bin/env bash
# How a crashed emulated test program is judged from its console output: only a complete run
# without failures passes.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/lib/gtest_verdict.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0
check() { # description expected(0|1) log-text
  local rc=0
  printf '%s' "$3" | sed 's/$/\r/' >"$work/log"
  gtest_log_passed "$work/log" || rc=1
  if [ $rc = "$2" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $1" >&2; fi
}
head='[==========] Running 3 tests from 2 test suites.
[----------] Global test environment set-up.
'
a='[ RUN      ] A.One
[       OK ] A.One (5 ms)
'
b='[ RUN      ] A.Two
[       OK ] A.Two (7 ms)
'
skip='[ RUN      ] B.Disk
x.cpp:244: Skipped
[  SKIPPED ] B.Disk (0 ms)
'
bad='[ RUN      ] B.Disk
x.cpp:12: Failure
[  FAILED  ] B.Disk (3 ms)
'
check "all ran, one skipped, crash after the last" 0 "$head$a$b$skip"
check "crash inside the last test" 1 "$head$a$b[ RUN      ] B.Disk
"
check "a failed test" 1 "$head$a$b$bad"
check "a test missing" 1 "$head$a$skip"
check "no announcement" 1 "$a$b$skip"
check "a complete run with its summary" 0 "$head$a$b$skip[==========] 3 tests from 2 test suites ran. (12 ms total)
[  PASSED  ] 2 tests.
[  SKIPPED ] 1 test, listed below:
[  SKIPPED ] B.Disk
"
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
