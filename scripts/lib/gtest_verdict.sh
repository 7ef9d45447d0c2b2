# gtest_log_passed LOG: succeeds when a GoogleTest program's console output shows that every
# test it announced ran to an end, passed or skipped, and none failed. It judges a process that
# an emulator crashed after its last test, before (or while) any report file was written.
gtest_log_passed() {
  local log=$1 announced ran passed skipped failed
  announced=$(sed -n 's/^\[==========\] Running \([0-9]*\) tests\{0,1\} from .*/\1/p' "$log" | head -n1)
  [ -n "$announced" ] && [ "$announced" -gt 0 ] || return 1
  ran=$(grep -c '^\[ RUN      \] ' "$log")
  passed=$(grep -c '^\[       OK \] ' "$log")
  skipped=$(grep -c '^\[  SKIPPED \] [^ ]* (' "$log")
  failed=$(grep -c '^\[  FAILED  \] ' "$log")
  [ "$failed" = 0 ] && [ "$ran" = "$announced" ] && [ $((passed + skipped)) = "$announced" ]
}
