#!/usr/bin/python3
"""Lints the repository's Python files with Debian's flake8, configured by [tool.flake8] in pyproject.toml
(max-line-length, exclude, extend-ignore): the files git tracks, or those named.

    /usr/bin/python3 tools/lint.py [FILE ...]
"""
import os
import subprocess
import sys
import tomllib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")


def main():
    with open(os.path.join(ROOT, "pyproject.toml"), "rb") as f:
        settings = tomllib.load(f)["tool"]["flake8"]
    files = sys.argv[1:] or subprocess.run(["git", "ls-files", "*.py"], cwd=ROOT, check=True, capture_output=True,
                                           text=True).stdout.split()
    files = [f for f in files if not any(f.startswith(e + "/") for e in settings.get("exclude", []))]
    args = [f"--max-line-length={settings['max-line-length']}"]
    if settings.get("extend-ignore"):
        args.append("--extend-ignore=" + ",".join(settings["extend-ignore"]))
    return subprocess.run([sys.executable, "-m", "flake8", *args, *files], cwd=ROOT).returncode


if __name__ == "__main__":
    sys.exit(main())
