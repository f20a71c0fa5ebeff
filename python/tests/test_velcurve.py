"""The Python package against the C interface (called through ctypes on the
same shared library), its error paths and its checks of shapes and dtypes."""

import ctypes

import numpy as np
import pytest

import velcurve
from clib import LIB, cd, ci, ptr


@pytest.fixture(autouse=True)
def block():
    velcurve.set_tolerances()
    yield


def random_curve(rng, ncoef, dim):
    return rng.uniform(-2, 2, size=(ncoef, dim))


def test_evaluate_matches_pocurv_for_scalars_and_vectors():
    rng = np.random.default_rng(7)
    for ncoef, dim in [(1, 2), (4, 2), (7, 3), (12, 5)]:
        coef = random_curve(rng, ncoef, dim)
        ts = rng.uniform(-1, 2, size=50)
        many = velcurve.evaluate(coef, ts)
        assert many.shape == (50, dim)
        for k, t in enumerate(ts):
            p = np.zeros(dim)
            LIB.pocurv(ci(dim), ci(ncoef), ptr(coef), cd(t), ptr(p))
            assert np.array_equal(p, many[k])  # same call: same bits
            assert np.array_equal(p, velcurve.evaluate(coef, t))


def test_conversions_match_the_c_interface():
    rng = np.random.default_rng(11)
    coef = random_curve(rng, 6, 3)
    poly = np.zeros_like(coef)
    ier = ctypes.c_int(0)
    LIB.cpolyg(ci(3), ci(3), ci(6), ptr(coef), ptr(poly), ctypes.byref(ier))
    assert ier.value == 0
    assert np.array_equal(velcurve.control_polygon(coef), poly)
    assert np.allclose(velcurve.from_polygon(poly), coef, atol=1e-12)
    d = velcurve.derivatives(coef, 0.3, 2)
    assert d.shape == (3, 3)
    h = 1e-6
    fd = (velcurve.evaluate(coef, 0.3 + h) - velcurve.evaluate(coef, 0.3 - h)) / (2 * h)
    assert np.allclose(d[1], fd, atol=1e-6)


def test_roots_single_and_many_match_ur1pls():
    rng = np.random.default_rng(3)
    polys = np.array([np.polynomial.polynomial.polyfromroots(rng.uniform(0, 1, 4)) for _ in range(20)])
    found, codes = velcurve.roots_many(polys)
    assert (codes == 0).all()
    for p, f in zip(polys, found):
        r = np.zeros(5)
        aux = np.zeros(5)
        n = ctypes.c_int(0)
        ier = ctypes.c_int(0)
        LIB.ur1pls(ci(5), ptr(p), cd(0.0), cd(1.0), ctypes.byref(n), ptr(r), ptr(aux), ctypes.byref(ier))
        assert np.array_equal(r[: n.value], f)
        assert np.array_equal(velcurve.roots(p).t, f)
    # (t - 1/4)(t - 1/2)
    assert np.allclose(velcurve.roots([0.125, -0.75, 1]).t, [0.25, 0.5])


def test_intersect_plane_and_the_tolerance_context():
    coef = np.array([[0, 0], [3, 6], [3, -6], [-2, 0]], dtype=float)
    r = velcurve.intersect_plane(coef, [0, 2], [0, 1.125], tref=0.5)
    assert np.allclose(r.t, [0.25, 0.75]) and r.tnear == pytest.approx(0.75) and r.code == 0
    before = velcurve.get_tolerances()
    with velcurve.tolerances(eps1=1e-6) as inside:
        assert inside.eps1 == 1e-6
    assert velcurve.get_tolerances() == before


def test_numeric_kernels():
    rng = np.random.default_rng(5)
    a = rng.normal(size=(5, 5)) + 5 * np.eye(5)
    b = rng.normal(size=(5, 2))
    assert np.allclose(velcurve.solve(a, b), np.linalg.solve(a, b))
    assert np.allclose(velcurve.solve(a, b[:, 0]), np.linalg.solve(a, b[:, 0]))
    s = a + a.T
    e = velcurve.symmetric_eigen(s)
    assert np.allclose(e.values, np.sort(np.linalg.eigvalsh(s))[::-1])
    assert np.allclose(s @ e.vectors, e.vectors * e.values)
    r = velcurve.integrate(np.cos, 0.0, 1.0)
    assert r.value[0] == pytest.approx(np.sin(1.0), abs=1e-12)


def test_failures_raise_with_routine_and_code():
    with pytest.raises(velcurve.Error) as e:
        velcurve.solve(np.zeros((3, 3)), np.ones(3))
    assert e.value.routine == "MRSLWD" and e.value.code == 1
    with pytest.raises(velcurve.Error) as e:
        velcurve.intersect_plane(np.array([[0.0, 0], [1, 1]]), [0, 0], [0, 0])
    assert e.value.routine == "PCVINT" and e.value.code == 101
    with pytest.raises(velcurve.Error):
        velcurve.roots([0.0, 0.0, 0.0])  # the zero polynomial

    def broken(t):
        raise KeyError("from the integrand")

    with pytest.raises(KeyError):
        velcurve.integrate(broken, 0.0, 1.0)


@pytest.mark.parametrize(
    "call, argument",
    [
        (lambda: velcurve.evaluate(np.zeros(4), 0.5), "coef"),
        (lambda: velcurve.evaluate(np.zeros((0, 2)), 0.5), "coef"),
        (lambda: velcurve.evaluate(np.zeros((3, 2)), np.zeros((2, 2))), "t"),
        (lambda: velcurve.control_polygon(np.zeros((62, 2))), "coef"),
        (lambda: velcurve.roots(np.zeros(42)), "poly"),
        (lambda: velcurve.roots([]), "poly"),
        (lambda: velcurve.intersect_plane(np.zeros((3, 4)), [1, 0, 0, 0], [0, 0, 0, 0]), "coef"),
        (lambda: velcurve.intersect_plane(np.zeros((3, 2)), [1, 0, 0], [0, 0]), "normal"),
        (lambda: velcurve.solve(np.zeros((2, 3)), np.zeros(2)), "a"),
        (lambda: velcurve.derivatives(np.zeros((3, 2)), 0.0, -1), "order"),
    ],
)
def test_bad_shapes_name_the_argument(call, argument):
    with pytest.raises(ValueError, match=f"^{argument}:"):
        call()


def test_other_dtypes_and_layouts_are_converted_not_misread():
    rng = np.random.default_rng(9)
    coef = random_curve(rng, 5, 3)
    ref = velcurve.evaluate(coef, 0.7)
    f32 = coef.astype(np.float32)
    assert np.allclose(velcurve.evaluate(f32, 0.7), velcurve.evaluate(f32.astype(float), 0.7))
    fortran = np.asfortranarray(coef)
    assert np.array_equal(velcurve.evaluate(fortran, 0.7), ref)
    wide = np.zeros((5, 6))
    wide[:, ::2] = coef
    assert np.array_equal(velcurve.evaluate(wide[:, ::2], 0.7), ref)
    assert np.array_equal(velcurve.evaluate(coef.tolist(), 0.7), ref)
    # NaN goes to the library, which answers with numbers or a code.
    assert np.isnan(velcurve.evaluate(np.full((3, 2), np.nan), 0.5)).all()


def test_intersections_single_and_many_match_umcvcv():
    rng = np.random.default_rng(21)
    c1 = rng.uniform(-1, 1, size=(30, 4, 2))
    c2 = rng.uniform(-1, 1, size=(30, 4, 2))
    found, codes = velcurve.intersect_many(c1, c2)
    assert (codes <= 0).all()
    for a, b, f in zip(c1, c2, found):
        sol = np.zeros(2 * 64)
        n = ctypes.c_int(0)
        ier = ctypes.c_int(0)
        LIB.umcvcv(ci(2), ci(4), ptr(np.ascontiguousarray(a)), cd(0.0), cd(1.0), ci(4),
                   ptr(np.ascontiguousarray(b)), cd(0.0), cd(1.0), ci(1), ci(64), ctypes.byref(n), ptr(sol),
                   ctypes.byref(ier))
        assert np.array_equal(sol[: 2 * n.value].reshape(-1, 2), f)
        assert np.array_equal(velcurve.intersect(a, b).pairs, f)
        for t1, t2 in f:
            assert np.allclose(velcurve.evaluate(a, t1), velcurve.evaluate(b, t2), atol=1e-8)
    # A line through two chosen points of the demo cubic meets it there.
    cubic = np.array([[0, 0], [3, 6], [3, -6], [-2, 0]], dtype=float)
    line = np.array([[-1, 1.125], [6, 0]], dtype=float)
    r = velcurve.intersect(cubic, line)
    assert np.allclose(r.pairs[:, 0], [0.25, 0.75])
    with pytest.raises(velcurve.Error) as e:
        velcurve.intersect(cubic, line, capacity=1)
    assert e.value.routine == "UMCVCV" and e.value.code == 1
    with pytest.raises(ValueError, match="^coef2:"):
        velcurve.intersect(cubic, np.zeros((3, 3)))
    with pytest.raises(ValueError, match="^coef1:"):
        velcurve.intersect_many(np.zeros((2, 22, 2)), np.zeros((2, 4, 2)))
