// Long-double references for the differential-geometry tests: derivatives of
// canonical curves, the classical Frenet formulas at regular points, and
// Richardson-extrapolated central differences.
#pragma once

#include <array>
#include <cmath>
#include <vector>

namespace fref {

using LD = long double;
using V3 = std::array<LD, 3>;

// Derivative of order R of COEF(NDIM, NCOEF) at T, three components (0 beyond NDIM).
inline V3 derivative(const std::vector<double>& coef, int ndim, int r, LD t) {
    const int ncoef = static_cast<int>(coef.size()) / ndim;
    V3 d{0, 0, 0};
    for (int i = 0; i < ndim; ++i) {
        LD s = 0;
        for (int j = ncoef - 1; j >= r; --j) {
            LD f = 1;
            for (int k = 0; k < r; ++k) f *= j - k;
            s = s * t + f * coef[j * ndim + i];
        }
        d[i] = s;
    }
    return d;
}

inline V3 cross(const V3& a, const V3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline LD dot(const V3& a, const V3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline LD norm(const V3& a) { return std::sqrt(dot(a, a)); }
inline V3 scaled(const V3& a, LD s) { return {a[0] * s, a[1] * s, a[2] * s}; }
inline V3 unit(const V3& a) { return scaled(a, 1 / norm(a)); }
inline V3 sum(const V3& a, const V3& b, LD s = 1) { return {a[0] + s * b[0], a[1] + s * b[1], a[2] + s * b[2]}; }

// The Frenet quantities at a regular point, from the first three derivatives.
struct Frenet {
    V3 t, n, b;          // unit tangent, normal, binormal
    V3 dt, dn, db;       // their derivatives with respect to the parameter
    LD speed, curvature, torsion, dcurv;  // dcurv: derivative of the curvature with respect to arc length
};

inline Frenet frenet(const std::vector<double>& coef, int ndim, LD u) {
    const V3 d1 = derivative(coef, ndim, 1, u), d2 = derivative(coef, ndim, 2, u),
             d3 = derivative(coef, ndim, 3, u);
    Frenet f;
    const V3 w = cross(d1, d2);
    f.speed = norm(d1);
    f.t = unit(d1);
    f.b = unit(w);
    f.n = cross(f.b, f.t);
    f.curvature = norm(w) / (f.speed * f.speed * f.speed);
    f.torsion = dot(w, d3) / dot(w, w);
    // Frenet-Serret with respect to the parameter: ' = speed d/ds.
    const LD v = f.speed;
    f.dt = scaled(f.n, v * f.curvature);
    f.dn = sum(scaled(f.t, -v * f.curvature), f.b, v * f.torsion);
    f.db = scaled(f.n, -v * f.torsion);
    // kappa = |w| / v^3: its derivative in u, then divided by v.
    const V3 dw = cross(d1, d3);
    const LD dnw = dot(w, dw) / norm(w), dv = dot(d1, d2) / v;
    f.dcurv = (dnw / (v * v * v) - 3 * norm(w) * dv / (v * v * v * v)) / v;
    return f;
}

// Richardson-extrapolated central difference of the vector function F at U
// (two steps, H and H/2): error O(H^4).
template <class F>
V3 richardson(F f, LD u, LD h) {
    auto central = [&](LD s) {
        const V3 a = f(u + s), b = f(u - s);
        return V3{(a[0] - b[0]) / (2 * s), (a[1] - b[1]) / (2 * s), (a[2] - b[2]) / (2 * s)};
    };
    const V3 c1 = central(h), c2 = central(h / 2);
    return {(4 * c2[0] - c1[0]) / 3, (4 * c2[1] - c1[1]) / 3, (4 * c2[2] - c1[2]) / 3};
}

inline LD distance(const V3& a, const double* b, int n = 3) {
    LD s = 0;
    for (int i = 0; i < n; ++i) s += (a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(s);
}

}  // namespace fref
