#!/usr/bin/env bash
# Loads and saves the same generated drawing with kzdim's database (the Google
# Benchmark program bench_dxf_load_save) and with ezdxf, in one run, and prints both
# figures and their ratio. CPU time is compared: the machine may be shared.
#   bench/compare_ezdxf.sh [BUILD_DIR]      (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KZ_BENCH_DXF="$work/bench.dxf"
"$build/bin/bench_dxf_load_save" --benchmark_out="$work/kzdim.json" --benchmark_out_format=json
/usr/bin/python3 bench/compare_ezdxf.py "$work/kzdim.json" "$KZ_BENCH_DXF"
