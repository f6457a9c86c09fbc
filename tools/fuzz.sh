#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs each.
#   tools/fuzz.sh [SECONDS]   each target for SECONDS (default 10) on one core, after
#                             replaying the inputs of its earlier findings
#   tools/fuzz.sh --runs N    each target for N inputs instead: with the fixed seed the
#                             same inputs on every machine, however fast (CI uses this,
#                             so that its result does not depend on the machine's speed)
# A finding stops the script with the target's report; the input is in
# build-fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time="${1:-10}")
label="${1:-10}s"
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="${2:?--runs needs a number}")
  label="$2 runs"
fi
targets=(dxf script ini length)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKZ_FUZZ=ON -DKZ_BUILD_TESTS=OFF \
  -DKZ_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
rm -rf build-fuzz/corpus # a fresh seed corpus: the same inputs on every run
fuzz/corpus.sh build-fuzz/corpus
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${targets[@]}"; do
  rm -rf "build-fuzz/findings/$t"
  mkdir -p "build-fuzz/findings/$t"
  if compgen -G "fuzz/regressions/$t/*" >/dev/null &&
     ! "build-fuzz/fuzz/fuzz_$t" fuzz/regressions/$t/* >"build-fuzz/findings/$t.log" 2>&1; then
    cat "build-fuzz/findings/$t.log" >&2
    echo "fuzz_$t fails on an input of fuzz/regressions/$t again" >&2
    exit 1
  fi
  echo "fuzz_$t: $label"
  # A fixed seed: a run on the seed corpus tries the same inputs each time, so that a
  # finding in CI comes back on the next run instead of passing by chance. An input that
  # takes 20 seconds is a hang, and a finding.
  "build-fuzz/fuzz/fuzz_$t" "build-fuzz/corpus/$t" "${limit[@]}" -seed=1 \
    -timeout=20 -artifact_prefix="build-fuzz/findings/$t/" -print_final_stats=1 2>&1 |
    grep -E '^stat::number_of_executed_units|ERROR|fuzz_|SUMMARY' || true
  if compgen -G "build-fuzz/findings/$t/*" >/dev/null; then
    echo "fuzz_$t found a fault: $(ls build-fuzz/findings/$t/)" >&2
    exit 1
  fi
done
