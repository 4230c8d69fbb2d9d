#!/usr/bin/python3
"""Writes the sample exports of a small two-storey building as a frame-analysis program writes them (the
project's own numbers, from beam formulas): its beams B1, B2 and columns C1, C2, the same labels on each
storey, under Dead, Live (a point load at mid-span: the shear jumps where the beam's two sub-elements meet),
the modes of Modal, the spectrum EQx and the envelope-type combination Env (Max and Min rows), and the
linear combination ULS1; units tonf and m.

    forces.csv      the text export: two tables one after another (Beams, Columns), each with its title,
                    header and units rows; CRLF line ends, numbers to 17 significant digits
    forces_de.csv   the same saved by a spreadsheet in a German locale: ';' between fields, decimal commas
    beams.tsv       the beams copied from the program's table view: a tab between fields, no title row
    forces.xlsx     the workbook export: a sheet a table (title row, header, units), beside a sheet of
                    other data (openpyxl, Debian's python3-openpyxl)
    saf.xlsx        the same members' ULS1 and Env as SAF's ResultInternalForce1D, in kN and m

    /usr/bin/python3 examples/building_export/generate.py
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
G = 9.80665  # kN a tonf
COLUMNS = ["Story", "{label}", "Unique Name", "Output Case", "Case Type", "Step Type", "Step Number", "Station",
           "P", "V2", "V3", "T", "M2", "M3", "Element", "Elem Station", "Location"]
UNITS = ["", "", "", "", "", "", "", "m", "tonf", "tonf", "tonf", "tonf-m", "tonf-m", "tonf-m", "", "m", ""]


def number(v):
    """A number as the program writes it: 17 significant digits of the double (a value of 12 digits), an
    exponent for small values."""
    v = float("%.12g" % v)
    if v == 0:
        return "0"
    text = "%.17G" % v
    if "E" in text:
        mantissa, exponent = text.split("E")
        return mantissa + "E" + str(int(exponent))
    return text


def beam_rows(story, label, unique, span, q_dead, q_live, p_live):
    """Each case's rows of one beam: stations 0, 1.5, 3 (twice: the sub-elements meet), 4.5, 6."""
    stations = [(0.0, 1, 0.0), (1.5, 1, 1.5), (3.0, 1, 3.0), (3.0, 2, 0.0), (4.5, 2, 1.5), (6.0, 2, 3.0)]

    def udl(q, x):
        return q * (span / 2 - x), q * x * (span - x) / 2

    def point(p, x, right):
        a = span / 2
        v = p / 2 if (x < a or (x == a and not right)) else -p / 2
        m = p * x / 2 if x <= a else p * (span - x) / 2
        return v, m

    def row(case, kind, step, number_, x, element, elem_station, p, v2, m3, v3=0.0, t=0.0, m2=0.0):
        return [story, label, str(unique), case, kind, step, number_, number(x), number(p), number(v2), number(v3),
                number(t), number(m2), number(m3), "%s-%d" % (label, element), number(elem_station),
                "Start" if elem_station == 0 else "End" if elem_station == 3.0 else ""]

    rows = []
    for case, q in (("Dead", q_dead), ("Live", q_live)):
        for k, (x, element, es) in enumerate(stations):
            v, m = udl(q, x)
            if case == "Live":
                pv, pm = point(p_live, x, right=k == 3)
                v, m = v + pv, m + pm
            rows.append(row(case, "LinStatic", "", "", x, element, es, -0.1 * q * span, v, m))
    for mode in (1, 2, 3):
        for x, element, es in stations:
            shape = math.sin(mode * math.pi * x / span)
            rows.append(row("Modal", "LinModEigen", "Mode", str(mode), x, element, es, 0.0, 0.01 * mode * shape,
                            0.05 * shape / mode))
    for case, kind, scale in (("EQx", "LinRespSpec", 0.35), ("Env", "Combination", 1.0)):
        for x, element, es in stations:
            v, m = udl(q_dead + q_live, x)
            for step, sign in (("Max", 1.0), ("Min", -1.0)):
                spread = scale * (1.0 + 0.2 * sign)
                rows.append(row(case, kind, step, "", x, element, es, -0.1 * spread, spread * abs(v) * sign,
                                spread * (m if sign > 0 else -0.3 * m), 0.05 * sign, 0.02 * sign, 0.1 * sign))
    for k, (x, element, es) in enumerate(stations):
        vd, md = udl(q_dead, x)
        vl, ml = udl(q_live, x)
        pv, pm = point(p_live, x, right=k == 3)
        rows.append(row("ULS1", "Combination", "", "", x, element, es, -0.1 * (1.35 * q_dead + 1.5 * q_live) * span,
                        1.35 * vd + 1.5 * (vl + pv), 1.35 * md + 1.5 * (ml + pm)))
    return rows


def column_rows(story, label, unique, height, p_dead, p_live):
    rows = []
    for case, kind, p in (("Dead", "LinStatic", p_dead), ("Live", "LinStatic", p_live),
                          ("ULS1", "Combination", 1.35 * p_dead + 1.5 * p_live)):
        for x in (0.0, height / 2, height):
            rows.append([story, label, str(unique), case, kind, "", "", number(x), number(-p), number(0.02 * p),
                         "0", "0", number(0.01 * p * (x - height / 2)), number(0.015 * p * (height / 2 - x)),
                         label + "-1", number(x), ""])
    return rows


def tables():
    beams, columns = [], []
    unique = 1
    for story, factor in (("Story2", 0.8), ("Story1", 1.0)):
        for label, q in (("B1", 2.0), ("B2", 2.6)):
            beams += beam_rows(story, label, unique, 6.0, factor * q, factor * 0.8 * q, factor * 4.0)
            unique += 1
        for label, p in (("C1", 20.0), ("C2", 26.0)):
            columns += column_rows(story, label, unique, 3.2, factor * p, factor * 0.6 * p)
            unique += 1
    return [("Element Forces - Beams", "Beam", beams), ("Element Forces - Columns", "Column", columns)]


def text_table(title, label, rows, delimiter=",", decimal=".", titled=True, units=True):
    def cell(v):
        if decimal != ".":
            v = v.replace(".", decimal)
        return '"%s"' % v if delimiter in v else v
    lines = ["TABLE:  " + title] if titled else []
    lines.append(delimiter.join(c.format(label=label) for c in COLUMNS))
    if units:
        lines.append(delimiter.join(UNITS))
    lines += [delimiter.join(cell(v) for v in r) for r in rows]
    return lines


def main():
    all_tables = tables()
    with open(os.path.join(HERE, "forces.csv"), "w", newline="") as f:
        for title, label, rows in all_tables:
            f.write("\r\n".join(text_table(title, label, rows)) + "\r\n")
    with open(os.path.join(HERE, "forces_de.csv"), "w", newline="") as f:
        for title, label, rows in all_tables:
            f.write("\r\n".join(text_table(title, label, rows, ";", ",")) + "\r\n")
    title, label, rows = all_tables[0]
    with open(os.path.join(HERE, "beams.tsv"), "w", newline="") as f:
        f.write("\n".join(text_table(title, label, rows, "\t", titled=False, units=False)) + "\n")

    from openpyxl import Workbook

    def value(v):
        try:
            return float(v)
        except ValueError:
            return v

    book = Workbook()
    other = book.active
    other.title = "Program Control"
    other.append(["TABLE:  Program Control"])
    other.append(["ProgramName", "Version", "CurrUnits"])
    other.append(["(frame analysis)", "1.0", "Ton, m, C"])
    for title, label, rows in all_tables:
        sheet = book.create_sheet(title.split(" - ")[1])
        sheet.append(["TABLE:  " + title])
        sheet.append([c.format(label=label) for c in COLUMNS])
        sheet.append([u or None for u in UNITS])
        for r in rows:
            sheet.append([value(v) if k >= 7 and v != "" and k not in (14, 16) else (v or None)
                          for k, v in enumerate(r)])
    book.save(os.path.join(HERE, "forces.xlsx"))

    saf = Workbook()
    sheet = saf.active
    sheet.title = "ResultInternalForce1D"
    header = ["Result on", "Member", "Member Rib", "Result for", "Load case", "Load combination", "Combination key",
              "Section at [m]", "Index", "N [kN]", "Vy [kN]", "Vz [kN]", "Mx [kNm]", "My [kNm]", "Mz [kNm]"]
    records = []
    for title, label, rows in all_tables:
        for r in rows:
            if r[3] not in ("ULS1",):
                continue
            records.append(r)
    half = (len(records) + 1) // 2  # a long table continues to the right of the first
    blocks = [records[:half], records[half:]]
    sheet.append(header + [None] + header)
    index = {}
    lines = [[] for _ in range(half)]
    for b, block in enumerate(blocks):
        for k, r in enumerate(block):
            member = r[0] + "/" + r[1]
            index[member] = index.get(member, 0) + 1
            lines[k] += [None] * (16 * b - len(lines[k]))
            lines[k] += ["On beam", member, None, "Load combination", None, r[3], "1.35*Dead+1.5*Live", float(r[7]),
                         index[member], float(r[8]) * G, float(r[10]) * G, float(r[9]) * G, float(r[11]) * G,
                         float(r[13]) * G, float(r[12]) * G]
    for line in lines:
        sheet.append(line)
    saf.save(os.path.join(HERE, "saf.xlsx"))


if __name__ == "__main__":
    main()
