"""Noisy roots, arc length, curvature and Frenet frames, bounds and boxes,
approximation and principal axes: against the C interface through ctypes on
random inputs, their failures, and their checks of shapes."""

import ctypes

import numpy as np
import pytest

import velcurve
from clib import LIB, cd, ci, ptr


def out_int():
    return ctypes.c_int(0)


@pytest.fixture(autouse=True)
def block():
    velcurve.set_tolerances()
    yield


def test_noisy_roots_and_bounds_match_the_c_calls():
    rng = np.random.default_rng(17)
    for n in (1, 3, 6, 12):
        p = rng.uniform(-1, 1, n)
        m = max(n - 1, 1)
        roots, noise, unres = np.zeros(m), np.zeros(2 * m), np.zeros(2 * m)
        nr, nn, nu, ier = out_int(), out_int(), out_int(), out_int()
        tint = np.array([0.0, 1.0])
        LIB.mrs1d0(ptr(p), ci(n), ptr(tint), cd(1e-10), cd(1e-12), ptr(roots), ctypes.byref(nr), ptr(noise),
                   ctypes.byref(nn), ptr(unres), ctypes.byref(nu), ctypes.byref(ier))
        r = velcurve.roots_noisy(p)
        assert r.code == ier.value
        assert np.array_equal(r.t, roots[: nr.value])
        assert np.array_equal(r.noisy, noise[: 2 * nn.value].reshape(-1, 2))
        bmax, bmin, tmax, tmin = (ctypes.c_double() for _ in range(4))
        LIB.mbtpnu(ci(n), ptr(p), ptr(tint), cd(1e-9), ctypes.byref(bmax), ctypes.byref(bmin),
                   ctypes.byref(tmax), ctypes.byref(tmin), ctypes.byref(ier))
        b = velcurve.bounds(p)
        assert (b.min, b.max, b.tmin, b.tmax, b.code) == (bmin.value, bmax.value, tmin.value, tmax.value, ier.value)
        LIB.mbtpnp(ci(n), ptr(p), ptr(tint), ctypes.byref(bmax), ctypes.byref(bmin), ctypes.byref(ier))
        assert velcurve.coarse_bounds(p) == (bmin.value, bmax.value)


def test_boxes_of_many_curves_match_mbtcb1():
    rng = np.random.default_rng(23)
    curves = rng.uniform(-2, 2, size=(40, 5, 3))
    r = velcurve.boxes(curves)
    assert r.box.shape == (40, 3, 2) and (r.code <= 0).all()
    for c, b in zip(curves, r.box):
        box = np.zeros(6)
        ier = out_int()
        LIB.mbtcb1(ci(3), ci(5), ptr(np.ascontiguousarray(c)), ci(3), ptr(np.array([0.0, 1.0])), cd(1e-9), ptr(box),
                   ctypes.byref(ier))
        assert np.array_equal(box.reshape(3, 2), b)
        pts = velcurve.evaluate(c, np.linspace(0, 1, 101))
        assert (pts >= b[:, 0] - 1e-9).all() and (pts <= b[:, 1] + 1e-9).all()
    one = velcurve.boxes(curves[0].astype(np.float32))  # converted, one curve
    assert one.box.shape == (3, 2)
    assert np.array_equal(one.box, velcurve.boxes(curves[0].astype(np.float32).astype(float)).box)


def test_length_and_positioning_match_mcglc1_and_mposcv():
    rng = np.random.default_rng(29)
    for dim in (2, 3):
        c = rng.uniform(-1, 1, size=(4, dim))
        length, diff, ier = ctypes.c_double(), ctypes.c_double(), out_int()
        LIB.mcglc1(ci(dim), ci(dim), ci(4), ptr(c), cd(0.0), cd(1.0), cd(1e-12), ctypes.byref(length),
                   ctypes.byref(diff), ctypes.byref(ier))
        assert velcurve.arc_length(c, eps=1e-12) == (length.value, diff.value)
        ratios = np.array([0.0, 0.3, 0.5, 1.0])
        r = velcurve.at_length(c, ratios, tol=1e-10)
        LIB.mcglc1(ci(dim), ci(dim), ci(4), ptr(c), cd(0.0), cd(1.0), cd(1e-10 / 4), ctypes.byref(length),
                   ctypes.byref(diff), ctypes.byref(ier))
        assert r.length == length.value
        for ratio, t in zip(ratios, r.t):
            u, niter = ctypes.c_double(), out_int()
            LIB.mposcv(ci(dim), ci(dim), ci(4), ptr(c), cd(0.0), cd(1.0), cd(0.0), cd(length.value), cd(ratio),
                       ctypes.byref(u), cd(1e-10), ctypes.byref(niter), ctypes.byref(ier))
            assert u.value == t
        assert velcurve.arc_length(c, (0.0, r.t[1]), eps=1e-12).length == pytest.approx(0.3 * r.length, abs=1e-9)


def test_curvature_and_frenet_frames_on_many_parameters():
    rng = np.random.default_rng(31)
    ts = np.linspace(0.05, 0.95, 7)
    for dim in (2, 3):
        c = rng.uniform(-1, 1, size=(5, dim))
        k = velcurve.curvature(c, ts)
        f = velcurve.frenet(c, ts)
        assert k.center.shape == (7, dim) and f.binormal.shape == (7, 3)
        for i, t in enumerate(ts):
            p = velcurve.evaluate(c, t)
            curv, radius, center, work, ier = ctypes.c_double(), ctypes.c_double(), np.zeros(dim), np.zeros(1), out_int()
            LIB.cvture(ptr(p), ci(dim), ci(5), ptr(c), cd(t), ptr(work), ctypes.byref(curv), ctypes.byref(radius),
                       ptr(center), ctypes.byref(ier))
            assert (k.curvature[i], k.radius[i], k.code[i]) == (curv.value, radius.value, ier.value)
            assert np.array_equal(k.center[i], center)
            assert f.curvature[i] == pytest.approx(curv.value, rel=1e-9)
        assert np.allclose(np.einsum("ij,ij->i", f.tangent, f.normal), 0, atol=1e-12)
        assert np.allclose(np.linalg.norm(f.tangent, axis=1), 1)
    # A straight line in the plane: zero curvature is a result, not a failure.
    line = np.array([[0.0, 0.0], [1.0, 2.0], [0.0, 0.0]])
    assert (velcurve.curvature(line, ts).curvature == 0).all()
    # A cusp at t = 0: code 1 raised, or NaN in its row.
    cusp = np.array([[0.0, 0.0], [0.0, 0.0], [1.0, 0.0], [0.0, 1.0]])
    with pytest.raises(velcurve.Error) as e:
        velcurve.curvature(cusp, [0.5, 0.0])
    assert e.value.routine == "CVTURE" and e.value.code == 1
    r = velcurve.curvature(cusp, [0.5, 0.0], raise_on_failure=False)
    assert list(r.code) == [0, 1] and np.isnan(r.curvature[1]) and np.isfinite(r.curvature[0])


def test_approximation_of_a_python_function():
    r = velcurve.approximate(lambda t, d: [np.exp(t)], (0.0, 2.0), tol=1e-10)
    assert r.code == 0 and len(r.segments) == len(r.breaks) - 1
    for s, seg in enumerate(r.segments):
        a, b = r.breaks[s], r.breaks[s + 1]
        u = np.linspace(0, 1, 9)
        assert np.allclose(velcurve.evaluate(seg, u)[:, 0], np.exp(a + (b - a) * u), atol=1e-9)
    two = velcurve.approximate(lambda t, d: [np.sin(t), np.cos(t)] if d == 0 else [np.cos(t), -np.sin(t)],
                               (0.0, 3.0), tol=1e-8, ndim=2, order=1)
    assert two.segments[0].shape[1] == 2

    def broken(t, d):
        raise KeyError("from the function")

    with pytest.raises(KeyError):
        velcurve.approximate(broken, (0.0, 1.0))
    with pytest.raises(ValueError, match="^f:"):
        velcurve.approximate(lambda t, d: [1.0, 2.0], (0.0, 1.0))


def test_principal_axes_and_shape_kind():
    rng = np.random.default_rng(37)
    pts = rng.normal(size=(200, 3)) * [3.0, 1.0, 0.1]
    r = velcurve.principal_axes(pts)
    cov = np.cov(pts.T, bias=True)
    assert np.allclose(r.values, np.sort(np.linalg.eigvalsh(cov))[::-1], rtol=1e-9)
    assert np.allclose(r.centroid, pts.mean(axis=0))
    assert np.allclose(cov @ r.axes, r.axes * r.values, atol=1e-9)
    for values, tol in [(r.values, 0.01), (r.values, 10.0), ([0.0, 0.0, 0.0], 1e-6), (r.values, 2.0)]:
        v = np.ascontiguousarray(values, dtype=float)
        kind = ctypes.create_string_buffer(4)
        LIB.mckent(ci(3), ptr(v), cd(tol), kind, ctypes.c_long(4))
        assert velcurve.shape_kind(values, tol) == kind.raw.decode()
    assert velcurve.shape_kind(velcurve.principal_axes([[0, 0], [1, 1], [2, 2]]).values, 1e-6) == "DRTE"


@pytest.mark.parametrize(
    "call, argument",
    [
        (lambda: velcurve.roots_noisy(np.zeros(62)), "poly"),
        (lambda: velcurve.roots_noisy([1.0, -2.0], epsx=0.0), "epsx"),
        (lambda: velcurve.roots_noisy([1.0, -2.0], epsf=np.nan), "epsf"),
        (lambda: velcurve.bounds([]), "poly"),
        (lambda: velcurve.boxes(np.zeros((2, 22, 2))), "coefs"),
        (lambda: velcurve.boxes(np.zeros(5)), "coefs"),
        (lambda: velcurve.at_length(np.zeros((3, 2)), [0.5, 1.5]), "ratios"),
        (lambda: velcurve.at_length(np.zeros((3, 2)), 0.5, interval=(1.0, 0.0)), "interval"),
        (lambda: velcurve.curvature(np.zeros((3, 4)), 0.5), "coef"),
        (lambda: velcurve.frenet(np.zeros((3, 2)), np.zeros((2, 2))), "t"),
        (lambda: velcurve.approximate(lambda t, d: [t], (0, 1), max_coef=15), "max_coef"),
        (lambda: velcurve.approximate(lambda t, d: [t], (0, 1), npcode=0), "npcode"),
        (lambda: velcurve.approximate(lambda t, d: [t], (0, 1), order=3), "order"),
        (lambda: velcurve.principal_axes(np.zeros(3)), "points"),
        (lambda: velcurve.shape_kind(np.zeros((2, 2)), 1.0), "values"),
    ],
)
def test_bad_arguments_name_the_argument(call, argument):
    with pytest.raises(ValueError, match=f"^{argument}:"):
        call()


def test_failing_codes_raise_with_routine_and_code():
    with pytest.raises(velcurve.Error) as e:
        velcurve.roots_noisy([1.0, -2.0], interval=(0.0, 1e-12))  # shorter than epsx
    assert e.value.routine == "MRS1D0" and e.value.code == 1
    with pytest.raises(velcurve.Error) as e:
        with velcurve.tolerances(epspb=0.0):
            velcurve.principal_axes([[0.0, 0.0], [1.0, 1.0]])
    assert e.value.routine == "MCKPL0" and e.value.code == 11
    # NaN curves give a code or NaN, never a crash.
    nan = np.full((4, 2), np.nan)
    velcurve.boxes(nan, raise_on_failure=False)
    velcurve.curvature(nan, 0.5, raise_on_failure=False)


def test_projection_matches_mcvpds_and_mdpcv0():
    rng = np.random.default_rng(41)
    for dim in (2, 3):
        c = rng.uniform(-1, 1, size=(4, dim))
        xs = rng.uniform(-1, 1, size=(12, dim))
        many = velcurve.nearest_many(c, xs)
        for i, x in enumerate(xs):
            params, proj, dist, nsol, ier = np.zeros(7), np.zeros(7 * dim), ctypes.c_double(), out_int(), out_int()
            LIB.mcvpds(ci(dim), ci(4), ptr(c), ptr(x), ctypes.byref(nsol), ptr(params), ptr(proj),
                       ctypes.byref(dist), ctypes.byref(ier))
            one = velcurve.nearest(c, x)
            assert (one.distance, one.code) == (dist.value, ier.value)
            assert np.array_equal(one.t, params[: nsol.value])
            assert np.array_equal(one.points, proj[: dim * nsol.value].reshape(-1, dim))
            assert (many.t[i], many.distance[i]) == (params[0], dist.value)
            far = velcurve.extremal_distance(c, x, farthest=True)
            samples = velcurve.evaluate(c, np.linspace(0, 1, 201))
            assert far.distance >= np.linalg.norm(samples - x, axis=1).max() - 1e-9
            assert velcurve.extremal_distance(c, x).distance == pytest.approx(dist.value, abs=1e-9)


def test_classification_against_a_square_and_its_failures():
    square = [[[0, 0], [1, 0]], [[1, 0], [0, 1]], [[1, 1], [-1, 0]], [[0, 1], [0, -1]]]
    pts = np.array([[0.5, 0.5], [1.5, 0.5], [-0.2, 0.3], [0.25, 0.75], [1.0, 0.5]])
    got = velcurve.classify(square, pts)
    assert got.tolist() == [velcurve.INSIDE, velcurve.OUTSIDE, velcurve.OUTSIDE, velcurve.INSIDE,
                            velcurve.ON_BOUNDARY]
    # Random points (float32, converted): inside exactly when within the square.
    rng = np.random.default_rng(43)
    p = rng.uniform(-0.5, 1.5, size=(40, 2))
    got = velcurve.classify(square, p.astype(np.float32))
    f = p.astype(np.float32).astype(float)
    inside = (f > 0).all(axis=1) & (f < 1).all(axis=1)
    assert (got == np.where(inside, 1, -1)).all()
    with pytest.raises(velcurve.Error) as e:
        velcurve.classify(square[:2], pts)
    assert e.value.routine == "SIEPF1" and e.value.code == 3
    for call, argument in [
        (lambda: velcurve.classify([], pts), "boundary"),
        (lambda: velcurve.classify([[[0, 0, 0], [1, 0, 0]]], pts), "boundary"),
        (lambda: velcurve.classify(square, pts[:, :1]), "points"),
        (lambda: velcurve.classify(square, pts, intervals=np.zeros((3, 2))), "intervals"),
        (lambda: velcurve.classify(square, pts, tolrel=0.7), "tolrel"),
        (lambda: velcurve.nearest(np.zeros((22, 2)), [0, 0]), "coef"),
        (lambda: velcurve.nearest_many(np.zeros((3, 2)), np.zeros((4, 3))), "points"),
        (lambda: velcurve.extremal_distance(np.zeros((3, 2)), [0, 0], capacity=0), "capacity"),
    ]:
        with pytest.raises(ValueError, match=f"^{argument}:"):
            call()


def test_oriented_box_holds_every_curve():
    rng = np.random.default_rng(47)
    curves = rng.uniform(-1, 1, size=(5, 4, 3))
    r = velcurve.oriented_box(curves)
    assert np.allclose(r.axes.T @ r.axes, np.eye(3), atol=1e-12)
    assert np.linalg.det(r.axes) > 0
    for c in curves:
        local = (velcurve.evaluate(c, np.linspace(0, 1, 51)) - r.center) @ r.axes
        assert (np.abs(local) <= r.half + 1e-9).all()
    g, v, ext, ier = np.zeros(3), np.zeros(9), np.zeros(3), out_int()
    crv, ncoef, tint = np.ascontiguousarray(curves), np.full(5, 4, dtype=np.int32), np.array([0.0, 1.0])
    LIB.mblcr4(ci(3), ci(4), ci(5), ptr(crv), ncoef.ctypes.data_as(ctypes.POINTER(ctypes.c_int)), ptr(tint), ci(1),
               ptr(g), ptr(v), ptr(ext), ctypes.byref(ier))
    assert np.array_equal(r.center, g) and np.array_equal(r.half, ext)
    assert np.array_equal(r.axes, v.reshape(3, 3).T)
    assert velcurve.oriented_box(curves[0]).half.shape == (3,)
    with pytest.raises(ValueError, match="^coefs:"):
        velcurve.oriented_box(np.zeros((2, 62, 2)))
