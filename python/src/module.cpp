// The compiled part of the Python package `velcurve`: numpy arrays in, numpy
// arrays out, through the C++ layer (VelCurveBasedMathematics.hpp). Shapes,
// dtypes and counts are checked here, before any library call, and a wrong
// one raises ValueError naming the argument. Every library call runs with
// the GIL released. The Python side (velcurve/__init__.py) wraps the tuples
// returned here into named results and documents each function.
#include <pybind11/functional.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cmath>
#include <string>

#include "VelCurveBasedMathematics.hpp"

namespace py = pybind11;
using vc = velcurve::Curve;

namespace {

// float64, C order: anything else (float32, a strided view, a list) is
// converted to it first, never read as it stands.
using Array = py::array_t<double, py::array::c_style | py::array::forcecast>;

[[noreturn]] void bad(const std::string& argument, const std::string& what) {
    throw py::value_error(argument + ": " + what);
}

// A curve from an array of shape (ncoef, dim): row j holds the coefficient of
// t^j, which is the C interface's COEF(NDIM, NCOEF) as it lies in memory.
vc curve_of(const Array& coef, const char* name, int max_coef, int min_dim = 1, int max_dim = 1 << 20) {
    if (coef.ndim() != 2) bad(name, "expected a 2-D array of shape (ncoef, dim), got " + std::to_string(coef.ndim()) + " dimensions");
    const auto n = coef.shape(0), d = coef.shape(1);
    if (n < 1 || n > max_coef) bad(name, "the number of coefficients must be 1 to " + std::to_string(max_coef) + ", got " + std::to_string(n));
    if (d < min_dim || d > max_dim)
        bad(name, "the dimension must be " + std::to_string(min_dim) + (max_dim == min_dim ? "" : " to " + std::to_string(std::min(max_dim, 1 << 10))) + ", got " + std::to_string(d));
    return vc(static_cast<int>(d), std::vector<double>(coef.data(), coef.data() + coef.size()));
}

std::vector<double> vector_of(const Array& a, const char* name, std::size_t size) {
    if (a.ndim() != 1 || static_cast<std::size_t>(a.shape(0)) != size)
        bad(name, "expected a 1-D array of " + std::to_string(size) + " values");
    return {a.data(), a.data() + a.size()};
}

template <class F>
auto released(F f) {
    py::gil_scoped_release unlocked;
    return f();
}

// Points of a curve at one parameter or at each of a 1-D array of them.
py::array evaluate(const Array& coef, const Array& t) {
    vc c = curve_of(coef, "coef", 1 << 20);
    if (t.ndim() > 1) bad("t", "expected a scalar or a 1-D array");
    const py::ssize_t n = t.ndim() == 0 ? 1 : t.shape(0);
    Array out(t.ndim() == 0 ? std::vector<py::ssize_t>{c.dim} : std::vector<py::ssize_t>{n, c.dim});
    double* o = out.mutable_data();
    const double* tp = t.data();
    released([&] {
        for (py::ssize_t i = 0; i < n; ++i)
            velcurve::point(c, tp[i], std::span<double>(o + i * c.dim, static_cast<std::size_t>(c.dim)));
        return 0;
    });
    return out;
}

py::array derivatives(const Array& coef, double t, int order) {
    vc c = curve_of(coef, "coef", 1 << 20);
    if (order < 0 || order > 60) bad("order", "must be 0 to 60, got " + std::to_string(order));
    auto d = released([&] { return velcurve::derivatives(c, t, order); });
    Array out({order + 1, c.dim});
    std::copy(d.begin(), d.end(), out.mutable_data());
    return out;
}

py::array control_polygon(const Array& coef, double ta, double tb) {
    vc c = curve_of(coef, "coef", 61);
    c.ta = ta;
    c.tb = tb;
    auto p = released([&] { return velcurve::control_polygon(c); });
    Array out({c.ncoef(), c.dim});
    std::copy(p.begin(), p.end(), out.mutable_data());
    return out;
}

py::array from_polygon(const Array& polygon) {
    vc p = curve_of(polygon, "polygon", 61);
    auto c = released([&] { return vc::from_polygon(p.dim, p.coef); });
    Array out({c.ncoef(), c.dim});
    std::copy(c.coef.begin(), c.coef.end(), out.mutable_data());
    return out;
}

py::array to_array(const std::vector<double>& v) {
    Array out(static_cast<py::ssize_t>(v.size()));
    std::copy(v.begin(), v.end(), out.mutable_data());
    return out;
}

std::vector<double> polynomial_of(const Array& poly, const char* name, py::ssize_t max_coef = 41) {
    if (poly.ndim() != 1) bad(name, "expected a 1-D array of coefficients");
    if (poly.shape(0) < 1 || poly.shape(0) > max_coef)
        bad(name, "1 to " + std::to_string(max_coef) + " coefficients, got " + std::to_string(poly.shape(0)));
    return {poly.data(), poly.data() + poly.size()};
}

py::tuple roots(const Array& poly, double a, double b) {
    auto p = polynomial_of(poly, "poly");
    auto r = released([&] { return velcurve::roots(p, a, b); });
    return py::make_tuple(to_array(r.t), r.code);
}

// Roots of each row of a 2-D array: a list of arrays and an array of codes.
// A failing row does not stop the others: its code is kept and its roots are
// empty (the Python side raises for the first failure unless asked not to).
py::tuple roots_many(const Array& polys, double a, double b) {
    if (polys.ndim() != 2) bad("polys", "expected a 2-D array, one polynomial per row");
    const py::ssize_t m = polys.shape(0), n = polys.shape(1);
    if (n < 1 || n > 41) bad("polys", "1 to 41 coefficients per row, got " + std::to_string(n));
    std::vector<std::vector<double>> found(static_cast<std::size_t>(m));
    std::vector<int> codes(static_cast<std::size_t>(m));
    const double* base = polys.data();
    released([&] {
        int nn = static_cast<int>(n);
        std::array<double, 41> root{}, aux{};
        for (py::ssize_t i = 0; i < m; ++i) {
            int nroot = 0, ier = 0;
            ur1pls(&nn, base + i * n, &a, &b, &nroot, root.data(), aux.data(), &ier);
            codes[static_cast<std::size_t>(i)] = ier;
            if (ier <= 0) found[static_cast<std::size_t>(i)].assign(root.begin(), root.begin() + nroot);
        }
        return 0;
    });
    py::list out;
    for (const auto& f : found) out.append(to_array(f));
    py::array_t<int> c(m);
    std::copy(codes.begin(), codes.end(), c.mutable_data());
    return py::make_tuple(out, c);
}

py::tuple intersect_plane(const Array& coef, const Array& normal, const Array& point, double tref) {
    vc c = curve_of(coef, "coef", 61, 2, 3);
    auto nrm = vector_of(normal, "normal", static_cast<std::size_t>(c.dim));
    auto pt = vector_of(point, "point", static_cast<std::size_t>(c.dim));
    auto r = released([&] { return velcurve::intersect_plane(c, nrm, pt, tref); });
    return py::make_tuple(to_array(r.t), r.tnear, r.code);
}

py::tuple pairs_of(const velcurve::CurveIntersection& r) {
    Array out({static_cast<py::ssize_t>(r.t1.size()), py::ssize_t{2}});
    for (std::size_t k = 0; k < r.t1.size(); ++k) {
        out.mutable_data()[2 * k] = r.t1[k];
        out.mutable_data()[2 * k + 1] = r.t2[k];
    }
    return py::make_tuple(out, r.code);
}

void check_intervals(const Array& iv, const char* name) {
    if (iv.ndim() != 1 || iv.shape(0) != 2) bad(name, "expected [a, b]");
}

py::tuple intersect(const Array& coef1, const Array& coef2, const Array& iv1, const Array& iv2, int capacity) {
    vc c1 = curve_of(coef1, "coef1", 21, 2, 3), c2 = curve_of(coef2, "coef2", 21, 2, 3);
    if (c1.ncoef() < 2) bad("coef1", "at least 2 coefficients");
    if (c2.ncoef() < 2) bad("coef2", "at least 2 coefficients");
    if (c1.dim != c2.dim) bad("coef2", "must have the dimension of coef1");
    if (capacity < 1) bad("capacity", "must be at least 1");
    check_intervals(iv1, "interval1");
    check_intervals(iv2, "interval2");
    c1.ta = iv1.data()[0], c1.tb = iv1.data()[1], c2.ta = iv2.data()[0], c2.tb = iv2.data()[1];
    auto r = released([&] { return velcurve::intersect(c1, c2, capacity); });
    return pairs_of(r);
}

// Each pair of curves coef1[i], coef2[i] (arrays of shape (m, ncoef, dim)) on
// [0, 1]: a list of (k, 2) arrays of pairs and an array of codes. A failing
// pair keeps its code and an empty list of pairs.
py::tuple intersect_many(const Array& coef1, const Array& coef2, int capacity) {
    if (coef1.ndim() != 3) bad("coef1", "expected an array of shape (m, ncoef, dim)");
    if (coef2.ndim() != 3) bad("coef2", "expected an array of shape (m, ncoef, dim)");
    const py::ssize_t m = coef1.shape(0), n1 = coef1.shape(1), n2 = coef2.shape(1), dim = coef1.shape(2);
    if (coef2.shape(0) != m) bad("coef2", "must hold as many curves as coef1");
    if (dim != 2 && dim != 3) bad("coef1", "the dimension must be 2 or 3");
    if (coef2.shape(2) != dim) bad("coef2", "must have the dimension of coef1");
    if (n1 < 2 || n1 > 21) bad("coef1", "2 to 21 coefficients per curve");
    if (n2 < 2 || n2 > 21) bad("coef2", "2 to 21 coefficients per curve");
    if (capacity < 1) bad("capacity", "must be at least 1");
    std::vector<std::vector<double>> found(static_cast<std::size_t>(m));
    std::vector<int> codes(static_cast<std::size_t>(m));
    const double *a = coef1.data(), *b = coef2.data();
    released([&] {
        int d = static_cast<int>(dim), na = static_cast<int>(n1), nb = static_cast<int>(n2), iopt = 1;
        double zero = 0.0, one = 1.0;
        std::vector<double> sol(2 * static_cast<std::size_t>(capacity));
        for (py::ssize_t i = 0; i < m; ++i) {
            int nsol = 0, ier = 0;
            umcvcv(&d, &na, a + i * n1 * dim, &zero, &one, &nb, b + i * n2 * dim, &zero, &one, &iopt, &capacity,
                   &nsol, sol.data(), &ier);
            codes[static_cast<std::size_t>(i)] = ier;
            if (ier <= 0) found[static_cast<std::size_t>(i)].assign(sol.begin(), sol.begin() + 2 * nsol);
        }
        return 0;
    });
    py::list out;
    for (const auto& f : found) {
        Array p({static_cast<py::ssize_t>(f.size() / 2), py::ssize_t{2}});
        std::copy(f.begin(), f.end(), p.mutable_data());
        out.append(p);
    }
    py::array_t<int> c(m);
    std::copy(codes.begin(), codes.end(), c.mutable_data());
    return py::make_tuple(out, c);
}

py::array solve(const Array& a, const Array& b, double eps) {
    if (a.ndim() != 2 || a.shape(0) != a.shape(1) || a.shape(0) < 1) bad("a", "expected a square 2-D array");
    const py::ssize_t n = a.shape(0);
    if (!(b.ndim() == 1 && b.shape(0) == n) && !(b.ndim() == 2 && b.shape(0) == n))
        bad("b", "expected n values or an array of shape (n, k)");
    // numpy rows are the C interface's columns: pass A transposed, and the
    // right-hand sides column by column.
    std::vector<double> at(static_cast<std::size_t>(n * n));
    for (py::ssize_t i = 0; i < n; ++i)
        for (py::ssize_t j = 0; j < n; ++j) at[static_cast<std::size_t>(j * n + i)] = a.at(i, j);
    const py::ssize_t k = b.ndim() == 1 ? 1 : b.shape(1);
    std::vector<double> bc(static_cast<std::size_t>(n * k));
    for (py::ssize_t i = 0; i < n; ++i)
        for (py::ssize_t c = 0; c < k; ++c) bc[static_cast<std::size_t>(c * n + i)] = b.data()[i * k + c];
    auto x = released([&] { return velcurve::solve(at, bc, static_cast<int>(n), eps); });
    Array out(b.ndim() == 1 ? std::vector<py::ssize_t>{n} : std::vector<py::ssize_t>{n, k});
    for (py::ssize_t i = 0; i < n; ++i)
        for (py::ssize_t c = 0; c < k; ++c) out.mutable_data()[i * k + c] = x[static_cast<std::size_t>(c * n + i)];
    return out;
}

py::tuple symmetric_eigen(const Array& a, double eps) {
    if (a.ndim() != 2 || a.shape(0) != a.shape(1) || a.shape(0) < 1) bad("a", "expected a square 2-D array");
    const int n = static_cast<int>(a.shape(0));
    std::vector<double> m(a.data(), a.data() + a.size());  // symmetric: either order
    auto r = released([&] { return velcurve::symmetric_eigen(m, n, eps); });
    Array vectors({n, n});
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) vectors.mutable_data()[i * n + j] = r.vectors[static_cast<std::size_t>(j * n + i)];
    return py::make_tuple(to_array(r.values), vectors, r.sweeps, r.code);
}

// One call of a Python function from inside a library routine: the GIL is
// taken back, the values it returns copied to out. An exception (its own, or
// a wrong count) is kept in failure and stops the routine with code 1.
template <class Call>
void call_back(std::exception_ptr& failure, std::span<double> out, int& ier, Call call) {
    py::gil_scoped_acquire locked;
    try {
        Array v(call());
        if (v.size() != static_cast<py::ssize_t>(out.size())) bad("f", "must return ndim values");
        std::copy(v.data(), v.data() + v.size(), out.begin());
    } catch (...) {
        failure = std::current_exception();
        ier = 1;
    }
}

// Runs routine() with the GIL released; the exception of the Python
// function that stopped it, if any, is raised in place of the routine's code.
template <class Routine>
auto with_callback(const std::exception_ptr& failure, Routine routine) {
    try {
        return released(routine);
    } catch (const velcurve::Error&) {
        if (failure) std::rethrow_exception(failure);
        throw;
    }
}

// The integrand is Python: the GIL is taken back for each call. An exception
// in it stops the integration (code 1) and is raised again afterwards.
py::tuple integrate(const std::function<py::object(double)>& f, int ndim, double a, double b, double tol) {
    if (ndim < 1 || ndim > 10) bad("ndim", "must be 1 to 10, got " + std::to_string(ndim));
    std::exception_ptr failure;
    auto g = [&](double t, std::span<double> out, int& ier) { call_back(failure, out, ier, [&] { return f(t); }); };
    auto r = with_callback(failure, [&] { return velcurve::integrate(g, ndim, a, b, tol); });
    return py::make_tuple(to_array(r.value), r.error, r.calls);
}

py::array pairs_array(const std::vector<double>& v) {
    Array out({static_cast<py::ssize_t>(v.size() / 2), py::ssize_t{2}});
    std::copy(v.begin(), v.end(), out.mutable_data());
    return out;
}

py::tuple roots_noisy(const Array& poly, double a, double b, double epsx, double epsf) {
    auto p = polynomial_of(poly, "poly", 61);
    if (!(epsx > 0.0) || !std::isfinite(epsx)) bad("epsx", "must be positive and finite");
    if (!(epsf > 0.0) || !std::isfinite(epsf)) bad("epsf", "must be positive and finite");
    auto r = released([&] { return velcurve::roots_noisy(p, a, b, epsx, epsf); });
    return py::make_tuple(to_array(r.t), pairs_array(r.noisy), pairs_array(r.unresolved), r.code);
}

py::tuple arc_length(const Array& coef, double a, double b, double eps) {
    vc c = curve_of(coef, "coef", 1 << 20);
    auto r = released([&] { return velcurve::arc_length(c, a, b, eps); });
    return py::make_tuple(r.length, r.diff);
}

// The parameters at each fraction of the length of [a, b]: the length is
// measured once (to tol / 4), then each fraction is placed (mposcv).
py::tuple at_length(const Array& coef, const Array& ratios, double a, double b, double tol) {
    vc c = curve_of(coef, "coef", 1 << 20);
    if (ratios.ndim() > 1) bad("ratios", "expected a scalar or a 1-D array");
    if (!(a < b)) bad("interval", "must be increasing");
    const py::ssize_t n = ratios.ndim() == 0 ? 1 : ratios.shape(0);
    for (py::ssize_t i = 0; i < n; ++i)
        if (!(ratios.data()[i] >= 0.0 && ratios.data()[i] <= 1.0)) bad("ratios", "each must be 0 to 1");
    c.ta = a;
    c.tb = b;
    Array out(ratios.ndim() == 0 ? std::vector<py::ssize_t>{} : std::vector<py::ssize_t>{n});
    double* o = out.mutable_data();
    const double* r = ratios.data();
    double length = 0.0;
    released([&] {
        length = velcurve::arc_length(c, a, b, tol / 4).length;
        for (py::ssize_t i = 0; i < n; ++i) o[i] = velcurve::at_length(c, r[i], length, tol).t;
        return 0;
    });
    return py::make_tuple(out, length);
}

const Array& parameters(const Array& t) {
    if (t.ndim() > 1) bad("t", "expected a scalar or a 1-D array");
    return t;
}

// Curvature at each parameter: curvature, radius, centre (n, dim), codes. A
// singular point (code 1) leaves NaN in its row.
py::tuple curvature(const Array& coef, const Array& t) {
    vc c = curve_of(coef, "coef", 1 << 20, 2, 3);
    const py::ssize_t n = parameters(t).ndim() == 0 ? 1 : t.shape(0), d = c.dim;
    Array k(n), radius(n), center({n, d});
    py::array_t<int> codes(n);
    double *kp = k.mutable_data(), *rp = radius.mutable_data(), *cp = center.mutable_data();
    int* ip = codes.mutable_data();
    const double* tp = t.data();
    released([&] {
        for (py::ssize_t i = 0; i < n; ++i) {
            try {
                auto r = velcurve::curvature(c, tp[i]);
                kp[i] = r.curvature, rp[i] = r.radius, ip[i] = r.code;
                std::copy(r.center.begin(), r.center.begin() + d, cp + i * d);
            } catch (const velcurve::Error& e) {
                kp[i] = rp[i] = NAN, ip[i] = e.code();
                std::fill(cp + i * d, cp + (i + 1) * d, NAN);
            }
        }
        return 0;
    });
    return py::make_tuple(k, radius, center, codes);
}

// The Frenet frame at each parameter: tangent, normal (n, dim), binormal
// (n, 3), curvature, its arc-length derivative, torsion, cusp flags, codes.
// A failing parameter (positive code) leaves NaN in its rows.
py::tuple frenet(const Array& coef, const Array& t, double eps) {
    vc c = curve_of(coef, "coef", 61, 2, 3);
    const py::ssize_t n = parameters(t).ndim() == 0 ? 1 : t.shape(0), d = c.dim;
    Array tan({n, d}), nrm({n, d}), bin({n, py::ssize_t{3}}), k(n), dk(n), tors(n);
    py::array_t<bool> cusp(n);
    py::array_t<int> codes(n);
    double *tp = tan.mutable_data(), *np = nrm.mutable_data(), *bp = bin.mutable_data();
    double *kp = k.mutable_data(), *dp = dk.mutable_data(), *sp = tors.mutable_data();
    bool* cu = cusp.mutable_data();
    int* ip = codes.mutable_data();
    const double* u = t.data();
    released([&] {
        for (py::ssize_t i = 0; i < n; ++i) {
            try {
                auto r = velcurve::frenet(c, u[i], eps);
                std::copy(r.tangent.begin(), r.tangent.begin() + d, tp + i * d);
                std::copy(r.normal.begin(), r.normal.begin() + d, np + i * d);
                std::copy(r.binormal.begin(), r.binormal.end(), bp + i * 3);
                kp[i] = r.curvature, dp[i] = r.dcurvature, sp[i] = r.torsion, cu[i] = r.cusp, ip[i] = r.code;
            } catch (const velcurve::Error& e) {
                std::fill(tp + i * d, tp + (i + 1) * d, NAN);
                std::fill(np + i * d, np + (i + 1) * d, NAN);
                std::fill(bp + i * 3, bp + (i + 1) * 3, NAN);
                kp[i] = dp[i] = sp[i] = NAN, cu[i] = false, ip[i] = e.code();
            }
        }
        return 0;
    });
    return py::make_tuple(tan, nrm, bin, k, dk, tors, cusp, codes);
}

py::tuple bounds(const Array& poly, double a, double b, double tol) {
    auto p = polynomial_of(poly, "poly", 61);
    if (!(tol > 0.0)) bad("tol", "must be positive");
    auto r = released([&] { return velcurve::bounds(p, a, b, tol); });
    return py::make_tuple(r.min, r.max, r.tmin, r.tmax, r.code);
}

py::tuple coarse_bounds(const Array& poly, double a, double b) {
    auto p = polynomial_of(poly, "poly", 61);
    auto r = released([&] { return velcurve::coarse_bounds(p, a, b); });
    return py::make_tuple(r.min, r.max);
}

// Fine boxes of m curves (an array of shape (m, ncoef, dim), 1 to 21
// coefficients): an array (m, dim, 2) of (lower, upper) and the codes. A
// failing curve keeps its code and NaN bounds.
py::tuple boxes(const Array& coefs, double a, double b, double tol) {
    if (coefs.ndim() != 3) bad("coefs", "expected an array of shape (m, ncoef, dim)");
    const py::ssize_t m = coefs.shape(0), n = coefs.shape(1), d = coefs.shape(2);
    if (n < 1 || n > 21) bad("coefs", "1 to 21 coefficients per curve, got " + std::to_string(n));
    if (d < 1) bad("coefs", "the dimension must be at least 1");
    if (!(tol > 0.0)) bad("tol", "must be positive");
    Array out({m, d, py::ssize_t{2}});
    py::array_t<int> codes(m);
    double* o = out.mutable_data();
    int* ip = codes.mutable_data();
    const double* base = coefs.data();
    released([&] {
        int nn = static_cast<int>(n), dd = static_cast<int>(d);
        const double tint[2] = {a, b};
        for (py::ssize_t i = 0; i < m; ++i) {
            int ier = 0;
            mbtcb1(&dd, &nn, base + i * n * d, &dd, tint, &tol, o + i * d * 2, &ier);
            ip[i] = ier;
            if (ier > 0) std::fill(o + i * d * 2, o + (i + 1) * d * 2, NAN);
        }
        return 0;
    });
    return py::make_tuple(out, codes);
}

// The function is Python, f(t, deriv) -> ndim values: the GIL is taken back
// for each call. An exception in it stops the approximation and is raised
// again afterwards.
py::tuple approximate(const std::function<py::object(double, int)>& f, int ndim, double a, double b, double tol,
                      int order, int max_segments, int max_coef, int npcode) {
    if (ndim < 1) bad("ndim", "must be at least 1");
    if (order < -1 || order > 2) bad("order", "must be -1 to 2");
    if (max_segments < 1) bad("max_segments", "must be at least 1");
    if (max_coef < std::max(2 * order + 2, 2) || max_coef > 14) bad("max_coef", "must be max(2 order + 2, 2) to 14");
    if (npcode < -5 || npcode > 4 || npcode == 0) bad("npcode", "must be -5 to -1 or 1 to 4");
    if (!(tol > 0.0)) bad("tol", "must be positive");
    std::exception_ptr failure;
    auto g = [&](double t, int deriv, std::span<double> out, int& ier) {
        call_back(failure, out, ier, [&] { return f(t, deriv); });
    };
    velcurve::ApproximationOptions o;
    o.order = order, o.max_segments = max_segments, o.max_coef = max_coef, o.npcode = npcode;
    auto r = with_callback(failure, [&] { return velcurve::approximate(g, ndim, a, b, tol, o); });
    py::list segments;
    for (const auto& s : r.segments) {
        Array c({static_cast<py::ssize_t>(s.ncoef()), static_cast<py::ssize_t>(s.dim)});
        std::copy(s.coef.begin(), s.coef.end(), c.mutable_data());
        segments.append(c);
    }
    return py::make_tuple(segments, to_array(r.breaks), to_array(r.errmax), to_array(r.errmean), r.code);
}

py::tuple principal_axes(const Array& points) {
    if (points.ndim() != 2 || points.shape(0) < 1 || points.shape(1) < 1)
        bad("points", "expected a 2-D array of shape (npts, dim) with at least one point");
    const int d = static_cast<int>(points.shape(1));
    std::vector<double> p(points.data(), points.data() + points.size());
    auto r = released([&] { return velcurve::principal_axes(p, d); });
    Array axes({d, d});
    for (int i = 0; i < d; ++i)
        for (int j = 0; j < d; ++j) axes.mutable_data()[i * d + j] = r.axes[static_cast<std::size_t>(j * d + i)];
    return py::make_tuple(to_array(r.values), to_array(r.centroid), axes);
}

std::string shape_kind(const Array& values, double tol) {
    if (values.ndim() != 1) bad("values", "expected a 1-D array of variances, decreasing");
    std::vector<double> v(values.data(), values.data() + values.size());
    return released([&] { return velcurve::shape_kind(v, tol); });
}

py::array points_array(const std::vector<double>& v, int dim) {
    Array out({static_cast<py::ssize_t>(v.size()) / dim, static_cast<py::ssize_t>(dim)});
    std::copy(v.begin(), v.end(), out.mutable_data());
    return out;
}

py::tuple nearest(const Array& coef, const Array& x) {
    vc c = curve_of(coef, "coef", 21, 2, 3);
    auto p = vector_of(x, "x", static_cast<std::size_t>(c.dim));
    auto r = released([&] { return velcurve::nearest(c, p); });
    return py::make_tuple(to_array(r.t), points_array(r.points, c.dim), r.distance, r.code);
}

// The nearest point to each of many points (n, dim): the parameter of the
// first nearest point, the distance and the code of each. A failing point
// keeps its code and NaN.
py::tuple nearest_many(const Array& coef, const Array& points) {
    vc c = curve_of(coef, "coef", 21, 2, 3);
    if (points.ndim() != 2 || points.shape(1) != c.dim) bad("points", "expected an array of shape (n, dim)");
    const py::ssize_t n = points.shape(0);
    Array t(n), dist(n);
    py::array_t<int> codes(n);
    double *tp = t.mutable_data(), *dp = dist.mutable_data();
    int* ip = codes.mutable_data();
    const double* x = points.data();
    released([&] {
        int nc = c.ncoef();
        std::array<double, 41> params{};
        std::array<double, 123> proj{};
        for (py::ssize_t i = 0; i < n; ++i) {
            int nsol = 0, ier = 0;
            mcvpds(&c.dim, &nc, c.coef.data(), x + i * c.dim, &nsol, params.data(), proj.data(), dp + i, &ier);
            ip[i] = ier;
            tp[i] = ier > 0 || nsol < 1 ? NAN : params[0];
            if (ier > 0) dp[i] = NAN;
        }
        return 0;
    });
    return py::make_tuple(t, dist, codes);
}

py::tuple extremal_distance(const Array& coef, const Array& x, bool farthest, double a, double b, double eps,
                            int capacity) {
    vc c = curve_of(coef, "coef", 21, 2, 3);
    auto p = vector_of(x, "x", static_cast<std::size_t>(c.dim));
    if (capacity < 1) bad("capacity", "must be at least 1");
    c.ta = a, c.tb = b;
    auto r = released([&] { return velcurve::extremal_distance(c, p, farthest, eps, capacity); });
    return py::make_tuple(to_array(r.t), points_array(r.points, c.dim), pairs_array(r.intervals),
                          pairs_array(r.noisy), r.distance, r.code);
}

// Points (n, 2) against the domain bounded by the closed chain of planar
// curves `boundary` (a list of (ncoef, 2) arrays, 2 to 21 coefficients) on
// their intervals (m, 2).
py::array classify(const py::list& boundary, const Array& intervals, const Array& points, double tolrel) {
    if (boundary.empty()) bad("boundary", "at least one curve");
    if (intervals.ndim() != 2 || intervals.shape(0) != static_cast<py::ssize_t>(boundary.size()) || intervals.shape(1) != 2)
        bad("intervals", "expected an array of shape (len(boundary), 2)");
    std::vector<vc> curves;
    for (std::size_t i = 0; i < boundary.size(); ++i) {
        vc c = curve_of(boundary[i].cast<Array>(), "boundary", 21, 2, 2);
        if (c.ncoef() < 2) bad("boundary", "2 to 21 coefficients per curve");
        c.ta = intervals.at(static_cast<py::ssize_t>(i), 0), c.tb = intervals.at(static_cast<py::ssize_t>(i), 1);
        curves.push_back(std::move(c));
    }
    if (points.ndim() != 2 || points.shape(1) != 2) bad("points", "expected an array of shape (n, 2)");
    if (!(tolrel >= 0.0 && tolrel < 0.5)) bad("tolrel", "must lie in [0, 0.5)");
    py::array_t<int> out(points.shape(0));
    int* o = out.mutable_data();
    std::span<const double> pts(points.data(), static_cast<std::size_t>(points.size()));
    released([&] {
        velcurve::classify(curves, pts, std::span<int>(o, static_cast<std::size_t>(points.shape(0))), tolrel);
        return 0;
    });
    return out;
}

// The oriented box of curves given as an array (m, ncoef, dim), over [a, b].
py::tuple oriented_box(const Array& coefs, double a, double b) {
    if (coefs.ndim() != 3 || coefs.shape(0) < 1) bad("coefs", "expected an array of shape (m, ncoef, dim), m >= 1");
    const py::ssize_t m = coefs.shape(0), n = coefs.shape(1), d = coefs.shape(2);
    if (n < 1 || n > 61) bad("coefs", "1 to 61 coefficients per curve, got " + std::to_string(n));
    if (d < 1) bad("coefs", "the dimension must be at least 1");
    std::vector<vc> curves;
    for (py::ssize_t i = 0; i < m; ++i)
        curves.emplace_back(static_cast<int>(d), std::vector<double>(coefs.data() + i * n * d, coefs.data() + (i + 1) * n * d));
    auto r = released([&] { return velcurve::oriented_box(curves, a, b); });
    Array axes({d, d});
    for (py::ssize_t i = 0; i < d; ++i)
        for (py::ssize_t j = 0; j < d; ++j) axes.mutable_data()[i * d + j] = r.axes[static_cast<std::size_t>(j * d + i)];
    return py::make_tuple(to_array(r.center), axes, to_array(r.half));
}

}  // namespace

PYBIND11_MODULE(_velcurve, m) {
    m.doc() = "Compiled routines of the velcurve package; use the functions of velcurve itself.";
    static py::object error_class;
    m.def("_set_error_class", [](py::object cls) { error_class = cls; });
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const velcurve::Error& e) {
            if (!error_class) throw;
            py::object err = error_class(e.routine(), e.code(), e.meaning());
            PyErr_SetObject(error_class.ptr(), err.ptr());
        } catch (const std::invalid_argument& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        }
    });
    m.def("evaluate", &evaluate, py::arg("coef"), py::arg("t"));
    m.def("derivatives", &derivatives, py::arg("coef"), py::arg("t"), py::arg("order"));
    m.def("control_polygon", &control_polygon, py::arg("coef"), py::arg("ta"), py::arg("tb"));
    m.def("from_polygon", &from_polygon, py::arg("polygon"));
    m.def("roots", &roots, py::arg("poly"), py::arg("a"), py::arg("b"));
    m.def("roots_many", &roots_many, py::arg("polys"), py::arg("a"), py::arg("b"));
    m.def("intersect_plane", &intersect_plane, py::arg("coef"), py::arg("normal"), py::arg("point"), py::arg("tref"));
    m.def("intersect", &intersect, py::arg("coef1"), py::arg("coef2"), py::arg("interval1"), py::arg("interval2"),
          py::arg("capacity"));
    m.def("intersect_many", &intersect_many, py::arg("coef1"), py::arg("coef2"), py::arg("capacity"));
    m.def("solve", &solve, py::arg("a"), py::arg("b"), py::arg("eps"));
    m.def("symmetric_eigen", &symmetric_eigen, py::arg("a"), py::arg("eps"));
    m.def("integrate", &integrate, py::arg("f"), py::arg("ndim"), py::arg("a"), py::arg("b"), py::arg("tol"));
    m.def("roots_noisy", &roots_noisy, py::arg("poly"), py::arg("a"), py::arg("b"), py::arg("epsx"), py::arg("epsf"));
    m.def("arc_length", &arc_length, py::arg("coef"), py::arg("a"), py::arg("b"), py::arg("eps"));
    m.def("at_length", &at_length, py::arg("coef"), py::arg("ratios"), py::arg("a"), py::arg("b"), py::arg("tol"));
    m.def("curvature", &curvature, py::arg("coef"), py::arg("t"));
    m.def("frenet", &frenet, py::arg("coef"), py::arg("t"), py::arg("eps"));
    m.def("bounds", &bounds, py::arg("poly"), py::arg("a"), py::arg("b"), py::arg("tol"));
    m.def("coarse_bounds", &coarse_bounds, py::arg("poly"), py::arg("a"), py::arg("b"));
    m.def("boxes", &boxes, py::arg("coefs"), py::arg("a"), py::arg("b"), py::arg("tol"));
    m.def("approximate", &approximate, py::arg("f"), py::arg("ndim"), py::arg("a"), py::arg("b"), py::arg("tol"),
          py::arg("order"), py::arg("max_segments"), py::arg("max_coef"), py::arg("npcode"));
    m.def("principal_axes", &principal_axes, py::arg("points"));
    m.def("shape_kind", &shape_kind, py::arg("values"), py::arg("tol"));
    m.def("nearest", &nearest, py::arg("coef"), py::arg("x"));
    m.def("nearest_many", &nearest_many, py::arg("coef"), py::arg("points"));
    m.def("extremal_distance", &extremal_distance, py::arg("coef"), py::arg("x"), py::arg("farthest"), py::arg("a"),
          py::arg("b"), py::arg("eps"), py::arg("capacity"));
    m.def("classify", &classify, py::arg("boundary"), py::arg("intervals"), py::arg("points"), py::arg("tolrel"));
    m.def("oriented_box", &oriented_box, py::arg("coefs"), py::arg("a"), py::arg("b"));
    m.def("set_tolerances", [](double eps1, double epsnr, double epspb, double epspb2, double eps3d, int nitnr, int nitln) {
        velcurve::Tolerances{eps1, epsnr, epspb, epspb2, eps3d, nitnr, nitln}.apply();
    });
    m.def("get_tolerances", [] {
        auto t = velcurve::Tolerances::current();
        return py::make_tuple(t.eps1, t.epsnr, t.epspb, t.epspb2, t.eps3d, t.nitnr, t.nitln);
    });
}
