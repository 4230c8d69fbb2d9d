#!/usr/bin/python3
"""Counts non-blank, non-comment C++ lines of the tests against those of the code (headers and
sources outside tests/, bench/, fuzz/ and examples/) and prints the ratio."""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
SKIP = {"build", ".git", "bench", "fuzz", "examples"}


def lines(path):
    text = open(path, encoding="utf-8", errors="replace").read()
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    return sum(1 for line in text.splitlines() if line.strip() and not line.strip().startswith("//"))


def count(top, tests):
    total = 0
    for dirpath, dirnames, files in os.walk(top):
        rel = os.path.relpath(dirpath, ROOT).split(os.sep)
        dirnames[:] = [d for d in dirnames if d not in SKIP and not (rel == ["."] and d == "tests" and not tests)]
        for f in files:
            if f.endswith((".cpp", ".h", ".hpp")):
                total += lines(os.path.join(dirpath, f))
    return total


code = count(ROOT, tests=False)
tests = count(os.path.join(ROOT, "tests"), tests=True)
print(f"tests {tests} / code {code} = {tests / code:.2f}")
sys.exit(0)
