// Normal segments between two curves (lnn2cv) and the scalar product of
// vector polynomials (scavct), on curve pairs whose normals are known.
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using rec::Kind;
using testing_support::Recorded;
using Vec = std::vector<double>;

struct Normals { int ier = -99, nsol = -1; Vec sol, seg; };
Normals normals(int ndim, const Vec& c1, const Vec& c2, Vec p1 = {}, Vec p2 = {}) {
    int n1 = static_cast<int>(c1.size()) / ndim, n2 = static_cast<int>(c2.size()) / ndim;
    if (p1.empty()) p1.assign(ndim, 0.0);
    if (p2.empty()) p2.assign(ndim, 0.0);
    Normals r;
    r.sol.assign(102, -9);
    r.seg.assign(2 * ndim, -9);
    lnn2cv(&ndim, &n1, c1.data(), &n2, c2.data(), p1.data(), p2.data(), &r.nsol, r.sol.data(), r.seg.data(), &r.ier);
    r.sol.resize(2 * std::max(r.nsol, 0));
    return r;
}

// (C1(u) - C2(v)) . C1'(u) and . C2'(v), in long double.
std::pair<double, double> residuals(int ndim, const Vec& c1, const Vec& c2, double u, double v) {
    const int n1 = static_cast<int>(c1.size()) / ndim, n2 = static_cast<int>(c2.size()) / ndim;
    long double f = 0, g = 0;
    for (int i = 0; i < ndim; ++i) {
        long double d1 = 0, d2 = 0;
        for (int j = n1 - 1; j >= 1; --j) d1 = d1 * u + j * static_cast<long double>(c1[j * ndim + i]);
        for (int j = n2 - 1; j >= 1; --j) d2 = d2 * v + j * static_cast<long double>(c2[j * ndim + i]);
        const long double w = ref::horner(c1.data(), ndim, n1, i, u) - ref::horner(c2.data(), ndim, n2, i, v);
        f += w * d1;
        g += w * d2;
    }
    return {static_cast<double>(f), static_cast<double>(g)};
}

TEST_F(Recorded, NormalsKnownInClosedForm) {
    struct Case { const char* what; int ndim; Vec c1, c2; int ier; Vec pair; };
    const Case cases[] = {
        // y = -1 against y = x^2 on x in [-1, 1]: the vertical through the vertex.
        {"line and parabola", 2, {-1, -1, 2, 0}, {-1, 1, 2, -4, 0, 4}, 0, {0.5, 0.5}},
        // Skew lines in space: their common perpendicular.
        {"skew lines", 3, {-1, 0, 0, 2, 0, 0}, {0, -1, 1, 0, 2, 0}, 0, {0.5, 0.5}},
        // Perpendicular lines crossing: only the crossing, a segment of no length.
        {"crossing lines", 2, {0, 0, 1, 1}, {0, 1, 1, -1}, -1, {0.5, 0.5}},
        // A quarter of a parabola and a line it crosses at (0.5, 0.25).
        {"parabola through a line", 2, {0, 0, 1, 0, 0, 1}, {0, 0.5, 1, -0.5}, -1, {0.5, 0.5}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        rec::reset();
        const Normals r = normals(k.ndim, k.c1, k.c2, Vec(k.ndim, 0.0), Vec(k.ndim, 0.0));
        EXPECT_EQ(r.ier, k.ier);
        EXPECT_EQ(rec::codes("LNN2CV"), std::vector<int>{k.ier});
        bool found = false;
        for (int n = 0; n < r.nsol; ++n) {
            const auto [f, g] = residuals(k.ndim, k.c1, k.c2, r.sol[2 * n], r.sol[2 * n + 1]);
            EXPECT_LT(std::fabs(f) + std::fabs(g), 1e-8);
            found |= std::fabs(r.sol[2 * n] - k.pair[0]) < 1e-8 && std::fabs(r.sol[2 * n + 1] - k.pair[1]) < 1e-8;
        }
        EXPECT_TRUE(found);
    }
    // Random cubic pairs: every pair kept satisfies both equations; the segment joins its ends.
    std::mt19937 g(4);
    for (int trial = 0; trial < 5; ++trial) {
        const Vec c1 = ref::random_values(g, 8), c2 = ref::random_values(g, 8);
        const Normals r = normals(2, c1, c2);
        EXPECT_TRUE(r.ier == 0 || r.ier == -1) << r.ier;
        for (int n = 0; n < r.nsol; ++n) {
            const double u = r.sol[2 * n], v = r.sol[2 * n + 1];
            EXPECT_TRUE(u >= 0 && u <= 1 && v >= 0 && v <= 1);
            const auto [f, gg] = residuals(2, c1, c2, u, v);
            EXPECT_LT(std::fabs(f) + std::fabs(gg), 1e-7);
        }
    }
}

TEST_F(Recorded, FamiliesChoiceAndBadInput) {
    // Parallel segments: a family of normals, an unresolved box whose centre is kept.
    Normals r = normals(2, {0, 0, 1, 0}, {0, 1, 1, 0});
    EXPECT_EQ(r.ier, 2);
    ASSERT_GE(r.nsol, 1);
    const double u = r.sol[2 * (r.nsol - 1)], v = r.sol[2 * (r.nsol - 1) + 1];
    EXPECT_NEAR(u, v, 1e-3);
    // Two nearly identical parabolas in space, EPSPB = -inf (every box passes
    // the uniqueness test) and EPSNR = 1e-300: the solver's boxes near the
    // family of near-normals each ran a failing Newton iteration and were
    // split again, two million boxes before the list came back empty (found
    // by fuzzing: 2 s per call, 25 s under the sanitizers). The solver's work
    // bound now ends it on an unresolved box.
    {
        testing_support::Tolerances t;
        t.eps1 = 1e-6;
        t.epsnr = 1e-300;
        t.nitnr = 20;
        t.epspb = -std::numeric_limits<double>::infinity();
        testing_support::fill_block(t);
        const double a = 0.765625, b = 0.7578125;
        rec::reset();
        r = normals(3, {a, a, a, a, b, b, b, b, b}, {b, a, a, a, a, b, b, b, b});
        EXPECT_EQ(r.ier, 2);
        EXPECT_EQ(r.nsol, 1);
        EXPECT_EQ(rec::codes("MRS2D0"), std::vector<int>{-13});
        testing_support::fill_block();
    }
    // Two normals between a parabola and a line above it: the choice follows the reference points.
    const Vec par = {-1, 1, 2, -4, 0, 4}, line = {-1, 2, 2, 0};  // y = x^2 and y = 2
    for (double side : {-1.0, 1.0}) {
        r = normals(2, par, line, {side, 1}, {side, 2});
        EXPECT_TRUE(r.ier == 0 && r.nsol >= 1);
        EXPECT_NEAR(r.seg[2], 0.0, 1e-8);  // the chosen normal is vertical
    }
    // Counts.
    int ndim = 4, n = 2, nsol = -1, ier = 0;
    double c[8] = {}, p[4] = {}, sol[102], seg[8];
    lnn2cv(&ndim, &n, c, &n, c, p, p, &nsol, sol, seg, &ier);
    EXPECT_EQ(ier, 3);
    ndim = 2;
    int n22 = 22;
    Vec big(44, 0.0);
    lnn2cv(&ndim, &n22, big.data(), &n, c, p, p, &nsol, sol, seg, &ier);
    EXPECT_EQ(ier, 3);
}

TEST_F(Recorded, ScalarProducts) {
    // (1 + t, 2t) . (1, 2) = 1 + 5t; counts out of range are refused.
    const Vec a = {1, 0, 1, 2}, b = {1, 2};
    int ndim = 2, na = 2, nb = 1, nout = 0, ier = -1;
    double out[4] = {-9, -9, -9, -9};
    scavct(&ndim, &na, a.data(), &nb, b.data(), &nout, out, &ier);
    EXPECT_TRUE(ier == 0 && nout == 2 && out[0] == 1 && out[1] == 5);
    na = 62;
    scavct(&ndim, &na, a.data(), &nb, b.data(), &nout, out, &ier);
    EXPECT_EQ(ier, 1);
}

}  // namespace
