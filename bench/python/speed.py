"""Speed of vymath against numpy on the package's targets (a benchmark script, not a test):

  1. f(x) on 10^6 sorted queries, at most 1.5x numpy.interp on the same points;
  2. the exact envelope (vymath.envelope(fs, cases=True)) of K cases of N points, each case on stations of
     its own, faster than a numpy union-grid envelope: smooth diagrams (random walks) and diagrams that
     cross in almost every segment (random ordinates, as time-history steps or many load positions give);
     the fold's time beside it at K = 50, N = 10^4.

    /usr/bin/python3 bench/python/speed.py [--points N] [--queries M] [--repeat R] [--sizes K/N ...]

Each figure is the best of R runs of at least 50 ms: the evaluation in wall-clock time, the envelopes in
CPU time (time.process_time); one thread.
"""

import argparse
import time

import numpy as np

import vymath


def best(fn, repeat, clock=time.perf_counter, at_least=0.05):
    """Seconds a call: the best of `repeat` runs, each of as many calls as take at_least seconds."""
    number, start = 1, clock()
    fn()
    while clock() - start < at_least:
        number *= 2
        start = clock()
        for _ in range(number):
            fn()
    times = []
    for _ in range(repeat):
        start = clock()
        for _ in range(number):
            fn()
        times.append((clock() - start) / number)
    return min(times)


def numpy_envelope(xs, ys):
    """Lower and upper envelopes on the union of the members' abscissas (no crossings added)."""
    grid = np.unique(np.concatenate(xs))
    values = np.array([np.interp(grid, x, y, left=np.nan, right=np.nan) for x, y in zip(xs, ys)])
    return grid, np.nanmin(values, axis=0), np.nanmax(values, axis=0)


def cases(rng, kind, K, N):
    """K functions of N points on [0, 100], each on the grid jittered by up to 0.3 of its step."""
    x = np.linspace(0.0, 100.0, N)
    step = 100.0 / (N - 1)
    members = []
    for _ in range(K):
        xk = x + rng.uniform(-0.3, 0.3, N) * step
        xk[0], xk[-1] = 0.0, 100.0
        yk = np.cumsum(rng.normal(size=N)) if kind == "smooth" else rng.uniform(-100.0, 100.0, N)
        members.append(vymath.Function1D(xk, yk))
    return members


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--points", type=int, default=10_000)
    parser.add_argument("--queries", type=int, default=1_000_000)
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--sizes", nargs="*", default=["10/250", "10/2000", "10/10000", "50/250", "50/2000",
                                                       "50/10000"])
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

    cpu = time.process_time
    print("exact envelope, vymath.envelope(fs, cases=True) against the numpy union grid (CPU ms; target < 1):")
    print(f"  {'kind':>8} {'K':>4} {'N':>6} {'vymath':>9} {'numpy':>9} {'ratio':>6}")
    for kind in ["smooth", "crossing"]:
        for size in args.sizes:
            K, N = (int(v) for v in size.split("/"))
            members = cases(rng, kind, K, N)
            xs, ys = [m.points[:, 0] for m in members], [m.points[:, 1] for m in members]
            t_env = best(lambda: vymath.envelope(members, cases=True), args.repeat, cpu)
            t_npenv = best(lambda: numpy_envelope(xs, ys), args.repeat, cpu)
            print(f"  {kind:>8} {K:>4} {N:>6} {t_env * 1e3:9.2f} {t_npenv * 1e3:9.2f} {t_env / t_npenv:6.2f}")
            if kind == "smooth" and (K, N) == (50, 10_000):
                t_fold = best(lambda: vymath.envelope(members, method="fold"), max(1, args.repeat // 5), cpu)
                print(f"  {'fold':>8} {K:>4} {N:>6} {t_fold * 1e3:9.1f} {'':>9} {t_fold / t_npenv:6.2f}")


if __name__ == "__main__":
    main()
