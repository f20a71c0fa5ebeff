// Changes of interval, Legendre conversions, degree search and layout copies.
#include <boost/math/special_functions/legendre.hpp>
#include <numeric>

#include "tests/support/reference.hpp"
#include "tests/support/fixture.hpp"

namespace {

using namespace ref;
using rec::Kind;
using Codes = std::vector<int>;
using Names = std::vector<std::string>;

class Basis : public testing_support::Recorded {};

// Exact cases and codes of marc41 (identity, reversal through vcvinv, which
// reports every exit) and of its front end mfmcb2.
TEST_F(Basis, IntervalChangeExamplesAndCodes) {
    int one = 1, three = 3, four = 4, bad = 62, ier = -1;
    V sq{0, 0, 1}, out(3), c3{1, 2, 3, 4, 5, 6, 7, 8, 9}, r3(9);
    double ta = 1, tb = 3;
    marc41(&one, &one, &three, sq.data(), &ta, &tb, out.data(), &ier);
    EXPECT_EQ(out, (V{1, 4, 4}));  // (1 + 2s)^2
    ta = 0, tb = 1;
    marc41(&three, &three, &three, c3.data(), &ta, &tb, r3.data(), &ier);
    EXPECT_EQ(r3, c3);
    ta = 1, tb = 0;
    marc41(&three, &three, &three, c3.data(), &ta, &tb, r3.data(), &ier);
    EXPECT_EQ(r3, (V{12, 15, 18, -18, -21, -24, 7, 8, 9}));
    EXPECT_EQ(rec::codes("VCVINV"), Codes{0});
    for (int n : {0, 62}) {
        V keep(3, 8.0);
        marc41(&one, &one, &n, sq.data(), &ta, &tb, keep.data(), &ier);
        EXPECT_EQ(ier, 10);
        EXPECT_EQ(keep, V(3, 8.0));
        vcvin2(&n, sq.data(), keep.data(), &ier);
        EXPECT_EQ(ier, 10);
    }
    EXPECT_EQ(rec::codes("VCVIN2"), (Codes{10, 10}));
    V c{3, -1, 2, 5}, w(4), cf(4), o4(4);
    double tab[2] = {0, 1}, tnew[2] = {-1, 1}, flat[2] = {0.5, 0.5};
    mfmcb2(&one, &four, c.data(), &one, tab, o4.data(), tnew, &ier);
    mcvnst(&four, &one, &four, &one, c.data(), w.data(), cf.data());
    EXPECT_EQ(o4, cf);
    EXPECT_EQ(o4, (V{3.625, 2.375, 2.375, 0.625}));  // C((s+1)/2)
    rec::set_level(5);
    mfmcb2(&one, &four, c.data(), &one, tab, o4.data(), flat, &ier);
    EXPECT_EQ(ier, 13);
    EXPECT_EQ(rec::names(Kind::Enter), Names{"MVEPS3"});
    mfmcb2(&one, &bad, c.data(), &one, tab, o4.data(), tnew, &ier);
    EXPECT_EQ(rec::codes("MFMCB2"), (Codes{13, 10}));
    EXPECT_EQ(rec::codes("MARC41"), (Codes{10, 10, 10}));
}

// The arc over [a, b] inside [0, 1] evaluated against the curve, then the way
// back within the conditioning of the pair; dimensions 1 to 4, up to 61
// coefficients (every kernel length of the 2D/3D paths), which give the bits
// of the general path, in place too.
TEST_F(Basis, IntervalChangeOnRandomCurves) {
    std::mt19937 g(17);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int nd = 1; nd <= 4; ++nd)
        for (int n : {1, 2, 6, 11, 21, 40, 61}) {
            double a = u(g), b = u(g);
            if (b < a) std::swap(a, b);
            const double h = b - a;
            double a2 = -a / h, b2 = (1 - a) / h;
            V c = random_values(g, nd * n), arc(nd * n), back(nd * n), wide((nd + 1) * n), warc(wide.size());
            int ier = -1, wd = nd + 1;
            marc41(&nd, &nd, &n, c.data(), &a, &b, arc.data(), &ier);
            marc41(&nd, &nd, &n, arc.data(), &a2, &b2, back.data(), &ier);
            const LD grow = std::fabs(a) + h * (std::fabs(a2) + std::fabs(b2 - a2));
            for (int i = 0; i < nd; ++i) {
                for (LD s : {0.0L, 0.35L, 1.0L})
                    EXPECT_NEAR(horner(arc.data(), nd, n, i, s), horner(c.data(), nd, n, i, a + h * s),
                                64 * n * kUnit * horner(c.data(), nd, n, i, 1, true));
                for (int j = 0; j < n; ++j)
                    EXPECT_NEAR(back[j * nd + i], c[j * nd + i], 128 * n * kUnit * horner(c.data(), nd, n, i, grow, true));
            }
            for (int j = 0; j < nd * n; ++j) wide[j / nd * wd + j % nd] = c[j];
            marc41(&wd, &nd, &n, wide.data(), &a, &b, warc.data(), &ier);
            for (int j = 0; j < nd * n; ++j) EXPECT_EQ(warc[j / nd * wd + j % nd], arc[j]);
            marc41(&nd, &nd, &n, c.data(), &a, &b, c.data(), &ier);
            EXPECT_EQ(c, arc);
        }
}

// Reversing twice gives the curve back: exactly on small integers up to 31
// coefficients (every product and partial sum stays an integer below 2^53),
// within the conditioning otherwise. In place too.
TEST_F(Basis, ReversalTwice) {
    std::mt19937 g(23);
    std::uniform_int_distribution<int> small(-3, 3);
    for (int nd : {2, 3})
        for (int n : {1, 2, 9, 31, 61}) {
            V c = random_values(g, nd * n), once(nd * n), twice(nd * n);
            if (n <= 31)
                for (auto& x : c) x = small(g);
            int ier = -1;
            auto rev = nd == 3 ? vcvinv : vcvin2;
            rev(&n, c.data(), once.data(), &ier);
            rev(&n, once.data(), twice.data(), &ier);
            for (int j = 0; j < nd * n; ++j)
                EXPECT_NEAR(twice[j], c[j], n <= 31 ? 0.0 : 64 * n * kUnit * horner(c.data(), nd, n, j % nd, 3, true));
            rev(&n, once.data(), once.data(), &ier);
            EXPECT_EQ(once, twice);
        }
}

LD legendre_series(const double* cl, int n, LD x, bool orthonormal) {
    LD s = 0;
    for (int k = 0; k < n; ++k)
        s += cl[k] * boost::math::legendre_p(k, static_cast<double>(x)) * (orthonormal ? std::sqrt((2 * k + 1) / 2.0L) : 1);
    return s;
}

// Legendre and orthonormal Legendre coefficients of random curves up to degree
// 61 (every entry of both tables) against the direct evaluation of both
// series with Boost.Math's polynomials; an exact case; traces; in place.
TEST_F(Basis, LegendreConversions) {
    int n = 3, one = 1, order = -1;
    V sq{0, 0, 1}, w(3), cl(3), keep(3, 4.0);
    mcvlgd(&n, &one, sq.data(), w.data(), cl.data());
    EXPECT_EQ(cl, (V{1.0 / 3, 0, 2.0 / 3}));
    int zero = 0;  // the orthonormal family is the only order provided
    mcvjac(&n, &one, &zero, sq.data(), w.data(), keep.data());
    EXPECT_EQ(keep, V(3, 4.0));
    std::mt19937 g(29);
    for (int nd = 1; nd <= 4; ++nd)
        for (int nc : {1, 2, 5, 30, 61, 62}) {
            V cf = random_values(g, nc * nd), wk(nc), l(nc * nd), j(nc * nd);
            mcvlgd(&nc, &nd, cf.data(), wk.data(), l.data());
            mcvjac(&nc, &nd, &order, cf.data(), wk.data(), j.data());
            for (int k = 0; k < nd; ++k)
                for (LD x : {-1.0L, -0.6L, 0.1L, 1.0L}) {
                    const LD direct = horner(cf.data() + k * nc, 1, nc, 0, x);
                    const LD tol = 1e-13 * horner(cf.data() + k * nc, 1, nc, 0, 1, true);
                    EXPECT_NEAR(legendre_series(l.data() + k * nc, nc, x, false), direct, tol);
                    EXPECT_NEAR(legendre_series(j.data() + k * nc, nc, x, true), direct, tol);
                }
            mcvlgd(&nc, &nd, cf.data(), wk.data(), cf.data());
            EXPECT_EQ(cf, l);
        }
    rec::reset();
    rec::set_level(5);
    n = 2;
    V two(4, 1.0), w2(2), o2(4);
    mcvlgd(&n, &n, two.data(), w2.data(), o2.data());
    mcvjac(&n, &one, &order, two.data(), w2.data(), o2.data());
    EXPECT_EQ(rec::names(Kind::Enter), (Names{"MCVLGD", "MCANLG", "MCANLG", "MCVJAC", "MCANJC"}));
    EXPECT_EQ(rec::names(Kind::Exit), (Names{"MCANLG", "MCANLG", "MCVLGD"}));
}

TEST_F(Basis, PatchToLegendre) {
    std::mt19937 g(31);
    const int ndu = 3, ndv = 5, nu = ndu + 1, nv = ndv + 1;
    V p = random_values(g, nu * nv * 3), w(3 * nu * nv + 6), pl(p.size());
    mpclgd(&ndu, &ndv, p.data(), w.data(), pl.data());
    for (int c = 0; c < 3; ++c)
        for (double x : {-0.9, 0.2, 1.0})
            for (double y : {-1.0, 0.45}) {
                LD direct = 0, series = 0;
                for (int i = 0; i < nu; ++i)
                    for (int j = 0; j < nv; ++j) {
                        const int at = (c * nv + j) * nu + i;
                        direct += p[at] * std::pow(static_cast<LD>(x), i) * std::pow(static_cast<LD>(y), j);
                        series += pl[at] * boost::math::legendre_p(i, x) * boost::math::legendre_p(j, y);
                    }
                EXPECT_NEAR(series, direct, 1e-13);
            }
    mpclgd(&ndu, &ndv, p.data(), w.data(), p.data());
    EXPECT_EQ(p, pl);
}

TEST_F(Basis, TrueDegree) {
    int nd = 2, n = 5, three = 3, nr = 0, ic = -1;
    V c{1, 2, 0, 3, 0, 1, 0, 0, 0, 0}, k{4, 5, 0, 0, 0, 0};
    udegcv(&nd, &n, c.data(), &nr, &ic);
    EXPECT_EQ(Codes({nr, ic}), Codes({3, 0}));
    udegcv(&nd, &three, k.data(), &nr, &ic);
    EXPECT_EQ(Codes({nr, ic}), Codes({1, 1}));
    k[5] = std::nan("");
    udegcv(&nd, &three, k.data(), &nr, &ic);
    EXPECT_EQ(Codes({nr, ic}), Codes({3, 0}));
}

TEST_F(Basis, Transpositions) {
    V a(12), b(8, 0.0), b2(8, 0.0), t(6, 0.0), back(6, 0.0), row(3, 0.0), b3(12, 0.0), a3(12, 0.0);
    std::iota(a.begin(), a.end(), 1.0);  // also A(2, 3) and A(3, 2, 2)
    int ldb = 4, two = 2, three = 3, four = 4, one = 1, ier = 0, fwd = 1, rev = -1, off = 0;
    mcvinv(&ldb, &two, &three, a.data(), b.data());
    minvcv(&ldb, &three, &two, a.data(), b2.data());
    EXPECT_EQ(b, (V{1, 3, 5, 0, 2, 4, 6, 0}));
    EXPECT_EQ(b2, b);
    mfmcb5(&fwd, &two, &three, a.data(), &three, &three, &two, t.data(), &ier);
    EXPECT_EQ(t, (V{1, 3, 5, 2, 4, 6}));
    mfmcb5(&rev, &two, &three, back.data(), &three, &three, &two, t.data(), &ier);
    EXPECT_TRUE(std::equal(back.begin(), back.end(), a.begin()));
    mfmcb5(&rev, &two, &three, back.data(), &three, &three, &three, t.data(), &ier);
    mfmcb5(&off, &two, &three, back.data(), &three, &three, &two, t.data(), &ier);
    mfmcb5(&fwd, &one, &three, a.data(), &three, &three, &one, row.data(), &ier);
    EXPECT_EQ(row, (V{1, 2, 3}));
    EXPECT_EQ(rec::codes("MFMCB5"), (Codes{3119, 3164, -3136}));
    mfmca5(&fwd, &three, &two, &two, a.data(), &two, &two, &two, &two, &three, b3.data(), &ier);
    EXPECT_EQ(b3[0 + 2 * 1 + 4 * 2], a[2 + 3 * 0 + 6 * 1]);  // B(j, k, i) = A(i, j, k)
    mfmca5(&rev, &three, &two, &two, a3.data(), &two, &two, &two, &two, &three, b3.data(), &ier);
    EXPECT_EQ(a3, a);
    mfmca5(&two, &three, &two, &two, a3.data(), &two, &two, &two, &two, &three, b3.data(), &ier);
    mfmca5(&fwd, &three, &two, &two, a3.data(), &two, &two, &two, &two, &four, b3.data(), &ier);
    EXPECT_EQ(rec::codes("MFMCA5"), (Codes{3163, 3133}));
}

// Widening and narrowing re-layouts in place, in each of their three ways.
TEST_F(Basis, RelayoutInPlace) {
    for (auto s : {std::array{2, 3, 2, 3}, std::array{2, 3, 2, 5}, std::array{2, 3, 4, 3}, std::array{3, 2, 5, 4}}) {
        int nblk = 3, unused = 0;
        V buf(s[2] * s[3] * nblk, -1.0), a(s[0] * s[1] * nblk);
        std::iota(a.begin(), a.end(), 1.0);
        std::copy(a.begin(), a.end(), buf.begin());
        mfmca8(&s[0], &s[1], &nblk, &s[2], &s[3], &unused, buf.data(), buf.data());
        for (int x = 0; x < static_cast<int>(a.size()); ++x) {
            const int i = x % s[0], j = x / s[0] % s[1], k = x / (s[0] * s[1]);
            EXPECT_EQ(buf[(k * s[3] + j) * s[2] + i], a[x]);
        }
        mfmca9(&s[2], &s[3], &unused, &s[0], &s[1], &nblk, buf.data(), buf.data());
        EXPECT_TRUE(std::equal(a.begin(), a.end(), buf.begin()));
    }
}

}  // namespace
