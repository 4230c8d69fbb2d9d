"""Plots of functions and envelopes with matplotlib (an optional dependency, imported on first use)."""

import numpy as np

from ._core import envelope

# Open-end sentinels and the "no value" ordinates of envelopes lie at +-DBL_MAX: they are not drawn.
_LIMIT = np.finfo(np.float64).max
# Stretches of an envelope that no case governs (a fold between its members' points).
_NO_CASE = "0.35"


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


def _colours(n):
    """n distinct colours: matplotlib's tab10 or tab20, else spread over a perceptual colour map."""
    from matplotlib import colormaps

    if n <= 10:
        return [colormaps["tab10"](k) for k in range(n)]
    if n <= 20:
        return [colormaps["tab20"](k) for k in range(n)]
    return [colormaps["turbo"](0.05 + 0.9 * k / (n - 1)) for k in range(n)]


def _stretches(x, y, governing):
    """(first, last, governing) of each run of points whose stretches one case governs; a point without
    value (+-DBL_MAX) ends a run and starts none."""
    runs = []
    start = None
    for i in range(len(x)):
        if abs(y[i]) >= _LIMIT:
            if start is not None and i - 1 > start:
                runs.append((start, i - 1, governing[start]))
            start = None
            continue
        if start is None:
            start = i
        elif governing[i] < 0 and i + 1 < len(x) and x[i + 1] == x[i]:
            continue  # a jump's zero-width stretch names no case: drawn with the stretch before it
        elif governing[i] != governing[start] or i == len(x) - 1:
            runs.append((start, i, governing[start]))
            start = i
    return runs


def _envelope_figure(functions, labels, lower, upper, names, coloured_functions, ax=None, xlabel=None,
                     ylabel=None, title=None, legend=None):
    """Draws the functions thin, the band between the envelopes, and each envelope stretch by stretch in
    the colour of the name governing it (lower and upper as (x, y, governing), governing indexing names,
    -1 for none). The functions take the colours of their labels when coloured_functions (the governing
    names are then the labels), else a light grey. Returns the Axes."""
    from matplotlib.lines import Line2D

    ax = _axes(ax)
    colours = _colours(len(names))
    for k, f in enumerate(functions):
        x, y = _drawable(f)
        ax.plot(x, y, lw=1.0, color=colours[k] if coloured_functions else "0.75", label=labels[k])
    (lx, ly, _), (ux, uy, _) = lower, upper
    grid = np.union1d(lx[np.abs(ly) < _LIMIT], ux[np.abs(uy) < _LIMIT])
    band_lower = np.interp(grid, lx[np.abs(ly) < _LIMIT], ly[np.abs(ly) < _LIMIT])
    band_upper = np.interp(grid, ux[np.abs(uy) < _LIMIT], uy[np.abs(uy) < _LIMIT])
    ax.fill_between(grid, band_lower, band_upper, color="0.92", zorder=0, label="envelope band")
    governed = set()
    for (x, y, governing), name, style in ((upper, "upper envelope", "-"), (lower, "lower envelope", "--")):
        for first, last, k in _stretches(x, y, governing):
            colour = colours[k] if k >= 0 else _NO_CASE
            governed.add(int(k))
            ax.plot(x[first:last + 1], y[first:last + 1], color=colour, lw=2.8, ls=style, gid=name,
                    solid_capstyle="butt", label="_" + name)
    # The legend names every case with its colour (with load cases under combinations, those governing).
    shown = range(len(names)) if coloured_functions else sorted(k for k in governed if k >= 0)
    handles = [Line2D([], [], color=colours[k], lw=2.8, label=names[k]) for k in shown]
    if not coloured_functions:
        handles.append(Line2D([], [], color="0.75", lw=1.0, label="load cases"))
    if -1 in governed:
        handles.append(Line2D([], [], color=_NO_CASE, lw=2.8, label="no governing case"))
    handles += [Line2D([], [], color="black", lw=2.8, label="upper envelope"),
                Line2D([], [], color="black", lw=2.8, ls="--", label="lower envelope")]
    ax.axhline(0.0, color="0.5", lw=0.6)
    for setter, text in ((ax.set_xlabel, xlabel), (ax.set_ylabel, ylabel), (ax.set_title, title)):
        if text is not None:
            setter(text)
    ax.legend(handles=handles, **(legend or {"fontsize": "small", "ncol": 1 + len(handles) // 14}))
    return ax


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


def plot_envelope(functions, ax=None, labels=None, xlabel=None, ylabel=None, title=None, legend=None,
                  method="exact"):
    """Draws the functions thin, each in its colour, the band between their envelopes, and the upper
    (solid) and lower (dashed) envelopes thick, each stretch in the colour of the function governing it
    (grey where none does); returns the Axes. labels: one label a function, named in the legend (default
    "function 0", ...); legend: the keyword arguments of Axes.legend; method: as vymath.envelope. The
    envelope lines carry the gid "upper envelope" and "lower envelope"."""
    functions = list(functions)
    if labels is None:
        labels = [f"function {k}" for k in range(len(functions))]
    elif len(labels) != len(functions):
        raise ValueError(f"labels: {len(labels)} labels for {len(functions)} functions")
    lower, upper, lower_case, upper_case = envelope(functions, cases=True, method=method)
    lines = [(p[:, 0], p[:, 1], k) for p, k in ((lower.points, lower_case), (upper.points, upper_case))]
    return _envelope_figure(functions, list(labels), lines[0], lines[1], list(labels), True, ax=ax,
                            xlabel=xlabel, ylabel=ylabel, title=title, legend=legend)
