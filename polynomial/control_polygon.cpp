// Conversions between canonical coefficients and the control polygon on
// [0, 1], with unrolled paths for curves stored in dimension 2 or 3.
#include "frame/frame.hpp"
#include "polynomial/basis_kernels.hpp"
#include "vcbm_polynomial.h"

using vcbm::basis::count_ok;

extern "C" void mcpol2(const int* NCOEF, const double* COEF, double* POLY, int* IER) {
    static constexpr auto R = vcbm::routine("MCPOL2");
    vcbm::Frame f(R, *IER);
    if (!count_ok(*NCOEF)) return f.fail(10);
    vcbm::basis::to_polygon<2>(2, 2, *NCOEF, COEF, POLY);
}

extern "C" void mcpol3(const int* NCOEF, const double* COEF, double* POLY, int* IER) {
    static constexpr auto R = vcbm::routine("MCPOL3");
    vcbm::Frame f(R, *IER);
    if (!count_ok(*NCOEF)) return f.fail(10);
    vcbm::basis::to_polygon<3>(3, 3, *NCOEF, COEF, POLY);
}

extern "C" void cpolyg(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, double* POLY,
                       int* IER) {
    static constexpr auto R = vcbm::routine("CPOLYG");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, ndimax = *NDIMAX, ncoef = *NCOEF;
    if (ndim == ndimax && (ndim == 2 || ndim == 3)) {
        if (!count_ok(ncoef)) {  // the unrolled routine reports, then this one
            int code = 0;
            (ndim == 2 ? mcpol2 : mcpol3)(NCOEF, COEF, POLY, &code);
            return f.fail(code);
        }
        if (ndim == 2)
            vcbm::basis::to_polygon<2>(2, 2, ncoef, COEF, POLY);
        else
            vcbm::basis::to_polygon<3>(3, 3, ncoef, COEF, POLY);
        return;
    }
    if (!count_ok(ncoef)) return f.fail(10);
    if (ndim < 1 || ndim > ndimax) return;
    vcbm::basis::to_polygon<0>(ndim, ndimax, ncoef, COEF, POLY);
}

extern "C" void mpolc2(const int* NCOEF, const double* POLY, double* COEF, int* IER) {
    static constexpr auto R = vcbm::routine("MPOLC2");
    vcbm::Frame f(R, *IER);
    if (!count_ok(*NCOEF)) return f.fail(10);
    vcbm::basis::to_canonical<2>(2, 2, *NCOEF, POLY, COEF);
}

extern "C" void mpolc3(const int* NCOEF, const double* POLY, double* COEF, int* IER) {
    static constexpr auto R = vcbm::routine("MPOLC3");
    vcbm::Frame f(R, *IER);
    if (!count_ok(*NCOEF)) return f.fail(10);
    vcbm::basis::to_canonical<3>(3, 3, *NCOEF, POLY, COEF);
}

extern "C" void polygc(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* POLY, double* COEF,
                       int* IER) {
    static constexpr auto R = vcbm::routine("POLYGC");
    vcbm::Frame f(R, *IER);
    const int ndim = *NDIM, ndimax = *NDIMAX, ncoef = *NCOEF;
    if (ndim == ndimax && (ndim == 2 || ndim == 3)) {
        if (!count_ok(ncoef)) {
            int code = 0;
            (ndim == 2 ? mpolc2 : mpolc3)(NCOEF, POLY, COEF, &code);
            return f.fail(code);
        }
        if (ndim == 2)
            vcbm::basis::to_canonical<2>(2, 2, ncoef, POLY, COEF);
        else
            vcbm::basis::to_canonical<3>(3, 3, ncoef, POLY, COEF);
        return;
    }
    if (!count_ok(ncoef)) return f.fail(10);
    if (ndim < 1 || ndim > ndimax) return;
    vcbm::basis::to_canonical<0>(ndim, ndimax, ncoef, POLY, COEF);
}

extern "C" void ufdplg(const int* NDIM, const int* NCOEF, const double* COEF, const double* TA, const double* TB,
                       double* WORK, double* POLY) {
    int cell = 0;  // the callees' codes are kept here and not returned
    if (*TA == 0.0 && *TB == 1.0) {
        cpolyg(NDIM, NDIM, NCOEF, COEF, POLY, &cell);
        return;
    }
    marc41(NDIM, NDIM, NCOEF, COEF, TA, TB, WORK, &cell);
    cpolyg(NDIM, NDIM, NCOEF, WORK, POLY, &cell);
}
