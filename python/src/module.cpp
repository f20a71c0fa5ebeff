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

std::vector<double> polynomial_of(const Array& poly, const char* name) {
    if (poly.ndim() != 1) bad(name, "expected a 1-D array of coefficients");
    if (poly.shape(0) < 1 || poly.shape(0) > 41) bad(name, "1 to 41 coefficients, got " + std::to_string(poly.shape(0)));
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

// The integrand is Python: the GIL is taken back for each call. An exception
// in it stops the integration (code 1) and is raised again afterwards.
py::tuple integrate(const std::function<py::object(double)>& f, int ndim, double a, double b, double tol) {
    if (ndim < 1 || ndim > 10) bad("ndim", "must be 1 to 10, got " + std::to_string(ndim));
    std::exception_ptr failure;
    auto g = [&](double t, std::span<double> out, int& ier) {
        py::gil_scoped_acquire locked;
        try {
            Array v(f(t));
            if (v.size() != static_cast<py::ssize_t>(out.size())) bad("f", "must return ndim values");
            std::copy(v.data(), v.data() + v.size(), out.begin());
        } catch (...) {
            failure = std::current_exception();
            ier = 1;
        }
    };
    velcurve::Integral r;
    try {
        r = released([&] { return velcurve::integrate(g, ndim, a, b, tol); });
    } catch (const velcurve::Error&) {
        if (failure) std::rethrow_exception(failure);
        throw;
    }
    return py::make_tuple(to_array(r.value), r.error, r.calls);
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
    m.def("set_tolerances", [](double eps1, double epsnr, double epspb, double epspb2, double eps3d, int nitnr, int nitln) {
        velcurve::Tolerances{eps1, epsnr, epspb, epspb2, eps3d, nitnr, nitln}.apply();
    });
    m.def("get_tolerances", [] {
        auto t = velcurve::Tolerances::current();
        return py::make_tuple(t.eps1, t.epsnr, t.epspb, t.epspb2, t.eps3d, t.nitnr, t.nitln);
    });
}
