"""Times `kzdim run` on straight pipe runs of different lengths: the placement drag with
20 cursor moves that switch sides at every move, with and without the pick that adds
the dimensions, and the two editing commands on the dimensions a pick made. Prints CPU
seconds (best of three runs; load and save included) and the ratio between the runs.

    /usr/bin/python3 bench/drag_scaling.py [BUILD_DIR] [N ...]     (default: build 200 2000)

The drawings come from `make_route_sample --run N`: N 2000-unit pipes joined end to end
along x, so a pick makes N dimensions.
"""
import os
import resource
import subprocess
import sys
import tempfile

MOVES = 20


def cpu_of(cmd):
    """CPU seconds (user + system) of one run of cmd; fails loudly if it fails."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    done = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    if done.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(cmd), done.stderr.decode(errors="replace")))
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def best_of(runs, cmd):
    return min(cpu_of(cmd) for _ in range(runs))


def drag_script(n, pick):
    """KZ_DIM_MAKE on every element, MOVES moves crossing the run each time."""
    lines = ["KZ_DIM_MAKE", "ALL", ""]
    x = 1000.0 * n  # the middle of the run
    for i in range(MOVES):
        lines.append("~%.1f,%d" % (x + 37 * i, 300 if i % 2 == 0 else -300))
    lines.append("%.1f,300" % x if pick else "*CANCEL*")
    return "\n".join(lines) + "\n"


def edit_scripts(n):
    """The text move and the extension-line alignment on all n dimensions."""
    x = 1000.0 * n
    text = ["KZ_DIM_EDITTEXT", "ALL", ""]
    text += ["~%.1f,%d" % (x, 400 + 10 * i) for i in range(MOVES)]
    text.append("%.1f,500" % x)
    xline = ["KZ_DIM_EDITXLINE", "ALL", "", "%.1f,-100" % x]
    return "\n".join(text) + "\n", "\n".join(xline) + "\n"


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else "build"
    counts = [int(a) for a in sys.argv[2:]] or [200, 2000]
    kzdim = os.path.join(build, "bin", "kzdim")
    generator = os.path.join(build, "bin", "make_route_sample")
    rows = []
    with tempfile.TemporaryDirectory() as tmp:
        def path(name):
            return os.path.join(tmp, name)

        def script(name, text):
            with open(path(name), "w", encoding="utf-8") as f:
                f.write(text)
            return path(name)

        for n in counts:
            drawing = path("run%d.dxf" % n)
            subprocess.run([generator, "--run", str(n), drawing], check=True)
            out = path("out%d.dxf" % n)
            empty = script("empty.scr", "")
            base = best_of(3, [kzdim, "run", drawing, "--script", empty, "--out", out])
            drag = best_of(3, [kzdim, "run", drawing, "--script",
                               script("drag%d.scr" % n, drag_script(n, False)), "--out", out])
            pick = best_of(3, [kzdim, "run", drawing, "--script",
                               script("pick%d.scr" % n, drag_script(n, True)), "--out", out])
            # The picked drawing carries the n dimensions for the editing commands.
            dimensioned = path("dims%d.dxf" % n)
            cpu_of([kzdim, "run", drawing, "--script", path("pick%d.scr" % n),
                    "--out", dimensioned])
            text, xline = edit_scripts(n)
            dims_base = best_of(3, [kzdim, "run", dimensioned, "--script", empty, "--out", out])
            edit_text = best_of(3, [kzdim, "run", dimensioned, "--script",
                                    script("text%d.scr" % n, text), "--out", out])
            edit_xline = best_of(3, [kzdim, "run", dimensioned, "--script",
                                     script("xline%d.scr" % n, xline), "--out", out])
            rows.append((n, base, drag, pick, dims_base, edit_text, edit_xline))

    print("CPU seconds of `kzdim run`, best of 3 (load and save of the drawing included)")
    print("%6s %10s %12s %12s %12s %14s %14s" % ("N", "load+save", "drag 20 mv", "drag+pick",
                                               "dims l+s", "EDITTEXT", "EDITXLINE"))
    for r in rows:
        print("%6d %10.3f %12.3f %12.3f %12.3f %14.3f %14.3f" % r)
    if len(rows) >= 2:
        a, b = rows[0], rows[-1]
        print("ratio N=%d / N=%d: drag %.1fx, drag+pick %.1fx, EDITTEXT %.1fx, EDITXLINE %.1fx"
              % (b[0], a[0], b[2] / a[2], b[3] / a[3], b[5] / a[5], b[6] / a[6]))


if __name__ == "__main__":
    main()
