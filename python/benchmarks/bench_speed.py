"""Speed of vymath against numpy on the package's two targets (a benchmark script, not a test):

  1. f(x) on 10^6 sorted queries, at most 1.5x numpy.interp on the same points;
  2. the envelope of 50 load cases of 10^4 points, faster than a numpy union-grid envelope (the exact
     envelope, vymath.envelope's default; the fold's time beside it).

    /usr/bin/python3 python/benchmarks/bench_speed.py [--points N] [--queries M] [--cases K] [--repeat R]

Each figure is the best of R runs (wall clock, one thread).
"""

import argparse
import time

import numpy as np

import vymath


def best(fn, repeat):
    times = []
    for _ in range(repeat):
        start = time.perf_counter()
        fn()
        times.append(time.perf_counter() - start)
    return min(times)


def numpy_envelope(xs, ys):
    """Lower and upper envelopes on the union of the members' abscissas (no crossings added)."""
    grid = np.unique(np.concatenate(xs))
    values = np.array([np.interp(grid, x, y, left=np.nan, right=np.nan) for x, y in zip(xs, ys)])
    return grid, np.nanmin(values, axis=0), np.nanmax(values, axis=0)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--points", type=int, default=10_000)
    parser.add_argument("--queries", type=int, default=1_000_000)
    parser.add_argument("--cases", type=int, default=50)
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    rng = np.random.default_rng(1)

    x = np.linspace(0.0, 100.0, args.points)
    y = np.cumsum(rng.normal(size=args.points))
    f = vymath.Function1D(x, y)
    q = np.sort(rng.uniform(0.0, 100.0, args.queries))
    np.testing.assert_allclose(f(q), np.interp(q, x, y), atol=0.01)  # x_tolerance snaps
    t_f, t_np = best(lambda: f(q), args.repeat), best(lambda: np.interp(q, x, y), args.repeat)
    print(f"evaluation, {args.points} points, {args.queries} sorted queries:")
    print(f"  vymath f(x) {t_f * 1e3:9.2f} ms   numpy.interp {t_np * 1e3:9.2f} ms   ratio {t_f / t_np:6.2f}"
          f"   (target <= 1.5)")

    # each case on its own abscissas: the grid jittered by up to 0.3 of its step
    step = 100.0 / (args.points - 1)
    members = []
    for _ in range(args.cases):
        xk = x + rng.uniform(-0.3, 0.3, args.points) * step
        xk[0], xk[-1] = 0.0, 100.0
        members.append(vymath.Function1D(xk, np.cumsum(rng.normal(size=args.points))))
    t_env = best(lambda: vymath.envelope(members), max(1, args.repeat // 5))
    t_fold = best(lambda: vymath.envelope(members, method="fold"), max(1, args.repeat // 5))
    t_npenv = best(lambda: numpy_envelope([m.points[:, 0] for m in members], [m.points[:, 1] for m in members]),
                   args.repeat)
    print(f"envelope, {args.cases} cases of {args.points} points:")
    print(f"  vymath.envelope {t_env * 1e3:9.1f} ms   numpy union grid {t_npenv * 1e3:9.1f} ms"
          f"   ratio {t_env / t_npenv:6.2f}   (target < 1)")
    print(f"  method='fold'   {t_fold * 1e3:9.1f} ms   ratio {t_fold / t_npenv:6.2f}")


if __name__ == "__main__":
    main()
