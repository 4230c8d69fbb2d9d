#!/usr/bin/env python3
"""Writes a large input for timing the tool: CASES load cases of POINTS points each on a 100 m
member, smooth diagrams on one grid, in long-form CSV on standard output.

    make_large_input.py [CASES [POINTS]]     (default 50 cases of 10,000 points)
"""
import math
import random
import sys


def main():
    cases = int(sys.argv[1]) if len(sys.argv) > 1 else 50
    points = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    rng = random.Random(14)
    length = 100.0
    out = sys.stdout
    out.write("case,x,y\n")
    for k in range(cases):
        terms = [(rng.uniform(-100, 100), rng.randint(1, 6), rng.uniform(0, math.pi)) for _ in range(3)]
        for i in range(points):
            x = length * i / (points - 1)
            y = sum(a * math.sin(n * math.pi * x / length + p) for a, n, p in terms)
            out.write("C%d,%r,%r\n" % (k + 1, x, y))


if __name__ == "__main__":
    main()
