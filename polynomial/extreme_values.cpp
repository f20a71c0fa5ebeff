// Bounds of a polynomial on an interval and the boxes of curves built on them.
//
// The fine bound evaluates the polynomial at the ends and at its critical
// points, found as the zeros of the derivative by the subdivision root finder
// (mrs1d0), and widens what it finds by the caller's tolerance. The coarse
// bound is the range of the Bernstein coefficients on the interval, which
// contains every value of the polynomial there; the fine bound falls back on
// it when the critical points cannot be found. Every routine takes the
// interval in either order.
#include <cmath>

#include "frame/frame.hpp"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace {

constexpr int kMaxPolynomial = 61;  // coefficients of a polynomial
constexpr int kMaxCurve = 21;       // coefficients of a curve
constexpr double kCriticalResolution = 1.0e-6;  // abscissa resolution of the critical points
constexpr double kUnresolvedShare = 0.001;      // unresolved stretches up to this share of the interval count as points

struct Interval {
    double a, b;
};

Interval ordered(const double* tint) noexcept {
    return tint[0] <= tint[1] ? Interval{tint[0], tint[1]} : Interval{tint[1], tint[0]};
}

double value_at(const double* c, int n, double t) noexcept { return polval(c, &n, &t); }

// Fine bounds: the values at the ends and at the critical points, each
// interior extreme widened by TOL; with WIDEN_ENDS the extremes reached at
// the ends are widened too (mbtpnn), otherwise they are the plain values
// there (mbtpnu). Falls back on the coarse bounds, code -10, when the
// critical points cannot be found. Returns IER.
struct Extremes {
    double hi, lo, thi, tlo;
};

int fine_bounds(const int* NCOEF, const double* C, const double* TINT, const double* TOL, bool widen_ends,
                Extremes& e) noexcept {
    const int n = *NCOEF;
    if (n < 1 || n > kMaxPolynomial) return 8888;
    const Interval iv = ordered(TINT);
    e.thi = iv.b;
    e.tlo = iv.a;
    const double tint[2] = {iv.a, iv.b};
    double crit[kMaxPolynomial];
    int ncrit = 0, flat = 0, ier = 0;
    mbtpnm(NCOEF, C, tint, TOL, crit, &ncrit, &flat, &ier);
    if (ier >= 1) {
        int ierp = 0;
        mbtpnp(NCOEF, C, tint, &e.hi, &e.lo, &ierp);
        return ierp == 0 ? -10 : ier;
    }
    const double tol = *TOL;
    const double v = value_at(C, n, iv.a);
    if (flat == 1) {
        e = Extremes{v + tol, v - tol, iv.a, iv.b};
        return 0;
    }
    // With the ends widened, values are compared with the bounds already
    // widened: one that passes the current extreme by less than TOL leaves
    // it where it is.
    e.hi = widen_ends ? v + tol : v;
    e.lo = widen_ends ? e.hi - 2.0 * tol : v;
    e.thi = e.tlo = iv.a;
    auto take = [&](double t, double widen) {
        const double x = value_at(C, n, t);
        if (x > e.hi) {
            e.hi = x + widen;
            e.thi = t;
        }
        if (x < e.lo) {
            e.lo = x - widen;
            e.tlo = t;
        }
    };
    for (int k = 0; k < ncrit; ++k) take(crit[k], tol);
    take(iv.b, widen_ends ? tol : 0.0);
    return 0;
}

// Bounds of each component c of COEF(NDIMAX, NCOEF), c = 1..NDIM, by
// BOUND(row, &BOX(2, c), &BOX(1, c), &code): a positive code stops the loop
// and is returned; otherwise the last negative code met, or 0.
template <class Bound>
int component_bounds(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM, double* BOX,
                     Bound bound) noexcept {
    const int ncoef = *NCOEF, ndim = *NDIM, ld = *NDIMAX;
    if (ncoef < 1 || ncoef > kMaxCurve || ndim > ld) return 8888;
    auto coef = vcbm::mat(COEF, ld);
    auto box = vcbm::mat(BOX, 2);
    int warning = 0;
    for (int c = 1; c <= ndim; ++c) {
        double row[kMaxCurve];
        for (int k = 1; k <= ncoef; ++k) row[k - 1] = coef(c, k);
        int code = 0;
        bound(row, box.at(2, c), box.at(1, c), &code);
        if (code > 0) return code;
        if (code < 0) warning = code;
    }
    return warning;
}

}  // namespace

extern "C" {

void mbtpnm(const int* NCOEF, const double* C, const double* TINT, const double* EPSF, double* CRIT, int* NCRIT,
            int* IFLAT, int* IER) {
    static constexpr auto R = vcbm::routine("MBTPNM");
    vcbm::Frame f(R, *IER);
    const int ncoef = *NCOEF;
    if (ncoef < 1 || ncoef > kMaxPolynomial) return f.fail(3178);
    *NCRIT = 0;
    *IFLAT = 0;
    const Interval iv = ordered(TINT);
    double d[kMaxPolynomial];
    int nd = 0;
    polder(C, NCOEF, d, &nd);
    double noise[2 * kMaxPolynomial], unres[2 * kMaxPolynomial];
    int nnoise = 0, nunres = 0, code = 0;
    const double tint[2] = {iv.a, iv.b}, epsx = kCriticalResolution;
    mrs1d0(d, &nd, tint, &epsx, EPSF, CRIT, NCRIT, noise, &nnoise, unres, &nunres, &code);
    if (code > 0) return f.fail(code);
    auto append = [&](double t) {
        if (*NCRIT + 1 > ncoef) return false;
        CRIT[(*NCRIT)++] = t;
        return true;
    };
    if (nnoise > 0) {
        if (noise[1] - noise[0] == iv.b - iv.a) {
            *IFLAT = 1;
            return;
        }
        for (int k = 0; k < nnoise; ++k)
            if (!append((noise[2 * k] + noise[2 * k + 1]) / 2.0)) return f.fail(3835);
    }
    const double w = kUnresolvedShare * (iv.b - iv.a);
    for (int k = 0; k < nunres; ++k) {
        const double a = unres[2 * k], b = unres[2 * k + 1];
        if (b - a > w) return f.fail(8354);
        if (!append((a + b) / 2.0)) return f.fail(3835);
    }
}

void mbtpnn(const int* NCOEF, const double* C, const double* TINT, const double* TOL, double* BMAX, double* BMIN,
            int* IER) {
    static constexpr auto R = vcbm::routine("MBTPNN");
    vcbm::Frame f(R, *IER);
    Extremes e{};
    const int code = fine_bounds(NCOEF, C, TINT, TOL, true, e);
    if (code <= 0) {
        *BMAX = e.hi;
        *BMIN = e.lo;
    }
    f.fail(code);
}

void mbtpnu(const int* NCOEF, const double* C, const double* TINT, const double* TOL, double* BMAX, double* BMIN,
            double* TMAX, double* TMIN, int* IER) {
    static constexpr auto R = vcbm::routine("MBTPNU");
    vcbm::Frame f(R, *IER);
    Extremes e{};
    const int code = fine_bounds(NCOEF, C, TINT, TOL, false, e);
    if (code <= 0) {
        *BMAX = e.hi;
        *BMIN = e.lo;
        *TMAX = e.thi;
        *TMIN = e.tlo;
    }
    f.fail(code);
}

void mbtpnp(const int* NCOEF, const double* C, const double* TINT, double* BMAX, double* BMIN, int* IER) {
    static constexpr auto R = vcbm::routine("MBTPNP");
    vcbm::Frame f(R, *IER);
    const int n = *NCOEF;
    if (n < 1 || n > kMaxPolynomial) return f.fail(8888);
    const Interval iv = ordered(TINT);
    // The coefficients on [0, 1] as they stand; on any other interval the
    // polynomial is first carried to [-1, 1] and its Bernstein coefficients
    // taken there. The substitution t = m + h s (m the middle, h the half
    // length) works with powers of size max(|A|, |B|)^k, where the one onto
    // [0, 1] (t = A + (B - A) u) would work with (|A| + |B - A|)^k and lose
    // digits on an interval across zero longer than 1.
    double b[kMaxPolynomial];
    int code = 0;
    if (iv.a == 0.0 && iv.b == 1.0) {
        mbbpg1(NCOEF, C, b, &code);
    } else {
        const int one = 1;
        const double tab[2] = {iv.a, iv.b}, unit[2] = {-1.0, 1.0};
        mfmcb2(&one, NCOEF, C, &one, tab, b, unit, &code);
        if (code == 0) {
            mbbpg2(NCOEF, b, b, &code);
        } else {  // EPSPB above 2 refuses [-1, 1]: the direct substitution
            marc41(&one, &one, NCOEF, C, &iv.a, &iv.b, b, &code);
            mbbpg1(NCOEF, b, b, &code);
        }
    }
    ugpolx(NCOEF, b, BMAX, BMIN);
}

void mbtcb1(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM, const double* TINT,
            const double* TOL, double* BOX, int* IER) {
    static constexpr auto R = vcbm::routine("MBTCB1");
    vcbm::Frame f(R, *IER);
    f.fail(component_bounds(NDIMAX, NCOEF, COEF, NDIM, BOX, [&](const double* row, double* hi, double* lo, int* code) {
        mbtpnn(NCOEF, row, TINT, TOL, hi, lo, code);
    }));
}

void mbtcb2(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM, const double* TINT, double* BOX,
            int* IER) {
    static constexpr auto R = vcbm::routine("MBTCB2");
    vcbm::Frame f(R, *IER);
    f.fail(component_bounds(NDIMAX, NCOEF, COEF, NDIM, BOX, [&](const double* row, double* hi, double* lo, int* code) {
        mbtpnp(NCOEF, row, TINT, hi, lo, code);
    }));
}

void mbtcbn(const int* NCMAX, const double* TOL, const int* NCURV, const double* TINTS, const int* NCOEFS,
            const double* COEFS, double* BOXES, double* BOX, int* IER) {
    static constexpr auto R = vcbm::routine("MBTCBN");
    vcbm::Frame f(R, *IER);
    BOX[0] = BOX[1] = 1.0e32;
    BOX[2] = BOX[3] = -1.0e32;
    const int ncurv = *NCURV, ncmax = *NCMAX;
    auto tints = vcbm::mat(TINTS, 2);
    auto boxes = vcbm::mat(BOXES, 6);
    const std::ptrdiff_t slab = 2 * static_cast<std::ptrdiff_t>(ncmax > 0 ? ncmax : 0);
    for (int i = 1; i <= ncurv; ++i) {
        const int ncoef = NCOEFS[i - 1];
        double lb[4];
        int code = 1;  // a curve longer than its slab fails as a refused curve does
        if (ncoef <= ncmax) {
            const int two = 2;
            mbtcb1(&two, &ncoef, COEFS + (i - 1) * slab, &two, tints.col(i), TOL, lb, &code);
        }
        if (code > 0) {
            if (f.level() >= 1) vcbm::print_line(" Probleme issu de MBTCB1.");
            return f.fail(1);
        }
        const double xmin = lb[0], xmax = lb[1], ymin = lb[2], ymax = lb[3];
        boxes(1, i) = xmin;
        boxes(2, i) = ymin;
        boxes(3, i) = xmax - xmin;
        boxes(4, i) = 0.0;
        boxes(5, i) = 0.0;
        boxes(6, i) = ymax - ymin;
        BOX[0] = std::fmin(BOX[0], xmin);
        BOX[1] = std::fmin(BOX[1], ymin);
        BOX[2] = std::fmax(BOX[2], xmax);
        BOX[3] = std::fmax(BOX[3], ymax);
    }
}

}  // extern "C"
