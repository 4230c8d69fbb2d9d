#!/usr/bin/env python3
"""Bending-moment and shear diagrams of a two-span continuous girder, from beam formulas.

Spans A-B and B-C of 12 m each, constant stiffness, simple supports at A (x = 0), B (x = 12 m) and
C (x = 24 m). Load cases:
  G    dead load, 25 kN/m on both spans
  Q1   live load on span A-B: 15 kN/m and 80 kN at 0.4 L (x = 4.8 m)
  Q2   live load on span B-C: 15 kN/m and 80 kN at 0.4 L from C (x = 19.2 m)
  Q12  live load on both spans
The support moment at B follows from the equal end rotations of the two spans (three-moment
equation); each span's diagram is then its simply supported one plus its share of that moment.
Sagging moments are positive, the shear is V = dM/dx. Samples every 0.25 m, with a point under each
concentrated load; the shear jumps there and at B (two rows at one abscissa, the left value first).

Writes moment.csv and shear.csv beside this file, in long form (case,x,y), and model.csv, the same
girder as a model of two members, the spans AB and BC, each with its own abscissa from its left end
and the forces V and M (member,case,x,V,M).

design.csv is the model for design envelopes by EN 1990 (actions.json): every load case belongs to
one action, so it has no Q12 (the action Q of the patterns Q1 and Q2, acting freely, gives it and
every other arrangement), and it adds two cases of a linear temperature difference over the depth,
which act one at a time:
  TH   top warmer than the bottom: the girder would lift off B, the restraint moment at B is +150 kNm
  TC   top cooler than the bottom: -75 kNm at B
"""
import os

L = 12.0          # m, each span
G = 25.0          # kN/m
Q = 15.0          # kN/m
P = 80.0          # kN
A_LOAD = 0.4 * L  # m, from the span's outer support
STEP = 0.25       # m


def span(uniform, point):
    """One span's loads: the uniform load and the point loads as (P, distance from the outer support)."""
    return (uniform, [(P, A_LOAD)] if point else [])


M_TEMPERATURE = {"TH": 150.0, "TC": -75.0}  # kNm, the restraint moment at B

CASES = {
    "G": [span(G, False), span(G, False)],
    "Q1": [span(Q, True), span(0.0, False)],
    "Q2": [span(0.0, False), span(Q, True)],
    "Q12": [span(Q, True), span(Q, True)],
}


def rotation_at_b(q, points):
    """EI times the end rotation at B of the span taken as simply supported."""
    return q * L ** 3 / 24 + sum(p * a * (L * L - a * a) / (6 * L) for p, a in points)


def simple_moment(q, points, s):
    """Moment of a simply supported span at s from its outer support."""
    m = q * s * (L - s) / 2
    for p, a in points:
        m += p * (L - a) * s / L if s <= a else p * a * (L - s) / L
    return m


def simple_shear(q, points, s, side):
    """dM/ds of a simply supported span; at a point load, side -1 is before it, +1 after it."""
    v = q * (L / 2 - s)
    for p, a in points:
        v += p * (L - a) / L if s < a or (s == a and side < 0) else -p * a / L
    return v


def diagrams(spans):
    mb = -3 * sum(rotation_at_b(q, pts) for q, pts in spans) / (2 * L)  # support moment at B
    loads = {a for _, a in spans[0][1]} | {2 * L - a for _, a in spans[1][1]}
    xs = sorted({i * STEP for i in range(int(2 * L / STEP) + 1)} | loads)

    def shear(k, x, side):
        q, pts = spans[k]
        if k == 0:
            return simple_shear(q, pts, x, side) + mb / L
        # In span B-C, s runs from C: the shear along x is minus the slope along s.
        return -simple_shear(q, pts, 2 * L - x, -side) - mb / L

    moment, shears = [], []
    for x in xs:
        k = 0 if x <= L else 1
        s = x if k == 0 else 2 * L - x
        q, pts = spans[k]
        moment.append((x, simple_moment(q, pts, s) + mb * s / L))
        if x == L:  # the reaction at B
            shears += [(x, shear(0, x, -1)), (x, shear(1, x, +1))]
        elif x in loads:
            shears += [(x, shear(k, x, -1)), (x, shear(k, x, +1))]
        else:
            shears.append((x, shear(k, x, 0)))
    return moment, shears


def restraint(mb):
    """Moment and shear of a restraint moment mb at B alone: linear from the end supports."""
    xs = sorted({i * STEP for i in range(int(2 * L / STEP) + 1)} | {A_LOAD, 2 * L - A_LOAD})
    moment = [(x, mb * (x if x <= L else 2 * L - x) / L) for x in xs]
    shears = []
    for x in xs:
        if x == L:
            shears += [(x, mb / L), (x, -mb / L)]
        else:
            shears.append((x, mb / L if x < L else -mb / L))
    return moment, shears


def write_model(path, cases):
    """The girder as a model of the members AB and BC, each abscissa from the member's left end."""
    with open(path, "w", newline="") as f:
        f.write("member,case,x,V,M\n")
        for member, (start, end) in (("AB", (0.0, L)), ("BC", (L, 2 * L))):
            for name, (moment, shears) in cases.items():
                m = dict(moment)
                for k, (x, v) in enumerate(shears):
                    if not start <= x <= end:
                        continue
                    twice = k + 1 < len(shears) and shears[k + 1][0] == x or k > 0 and shears[k - 1][0] == x
                    first = k + 1 < len(shears) and shears[k + 1][0] == x
                    # At the support B only the side inside the span belongs to it.
                    if twice and ((x == end and not first) or (x == start and first)):
                        continue
                    f.write("%s,%s,%s,%s,%s\n" % (member, name, number(x - start), number(v), number(m[x])))


def number(v):
    text = ("%.4f" % v).rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    files = {"moment.csv": [], "shear.csv": []}
    for name, spans in CASES.items():
        moment, shears = diagrams(spans)
        files["moment.csv"] += [(name, x, y) for x, y in moment]
        files["shear.csv"] += [(name, x, y) for x, y in shears]
    for file, rows in files.items():
        with open(os.path.join(here, file), "w", newline="") as f:
            f.write("case,x,y\n")
            f.writelines("%s,%s,%s\n" % (name, number(x), number(y)) for name, x, y in rows)
    loads = {name: diagrams(spans) for name, spans in CASES.items()}
    write_model(os.path.join(here, "model.csv"), loads)
    design = {name: loads[name] for name in ("G", "Q1", "Q2")}
    design.update({name: restraint(mb) for name, mb in M_TEMPERATURE.items()})
    write_model(os.path.join(here, "design.csv"), design)


if __name__ == "__main__":
    main()
