// A C++20 layer over the flat C interface of VelCurveBasedMathematics.
//
// Header-only. Every function calls one or a few routines of the C interface
// with the same arguments a C caller would pass, so results are identical to
// the bit. What it adds:
//   - curves as values (`Curve`: dimension, coefficients column by column,
//     parameter interval), inputs as std::span, results as structs;
//   - a positive result code (a failure) thrown as `velcurve::Error`, which
//     carries the routine's name, the code and its meaning; a negative code
//     (a warning: the results are defined) returned beside the results in
//     their `code` member;
//   - the tolerance block read and set through `Tolerances`, and set for a
//     scope through `ScopedTolerances`, which restores the previous values.
// Nothing is allocated but the results the functions return; the overloads
// that take an output span allocate nothing at all.
//
// The C interface's limits apply (at most 61 coefficients for polygons and
// basis changes, 41 for roots on an interval, ...): a call outside them
// throws as the routine's code says.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "VelCurveBasedMathematics.h"

namespace velcurve {

// ---- Failures -------------------------------------------------------------

// A routine returned a positive code: the call failed and its outputs are
// not to be used.
class Error : public std::runtime_error {
public:
    Error(std::string routine, int code, std::string meaning)
        : std::runtime_error(routine + ": IER = " + std::to_string(code) + " (" + meaning + ")"),
          routine_(std::move(routine)), code_(code), meaning_(std::move(meaning)) {}
    const std::string& routine() const noexcept { return routine_; }
    int code() const noexcept { return code_; }
    const std::string& meaning() const noexcept { return meaning_; }

private:
    std::string routine_;
    int code_;
    std::string meaning_;
};

namespace detail {

// The meaning of a code: the routine's own where it has one, otherwise the
// library-wide meaning of the range.
inline std::string meaning(std::string_view routine, int code) {
    struct Row {
        std::string_view routine;
        int code;
        const char* text;
    };
    static constexpr Row rows[] = {
        {"UR1PLS", 1, "noisy pieces: some roots may be missing"},
        {"UR1PLS", 100, "the polynomial is zero"},
        {"UR1PLS", 200, "more roots than the degree"},
        {"PCVINT", 1, "the curve lies in the plane"},
        {"PCVINT", 2, "the distance polynomial is zero"},
        {"PCVINT", 3, "more roots than the degree"},
        {"PCVINT", 101, "zero plane normal"},
        {"UMCVCV", -1, "the two curves are identical"},
        {"UMCVCV", 1, "the solution list is full, or a final solve failed"},
        {"UMCVCV", 2, "a dimension, option or count out of range, a value not finite, or a curve reduced to a point"},
        {"UMCVCV", 3, "a solver failed"},
        {"MRSLWD", 1, "singular system"},
        {"VPVPSY", 1, "sweep limit reached"},
        {"VPVPSY", 11, "EPS <= 0"},
        {"VPVPSY", 12, "LDA < N"},
        {"MSIMPL", 1, "limits or basis"},
        {"MSIMPL", 2, "invalid option"},
        {"MSIMPL", -1, "unbounded"},
        {"MSIMPL", -2, "iteration limit reached"},
        {"MRS1D0", -1, "noisy or unresolved intervals were returned"},
        {"MRS1D0", -13, "depth limit reached: the lists hold what was found before it"},
        {"MRS1D0", 1, "a count, tolerance, end or coefficient out of range or not finite"},
        {"MRS1D0", 2, "a result list is full"},
        {"MCGLC1", 1, "not converged after the last refinement"},
        {"MCGLC1", 2, "the Gauss rule failed on a sub-interval"},
        {"MCGLC1", 3, "NDIM < 1 or NCOEF < 1"},
        {"MPOSCV", 1, "NDIM < 1 or NCOEF < 1"},
        {"MPOSCV", 2, "the fraction is outside [0, 1] or not a number"},
        {"MPOSCV", 3, "UA >= UB, or an end not a number"},
        {"MPOSCV", 4, "NDIM differs from NDIMAX"},
        {"MPOSCV", 5, "no result within 40 iterations, or a length not a number"},
        {"CVTURE", 1, "singular point: the first derivative vanishes"},
        {"CVTURE", 2, "inflexion: the second derivative vanishes"},
        {"CVTURE", 3, "zero curvature"},
        {"CVTURE", 4, "the curve is a segment"},
        {"CVTURE", 5, "dimension not 2 or 3"},
        {"MPRCRB", -1, "the normal is undefined in space (a straight piece)"},
        {"MPRCRB", -2, "the torsion is undefined (zero curvature or a cusp)"},
        {"MPRCRB", 1, "dimension or option out of range, or the tangent is undefined"},
        {"MPRCRB", 2, "a derivative or tangent routine failed"},
        {"MBTPNU", -10, "coarse bounds: the critical points were not found"},
        {"MBTPNU", 8888, "NCOEF outside 1..61"},
        {"MBTPNP", 8888, "NCOEF outside 1..61"},
        {"MBTCB1", -10, "some component has its coarse bounds"},
        {"MBTCB1", 8888, "NCOEF outside 1..21 or NDIM above NDIMAX"},
        {"MAPFNC", -1, "segment limit reached: a segment above tolerance was kept"},
        {"MAPFNC", -2, "the debug verification could not run; results complete"},
        {"MAPFNC", 1, "invalid arguments (counts, groups, tolerances, interval, MAXCOEF, NPCODE, ORDER)"},
        {"MAPFNC", 10, "a Hermite system is singular at EPS1"},
        {"MAPFNC", 13, "the work area was refused or its release failed"},
        {"MAPFNC", 33, "no weighted Jacobi table for the chosen orders"},
        {"MCKPL0", 1, "the eigensolver's sweep limit was reached"},
        {"MCKPL0", 2, "NDIM < 1 or NPTS < 1"},
        {"MCKPL0", 11, "EPSPB is not positive (the tolerance block is not set)"},
        {"MBLCR4", 1, "the work-space request was refused"},
        {"MBLCR4", 2, "the axes or the box failed"},
        {"MBLCR4", 3, "a count out of range, or the change of interval failed"},
        {"MBLCR4", 200, "the work space could not be released (results complete)"},
        {"MCVPDS", -1, "the curve is a point"},
        {"MCVPDS", -2, "the curve lies on a sphere around the point"},
        {"MCVPDS", 10, "more than 21 coefficients"},
        {"MCVPDS", 20, "the restriction to a piece failed"},
        {"MCVPDS", 30, "the projection failed on a piece"},
        {"MCVPDS", 40, "the length could not be computed"},
        {"MCVPDS", 100, "dimension not 2 or 3"},
        {"MDPCV0", -2, "the curve lies on a sphere around the point"},
        {"MDPCV0", -3, "the curve is a point"},
        {"MDPCV0", 1, "the length, the sphere test or the solver failed"},
        {"MDPCV0", 2, "dimension not 2 or 3, or capacity below 1"},
        {"SIEPF1", 1, "the classification of a point failed; the points after it are not classified"},
        {"SIEPF1", 2, "a count out of range"},
        {"SIEPF1", 3, "the boundary is open"},
    };
    for (const Row& r : rows)
        if (r.routine == routine && r.code == code) return r.text;
    if (code == 0) return "success";
    if (code == 10) return "work space refused or a fixed capacity exceeded";
    if (routine == "MAPFNC" && code > 100) return "the caller's function failed with code " + std::to_string(code - 100);
    if (code > 100 && code < 200) return "a called routine failed with code " + std::to_string(code - 100);
    if (code < 0) return "warning: the results are defined";
    return "failure";
}

// Throws for a positive code; returns the code otherwise.
inline int check(std::string_view routine, int code) {
    if (code > 0) throw Error(std::string(routine), code, meaning(routine, code));
    return code;
}

inline void require(bool ok, const char* what) {
    if (!ok) throw std::invalid_argument(what);
}

}  // namespace detail

// ---- The tolerance block ----------------------------------------------------

// The slots of the tolerance block that the routines read.
struct Tolerances {
    double eps1 = 1e-9;     // general length tolerance
    double epsnr = 1e-10;   // parametric tolerance of root finding
    double epspb = 1e-14;   // small-value threshold
    double epspb2 = 1e-9;   // second small-value threshold
    double eps3d = 1e-9;    // 3D tolerance
    int nitnr = 100;        // Newton iteration limit
    int nitln = 100;        // second iteration limit

    // The values in the block now.
    static Tolerances current() noexcept {
        Tolerances t;
        meps1(&t.eps1);
        meps3d(&t.eps3d);
        mepsln(&t.epsnr, &t.nitnr, &t.nitln);
        mepspb(&t.epspb, &t.epspb2);
        return t;
    }
    // Fills the block (mcxcom). The block is process-wide: set it before
    // starting threads that call the library.
    void apply() const noexcept {
        int ip[21] = {};
        double rp[22] = {};
        rp[0] = eps3d;
        rp[11] = eps1;
        rp[12] = epsnr;
        rp[13] = epspb;
        rp[14] = epspb2;
        ip[9] = nitnr;
        ip[10] = nitln;
        int ier = 0;
        mcxcom(nullptr, ip, rp, &ier);
    }
};

// Sets the block for the life of the object and restores the values it had.
class ScopedTolerances {
public:
    explicit ScopedTolerances(const Tolerances& t) noexcept : previous_(Tolerances::current()) { t.apply(); }
    ~ScopedTolerances() { previous_.apply(); }
    ScopedTolerances(const ScopedTolerances&) = delete;
    ScopedTolerances& operator=(const ScopedTolerances&) = delete;

private:
    Tolerances previous_;
};

// ---- Curves -----------------------------------------------------------------

// A polynomial curve in canonical form: coef holds dim values per
// coefficient, column by column (the coefficient of t^(j-1) in column j), as
// the C interface's COEF(NDIM, NCOEF). The parameter interval is [ta, tb].
struct Curve {
    int dim = 2;
    std::vector<double> coef;
    double ta = 0.0, tb = 1.0;

    Curve() = default;
    Curve(int d, std::vector<double> c, double a = 0.0, double b = 1.0) : dim(d), coef(std::move(c)), ta(a), tb(b) {
        detail::require(dim >= 1, "Curve: dim must be at least 1");
        detail::require(!coef.empty() && coef.size() % static_cast<std::size_t>(dim) == 0,
                        "Curve: the coefficient count must be a non-zero multiple of dim");
    }
    int ncoef() const noexcept { return static_cast<int>(coef.size()) / dim; }
    int degree() const noexcept { return ncoef() - 1; }

    // The curve on [0, 1] whose control polygon is `polygon` (polygc), dim
    // values per point, at most 61 points.
    static Curve from_polygon(int dim, std::span<const double> polygon) {
        detail::require(dim >= 1 && !polygon.empty() && polygon.size() % static_cast<std::size_t>(dim) == 0,
                        "from_polygon: the point count must be a non-zero multiple of dim");
        Curve c;
        c.dim = dim;
        c.coef.resize(polygon.size());
        int n = static_cast<int>(polygon.size()) / dim, ier = 0;
        polygc(&dim, &dim, &n, polygon.data(), c.coef.data(), &ier);
        detail::check("POLYGC", ier);
        return c;
    }
};

// ---- Evaluation -------------------------------------------------------------

// The point of the curve at t (pocurv) into out (dim values): no allocation.
inline void point(const Curve& c, double t, std::span<double> out) {
    detail::require(out.size() >= static_cast<std::size_t>(c.dim), "point: out holds fewer than dim values");
    int n = c.ncoef();
    pocurv(&c.dim, &n, c.coef.data(), &t, out.data());
}

inline std::vector<double> point(const Curve& c, double t) {
    std::vector<double> p(static_cast<std::size_t>(c.dim));
    point(c, t, p);
    return p;
}

// The point and its derivatives up to `order` at t (mdrvcb): dim values per
// order, the point first.
inline std::vector<double> derivatives(const Curve& c, double t, int order) {
    detail::require(order >= 0, "derivatives: order must be at least 0");
    std::vector<double> d(static_cast<std::size_t>(c.dim) * static_cast<std::size_t>(order + 1));
    int n = c.ncoef(), ier = 0;
    mdrvcb(&order, &c.dim, &n, c.coef.data(), &t, d.data(), &ier);
    detail::check("MDRVCB", ier);
    return d;
}

// ---- Basis and control polygons ------------------------------------------------

// The control polygon of the curve's arc on [ta, tb] (cpolyg on [0, 1],
// ufdplg otherwise), dim values per point. At most 61 coefficients.
inline std::vector<double> control_polygon(const Curve& c) {
    int n = c.ncoef(), ier = 0;
    detail::require(n <= 61, "control_polygon: at most 61 coefficients");
    const std::size_t size = c.coef.size();
    if (c.ta == 0.0 && c.tb == 1.0) {
        std::vector<double> p(size);
        cpolyg(&c.dim, &c.dim, &n, c.coef.data(), p.data(), &ier);
        detail::check("CPOLYG", ier);
        return p;
    }
    // The second half holds ufdplg's work array, then goes (no reallocation).
    std::vector<double> p(2 * size);
    ufdplg(&c.dim, &n, c.coef.data(), &c.ta, &c.tb, p.data() + size, p.data());
    p.resize(size);
    return p;
}

// The same curve on the parameter range [0, 1] for its arc [a, b] (marc41):
// the result at s is the curve at a + (b - a) s.
inline Curve reparametrised(const Curve& c, double a, double b) {
    Curve r;
    r.dim = c.dim;
    r.coef.resize(c.coef.size());
    int n = c.ncoef(), ier = 0;
    marc41(&c.dim, &c.dim, &n, c.coef.data(), &a, &b, r.coef.data(), &ier);
    detail::check("MARC41", ier);
    return r;
}

// ---- Roots and curve/plane intersection ------------------------------------------

struct Roots {
    std::vector<double> t;  // ascending
    int code = 0;           // 0, or a negative warning
};

// Every root of the polynomial poly[0] + poly[1] t + ... on [a, b] (ur1pls),
// at most 41 coefficients.
inline Roots roots(std::span<const double> poly, double a = 0.0, double b = 1.0) {
    detail::require(!poly.empty() && poly.size() <= 41, "roots: 1 to 41 coefficients");
    int n = static_cast<int>(poly.size()), nroot = 0, ier = 0;
    std::array<double, 41> aux{};
    Roots r;
    r.t.resize(poly.size());
    ur1pls(&n, poly.data(), &a, &b, &nroot, r.t.data(), aux.data(), &ier);
    r.code = detail::check("UR1PLS", ier);
    r.t.resize(static_cast<std::size_t>(nroot));
    return r;
}

struct PlaneIntersection {
    std::vector<double> t;  // parameters in [0, 1], ascending
    double tnear = 0.0;     // the one nearest the reference parameter
    int code = 0;
};

// Where the curve (on [0, 1]) meets the plane through `point` with normal
// `normal` (pcvint); in 2D the plane is a line.
inline PlaneIntersection intersect_plane(const Curve& c, std::span<const double> normal,
                                         std::span<const double> point, double tref = 0.0) {
    detail::require(c.dim == 2 || c.dim == 3, "intersect_plane: dim must be 2 or 3");
    detail::require(normal.size() == static_cast<std::size_t>(c.dim) &&
                        point.size() == static_cast<std::size_t>(c.dim),
                    "intersect_plane: normal and point need dim values");
    int n = c.ncoef(), nsol = 0, ier = 0;
    detail::require(n >= 1 && n <= 61, "intersect_plane: 1 to 61 coefficients");
    PlaneIntersection r;
    // SOL holds up to NCOEF-1 parameters and serves as scratch for a point
    // and the unit normal first; the work array follows it.
    const int nsolmax = n > c.dim ? n : c.dim;
    std::vector<double> buf(static_cast<std::size_t>(nsolmax) + c.coef.size());
    pcvint(&c.dim, &n, c.coef.data(), normal.data(), point.data(), buf.data() + nsolmax, &tref, &r.tnear, &nsol,
           buf.data(), &ier);
    r.code = detail::check("PCVINT", ier);
    buf.resize(static_cast<std::size_t>(nsol));
    r.t = std::move(buf);
    return r;
}

// ---- Curve/curve intersection ----------------------------------------------------

struct CurveIntersection {
    std::vector<double> t1, t2;  // the pairs (t1[k], t2[k]), ascending in t1
    int code = 0;                // 0, or -1 when the two curves are identical
};

// Every point where two curves of the same dimension (2 or 3, 2 to 21
// coefficients each) meet on their intervals (umcvcv, option 1); at most
// `capacity` pairs are kept (a fuller list throws with code 1).
inline CurveIntersection intersect(const Curve& c1, const Curve& c2, int capacity = 64) {
    detail::require(c1.dim == c2.dim && (c1.dim == 2 || c1.dim == 3), "intersect: both curves of dimension 2 or 3");
    detail::require(capacity >= 1, "intersect: capacity must be at least 1");
    int dim = c1.dim, n1 = c1.ncoef(), n2 = c2.ncoef(), iopt = 1, nsol = 0, ier = 0;
    std::vector<double> sol(2 * static_cast<std::size_t>(capacity));
    umcvcv(&dim, &n1, c1.coef.data(), &c1.ta, &c1.tb, &n2, c2.coef.data(), &c2.ta, &c2.tb, &iopt, &capacity, &nsol,
           sol.data(), &ier);
    CurveIntersection r;
    r.code = detail::check("UMCVCV", ier);
    for (int k = 0; k < nsol; ++k) {
        r.t1.push_back(sol[2 * static_cast<std::size_t>(k)]);
        r.t2.push_back(sol[2 * static_cast<std::size_t>(k) + 1]);
    }
    return r;
}

// One intersection refined by Newton's method from the start pair (t1, t2)
// (umcvcv, option 2): false when the iteration found none.
inline bool refine_intersection(const Curve& c1, const Curve& c2, double& t1, double& t2) {
    detail::require(c1.dim == c2.dim && (c1.dim == 2 || c1.dim == 3), "refine_intersection: both curves of dimension 2 or 3");
    int dim = c1.dim, n1 = c1.ncoef(), n2 = c2.ncoef(), iopt = 2, cap = 1, nsol = 0, ier = 0;
    double sol[2] = {t1, t2};
    umcvcv(&dim, &n1, c1.coef.data(), &c1.ta, &c1.tb, &n2, c2.coef.data(), &c2.ta, &c2.tb, &iopt, &cap, &nsol, sol,
           &ier);
    detail::check("UMCVCV", ier);
    if (nsol < 1) return false;
    t1 = sol[0];
    t2 = sol[1];
    return true;
}

// ---- Numerical kernels ----------------------------------------------------------

// X with A X = B for the n x n matrix a (column-major) and nrhs right-hand
// sides b (n values each), by Gaussian elimination (mrslwd). A pivot at or
// below eps makes the system singular: Error with code 1.
inline std::vector<double> solve(std::span<const double> a, std::span<const double> b, int n, double eps = 1e-14) {
    detail::require(n >= 1 && a.size() == static_cast<std::size_t>(n) * static_cast<std::size_t>(n),
                    "solve: a must hold n x n values");
    detail::require(!b.empty() && b.size() % static_cast<std::size_t>(n) == 0, "solve: b must hold n values per column");
    int nrhs = static_cast<int>(b.size()) / n, ier = 0;
    std::vector<double> x(b.size() + static_cast<std::size_t>(n) * static_cast<std::size_t>(n + nrhs));
    mrslwd(&n, &n, &nrhs, a.data(), b.data(), &eps, x.data() + b.size(), x.data(), &ier);
    detail::check("MRSLWD", ier);
    x.resize(b.size());
    return x;
}

struct SymmetricEigen {
    std::vector<double> values;   // decreasing
    std::vector<double> vectors;  // n x n, column k the vector of values[k]
    int sweeps = 0;
    double off_norm = 0.0;
    int code = 0;
};

// Eigenvalues and eigenvectors of the symmetric n x n matrix a (vpvpsy).
inline SymmetricEigen symmetric_eigen(std::span<const double> a, int n, double eps = 1e-14) {
    detail::require(n >= 1 && a.size() == static_cast<std::size_t>(n) * static_cast<std::size_t>(n),
                    "symmetric_eigen: a must hold n x n values");
    SymmetricEigen r;
    std::vector<double> work(a.begin(), a.end());  // vpvpsy overwrites its matrix
    r.values.resize(static_cast<std::size_t>(n));
    r.vectors.resize(a.size());
    int ier = 0;
    vpvpsy(work.data(), &n, &n, &eps, r.values.data(), r.vectors.data(), &r.sweeps, &r.off_norm, &ier);
    r.code = detail::check("VPVPSY", ier);
    return r;
}

namespace detail {
// The integrand of the current integrate() call on this thread.
template <class F>
struct Integrand {
    static inline thread_local F* current = nullptr;
    static void call(const int* ndim, const double* t, double* f, int* ier) {
        (*current)(*t, std::span<double>(f, static_cast<std::size_t>(*ndim)), *ier);
    }
};
}  // namespace detail

struct Integral {
    std::vector<double> value;  // ndim values
    double error = 0.0;         // last change between two levels
    int calls = 0;              // integrand calls
};

// The integral of f on [a, b] to tol by Gauss-Legendre rules of increasing
// order (vgauss). f(t, values, ier) writes ndim values (at most 10); setting
// ier non-zero stops the integration with that code.
template <class F>
Integral integrate(F f, int ndim, double a, double b, double tol) {
    detail::require(ndim >= 1 && ndim <= 10, "integrate: ndim must be 1 to 10");
    using I = detail::Integrand<F>;
    F* previous = I::current;
    I::current = &f;
    Integral r;
    r.value.resize(static_cast<std::size_t>(ndim));
    int ier = 0;
    vgauss(&ndim, &I::call, &a, &b, &tol, r.value.data(), &r.error, &r.calls, &ier);
    I::current = previous;
    detail::check("VGAUSS", ier);
    return r;
}

// ---- Roots with noisy intervals ------------------------------------------------

struct NoisyRoots {
    std::vector<double> t;           // the simple roots, ascending
    std::vector<double> noisy;       // pairs (a, b) of intervals where the sign is lost in the noise
    std::vector<double> unresolved;  // pairs (a, b) the refinement could not settle
    int code = 0;                    // 0, -1 (intervals returned) or -13 (depth limit)
};

// The roots of poly[0] + poly[1] t + ... (1 to 61 coefficients) on [a, b]
// resolved to epsx in t and epsf in value (mrs1d0), with the intervals where
// the polynomial is within its noise.
inline NoisyRoots roots_noisy(std::span<const double> poly, double a, double b, double epsx, double epsf) {
    detail::require(!poly.empty() && poly.size() <= 61, "roots_noisy: 1 to 61 coefficients");
    int n = static_cast<int>(poly.size()), nroot = 0, nnoise = 0, nunres = 0, ier = 0;
    const std::size_t cap = poly.size() > 1 ? poly.size() - 1 : 1;
    const double tint[2] = {a, b};
    NoisyRoots r;
    r.t.resize(cap);
    r.noisy.resize(2 * cap);
    r.unresolved.resize(2 * cap);
    mrs1d0(poly.data(), &n, tint, &epsx, &epsf, r.t.data(), &nroot, r.noisy.data(), &nnoise, r.unresolved.data(),
           &nunres, &ier);
    r.code = detail::check("MRS1D0", ier);
    r.t.resize(static_cast<std::size_t>(nroot));
    r.noisy.resize(2 * static_cast<std::size_t>(nnoise));
    r.unresolved.resize(2 * static_cast<std::size_t>(nunres));
    return r;
}

// ---- Arc length and positioning -----------------------------------------------

struct ArcLength {
    double length = 0.0;  // signed: negative when b < a
    double diff = 0.0;    // the last difference between two refinements
};

// The length of the curve between a and b to eps (mcglc1). Not converging
// throws with code 1.
inline ArcLength arc_length(const Curve& c, double a, double b, double eps) {
    int n = c.ncoef(), ier = 0;
    ArcLength r;
    mcglc1(&c.dim, &c.dim, &n, c.coef.data(), &a, &b, &eps, &r.length, &r.diff, &ier);
    detail::check("MCGLC1", ier);
    return r;
}

struct AtLength {
    double t = 0.0;      // the parameter reached
    int iterations = 0;  // iterations of the search
};

// The parameter of the arc [ta, tb] of the curve at which the fraction
// `ratio` (0 to 1) of its length `length` is reached, to tol in length
// (mposcv). The length is the caller's (arc_length), so that many fractions
// share one measure.
inline AtLength at_length(const Curve& c, double ratio, double length, double tol) {
    int n = c.ncoef(), ier = 0;
    const double lena = 0.0;
    AtLength r;
    mposcv(&c.dim, &c.dim, &n, c.coef.data(), &c.ta, &c.tb, &lena, &length, &ratio, &r.t, &tol, &r.iterations, &ier);
    detail::check("MPOSCV", ier);
    return r;
}

// ---- Curvature and Frenet frames ------------------------------------------------

struct Curvature {
    double curvature = 0.0;
    double radius = 0.0;              // 1 / curvature; huge where it is 0
    std::array<double, 3> center{};   // dim values used
    int code = 0;  // 0, or 2 (inflexion), 3 (zero curvature), 4 (a segment): curvature 0, radius huge
};

// Curvature, radius and centre of curvature at t (cvture) in 2 or 3
// dimensions. A singular point (code 1) throws; the flat cases 2 to 4 are
// results, returned in `code`.
inline Curvature curvature(const Curve& c, double t) {
    detail::require(c.dim == 2 || c.dim == 3, "curvature: dim must be 2 or 3");
    int n = c.ncoef(), ier = 0;
    std::array<double, 3> p{};
    pocurv(&c.dim, &n, c.coef.data(), &t, p.data());
    double work[1] = {0.0};  // cvture keeps its work array for the interface and never writes it
    Curvature r;
    cvture(p.data(), &c.dim, &n, c.coef.data(), &t, work, &r.curvature, &r.radius, r.center.data(), &ier);
    if (ier == 1 || ier == 5) detail::check("CVTURE", ier);
    r.code = ier;
    return r;
}

struct Frenet {
    std::array<double, 3> tangent{}, normal{}, binormal{};  // unit vectors (dim values; binormal in 3D)
    double curvature = 0.0;
    double dcurvature = 0.0;  // derivative of the curvature with respect to arc length
    double torsion = 0.0;     // 0 in the plane
    bool cusp = false;        // infinite curvature (left 0)
    int code = 0;             // 0, -1 (no normal: straight piece) or -2 (no torsion)
};

// The Frenet frame, curvature, its arc-length derivative and torsion at t
// (mprcrb, every output requested); eps is the null-vector tolerance.
inline Frenet frenet(const Curve& c, double t, double eps = 1e-12) {
    detail::require(c.dim == 2 || c.dim == 3, "frenet: dim must be 2 or 3");
    int n = c.ncoef(), iopt = 7, ideriv = 0, tsense = 0, nsense = 0, icusp = 0, ier = 0;
    const double bounds[2] = {c.ta, c.tb};
    double tan[6] = {}, nrm[6] = {}, bin[6] = {}, curv[2] = {}, tors[2] = {};
    Frenet r;
    mprcrb(&c.dim, &n, c.coef.data(), &t, bounds, &iopt, &eps, &ideriv, tan, nrm, bin, curv, tors, &r.dcurvature,
           &tsense, &nsense, &icusp, &ier);
    r.code = detail::check("MPRCRB", ier);
    std::copy(tan, tan + c.dim, r.tangent.begin());
    std::copy(nrm, nrm + c.dim, r.normal.begin());
    if (c.dim == 3) std::copy(bin, bin + 3, r.binormal.begin());
    r.curvature = curv[0];
    r.torsion = tors[0];
    r.cusp = icusp == 1;
    return r;
}

// ---- Bounds and boxes -----------------------------------------------------------

struct Bounds {
    double min = 0.0, max = 0.0;
    double tmin = 0.0, tmax = 0.0;  // where they are reached (fine bounds only)
    int code = 0;                   // 0, or -10 when the fine bounds fell back to the coarse ones
};

// Fine bounds of poly (1 to 61 coefficients) on [a, b], widened by tol where
// reached inside (mbtpnu).
inline Bounds bounds(std::span<const double> poly, double a, double b, double tol) {
    detail::require(!poly.empty() && poly.size() <= 61, "bounds: 1 to 61 coefficients");
    int n = static_cast<int>(poly.size()), ier = 0;
    const double tint[2] = {a, b};
    Bounds r;
    mbtpnu(&n, poly.data(), tint, &tol, &r.max, &r.min, &r.tmax, &r.tmin, &ier);
    r.code = detail::check("MBTPNU", ier);
    return r;
}

// Coarse bounds: the extreme Bernstein coefficients of poly on [a, b]
// (mbtpnp); tmin and tmax are not set.
inline Bounds coarse_bounds(std::span<const double> poly, double a, double b) {
    detail::require(!poly.empty() && poly.size() <= 61, "coarse_bounds: 1 to 61 coefficients");
    int n = static_cast<int>(poly.size()), ier = 0;
    const double tint[2] = {a, b};
    Bounds r;
    mbtpnp(&n, poly.data(), tint, &r.max, &r.min, &ier);
    r.code = detail::check("MBTPNP", ier);
    return r;
}

// The fine bounding box of the curve on [ta, tb] (mbtcb1), at most 21
// coefficients, into out: (lower, upper) per component, 2 dim values. The
// layer allocates nothing; the routine requests its own work space (that of
// mrs1d0) from the library's service. Returns 0 or -10 (some component has
// coarse bounds).
inline int box(const Curve& c, double tol, std::span<double> out) {
    detail::require(out.size() >= 2 * static_cast<std::size_t>(c.dim), "box: out holds fewer than 2 dim values");
    detail::require(c.ncoef() <= 21, "box: at most 21 coefficients");
    int n = c.ncoef(), ier = 0;
    const double tint[2] = {c.ta, c.tb};
    mbtcb1(&c.dim, &n, c.coef.data(), &c.dim, tint, &tol, out.data(), &ier);
    return detail::check("MBTCB1", ier);
}

struct Box {
    std::vector<double> lower, upper;  // dim values each
    int code = 0;
};

inline Box box(const Curve& c, double tol) {
    std::vector<double> b(2 * static_cast<std::size_t>(c.dim));
    Box r;
    r.code = box(c, tol, b);
    for (int k = 0; k < c.dim; ++k) {
        r.lower.push_back(b[2 * static_cast<std::size_t>(k)]);
        r.upper.push_back(b[2 * static_cast<std::size_t>(k) + 1]);
    }
    return r;
}

struct OrientedBox {
    std::vector<double> center;  // dim values: the barycentre
    std::vector<double> axes;    // dim x dim, unit columns, a direct frame in 2 and 3D
    std::vector<double> half;    // half-lengths along the axes, longest first
};

// The oriented box of the arcs over [a, b] of curves of one dimension (each
// 1 to 61 coefficients) (mblcr4, the box option). The curves are packed
// into the routine's array.
inline OrientedBox oriented_box(std::span<const Curve> curves, double a, double b) {
    detail::require(!curves.empty(), "oriented_box: at least one curve");
    const int dim = curves.front().dim;
    int ncmax = 1;
    for (const Curve& c : curves) {
        detail::require(c.dim == dim, "oriented_box: curves of one dimension");
        ncmax = std::max(ncmax, c.ncoef());
    }
    detail::require(ncmax <= 61, "oriented_box: at most 61 coefficients per curve");
    const std::size_t d = static_cast<std::size_t>(dim), stride = d * static_cast<std::size_t>(ncmax);
    std::vector<double> crv(stride * curves.size(), 0.0);
    std::vector<int> ncoef(curves.size());
    for (std::size_t i = 0; i < curves.size(); ++i) {
        std::copy(curves[i].coef.begin(), curves[i].coef.end(), crv.begin() + static_cast<std::ptrdiff_t>(stride * i));
        ncoef[i] = curves[i].ncoef();
    }
    int ncurve = static_cast<int>(curves.size()), iopt = 1, ier = 0;
    const double tint[2] = {a, b};
    OrientedBox r;
    r.center.resize(d);
    r.axes.resize(d * d);
    r.half.resize(d);
    mblcr4(&dim, &ncmax, &ncurve, crv.data(), ncoef.data(), tint, &iopt, r.center.data(), r.axes.data(),
           r.half.data(), &ier);
    detail::check("MBLCR4", ier);
    return r;
}

// ---- Function approximation -------------------------------------------------------

namespace detail {
// The function of the current approximate() call on this thread.
template <class F>
struct Approximand {
    static inline thread_local F* current = nullptr;
    static void call(const int* ndim, const double*, const double* t, const int* ideriv, double* val, int* ier) {
        (*current)(*t, *ideriv, std::span<double>(val, static_cast<std::size_t>(*ndim)), *ier);
    }
};
}  // namespace detail

struct ApproximationOptions {
    int order = 1;         // continuity order at the breaks, -1 to 2
    int max_segments = 20;
    int max_coef = 14;     // per segment, at most 14
    int npcode = -5;       // Gauss points: -5..-1 (8 to 25) or 1..4 (30 to 61)
    double tout_a = 0.0, tout_b = 1.0;  // parameter interval of each segment's polynomial
};

struct Approximation {
    std::vector<Curve> segments;  // segment s on [tout_a, tout_b]
    std::vector<double> breaks;   // segment s covers [breaks[s], breaks[s + 1]] of the function's interval
    std::vector<double> errmax, errmean;  // one per segment
    int code = 0;                 // 0, or -1 (segment limit reached above tolerance)
};

// Polynomial segments within tol of f on [a, b] (mapfnc, one group of ndim
// components). f(t, deriv, values, ier) writes the deriv-th derivative (0 to
// order) of its ndim components at t; setting ier > 0 stops the
// approximation with code 100 + ier.
template <class F>
Approximation approximate(F f, int ndim, double a, double b, double tol, const ApproximationOptions& o = {}) {
    detail::require(ndim >= 1, "approximate: ndim must be at least 1");
    detail::require(o.max_segments >= 1, "approximate: max_segments must be at least 1");
    detail::require(o.max_coef >= 2 && o.max_coef <= 14, "approximate: max_coef must be 2 to 14");
    using A = detail::Approximand<F>;
    F* previous = A::current;
    A::current = &f;
    const int nsub = 1, ld = o.max_coef;
    const double tint[2] = {a, b}, tout[2] = {o.tout_a, o.tout_b};
    const std::size_t ms = static_cast<std::size_t>(o.max_segments);
    std::vector<int> ncoef(ms);
    std::vector<double> coef(static_cast<std::size_t>(ndim) * static_cast<std::size_t>(ld) * ms);
    Approximation r;
    r.breaks.resize(ms + 1);
    r.errmax.resize(ms);
    r.errmean.resize(ms);
    int nseg = 0, ier = 0;
    mapfnc(&ndim, &nsub, &ndim, tint, &A::call, &o.order, &ld, &o.max_segments, &o.max_coef, &tol, tout, &o.npcode,
           &nseg, ncoef.data(), coef.data(), r.breaks.data(), r.errmax.data(), r.errmean.data(), &ier);
    A::current = previous;
    r.code = detail::check("MAPFNC", ier);
    const std::size_t block = static_cast<std::size_t>(ndim) * static_cast<std::size_t>(ld);
    for (int s = 0; s < nseg; ++s) {
        const double* c0 = coef.data() + static_cast<std::size_t>(s) * block;
        const int nc = std::max(ncoef[static_cast<std::size_t>(s)], 1);
        r.segments.emplace_back(ndim, std::vector<double>(c0, c0 + static_cast<std::size_t>(ndim * nc)), o.tout_a, o.tout_b);
    }
    r.breaks.resize(static_cast<std::size_t>(nseg) + 1);
    r.errmax.resize(static_cast<std::size_t>(nseg));
    r.errmean.resize(static_cast<std::size_t>(nseg));
    return r;
}

// ---- Principal axes and shape -------------------------------------------------------

struct PrincipalAxes {
    std::vector<double> values;    // the variances along the axes, decreasing
    std::vector<double> centroid;  // dim values
    std::vector<double> axes;      // dim x dim, column k the unit axis of values[k]
};

// Principal axes of npts points of dimension dim, one after the other in pts
// (mckpl0).
inline PrincipalAxes principal_axes(std::span<const double> pts, int dim) {
    detail::require(dim >= 1 && !pts.empty() && pts.size() % static_cast<std::size_t>(dim) == 0,
                    "principal_axes: the value count must be a non-zero multiple of dim");
    int npts = static_cast<int>(pts.size()) / dim, ier = 0;
    const std::size_t d = static_cast<std::size_t>(dim);
    std::vector<double> result(2 * d + d * d + d * d);  // the last d*d serve as the covariance work
    mckpl0(&dim, &npts, pts.data(), result.data() + 2 * d + d * d, result.data(), &ier);
    detail::check("MCKPL0", ier);
    PrincipalAxes r;
    r.values.assign(result.begin(), result.begin() + static_cast<std::ptrdiff_t>(d));
    r.centroid.assign(result.begin() + static_cast<std::ptrdiff_t>(d), result.begin() + static_cast<std::ptrdiff_t>(2 * d));
    result.resize(2 * d + d * d);
    result.erase(result.begin(), result.begin() + static_cast<std::ptrdiff_t>(2 * d));
    r.axes = std::move(result);
    return r;
}

// The shape verdict from the principal variances (mckent): "POIN", "DRTE"
// (a line), "PLAN" or "QCQU" (neither), tol a distance.
inline std::string shape_kind(std::span<const double> values, double tol) {
    int n = static_cast<int>(values.size());
    char kind[4] = {' ', ' ', ' ', ' '};
    mckent(&n, values.data(), &tol, kind, 4);
    return std::string(kind, 4);
}

// ---- Projection --------------------------------------------------------------------

struct Nearest {
    std::vector<double> t;       // parameters of the nearest points, in [0, 1]
    std::vector<double> points;  // dim values per point
    double distance = 0.0;
    int code = 0;                // 0, -1 (the curve is a point) or -2 (on a sphere around x)
};

// The points of the curve on [0, 1] (dim 2 or 3, at most 21 coefficients)
// nearest to x (mcvpds).
inline Nearest nearest(const Curve& c, std::span<const double> x) {
    detail::require(c.dim == 2 || c.dim == 3, "nearest: dim must be 2 or 3");
    detail::require(x.size() == static_cast<std::size_t>(c.dim), "nearest: x needs dim values");
    int n = c.ncoef(), nsol = 0, ier = 0;
    detail::require(n <= 21, "nearest: at most 21 coefficients");
    const std::size_t cap = 2 * static_cast<std::size_t>(n) - 1;
    Nearest r;
    r.t.resize(cap);
    r.points.resize(cap * static_cast<std::size_t>(c.dim));
    mcvpds(&c.dim, &n, c.coef.data(), x.data(), &nsol, r.t.data(), r.points.data(), &r.distance, &ier);
    r.code = detail::check("MCVPDS", ier);
    r.t.resize(static_cast<std::size_t>(nsol));
    r.points.resize(static_cast<std::size_t>(nsol) * static_cast<std::size_t>(c.dim));
    return r;
}

struct Extremal {
    std::vector<double> t;           // parameters of the extremal points
    std::vector<double> points;      // dim values per point
    std::vector<double> intervals;   // pairs: stretches at the extreme distance
    std::vector<double> noisy;       // pairs: stretches that could not be settled
    double distance = 0.0;
    int code = 0;                    // 0, -2 (on a sphere around x) or -3 (a point): lists empty
};

// The nearest (farthest = false) or farthest points of the curve on
// [ta, tb] from x (mdpcv0), dim 2 or 3, at most 21 coefficients; eps the
// length tolerance, capacity the size of each list.
inline Extremal extremal_distance(const Curve& c, std::span<const double> x, bool farthest, double eps = 1e-9,
                                  int capacity = 64) {
    detail::require(c.dim == 2 || c.dim == 3, "extremal_distance: dim must be 2 or 3");
    detail::require(x.size() == static_cast<std::size_t>(c.dim), "extremal_distance: x needs dim values");
    detail::require(c.ncoef() <= 21, "extremal_distance: at most 21 coefficients");
    detail::require(capacity >= 1, "extremal_distance: capacity must be at least 1");
    int n = c.ncoef(), sens = farthest ? -1 : 1, npts = 0, nint = 0, nnoise = 0, ier = 0;
    const double bounds[2] = {c.ta, c.tb}, epsa = 1e-13, epsb = 1e-13;
    const std::size_t cap = static_cast<std::size_t>(capacity);
    Extremal r;
    r.t.resize(cap);
    r.points.resize(cap * static_cast<std::size_t>(c.dim));
    r.intervals.resize(2 * cap);
    r.noisy.resize(2 * cap);
    mdpcv0(&c.dim, &n, c.coef.data(), bounds, x.data(), &sens, &eps, &epsa, &epsb, &capacity, &npts, r.t.data(),
           r.points.data(), &nint, r.intervals.data(), &nnoise, r.noisy.data(), &r.distance, &ier);
    r.code = detail::check("MDPCV0", ier);
    r.t.resize(static_cast<std::size_t>(npts));
    r.points.resize(static_cast<std::size_t>(npts) * static_cast<std::size_t>(c.dim));
    r.intervals.resize(2 * static_cast<std::size_t>(nint));
    r.noisy.resize(2 * static_cast<std::size_t>(nnoise));
    return r;
}

// ---- Point classification ------------------------------------------------------------

enum Side : int { inside = 1, outside = -1, on_boundary = 0, undetermined = 10 };

// Where each point of the plane (2 values per point) lies against the
// domain bounded by the closed chain of planar curves `boundary` (each on
// its interval, 2 to 21 coefficients) (siepf1), into result (one per
// point). tolrel is the relative parameter tolerance of a crossing near a
// curve end. The curves are packed into the routine's arrays, each with the
// box of its control polygon.
inline void classify(std::span<const Curve> boundary, std::span<const double> points, std::span<int> result,
                     double tolrel = 1e-6) {
    detail::require(!boundary.empty(), "classify: at least one boundary curve");
    detail::require(points.size() % 2 == 0 && result.size() >= points.size() / 2,
                    "classify: two values per point and one result per point");
    int ncmax = 2;
    for (const Curve& c : boundary) {
        detail::require(c.dim == 2, "classify: boundary curves of dimension 2");
        detail::require(c.ncoef() >= 2 && c.ncoef() <= 21, "classify: 2 to 21 coefficients per boundary curve");
        ncmax = std::max(ncmax, c.ncoef());
    }
    int ncurve = static_cast<int>(boundary.size()), ldpt = 2, npoint = static_cast<int>(points.size() / 2), ier = 0;
    const std::size_t m = boundary.size(), stride = 2 * static_cast<std::size_t>(ncmax);
    std::vector<double> coefs(stride * m, 0.0), intervals(2 * m), boxes(6 * m);
    std::vector<int> ncoef(m);
    for (std::size_t i = 0; i < m; ++i) {
        const Curve& c = boundary[i];
        std::copy(c.coef.begin(), c.coef.end(), coefs.begin() + static_cast<std::ptrdiff_t>(stride * i));
        intervals[2 * i] = c.ta, intervals[2 * i + 1] = c.tb;
        ncoef[i] = c.ncoef();
        const auto poly = control_polygon(c);
        double x0 = poly[0], x1 = poly[0], y0 = poly[1], y1 = poly[1];
        for (std::size_t k = 2; k < poly.size(); k += 2) {
            x0 = std::min(x0, poly[k]), x1 = std::max(x1, poly[k]);
            y0 = std::min(y0, poly[k + 1]), y1 = std::max(y1, poly[k + 1]);
        }
        const double box[6] = {x0, y0, x1 - x0, 0.0, 0.0, y1 - y0};
        std::copy(box, box + 6, boxes.begin() + static_cast<std::ptrdiff_t>(6 * i));
    }
    std::fill(result.begin(), result.end(), static_cast<int>(undetermined));
    siepf1(&ncmax, &ncurve, coefs.data(), intervals.data(), ncoef.data(), boxes.data(), &ldpt, &npoint, points.data(),
           &tolrel, result.data(), &ier);
    detail::check("SIEPF1", ier);
}

inline std::vector<int> classify(std::span<const Curve> boundary, std::span<const double> points,
                                 double tolrel = 1e-6) {
    std::vector<int> r(points.size() / 2);
    classify(boundary, points, r, tolrel);
    return r;
}

}  // namespace velcurve
