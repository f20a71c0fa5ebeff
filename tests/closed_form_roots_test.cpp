// Closed-form roots: urequ2, urpol2, urpol3.
#include <cmath>
#include <random>

#include "tests/support/fixture.hpp"

namespace {

using testing_support::Recorded;

struct Quad {
    int n = -7;
    double r[2] = {-7.0, -7.0};
    int ier = -7;
};

Quad solve(double a, double b, double c) {
    Quad q;
    urequ2(&a, &b, &c, &q.n, q.r, &q.ier);
    return q;
}

TEST_F(Recorded, QuadraticTwoRootsLargerMagnitudeFirst) {
    Quad q = solve(1, -3, 2);
    ASSERT_EQ(q.n, 2);
    EXPECT_EQ(q.ier, 0);
    EXPECT_EQ(q.r[0], 2.0);
    EXPECT_EQ(q.r[1], 1.0);
    q = solve(2, 5, -3);  // roots -3 and 0.5, B > 0
    ASSERT_EQ(q.n, 2);
    EXPECT_EQ(q.r[0], -3.0);
    EXPECT_DOUBLE_EQ(q.r[1], 0.5);
}

TEST_F(Recorded, QuadraticDoubleRootVerdict) {
    Quad q = solve(1, 2, 1);  // discriminant exactly 0
    EXPECT_EQ(q.n, 1);
    EXPECT_EQ(q.ier, -1);
    EXPECT_EQ(q.r[0], -1.0);
    q = solve(1, 0, 0);  // B = C = 0
    EXPECT_EQ(q.n, 1);
    EXPECT_EQ(q.ier, -1);
    EXPECT_EQ(q.r[0], 0.0);
    // Discriminant -1e-15: a double root when the residual 2.5e-16 is within EPSPB (1e-14).
    q = solve(1, 0, 2.5e-16);
    EXPECT_EQ(q.n, 1);
    EXPECT_EQ(q.ier, -1);
    testing_support::fill_block({.epspb = 1e-17});
    q = solve(1, 0, 2.5e-16);
    EXPECT_EQ(q.n, 0);
    EXPECT_EQ(q.ier, 0);
    EXPECT_EQ(q.r[0], 0.0);  // written all the same
}

TEST_F(Recorded, QuadraticNegativeDiscriminantAndTinyRoots) {
    testing_support::fill_block({.epspb = 1.0});  // a residual test would accept anything
    Quad q = solve(1, 0, 0.9e-15);                 // D = -3.6e-15
    EXPECT_EQ(q.n, 0);
    EXPECT_EQ(q.r[0], -7.0);  // not written
    q = solve(1, 0, -1e-32);  // D > 0 but both roots within 3.6e-15 of zero
    EXPECT_EQ(q.n, 1);
    EXPECT_EQ(q.ier, -1);
    EXPECT_EQ(rec::count(rec::Kind::Error, "UREQU2"), 0);  // never reports
}

TEST_F(Recorded, QuadraticMatchesKnownRootsOnRandomInput) {
    std::mt19937 gen(7);
    std::uniform_real_distribution<double> u(-10, 10);
    for (int k = 0; k < 500; ++k) {
        const double r1 = u(gen), r2 = u(gen), a = u(gen);
        if (std::fabs(a) < 1e-3 || std::fabs(r1 - r2) < 1e-3) continue;
        Quad q = solve(a, -a * (r1 + r2), a * r1 * r2);
        ASSERT_EQ(q.n, 2);
        const double lo = std::min(q.r[0], q.r[1]), hi = std::max(q.r[0], q.r[1]);
        EXPECT_NEAR(lo, std::min(r1, r2), 1e-11 * (1 + std::fabs(lo)));
        EXPECT_NEAR(hi, std::max(r1, r2), 1e-11 * (1 + std::fabs(hi)));
        EXPECT_GE(std::fabs(q.r[0]), std::fabs(q.r[1]));
    }
}

struct Interval {
    int n = -7;
    double r[2] = {-7.0, -7.0};
    int ier = -7;
};

Interval pol(int ncoef, std::initializer_list<double> c, double ta, double tb) {
    Interval out;
    std::vector<double> cc(c);
    if (ncoef == 2)
        urpol2(&ncoef, cc.data(), &ta, &tb, &out.n, out.r, &out.ier);
    else
        urpol3(&ncoef, cc.data(), &ta, &tb, &out.n, out.r, &out.ier);
    return out;
}

TEST_F(Recorded, LinearRootInWidenedInterval) {
    // EPSNR = 1e-10: a root 0.5e-10 beyond either end is kept, whatever the order of the ends.
    Interval i = pol(2, {-(1 + 0.5e-10), 1}, 1, 0);
    EXPECT_EQ(i.ier, 0);
    ASSERT_EQ(i.n, 1);
    EXPECT_DOUBLE_EQ(i.r[0], 1 + 0.5e-10);
    EXPECT_EQ(pol(2, {-(1 + 2e-10), 1}, 0, 1).n, 0);
    EXPECT_EQ(pol(2, {0.5e-10, 1}, 0, 1).n, 1);
    // A slope below EPS1 (1e-9): code 10 and no root although -C(1)/C(2) lies inside.
    i = pol(2, {-0.5e-9, 0.9e-9}, 0, 1);
    EXPECT_EQ(i.ier, 10);
    EXPECT_EQ(i.n, 0);
    i = pol(3, {0, 1, 0}, 0, 1);
    EXPECT_EQ(i.ier, 10);  // urpol3 with C(3) = 0
    int three = 3;
    double c[3] = {-1, 0, 1}, ta = 0, tb = 1, r[2];
    int n, ier;
    urpol2(&three, c, &ta, &tb, &n, r, &ier);  // wrong count
    EXPECT_EQ(ier, 10);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(rec::count(rec::Kind::Error), 0);
}

TEST_F(Recorded, QuadraticRootsInIntervalAscending) {
    // (t - 0.2)(t - 0.9): urequ2 gives 0.9 first; both are kept, ascending.
    Interval i = pol(3, {0.18, -1.1, 1}, 0, 1);
    EXPECT_EQ(i.ier, 0);
    ASSERT_EQ(i.n, 2);
    EXPECT_DOUBLE_EQ(i.r[0], 0.2);
    EXPECT_DOUBLE_EQ(i.r[1], 0.9);
    // Only one inside (ends swapped); a root EPSNR/2 outside counts as inside.
    i = pol(3, {0.18, -1.1, 1}, 0.5, 0);
    ASSERT_EQ(i.n, 1);
    EXPECT_DOUBLE_EQ(i.r[0], 0.2);
    const double e = 0.5e-10;
    i = pol(3, {-e * (1 + e), -1, 1}, 0, 1);  // roots -e and 1 + e
    ASSERT_EQ(i.n, 2);
    EXPECT_NEAR(i.r[0], -e, 1e-20);
    // Double root: code -1, one root.
    i = pol(3, {0.25, -1, 1}, 0, 1);
    EXPECT_EQ(i.ier, -1);
    ASSERT_EQ(i.n, 1);
    EXPECT_EQ(i.r[0], 0.5);
    // No real root: code 0.
    i = pol(3, {1, 0, 1}, -1, 1);
    EXPECT_EQ(i.ier, 0);
    EXPECT_EQ(i.n, 0);
}

}  // namespace
