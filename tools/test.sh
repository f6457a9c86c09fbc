#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
#   tools/test.sh              normal build in build/
#   tools/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
dir=build
flags=()
repeat=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags=(-DKZ_SANITIZE=ON -DKZ_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  # LeakSanitizer's own thread that stops the process at exit to look for leaks now
  # and then crashes ("Tracer caught signal 11", a known fault of the sanitizer
  # runtime); a test that fails is run once more, and its first failure stays in the log.
  repeat=(--repeat until-pass:2)
fi
cmake -S . -B "$dir" "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" "${repeat[@]}"
