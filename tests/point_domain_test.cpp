// Point-in-domain classification (siepf1, siepfb, siepfc, sbtid1, sindd1)
// and the segment and distance helpers (lnpvdl, lnptpt, dsptpt). Verdicts
// are checked against an even-odd count on a dense polyline of the boundary
// (away from it) and against the distance to that polyline (near it).
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using testing_support::Recorded;
using Vec = std::vector<double>;

constexpr int kNcmax = 4;

// A boundary of planar curves on [0, 1], each given by its Bezier points
// (2 to 4), in the layout siepf1 reads.
struct Domain {
    int ncurve = 0;
    Vec coefs, intervals, boxes;
    std::vector<int> ncoef;

    void add(const std::vector<std::array<double, 2>>& bez) {
        const int n = static_cast<int>(bez.size());
        // Canonical coefficients of the Bezier curve: sum_k b_k C(n-1,k) t^k (1-t)^(n-1-k).
        Vec c(2 * kNcmax, 0.0);
        for (int k = 0; k < n; ++k)
            for (int j = k; j < n; ++j) {
                const double w = binom(n - 1, k) * binom(n - 1 - k, j - k) * (((j - k) % 2) ? -1.0 : 1.0);
                c[2 * j] += w * bez[k][0];
                c[2 * j + 1] += w * bez[k][1];
            }
        coefs.insert(coefs.end(), c.begin(), c.end());
        ncoef.push_back(n);
        intervals.insert(intervals.end(), {0.0, 1.0});
        double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
        for (auto& b : bez) x0 = std::min(x0, b[0]), x1 = std::max(x1, b[0]), y0 = std::min(y0, b[1]), y1 = std::max(y1, b[1]);
        boxes.insert(boxes.end(), {x0, y0, x1 - x0, 0.0, 0.0, y1 - y0});
        ++ncurve;
    }
    static double binom(int n, int k) { return std::round(std::tgamma(n + 1.0) / std::tgamma(k + 1.0) / std::tgamma(n - k + 1.0)); }

    std::array<double, 2> point(int i, double t) const {
        std::array<double, 2> p{0, 0};
        for (int j = ncoef[i] - 1; j >= 0; --j)
            for (int d = 0; d < 2; ++d) p[d] = p[d] * t + coefs[(i * kNcmax + j) * 2 + d];
        return p;
    }
    // The boundary as closed polylines of N segments per curve.
    std::vector<std::array<double, 4>> polyline(int n = 2000) const {
        std::vector<std::array<double, 4>> segs;
        for (int i = 0; i < ncurve; ++i)
            for (int k = 0; k < n; ++k) {
                auto a = point(i, double(k) / n), b = point(i, double(k + 1) / n);
                segs.push_back({a[0], a[1], b[0], b[1]});
            }
        return segs;
    }
};

// Even-odd count of a horizontal ray, and the distance to the polyline.
int parity(const std::vector<std::array<double, 4>>& segs, double x, double y) {
    int c = 0;
    for (auto& s : segs)
        if ((s[1] > y) != (s[3] > y) && x < s[0] + (y - s[1]) * (s[2] - s[0]) / (s[3] - s[1])) ++c;
    return c % 2 ? 1 : -1;
}
double distance(const std::vector<std::array<double, 4>>& segs, double x, double y) {
    double best = 1e300;
    for (auto& s : segs) {
        const double dx = s[2] - s[0], dy = s[3] - s[1], l2 = dx * dx + dy * dy;
        const double t = l2 > 0 ? std::clamp(((x - s[0]) * dx + (y - s[1]) * dy) / l2, 0.0, 1.0) : 0.0;
        best = std::min(best, std::hypot(x - s[0] - t * dx, y - s[1] - t * dy));
    }
    return best;
}

struct Verdicts { int ier = -99; std::vector<int> result; };
Verdicts classify(const Domain& d, const Vec& pts, double tolrel = 1e-6) {
    int ncmax = kNcmax, ldpt = 2, np = static_cast<int>(pts.size()) / 2;
    Verdicts v;
    v.result.assign(static_cast<std::size_t>(np), -99);
    siepf1(&ncmax, &d.ncurve, d.coefs.data(), d.intervals.data(), d.ncoef.data(), d.boxes.data(), &ldpt, &np,
           pts.data(), &tolrel, v.result.data(), &v.ier);
    return v;
}

Domain square() {
    Domain d;
    d.add({{0, 0}, {1, 0}});
    d.add({{1, 0}, {1, 1}});
    d.add({{1, 1}, {0, 1}});
    d.add({{0, 1}, {0, 0}});
    return d;
}
Domain curved_quad() {
    Domain d;
    d.add({{0, 0}, {0.4, -0.3}, {0.8, 0.2}, {1.2, 0}});
    d.add({{1.2, 0}, {1.5, 0.4}, {0.9, 0.7}, {1.1, 1.1}});
    d.add({{1.1, 1.1}, {0.7, 1.4}, {0.3, 0.6}, {-0.1, 1}});
    d.add({{-0.1, 1}, {0.2, 0.7}, {-0.3, 0.3}, {0, 0}});
    return d;
}
// A ring: the curved quadrilateral with an inner diamond of cubics, run either way.
Domain ring(bool reversed) {
    Domain d = curved_quad();
    std::vector<std::array<double, 2>> c = {{0.55, 0.3}, {0.8, 0.55}, {0.55, 0.8}, {0.3, 0.55}};
    for (int k = 0; k < 4; ++k) {
        auto a = c[k], b = c[(k + 1) % 4];
        if (reversed) std::swap(a, b);
        d.add({a, {a[0] + 0.3 * (b[0] - a[0]) + 0.05, a[1] + 0.3 * (b[1] - a[1])}, {a[0] + 0.7 * (b[0] - a[0]), a[1] + 0.7 * (b[1] - a[1]) - 0.05}, b});
    }
    return d;
}
// Two curves tangent at the origin: a cusp-like corner of angle zero.
Domain horn() {
    Domain d;
    d.add({{0, 0}, {0.5, 0}, {1, 1}});                  // y = x^2
    d.add({{1, 1}, {2.0 / 3, 1.0 / 3}, {1.0 / 3, 0}, {0, 0}});  // y = x^3, backwards
    return d;
}

TEST_F(Recorded, VerdictsAgainstParityAndDistance) {
    struct Case { const char* what; Domain d; };
    const Case cases[] = {{"square", square()}, {"curved quadrilateral", curved_quad()},
                          {"ring, inner loop reversed", ring(true)}, {"ring, inner loop same way", ring(false)},
                          {"horn", horn()}};
    std::mt19937 g(5);
    std::uniform_real_distribution<double> u(-0.4, 1.6);
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const auto segs = k.d.polyline();
        Vec pts;
        // Random points away from the boundary, plus points on it (curve points).
        while (pts.size() < 2 * 300) {
            const double x = u(g), y = u(g);
            if (distance(segs, x, y) > 1e-4) pts.insert(pts.end(), {x, y});
        }
        for (int i = 0; i < k.d.ncurve; ++i)
            for (double t : {0.137, 0.5, 0.803}) {
                auto p = k.d.point(i, t);
                pts.insert(pts.end(), {p[0], p[1]});
            }
        const Verdicts v = classify(k.d, pts);
        ASSERT_EQ(v.ier, 0);
        for (std::size_t n = 0; n < v.result.size(); ++n) {
            const double x = pts[2 * n], y = pts[2 * n + 1];
            const int want = n < 300 ? parity(segs, x, y) : 0;
            EXPECT_EQ(v.result[n], want) << "point " << n << " (" << x << ", " << y << ")";
        }
    }
}

TEST_F(Recorded, JunctionsCornersAndNearPoints) {
    const Domain sq = square();
    const double a = M_PI / 180;
    // The ray at 1 degree runs through the corner (1, 1): the ray turns, the verdict holds.
    rec::set_level(1);
    Verdicts v = classify(sq, {1 - 0.5 * std::cos(a), 1 - 0.5 * std::sin(a)});
    EXPECT_TRUE(v.ier == 0 && v.result[0] == 1);
    EXPECT_GE(rec::count(Kind::Debug, "SIEPFC : Intersection trouve trop proche du bord"), 1);
    EXPECT_EQ(rec::count(Kind::Debug, "SIEPF1 : point dans domaine, No "), 1);
    // Corners and edges are on the boundary; points just off them are not.
    v = classify(sq, {0, 0, 1, 1, 0.5, 0, 1, 0.25, 0.5, 1e-6, 0.5, -1e-6, 1 + 1e-6, 0.5, 100, 100, -50, 0.5});
    EXPECT_EQ(v.result, (std::vector<int>{0, 0, 0, 0, 1, -1, -1, -1, -1}));
    // Near the junction of two cubics and in the sharp corner of the horn.
    const Domain quad = curved_quad(), h = horn();
    const auto qs = quad.polyline(), hs = h.polyline();
    for (double e : {1e-3, -1e-3}) {
        v = classify(quad, {1.2 + e, e});
        EXPECT_EQ(v.result[0], parity(qs, 1.2 + e, e));
        v = classify(h, {0.05, 0.05 * 0.05 * (1 + e * 100)});
        EXPECT_EQ(v.result[0], parity(hs, 0.05, 0.05 * 0.05 * (1 + e * 100)));
    }
    rec::reset();
    // siepfb on the boundary reports -1.
    int ncmax = kNcmax, result = -99, ier = -99;
    double radius = 10, p[2] = {0.5, 1}, tolrel = 1e-6;
    siepfb(&ncmax, &sq.ncurve, sq.ncoef.data(), sq.coefs.data(), sq.intervals.data(), sq.boxes.data(), &radius, p,
           &tolrel, &result, &ier);
    EXPECT_TRUE(result == 0 && ier == -1 && rec::codes("SIEPFB") == std::vector<int>{-1});
}

TEST_F(Recorded, BadInput) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    Domain sq = square();
    // No points: RESULT untouched.
    Verdicts v = classify(sq, {});
    EXPECT_EQ(v.ier, 0);
    // Counts.
    Domain none;
    EXPECT_EQ(classify(none, {0.5, 0.5}).ier, 2);
    Domain big = sq;
    big.ncoef[1] = 5;  // above NCMAX
    EXPECT_EQ(classify(big, {0.5, 0.5}).ier, 2);
    // An open boundary: one side missing, or a side moved off its neighbours.
    Domain open = square();
    open.ncurve = 3;
    EXPECT_EQ(classify(open, {0.5, 0.5}).ier, 3);
    Domain gap = square();
    gap.coefs[2 * kNcmax * 2] += 1e-6;
    v = classify(gap, {0.5, 0.5});
    EXPECT_TRUE(v.ier == 3 && v.result[0] == -99);
    Domain bad = square();
    bad.coefs[1] = nan;
    EXPECT_EQ(classify(bad, {0.5, 0.5}).ier, 3);
    // A point that is not a number stops the list there.
    rec::reset();
    v = classify(sq, {0.5, 0.5, nan, 0.5, 0.2, 0.2});
    EXPECT_EQ(v.ier, 1);
    EXPECT_EQ(v.result, (std::vector<int>{1, 10, -99}));
    EXPECT_EQ(rec::codes("SIEPF1"), std::vector<int>{1});
    EXPECT_EQ(rec::count(Kind::Debug, "SIEPF1: Erreur dans un programme appele"), 1);
    // A ray segment of no length.
    int ncoef = 2, iflag = 0, ninter = -1, ierc = -99;
    double xinter[42], p[2] = {0.5, 0.5}, d[2] = {1, 0}, zero = 0, tolrel = 1e-6, eps = 1e-10;
    siepfc(&ncoef, sq.coefs.data(), sq.intervals.data(), p, d, &zero, &tolrel, &eps, &iflag, &ninter, xinter, &ierc);
    EXPECT_EQ(ierc, 1);
}

TEST_F(Recorded, RayCrossingsOfOneCurve) {
    const Domain q = curved_quad();
    int ncoef = 4, iflag = 0, ninter = -1, ierc = -99;
    double xinter[42], radius = 10, tolrel = 1e-6, eps = 1e-10;
    struct Case { double px, py, dx, dy; int flag, ierc, ninter; };
    // The right-hand side of the curved quadrilateral (curve 2) against rays from inside.
    for (const Case& k : {Case{0.5, 0.5, 1, 0, 0, 0, 1}, Case{0.5, 0.5, -1, 0, 0, 0, 0}, Case{0.5, 0.5, 1, 0, 1, 0, 0},
                          Case{1.2, 0.0, 1, 0.3, 0, -2, 0}}) {
        double p[2] = {k.px, k.py}, d[2] = {k.dx, k.dy};
        iflag = k.flag;
        siepfc(&ncoef, q.coefs.data() + 2 * kNcmax, q.intervals.data() + 2, p, d, &radius, &tolrel, &eps, &iflag,
               &ninter, xinter, &ierc);
        EXPECT_TRUE(ierc == k.ierc && ninter == k.ninter) << k.px << " " << k.dx << " " << ierc << " " << ninter;
        if (ninter == 1) {  // the crossing is on the ray, at the curve
            EXPECT_NEAR(xinter[1], k.py, 1e-12);
            EXPECT_GT(xinter[0], k.px);
        }
    }
    // A ray along the tangent of the inflexion of (t, t^3), either way, makes the
    // direction unusable.
    const Vec cubic = {0, 0, 1, 0, 0, 0, 0, 1};
    const double iv[2] = {-1, 1};
    iflag = 0;
    for (double dx : {1.0, -1.0}) {
        double p[2] = {-2 * dx, 0}, d[2] = {dx, 0};
        siepfc(&ncoef, cubic.data(), iv, p, d, &radius, &tolrel, &eps, &iflag, &ninter, xinter, &ierc);
        EXPECT_EQ(ierc, -1) << dx;
    }
}

TEST_F(Recorded, RayAgainstSegmentsAndBoxes) {
    struct Case { const char* what; Vec p, d, q, e; int hit; };
    const Case cases[] = {
        {"crossing ahead", {0, 0}, {1, 0}, {2, -1}, {0, 2}, 1},
        {"crossing behind", {0, 0}, {1, 0}, {-2, -1}, {0, 2}, 0},
        {"line misses the segment", {0, 0}, {1, 0}, {2, 1}, {0, 2}, 0},
        {"segment end on the ray", {0, 0}, {1, 0}, {2, 0}, {0, 2}, 1},
        {"parallel on the line, ahead", {0, 0}, {1, 0}, {2, 0}, {3, 0}, 1},
        {"parallel on the line, around P", {0, 0}, {1, 0}, {-1, 0}, {3, 0}, 1},
        {"parallel on the line, behind", {0, 0}, {1, 0}, {-5, 0}, {3, 0}, 0},
        {"parallel off the line", {0, 0}, {1, 0}, {2, 1e-3}, {3, 0}, 0},
    };
    for (const Case& k : cases) {
        int hit = -1;
        sindd1(k.p.data(), k.d.data(), k.q.data(), k.e.data(), &hit);
        EXPECT_EQ(hit, k.hit) << k.what;
    }
    const double box[6] = {1, 1, 2, 0, 0.5, 1};  // a slanted parallelogram
    struct Ray { double px, py, dx, dy; int hit; };
    for (const Ray& r : {Ray{0, 1.5, 1, 0, 1}, Ray{0, 0, -1, 0, 0}, Ray{2, 1.5, 0, 1, 1}, Ray{0, 3, 1, 0, 0}}) {
        double p[2] = {r.px, r.py}, d[2] = {r.dx, r.dy};
        int hit = -1;
        sbtid1(p, d, box, &hit);
        EXPECT_EQ(hit, r.hit) << r.px << " " << r.py;
    }
}

TEST_F(Recorded, SegmentsAndDistances) {
    const double p[3] = {1, 2, 3}, dir[3] = {0, 3, 4};
    int three = 3, ier = -99;
    struct Case { int mode; Vec seg; };
    for (const Case& k : {Case{1, {1, 0.8, 1.4, 0, 2.4, 3.2}}, Case{3, {1, 2, 3, 0, -2.4, -3.2}},
                          Case{2, {1, 2, 3, 0, 2.4, 3.2}}, Case{7, {1, 2, 3, 0, 2.4, 3.2}}}) {
        double len = 4, seg[6];
        lnpvdl(&three, p, dir, &len, &k.mode, seg, &ier);
        EXPECT_EQ(ier, 0);
        for (int i = 0; i < 6; ++i) EXPECT_NEAR(seg[i], k.seg[i], 1e-15) << k.mode;
    }
    rec::set_level(1);
    double seg[6], zero3[3] = {0, 0, 0}, len = 0;
    int mode = 2;
    lnpvdl(&three, p, dir, &len, &mode, seg, &ier);
    EXPECT_EQ(ier, 1);
    len = 2;
    lnpvdl(&three, p, zero3, &len, &mode, seg, &ier);
    EXPECT_EQ(ier, 2);
    EXPECT_EQ(rec::print_output(), " LNPVDL : LONGEUR NULLE\n LNPVDL : VECTEUR DIRECTEUR NUL\n");
    rec::reset();
    lnptpt(&three, p, dir, seg, &ier);
    EXPECT_TRUE(ier == 0 && seg[3] == -1 && seg[4] == 1 && seg[5] == 1);
    lnptpt(&three, p, p, seg, &ier);
    EXPECT_TRUE(ier == -1 && seg[0] == 1 && seg[3] == 0);

    // Distances: in place up to 100 coordinates, through a request beyond, and the
    // same value without storage when the request is refused.
    for (int n : {2, 100, 101, 400}) {
        Vec a(n), b(n);
        for (int i = 0; i < n; ++i) a[i] = 1e200 * (i % 3), b[i] = -1e200 * (i % 5);
        long double s = 0;
        for (int i = 0; i < n; ++i) s += (static_cast<long double>(a[i]) - b[i]) * (static_cast<long double>(a[i]) - b[i]) / 1e400L;
        const double want = static_cast<double>(std::sqrt(s) * 1e200L);
        rec::reset();
        double dist = -1, refused = -1;
        dsptpt(&n, a.data(), b.data(), &dist);
        EXPECT_NEAR(dist, want, 1e-14 * want);
        EXPECT_EQ(rec::count(Kind::Request), n > 100 ? 1 : 0);
        rec::fail_request(1);
        dsptpt(&n, a.data(), b.data(), &refused);
        EXPECT_NEAR(refused, dist, 1e-15 * dist);
        EXPECT_EQ(rec::count(Kind::Error), 0);
    }
}

}  // namespace
