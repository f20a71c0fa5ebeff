// Points, partial derivatives and derivative patches of polynomial patches,
// COEF(.., i, j) the coefficient of u^(i-1) v^(j-1), in the three layouts:
//   COEF(3, 21, NV)               posurf, derivt
//   COEF(NDIMAX, NUMAX, NVMAX)    mpoca2, mdrpu1, mdrpv1, mdrvpk, vderiv
//   COEF(NUMAX, NVMAX, NDIM)      mpoca1
// Counts that do not fit the layout they index (NU above 21 or above NUMAX,
// NV above NVMAX, NDIM above NDIMAX) describe no array: the result is then
// 0 and the coefficients are not read. Binomial-scaled derivatives (mdrvpk)
// need at most 61 coefficients in each direction and are 0 beyond.
#include <cstddef>

#include "frame/array_view.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_polynomial.h"

namespace {

using std::ptrdiff_t;

// S(U, V) = sum over j = J0..NV of V^(j-J0) S_j(U), S_j(U) = sum over i =
// I0..NU of U^(i-I0) a(k, i, j): a Horner scheme in u for each v-column,
// the last column first, inside a Horner scheme in v. NU >= I0, NV >= J0.
// D components are carried at once. The scheme and the coefficient
// accessors it is given are forced inline: clang's sanitized builds kept the
// accessors as calls, one per coefficient, half the time of the fuzz targets
// that evaluate patches.
template <int D, class Coef>
[[gnu::always_inline]] inline void double_horner(int i0, int nu, int j0, int nv, double u, double v, Coef a,
                                                 double* p) noexcept {
    auto column = [&](int j, double* s) __attribute__((always_inline)) {
        for (int k = 0; k < D; ++k) s[k] = a(k + 1, nu, j);
        for (int i = nu - 1; i >= i0; --i)
            for (int k = 0; k < D; ++k) s[k] = s[k] * u + a(k + 1, i, j);
    };
    double acc[D];
    column(nv, acc);
    for (int j = nv - 1; j >= j0; --j) {
        double s[D];
        column(j, s);
        for (int k = 0; k < D; ++k) acc[k] = acc[k] * v + s[k];
    }
    for (int k = 0; k < D; ++k) p[k] = acc[k];
}

// The same for NDIM components known at run time: unrolled for 2 and 3,
// one component at a time otherwise.
template <class Coef>
[[gnu::always_inline]] inline void double_horner_n(int ndim, int i0, int nu, int j0, int nv, double u, double v,
                                                   Coef a, double* p) noexcept {
    if (ndim == 3) return double_horner<3>(i0, nu, j0, nv, u, v, a, p);
    if (ndim == 2) return double_horner<2>(i0, nu, j0, nv, u, v, a, p);
    for (int k = 1; k <= ndim; ++k) {
        auto one = [&](int, int i, int j) __attribute__((always_inline)) { return a(k, i, j); };
        double_horner<1>(i0, nu, j0, nv, u, v, one, p + (k - 1));
    }
}

void zero(int n, double* p) noexcept {
    for (int i = 0; i < n; ++i) p[i] = 0.0;
}

// Derivative patch of a patch with leading sizes LDI (input) and LDO
// (output) in u, three components: COEFD(:, i, j) = i COEF(:, i+1, j) in u,
// j COEF(:, i, j+1) in v, for i = 1..NUO, j = 1..NVO. Rows past the NUI
// input coefficients are 0.
void derivative_patch(int idir, int nui, int ldi, int nuo, int nvo, int ldo, const double* coef,
                      double* coefd) noexcept {
    auto a = vcbm::arr3(coef, 3, ldi);
    auto b = vcbm::arr3(coefd, 3, ldo);
    for (int j = 1; j <= nvo; ++j) {
        for (int i = 1; i <= nuo; ++i) {
            const bool inside = idir == 1 ? i + 1 <= nui : i <= nui;
            for (int k = 1; k <= 3; ++k) {
                if (!inside)
                    b(k, i, j) = 0.0;
                else if (idir == 1)
                    b(k, i, j) = i * a(k, i + 1, j);
                else
                    b(k, i, j) = j * a(k, i, j + 1);
            }
        }
    }
}

// Rows of the fixed layout of posurf and derivt.
constexpr int kRows = 21;

}  // namespace

extern "C" {

void posurf(const double* COEF, const int* NU, const int* NV, const double* U, const double* V, double* P) {
    const int nu = *NU, nv = *NV;
    if (nu < 1 || nv < 1 || nu > kRows) return zero(3, P);
    auto c = vcbm::arr3(COEF, 3, kRows);
    auto a = [&](int k, int i, int j) __attribute__((always_inline)) { return c(k, i, j); };
    double_horner<3>(1, nu, 1, nv, *U, *V, a, P);
}

void mpoca1(const int* NUMAX, const int* NVMAX, const int* NDIM, const double* COEF, const int* NU, const int* NV,
            const double* U, const double* V, double* P) {
    const int nu = *NU, nv = *NV, ndim = *NDIM;
    if (nu < 1 || nv < 1 || nu > *NUMAX || nv > *NVMAX) return zero(ndim, P);
    auto c = vcbm::arr3(COEF, *NUMAX, *NVMAX);
    for (int k = 1; k <= ndim; ++k) {
        auto a = [&](int, int i, int j) __attribute__((always_inline)) { return c(i, j, k); };
        double_horner<1>(1, nu, 1, nv, *U, *V, a, P + (k - 1));
    }
}

void mpoca2(const int* NDIMAX, const int* NUMAX, const int* NVMAX, const double* COEF, const int* NDIM,
            const int* NU, const int* NV, const double* U, const double* V, double* P) {
    const int nu = *NU, nv = *NV, ndim = *NDIM;
    if (nu < 1 || nv < 1 || nu > *NUMAX || nv > *NVMAX || ndim > *NDIMAX) return zero(ndim, P);
    auto c = vcbm::arr3(COEF, *NDIMAX, *NUMAX);
    auto a = [&](int k, int i, int j) __attribute__((always_inline)) { return c(k, i, j); };
    double_horner_n(ndim, 1, nu, 1, nv, *U, *V, a, P);
}

void mdrpu1(const int* NDIMAX, const int* NUMAX, const int* NU, const int* NV, const double* COEF, const double* U,
            const double* V, double* D) {
    const int nu = *NU, nv = *NV, nd = *NDIMAX;
    if (nu < 2 || nv < 1 || nu > *NUMAX) return zero(nd, D);
    auto c = vcbm::arr3(COEF, nd, *NUMAX);
    auto a = [&](int k, int i, int j) __attribute__((always_inline)) { return (i - 1) * c(k, i, j); };
    double_horner_n(nd, 2, nu, 1, nv, *U, *V, a, D);
}

void mdrpv1(const int* NDIMAX, const int* NUMAX, const int* NU, const int* NV, const double* COEF, const double* U,
            const double* V, double* D) {
    const int nu = *NU, nv = *NV, nd = *NDIMAX;
    if (nv < 2 || nu < 1 || nu > *NUMAX) return zero(nd, D);
    auto c = vcbm::arr3(COEF, nd, *NUMAX);
    auto a = [&](int k, int i, int j) __attribute__((always_inline)) { return (j - 1) * c(k, i, j); };
    double_horner_n(nd, 1, nu, 2, nv, *U, *V, a, D);
}

void mdrvpk(const int* NDIM, const int* NUMAX, const int* NU, const int* NV, const double* COEF, const double* U,
            const double* V, const int* IDU, const int* IDV, double* D) {
    const int ndim = *NDIM, nu = *NU, nv = *NV, idu = *IDU, idv = *IDV;
    constexpr int kMaxCoef = vcbm::kMaxBinomial + 1;
    if (idu < 0 || idu >= nu || idv < 0 || idv >= nv || nu > *NUMAX || nu > kMaxCoef || nv > kMaxCoef)
        return zero(ndim, D);
    auto c = vcbm::arr3(COEF, ndim, *NUMAX);
    // Coefficient (i, j) scaled by idu! C(i-1, idu) idv! C(j-1, idv), the
    // factors of each row and column looked up once; the products are formed
    // in the same order as when written out per coefficient.
    const double fu = vcbm::factorial(idu), fv = vcbm::factorial(idv);
    double su[kMaxCoef], sv[kMaxCoef];
    for (int i = idu + 1; i <= nu; ++i) su[i - 1] = fu * vcbm::binomial(i - 1, idu);
    for (int j = idv + 1; j <= nv; ++j) sv[j - 1] = vcbm::binomial(j - 1, idv);
    auto scaled = [&](int k, int i, int j) __attribute__((always_inline)) {
        return su[i - 1] * fv * sv[j - 1] * c(k, i, j);
    };
    double_horner_n(ndim, idu + 1, nu, idv + 1, nv, *U, *V, scaled, D);
}

void derivt(const int* NU, const int* NV, const double* COEF, int* NUD, int* NVD, double* COEFD, const int* IDIR) {
    const int idir = *IDIR, nu = *NU, nv = *NV;
    if (idir != 1 && idir != 2) return;
    // The derivative of a patch constant in that direction, of an empty
    // patch, or of one that does not fit the layout, is the zero patch.
    const bool vanishes = nu < 1 || nv < 1 || nu > kRows || (idir == 1 ? nu < 2 : nv < 2);
    if (vanishes) {
        *NUD = 1;
        *NVD = 1;
        return zero(3, COEFD);
    }
    *NUD = idir == 1 ? nu - 1 : nu;
    *NVD = idir == 1 ? nv : nv - 1;
    derivative_patch(idir, nu, kRows, *NUD, *NVD, kRows, COEF, COEFD);
}

void vderiv(const int* NUI, const int* /*NVI: not read*/, const double* COEF, const int* NUO, const int* NVO,
            double* COEFD, const int* IDIR) {
    const int idir = *IDIR;
    if (idir != 1 && idir != 2) return;
    derivative_patch(idir, *NUI, *NUI, *NUO, *NVO, *NUO, COEF, COEFD);
}

}  // extern "C"
