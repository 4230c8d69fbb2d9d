"""Moving loads (bench_moving.cpp) and, on the same lines, the numpy sweep that
open tools do: every position of the train at a 10 mm step, each axle's ordinate by numpy.interp, the
lane load by the trapezoidal rule of the unfavourable part. Prints, in one run, the time for 1,000 lines
of 1,000 and 2,000 vertices (a 12-axle train both ways and a lane load), the ratio, and the growth from
1,000 to 2,000 vertices.

    /usr/bin/python3 bench/run.py moving
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from common import BUILD, fmt, table  # noqa: E402

LOADS = np.array([60, 120, 120, 90, 90, 90, 90, 110, 110, 80, 80, 80], dtype=float)
SPACINGS = [3.2, 1.4, 4.8, 1.3, 1.3, 6.1, 1.4, 5.0, 1.3, 1.3, 2.2]
LANE = 9.0
STEP = 0.01


def lines(folder, n):
    x = np.fromfile(os.path.join(folder, f"moving_{n}_x.f64"))
    y = np.fromfile(os.path.join(folder, f"moving_{n}_y.f64"))
    counts = np.fromfile(os.path.join(folder, f"moving_{n}_counts.f64")).astype(int)
    starts = np.concatenate([[0], np.cumsum(counts)])
    return [(x[a:b], y[a:b]) for a, b in zip(starts[:-1], starts[1:])]


def sweep(x, y, offsets, vehicle=None):
    """The largest and smallest effect of the train over positions at STEP, both ways, plus the lane
    (the vehicle's part alone appended to `vehicle` when given)."""
    length = offsets[-1]
    top, bottom = 0.0, 0.0
    for way in (1.0, -1.0):
        first = x[0] if way > 0 else x[0] - length
        p = np.arange(first, first + x[-1] - x[0] + length + STEP, STEP)
        effect = np.zeros_like(p)
        for load, c in zip(LOADS, offsets):
            effect += load * np.interp(p - way * c, x, y, left=0.0, right=0.0)
        top, bottom = max(top, effect.max()), min(bottom, effect.min())
    if vehicle is not None:
        vehicle.append((top, bottom))
    dx = np.diff(x)
    positive = np.clip(y, 0.0, None)
    negative = np.clip(y, None, 0.0)
    lane_top = LANE * np.sum(dx * (positive[1:] + positive[:-1]) / 2)
    lane_bottom = LANE * np.sum(dx * (negative[1:] + negative[:-1]) / 2)
    return top + lane_top, bottom + lane_bottom


def main(argv=None):
    parser = argparse.ArgumentParser(prog="bench/run.py moving")
    parser.add_argument("--build", default=BUILD)
    parser.add_argument("--min-time", default="2")
    args = parser.parse_args(argv)
    binary = os.path.join(args.build, "bench", "vymath_moving_bench")
    offsets = np.concatenate([[0.0], np.cumsum(SPACINGS)])
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "moving.json")
        subprocess.run([binary, "--benchmark_format=json", f"--benchmark_out={out}",
                        f"--benchmark_min_time={args.min_time}"], check=True, stdout=subprocess.DEVNULL,
                       env=dict(os.environ, VYMATH_BENCH_DATA=tmp))
        with open(out) as f:
            report = json.load(f)
        numpy_seconds, misses = {}, {}
        for n in (1000, 2000):
            data = lines(tmp, n)
            exact = np.fromfile(os.path.join(tmp, f"moving_{n}_exact.f64")).reshape(-1, 2)
            swept = []
            for x, y in data:
                sweep(x, y, offsets, swept)
            swept = np.array(swept)
            scale = np.abs(exact).max()
            short = np.concatenate([exact[:, 0] - swept[:, 0], swept[:, 1] - exact[:, 1]]) / scale
            if short.min() < -1e-9:
                sys.exit(f"the sweep finds more than the exact extreme ({-short.min():.3g} of the scale)")
            misses[n] = (int(np.sum(short > 1e-9)), float(short.max()))
            best = None
            for _ in range(2):
                start = time.perf_counter()
                for x, y in data:
                    sweep(x, y, offsets)
                spent = time.perf_counter() - start
                best = spent if best is None else min(best, spent)
            numpy_seconds[n] = best
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    ours = {}
    for b in report["benchmarks"]:
        if b.get("run_type") == "aggregate":
            continue
        name, n = b["name"].split("/")[:2]
        ours[(name, int(n))] = b["real_time"] * scale[b["time_unit"]]
    print(f"{report['context'].get('host_name', '')}: {report['context'].get('num_cpus')} CPUs, "
          f"{report['context'].get('mhz_per_cpu')} MHz; all timings of this one run")
    rows = []
    for n in (1000, 2000):
        exact, two = ours.get(("BM_Moving12Axles", n)), ours.get(("BM_Moving12Axles2Threads", n))
        hl93 = ours.get(("BM_MovingHL93", n))
        rows.append([n, fmt(exact and exact * 1e3), fmt(two and two * 1e3), fmt(numpy_seconds[n] * 1e3),
                     fmt(exact and exact / numpy_seconds[n], "x"), f"{misses[n][0]} of 2000",
                     f"{misses[n][1]:.2g}", fmt(hl93 and hl93 * 1e3)])
    table("1,000 influence lines over 100 m, a 12-axle train both ways with a lane load: the exact extremes "
          "(1 thread, 2 threads) against numpy sweeping positions at 10 mm (1 thread); last column: HL-93 "
          "(the truck with its variable spacing, or the tandem) exact, 1 thread. Misses: the extremes (max and "
          "min of each line) that the sweep under-reads, and by how much at most, relative to the largest "
          "effect of all lines (vehicle only; the sweep never exceeds the exact value)",
          ["vertices", "exact ms", "exact 2 threads ms", "numpy sweep ms", "ratio", "sweep misses", "by up to",
           "HL-93 exact ms"], rows)
    built = [ours.get(("BM_MovingLinesBuilt", n)) for n in (1000, 2000)]
    if all(built):
        print(f"\nbuilding the 1,000 diagrams from their rows (BuildDiagram): {built[0] * 1e3:.3g} ms, "
              f"{built[1] * 1e3:.3g} ms")
    a, b = ours.get(("BM_Moving12Axles", 1000)), ours.get(("BM_Moving12Axles", 2000))
    if a and b:
        print(f"\ngrowth from 1,000 to 2,000 vertices: exact {b / a:.2f}x, numpy sweep "
              f"{numpy_seconds[2000] / numpy_seconds[1000]:.2f}x")


if __name__ == "__main__":
    main()
