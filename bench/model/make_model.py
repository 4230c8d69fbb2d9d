#!/usr/bin/python3
"""Writes the benchmark model: 2,000 members x 30 load cases x 21 stations, forces N, V and M, in the
long form of an analysis program's export (member,case,x,N,V,M; 1.26 million rows, about 65 MB).

    make_model.py FILE [MEMBERS]

Each member has its own length; each case's diagrams are smooth curves with a random amplitude and
phase, so that envelopes change their governing case along the member. Deterministic (seeded).
"""
import math
import random
import sys

CASES, STATIONS = 30, 21


def main():
    path = sys.argv[1]
    members = int(sys.argv[2]) if len(sys.argv) > 2 else 2000
    rnd = random.Random(1)
    with open(path, "w", newline="") as f:
        f.write("member,case,x,N,V,M\n")
        for m in range(members):
            length = rnd.uniform(3.0, 9.0)
            xs = ["%.5f" % (length * i / (STATIONS - 1)) for i in range(STATIONS)]
            name = "Beam%04d" % (m + 1)
            for c in range(CASES):
                n0, v0, m0 = rnd.uniform(-500, 50), rnd.uniform(-200, 200), rnd.uniform(-400, 400)
                phase, waves = rnd.uniform(0, math.pi), rnd.uniform(0.5, 2.0)
                lines = []
                for i, x in enumerate(xs):
                    t = i / (STATIONS - 1)
                    s = math.sin(math.pi * waves * t + phase)
                    v = v0 * math.cos(math.pi * waves * t + phase)
                    n = n0 * (1 + 0.1 * t)
                    lines.append("%s,Comb%02d,%s,%.4f,%.4f,%.4f\n" % (name, c + 1, x, n, v, m0 * s + 50 * t))
                f.writelines(lines)


if __name__ == "__main__":
    main()
