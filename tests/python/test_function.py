import numpy as np
import pytest
from hypothesis import given
from hypothesis import strategies as st
from numpy.polynomial import Polynomial

from vymath import Function1D, InsertResult

DBL_MAX = np.finfo(float).max


@pytest.mark.parametrize(
    "x, y, domain, error, message",
    [
        ([0, 1], [0], None, ValueError, r"x and y differ in length: 2 and 1"),
        ([[0, 1]], [0, 1], None, ValueError, r"x must be one-dimensional"),
        ([0, 1, np.inf], [0, 1, 2], None, ValueError, r"x\[2\] must be finite, got inf"),
        ([0, np.nan, 2], [0, 1, 2], None, ValueError, r"x\[1\] must be finite, got nan"),
        ([0, 2, 1], [0, 1, 2], None, ValueError, r"x\[2\] = 1.0 is below x\[1\] = 2.0"),
        ([0, 1, 2], [0, np.nan, 1], None, ValueError, r"y\[1\] is NaN"),
        ([0, "a"], [0, 1], None, TypeError, r"x\[1\] is not a number: 'a'"),
        ([0, 1], [0, None], None, TypeError, r"y\[1\] is not a number: None"),
        ([0, 1], [0, 1j], None, TypeError, r"y\[1\] is not a number: 1j"),
        ([0, 0, 1], [1, 2, 3], None, ValueError, r"x\[0\]: a jump needs a point on each side"),
        ([0, 1, 1, 1, 2], [0] * 5, None, ValueError, r"x\[3\]: three equal abscissas"),
        ([0, 5e-6, 1], [0, 1, 2], None, ValueError, r"x\[1\]: closer than the abscissa tolerance"),
        ([0, 1, 1.00002, 1.00002, 3], [0] * 5, None, ValueError, r"x\[2\]: closer than"),
        ([0, 1], [0, 1], (0.5, 1), ValueError, r"domain \(0.5, 1.0\) does not hold x\[0\]"),
        ([0, 1], [0, 1], (2, 1), ValueError, r"xmin <= xmax"),
        ([0], [0], None, ValueError, r"at least two points"),
    ],
)
def test_bad_points_are_refused(x, y, domain, error, message):
    with pytest.raises(error, match=message):
        Function1D(x, y, domain)


def test_points_domain_and_storage_rules():
    f = Function1D([0, 2, 5, 5, 10], [0, 4, 6, -2, np.inf])
    assert f.points.tolist() == [[0, 0], [2, 4], [5 - 1e-5, 6], [5 + 1e-5, -2], [10, DBL_MAX]]
    assert f.domain == (0.0, 10.0) and len(f) == 5 and f.jumps.tolist() == [5.0]
    # a wider domain keeps the bounds as zero points
    assert Function1D([1, 2], [3, 3], domain=(0, 4)).points.tolist() == [[0, 0], [1, 3], [2, 3], [4, 0]]
    # an open domain keeps its sentinels out of len()
    g = Function1D([1, 2], [3, 3], domain=(-np.inf, np.inf))
    assert len(g) == 2 and g.points[[0, -1], 0].tolist() == [-DBL_MAX, DBL_MAX]


@given(
    st.lists(st.integers(0, 10**6), min_size=2, max_size=40, unique=True),
    st.lists(st.floats(-1e6, 1e6), min_size=40, max_size=40),
    st.lists(st.floats(0, 1), min_size=1, max_size=50),
)
def test_evaluation_matches_numpy_interp(ticks, ordinates, where):
    x = np.sort(np.array(ticks, float)) / 1000.0  # abscissas at least 1e-3 apart
    y = np.array(ordinates[: len(x)])
    f = Function1D(x, y)
    q = x[0] + np.array(where) * (x[-1] - x[0])
    # within x_tolerance of a stored point the library gives that point's ordinate; subnormal ordinates
    # may round to 0 in either form
    snap = np.abs(np.diff(y) / np.diff(x)).max() * f.x_tolerance
    atol = snap + 1e-9 * np.abs(y).max() + np.finfo(float).tiny
    np.testing.assert_allclose(f(q), np.interp(q, x, y), rtol=1e-9, atol=atol)


def test_call_forms():
    f = Function1D([0, 1, 1, 2], [0, 1, 3, 3])
    assert isinstance(f(1.5), float) and f(1.5) == 3.0
    assert np.isnan(f(3.0)) and np.isnan(f(np.nan))
    q = np.array([[0.5, 1.5], [-1.0, 2.0]])
    assert f(q).shape == (2, 2) and np.isnan(f(q)[1, 0])
    assert f(np.float32(1.5)) == 3.0 and f(np.array(0.25)).shape == ()
    assert f(1 - 1e-5) == 1.0 and f(1 + 1e-5) == 3.0  # the jump's two sides
    big = np.linspace(-1, 3, 5000)  # the GIL-free path
    np.testing.assert_array_equal(f(big), [f(v) for v in big])
    with pytest.raises(TypeError, match=r"x\[1\] is not a number: 'a'"):
        f(np.array([1, "a"], dtype=object))


def test_queries_on_a_triangle():
    f = Function1D([0, 5, 10], [-5, 5, -5])
    np.testing.assert_allclose(f.zeros()[:, 0], [2.5, 7.5], atol=1e-5)
    assert f.extrema().tolist() == [[0, -5], [5, 5], [10, -5]]
    lo, hi = f.global_extrema()
    assert hi.tolist() == [[5, 5]] and lo[:, 0].tolist() == [0, 10]
    assert f.value_range() == (-5.0, 5.0)
    crossings = f.crossings(Function1D([0, 10], [0, 0]))
    np.testing.assert_allclose(crossings, [[2.5, 0], [7.5, 0]])
    assert f.integral() == pytest.approx(0.0, abs=1e-4)
    assert f.integral(0, 5) == pytest.approx(0.0, abs=1e-4)
    r, m = Function1D([0, 5, 10], [0, 10, 0]).resultant_and_moment()
    assert (r, m) == (50.0, 0.0)
    e, r = Function1D([0, 10], [0, 6]).excentricity_and_resultant()
    assert (e, r) == (5.0, 30.0)  # each segment's area acts at the segment's middle


@given(
    st.lists(st.floats(-100, 100), min_size=8, max_size=8),
    st.integers(0, 4),
)
def test_fit_matches_numpy_polyfit(y, degree):
    x = np.linspace(0.0, 3.5, 8)
    p = Function1D(x, y).fit(degree)
    assert isinstance(p, Polynomial) and len(p.coef) == degree + 1
    np.testing.assert_allclose(p.coef, np.polyfit(x, y, degree)[::-1], rtol=1e-6, atol=1e-7)


def test_fit_keeps_the_sign_of_tiny_coefficients():
    p = Function1D([0, 1, 2], [0, 3e-30, 6e-30]).fit(1)
    assert p.coef[1] == pytest.approx(3e-30) and abs(p.coef[0]) < 1e-40
    with pytest.raises(ValueError, match="degree must be at least 0"):
        p = Function1D([0, 1], [0, 1]).fit(-1)


@pytest.mark.parametrize(
    "args, result, points",
    [
        ((1.0, 7.0), InsertResult.DONE, [[0, 0], [1, 7], [2, 4], [4, 0]]),
        ((2.0, 4.0), InsertResult.EXISTS, [[0, 0], [2, 4], [4, 0]]),
        ((2.0, 5.0), InsertResult.CONFLICT, [[0, 0], [2, 4], [4, 0]]),
        ((4.0, 9.0), InsertResult.DONE, [[0, 0], [2, 4], [4, 9]]),
        ((3.0, 1.0, 2.0), InsertResult.DONE, [[0, 0], [2, 4], [3 - 1e-5, 1], [3 + 1e-5, 2], [4, 0]]),
    ],
)
def test_insert_reports_the_library_code(args, result, points):
    f = Function1D([0, 2, 4], [0, 4, 0])
    assert f.insert(*args) == result
    assert f.points.tolist() == points


@pytest.mark.parametrize(
    "call, message",
    [
        (lambda f: f.insert(np.nan, 1.0), "x must be finite, got nan"),
        (lambda f: f.insert(1.0, np.nan), "y is NaN"),
        (lambda f: f.insert(1.0, 0.0, np.nan), "y_right is NaN"),
        (lambda f: f.shift(np.inf), "dx must be finite"),
        (lambda f: f.scale(1.0, np.nan), "ky must be finite"),
        (lambda f: setattr(f, "x_tolerance", np.nan), "x_tolerance is NaN"),
    ],
)
def test_bad_edits_raise_and_change_nothing(call, message):
    f = Function1D([0, 2, 4], [0, 4, 0])
    with pytest.raises(ValueError, match=message):
        call(f)
    assert f.points.tolist() == [[0, 0], [2, 4], [4, 0]] and f.x_tolerance == 1e-5


def test_editing_operations():
    f = Function1D([0, 2, 4], [0, 4, 0])
    assert f.remove(2.0) and not f.remove(3.0)
    f.shift(1.0)
    f.scale(2.0, -1.0)
    assert f.points.tolist() == [[2, 0], [10, 0]] and f.domain == (2.0, 10.0)
    g = Function1D([0, 1], [1, 1])
    f.concat(g)
    assert g.points.tolist() == [[0, 1], [1, 1]]  # the argument is left as it was
    # the conflicting end point makes a jump, and the differing end ordinates one more
    assert f.domain == (2.0, 11.0) and f(10.5) == 1.0 and f.jumps.tolist() == [10.0, 10.00001]
    h = Function1D([0, 4], [0, 0])
    h.merge(Function1D([1, 3], [2, 2]))
    assert h.points.tolist() == [[0, 0], [1, 2], [3, 2], [4, 0]]


def test_sampling_constructors():
    f = Function1D.sample(np.sin, 0.0, np.pi, 8)
    np.testing.assert_array_equal(f.points[:, 1], np.sin(f.points[:, 0]))
    assert len(f) == 9 and f.domain == (0.0, np.pi)
    assert len(Function1D.sample(lambda x: np.nan if x == 1.0 else x, 0.0, 2.0, 2)) == 2  # NaN skipped
    p = Function1D.from_polynomial(Polynomial([1, 2, 3]), 0.0, 1.0, 4)
    assert p(0.5) == 2.75 and Function1D.from_polynomial([1, 2, 3], 0, 1, 4) == p
    with pytest.raises(ZeroDivisionError):
        Function1D.sample(lambda x: 1 / x, 0.0, 1.0, 4)
    with pytest.raises(ValueError, match="n must be at least 1"):
        Function1D.sample(np.sin, 0.0, 1.0, 0)
    assert Function1D.from_bounds(0, 10)(5.0) == 0.0


def test_equality_is_the_library_rule():
    f = Function1D([0, 1], [0, 1])
    assert f == Function1D([0, 1], [0, 1 + 1e-11]) and f != Function1D([0, 1], [0, 1.1])
    assert f != "f" and f.copy() == f and f.copy() is not f
    with pytest.raises(TypeError):
        hash(f)
