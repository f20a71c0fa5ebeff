// The bracketing solver families and their polynomial drivers: the sequence
// of abscissae they ask for, their codes, statuses and reports.
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using testing_support::fill_block;
using testing_support::Recorded;

// Resets a family's state on [a, b] without evaluating anything: the driver
// with an iteration limit of 0 stops before its first pass.
void reset_u(double a, double b) {
    fill_block({.nitnr = 0});
    int n = 1, ier;
    double c = 1, eps = 0, x;
    upxnul(&n, &c, &a, &b, &eps, &eps, &x, &ier);
    ASSERT_EQ(ier, 3);
    ASSERT_EQ(x, a);
}

void reset_m(double a, double b) {
    fill_block({.nitnr = 0});
    int n = 1, ier, eight = 8;
    double c = 1, eps = 0, x;
    char status[4];
    mpxnul(&eight, &n, &c, &c, &a, &b, &eps, &eps, &x, status, &ier, 4);
    ASSERT_EQ(ier, 3);
}

struct Step {
    double x;
    int icode;
};

Step u_step(double x, double f, double epsx, double epsf = 0.0) {
    int icode = -1;
    ufxnl1(&x, &f, &epsx, &epsf, &icode);
    return {x, icode};
}

Step m_step(double x, double f, double epsx) {
    int icode = -1;
    double unused = 1e300;
    mfxnl1(&x, &f, &epsx, &unused, &icode);
    return {x, icode};
}

// Zero of the parabola s -> fa + bq s + aq s^2 nearest to 0.5, s in [0, 1].
double parabola_zero(double aq, double bq, double fa) {
    const double d = std::sqrt(bq * bq - 4 * aq * fa);
    const double s1 = (-bq + d) / (2 * aq), s2 = (-bq - d) / (2 * aq);
    return std::fabs(s1 - 0.5) < std::fabs(s2 - 0.5) ? s1 : s2;
}

TEST_F(Recorded, FirstStepsFalsePositionThenQuadratic) {
    reset_u(0, 1);
    Step s = u_step(0, -1, 0.1);
    EXPECT_EQ(s.icode, 0);
    EXPECT_EQ(s.x, 1.0);  // the second starting point
    s = u_step(1, 1, 0.1);
    EXPECT_EQ(s.x, 0.5);  // false position between (0, -1) and (1, 1)
    // A second non-positive value: the parabola through (0,-1), (0.5,-1), (1,1)
    // is -1 + s + s^2 on s = 2x - 1.
    s = u_step(0.5, -1, 0.1);
    EXPECT_EQ(s.icode, 0);
    EXPECT_NEAR(s.x, 0.5 + 0.5 * parabola_zero(1, 1, -1), 1e-15);
}

TEST_F(Recorded, EstimateNearAnEndIsMovedInside) {
    // Positive end moves to 0.5: the parabola through (1,1), (0.5,1), (0,-1)
    // gives 0.19098..., within EPSX = 0.2 of the end 0: the solver steps
    // 0.8 EPSX inside from that end instead.
    reset_u(0, 1);
    u_step(0, -1, 0.2);
    u_step(1, 1, 0.2);
    Step s = u_step(0.5, 1, 0.2);
    EXPECT_EQ(s.icode, 0);
    EXPECT_EQ(s.x, 0.0 + 0.8 * 1.0 * 0.2);
    // With EPSX = 0.1 the estimate itself is returned.
    reset_u(0, 1);
    u_step(0, -1, 0.1);
    u_step(1, 1, 0.1);
    s = u_step(0.5, 1, 0.1);
    EXPECT_NEAR(s.x, 0.5 - 0.5 * parabola_zero(-1, -1, 1), 1e-15);
}

TEST_F(Recorded, BracketHoldingZeroProposesZeroOnce) {
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> mag(0.1, 10);
    for (int k = 0; k < 20; ++k) {
        const bool m = k % 2 == 1;
        m ? reset_m(-1, 2) : reset_u(-1, 2);
        const double fa = -mag(gen), fb = mag(gen);
        Step s = m ? m_step(-1, fa, 1e-9) : u_step(-1, fa, 1e-9);
        ASSERT_EQ(s.x, 2.0);
        s = m ? m_step(2, fb, 1e-9) : u_step(2, fb, 1e-9);
        ASSERT_EQ(s.x, 0.0);
        ASSERT_EQ(s.icode, 0);
        // 0 becomes an end of the bracket and is not proposed again.
        const double f0 = (k % 4 < 2) ? mag(gen) : -mag(gen);
        s = m ? m_step(0, f0, 1e-9) : u_step(0, f0, 1e-9);
        EXPECT_EQ(s.icode, 0);
        EXPECT_NE(s.x, 0.0);
        if (f0 > 0) {
            EXPECT_GT(s.x, -1.0);
            EXPECT_LT(s.x, 0.0);
        } else {
            EXPECT_GT(s.x, 0.0);
            EXPECT_LT(s.x, 2.0);
        }
    }
}

TEST_F(Recorded, SameSignAtTheStartingPoints) {
    reset_u(0, 1);
    u_step(0, 1, 1e-9);
    EXPECT_EQ(u_step(1, 2, 1e-9).icode, 2);
    reset_m(0, 1);
    m_step(0, -1, 1e-9);
    EXPECT_EQ(m_step(1, -2, 1e-9).icode, 2);
    // A zero value is not a sign: the mfxnl1 family converges on it, the
    // ufxnl1 family on any value within EPSF.
    reset_m(0, 1);
    EXPECT_EQ(m_step(0, 0.0, 1e-9).icode, 1);
    reset_u(0, 1);
    Step s = u_step(0.25, 1e-12, 1e-9, 1e-11);
    EXPECT_EQ(s.icode, 1);
    EXPECT_EQ(s.x, 0.25);
}

// Drives a family with a step function of the abscissa and checks that every
// proposal stays inside the bracket and that from the 26th counted call on
// each proposal is the bracket's midpoint, until the bracket cannot be halved.
void check_bisection_tail(bool m) {
    m ? reset_m(0, 1) : reset_u(0, 1);
    const double root = 0.3;
    auto f = [&](double x) { return x > root ? 1.0 : -1.0; };
    double x = 0, xp = 0, xn = 0;
    int neval = 0, icode = 0;
    for (int k = 0; k < 2000; ++k) {
        const double fx = f(x);
        if (neval >= 1) (fx > 0 ? xp : xn) = x;
        Step s = m ? m_step(x, fx, 0.0) : u_step(x, fx, 0.0);
        ++neval;
        if (neval == 1) {
            xn = x;
        } else if (s.icode == 0 && neval >= 26) {
            ASSERT_EQ(s.x, (xp + xn) / 2) << "call " << neval;
        }
        if (neval >= 2 && s.icode == 0) {
            ASSERT_GE(s.x, std::min(xp, xn));
            ASSERT_LE(s.x, std::max(xp, xn));
        }
        x = s.x;
        icode = s.icode;
        if (icode != 0) break;
    }
    EXPECT_EQ(icode, 3);
    EXPECT_TRUE(x == std::nextafter(root, 1.0) || x == root);
}

TEST_F(Recorded, OnlyBisectionAfterTwentyFiveCalls) {
    check_bisection_tail(false);
    check_bisection_tail(true);
}

TEST_F(Recorded, QuadraticStepClampsAndFails) {
    // Exact on a parabola: x^2 - 2 through 1, 1.5, 2.
    double xm = 1.5, fm = 0.25, xa = 1, fa = -1, xb = 2, fb = 2;
    EXPECT_NEAR(ufxnl2(&xm, &fm, &xa, &fa, &xb, &fb), std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(zfxnl2(&xm, &fm, &xa, &fa, &xb, &fb), std::sqrt(2.0), 1e-15);
    // Zero beyond XB: XB itself; beyond XA: XA.
    xa = 2, fa = 2, xb = 3, fb = 7, xm = 2.5, fm = 4.25;
    EXPECT_EQ(ufxnl2(&xm, &fm, &xa, &fa, &xb, &fb), 2.0);
    xa = 3, fa = 7, xb = 2, fb = 2;
    EXPECT_EQ(ufxnl2(&xm, &fm, &xa, &fa, &xb, &fb), 2.0);
    // A middle point on an end, or no real zero: 0.
    xm = 2;
    EXPECT_EQ(zfxnl2(&xm, &fm, &xa, &fa, &xb, &fb), 0.0);
    xa = 0, fa = 1, xm = 0.5, fm = 1.25, xb = 1, fb = 2;  // x^2 + 1
    EXPECT_EQ(ufxnl2(&xm, &fm, &xa, &fa, &xb, &fb), 0.0);
}

// The driver's iteration limit exposes the abscissae one by one: with a
// limit of k the driver stops with code 3 and the (k+1)-th abscissa.
double abscissa_after(int passes, std::vector<double> c, double a, double b, double epsx = 1e-12) {
    fill_block({.nitnr = passes});
    int n = static_cast<int>(c.size()), ier;
    double epsf = 1e-14, x;
    upxnul(&n, c.data(), &a, &b, &epsx, &epsf, &x, &ier);
    EXPECT_EQ(ier, 3);
    return x;
}

TEST_F(Recorded, DriverAbscissaSequence) {
    const std::vector<double> p = {-2, 0, 1};  // t^2 - 2 on [1, 2]
    EXPECT_EQ(abscissa_after(0, p, 1, 2), 1.0);
    EXPECT_EQ(abscissa_after(1, p, 1, 2), 2.0);
    EXPECT_EQ(abscissa_after(2, p, 1, 2), 4.0 / 3.0);
    // The parabola through three points of a parabola is the parabola itself.
    EXPECT_NEAR(abscissa_after(3, p, 1, 2), std::sqrt(2.0), 4.5e-16);

    // t - 0.3 on [0, 1]: the false-position point is the root.
    EXPECT_EQ(abscissa_after(2, {-0.3, 1}, 0, 1), 0.3);
    fill_block({.nitnr = 3});
    int n = 2, ier;
    double c[2] = {-0.3, 1}, a = 0, b = 1, eps = 1e-12, x;
    upxnul(&n, c, &a, &b, &eps, &eps, &x, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(x, 0.3);
}

TEST_F(Recorded, DriverConvergesOnRandomCubics) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(0.05, 0.95), off(1.2, 3);
    fill_block({.nitnr = 60});
    for (int k = 0; k < 200; ++k) {
        const double r = u(gen), s = off(gen), t = -off(gen);
        // (x - r)(x - s)(x - t), one root in [0, 1].
        std::vector<double> c = {-r * s * t, r * s + r * t + s * t, -(r + s + t), 1};
        int n = 4, ier, eight = 8;
        double a = 0, b = 1, epsx = 1e-13, epsf = 1e-13, x;
        upxnul(&n, c.data(), &a, &b, &epsx, &epsf, &x, &ier);
        ASSERT_EQ(ier, 0);
        EXPECT_NEAR(x, r, 1e-12);
        char status[5] = "xxxx";
        mpxnul(&eight, &n, c.data(), nullptr, &b, &a, &epsx, &epsf, &x, status, &ier, 4);
        ASSERT_EQ(ier, 0);
        EXPECT_NEAR(x, r, 1e-12);
        EXPECT_STREQ(status, "    ");
    }
    EXPECT_EQ(rec::count(Kind::Error, "UPXNUL") + rec::count(Kind::Error, "MPXNUL"), 0);
}

TEST_F(Recorded, DriverCodesStatusAndReports) {
    rec::set_level(5);
    fill_block({.nitnr = 50});
    int n = 3, ier, zero = 0;
    double c[3] = {1, 0, 1}, a = 0, b = 1, eps = 1e-12, x;
    char status[5] = "xxxx";
    // Same sign at both ends: code 1 after two evaluations, blank status.
    mpxnul(&zero, &n, nullptr, c, &a, &b, &eps, &eps, &x, status, &ier, 4);
    EXPECT_EQ(ier, 1);
    EXPECT_STREQ(status, "    ");
    EXPECT_EQ(rec::count(Kind::Enter, "MQPOS"), 2);
    EXPECT_EQ(rec::count(Kind::Enter, "MPXNUL"), 1);
    EXPECT_EQ(rec::count(Kind::Exit, "MPXNUL"), 0);
    EXPECT_EQ(rec::codes("MPXNUL"), std::vector<int>{1});

    // A sign change between two adjacent doubles, no value within EPSF:
    // the bracket runs out (code 2, "PBRN").
    rec::reset();
    double q[3] = {-2, 0, 1}, lo = std::nextafter(std::sqrt(2.0), 0.0), hi = std::sqrt(2.0), zero_eps = 0;
    mpxnul(&zero, &n, nullptr, q, &lo, &hi, &zero_eps, &zero_eps, &x, status, &ier, 4);
    EXPECT_EQ(ier, 2);
    EXPECT_STREQ(status, "PBRN");
    EXPECT_TRUE(x == lo || x == hi);
    EXPECT_EQ(rec::codes("MPXNUL"), std::vector<int>{2});

    // Iteration limit: code 3, "PBRN", and exactly NITNR evaluations.
    rec::reset();
    rec::set_level(5);
    fill_block({.nitnr = 4});
    a = 1, b = 2;
    mpxnul(&zero, &n, nullptr, q, &a, &b, &zero_eps, &zero_eps, &x, status, &ier, 4);
    EXPECT_EQ(ier, 3);
    EXPECT_STREQ(status, "PBRN");
    EXPECT_EQ(rec::count(Kind::Enter, "MQPOS"), 4);

    // upxnul reports under its own name, with an entry trace at level 2.
    rec::reset();
    rec::set_level(2);
    upxnul(&n, c, &a, &b, &eps, &eps, &x, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::codes("UPXNUL"), std::vector<int>{1});
    EXPECT_EQ(rec::names(Kind::Enter), std::vector<std::string>{"UPXNUL"});
    EXPECT_EQ(rec::count(Kind::Exit), 0);
}

TEST_F(Recorded, EvaluatorIsHorner) {
    int n = 4;
    double c[4] = {1, -2, 0.5, 3}, x = -1.5, f;
    mqpos(&n, c, &x, &f);
    EXPECT_EQ(f, ((3 * x + 0.5) * x - 2) * x + 1);
    n = 0;
    mqpos(&n, c, &x, &f);
    EXPECT_EQ(f, 0.0);
}

}  // namespace
