"""Writes the check benchmark's model and capacity: MEMBERS members x 30 load cases x 21 stations with the
forces P and M3 (member,case,x,P,M3), and a capacity file giving each member a 64-vertex convex curve of its
own; and the rule of the cases' 8 actions (bench/check/actions.py) as JSON, its terms' alternatives.

    /usr/bin/python3 make_check_model.py MODEL.csv CAPACITY.json RULE.json [MEMBERS]
"""
import json
import math
import random
import sys

from actions import CASES, terms


def main():
    model, capacity, rule = sys.argv[1], sys.argv[2], sys.argv[3]
    members = int(sys.argv[4]) if len(sys.argv) > 4 else 2000
    rng = random.Random(31)
    with open(model, "w") as f:
        f.write("member,case,x,P,M3\n")
        for m in range(members):
            for c in CASES:
                p0, p1 = rng.uniform(-60, 5), rng.uniform(-60, 5)
                m0, m1, m2 = rng.uniform(-15, 15), rng.uniform(-15, 15), rng.uniform(-15, 15)
                for k in range(21):
                    t = k / 20
                    p = p0 + (p1 - p0) * t
                    mo = m0 * (1 - t) * (1 - 2 * t) + m1 * 4 * t * (1 - t) + m2 * t * (2 * t - 1)
                    f.write("C%d,%s,%g,%.6g,%.6g\n" % (m, c, 0.25 * k, p, mo))
    sections, assigned = {}, {}
    for m in range(members):
        s = 0.8 + 0.4 * rng.random()
        curve = [[-1100 * s + 1900 * s * math.cos(2 * math.pi * k / 64), 300 * s * math.sin(2 * math.pi * k / 64)]
                 for k in range(64)]
        curve.append(curve[0])
        sections["S%d" % m] = {"forces": ["P", "M3"], "curve": curve}
        assigned["C%d" % m] = "S%d" % m
    with open(capacity, "w") as f:
        json.dump({"sections": sections, "members": assigned}, f)
    with open(rule, "w") as f:
        json.dump(terms(), f)


if __name__ == "__main__":
    main()
