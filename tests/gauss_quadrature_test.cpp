// Gauss-Legendre rules and integrators, against Boost.Math's Legendre zeros
// and exponential integral, and GSL's fixed rules.
#include <gsl/gsl_integration.h>

#include <boost/math/constants/constants.hpp>
#include <boost/math/special_functions/expint.hpp>
#include <boost/math/special_functions/legendre.hpp>
#include <cmath>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using Quadrature = testing_support::Recorded;

std::vector<double> rule(void (*fill)(const int*, double*), int n) {
    std::vector<double> v(n > 0 ? n : 1, 7.0);
    fill(&n, v.data());
    return v;
}

// GSL computes the rules it does not store in double precision: its weights
// beyond order 37 are good to about 1e-11 only (the 40-digit values at the
// end side with ours). Orders outside 1..61 write nothing; vgaus0 gives the
// positive half of the 4L-point rule, outermost node first, and level 10 for
// a bad level.
TEST_F(Quadrature, EveryOrderMatchesBoostAndGsl) {
    for (int n = 1; n <= 61; ++n) {
        const auto x = rule(mextrl, n), w = rule(mexthi, n);
        const auto z = boost::math::legendre_p_zeros<long double>(n);  // non-negative, increasing
        for (std::size_t k = 0; k < z.size(); ++k) {
            const long double dp = boost::math::legendre_p_prime(n, z[k]);
            EXPECT_NEAR(x[n / 2 + k], static_cast<double>(z[k]), 1e-14) << n;
            EXPECT_NEAR(w[n / 2 + k], static_cast<double>(2 / ((1 - z[k] * z[k]) * dp * dp)), 1e-14) << n;
        }
        gsl_integration_glfixed_table* t = gsl_integration_glfixed_table_alloc(n);
        for (int i = 0; i < n; ++i) {
            double xi, wi;
            gsl_integration_glfixed_point(-1.0, 1.0, i, &xi, &wi, t);
            EXPECT_NEAR(x[i], xi, 1e-14) << n;
            EXPECT_NEAR(w[i], wi, n <= 37 ? 1e-14 : 2e-11) << n;
        }
        gsl_integration_glfixed_table_free(t);
    }
    EXPECT_NEAR(rule(mexthi, 38)[23], 0.076153663548446396066, 1e-17);
    EXPECT_NEAR(rule(mexthi, 61)[60], 0.001961453361670282671773, 1e-17);
    for (int n : {0, 62}) EXPECT_EQ(rule(mextrl, n)[0] + rule(mexthi, n)[0], 14.0);  // untouched
    double x[20], w[20];
    int npts, ier, eleven = 11;
    vgaus0(&eleven, x, w, &npts, &ier);
    const auto full = rule(mextrl, 40);
    EXPECT_TRUE(ier == -1 && npts == 20);
    EXPECT_EQ(std::vector<double>(x, x + 20), std::vector<double>(full.rbegin(), full.rbegin() + 20));
    rec::set_level(3);
    rule(mexthi, 5);
    EXPECT_EQ(rec::names(Kind::Exit), std::vector<std::string>{"MEXTHI"});
}

int g_calls = 0, g_fail_at = -1, g_fail_code = 0, g_seen_ier = 0;

// (1, t^7 - 3t^2, exp t); fails at call number g_fail_at with g_fail_code.
void poly(const int* ndim, const double* t, double* f, int* ier) {
    g_seen_ier = *ier;
    if (++g_calls == g_fail_at) {
        *ier = g_fail_code;
        return;
    }
    const double v[3] = {1.0, std::pow(*t, 7) - 3 * *t * *t, std::exp(*t)};
    for (int i = 0; i < *ndim; ++i) f[i] = v[i];
}

void fail_at(int call, int code) { g_calls = 0, g_fail_at = call, g_fail_code = code; }

TEST_F(Quadrature, OneRuleExactnessCostAndFailures) {
    const int two = 2, three = 3, bad = 12;
    const double a = -0.5, b = 1.5, exact = (std::pow(b, 8) - std::pow(a, 8)) / 8 - (b * b * b - a * a * a);
    double r[3];
    int ncalls, ier;
    for (int level = 2; level <= 10; ++level) {  // 8 points or more: exact for t^7
        (level % 2 ? vgausb : vgaus1)(&two, poly, &level, level % 2 ? &b : &a, level % 2 ? &a : &b, r, &ncalls, &ier);
        EXPECT_EQ(ncalls, 4 * level);
        EXPECT_NEAR(r[1], level % 2 ? -exact : exact, 1e-13);
    }
    fail_at(5, -7);  // any non-zero code stops the rule at once
    vgaus1(&three, poly, &three, &a, &b, r, &ncalls, &ier);
    EXPECT_TRUE(ier == -7 && g_calls + ncalls == 5);
    EXPECT_EQ(r[0] + r[1] + r[2], 0.0);
    vgaus1(&three, poly, &bad, &a, &b, r, &ncalls, &ier);  // -1 arrives as the flag
    EXPECT_EQ(g_seen_ier, -1);
}

TEST_F(Quadrature, LevelLoopStopsCountsAndKeepsTheLastGoodLevel) {
    const int three = 3, two = 2, one = 1;
    const double a = -1, b = 2, tol = 1e-12, zero = 0;
    double r[3], r2[3], err;
    int ncalls, ier;
    vgausa(&two, poly, &a, &b, &zero, r, &err, &ncalls, &ier);  // TOL 0 means 1e-10
    EXPECT_EQ(ncalls, 12);  // degree 7 is exact at level 1
    EXPECT_LT(err, 1e-13);
    vgaus1(&three, poly, &two, &a, &b, r2, &ncalls, &ier);
    fail_at(4 + 8 + 3, 6);  // during level 3
    vgauss(&three, poly, &a, &b, &tol, r, &err, &ncalls, &ier);
    EXPECT_EQ(ier + ncalls, 6 + 12);
    EXPECT_TRUE(std::equal(r, r + 3, r2));
    auto kink = [](const int*, const double* t, double* f, int*) { f[0] = std::fabs(*t - 0.3); };
    vgauss(&one, kink, &a, &b, &tol, r, &err, &ncalls, &ier);
    EXPECT_EQ(ier + ncalls, 220);  // ten levels without convergence are not an error
    EXPECT_GE(err, 1e-10);
    for (int bad : {0, 11}) {
        vgauss(&bad, poly, &a, &b, &tol, r, &err, &ncalls, &ier);
        EXPECT_EQ(ier, bad ? 10 : 1);
    }
    EXPECT_EQ(rec::count(Kind::Error), 0);
}

// int_0^2 int_0^1 (exp(x y), x y^2) dy dx, the inner integral by the second
// copy; the first is Ein(2) = Ei(2) - gamma - ln 2.
double g_x = 0;
void outer(const int* ndim, const double* x, double* f, int* ier) {
    g_x = *x;
    auto inner = [](const int*, const double* y, double* g, int*) {
        g[0] = std::exp(g_x * *y);
        g[1] = g_x * *y * *y;
    };
    const double a = 0, b = 1, tol = 1e-13;
    double err;
    int ncalls;
    vgausa(ndim, inner, &a, &b, &tol, f, &err, &ncalls, ier);
}

TEST_F(Quadrature, DoubleIntegralNestsTheTwoCopies) {
    const int ndim = 2;
    const double a = 0, b = 2, tol = 1e-12;
    double r[2], err;
    int ncalls, ier;
    vgauss(&ndim, outer, &a, &b, &tol, r, &err, &ncalls, &ier);
    EXPECT_NEAR(r[0], boost::math::expint(2.0) - boost::math::constants::euler<double>() - std::log(2.0), 1e-12);
    EXPECT_NEAR(r[1], 2.0 / 3.0, 1e-13);
}

}  // namespace
