// Arc length (mloncv, mcglc1, mloncl, mcglc2) and positioning by length
// (mposcv, mposcl), against adaptive Gauss-Kronrod in long double.
#include <boost/math/quadrature/gauss_kronrod.hpp>
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
using Vec = std::vector<double>;
using ref::LD;

struct Curve {
    int ndim;
    Vec coef;
    int ncoef() const { return static_cast<int>(coef.size()) / ndim; }
};

// |C'(t)| in long double.
LD speed(const Curve& c, LD t) {
    LD n = 0;
    for (int i = 0; i < c.ndim; ++i) {
        LD d = 0;
        for (int j = c.ncoef() - 1; j >= 1; --j) d = d * t + j * static_cast<LD>(c.coef[j * c.ndim + i]);
        n += d * d;
    }
    return std::sqrt(n);
}

// Adaptive Gauss-Kronrod, split at t = 0 where the cusp curve stops.
LD reference_length(const Curve& c, double a, double b) {
    auto f = [&](LD t) { return speed(c, t); };
    auto gk = [&](LD x, LD y) {
        return boost::math::quadrature::gauss_kronrod<LD, 31>::integrate(f, x, y, 15, 1e-16L);
    };
    if ((a < 0 && b > 0) || (a > 0 && b < 0)) return gk(a, 0) + gk(0, b);
    return gk(a, b);
}

double single(const Curve& c, double a, double b, int* ier) {
    int nd = c.ndim, n = c.ncoef();
    double len = -1;
    mloncv(&nd, &nd, &n, c.coef.data(), &a, &b, &len, ier);
    return len;
}

struct Precise { double len = -1, diff = -1; int ier = -99; };
Precise composite(const Curve& c, double a, double b, double eps) {
    int nd = c.ndim, n = c.ncoef();
    Precise p;
    mcglc1(&nd, &nd, &n, c.coef.data(), &a, &b, &eps, &p.len, &p.diff, &p.ier);
    return p;
}

struct Place { double u = -1; int niter = -1, ier = -99; };
Place position(const Curve& c, double ua, double ub, double ratio, double tol, int ndimax = 0) {
    int nd = c.ndim, ld = ndimax ? ndimax : nd, n = c.ncoef();
    double lena = 0.0, lenb = static_cast<double>(reference_length(c, ua, ub));
    Place p;
    mposcv(&ld, &nd, &n, c.coef.data(), &ua, &ub, &lena, &lenb, &ratio, &p.u, &tol, &p.niter, &p.ier);
    return p;
}

Curve random_curve(int ndim, int ncoef, unsigned seed) {
    std::mt19937 g(seed);
    return {ndim, ref::random_values(g, static_cast<std::size_t>(ndim * ncoef), -2.0, 2.0)};
}

const Curve kSegment{3, {1, 2, 3, 2, -3, 6}};             // speed 7
const Curve kCusp{2, {0, 0, 0, 0, 1, 0, 0, 1}};           // (t^2, t^3): speed 0 at t = 0
const Curve kArc{2, {1, 0, 0, 1, -0.5, 0, 0, -1.0 / 6}};  // Taylor cubic of (cos t, sin t)
// Length of the cusp curve over [0, 1]: (13^(3/2) - 8) / 27.
const double kCuspHalf = (std::pow(13.0, 1.5) - 8.0) / 27.0;

TEST_F(Recorded, LengthsAgainstGaussKronrod) {
    struct Case { const char* what; Curve c; double a, b, exact; };
    const Case cases[] = {
        {"segment", kSegment, 0, 1, 7},
        {"segment, reversed", kSegment, 1, -1, -14},
        {"cusp, kink on a sub-interval end", kCusp, -1, 1, 2 * kCuspHalf},
        {"cusp, reversed", kCusp, 1, -1, -2 * kCuspHalf},
        {"arc", kArc, 0, 1, NAN},
        {"2D cubic", random_curve(2, 4, 1), 0, 1, NAN},
        {"3D quintic", random_curve(3, 6, 2), 0, 1, NAN},
        {"3D quintic, reversed", random_curve(3, 6, 2), 0.75, -0.5, NAN},
        {"4D, degree 12", random_curve(4, 13, 3), 0, 1, NAN},
        {"2D, 40 coefficients", random_curve(2, 40, 4), -0.5, 0.5, NAN},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const LD want = std::isnan(k.exact) ? reference_length(k.c, k.a, k.b) : LD(k.exact);
        const double scale = std::fabs(static_cast<double>(want));
        const Precise p = composite(k.c, k.a, k.b, 1e-12 * scale);
        EXPECT_EQ(p.ier, 0);
        EXPECT_NEAR(p.len, static_cast<double>(want), 1e-11 * scale);
        EXPECT_LE(p.diff, 1e-12 * scale);
        // The single rule: signed like the composite, and close to it on these smooth pieces.
        int ier = -1;
        const double fast = single(k.c, k.a, k.b, &ier);
        EXPECT_EQ(ier, 0);
        EXPECT_NEAR(fast, p.len, 0.05 * scale);
        // Reversed bounds give exactly the negative of the single rule.
        EXPECT_EQ(single(k.c, k.b, k.a, &ier), -fast);
    }
    // A segment: exact with every level of the rule; the composite rule agrees at once.
    for (int extra : {0, 3, 8, 40}) {
        Curve seg = kSegment;
        seg.coef.resize(seg.coef.size() + 3 * extra, 0.0);  // zero high coefficients raise the level
        int ier = -1;
        EXPECT_NEAR(single(seg, 0, 1, &ier), 7.0, 1e-14);
        const Precise p = composite(seg, 0, 1, 1e-13);
        EXPECT_TRUE(p.ier == 0 && std::fabs(p.len - 7.0) < 1e-14 && p.diff < 1e-14);
    }
    EXPECT_EQ(rec::count(Kind::Error), 0);
}

TEST_F(Recorded, NodesFetchedOnlyWhenTheLevelChanges) {
    int ier = 0;
    single(random_curve(2, 40, 5), 0, 1, &ier);  // level 10
    rec::set_level(3);                           // vgaus0 now goes through mextrl, which is traced
    for (int ncoef : {1, 2, 3, 4, 7, 8, 11})     // levels 1, 1, 1, 2, 2, 3, 3
        single(random_curve(2, ncoef, 6), 0, 1, &ier);
    EXPECT_EQ(rec::count(Kind::Enter, "MEXTRL"), 3);
    EXPECT_EQ(rec::count(Kind::Enter, "MLONCV"), 0);  // never traced
}

TEST_F(Recorded, CompositeRefinementLimitAndTrace) {
    rec::set_level(2);
    // Tolerance 0 on a curve whose sums never agree to the bit: all 13 refinements.
    const Curve c = random_curve(3, 6, 7);
    Precise p = composite(c, 0, 1, 0.0);
    EXPECT_EQ(p.ier, 1);
    EXPECT_NEAR(p.len, static_cast<double>(reference_length(c, 0, 1)), 1e-12);
    EXPECT_EQ(rec::count(Kind::Debug, "MCGLC1 : SOTTC "), 2048 + 4096);
    EXPECT_EQ(rec::count(Kind::Debug, "          Coefficients no"), 6);
    EXPECT_EQ(rec::count(Kind::Debug, "            C "), 6);
    EXPECT_EQ(rec::count(Kind::Debug, "MCGLC1 : Nb maxi d'iterations depasse"), 1);
    EXPECT_EQ(rec::codes("MCGLC1"), std::vector<int>{1});
    EXPECT_EQ(rec::count(Kind::Enter, "MCGLC1"), 1);
    EXPECT_EQ(rec::count(Kind::Exit, "MCGLC1"), 1);
    rec::reset();
    // The cusp with its kink inside a sub-interval converges slowly: the last but one refinement.
    p = composite(kCusp, -0.5, 1, 1e-9);
    EXPECT_NEAR(p.len, static_cast<double>(reference_length(kCusp, -0.5, 1)), 1e-8);
    EXPECT_TRUE(p.ier == 1 || p.diff <= 1e-9);
}

TEST_F(Recorded, BadInputCodes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Vec coef = kSegment.coef;
    int ier = -1;
    double len = -1, diff = -1, a = 0, b = 1, eps = 1e-10;
    struct Dims { int ndimax, ndim, ncoef, mloncv_code, mcglc1_code; };
    for (const Dims& d : {Dims{3, 0, 2, 1, 3}, Dims{3, 3, 0, 1, 3}, Dims{2, 3, 2, 1, 3}, Dims{3, 3, 1, 0, 0}}) {
        mloncv(&d.ndimax, &d.ndim, &d.ncoef, coef.data(), &a, &b, &len, &ier);
        EXPECT_TRUE(ier == d.mloncv_code && len == 0.0) << d.ndim << " " << d.ncoef;
        mcglc1(&d.ndimax, &d.ndim, &d.ncoef, coef.data(), &a, &b, &eps, &len, &diff, &ier);
        EXPECT_TRUE(ier == d.mcglc1_code && len == 0.0 && diff == 0.0);
    }
    EXPECT_EQ(rec::codes("MLONCV"), (std::vector<int>{1, 1, 1}));
    // Empty interval: 0 at once.
    int three = 3, two = 2;
    mcglc1(&three, &three, &two, coef.data(), &a, &a, &eps, &len, &diff, &ier);
    EXPECT_TRUE(ier == 0 && len == 0.0);
    // A coefficient that is not a number stops the refinement at once.
    Curve bad = random_curve(3, 6, 8);
    bad.coef[7] = nan;
    rec::reset();
    Precise p = composite(bad, 0, 1, 1e-10);
    EXPECT_TRUE(p.ier == 1 && std::isnan(p.len));
    EXPECT_EQ(rec::count(Kind::Debug, "MCGLC1 : SOTTC "), 0);
    EXPECT_EQ(position(kSegment, 0, 1, nan, 1e-9).ier, 2);

    struct Pos { const char* what; Curve c; double ua, ub, ratio; int ndimax, code; };
    const Pos pos[] = {
        {"no coefficients", {3, {}}, 0, 1, 0.5, 0, 1},
        {"ratio above 1", kSegment, 0, 1, 1.5, 0, 2},
        {"ratio below 0", kSegment, 0, 1, -0.1, 0, 2},
        {"empty interval", kSegment, 1, 1, 0.5, 0, 3},
        {"reversed interval", kSegment, 1, 0, 0.5, 0, 3},
        {"interval not a number", kSegment, 0, nan, 0.5, 0, 3},
        {"NDIMAX above NDIM", {2, kArc.coef}, 0, 1, 0.5, 3, 4},
        {"coefficient not a number", bad, 0, 1, 0.5, 0, 5},
    };
    for (const Pos& k : pos) {
        rec::reset();
        int nd = k.c.ndim, ld = k.ndimax ? k.ndimax : nd, n = static_cast<int>(k.c.coef.size()) / nd;
        double lena = 0, lenb = 1, ratio = k.ratio, u = -1, tol = 1e-9;
        int niter = -1;
        mposcv(&ld, &nd, &n, k.c.coef.data(), &k.ua, &k.ub, &lena, &lenb, &ratio, &u, &tol, &niter, &ier);
        EXPECT_EQ(ier, k.code) << k.what;
        EXPECT_EQ(rec::codes("MPOSCV"), std::vector<int>{k.code}) << k.what;
        if (k.code < 5) EXPECT_EQ(u, 0.0) << k.what;
        EXPECT_LE(niter, 40);
    }
}

TEST_F(Recorded, PositioningRoundTrips) {
    // The cusp's kink inside a sub-interval holds the composite rule near
    // 1e-9 (code 1 below that), so it is asked for less.
    struct Case { const char* what; Curve c; double ua, ub, finest; };
    const Case cases[] = {
        {"segment", kSegment, 0, 1, 1e-10},
        {"arc", kArc, -1, 2, 1e-10},
        {"2D cubic", random_curve(2, 4, 9), 0, 1, 1e-10},
        {"3D quintic", random_curve(3, 6, 10), -0.25, 1.5, 1e-10},
        {"cusp inside", kCusp, -1, 0.5, 1e-7},
    };
    for (const Case& k : cases) {
        const double total = static_cast<double>(reference_length(k.c, k.ua, k.ub));
        for (double ratio : {0.0, 0.01, 0.25, 0.5, 0.7, 0.999, 1.0}) {
            SCOPED_TRACE(std::string(k.what) + " at " + std::to_string(ratio));
            for (double tol : {1e-6, k.finest}) {
                rec::reset();
                const Place p = position(k.c, k.ua, k.ub, ratio, tol);
                ASSERT_EQ(p.ier, 0);
                EXPECT_EQ(rec::codes("MPOSCV"), std::vector<int>{0});
                ASSERT_TRUE(p.u >= k.ua && p.u <= k.ub);
                const double got = static_cast<double>(reference_length(k.c, k.ua, p.u));
                EXPECT_NEAR(got, ratio * total, tol + 1e-9 * total);
                EXPECT_LE(p.niter, 40);
            }
        }
    }
    // On a segment of uniform speed the midpoint is found exactly.
    const Place mid = position(kSegment, 2, 4, 0.5, 1e-9);
    EXPECT_TRUE(mid.ier == 0 && std::fabs(mid.u - 3.0) < 1e-12);
}

// A patch and a plane curve, with the composed space curve C(t) = S(u(t), v(t))
// formed here by polynomial arithmetic.
struct OnPatch {
    int ndim, nu, nv;
    Vec surf;   // SURF(NDIM, NU, NV)
    Vec crv2d;  // CRV2D(2, N2)

    int n2() const { return static_cast<int>(crv2d.size()) / 2; }

    Curve composed() const {
        auto mul = [](const Vec& p, const Vec& q) {
            Vec r(p.size() + q.size() - 1, 0.0);
            for (std::size_t i = 0; i < p.size(); ++i)
                for (std::size_t j = 0; j < q.size(); ++j) r[i + j] += p[i] * q[j];
            return r;
        };
        Vec u(n2()), v(n2());
        for (int k = 0; k < n2(); ++k) u[k] = crv2d[2 * k], v[k] = crv2d[2 * k + 1];
        std::vector<Vec> out(ndim);
        Vec upow{1.0};
        for (int i = 0; i < nu; ++i, upow = mul(upow, u)) {
            Vec vpow{1.0};
            for (int j = 0; j < nv; ++j, vpow = mul(vpow, v)) {
                const Vec term = mul(upow, vpow);
                for (int k = 0; k < ndim; ++k) {
                    const double a = surf[(j * nu + i) * ndim + k];
                    if (out[k].size() < term.size()) out[k].resize(term.size(), 0.0);
                    for (std::size_t m = 0; m < term.size(); ++m) out[k][m] += a * term[m];
                }
            }
        }
        std::size_t n = 0;
        for (const Vec& o : out) n = std::max(n, o.size());
        Curve c{ndim, Vec(n * ndim, 0.0)};
        for (int k = 0; k < ndim; ++k)
            for (std::size_t m = 0; m < out[k].size(); ++m) c.coef[m * ndim + k] = out[k][m];
        return c;
    }
};

TEST_F(Recorded, CurvesOnPatchesMatchTheComposedCurve) {
    std::mt19937 g(11);
    const OnPatch cases[] = {
        {3, 2, 2, {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 1}, {0.1, 0.2, 0.8, 0.3}},  // bilinear, a line across
        {3, 3, 3, ref::random_values(g, 27), {0, 0, 1, 0.5, -0.5, 0.25}},       // biquadratic, a parabola
        {2, 4, 2, ref::random_values(g, 16), ref::random_values(g, 8)},         // planar map, a cubic
        {1, 2, 3, ref::random_values(g, 6), ref::random_values(g, 6)},          // a graph of one value
    };
    for (const OnPatch& k : cases) {
        SCOPED_TRACE(std::to_string(k.ndim) + "D patch " + std::to_string(k.nu) + "x" + std::to_string(k.nv));
        const Curve c = k.composed();
        const double want = static_cast<double>(reference_length(c, 0, 1));
        int n2 = k.n2(), ier = -1;
        double a = 0, b = 1, len = -1, diff = -1, eps = 1e-12;
        mcglc2(&n2, k.crv2d.data(), &k.ndim, &k.nu, &k.nv, k.surf.data(), &a, &b, &eps, &len, &diff, &ier);
        EXPECT_EQ(ier, 0);
        EXPECT_NEAR(len, want, 1e-11 * std::fabs(want));
        double fast = -1, back = -1;
        mloncl(&n2, k.crv2d.data(), &k.ndim, &k.nu, &k.nv, k.surf.data(), &a, &b, &fast, &ier);
        EXPECT_EQ(ier, 0);
        mloncl(&n2, k.crv2d.data(), &k.ndim, &k.nu, &k.nv, k.surf.data(), &b, &a, &back, &ier);
        EXPECT_TRUE(back == -fast && std::fabs(fast - want) < 0.05 * want);
        for (double ratio : {0.3, 0.5, 0.95}) {
            double u = -1, tol = 1e-9;
            mposcl(&n2, k.crv2d.data(), &k.ndim, &k.nu, &k.nv, k.surf.data(), &a, &b, &want, &ratio, &tol, &u, &ier);
            EXPECT_EQ(ier, 0);
            EXPECT_NEAR(static_cast<double>(reference_length(c, 0, u)), ratio * want, 2e-9);
        }
    }
    EXPECT_EQ(rec::count(Kind::Error), 0);
}

TEST_F(Recorded, CurvesOnPatchesBadInput) {
    const Vec surf(4 * 2 * 2, 1.0), crv{0, 0, 1, 1};
    int n2 = 2, nu = 2, nv = 2, ier = -1;
    double a = 0, b = 1, len = -1, diff = -1, eps = 1e-9, u = -1, tol = 1e-9, total = 1, half = 0.5;
    struct Case { int n2, ndim, mloncl_code, mcglc2_code, mposcl_code; };
    for (const Case& k : {Case{2, 4, 1, 2, 4}, Case{2, 0, 1, 2, 1}, Case{0, 3, 1, 2, 1}}) {
        rec::reset();
        rec::set_level(3);
        mloncl(&k.n2, crv.data(), &k.ndim, &nu, &nv, surf.data(), &a, &b, &len, &ier);
        EXPECT_TRUE(ier == k.mloncl_code && len == 0.0);
        EXPECT_TRUE(rec::codes("MLONCL").empty());  // traced, never reported
        EXPECT_TRUE(rec::count(Kind::Enter, "MLONCL") == 1 && rec::count(Kind::Exit, "MLONCL") == 1);
        mcglc2(&k.n2, crv.data(), &k.ndim, &nu, &nv, surf.data(), &a, &b, &eps, &len, &diff, &ier);
        EXPECT_EQ(ier, k.mcglc2_code);
        mposcl(&k.n2, crv.data(), &k.ndim, &nu, &nv, surf.data(), &a, &b, &total, &half, &tol, &u, &ier);
        EXPECT_EQ(ier, k.mposcl_code);
        EXPECT_EQ(rec::codes("MPOSCL"), std::vector<int>{k.mposcl_code});
    }
    // Found by fuzzing: moderate coefficients whose speed overflows on the
    // patch (u = v = 1000 t^20 on S = 1000 u^14 v^14, t up to 2) gave a
    // length that is not a number with code 0; now code 1 and LENGTH = 0,
    // and mcglc2 fails with 2.
    {
        int n21 = 21, one = 1, n15 = 15;
        Vec far(2 * 21, 0.0), patch(15 * 15, 0.0);
        far[2 * 20] = far[2 * 20 + 1] = 1000.0;
        patch[15 * 15 - 1] = 1000.0;
        double two = 2.0;
        mloncl(&n21, far.data(), &one, &n15, &n15, patch.data(), &a, &two, &len, &ier);
        EXPECT_TRUE(ier == 1 && len == 0.0) << ier << " " << len;
        mcglc2(&n21, far.data(), &one, &n15, &n15, patch.data(), &a, &two, &eps, &len, &diff, &ier);
        EXPECT_EQ(ier, 2);
    }
    int three = 3;
    for (double r : {-0.5, 2.0}) {
        mposcl(&n2, crv.data(), &three, &nu, &nv, surf.data(), &a, &b, &total, &r, &tol, &u, &ier);
        EXPECT_EQ(ier, 2);
    }
    mposcl(&n2, crv.data(), &three, &nu, &nv, surf.data(), &b, &a, &total, &half, &tol, &u, &ier);
    EXPECT_EQ(ier, 3);
    // Tolerance 0 on the cusp (t^2, t^3) of the plane, kink inside: mcglc2 runs its
    // 10 refinements and says so.
    rec::reset();
    const Vec cusp{0, 0, 0, 0, 1, 0, 0, 1}, plane{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0};
    int n4 = 4;
    double from = -0.3, zero = 0.0;
    mcglc2(&n4, cusp.data(), &three, &nu, &nv, plane.data(), &from, &b, &zero, &len, &diff, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::count(Kind::Debug, "MCGLC2 : Nb maxi d'iterations depasse"), 1);
    EXPECT_EQ(rec::codes("MCGLC2"), std::vector<int>{1});
}

}  // namespace
