#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job on the bundled sample drawing:
# KZ_DIM_MAKE on the pipe run, the riser, the duct and free points
# (samples/scripts/make-dimensions.scr). Results in out/: the dimensioned drawing, its
# picture, one picture per cursor move of the drags, and the transcript.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
mkdir -p out
build/bin/kzdim render samples/route-sample.dxf --svg out/route-sample.svg
# The main job: kzdim demo runs the bundled script on the bundled drawing.
build/bin/kzdim demo out
if command -v rsvg-convert >/dev/null; then
  rsvg-convert out/dimensioned.svg -o out/dimensioned.png
fi
echo "out/route-sample.svg: the sample drawing as it comes"
echo "out/dimensioned.dxf, out/dimensioned.svg: after the script; out/frames: the drags"
