// Unit tangent and unit principal normal of a canonical curve at a
// parameter, at regular and at singular points (mvtan0, mvtang, mdied1,
// mdiedr), and the derivatives of a normalised vector and of a normalised
// cross product (mdrvnr, mdrvpv).
//
// Where the first derivative vanishes the tangent comes from the first
// derivative that does not (its order is TORDER); the principal normal from
// the first derivative above it with a component across the tangent
// (NORDER). A derivative of even order gives a tangent whose sense may be
// wrong on one side (a cusp), a normal component of odd order a normal whose
// sense may change (an inflexion): the sense tests of search.hpp decide.
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "diffgeom/search.hpp"
#include "frame/frame.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_diffgeom.h"
#include "vcbm_frame.h"
#include "vcbm_polynomial.h"

namespace vcbm::geo {

double sense_step(double eps, int order, double len) noexcept {
    double lnfact = 0.0;
    for (int k = 2; k <= order; ++k) lnfact += std::log(static_cast<double>(k));
    double h = std::exp((std::log(eps) + lnfact - std::log(len)) / order);
    const double hmin = norm_sizes().smallest;
    if (!(h >= hmin)) h = hmin;  // NaN (EPS <= 0) included
    return h;
}

namespace {

// The two trial parameters U + H and U - H clamped to [LO, HI], and the
// verdict from the signs S of the tested sides: a side whose parameter does
// not move, or whose sign is 0 (or NaN), counts as untested.
template <class Side>
Sense two_sides(double u, double lo, double hi, double h, Side side) noexcept {
    int count = 2, sum = 0;
    for (double step : {h, -h}) {
        const double u1 = std::min(hi, std::max(lo, u + step));
        if (u1 == u) {
            --count;
            continue;
        }
        const double s = side(u1);
        if (s > 0.0)
            ++sum;
        else if (s < 0.0)
            --sum;
        else
            --count;
    }
    if (count <= 0 || count != std::abs(sum)) return kUndefined;
    return sum < 0 ? kReverse : kKeep;
}

}  // namespace

Sense chord_sense(int ndim, int ncoef, const double* coef, double u, double lo, double hi, double h,
                  const double* dir, double* p0, double* p1) noexcept {
    mpocrb(&ndim, &ncoef, coef, &ndim, &u, p0);
    return two_sides(u, lo, hi, h, [&](double u1) {
        mpocrb(&ndim, &ncoef, coef, &ndim, &u1, p1);
        double s = 0.0;
        for (int i = 0; i < ndim; ++i) s += dir[i] * ((p1[i] - p0[i]) / (u1 - u));
        return s;
    });
}

Sense bend_sense(int ndim, int ncoef, const double* coef, double u, double lo, double hi, double h,
                 const double* dir) noexcept {
    double p0[3], pa[3], pb[3];
    mpocrb(&ndim, &ncoef, coef, &ndim, &u, p0);
    return two_sides(u, lo, hi, h, [&](double u1) {
        const double du = u1 - u, mid = u + du / 2;
        mpocrb(&ndim, &ncoef, coef, &ndim, &u1, pa);
        mpocrb(&ndim, &ncoef, coef, &ndim, &mid, pb);
        double s = 0.0;
        for (int i = 0; i < ndim; ++i) s += dir[i] * (((pa[i] - 2.0 * pb[i]) + p0[i]) * 2.0 / (du * du));
        return s;
    });
}

int normal_component(int ndim, int ncoef, const double* coef, const double* u, const double* eps,
                     const double* tan, double tnorm, int torder, double* w, double& wn, double* nrm,
                     double& nnorm) noexcept {
    int iret = 0;
    for (int k = torder + 1; torder >= 1 && k <= ncoef - 1; ++k) {
        mdrvck(&ncoef, &ndim, coef, &k, u, w);
        vnitvt(eps, &ndim, w, w, &wn, &iret);
        if (iret > 0) return -1;
        if (iret < 0) continue;
        double tw = 0.0;
        for (int i = 0; i < ndim; ++i) tw += tan[i] * w[i];
        for (int i = 0; i < ndim; ++i) nrm[i] = (w[i] - tan[i] * tw) * wn;
        const double eps2 = tnorm > 0.0 ? *eps + 2.0 * *eps * wn / tnorm : HUGE_VAL;
        vnitvt(&eps2, &ndim, nrm, nrm, &nnorm, &iret);
        if (iret > 0) return -1;
        if (iret == 0) return k;
    }
    return 0;
}

void arbitrary_normal(int ndim, const double* t, double eps, double* n) noexcept {
    if (ndim == 2) {
        n[0] = -t[1];
        n[1] = t[0];
        return;
    }
    double n0[3] = {-t[1], t[0], 0.0}, b[3];
    if (std::fabs(t[0]) <= eps && std::fabs(t[1]) <= eps) {
        n0[0] = 0.0;
        n0[1] = 1.0;
    }
    cross3(t, n0, b);
    cross3(b, t, n);
}

}  // namespace vcbm::geo

namespace {

using vcbm::geo::kMaxCoef;
constexpr int kThree = 3;
constexpr int kNoDerivative = 0;

// One dump line of mdrvnr: a label and the NDIM components of V.
void dump(const char* label, int ndim, const double* v) noexcept {
    char text[400];
    int len = std::snprintf(text, sizeof text, "%s", label);
    for (int i = 0; i < ndim && len < 360; ++i) len += std::snprintf(text + len, sizeof text - len, " %.17g", v[i]);
    vcbm::print_line("%s", text);
}

// The normal search of mdied1; returns its code.
int normal_search(int ndim, int ncoef, const double* COEF, const double* U, const double* EPS, const double* BOUNDS,
                  bool deriv, const double* TAN, double tnorm, int torder, const double* DTAN, double* NRM,
                  double* NNORM, int* NORDER, int* NSENSE, double* DNRM) noexcept {
    if (ndim < 2 || ndim > 3) return 1;
    *NSENSE = 1;
    *NORDER = 0;
    if (ncoef > kMaxCoef) return 10;
    const double eps = *EPS;
    double w[3], wn = 0.0;
    int iret = 0;
    const int order = vcbm::geo::normal_component(ndim, ncoef, COEF, U, EPS, TAN, tnorm, torder, w, wn, NRM, *NNORM);
    if (order < 0) return 1;
    if (order == 0) {
        // A straight piece: a quarter turn of the tangent in the plane, no
        // normal in space.
        if (ndim == 2) {
            vcbm::geo::arbitrary_normal(2, TAN, eps, NRM);
        } else {
            for (int i = 0; i < 3; ++i) NRM[i] = 0.0;
            *NSENSE = 0;
        }
        *NNORM = 0.0;
        if (deriv)
            for (int i = 0; i < ndim; ++i) DNRM[i] = 0.0;
        return -1;
    }
    *NORDER = order;

    if (deriv) {
        // N is the unit vector of B x T with B the unit vector of T x W, W
        // the unit vector of D_K; each derivative by the rule of its unit
        // vector, with D_(K+1) / |D_K| the derivative of W before its
        // normalisation.
        double v[3], dw[3];
        const int k1 = order + 1;
        mdrvck(&ncoef, &ndim, COEF, &k1, U, v);
        for (int i = 0; i < ndim; ++i) v[i] /= wn;
        mdrvnr(&ndim, w, v, EPS, dw, &iret);
        if (iret > 0) return 1;
        double t3[3], w3[3], dt3[3], dw3[3], db[3], b[3], dn[3];
        vcbm::geo::pad3(ndim, TAN, t3);
        vcbm::geo::pad3(ndim, w, w3);
        vcbm::geo::pad3(ndim, DTAN, dt3);
        vcbm::geo::pad3(ndim, dw, dw3);
        mdrvpv(t3, w3, dt3, dw3, EPS, db, &iret);
        if (iret > 0) return 1;
        // In the plane T x W is across it: the three components are kept.
        vcbm::cross3(t3, w3, b);
        munivt(&kThree, b, b, EPS, &iret);
        if (iret > 0) return 1;
        mdrvpv(b, t3, db, dt3, EPS, dn, &iret);
        if (iret > 0) return 1;
        for (int i = 0; i < ndim; ++i) DNRM[i] = dn[i];
    }

    if (order % 2 == 1) {
        double lo = std::min(BOUNDS[0], BOUNDS[1]), hi = std::max(BOUNDS[0], BOUNDS[1]);
        const double h = vcbm::geo::sense_step(eps, order, *NNORM);
        const auto sense = vcbm::geo::bend_sense(ndim, ncoef, COEF, *U, lo, hi, h, NRM);
        if (sense == vcbm::geo::kUndefined) {
            *NSENSE = 0;
        } else if (sense == vcbm::geo::kReverse) {
            for (int i = 0; i < ndim; ++i) NRM[i] = -NRM[i];
            if (deriv)
                for (int i = 0; i < ndim; ++i) DNRM[i] = -DNRM[i];
        }
    }
    return 0;
}

}  // namespace

extern "C" {

void mdrvnr(const int* NDIM, const double* XVECTE, const double* XDVECT, const double* EPS, double* DVECNO,
            int* IER) {
    static constexpr auto R = vcbm::routine("MDRVNR");
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // every exit is reported, success included
    const int ndim = *NDIM;
    const bool talk = f.level() >= 5;
    if (talk) {
        dump("MDRVNR : XVECTE(1:3) =", ndim, XVECTE);
        dump("       XDVECT(1:3) =", ndim, XDVECT);
    }
    const double l = zsnorm(NDIM, XVECTE);
    // A zero length fails whatever EPS is: nothing is divided by it.
    if (*EPS > l || !(l > 0.0)) {
        vcbm::debug_line("MDRVNR : Le vecteur est nul");
        return f.fail(1);
    }
    const double r = 1.0 / l;
    double s = 0.0;
    for (int i = 0; i < ndim; ++i) s += XVECTE[i] * XDVECT[i];
    const double r3s = r * r * r * s;
    for (int i = 0; i < ndim; ++i) DVECNO[i] = XDVECT[i] * r - XVECTE[i] * r3s;
    if (talk) dump("MDRVNR : DVECNO(1:3) =", ndim, DVECNO);
}

void mdrvpv(const double* A, const double* B, const double* DA, const double* DB, const double* EPS, double* DUNIT,
            int* IER) {
    static constexpr auto R = vcbm::routine("MDRVPV");
    vcbm::Frame f(R, *IER);
    double c[3], dc[3], t[3];
    vcbm::cross3(A, B, c);
    vcbm::cross3(A, DB, dc);
    vcbm::cross3(DA, B, t);
    for (int i = 0; i < 3; ++i) dc[i] += t[i];
    int iret = 0;
    mdrvnr(&kThree, c, dc, EPS, DUNIT, &iret);
    f.fail(iret);
}

void mvtan0(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
            const double* BOUNDS, const int* IDERIV, double* TAN, double* TNORM, int* TORDER, int* TSENSE,
            double* DTAN, int* IER) {
    static constexpr auto R = vcbm::routine("MVTAN0");
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // every exit is reported, success included
    const int ndim = *NDIM, ncoef = *NCOEF;
    const bool deriv = *IDERIV == 1;
    *TORDER = 0;
    int order = 0;
    if (ncoef - 1 >= 1) {
        if (ncoef > kMaxCoef) return f.fail(10);
        // The two points of the sense test: in place up to three dimensions.
        thread_local vcbm::WorkBase<double, 6> work;
        double* p = nullptr;
        if (ndim > INT_MAX / 2 || !(p = f.acquire(work, 2 * std::max(ndim, 0)))) return f.fail(1);

        *TSENSE = 1;
        int iret = 0;
        for (int k = 1; k <= ncoef - 1; ++k) {
            mdrvck(NCOEF, NDIM, COEF, &k, U, TAN);
            vnitvt(EPS, NDIM, TAN, TAN, TNORM, &iret);
            if (iret > 0) return f.fail(1);
            if (iret == 0) {
                order = k;
                break;
            }
        }
        if (order > 0) {
            *TORDER = order;
            if (deriv) {
                // The derivative of D_k / |D_k|, exact for k = 1.
                const int k1 = order + 1;
                mdrvck(NCOEF, NDIM, COEF, &k1, U, DTAN);
                for (int i = 0; i < ndim; ++i) DTAN[i] /= *TNORM;
                mdrvnr(NDIM, TAN, DTAN, EPS, DTAN, &iret);
            }
            if (order % 2 == 0) {
                const double lo = std::min(BOUNDS[0], BOUNDS[1]), hi = std::max(BOUNDS[0], BOUNDS[1]);
                const double h = vcbm::geo::sense_step(*EPS, order, *TNORM);
                const auto sense = vcbm::geo::chord_sense(ndim, ncoef, COEF, *U, lo, hi, h, TAN, p, p + ndim);
                if (sense == vcbm::geo::kUndefined) {
                    *TSENSE = 0;
                } else if (sense == vcbm::geo::kReverse) {
                    for (int i = 0; i < ndim; ++i) TAN[i] = -TAN[i];
                    if (deriv)
                        for (int i = 0; i < ndim; ++i) DTAN[i] = -DTAN[i];
                }
            }
            return;
        }
    }
    // No derivative of order 1 to NCOEF-1 is longer than EPS.
    for (int i = 0; i < ndim; ++i) TAN[i] = 0.0;
    *TNORM = 0.0;
    *TSENSE = 0;
    if (deriv)
        for (int i = 0; i < ndim; ++i) DTAN[i] = 0.0;
    f.fail(-1);
}

void mvtang(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
            const double* BOUNDS, double* TAN, double* TNORM, int* TORDER, int* TSENSE, int* IER) {
    static constexpr auto R = vcbm::routine("MVTANG");
    vcbm::Frame f(R, *IER);
    double dtan[3];  // not written: no derivative is asked for
    int iret = 0;
    mvtan0(NDIM, NCOEF, COEF, U, EPS, BOUNDS, &kNoDerivative, TAN, TNORM, TORDER, TSENSE, dtan, &iret);
    f.fail(iret);
}

void mdied1(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
            const double* BOUNDS, const int* IDERIV, const double* TAN, const double* TNORM, const int* TORDER,
            const double* DTAN, double* NRM, double* NNORM, int* NORDER, int* NSENSE, double* DNRM, int* IER) {
    static constexpr auto R = vcbm::routine("MDIED1");
    vcbm::Frame f(R, *IER);
    const int code = normal_search(*NDIM, *NCOEF, COEF, U, EPS, BOUNDS, *IDERIV == 1, TAN, *TNORM, *TORDER, DTAN,
                                   NRM, NNORM, NORDER, NSENSE, DNRM);
    f.fail(code);
    if (code < 0) vcbm::report_code(R, code);  // negative codes are reported too
}

void mdiedr(const int* NDIM, const int* NCOEF, const double* COEF, const double* U, const double* EPS,
            const double* BOUNDS, double* TAN, double* TNORM, int* TORDER, int* TSENSE, double* NRM, double* NNORM,
            int* NORDER, int* NSENSE, int* IER) {
    static constexpr auto R = vcbm::routine("MDIEDR");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM;
    const int code = [&] {
        if (ndim < 2 || ndim > 3) return 1;
        double dtan[3], dnrm[3];
        int iret = 0;
        mvtan0(NDIM, NCOEF, COEF, U, EPS, BOUNDS, &kNoDerivative, TAN, TNORM, TORDER, TSENSE, dtan, &iret);
        if (iret > 0) return 1;
        if (iret < 0) {
            for (int i = 0; i < ndim; ++i) NRM[i] = 0.0;
            *NNORM = 0.0;
            *NSENSE = 0;
            *NORDER = 0;
            return -1;
        }
        mdied1(NDIM, NCOEF, COEF, U, EPS, BOUNDS, &kNoDerivative, TAN, TNORM, TORDER, dtan, NRM, NNORM, NORDER,
               NSENSE, dnrm, &iret);
        return iret == 0 ? 0 : iret == -1 ? -2 : 1;
    }();
    f.fail(code);
    if (code < 0) vcbm::report_code(R, code);  // negative codes are reported too
}

}  // extern "C"
