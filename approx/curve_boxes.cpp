// Boxes of polynomial curves and of a polynomial patch: oriented boxes along
// the principal axes of inertia (mblcr1 to mblcr4, mblsr2, mblsr3), boxes
// along the coordinate axes from control points (mblbe0, mblbe1, sminmx),
// and the plane of a set of space curves (mvdrpn).
//
// The oriented boxes work on Legendre coefficients over the parameter
// interval [-1, 1] (the square [-1, 1]^2 for a patch). With P_n(1) = 1 and
// the integral of P_m P_n equal to 2/(2m+1) when m = n and 0 otherwise, the
// constant coefficient is the mean of a component, the second moments are
// weighted sums of products of coefficients, and |P_n| <= 1 bounds the
// extent along an axis by the sum of the absolute projections of the
// coefficients. The inertia matrix is the second moment about the
// barycentre, averaged over the curves; its eigenvectors (vpvpsy, largest
// eigenvalue first) are the axes of the box.
#include <algorithm>
#include <cmath>
#include <utility>

#include "frame/frame.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_approx.h"
#include "vcbm_frame.h"
#include "vcbm_numeric.h"
#include "vcbm_polynomial.h"

namespace {

using std::ptrdiff_t;

// Capacity of the canonical-to-Legendre conversions.
constexpr int kMaxConvert = 61;

// Integral over [-1, 1] of the square of the Legendre polynomial of degree M.
inline double legendre_weight(int m) noexcept { return 2.0 / (2 * m + 1); }

// NDIM >= 1, NCURVE >= 1 and 1 <= NCOEF(c) <= LIMIT for every curve.
bool curve_counts_ok(int ndim, int ncurve, const int* ncoef, int limit) noexcept {
    if (ndim < 1 || ncurve < 1) return false;
    for (int c = 0; c < ncurve; ++c)
        if (ncoef[c] < 1 || ncoef[c] > limit) return false;
    return true;
}

// Barycentre G(NDIM) and inertia matrix INER(NDIM, NDIM) of the curves in
// Legendre form L(NCMAX, NDIM, NCURVE): upper triangle, then its mirror.
void curve_inertia(int ncmax, int ndim, int ncurve, const double* L, const int* ncoef, double* iner,
                   double* g) noexcept {
    const auto l = vcbm::arr3(L, ncmax, ndim);
    const auto in = vcbm::mat(iner, ndim);
    for (int k = 1; k <= ndim; ++k) {
        double s = 0.0;
        for (int c = 1; c <= ncurve; ++c) s += l(1, k, c);
        g[k - 1] = s / ncurve;
    }
    for (int b = 1; b <= ndim; ++b) {
        for (int a = 1; a <= b; ++a) {
            double s = 0.0;
            for (int c = 1; c <= ncurve; ++c) {
                const double* la = l.at(1, a, c);
                const double* lb = l.at(1, b, c);
                for (int m = 0; m < ncoef[c - 1]; ++m) s += la[m] * lb[m] * legendre_weight(m);
            }
            in(a, b) = s / ncurve - 2.0 * g[a - 1] * g[b - 1];
        }
    }
    for (int b = 2; b <= ndim; ++b)
        for (int a = 1; a < b; ++a) in(b, a) = in(a, b);
}

// The same for one patch in Legendre form L(NCMAX, NCOEFV, 3) over the
// square: weights of both variables, the mean over an area of 4.
void patch_inertia(int ncmax, int ncoefu, int ncoefv, const double* L, double* iner, double* g) noexcept {
    const auto l = vcbm::arr3(L, ncmax, ncoefv);
    const auto in = vcbm::mat(iner, 3);
    for (int k = 1; k <= 3; ++k) g[k - 1] = l(1, 1, k);
    for (int b = 1; b <= 3; ++b) {
        for (int a = 1; a <= b; ++a) {
            double s = 0.0;
            for (int j = 1; j <= ncoefv; ++j)
                for (int i = 1; i <= ncoefu; ++i)
                    s += l(i, j, a) * l(i, j, b) * (legendre_weight(i - 1) * legendre_weight(j - 1));
            in(a, b) = s - 4.0 * g[a - 1] * g[b - 1];
        }
    }
    for (int b = 2; b <= 3; ++b)
        for (int a = 1; a < b; ++a) in(b, a) = in(a, b);
}

// |V(., I) . X| for the NDIM-vectors X and column I of V(NDIM, NDIM).
inline double projection(int ndim, const double* v, int i, const double* x) noexcept {
    const double* axis = v + static_cast<ptrdiff_t>(i - 1) * ndim;
    double s = 0.0;
    for (int k = 0; k < ndim; ++k) s += axis[k] * x[k];
    return std::fabs(s);
}

// A larger value, or a NaN, replaces the running maximum.
inline void raise_to(double& e, double s) noexcept {
    if (!(s <= e)) e = s;
}

// Half-lengths EXT(NDIM) of the box of the curves along the axes V about G.
void curve_extents(int ncmax, int ndim, int ncurve, const double* L, const int* ncoef, const double* g,
                   const double* v, double* ext) noexcept {
    const auto l = vcbm::arr3(L, ncmax, ndim);
    for (int i = 1; i <= ndim; ++i) {
        const double* axis = v + static_cast<ptrdiff_t>(i - 1) * ndim;
        double e = 0.0;
        for (int c = 1; c <= ncurve; ++c) {
            // |V_i . (L(1, ., c) - G)| + sum over n >= 2 of |V_i . L(n, ., c)|
            double s = 0.0;
            for (int k = 1; k <= ndim; ++k) s += axis[k - 1] * (l(1, k, c) - g[k - 1]);
            s = std::fabs(s);
            for (int n = 2; n <= ncoef[c - 1]; ++n) {
                double p = 0.0;
                for (int k = 1; k <= ndim; ++k) p += axis[k - 1] * l(n, k, c);
                s += std::fabs(p);
            }
            raise_to(e, s);
        }
        ext[i - 1] = e;
    }
}

// Longest half-length first, the axes moving along; equal half-lengths keep
// their places (exchange on strict inequality only).
void order_extents(int ndim, double* ext, double* v) noexcept {
    for (int i = 0; i < ndim - 1; ++i) {
        for (int j = i + 1; j < ndim; ++j) {
            if (ext[i] < ext[j]) {
                std::swap(ext[i], ext[j]);
                double* vi = v + static_cast<ptrdiff_t>(i) * ndim;
                double* vj = v + static_cast<ptrdiff_t>(j) * ndim;
                for (int k = 0; k < ndim; ++k) std::swap(vi[k], vj[k]);
            }
        }
    }
}

// Makes the frame V(NDIM, NDIM) direct in 2 and 3 dimensions by reversing
// its last axis when the determinant is negative.
void make_direct(int ndim, double* v) noexcept {
    double det = 0.0;
    if (ndim == 3)
        det = vcbm::triple3(v, v + 3, v + 6);
    else if (ndim == 2)
        det = v[0] * v[3] - v[1] * v[2];
    if (det < 0.0)
        for (int k = 0; k < ndim; ++k) v[(ndim - 1) * ndim + k] = -v[(ndim - 1) * ndim + k];
}

// Legendre coefficients L(NCMAX, NDIM, NCURVE) over [-1, 1] of the canonical
// curves CRV(NDIM, NCMAX, NCURVE), given on [-1, 1] (TINT null) or on the
// interval TINT(2). W(NCMAX) is work. False when an interval change failed.
bool to_legendre(int ndim, int ncmax, int ncurve, const double* CRV, const int* NCOEF, const double* tint,
                 double* L, double* w) noexcept {
    const auto crv = vcbm::arr3(CRV, ndim, ncmax);
    const auto l = vcbm::arr3(L, ncmax, ndim);
    static constexpr double kUnit[2] = {-1.0, 1.0};
    const int one = 1;
    for (int c = 1; c <= ncurve; ++c) {
        const int* ncoef = NCOEF + (c - 1);
        for (int k = 1; k <= ndim; ++k) {
            double* col = l.at(1, k, c);
            for (int j = 1; j <= *ncoef; ++j) col[j - 1] = crv(k, j, c);
            if (tint) {
                int code = 0;
                mfmcb2(&one, ncoef, col, &one, tint, col, kUnit, &code);
                if (code != 0) return false;
            }
            mcvlgd(ncoef, &one, col, w, col);
        }
    }
    return true;
}

// Smallest and largest of X(N) (N >= 1); a NaN anywhere gives NaN for both.
void extremes(int n, const double* x, double& lo, double& hi) noexcept {
    int mode = 3, ndim = 1;
    sminmx(&mode, &ndim, &n, x, &lo, &hi);
}

// The union of [LO, HI] with [LO2, HI2], NaN-preserving.
inline void unite(double& lo, double& hi, double lo2, double hi2) noexcept {
    if (!(lo2 >= lo)) lo = lo2;
    if (!(hi2 <= hi)) hi = hi2;
}

thread_local vcbm::WorkBase<double, 512> curve_work;
thread_local vcbm::WorkBase<double, 4096> box_work;
thread_local vcbm::WorkBase<double, 1> inertia_work;
thread_local vcbm::WorkBase<double, 256> plane_work;

}  // namespace

extern "C" {

void sminmx(const int* MODE, const int* NDIM, const int* NPTS, const double* PTS, double* VMIN, double* VMAX) {
    const int mode = *MODE, ndim = *NDIM, npts = *NPTS;
    if (mode < 1 || mode > 3 || npts < 1) return;
    const auto p = vcbm::mat(PTS, npts);
    for (int k = 1; k <= ndim; ++k) {
        double lo = p(1, k), hi = lo;
        bool nan = lo != lo;
        for (int i = 2; i <= npts; ++i) {
            const double x = p(i, k);
            if (x < lo)
                lo = x;
            else if (x > hi)
                hi = x;
            else if (x != x)
                nan = true;
        }
        if (nan) lo = hi = std::nan("");
        if (mode != 2) VMIN[k - 1] = lo;
        if (mode != 1) VMAX[k - 1] = hi;
    }
}

void mblcr3(const int* NCMAX, const int* NDIM, const int* NCURVE, const double* L, const int* NCOEF, double* INER,
            double* G, double* V, double* D, int* IER) {
    static constexpr auto R = vcbm::routine("MBLCR3");
    vcbm::Frame f(R, *IER);
    const int ncmax = *NCMAX, ndim = *NDIM, ncurve = *NCURVE;
    if (!curve_counts_ok(ndim, ncurve, NCOEF, ncmax)) return f.fail(3);
    double eps;
    mveps3(&eps);
    int code = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        // The eigensolver overwrites the matrix: it is formed again for the retry.
        curve_inertia(ncmax, ndim, ncurve, L, NCOEF, INER, G);
        int nsweep;
        double offnrm;
        vpvpsy(INER, NDIM, NDIM, &eps, D, V, &nsweep, &offnrm, &code);
        if (code <= 0) break;
        eps *= 1.0e6;
    }
    if (code > 0) return f.fail(1);
    for (int i = 0; i < ndim; ++i)
        if (D[i] < 0.0) D[i] = 0.0;
}

void mblcr2(const int* NCMAX, const int* NDIM, const int* NCURVE, const double* L, const int* NCOEF, double* G,
            double* V, double* EXT, int* IER) {
    static constexpr auto R = vcbm::routine("MBLCR2");
    vcbm::Frame f(R, *IER);
    const int ncmax = *NCMAX, ndim = *NDIM, ncurve = *NCURVE;
    if (!curve_counts_ok(ndim, ncurve, NCOEF, ncmax)) return f.fail(3);
    double local[12];  // INER(3, 3) and D(3)
    double* iner = local;
    if (ndim >= 4) {
        iner = f.request(inertia_work.base, ndim * ndim + ndim);
        if (!iner) return f.fail(1);
    }
    double* d = iner + ndim * ndim;
    int code = 0;
    mblcr3(NCMAX, NDIM, NCURVE, L, NCOEF, iner, G, V, d, &code);
    if (code != 0) return f.fail(2);
    curve_extents(ncmax, ndim, ncurve, L, NCOEF, G, V, EXT);
    order_extents(ndim, EXT, V);
}

void mblcr1(const int* NDIM, const int* NCMAX, const int* NCURVE, const double* CRV, const int* NCOEF, double* G,
            double* V, double* EXT, int* IER) {
    static constexpr auto R = vcbm::routine("MBLCR1");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, ncmax = *NCMAX, ncurve = *NCURVE;
    if (ncmax > kMaxConvert || !curve_counts_ok(ndim, ncurve, NCOEF, ncmax)) return f.fail(3);
    double* l = f.acquire(curve_work, ncmax * (ndim * ncurve + 1));
    if (!l) return f.fail(1);
    to_legendre(ndim, ncmax, ncurve, CRV, NCOEF, nullptr, l, l + ncmax * ndim * ncurve);
    int code = 0;
    mblcr2(NCMAX, NDIM, NCURVE, l, NCOEF, G, V, EXT, &code);
    if (code != 0) f.fail(2);
}

void mblcr4(const int* NDIM, const int* NCMAX, const int* NCURVE, const double* CRV, const int* NCOEF,
            const double* TINT, const int* IOPT, double* G, double* V, double* EXT, int* IER) {
    static constexpr auto R = vcbm::routine("MBLCR4");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, ncmax = *NCMAX, ncurve = *NCURVE;
    if (ncmax > kMaxConvert || !curve_counts_ok(ndim, ncurve, NCOEF, ncmax)) return f.fail(3);
    const bool axes_only = *IOPT % 2 == 0;
    const int nl = ncmax * ndim * ncurve;
    double* l = f.acquire(curve_work, nl + ncmax + (axes_only ? ndim * ndim : 0));
    if (!l) return f.fail(1);
    if (!to_legendre(ndim, ncmax, ncurve, CRV, NCOEF, TINT, l, l + nl)) return f.fail(3);
    int code = 0;
    if (axes_only)
        mblcr3(NCMAX, NDIM, NCURVE, l, NCOEF, l + nl + ncmax, G, V, EXT, &code);
    else
        mblcr2(NCMAX, NDIM, NCURVE, l, NCOEF, G, V, EXT, &code);
    if (code != 0) return f.fail(2);
    make_direct(ndim, V);
    // A release that fails after a good result has a code of its own here.
    f.release_all();
    if (*IER == 10) f.fail(200);
}

void mblsr3(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* L, double* INER, double* G,
            double* V, double* D, int* IER) {
    static constexpr auto R = vcbm::routine("MBLSR3");
    vcbm::Frame f(R, *IER);
    const int ncmax = *NCMAX, nu = *NCOEFU, nv = *NCOEFV;
    if (nu < 1 || nu > ncmax || nv < 1) return f.fail(1);
    double eps;
    mveps3(&eps);
    patch_inertia(ncmax, nu, nv, L, INER, G);
    const int three = 3;
    int nsweep, code = 0;
    double offnrm;
    vpvpsy(INER, &three, &three, &eps, D, V, &nsweep, &offnrm, &code);
    if (code > 0) return f.fail(2);
    for (int i = 0; i < 3; ++i)
        if (D[i] < 0.0) D[i] = 0.0;
    if (f.level() >= 1) {
        vcbm::print_line("MBLSR3 : Valeurs propres :");
        vcbm::print_line("%22.14E%22.14E%22.14E", D[0], D[1], D[2]);
        vcbm::print_line("MBLSR3 : Vecteurs propres :");
        for (int i = 0; i < 3; ++i) vcbm::print_line("%22.14E%22.14E%22.14E", V[3 * i], V[3 * i + 1], V[3 * i + 2]);
    }
}

void mblsr2(const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const double* L, double* G, double* V,
            double* EXT, int* IER) {
    static constexpr auto R = vcbm::routine("MBLSR2");
    vcbm::Frame f(R, *IER);
    const int ncmax = *NCMAX, nu = *NCOEFU, nv = *NCOEFV;
    if (nu < 1 || nu > ncmax || nv < 1) return f.fail(1);
    double iner[9], d[3];
    int code = 0;
    mblsr3(NCMAX, NCOEFU, NCOEFV, L, iner, G, V, d, &code);
    if (code != 0) return f.fail(2);
    // The constant coefficient is the barycentre: every other coefficient
    // multiplies a polynomial bounded by 1 on the square.
    const auto l = vcbm::arr3(L, ncmax, nv);
    for (int i = 1; i <= 3; ++i) {
        double e = 0.0;
        for (int b = 1; b <= nv; ++b)
            for (int a = 1; a <= nu; ++a) {
                if (a == 1 && b == 1) continue;
                const double x[3] = {l(a, b, 1), l(a, b, 2), l(a, b, 3)};
                e += projection(3, V, i, x);
            }
        EXT[i - 1] = e;
    }
    order_extents(3, EXT, V);
    make_direct(3, V);
}

void mblbe0(const double* CRV, const int* NDIM, const int* NCOEF, const int* MODE, double* BOX, int* IER) {
    static constexpr auto R = vcbm::routine("MBLBE0");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, ncoef = *NCOEF, mode = *MODE;
    if (ndim < 1 || ncoef < 1) return f.fail(1);
    if (mode != 1 && mode != 2) return f.fail(2);
    const int ncol = ncoef * ndim;
    double* w = f.acquire(box_work, ncol + (mode == 2 ? ncoef * ncoef + 2 * ncoef : 0));
    if (!w) return;
    // One column per component.
    const auto crv = vcbm::mat(CRV, ndim);
    const auto cols = vcbm::mat(w, ncoef);
    for (int k = 1; k <= ndim; ++k)
        for (int j = 1; j <= ncoef; ++j) cols(j, k) = crv(k, j);
    const auto box = vcbm::mat(BOX, 2);
    double* left = w + ncol;
    double* right = left + ncoef;
    double* tri = right + ncoef;
    for (int k = 1; k <= ndim; ++k) {
        double lo, hi;
        if (mode == 1) {
            extremes(ncoef, cols.col(k), lo, hi);
        } else {
            mlmpna(cols.col(k), NCOEF, tri, left, right);
            double lo2, hi2;
            extremes(ncoef, left, lo, hi);
            extremes(ncoef, right, lo2, hi2);
            unite(lo, hi, lo2, hi2);
        }
        box(1, k) = lo;
        box(2, k) = hi;
    }
}

void mblbe1(const double* NET, const int* NDIM, const int* NCMAX, const int* NCOEFU, const int* NCOEFV, const int* MODE,
            double* BOX, int* IER) {
    static constexpr auto R = vcbm::routine("MBLBE1");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, nu = *NCOEFU, nv = *NCOEFV, mode = *MODE;
    if (ndim < 1 || nu < 1 || nv < 1 || nu > *NCMAX) return f.fail(1);
    if (mode != 1 && mode != 2) return f.fail(2);
    const int slab = nu * nv, all = slab * ndim;
    double* w = f.acquire(box_work, mode == 1 ? all : 3 * all + nu * nu);
    if (!w) return;
    // One slab NU x NV per component.
    const int idir = 1;
    int code = 0;
    mfmca5(&idir, NDIM, NCMAX, NCOEFV, const_cast<double*>(NET), NCOEFU, NCOEFV, NCOEFU, NCOEFV, NDIM, w, &code);
    double* left = w + all;
    double* right = left + all;
    if (mode == 2) mlmkab(NCOEFU, NCOEFV, w, NCOEFU, NCOEFV, NDIM, &idir, right + all, NCOEFU, left, right, &code);
    const auto box = vcbm::mat(BOX, 2);
    for (int k = 1; k <= ndim; ++k) {
        double lo, hi;
        const ptrdiff_t at = static_cast<ptrdiff_t>(k - 1) * slab;
        if (mode == 1) {
            extremes(slab, w + at, lo, hi);
        } else {
            double lo2, hi2;
            extremes(slab, left + at, lo, hi);
            extremes(slab, right + at, lo2, hi2);
            unite(lo, hi, lo2, hi2);
        }
        box(1, k) = lo;
        box(2, k) = hi;
    }
}

void mvdrpn(const int* NCURVE, const int* NCOEF, const double* CRV, const double* TOL, int* PLANAR, double* G,
            double* DIR, int* IER) {
    static constexpr auto R = vcbm::routine("MVDRPN");
    vcbm::Frame f(R, *IER);
    const int ncurve = *NCURVE;
    if (!curve_counts_ok(3, ncurve, NCOEF, kMaxConvert)) return f.fail(3);
    int ncmax = 1;
    for (int c = 0; c < ncurve; ++c) ncmax = std::max(ncmax, NCOEF[c]);
    double* w = f.acquire(plane_work, 3 * ncurve * ncmax);
    if (!w) return f.fail(1);
    // One 3 x NCMAX block per curve.
    const int three = 3, one = 1;
    const double* from = CRV;
    for (int c = 0; c < ncurve; ++c) {
        mfmca8(&three, NCOEF + c, &one, &three, &ncmax, &one, from, w + static_cast<ptrdiff_t>(3) * ncmax * c);
        from += 3 * NCOEF[c];
    }
    double v[9], ext[3];
    int code = 0;
    mblcr1(&three, &ncmax, NCURVE, w, NCOEF, G, v, ext, &code);
    if (code != 0) return f.fail(2);
    for (int k = 0; k < 3; ++k) DIR[k] = v[6 + k];
    const double tol = *TOL;
    *PLANAR = 0;
    if (!(ext[2] < tol)) return;  // not planar (a NaN tolerance included)
    if (tol >= ext[1]) return f.fail(20);  // within TOL of a line: no plane is defined
    *PLANAR = 1;
}

}  // extern "C"
