// Change of parameter interval: the affine substitution (marc41 and its front
// end mfmcb2), the reversal in 2D and 3D, and the fixed map from [0, 1] to
// [-1, 1] into the coefficient-first layout.
#include <cmath>

#include "frame/frame.hpp"
#include "polynomial/basis_kernels.hpp"
#include "vcbm_frame.h"
#include "vcbm_polynomial.h"

using vcbm::basis::count_ok;

extern "C" void marc41(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF,
                       const double* TA, const double* TB, double* COEFN, int* IER) {
    static constexpr auto R = vcbm::routine("MARC41");
    vcbm::Frame f(R, *IER);
    const int ncoef = *NCOEF, ndim = *NDIM, ndimax = *NDIMAX;
    if (!count_ok(ncoef)) return f.fail(10);
    const double ta = *TA, tb = *TB;
    if (ndim == ndimax && ta == 0.0 && tb == 1.0) {
        vcbm::basis::copy_reals(static_cast<std::ptrdiff_t>(ndimax) * ncoef, COEF, COEFN);
        return;
    }
    if (ta == 1.0 && tb == 0.0 && ndim == ndimax && (ndim == 2 || ndim == 3) && ncoef <= 21) {
        int code = 0;
        if (ndim == 3)
            vcvinv(NCOEF, COEF, COEFN, &code);
        else
            vcvin2(NCOEF, COEF, COEFN, &code);
        return f.fail(code);
    }
    if (ndim < 1 || ndim > ndimax) return;
    if (ndimax == 2 && ndim == 2)
        vcbm::basis::compose<2>(2, 2, ncoef, COEF, ta, tb, COEFN);
    else if (ndimax == 3 && ndim == 3)
        vcbm::basis::compose<3>(3, 3, ncoef, COEF, ta, tb, COEFN);
    else
        vcbm::basis::compose<0>(ndim, ndimax, ncoef, COEF, ta, tb, COEFN);
}

extern "C" void mfmcb2(const int* NDIMAX, const int* NCOEF, const double* COEF, const int* NDIM,
                       const double* TAB, double* COEFN, const double* TNEW, int* IER) {
    static constexpr auto R = vcbm::routine("MFMCB2");
    vcbm::Frame f(R, *IER);
    double eps = 0.0;
    mveps3(&eps);
    if (eps > std::fabs(TNEW[1] - TNEW[0])) return f.fail(13);
    double a, b;
    if (TNEW[0] == 0.0 && TNEW[1] == 1.0) {
        a = TAB[0];
        b = TAB[1];
    } else {
        const double d = TNEW[1] - TNEW[0];
        a = (TNEW[1] * TAB[0] - TNEW[0] * TAB[1]) / d;
        b = a + (TAB[1] - TAB[0]) / d;
    }
    int code = 0;
    marc41(NDIMAX, NDIM, NCOEF, COEF, &a, &b, COEFN, &code);
    f.fail(code);  // reported again under this routine's name when not 0
}

extern "C" void vcvinv(const int* NCOEF, const double* COEF, double* COEFN, int* IER) {
    static constexpr auto R = vcbm::routine("VCVINV");
    vcbm::Frame f(R, *IER);  // reports on every exit, code 0 included
    if (!count_ok(*NCOEF)) return f.fail(10);
    vcbm::basis::reverse<3>(*NCOEF, COEF, COEFN);
}

extern "C" void vcvin2(const int* NCOEF, const double* COEF, double* COEFN, int* IER) {
    static constexpr auto R = vcbm::routine("VCVIN2");
    vcbm::Frame f(R, *IER);
    if (!count_ok(*NCOEF)) return f.fail(10);
    vcbm::basis::reverse<2>(*NCOEF, COEF, COEFN);
}

extern "C" void mcvnst(const int* LDW, const int* LDC, const int* NCOEF, const int* NDIM, const double* COEF,
                       double* W, double* CF) {
    static constexpr auto R = vcbm::routine("MCVNST");
    vcbm::Frame f(R);
    const int ncoef = *NCOEF, ndim = *NDIM, ldw = *LDW, ldc = *LDC;
    if (!count_ok(ncoef) || ncoef > ldw || ndim < 1 || ndim > ldc) return;
    auto coef = vcbm::mat(COEF, ldc);
    auto w = vcbm::mat(W, ldw);
    auto cf = vcbm::mat(CF, ldw);
    for (int k = 1; k <= ndim; ++k) {
        double scale = 1.0;  // 2^-(j-1): the product is the exact quotient
        for (int j = 1; j <= ncoef; ++j) {
            w(j, k) = coef(k, j) * scale;
            scale *= 0.5;
        }
        for (int i = 1; i <= ncoef; ++i) {
            double s = w(i, k);
            for (int j = i + 1; j <= ncoef; ++j) s += vcbm::basis::binom(j - 1, i - 1) * w(j, k);
            cf(i, k) = s;
        }
    }
}
