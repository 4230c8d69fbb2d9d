#!/usr/bin/python3
"""The numpy peer of the VyMath benchmarks: numpy.interp on the sorted queries and the union-grid
envelope (the union of all abscissas, every case interpolated on it, min and max), timed on the data
files the benchmark binary wrote (VYMATH_BENCH_DATA). Prints a JSON object of seconds."""
import glob
import json
import os
import re
import sys
import timeit

import numpy as np


def load(folder, name):
    return np.fromfile(os.path.join(folder, name + ".f64"), dtype=np.float64)


def best(fn, budget=0.3):
    """Seconds of one call: the best of several repeats, each long enough to be timed."""
    timer = timeit.Timer(fn)
    number, _ = timer.autorange()
    repeats = max(3, int(budget / max(1e-9, timer.timeit(number) / number) / number))
    return min(timer.repeat(repeat=min(repeats, 15), number=number)) / number


def main(folder):
    out = {"interp_sorted": {}, "envelope": {}}
    for path in glob.glob(os.path.join(folder, "diagram_*_x.f64")):
        n = int(re.search(r"diagram_(\d+)_x", path).group(1))
        x, y = load(folder, f"diagram_{n}_x"), load(folder, f"diagram_{n}_y")
        q = load(folder, f"queries_sorted_{n}")
        out["interp_sorted"][str(n)] = best(lambda: np.interp(q, x, y)) / len(q)
    groups = {}
    for path in glob.glob(os.path.join(folder, "cases_*_x.f64")):
        kind, K, N, k = re.search(r"cases_(\w+?)_(\d+)_(\d+)_(\d+)_x", path).groups()
        groups.setdefault((kind, int(K), int(N)), []).append(int(k))
    for (kind, K, N), ks in sorted(groups.items()):
        cases = [(load(folder, f"cases_{kind}_{K}_{N}_{k}_x"), load(folder, f"cases_{kind}_{K}_{N}_{k}_y"))
                 for k in sorted(ks)]

        def envelope():
            grid = np.unique(np.concatenate([cx for cx, _ in cases]))
            values = np.stack([np.interp(grid, cx, cy) for cx, cy in cases])
            return values.min(axis=0), values.max(axis=0)

        out["envelope"][f"{kind}/{K}/{N}"] = best(envelope)
    json.dump(out, sys.stdout)


if __name__ == "__main__":
    main(sys.argv[1])
