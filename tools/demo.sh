#!/usr/bin/env bash
# Installs what is needed, builds, and runs the main job on the bundled sample drawing:
# kzdim demo runs each script of samples/scripts (route dimensions made, texts moved,
# extension lines aligned, a route length changed by its dimension). Results in out/:
# per script the drawing, its picture and the transcript; out/frames: the drags.
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
  rsvg-convert out/make-dimensions.svg -o out/make-dimensions.png
fi
echo "out/route-sample.svg: the sample drawing as it comes"
