"""Conversion of array-like arguments into float64 arrays, with errors that name the argument."""

import numbers

import numpy as np


def _index(shape, flat):
    if not shape:
        return ""
    return "[" + ", ".join(str(int(i)) for i in np.unravel_index(flat, shape)) + "]"


def reals(name, value):
    """value as a C-ordered float64 array; TypeError naming the first element that is not a real number."""
    a = np.asarray(value)
    if a.dtype.kind in "biuf":
        return np.ascontiguousarray(a, dtype=np.float64)
    flat = a.reshape(-1)
    for i, item in enumerate(flat):
        if a.dtype.kind != "O" or not isinstance(item, numbers.Real):
            raise TypeError(f"{name}{_index(a.shape, i)} is not a number: {item!r}")
    return np.ascontiguousarray(a, dtype=np.float64)
