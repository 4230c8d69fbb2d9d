"""The check benchmark's 30 load cases in 8 actions, one rule of 28,224 combinations: G (6 cases acting
together at 1.35 or 1.0), P (2 cases together), E (1 case), Q1 and Q2 (6 cases each, one at a time at 1.5
or none), S and T (2 cases each, one at a time at 1.5 or none), A (5 cases each free at 1.5 or 0)."""

G = ["G%d" % k for k in range(1, 7)]
P = ["P1", "P2"]
E = ["E1"]
Q1 = ["Q1_%d" % k for k in range(1, 7)]
Q2 = ["Q2_%d" % k for k in range(1, 7)]
S = ["S1", "S2"]
T = ["T1", "T2"]
A = ["A%d" % k for k in range(1, 6)]
CASES = G + P + E + Q1 + Q2 + S + T + A


def terms():
    """The rule's terms, each a list of alternatives, each {case: factor}."""
    out = [[{c: 1.35 for c in G}, {c: 1.0 for c in G}], [{c: 1.0 for c in P}], [{"E1": 1.0}]]
    for exclusive in (Q1, Q2, S, T):
        out.append([{}] + [{c: 1.5} for c in exclusive])
    for c in A:
        out.append([{}, {c: 1.5}])
    return out
