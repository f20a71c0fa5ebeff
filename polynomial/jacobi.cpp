// Conversion from the canonical basis to the orthonormal Legendre basis on
// [-1, 1] (order -1 of the order-indexed family; the only order provided).
#include "frame/frame.hpp"
#include "polynomial/legendre_table.hpp"
#include "vcbm_polynomial.h"

namespace {
constexpr int kOrthonormalOrder = -1;
}

extern "C" void mcanjc(const int* IORDRE, const int* NDEG, const double* W, double* CJ) {
    static constexpr auto R = vcbm::routine("MCANJC");
    vcbm::Frame f(R);
    if (*IORDRE != kOrthonormalOrder) return;
    if (*NDEG < 0 || *NDEG > vcbm::legendre::kMaxDegree) return;
    vcbm::legendre::convert(vcbm::legendre::orthonormal(), *NDEG, W, CJ);
}

extern "C" void mcvjac(const int* NCOEF, const int* NDIM, const int* IORDRE, const double* CF, double* W,
                       double* CJ) {
    static constexpr auto R = vcbm::routine("MCVJAC");
    vcbm::Frame f(R);
    const int ncoef = *NCOEF, ndim = *NDIM;
    if (ncoef < 1 || ncoef > vcbm::legendre::kMaxDegree + 1) return;
    const int ndeg = ncoef - 1;
    auto cf = vcbm::mat(CF, ncoef);
    auto cj = vcbm::mat(CJ, ncoef);
    for (int k = 1; k <= ndim; ++k) {
        const double* col = cf.col(k);
        int x = 0;
        for (int i = 0; i <= ndeg; i += 2) W[x++] = col[i];
        for (int i = 1; i <= ndeg; i += 2) W[x++] = col[i];
        mcanjc(IORDRE, &ndeg, W, cj.col(k));
    }
}
