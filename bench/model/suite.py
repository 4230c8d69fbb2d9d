"""The model benchmark: the tool's whole run on a generated model (make_model.py: 2,000 members x 3 forces
x 30 cases x 21 stations) beside the same work in pandas and numpy (pandas_peer.py), and its stages
(reading, analysis on 1 and 2 threads, the summary).

    /usr/bin/python3 bench/run.py model [--members N] [--repeat R]
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from common import BUILD  # noqa: E402


def timed(cmd, **kw):
    """Wall seconds and peak resident set (bytes) of one process."""
    start = time.perf_counter()
    proc = subprocess.Popen(cmd, **kw)
    _, status, usage = os.wait4(proc.pid, 0)
    if status:
        sys.exit("failed: %s" % " ".join(cmd))
    return time.perf_counter() - start, usage.ru_maxrss * 1024


def main(argv=None):
    parser = argparse.ArgumentParser(prog="bench/run.py model")
    parser.add_argument("--build", default=BUILD)
    parser.add_argument("--members", type=int, default=2000)
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args(argv)
    tool = os.path.join(args.build, "cli", "vymath")
    bench = os.path.join(args.build, "bench", "vymath_model_bench")
    model = os.path.join(args.build, "model-%d.csv" % args.members)
    if not os.path.exists(model):
        subprocess.run([sys.executable, os.path.join(HERE, "make_model.py"), model, str(args.members)], check=True)
    size = os.path.getsize(model)
    load = [open("/proc/loadavg").read().split()[0]]
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "bench.json")
        subprocess.run([bench, "--benchmark_format=json", "--benchmark_out=" + out], check=True,
                       stdout=subprocess.DEVNULL, env=dict(os.environ, VYMATH_BENCH_MODEL=model))
        with open(out) as f:
            t = {b["name"]: b["real_time"] / 1e3 for b in json.load(f)["benchmarks"]}  # ms -> s
        peers = []
        for _ in range(args.repeat):
            run = subprocess.run([sys.executable, os.path.join(HERE, "pandas_peer.py"), model,
                                  os.path.join(work, "pandas.json")], check=True, capture_output=True, text=True)
            peers.append(json.loads(run.stdout))
        runs = [timed([tool, "envelope", model, "-q", "--threads", "2", "--json", os.path.join(work, "tool.json")])
                for _ in range(args.repeat)]
    load.append(open("/proc/loadavg").read().split()[0])
    pandas = min(p["total"] for p in peers)
    pandas_read = min(p["read"] for p in peers)
    whole, read = t["BM_ModelWhole/2/min_time:2.000/real_time"], t["BM_ModelRead/min_time:2.000/real_time"]
    one, two = t["BM_ModelAnalyse/1/min_time:2.000/real_time"], t["BM_ModelAnalyse/2/min_time:2.000/real_time"]
    wall, peak = min(r[0] for r in runs), max(r[1] for r in runs)
    mb = size / 1e6
    rows = [
        ("model", "%d members, %.1f MB" % (args.members, mb), ""),
        ("whole run, 2 threads (in process)", "%.3f s" % whole, "%.2fx pandas (target <= 0.5x)" % (whole / pandas)),
        ("whole run, the tool as a process", "%.3f s" % wall, "%.2fx pandas" % (wall / pandas)),
        ("pandas script", "%.3f s" % pandas, "read_csv %.3f s" % pandas_read),
        ("reading", "%.3f s" % read, "%.0f MB/s (target >= 100)" % (mb / read)),
        ("analysis, 1 thread", "%.3f s" % one, ""),
        ("analysis, 2 threads", "%.3f s" % two, "%.2fx faster (target >= 1.7x)" % (one / two)),
        ("peak memory of the tool", "%.0f MB" % (peak / 1e6), "%.2fx the file (target <= 3x)" % (peak / size)),
        ("load average (start, end)", " ".join(load), "2 cores"),
    ]
    for name, value, note in rows:
        print("%-36s %-18s %s" % (name, value, note))


if __name__ == "__main__":
    main()
