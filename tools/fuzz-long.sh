#!/usr/bin/env bash
# Runs one fuzz target of build-fuzz/ (made by tools/fuzz.sh) until it has used
# CPU_SECONDS of CPU time, in 600-second runs from a corpus that grows across runs
# (build-fuzz/long/<target>, seeded from build-fuzz/corpus/<target>). Stops at the first
# finding, whose input is in build-fuzz/longfind/<target>/. Appends one line per run to
# build-fuzz/long/<target>.log: the CPU time of the run, the total and the inputs tried.
#   tools/fuzz-long.sh TARGET [CPU_SECONDS]      (default 1800)
set -uo pipefail
cd "$(dirname "$0")/.."
t=${1:?usage: tools/fuzz-long.sh TARGET [CPU_SECONDS]}
want=${2:-1800}
bin=build-fuzz/fuzz/fuzz_$t
[ -x "$bin" ] || { echo "no $bin: run tools/fuzz.sh first" >&2; exit 2; }
log=build-fuzz/long/$t.log
mkdir -p "build-fuzz/long/$t" "build-fuzz/longfind/$t"
if [ -z "$(ls -A "build-fuzz/long/$t")" ] && [ -d "build-fuzz/corpus/$t" ]; then
  cp -r "build-fuzz/corpus/$t/." "build-fuzz/long/$t/"
fi
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
times=$(mktemp)
trap 'rm -f "$times"' EXIT
total=0
echo "start $(date -u +%FT%TZ) $(git log --oneline -1 2>/dev/null)" >>"$log"
while [ "$total" -lt "$want" ]; do
  /usr/bin/time -f "%U %S" -o "$times" "$bin" "build-fuzz/long/$t" -max_total_time=600 \
    -timeout=20 -artifact_prefix="build-fuzz/longfind/$t/" -print_final_stats=1 \
    >>"$log.out" 2>&1
  cpu=$(awk 'END {printf "%d", $1 + $2}' "$times") # the last line: a failing run adds one before it
  total=$((total + cpu))
  echo "run cpu=${cpu}s total=${total}s $(grep number_of_executed_units "$log.out" | tail -1)" >>"$log"
  if [ -n "$(ls -A "build-fuzz/longfind/$t")" ]; then
    echo "finding: $(ls "build-fuzz/longfind/$t")" | tee -a "$log" >&2
    exit 1
  fi
done
echo "done: ${total}s of CPU without a finding" | tee -a "$log"
