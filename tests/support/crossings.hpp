// Curves whose crossings are known, and the call of umcvcv, for the tests
// of the curve/curve intersection family.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "VelCurveBasedMathematics.h"
#include "tests/support/reference.hpp"

namespace crossings {

using Vec = std::vector<double>;

struct Result {
    int ier = -99, nsol = 0;
    Vec sol;  // pairs
};

inline Result intersect(int ndim, const Vec& c1, Vec i1, const Vec& c2, Vec i2, int iopt = 1, int nmax = 50,
                 Vec start = {}) {
    int n1 = static_cast<int>(c1.size()) / ndim, n2 = static_cast<int>(c2.size()) / ndim;
    Vec sol(2 * std::max(nmax, 1), -7.0);
    if (!start.empty()) std::copy(start.begin(), start.end(), sol.begin());
    Result r;
    umcvcv(&ndim, &n1, c1.data(), &i1[0], &i1[1], &n2, c2.data(), &i2[0], &i2[1], &iopt, &nmax, &r.nsol,
           sol.data(), &r.ier);
    r.sol.assign(sol.begin(), sol.begin() + 2 * std::max(0, std::min(r.nsol, std::max(nmax, 1))));
    if (nmax < 1) r.sol = sol;  // to check that nothing was written
    return r;
}

// Polynomial helpers on canonical coefficients.
inline Vec mul(const Vec& a, const Vec& b) {
    Vec c(a.size() + b.size() - 1, 0.0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j) c[i + j] += a[i] * b[j];
    return c;
}
inline Vec add(Vec a, const Vec& b) {
    if (a.size() < b.size()) a.resize(b.size(), 0.0);
    for (std::size_t i = 0; i < b.size(); ++i) a[i] += b[i];
    return a;
}
// p(s(u)) for polynomials p and s.
inline Vec compose(const Vec& p, const Vec& s) {
    Vec r{p.back()};
    for (int k = static_cast<int>(p.size()) - 2; k >= 0; --k) r = add(mul(r, s), Vec{p[k]});
    return r;
}
// Interleaves x(t), y(t) into COEF(2, n).
inline Vec planar(Vec x, Vec y) {
    const std::size_t n = std::max(x.size(), y.size());
    x.resize(n, 0.0);
    y.resize(n, 0.0);
    Vec c;
    for (std::size_t k = 0; k < n; ++k) {
        c.push_back(x[k]);
        c.push_back(y[k]);
    }
    return c;
}

inline double dist(int ndim, const Vec& c1, double t1, const Vec& c2, double t2) {
    const int n1 = static_cast<int>(c1.size()) / ndim, n2 = static_cast<int>(c2.size()) / ndim;
    long double s = 0;
    for (int i = 0; i < ndim; ++i) {
        const long double d = ref::horner(c1.data(), ndim, n1, i, t1) - ref::horner(c2.data(), ndim, n2, i, t2);
        s += d * d;
    }
    return static_cast<double>(std::sqrt(s));
}

// Two curves crossing exactly at x = r for each r of ROOTS: curve 1 is the
// graph (t, g(t) + k prod(t - r)) and curve 2 the graph of g, reparametrised
// by x = (u + u^2)/2, so that it meets curve 1 at u = (sqrt(1 + 8r) - 1)/2.
struct Known {
    Vec c1, c2;
    Vec pairs;
};
inline Known known_crossings(const Vec& roots, double k = 4.0) {
    const Vec g{-0.1, 0.2, 0.3};
    const Vec s{0.0, 0.5, 0.5};
    Known kc;
    kc.c1 = planar({0.0, 1.0}, add(g, ref::from_roots(roots, k)));
    kc.c2 = planar(s, compose(g, s));
    for (double r : roots) {
        kc.pairs.push_back(r);
        kc.pairs.push_back((std::sqrt(1 + 8 * r) - 1) / 2);
    }
    return kc;
}

// A curve whose control polygon has N random points in [-1, 1]^2.
inline Vec random_bezier(std::mt19937& gen, int n) {
    Vec c = ref::random_values(gen, 2 * n);
    int ier = 0;
    mpolc2(&n, c.data(), c.data(), &ier);
    return c;
}

// COEF(3, n) of (x, y, z) turned by the rotation ROT (row-major 3 x 3, applied as ROT^T p).
inline Vec space(Vec x, Vec y, Vec z, const double* rot) {
    const std::size_t n = std::max(x.size(), std::max(y.size(), z.size()));
    x.resize(n, 0.0);
    y.resize(n, 0.0);
    z.resize(n, 0.0);
    Vec c;
    for (std::size_t k = 0; k < n; ++k)
        for (int i = 0; i < 3; ++i) c.push_back(rot[i] * x[k] + rot[3 + i] * y[k] + rot[6 + i] * z[k]);
    return c;
}

// A rotation about two axes by angles A and B (row-major).
inline Vec rotation(double a, double b) {
    return {std::cos(a), std::sin(a), 0.0, -std::sin(a) * std::cos(b), std::cos(a) * std::cos(b), std::sin(b),
            std::sin(a) * std::sin(b), -std::cos(a) * std::sin(b), std::cos(b)};
}

// The planar pair of known_crossings lifted into space: both curves get the
// height h(x) (curve 2 raised by LIFT), then the scene is turned by ROT. The
// space curves meet at the planar crossings when LIFT is 0, and nowhere
// (though their projections still cross) otherwise.
inline Known known_space_crossings(const Vec& roots, const Vec& rot, double lift = 0.0) {
    const Vec g{-0.1, 0.2, 0.3}, s{0.0, 0.5, 0.5}, h{0.2, -0.5, 0.7};
    Known kc;
    kc.c1 = space({0.0, 1.0}, add(g, ref::from_roots(roots, 4.0)), h, rot.data());
    kc.c2 = space(s, compose(g, s), add(compose(h, s), Vec{lift}), rot.data());
    for (double r : roots) {
        kc.pairs.push_back(r);
        kc.pairs.push_back((std::sqrt(1 + 8 * r) - 1) / 2);
    }
    return kc;
}

inline void expect_pairs(const Result& r, const Vec& want, double tol, const std::string& what) {
    ASSERT_EQ(r.nsol * 2, static_cast<int>(want.size())) << what;
    for (std::size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(r.sol[k], want[k], tol) << what << " entry " << k;
}

}  // namespace crossings
