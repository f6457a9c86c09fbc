"""Prints each scale target beside the figure the benchmarks measured (bench/run_all.sh).

    targets.py ROUTE_JSON EDIT_JSON DXF_JSON DRAWING LOAD_ONLY_TXT

ROUTE_JSON and EDIT_JSON: the JSON outputs of bench_route_dimensions and
bench_edit_commands; DXF_JSON, DRAWING and LOAD_ONLY_TXT: what compare_readers.sh leaves
with KZ_BENCH_OUT set.
"""
import json
import math
import os
import sys


def cpu_ms(path):
    """name -> CPU milliseconds of each benchmark of a Google Benchmark JSON output."""
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    with open(path) as f:
        return {b["name"]: b["cpu_time"] * scale[b["time_unit"]]
                for b in json.load(f)["benchmarks"] if b.get("run_type") != "aggregate"}


def peak_mb(path):
    with open(path) as f:
        for line in f:
            for pair in line.split():
                if pair.startswith("peak_rss_MB="):
                    return float(pair.split("=", 1)[1])
    return None


def main():
    route_json, edit_json, dxf_json, drawing, load_only = sys.argv[1:6]
    route, edit = cpu_ms(route_json), cpu_ms(edit_json)
    # The DXF benchmarks carry their minimum time in their names ("/min_time:2.000").
    dxf = {name.split("/")[0]: ms for name, ms in cpu_ms(dxf_json).items()}
    size_mb = os.path.getsize(drawing) / (1024 * 1024)
    rows = []  # (target, figure text, met)

    def at_most(label, value, limit, unit):
        rows.append((label + " <= %g %s" % (limit, unit), "%.2f %s" % (value, unit),
                     value <= limit))

    def at_least(label, value, limit, unit):
        rows.append((label + " >= %g %s" % (limit, unit), "%.1f %s" % (value, unit),
                     value >= limit))

    at_least("DXF load", size_mb / (dxf["BM_LoadDrawing"] / 1000), 150, "MB/s")
    at_least("DXF save", size_mb / (dxf["BM_SaveDrawing"] / 1000), 150, "MB/s")
    peak = peak_mb(load_only)
    if peak is not None:
        at_most("load peak memory / file size", peak / size_mb, 4, "x")
    at_most("cursor move, 1,000 elements", route["BM_SampleSameSide/1000"], 1, "ms")
    at_most("cursor move, 10,000 elements", route["BM_SampleSameSide/10000"], 10, "ms")
    at_most("rebuild, 1,000 elements", route["BM_BuildRouteDimensions/1000"], 10, "ms")
    at_most("move with side change, 1,000", route["BM_SampleSideChange/1000"], 10, "ms")
    at_most("commit, 1,000 elements", route["BM_Commit/1000"], 50, "ms")
    nlogn = 10 * math.log(10000) / math.log(1000)
    for name in ("BM_BuildRouteDimensions", "BM_SampleSameSide", "BM_SampleSideChange",
                 "BM_Commit"):
        growth = route[name + "/10000"] / route[name + "/1000"]
        rows.append(("%s 1,000 -> 10,000 <= %.1fx (N log N)" % (name, nlogn),
                     "%.1fx" % growth, growth <= nlogn))
    for name in ("BM_EditText/N:1000/moves:20", "BM_EditXLine/N:1000"):
        at_most(name + " (a command answers)", edit[name], 100, "ms")

    print()
    print("%-58s %14s  %s" % ("target", "measured", ""))
    for label, figure, met in rows:
        print("%-58s %14s  %s" % (label, figure, "met" if met else "NOT MET"))


if __name__ == "__main__":
    main()
