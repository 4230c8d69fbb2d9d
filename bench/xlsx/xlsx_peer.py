#!/usr/bin/python3
"""The xlsx benchmark's peer: pandas.read_excel with openpyxl reading the sheet of bench/xlsx_generate.cpp.
Prints the seconds it took and the frame's shape.

    /usr/bin/python3 bench/xlsx_peer.py FILE.xlsx
"""
import sys
import time

import pandas


def main():
    path = sys.argv[1]
    start = time.perf_counter()
    frame = pandas.read_excel(path, engine="openpyxl")
    seconds = time.perf_counter() - start
    print(f"seconds {seconds:.3f} rows {frame.shape[0]} columns {frame.shape[1]}")


if __name__ == "__main__":
    main()
