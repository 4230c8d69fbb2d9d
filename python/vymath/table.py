"""Files as the command-line tool reads them, into a pandas DataFrame in long form."""

import os
import warnings

from . import _core
from .model import _filters, _names, _pandas


def _word(name, value, allowed=None):
    if value is None:
        return ""
    if not isinstance(value, str):
        raise TypeError(f"{name} must be a str, got {type(value).__name__}")
    if allowed is not None and value not in allowed:
        raise ValueError(f"{name} {value!r}: expected one of {', '.join(repr(a) for a in allowed)}")
    return value


def read_table(path, *, sheet=None, table=None, format=None, delimiter=None, decimal=None, units=None,
               from_units=None, moments=None, member=None, case=None, x=None, step=None, step_number=None,
               forces=None, filters=None):
    """Reads a file as ``vymath envelope`` does, into a DataFrame in long form that analyse_model and
    inspect_model take as they are: the same rows, the same results as the tool's on the file.

    path: a CSV or TSV table (the delimiter and a decimal comma told from the text; title and units rows,
    several tables, an analysis program's export as it comes), an xlsx workbook (every sheet that holds the
    needed columns; SAF's ResultInternalForce1D), or the tool's JSON. sheet, table: only that sheet or the
    table of that title. format: "csv", "json", "xlsx" or "saf" (default: by the extension). delimiter:
    ",", ";" or "tab"; decimal: "." or ",". units: "FORCE,LENGTH" ("kN,m") to convert every value and
    abscissa to, from the file's units row or from_units. moments: with from_units, the columns holding
    moments beside a known layout's. member (one column or several, joined "/"), case, x, step,
    step_number, forces, filters: the columns' roles, as analyse_model's.

    The frame: ``member`` (absent for a file of one member), ``case``, ``step_type`` (only where a case
    has Max and Min rows: "Max", "Min", or NaN), ``x`` and one float column a force, in the order read
    (member by member); a multi-step case's steps are the cases "CASE:N". Texts are pandas categoricals.
    frame.attrs["units"] is {column: unit} as the file gives them (or converted). What the tool notes
    (tables, columns or cases left out) comes as a UserWarning each.

    FileNotFoundError for a missing file; ValueError with the tool's message (file, line or cell) for
    anything the tool refuses; TypeError for a bad argument.
    """
    pandas = _pandas()
    path = os.fspath(path)
    if path != "-" and not os.path.exists(path):
        raise FileNotFoundError(2, "No such file", path)
    words = [_word("format", format, ("auto", "csv", "json", "xlsx", "saf")),
             _word("delimiter", delimiter, (",", ";", "tab")), _word("decimal", decimal, (".", ",")),
             _word("sheet", sheet), _word("table", table), _word("units", units), _word("from_units", from_units)]
    read = _core.read_table(path, *words, _names(moments), _names(member), case, x, step, step_number,
                            _names(forces), _filters(filters))
    for note in read["notes"]:
        warnings.warn(note, stacklevel=2)
    columns = {}
    for name in ("member", "case", "step"):
        if read[name] is not None:
            codes, categories = read[name]
            columns["step_type" if name == "step" else name] = pandas.Categorical.from_codes(codes, categories)
    columns["x"] = read["x"]
    for name, values in read["forces"]:
        columns[name] = values
    frame = pandas.DataFrame(columns)
    frame.attrs["units"] = dict(read["units"])
    return frame
