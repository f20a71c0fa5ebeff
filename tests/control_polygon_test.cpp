// Control polygons, de Casteljau splits and coefficient bounds.
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "tests/basis_reference.hpp"
#include "tests/support/fixture.hpp"

namespace {

using basis_ref::LD;
using rec::Kind;
using V = std::vector<double>;

class ControlPolygon : public testing_support::Recorded {};

TEST_F(ControlPolygon, SmallExamples) {
    int nd = 2, n = 2, ier = -5;
    V line{1, 2, 2, 0}, poly(4), back(4);
    cpolyg(&nd, &nd, &n, line.data(), poly.data(), &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(poly, (V{1, 2, 3, 2}));
    polygc(&nd, &nd, &n, poly.data(), back.data(), &ier);
    EXPECT_EQ(back, line);
    n = 3;
    V sq{0, 0, 0, 0, 1, 1}, p3(6);
    mcpol2(&n, sq.data(), p3.data(), &ier);
    EXPECT_EQ(p3, (V{0, 0, 0, 0, 1, 1}));
    EXPECT_TRUE(rec::events().empty());
}

// cpolyg then polygc on random curves, dimensions 1 to 4, up to 61
// coefficients, with a leading dimension above the used one too. The
// tolerance follows the conditioning of the two conversions.
TEST_F(ControlPolygon, RoundTripOnRandomCurves) {
    std::mt19937 g(41);
    for (int ndim = 1; ndim <= 4; ++ndim)
        for (int ndimax : {ndim, ndim + 1})
            for (int n : {1, 2, 3, 7, 16, 33, 61}) {
                V coef = basis_ref::random_values(g, ndimax * n), poly(ndimax * n, 7.0), back(ndimax * n, 7.0);
                int ier = -1;
                cpolyg(&ndimax, &ndim, &n, coef.data(), poly.data(), &ier);
                ASSERT_EQ(ier, 0);
                polygc(&ndimax, &ndim, &n, poly.data(), back.data(), &ier);
                ASSERT_EQ(ier, 0);
                const int deg = n - 1;
                for (int i = 0; i < ndimax; ++i)
                    for (int l = 0; l < n; ++l) {
                        if (i >= ndim) {  // rows beyond NDIM are not written
                            EXPECT_EQ(poly[l * ndimax + i], 7.0);
                            EXPECT_EQ(back[l * ndimax + i], 7.0);
                            continue;
                        }
                        LD size = 0;
                        for (int j = 0; j <= l; ++j) {
                            LD pj = 0;
                            for (int k = 0; k <= j; ++k)
                                pj += basis_ref::binom(j, k) / basis_ref::binom(deg, k) * std::fabs(coef[k * ndimax + i]);
                            size += basis_ref::binom(l, j) * pj;
                        }
                        const LD tol = 32 * n * basis_ref::kUnit * basis_ref::binom(deg, l) * size;
                        EXPECT_LE(std::fabs(back[l * ndimax + i] - coef[l * ndimax + i]), tol)
                            << "ndim " << ndim << " n " << n << " col " << l;
                    }
                // The polygon describes the same curve.
                for (LD t : {0.0L, 0.3L, 1.0L})
                    for (int i = 0; i < ndim; ++i)
                        EXPECT_NEAR(basis_ref::bernstein(poly.data(), ndimax, n, i, t),
                                    basis_ref::horner(coef.data(), ndimax, n, i, t),
                                    64 * n * basis_ref::kUnit * basis_ref::abs_size(coef.data(), ndimax, n, i, t) + 1e-300);
            }
}

// Samples of an integer cubic, elevated to 61 points: both conversions are exact.
TEST_F(ControlPolygon, ExactAtFullCapacity) {
    for (int ndim : {1, 2, 3, 4}) {
        int n = 61;
        V poly(ndim * n), coef(ndim * n), again(ndim * n);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < ndim; ++i) poly[j * ndim + i] = (i + 1) * j * j - 3 * j * j * j + 7 - i;
        int ier = -1;
        polygc(&ndim, &ndim, &n, poly.data(), coef.data(), &ier);
        EXPECT_EQ(ier, 0);
        for (int j = 4; j < n; ++j) EXPECT_EQ(coef[j * ndim], 0.0);
        cpolyg(&ndim, &ndim, &n, coef.data(), again.data(), &ier);
        EXPECT_EQ(again, poly) << ndim;
    }
}

// The unrolled 2D/3D paths and the general path give the same bits, and the
// conversions work in place.
TEST_F(ControlPolygon, UnrolledPathsMatchTheGeneralPath) {
    std::mt19937 g(7);
    for (int nd : {2, 3})
        for (int n : {1, 5, 21, 61}) {
            V c = basis_ref::random_values(g, nd * n), wide(static_cast<std::size_t>((nd + 1) * n));
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < nd; ++i) wide[j * (nd + 1) + i] = c[j * nd + i];
            int wd = nd + 1, ier = 0;
            V p(nd * n), pw(wide.size()), q(nd * n), qw(wide.size());
            cpolyg(&nd, &nd, &n, c.data(), p.data(), &ier);
            cpolyg(&wd, &nd, &n, wide.data(), pw.data(), &ier);
            polygc(&nd, &nd, &n, p.data(), q.data(), &ier);
            polygc(&wd, &nd, &n, pw.data(), qw.data(), &ier);
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < nd; ++i) {
                    EXPECT_EQ(p[j * nd + i], pw[j * wd + i]);
                    EXPECT_EQ(q[j * nd + i], qw[j * wd + i]);
                }
            V inplace = c;
            cpolyg(&nd, &nd, &n, inplace.data(), inplace.data(), &ier);
            EXPECT_EQ(inplace, p);
            polygc(&nd, &nd, &n, inplace.data(), inplace.data(), &ier);
            EXPECT_EQ(inplace, q);
        }
}

TEST_F(ControlPolygon, CountsOutsideTheTables) {
    for (int nd : {1, 2, 3, 4})
        for (int n : {0, -3, 62}) {
            rec::reset();
            V in(nd * 62, 1.0), out(nd * 62, 5.0);
            int ier = 0;
            cpolyg(&nd, &nd, &n, in.data(), out.data(), &ier);
            EXPECT_EQ(ier, 10);
            polygc(&nd, &nd, &n, in.data(), out.data(), &ier);
            EXPECT_EQ(ier, 10);
            EXPECT_EQ(out, V(nd * 62, 5.0));
            const bool unrolled = nd == 2 || nd == 3;
            EXPECT_EQ(rec::codes("CPOLYG"), std::vector<int>{10});
            EXPECT_EQ(rec::codes("POLYGC"), std::vector<int>{10});
            EXPECT_EQ(rec::codes(nd == 2 ? "MCPOL2" : "MCPOL3").size(), unrolled ? 1u : 0u);
            EXPECT_EQ(rec::codes(nd == 2 ? "MPOLC2" : "MPOLC3").size(), unrolled ? 1u : 0u);
        }
    int n = 3, ier = 0;
    V in(9), out(9);
    rec::set_level(2);
    polygc(&n, &n, &n, in.data(), out.data(), &ier);
    EXPECT_EQ(rec::names(Kind::Enter), std::vector<std::string>{"POLYGC"});
    EXPECT_EQ(rec::count(Kind::Exit, "POLYGC"), 1);
}

TEST_F(ControlPolygon, ArcPolygon) {
    std::mt19937 g(3);
    int nd = 3, n = 9, ier;
    V c = basis_ref::random_values(g, nd * n), work(nd * n), poly(nd * n), arc(nd * n), expect(nd * n);
    double ta = 0.25, tb = -0.5;
    ufdplg(&nd, &n, c.data(), &ta, &tb, work.data(), poly.data());
    marc41(&nd, &nd, &n, c.data(), &ta, &tb, arc.data(), &ier);
    cpolyg(&nd, &nd, &n, arc.data(), expect.data(), &ier);
    EXPECT_EQ(poly, expect);
    ta = 0, tb = 1;
    ufdplg(&nd, &n, c.data(), &ta, &tb, work.data(), poly.data());
    cpolyg(&nd, &nd, &n, c.data(), expect.data(), &ier);
    EXPECT_EQ(poly, expect);
}

TEST_F(ControlPolygon, SplitExamples) {
    int nd = 1, n = 3, ldw = 3;
    V p{0, 1, 0}, w(9), l(3), r(3);
    upolyg(&nd, &ldw, &n, p.data(), w.data(), l.data(), r.data());
    EXPECT_EQ(l, (V{0, 0.5, 0.5}));
    EXPECT_EQ(r, (V{0.5, 0.5, 0}));
    double t = 0;
    uplygg(&nd, &ldw, &n, p.data(), &t, w.data(), l.data(), r.data());
    EXPECT_EQ(l, (V{0, 0, 0}));
    EXPECT_EQ(r, p);
    ldw = 2;  // a work array too small: nothing is written
    V l2(3, 9.0);
    upolyg(&nd, &ldw, &n, p.data(), w.data(), l2.data(), r.data());
    EXPECT_EQ(l2, V(3, 9.0));
}

// Both halves evaluated against the whole, in every path (1-3 in place, 4-5
// through the triangle), and the paths agree to the bit.
TEST_F(ControlPolygon, SplitsReproduceTheCurve) {
    std::mt19937 g(11);
    for (int nd = 1; nd <= 5; ++nd)
        for (int n : {1, 2, 4, 17, 61})
            for (double t : {0.5, 0.0, 0.3, 1.0}) {
                V p = basis_ref::random_values(g, nd * n), w(n * n), l(nd * n), r(nd * n);
                auto split = [&](int* dim, const double* poly, double* left, double* right) {
                    if (t == 0.5)
                        upolyg(dim, &n, &n, poly, w.data(), left, right);
                    else
                        uplygg(dim, &n, &n, poly, &t, w.data(), left, right);
                };
                split(&nd, p.data(), l.data(), r.data());
                for (int i = 0; i < nd; ++i)
                    for (LD s : {0.0L, 0.25L, 0.8L, 1.0L}) {
                        const LD whole_l = basis_ref::bernstein(p.data(), nd, n, i, s * t);
                        const LD whole_r = basis_ref::bernstein(p.data(), nd, n, i, t + s * (1 - t));
                        const double tol = 1e-13;
                        EXPECT_NEAR(basis_ref::bernstein(l.data(), nd, n, i, s), whole_l, tol);
                        EXPECT_NEAR(basis_ref::bernstein(r.data(), nd, n, i, s), whole_r, tol);
                    }
                // One component through a scalar split gives the same bits.
                V p1(n), l1(n), r1(n);
                int one = 1;
                for (int j = 0; j < n; ++j) p1[j] = p[j * nd + nd - 1];
                split(&one, p1.data(), l1.data(), r1.data());
                for (int j = 0; j < n; ++j) {
                    EXPECT_EQ(l1[j], l[j * nd + nd - 1]);
                    EXPECT_EQ(r1[j], r[j * nd + nd - 1]);
                }
                V in_place = p;  // RIGHT over POLY
                split(&nd, in_place.data(), l.data(), in_place.data());
                EXPECT_EQ(in_place, r);
            }
}

TEST_F(ControlPolygon, ScalarSplitTraced) {
    int n = 4;
    V p{1, -2, 3, 5}, w(16), l(4), r(4), l2(4), r2(4);
    rec::set_level(3);
    mlmpna(p.data(), &n, w.data(), l.data(), r.data());
    EXPECT_EQ(rec::count(Kind::Enter, "MLMPNA"), 1);
    EXPECT_EQ(rec::count(Kind::Exit, "MLMPNA"), 1);
    int one = 1;
    upolyg(&one, &n, &n, p.data(), w.data(), l2.data(), r2.data());
    EXPECT_EQ(l, l2);
    EXPECT_EQ(r, r2);
}

// A tensor Bernstein net NET(LD1, LD2, NDIM) at (u, v).
LD net_at(const V& net, int ld1, int ld2, int nu, int nv, int k, LD u, LD v) {
    V col(nv);  // the u-polygons at U, then the v-polygon of those values at V
    for (int j = 0; j < nv; ++j)
        col[j] = static_cast<double>(basis_ref::bernstein(net.data() + k * ld1 * ld2 + j * ld1, 1, nu, 0, u));
    return basis_ref::bernstein(col.data(), 1, nv, 0, v);
}

TEST_F(ControlPolygon, NetSplitsBothWays) {
    std::mt19937 g(5);
    const int ld1 = 6, ld2 = 7, nu = 5, nv = 4, nd = 3, ldw = 6;
    V net = basis_ref::random_values(g, ld1 * ld2 * nd), w(ldw * ldw);
    for (int idir : {1, 2}) {
        V l(net.size()), r(net.size());
        int ier = -1;
        mlmkab(&ld1, &ld2, net.data(), &nu, &nv, &nd, &idir, w.data(), &ldw, l.data(), r.data(), &ier);
        ASSERT_EQ(ier, 0);
        for (int k = 0; k < nd; ++k)
            for (LD a : {0.0L, 0.4L, 1.0L})
                for (LD b : {0.1L, 0.7L}) {
                    const LD lu = idir == 1 ? a / 2 : b, lv = idir == 1 ? b : a / 2;
                    const LD ru = idir == 1 ? (1 + a) / 2 : b, rv = idir == 1 ? b : (1 + a) / 2;
                    const LD pa = idir == 1 ? a : b, pb = idir == 1 ? b : a;
                    EXPECT_NEAR(net_at(l, ld1, ld2, nu, nv, k, pa, pb), net_at(net, ld1, ld2, nu, nv, k, lu, lv), 1e-14);
                    EXPECT_NEAR(net_at(r, ld1, ld2, nu, nv, k, pa, pb), net_at(net, ld1, ld2, nu, nv, k, ru, rv), 1e-14);
                }
    }
    const int bad[][4] = {{7, nv, 1, ldw}, {nu, 8, 1, ldw}, {nu, nv, 1, 4}, {nu, nv, 2, 3}, {nu, nv, 3, ldw}};
    for (const auto& b : bad) {
        int ier = 0;
        V l(net.size()), r(net.size());
        mlmkab(&ld1, &ld2, net.data(), &b[0], &b[1], &nd, &b[2], w.data(), &b[3], l.data(), r.data(), &ier);
        EXPECT_EQ(ier, 1);
    }
    EXPECT_EQ(rec::codes("MLMKAB"), std::vector<int>(5, 1));
}

TEST_F(ControlPolygon, Bounds) {
    double amin = 0, amax = 0;
    int n = 4;
    V a{1, 2, -1, 5};
    utspol(&n, a.data(), &amin, &amax);
    EXPECT_EQ(amin, -1);
    EXPECT_EQ(amax, 2);
    EXPECT_EQ(ugpolx(&n, a.data(), &amax, &amin), -1);
    EXPECT_EQ(amax, 5);
    V b{3, 4, 8, 0.5};
    utspol(&n, b.data(), &amin, &amax);
    EXPECT_EQ(amin, 0.5);
    EXPECT_EQ(amax, 8);
    n = 1;
    utspol(&n, a.data(), &amin, &amax);
    EXPECT_EQ(amin, 1);
    EXPECT_EQ(amax, 1);
    n = 0;
    amin = 42;
    amax = 43;
    EXPECT_EQ(ugpolx(&n, a.data(), &amax, &amin), 42);
    utspol(&n, a.data(), &amin, &amax);
    EXPECT_EQ(amin, 42);
    EXPECT_EQ(amax, 43);
}

TEST_F(ControlPolygon, NaNCoefficientsDoNotDerail) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    int nd = 3, n = 5, ier = 0;
    V c(15, 1.0), p(15), w(25), l(15), r(15);
    c[4] = nan;
    cpolyg(&nd, &nd, &n, c.data(), p.data(), &ier);
    EXPECT_EQ(ier, 0);
    upolyg(&nd, &n, &n, p.data(), w.data(), l.data(), r.data());
    EXPECT_TRUE(std::isnan(r[4]));
    double amin = 0, amax = 0;
    int m = 15;
    ugpolx(&m, p.data(), &amax, &amin);
    utspol(&m, p.data(), &amin, &amax);
    EXPECT_FALSE(std::isnan(amin));
}

}  // namespace
