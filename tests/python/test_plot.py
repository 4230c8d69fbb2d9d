import matplotlib.pyplot as plt
import numpy as np
import pytest

import vymath
from vymath import Function1D


@pytest.fixture
def ax():
    fig, ax = plt.subplots()
    yield ax
    plt.close(fig)


def test_plot_draws_the_points_without_sentinels(ax):
    f = Function1D([0, 5, 5, 10], [0, 8, 2, 0])
    g = Function1D([1, 2], [1, 1], domain=(-np.inf, np.inf))
    assert vymath.plot(f, g, ax=ax, labels=["f", "g"], lw=3) is ax
    (lf, lg) = ax.get_lines()
    np.testing.assert_array_equal(np.column_stack(lf.get_data()), f.points)
    assert lg.get_xydata().tolist() == [[1, 1], [2, 1]] and lf.get_linewidth() == 3
    assert [t.get_text() for t in ax.get_legend().get_texts()] == ["f", "g"]
    with pytest.raises(ValueError, match="1 labels for 2 functions"):
        vymath.plot(f, g, ax=ax, labels=["f"])


def test_plot_envelope_draws_each_stretch_in_its_governing_function_s_colour(ax, tmp_path):
    members = [Function1D([0, 4, 10], [0, 6, 0]), Function1D([0, 7, 10], [0, -3, 0]),
               Function1D([0, 10], [1, 1])]
    vymath.plot_envelope(members, ax=ax, labels=["a", "b", "c"], xlabel="x [m]", ylabel="M [kNm]")
    colour = {line.get_label(): line.get_color() for line in ax.get_lines()}
    lower, upper, lower_case, upper_case = vymath.envelope(members, cases=True)
    for gid, env, cases in (("upper envelope", upper, upper_case), ("lower envelope", lower, lower_case)):
        stretches = [line for line in ax.get_lines() if line.get_gid() == gid]
        points = np.concatenate([s.get_xydata() for s in stretches])
        np.testing.assert_array_equal(np.unique(points, axis=0), env.points)  # every point, no other
        for s in stretches:  # each stretch starts at a point of the envelope, in its case's colour
            start = np.flatnonzero(env.points[:, 0] == s.get_xdata()[0])[0]
            assert s.get_color() == colour["abc"[cases[start]]]
    assert [t.get_text() for t in ax.get_legend().get_texts()] == ["a", "b", "c", "upper envelope", "lower envelope"]
    assert ax.get_xlabel() == "x [m]" and len(ax.collections) == 1  # the band
    ax.figure.savefig(tmp_path / "envelope.png")
    assert (tmp_path / "envelope.png").stat().st_size > 1000
