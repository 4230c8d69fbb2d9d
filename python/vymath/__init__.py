"""VyMath for Python: piecewise-linear functions, function sets with envelopes, load combinations,
3x3 matrices and symmetric tensors, over the VyMath C++ library (every number is the library's own), and
whole structural models (vymath.analyse_model, vymath.inspect_model, vymath.check_model) through the library's
analysis layer, read from the files the tool reads (vymath.read_table), as the command-line tool does, and
moving loads on influence lines (vymath.moving_load).

Plots (vymath.plot, vymath.plot_envelope, ModelResult.plot) need matplotlib, models pandas and models in
partitions dask: all three are optional.
"""

from ._core import (
    Basis,
    Function1D,
    FunctionSet,
    InsertResult,
    InvalidateBaseError,
    InvalidateDataError,
    InvalidateDeterminantError,
    InvalidateIndexError,
    Mat33,
    NoSolutionError,
    TensorSym2D,
    VyMathError,
    __version__,
    combine,
    envelope,
)
from .check import CheckResult, check_model
from .model import (
    DesignEnvelope,
    DesignLine,
    DesignResult,
    Envelope,
    EnvelopeLine,
    EnvelopeResult,
    KeyFigureResult,
    ModelResult,
    analyse_model,
    analyse_partitions,
    inspect_model,
)
from .moving import MovingResult, moving_load
from .plot import plot, plot_envelope
from .table import read_table

__all__ = [
    "Basis",
    "CheckResult",
    "DesignEnvelope",
    "DesignLine",
    "DesignResult",
    "Envelope",
    "EnvelopeLine",
    "EnvelopeResult",
    "Function1D",
    "FunctionSet",
    "InsertResult",
    "InvalidateBaseError",
    "InvalidateDataError",
    "InvalidateDeterminantError",
    "InvalidateIndexError",
    "KeyFigureResult",
    "Mat33",
    "ModelResult",
    "MovingResult",
    "NoSolutionError",
    "TensorSym2D",
    "VyMathError",
    "__version__",
    "analyse_model",
    "analyse_partitions",
    "check_model",
    "combine",
    "envelope",
    "inspect_model",
    "moving_load",
    "plot",
    "plot_envelope",
    "read_table",
]
