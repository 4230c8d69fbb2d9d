"""Reading analysis programs' exports: the tool's whole run (`vymath envelope FILE -q --csv OUT --threads 1`)
on one frame-analysis export of 11,915 beams (1,048,523 rows x 16 columns, about Excel's limit) written
by exports_generate in five forms: an xlsx sheet and a CSV and a TSV file in the program's layout (title,
header and units rows), the same columns with the header alone, and the long form member,case,step,x,
forces; each read with options naming the roles where the layout is not recognised. Beside it
pandas.read_excel (openpyxl) reading the sheet alone (bench/xlsx/xlsx_peer.py). Wall times (the least of
--repeat runs, taken in turns) and peak resident memory of each process; the runs' summaries must agree.

    /usr/bin/python3 bench/run.py exports [--members N] [--repeat R] [--no-peer]
"""
import argparse
import filecmp
import os
import re
import subprocess
import sys
import tempfile
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from common import BUILD, fmt  # noqa: E402

FORCES = ["P", "V2", "V3", "T", "M2", "M3"]
# The forms read, each with the options its columns need.
FORMS = [
    ("xlsx", ".xlsx", "xlsx sheet, the program's layout", []),
    ("csv", ".csv", "CSV, the program's layout", []),
    ("tsv", ".tsv", "TSV, the program's layout", []),
    ("headed", "-headed.csv", "CSV, the same columns, header alone, roles named",
     ["--member", "Story", "--member", "Beam", "--case", "Output Case", "--step", "Step Type", "--step-number",
      "Step Number", "--x", "Station"] + [a for f in FORCES for a in ("--force", f)]),
    ("plain", "-plain.csv", "CSV, long form member,case,step,x,forces, roles named",
     ["--member", "member", "--case", "case", "--step", "step", "--x", "x"]
     + [a for f in FORCES for a in ("--force", f)]),
]


def timed(command):
    """Wall seconds and peak resident memory (MB) of one process, its output discarded."""
    start = time.perf_counter()
    proc = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    seconds = time.perf_counter() - start
    if status:
        sys.exit("failed: %s" % " ".join(command))
    return seconds, usage.ru_maxrss * 1024 / 1e6


def main(argv=None):
    parser = argparse.ArgumentParser(prog="bench/run.py exports")
    parser.add_argument("--build", default=BUILD)
    parser.add_argument("--members", type=int, default=11915)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--no-peer", action="store_true", help="leave pandas out (its run takes minutes)")
    args = parser.parse_args(argv)
    folder = os.path.join(args.build, "exports")
    os.makedirs(folder, exist_ok=True)
    prefix = os.path.join(folder, "beams_%d" % args.members)
    if not os.path.exists(prefix + ".xlsx"):
        subprocess.run([os.path.join(args.build, "bench", "vymath_exports_generate"), prefix + ".part",
                        str(args.members)], check=True)
        for _, suffix, _, _ in FORMS:
            os.replace(prefix + ".part" + suffix, prefix + suffix)
    with zipfile.ZipFile(prefix + ".xlsx") as z:
        xml = z.getinfo("xl/worksheets/sheet1.xml").file_size
    with open(prefix + ".csv", "rb") as f:
        rows = sum(1 for _ in f)
    sizes = {name: os.path.getsize(prefix + suffix) for name, suffix, _, _ in FORMS}
    print("%s: %d rows x 16 columns; xlsx %.1f MB (sheet XML %.1f MB), CSV %.1f MB, TSV %.1f MB, header alone "
          "%.1f MB, long form %.1f MB" % (prefix, rows, sizes["xlsx"] / 1e6, xml / 1e6, sizes["csv"] / 1e6,
                                          sizes["tsv"] / 1e6, sizes["headed"] / 1e6, sizes["plain"] / 1e6))

    tool = os.path.join(args.build, "cli", "vymath")
    load = [open("/proc/loadavg").read().split()[0]]
    runs = {name: [] for name, _, _, _ in FORMS}
    with tempfile.TemporaryDirectory() as work:
        for _ in range(args.repeat):
            for name, suffix, _, options in FORMS:
                out = os.path.join(work, name + ".csv")
                runs[name].append(timed([tool, "envelope", prefix + suffix, "-q", "--csv", out, "--threads", "1"]
                                        + options))
        first = os.path.join(work, "xlsx.csv")
        differ = [name for name, _, _, _ in FORMS if not filecmp.cmp(first, os.path.join(work, name + ".csv"), False)]
        summaries = sum(1 for _ in open(first)) - 1
    peer = peer_peak = None
    if not args.no_peer:
        with tempfile.NamedTemporaryFile(mode="r", suffix=".time") as t:
            out = subprocess.run(["/usr/bin/time", "-v", "-o", t.name, "/usr/bin/python3",
                                  os.path.join(HERE, "..", "xlsx", "xlsx_peer.py"), prefix + ".xlsx"],
                                 check=True, stdout=subprocess.PIPE, text=True).stdout
            peer_peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", t.read()).group(1)) * 1024 / 1e6
        peer = float(re.search(r"seconds ([0-9.]+)", out).group(1))
    load.append(open("/proc/loadavg").read().split()[0])

    t = {name: min(r[0] for r in v) for name, v in runs.items()}
    peak = {name: max(r[1] for r in v) for name, v in runs.items()}
    print("\nEach form read and analysed to the summary (%d rows of it), one thread; %s" %
          (summaries, "the summaries are the same" if not differ else "SUMMARIES DIFFER: " + ", ".join(differ)))
    header = ["", "s", "MB/s of the input", "peak RSS MB"]
    lines = [(label, fmt(t[name]), fmt((xml if name == "xlsx" else sizes[name]) / 1e6 / t[name]),
              fmt(peak[name])) for name, _, label, _ in FORMS]
    if peer is not None:
        lines.append(("pandas.read_excel (openpyxl), the sheet alone", fmt(peer), fmt(xml / 1e6 / peer),
                      fmt(peer_peak)))
    print_table(header, lines)

    print("\nAgainst the targets")
    targets = []
    if peer is not None:
        targets.append(("xlsx run / pandas.read_excel", fmt(t["xlsx"] / peer, "x"), "<= 0.05x"))
    targets += [
        ("xlsx run, MB/s of the sheet's XML", fmt(xml / 1e6 / t["xlsx"]), ">= 100"),
        ("xlsx run's peak memory / the CSV run's", fmt(peak["xlsx"] / peak["csv"], "x"), "<= 2x"),
        ("CSV layout / header alone, roles named", fmt(t["csv"] / t["headed"], "x"), "<= 1.10x"),
        ("TSV layout / header alone, roles named", fmt(t["tsv"] / t["headed"], "x"), "<= 1.10x"),
        ("CSV layout / long form", fmt(t["csv"] / t["plain"], "x"), "<= 1.10x"),
        ("TSV layout / long form", fmt(t["tsv"] / t["plain"], "x"), "<= 1.10x"),
    ]
    print_table(["", "measured", "target"], targets)
    print("\nload average (start, end): %s; %d cores" % (" ".join(load), os.cpu_count()))
    if differ:
        sys.exit(1)


def print_table(header, lines):
    widths = [max(len(str(h)), *(len(str(r[i])) for r in lines)) for i, h in enumerate(header)]
    print("  ".join(str(h).ljust(w) if i == 0 else str(h).rjust(w) for i, (h, w) in enumerate(zip(header, widths))))
    for r in lines:
        print("  ".join(str(c).ljust(w) if i == 0 else str(c).rjust(w) for i, (c, w) in enumerate(zip(r, widths))))


if __name__ == "__main__":
    main()
