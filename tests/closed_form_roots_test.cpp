// Closed-form roots: urequ2, urpol2, urpol3.
#include <cmath>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using testing_support::Recorded;

struct Out {
    int n = -7;
    double r[2] = {-7.0, -7.0};
    int ier = -7;
};

Out quad(double a, double b, double c) {
    Out q;
    urequ2(&a, &b, &c, &q.n, q.r, &q.ier);
    return q;
}

Out in_interval(std::vector<double> c, double ta, double tb) {
    Out o;
    int n = static_cast<int>(c.size());
    (n == 3 ? urpol3 : urpol2)(&n, c.data(), &ta, &tb, &o.n, o.r, &o.ier);
    return o;
}

TEST_F(Recorded, QuadraticCasesAtTheDiscriminantThresholds) {
    // Larger magnitude first, the other from the product of the roots.
    Out q = quad(1, -3, 2);
    EXPECT_TRUE(q.n == 2 && q.ier == 0 && q.r[0] == 2.0 && q.r[1] == 1.0);
    // Discriminant 0 (also with B = C = 0), and -1e-15 with a residual within EPSPB = 1e-14.
    for (auto [b, c, root] : {std::tuple{2.0, 1.0, -1.0}, {0.0, 0.0, 0.0}, {0.0, 2.5e-16, 0.0}}) {
        q = quad(1, b, c);
        EXPECT_TRUE(q.n == 1 && q.ier == -1 && q.r[0] == root) << b << " " << c;
    }
    testing_support::fill_block({.epspb = 1e-17});  // now the residual 2.5e-16 is too large
    q = quad(1, 0, 2.5e-16);
    EXPECT_TRUE(q.n == 0 && q.ier == 0 && q.r[0] == 0.0);  // ROOT(1) written all the same
    testing_support::fill_block({.epspb = 1.0});
    q = quad(1, 0, 0.9e-15);  // D = -3.6e-15: no root whatever the residual
    EXPECT_TRUE(q.n == 0 && q.r[0] == -7.0);
    q = quad(1, 0, -1e-32);  // D > 0, both roots within 3.6e-15 of zero
    EXPECT_TRUE(q.n == 1 && q.ier == -1);
}

TEST_F(Recorded, QuadraticMatchesKnownRoots) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-10, 10);
    for (int k = 0; k < 300; ++k) {
        const double r1 = u(gen), r2 = u(gen), a = u(gen);
        if (std::fabs(a) < 1e-3 || std::fabs(r1 - r2) < 1e-3) continue;
        Out q = quad(a, -a * (r1 + r2), a * r1 * r2);
        ASSERT_EQ(q.n, 2);
        EXPECT_GE(std::fabs(q.r[0]), std::fabs(q.r[1]));
        EXPECT_NEAR(std::min(q.r[0], q.r[1]), std::min(r1, r2), 1e-11 * (1 + std::fabs(r1) + std::fabs(r2)));
        EXPECT_NEAR(std::max(q.r[0], q.r[1]), std::max(r1, r2), 1e-11 * (1 + std::fabs(r1) + std::fabs(r2)));
    }
}

TEST_F(Recorded, RootsInTheWidenedInterval) {
    const double e = 0.5e-10;  // half of EPSNR
    // Degree 1: a root EPSNR/2 beyond an end is kept, ends in either order.
    Out o = in_interval({-(1 + e), 1}, 1, 0);
    EXPECT_TRUE(o.ier == 0 && o.n == 1 && o.r[0] == 1 + e);
    EXPECT_EQ(in_interval({-(1 + 4 * e), 1}, 0, 1).n, 0);
    // Slope below EPS1 = 1e-9: code 10, no root, although the root is inside.
    o = in_interval({-0.5e-9, 0.9e-9}, 0, 1);
    EXPECT_TRUE(o.ier == 10 && o.n == 0);
    // Degree 2: (t - 0.2)(t - 0.9) comes back ascending; one root when the other is outside.
    o = in_interval({0.18, -1.1, 1}, 0, 1);
    EXPECT_TRUE(o.ier == 0 && o.n == 2 && std::fabs(o.r[0] - 0.2) < 1e-15 && std::fabs(o.r[1] - 0.9) < 1e-15);
    o = in_interval({0.18, -1.1, 1}, 0.5, 0);
    EXPECT_TRUE(o.n == 1 && std::fabs(o.r[0] - 0.2) < 1e-15);
    o = in_interval({-e * (1 + e), -1, 1}, 0, 1);  // roots -e and 1 + e, both within the widening
    EXPECT_EQ(o.n, 2);
    o = in_interval({0.25, -1, 1}, 0, 1);  // double root
    EXPECT_TRUE(o.ier == -1 && o.n == 1 && o.r[0] == 0.5);
    EXPECT_TRUE(in_interval({1, 0, 1}, -1, 1).n == 0);
    // Wrong counts, or C(3) = 0: code 10. None of this is reported.
    EXPECT_EQ(in_interval({0, 1, 0}, 0, 1).ier, 10);
    int three = 3, n, ier;
    double c[3] = {-1, 0, 1}, ta = 0, tb = 1, r[2];
    urpol2(&three, c, &ta, &tb, &n, r, &ier);
    EXPECT_TRUE(ier == 10 && n == 0);
    EXPECT_EQ(rec::count(rec::Kind::Error) - rec::count(rec::Kind::Error, "MCXCOM"), 0);
}

}  // namespace
