#!/usr/bin/env bash
# fuzz.sh SECONDS [TARGET...]: builds the libFuzzer targets with clang (build/fuzz) and runs each
# for SECONDS over its checked-in seed corpus (tests/fuzz/corpus/<name>), growing a working corpus
# under build/fuzz/corpus. Any crash, leak, sanitizer report or hang fails the run; the input that
# caused it is left in build/fuzz/artifacts. Targets: fuzz_images, fuzz_package, fuzz_options,
# fuzz_paint.
# scripts/test.sh runs it for about 30 seconds a target; longer runs are made by hand.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_images fuzz_package fuzz_options fuzz_paint)
build="$root/build/fuzz"
source "$root/scripts/lib/trees.sh"
build_tree fuzz "${targets[@]}"
status=0
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  seeds="$root/tests/fuzz/corpus/$name"
  work="$build/corpus/$name"
  mkdir -p "$work" "$build/artifacts"
  exe=$(find "$build/tests" -name "$t" -type f -executable | head -n1)
  echo "fuzzing $t for $seconds s"
  if "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$t-" "$work" "$seeds" >"$build/$t.log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units)' "$build/$t.log" | tail -n1
  else
    echo "FAIL: $t found a fault; its report:" >&2
    grep -vE '^#[0-9]+' "$build/$t.log" | tail -n 40 >&2
    status=1
  fi
done
exit $status
