// Products of bivariate polynomials, in canonical form (meqps2) and in
// Bernstein form (meqps5), the checking dispatcher meqps4, and meqps3, the
// scalar product of two vector-valued bivariate polynomials.
//
// R(1..NUR, 1..NVR) <- R op P*Q with NUR = NU1 + NU2 - 1, NVR = NV1 + NV2 - 1;
// MODE 0 sets the block, -1 subtracts the product, any other value adds it.
#include "OrvoSystem.h"
#include "frame/frame.hpp"
#include "vcbm_solve.h"

namespace {

constexpr int kMaxCoef = 61;  // the binomial table covers degrees 0..60

// C(n, p) from the OrvoSystem table.
inline double binom(int n, int p) noexcept { return mcmcnp[n + kMaxCoef * p]; }

void zero_block(double* r, int ld1, int nu, int nv) noexcept {
    auto rr = vcbm::mat(r, ld1);
    for (int j = 1; j <= nv; ++j)
        for (int i = 1; i <= nu; ++i) rr(i, j) = 0.0;
}

}  // namespace

extern "C" {

void meqps2(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
            const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
            const int* MODE, const int* LD1R, const int* LD2R, double* R, int* NUR, int* NVR, int* IER) {
    static constexpr auto RT = vcbm::routine("MEQPS2");
    vcbm::Frame f(RT, *IER);
    (void)LD2P;
    (void)LD2Q;
    const int nu1 = *NU1, nv1 = *NV1, nu2 = *NU2, nv2 = *NV2;
    *NUR = nu1 + nu2 - 1;
    *NVR = nv1 + nv2 - 1;
    if (*NUR > *LD1R || *NVR > *LD2R) return f.fail(7134);
    if (*MODE == 0) zero_block(R, *LD1R, *NUR, *NVR);
    const double s = *MODE == -1 ? -1.0 : 1.0;
    auto p = vcbm::mat(P, *LD1P);
    auto q = vcbm::mat(Q, *LD1Q);
    auto r = vcbm::mat(R, *LD1R);
    for (int i = 1; i <= nu1; ++i)
        for (int j = 1; j <= nv1; ++j) {
            const double sp = s * p(i, j);
            for (int k = 1; k <= nu2; ++k)
                for (int l = 1; l <= nv2; ++l) r(i + k - 1, j + l - 1) += sp * q(k, l);
        }
}

void meqps5(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
            const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
            const int* MODE, const int* LD1R, const int* LD2R, double* R, int* NUR, int* NVR, int* IER) {
    static constexpr auto RT = vcbm::routine("MEQPS5");
    vcbm::Frame f(RT, *IER);
    (void)LD2P;
    (void)LD2Q;
    const int nu1 = *NU1, nv1 = *NV1, nu2 = *NU2, nv2 = *NV2;
    const int nur = nu1 + nu2 - 1, nvr = nv1 + nv2 - 1;
    *NUR = nur;
    *NVR = nvr;
    if (nur > *LD1R || nvr > *LD2R) return f.fail(2);
    if (nur > kMaxCoef || nvr > kMaxCoef) return f.fail(1);
    if (*MODE == 0) zero_block(R, *LD1R, nur, nvr);
    if (nu1 < 1 || nv1 < 1 || nu2 < 1 || nv2 < 1) return;
    const double s = *MODE == -1 ? -1.0 : 1.0;
    auto p = vcbm::mat(P, *LD1P);
    auto q = vcbm::mat(Q, *LD1Q);
    auto r = vcbm::mat(R, *LD1R);
    // Weight of the product of B(i-1, NU1-1) and B(k-1, NU2-1) in the basis
    // of degree NUR-1, likewise in v.
    thread_local double wu[kMaxCoef][kMaxCoef];
    thread_local double wv[kMaxCoef][kMaxCoef];
    for (int i = 1; i <= nu1; ++i)
        for (int k = 1; k <= nu2; ++k)
            wu[i - 1][k - 1] = binom(nu1 - 1, i - 1) * binom(nu2 - 1, k - 1) / binom(nur - 1, i + k - 2);
    for (int j = 1; j <= nv1; ++j)
        for (int l = 1; l <= nv2; ++l)
            wv[j - 1][l - 1] = binom(nv1 - 1, j - 1) * binom(nv2 - 1, l - 1) / binom(nvr - 1, j + l - 2);
    for (int i = 1; i <= nu1; ++i)
        for (int j = 1; j <= nv1; ++j) {
            const double sp = s * p(i, j);
            for (int k = 1; k <= nu2; ++k) {
                const double spu = sp * wu[i - 1][k - 1];
                for (int l = 1; l <= nv2; ++l) r(i + k - 1, j + l - 1) += spu * q(k, l) * wv[j - 1][l - 1];
            }
        }
}

void meqps4(const int* LD1P, const int* LD2P, const double* P, const int* NU1, const int* NV1,
            const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2, const int* NV2,
            const int* MODE, const int* IBASE, const int* LD1R, const int* LD2R, double* R, int* NUR,
            int* NVR, int* IER) {
    static constexpr auto RT = vcbm::routine("MEQPS4");
    vcbm::Frame f(RT, *IER);
    *NUR = *NU1 + *NU2 - 1;
    *NVR = *NV1 + *NV2 - 1;
    if (*NUR > *LD1R || *NVR > *LD2R) return f.fail(2);
    if (*NU1 > *LD1P || *NV1 > *LD2P || *NU2 > *LD1Q || *NV2 > *LD2Q) return f.fail(4);
    if (*IBASE != 0 && *IBASE != 1) return f.fail(3);
    int code = 0;
    if (*IBASE == 0)
        meqps2(LD1P, LD2P, P, NU1, NV1, LD1Q, LD2Q, Q, NU2, NV2, MODE, LD1R, LD2R, R, NUR, NVR, &code);
    else
        meqps5(LD1P, LD2P, P, NU1, NV1, LD1Q, LD2Q, Q, NU2, NV2, MODE, LD1R, LD2R, R, NUR, NVR, &code);
    if (code > 0) f.fail(1);
}

void meqps3(const int* LD1P, const int* LD2P, const int* NDIM, const double* P, const int* NU1,
            const int* NV1, const int* LD1Q, const int* LD2Q, const double* Q, const int* NU2,
            const int* NV2, const int* IBASE, const int* LD1R, const int* LD2R, double* R, int* NUR,
            int* NVR, int* IER) {
    static constexpr auto RT = vcbm::routine("MEQPS3");
    vcbm::Frame f(RT, *IER);
    static constexpr int kSet = 0, kAdd = 1;
    int code = 0;
    meqps4(LD1P, LD2P, P, NU1, NV1, LD1Q, LD2Q, Q, NU2, NV2, &kSet, IBASE, LD1R, LD2R, R, NUR, NVR, &code);
    if (code != 0) return f.fail(code);
    const std::ptrdiff_t stride_p = static_cast<std::ptrdiff_t>(*LD1P) * *LD2P;
    const std::ptrdiff_t stride_q = static_cast<std::ptrdiff_t>(*LD1Q) * *LD2Q;
    for (int d = 2; d <= *NDIM; ++d) {
        meqps4(LD1P, LD2P, P + (d - 1) * stride_p, NU1, NV1, LD1Q, LD2Q, Q + (d - 1) * stride_q, NU2, NV2,
               &kAdd, IBASE, LD1R, LD2R, R, NUR, NVR, &code);
    }
    if (code > 0) f.fail(code);
}

}  // extern "C"
