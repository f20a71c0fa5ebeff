// Closed-form roots: urequ2, urpol2, urpol3.
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using testing_support::Recorded;

// Root count, code, ROOT(1) and ROOT(2) (-7 where untouched).
using Res = std::array<double, 4>;

Res quad(double a, double b, double c) {
    int n = -7, ier = -7;
    double r[2] = {-7.0, -7.0};
    urequ2(&a, &b, &c, &n, r, &ier);
    return {double(n), double(ier), r[0], r[1]};
}

// urpol2 or urpol3 by the number of coefficients, unless F is given.
Res in_interval(std::vector<double> c, double ta, double tb, decltype(&urpol2) f = nullptr) {
    int n = static_cast<int>(c.size()), nr = -7, ier = -7;
    double r[2] = {-7.0, -7.0};
    (f ? f : n == 3 ? urpol3 : urpol2)(&n, c.data(), &ta, &tb, &nr, r, &ier);
    return {double(nr), double(ier), r[0], r[1]};
}

TEST_F(Recorded, QuadraticCasesAtTheDiscriminantThresholds) {
    // Larger magnitude first, the other from the product of the roots.
    EXPECT_EQ(quad(1, -3, 2), (Res{2, 0, 2, 1}));
    // Discriminant 0 (also with B = C = 0), and -1e-15 with a residual within EPSPB = 1e-14.
    EXPECT_EQ(quad(1, 2, 1), (Res{1, -1, -1, -7}));
    EXPECT_EQ(quad(1, 0, 0), (Res{1, -1, 0, -7}));
    EXPECT_EQ(quad(1, 0, 2.5e-16), (Res{1, -1, 0, -7}));
    testing_support::fill_block({.epspb = 1e-17});  // now the residual 2.5e-16 is too large
    EXPECT_EQ(quad(1, 0, 2.5e-16), (Res{0, 0, 0, -7}));  // ROOT(1) written all the same
    testing_support::fill_block({.epspb = 1.0});
    EXPECT_EQ(quad(1, 0, 0.9e-15), (Res{0, 0, -7, -7}));  // D = -3.6e-15: no root whatever the residual
    const Res q = quad(1, 0, -1e-32);  // D > 0, both roots within 3.6e-15 of zero
    EXPECT_TRUE(q[0] == 1 && q[1] == -1 && std::fabs(q[2]) < 3.6e-15 && q[3] == -7);
}

TEST_F(Recorded, QuadraticMatchesKnownRoots) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-10, 10);
    for (int k = 0; k < 300; ++k) {
        const double r1 = u(gen), r2 = u(gen), a = u(gen), tol = 1e-11 * (1 + std::fabs(r1) + std::fabs(r2));
        if (std::fabs(a) < 1e-3 || std::fabs(r1 - r2) < 1e-3) continue;
        const Res q = quad(a, -a * (r1 + r2), a * r1 * r2);
        ASSERT_EQ(q[0], 2);
        EXPECT_GE(std::fabs(q[2]), std::fabs(q[3]));
        EXPECT_NEAR(std::min(q[2], q[3]), std::min(r1, r2), tol);
        EXPECT_NEAR(std::max(q[2], q[3]), std::max(r1, r2), tol);
    }
}

TEST_F(Recorded, OverflowingDiscriminantIsRescaled) {
    // A common power-of-two factor changes no bit of the roots, also where the
    // discriminant (or 2A) overflows at the scaled size.
    const double coefs[][3] = {{1, 1, -1}, {3, -7, 2}, {-0.5, 0.25, 4}, {1, -2, 1}};
    for (const auto& c : coefs)
        for (int e : {0, 500, 900, 1020, -400}) {
            const Res want = quad(c[0], c[1], c[2]);
            const Res got = quad(std::ldexp(c[0], e), std::ldexp(c[1], e), std::ldexp(c[2], e));
            EXPECT_EQ(got, want) << c[0] << " " << c[1] << " " << c[2] << " at 2^" << e;
        }
    // The reported case: (t^2 + t - 1) 1e154 and 1e308 keep the root 0.618...
    for (double s : {1e154, 1e308}) {
        Res r = in_interval({-s, s, s}, 0, 1);
        EXPECT_TRUE(r[0] == 1 && r[1] == 0 && std::fabs(r[2] - (std::sqrt(5.0) - 1) / 2) < 1e-15) << s;
    }
    // Not finite: no root.
    for (double bad : {NAN, INFINITY}) EXPECT_EQ(quad(1, bad, -1)[0], 0);
}

TEST_F(Recorded, RootsInTheWidenedInterval) {
    const double e = 0.5e-10;  // half of EPSNR
    // Degree 1: a root EPSNR/2 beyond an end is kept, ends in either order.
    EXPECT_EQ(in_interval({-(1 + e), 1}, 1, 0), (Res{1, 0, 1 + e, -7}));
    EXPECT_EQ(in_interval({-(1 + 4 * e), 1}, 0, 1), (Res{0, 0, -7, -7}));
    // Slope below EPS1 = 1e-9: code 10, no root, although the root is inside.
    EXPECT_EQ(in_interval({-0.5e-9, 0.9e-9}, 0, 1), (Res{0, 10, -7, -7}));
    // Degree 2: (t - 0.2)(t - 0.9) comes back ascending; one root when the other is outside.
    Res o = in_interval({0.18, -1.1, 1}, 0, 1);
    EXPECT_TRUE(o[0] == 2 && o[1] == 0 && std::fabs(o[2] - 0.2) < 1e-15 && std::fabs(o[3] - 0.9) < 1e-15);
    o = in_interval({0.18, -1.1, 1}, 0.5, 0);
    EXPECT_TRUE(o[0] == 1 && std::fabs(o[2] - 0.2) < 1e-15 && o[3] == -7);
    o = in_interval({-e * (1 + e), -1, 1}, 0, 1);  // roots -e and 1 + e, both within the widening
    EXPECT_TRUE(o[0] == 2 && std::fabs(o[2] + e) < 1e-15 && std::fabs(o[3] - 1 - e) < 1e-15);
    EXPECT_EQ(in_interval({0.25, -1, 1}, 0, 1), (Res{1, -1, 0.5, -7}));  // double root
    EXPECT_EQ(in_interval({1, 0, 1}, -1, 1), (Res{0, 0, -7, -7}));
    // Wrong counts, or C(3) = 0: code 10. None of this is reported.
    EXPECT_EQ(in_interval({0, 1, 0}, 0, 1), (Res{0, 10, -7, -7}));
    EXPECT_EQ(in_interval({-1, 0, 1}, 0, 1, urpol2), (Res{0, 10, -7, -7}));
    EXPECT_EQ(rec::count(rec::Kind::Error) - rec::count(rec::Kind::Error, "MCXCOM"), 0);
}

}  // namespace
