"""Times ezdxf's load and save of the benchmark drawing and prints them beside the
figures of bench_dxf_load_save (its JSON output), dxflib's load (bench_dxflib_read's
output) and the peak memory of a kzdim process that only loads the drawing
(bench_dxf_load_save --load-only).

    compare_readers.py KZDIM_JSON DRAWING LOAD_ONLY_TXT DXFLIB_TXT

DXFLIB_TXT may be empty (dxflib not installed).
"""
import json
import os
import sys
import tempfile
import time

import ezdxf


def best_of(runs, action):
    """The smallest CPU time of the runs, and the last result."""
    best, result = None, None
    for _ in range(runs):
        start = time.process_time()
        result = action()
        spent = time.process_time() - start
        best = spent if best is None else min(best, spent)
    return best, result


def key_values(path):
    """The key=value pairs of the last line of a program's output that has them."""
    values = {}
    with open(path) as f:
        for line in f:
            pairs = [p.split("=", 1) for p in line.split() if "=" in p]
            if pairs:
                values = {k: float(v) for k, v in pairs}
    return values


def main():
    kz_json, drawing, load_only_txt, dxflib_txt = sys.argv[1:5]
    size_mb = os.path.getsize(drawing) / (1024 * 1024)
    with open(kz_json) as f:
        runs = {b["name"].split("/")[0]: b for b in json.load(f)["benchmarks"]}

    def kz_seconds(name):
        b = runs[name]
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
        return b["cpu_time"] * scale

    kz_load, kz_save, kz_both = (kz_seconds("BM_LoadDrawing"), kz_seconds("BM_SaveDrawing"),
                                 kz_seconds("BM_LoadAndSaveDrawing"))
    kz_peak = key_values(load_only_txt).get("peak_rss_MB", 0.0)
    dxflib = key_values(dxflib_txt)
    dl_load = dxflib["dxflib_load_ms"] / 1000 if "dxflib_load_ms" in dxflib else None

    ez_load, doc = best_of(3, lambda: ezdxf.readfile(drawing))
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "saved.dxf")
        ez_save, _ = best_of(3, lambda: doc.saveas(out))
    entities = len(doc.modelspace())
    ez_both = ez_load + ez_save

    print()
    print("drawing: %s, %.1f MB, %d model-space entities" % (drawing, size_mb, entities))
    print("%-24s %12s %12s %8s %12s %8s" % ("CPU time", "kzdim", "ezdxf", "ratio", "dxflib",
                                            "ratio"))
    for label, kz, ez, dl in (("load", kz_load, ez_load, dl_load), ("save", kz_save, ez_save, None),
                              ("load + save", kz_both, ez_both, None)):
        dl_cols = ("%9.0f ms %7.1fx" % (dl * 1000, dl / kz)) if dl else "%12s %8s" % ("-", "-")
        print("%-24s %9.0f ms %9.0f ms %7.1fx %s" % (label, kz * 1000, ez * 1000, ez / kz,
                                                      dl_cols))
        dl_rate = ("%7.1f MB/s" % (size_mb / dl)) if dl else "%12s" % "-"
        print("%-24s %7.1f MB/s %7.1f MB/s %8s %s" % ("  throughput", size_mb / kz,
                                                     size_mb / ez, "", dl_rate))
    print("%-24s %9.0f MB (%.1f x the file)" % ("kzdim load-only peak memory", kz_peak,
                                                 kz_peak / size_mb))
    print("ratio: other time / kzdim time (higher is faster for kzdim)")


if __name__ == "__main__":
    main()
