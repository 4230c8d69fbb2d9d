#!/usr/bin/python3
"""A SAF workbook the tool wrote, read back by the tool: each extreme is the same double at the same
abscissa in the rows of its own load combination ("max M3", "ULS max M3"), and where those rows govern
the read-back envelope, its coincident forces are the same too.

    check_saf.py VYMATH INPUT WORKDIR [vymath options...]
"""
import json
import os
import shutil
import subprocess
import sys

SAF = {"p": "N", "n": "N", "v2": "Vz", "v": "Vz", "vz": "Vz", "v3": "Vy", "vy": "Vy",
       "t": "Mx", "mx": "Mx", "m3": "My", "m": "My", "my": "My", "m2": "Mz", "mz": "Mz"}


def run(tool, *args):
    done = subprocess.run([tool, *args, "-q"], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"vymath {' '.join(args)}: status {done.returncode}\n{done.stderr}")


def extremes(model):
    """(member, force, side) -> extreme, whether the run was of envelopes or of design situations."""
    out = {}
    for member, forces in model.items():
        for force, result in forces.items():
            for name, envelope in (result.items() if "max" not in result else [("", result)]):
                for side in ("max", "min"):
                    out[member, force, name, side] = envelope[side]
    return out


def main():
    tool, source, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    written, back = os.path.join(work, "a.json"), os.path.join(work, "b.json")
    saf, figures = os.path.join(work, "saf.xlsx"), os.path.join(work, "i.json")
    run(tool, "envelope", source, *sys.argv[4:], "--saf", saf, "--json", written)
    run(tool, "envelope", saf, "--json", back)
    run(tool, "inspect", saf, "--json", figures)
    a, b = json.load(open(written)), json.load(open(back))
    cases = json.load(open(figures))["model"]
    found = extremes(b["model"])
    checked = coincident = 0
    for (member, force, situation, side), want in extremes(a["model"]).items():
        name = SAF[force.lower()]
        case = (situation + " " if situation else "") + f"{side} {force}"
        own = cases[member][name][case][side]
        if (own["x"], own["y"]) != (want["x"], want["y"]):
            sys.exit(f"{member} {force} {case}: {want['y']} at {want['x']} written, "
                     f"{own['y']} at {own['x']} read back")
        checked += 1
        got = found[member, name, "", side]
        if got["case"] == case and want.get("coincident") and got.get("coincident"):
            for other, values in want["coincident"].items():
                if None in values:  # a bound's: SAF gives that bound's forces
                    continue
                if got["coincident"][SAF[other.lower()]] != values:
                    sys.exit(f"{member} {force} {case}: {other} {values} written, "
                             f"{got['coincident'][SAF[other.lower()]]} read back")
            coincident += 1
    if checked == 0 or coincident == 0:
        sys.exit(f"nothing compared ({checked} extremes, {coincident} with coincident forces)")
    print(f"{checked} extremes and {coincident} coincident rows read back the same")


main()
