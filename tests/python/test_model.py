import json
import os
import subprocess
import sys
import threading
import time

import numpy as np
import pandas as pd
import pytest

import vymath

GIRDER = os.path.join(os.environ.get("VYMATH_SOURCE_DIR", "."), "examples", "two_span_girder")
ULS = {"ULS1": "1.35*G + 1.5*Q1", "ULS2": "1.35*G + 1.5*Q2", "ULS12": "1.35*G + 1.5*Q12"}
ACTIONS = {"uls": "6.10", "actions": [
    {"name": "G", "type": "permanent", "cases": ["G"]},
    {"name": "Q", "type": "imposed", "category": "B", "cases": ["Q1", "Q2"], "acting": "free"}]}


def tool(tmp_path, command, path, *args):
    exe = os.environ.get("VYMATH_TOOL")
    if not exe:
        pytest.skip("the tool is not built (VYMATH_TOOL)")
    subprocess.run([exe, command, path, *args, "-q", "--json", str(tmp_path / "out.json"), "--csv",
                    str(tmp_path / "out.csv")], check=True)
    return json.loads((tmp_path / "out.json").read_text())


def girder(file, single=False):
    """A file of the sample girder; single: member AB's moments alone, as case,x,y (the single form)."""
    frame = pd.read_csv(os.path.join(GIRDER, file))
    if single:
        frame = frame[frame["member"] == "AB"].drop(columns=["member", "V"]).rename(columns={"M": "y"})
    return frame


ULS_ARGS = [a for name, e in ULS.items() for a in ("-c", f"{name}={e}")]
GIRDER_ACTIONS = os.path.join(GIRDER, "actions.json")


@pytest.mark.parametrize("mode, file, single, options, args", [
    ("cases", "model.csv", False, {}, []),
    ("combinations", "model.csv", False, {"combinations": ULS}, ULS_ARGS),
    ("fold", "moment.csv", False, {"method": "fold"}, ["--fold"]),
    ("design", "design.csv", False, {"actions": GIRDER_ACTIONS}, ["--actions", GIRDER_ACTIONS]),
    ("design", "design.csv", True, {"actions": GIRDER_ACTIONS}, ["--actions", GIRDER_ACTIONS]),
    ("key figures", "model.csv", False, {}, []),
    ("key figures", "moment.csv", False, {"combinations": ULS}, ULS_ARGS),
])
def test_the_tool_s_documents_in_every_mode(tmp_path, mode, file, single, options, args):
    """to_dict() is the tool's --json and the summary (or table) its --csv, on the sample girder."""
    frame = girder(file, single)
    path = str(tmp_path / "in.csv")
    frame.to_csv(path, index=False)
    if "actions" in options:
        with open(options["actions"]) as f:
            options = {"actions": json.load(f)}
    if mode == "key figures":
        expected = tool(tmp_path, "inspect", path, *args)
        r = vymath.inspect_model(frame, **options)
        table = r.table
    else:
        expected = tool(tmp_path, "envelope", path, *args)
        r = vymath.analyse_model(frame, **options)
        table = r.summary if "model" in expected else None
    assert r.to_dict() == expected  # every double bit for bit, the governing case of every point
    assert r.to_csv() == (tmp_path / "out.csv").read_text()
    if table is not None:
        csv = pd.read_csv(tmp_path / "out.csv", float_precision="round_trip", keep_default_na=False, na_values=[""])
        numbers = [c for c in table.columns if c != "zeros"]  # a text of numbers, compared in to_csv()
        pd.testing.assert_frame_equal(table[numbers], csv[numbers], check_dtype=False)


def export():
    """An analysis program's export: B2 first, a Max and a Min row a station of the envelope case ENV,
    the linear case G without a step type, a column that is no force."""
    rows = []
    for frame, k in (("B2", 2.0), ("B1", 1.0)):
        for station in (0.0, 2.0, 4.0):
            m = k * station * (4 - station)
            rows.append((frame, "G", station, None, m, k * (2 - station), 7))
            rows.append((frame, "ENV", station, "Max", 1.5 * m, 2 * k, 7))
            rows.append((frame, "ENV", station, "Min", -m, -k, 7))
    return pd.DataFrame(rows, columns=["Frame", "OutputCase", "Station", "StepType", "M3", "V2", "Extra"])


def test_columns_steps_and_what_comes_back():
    options = dict(member="Frame", case="OutputCase", x="Station", forces=["M3", "V2"])
    r = vymath.analyse_model(export(), **options)  # ENV's Max and Min rows: its two bounds
    assert r.members == ["B2", "B1"] and r.forces == ["M3", "V2"] and r.cases("B1") == ["G", "ENV"]
    s = r.summary
    assert list(s.columns) == vymath._core.summary_columns(["M3", "V2"])
    assert s[["member", "force"]].values.tolist() == [["B2", "M3"], ["B2", "V2"], ["B1", "M3"], ["B1", "V2"]]
    assert s["max"].dtype == np.float64 and s.loc[0, "max_case"] == "ENV" and np.isnan(s.loc[0, "max_M3_left"])
    assert s.loc[0, ["max", "max_x", "min", "min_x"]].tolist() == [12.0, 2.0, -8.0, 2.0]  # ENV's Max, then Min
    assert np.isnan(s.loc[0, "max_V2_left"])  # no coincident value under a bounded case
    assert s.loc[1, ["min", "min_case", "min_M3_left"]].tolist() == [-4.0, "G", 0.0]
    lower, upper = r.envelope("B1", "V2")
    assert isinstance(upper, vymath.EnvelopeLine) and upper.x.dtype == np.float64
    assert upper.case.dtype == object and set(upper.case) == {"ENV"}
    assert [type(f).__name__ for f in r.diagrams("B1", "V2")] == ["Function1D", "tuple"]
    with pytest.raises(ValueError, match=r'^row 1: member "B2", case "ENV": a Max row at x = 0 without its Min row'):
        vymath.analyse_model(export(), filters={"StepType": ["Max", None]}, **options)
    serial = vymath.analyse_model(export(), threads=1, **options).summary
    pd.testing.assert_frame_equal(serial, s)
    with pytest.raises(ValueError, match="the model has 2 members, name one"):
        r.envelope(force="M3")
    with pytest.raises(KeyError, match="no member 'B3'"):
        r.envelope("B3", "M3")


def frame(rows, columns=("member", "case", "x", "M")):
    return pd.DataFrame(rows, columns=list(columns))


GOOD = [("B1", "G", 0.0, 0.0), ("B1", "G", 4.0, 1.0), ("B2", "G", 0.0, 0.0), ("B2", "G", 4.0, 2.0)]


@pytest.mark.parametrize("data, options, error, message", [
    (GOOD + [("B1", "G", 4.0, 3.0)] * 2, {}, ValueError, r"^row 5: member \"B1\", case \"G\" has a third row at x = 4"),
    ([("", "G", 0.0, 0.0)] + GOOD, {}, ValueError, r'^row 0: column "member" \(member\) is empty$'),
    (GOOD + [("B2", "G", 2.0, np.inf)], {}, ValueError, r'^row 4: column "M" \(M\) inf is not a finite number$'),
    (GOOD + [("B2", "G", 2.0, np.nan)], {}, ValueError, r'^row 4: member "B2", case "G": no value for force "M"$'),
    (GOOD + [("B2", "G", "two", 1.0)], {}, TypeError, r'^column "x" \(x\) is not numeric'),
    (GOOD, {"combinations": ["C=G + W"]}, ValueError, r'^combination "C": no case "W" in the frame$'),
    (GOOD + [("B1", "Q", 0.0, 1.0), ("B1", "Q", 4.0, 1.0)], {"combinations": {"C": {"G": 1, "Q": 1}}},
     ValueError, r'^member "B2": combination "C": no case "Q"$'),
    (GOOD, {"combinations": ["C=G", "C=2*G"]}, ValueError, r'combination "C" is given twice'),
    (GOOD, {"combinations": "C=G"}, TypeError, "NAME=EXPR texts or a mapping"),
    (GOOD, {"member": "Frame"}, ValueError, r'"Frame"'),
    (GOOD, {"method": "max"}, ValueError, r'method must be "exact" or "fold", got "max"'),
    (GOOD, {"threads": -1}, ValueError, "threads must be a whole number >= 0"),
    (GOOD, {"actions": ACTIONS, "combinations": ["C=G"]}, ValueError, "exclude each other"),
    (GOOD, {"actions": {"uls": "6.10", "actions": [{"name": "G", "type": "dead", "cases": ["G"]}]}},
     ValueError, r"^actions: /actions/0/type"),
])
def test_bad_input_is_refused_naming_the_row(data, options, error, message):
    with pytest.raises(error, match=message):
        vymath.analyse_model(frame(data), **options)


def test_design_envelopes_from_a_dict():
    girder = pd.read_csv(os.path.join(GIRDER, "model.csv"))
    r = vymath.analyse_model(girder[girder["case"] != "Q12"], actions=ACTIONS)  # Q is Q1 and Q2, free
    design = r.design("AB", "M")
    assert list(design) == ["ULS", "SLS characteristic", "SLS frequent", "SLS quasi-permanent"]
    uls = design["ULS"].upper
    top = int(np.argmax(uls.y))
    row = r.summary[(r.summary["member"] == "AB") & (r.summary["force"] == "M")].iloc[0]
    assert (row["situation"], row["max"], row["max_x"]) == ("ULS", uls.y[top], uls.x[top])
    assert row["max_combination"] == uls.combination[top] == "1.35*G + 1.5*Q1"
    assert uls.factors[top] == {"G": 1.35, "Q1": 1.5}
    # The combination governing the maximum gives it: the sum of its factored cases there.
    cases = dict(zip(r.cases("AB"), r.diagrams("AB", "M")))
    assert sum(f * cases[c](uls.x[top]) for c, f in uls.factors[top].items()) == pytest.approx(uls.y[top], abs=1e-9)
    entry = r.to_dict()["model"]["AB"]["M"]["ULS"]
    assert list(entry) == ["lower", "upper", "max", "min"] and entry["upper"]["factors"][top] == {"G": 1.35, "Q1": 1.5}
    assert isinstance(r, vymath.DesignResult) and not hasattr(r, "envelope")


def test_design_envelopes_under_a_code_read_every_case_of_the_actions():
    # ASCE 7 from the package's codes; Q1 and Q2 as components of a seismic action of EN 1990 (not "cases").
    girder = pd.read_csv(os.path.join(GIRDER, "model.csv"))
    asce = {"code": "ASCE7-16-LRFD", "actions": [{"name": "D", "type": "D", "cases": ["G"]},
                                                 {"name": "L", "type": "L", "cases": ["Q1", "Q2"], "acting": "free"}]}
    assert list(vymath.analyse_model(girder, actions=asce).design("AB", "M")) == ["LRFD"]
    seismic = {"actions": [{"name": "G", "type": "permanent", "cases": ["G"]},
                           {"name": "E", "type": "seismic", "components": ["Q1", "Q2"]}]}
    top = vymath.analyse_model(girder, actions=seismic).design("AB", "M")["seismic"].upper
    assert set(top.factors[int(np.argmax(top.y))]) == {"G", "Q1", "Q2"}


def test_the_gil_is_released_for_the_whole_model(monkeypatch):
    rng = np.random.default_rng(1)
    members, cases, stations = 200, 8, 60
    n = members * cases * stations
    big = pd.DataFrame({
        "member": np.repeat([f"B{m}" for m in range(members)], cases * stations),
        "case": np.tile(np.repeat([f"C{c}" for c in range(cases)], stations), members),
        "x": np.tile(np.linspace(0.0, 6.0, stations), members * cases),
        "M": rng.normal(size=n), "V": rng.normal(size=n)})
    count, stop, during = [0], threading.Event(), []

    def counter():  # runs only while the test's thread has released the GIL
        while not stop.is_set():
            count[0] += 1
            time.sleep(0)

    def released(name):  # counts what the counter did during the call
        core = getattr(vymath.model._core, name)

        def call(*args):
            before = count[0]
            result = core(*args)
            during.append(count[0] - before)
            return result

        monkeypatch.setattr(vymath.model._core, name, call)

    released("read_model")  # the rows, once the strings are read
    released("analyse_envelopes")  # the members to the summary
    interval = sys.getswitchinterval()
    sys.setswitchinterval(1000.0)  # no switch but where a thread releases the GIL itself
    thread = threading.Thread(target=counter)
    try:
        thread.start()
        r = vymath.analyse_model(big)
    finally:
        stop.set()
        sys.setswitchinterval(interval)
        thread.join()
    assert len(r.summary) == 2 * members and during[0] > 0 and during[1] > 100


CHECKS = os.path.join(os.environ.get("VYMATH_SOURCE_DIR", "."), "tests", "cli", "golden")


@pytest.mark.parametrize("args, options", [
    ((), {}),
    (("-c", "ULS=1.35*G + 1.5*Q", "-c", "W=G + 1.5*W", "--method", "at-first-force"),
     {"combinations": {"ULS": "1.35*G + 1.5*Q", "W": {"G": 1, "W": 1.5}}, "method": "at-first-force"}),
    (("--actions", os.path.join(CHECKS, "check_actions.json")),
     {"actions": {"uls": "6.10a/b",
                  "actions": [{"name": "G", "type": "permanent", "cases": ["G"]},
                              {"name": "Q", "type": "imposed", "category": "B", "cases": ["Q"]},
                              {"name": "W", "type": "wind", "cases": ["W"]}]}}),
])
def test_check_model_gives_the_tool_s_document(tmp_path, args, options):
    model = os.path.join(CHECKS, "check_model.csv")
    capacity = os.path.join(CHECKS, "check_capacity.json")
    expected = tool(tmp_path, "check", model, "--capacity", capacity, *args)
    frame = pd.read_csv(model)
    with pytest.warns(UserWarning, match="not convex"):
        from_file = vymath.check_model(frame, capacity, **options)
    with open(capacity) as f:
        as_dict = json.load(f)
    with pytest.warns(UserWarning):
        from_dict = vymath.check_model(frame, as_dict, **options)
    assert from_file.to_dict() == from_dict.to_dict() == expected
    assert from_file.to_csv() == (tmp_path / "out.csv").read_text()


def test_check_model_errors():
    frame = pd.read_csv(os.path.join(CHECKS, "check_model.csv"))
    square = {"sections": {"S": {"forces": ["P", "M3"], "curve": [[-1, -1], [1, -1], [1, 1], [-1, 1]]}}}
    with pytest.raises(ValueError, match=r"capacity: /sections/S/curve: section \"S\": the curve is not closed"):
        vymath.check_model(frame, square)
    with pytest.raises(ValueError, match="exclude each other"):
        vymath.check_model(frame, square, combinations=["U=G"], actions={})
