import gc
import weakref
from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pytest
from hypothesis import given
from hypothesis import strategies as st

import vymath
from vymath import Function1D, FunctionSet


def diagram(peak, at=5.0):
    return Function1D([0, at, 10], [0, peak, 0])


def test_members_by_value_in_insertion_order():
    a, b, c = diagram(1), diagram(2), diagram(3)
    s = FunctionSet([a, b])
    s.add(diagram(1))  # equal in value to a: not added again
    s.add(c)
    assert [m is x for m, x in zip(s, (a, b, c))] == [True] * 3 and len(s) == 3
    assert diagram(2) in s and diagram(4) not in s and "a" not in s
    s.remove(diagram(2))  # by value: b leaves
    assert list(s) == [a, c] and list(s)[1] is c
    with pytest.raises(ValueError, match="no member of the set equals it"):
        s.remove(diagram(9))
    with pytest.raises(TypeError, match="f must be a vymath.Function1D, got str"):
        s.add("f")
    assert len(s) == 2


def test_the_set_keeps_its_members_alive():
    s = FunctionSet()
    f, g = diagram(4), diagram(-2, at=3)
    dead = weakref.ref(g)
    s.add(f)
    s.add(g)
    expected = [e.points.copy() for e in s.envelope()]
    del f, g
    gc.collect()
    assert dead() is not None
    assert [e.points.tolist() for e in s.envelope()] == [e.tolist() for e in expected]
    s.remove(diagram(-2, at=3))
    gc.collect()
    assert dead() is None and len(s) == 1
    with pytest.raises(ValueError, match="the set is empty"):
        FunctionSet().envelope()


def test_a_member_changed_after_adding_is_read_as_it_is_now():
    f, g = diagram(4), diagram(1)
    s = FunctionSet([f, g])
    f.shift(20.0)  # the set's range stays, the member is enveloped in place
    lower, upper = s.envelope()
    assert upper(5.0) == 1.0


ordinate_lists = st.lists(st.floats(-1e3, 1e3), min_size=6, max_size=6)
# A crossing is missed where the product of the differences at its two ends is above -0.001: the
# envelope's chord there is then off by at most sqrt(0.001), once a member folded in.
MISSED = np.sqrt(0.001)


@pytest.mark.parametrize("method", ["exact", "fold"])
@given(ordinates=st.lists(ordinate_lists, min_size=2, max_size=5))
def test_envelope_matches_the_min_and_max_of_the_members(method, ordinates):
    x = np.array([0.0, 1.0, 2.5, 4.0, 7.0, 10.0])
    members = [Function1D(x + 0.3 * k * (0 < x) * (x < 10), y) for k, y in enumerate(ordinates)]
    lower, upper, lower_case, upper_case = vymath.envelope(members, cases=True, method=method)
    grid = np.unique(np.concatenate([m.points[:, 0] for m in members]))
    values = np.array([m(grid) for m in members])
    atol = 1e-6 + (MISSED * (len(members) - 1) if method == "fold" else 0.0)
    np.testing.assert_allclose(lower(grid), values.min(axis=0), atol=atol)
    np.testing.assert_allclose(upper(grid), values.max(axis=0), atol=atol)
    for env, cases in ((lower, lower_case), (upper, upper_case)):
        assert len(cases) == len(env.points)
        p = env.points
        for i, k in enumerate(cases):
            if method == "fold" and k >= 0:  # the first member through the point
                assert abs(members[k](p[i, 0]) - p[i, 1]) < 1e-10
            elif method == "exact" and i + 1 < len(p) and p[i + 1, 0] - p[i, 0] > 1e-4:  # the stretch's member
                mid = 0.5 * (p[i, 0] + p[i + 1, 0])
                assert abs(members[k](mid) - env(mid)) < 1e-7


@pytest.mark.parametrize("method", ["exact", "fold"])
def test_a_single_function_is_both_envelopes(method):
    lower, upper, lower_case, upper_case = vymath.envelope([diagram(2), diagram(2)], cases=True, method=method)
    assert lower.points.tolist() == upper.points.tolist() == diagram(2).points.tolist()
    assert upper_case.tolist() == [0, 0, 0]
    lower, upper = FunctionSet([diagram(2)]).envelope(method=method)
    assert upper.points.tolist() == diagram(2).points.tolist()
    with pytest.raises(ValueError, match='method must be "exact" or "fold", got "max"'):
        vymath.envelope([diagram(2)], method="max")


def test_envelope_cases_count_the_callers_positions():
    a, b = diagram(1), diagram(3)
    _, upper, _, upper_case = vymath.envelope([a, diagram(1), b], cases=True)  # the copy of a takes no part
    assert upper_case.tolist() == [2, 2, 2]  # b governs both stretches, and the last point ends one
    assert FunctionSet([a, b]).envelope(cases=True, method="fold")[3].tolist() == [0, 1, 0]


def test_combine_matches_numpy():
    f = Function1D([0, 2, 2, 6], [0, 4, 1, 5])
    g = Function1D([1, 4, 8], [2, -2, 0])
    c = vymath.combine([f, g], [1.35, 1.5])
    grid = np.array([1.0, 1.5, 3.0, 4.0, 5.5, 6.0])
    np.testing.assert_allclose(c(grid), 1.35 * f(grid) + 1.5 * g(grid), atol=1e-12)
    assert c.domain == (1.0, 6.0) and c.jumps.tolist() == [2.0]


@pytest.mark.parametrize(
    "functions, factors, error, message",
    [
        ([], [], ValueError, "no function given"),
        ([diagram(1)], [1, 2], ValueError, "functions and factors differ in length: 1 and 2"),
        ([diagram(1), diagram(2)], [1, np.nan], ValueError, r"factors\[1\] must be finite, got nan"),
        ([diagram(1), "g"], [1, 1], TypeError, r"functions\[1\] must be a vymath.Function1D"),
        ([diagram(1), Function1D([20, 30], [0, 0])], [1, 1], ValueError, "domains do not overlap"),
        ([diagram(1)], [[1]], ValueError, "factors must be one-dimensional"),
    ],
)
def test_bad_combinations_are_refused(functions, factors, error, message):
    with pytest.raises(error, match=message):
        vymath.combine(functions, factors)


def test_threads_give_the_serial_results():
    rng = np.random.default_rng(3)
    x = np.linspace(0.0, 10.0, 400)
    members = [Function1D(x, rng.normal(size=x.size)) for _ in range(8)]
    queries = np.sort(rng.uniform(0.0, 10.0, 50_000))

    def work(k):
        f, g = members[k], members[(k + 1) % len(members)]
        lower, upper = vymath.envelope([f, g, members[k - 2]])
        return [f(queries), f.crossings(g), lower.points, upper.points,
                vymath.combine([f, g], [1.2, -0.8]).points]

    serial = [work(k) for k in range(len(members))]
    with ThreadPoolExecutor(max_workers=4) as pool:
        threaded = list(pool.map(work, range(len(members))))
    for a, b in zip(serial, threaded):
        for u, v in zip(a, b):
            np.testing.assert_array_equal(u, v)
