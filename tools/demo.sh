#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job on the bundled sample drawing:
# the result drawing and its picture go to out/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
mkdir -p out
# The sample is made by samples/generator; the committed copy is what it makes.
build/bin/kzdim render samples/route-sample.dxf --svg out/route-sample.svg
if command -v rsvg-convert >/dev/null; then
  rsvg-convert out/route-sample.svg -o out/route-sample.png
fi
echo "out/route-sample.svg: the sample drawing's model space"
