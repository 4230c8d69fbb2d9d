"""VyMath for Python: piecewise-linear functions, function sets with envelopes, load combinations,
3x3 matrices and symmetric tensors, over the VyMath C++ library (every number is the library's own).

Plots (vymath.plot, vymath.plot_envelope) need matplotlib, which is optional.
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
from .plot import plot, plot_envelope

__all__ = [
    "Basis",
    "Function1D",
    "FunctionSet",
    "InsertResult",
    "InvalidateBaseError",
    "InvalidateDataError",
    "InvalidateDeterminantError",
    "InvalidateIndexError",
    "Mat33",
    "NoSolutionError",
    "TensorSym2D",
    "VyMathError",
    "combine",
    "envelope",
    "plot",
    "plot_envelope",
]
