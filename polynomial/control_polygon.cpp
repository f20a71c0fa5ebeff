// Conversions between canonical coefficients and the control polygon on
// [0, 1], with unrolled paths for curves stored in dimension 2 or 3.
#include "frame/frame.hpp"
#include "polynomial/basis_kernels.hpp"
#include "vcbm_polynomial.h"

using vcbm::basis::count_ok;

namespace {

// The two conversions, as kernels that take the dimension as a parameter.
struct ToPolygon {
    template <int D>
    static void run(int nd, std::ptrdiff_t ld, int ncoef, const double* in, double* out) noexcept {
        vcbm::basis::to_polygon<D>(nd, ld, ncoef, in, out);
    }
};
struct ToCanonical {
    template <int D>
    static void run(int nd, std::ptrdiff_t ld, int ncoef, const double* in, double* out) noexcept {
        vcbm::basis::to_canonical<D>(nd, ld, ncoef, in, out);
    }
};

using FixedRoutine = void(const int*, const double*, double*, int*);

// The unrolled routines of dimension D (mcpol2, mcpol3, mpolc2, mpolc3).
template <class K, int D>
void fixed_dimension(const vcbm::Routine& r, const int* NCOEF, const double* in, double* out, int* IER) {
    vcbm::Frame f(r, *IER);
    if (!count_ok(*NCOEF)) return f.fail(10);
    K::template run<D>(D, D, *NCOEF, in, out);
}

// cpolyg and polygc: curves stored with NDIM = NDIMAX = 2 or 3 take the
// unrolled kernels (an out-of-range count is reported by the unrolled
// routine, then by this one); any other layout takes the general kernel.
template <class K>
void any_dimension(const vcbm::Routine& r, FixedRoutine* fixed2, FixedRoutine* fixed3, const int* NDIMAX,
                   const int* NDIM, const int* NCOEF, const double* in, double* out, int* IER) {
    vcbm::Frame f(r, *IER);
    const int ndim = *NDIM, ndimax = *NDIMAX, ncoef = *NCOEF;
    if (ndim == ndimax && (ndim == 2 || ndim == 3)) {
        if (!count_ok(ncoef)) {
            int code = 0;
            (ndim == 2 ? fixed2 : fixed3)(NCOEF, in, out, &code);
            return f.fail(code);
        }
        if (ndim == 2)
            K::template run<2>(2, 2, ncoef, in, out);
        else
            K::template run<3>(3, 3, ncoef, in, out);
        return;
    }
    if (!count_ok(ncoef)) return f.fail(10);
    if (ndim < 1 || ndim > ndimax) return;
    K::template run<0>(ndim, ndimax, ncoef, in, out);
}

}  // namespace

extern "C" void mcpol2(const int* NCOEF, const double* COEF, double* POLY, int* IER) {
    static constexpr auto R = vcbm::routine("MCPOL2");
    fixed_dimension<ToPolygon, 2>(R, NCOEF, COEF, POLY, IER);
}

extern "C" void mcpol3(const int* NCOEF, const double* COEF, double* POLY, int* IER) {
    static constexpr auto R = vcbm::routine("MCPOL3");
    fixed_dimension<ToPolygon, 3>(R, NCOEF, COEF, POLY, IER);
}

extern "C" void cpolyg(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* COEF, double* POLY,
                       int* IER) {
    static constexpr auto R = vcbm::routine("CPOLYG");
    any_dimension<ToPolygon>(R, mcpol2, mcpol3, NDIMAX, NDIM, NCOEF, COEF, POLY, IER);
}

extern "C" void mpolc2(const int* NCOEF, const double* POLY, double* COEF, int* IER) {
    static constexpr auto R = vcbm::routine("MPOLC2");
    fixed_dimension<ToCanonical, 2>(R, NCOEF, POLY, COEF, IER);
}

extern "C" void mpolc3(const int* NCOEF, const double* POLY, double* COEF, int* IER) {
    static constexpr auto R = vcbm::routine("MPOLC3");
    fixed_dimension<ToCanonical, 3>(R, NCOEF, POLY, COEF, IER);
}

extern "C" void polygc(const int* NDIMAX, const int* NDIM, const int* NCOEF, const double* POLY, double* COEF,
                       int* IER) {
    static constexpr auto R = vcbm::routine("POLYGC");
    any_dimension<ToCanonical>(R, mpolc2, mpolc3, NDIMAX, NDIM, NCOEF, POLY, COEF, IER);
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
