"""Times ezdxf's load and save of the benchmark drawing and prints them beside the
figures of bench_dxf_load_save (its JSON output).

    compare_ezdxf.py KZDIM_JSON DRAWING
"""
import json
import os
import resource
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


def main():
    kz_json, drawing = sys.argv[1], sys.argv[2]
    size_mb = os.path.getsize(drawing) / (1024 * 1024)
    with open(kz_json) as f:
        runs = {b["name"].split("/")[0]: b for b in json.load(f)["benchmarks"]}

    def kz_seconds(name):
        b = runs[name]
        scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}[b["time_unit"]]
        return b["cpu_time"] * scale

    kz_load, kz_save, kz_both = (kz_seconds("BM_LoadDrawing"), kz_seconds("BM_SaveDrawing"),
                                 kz_seconds("BM_LoadAndSaveDrawing"))
    kz_peak = max(b.get("peak_rss_MB", 0) for b in runs.values())

    ez_load, doc = best_of(3, lambda: ezdxf.readfile(drawing))
    ez_peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "saved.dxf")
        ez_save, _ = best_of(3, lambda: doc.saveas(out))
    entities = len(doc.modelspace())
    ez_both = ez_load + ez_save

    print()
    print("drawing: %s, %.1f MB, %d model-space entities" % (drawing, size_mb, entities))
    print("%-24s %12s %12s %8s" % ("CPU time", "kzdim", "ezdxf", "ratio"))
    for label, kz, ez in (("load", kz_load, ez_load), ("save", kz_save, ez_save),
                          ("load + save", kz_both, ez_both)):
        print("%-24s %9.0f ms %9.0f ms %7.1fx" % (label, kz * 1000, ez * 1000, ez / kz))
        print("%-24s %7.1f MB/s %7.1f MB/s" % ("  throughput", size_mb / kz, size_mb / ez))
    print("%-24s %9.0f MB %9.0f MB" % ("peak resident memory", kz_peak, ez_peak))
    print("ratio: ezdxf time / kzdim time (higher is faster for kzdim)")


if __name__ == "__main__":
    main()
