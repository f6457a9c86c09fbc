#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs each.
#   tools/fuzz.sh [SECONDS]   each target for SECONDS (default 10) on one core, after
#                             replaying the inputs of its earlier findings
#   tools/fuzz.sh --runs N [--report-new]
#                             each target for N inputs instead of a time
# An input of fuzz/regressions that fails again stops the script. A new finding stops it
# too, with the target's report (the input is in build-fuzz/findings/<target>/), unless
# --report-new is given: then it is reported, its input printed in base64, and the run
# goes on. CI uses that: libFuzzer's runs are not reproducible here even with a fixed
# seed (three runs of 2,000 inputs from the same corpus reached different coverage), so
# a new finding in CI's short run says that fuzzing has more to find, not that the
# change under test broke something; the replayed regressions are what CI enforces.
set -euo pipefail
cd "$(dirname "$0")/.."
limit=(-max_total_time="${1:-10}")
label="${1:-10}s"
report_new=0
if [ "${1:-}" = "--runs" ]; then
  limit=(-runs="${2:?--runs needs a number}")
  label="$2 runs"
  [ "${3:-}" = "--report-new" ] && report_new=1
fi
targets=(dxf script ini length module)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DKZ_FUZZ=ON -DKZ_BUILD_TESTS=OFF \
  -DKZ_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}"
rm -rf build-fuzz/corpus # a fresh seed corpus, without what earlier runs added
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
    if [ "$report_new" = 0 ]; then
      exit 1
    fi
    for f in build-fuzz/findings/$t/*; do
      echo "new finding of fuzz_$t (not fixed yet), base64 of $(basename "$f"):"
      base64 -w 76 "$f" | head -c 20000
      echo
    done
  fi
done
