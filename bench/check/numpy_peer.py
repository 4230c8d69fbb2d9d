"""The check benchmark's outside peer: numpy enumerating every combination of the rule at every station
and casting each pair's ray against every edge of the member's curve, vectorised; on the first MEMBERS
members of the model. Prints {"read": s, "per_member": s, "largest": [u, ...]} as JSON.

    /usr/bin/python3 numpy_peer.py MODEL.csv CAPACITY.json MEMBERS
"""
import json
import sys
import time

import numpy as np
import pandas as pd

from actions import terms


def pairs_at(values, rule):
    """Every combination's (P, M3) at one station: the terms' alternatives summed, outer sums term by term."""
    total = np.zeros((1, 2))
    for term in rule:
        alt = np.array([[sum(f * values[c][0] for c, f in a.items()), sum(f * values[c][1] for c, f in a.items())]
                        for a in term])
        total = (total[:, None, :] + alt[None, :, :]).reshape(-1, 2)
    return total


def ray_utilisation(p, curve):
    """Each pair's ratio along its ray to the nearest edge it meets."""
    a = curve[:-1]
    d = curve[1:] - a
    det = p[:, None, 0] * d[None, :, 1] - p[:, None, 1] * d[None, :, 0]
    with np.errstate(divide="ignore", invalid="ignore"):
        s = (a[None, :, 0] * d[None, :, 1] - a[None, :, 1] * d[None, :, 0]) / det
        lam = (a[None, :, 0] * p[:, None, 1] - a[None, :, 1] * p[:, None, 0]) / det
    s = np.where((det != 0) & (s > 0) & (lam >= 0) & (lam <= 1), s, np.inf)
    return 1.0 / s.min(axis=1)


def main():
    model, capacity, members = sys.argv[1], sys.argv[2], int(sys.argv[3])
    start = time.perf_counter()
    frame = pd.read_csv(model)
    with open(capacity) as f:
        cap = json.load(f)
    read = time.perf_counter() - start
    rule = terms()
    start = time.perf_counter()
    largest = []
    for m in range(members):
        name = "C%d" % m
        rows = frame[frame["member"] == name]
        curve = np.array(cap["sections"][cap["members"][name]]["curve"])
        best = 0.0
        for _, station in rows.groupby("x", sort=True):
            values = {c: (p, mo) for c, p, mo in zip(station["case"], station["P"], station["M3"])}
            best = max(best, float(ray_utilisation(pairs_at(values, rule), curve).max()))
        largest.append(best)
    per_member = (time.perf_counter() - start) / members
    print(json.dumps({"read": read, "per_member": per_member, "largest": largest}))


if __name__ == "__main__":
    main()
