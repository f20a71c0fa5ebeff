// Bounds of polynomials and boxes of curves: fine bounds against the true
// extremes, coarse bounds and boxes against dense samples, the fall-back from
// fine to coarse bounds, and the codes.
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
using V = std::vector<double>;

struct Bounds {
    double hi = -7, lo = -7, thi = -7, tlo = -7;
    int ier = -99;
};

Bounds fine(const V& c, double a, double b, double tol) {
    Bounds r;
    int n = static_cast<int>(c.size());
    const double tint[2] = {a, b};
    mbtpnn(&n, c.data(), tint, &tol, &r.hi, &r.lo, &r.ier);
    return r;
}

Bounds fine_at(const V& c, double a, double b, double tol) {
    Bounds r;
    int n = static_cast<int>(c.size());
    const double tint[2] = {a, b};
    mbtpnu(&n, c.data(), tint, &tol, &r.hi, &r.lo, &r.thi, &r.tlo, &r.ier);
    return r;
}

Bounds coarse(const V& c, double a, double b) {
    Bounds r;
    int n = static_cast<int>(c.size());
    const double tint[2] = {a, b};
    mbtpnp(&n, c.data(), tint, &r.hi, &r.lo, &r.ier);
    return r;
}

// Extremes of component I of COEF(ld, n) on [a, b]: dense samples, each
// local extreme among them refined by golden-section search in long double.
std::pair<double, double> sampled(const double* coef, int ld, int n, int i, double a, double b, int count = 4000) {
    using LD = long double;
    auto p = [&](LD t) { return ref::horner(coef, ld, n, i, t); };
    auto at = [&](int k) { return a + (b - a) * static_cast<LD>(k) / count; };
    LD hi = std::max(p(a), p(b)), lo = std::min(p(a), p(b));
    for (int k = 1; k < count; ++k) {
        const LD l = p(at(k - 1)), m = p(at(k)), r = p(at(k + 1));
        for (int sign : {1, -1}) {
            if (!(sign * m >= sign * l && sign * m >= sign * r)) continue;
            LD x0 = at(k - 1), x1 = at(k + 1);
            const LD g = (std::sqrt(5.0L) - 1) / 2;
            for (int it = 0; it < 80; ++it) {
                const LD u = x1 - g * (x1 - x0), v = x0 + g * (x1 - x0);
                if (sign * p(u) > sign * p(v)) x1 = v; else x0 = u;
            }
            const LD e = p((x0 + x1) / 2);
            hi = std::max(hi, e);
            lo = std::min(lo, e);
        }
    }
    return {static_cast<double>(lo), static_cast<double>(hi)};
}

class BoundsTest : public Recorded {};

TEST_F(BoundsTest, EdgeCases) {
    const V t = {0, 1}, hump = {0, 1, -1};
    Bounds r = fine(t, 0, 1, 0.01);
    EXPECT_TRUE(r.ier == 0 && std::fabs(r.lo + 0.01) < 1e-15 && std::fabs(r.hi - 1.01) < 1e-15);
    r = fine_at(t, 0, 1, 0.01);
    EXPECT_TRUE(r.ier == 0 && r.lo == 0 && r.hi == 1 && r.tlo == 0 && r.thi == 1);
    r = fine_at(hump, 0, 1, 0.01);
    EXPECT_TRUE(r.ier == 0 && std::fabs(r.hi - 0.26) < 1e-12 && std::fabs(r.thi - 0.5) < 1e-9 && r.lo == 0 && r.tlo == 0);
    r = fine_at(hump, 1, 0, 0.01);  // the same on the reversed interval
    EXPECT_TRUE(r.ier == 0 && std::fabs(r.hi - 0.26) < 1e-12 && r.lo == 0 && r.tlo == 0);
    r = fine({3.5, 0, 0}, 2, 5, 0.25);  // constant: the flat path
    EXPECT_TRUE(r.ier == 0 && r.lo == 3.25 && r.hi == 3.75);
    r = fine_at({3.5}, 2, 5, 0.25);
    EXPECT_TRUE(r.ier == 0 && r.lo == 3.25 && r.hi == 3.75 && r.thi == 2 && r.tlo == 5);
    r = coarse(hump, 0, 1);
    EXPECT_TRUE(r.ier == 0 && r.lo == 0 && r.hi == 0.5);
    r = coarse({2, -1}, 3, 1);  // 2 - t on [1, 3]
    EXPECT_TRUE(r.ier == 0 && r.lo == -1 && r.hi == 1);

    // Counts out of range: each routine's code, reported; BOX untouched.
    V big(62, 1.0), box(6, 7.0);
    double tint[2] = {0, 1}, tol = 0.01, crit[62];
    int n = 62, twentytwo = 22, three = 3, ncrit, iflat, ier;
    mbtpnm(&n, big.data(), tint, &tol, crit, &ncrit, &iflat, &ier);
    EXPECT_EQ(ier, 3178);
    for (auto* f : {&fine, &fine_at}) EXPECT_EQ(f(big, 0, 1, 0.01).ier, 8888);
    EXPECT_EQ(coarse(big, 0, 1).ier, 8888);
    mbtcb1(&three, &twentytwo, big.data(), &three, tint, &tol, box.data(), &ier);
    EXPECT_EQ(ier, 8888);
    mbtcb2(&three, &twentytwo, big.data(), &three, tint, box.data(), &ier);
    EXPECT_EQ(ier, 8888);
    EXPECT_EQ(box, V(6, 7.0));
    EXPECT_EQ(rec::codes("MBTCB1"), std::vector<int>{8888});
    EXPECT_EQ(rec::codes("MBTPNP"), std::vector<int>{8888});

    // No curve: the empty box.
    int zero = 0, ncmax = 4;
    double boxn[4];
    mbtcbn(&ncmax, &tol, &zero, tint, &n, big.data(), box.data(), boxn, &ier);
    EXPECT_TRUE(ier == 0 && boxn[0] == 1e32 && boxn[1] == 1e32 && boxn[2] == -1e32 && boxn[3] == -1e32);
}

// Random polynomials of degrees 1 to 20 on random intervals: fine bounds
// contain every sample and lie within TOL of the extremes; TMAX and TMIN are
// where they are reached; coarse bounds contain every sample.
TEST_F(BoundsTest, RandomPolynomials) {
    std::mt19937 gen(11);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    const double tol = 1e-6;
    for (int degree = 1; degree <= 20; ++degree)
        for (int rep = 0; rep < 6; ++rep) {
            const V c = ref::random_values(gen, degree + 1);
            double a = u(gen), b = a + 0.2 + (u(gen) + 1);
            if (rep % 3 == 2) std::swap(a, b);
            const int n = degree + 1;
            const auto [lo, hi] = sampled(c.data(), 1, n, 0, std::min(a, b), std::max(a, b));
            const double slack = 1e-7 * std::max(1.0, std::fabs(hi) + std::fabs(lo));  // what the samples may miss
            const std::string what = "degree " + std::to_string(degree) + " rep " + std::to_string(rep);
            const Bounds f = fine(c, a, b, tol), g = fine_at(c, a, b, tol), k = coarse(c, a, b);
            ASSERT_TRUE(f.ier == 0 && g.ier == 0 && k.ier == 0) << what;
            EXPECT_TRUE(f.lo <= lo && f.hi >= hi) << what;
            EXPECT_TRUE(f.lo >= lo - tol - slack && f.hi <= hi + tol + slack) << what << " " << f.hi - hi;
            EXPECT_TRUE(g.lo <= lo + slack && g.hi >= hi - slack && g.lo >= lo - tol - slack && g.hi <= hi + tol + slack) << what;
            const double vhi = static_cast<double>(ref::horner(c.data(), 1, n, 0, g.thi));
            const double vlo = static_cast<double>(ref::horner(c.data(), 1, n, 0, g.tlo));
            EXPECT_TRUE(std::fabs(vhi - g.hi) <= tol * 1.01 && std::fabs(vlo - g.lo) <= tol * 1.01) << what;
            // The end coefficients are the end values up to the rounding of the conversion.
            const double ulps = 1e-14 * n * static_cast<double>(ref::horner(c.data(), 1, n, 0, std::max(std::fabs(a), std::fabs(b)), true));
            EXPECT_TRUE(k.lo <= lo + ulps && k.hi >= hi - ulps) << what << " " << k.lo - lo << " " << k.hi - hi << " " << ulps << " " << a << " " << b << " " << hi;
        }
}

TEST_F(BoundsTest, FallBackToCoarseBounds) {
    const V c = {0.3, -2, 1.5, 4, -3};
    const Bounds want = coarse(c, -1, 0.5);
    // The work area of the root finding refused: the coarse bounds, -10,
    // reported by each routine on the way.
    rec::reset();
    rec::fail_request(1);
    Bounds r = fine(c, -1, 0.5, 1e-6);
    EXPECT_TRUE(r.ier == -10 && r.hi == want.hi && r.lo == want.lo);
    EXPECT_EQ(rec::codes("MBTPNN"), std::vector<int>{-10});
    EXPECT_EQ(rec::codes("MBTPNM"), std::vector<int>{10});
    EXPECT_EQ(rec::codes("MRS1D0"), std::vector<int>{10});
    rec::fail_request(1);
    r = fine_at(c, 0.5, -1, 1e-6);
    EXPECT_TRUE(r.ier == -10 && r.hi == want.hi && r.lo == want.lo && r.thi == 0.5 && r.tlo == -1);
    // A tolerance the root finder refuses, an interval shorter than its resolution.
    EXPECT_EQ(fine(c, -1, 0.5, 0.0).ier, -10);
    EXPECT_EQ(fine(c, 0.2, 0.2 + 1e-7, 1e-6).ier, -10);
    // NaN coefficients end promptly with the same code.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(fine({1, nan, 2}, 0, 1, 1e-6).ier, -10);
    // In a curve: the component's coarse bounds and -10 for the whole curve.
    const V coef = {0, 0, 1, 1, 0, -1, 0, 0};  // (t, t - t^2) as COEF(2, 4)
    double box[4], tint[2] = {0, 1}, tol = 1e-6;
    int two = 2, four = 4, ier;
    rec::reset();
    rec::fail_request(1);  // the second component's (the first has a constant derivative)
    mbtcb1(&two, &four, coef.data(), &two, tint, &tol, box, &ier);
    EXPECT_EQ(ier, -10);
    EXPECT_TRUE(std::fabs(box[0]) < 2e-6 && std::fabs(box[1] - 1) < 2e-6 && box[2] == 0 && std::fabs(box[3] - 1.0 / 3) < 1e-15);
    EXPECT_EQ(rec::codes("MBTCB1"), std::vector<int>{-10});
}

// Boxes of random curves in 2D and 3D, and of sets of planar curves, against
// dense samples.
TEST_F(BoundsTest, CurveBoxes) {
    std::mt19937 gen(3);
    const double tol = 1e-7;
    for (int ndim : {2, 3})
        for (int ncoef : {2, 4, 6, 11, 21}) {
            const int ld = ndim + 1;  // a spare row
            const V coef = ref::random_values(gen, static_cast<std::size_t>(ld) * ncoef);
            double tint[2] = {-0.5, 1.5}, bf[6], bc[6];
            int ier1, ier2;
            mbtcb1(&ld, &ncoef, coef.data(), &ndim, tint, &tol, bf, &ier1);
            mbtcb2(&ld, &ncoef, coef.data(), &ndim, tint, bc, &ier2);
            ASSERT_TRUE(ier1 == 0 && ier2 == 0);
            for (int i = 0; i < ndim; ++i) {
                const auto [lo, hi] = sampled(coef.data(), ld, ncoef, i, -0.5, 1.5);
                EXPECT_TRUE(bf[2 * i] <= lo && bf[2 * i + 1] >= hi && bf[2 * i] >= lo - 2 * tol - 1e-7 &&
                            bf[2 * i + 1] <= hi + 2 * tol + 1e-7) << ndim << " " << ncoef << " " << i << ": " << bf[2 * i] - lo << " " << bf[2 * i + 1] - hi;
                const double ulps = 1e-14 * ncoef * static_cast<double>(ref::horner(coef.data(), ld, ncoef, i, 1.5, true));
                EXPECT_TRUE(bc[2 * i] <= lo + ulps && bc[2 * i + 1] >= hi - ulps);
            }
        }
    // A set of planar curves on their own intervals: each row of BOXES and the set's box.
    const int ncurv = 4, ncmax = 8;
    const int ncoefs[ncurv] = {3, 8, 5, 2};
    const V coefs = ref::random_values(gen, 2 * ncmax * ncurv);
    const double tints[2 * ncurv] = {0, 1, -1, 1, 2, 0.5, 0.25, 0.75};
    double boxes[6 * ncurv], box[4], tol2 = 1e-8;
    int n = ncurv, ier;
    mbtcbn(&ncmax, &tol2, &n, tints, ncoefs, coefs.data(), boxes, box, &ier);
    ASSERT_EQ(ier, 0);
    double all[4] = {HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (int i = 0; i < ncurv; ++i) {
        const double* c = coefs.data() + 2 * ncmax * i;
        const double a = std::min(tints[2 * i], tints[2 * i + 1]), b = std::max(tints[2 * i], tints[2 * i + 1]);
        const auto [xlo, xhi] = sampled(c, 2, ncoefs[i], 0, a, b);
        const auto [ylo, yhi] = sampled(c, 2, ncoefs[i], 1, a, b);
        const double* row = boxes + 6 * i;
        EXPECT_TRUE(row[0] <= xlo && row[1] <= ylo && row[0] + row[2] >= xhi && row[1] + row[5] >= yhi) << i;
        EXPECT_TRUE(row[3] == 0 && row[4] == 0 && row[0] > xlo - 1e-6 && row[0] + row[2] < xhi + 1e-6) << i;
        all[0] = std::min(all[0], xlo);
        all[1] = std::min(all[1], ylo);
        all[2] = std::max(all[2], xhi);
        all[3] = std::max(all[3], yhi);
    }
    EXPECT_TRUE(box[0] <= all[0] && box[1] <= all[1] && box[2] >= all[2] && box[3] >= all[3]);
    EXPECT_TRUE(box[0] > all[0] - 1e-6 && box[3] < all[3] + 1e-6);

    // The third curve too long for its slab: code 1, the line on the print
    // unit, the first two boxes kept.
    const int bad[ncurv] = {3, 8, 9, 2};
    rec::reset();
    rec::set_level(1);
    double boxes2[6 * ncurv], box2[4];
    mbtcbn(&ncmax, &tol2, &n, tints, bad, coefs.data(), boxes2, box2, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::print_output(), " Probleme issu de MBTCB1.\n");
    EXPECT_TRUE(std::equal(boxes2, boxes2 + 12, boxes));
    EXPECT_EQ(rec::codes("MBTCBN"), std::vector<int>{1});
}

}  // namespace
