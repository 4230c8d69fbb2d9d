"""Moving loads on influence lines: the exact largest and smallest effect of a vehicle and a lane load,
the same work and the same documents as the command-line tool's ``vymath moving``."""

import collections.abc
import json
import os

import numpy as np

from . import _core
from .model import _model, _pandas, _threads

#: Where the shipped loads are: the package's folder loads/.
_LOADS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "loads")


def _load(load):
    """(JSON text, its name in messages) of a dict, a file or a shipped name."""
    if isinstance(load, collections.abc.Mapping):
        return json.dumps(load, allow_nan=False), "the load"
    if isinstance(load, os.PathLike):
        load = os.fspath(load)
    if not isinstance(load, str):
        raise TypeError(f"load must be a dict, a file or a shipped load's name, got {type(load).__name__}")
    return _core.load_text(load, [_LOADS])


def _lines_model(lines, section_x):
    """The extension's model of the lines: a long-form DataFrame, or {name: (x, y)}."""
    if isinstance(lines, collections.abc.Mapping):
        if section_x is not None:
            raise ValueError("section_x names a column of a DataFrame of lines")
        names, xs, ys = [], [], []
        for name, xy in lines.items():
            if not isinstance(xy, (tuple, list)) or len(xy) != 2:
                raise TypeError(f"lines[{name!r}] must be a pair (x, y) of arrays")
            names.append(str(name))
            xs.append(np.ascontiguousarray(xy[0], dtype=np.float64))
            ys.append(np.ascontiguousarray(xy[1], dtype=np.float64))
        return _core.lines_model(names, xs, ys)
    pandas = _pandas()
    if not isinstance(lines, pandas.DataFrame):
        raise TypeError(f"lines must be a pandas.DataFrame or a dict {{name: (x, y)}}, got {type(lines).__name__}")
    header = [str(c) for c in lines.columns]
    folded = [h.lower() for h in header]
    case = next((header[folded.index(n)] for n in ("line", "section") if n in folded), None)
    return _model(lines, dict(case=case))


class MovingResult:
    """A moving load's extremes on influence lines (moving_load): per line the largest and smallest
    effect with the vehicle's position, direction, side, spacings and alternative and the lane load's
    stretches, as the tool's --json."""

    def __init__(self, analysis):
        self._analysis = analysis
        #: The lines' names, in input order.
        self.lines = analysis.names

    def __repr__(self):
        return f"MovingResult({len(self.lines)} lines)"

    def to_dict(self):
        """The results as the tool's --json writes them, parsed: {"load", "lines": {LINE: {"section_x",
        "max": {...}, "min": {...}}}, and "envelope" with sections}. The document is the formats' own, the
        same the tool writes."""
        return json.loads(self._analysis.to_json())

    def to_csv(self):
        """The results as the tool's --csv writes them (text)."""
        return self._analysis.to_csv()

    def to_case(self, name):
        """The extremes as the bounded case `name` (Max and Min rows at each section), CSV text as the tool's
        --write-case writes it: what vymath.read_table and analyse_model take beside the static cases."""
        return self._analysis.to_case(str(name))

    def to_frame(self):
        """A pandas DataFrame, a row a line and extreme: line, section_x, extreme ("max", "min"), value,
        lane_value, position, side, direction, alternative, spacings (a list), lane (a list of [a, b])."""
        rows = []
        for line, r in self.to_dict()["lines"].items():
            for extreme in ("max", "min"):
                e = r[extreme]
                rows.append(dict(line=line, section_x=r["section_x"], extreme=extreme, **{
                    k: e[k] for k in ("value", "lane_value", "position", "side", "direction", "alternative",
                                      "spacings", "lane")}))
        columns = ["line", "section_x", "extreme", "value", "lane_value", "position", "side", "direction",
                   "alternative", "spacings", "lane"]
        return _pandas().DataFrame(rows, columns=columns)


def moving_load(lines, load, *, section_x=None, threads=0):
    """The exact largest and smallest effect of a moving load on every influence line, as the tool's
    ``vymath moving``: a MovingResult.

    lines: a pandas DataFrame in long form, ``line,x,y`` (x where a unit load stands, y its effect; two rows
    at one x a jump) or ``member,section,x,FORCE`` (a line a member and section), or a dict {name: (x, y)}
    of arrays. load: a dict (a load file's content), a file path, or a shipped load's name ("lm1-lane1",
    "lm1-lane2", "lm1-lane3", "hl93", "hl93-negative"). section_x: a DataFrame's column holding each line's
    section abscissa along its member (one value a line): the results also form the envelope along the
    member. threads: lines in parallel on at most this many threads (0: all cores); the results do not
    depend on it.

    ValueError with the tool's message for a bad line or load (an unknown name lists the shipped ones).
    """
    threads = _threads(threads)
    text, source = _load(load)
    model = _lines_model(lines, section_x)
    return MovingResult(_core.analyse_moving(model, "" if section_x is None else str(section_x), text, source,
                                             threads))
