#!/usr/bin/env bash
# Runs the benchmarks that the scale targets are measured by, the DXF comparison with
# ezdxf and dxflib (compare_readers.sh), and prints every target beside its figure.
#   bench/run_all.sh [BUILD_DIR]      (default: build; a Release or RelWithDebInfo build)
# Takes a few minutes. CPU time is compared: the machine may be shared.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bin/bench_route_dimensions" \
  --benchmark_filter='BM_(BuildRouteDimensions|SampleSameSide|SampleSideChange|Commit)/' \
  --benchmark_out="$work/route.json" --benchmark_out_format=json
"$build/bin/bench_edit_commands" --benchmark_out="$work/edit.json" --benchmark_out_format=json
KZ_BENCH_OUT="$work/dxf" bench/compare_readers.sh "$build"
/usr/bin/python3 bench/targets.py "$work/route.json" "$work/edit.json" "$work/dxf/kzdim.json" \
  "$work/dxf/bench.dxf" "$work/dxf/load_only.txt"
