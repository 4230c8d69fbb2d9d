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
        return np.asarray(a, dtype=np.float64, order="C")
    items = np.asarray(value, dtype=object)  # the elements as given (numpy made strings of a mixed list)
    for i, item in enumerate(items.reshape(-1)):
        if not isinstance(item, numbers.Real):
            raise TypeError(f"{name}{_index(items.shape, i)} is not a number: {item!r}")
    return np.asarray(items, dtype=np.float64, order="C")
