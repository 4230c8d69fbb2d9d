"""What the benchmark suites share: where the Release build is, the tables they print (times, ratios,
growth per doubling of the size) and Google Benchmark's JSON report read as seconds a call."""
import json
import math
import os
import subprocess
import tempfile

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
BUILD = os.path.join(ROOT, "build", "bench")


def binary(build, name):
    """The benchmark program `name` of the build tree."""
    return os.path.join(build, "bench", name)


def run_benchmark(program, *args, env=None):
    """Runs a Google Benchmark program; its report as {name: seconds a call} (aggregates left out), with the
    report itself."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "report.json")
        subprocess.run([program, "--benchmark_format=json", f"--benchmark_out={out}", *args], check=True,
                       stdout=subprocess.DEVNULL, env=env)
        with open(out) as f:
            report = json.load(f)
    scale = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}
    times = {b["name"]: b["real_time"] * scale[b["time_unit"]] for b in report["benchmarks"]
             if b.get("run_type") != "aggregate"}
    return times, report


def growth(rows):
    """Per row, the time ratio to the previous size, normalised to one doubling of the size."""
    out, previous = [], None
    for n, t in rows:
        if previous and t and previous[1]:
            out.append((t / previous[1]) ** (1 / math.log2(n / previous[0])))
        else:
            out.append(None)
        previous = (n, t)
    return out


def fmt(v, unit=""):
    if v is None:
        return "-"
    return f"{v:.3g}{unit}" if abs(v) < 1000 else f"{v:.0f}{unit}"


def table(title, header, rows):
    print(f"\n{title}")
    widths = [max(len(str(h)), *(len(str(r[i])) for r in rows)) for i, h in enumerate(header)]
    print("  ".join(str(h).rjust(w) for h, w in zip(header, widths)))
    for r in rows:
        print("  ".join(str(c).rjust(w) for c, w in zip(r, widths)))
