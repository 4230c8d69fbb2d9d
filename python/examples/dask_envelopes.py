"""Envelopes of the load cases of 1,000 beams with dask.distributed.

Each member is a simply supported beam; its load cases (dead load, live load, a point load at several
places, uplift) are bending-moment diagrams built on the client. The workers get them pickled, compute
the lower and upper envelopes with the governing case of each point, and send the envelopes back.

    /usr/bin/python3 python/examples/dask_envelopes.py [members] [workers]
"""

import sys
import time

import numpy as np

import vymath


def member_cases(span, n_points=41):
    """The bending-moment diagrams [kNm] of a simply supported beam of the given span [m]."""
    x = np.linspace(0.0, span, n_points)

    def uniform(w):  # w [kN/m]
        return vymath.Function1D(x, 0.5 * w * x * (span - x))

    def point(p, a):  # p [kN] at a [m], a grid point
        return vymath.Function1D(x, np.where(x <= a, p * (span - a) * x / span, p * a * (span - x) / span))

    quarters = x[[n_points // 4, n_points // 2, 3 * n_points // 4]]
    return [uniform(5.0), uniform(12.0), uniform(-8.0)] + [point(40.0, a) for a in quarters]


def member_envelope(cases):
    """(lower, upper, lower case, upper case) of one member's load cases."""
    return vymath.envelope(cases, cases=True)


def envelopes(client, spans):
    """The envelopes of every member, computed on the cluster, in the order of spans."""
    futures = client.map(member_envelope, [member_cases(s) for s in spans])
    return client.gather(futures)


def main(members=1000, workers=2):
    from dask.distributed import Client, LocalCluster

    spans = np.random.default_rng(7).uniform(4.0, 12.0, members)
    with LocalCluster(n_workers=workers, threads_per_worker=1, processes=True) as cluster, Client(cluster) as client:
        start = time.perf_counter()
        results = envelopes(client, spans)
        elapsed = time.perf_counter() - start
    peaks = np.array([upper.value_range()[1] for _, upper, _, _ in results])
    worst = int(np.argmax(peaks))
    lower, upper, _, upper_cases = results[worst]
    print(f"{members} members enveloped on {workers} workers in {elapsed:.2f} s")
    print(f"largest sagging moment {peaks[worst]:.1f} kNm in member {worst} (span {spans[worst]:.2f} m),")
    print(f"governed by load case {np.bincount(upper_cases[upper_cases >= 0]).argmax()}")
    print(f"largest hogging moment {min(l.value_range()[0] for l, _, _, _ in results):.1f} kNm")


if __name__ == "__main__":
    main(*(int(a) for a in sys.argv[1:]))
