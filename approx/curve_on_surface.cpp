// The space curve S(C(t)) traced on a polynomial patch S(u, v) by a planar
// polynomial curve C(t) = (u(t), v(t)) of its parameter plane.
//
// A point or a straight line C gives the image exactly by composition
// (mequvt). Otherwise the composition and its first two derivatives by the
// chain rule (mpoeq1) are approximated by the function-approximation driver
// (mapck6 -> mapfnc) on the curve's interval, so every segment is a
// polynomial in t itself. mpoeq1 reads the patch and the curve from an
// evaluation block set up by mapck6 for the duration of its call, one block
// per thread.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "frame/frame.hpp"
#include "vcbm_approx.h"
#include "vcbm_polynomial.h"

namespace {

using std::ptrdiff_t;

// What mpoeq1 evaluates: the patch component first, P(NDIM, NU, NV), the
// planar curve C(NDIM2, NCOEF2), and scratch for 5 NDIM partial derivatives.
struct EvaluationBlock {
    int ndim = 0, nu = 0, nv = 0;
    const double* patch = nullptr;
    int ndim2 = 0, ncoef2 = 0;
    const double* curve = nullptr;
    double* scratch = nullptr;
};
thread_local EvaluationBlock t_block;

// Restores the previous block when mapck6 returns.
struct BlockScope {
    EvaluationBlock saved;
    explicit BlockScope(const EvaluationBlock& b) noexcept : saved(t_block) { t_block = b; }
    ~BlockScope() { t_block = saved; }
    BlockScope(const BlockScope&) = delete;
    BlockScope& operator=(const BlockScope&) = delete;
};

// Common checks of mapck5 and mapck6.
bool sizes_ok(int ncfumx, int ncfvmx, int ndim, int ncoefu, int ncoefv, int ndim2, int ncoef2, int maxcoef,
              int ndimax, int ldcoef, int maxseg) {
    constexpr int kMaxCoef = 61;  // the partial derivatives of the patch are formed up to 61 coefficients
    return ndim >= 1 && ndim <= ndimax && maxcoef <= ldcoef && ncoefu >= 1 && ncoefu <= ncfumx && ncoefv >= 1 &&
           ncoefv <= ncfvmx && ncoefu <= kMaxCoef && ncoefv <= kMaxCoef && ndim2 == 2 && ncoef2 >= 1 && maxseg >= 1;
}

// Coefficients of the iso-curve of SURF(NCFUMX, NCFVMX, NDIM) at the fixed
// parameter X, as a curve RES(NDIMAX, N) in the other parameter: ALONG_V
// fixes u = X, otherwise v = X.
void iso_curve(const double* surf, int ncfumx, int ncfvmx, int ndim, int nu, int nv, bool along_v, double x,
               int ndimax, double* res) {
    auto s = vcbm::arr3(surf, ncfumx, ncfvmx);
    auto r = vcbm::mat(res, ndimax);
    const int n = along_v ? nv : nu, m = along_v ? nu : nv;
    for (int k = 1; k <= ndim; ++k)
        for (int i = 1; i <= n; ++i) {
            double p = 0.0;
            for (int l = m; l >= 1; --l) p = p * x + (along_v ? s(l, i, k) : s(i, l, k));
            r(k, i) = p;
        }
}

}  // namespace

extern "C" {

void mpoeq1(const int* NDIM, const double* /*TSEG: not read*/, const double* T, const int* IDERIV, double* VAL,
            int* IER) {
    const EvaluationBlock& b = t_block;
    const int ideriv = *IDERIV;
    if (ideriv < 0 || ideriv > 2) {
        *IER = 1;
        return;
    }
    if (b.ndim2 != 2) {
        *IER = 2;
        return;
    }
    if (*NDIM != b.ndim) return;
    const int ndim = b.ndim;
    // (u, v) and its derivatives up to IDERIV.
    double c[6] = {};
    int code = 0;
    mdrvcb(IDERIV, &b.ndim2, &b.ncoef2, b.curve, T, c, &code);
    const double u = c[0], v = c[1];
    auto partial = [&](int du, int dv, double* out) {
        mdrvpk(&b.ndim, &b.nu, &b.nu, &b.nv, b.patch, &u, &v, &du, &dv, out);
    };
    if (ideriv == 0) return partial(0, 0, VAL);
    double* su = b.scratch;
    double* sv = su + ndim;
    partial(1, 0, su);
    partial(0, 1, sv);
    const double u1 = c[2], v1 = c[3];
    if (ideriv == 1) {
        for (int k = 0; k < ndim; ++k) VAL[k] = su[k] * u1 + sv[k] * v1;
        return;
    }
    double* suu = sv + ndim;
    double* suv = suu + ndim;
    double* svv = suv + ndim;
    partial(2, 0, suu);
    partial(1, 1, suv);
    partial(0, 2, svv);
    const double u2 = c[4], v2 = c[5];
    for (int k = 0; k < ndim; ++k)
        VAL[k] = su[k] * u2 + sv[k] * v2 + suu[k] * u1 * u1 + 2.0 * suv[k] * u1 * v1 + svv[k] * v1 * v1;
}

void mequvt(const int* NDIM, const int* NCFUMX, const int* NCFVMX, const double* SURF, const int* NCOEFU,
            const int* NCOEFV, const int* NCOEF2, const double* CRV2, const int* NDIMAX, const int* MAXCOEF,
            double* RES, int* NCOUT, int* IER) {
    static constexpr auto R = vcbm::routine("MEQUVT");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, ncfumx = *NCFUMX, ncfvmx = *NCFVMX, nu = *NCOEFU, nv = *NCOEFV, ncoef2 = *NCOEF2;
    const int ndimax = *NDIMAX, maxcoef = *MAXCOEF;
    if (maxcoef < 1) return f.fail(1);
    if (ndimax < ndim) return f.fail(5);
    if (nu > ncfumx || nv > ncfvmx) return f.fail(2);
    if (ndim < 1 || nu < 1 || nv < 1 || ncoef2 < 1 || ncoef2 > 2) return f.fail(1);
    std::fill(RES, RES + static_cast<ptrdiff_t>(ndimax) * maxcoef, 0.0);
    const double a0 = CRV2[0], b0 = CRV2[1];
    const double a1 = ncoef2 == 2 ? CRV2[2] : 0.0, b1 = ncoef2 == 2 ? CRV2[3] : 0.0;
    if (a1 == 0.0 && b1 == 0.0) {  // a point
        double p[64];
        double* out = ndim <= 64 ? p : nullptr;
        if (!out) {
            out = f.request(p, ndim);
            if (!out) return f.fail(3);
        }
        mpoca1(NCFUMX, NCFVMX, NDIM, SURF, NCOEFU, NCOEFV, &a0, &b0, out);
        std::copy(out, out + ndim, RES);
        *NCOUT = 1;
        return;
    }
    if (a1 == 0.0 || b1 == 0.0) {  // an iso-curve, re-expressed in t
        const bool along_v = a1 == 0.0;
        const int n = along_v ? nv : nu;
        if (n > maxcoef) return f.fail(1);
        iso_curve(SURF, ncfumx, ncfvmx, ndim, nu, nv, along_v, along_v ? a0 : b0, ndimax, RES);
        const double tab[2] = {along_v ? b0 : a0, along_v ? b0 + b1 : a0 + a1}, tnew[2] = {0.0, 1.0};
        int code = 0;
        mfmcb2(NDIMAX, &n, RES, NDIM, tab, RES, tnew, &code);
        if (code != 0) return f.fail(4);
        *NCOUT = n;
        return;
    }
    // A diagonal: the patch re-expressed on [a0, a0 + a1] x [b0, b0 + b1], then
    // summed along its anti-diagonals (r = s = t).
    const int nout = nu + nv - 1;
    if (nout > maxcoef) return f.fail(1);
    double base[1];
    double* w = f.request(base, ndim * nu * nv);
    if (!w) return f.fail(3);
    auto s = vcbm::arr3(SURF, ncfumx, ncfvmx);
    auto c = vcbm::arr3(w, nu, nv);
    const double ta = a0, tb = a0 + a1, sa = b0, sb = b0 + b1;
    const int one = 1;
    int code = 0;
    for (int k = 1; k <= ndim; ++k) {
        for (int j = 1; j <= nv; ++j) {
            for (int i = 1; i <= nu; ++i) c(i, j, k) = s(i, j, k);
            marc41(&one, &one, NCOEFU, c.at(1, j, k), &ta, &tb, c.at(1, j, k), &code);  // in u, column by column
            if (code != 0) return f.fail(4);
        }
        marc41(NCOEFU, NCOEFU, NCOEFV, c.at(1, 1, k), &sa, &sb, c.at(1, 1, k), &code);  // in v, all rows at once
        if (code != 0) return f.fail(4);
    }
    auto res = vcbm::mat(RES, ndimax);
    for (int k = 1; k <= ndim; ++k)
        for (int j = 1; j <= nv; ++j)
            for (int i = 1; i <= nu; ++i) res(k, i + j - 1) += c(i, j, k);
    *NCOUT = nout;
}

void mapck6(const int* NCFUMX, const int* NCFVMX, const double* SURF, const int* NDIM, const int* NCOEFU,
            const int* NCOEFV, const int* NDIM2, const int* NCOEF2, const double* CRV2, const double* TINT,
            const int* ORDER, const int* MAXCOEF, const double* TOL, const int* NDIMAX, const int* LDCOEF,
            const int* MAXSEG, double* COEF, int* NSEG, int* NCOEF, double* TBREAK, double* ERRMAX, double* ERRMEAN,
            int* IER) {
    static constexpr auto R = vcbm::routine("MAPCK6");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, nu = *NCOEFU, nv = *NCOEFV, ncoef2 = *NCOEF2, ndimax = *NDIMAX, ldcoef = *LDCOEF;
    const int maxseg = *MAXSEG;
    if (!sizes_ok(*NCFUMX, *NCFVMX, ndim, nu, nv, *NDIM2, ncoef2, *MAXCOEF, ndimax, ldcoef, maxseg)) return f.fail(1);
    // The patch component first, the curve, and the scratch of mpoeq1 (5 NDIM
    // reals; on the stack up to 10 components).
    double base[1];
    double* patch = f.request(base, ndim * nu * nv);
    double* curve = patch ? f.request(base, 2 * ncoef2) : nullptr;
    double fixed[50];
    double* scratch = !curve ? nullptr : ndim <= 10 ? fixed : f.request(base, 5 * ndim);
    if (!scratch) return f.fail(2);
    int code = 0;
    const int back = -1;
    mfmca5(&back, NDIM, NCOEFU, NCOEFV, patch, NCOEFU, NCOEFV, NCFUMX, NCFVMX, NDIM, const_cast<double*>(SURF), &code);
    if (code != 0) return f.fail(3);
    std::copy(CRV2, CRV2 + 2 * ncoef2, curve);

    EvaluationBlock b;
    b.ndim = ndim;
    b.nu = nu;
    b.nv = nv;
    b.patch = patch;
    b.ndim2 = 2;
    b.ncoef2 = ncoef2;
    b.curve = curve;
    b.scratch = scratch;
    {
        BlockScope scope(b);
        const int nsub = 1, npcode = 1;
        mapfnc(NDIM, &nsub, NDIM, TINT, mpoeq1, ORDER, LDCOEF, MAXSEG, MAXCOEF, TOL, TINT, &npcode, NSEG, NCOEF,
               COEF, TBREAK, ERRMAX, ERRMEAN, &code);
    }
    if (code > 0) return f.fail(4);
    f.fail(code);  // a negative code of mapfnc: the results are complete
    f.release_all();
    if (f.ier() == 10) return f.fail(2);
    if (ndimax > ndim) {
        mfmca8(NDIM, LDCOEF, MAXSEG, NDIMAX, LDCOEF, MAXSEG, COEF, COEF);
        auto out = vcbm::arr3(COEF, ndimax, ldcoef);
        for (int s = 1; s <= maxseg; ++s)
            for (int i = 1; i <= ldcoef; ++i)
                for (int k = ndim + 1; k <= ndimax; ++k) out(k, i, s) = 0.0;
    }
}

void mapck5(const int* NCFUMX, const int* NCFVMX, const double* SURF, const int* NDIM, const int* NCOEFU,
            const int* NCOEFV, const int* NDIM2, const int* NCOEF2, const double* CRV2, const double* TINT,
            const int* ORDER, const int* MAXCOEF, const double* TOL, const int* NDIMAX, const int* LDCOEF,
            const int* MAXSEG, double* COEF, int* NSEG, int* NCOEF, double* ERRTAB, int* IER) {
    static constexpr auto R = vcbm::routine("MAPCK5");
    vcbm::Frame f(R, *IER);
    const int nu = *NCOEFU, nv = *NCOEFV, ncoef2 = *NCOEF2, maxcoef = *MAXCOEF, maxseg = *MAXSEG;
    if (!sizes_ok(*NCFUMX, *NCFVMX, *NDIM, nu, nv, *NDIM2, ncoef2, maxcoef, *NDIMAX, *LDCOEF, maxseg)) return f.fail(1);
    auto errtab = vcbm::mat(ERRTAB, 4);

    // Exact path: a point, or a straight line whose image fits MAXCOEF.
    bool exact = ncoef2 == 1;
    if (ncoef2 == 2) {
        const double a1 = CRV2[2], b1 = CRV2[3];
        if (a1 != 0.0 && b1 != 0.0)
            exact = nu + nv - 1 <= maxcoef;
        else if (a1 != 0.0)
            exact = nu <= maxcoef;
        else if (b1 != 0.0)
            exact = nv <= maxcoef;
        else
            exact = nu <= maxcoef;
    }
    int code = 0;
    if (exact) {
        int ncout = 0;
        mequvt(NDIM, NCFUMX, NCFVMX, SURF, NCOEFU, NCOEFV, NCOEF2, CRV2, NDIMAX, MAXCOEF, COEF, &ncout, &code);
        if (code == 0) {
            *NSEG = 1;
            NCOEF[0] = ncout;
            errtab(1, 1) = TINT[0];
            errtab(2, 1) = TINT[1];
            errtab(3, 1) = 0.0;
            errtab(4, 1) = 0.0;
        }
    }
    if (!exact || code != 0) {
        double base[1];
        double* w = f.request(base, 3 * maxseg + 1);
        if (!w) return f.fail(3);
        double* tbreak = w;
        double* emax = tbreak + maxseg + 1;
        double* emean = emax + maxseg;
        mapck6(NCFUMX, NCFVMX, SURF, NDIM, NCOEFU, NCOEFV, NDIM2, NCOEF2, CRV2, TINT, ORDER, MAXCOEF, TOL, NDIMAX,
               LDCOEF, MAXSEG, COEF, NSEG, NCOEF, tbreak, emax, emean, &code);
        if (code > 0) {
            f.release_all();
            return f.fail(4);
        }
        for (int s = 1; s <= *NSEG; ++s) {
            errtab(1, s) = tbreak[s - 1];
            errtab(2, s) = tbreak[s];
            errtab(3, s) = emax[s - 1];
            errtab(4, s) = emean[s - 1];
        }
        const int before = code;
        f.release_all();
        if (f.ier() == 10) return f.fail(3);
        f.fail(before);  // -1 or -2 of the approximation: results complete
    }
    if (f.level() >= 2) {
        vcbm::debug_line(" Degre de la courbe 2D ", ncoef2);
        vcbm::debug_line(" Nbre de courbe(s) 3D d' APPROXIMATION ", *NSEG);
        for (int s = 1; s <= *NSEG; ++s) {
            vcbm::debug_line(" Courbe 3D numero ", s);
            vcbm::debug_line(" Nbre de coefficients ", NCOEF[s - 1]);
            vcbm::debug_line(" Erreur moyenne  ", errtab(4, s));
            vcbm::debug_line(" Erreur MAXIMALE ", errtab(3, s));
        }
    }
}

}  // extern "C"
