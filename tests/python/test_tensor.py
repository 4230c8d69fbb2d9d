import numpy as np
import pytest
from hypothesis import given
from hypothesis import strategies as st

import vymath
from vymath import Mat33, TensorSym2D

M = [[1.0, 2.0, 0.0], [0.5, 3.0, 1.0], [0.0, -1.0, 2.0]]
S = [[4.0, 1.0, 0.5], [1.0, -2.0, 0.25], [0.5, 0.25, 3.0]]


def test_matrices_and_tensors_to_and_from_numpy():
    m = Mat33(M)
    assert np.asarray(m).tolist() == M and m[1, 0] == 0.5
    assert np.asarray(Mat33()).tolist() == np.eye(3).tolist()
    np.testing.assert_allclose(np.asarray(m @ m.inverse()), np.eye(3), atol=1e-12)
    np.testing.assert_array_equal(np.asarray(m.transpose()), np.transpose(M))
    t = TensorSym2D(S)
    assert np.asarray(t).tolist() == S and t[2, 0] == 0.5
    assert t.components.tolist() == [4.0, 1.0, -2.0, 0.5, 0.25, 3.0]  # T00 T01 T11 T02 T12 T22
    assert TensorSym2D(t.components) == t and np.asarray(TensorSym2D()).tolist() == np.eye(3).tolist()
    assert isinstance(vymath.Basis(M), Mat33) and np.asarray(vymath.Basis(M)).tolist() == M


@pytest.mark.parametrize(
    "call, error, message",
    [
        (lambda: Mat33()[3, 0], vymath.InvalidateIndexError, r"CVyMathMat33::operator\(i,j\) => out of range"),
        (lambda: Mat33(np.zeros((3, 3))).inverse(), vymath.InvalidateDeterminantError, "Determinant of matrix is nul"),
        (lambda: TensorSym2D()[0, 3], vymath.InvalidateDataError, "GetComponent : index out of range"),
        (lambda: TensorSym2D() + TensorSym2D(basis=2 * np.eye(3)), vymath.InvalidateBaseError, "Bases are differents"),
        (lambda: TensorSym2D(basis=M).deviatoric(), vymath.InvalidateBaseError, "Bases are differents"),
        (lambda: TensorSym2D([1, 1, 1, 1, 1, 1]).principal_directions(), vymath.NoSolutionError, "Determinant is null"),
        (lambda: Mat33(np.eye(2)), ValueError, r"values must have the shape \(3, 3\), got \(2, 2\)"),
        (lambda: TensorSym2D(np.arange(9.0).reshape(3, 3)), ValueError, r"values\[0, 1\] differs from values\[1, 0\]"),
        (lambda: TensorSym2D([1, 2, 3]), ValueError, r"shape \(6,\) or \(3, 3\)"),
        (lambda: TensorSym2D(["a"] * 6), TypeError, r"values\[0\] is not a number"),
    ],
)
def test_errors(call, error, message):
    with pytest.raises(error, match=message) as info:
        call()
    assert issubclass(info.type, (vymath.VyMathError, ValueError, TypeError))


def test_library_errors_share_one_base():
    for name in ("InvalidateIndexError", "InvalidateDeterminantError", "NoSolutionError", "InvalidateDataError",
                 "InvalidateBaseError"):
        assert issubclass(getattr(vymath, name), vymath.VyMathError)
    assert issubclass(vymath.InvalidateIndexError, IndexError)


components = st.lists(st.floats(-1e3, 1e3), min_size=6, max_size=6)


@given(components)
def test_principal_stresses_match_eigvalsh(c):
    t = TensorSym2D(c)
    s1, s2, s3 = t.principal_stresses()
    plane = np.asarray(t)[:2, :2]  # the principal values are the in-plane part's
    np.testing.assert_allclose([s2, s1], np.linalg.eigvalsh(plane), atol=1e-9 * (1 + np.abs(c).max()))
    assert s3 == 0.0
    full = np.asarray(t)
    i1, i2, i3 = t.invariants()
    assert i1 == pytest.approx(np.trace(full))
    assert i3 == pytest.approx(np.linalg.det(full), abs=1e-6 * (1 + np.abs(c).max()) ** 3)


@given(components, st.floats(-3.2, 3.2))
def test_rotation_and_change_of_basis(c, theta):
    t = TensorSym2D(c)
    r = np.array([[np.cos(theta), np.sin(theta), 0], [-np.sin(theta), np.cos(theta), 0], [0, 0, 1]])
    scale = 1e-9 * (1 + np.abs(c).max())
    np.testing.assert_allclose(np.asarray(t.rotated(theta)), r @ np.asarray(t) @ r.T, atol=scale)
    np.testing.assert_allclose(np.asarray(t.transformed(r)), r @ np.asarray(t) @ r.T, atol=scale)


def test_principal_directions_of_a_plane_tensor():
    t = TensorSym2D([3.0, 1.0, 3.0, 0.0, 0.0, 0.0])
    d = t.principal_directions()
    np.testing.assert_allclose(d, [[np.sqrt(0.5), np.sqrt(0.5), 0], [-np.sqrt(0.5), np.sqrt(0.5), 0], [0, 0, 0]])
    assert t.principal_angle() == pytest.approx(np.pi / 4) and t.is_plane()
