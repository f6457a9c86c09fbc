#!/usr/bin/env bash
# Loads and saves the same generated drawing with kzdim's database (the Google
# Benchmark program bench_dxf_load_save), with ezdxf and (load only) with dxflib, in one
# run, and prints the figures and their ratios, and the peak memory of a process that
# only loads the drawing with kzdim. CPU time is compared: the machine may be shared.
#   bench/compare_readers.sh [BUILD_DIR]      (default: build)
# With KZ_BENCH_OUT=FOLDER the drawing and the programs' outputs stay in FOLDER.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
if [ -n "${KZ_BENCH_OUT:-}" ]; then
  work=$KZ_BENCH_OUT
  mkdir -p "$work"
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
export KZ_BENCH_DXF="$work/bench.dxf"
"$build/bin/bench_dxf_load_save" --benchmark_out="$work/kzdim.json" --benchmark_out_format=json
"$build/bin/bench_dxf_load_save" --load-only "$KZ_BENCH_DXF" | tee "$work/load_only.txt"
if [ -x "$build/bin/bench_dxflib_read" ]; then
  "$build/bin/bench_dxflib_read" "$KZ_BENCH_DXF" 3 | tee "$work/dxflib.txt"
else
  echo "bench_dxflib_read is not built (dxflib not installed): no dxflib figures"
  : > "$work/dxflib.txt"
fi
/usr/bin/python3 bench/compare_readers.py "$work/kzdim.json" "$KZ_BENCH_DXF" \
  "$work/load_only.txt" "$work/dxflib.txt"
