// Conversion from the canonical basis to standard Legendre polynomials, for
// curves (coefficient-first) and for 3D patches in both variables.
#include "frame/frame.hpp"
#include "polynomial/legendre_table.hpp"
#include "vcbm_polynomial.h"

extern "C" void mcanlg(const int* NDEG, const double* W, double* CL) {
    static constexpr auto R = vcbm::routine("MCANLG");
    vcbm::Frame f(R);
    if (*NDEG < 0 || *NDEG > vcbm::legendre::kMaxDegree) return;
    vcbm::legendre::convert(vcbm::legendre::standard(), *NDEG, W, CL);
}

// Splits column k of CF(NCOEF, *) into its even and odd powers in W.
static void gather_powers(int ncoef, const double* column, double* w) {
    const int ndeg = ncoef - 1;
    int x = 0;
    for (int i = 0; i <= ndeg; i += 2) w[x++] = column[i];
    for (int i = 1; i <= ndeg; i += 2) w[x++] = column[i];
}

extern "C" void mcvlgd(const int* NCOEF, const int* NDIM, const double* CF, double* W, double* CL) {
    static constexpr auto R = vcbm::routine("MCVLGD");
    vcbm::Frame f(R);
    const int ncoef = *NCOEF, ndim = *NDIM;
    if (ncoef < 1 || ncoef > vcbm::legendre::kMaxDegree + 1) return;
    const int ndeg = ncoef - 1;
    auto cf = vcbm::mat(CF, ncoef);
    auto cl = vcbm::mat(CL, ncoef);
    for (int k = 1; k <= ndim; ++k) {
        gather_powers(ncoef, cf.col(k), W);  // read whole before CL(:, k) is written
        mcanlg(&ndeg, W, cl.col(k));
    }
}

extern "C" void mpclgd(const int* NDU, const int* NDV, const double* P, double* W, double* PL) {
    static constexpr auto R = vcbm::routine("MPCLGD");
    vcbm::Frame f(R);
    const int nu = *NDU + 1, nv = *NDV + 1;
    const int cap = vcbm::legendre::kMaxDegree + 1;
    if (nu < 1 || nv < 1 || nu > cap || nv > cap) return;
    const std::ptrdiff_t block = static_cast<std::ptrdiff_t>(nu) * nv;
    double* t = W;                // 3 blocks of NV x NU: v runs first
    double* scratch = W + 3 * block;  // the work column of mcvlgd
    // Along v: transpose, convert the 3 NU columns of length NV, transpose back.
    for (int c = 0; c < 3; ++c) minvcv(&nv, &nv, &nu, P + c * block, t + c * block);
    const int ncols_v = 3 * nu;
    mcvlgd(&nv, &ncols_v, t, scratch, t);
    for (int c = 0; c < 3; ++c) minvcv(&nu, &nu, &nv, t + c * block, PL + c * block);
    // Along u: the 3 NV columns of length NU, in place.
    const int ncols_u = 3 * nv;
    mcvlgd(&nu, &ncols_u, PL, scratch, PL);
}
