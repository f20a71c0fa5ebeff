// The C++ layer gives the C interface's results to the bit, throws positive
// codes with the routine's name, returns warnings, restores the tolerance
// block, and allocates nothing in its span overloads.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <random>

#include "VelCurveBasedMathematics.hpp"
#include "tests/support/fixture.hpp"

namespace {
std::atomic<long> g_allocations{0};
}

void* operator new(std::size_t n) {
    ++g_allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using testing_support::Recorded;
using velcurve::Curve;

class CxxLayer : public Recorded {};

Curve random_curve(std::mt19937& rng, int dim, int ncoef) {
    std::uniform_real_distribution<double> u(-2.0, 2.0);
    std::vector<double> c(static_cast<std::size_t>(dim * ncoef));
    for (double& x : c) x = u(rng);
    return Curve(dim, c);
}

TEST_F(CxxLayer, EvaluationAndConversionsEqualTheCCalls) {
    std::mt19937 rng(42);
    for (int dim : {1, 2, 3, 5})
        for (int ncoef : {1, 2, 4, 9, 21}) {
            Curve c = random_curve(rng, dim, ncoef);
            for (double t : {-0.5, 0.0, 0.3, 1.0, 1.7}) {
                std::vector<double> p(static_cast<std::size_t>(dim));
                pocurv(&dim, &ncoef, c.coef.data(), &t, p.data());
                EXPECT_EQ(velcurve::point(c, t), p);
                int order = 2, ier = 0;
                std::vector<double> d(static_cast<std::size_t>(dim * 3));
                mdrvcb(&order, &dim, &ncoef, c.coef.data(), &t, d.data(), &ier);
                EXPECT_EQ(velcurve::derivatives(c, t, 2), d);
            }
            std::vector<double> poly(c.coef.size());
            int ier = 0;
            cpolyg(&dim, &dim, &ncoef, c.coef.data(), poly.data(), &ier);
            EXPECT_EQ(velcurve::control_polygon(c), poly);
            // The basis change loses about one bit per degree.
            const double tol = 1e-14 * std::ldexp(1.0, ncoef);
            Curve back = Curve::from_polygon(dim, poly);
            for (std::size_t k = 0; k < poly.size(); ++k) EXPECT_NEAR(back.coef[k], c.coef[k], tol);
            // The arc on [0.25, 0.75]: its polygon is that of the reparametrised curve.
            c.ta = 0.25;
            c.tb = 0.75;
            Curve arc = velcurve::reparametrised(c, 0.25, 0.75);
            auto pa = velcurve::control_polygon(c), pb = velcurve::control_polygon(arc);
            for (std::size_t k = 0; k < pa.size(); ++k) EXPECT_NEAR(pa[k], pb[k], tol);
        }
}

TEST_F(CxxLayer, RootsAndPlaneIntersection) {
    const double p[] = {0.125, -0.75, 1.0};  // (t - 1/4)(t - 1/2)
    auto r = velcurve::roots(p);
    ASSERT_EQ(r.t.size(), 2u);
    EXPECT_NEAR(r.t[0], 0.25, 1e-14);
    EXPECT_NEAR(r.t[1], 0.5, 1e-14);
    EXPECT_EQ(r.code, 0);

    Curve cubic(2, {0, 0, 3, 6, 3, -6, -2, 0});
    const double normal[] = {0, 2}, point[] = {0, 1.125};
    auto x = velcurve::intersect_plane(cubic, normal, point, 0.5);
    ASSERT_EQ(x.t.size(), 2u);
    EXPECT_NEAR(x.t[0], 0.25, 1e-12);
    EXPECT_NEAR(x.tnear, 0.75, 1e-12);
    // A straight line in 3D: the scratch use of SOL needs room for a point.
    Curve line(3, {0, 0, 0, 1, 1, 1});
    const double n3[] = {1, 0, 0}, p3[] = {0.5, 0, 0};
    auto y = velcurve::intersect_plane(line, n3, p3);
    ASSERT_EQ(y.t.size(), 1u);
    EXPECT_NEAR(y.t[0], 0.5, 1e-14);
}

TEST_F(CxxLayer, FailuresThrowWithRoutineCodeAndMeaning) {
    const double zero[] = {0, 0, 0};
    try {
        velcurve::roots(zero);
        FAIL() << "no exception";
    } catch (const velcurve::Error& e) {
        EXPECT_EQ(e.routine(), "UR1PLS");
        EXPECT_EQ(e.code(), 100);
        EXPECT_EQ(e.meaning(), "the polynomial is zero");
    }
    Curve line(2, {0, 0, 1, 1});
    const double n0[] = {0, 0}, p0[] = {0, 0};
    EXPECT_THROW(velcurve::intersect_plane(line, n0, p0), velcurve::Error);
    const double singular[] = {1, 2, 2, 4}, b[] = {1, 1};
    EXPECT_THROW(velcurve::solve(singular, b, 2), velcurve::Error);
    EXPECT_THROW(Curve(2, {1, 2, 3}), std::invalid_argument);
    EXPECT_THROW(velcurve::roots(std::vector<double>(42, 1.0)), std::invalid_argument);
}

TEST_F(CxxLayer, KernelsAndIntegration) {
    const double a[] = {4, 1, 1, 3}, b[] = {1, 2};
    auto x = velcurve::solve(a, b, 2);
    EXPECT_NEAR(4 * x[0] + 1 * x[1], 1, 1e-14);
    EXPECT_NEAR(1 * x[0] + 3 * x[1], 2, 1e-14);
    auto e = velcurve::symmetric_eigen(a, 2);
    EXPECT_GT(e.values[0], e.values[1]);
    EXPECT_NEAR(e.values[0] + e.values[1], 7, 1e-13);
    auto in = velcurve::integrate([](double t, std::span<double> f, int&) { f[0] = std::cos(t); }, 1, 0.0, 1.0,
                                  1e-12);
    EXPECT_NEAR(in.value[0], std::sin(1.0), 1e-13);
    // An integrand's code stops the integration and is thrown.
    EXPECT_THROW(velcurve::integrate([](double, std::span<double>, int& ier) { ier = 7; }, 1, 0.0, 1.0, 1e-12),
                 velcurve::Error);
}

TEST_F(CxxLayer, ScopedTolerancesRestoreTheBlock) {
    const auto before = velcurve::Tolerances::current();
    {
        velcurve::Tolerances t;
        t.eps1 = 1e-5;
        t.nitnr = 7;
        velcurve::ScopedTolerances scope(t);
        double eps = 0;
        meps1(&eps);
        EXPECT_EQ(eps, 1e-5);
        EXPECT_EQ(velcurve::Tolerances::current().nitnr, 7);
    }
    const auto after = velcurve::Tolerances::current();
    EXPECT_EQ(after.eps1, before.eps1);
    EXPECT_EQ(after.epsnr, before.epsnr);
    EXPECT_EQ(after.nitnr, before.nitnr);
    EXPECT_EQ(after.nitln, before.nitln);
    EXPECT_EQ(after.eps3d, before.eps3d);
}

TEST_F(CxxLayer, SpanOverloadsAllocateNothing) {
    Curve c(3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    double out[3];
    const long before = g_allocations.load();
    for (int k = 0; k < 100; ++k) velcurve::point(c, 0.01 * k, out);
    EXPECT_EQ(g_allocations.load(), before);
}

}  // namespace
