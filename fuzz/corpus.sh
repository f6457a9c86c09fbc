#!/usr/bin/env bash
# Gathers the seed corpus of each fuzz target into DIR/<target>: the hand-made seeds of
# fuzz/seeds/ and the project's own drawings, scripts and ini files.
#   fuzz/corpus.sh DIR
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:?usage: fuzz/corpus.sh DIR}"
for t in dxf script ini length module; do
  mkdir -p "$out/$t"
  cp "$root/fuzz/seeds/$t/"* "$out/$t/" 2>/dev/null || true
done
find "$root/samples" "$root/tests" -name '*.dxf' -exec cp {} "$out/dxf/" \;
find "$root/samples" "$root/tests" -name '*.scr' -exec cp {} "$out/script/" \;
find "$root/samples" "$root/tests" -name '*.scr' -exec cp {} "$out/module/" \;
find "$root/samples" "$root/tests" -name '*.ini' -exec cp {} "$out/ini/" \;
