// Intersection of a polynomial curve on [0, 1] with a plane (pcvint), and
// the test whether the curve lies in the plane (ckplcv).
//
// The intersection parameters are the roots on [0, 1] of the signed distance
// g(t) = N . C(t) - N . P, N the unit normal. The general tolerance EPS1 is a
// length; for the duration of the call it is scaled by the curve's speed at
// a fixed parameter so that the tests on g, a function of the parameter,
// compare like with like.
#include <cmath>
#include <limits>

#include "VelCurveBasedInfrastructure.h"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "vcbm_frame.h"
#include "vcbm_intersect.h"
#include "vcbm_polynomial.h"
#include "vcbm_solve.h"

namespace {

// The parameter of the speed, 0.48 as a single-precision value.
constexpr double kSpeedParameter = static_cast<double>(0.48f);
static_assert(kSpeedParameter == 0.47999998927116394);

// Code of ckplcv when the control polygon cannot be formed: not 0, so that
// pcvint carries on with the general path.
constexpr int kNoPolygon = 4;

// pcvint's code when a coefficient, the normal or the plane point is not
// finite, or a tolerance is NaN: a NaN distance passes every "within EPS1"
// test, so the curve would be taken to lie in the plane.
constexpr int kNotFinite = 4;

bool all_finite(long n, const double* v) noexcept {
    for (long k = 0; k < n; ++k)
        if (!std::isfinite(v[k])) return false;
    return true;
}

}  // namespace

extern "C" {

void ckplcv(const int* NDIM, const int* NCOEF, const double* COEF, const double* PNORM, const double* PPLANE,
            double* POLYG, int* IERCK) {
    *IERCK = 0;
    const bool talk = nfndeb() == 1;
    if (*NDIM != 3) {
        *IERCK = 3;
        if (talk) {
            vcbm::print_line(" MSG FROM CKPLCV:");
            vcbm::print_line("     INPUT NDIM IS NOT 3");
        }
        return;
    }
    double n[3];
    if (unitvt(NDIM, PNORM, n) != 0) {
        *IERCK = 2;
        if (talk) {
            vcbm::print_line(" MSG FROM CKPLCV:");
            vcbm::print_line("     INPUT PLANE NORMAL VECTOR IS ZERO");
        }
        return;
    }
    int ier = 0;
    cpolyg(NDIM, NDIM, NCOEF, COEF, POLYG, &ier);
    if (ier != 0) {
        *IERCK = kNoPolygon;
        if (talk) vcbm::print_line(" MSG FROM CKPLCV:");
        return;
    }
    const double eps = vcbm::tol::eps1();
    auto poly = vcbm::mat(POLYG, 3);
    for (int k = 1; k <= *NCOEF; ++k) {
        const double dist = n[0] * (poly(1, k) - PPLANE[0]) + n[1] * (poly(2, k) - PPLANE[1]) +
                            n[2] * (poly(3, k) - PPLANE[2]);
        if (std::fabs(dist) > eps) {
            *IERCK = 1;
            return;
        }
    }
}

void pcvint(const int* NDIM, const int* NCOEF, const double* COEF, const double* PNORM, const double* PPLANE,
            double* WORK, const double* TREF, double* TNEAR, int* NSOL, double* SOL, int* IER) {
    static constexpr auto R = vcbm::routine("PCVINT");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, ncoef = *NCOEF;

    // Speed of the curve: the norm of its derivative at the fixed parameter
    // (the point goes to SOL, free until the normal is written there).
    double speed = 0.0;
    if (ndim >= 1 && ncoef >= 2) {
        int ncoefd = 0;
        derivc(NDIM, NCOEF, COEF, &ncoefd, WORK);
        const double t = kSpeedParameter;
        pocurv(NDIM, &ncoefd, WORK, &t, SOL);
        speed = zsnorm(NDIM, SOL);
    }
    if (f.level() >= 2)
        vcbm::print_line("PCVINT : Norme du vecteur derive en ! %.17g = %.17g", kSpeedParameter, speed);
    // The scaled tolerance is seen by everything called from here on, on
    // this thread only, and restored on every exit (before the report).
    vcbm::tol::ScopedEps1 scaled(vcbm::tol::eps1() * speed);
    if (ndim >= 1 && ncoef >= 1 &&
        (!all_finite(static_cast<long>(ndim) * ncoef, COEF) || !all_finite(ndim, PNORM) ||
         !all_finite(ndim, PPLANE) || !std::isfinite(vcbm::tol::eps1()) || std::isnan(vcbm::tol::epsnr()) ||
         std::isnan(vcbm::tol::epspb())))
        return f.fail(kNotFinite);

    if (unitvt(NDIM, PNORM, SOL) != 0) {
        if (f.level() != 0) vcbm::print_line("PCVINT : Undefined direction of plane normale");
        return f.fail(101);
    }
    if (ndim == 3) {
        int ierck = 0;
        ckplcv(NDIM, NCOEF, COEF, SOL, PPLANE, WORK, &ierck);
        if (ierck == 0) {
            *NSOL = 1;
            *TNEAR = *TREF;
            if (f.level() != 0) vcbm::print_line("PCVINT : La courbe est dans le plan a EPS4 pres");
            return f.fail(1);
        }
    }

    // The signed distance g(t) = N . C(t) - N . PPLANE, in WORK.
    double* g = WORK;
    auto coef = vcbm::mat(COEF, ndim);
    double offset = 0.0;
    for (int d = 1; d <= ndim; ++d) offset += SOL[d - 1] * PPLANE[d - 1];
    for (int k = 1; k <= ncoef; ++k) {
        double s = 0.0;
        for (int d = 1; d <= ndim; ++d) s += SOL[d - 1] * coef(d, k);
        g[k - 1] = s;
    }
    if (ncoef >= 1) g[0] -= offset;

    double aux[64];
    int nroot = 0, code = 0;
    const double zero = 0.0, one = 1.0;
    ur1pls(NCOEF, g, &zero, &one, &nroot, SOL, aux, &code);
    if (code == 2) return f.fail(kNotFinite);  // a distance coefficient overflowed
    if (code == 10) return f.fail(10);          // the root finder's work space was refused
    if (code == 100) {
        *TNEAR = *TREF;
        if (f.level() != 0) vcbm::print_line("PCVINT : All values are solutions (IERCOD=100) %d", 2);
        return f.fail(2);
    }
    *NSOL = nroot;
    if (code == 200) {
        *TNEAR = *TREF;
        if (f.level() != 0) vcbm::print_line("Probably all values are solutions (IERCOD=200) %d", 3);
        return f.fail(3);
    }
    if (nroot == 0) {
        if (f.level() != 0) vcbm::print_line("PCVINT : Unable to find a root");
        return;
    }
    // Nearest root; on a tie the later (larger) one.
    double best = std::numeric_limits<double>::infinity();
    for (int k = 0; k < nroot; ++k) {
        const double d = std::fabs(SOL[k] - *TREF);
        if (d <= best) {
            best = d;
            *TNEAR = SOL[k];
        }
    }
}

}  // extern "C"
