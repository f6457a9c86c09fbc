#!/usr/bin/env bash
# Runs the test suite of a build (default build/) under valgrind's memcheck: each
# GoogleTest program whole, then the end-to-end Python tests with the build's programs
# (kzdim, make_route_sample, kzrc, the test programs they call) run under memcheck
# through wrapper scripts. Fails when a test fails or memcheck reports anything: an
# invalid access, an uninitialised value used, memory definitely or indirectly lost.
# Programs they start run under memcheck too. One log per process in
# BUILD/memcheck/logs/.
#   tools/memcheck.sh [BUILD_DIR]
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2
src=$(pwd -P)
build=$(cd "${1:-build}" && pwd -P) || { echo "memcheck: no build folder ${1:-build}" >&2; exit 2; }
command -v valgrind >/dev/null || { echo "memcheck: valgrind is not installed" >&2; exit 2; }
out=$build/memcheck
rm -rf "$out"
mkdir -p "$out/logs" "$out/bin"
vg="valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
--errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
--trace-children=yes --suppressions=$src/tools/valgrind.supp"
failed=()

# GoogleTest programs, from the build folder as CTest runs them. Death tests fork:
# each child writes its own log (%p).
for t in "$build"/bin/test_*; do
  n=$(basename "$t")
  start=$SECONDS
  if (cd "$build" && $vg --log-file="$out/logs/$n.%p.log" "$t" >"$out/logs/$n.out" 2>&1); then
    echo "memcheck: $n passed ($((SECONDS - start)) s)"
  else
    echo "memcheck: $n FAILED ($((SECONDS - start)) s), see $out/logs/$n.*"
    failed+=("$n")
  fi
done

# The Python tests find the programs through KZ_BIN_DIR: a folder of wrappers that run
# the real programs under memcheck, beside links to everything else (modules, resource
# files, the ini folder).
for f in "$build"/bin/*; do
  n=$(basename "$f")
  if [ -f "$f" ] && [ -x "$f" ] && [[ "$n" != *.* ]] && [[ "$n" != lib* ]]; then
    cat >"$out/bin/$n" <<WRAP
#!/bin/sh
real="$f"
here=\$(cd "\$(dirname "\$0")" && pwd -P)
if [ "\$here" != "$out/bin" ]; then
  # A test copied this program into a folder of its own (to see what it finds beside
  # itself): run a copy of the real one from there.
  cp "\$real" "\$here/.$n.memcheck" && real="\$here/.$n.memcheck"
fi
exec $vg --log-file="$out/logs/$n.%p.log" "\$real" "\$@"
WRAP
    chmod +x "$out/bin/$n"
  else
    ln -s "$f" "$out/bin/$n"
  fi
done
while IFS= read -r py; do
  n=${py#"$src"/tests/}
  start=$SECONDS
  if KZ_BIN_DIR=$out/bin KZ_SOURCE_DIR=$src PYTHONDONTWRITEBYTECODE=1 \
    /usr/bin/python3 "$py" >"$out/logs/py.${n//\//_}.out" 2>&1; then
    echo "memcheck: $n passed ($((SECONDS - start)) s)"
  else
    echo "memcheck: $n FAILED ($((SECONDS - start)) s), see $out/logs/py.${n//\//_}.out"
    failed+=("$n")
  fi
done < <(find "$src/tests" -name 'test_*.py' | sort)

# Every process's report, also of runs whose failure a test expected.
reports=$(grep -L "ERROR SUMMARY: 0 errors" "$out"/logs/*.log | wc -l)
processes=$(find "$out/logs" -name "*.log" | wc -l)
echo "memcheck: $processes processes, $reports with reports; ${#failed[@]} tests failed"
if [ "$reports" -gt 0 ]; then
  grep -L "ERROR SUMMARY: 0 errors" "$out"/logs/*.log | head -20
fi
[ "$processes" -gt 0 ] && [ "$reports" -eq 0 ] && [ "${#failed[@]}" -eq 0 ]
