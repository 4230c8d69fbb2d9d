import copy
import pickle

import numpy as np
import pytest

from vymath import Function1D


def scaled_jumps():
    f = Function1D([0, 1, 1, 2, 3, 3, 4], [0, 1, 2, 0, 1, -1, 0])
    f.scale(0.1, 1.0)  # jump points now 2e-6 apart, closer than the tolerance
    return f


def tolerances():
    f = Function1D([0, 1, 2], [0, 1, 0])
    f.x_tolerance, f.y_tolerance = 0.25, -1.0
    return f


def jumps_as_recorded():
    f = Function1D.from_bounds(0, 10)
    for x in (7, 3, 7):  # out of order, then repeated
        f.insert(x, 1.0, 2.0)
    return f


def concatenated():
    f = Function1D([0, 1], [0, 1])
    f.concat(Function1D([0, 2], [3, 3]))
    return f


CASES = {
    "plain": lambda: Function1D([0, 2.5, 10], [1e-300, -np.inf, 7.0]),
    "jumps": lambda: Function1D([0, 1, 1, 2, 2, 3], [0, 1, 3, 4, -4, 0]),
    "scaled jumps": scaled_jumps,
    "mirrored jumps": lambda: (lambda f: (f.scale(-1.0, 1.0), f)[1])(scaled_jumps()),
    "open ends": lambda: Function1D.from_bounds(-np.inf, np.inf),
    "wide domain": lambda: Function1D([1, 2], [3, 4], domain=(-5, 5)),
    "forced jumps": lambda: Function1D.from_bounds(0, 10, force_jumps=True),
    "tolerances": tolerances,
    "concatenated": concatenated,
    "jumps as recorded": jumps_as_recorded,
}


def same_state(f, g):
    assert f == g
    assert f.points.view(np.int64).tolist() == g.points.view(np.int64).tolist()  # bit for bit
    assert f.jumps.tolist() == g.jumps.tolist()
    assert (f.domain, f.x_tolerance, f.y_tolerance) == (g.domain, g.x_tolerance, g.y_tolerance)


@pytest.mark.parametrize("make", CASES.values(), ids=CASES.keys())
def test_pickle_and_copies_keep_the_full_state(make):
    f = make()
    for g in (pickle.loads(pickle.dumps(f)), copy.deepcopy(f), copy.copy(f)):
        same_state(f, g)
        # forced jumps come back too: a two-sided insertion with equal sides records a jump or not alike
        f2, g2 = f.copy(), g
        assert f2.insert(0.5, 1.0, 1.0) == g2.insert(0.5, 1.0, 1.0)
        same_state(f2, g2)


def test_jumps_keep_their_order_and_repeats():
    f = jumps_as_recorded()
    assert f.jumps.tolist() == [7.0, 3.0, 7.0]
    assert pickle.loads(pickle.dumps(f)).jumps.tolist() == [7.0, 3.0, 7.0]


@pytest.mark.parametrize(
    "state, message",
    [
        ((2,), "not a Function1D state"),
        ((1, np.zeros((2, 3)), (0, 1), 1e-5, 1e-5, np.zeros(0), False), r"shape \(n, 2\)"),
        ((1, [[0, 0], [1, np.nan]], (0, 1), 1e-5, 1e-5, np.zeros(0), False), "NaN ordinate"),
        ((1, [[0, 0], [1, 1]], (0, 1), 1e-5, 1e-5, [np.inf], False), r"jumps\[0\] is not finite"),
    ],
)
def test_bad_states_are_refused(state, message):
    f = Function1D.__new__(Function1D)
    with pytest.raises(ValueError, match=message):
        f.__setstate__(state)
