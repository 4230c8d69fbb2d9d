"""The check benchmark: section checks of a generated model (make_check_model.py: 2,000 members x 21
stations x 30 cases in 8 actions, one rule of 28,224 combinations, a 64-vertex curve a member), the whole run
in process on 2 threads beside the enumerating reference (C++, same harness) and a numpy script that
enumerates and ray-casts vectorised (numpy_peer.py); both peers on a few members, per member.

    /usr/bin/python3 bench/run.py check [--members N] [--peer-members K]
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from common import BUILD  # noqa: E402


def main(argv=None):
    parser = argparse.ArgumentParser(prog="bench/run.py check")
    parser.add_argument("--build", default=BUILD)
    parser.add_argument("--members", type=int, default=2000)
    parser.add_argument("--peer-members", type=int, default=3)
    args = parser.parse_args(argv)
    bench = os.path.join(args.build, "bench", "vymath_check_bench")
    model = os.path.join(args.build, "check-%d.csv" % args.members)
    if not os.path.exists(model):
        subprocess.run([sys.executable, os.path.join(HERE, "make_check_model.py"), model, model + ".capacity.json",
                        model + ".rule.json", str(args.members)], check=True)
    load = [open("/proc/loadavg").read().split()[0]]
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "bench.json")
        subprocess.run([bench, "--benchmark_format=json", "--benchmark_out=" + out], check=True,
                       stdout=subprocess.DEVNULL, env=dict(os.environ, VYMATH_BENCH_CHECK=model))
        with open(out) as f:
            results = json.load(f)["benchmarks"]
    t = {b["name"].split("/min_time")[0].split("/iterations")[0]: b for b in results}
    peer = json.loads(subprocess.run([sys.executable, os.path.join(HERE, "numpy_peer.py"), model,
                                      model + ".capacity.json", str(args.peer_members)],
                                     check=True, capture_output=True, text=True).stdout)
    load.append(open("/proc/loadavg").read().split()[0])
    whole = t["BM_CheckWhole/2"]["real_time"] / 1e3
    one, two = t["BM_CheckAnalyse/1"]["real_time"] / 1e3, t["BM_CheckAnalyse/2"]["real_time"] / 1e3
    reference = t["BM_CheckReference/3"]["per_member"] * args.members
    numpy = peer["per_member"] * args.members + peer["read"]
    rows = [
        ("model", "%d members" % args.members, ""),
        ("whole run, 2 threads", "%.3f s" % whole, "target <= 1 s"),
        ("checks, 1 thread", "%.3f s" % one, ""),
        ("checks, 2 threads", "%.3f s" % two, "%.2fx faster" % (one / two)),
        ("enumerating reference (C++)", "%.1f s" % reference,
         "%.0fx the whole run (target >= 50x); %d members timed" % (reference / whole, args.peer_members)),
        ("numpy enumerating script", "%.1f s" % numpy,
         "%.0fx the whole run; %d members timed, read_csv %.2f s" % (numpy / whole, args.peer_members, peer["read"])),
        ("load average (start, end)", " ".join(load), "2 cores"),
    ]
    for name, value, note in rows:
        print("%-30s %-12s %s" % (name, value, note))


if __name__ == "__main__":
    main()
