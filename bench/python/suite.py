"""The Python package: f(x) and the exact envelope against numpy (speed.py), and the model benchmark
through pandas.read_csv and vymath.analyse_model beside the pandas script (model.py), with the package of
the build tree (or the one installed, with --installed).

    /usr/bin/python3 bench/run.py python [--installed]
"""
import argparse
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from common import BUILD  # noqa: E402


def main(argv=None):
    parser = argparse.ArgumentParser(prog="bench/run.py python")
    parser.add_argument("--build", default=BUILD)
    parser.add_argument("--installed", action="store_true", help="the vymath that the interpreter finds")
    args, rest = parser.parse_known_args(argv)
    env = dict(os.environ)
    if not args.installed:
        env["PYTHONPATH"] = os.path.join(args.build, "python")
    for script in ("speed.py", "model.py"):
        subprocess.run(["/usr/bin/python3", os.path.join(HERE, script), *rest], check=True, env=env)


if __name__ == "__main__":
    main()
