#!/usr/bin/python3
"""The one runner of VyMath's benchmarks, each suite beside its peers and measured in one run:

    /usr/bin/python3 bench/run.py SUITE [OPTIONS]     SUITE: library, design, check, model, xlsx, exports,
                                                      moving, python, all
    /usr/bin/python3 bench/run.py SUITE --help        the suite's options

Build first (Release): cmake --preset bench && cmake --build --preset bench
Run on a quiet machine: the ratios are only as good as the run.
"""
import importlib.util
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SUITES = ["library", "design", "check", "model", "xlsx", "exports", "moving", "python"]


def suite(name):
    found = importlib.util.spec_from_file_location(f"bench_{name}", os.path.join(HERE, name, "suite.py"))
    module = importlib.util.module_from_spec(found)
    found.loader.exec_module(module)
    return module


def main():
    if len(sys.argv) < 2 or sys.argv[1] not in SUITES + ["all"]:
        sys.exit(__doc__)
    names = SUITES if sys.argv[1] == "all" else [sys.argv[1]]
    for name in names:
        print(f"==== {name}", flush=True)
        suite(name).main(sys.argv[2:] if len(names) == 1 else [])


if __name__ == "__main__":
    main()
