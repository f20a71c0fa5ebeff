// Derivative curves and derivatives of curves at a parameter.
//
// A derivative of order r scales the coefficient of t^(k-1) by
// (k-1)!/(k-1-r)! = r! C(k-1, r), the binomial from the mcmcnp table. The
// table stops at degree 60, so a curve with more than 61 coefficients has
// no derivative here: mcdriv, cderiv and mdrvck then give the zero result
// (as for an order at or above the number of coefficients) and never read
// past the table. A negative order gives the same zero result. mdrvcb
// needs no binomial and takes any degree.
#include <algorithm>
#include <cstddef>

#include "frame/frame.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_polynomial.h"

namespace {

// True when the derivative of order R of a curve with NCOEF coefficients
// is the zero curve here (see above).
bool vanishes(int ncoef, int r) noexcept { return r < 0 || r >= ncoef || ncoef - 1 > vcbm::kMaxBinomial; }

// The extended Horner scheme on COEF(NDIM, NCOEF): D(:, 0..M) at T, before
// the scaling by r!. D(:, 0) holds the last column and D(:, 1..M) zeros.
void horner_orders(int ndim, int ncoef, const double* coef, double t, int m, double* d) noexcept {
    const std::ptrdiff_t nd = ndim;
    for (int k = ncoef - 1; k >= 1; --k) {
        for (int r = m; r >= 1; --r) {
            double* dr = d + r * nd;
            const double* dq = dr - nd;
            for (std::ptrdiff_t i = 0; i < nd; ++i) dr[i] = dr[i] * t + dq[i];
        }
        const double* c = coef + (k - 1) * nd;
        for (std::ptrdiff_t i = 0; i < nd; ++i) d[i] = d[i] * t + c[i];
    }
}

// The same with the dimension and the highest order fixed, the orders
// carried in registers; they are stored already scaled by r!. Predictive
// commoning would rewrite the recurrence across two steps and double the
// length of its dependency chain, hence the attribute.
#if defined(__clang__)
#define VCBM_NO_PREDICTIVE_COMMONING  // a GCC transformation: nothing to turn off
#else
#define VCBM_NO_PREDICTIVE_COMMONING __attribute__((optimize("no-predictive-commoning")))
#endif
template <int Dim, int M>
VCBM_NO_PREDICTIVE_COMMONING void horner_orders_fixed(int ncoef, const double* coef,
                                                                              double t, double* d) noexcept {
    double a[M + 1][Dim];
    for (int i = 0; i < Dim; ++i) {
        a[0][i] = coef[static_cast<std::ptrdiff_t>(ncoef - 1) * Dim + i];
        for (int r = 1; r <= M; ++r) a[r][i] = 0.0;
    }
    for (int k = ncoef - 1; k >= 1; --k) {
        const double* c = coef + static_cast<std::ptrdiff_t>(k - 1) * Dim;
        for (int i = 0; i < Dim; ++i) {
            for (int r = M; r >= 1; --r) a[r][i] = a[r][i] * t + a[r - 1][i];
            a[0][i] = a[0][i] * t + c[i];
        }
    }
    double fr = 1.0;
    for (int r = 0; r <= M; ++r) {
        if (r >= 2) fr *= r;
        for (int i = 0; i < Dim; ++i) d[r * Dim + i] = r >= 2 ? a[r][i] * fr : a[r][i];
    }
}

// Dimension D and orders up to 3 (the usual calls): the fixed kernel.
// Returns false, having done nothing, for higher orders.
template <int Dim>
bool horner_orders_small(int ncoef, const double* coef, double t, int m, double* d) noexcept {
    switch (m) {
        case 0: horner_orders_fixed<Dim, 0>(ncoef, coef, t, d); return true;
        case 1: horner_orders_fixed<Dim, 1>(ncoef, coef, t, d); return true;
        case 2: horner_orders_fixed<Dim, 2>(ncoef, coef, t, d); return true;
        case 3: horner_orders_fixed<Dim, 3>(ncoef, coef, t, d); return true;
        default: return false;
    }
}

}  // namespace

extern "C" {

void derivc(const int* NDIM, const int* NCOEF, const double* COEF, int* NCOEFD, double* COEFD) {
    const int ndim = *NDIM, ncoef = *NCOEF;
    auto a = vcbm::mat(COEF, ndim);
    auto b = vcbm::mat(COEFD, ndim);
    if (ncoef < 2) {
        for (int i = 1; i <= ndim; ++i) b(i, 1) = 0.0;
        *NCOEFD = 1;
        return;
    }
    for (int j = 1; j <= ncoef - 1; ++j)
        for (int i = 1; i <= ndim; ++i) b(i, j) = j * a(i, j + 1);
    *NCOEFD = ncoef - 1;
}

// Columns are written in increasing order, each from a column at or after
// it, so COEFD may be COEF itself.
void mcdriv(const int* NDIM, const int* NCOEF, const double* COEF, const int* IORDR, int* NCOEFD, double* COEFD) {
    const int ndim = *NDIM, ncoef = *NCOEF, r = *IORDR;
    auto a = vcbm::mat(COEF, ndim);
    auto b = vcbm::mat(COEFD, ndim);
    if (vanishes(ncoef, r)) {
        for (int i = 1; i <= ndim; ++i) b(i, 1) = 0.0;
        *NCOEFD = 1;
        return;
    }
    const double f = vcbm::factorial(r);
    for (int j = 1; j <= ncoef - r; ++j) {
        const double g = f * vcbm::binomial(j - 1 + r, r);
        for (int i = 1; i <= ndim; ++i) b(i, j) = g * a(i, j + r);
    }
    *NCOEFD = ncoef - r;
}

void cderiv(int* NCOEF, const int* NDIM, double* COEF, const int* IORDR) {
    const int ncoef = *NCOEF, ndim = *NDIM;
    if (vanishes(ncoef, *IORDR)) {
        if (ncoef >= 1 && ndim >= 1) {
            const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(ncoef) * ndim;
            std::fill(COEF, COEF + n, 0.0);
        }
        *NCOEF = 1;
        return;
    }
    int ncoefd = 0;
    mcdriv(NDIM, NCOEF, COEF, IORDR, &ncoefd, COEF);
    *NCOEF = ncoefd;
}

void mdrvck(const int* NCOEF, const int* NDIM, const double* COEF, const int* IORDR, const double* T, double* D) {
    const int ncoef = *NCOEF, ndim = *NDIM, r = *IORDR;
    auto a = vcbm::mat(COEF, ndim);
    if (vanishes(ncoef, r)) {
        for (int i = 0; i < ndim; ++i) D[i] = 0.0;
        return;
    }
    const double t = *T;
    const double f = vcbm::factorial(r);
    const double g = f * vcbm::binomial(ncoef - 1, r);
    for (int i = 1; i <= ndim; ++i) D[i - 1] = g * a(i, ncoef);
    for (int k = ncoef - 1; k >= r + 1; --k) {
        const double h = f * vcbm::binomial(k - 1, r);
        for (int i = 1; i <= ndim; ++i) D[i - 1] = D[i - 1] * t + h * a(i, k);
    }
}

// Orders above NCOEF-1 are 0 and take no part in the scheme, so they stay
// exactly 0 whatever T is.
void mdrvcb(const int* IORDR, const int* NDIM, const int* NCOEF, const double* COEF, const double* T, double* D,
            int* IER) {
    static constexpr auto R = vcbm::routine("MDRVCB");
    vcbm::Frame f(R, *IER);
    const int iordr = *IORDR, ndim = *NDIM, ncoef = *NCOEF;
    if (iordr < 0 || ncoef < 1) return f.fail(1);
    if (ndim < 1) return;

    auto d = vcbm::mat(D, ndim);
    const int m = std::min(iordr, ncoef - 1);
    const double t = *T;
    const bool done = (ndim == 3 && horner_orders_small<3>(ncoef, COEF, t, m, D)) ||
                      (ndim == 2 && horner_orders_small<2>(ncoef, COEF, t, m, D));
    if (!done) {
        auto a = vcbm::mat(COEF, ndim);
        for (int i = 1; i <= ndim; ++i) d(i, 1) = a(i, ncoef);
        std::fill(d.col(2), d.col(2) + static_cast<std::ptrdiff_t>(m) * ndim, 0.0);
        horner_orders(ndim, ncoef, COEF, t, m, D);
        // Order r carries the factor r!, built by successive products.
        double fr = 1.0;
        for (int r = 2; r <= m; ++r) {
            fr *= r;
            for (int i = 1; i <= ndim; ++i) d(i, r + 1) *= fr;
        }
    }
    // Orders above NCOEF-1 vanish.
    std::fill(d.col(m + 2), d.col(m + 2) + static_cast<std::ptrdiff_t>(iordr - m) * ndim, 0.0);
}

}  // extern "C"
