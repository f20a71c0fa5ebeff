// Control polygons, de Casteljau splits and coefficient bounds.
#include <cmath>
#include <limits>

#include "tests/support/reference.hpp"
#include "tests/support/fixture.hpp"

namespace {

using namespace ref;
using rec::Kind;

class ControlPolygon : public testing_support::Recorded {};

// Exact small cases; the random-curve tests below cover the rest.
TEST_F(ControlPolygon, SmallExamples) {
    int two = 2, one = 1, three = 3, ier = -5;
    V line{1, 2, 2, 0}, poly(4), p3(6), w(9), l(3), r(3), hat{0, 1, 0};
    cpolyg(&two, &two, &two, line.data(), poly.data(), &ier);
    EXPECT_EQ(poly, (V{1, 2, 3, 2}));
    mcpol2(&three, V{0, 0, 0, 0, 1, 1}.data(), p3.data(), &ier);
    EXPECT_EQ(p3, (V{0, 0, 0, 0, 1, 1}));
    upolyg(&one, &three, &three, hat.data(), w.data(), l.data(), r.data());
    EXPECT_EQ(l, (V{0, 0.5, 0.5}));
    EXPECT_EQ(r, (V{0.5, 0.5, 0}));
    EXPECT_TRUE(rec::events().empty());
}

// cpolyg then polygc on random curves, dimensions 1 to 4, up to 61
// coefficients (every sweep length of the 2D/3D paths): the polygon describes
// the curve, the way back stays within the conditioning of the pair, and a
// leading dimension above the used one (whose extra rows stay untouched)
// gives the same bits; in place too.
TEST_F(ControlPolygon, RoundTripOnRandomCurves) {
    std::mt19937 g(41);
    for (int nd = 1; nd <= 4; ++nd)
        for (int n : {1, 2, 3, 8, 16, 33, 61}) {
            const int wd = nd + 1;
            V c = random_values(g, nd * n), p(nd * n), back(nd * n), wide(wd * n, 7.0), pw(wd * n, 7.0), bw(pw);
            int ier = -1, ier2 = -1;
            cpolyg(&nd, &nd, &n, c.data(), p.data(), &ier);
            polygc(&nd, &nd, &n, p.data(), back.data(), &ier2);
            ASSERT_EQ(ier + ier2, 0);
            for (int j = 0; j < nd * n; ++j) wide[j / nd * wd + j % nd] = c[j];
            cpolyg(&wd, &nd, &n, wide.data(), pw.data(), &ier);
            polygc(&wd, &nd, &n, pw.data(), bw.data(), &ier);
            for (int j = 0; j < wd * n; ++j) {
                const bool used = j % wd < nd;
                EXPECT_EQ(pw[j], used ? p[j / wd * nd + j % wd] : 7.0);
                EXPECT_EQ(bw[j], used ? back[j / wd * nd + j % wd] : 7.0);
            }
            for (int l = 0; l < n; ++l)
                for (int i = 0; i < nd; ++i) {
                    LD size = 0;
                    for (int j = 0; j <= l; ++j)
                        for (int k = 0; k <= j; ++k)
                            size += binom(l, j) * binom(j, k) / binom(n - 1, k) * std::fabs(c[k * nd + i]);
                    EXPECT_LE(std::fabs(back[l * nd + i] - c[l * nd + i]), 32 * n * kUnit * binom(n - 1, l) * size);
                }
            for (int i = 0; i < nd; ++i)
                EXPECT_NEAR(bernstein(p.data(), nd, n, i, 0.3L), horner(c.data(), nd, n, i, 0.3L),
                            64 * n * kUnit * horner(c.data(), nd, n, i, 0.3L, true));
            cpolyg(&nd, &nd, &n, c.data(), c.data(), &ier);
            EXPECT_EQ(c, p);
            polygc(&nd, &nd, &n, c.data(), c.data(), &ier);
            EXPECT_EQ(c, back);
        }
}

// Counts outside 1..61: code 10, reported by the unrolled routine and by the
// front end, and the arrays (sized for 61 points) are neither read nor written.
TEST_F(ControlPolygon, CountsOutsideTheTables) {
    for (int nd = 1; nd <= 4; ++nd)
        for (int n : {0, -3, 62}) {
            rec::reset();
            V in(nd * 61, 1.0), out(nd * 61, 5.0);
            int ier = 0, ier2 = 0;
            cpolyg(&nd, &nd, &n, in.data(), out.data(), &ier);
            polygc(&nd, &nd, &n, in.data(), out.data(), &ier2);
            EXPECT_EQ(ier + ier2, 20);
            EXPECT_EQ(out, V(nd * 61, 5.0));
            EXPECT_EQ(rec::codes("CPOLYG"), std::vector<int>{10});
            EXPECT_EQ(rec::codes("POLYGC"), std::vector<int>{10});
            EXPECT_EQ(rec::count(Kind::Error), nd == 2 || nd == 3 ? 4 : 2);
        }
    int three = 3, ier = 0;
    V in(9), out(9);
    rec::set_level(2);
    polygc(&three, &three, &three, in.data(), out.data(), &ier);
    EXPECT_EQ(rec::names(Kind::Enter), std::vector<std::string>{"POLYGC"});
    EXPECT_EQ(rec::count(Kind::Exit, "POLYGC"), 1);
}

// The polygon on [TA, TB] describes the arc of the curve.
TEST_F(ControlPolygon, PolygonOfAnArc) {
    std::mt19937 g(3);
    int nd = 3, n = 9;
    V c = random_values(g, nd * n), work(nd * n), poly(nd * n);
    for (double tb : {1.0, -0.5}) {
        double ta = tb == 1.0 ? 0.0 : 0.25;
        ufdplg(&nd, &n, c.data(), &ta, &tb, work.data(), poly.data());
        for (int i = 0; i < nd; ++i)
            EXPECT_NEAR(bernstein(poly.data(), nd, n, i, 0.4L), horner(c.data(), nd, n, i, ta + (tb - ta) * 0.4L), 1e-14);
    }
}

// Both halves evaluated against the whole, in every path (dimensions 1-3 in
// RIGHT, with every sweep length and in registers, 4-5 through the triangle);
// one component split alone gives the same bits; RIGHT may lie over POLY;
// mlmpna is the scalar split, traced.
TEST_F(ControlPolygon, SplitsReproduceTheCurve) {
    std::mt19937 g(11);
    for (int nd = 1; nd <= 5; ++nd)
        for (int n : {1, 2, 4, 16, 61})
            for (double t : {0.5, 0.0, 0.3, 1.0}) {
                V p = random_values(g, nd * n), w(n * n), l(nd * n), r(nd * n), p1(n), l1(n), r1(n);
                auto split = [&](int* dim, const double* poly, double* left, double* right) {
                    if (t == 0.5) return upolyg(dim, &n, &n, poly, w.data(), left, right);
                    uplygg(dim, &n, &n, poly, &t, w.data(), left, right);
                };
                split(&nd, p.data(), l.data(), r.data());
                for (int i = 0; i < nd; ++i)
                    for (LD s : {0.0L, 0.25L, 1.0L}) {
                        EXPECT_NEAR(bernstein(l.data(), nd, n, i, s), bernstein(p.data(), nd, n, i, s * t), 1e-13);
                        EXPECT_NEAR(bernstein(r.data(), nd, n, i, s), bernstein(p.data(), nd, n, i, t + s * (1 - t)), 1e-13);
                    }
                int one = 1;
                for (int j = 0; j < n; ++j) p1[j] = p[j * nd + nd - 1];
                split(&one, p1.data(), l1.data(), r1.data());
                for (int j = 0; j < n; ++j) EXPECT_TRUE(l1[j] == l[j * nd + nd - 1] && r1[j] == r[j * nd + nd - 1]);
                split(&nd, p.data(), l.data(), p.data());
                EXPECT_EQ(p, r);
            }
    int n = 4, ldw = 3;
    V p{1, -2, 3, 5}, w(16), l(4), r(4), l2(4, 9.0), r2(4);
    rec::set_level(3);
    mlmpna(p.data(), &n, w.data(), l.data(), r.data());
    EXPECT_EQ(rec::names(Kind::Exit), std::vector<std::string>{"MLMPNA"});
    int one = 1;
    upolyg(&one, &ldw, &n, p.data(), w.data(), l2.data(), r2.data());  // WORK too small: nothing
    EXPECT_EQ(l2, V(4, 9.0));
    upolyg(&one, &n, &n, p.data(), w.data(), l2.data(), r2.data());
    EXPECT_EQ(l2, l);
    EXPECT_EQ(r2, r);
}

TEST_F(ControlPolygon, NetSplitsBothWays) {
    std::mt19937 g(5);
    const int ld1 = 6, ld2 = 7, nu = 5, nv = 4, nd = 3, ldw = 6;
    V net = random_values(g, ld1 * ld2 * nd), w(ldw * ldw);
    auto at = [&](const V& a, int k, LD u, LD v) {  // the tensor Bernstein net at (u, v)
        V col(nv);
        for (int j = 0; j < nv; ++j) col[j] = static_cast<double>(bernstein(a.data() + (k * ld2 + j) * ld1, 1, nu, 0, u));
        return bernstein(col.data(), 1, nv, 0, v);
    };
    for (int idir : {1, 2}) {
        V l(net.size()), r(net.size());
        int ier = -1;
        mlmkab(&ld1, &ld2, net.data(), &nu, &nv, &nd, &idir, w.data(), &ldw, l.data(), r.data(), &ier);
        ASSERT_EQ(ier, 0);
        for (int k = 0; k < nd; ++k)
            for (LD a : {0.0L, 0.4L, 1.0L})
                for (LD b : {0.1L, 0.7L}) {
                    const auto along = [&](const V& x, LD s) { return idir == 1 ? at(x, k, s, b) : at(x, k, b, s); };
                    EXPECT_NEAR(along(l, a), along(net, a / 2), 1e-14);
                    EXPECT_NEAR(along(r, a), along(net, (1 + a) / 2), 1e-14);
                }
    }
    const int bad[][4] = {{7, nv, 1, ldw}, {nu, 8, 1, ldw}, {nu, nv, 1, 4}, {nu, nv, 2, 3}, {nu, nv, 3, ldw}};
    for (const auto& b : bad) {
        int ier = 0;
        V l(net.size()), r(net.size());
        mlmkab(&ld1, &ld2, net.data(), &b[0], &b[1], &nd, &b[2], w.data(), &b[3], l.data(), r.data(), &ier);
    }
    EXPECT_EQ(rec::codes("MLMKAB"), std::vector<int>(5, 1));
}

TEST_F(ControlPolygon, Bounds) {
    double amin = 0, amax = 0;
    int n = 4, one = 1, none = 0;
    V a{1, 2, -1, 5}, b{3, 4, 8, 0.5};
    utspol(&n, a.data(), &amin, &amax);  // stops at -1
    EXPECT_EQ(V({amin, amax}), V({-1, 2}));
    EXPECT_EQ(ugpolx(&n, a.data(), &amax, &amin), -1);
    EXPECT_EQ(amax, 5);
    utspol(&n, b.data(), &amin, &amax);
    EXPECT_EQ(V({amin, amax}), V({0.5, 8}));
    utspol(&one, a.data(), &amin, &amax);
    EXPECT_EQ(V({amin, amax}), V({1, 1}));
    amin = 42;
    EXPECT_EQ(ugpolx(&none, a.data(), &amax, &amin), 42);
    utspol(&none, a.data(), &amin, &amax);
    EXPECT_EQ(V({amin, amax}), V({42, 1}));
    // NaN coefficients flow through without derailing anything.
    int nd = 3, nc = 5, m = 15, ier = 0;
    V c(15, 1.0), p(15), w(25), l(15), r(15);
    c[4] = std::numeric_limits<double>::quiet_NaN();
    cpolyg(&nd, &nd, &nc, c.data(), p.data(), &ier);
    upolyg(&nd, &nc, &nc, p.data(), w.data(), l.data(), r.data());
    EXPECT_TRUE(ier == 0 && std::isnan(r[4]));
    ugpolx(&m, p.data(), &amax, &amin);
    EXPECT_EQ(amin, 1.0);
}

}  // namespace
