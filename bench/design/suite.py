"""Design envelopes (bench_design.cpp): the time of the design envelopes of every situation against
enumerating every combination and enveloping them, with the number of combinations, for 2 to 8 actions on
101 stations, then for 8 actions on 51 to 401 stations; ASCE 7-16 LRFD on a member of 21 and 101 stations
against its enumeration; all in one run.

    /usr/bin/python3 bench/run.py design
"""
import argparse
import json
import math
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from common import BUILD, fmt, table  # noqa: E402

CASES = [1, 3, 5, 6, 7, 9, 10, 13]  # load cases of the first A actions of the ladder


def main(argv=None):
    parser = argparse.ArgumentParser(prog="bench/run.py design")
    parser.add_argument("--build", default=BUILD)
    parser.add_argument("--min-time", default="0.5")
    args = parser.parse_args(argv)
    binary = os.path.join(args.build, "bench", "vymath_design_bench")
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "design.json")
        subprocess.run([binary, "--benchmark_format=json", f"--benchmark_out={out}",
                        f"--benchmark_min_time={args.min_time}"], check=True, stdout=subprocess.DEVNULL)
        with open(out) as f:
            report = json.load(f)
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    runs = {}
    for b in report["benchmarks"]:
        if b.get("run_type") == "aggregate":
            continue
        name, a, p = b["name"].split("/")[:3]
        runs[(name, int(a), int(p))] = b | {"seconds": b["real_time"] * scale[b["time_unit"]]}
    print(f"{report['context'].get('host_name', '')}: {report['context'].get('num_cpus')} CPUs, "
          f"{report['context'].get('mhz_per_cpu')} MHz; all timings of this one run")

    def seconds(name, a, p):
        r = runs.get((name, a, p))
        return r and r["seconds"]

    rows = []
    for a in range(2, 9):
        ours, enum = seconds("BM_DesignEnvelopes", a, 101), seconds("BM_Enumerated", a, 101)
        formed = seconds("BM_EnumeratedFormed", a, 101)
        count = runs.get(("BM_Enumerated", a, 101))
        if ours and enum:
            rows.append([a, CASES[a - 1], int(count["combinations"]), int(count["distinct"]), fmt(ours * 1e3),
                         fmt(enum * 1e3), fmt(enum / ours, "x"), fmt(formed and formed * 1e3),
                         fmt(formed and formed / ours, "x")])
    table("Design envelopes of every situation (ULS by 6.10, SLS characteristic, frequent, quasi-permanent) "
          "of A actions on 101 stations, against every combination enumerated (the distinct ones formed by "
          "Combine and enveloped by ExactEnvelopes); last columns: the enumeration and forming alone",
          ["actions", "cases", "combinations", "distinct", "design ms", "enumerated ms", "ratio",
           "formed only ms", "ratio"], rows)
    rows = []
    for p in (21, 101):
        ours, enum = seconds("BM_AsceDesignEnvelopes", 6, p), seconds("BM_AsceEnumerated", 6, p)
        count = runs.get(("BM_AsceEnumerated", 6, p))
        if ours and enum:
            rows.append([p, int(count["combinations"]), int(count["distinct"]), fmt(ours * 1e3), fmt(enum * 1e3),
                         fmt(enum / ours, "x")])
    table("ASCE 7-16 LRFD of D, L (3 patterns, free), Lr, S, W (4 directions) and Eh (2 directions) on one member "
          "(21 stations: a member of the model benchmark), against every combination enumerated and enveloped",
          ["stations", "combinations", "distinct", "design ms", "enumerated ms", "ratio"], rows)
    rows, previous = [], None
    for p in (51, 101, 201, 401, 801):
        ours = seconds("BM_DesignEnvelopes", 8, p)
        if ours:
            growth = previous and (ours / previous[1]) ** (1 / math.log2(p / previous[0]))
            rows.append([p, fmt(ours * 1e3), fmt(growth)])
            previous = (p, ours)
    table("Design envelopes of 8 actions, growing number of stations", ["stations", "design ms", "growth/doubling"],
          rows)


if __name__ == "__main__":
    main()
