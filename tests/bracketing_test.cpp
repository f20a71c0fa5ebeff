// The bracketing solver families and their polynomial drivers: the sequence
// of abscissae they ask for, their codes, statuses and reports.
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using testing_support::fill_block;
using testing_support::Recorded;

// A driver with an iteration limit of 0 resets its family's state on [a, b]
// and stops before its first evaluation; the test then drives the family.
void reset(bool m, double a, double b) {
    fill_block({.nitnr = 0});
    int n = 1, ier, eight = 8;
    double c = 1, eps = 0, x;
    char status[4];
    if (m)
        mpxnul(&eight, &n, &c, &c, &a, &b, &eps, &eps, &x, status, &ier, 4);
    else
        upxnul(&n, &c, &a, &b, &eps, &eps, &x, &ier);
    ASSERT_EQ(ier, 3);
}

struct Step {
    double x;
    int icode;
};

Step step(bool m, double x, double f, double epsx, double epsf = 0.0) {
    int icode = -1;
    (m ? mfxnl1 : ufxnl1)(&x, &f, &epsx, &epsf, &icode);
    return {x, icode};
}

// Zero nearest to 0.5 of fa + bq s + aq s^2.
double parabola_zero(double aq, double bq, double fa) {
    const double d = std::sqrt(bq * bq - 4 * aq * fa);
    const double s1 = (-bq + d) / (2 * aq), s2 = (-bq - d) / (2 * aq);
    return std::fabs(s1 - 0.5) < std::fabs(s2 - 0.5) ? s1 : s2;
}

TEST_F(Recorded, StepsOnDesignedValues) {
    for (bool m : {false, true}) {
        // (0, -1), (1, 1): false position 0.5; another non-positive value there:
        // the parabola through (0,-1), (0.5,-1), (1,1), i.e. -1 + s + s^2 on s = 2x - 1.
        reset(m, 0, 1);
        EXPECT_EQ(step(m, 0, -1, 0.1).x, 1.0);
        EXPECT_EQ(step(m, 1, 1, 0.1).x, 0.5);
        Step s = step(m, 0.5, -1, 0.1);
        EXPECT_EQ(s.icode, 0);
        EXPECT_NEAR(s.x, 0.5 + 0.5 * parabola_zero(1, 1, -1), 1e-15);
        // A positive value at 0.5 instead: the estimate 0.19098 lies within
        // EPSX = 0.2 of the end 0, so the solver steps 0.8 EPSX inside from it.
        reset(m, 0, 1);
        step(m, 0, -1, 0.2);
        step(m, 1, 1, 0.2);
        EXPECT_EQ(step(m, 0.5, 1, 0.2).x, 0.0 + 0.8 * 1.0 * 0.2);
        reset(m, 0, 1);
        step(m, 0, -1, 0.1);
        step(m, 1, 1, 0.1);
        EXPECT_NEAR(step(m, 0.5, 1, 0.1).x, 0.5 - 0.5 * parabola_zero(-1, -1, 1), 1e-15);
        // Same sign at the starting points.
        reset(m, 0, 1);
        step(m, 0, -1, 1e-9);
        EXPECT_EQ(step(m, 1, -2, 1e-9).icode, 2);
    }
    // Convergence on the value: exact zero for the mfxnl1 family, within EPSF for ufxnl1.
    reset(true, 0, 1);
    EXPECT_EQ(step(true, 0.25, 1e-300, 1e-9, 1.0).icode, 0);
    EXPECT_EQ(step(true, 0.25, 0.0, 1e-9).icode, 1);
    reset(false, 0, 1);
    Step s = step(false, 0.25, 1e-12, 1e-9, 1e-11);
    EXPECT_TRUE(s.icode == 1 && s.x == 0.25);
}

TEST_F(Recorded, BracketHoldingZeroProposesZeroOnce) {
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> mag(0.1, 10);
    for (int k = 0; k < 20; ++k) {
        const bool m = k % 2 == 1;
        reset(m, -1, 2);
        ASSERT_EQ(step(m, -1, -mag(gen), 1e-9).x, 2.0);
        ASSERT_EQ(step(m, 2, mag(gen), 1e-9).x, 0.0);  // whatever the values
        const double f0 = k % 4 < 2 ? mag(gen) : -mag(gen);
        const Step s = step(m, 0, f0, 1e-9);  // 0 is now an end of the bracket
        EXPECT_TRUE(f0 > 0 ? s.x > -1 && s.x < 0 : s.x > 0 && s.x < 2) << s.x;
    }
}

// Driven by a step function, every proposal stays inside the bracket, and
// from the 26th counted call on it is the bracket's midpoint, until the
// bracket cannot be halved (code 3) at the jump.
TEST_F(Recorded, OnlyBisectionAfterTwentyFiveCalls) {
    for (bool m : {false, true}) {
        reset(m, 0, 1);
        double x = 0, xp = 1, xn = 0;
        Step s{0, 0};
        for (int neval = 1; neval < 2000 && s.icode == 0; ++neval) {
            const double f = x > 0.3 ? 1.0 : -1.0;
            if (neval > 1) (f > 0 ? xp : xn) = x;
            s = step(m, x, f, 0.0);
            if (s.icode != 0 || neval < 2) {
                x = s.x;
                continue;
            }
            ASSERT_TRUE(s.x >= xn && s.x <= xp) << neval;
            if (neval >= 26) ASSERT_EQ(s.x, (xp + xn) / 2) << neval;
            x = s.x;
        }
        EXPECT_EQ(s.icode, 3);
        EXPECT_TRUE(s.x == 0.3 || s.x == std::nextafter(0.3, 1.0));
    }
}

TEST_F(Recorded, QuadraticStepClampsAndFails) {
    double xm = 1.5, fm = 0.25, xa = 1, fa = -1, xb = 2, fb = 2;  // x^2 - 2: exact
    EXPECT_NEAR(ufxnl2(&xm, &fm, &xa, &fa, &xb, &fb), std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(zfxnl2(&xm, &fm, &xa, &fa, &xb, &fb), std::sqrt(2.0), 1e-15);
    xa = 3, fa = 7, xb = 2, fb = 2, xm = 2.5, fm = 4.25;  // zero beyond XB: XB itself
    EXPECT_EQ(ufxnl2(&xm, &fm, &xa, &fa, &xb, &fb), 2.0);
    xm = 2;  // middle point on an end
    EXPECT_EQ(zfxnl2(&xm, &fm, &xa, &fa, &xb, &fb), 0.0);
    xa = 0, fa = 1, xm = 0.5, fm = 1.25, xb = 1, fb = 2;  // x^2 + 1: no zero
    EXPECT_EQ(ufxnl2(&xm, &fm, &xa, &fa, &xb, &fb), 0.0);
}

// With an iteration limit of k the driver stops with code 3 on the
// (k+1)-th abscissa: the sequence it asks for, one by one.
double abscissa_after(int passes, std::vector<double> c, double a, double b) {
    fill_block({.nitnr = passes});
    int n = static_cast<int>(c.size()), ier;
    double epsx = 1e-12, epsf = 1e-14, x;
    upxnul(&n, c.data(), &a, &b, &epsx, &epsf, &x, &ier);
    EXPECT_EQ(ier, 3);
    return x;
}

TEST_F(Recorded, DriverAbscissaSequence) {
    const std::vector<double> p = {-2, 0, 1};  // t^2 - 2 on [1, 2]
    EXPECT_EQ(abscissa_after(0, p, 1, 2), 1.0);
    EXPECT_EQ(abscissa_after(1, p, 1, 2), 2.0);
    EXPECT_EQ(abscissa_after(2, p, 1, 2), 4.0 / 3.0);
    EXPECT_NEAR(abscissa_after(3, p, 1, 2), std::sqrt(2.0), 4.5e-16);
    // t - 0.3: the false-position point is the root, accepted on the third pass.
    EXPECT_EQ(abscissa_after(2, {-0.3, 1}, 0, 1), 0.3);
    fill_block({.nitnr = 3});
    int n = 2, ier;
    double c[2] = {-0.3, 1}, a = 0, b = 1, eps = 1e-12, x;
    upxnul(&n, c, &a, &b, &eps, &eps, &x, &ier);
    EXPECT_TRUE(ier == 0 && x == 0.3);
}

TEST_F(Recorded, DriversConvergeOnRandomCubics) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(0.05, 0.95), off(1.2, 3);
    fill_block({.nitnr = 60});
    for (int k = 0; k < 200; ++k) {
        const double r = u(gen), s = off(gen), t = -off(gen);  // one root in [0, 1]
        std::vector<double> c = {-r * s * t, r * s + r * t + s * t, -(r + s + t), 1};
        int n = 4, ier, eight = 8;
        double a = 0, b = 1, eps = 1e-13, x;
        char status[5] = "xxxx";
        upxnul(&n, c.data(), &a, &b, &eps, &eps, &x, &ier);
        ASSERT_TRUE(ier == 0 && std::fabs(x - r) < 1e-12) << ier;
        mpxnul(&eight, &n, c.data(), nullptr, &b, &a, &eps, &eps, &x, status, &ier, 4);
        ASSERT_TRUE(ier == 0 && std::fabs(x - r) < 1e-12 && std::string(status) == "    ") << ier;
    }
}

TEST_F(Recorded, DriverCodesStatusAndReports) {
    fill_block({.nitnr = 50});
    rec::reset();
    rec::set_level(5);
    int n = 3, ier, zero = 0;
    double c[3] = {1, 0, 1}, a = 0, b = 1, eps = 1e-12, x;
    char status[5] = "xxxx";
    // Same sign at both ends: code 1 after two evaluations (mqpos is traced), blank status.
    mpxnul(&zero, &n, nullptr, c, &a, &b, &eps, &eps, &x, status, &ier, 4);
    EXPECT_TRUE(ier == 1 && std::string(status) == "    ");
    EXPECT_EQ(rec::count(Kind::Enter, "MQPOS"), 2);
    EXPECT_TRUE(rec::count(Kind::Enter, "MPXNUL") == 1 && rec::count(Kind::Exit, "MPXNUL") == 0);
    EXPECT_EQ(rec::codes("MPXNUL"), std::vector<int>{1});
    // A sign change between two adjacent doubles and no value within EPSF:
    // the bracket runs out (code 2, "PBRN").
    double q[3] = {-2, 0, 1}, hi = std::sqrt(2.0), lo = std::nextafter(hi, 0.0), none = 0;
    mpxnul(&zero, &n, nullptr, q, &lo, &hi, &none, &none, &x, status, &ier, 4);
    EXPECT_TRUE(ier == 2 && std::string(status) == "PBRN" && (x == lo || x == hi));
    // Iteration limit: code 3, "PBRN", exactly NITNR evaluations.
    fill_block({.nitnr = 4});
    rec::reset();
    rec::set_level(5);
    a = 1, b = 2;
    mpxnul(&zero, &n, nullptr, q, &a, &b, &none, &none, &x, status, &ier, 4);
    EXPECT_TRUE(ier == 3 && std::string(status) == "PBRN");
    EXPECT_EQ(rec::count(Kind::Enter, "MQPOS"), 4);
    // upxnul: entry trace at level 2, reports under its own name.
    rec::reset();
    rec::set_level(2);
    upxnul(&n, c, &a, &b, &eps, &eps, &x, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::codes("UPXNUL"), std::vector<int>{1});
    EXPECT_EQ(rec::names(Kind::Enter), std::vector<std::string>{"UPXNUL"});
    EXPECT_EQ(rec::count(Kind::Exit), 0);
}

}  // namespace
