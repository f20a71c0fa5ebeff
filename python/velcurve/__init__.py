"""Polynomial curves on numpy arrays, through VelCurveBasedMathematics.

Curves are arrays of shape (ncoef, dim): row j holds the vector coefficient of
t**j (the canonical form), so ``coef[0]`` is the point at t = 0. Arrays of
another dtype or layout are converted to contiguous float64 first; arrays of
the wrong shape or size raise ValueError naming the argument, before the
library is called.

A routine that fails (a positive result code) raises :class:`Error`, which
carries the routine's name, the code and its meaning. A negative code is a
warning whose results are defined: it is returned in the result's ``code``.

The tolerance block is process-wide: set it with :func:`set_tolerances` or for
a ``with`` block through :func:`tolerances`. It holds the defaults below when
the package is imported.
"""

from contextlib import contextmanager
from typing import NamedTuple

import numpy as np

from . import _velcurve


class Error(RuntimeError):
    """A routine of the library failed: ``routine``, ``code``, ``meaning``."""

    def __init__(self, routine, code, meaning):
        super().__init__(f"{routine}: IER = {code} ({meaning})")
        self.routine = routine
        self.code = code
        self.meaning = meaning

    def __reduce__(self):  # travels between Dask workers
        return (Error, (self.routine, self.code, self.meaning))


_velcurve._set_error_class(Error)


class Tolerances(NamedTuple):
    """The slots of the tolerance block that the routines read."""

    eps1: float = 1e-9     # general length tolerance
    epsnr: float = 1e-10   # parametric tolerance of root finding
    epspb: float = 1e-14   # small-value threshold
    epspb2: float = 1e-9   # second small-value threshold
    eps3d: float = 1e-9    # 3D tolerance
    nitnr: int = 100       # Newton iteration limit
    nitln: int = 100       # second iteration limit


def get_tolerances():
    """The tolerance block as it is now (a :class:`Tolerances`)."""
    return Tolerances(*_velcurve.get_tolerances())


def set_tolerances(tol=None, **slots):
    """Fills the tolerance block: from a :class:`Tolerances`, or the defaults
    changed by the keyword arguments (``set_tolerances(eps1=1e-7)``)."""
    tol = (tol or Tolerances())._replace(**slots)
    _velcurve.set_tolerances(*tol)


@contextmanager
def tolerances(tol=None, **slots):
    """Sets the tolerance block for a ``with`` block, then restores it."""
    previous = get_tolerances()
    set_tolerances(tol, **slots)
    try:
        yield get_tolerances()
    finally:
        set_tolerances(previous)


set_tolerances()


def evaluate(coef, t):
    """Points of the curve ``coef`` (ncoef, dim) at ``t``.

    ``t`` a number: an array of shape (dim,); ``t`` a 1-D array of n
    parameters: an array of shape (n, dim), computed in one call."""
    return _velcurve.evaluate(coef, t)


def derivatives(coef, t, order):
    """The point and its derivatives up to ``order`` (0 to 60) at ``t``:
    an array of shape (order + 1, dim), row k the k-th derivative."""
    return _velcurve.derivatives(coef, t, int(order))


def control_polygon(coef, interval=(0.0, 1.0)):
    """The Bezier control polygon (ncoef, dim) of the curve's arc on
    ``interval``; at most 61 coefficients."""
    return _velcurve.control_polygon(coef, float(interval[0]), float(interval[1]))


def from_polygon(polygon):
    """The canonical coefficients (ncoef, dim) of the curve on [0, 1] whose
    control polygon is ``polygon`` (at most 61 points)."""
    return _velcurve.from_polygon(polygon)


class Roots(NamedTuple):
    t: np.ndarray  # the roots, ascending
    code: int      # 0, or a negative warning code


def roots(poly, interval=(0.0, 1.0)):
    """Every root of poly[0] + poly[1] t + ... (1 to 41 coefficients) on
    ``interval`` (either order), ascending."""
    return Roots(*_velcurve.roots(poly, float(interval[0]), float(interval[1])))


def roots_many(polys, interval=(0.0, 1.0), raise_on_failure=True):
    """The roots of each row of the 2-D array ``polys`` in one call: a list of
    arrays and an array of codes. With ``raise_on_failure`` the first failing
    row raises :class:`Error`; otherwise its roots are empty and its code is
    kept."""
    found, codes = _velcurve.roots_many(polys, float(interval[0]), float(interval[1]))
    if raise_on_failure:
        bad = np.nonzero(codes > 0)[0]
        if bad.size:
            code = int(codes[bad[0]])
            raise Error("UR1PLS", code, f"row {int(bad[0])} failed")
    return found, codes


class PlaneIntersection(NamedTuple):
    t: np.ndarray  # parameters in [0, 1], ascending
    tnear: float   # the one nearest the reference parameter
    code: int


def intersect_plane(coef, normal, point, tref=0.0):
    """Where the curve on [0, 1] (dim 2 or 3) meets the plane through
    ``point`` with normal ``normal`` (a line in 2D)."""
    return PlaneIntersection(*_velcurve.intersect_plane(coef, normal, point, float(tref)))


class CurveIntersection(NamedTuple):
    pairs: np.ndarray  # shape (k, 2): the parameter pairs (t1, t2), ascending in t1
    code: int          # 0, or -1 when the two curves are identical


def intersect(coef1, coef2, interval1=(0.0, 1.0), interval2=(0.0, 1.0), capacity=64):
    """Every point where two curves (shape (ncoef, dim), 2 to 21
    coefficients, dim 2 or 3, the same for both) meet on their intervals, as
    parameter pairs. More than ``capacity`` pairs raises Error (code 1)."""
    return CurveIntersection(*_velcurve.intersect(coef1, coef2, np.asarray(interval1, float),
                                                  np.asarray(interval2, float), int(capacity)))


def intersect_many(coef1, coef2, capacity=64, raise_on_failure=True):
    """The intersections of each pair ``coef1[i]``, ``coef2[i]`` (arrays of
    shape (m, ncoef, dim)) on [0, 1], in one call: a list of (k, 2) arrays of
    pairs and an array of codes. With ``raise_on_failure`` the first failing
    pair raises :class:`Error`; otherwise its pairs are empty and its code is
    kept."""
    found, codes = _velcurve.intersect_many(coef1, coef2, int(capacity))
    if raise_on_failure:
        bad = np.nonzero(codes > 0)[0]
        if bad.size:
            raise Error("UMCVCV", int(codes[bad[0]]), f"pair {int(bad[0])} failed")
    return found, codes


def solve(a, b, eps=1e-14):
    """X with a @ X = b for a square matrix ``a`` and b of shape (n,) or
    (n, k), by Gaussian elimination; a singular matrix raises Error."""
    return _velcurve.solve(a, b, float(eps))


class SymmetricEigen(NamedTuple):
    values: np.ndarray   # decreasing
    vectors: np.ndarray  # column k belongs to values[k]
    sweeps: int
    code: int


def symmetric_eigen(a, eps=1e-14):
    """Eigenvalues (decreasing) and eigenvectors of the symmetric matrix
    ``a`` by the Jacobi method."""
    return SymmetricEigen(*_velcurve.symmetric_eigen(a, float(eps)))


class Integral(NamedTuple):
    value: np.ndarray
    error: float
    calls: int


def integrate(f, a, b, tol=1e-10, ndim=1):
    """The integral of ``f`` (t -> ndim values, ndim at most 10) on [a, b]
    by Gauss-Legendre rules of increasing order until two agree within
    ``tol``. An exception raised by ``f`` stops the integration and is raised
    again."""
    return Integral(*_velcurve.integrate(f, int(ndim), float(a), float(b), float(tol)))


class NoisyRoots(NamedTuple):
    t: np.ndarray           # the simple roots, ascending
    noisy: np.ndarray       # shape (k, 2): intervals where the sign is lost in the noise
    unresolved: np.ndarray  # shape (k, 2): intervals the refinement could not settle
    code: int               # 0, -1 (intervals returned) or -13 (depth limit reached)


def roots_noisy(poly, interval=(0.0, 1.0), epsx=1e-10, epsf=1e-12):
    """The roots of poly[0] + poly[1] t + ... (1 to 61 coefficients) on
    ``interval`` resolved to ``epsx`` in t and ``epsf`` in value, with the
    intervals where the polynomial stays within its noise (MRS1D0)."""
    return NoisyRoots(*_velcurve.roots_noisy(poly, float(interval[0]), float(interval[1]), float(epsx), float(epsf)))


class ArcLength(NamedTuple):
    length: float  # signed: negative when the interval is reversed
    diff: float    # the last change between two refinements


def arc_length(coef, interval=(0.0, 1.0), eps=1e-10):
    """The length of the curve ``coef`` (ncoef, dim) on ``interval`` to
    ``eps`` (MCGLC1); not converging raises Error (code 1)."""
    return ArcLength(*_velcurve.arc_length(coef, float(interval[0]), float(interval[1]), float(eps)))


class AtLength(NamedTuple):
    t: np.ndarray   # the parameters, shaped as ``ratios``
    length: float   # the length of the interval


def at_length(coef, ratios, interval=(0.0, 1.0), tol=1e-10):
    """The parameters at which each fraction in ``ratios`` (0 to 1, a number
    or a 1-D array) of the length of ``interval`` (increasing) is reached, to
    ``tol`` in length (MCGLC1 once, then MPOSCV per fraction)."""
    return AtLength(*_velcurve.at_length(coef, ratios, float(interval[0]), float(interval[1]), float(tol)))


def _raise_first(codes, routine, what, failing=lambda c: c > 0):
    bad = np.nonzero(failing(np.atleast_1d(codes)))[0]
    if bad.size:
        raise Error(routine, int(np.atleast_1d(codes)[bad[0]]), f"{what} {int(bad[0])} failed")


class Curvature(NamedTuple):
    curvature: np.ndarray  # shape (n,)
    radius: np.ndarray     # shape (n,); huge where the curvature is 0
    center: np.ndarray     # shape (n, dim)
    code: np.ndarray       # per parameter: 0, or 2 (inflexion), 3 (zero curvature), 4 (a segment)


def curvature(coef, t, raise_on_failure=True):
    """Curvature, radius and centre of curvature of a curve of dimension 2 or
    3 at each parameter of ``t`` (a number or a 1-D array of n) (CVTURE).
    Codes 2 to 4 are flat points, results defined (curvature 0). A singular
    point (code 1) raises Error with ``raise_on_failure``; otherwise its row
    holds NaN and code 1."""
    r = Curvature(*_velcurve.curvature(coef, t))
    if raise_on_failure:
        _raise_first(r.code, "CVTURE", "parameter", lambda c: (c == 1) | (c == 5))
    return r


class Frenet(NamedTuple):
    tangent: np.ndarray     # shape (n, dim), unit
    normal: np.ndarray      # shape (n, dim), unit principal normal
    binormal: np.ndarray    # shape (n, 3), zero in the plane
    curvature: np.ndarray   # shape (n,)
    dcurvature: np.ndarray  # derivative of the curvature with respect to arc length
    torsion: np.ndarray     # 0 in the plane
    cusp: np.ndarray        # bool: infinite curvature (left 0)
    code: np.ndarray        # per parameter: 0, -1 (no normal) or -2 (no torsion)


def frenet(coef, t, eps=1e-12, raise_on_failure=True):
    """The Frenet frame, curvature, its arc-length derivative and torsion at
    each parameter of ``t`` (MPRCRB; dimension 2 or 3, at most 61
    coefficients). A positive code raises Error with ``raise_on_failure``;
    otherwise its rows hold NaN."""
    r = Frenet(*_velcurve.frenet(coef, t, float(eps)))
    if raise_on_failure:
        _raise_first(r.code, "MPRCRB", "parameter")
    return r


class Bounds(NamedTuple):
    min: float
    max: float
    tmin: float  # where the minimum is reached
    tmax: float
    code: int    # 0, or -10 when only the coarse bounds were found


def bounds(poly, interval=(0.0, 1.0), tol=1e-9):
    """Fine bounds of poly[0] + poly[1] t + ... (1 to 61 coefficients) on
    ``interval``, widened by ``tol`` where reached inside (MBTPNU)."""
    return Bounds(*_velcurve.bounds(poly, float(interval[0]), float(interval[1]), float(tol)))


def coarse_bounds(poly, interval=(0.0, 1.0)):
    """Coarse bounds (min, max): the extreme Bernstein coefficients of the
    polynomial on ``interval`` (MBTPNP)."""
    return _velcurve.coarse_bounds(poly, float(interval[0]), float(interval[1]))


class Boxes(NamedTuple):
    box: np.ndarray   # shape (m, dim, 2): (lower, upper) per component; (dim, 2) for one curve
    code: np.ndarray  # per curve: 0, or -10 (some component has coarse bounds)


def boxes(coefs, interval=(0.0, 1.0), tol=1e-9, raise_on_failure=True):
    """Fine bounding boxes of one curve (ncoef, dim) or of m curves
    (m, ncoef, dim), 1 to 21 coefficients, on ``interval``, in one call
    (MBTCB1). A failing curve raises Error with ``raise_on_failure``;
    otherwise its box is NaN and its code kept."""
    a = np.asarray(coefs)
    one = a.ndim == 2
    r = Boxes(*_velcurve.boxes(a[None] if one else a, float(interval[0]), float(interval[1]), float(tol)))
    if raise_on_failure:
        _raise_first(r.code, "MBTCB1", "curve")
    return Boxes(r.box[0], int(r.code[0])) if one else r


class OrientedBox(NamedTuple):
    center: np.ndarray  # shape (dim,): the barycentre
    axes: np.ndarray    # shape (dim, dim): unit columns, a direct frame in 2 and 3D
    half: np.ndarray    # half-lengths along the axes, longest first


def oriented_box(coefs, interval=(0.0, 1.0)):
    """The oriented box enclosing one curve (ncoef, dim) or m curves
    (m, ncoef, dim) (1 to 61 coefficients) over ``interval`` (MBLCR4)."""
    a = np.asarray(coefs, dtype=float)
    return OrientedBox(*_velcurve.oriented_box(a[None] if a.ndim == 2 else a, float(interval[0]), float(interval[1])))


class Approximation(NamedTuple):
    segments: list         # arrays (ncoef, ndim), each parametrised over [0, 1]
    breaks: np.ndarray     # segment s covers [breaks[s], breaks[s + 1]]
    errmax: np.ndarray     # error bound per segment
    errmean: np.ndarray    # root-mean-square error per segment
    code: int              # 0, or -1 (segment limit reached above tolerance)


def approximate(f, interval, tol=1e-8, ndim=1, order=1, max_segments=20, max_coef=14, npcode=-5):
    """Polynomial segments within ``tol`` of ``f`` on ``interval`` (MAPFNC).
    ``f(t, deriv)`` returns the deriv-th derivative (0 to ``order``) of its
    ``ndim`` components at t; ``order`` (-1 to 2) is the continuity at the
    breaks, ``max_coef`` (at most 14) the coefficients per segment, ``npcode``
    the Gauss points (-5..-1 or 1..4). An exception raised by ``f`` stops the
    approximation and is raised again."""
    return Approximation(*_velcurve.approximate(f, int(ndim), float(interval[0]), float(interval[1]), float(tol),
                                                int(order), int(max_segments), int(max_coef), int(npcode)))


class PrincipalAxes(NamedTuple):
    values: np.ndarray    # variances along the axes, decreasing
    centroid: np.ndarray  # shape (dim,)
    axes: np.ndarray      # shape (dim, dim): column k the unit axis of values[k]


def principal_axes(points):
    """Principal axes of the points (npts, dim) (MCKPL0)."""
    return PrincipalAxes(*_velcurve.principal_axes(points))


def shape_kind(values, tol):
    """The shape verdict from the principal variances (decreasing) and a
    distance ``tol`` (MCKENT): "POIN", "DRTE" (a line), "PLAN" or "QCQU"."""
    return _velcurve.shape_kind(values, float(tol))


class Nearest(NamedTuple):
    t: np.ndarray       # parameters of the nearest points, in [0, 1]
    points: np.ndarray  # shape (k, dim)
    distance: float
    code: int           # 0, -1 (the curve is a point) or -2 (on a sphere around x)


def nearest(coef, x):
    """The points of the curve on [0, 1] (dim 2 or 3, at most 21
    coefficients) nearest to ``x`` (MCVPDS)."""
    return Nearest(*_velcurve.nearest(coef, x))


class NearestMany(NamedTuple):
    t: np.ndarray         # shape (n,): the parameter of the first nearest point
    distance: np.ndarray  # shape (n,)
    code: np.ndarray      # shape (n,)


def nearest_many(coef, points, raise_on_failure=True):
    """The nearest point of the curve to each of ``points`` (n, dim) in one
    call (MCVPDS per point). A failing point raises Error with
    ``raise_on_failure``; otherwise it keeps its code and NaN."""
    r = NearestMany(*_velcurve.nearest_many(coef, points))
    if raise_on_failure:
        _raise_first(r.code, "MCVPDS", "point")
    return r


class Extremal(NamedTuple):
    t: np.ndarray          # parameters of the extremal points
    points: np.ndarray     # shape (k, dim)
    intervals: np.ndarray  # shape (k, 2): stretches at the extreme distance
    noisy: np.ndarray      # shape (k, 2): stretches that could not be settled
    distance: float
    code: int              # 0, -2 (on a sphere around x) or -3 (the curve is a point)


def extremal_distance(coef, x, farthest=False, interval=(0.0, 1.0), eps=1e-9, capacity=64):
    """The nearest (or, with ``farthest``, the farthest) points of the curve
    on ``interval`` from ``x`` (MDPCV0; dim 2 or 3, at most 21
    coefficients), with the stretches at that distance."""
    return Extremal(*_velcurve.extremal_distance(coef, x, bool(farthest), float(interval[0]), float(interval[1]),
                                                 float(eps), int(capacity)))


INSIDE, OUTSIDE, ON_BOUNDARY, UNDETERMINED = 1, -1, 0, 10


def classify(boundary, points, intervals=None, tolrel=1e-6):
    """Where each of ``points`` (n, 2) lies against the domain bounded by the
    closed chain of planar curves ``boundary`` (a list of (ncoef, 2) arrays,
    2 to 21 coefficients, on ``intervals`` (m, 2), [0, 1] by default)
    (SIEPF1): an int array of INSIDE (1), OUTSIDE (-1), ON_BOUNDARY (0) or
    UNDETERMINED (10). An open boundary raises Error (code 3)."""
    curves = [np.asarray(c, dtype=float) for c in boundary]
    if intervals is None:
        intervals = np.tile([0.0, 1.0], (len(curves), 1))
    return _velcurve.classify(curves, intervals, points, float(tolrel))


__all__ = [
    "Error", "Tolerances", "get_tolerances", "set_tolerances", "tolerances",
    "evaluate", "derivatives", "control_polygon", "from_polygon",
    "Roots", "roots", "roots_many", "PlaneIntersection", "intersect_plane",
    "CurveIntersection", "intersect", "intersect_many",
    "solve", "SymmetricEigen", "symmetric_eigen", "Integral", "integrate",
    "NoisyRoots", "roots_noisy", "ArcLength", "arc_length", "AtLength", "at_length",
    "Curvature", "curvature", "Frenet", "frenet", "Bounds", "bounds", "coarse_bounds", "Boxes", "boxes", "OrientedBox", "oriented_box",
    "Approximation", "approximate", "PrincipalAxes", "principal_axes", "shape_kind",
    "Nearest", "nearest", "NearestMany", "nearest_many", "Extremal", "extremal_distance",
    "INSIDE", "OUTSIDE", "ON_BOUNDARY", "UNDETERMINED", "classify",
]
