// Derivatives of cross products, of double cross products and of unit
// vectors, as the frame routines need them: mderpv, md2rpv (A x B), mdrdpv,
// md2dpv ((A x B) x C, with a plane form), mdrknr (a unit vector up to the
// third derivative) and mdrv2pv (second derivative of a unit cross product).
#include <cmath>

#include "frame/frame.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_diffgeom.h"
#include "vcbm_frame.h"

namespace {

using vcbm::cross3;

// R = A x DB + DA x B.
void cross_d1(const double* a, const double* b, const double* da, const double* db, double* r) noexcept {
    double x[3], y[3];
    cross3(a, db, x);
    cross3(da, b, y);
    for (int i = 0; i < 3; ++i) r[i] = x[i] + y[i];
}

// R = A x D2B + 2 DA x DB + D2A x B.
void cross_d2(const double* a, const double* b, const double* da, const double* db, const double* d2a,
              const double* d2b, double* r) noexcept {
    double x[3], y[3], z[3];
    cross3(a, d2b, x);
    cross3(da, db, y);
    cross3(d2a, b, z);
    for (int i = 0; i < 3; ++i) r[i] = x[i] + 2.0 * y[i] + z[i];
}

// The third component of A x B and its first two derivatives, for the plane
// forms: W = A(1) B(2) - A(2) B(1).
double w0(const double* a, const double* b) noexcept { return a[0] * b[1] - a[1] * b[0]; }

}  // namespace

extern "C" {

void mderpv(const double* A, const double* B, const double* DA, const double* DB, double* R) {
    cross_d1(A, B, DA, DB, R);
}

void md2rpv(const double* A, const double* B, const double* DA, const double* DB, const double* D2A,
            const double* D2B, double* R) {
    cross_d2(A, B, DA, DB, D2A, D2B, R);
}

void mdrdpv(const int* NDIM, const double* A, const double* B, const double* C, const double* DA, const double* DB,
            const double* DC, double* R) {
    if (*NDIM == 2) {
        // (A x B) x C = (0, 0, W) x C = (-W C(2), W C(1)).
        const double w = w0(A, B), dw = w0(A, DB) + w0(DA, B);
        const double r1 = -DC[1] * w - C[1] * dw, r2 = DC[0] * w + C[0] * dw;
        R[0] = r1;
        R[1] = r2;
        return;
    }
    double p[3], dp[3], x[3], y[3];
    cross3(A, B, p);
    cross_d1(A, B, DA, DB, dp);
    cross3(dp, C, x);
    cross3(p, DC, y);
    for (int i = 0; i < 3; ++i) R[i] = x[i] + y[i];
}

void md2dpv(const int* NDIM, const double* A, const double* B, const double* C, const double* DA, const double* DB,
            const double* DC, const double* D2A, const double* D2B, const double* D2C, double* R) {
    if (*NDIM == 2) {
        const double w = w0(A, B), dw = w0(A, DB) + w0(DA, B), d2w = w0(A, D2B) + 2.0 * w0(DA, DB) + w0(D2A, B);
        const double r1 = -(d2w * C[1] + 2.0 * dw * DC[1] + w * D2C[1]);
        const double r2 = d2w * C[0] + 2.0 * dw * DC[0] + w * D2C[0];
        R[0] = r1;
        R[1] = r2;
        return;
    }
    double p[3], dp[3], d2p[3], x[3], y[3], z[3];
    cross3(A, B, p);
    cross_d1(A, B, DA, DB, dp);
    cross_d2(A, B, DA, DB, D2A, D2B, d2p);
    cross3(d2p, C, x);
    cross3(dp, DC, y);
    cross3(p, D2C, z);
    for (int i = 0; i < 3; ++i) R[i] = x[i] + 2.0 * y[i] + z[i];
}

// Leibniz's rule on V = L W with L = |V| and W . W = 1: L_k from the
// component of V_k along W_0, W_k from the rest; P_m = W_0 . W_m follows
// from the derivatives of W . W = 1 (P_0 = 1, P_1 = 0).
void mdrknr(const int* NDIM, const double* V, const int* K, const double* EPS, double* W, int* IER) {
    static constexpr auto R = vcbm::routine("MDRKNR");
    vcbm::Frame f(R, *IER);
    f.set_report(true);  // every exit is reported, success included
    const int ndim = *NDIM, kmax = *K;
    if (kmax < 1 || kmax > 3) return f.fail(2);
    auto v = vcbm::mat(V, ndim);
    auto w = vcbm::mat(W, ndim);
    const double l0 = zsnorm(NDIM, V);
    if (l0 < *EPS || !(l0 > 0.0)) return f.fail(1);

    auto dot = [&](int a, int b) {  // W_a . W_b, columns counted from 0
        double s = 0.0;
        for (int i = 1; i <= ndim; ++i) s += w(i, a + 1) * w(i, b + 1);
        return s;
    };
    double l[4] = {l0, 0, 0, 0}, p[5] = {1.0, 0.0, 0, 0, 0};
    for (int i = 1; i <= ndim; ++i) w(i, 1) = v(i, 1) / l0;
    for (int k = 1; k <= kmax; ++k) {
        double lk = 0.0;
        for (int i = 1; i <= ndim; ++i) lk += v(i, k + 1) * w(i, 1);
        for (int j = 0; j <= k - 1; ++j) lk -= vcbm::binomial(k, j) * l[j] * p[k - j];
        l[k] = lk;
        for (int i = 1; i <= ndim; ++i) {
            double s = v(i, k + 1);
            for (int j = 1; j <= k; ++j) s -= vcbm::binomial(k, j) * l[j] * w(i, k - j + 1);
            w(i, k + 1) = s / l0;
        }
        if (k < kmax) {
            double s = 0.0;
            for (int j = 1; j <= k; ++j) s += vcbm::binomial(k + 1, j) * dot(j, k + 1 - j);
            p[k + 1] = -0.5 * s;
        }
    }
}

void mdrv2pv(const double* A, const double* B, const double* DA, const double* DB, const double* D2A,
             const double* D2B, const double* EPS, double* R, int* IER) {
    static constexpr auto RT = vcbm::routine("MDRV2PV");
    vcbm::Frame f(RT, *IER);
    double c[9], u[9];  // C = A x B and its two derivatives; their unit vector's
    cross3(A, B, c);
    cross_d1(A, B, DA, DB, c + 3);
    cross_d2(A, B, DA, DB, D2A, D2B, c + 6);
    const int three = 3, two = 2;
    int iret = 0;
    mdrknr(&three, c, &two, EPS, u, &iret);
    if (iret != 0) return f.fail(iret);
    for (int i = 0; i < 3; ++i) R[i] = u[6 + i];
}

}  // extern "C"
