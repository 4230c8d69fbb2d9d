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


def _texts(pandas, frame, position):
    """A column of names or texts for the extension: its objects (str, or None and NaN for no value), read
    there as they are; a numeric or categorical column as codes and their names."""
    column = frame.iloc[:, position]
    if column.dtype == object:
        return column.to_numpy(dtype=object)
    codes, names = pandas.factorize(column)
    return np.asarray(codes, dtype=np.int64), [_text(n) for n in names]


def _names(value):
    """A column name or several as a list of texts."""
    if value is None:
        return []
    return [str(v) for v in ([value] if isinstance(value, str) else value)]


def _layout(frame, roles):
    """The frame's header and its columns' roles. Without forces asked for, outside a known layout, the
    columns that hold no numbers are left out of the forces, with a warning naming them."""
    header = [str(c) for c in frame.columns]
    member, case, x, step, step_number, forces, filters = (roles.get(k) for k in (
        "member", "case", "x", "step", "step_number", "forces", "filters"))
    args = (header, _names(member), case, x, step, step_number)
    layout = _core.resolve_columns(*args, _names(forces), _filters(filters))
    if forces is None:
        text = [n for p, n in zip(layout.forces, layout.force_names) if frame.dtypes.iloc[p].kind not in "biuf"]
        if text and len(text) < len(layout.forces):
            import warnings
            warnings.warn(f"columns left out, not numbers: {', '.join(text)}", stacklevel=3)
            numeric = [n for n in layout.force_names if n not in text]
            layout = _core.resolve_columns(*args, numeric, _filters(filters))
    return header, layout


def _threads(threads):
    if isinstance(threads, bool) or not isinstance(threads, numbers.Integral) or threads < 0:
        raise ValueError(f"threads must be a whole number >= 0, got {threads!r}")
    return int(threads)


def _model(frame, roles, only=()):
    """The frame's rows as the extension's model; with `only`, the rows of those cases alone."""
    pandas = _pandas()
    if not isinstance(frame, pandas.DataFrame):
        raise TypeError(f"frame must be a pandas.DataFrame, got {type(frame).__name__}")
    header, layout = _layout(frame, roles)
    return _core.read_model(
        layout,
        [_texts(pandas, frame, p) for p in layout.members],
        _texts(pandas, frame, layout.case),
        _texts(pandas, frame, layout.step) if layout.step >= 0 else None,
        _texts(pandas, frame, layout.step_number) if layout.step_number >= 0 else None,
        _numbers(pandas, frame, layout.x, header, "x"),
        [_numbers(pandas, frame, p, header, n) for p, n in zip(layout.forces, layout.force_names)],
        [_texts(pandas, frame, p) for p, _ in layout.filters],
        set(only),
        dict(frame.attrs.get("units", {})),
    )


def _cases_of_actions(actions):
    """Every load case the actions name: their cases (a permanent action's upper and lower ones), components
    and cases by category."""
    out = set()
    for a in actions.get("actions", []):
        if not isinstance(a, collections.abc.Mapping):
            continue
        cases = a.get("cases") or []
        lists = list(cases.values()) if isinstance(cases, collections.abc.Mapping) else [cases]
        lists += [a.get("components") or [], list(a.get("categories") or {})]
        out.update(c for names in lists if isinstance(names, list) for c in names if isinstance(c, str))
    return out


def analyse_model(frame, *, member=None, case=None, x=None, step=None, step_number=None, forces=None, filters=None,
                  combinations=None, actions=None, method="exact", threads=0):
    """Analyses a model given as a pandas DataFrame in long form (one row a point: member, load case,
    abscissa and one column a force, as ``member,case,x,N,Vz,My`` or ``case,x,y``): the envelopes of its
    cases or combinations (an EnvelopeResult), or with actions its design envelopes (a DesignResult).

    member, case, x: the columns of those roles (default: the columns so named, any letter case, or an
    analysis program's export's; without a member column the frame is one member, named ""; several member
    columns, as ["Story", "Beam"], name it by their texts joined with "/"). step, step_number: the step
    type's and step number's columns (default: "Step Type", "Step Number", any spelling): a case's Max and
    Min rows are its two bounds, Mode and Step rows the cases "CASE:N". forces: the force columns in the
    order wanted (default: an analysis program's P, V2, V3, T, M2, M3, else every other column of numbers
    that no filter names; a warning names the columns of text left out). frame.attrs["units"] ({column:
    unit}, as vymath.read_table gives it) goes into the results. filters: {column: value or values}, keeping the
    rows whose column holds one of the values as text (str(value); a missing value is ""; filters on
    several columns must all match). Column names are compared as text.

    Each case of a member and force is one diagram; two rows of a case at one abscissa are a jump, the
    left value first (in row order), a third is an error. A missing force value (NaN) is an error when its
    case is enveloped. combinations: {name: "1.35*G + 1.5*Q"} or {name: {case: factor}}, or a list of
    "NAME=EXPR" texts: the envelopes of the combinations, for every member. actions: a dict of actions
    (the tool's actions file as a dict) for the design envelopes of EN 1990, not with combinations.
    method: "exact" (default) or "fold". threads: members in parallel on at most this many threads (0:
    all cores); the results do not depend on it. The GIL is released once the text columns are read.

    ValueError, with the tool's message and the row's position (as DataFrame.iloc counts), for bad data
    or a request that does not fit it; TypeError for a column that is not numeric or a bad argument.
    """
    threads = _threads(threads)
    if actions is not None and not isinstance(actions, collections.abc.Mapping):
        raise TypeError(f"actions must be a dict, got {type(actions).__name__}")
    if actions is not None and combinations is not None:
        raise ValueError("design envelopes of actions and combinations exclude each other")
    combinations = _combinations(combinations)
    roles = dict(member=member, case=case, x=x, step=step, step_number=step_number, forces=forces, filters=filters)
    if actions is not None:
        model = _model(frame, roles, _cases_of_actions(actions))
        return DesignResult(_core.analyse_design(model, json.dumps(actions, allow_nan=False), threads))
    model = _model(frame, roles, _core.combination_cases(combinations))
    return EnvelopeResult(_core.analyse_envelopes(model, combinations, method, threads))


def inspect_model(frame, *, member=None, case=None, x=None, step=None, step_number=None, forces=None, filters=None,
                  combinations=None, threads=0):
    """The key figures of every member's cases (or combinations), as the tool's ``vymath inspect``: a
    KeyFigureResult. The frame and the options as analyse_model's."""
    threads = _threads(threads)
    combinations = _combinations(combinations)
    roles = dict(member=member, case=case, x=x, step=step, step_number=step_number, forces=forces, filters=filters)
    model = _model(frame, roles, _core.combination_cases(combinations))
    return KeyFigureResult(_core.analyse_key_figures(model, combinations, threads))


class ModelResult:
    """What every analysis of a model gives (analyse_model, inspect_model): its members and forces, the
    diagrams, and the results in the tool's JSON form.

    Members are named as in the input ("" for the one member of a frame without a member column);
    member=None and force=None stand for the only member or force."""

    def __init__(self, analysis):
        self._analysis = analysis
        #: The member names, in input order.
        self.members = analysis.members
        #: The force names, in column order.
        self.forces = analysis.forces
        self._member = {name: k for k, name in enumerate(self.members)}
        self._force = {name: k for k, name in enumerate(self.forces)}

    def __repr__(self):
        return f"{type(self).__name__}({len(self.members)} members, forces {', '.join(self.forces)})"

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
        """The names of the member's diagrams: its load cases in input order, or the combinations in
        their order."""
        return self._analysis.diagram_names(self._find(self._member, member, "member", len(self.members)))

    def diagrams(self, member=None, force=None):
        """The member's diagrams of the force as Function1D, built again from the rows: its load cases
        (with actions too), or the combinations."""
        return self._analysis.diagrams(*self._at(member, force))

    def to_dict(self):
        """The results as the tool's --json writes them, parsed: for a frame without a member column and
        with one force the tool's single form, else {"model": {MEMBER: {FORCE: ...}}}. The document is
        the formats' own, the same the tool writes."""
        return json.loads(self._analysis.to_json())

    def to_csv(self):
        """The results as the tool's --csv writes them (text)."""
        return self._analysis.to_csv()


class _Summarised(ModelResult):
    def __init__(self, analysis):
        super().__init__(analysis)
        self.summary = _pandas().DataFrame(analysis.summary())


class EnvelopeResult(_Summarised):
    """The envelopes of a model (analyse_model without actions): the summary and, for each member and
    force, the envelopes of its cases or combinations and the diagrams they come from.

    ``summary``: one row a member and force, the analysis layer's summary columns member, force, max,
    max_x, max_case, min, min_x, min_case, then max_F_left, max_F_right for each force F and min_F_left,
    min_F_right for each (NaN in the row of F itself and where the governing case has no value); NaN and
    None for an envelope without a point."""

    def envelope(self, member=None, force=None):
        """The lower and upper envelopes of the member's force as an Envelope of two EnvelopeLine."""
        m, f = self._at(member, force)
        names = np.array(self._analysis.diagram_names(m) + [None], dtype=object)
        lower, upper = self._analysis.envelope(m, f)
        return Envelope(*(EnvelopeLine(x, y, names[k]) for x, y, k in (lower, upper)))

    def plot(self, member=None, force=None, ax=None, xlabel=None, ylabel=None, title=None, legend=None):
        """Draws the member's diagrams of the force thin and its envelopes thick, each stretch in the
        colour of the case (or combination) governing it, named in the legend. Returns the Axes."""
        from .plot import _envelope_figure

        m, f = self._at(member, force)
        cases = self._analysis.diagram_names(m)
        lower, upper = self._analysis.envelope(m, f)
        if title is None:
            title = ", ".join(t for t in (self.members[m], self.forces[f]) if t)
        return _envelope_figure(self.diagrams(member, force), cases, lower, upper, cases, True, ax=ax,
                                xlabel=xlabel, ylabel=self.forces[f] if ylabel is None else ylabel, title=title,
                                legend=legend)


class DesignResult(_Summarised):
    """The design envelopes by EN 1990 of a model (analyse_model with actions): the summary, one row a
    member, force and situation (with a situation column, and max_combination and min_combination for
    max_case and min_case), and for each member and force the design envelopes of every situation."""

    def design(self, member=None, force=None):
        """The design envelopes of the member's force: {situation: DesignEnvelope}, situations in the
        order of the analysis ("ULS", "SLS characteristic", ..., "accidental A1", "seismic")."""
        m, f = self._at(member, force)
        out = {}
        for name, lower, upper, combinations in self._analysis.design(m, f):
            texts = np.array([t for t, _ in combinations] + [None], dtype=object)
            factors = [dict(c) for _, c in combinations] + [None]
            out[name] = DesignEnvelope(*(DesignLine(x, y, texts[k], [factors[i] for i in k])
                                         for x, y, k in (lower, upper)))
        return out

    def plot(self, member=None, force=None, situation=None, ax=None, xlabel=None, ylabel=None, title=None,
             legend=None):
        """Draws the situation's design envelopes (situation names one, default "ULS") over the member's
        load cases, each stretch in the colour of the combination governing it. Returns the Axes."""
        from .plot import _envelope_figure

        m, f = self._at(member, force)
        situations = {name: (lower, upper, [t for t, _ in c]) for name, lower, upper, c in self._analysis.design(m, f)}
        situation = "ULS" if situation is None else situation
        if situation not in situations:
            raise KeyError(f"no situation {situation!r}; the model has {', '.join(situations)}")
        lower, upper, names = situations[situation]
        if title is None:
            title = ", ".join(t for t in (self.members[m], self.forces[f], situation) if t)
        return _envelope_figure(self.diagrams(member, force), self._analysis.diagram_names(m), lower, upper, names,
                                False, ax=ax, xlabel=xlabel, ylabel=self.forces[f] if ylabel is None else ylabel,
                                title=title, legend=legend)


class KeyFigureResult(ModelResult):
    """The key figures of a model's diagrams (inspect_model): ``table``, one row a member, force and case
    (or combination) with its domain, points, extrema, resultant, moment, excentricity and zeros, the
    tool's --csv as a DataFrame."""

    def __init__(self, analysis):
        super().__init__(analysis)
        import io

        self.table = _pandas().read_csv(io.StringIO(analysis.to_csv()), float_precision="round_trip",
                                        keep_default_na=False, na_values={"excentricity": [""]},
                                        dtype={"member": str, "force": str, "case": str, "zeros": str})


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


def analyse_partitions(frame, *, member=None, case=None, x=None, step=None, step_number=None, forces=None,
                       filters=None, combinations=None, actions=None, method="exact", threads=1):
    """The summary of a model too large for one machine: a dask.dataframe.DataFrame in long form with a
    member column, the options of analyse_model. Returns a lazy dask DataFrame with analyse_model's
    summary columns.

    The rows are shuffled by member, so that each member lies in one partition with its rows in their
    order (a jump's left value stays first), and each partition is analysed by analyse_model on the
    workers. The rows come by partition: members in the order of their first row within each partition.
    threads: each worker's threads a partition (default 1: the workers are the parallelism).
    """
    pandas = _pandas()
    roles = dict(member=member, case=case, x=x, step=step, step_number=step_number, forces=forces, filters=filters)
    header, layout = _layout(frame, roles)
    if not layout.members:
        raise ValueError("a model in partitions needs a member column")
    names = _core.summary_columns(layout.force_names, actions is not None)
    columns = {c: object if c in ("member", "force", "situation", "max_case", "min_case", "max_combination",
                                  "min_combination") else np.float64
               for c in names}
    meta = pandas.DataFrame({c: pandas.Series(dtype=t) for c, t in columns.items()})
    order = "__vymath_row"
    while order in header:
        order += "_"
    options = dict(member=[header[p] for p in layout.members], case=header[layout.case], x=header[layout.x],
                   step=header[layout.step] if layout.step >= 0 else None,
                   step_number=header[layout.step_number] if layout.step_number >= 0 else None,
                   forces=list(layout.force_names), filters=filters, combinations=combinations, actions=actions,
                   method=method, threads=threads)
    numbered = frame.map_partitions(_numbered, order, meta={**frame.dtypes.to_dict(), order: np.int64})
    shuffled = numbered.shuffle(on=[header[p] for p in layout.members])
    return shuffled.map_partitions(_summary_of, order, options, columns, meta=meta)
