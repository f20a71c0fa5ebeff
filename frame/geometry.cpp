// Perpendicular unit vector, angle between two vectors, coordinates in a
// skew basis (with their derivatives) and an orthonormal frame around a
// direction.
#include <cmath>

#include "OrvoSystem.h"
#include "frame/frame.hpp"
#include "frame/tolerance.hpp"
#include "frame/vector_toolkit.hpp"
#include "vcbm_frame.h"

namespace {

// Positions in the dnombr block of constants.
const double& kPi = dnombr[0];
const double& kHalfPi = dnombr[2];
const double& kRadToDeg = dnombr[4];
const double& kZero = dnombr[5];
const double& kDeg180 = dnombr[7];
const double& kDeg90 = dnombr[9];

// The angle from V1 to V2; returns mangle's code. Both outputs are 0 unless
// a case decides.
int angle(int n, const double* v1, const double* v2, double& adeg, double& arad) noexcept {
    adeg = 0.0;
    arad = 0.0;
    if (n != 2 && n != 3) return 1000;
    const double eps = vcbm::tol::eps1();
    if (vcbm::norm(n, v1) <= eps) return 1;
    if (vcbm::norm(n, v2) <= eps) return 2;

    double s, w;
    if (n == 2) {
        s = v1[0] * v2[0] + v1[1] * v2[1];
        w = v1[0] * v2[1] - v1[1] * v2[0];
    } else {
        double c[3];
        vcbm::cross3(v1, v2, c);
        s = vcbm::dot3(v1, v2);
        w = vcbm::norm(3, c);
    }
    // S and W are compared with EPS1 as they stand: the decision is made on
    // the products, not on the cosine and sine.
    if (s > 0.0 && std::fabs(w) <= eps) {
        arad = kZero;
        adeg = kZero;
    } else if (s < 0.0 && std::fabs(w) <= eps) {
        arad = kPi;
        adeg = kDeg180;
    } else if (std::fabs(s) <= eps && w > 0.0) {
        arad = kHalfPi;
        adeg = kDeg90;
    } else if (std::fabs(s) <= eps && w < 0.0) {
        arad = -kHalfPi;
        adeg = -kDeg90;
    } else if (s > 0.0 && w > 0.0) {
        arad = std::atan(std::fabs(w / s));
        adeg = arad * kRadToDeg;
    } else if (s < 0.0 && w > 0.0) {
        arad = kPi - std::atan(std::fabs(w / s));
        adeg = arad * kRadToDeg;
    } else if (s < 0.0 && w < 0.0) {
        arad = std::atan(std::fabs(w / s)) - kPi;
        adeg = arad * kRadToDeg;
    } else if (s > 0.0 && w < 0.0) {
        arad = -std::atan(std::fabs(w / s));
        adeg = arad * kRadToDeg;
    } else {
        return 110;
    }
    return 0;
}

// Coordinates of P in the basis (U, V, U x V), by Cramer's rule with the
// determinant (U x V) . (U x V); with DCOORD also their derivatives. Returns
// mcoord's code; COORD (and DCOORD) stay 0 on failure.
int coordinates(const double* p, const double* u, const double* v, const double* tol, double* coord,
                const double* dp, const double* du, const double* dv, double* dcoord) noexcept {
    for (int k = 0; k < 3; ++k) coord[k] = 0.0;
    if (dcoord)
        for (int k = 0; k < 3; ++k) dcoord[k] = 0.0;
    if (vcbm::norm(3, u) <= tol[0]) return 1;
    if (vcbm::norm(3, v) <= tol[0]) return 2;
    double adeg, arad;
    if (angle(3, u, v, adeg, arad) != 0) return 3;
    if (std::fabs(arad) <= tol[1] || std::fabs(kPi - arad) <= tol[1]) return 3;

    double w[3];
    vcbm::cross3(u, v, w);
    const double d = vcbm::dot3(w, w);
    const double n1 = vcbm::triple3(p, v, w);
    const double n2 = vcbm::triple3(u, p, w);
    const double n3 = vcbm::triple3(u, v, p);
    coord[0] = n1 / d;
    coord[1] = n2 / d;
    coord[2] = n3 / d;
    if (!dcoord) return 0;

    // dW = dU x V + U x dV, dD = 2 dW . W; each dNk is the derivative of the
    // triple product Nk.
    double a[3], b[3], dw[3];
    vcbm::cross3(du, v, a);
    vcbm::cross3(u, dv, b);
    for (int k = 0; k < 3; ++k) dw[k] = a[k] + b[k];
    const double dd = 2.0 * vcbm::dot3(dw, w);

    auto dtriple = [&](const double* x, const double* y, const double* dx, const double* dy, const double* dz,
                       const double* z) {
        // d/dt of x . (y x z) = dx . (y x z) + x . (dy x z + y x dz)
        double yz[3], dyz[3], ydz[3], s[3];
        vcbm::cross3(y, z, yz);
        vcbm::cross3(dy, z, dyz);
        vcbm::cross3(y, dz, ydz);
        for (int k = 0; k < 3; ++k) s[k] = dyz[k] + ydz[k];
        return vcbm::dot3(dx, yz) + vcbm::dot3(x, s);
    };
    const double dn1 = dtriple(p, v, dp, dv, dw, w);
    const double dn2 = dtriple(u, p, du, dp, dw, w);
    const double dn3 = dtriple(u, v, du, dv, dp, p);
    const double d2 = d * d;
    dcoord[0] = (dn1 * d - n1 * dd) / d2;
    dcoord[1] = (dn2 * d - n2 * dd) / d2;
    dcoord[2] = (dn3 * d - n3 * dd) / d2;
    return 0;
}

}  // namespace

extern "C" {

void prpvct(const int* N, const double* V, double* VP, int* IER) {
    *IER = 0;
    const int n = *N;
    double w[3] = {0.0, 0.0, 0.0};
    if (n == 2) {
        w[0] = -V[1];
        w[1] = V[0];
    } else if (n == 3) {
        // The two largest components of V make W; the smallest's slot stays 0.
        const double a = std::fabs(V[0]), b = std::fabs(V[1]), c = std::fabs(V[2]);
        if (a > b) {
            if (!(a > c)) {
                w[0] = V[2];
                w[2] = -V[0];
            } else if (c > b) {
                w[2] = V[0];
                w[0] = -V[2];
            } else {
                w[1] = V[0];
                w[0] = -V[1];
            }
        } else {
            if (!(b > c)) {
                w[1] = V[2];
                w[2] = -V[1];
            } else if (a > c) {
                w[0] = V[1];
                w[1] = -V[0];
            } else {
                w[2] = V[1];
                w[1] = -V[2];
            }
        }
    } else {
        *IER = 1;
        return;
    }
    if (vcbm::unit_vector(n, w, VP) != 0) *IER = 1;
}

void mangle(const int* N, const double* V1, const double* V2, double* ADEG, double* ARAD, int* IER) {
    *IER = angle(*N, V1, V2, *ADEG, *ARAD);
}

void mcoord(const double* P, const double* U, const double* V, const double* TOL, double* COORD, int* IER) {
    static constexpr auto R = vcbm::routine("MCOORD");
    vcbm::Frame f(R, *IER);
    f.fail(coordinates(P, U, V, TOL, COORD, nullptr, nullptr, nullptr, nullptr));
}

void mcoord1(const int* IDER, const double* P, const double* U, const double* V, const double* DP,
             const double* DU, const double* DV, const double* TOL, double* COORD, double* DCOORD, int* IER) {
    static constexpr auto R = vcbm::routine("MCOORD1");
    vcbm::Frame f(R, *IER);
    if (*IDER == 1) {
        f.fail(coordinates(P, U, V, TOL, COORD, DP, DU, DV, DCOORD));
    } else {
        for (int k = 0; k < 3; ++k) DCOORD[k] = 0.0;
        f.fail(coordinates(P, U, V, TOL, COORD, nullptr, nullptr, nullptr, nullptr));
    }
}

void scbase(const double* V, const double* EPS, double* BASE, int* IER) {
    static constexpr auto R = vcbm::routine("SCBASE");
    vcbm::Frame f(R, *IER);
    const int* three = &inombr[3];  // the dimension, as the constant 3
    int k = 0;
    for (int i = 1; i < 3; ++i)
        if (std::fabs(V[i]) > std::fabs(V[k])) k = i;
    if (*EPS > std::fabs(V[k])) return f.fail(1);

    // A vector perpendicular to V from its largest component and the next one.
    const int k1 = (k + 1) % 3, k2 = (k1 + 1) % 3;
    double b2[3];
    b2[k] = V[k1];
    b2[k1] = -V[k];
    b2[k2] = 0.0;
    auto base = vcbm::mat(BASE, 3);
    const double nv = vcbm::norm(*three, V);
    const double nb = vcbm::norm(*three, b2);
    for (int i = 0; i < 3; ++i) {
        base(i + 1, 3) = V[i] / nv;
        base(i + 1, 2) = b2[i] / nb;
    }
    vcbm::cross3(base.col(2), base.col(3), base.col(1));
}

}  // extern "C"
