// Gauss-Legendre rules and integrators, against GSL's fixed rules and
// Boost.Math's Legendre zeros.
#include <gsl/gsl_integration.h>

#include <boost/math/special_functions/legendre.hpp>
#include <cmath>
#include <thread>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using Quadrature = testing_support::Recorded;

std::vector<double> nodes(int n) {
    std::vector<double> x(n);
    mextrl(&n, x.data());
    return x;
}
std::vector<double> weights(int n) {
    std::vector<double> w(n);
    mexthi(&n, w.data());
    return w;
}

// GSL computes the rules it does not store in double precision: its nodes
// agree to 1e-14, its weights beyond order 37 only to about 1e-11 (checked
// against 40-digit values below).
TEST_F(Quadrature, EveryOrderMatchesGsl) {
    for (int n = 1; n <= 61; ++n) {
        const double wtol = n <= 37 ? 1e-14 : 2e-11;
        const auto x = nodes(n), w = weights(n);
        gsl_integration_glfixed_table* t = gsl_integration_glfixed_table_alloc(n);
        ASSERT_NE(t, nullptr);
        for (int i = 0; i < n; ++i) {
            double xi, wi;
            gsl_integration_glfixed_point(-1.0, 1.0, i, &xi, &wi, t);
            EXPECT_NEAR(x[i], xi, 1e-14) << "order " << n << " node " << i;
            EXPECT_NEAR(w[i], wi, wtol) << "order " << n << " weight " << i;
        }
        gsl_integration_glfixed_table_free(t);
    }
}

TEST_F(Quadrature, EveryOrderMatchesBoostZeros) {
    for (int n = 1; n <= 61; ++n) {
        const auto x = nodes(n), w = weights(n);
        // the non-negative zeros, increasing, 0 first for odd n
        const auto z = boost::math::legendre_p_zeros<long double>(n);
        const int h = (n + 1) / 2;
        ASSERT_EQ(static_cast<int>(z.size()), h);
        for (int k = 0; k < h; ++k) {
            const long double p = boost::math::legendre_p_prime(n, z[k]);
            const long double wk = 2 / ((1 - z[k] * z[k]) * p * p);
            const int hi = n / 2 + k;  // 0-based slot of z[k] in the rule
            EXPECT_NEAR(x[hi], static_cast<double>(z[k]), 1e-14) << n;
            EXPECT_NEAR(w[hi], static_cast<double>(wk), 1e-14) << n;
            EXPECT_EQ(x[n - 1 - hi], -x[hi]) << n;
            EXPECT_EQ(w[n - 1 - hi], w[hi]) << n;
        }
    }
}

TEST_F(Quadrature, HighOrdersMatchFortyDigitValues) {
    EXPECT_NEAR(nodes(38)[23], 0.35897244047943501326, 1e-16);
    EXPECT_NEAR(weights(38)[23], 0.076153663548446396066, 1e-16);
    EXPECT_NEAR(nodes(61)[60], 0.9992355976313634717319, 1e-16);
    EXPECT_NEAR(weights(61)[60], 0.001961453361670282671773, 1e-17);
    EXPECT_NEAR(nodes(60)[58], 0.9958405251188381738767, 1e-16);
    EXPECT_NEAR(weights(60)[58], 0.004712729926953568640895, 1e-17);
}

TEST_F(Quadrature, SmallRulesHaveTheirKnownValues) {
    EXPECT_EQ(nodes(1), std::vector<double>{0.0});
    EXPECT_EQ(weights(1), std::vector<double>{2.0});
    const auto x = nodes(4), w = weights(4);
    const double xe[] = {-0.8611363115940526, -0.33998104358485626, 0.33998104358485626, 0.8611363115940526};
    const double we[] = {0.34785484513745385, 0.6521451548625461, 0.6521451548625461, 0.34785484513745385};
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(x[i], xe[i]);
        EXPECT_DOUBLE_EQ(w[i], we[i]);
    }
    EXPECT_DOUBLE_EQ(weights(3)[1], 0.8888888888888888);
    EXPECT_DOUBLE_EQ(weights(5)[2], 0.5688888888888889);
}

TEST_F(Quadrature, OrdersOutsideTheTablesWriteNothing) {
    for (int n : {0, -3, 62, 1000}) {
        double x[4] = {7, 7, 7, 7};
        mextrl(&n, x);
        mexthi(&n, x);
        for (double v : x) EXPECT_EQ(v, 7.0) << n;
    }
}

TEST_F(Quadrature, RuleRoutinesTraceFromLevelThree) {
    rec::set_level(2);
    nodes(5);
    weights(5);
    EXPECT_EQ(rec::count(Kind::Enter), 0);
    rec::set_level(3);
    nodes(5);
    weights(5);
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"MEXTRL", "MEXTHI"}));
    EXPECT_EQ(rec::names(Kind::Exit), (std::vector<std::string>{"MEXTRL", "MEXTHI"}));
}

TEST_F(Quadrature, LevelRuleIsThePositiveHalfOuterFirst) {
    double x[20], w[20];
    int npts = 0, ier = 5;
    const int one = 1;
    vgaus0(&one, x, w, &npts, &ier);
    EXPECT_EQ(ier, 0);
    ASSERT_EQ(npts, 2);
    EXPECT_DOUBLE_EQ(x[0], 0.8611363115940526);
    EXPECT_DOUBLE_EQ(x[1], 0.33998104358485626);
    EXPECT_DOUBLE_EQ(w[0], 0.34785484513745385);
    EXPECT_DOUBLE_EQ(w[1], 0.6521451548625461);

    for (int level = 2; level <= 10; ++level) {
        vgaus0(&level, x, w, &npts, &ier);
        const auto full = nodes(4 * level);
        ASSERT_EQ(npts, 2 * level);
        for (int k = 0; k < npts; ++k) EXPECT_EQ(x[k], full[4 * level - 1 - k]);
    }
}

TEST_F(Quadrature, BadLevelGivesTheFortyPointRule) {
    double x[20], w[20], x10[20], w10[20];
    int npts = 0, ier = 0, ier10 = 0;
    const int ten = 10;
    vgaus0(&ten, x10, w10, &npts, &ier10);
    for (int level : {0, 11, -4}) {
        const int asked = level;
        vgaus0(&level, x, w, &npts, &ier);
        EXPECT_EQ(ier, -1);
        EXPECT_EQ(level, asked);
        EXPECT_EQ(npts, 20);
        for (int k = 0; k < 20; ++k) EXPECT_EQ(x[k], x10[k]);
        for (int k = 0; k < 20; ++k) EXPECT_EQ(w[k], w10[k]);
    }
    EXPECT_EQ(rec::count(Kind::Error), 0);
}

// ---- integrands ------------------------------------------------------------

int g_calls = 0;
int g_fail_at = -1;     // call number at which the integrand fails
int g_fail_code = 0;
int g_seen_ier = 0;     // IER the integrand found on its last call

// (1, t^7 - 3t^2, exp(t)) over NDIM <= 3 components; fails on request.
void poly(const int* ndim, const double* t, double* f, int* ier) {
    g_seen_ier = *ier;
    if (++g_calls == g_fail_at) {
        *ier = g_fail_code;
        return;
    }
    const double v[3] = {1.0, std::pow(*t, 7) - 3 * *t * *t, std::exp(*t)};
    for (int i = 0; i < *ndim; ++i) f[i] = v[i];
}

// Leaves the incoming flag as it is.
void passive(const int* ndim, const double* t, double* f, int* ier) {
    g_seen_ier = *ier;
    ++g_calls;
    for (int i = 0; i < *ndim; ++i) f[i] = 1.0;
}

void kink(const int* ndim, const double* t, double* f, int*) { f[0] = std::fabs(*t - 0.3); }

struct Quad : Quadrature {
    void SetUp() override {
        Quadrature::SetUp();
        g_calls = 0;
        g_fail_at = -1;
        g_fail_code = 0;
    }
};

TEST_F(Quad, OneRuleIsExactToItsDegreeAndCostsFourLEvaluations) {
    const int ndim = 2;
    const double a = -0.5, b = 1.5;
    const double exact[2] = {2.0, (std::pow(b, 8) - std::pow(a, 8)) / 8 - (b * b * b - a * a * a)};
    for (int level = 2; level <= 10; ++level) {  // 8 or more points: exact for t^7
        double r[2];
        int ncalls = -1, ier = 3;
        g_calls = 0;
        vgaus1(&ndim, poly, &level, &a, &b, r, &ncalls, &ier);
        EXPECT_EQ(ier, 0);
        EXPECT_EQ(ncalls, 4 * level);
        EXPECT_EQ(g_calls, 4 * level);
        EXPECT_NEAR(r[0], exact[0], 1e-14);
        EXPECT_NEAR(r[1], exact[1], 1e-13);
        double rb[2];
        vgausb(&ndim, poly, &level, &b, &a, rb, &ncalls, &ier);  // reversed interval
        EXPECT_NEAR(rb[1], -r[1], 1e-13);
    }
}

TEST_F(Quad, IntegrandFailureStopsTheRuleAtOnce) {
    const int ndim = 3, level = 3;
    const double a = 0, b = 1;
    double r[3] = {9, 9, 9};
    int ncalls = -1, ier = 0;
    g_fail_at = 5;
    g_fail_code = -7;
    vgaus1(&ndim, poly, &level, &a, &b, r, &ncalls, &ier);
    EXPECT_EQ(ier, -7);
    EXPECT_EQ(g_calls, 5);
    EXPECT_EQ(ncalls, 0);
    for (double v : r) EXPECT_EQ(v, 0.0);
}

TEST_F(Quad, BadLevelReachesTheIntegrandAsItsFlag) {
    const int ndim = 1, level = 12;
    const double a = 0, b = 1;
    double r[1] = {9};
    int ncalls = -1, ier = 0;
    vgaus1(&ndim, passive, &level, &a, &b, r, &ncalls, &ier);
    EXPECT_EQ(g_seen_ier, -1);
    EXPECT_EQ(ier, -1);
    EXPECT_EQ(g_calls, 1);
    EXPECT_EQ(r[0], 0.0);
    EXPECT_EQ(ncalls, 0);
    EXPECT_EQ(rec::count(Kind::Error), 0);
}

TEST_F(Quad, DimensionsOutsideOneToTenAreRefused) {
    const double a = 0, b = 1, tol = 1e-8;
    double r[12] = {}, err = 0;
    int ncalls = -1, ier = 0;
    const int level = 1;
    for (int ndim : {0, -2, 11}) {
        const int code = ndim > 10 ? 10 : 1;
        vgauss(&ndim, passive, &a, &b, &tol, r, &err, &ncalls, &ier);
        EXPECT_EQ(ier, code);
        EXPECT_EQ(ncalls, 0);
        vgausa(&ndim, passive, &a, &b, &tol, r, &err, &ncalls, &ier);
        EXPECT_EQ(ier, code);
        vgaus1(&ndim, passive, &level, &a, &b, r, &ncalls, &ier);
        EXPECT_EQ(ier, code);
        vgausb(&ndim, passive, &level, &a, &b, r, &ncalls, &ier);
        EXPECT_EQ(ier, code);
    }
    EXPECT_EQ(g_calls, 0);
    EXPECT_EQ(rec::count(Kind::Error), 0);
}

TEST_F(Quad, PolynomialOfDegreeSevenStopsAtLevelTwo) {
    const int ndim = 2;
    const double a = -1, b = 2;
    for (double tol : {0.0, 1e-10, -1e-12}) {  // all mean 1e-10
        double r[2], err = -1;
        int ncalls = 0, ier = 4;
        vgauss(&ndim, poly, &a, &b, &tol, r, &err, &ncalls, &ier);
        EXPECT_EQ(ier, 0);
        EXPECT_EQ(ncalls, 12);
        EXPECT_LT(err, 1e-13);
        EXPECT_NEAR(r[1], (256.0 - 1.0) / 8 - 9.0, 1e-12);
    }
}

TEST_F(Quad, EmptyAndReversedIntervals) {
    const int ndim = 3;
    const double a = 0.25, b = 1.75, tol = 1e-12;
    double r[3], rr[3], err = -1;
    int ncalls = 0, ier = 0;
    vgausa(&ndim, poly, &a, &a, &tol, r, &err, &ncalls, &ier);
    EXPECT_EQ(ncalls, 12);
    EXPECT_EQ(err, 0.0);
    for (double v : r) EXPECT_EQ(v, 0.0);
    vgauss(&ndim, poly, &a, &b, &tol, r, &err, &ncalls, &ier);
    vgauss(&ndim, poly, &b, &a, &tol, rr, &err, &ncalls, &ier);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(rr[i], -r[i], 1e-14);
    EXPECT_NEAR(r[2], std::exp(b) - std::exp(a), 1e-12);
}

TEST_F(Quad, IntegrandFailureKeepsThePreviousLevel) {
    const int ndim = 3, two = 2;
    const double a = 0, b = 3, tol = 1e-15;
    double r[3], r2[3], err = -1;
    int ncalls = 0, ier = 0, n2 = 0;
    vgaus1(&ndim, poly, &two, &a, &b, r2, &n2, &ier);
    g_calls = 0;
    g_fail_at = 4 + 8 + 3;  // during level 3
    g_fail_code = 6;
    vgauss(&ndim, poly, &a, &b, &tol, r, &err, &ncalls, &ier);
    EXPECT_EQ(ier, 6);
    EXPECT_EQ(ncalls, 12);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r[i], r2[i]);
    EXPECT_EQ(rec::count(Kind::Error), 0);

    // failing at level 1: nothing but zeros, ERRMAX untouched
    g_calls = 0;
    g_fail_at = 2;
    err = -1;
    vgauss(&ndim, poly, &a, &b, &tol, r, &err, &ncalls, &ier);
    EXPECT_EQ(ier, 6);
    EXPECT_EQ(err, -1.0);
    for (double v : r) EXPECT_EQ(v, 0.0);
}

TEST_F(Quad, NoConvergenceIsNotAnError) {
    const int ndim = 1;
    const double a = -1, b = 1, tol = 1e-14;
    double r, err = -1;
    int ncalls = 0, ier = 0;
    vgauss(&ndim, kink, &a, &b, &tol, &r, &err, &ncalls, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(ncalls, 220);  // 2 L (L + 1) at L = 10
    EXPECT_GE(err, 1e-10);
    EXPECT_NEAR(r, 1.09, 1e-3);
}

// ---- nesting ---------------------------------------------------------------

double g_x = 0;

// Inner integrand in y for a fixed x: (exp(x y), x y^2).
void inner(const int*, const double* y, double* f, int*) {
    f[0] = std::exp(g_x * *y);
    f[1] = g_x * *y * *y;
}

// Outer integrand: the inner integrals over y in [0, 1], by the second copy.
void outer_with_a(const int* ndim, const double* x, double* f, int* ier) {
    g_x = *x;
    const double a = 0, b = 1, tol = 1e-13;
    double err;
    int ncalls;
    vgausa(ndim, inner, &a, &b, &tol, f, &err, &ncalls, ier);
}

void outer_with_first(const int* ndim, const double* x, double* f, int* ier) {
    g_x = *x;
    const double a = 0, b = 1, tol = 1e-13;
    double err;
    int ncalls;
    vgauss(ndim, inner, &a, &b, &tol, f, &err, &ncalls, ier);
}

TEST_F(Quad, DoubleIntegralNestsTheTwoCopies) {
    // int_0^2 int_0^1 exp(x y) dy dx = Ein(2) = sum 2^k / (k k!), and int int x y^2 = 2/3.
    double ein = 0, term = 1;
    for (int k = 1; k < 40; ++k) {
        term *= 2.0 / k;
        ein += term / k;
    }
    const int ndim = 2;
    const double a = 0, b = 2, tol = 1e-12;
    double r[2], err;
    int ncalls = 0, ier = 0;
    vgauss(&ndim, outer_with_a, &a, &b, &tol, r, &err, &ncalls, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_NEAR(r[0], ein, 1e-12);
    EXPECT_NEAR(r[1], 2.0 / 3.0, 1e-13);

    double s[2];
    vgausa(&ndim, outer_with_first, &a, &b, &tol, s, &err, &ncalls, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_NEAR(s[0], ein, 1e-12);
    EXPECT_EQ(s[1], r[1]);
}

TEST_F(Quad, EachThreadHasItsOwnIntegrators) {
    const int ndim = 1;
    auto work = [&](double scale, double* out) {
        for (int rep = 0; rep < 200; ++rep) {
            const double a = 0, b = scale, tol = 1e-12;
            double err;
            int ncalls, ier;
            vgauss(&ndim, [](const int*, const double* t, double* f, int*) { f[0] = std::cos(*t); }, &a, &b,
                   &tol, out, &err, &ncalls, &ier);
        }
    };
    double r1 = 0, r2 = 0;
    std::thread t1(work, 1.0, &r1), t2(work, 2.0, &r2);
    t1.join();
    t2.join();
    EXPECT_NEAR(r1, std::sin(1.0), 1e-13);
    EXPECT_NEAR(r2, std::sin(2.0), 1e-13);
}

}  // namespace
