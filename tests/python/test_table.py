import os
import warnings

import pandas as pd
import pytest

import vymath
from test_model import tool

BUILDING = os.path.join(os.environ.get("VYMATH_SOURCE_DIR", "."), "examples", "building_export")


@pytest.mark.parametrize("file, options, args", [
    ("forces.csv", {}, []),
    ("forces_de.csv", {}, []),
    ("forces.xlsx", {"sheet": "Beams"}, ["--sheet", "Beams"]),
    ("beams.tsv", {"from_units": "tonf,m", "units": "kN,m"}, ["--from-units", "tonf,m", "--units", "kN,m"]),
    ("forces.csv", {"table": "Element Forces - Columns", "member": "Column"},
     ["--table", "Element Forces - Columns", "--member", "Column"]),
    ("saf.xlsx", {}, []),
])
def test_the_exports_read_as_the_tool_reads_them(tmp_path, file, options, args):
    """analyse_model(read_table(path)) gives the tool's JSON on the file: rows, steps, units and all."""
    path = os.path.join(BUILDING, file)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore")
        frame = vymath.read_table(path, **options)
    assert frame.attrs["units"]["x"] == "m"
    assert vymath.analyse_model(frame).to_dict() == tool(tmp_path, "envelope", path, *args)
    assert vymath.inspect_model(frame).to_dict() == tool(tmp_path, "inspect", path, *args)


def test_the_frame_and_its_notes():
    with pytest.warns(UserWarning, match='tables left out: "Program Control"'):
        frame = vymath.read_table(os.path.join(BUILDING, "forces.xlsx"), units="kN,m")
    assert list(frame.columns) == ["member", "case", "step_type", "x", "P", "V2", "V3", "T", "M2", "M3"]
    assert frame.attrs["units"] == {"x": "m", "P": "kN", "V2": "kN", "V3": "kN", "T": "kN-m", "M2": "kN-m",
                                    "M3": "kN-m"}
    bounded = frame[frame["step_type"].notna()]  # the envelope combination and the spectrum
    assert set(bounded["case"]) == {"Env", "EQx"} and set(bounded["step_type"]) == {"Max", "Min"}
    assert {"Modal:1", "Modal:3"} <= set(frame["case"])  # a mode a case
    first = frame.iloc[0]
    assert (first["member"], first["case"], first["P"]) == ("Story2/B1", "Dead", -0.96 * 9.80665)


@pytest.mark.parametrize("call, error, message", [
    (dict(path="missing.csv"), FileNotFoundError, "missing.csv"),
    (dict(path="forces.xlsx", sheet="Walls"), ValueError, r'no sheet "Walls".*"Beams"'),
    (dict(path="forces.csv", units="kN;m"), ValueError, r'^units "kN;m": expected FORCE,LENGTH'),
    (dict(path="forces.csv", delimiter="|"), ValueError, "delimiter '|': expected one of"),
    (dict(path="forces.csv", sheet=3), TypeError, "sheet must be a str"),
])
def test_bad_requests(call, error, message):
    path = os.path.join(BUILDING, call.pop("path"))
    with pytest.raises(error, match=message):
        vymath.read_table(path, **call)


def test_a_frame_of_one_member_has_no_member_column(tmp_path):
    path = tmp_path / "m.csv"
    path.write_text("case,x,y\nG,0,1\nG,2,3\n")
    frame = vymath.read_table(path)
    assert list(frame.columns) == ["case", "x", "y"] and frame.attrs["units"] == {}
    pd.testing.assert_series_equal(frame["y"], pd.Series([1.0, 3.0], name="y"))
