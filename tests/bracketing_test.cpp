// The bracketing solver families and their polynomial drivers: the sequence
// of abscissae they ask for, their codes, statuses and reports.
#include <cmath>
#include <limits>
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
    m ? mpxnul(&eight, &n, &c, &c, &a, &b, &eps, &eps, &x, status, &ier, 4) : upxnul(&n, &c, &a, &b, &eps, &eps, &x, &ier);
    ASSERT_EQ(ier, 3);
}

struct Step { double x; int icode; };

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

// From (0, -1), (1, 1) the false-position point 0.5, then the third point
// for the value F3 there: {EPSX, F3, the abscissa expected next}.
TEST_F(Recorded, StepsOnDesignedValues) {
    const double cases[][3] = {
        {0.1, -1, 0.5 + 0.5 * parabola_zero(1, 1, -1)},  // the parabola through (0,-1), (0.5,-1), (1,1)
        {0.1, 1, 0.5 - 0.5 * parabola_zero(-1, -1, 1)},
        {0.2, 1, 0.8 * 0.2},  // the estimate 0.19098 is within EPSX of 0: 0.8 EPSX inside from it
    };
    for (bool m : {false, true}) {
        for (const auto& k : cases) {
            reset(m, 0, 1);
            EXPECT_EQ(step(m, 0, -1, k[0]).x, 1.0);
            EXPECT_EQ(step(m, 1, 1, k[0]).x, 0.5);
            const Step s = step(m, 0.5, k[1], k[0]);
            EXPECT_EQ(s.icode, 0);
            EXPECT_NEAR(s.x, k[2], 1e-15);
        }
        // Same sign at the starting points: code 2. A caller that goes on
        // stepping with values of that sign has no bracket: no fault.
        reset(m, 0, 1);
        step(m, 0, -1, 1e-9);
        EXPECT_EQ(step(m, 1, -2, 1e-9).icode, 2);
        Step s{0.25, 0};
        for (int k = 0; k < 40 && s.icode == 0; ++k) s = step(m, s.x, -1.0 - k, 1e-9);
        EXPECT_TRUE(s.icode >= 0 && s.icode <= 3);
    }
    // Convergence on the value: exact zero for the mfxnl1 family, within EPSF for ufxnl1.
    reset(true, 0, 1);
    EXPECT_EQ(step(true, 0.25, 1e-300, 1e-9, 1.0).icode, 0);
    EXPECT_EQ(step(true, 0.25, 0.0, 1e-9).icode, 1);
    reset(false, 0, 1);
    const Step s = step(false, 0.25, 1e-12, 1e-9, 1e-11);
    EXPECT_TRUE(s.icode == 1 && s.x == 0.25);
}

TEST_F(Recorded, BracketHoldingZeroProposesZeroOnce) {
    std::mt19937 gen(3);
    std::uniform_real_distribution<double> mag(0.1, 10);
    for (int k = 0; k < 20; ++k) {
        const bool m = k % 2 == 1;
        reset(m, -1, 2);
        ASSERT_EQ(step(m, -1, -mag(gen), 1e-9).x, 2.0);
        ASSERT_EQ(step(m, 2, mag(gen), 1e-9).x, 0.0);  // whatever the values; then 0 is an end of the bracket
        const double x = step(m, 0, k % 4 < 2 ? mag(gen) : -mag(gen), 1e-9).x;
        EXPECT_TRUE(k % 4 < 2 ? x > -1 && x < 0 : x > 0 && x < 2) << x;
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
            if (s.icode == 0 && neval >= 2) {
                ASSERT_TRUE(s.x >= xn && s.x <= xp) << neval;
                if (neval >= 26) ASSERT_EQ(s.x, (xp + xn) / 2) << neval;
            }
            x = s.x;
        }
        EXPECT_EQ(s.icode, 3);
        EXPECT_TRUE(s.x == 0.3 || s.x == std::nextafter(0.3, 1.0));
    }
}

TEST_F(Recorded, QuadraticStepClampsAndFails) {
    // {XM, FM, XA, FA, XB, FB, result}: x^2 - 2 exactly; its zero beyond XB
    // gives XB; the middle point on an end, or x^2 + 1 (no zero), give 0.
    const double cases[][7] = {{1.5, 0.25, 1, -1, 2, 2, std::sqrt(2.0)},
                               {2.5, 4.25, 3, 7, 2, 2, 2.0},
                               {2, 4.25, 3, 7, 2, 2, 0.0},
                               {0.5, 1.25, 0, 1, 1, 2, 0.0}};
    for (const auto& k : cases) {
        EXPECT_NEAR(ufxnl2(&k[0], &k[1], &k[2], &k[3], &k[4], &k[5]), k[6], 1e-15);
        EXPECT_NEAR(zfxnl2(&k[0], &k[1], &k[2], &k[3], &k[4], &k[5]), k[6], 1e-15);
    }
}

// With an iteration limit of k the driver stops with code 3 on the
// (k+1)-th abscissa: the sequence it asks for, one by one.
TEST_F(Recorded, DriverAbscissaSequence) {
    auto abscissa_after = [](int passes, std::vector<double> c, double a, double b, int want_ier) {
        fill_block({.nitnr = passes});
        int n = static_cast<int>(c.size()), ier;
        double epsx = 1e-12, epsf = 1e-14, x;
        upxnul(&n, c.data(), &a, &b, &epsx, &epsf, &x, &ier);
        EXPECT_EQ(ier, want_ier);
        return x;
    };
    const std::vector<double> p = {-2, 0, 1};  // t^2 - 2 on [1, 2]
    EXPECT_EQ(abscissa_after(0, p, 1, 2, 3), 1.0);
    EXPECT_EQ(abscissa_after(1, p, 1, 2, 3), 2.0);
    EXPECT_EQ(abscissa_after(2, p, 1, 2, 3), 4.0 / 3.0);
    EXPECT_NEAR(abscissa_after(3, p, 1, 2, 3), std::sqrt(2.0), 4.5e-16);
    // t - 0.3: the false-position point is the root, accepted on the third pass.
    EXPECT_EQ(abscissa_after(2, {-0.3, 1}, 0, 1, 3), 0.3);
    EXPECT_EQ(abscissa_after(3, {-0.3, 1}, 0, 1, 0), 0.3);
}

TEST_F(Recorded, DriversConvergeOnRandomCubics) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(0.05, 0.95), off(1.2, 3);
    fill_block({.nitnr = 60});
    int n = 4, ier, eight = 8;
    double a = 0, b = 1, eps = 1e-13, x;
    char status[5] = "xxxx";
    for (int k = 0; k < 200; ++k) {
        const double r = u(gen), s = off(gen), t = -off(gen);  // one root in [0, 1]
        std::vector<double> c = {-r * s * t, r * s + r * t + s * t, -(r + s + t), 1};
        upxnul(&n, c.data(), &a, &b, &eps, &eps, &x, &ier);
        ASSERT_TRUE(ier == 0 && std::fabs(x - r) < 1e-12) << ier;
        mpxnul(&eight, &n, c.data(), nullptr, &b, &a, &eps, &eps, &x, status, &ier, 4);
        ASSERT_TRUE(ier == 0 && std::fabs(x - r) < 1e-12 && std::string(status) == "    ") << ier;
    }
}

TEST_F(Recorded, DriverCodesStatusAndReports) {
    auto restart = [](int nitnr, int level) {
        fill_block({.nitnr = nitnr});
        rec::reset();
        rec::set_level(level);
    };
    restart(50, 5);
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
    restart(4, 5);
    a = 1, b = 2;
    mpxnul(&zero, &n, nullptr, q, &a, &b, &none, &none, &x, status, &ier, 4);
    EXPECT_TRUE(ier == 3 && std::string(status) == "PBRN");
    EXPECT_EQ(rec::count(Kind::Enter, "MQPOS"), 4);
    // upxnul: entry trace at level 2, reports under its own name.
    restart(4, 2);
    upxnul(&n, c, &a, &b, &eps, &eps, &x, &ier);
    EXPECT_TRUE(ier == 1 && rec::codes("UPXNUL") == std::vector<int>{1} && rec::count(Kind::Exit) == 0);
    EXPECT_EQ(rec::names(Kind::Enter), std::vector<std::string>{"UPXNUL"});
}

TEST_F(Recorded, NaNStopsTheDriversAtOnce) {
    // A NaN end, coefficient or tolerance ran until the iteration limit,
    // however large: now code 4 at the first NaN value (or before any
    // evaluation for a NaN end or tolerance).
    fill_block({.nitnr = 2147483647});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { double c0, a, b, epsx, epsf; int evaluations; };
    const Case cases[] = {{-0.5, nan, 1, 1e-12, 1e-12, 0}, {-0.5, 0, nan, 1e-12, 1e-12, 0},
                          {-0.5, 0, 1, nan, 1e-12, 0},    {-0.5, 0, 1, 1e-12, nan, 0},
                          {nan, 0, 1, 1e-12, 1e-12, 1}};
    for (const Case& k : cases) {
        double c[3] = {k.c0, 0, 1}, x = -7;
        int n = 3, ier = -7, zero = 0;
        rec::reset();
        upxnul(&n, c, &k.a, &k.b, &k.epsx, &k.epsf, &x, &ier);
        EXPECT_EQ(ier, 4);
        EXPECT_EQ(rec::codes("UPXNUL"), std::vector<int>{4});
        char status[5] = "xxxx";
        mpxnul(&zero, &n, nullptr, c, &k.a, &k.b, &k.epsx, &k.epsf, &x, status, &ier, 4);
        EXPECT_TRUE(ier == 4 && std::string(status) == "    ");
        EXPECT_EQ(rec::codes("MPXNUL"), std::vector<int>{4});
        rec::reset();
        rec::set_level(5);
        mpxnul(&zero, &n, nullptr, c, &k.a, &k.b, &k.epsx, &k.epsf, &x, status, &ier, 4);
        EXPECT_EQ(rec::count(Kind::Enter, "MQPOS"), k.evaluations);
    }
}

}  // namespace
