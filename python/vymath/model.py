"""Whole models: the internal-force diagrams of a structure's members as one table in long form (a pandas
DataFrame, or a dask DataFrame partitioned by member), analysed by the library's analysis layer, the same
work as the command-line tool's ``vymath envelope``."""

import json
import numbers
import collections.abc
import typing

import numpy as np

from . import _core


class EnvelopeLine(typing.NamedTuple):
    """An envelope's stored points: abscissas ``x``, ordinates ``y`` (float arrays) and ``case`` (an
    object array), the case or combination governing the stretch that starts at each point (at the last
    point, the stretch that ends there); None where no case is defined (``y`` is then +-DBL_MAX) and,
    with method="fold", where the fold interpolated between earlier points."""

    x: np.ndarray
    y: np.ndarray
    case: np.ndarray


class Envelope(typing.NamedTuple):
    """The lower and upper envelopes of one member and force, as EnvelopeLine."""

    lower: EnvelopeLine
    upper: EnvelopeLine


class DesignLine(typing.NamedTuple):
    """A design envelope's stored points: ``x``, ``y``, ``combination`` (an object array of texts such
    as "1.35*G + 1.5*Q1") and ``factors`` (a list: each point's combination as {case: factor}, cases at
    factor 0 left out; the points of one combination share one dict), each naming the combination that
    governs the stretch starting at the point (at the last point, the stretch that ends there)."""

    x: np.ndarray
    y: np.ndarray
    combination: np.ndarray
    factors: list


class DesignEnvelope(typing.NamedTuple):
    """The lower and upper design envelopes of one member, force and situation, as DesignLine."""

    lower: DesignLine
    upper: DesignLine


def _pandas():
    try:
        import pandas
    except ImportError as e:  # pragma: no cover - depends on the installation
        raise ImportError("vymath models need pandas (Debian: python3-pandas)") from e
    return pandas


def _text(value):
    """A filter value as the text it is compared as: None and NaN are the empty text (a missing value)."""
    if value is None or (isinstance(value, float) and value != value):
        return ""
    return str(value)


def _filters(filters):
    if filters is None:
        return []
    if not isinstance(filters, collections.abc.Mapping):
        raise TypeError(f"filters must be a mapping {{column: value or values}}, got {type(filters).__name__}")
    out = []
    for column, values in filters.items():
        if isinstance(values, (str, bytes)) or not hasattr(values, "__iter__"):
            values = [values]
        out.append((str(column), [_text(v) for v in values]))
    return out


def _combinations(combinations):
    if combinations is None:
        return []
    if isinstance(combinations, str):
        raise TypeError("combinations must be NAME=EXPR texts or a mapping, got one str")
    if not isinstance(combinations, collections.abc.Mapping):
        items = list(combinations)
        for k, c in enumerate(items):
            if not isinstance(c, str):
                raise TypeError(f"combinations[{k}] must be a NAME=EXPR text, got {type(c).__name__}")
        return items
    out = []
    for name, value in combinations.items():
        if isinstance(value, str):
            out.append((str(name), value))
        elif isinstance(value, collections.abc.Mapping):
            out.append((str(name), [(str(c), float(f)) for c, f in value.items()]))
        else:
            raise TypeError(f"combinations[{name!r}] must be an EXPR text or a mapping {{case: factor}}, "
                            f"got {type(value).__name__}")
    return out


def _numbers(pandas, frame, position, header, role):
    column = frame.iloc[:, position]
    try:
        if column.dtype.kind not in "biuf":
            column = pandas.to_numeric(column)
        return column.to_numpy(dtype=np.float64, na_value=np.nan)
    except (ValueError, TypeError) as e:
        raise TypeError(f'column "{header[position]}" ({role}) is not numeric: {e}') from None


def _factorized(pandas, frame, position):
    codes, names = pandas.factorize(frame.iloc[:, position])
    return np.asarray(codes, dtype=np.int64), [_text(n) for n in names]


def _layout(frame, member, case, x, forces, filters):
    header = [str(c) for c in frame.columns]
    forces = [] if forces is None else [str(f) for f in ([forces] if isinstance(forces, str) else forces)]
    return header, _core.resolve_columns(header, member, case, x, forces, _filters(filters))


def analyse_model(frame, *, member=None, case=None, x=None, forces=None, filters=None, combinations=None,
                  actions=None, method="exact", threads=0):
    """Analyses a model given as a pandas DataFrame in long form (one row a point: member, load case,
    abscissa and one column a force, as ``member,case,x,N,Vz,My`` or ``case,x,y``); returns a ModelResult.

    member, case, x: the columns of those roles (default: the columns so named, any letter case; without
    a member column the frame is one member, named ""). forces: the force columns in the order wanted
    (default: every other column that no filter names). filters: {column: value or values}, keeping the
    rows whose column holds one of the values as text (str(value); a missing value is ""; filters on
    several columns must all match). Column names are compared as text.

    Each case of a member and force is one diagram; two rows of a case at one abscissa are a jump, the
    left value first (in row order), a third is an error. A missing force value (NaN) is an error when its
    case is enveloped. combinations: {name: "1.35*G + 1.5*Q"} or {name: {case: factor}}, or a list of
    "NAME=EXPR" texts: the envelopes of the combinations, for every member. actions: a dict of actions
    (the tool's actions file as a dict) for the design envelopes of EN 1990, not with combinations.
    method: "exact" (default) or "fold". threads: members in parallel on at most this many threads (0:
    all cores); the results do not depend on it. The GIL is released from the first row to the summary.

    ValueError, with the tool's message and the row's position (as DataFrame.iloc counts), for bad data
    or a request that does not fit it; TypeError for a column that is not numeric or a bad argument.
    """
    pandas = _pandas()
    if not isinstance(frame, pandas.DataFrame):
        raise TypeError(f"frame must be a pandas.DataFrame, got {type(frame).__name__}")
    if isinstance(threads, bool) or not isinstance(threads, numbers.Integral) or threads < 0:
        raise ValueError(f"threads must be a whole number >= 0, got {threads!r}")
    if actions is not None and not isinstance(actions, collections.abc.Mapping):
        raise TypeError(f"actions must be a dict, got {type(actions).__name__}")
    header, layout = _layout(frame, member, case, x, forces, filters)
    analysis = _core.analyse_model(
        layout,
        _factorized(pandas, frame, layout.member) if layout.member >= 0 else None,
        _factorized(pandas, frame, layout.case),
        _numbers(pandas, frame, layout.x, header, "x"),
        [_numbers(pandas, frame, p, header, n) for p, n in zip(layout.forces, layout.force_names)],
        [_factorized(pandas, frame, p) for p, _ in layout.filters],
        _combinations(combinations),
        method,
        int(threads),
        None if actions is None else json.dumps(actions, allow_nan=False),
    )
    return ModelResult(analysis, pandas.DataFrame(analysis.summary()))


def _json_number(v):
    return None if v != v else float(v)


class ModelResult:
    """The analysis of a model (vymath.analyse_model): the summary and, for each member and force, the
    envelopes (or the design envelopes of each situation) and the diagrams they come from.

    Members are named as in the input ("" for the one member of a frame without a member column);
    member=None and force=None stand for the only member or force."""

    def __init__(self, analysis, summary):
        self._analysis = analysis
        #: The member names, in input order.
        self.members = analysis.members
        #: The force names, in column order.
        self.forces = analysis.forces
        #: One row a member and force (and situation, with actions): the analysis layer's summary columns
        #: member, force, [situation,] max, max_x, max_case (max_combination), min, min_x, min_case
        #: (min_combination), then max_F_left,
        #: max_F_right for each force F and min_F_left, min_F_right for each (NaN in the row of F itself and
        #: where the governing case has no value); NaN and None for an envelope without a point.
        self.summary = summary
        self._member = {name: k for k, name in enumerate(self.members)}
        self._force = {name: k for k, name in enumerate(self.forces)}
        self._design = summary.columns[2] == "situation"

    def __repr__(self):
        return f"ModelResult({len(self.members)} members, forces {', '.join(self.forces)})"

    def _find(self, table, name, what, count):
        if name is None:
            if count != 1:
                raise ValueError(f"{what}: the model has {count} {what}s, name one")
            return 0
        if name not in table:
            raise KeyError(f"no {what} {name!r}")
        return table[name]

    def _at(self, member, force):
        return (self._find(self._member, member, "member", len(self.members)),
                self._find(self._force, force, "force", len(self.forces)))

    def cases(self, member=None):
        """The names of the member's enveloped diagrams: its load cases in input order, or the
        combinations in their order."""
        return self._analysis.diagram_names(self._find(self._member, member, "member", len(self.members)))

    def envelope(self, member=None, force=None):
        """The lower and upper envelopes of the member's force as an Envelope of two EnvelopeLine."""
        if self._design:
            raise ValueError("the model was analysed with actions: see design()")
        m, f = self._at(member, force)
        names = np.array(self._analysis.diagram_names(m) + [None], dtype=object)
        lower, upper = self._analysis.envelope(m, f)
        return Envelope(*(EnvelopeLine(x, y, names[k]) for x, y, k in (lower, upper)))

    def design(self, member=None, force=None):
        """The design envelopes of the member's force: {situation: DesignEnvelope}, situations in the
        order of the analysis ("ULS", "SLS characteristic", ..., "accidental A1", "seismic")."""
        if not self._design:
            raise ValueError("the model was analysed without actions: see envelope()")
        m, f = self._at(member, force)
        out = {}
        for name, lower, upper, combinations in self._analysis.design(m, f):
            texts = np.array([t for t, _ in combinations] + [None], dtype=object)
            factors = [dict(c) for _, c in combinations] + [None]
            out[name] = DesignEnvelope(*(DesignLine(x, y, texts[k], [factors[i] for i in k])
                                         for x, y, k in (lower, upper)))
        return out

    def diagrams(self, member=None, force=None):
        """The member's diagrams of the force as Function1D, built again from the rows: its load cases
        (with actions too), or the combinations."""
        return self._analysis.diagrams(*self._at(member, force))

    def plot(self, member=None, force=None, situation=None, ax=None, xlabel=None, ylabel=None, title=None,
             legend=None):
        """Draws the member's diagrams of the force thin and its envelopes thick, each stretch in the
        colour of the case (or combination) governing it, named in the legend; with actions, the
        situation's design envelopes (situation names one, default "ULS") over the load cases. Returns
        the Axes."""
        from .plot import _envelope_figure

        m, f = self._at(member, force)
        functions = self.diagrams(member, force)
        cases = self._analysis.diagram_names(m)
        if self._design:
            situations = {name: (lower, upper, [t for t, _ in c])
                          for name, lower, upper, c in self._analysis.design(m, f)}
            situation = "ULS" if situation is None else situation
            if situation not in situations:
                raise KeyError(f"no situation {situation!r}; the model has {', '.join(situations)}")
            lower, upper, names = situations[situation]
        else:
            lower, upper = self._analysis.envelope(m, f)
            names = cases
        if title is None:
            title = ", ".join(t for t in (self.members[m], self.forces[f], situation) if t)
        return _envelope_figure(functions, cases, lower, upper, names, not self._design, ax=ax, xlabel=xlabel,
                                ylabel=self.forces[f] if ylabel is None else ylabel, title=title,
                                legend=legend)

    def to_dict(self):
        """The results in the form of the tool's --json: {"model": {MEMBER: {FORCE: {"lower", "upper",
        "max", "min"}}}} (with actions one level more, the situation, and "factors" and "combination" in
        each line); for a frame without a member column and with one force, the tool's single form:
        {"members": [...], "lower": ..., "upper": ...} (with actions {"situations": {...}}). Numbers are
        floats, None for NaN, so that json.dumps writes what the tool writes."""
        single = not self._analysis.named and len(self.forces) == 1
        if single:
            if self._design:
                return {"situations": {s: {"lower": self._design_line(e.lower), "upper": self._design_line(e.upper)}
                                       for s, e in self.design().items()}}
            e = self.envelope()
            return {"members": self.cases(), "lower": self._line(e.lower), "upper": self._line(e.upper)}
        rows = self.summary.to_dict("records")
        model = {}
        for row in rows:
            member, force = row["member"], row["force"]
            extremes = {k: self._extreme(row, k) for k in ("max", "min")}
            if self._design:
                e = self.design(member, force)[row["situation"]]
                entry = {"lower": self._design_line(e.lower), "upper": self._design_line(e.upper), **extremes}
                model.setdefault(member, {}).setdefault(force, {})[row["situation"]] = entry
            else:
                e = self.envelope(member, force)
                model.setdefault(member, {})[force] = {"lower": self._line(e.lower), "upper": self._line(e.upper),
                                                       **extremes}
        return {"model": model}

    @staticmethod
    def _line(line):
        return {"x": [float(v) for v in line.x], "y": [float(v) for v in line.y], "case": list(line.case)}

    @staticmethod
    def _design_line(line):
        return {"x": [float(v) for v in line.x], "y": [float(v) for v in line.y],
                "factors": [dict(f) for f in line.factors], "combination": list(line.combination)}

    def _extreme(self, row, key):
        if row[key + "_x"] != row[key + "_x"]:
            return None
        coincident = {f: [_json_number(row[f"{key}_{f}_left"]), _json_number(row[f"{key}_{f}_right"])]
                      for f in self.forces if f != row["force"]}
        governing = row[key + "_combination"] if self._design else row[key + "_case"]
        return {"x": float(row[key + "_x"]), "y": float(row[key]), "case": governing, "coincident": coincident}


def _numbered(part, column, partition_info=None):
    """The partition with its rows' order across the frame in `column`."""
    number = 0 if partition_info is None else partition_info["number"]
    return part.assign(**{column: (number << 40) + np.arange(len(part), dtype=np.int64)})


def _summary_of(part, column, options, columns):
    pandas = _pandas()
    part = part.sort_values(column, kind="stable").drop(columns=[column])
    if len(part) == 0:
        return pandas.DataFrame({c: pandas.Series(dtype=t) for c, t in columns.items()})
    return analyse_model(part, **options).summary


def analyse_partitions(frame, *, member=None, case=None, x=None, forces=None, filters=None, combinations=None,
                       actions=None, method="exact", threads=1):
    """The summary of a model too large for one machine: a dask.dataframe.DataFrame in long form with a
    member column, the options of analyse_model. Returns a lazy dask DataFrame with analyse_model's
    summary columns.

    The rows are shuffled by member, so that each member lies in one partition with its rows in their
    order (a jump's left value stays first), and each partition is analysed by analyse_model on the
    workers. The rows come by partition: members in the order of their first row within each partition.
    threads: each worker's threads a partition (default 1: the workers are the parallelism).
    """
    pandas = _pandas()
    header, layout = _layout(frame, member, case, x, forces, filters)
    if layout.member < 0:
        raise ValueError("a model in partitions needs a member column")
    names = _core.summary_columns(layout.force_names, actions is not None)
    columns = {c: object if c in ("member", "force", "situation", "max_case", "min_case", "max_combination",
                                  "min_combination") else np.float64
               for c in names}
    meta = pandas.DataFrame({c: pandas.Series(dtype=t) for c, t in columns.items()})
    order = "__vymath_row"
    while order in header:
        order += "_"
    options = dict(member=header[layout.member], case=header[layout.case], x=header[layout.x],
                   forces=list(layout.force_names), filters=filters, combinations=combinations, actions=actions,
                   method=method, threads=threads)
    numbered = frame.map_partitions(_numbered, order, meta={**frame.dtypes.to_dict(), order: np.int64})
    shuffled = numbered.shuffle(on=header[layout.member])
    return shuffled.map_partitions(_summary_of, order, options, columns, meta=meta)
