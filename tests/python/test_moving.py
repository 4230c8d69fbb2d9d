import json
import os
import subprocess

import numpy as np
import pandas as pd
import pytest

import vymath

GOLDEN = os.path.join(os.environ.get("VYMATH_SOURCE_DIR", "."), "tests", "cli", "golden")
LINES = os.path.join(GOLDEN, "lines.csv")
SPAN = os.path.join(GOLDEN, "span_lines.csv")
TRUCK = os.path.join(GOLDEN, "truck.json")


def tool(*args):
    exe = os.environ.get("VYMATH_TOOL")
    if not exe:
        pytest.skip("the tool is not built (VYMATH_TOOL)")
    return subprocess.run([exe, *args], check=True, capture_output=True, text=True).stdout


@pytest.mark.parametrize("lines, load, section_x", [
    (LINES, "lm1-lane1", None),
    (LINES, TRUCK, None),
    (SPAN, "hl93", "xs"),
])
def test_to_dict_is_the_tool_s_json(tmp_path, lines, load, section_x):
    out = tmp_path / "out.json"
    tool("moving", lines, "--load", load, "--json", str(out), "-q",
         *(["--section-x", section_x] if section_x else []))
    result = vymath.moving_load(pd.read_csv(lines), load, section_x=section_x)
    assert result.to_dict() == json.loads(out.read_text())


def test_dict_frame_and_file_inputs_agree():
    frame = pd.read_csv(LINES)
    arrays = {name: (g["x"].to_numpy(), g["y"].to_numpy()) for name, g in frame.groupby("line", sort=False)}
    with open(TRUCK) as f:
        truck = json.load(f)
    by_frame = vymath.moving_load(frame, TRUCK).to_dict()
    by_dict = vymath.moving_load(arrays, truck, threads=1).to_dict()
    assert by_frame["lines"] == by_dict["lines"]
    table = vymath.moving_load(arrays, truck).to_frame()
    assert list(table["line"]) == [n for n in arrays for _ in range(2)]
    # Midspan moment of the 100 + 50 kN truck, the rear axle 2 m behind (its smallest spacing): 100*2.5 +
    # 50*1.5, with the lane load 10 kN/m over the whole line (area 12.5).
    assert by_dict["lines"]["M_mid"]["max"]["value"] == pytest.approx(100 * 2.5 + 50 * 1.5 + 10 * 12.5)


@pytest.mark.parametrize("lines, load, message", [
    ({"A": ([0.0], [1.0])}, "hl93", "line \"A\": point 0: .* a single point"),
    ({"A": ([0.0, 1.0], [0.0, 1.0])}, "lm9", "hl93, hl93-negative, lm1-lane1, lm1-lane2, lm1-lane3"),
    ({"A": ([0.0, 1.0], [0.0, 1.0])}, {"loads": [1, 1], "spacings": [[3, 2]]}, "/spacings/0"),
])
def test_bad_input(lines, load, message):
    with pytest.raises(ValueError, match=message):
        vymath.moving_load(lines, load)


def test_the_bounded_case_combines_with_a_static_case(tmp_path):
    """--write-case writes Max and Min rows that `vymath envelope` reads beside a static case G."""
    case = tmp_path / "lm1.csv"
    tool("moving", SPAN, "--load", "lm1-lane1", "--section-x", "xs", "--write-case", "LM1", str(case), "-q")
    moving = vymath.moving_load(pd.read_csv(SPAN), "lm1-lane1", section_x="xs").to_dict()["envelope"][0]
    static = "".join(f"S,G,,{x},{-g}\n" for x, g in zip(moving["x"], [10.0, 20.0, 10.0]))
    case.write_text(case.read_text() + static)
    out = tmp_path / "e.json"
    tool("envelope", str(case), "-c", "ULS=1.35*G+1.35*LM1", "--json", str(out), "-q")
    upper = json.loads(out.read_text())["model"]["S"]["M"]["max"]
    best = max(1.35 * -g + 1.35 * m for g, m in zip([10.0, 20.0, 10.0], moving["max"]))
    assert upper["y"] == pytest.approx(best, rel=1e-12)
    assert np.isfinite(upper["x"])
