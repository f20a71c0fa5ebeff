// Projection of a point onto a curve: both roads against a reference by
// dense sampling of the distance refined by long-double Newton steps on
// (P - X) . P' = 0, the ends included; ties, spheres, degenerate curves,
// solution intervals and bad input.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using rec::Kind;
using testing_support::Recorded;
using LD = long double;
using V = std::vector<double>;

struct Curve {
    int nd, n;
    V coef;  // COEF(nd, n)
};

LD dist_at(const Curve& c, LD t, const V& x) {
    LD s = 0;
    for (int i = 0; i < c.nd; ++i) {
        const LD d = ref::horner(c.coef.data(), c.nd, c.n, i, t) - x[i];
        s += d * d;
    }
    return std::sqrt(s);
}

// The extreme distance (sens 1 nearest, -1 farthest) and where it is reached.
struct Extreme {
    LD dist, t;
};

Extreme reference(const Curve& c, const V& x, int sens) {
    auto g = [&](LD t, LD& dg) {  // (P - X) . P' and its derivative
        LD v = 0, d = 0;
        for (int i = 0; i < c.nd; ++i) {
            LD p = 0, p1 = 0, p2 = 0;
            for (int j = c.n - 1; j >= 0; --j) {
                p2 = p2 * t + 2 * p1;
                p1 = p1 * t + p;
                p = p * t + c.coef[j * c.nd + i];
            }
            v += (p - x[i]) * p1;
            d += p1 * p1 + (p - x[i]) * p2;
        }
        dg = d;
        return v;
    };
    Extreme best{dist_at(c, 0, x), 0};
    auto take = [&](LD t) {
        const LD d = dist_at(c, t, x);
        if (sens * d < sens * best.dist) best = {d, t};
    };
    take(1);
    const int m = 800;
    for (int k = 1; k < m; ++k) {
        LD t = static_cast<LD>(k) / m;
        for (int it = 0; it < 30; ++it) {  // Newton from each sample, kept when it stays near it
            LD dg;
            const LD v = g(t, dg);
            if (dg == 0) break;
            t -= v / dg;
        }
        if (t >= 0 && t <= 1 && std::fabs(t - static_cast<LD>(k) / m) < 2.0L / m) take(t);
        take(static_cast<LD>(k) / m);
    }
    return best;
}

struct Found {
    int ier = -99, nsol = 0;
    V params, proj;
    double dist = -1;
};

Found nearest_by_pieces(const Curve& c, const V& x) {
    Found r;
    const int cap = 2 * c.n - 1;
    r.params.assign(cap + 1, 7.0);
    r.proj.assign(c.nd * (cap + 1), 7.0);
    mcvpds(&c.nd, &c.n, c.coef.data(), x.data(), &r.nsol, r.params.data(), r.proj.data(), &r.dist, &r.ier);
    EXPECT_TRUE(r.params[cap] == 7.0 && r.proj[c.nd * cap] == 7.0) << "written past the capacity";
    r.params.resize(std::max(r.nsol, 0));
    return r;
}

struct Extremal {
    int ier = -99, npts = 0, nint = 0, nnoise = 0;
    V par, pts, ints, noise;
    double dist = -1;
};

Extremal extremal(const Curve& c, const V& x, int sens, double a = 0, double b = 1, double eps = 1e-9, int nmax = 4) {
    Extremal r;
    r.par.assign(nmax + 1, 7.0);
    r.pts.assign(c.nd * (nmax + 1), 7.0);
    r.ints.assign(2 * nmax + 2, 7.0);
    r.noise.assign(2 * nmax + 2, 7.0);
    const double bounds[2] = {a, b}, epsa = 1e-13, epsb = 1e-13;
    mdpcv0(&c.nd, &c.n, c.coef.data(), bounds, x.data(), &sens, &eps, &epsa, &epsb, &nmax, &r.npts, r.par.data(),
           r.pts.data(), &r.nint, r.ints.data(), &r.nnoise, r.noise.data(), &r.dist, &r.ier);
    EXPECT_TRUE(r.par[nmax] == 7.0 && r.ints[2 * nmax] == 7.0 && r.noise[2 * nmax] == 7.0) << "written past NMAX";
    return r;
}

class Projection : public Recorded {};

TEST_F(Projection, EdgeCases) {
    const Curve segment{2, 2, {0, 0, 2, 0}};  // (2t, 0)
    int nsol = 0, ier = -9;
    double proj[6], params[3], dist = -1;
    const V on = {1, 0};
    mcvpr2(&segment.nd, &segment.n, segment.coef.data(), on.data(), &nsol, proj, params, &dist, &ier);
    EXPECT_TRUE(ier == 0 && nsol == 1 && std::fabs(params[0] - 0.5) < 1e-12 && dist < 1e-12);
    // Equidistant from the ends and off the line: the foot, not an end.
    Found f = nearest_by_pieces(segment, {1, 3});
    EXPECT_TRUE(f.ier == 0 && f.nsol == 1 && std::fabs(f.params[0] - 0.5) < 1e-9 && std::fabs(f.dist - 3) < 1e-12);
    // The farther end of a segment, at a positive distance.
    Extremal e = extremal(segment, {0.5, 1}, -1);
    EXPECT_TRUE(e.ier == 0 && e.npts == 1 && e.par[0] == 1 && std::fabs(e.dist - std::sqrt(3.25)) < 1e-12) << e.ier;
    // A closed curve whose two ends are nearest: both, parameters 0 and 1.
    const Curve loop{2, 3, {0, 0, 4, 1, -4, 0}};  // (4t(1 - t), t): from (0, 0) to (0, 1)
    nsol = 0;
    const V mid = {-1, 0.5};
    mcvpr2(&loop.nd, &loop.n, loop.coef.data(), mid.data(), &nsol, proj, params, &dist, &ier);
    ASSERT_TRUE(ier == 0 && nsol == 2);
    EXPECT_TRUE(params[0] == 0 && params[1] == 1);
    // A point curve: -1 by pieces, -3 for the extremal distance.
    const Curve point{3, 4, {1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
    f = nearest_by_pieces(point, {1, 2, 4});
    EXPECT_TRUE(f.ier == -1 && f.nsol == 1 && f.params[0] == 0 && f.dist == 1);
    e = extremal(point, {1, 2, 4}, 1);
    EXPECT_TRUE(e.ier == -3 && e.dist == 1);
    EXPECT_EQ(rec::codes("MCVPDS"), (std::vector<int>{0, -1}));
}

// A quarter circle of radius 2 around (1, 1): cos and sin of t pi / 2 by
// their Taylor series of degree 12 at t = 1/2 (error below 1e-11), expanded
// into powers of t.
Curve quarter_circle() {
    const int n = 13;
    Curve c{2, n, V(2 * n, 0.0)};
    const LD pi = 3.141592653589793238462643383279502884L;
    LD fact = 1;
    for (int k = 0; k < n; ++k) {
        if (k > 0) fact *= k;
        const LD w = std::pow(pi / 2, static_cast<LD>(k)) / fact;
        const LD dc = w * std::cos(pi / 4 + k * pi / 2), ds = w * std::sin(pi / 4 + k * pi / 2);
        for (int j = 0; j <= k; ++j) {  // (t - 1/2)^k = sum C(k, j) t^j (-1/2)^(k - j)
            const LD term = ref::binom(k, j) * std::pow(-0.5L, static_cast<LD>(k - j));
            c.coef[2 * j] += static_cast<double>(2 * dc * term);
            c.coef[2 * j + 1] += static_cast<double>(2 * ds * term);
        }
    }
    c.coef[0] += 1;
    c.coef[1] += 1;
    return c;
}

TEST_F(Projection, SphereCases) {
    Curve arc = quarter_circle();
    LD spread = 0;
    for (int k = 0; k <= 200; ++k) spread = std::max(spread, std::fabs(dist_at(arc, k / 200.0L, {1, 1}) - 2));
    ASSERT_LT(static_cast<double>(spread), 1e-9);
    const Found f = nearest_by_pieces(arc, {1, 1});
    EXPECT_TRUE(f.ier == -2 && f.nsol == 1 && f.params[0] == 0 && f.proj[0] == arc.coef[0] && f.proj[1] == arc.coef[1]);
    const Extremal e = extremal(arc, {1, 1}, 1);
    EXPECT_TRUE(e.ier == -2 && std::fabs(e.dist - 2) < 1e-5);
    int ispher = -1, ier;
    double radius;
    mcvcrc(&arc.nd, &arc.n, arc.coef.data(), V{1, 1}.data(), &radius, &ispher, &ier);
    EXPECT_TRUE(ispher == 1 && std::fabs(radius - 2) < 1e-9);
    mcvcrc(&arc.nd, &arc.n, arc.coef.data(), V{1, 1.001}.data(), &radius, &ispher, &ier);
    EXPECT_EQ(ispher, 0);
    EXPECT_EQ(rec::codes("MCVCRC"), (std::vector<int>{0, 0}));  // reported on every exit
}

// Random curves of degrees 2 to 20 in 2D and 3D, random points near, far, on
// the curve and near an end: both roads find the nearest distance, and the
// Bernstein road the farthest.
TEST_F(Projection, RandomCurvesAgainstReference) {
    std::mt19937 gen(19);
    std::uniform_real_distribution<double> u(-1, 1), t01(0, 1);
    int checked = 0;
    for (int nd : {2, 3})
        for (int degree : {2, 3, 5, 8, 12, 20}) {
            for (int rep = 0; rep < 5; ++rep) {
                const int n = degree + 1;
                Curve c{nd, n, ref::random_values(gen, static_cast<std::size_t>(nd) * n)};
                V x(nd);
                const double s = t01(gen);
                for (int i = 0; i < nd; ++i) {
                    const double p = static_cast<double>(ref::horner(c.coef.data(), nd, n, i, s));
                    switch (rep) {
                        case 0: x[i] = p; break;                                  // on the curve
                        case 1: x[i] = p + 0.05 * u(gen); break;                  // near it
                        case 2: x[i] = 5 * u(gen); break;                         // far
                        case 3: x[i] = static_cast<double>(ref::horner(c.coef.data(), nd, n, i, 0.999)) + 0.01 * u(gen); break;
                        default: x[i] = u(gen);
                    }
                }
                const std::string what = std::to_string(nd) + "D degree " + std::to_string(degree) + " rep " + std::to_string(rep);
                const Extreme near = reference(c, x, 1), far = reference(c, x, -1);
                const Found f = nearest_by_pieces(c, x);
                ASSERT_EQ(f.ier, 0) << what;
                EXPECT_NEAR(f.dist, static_cast<double>(near.dist), 1e-9) << what;
                for (int k = 0; k < f.nsol; ++k)
                    EXPECT_NEAR(static_cast<double>(dist_at(c, f.params[k], x)), f.dist, 1e-9) << what;
                const Extremal e = extremal(c, x, 1);
                EXPECT_TRUE(e.ier == 0 && e.npts + e.nint + e.nnoise >= 1) << what << " code " << e.ier;
                EXPECT_NEAR(e.dist, static_cast<double>(near.dist), 1e-7) << what << [&] {
                    std::string d = " t " + std::to_string(static_cast<double>(near.t)) + " x";
                    char buf[40];
                    for (double v : x) { std::snprintf(buf, sizeof buf, " %.17g", v); d += buf; }
                    d += " coef";
                    for (double v : c.coef) { std::snprintf(buf, sizeof buf, " %.17g", v); d += buf; }
                    d += " npts " + std::to_string(e.npts) + " par " + std::to_string(e.par[0]) + " nint " + std::to_string(e.nint) + " nnoise " + std::to_string(e.nnoise);
                    return d;
                }();
                const Extremal g = extremal(c, x, -1);
                EXPECT_TRUE(g.ier == 0) << what;
                EXPECT_NEAR(g.dist, static_cast<double>(far.dist), 1e-7) << what;
                ++checked;
            }
        }
    EXPECT_EQ(checked, 60);
}

TEST_F(Projection, TiesAndSolutionIntervals) {
    // A parabola symmetric about x = 0.5, the point on its axis beyond the
    // centre of curvature: two nearest points, kept by both roads.
    const Curve parabola{2, 3, {0, 1, 1, -4, 0, 4}};  // (t, 4 (t - 0.5)^2)
    const V axis = {0.5, 1.0};
    const Found f = nearest_by_pieces(parabola, axis);
    ASSERT_TRUE(f.ier == 0 && f.nsol == 2) << f.nsol;
    EXPECT_NEAR(f.params[0] + f.params[1], 1.0, 1e-9);
    const Extremal e = extremal(parabola, axis, 1);
    ASSERT_TRUE(e.ier == 0 && e.npts == 2) << e.npts;
    EXPECT_NEAR(e.par[0] + e.par[1], 1.0, 1e-7);
    // A straight curve that stalls around t = 0.5, ((2t - 1)^5, 0), with the
    // point above the stall: g vanishes to within its tolerance on a stretch,
    // which is the one extremal solution interval.
    Curve stall{2, 6, V(12, 0.0)};
    const double b5[6] = {-1, 10, -40, 80, -80, 32};
    for (int k = 0; k < 6; ++k) stall.coef[2 * k] = b5[k];
    const Extremal s = extremal(stall, {0, 1}, 1, 0, 1, 1e-6);
    EXPECT_TRUE(s.ier == 0 && s.nint == 1 && s.npts == 0) << s.ier << " " << s.nint << " " << s.npts;
    EXPECT_TRUE(s.ints[0] < 0.5 && s.ints[1] > 0.5 && std::fabs(s.dist - 1) < 1e-9);
}

// The subdivision solver on its own: a simple root, a stretch within the
// tolerance, and a noisy interval left by a depth too small.
double g_epsf = 1e-10;
V g_coef;
void eval_canonical(const double* t, double* f, int* ier) {
    *f = static_cast<double>(ref::horner(g_coef.data(), 1, static_cast<int>(g_coef.size()), 0, *t));
    *ier = 0;
}
void fixed_tolerances(const double*, double* epsx, double* epsf, int* ier) {
    *epsx = 1e-9;
    *epsf = g_epsf;
    *ier = 0;
}

TEST_F(Projection, SubdivisionSolver) {
    struct Case { V roots; double scale; int ier; int nsolp, nsoli; };
    const Case cases[] = {
        {{0.3, 2.0}, 1.0, 0, 1, 0},
        {{0.5, 0.5, 0.5, 0.5, 0.5}, 1e-3, -1, 0, 1},  // below 1e-10 for |t - 0.5| < 0.04
        {{0.25, 0.75, -1.0}, 1.0, 0, 2, 0},
    };
    for (const Case& k : cases) {
        g_coef = ref::from_roots(k.roots, k.scale);
        int n = static_cast<int>(g_coef.size()), nsolp, nsoli, nnoise, ier;
        V b(n), solp(n), soli(2 * n), noise(2 * n);
        int code;
        mbbpg1(&n, g_coef.data(), b.data(), &code);
        const double tint[2] = {0, 1};
        mrs1g1(eval_canonical, b.data(), &n, tint, fixed_tolerances, solp.data(), &nsolp, soli.data(), &nsoli,
               noise.data(), &nnoise, &ier);
        EXPECT_TRUE(ier == k.ier && nsolp == k.nsolp && nsoli == k.nsoli) << ier << " " << nsolp << " " << nsoli;
        for (int j = 0; j < nsolp; ++j)
            EXPECT_TRUE(std::any_of(k.roots.begin(), k.roots.end(), [&](double r) { return std::fabs(r - solp[j]) < 1e-9; }));
        if (nsoli == 1) EXPECT_TRUE(soli[0] < 0.47 && soli[1] > 0.53 && soli[0] > 0.4 && soli[1] < 0.6);
    }
    // Two levels only: the pieces around a double root stay unsettled.
    g_coef = ref::from_roots({0.3, 0.3, 2.0});
    int n = 4, depth = 2, nsolp, nsoli, nnoise, ier, code;
    V b(4), stack(4 * 2 * 2), work(4), solp(3), soli(6), noise(6);
    mbbpg1(&n, g_coef.data(), b.data(), &code);
    const double tint[2] = {0, 1};
    mrs1g2(eval_canonical, b.data(), &n, tint, fixed_tolerances, &depth, stack.data(), work.data(), solp.data(), &nsolp,
           soli.data(), &nsoli, noise.data(), &nnoise, &ier);
    EXPECT_TRUE(ier == -1 && nnoise == 1 && noise[0] <= 0.3 && noise[1] >= 0.3) << ier << " " << nnoise;
    // The refinement: a root, and ends of one sign (the line on the trace).
    rec::set_level(3);
    g_coef = {-0.3, 1};
    double x, bracket[2], epsf = 1e-14;
    const double wide[2] = {0, 1}, right[2] = {0.5, 1};
    mrs1i4(eval_canonical, wide, &epsf, &x, bracket, &ier);
    EXPECT_TRUE(ier == 0 && std::fabs(x - 0.3) < 1e-13);
    mrs1i4(eval_canonical, right, &epsf, &x, bracket, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::count(Kind::Debug), 1);
}

TEST_F(Projection, BadInput) {
    const Curve cubic{3, 4, {0, 0, 0, 1, 2, 0, 0, -1, 1, 0.5, 0, 0}};
    // 22 coefficients, dimension 4, NMAX 0: the codes, nothing written past the lists.
    Curve big{2, 22, V(44, 0.1)};
    EXPECT_EQ(nearest_by_pieces(big, {0, 0}).ier, 10);
    EXPECT_EQ(extremal(big, {0, 0}, 1).ier, 1);
    Curve four{4, 3, V(12, 0.5)};
    EXPECT_EQ(nearest_by_pieces(four, {0, 0, 0, 0}).ier, 100);
    EXPECT_EQ(extremal(four, {0, 0, 0, 0}, 1).ier, 2);
    EXPECT_EQ(extremal(cubic, {0, 0, 0}, 1, 0, 1, 1e-9, 0).ier, 2);
    // A zero-length interval is a point; a NaN point ends promptly with a code.
    EXPECT_EQ(extremal(cubic, {1, 1, 1}, 1, 0.5, 0.5).ier, -3);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_GT(nearest_by_pieces(cubic, {nan, 0, 0}).ier, 0);
    EXPECT_GT(extremal(cubic, {nan, 0, 0}, 1).ier, 0);
    // The work areas of mpjpc3 refused one by one: code 10 there, 1 above, nothing left over.
    for (int k = 1; k <= 3; ++k) {
        rec::reset();
        rec::fail_request(k);
        EXPECT_EQ(extremal(cubic, {0.2, 0.3, 0.1}, 1).ier, 1);
        EXPECT_EQ(rec::codes("MPJPC3"), std::vector<int>{10});
        EXPECT_EQ(rec::live_blocks(), 0);
    }
    // The solver routines outside a projection: no curve to read.
    double t = 0.5, f = 1, epsx, epsf;
    int ier;
    const double tint[2] = {0, 1};
    mxptcb(&t, &f, &ier);
    EXPECT_TRUE(ier == 1 && f == 0);
    mxepsi(tint, &epsx, &epsf, &ier);
    EXPECT_EQ(ier, 1);
}

}  // namespace
