#!/usr/bin/python3
"""The benchmark's peer: the work of `vymath envelope MODEL --json SUMMARY` done with pandas and numpy.

    pandas_peer.py MODEL SUMMARY

read_csv, then per member (groupby) and force: the union grid of the member's abscissas, every case
interpolated on it (numpy.interp), the lower and upper envelopes with their governing case, the
extremes and the other forces of the governing case there; written as JSON. Prints the seconds taken
for reading and in all, as JSON, on standard output.
"""
import json
import sys
import time

import numpy as np
import pandas as pd


def main():
    source, target = sys.argv[1:3]
    start = time.perf_counter()
    df = pd.read_csv(source)
    read = time.perf_counter() - start
    forces = [c for c in df.columns if c not in ("member", "case", "x")]
    xs = df["x"].to_numpy()
    cases, case_names = pd.factorize(df["case"])
    columns = {f: df[f].to_numpy() for f in forces}
    model = {}
    for member, index in df.groupby("member", sort=False).indices.items():
        grid = np.unique(xs[index])
        codes = cases[index]
        order = index[np.argsort(codes, kind="stable")]  # each case's rows together, in file order
        starts = np.flatnonzero(np.diff(cases[order], prepend=-1))
        names = [case_names[cases[order[s]]] for s in starts]
        values = {f: np.empty((len(starts), grid.size)) for f in forces}
        for k, rows in enumerate(np.split(order, starts[1:])):
            x = xs[rows]
            for f in forces:
                values[f][k] = np.interp(grid, x, columns[f][rows])
        result = {}
        for f in forces:
            v = values[f]
            lower, upper = v.argmin(axis=0), v.argmax(axis=0)
            ly, uy = v[lower, np.arange(grid.size)], v[upper, np.arange(grid.size)]
            entry = {"lower": {"x": grid.tolist(), "y": ly.tolist(), "case": [names[k] for k in lower]},
                     "upper": {"x": grid.tolist(), "y": uy.tolist(), "case": [names[k] for k in upper]}}
            for key, ys, which in (("max", uy, upper), ("min", ly, lower)):
                i = int(ys.argmax() if key == "max" else ys.argmin())
                c = int(which[i])
                entry[key] = {"x": float(grid[i]), "y": float(ys[i]), "case": names[c],
                              "coincident": {g: [float(values[g][c, i])] * 2 for g in forces if g != f}}
            result[f] = entry
        model[member] = result
    with open(target, "w") as out:
        json.dump({"model": model}, out)
    print(json.dumps({"read": read, "total": time.perf_counter() - start}))


if __name__ == "__main__":
    main()
