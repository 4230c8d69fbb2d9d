"""The xlsx reader (bench_xlsx.cpp): a 1,048,576 x 16 sheet written by xlsx_generate (libxlsxwriter) read
to its last cell, beside inflating alone, expat and pandas.read_excel (xlsx_peer.py, openpyxl), with the
peak memory of each (/usr/bin/time -v).

    /usr/bin/python3 bench/run.py xlsx [--rows N]
"""
import argparse
import json
import os
import re
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
from common import BUILD, fmt, table  # noqa: E402


def timed(command, env=None):
    """Runs command under /usr/bin/time -v; returns its standard output and its peak RSS in MiB."""
    with tempfile.NamedTemporaryFile(mode="r", suffix=".time") as t:
        out = subprocess.run(["/usr/bin/time", "-v", "-o", t.name] + command, check=True, env=env,
                             stdout=subprocess.PIPE, text=True).stdout
        peak = int(re.search(r"Maximum resident set size \(kbytes\): (\d+)", t.read()).group(1))
    return out, peak / 1024


def main(argv=None):
    parser = argparse.ArgumentParser(prog="bench/run.py xlsx")
    parser.add_argument("--build", default=BUILD)
    parser.add_argument("--rows", type=int, default=1048576)
    args = parser.parse_args(argv)
    folder = os.path.join(args.build, "xlsx")
    os.makedirs(folder, exist_ok=True)
    book = os.path.join(folder, f"forces_{args.rows}.xlsx")
    if not os.path.exists(book):
        subprocess.run([os.path.join(args.build, "bench", "vymath_xlsx_generate"), book + ".part",
                        str(args.rows)], check=True)
        os.replace(book + ".part", book)
    with zipfile.ZipFile(book) as z:
        part = z.getinfo("xl/worksheets/sheet1.xml")
        strings = z.getinfo("xl/sharedStrings.xml")
    print(f"{book}: {os.path.getsize(book) / 1e6:.1f} MB, sheet XML {part.file_size / 1e6:.1f} MB "
          f"(deflated {part.compress_size / 1e6:.1f} MB, {part.file_size / part.compress_size:.1f}x), "
          f"shared strings {strings.file_size / 1e6:.2f} MB")

    env = dict(os.environ, VYMATH_XLSX_BENCH_FILE=book)
    binary = os.path.join(args.build, "bench", "vymath_xlsx_bench")
    results = {}
    peaks = {}
    for name in ["BM_XlsxRead", "BM_XlsxInflate", "BM_XlsxExpat"]:
        out, peak = timed([binary, f"--benchmark_filter=^{name}/", "--benchmark_format=json"], env)
        results[name] = json.loads(out)["benchmarks"][0]
        peaks[name] = peak
    peer_out, peer_peak = timed(["/usr/bin/python3", os.path.join(HERE, "xlsx_peer.py"), book])
    peer = float(re.search(r"seconds ([0-9.]+)", peer_out).group(1))

    def seconds(name):
        return results[name]["real_time"] / 1e3

    def rate(name):
        return results[name]["bytes_per_second"] / 1e6

    read = seconds("BM_XlsxRead")
    rows = [
        ["vymath_xlsx: the sheet read to its last cell", fmt(read), fmt(rate("BM_XlsxRead")),
         fmt(peaks["BM_XlsxRead"]), "1x"],
        ["libzip: inflating the sheet alone", fmt(seconds("BM_XlsxInflate")), fmt(rate("BM_XlsxInflate")),
         fmt(peaks["BM_XlsxInflate"]), fmt(seconds("BM_XlsxInflate") / read, "x")],
        ["expat: inflating and parsing, values kept", fmt(seconds("BM_XlsxExpat")), fmt(rate("BM_XlsxExpat")),
         fmt(peaks["BM_XlsxExpat"]), fmt(seconds("BM_XlsxExpat") / read, "x")],
        ["pandas.read_excel (openpyxl)", fmt(peer), fmt(part.file_size / 1e6 / peer), fmt(peer_peak),
         fmt(peer / read, "x")],
    ]
    table(f"A sheet of {args.rows:,} rows x 16 columns ({results['BM_XlsxRead']['cells']:,.0f} cells), one thread",
          ["", "s", "MB/s of sheet XML", "peak RSS MiB", "time / reader's"], rows)


if __name__ == "__main__":
    main()
