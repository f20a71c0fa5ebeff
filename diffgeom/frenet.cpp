// Frenet frames of canonical curves: the unit frame of a space curve
// (vtrfrt), the frame with its first derivatives (vtdfrt), the general frame
// routine in the plane or in space with derivatives up to the second, unit
// or raw (mtrdfrt), and the tangent, normal, binormal, curvature, its
// arc-length derivative and the torsion on request (mprcrb).
//
// All rest on the tangent and normal searches, so they stay defined where
// the first derivative vanishes or the second is parallel to it.
#include <algorithm>
#include <cmath>

#include "diffgeom/regular.hpp"
#include "diffgeom/search.hpp"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_diffgeom.h"
#include "vcbm_frame.h"
#include "vcbm_polynomial.h"

namespace {

using vcbm::cross3;
using vcbm::geo::pad3;
constexpr int kThree = 3;
constexpr int kFirst = 1, kSecond = 2;
constexpr double kUnitInterval[2] = {0.0, 1.0};

double dot(int n, const double* a, const double* b) noexcept {
    double s = 0.0;
    for (int i = 0; i < n; ++i) s += a[i] * b[i];
    return s;
}

// One vector of the frame and its derivatives up to the second, three
// components each (the third 0 in the plane).
struct Columns {
    double c[3][3] = {};
    double* operator[](int j) noexcept { return c[j]; }
    void negate(int ider) noexcept {
        for (int j = 0; j <= ider; ++j)
            for (double& x : c[j]) x = -x;
    }
    // Columns 0..IDER into OUT(NDIM, 0:IDER).
    void store(int ndim, int ider, double* out) const noexcept {
        for (int j = 0; j <= ider; ++j)
            for (int i = 0; i < ndim; ++i) out[j * ndim + i] = c[j][i];
    }
};

// The derivative of order R of the curve at U, three components.
void derivative(int ncoef, int ndim, const double* coef, int r, const double* u, double* d) noexcept {
    d[2] = 0.0;
    mdrvck(&ncoef, &ndim, coef, &r, u, d);
}

// The unit vector of D(:, 0) (NDIM components) and its derivatives up to
// IDER from those of D (each column three components apart): mdrvnr for the
// first order alone, mdrknr for the first two. Returns a positive code on
// failure.
int unit_derivatives(int ndim, int ider, const double* eps, Columns& d, Columns& w) noexcept {
    int iret = 0;
    if (ider == 1) {
        mdrvnr(&ndim, d[0], d[1], eps, w[1], &iret);
    } else if (ider == 2) {
        double v[9], u[9];
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < ndim; ++i) v[j * ndim + i] = d[j][i];
        mdrknr(&ndim, v, &kSecond, eps, u, &iret);
        for (int j = 1; j < 3; ++j)
            for (int i = 0; i < ndim; ++i) w[j][i] = u[j * ndim + i];
    }
    return iret;
}

// The frame computation of mtrdfrt after its argument checks; returns its code.
struct FrameRequest {
    int ndim, ncoef, ider, nvec;
    bool unit;
    const double *coef, *u, *eps, *bounds;
};

struct FrameResult {
    Columns t, n, b;
    double tnorm = 0.0, nnorm = 0.0;
    int tsense = 0, torder = 0, nsense = 0, norder = 0;
};

// A segment: the tangent is the constant first derivative, the normal the
// arbitrary one, every derivative 0.
int segment_frame(const FrameRequest& q, FrameResult& r) noexcept {
    const double eps = *q.eps;
    for (int i = 0; i < q.ndim; ++i) r.t[0][i] = q.coef[q.ndim + i];
    r.tnorm = zsnorm(&q.ndim, r.t[0]);
    if (r.tnorm <= eps || !(r.tnorm > 0.0)) return 1;
    r.torder = 1;
    r.tsense = 1;
    if (q.nvec >= 2) {
        vcbm::geo::arbitrary_normal(q.ndim, r.t[0], eps, r.n[0]);
        r.nnorm = zsnorm(&q.ndim, r.n[0]);
        if (r.nnorm <= eps || !(r.nnorm > 0.0)) return 1;
        r.nsense = q.ndim == 2 ? 1 : 0;
        if (q.unit) {
            for (int i = 0; i < 3; ++i) r.t[0][i] /= r.tnorm;
            for (int i = 0; i < 3; ++i) r.n[0][i] /= r.nnorm;
        }
    }
    if (q.nvec == 3) cross3(r.t[0], r.n[0], r.b[0]);
    return 0;
}

int general_frame(const FrameRequest& q, FrameResult& r) noexcept {
    const int ndim = q.ndim, ncoef = q.ncoef, ider = q.ider;
    int iret = 0;
    // Tangent: the first derivative longer than EPS.
    Columns traw, tu;  // D_TORDER and its derivatives; the unit tangent and its derivatives
    int k = 1;
    for (; k <= ncoef - 1; ++k) {
        derivative(ncoef, ndim, q.coef, k, q.u, traw[0]);
        vnitvt(q.eps, &ndim, traw[0], tu[0], &r.tnorm, &iret);
        if (iret > 0) return 1;
        if (iret == 0) break;
    }
    if (k > ncoef - 1) {
        r.tnorm = 0.0;
        return 2;
    }
    r.torder = k;
    r.tsense = 1;
    for (int j = 1; j <= ider; ++j) derivative(ncoef, ndim, q.coef, k + j, q.u, traw[j]);
    if (ider >= 1 && (q.unit || q.nvec >= 2)) {
        // The unit vector of D_k / TNORM, whose derivatives are D_(k+j) / TNORM.
        Columns v;
        for (int j = 0; j <= ider; ++j)
            for (int i = 0; i < ndim; ++i) v[j][i] = j == 0 ? tu[0][i] : traw[j][i] / r.tnorm;
        if (unit_derivatives(ndim, ider, q.eps, v, tu) > 0) return 1;
    }
    const double lo = std::min(q.bounds[0], q.bounds[1]), hi = std::max(q.bounds[0], q.bounds[1]);
    if (k % 2 == 0) {
        double p[6];
        const double h = vcbm::geo::sense_step(*q.eps, k, r.tnorm);
        const auto sense = vcbm::geo::chord_sense(ndim, ncoef, q.coef, *q.u, lo, hi, h, tu[0], p, p + 3);
        if (sense == vcbm::geo::kUndefined) {
            r.tsense = 0;
        } else if (sense == vcbm::geo::kReverse) {
            tu.negate(ider);
            traw.negate(ider);
        }
    }
    r.t = q.unit ? tu : traw;
    if (q.nvec == 1) return 0;

    // Normal: the component across T of the first derivative that has one.
    Columns w, nu, nraw, dk;
    double wn = 0.0;
    const int order = vcbm::geo::normal_component(ndim, ncoef, q.coef, q.u, q.eps, tu[0], r.tnorm, k, w[0], wn,
                                                  nu[0], r.nnorm);
    if (order < 0) return 1;
    if (order == 0) {
        // A straight piece: the arbitrary normal, no derivative.
        vcbm::geo::arbitrary_normal(ndim, r.t[0], *q.eps, r.n[0]);
        if (q.unit) munivt(&ndim, r.n[0], r.n[0], q.eps, &iret);
        if (iret > 0) return 1;
        r.nnorm = 0.0;
        r.nsense = ndim == 2 ? 1 : 0;
    } else {
        r.norder = order;
        r.nsense = 1;
        for (int j = 0; j <= ider; ++j) derivative(ncoef, ndim, q.coef, order + j, q.u, dk[j]);
        for (int i = 0; i < ndim; ++i) nraw[0][i] = nu[0][i] * r.nnorm;
        if (ider >= 1 && q.unit) {
            // N is the unit vector of B x T, B that of T x W, W that of D_K
            // (whose derivatives are D_(K+j) / |D_K| before normalisation).
            Columns v, b;
            for (int j = 0; j <= ider; ++j)
                for (int i = 0; i < ndim; ++i) v[j][i] = j == 0 ? w[0][i] : dk[j][i] / wn;
            if (unit_derivatives(ndim, ider, q.eps, v, w) > 0) return 1;
            cross3(tu[0], w[0], b[0]);
            munivt(&kThree, b[0], b[0], q.eps, &iret);
            if (iret > 0) return 1;
            mdrvpv(tu[0], w[0], tu[1], w[1], q.eps, b[1], &iret);
            if (iret > 0) return 1;
            mdrvpv(b[0], tu[0], b[1], tu[1], q.eps, nu[1], &iret);
            if (iret > 0) return 1;
            if (ider == 2) {
                mdrv2pv(tu[0], w[0], tu[1], w[1], tu[2], w[2], q.eps, b[2], &iret);
                if (iret > 0) return 1;
                mdrv2pv(b[0], tu[0], b[1], tu[1], b[2], tu[2], q.eps, nu[2], &iret);
                if (iret > 0) return 1;
            }
        } else if (ider >= 1) {
            // The raw normal is (T x D_K) x T with T the unit tangent: its
            // derivatives by the product rule, from those of the unit
            // tangent and D_(K+1), D_(K+2).
            mdrdpv(&ndim, tu[0], dk[0], tu[0], tu[1], dk[1], tu[1], nraw[1]);
            if (ider == 2)
                md2dpv(&ndim, tu[0], dk[0], tu[0], tu[1], dk[1], tu[1], tu[2], dk[2], tu[2], nraw[2]);
        }
        if (order % 2 == 1) {
            const double h = vcbm::geo::sense_step(*q.eps, order, r.nnorm);
            const auto sense = vcbm::geo::bend_sense(ndim, ncoef, q.coef, *q.u, lo, hi, h, nu[0]);
            if (sense == vcbm::geo::kUndefined) {
                r.nsense = 0;
            } else if (sense == vcbm::geo::kReverse) {
                nu.negate(ider);
                nraw.negate(ider);
            }
        }
        r.n = q.unit ? nu : nraw;
    }
    if (q.nvec < 3) return 0;

    // Binormal: T x N and its derivatives.
    cross3(r.t[0], r.n[0], r.b[0]);
    if (ider >= 1 && q.unit) {
        mdrvpv(r.t[0], r.n[0], r.t[1], r.n[1], q.eps, r.b[1], &iret);
        if (iret > 0) return 1;
        if (ider == 2) mdrv2pv(r.t[0], r.n[0], r.t[1], r.n[1], r.t[2], r.n[2], q.eps, r.b[2], &iret);
        if (iret > 0) return 1;
    } else if (ider >= 1) {
        mderpv(r.t[0], r.n[0], r.t[1], r.n[1], r.b[1]);
        if (ider == 2) md2rpv(r.t[0], r.n[0], r.t[1], r.n[1], r.t[2], r.n[2], r.b[2]);
    }
    return 0;
}

// The unit tangent and normal at a regular point of a space curve (a first
// derivative longer than EPS, a second one with a component across it), with
// the operations of mdiedr; false, having written nothing, at any other point.
bool regular_dihedron(int ncoef, const double* coef, double u, double eps, const vcbm::NormSizes& sz, double* tan,
                      double* nrm) noexcept {
    using vcbm::geo::unit3;
    double d1[3], d2[3], t[3], w[3], n[3], tnorm, wn, nnorm;
    vcbm::geo::first_two<3>(ncoef, coef, u, d1, d2, vcbm::geo::SecondOnce{});
    const bool tangent = unit3(d1, t, eps, tnorm, sz), second = unit3(d2, w, eps, wn, sz);
    if (!tangent || !(tnorm > 0.0) || !second) return false;
    const double tw = vcbm::dot3(t, w);
    for (int i = 0; i < 3; ++i) n[i] = (w[i] - t[i] * tw) * wn;
    const double eps2 = eps + 2.0 * eps * wn / tnorm;
    if (!unit3(n, n, eps2, nnorm, sz)) return false;
    std::copy(t, t + 3, tan);
    std::copy(n, n + 3, nrm);
    return true;
}

}  // namespace

extern "C" {

void mtrdfrt(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
             const double* BOUNDS, const int* IDER, const int* NVEC, const int* INORM, double* T, double* TNORM,
             int* TSENSE, int* TORDER, double* N, double* NNORM, int* NSENSE, int* NORDER, double* B, int* IER) {
    static constexpr auto R = vcbm::routine("MTRDFRT");
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // every exit is reported, success included
    const int ndim = *NDIM, ncoef = *NCOEF, ider = *IDER, nvec = *NVEC;
    *TNORM = 0.0;
    *TSENSE = 0;
    *TORDER = 0;
    if (nvec >= 2) {
        *NNORM = 0.0;
        *NSENSE = 0;
        *NORDER = 0;
    }
    if (ndim < 2 || ndim > 3 || ider < 0 || ider > 2 || nvec < 1 || nvec > 3) return f.fail(3);
    if (ncoef < 2) return f.fail(2);
    if (ncoef > vcbm::geo::kMaxCoef) return f.fail(10);

    const FrameRequest q{ndim, ncoef, ider, nvec, *INORM % 2 != 0, COEF, U, EPS, BOUNDS};
    FrameResult r;
    const int code = ncoef == 2 ? segment_frame(q, r) : general_frame(q, r);
    // Whatever was found before a failure is stored as well.
    *TNORM = r.tnorm;
    *TSENSE = r.tsense;
    *TORDER = r.torder;
    r.t.store(ndim, ider, T);
    if (nvec >= 2) {
        *NNORM = r.nnorm;
        *NSENSE = r.nsense;
        *NORDER = r.norder;
        r.n.store(ndim, ider, N);
    }
    if (nvec == 3) r.b.store(ndim, ider, B);
    f.fail(code);
}

void vtdfrt(const int* NCOEF, const double* COEF, const double* U, const int* INORM, double* T, double* N, double* B,
            double* DT, double* DN, double* DB, int* IER) {
    static constexpr auto R = vcbm::routine("VTDFRT");
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // every exit is reported, success included
    if (*NCOEF < 2) return f.fail(2);
    double eps = 0.0, tnorm, nnorm, t[6], n[6], b[6];
    meps1(&eps);
    int tsense, torder, nsense, norder, iret = 0;
    mtrdfrt(&kThree, NCOEF, COEF, U, &eps, kUnitInterval, &kFirst, &kThree, INORM, t, &tnorm, &tsense, &torder, n,
            &nnorm, &nsense, &norder, b, &iret);
    if (iret < 1) {
        std::copy(t, t + 3, T);
        std::copy(n, n + 3, N);
        std::copy(b, b + 3, B);
        std::copy(t + 3, t + 6, DT);
        std::copy(n + 3, n + 6, DN);
        std::copy(b + 3, b + 6, DB);
    }
    f.fail(iret);
}

// At a regular point and below the trace level of the tangent and normal
// routines, the dihedron is computed in place with the operations of mdiedr
// (the same results); the one visible act of that call, mvtan0's report of
// its code 0, is made here.
void vtrfrt(const int* NCOEF, const double* COEF, const double* U, double* T, double* N, double* B, int* IER) {
    static constexpr auto R = vcbm::routine("VTRFRT");
    static constexpr auto R_TAN = vcbm::routine("MVTAN0");
    static constexpr int kQuietBelow = std::min({vcbm::routine("MDIEDR").threshold, R_TAN.threshold,
                                                 vcbm::routine("MDIED1").threshold, vcbm::routine("VNITVT").threshold});
    vcbm::Frame f(R, *IER);
    const double eps = vcbm::tol::eps1();
    const vcbm::NormSizes sz = vcbm::norm_sizes();
    const int ncoef = *NCOEF;
    if (ncoef < 2) return f.fail(2);
    int iret = 0;
    bool straight = true;
    if (ncoef == 2) {
        std::copy(COEF + 3, COEF + 6, T);
        if (eps > zsnorm(&kThree, T)) return f.fail(1);
    } else if (f.level() < kQuietBelow && ncoef <= vcbm::geo::kMaxCoef &&
               regular_dihedron(ncoef, COEF, *U, eps, sz, T, N)) {
        vcbm::report_code(R_TAN, 0);
        straight = false;
    } else {
        double tnorm, nnorm;
        int tsense, torder, nsense, norder;
        mdiedr(&kThree, NCOEF, COEF, U, &eps, kUnitInterval, T, &tnorm, &torder, &tsense, N, &nnorm, &norder,
               &nsense, &iret);
        if (iret != 0 && iret != -2) return f.fail(1);
        straight = iret == -2;
    }
    if (straight) {
        vcbm::geo::arbitrary_normal(3, T, eps, N);
        munivt(&kThree, T, T, &eps, &iret);
        if (iret > 0) return f.fail(1);
        munivt(&kThree, N, N, &eps, &iret);
        if (iret > 0) return f.fail(1);
    }
    cross3(T, N, B);
    double bnorm;
    if (!vcbm::geo::unit3(B, B, eps, bnorm, sz)) return f.fail(1);  // munivt's code 101
}

void mprcrb(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* BOUNDS,
            const int* IOPT, const double* EPS, const int* IDERIV, double* TAN, double* NRM, double* BIN, double* CURV,
            double* TORS, double* DCURV, int* TSENSE, int* NSENSE, int* ICUSP, int* IER) {
    static constexpr auto R = vcbm::routine("MPRCRB");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, iopt = *IOPT, ideriv = *IDERIV;
    *ICUSP = 0;
    *DCURV = 0.0;
    *TSENSE = 1;
    *NSENSE = 1;
    for (int i = 0; i <= ideriv; ++i) CURV[i] = TORS[i] = 0.0;
    if (ndim < 2 || ndim > 3 || iopt < 1 || iopt > 7) return f.fail(1);

    double tnorm = 0.0, nnorm = 0.0;
    int torder = 0, norder = 0, iret = 0;
    mvtan0(NDIM, NCOEF, COEF, U, EPS, BOUNDS, IDERIV, TAN, &tnorm, &torder, TSENSE, TAN + ndim, &iret);
    if (iret > 0) return f.fail(2);
    if (iret < 0) {
        std::fill(NRM, NRM + ndim, 0.0);
        *NSENSE = 0;
        return f.fail(1);
    }
    if (iopt == 1) return;

    mdied1(NDIM, NCOEF, COEF, U, EPS, BOUNDS, IDERIV, TAN, &tnorm, &torder, TAN + ndim, NRM, &nnorm, &norder, NSENSE,
           NRM + ndim, &iret);
    if (iret > 0) return f.fail(2);
    if (iret < 0) {
        // A straight piece: zero curvature and torsion in the plane; no
        // normal, hence no frame, in space.
        if (ndim == 2) return;
        return f.fail(-1);
    }
    if (iopt != 3 && ndim == 3) {
        cross3(TAN, NRM, BIN);
        if (ideriv == 1) {
            mdrvpv(TAN, NRM, TAN + 3, NRM + 3, EPS, BIN + 3, &iret);
            if (iret > 0) return f.fail(2);
        }
    }
    if (iopt < 3) return;

    // The leading terms D_p = TNORM TAN + ... and the normal component of
    // D_q give the curvature when q = 2p; a lower q is a cusp (infinite
    // curvature), a higher one a flat point.
    const int p = torder, q = norder;
    if (q < 2 * p) {
        *ICUSP = 1;
    } else if (q == 2 * p) {
        const double fp = vcbm::factorial(p);
        CURV[0] = 2.0 * fp * fp * nnorm / (vcbm::factorial(q) * tnorm * tnorm);
    }
    if (iopt < 5) return;
    double d2[3] = {0, 0, 0}, d3[3] = {0, 0, 0};
    derivative(*NCOEF, ndim, COEF, 2, U, d2);
    derivative(*NCOEF, ndim, COEF, 3, U, d3);
    const double t3 = tnorm * tnorm * tnorm;
    if (iopt == 5 || iopt == 7) *DCURV = (dot(ndim, d3, NRM) - 3.0 * CURV[0] * tnorm * dot(ndim, d2, TAN)) / t3;
    if (iopt < 6) return;
    if (ndim == 2) return;  // TORS(1) stays 0
    if (CURV[0] == 0.0 || *ICUSP == 1) return f.fail(-2);
    TORS[0] = dot(3, BIN, d3) / CURV[0] / t3;
}

}  // extern "C"
