// Line/curve intersection (uadtcv through umcvcv and directly) and space
// curves (ur3dcv, un3dcv, ua3dcv, ufddir, upjcrb).
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/support/crossings.hpp"
#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using testing_support::Recorded;
using namespace crossings;

// The scene turned by ANGLE about the origin and moved by (DX, DY).
Vec moved(const Vec& c, double angle, double dx, double dy) {
    Vec r(c.size());
    const double co = std::cos(angle), si = std::sin(angle);
    for (std::size_t k = 0; k < c.size(); k += 2) {
        r[k] = co * c[k] - si * c[k + 1];
        r[k + 1] = si * c[k] + co * c[k + 1];
    }
    r[0] += dx;
    r[1] += dy;
    return r;
}

// The graph of k prod(x - r) crosses the segment (-0.5 + 2t, 0) at t = (r + 0.5)/2.
TEST_F(Recorded, SegmentThroughChosenPoints) {
    const std::vector<Vec> cases = {{0.5}, {0.0, 1.0}, {0.1, 0.45, 0.8}, {0.05, 0.3, 0.55, 0.8, 0.95}};
    for (const Vec& roots : cases) {
        for (double angle : {0.0, 0.7, -2.0}) {
            const Vec seg = moved({-0.5, 0, 2, 0}, angle, 0.3, -1.2);
            const Vec cv = moved(planar({0, 1}, ref::from_roots(roots, 3.0)), angle, 0.3, -1.2);
            Vec want;
            for (double r : roots) {
                want.push_back((r + 0.5) / 2);
                want.push_back(r);
            }
            expect_pairs(intersect(2, seg, {0, 1}, cv, {0, 1}), want, 1e-10, "segment first");
            // The segment second: pairs swapped back and sorted on the curve's parameter.
            Vec swapped;
            for (std::size_t k = 0; k < want.size(); k += 2) {
                swapped.push_back(want[k + 1]);
                swapped.push_back(want[k]);
            }
            expect_pairs(intersect(2, cv, {1, 0}, seg, {1, 0}), swapped, 1e-10, "segment second");
        }
    }
}

TEST_F(Recorded, SegmentContactsAndCodes) {
    const Vec parabola = planar({0, 1}, compose({0, 0, 1}, {-0.5, 1}));  // (t, (t - 0.5)^2)
    // Tangent segment: one pair near the contact.
    Result r = intersect(2, {-1, 0, 3, 0}, {0, 1}, parabola, {0, 1});
    ASSERT_EQ(r.nsol, 1);
    EXPECT_NEAR(r.sol[0], 0.5, 1e-6);
    EXPECT_NEAR(r.sol[1], 0.5, 1e-6);
    // A segment starting on the curve, transversal: (0, 0.3).
    r = intersect(2, {0.3, 0.04, 0, 1}, {0, 1}, parabola, {0, 1});
    ASSERT_EQ(r.nsol, 1);
    EXPECT_NEAR(r.sol[0], 0.0, 1e-12);
    EXPECT_NEAR(r.sol[1], 0.3, 1e-12);
    // A direction below the mveps3 tolerance: 146 at uadtcv, 3 through umcvcv.
    r = intersect(2, {0.5, 0, 1e-15, 0}, {0, 1}, parabola, {0, 1});
    EXPECT_EQ(r.ier, 3);
    // A zero-length interval of the segment: 145 at uadtcv, 2 through umcvcv.
    r = intersect(2, {-1, 0, 3, 0}, {0.5, 0.5}, parabola, {0, 1});
    EXPECT_EQ(r.ier, 2);
    // The same codes and traces at uadtcv itself.
    rec::reset();
    rec::set_level(2);
    const double seg[4] = {-1, 0, 3, 0}, zero[4] = {0, 0, 0, 0};
    double polyst[84], sol[20];
    const int n = 3, nlev = 1, nmax = 10;
    const double eps = 1e-6, a = 0, b = 1, half = 0.5;
    int nsol = -1, ier = -1;
    uadtcv(zero, &a, &b, &n, parabola.data(), &a, &b, polyst, &nlev, &eps, &nmax, &nsol, sol, &ier);
    EXPECT_EQ(ier, 146);
    uadtcv(seg, &half, &half, &n, parabola.data(), &a, &b, polyst, &nlev, &eps, &nmax, &nsol, sol, &ier);
    EXPECT_EQ(ier, 145);
    EXPECT_EQ(rec::codes("UADTCV"), (std::vector<int>{146, 145}));
    EXPECT_EQ(rec::count(Kind::Enter, "UADTCV"), 2);
    EXPECT_EQ(rec::count(Kind::Exit, "UADTCV"), 2);
    // A full list: -10, reported as well.
    const Vec w = planar({0, 1}, ref::from_roots({0.2, 0.6}, 2.0));
    const int n2 = 3, one = 1;
    uadtcv(seg, &a, &b, &n2, w.data(), &a, &b, polyst, &nlev, &eps, &one, &nsol, sol, &ier);
    EXPECT_TRUE(ier == -10 && nsol == 1);
    EXPECT_EQ(rec::codes("UADTCV").back(), -10);
}

// One stored level, or none, gives the same pairs as the full storage.
TEST_F(Recorded, SegmentLevelsOfStorage) {
    std::mt19937 gen(5);
    for (int trial = 0; trial < 20; ++trial) {
        const Vec cv = random_bezier(gen, 6);
        const Vec sv = ref::random_values(gen, 4);
        const double seg[4] = {sv[0], sv[1], sv[2], sv[3]};
        const double a = 0, b = 1, eps = 1e-6;
        const int n = 6, nmax = 20;
        std::vector<Vec> found;
        for (int nlev : {31, 1, 0}) {
            Vec polyst(84 * 31), sol(2 * nmax);
            int nsol = 0, ier = 0;
            uadtcv(seg, &a, &b, &n, cv.data(), &a, &b, polyst.data(), &nlev, &eps, &nmax, &nsol, sol.data(), &ier);
            ASSERT_EQ(ier, 0);
            sol.resize(2 * nsol);
            for (int k = 0; k < nsol; ++k) EXPECT_LT(dist(2, Vec(seg, seg + 4), sol[2 * k], cv, sol[2 * k + 1]), 1e-9);
            found.push_back(sol);
        }
        EXPECT_EQ(found[0], found[1]);
        EXPECT_EQ(found[0], found[2]);
    }
}

TEST_F(Recorded, SpaceCurvesMeetWhereTheirPointsCoincide) {
    const Vec roots = {0.1, 0.4, 0.9};
    for (const Vec& rot : {rotation(0, 0), rotation(0.3, 0.7), rotation(-1.1, 2.0)}) {
        const Known kc = known_space_crossings(roots, rot);
        Result r = intersect(3, kc.c1, {0, 1}, kc.c2, {1, 0});
        EXPECT_EQ(r.ier, 0);
        expect_pairs(r, kc.pairs, 1e-10, "space");
        for (int k = 0; k < r.nsol; ++k) EXPECT_LT(dist(3, kc.c1, r.sol[2 * k], kc.c2, r.sol[2 * k + 1]), 1e-9);
        // Raised by 0.1: the projections still cross, the curves do not meet.
        const Known skew = known_space_crossings(roots, rot, 0.1);
        r = intersect(3, skew.c1, {0, 1}, skew.c2, {0, 1});
        EXPECT_TRUE(r.ier == 0 && r.nsol == 0);
        // Option 2 from near the middle crossing.
        r = intersect(3, kc.c1, {0, 1}, kc.c2, {0, 1}, 2, 1, {0.42, 0.5});
        ASSERT_EQ(r.nsol, 1);
        EXPECT_NEAR(r.sol[0], kc.pairs[2], 1e-10);
        EXPECT_NEAR(r.sol[1], kc.pairs[3], 1e-10);
    }
}

// A planar pair placed in a turned plane (no coordinate plane): found in
// projection, with the planar pairs.
TEST_F(Recorded, CoplanarSpaceCurves) {
    const Known kc = known_crossings({0.15, 0.5, 0.85});
    const Vec rot = rotation(0.9, -0.4);
    const auto lift = [&](const Vec& c) {
        Vec x, y;
        for (std::size_t k = 0; k < c.size(); k += 2) {
            x.push_back(c[k]);
            y.push_back(c[k + 1]);
        }
        Vec z(x.size(), 0.0);
        z[0] = 0.25;
        return space(x, y, z, rot.data());
    };
    expect_pairs(intersect(3, lift(kc.c1), {0, 1}, lift(kc.c2), {0, 1}), kc.pairs, 1e-10, "coplanar");
}

TEST_F(Recorded, SpaceCurvesInACoordinatePlane) {
    const Known kc = known_crossings({0.2, 0.7});
    // The planar pair placed in z = 5, then in x = -2 (as (y, z)).
    for (int axis : {3, 1}) {
        Vec c1, c2;
        const auto lift = [axis](const Vec& c) {
            Vec out;
            for (std::size_t k = 0; k < c.size(); k += 2) {
                const double fill = k == 0 ? (axis == 3 ? 5.0 : -2.0) : 0.0;
                if (axis == 1) out.insert(out.end(), {fill, c[k], c[k + 1]});
                else out.insert(out.end(), {c[k], c[k + 1], fill});
            }
            return out;
        };
        c1 = lift(kc.c1);
        c2 = lift(kc.c2);
        expect_pairs(intersect(3, c1, {0, 1}, c2, {0, 1}), kc.pairs, 1e-10, "coordinate plane");
        const Result r = intersect(3, c1, {0, 1}, c2, {0, 1}, 2, 1, {0.25, 0.3});
        ASSERT_EQ(r.nsol, 1);
        EXPECT_NEAR(r.sol[0], 0.2, 1e-10);
    }
    // Identical space curves, and a point.
    const Known sp = known_space_crossings({0.5}, rotation(0.3, 0.7));
    EXPECT_EQ(intersect(3, sp.c1, {0, 1}, sp.c1, {0, 1}).ier, -1);
    EXPECT_EQ(intersect(3, {1, 2, 3, 0, 0, 0}, {0, 1}, sp.c1, {0, 1}).ier, 2);
}

TEST_F(Recorded, ProjectionPlaneHelpers) {
    // Principal direction of points along (1, 2, 2)/3 with a small spread.
    const double poly[12] = {0, 0, 0, 1, 2, 2.01, 2, 4, 4, 3, 6, 5.99};
    double centre[3], dir[3];
    const int three = 3, four = 4;
    ufddir(&three, &four, poly, centre, dir);
    EXPECT_NEAR(centre[0], 1.5, 1e-15);
    EXPECT_NEAR(centre[1], 3.0, 1e-15);
    EXPECT_NEAR(std::fabs(dir[0] + 2 * dir[1] + 2 * dir[2]) / 3, 1.0, 1e-5);
    // upjcrb: dot products with the two frame vectors.
    const double frame[6] = {1, 0, 0, 0, 0.6, 0.8}, c3[6] = {1, 2, 3, -1, 5, 10};
    double c2[4];
    const int two = 2;
    upjcrb(frame, &two, c3, c2);
    EXPECT_EQ(Vec(c2, c2 + 4), (Vec{1, 0.6 * 2 + 0.8 * 3, -1, 0.6 * 5 + 0.8 * 10}));
    // Parallel principal directions: the normal falls back to the line of the centres.
    const Vec c1 = {0, -0.2 / 3, 0, 1, 0, 0, 0, 0.2, 0}, cz = {0, 0, -0.2 / 3, 1, 0, 0, 0, 0, 0.2};
    const Result r = intersect(3, c1, {-1, 1}, cz, {-1, 1});
    ASSERT_EQ(r.nsol, 2);
    EXPECT_NEAR(r.sol[0], -1 / std::sqrt(3.0), 1e-10);
    EXPECT_NEAR(r.sol[2], 1 / std::sqrt(3.0), 1e-10);
}

}  // namespace
