"""The model benchmark from Python (a benchmark script, not a test): the generated model of
bench/model/make_model.py (2,000 members x 3 forces x 30 cases x 21 stations, 1.26 million rows) read
by pandas.read_csv and analysed by vymath.analyse_model, beside bench/model/pandas_peer.py, the same work
in pandas and numpy. Prints the best of R runs of each, and analyse_model on 1 and 2 threads.

    /usr/bin/python3 bench/python/model.py [--members N] [--repeat R] [--model FILE]  (or bench/run.py python)
"""

import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

import pandas as pd

import vymath

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def best(fn, repeat):
    times, result = [], None
    for _ in range(repeat):
        start = time.perf_counter()
        result = fn()
        times.append(time.perf_counter() - start)
    return min(times), result


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--members", type=int, default=2000)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--model", help="the model's CSV file (default: generated in a temporary folder)")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as work:
        model = args.model or os.path.join(work, "model.csv")
        if not os.path.exists(model):
            subprocess.run([sys.executable, os.path.join(ROOT, "bench", "model", "make_model.py"), model,
                            str(args.members)], check=True)
        read, frame = best(lambda: pd.read_csv(model), args.repeat)
        one, _ = best(lambda: vymath.analyse_model(frame, threads=1), args.repeat)
        two, result = best(lambda: vymath.analyse_model(frame, threads=2), args.repeat)
        peers = []
        for _ in range(args.repeat):
            run = subprocess.run([sys.executable, os.path.join(ROOT, "bench", "model", "pandas_peer.py"), model,
                                  os.path.join(work, "pandas.json")], check=True, capture_output=True, text=True)
            peers.append(json.loads(run.stdout))
    pandas = min(p["total"] for p in peers)
    rows = [
        ("model", f"{len(frame):,} rows, {len(result.members)} members, forces {', '.join(result.forces)}", ""),
        ("pandas.read_csv", f"{read:.3f} s", ""),
        ("analyse_model, 1 thread", f"{one:.3f} s", ""),
        ("analyse_model, 2 threads", f"{two:.3f} s", f"{one / two:.2f}x faster than on 1"),
        ("read_csv + analyse_model (2 threads)", f"{read + two:.3f} s", f"{(read + two) / pandas:.2f}x pandas"),
        ("pandas script (read_csv, groupby, numpy)", f"{pandas:.3f} s", ""),
        ("load average", open("/proc/loadavg").read().split()[0], f"{os.cpu_count()} cores"),
    ]
    for name, value, note in rows:
        print(f"{name:<42} {value:<20} {note}")


if __name__ == "__main__":
    main()
