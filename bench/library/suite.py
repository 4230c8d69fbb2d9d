"""The library: evaluation, insertion, envelopes, combinations, matrices and tensors, beside GSL, Eigen and
numpy (numpy_peer.py), in one run: times, VyMath/peer ratios and the growth per doubling of the size.

    /usr/bin/python3 bench/run.py library                   # all of it (several minutes)
    /usr/bin/python3 bench/run.py library --filter Envelop  # the benchmarks whose name matches
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from common import BUILD, fmt, growth, table  # noqa: E402


def main(argv=None):
    parser = argparse.ArgumentParser(prog="bench/run.py library")
    parser.add_argument("--build", default=BUILD)
    parser.add_argument("--filter", default="")
    parser.add_argument("--min-time", default="0.2")
    args = parser.parse_args(argv)
    binary = os.path.join(args.build, "bench", "vymath_bench")
    with tempfile.TemporaryDirectory() as data:
        out = os.path.join(data, "vymath.json")
        cmd = [binary, "--benchmark_format=json", f"--benchmark_out={out}", f"--benchmark_min_time={args.min_time}"]
        if args.filter:
            cmd.append(f"--benchmark_filter={args.filter}")
        subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, env=dict(os.environ, VYMATH_BENCH_DATA=data))
        with open(out) as f:
            report = json.load(f)
        numpy = json.loads(subprocess.run([sys.executable, os.path.join(HERE, "numpy_peer.py"), data], check=True,
                                          capture_output=True, text=True).stdout)

    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    t = {}  # name -> seconds a call
    counters = {}
    for b in report["benchmarks"]:
        if b.get("run_type") == "aggregate":
            continue
        t[b["name"]] = b["real_time"] * scale[b["time_unit"]]
        counters[b["name"]] = b
    print(f"{report['context'].get('host_name', '')}: {report['context'].get('num_cpus')} CPUs, "
          f"{report['context'].get('mhz_per_cpu')} MHz; all timings of this one run")

    def get(name):
        return t.get(name)

    queries = 100000
    sizes = [1000, 10000, 100000, 1000000]
    rows = []
    for n in sizes:
        vy, gsl = get(f"BM_GetOrdinate_random/{n}"), get(f"BM_GSL_eval_random/{n}")
        if vy:
            rows.append([n, fmt(vy / queries * 1e9), fmt(gsl and gsl / queries * 1e9),
                         fmt(gsl and vy / gsl, "x")])
    if rows:
        table("1. GetOrdinate, random queries (ns a query)", ["n", "VyMath", "gsl_interp_eval", "ratio"], rows)

    rows = []
    for n in sizes:
        vy = get(f"BM_GetOrdinates_sorted/{n}")
        if not vy:
            continue
        npy = numpy["interp_sorted"].get(str(n))
        gsl = get(f"BM_GSL_eval_accel_sorted/{n}")
        single, batch = get(f"BM_GetOrdinate_random/{n}"), get(f"BM_GetOrdinates_random/{n}")
        rows.append([n, fmt(vy / queries * 1e9), fmt(npy and npy * 1e9), fmt(npy and vy / queries / npy, "x"),
                     fmt(gsl and gsl / queries * 1e9), fmt(gsl and vy / gsl, "x"),
                     fmt(batch and single and batch / single, "x")])
    if rows:
        table("2. GetOrdinates, 10^5 sorted queries (ns a query); last column: random-order batch / GetOrdinate",
              ["n", "VyMath", "numpy.interp", "ratio", "gsl accel", "ratio", "random batch"], rows)

    def series(prefix, title, unit=1e3, peer=None):
        names = sorted((int(k.split("/")[1]), v) for k, v in t.items() if k.split("/")[0] == prefix)
        if not names:
            return
        g = growth(names)
        rows = []
        for (n, v), gr in zip(names, g):
            row = [n, fmt(v * unit), fmt(gr)]
            if peer:
                p = get(f"{peer}/{n}")
                row += [fmt(p and p * unit), fmt(p and v / p, "x")]
            rows.append(row)
        header = ["n", "ms", "growth/doubling"] + (["peer ms", "ratio"] if peer else [])
        table(title, header, rows)

    series("BM_Set_increasing", "3a. Set in increasing order, n points")
    series("BM_Set_random", "3b. Set in random order, n points; peer: the array insertion alone",
           peer="BM_ArrayInsert_random")
    series("BM_Intersections", "4. GetIntersectionAbscissas, two functions of n points")
    for name in ["Merge", "Concat", "GetAllZero", "Extrema", "LocalMinMax", "GlobalMinMax", "ShapeQueries",
                 "EnvelopeMaxMin"]:
        series(f"BM_{name}", f"5. {name}, n points")

    for kind in ["shared", "own"]:
        for K in [10, 50]:
            rows, pts = [], []
            for N in [250, 500, 1000, 2000, 4000, 10000]:
                vy = get(f"BM_EnvelopMaxMin_{kind}/{K}/{N}")
                if vy:
                    pts.append((N, vy))
            for (N, vy), gr in zip(pts, growth(pts)):
                npy = numpy["envelope"].get(f"{kind}/{K}/{N}")
                gov = get(f"BM_EnvelopMaxMin_governing/{K}/{N}") if kind == "shared" else None
                comb = get(f"BM_Combine/{K}/{N}") if kind == "own" else None
                extra = [fmt(gov and gov * 1e3)] if kind == "shared" else [fmt(comb and comb * 1e3)]
                rows.append([K, N, fmt(vy * 1e3), fmt(npy and npy * 1e3), fmt(npy and vy / npy, "x"), fmt(gr)] + extra)
            if rows:
                what = ("every case at the same stations, one point of its own"
                        if kind == "shared" else "every case at abscissas of its own")
                last = "governing ms" if kind == "shared" else "Combine ms"
                table(f"6. EnvelopMaxMin of K cases of N points, {what}; peer: numpy union-grid envelope",
                      ["K", "N", "VyMath ms", "numpy ms", "ratio", "growth/doubling N", last], rows)

    kinds = {"shared": "every case at the same stations, one point of its own",
             "own": "every case at abscissas of its own",
             "cross": "random ordinates at abscissas of their own (a crossing in almost every segment)"}
    for kind in ["shared", "own", "cross"]:
        rows = []
        for K in [10, 50, 200]:
            pts = [(N, get(f"BM_ExactEnvelopes_{kind}/{K}/{N}")) for N in [250, 500, 1000, 2000, 4000, 10000]]
            pts = [(N, v) for N, v in pts if v]
            for (N, vy), gr in zip(pts, growth(pts)):
                npy = numpy["envelope"].get(f"{kind}/{K}/{N}")
                fold = get(f"BM_EnvelopMaxMin_{kind}/{K}/{N}")
                k50 = get(f"BM_ExactEnvelopes_{kind}/50/{N}") if K == 200 else None
                rows.append([K, N, fmt(vy * 1e3), fmt(npy and npy * 1e3), fmt(npy and vy / npy, "x"), fmt(gr),
                             fmt(k50 and vy / k50, "x"), fmt(fold and fold / vy, "x")])
        if rows:
            what = kinds[kind]
            table(f"6b. ExactEnvelopes (both envelopes, governing cases) of K cases of N points, {what}; "
                  "peer: numpy union-grid envelope",
                  ["K", "N", "VyMath ms", "numpy ms", "ratio", "growth/doubling N", "K=200 / K=50",
                   "fold / exact"], rows)

    series("BM_Qtrap", "7. Qtrap over a diagram of n points")

    rows = []
    for op in ["PrincipalStress", "ChangeOfBasis"]:
        vy, ei = get(f"BM_Tensor_{op}"), get(f"BM_Eigen_{op}")
        if vy:
            rows.append([f"tensor {op}", fmt(vy * 1e9), fmt(ei and ei * 1e9), fmt(ei and vy / ei, "x")])
    for op in ["Product", "Inverse"]:
        vy, ei = get(f"BM_Mat33_{op}"), get(f"BM_Eigen_{op}")
        if vy:
            rows.append([f"3x3 {op}", fmt(vy * 1e9), fmt(ei and ei * 1e9), fmt(ei and vy / ei, "x")])
    if rows:
        table("8. Tensor and matrix (ns a call)", ["operation", "VyMath", "Eigen", "ratio"], rows)

    m = counters.get("BM_Memory/100000/iterations:1")
    if m:
        table("9. Memory of a function of 10^5 points (bytes a point)", ["built point by point", "copy"],
              [[fmt(m["bytes_per_point_built"]), fmt(m["bytes_per_point_copy"])]])


if __name__ == "__main__":
    main()
