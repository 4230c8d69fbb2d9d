"""Plots of functions and envelopes with matplotlib (an optional dependency, imported on first use)."""

import numpy as np

from ._core import envelope

# Open-end sentinels and the "no value" ordinates of envelopes lie at +-DBL_MAX: they are not drawn.
_LIMIT = np.finfo(np.float64).max


def _axes(ax):
    if ax is not None:
        return ax
    try:
        import matplotlib.pyplot as plt
    except ImportError as e:  # pragma: no cover - depends on the installation
        raise ImportError("vymath plots need matplotlib (Debian: python3-matplotlib)") from e
    return plt.gca()


def _drawable(f):
    p = f.points
    keep = (np.abs(p[:, 0]) < _LIMIT) & (np.abs(p[:, 1]) < _LIMIT)
    return p[keep, 0], p[keep, 1]


def plot(*functions, ax=None, labels=None, **kwargs):
    """Draws each function as its polyline (stored points) on ax, or on the current Axes; returns the Axes.

    labels: one label a function, shown in a legend. Other keyword arguments go to Axes.plot.
    """
    ax = _axes(ax)
    if labels is not None and len(labels) != len(functions):
        raise ValueError(f"labels: {len(labels)} labels for {len(functions)} functions")
    for k, f in enumerate(functions):
        x, y = _drawable(f)
        ax.plot(x, y, label=None if labels is None else labels[k], **kwargs)
    if labels is not None:
        ax.legend()
    return ax


def plot_envelope(functions, ax=None, labels=None, xlabel=None, ylabel=None, title=None, legend=None):
    """Draws the functions thin, their lower and upper envelopes thick and the band between them;
    returns the Axes. labels: one label a function (members are unlabelled by default); legend: the
    keyword arguments of Axes.legend."""
    functions = list(functions)
    ax = _axes(ax)
    lower, upper = envelope(functions)
    for k, f in enumerate(functions):
        x, y = _drawable(f)
        ax.plot(x, y, lw=1.2, label=None if labels is None else labels[k])
    (lx, ly), (ux, uy) = _drawable(lower), _drawable(upper)
    grid = np.union1d(lx, ux)
    ax.fill_between(grid, lower(grid), upper(grid), color="0.9", zorder=0, label="envelope band")
    ax.plot(ux, uy, color="black", lw=2.4, label="upper envelope")
    ax.plot(lx, ly, color="black", lw=2.4, ls="--", label="lower envelope")
    ax.axhline(0.0, color="0.5", lw=0.6)
    for setter, text in ((ax.set_xlabel, xlabel), (ax.set_ylabel, ylabel), (ax.set_title, title)):
        if text is not None:
            setter(text)
    ax.legend(**(legend or {}))
    return ax
