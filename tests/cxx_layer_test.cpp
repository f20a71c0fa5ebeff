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

TEST_F(CxxLayer, LaterFamiliesEqualTheCCalls) {
    std::mt19937 rng(5);
    for (int dim : {2, 3})
        for (int ncoef : {3, 4, 7}) {
            Curve c = random_curve(rng, dim, ncoef);
            const double tint[2] = {0.0, 1.0};
            int n = ncoef, ier = 0;
            // Roots with noise on the first component (the curve's x(t) as a polynomial).
            std::vector<double> x(static_cast<std::size_t>(ncoef));
            for (int k = 0; k < ncoef; ++k) x[static_cast<std::size_t>(k)] = c.coef[static_cast<std::size_t>(k * dim)];
            const double epsx = 1e-10, epsf = 1e-12;
            std::vector<double> roots(60), noise(120), unres(120);
            int nroot = 0, nnoise = 0, nunres = 0;
            mrs1d0(x.data(), &n, tint, &epsx, &epsf, roots.data(), &nroot, noise.data(), &nnoise, unres.data(), &nunres,
                   &ier);
            auto nr = velcurve::roots_noisy(x, 0.0, 1.0, epsx, epsf);
            EXPECT_EQ(nr.code, ier);
            EXPECT_EQ(nr.t, std::vector<double>(roots.begin(), roots.begin() + nroot));
            EXPECT_EQ(nr.noisy.size(), 2u * static_cast<std::size_t>(nnoise));
            // Fine and coarse bounds, and the box.
            double bmax = 0, bmin = 0, tmax = 0, tmin = 0, tol = 1e-9;
            mbtpnu(&n, x.data(), tint, &tol, &bmax, &bmin, &tmax, &tmin, &ier);
            auto fb = velcurve::bounds(x, 0.0, 1.0, tol);
            EXPECT_EQ(fb.max, bmax);
            EXPECT_EQ(fb.min, bmin);
            EXPECT_EQ(fb.tmax, tmax);
            EXPECT_EQ(fb.tmin, tmin);
            mbtpnp(&n, x.data(), tint, &bmax, &bmin, &ier);
            auto cb = velcurve::coarse_bounds(x, 0.0, 1.0);
            EXPECT_EQ(cb.max, bmax);
            EXPECT_EQ(cb.min, bmin);
            EXPECT_LE(cb.min, fb.min + tol);
            std::vector<double> box(2 * static_cast<std::size_t>(dim));
            mbtcb1(&dim, &n, c.coef.data(), &dim, tint, &tol, box.data(), &ier);
            auto b = velcurve::box(c, tol);
            for (int k = 0; k < dim; ++k) {
                EXPECT_EQ(b.lower[static_cast<std::size_t>(k)], box[2 * static_cast<std::size_t>(k)]);
                EXPECT_EQ(b.upper[static_cast<std::size_t>(k)], box[2 * static_cast<std::size_t>(k) + 1]);
            }
            // Length and the parameter at half of it.
            double ua = 0.0, ub = 1.0, eps = 1e-12, len = 0, diff = 0;
            mcglc1(&dim, &dim, &n, c.coef.data(), &ua, &ub, &eps, &len, &diff, &ier);
            auto al = velcurve::arc_length(c, 0.0, 1.0, eps);
            EXPECT_EQ(al.length, len);
            EXPECT_EQ(al.diff, diff);
            double lena = 0.0, ratio = 0.5, uout = 0.0, ptol = 1e-10;
            int niter = 0;
            mposcv(&dim, &dim, &n, c.coef.data(), &ua, &ub, &lena, &len, &ratio, &uout, &ptol, &niter, &ier);
            auto at = velcurve::at_length(c, 0.5, len, ptol);
            EXPECT_EQ(at.t, uout);
            EXPECT_EQ(at.iterations, niter);
            // Curvature two ways: cvture and mprcrb agree to rounding.
            for (double t : {0.1, 0.6}) {
                std::vector<double> p(static_cast<std::size_t>(dim));
                pocurv(&dim, &n, c.coef.data(), &t, p.data());
                double work[1], curv = 0, radius = 0, center[3] = {};
                cvture(p.data(), &dim, &n, c.coef.data(), &t, work, &curv, &radius, center, &ier);
                auto cv = velcurve::curvature(c, t);
                EXPECT_EQ(cv.code, ier);
                EXPECT_EQ(cv.curvature, curv);
                EXPECT_EQ(cv.radius, radius);
                auto fr = velcurve::frenet(c, t);
                EXPECT_NEAR(fr.curvature, curv, 1e-9 * (1 + curv));
                double dot = 0;
                for (int k = 0; k < dim; ++k)
                    dot += fr.tangent[static_cast<std::size_t>(k)] * fr.normal[static_cast<std::size_t>(k)];
                EXPECT_NEAR(dot, 0.0, 1e-12);
            }
        }
}

TEST_F(CxxLayer, ApproximationShapeAndTheirFailures) {
    // exp(t) on [0, 1]: every derivative is the value.
    auto ex = [](double t, int, std::span<double> v, int&) { v[0] = std::exp(t); };
    velcurve::ApproximationOptions o;
    o.tout_a = 0.0;
    o.tout_b = 1.0;
    auto ap = velcurve::approximate(ex, 1, 0.0, 1.0, 1e-10, o);
    ASSERT_FALSE(ap.segments.empty());
    EXPECT_EQ(ap.breaks.size(), ap.segments.size() + 1);
    for (std::size_t s = 0; s < ap.segments.size(); ++s) {
        const double mid = 0.5 * (ap.breaks[s] + ap.breaks[s + 1]);
        EXPECT_NEAR(velcurve::point(ap.segments[s], 0.5)[0], std::exp(mid), 1e-9);
    }
    try {
        velcurve::approximate([](double, int, std::span<double>, int& ier) { ier = 3; }, 1, 0.0, 1.0, 1e-8);
        FAIL() << "no exception";
    } catch (const velcurve::Error& e) {
        EXPECT_EQ(e.routine(), "MAPFNC");
        EXPECT_EQ(e.code(), 103);
    }
    // Points on a tilted line: one large variance, the axis along (1, 2, 2)/3.
    std::vector<double> pts;
    for (int i = 0; i < 5; ++i)
        for (double v : {1.0 * i, 2.0 * i, 2.0 * i}) pts.push_back(v);
    auto pa = velcurve::principal_axes(pts, 3);
    EXPECT_NEAR(pa.centroid[0], 2.0, 1e-14);
    EXPECT_NEAR(std::abs(pa.axes[0]), 1.0 / 3.0, 1e-12);
    EXPECT_EQ(velcurve::shape_kind(pa.values, 1e-6), "DRTE");
    EXPECT_EQ(velcurve::shape_kind(std::vector<double>{0.0, 0.0}, 1e-6), "POIN");
    // Positive codes of the later families throw with their routine's name.
    struct Case {
        const char* routine;
        int code;
        void (*call)();
    };
    const Case cases[] = {
        {"MRS1D0", 1, [] { velcurve::roots_noisy(std::vector<double>{1, -2}, 0.0, 1.0, -1.0, 1e-12); }},
        {"MPOSCV", 2, [] { velcurve::at_length(Curve(2, {0, 0, 1, 0}), 1.5, 1.0, 1e-10); }},
        {"CVTURE", 1, [] { velcurve::curvature(Curve(2, {0, 0, 0, 0, 1, 1}), 0.0); }},
        {"MCKPL0", 11, [] {
             velcurve::ScopedTolerances zero(velcurve::Tolerances{1e-9, 1e-10, 0.0, 1e-9, 1e-9, 100, 100});
             velcurve::principal_axes(std::vector<double>{0, 0, 1, 1}, 2);
         }},
    };
    for (const Case& k : cases) {
        try {
            k.call();
            ADD_FAILURE() << k.routine << ": no exception";
        } catch (const velcurve::Error& e) {
            EXPECT_EQ(e.routine(), k.routine);
            EXPECT_EQ(e.code(), k.code);
            EXPECT_NE(e.meaning(), "failure");
        }
    }
    EXPECT_THROW(velcurve::box(Curve(2, std::vector<double>(44, 1.0)), 1e-9), std::invalid_argument);
}

TEST_F(CxxLayer, ProjectionAndClassification) {
    std::mt19937 rng(9);
    for (int dim : {2, 3}) {
        Curve c = random_curve(rng, dim, 4);
        const double x[3] = {0.3, -0.2, 0.1};
        int n = 4, nsol = 0, ier = 0;
        std::vector<double> params(7), proj(21);
        double dist = 0;
        mcvpds(&dim, &n, c.coef.data(), x, &nsol, params.data(), proj.data(), &dist, &ier);
        auto nr = velcurve::nearest(c, std::span<const double>(x, static_cast<std::size_t>(dim)));
        EXPECT_EQ(nr.code, ier);
        EXPECT_EQ(nr.distance, dist);
        EXPECT_EQ(nr.t, std::vector<double>(params.begin(), params.begin() + nsol));
        for (bool far : {false, true}) {
            int sens = far ? -1 : 1, nmax = 64, npts = 0, nint = 0, nnoise = 0;
            const double bounds[2] = {0.0, 1.0}, eps = 1e-9, epsa = 1e-13, epsb = 1e-13;
            std::vector<double> par(64), pts(192), ints(128), noise(128);
            mdpcv0(&dim, &n, c.coef.data(), bounds, x, &sens, &eps, &epsa, &epsb, &nmax, &npts, par.data(), pts.data(),
                   &nint, ints.data(), &nnoise, noise.data(), &dist, &ier);
            auto ex = velcurve::extremal_distance(c, std::span<const double>(x, static_cast<std::size_t>(dim)), far);
            EXPECT_EQ(ex.distance, dist);
            EXPECT_EQ(ex.t, std::vector<double>(par.begin(), par.begin() + npts));
            if (!far) EXPECT_NEAR(ex.distance, nr.distance, 1e-9);
        }
    }
    // The unit square as four segments, and points inside, outside and on it.
    const std::vector<Curve> square = {Curve(2, {0, 0, 1, 0}), Curve(2, {1, 0, 0, 1}), Curve(2, {1, 1, -1, 0}),
                                       Curve(2, {0, 1, 0, -1})};
    const double pts[] = {0.5, 0.5, 1.5, 0.5, -0.2, 0.3, 0.25, 0.75, 1.0, 0.5};
    EXPECT_EQ(velcurve::classify(square, pts),
              (std::vector<int>{velcurve::inside, velcurve::outside, velcurve::outside, velcurve::inside,
                                velcurve::on_boundary}));
    const std::vector<Curve> open = {Curve(2, {0, 0, 1, 0}), Curve(2, {1, 0, 0, 1})};
    try {
        velcurve::classify(open, pts);
        FAIL() << "no exception";
    } catch (const velcurve::Error& e) {
        EXPECT_EQ(e.routine(), "SIEPF1");
        EXPECT_EQ(e.code(), 3);
    }
    EXPECT_THROW(velcurve::nearest(Curve(2, std::vector<double>(44, 1.0)), std::vector<double>{0, 0}),
                 std::invalid_argument);
}

TEST_F(CxxLayer, OrientedBoxEqualsTheCCallAndHoldsTheCurves) {
    std::mt19937 rng(13);
    const std::vector<Curve> curves = {random_curve(rng, 3, 4), random_curve(rng, 3, 6), random_curve(rng, 3, 2)};
    auto ob = velcurve::oriented_box(curves, 0.0, 1.0);
    int dim = 3, ncmax = 6, ncurve = 3, iopt = 1, ier = 0;
    std::vector<double> crv(54, 0.0);
    for (std::size_t i = 0; i < 3; ++i) std::copy(curves[i].coef.begin(), curves[i].coef.end(), crv.begin() + 18 * i);
    const int ncoef[] = {4, 6, 2};
    const double tint[2] = {0.0, 1.0};
    double g[3], v[9], ext[3];
    mblcr4(&dim, &ncmax, &ncurve, crv.data(), ncoef, tint, &iopt, g, v, ext, &ier);
    EXPECT_EQ(ob.center, std::vector<double>(g, g + 3));
    EXPECT_EQ(ob.axes, std::vector<double>(v, v + 9));
    EXPECT_EQ(ob.half, std::vector<double>(ext, ext + 3));
    for (const Curve& c : curves)
        for (double t = 0.0; t <= 1.0; t += 0.05) {
            auto p = velcurve::point(c, t);
            for (int k = 0; k < 3; ++k) {
                double s = 0;
                for (int j = 0; j < 3; ++j) s += (p[static_cast<std::size_t>(j)] - g[j]) * v[3 * k + j];
                EXPECT_LE(std::abs(s), ext[k] + 1e-9);
            }
        }
    EXPECT_THROW(velcurve::oriented_box(std::vector<Curve>{curves[0], Curve(2, {0, 0, 1, 1})}, 0.0, 1.0),
                 std::invalid_argument);
}

TEST_F(CxxLayer, SpanOverloadsAllocateNothing) {
    Curve c(3, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    double out[3];
    const long before = g_allocations.load();
    for (int k = 0; k < 100; ++k) velcurve::point(c, 0.01 * k, out);
    EXPECT_EQ(g_allocations.load(), before);
}

}  // namespace
