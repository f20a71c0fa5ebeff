// Changes of interval, Legendre conversions, degree search and layout copies.
#include <boost/math/special_functions/legendre.hpp>
#include <cmath>
#include <numeric>
#include <random>
#include <vector>

#include "tests/basis_reference.hpp"
#include "tests/support/fixture.hpp"

namespace {

using basis_ref::LD;
using rec::Kind;
using V = std::vector<double>;

class Basis : public testing_support::Recorded {};

TEST_F(Basis, IntervalChangeExamples) {
    int one = 1, n = 3, ier = -1;
    V sq{0, 0, 1}, out(3);
    double ta = 1, tb = 3;
    marc41(&one, &one, &n, sq.data(), &ta, &tb, out.data(), &ier);
    EXPECT_EQ(out, (V{1, 4, 4}));
    ta = 0, tb = 1;
    V c{1.5, -2, 0.25};
    marc41(&one, &one, &n, c.data(), &ta, &tb, out.data(), &ier);
    EXPECT_EQ(out, c);
    // Reversal of a 3D curve goes through vcvinv, which reports every exit.
    int three = 3;
    V c3{1, 2, 3, 4, 5, 6, 7, 8, 9}, r3(9), expect(9);
    ta = 1, tb = 0;
    marc41(&three, &three, &n, c3.data(), &ta, &tb, r3.data(), &ier);
    vcvinv(&n, c3.data(), expect.data(), &ier);
    EXPECT_EQ(r3, expect);
    EXPECT_EQ(r3, (V{12, 15, 18, -18, -21, -24, 7, 8, 9}));
    EXPECT_EQ(rec::codes("VCVINV"), (std::vector<int>{0, 0}));
    EXPECT_TRUE(rec::codes("MARC41").empty());
    for (int bad : {0, 62}) {
        V keep(3, 8.0);
        marc41(&one, &one, &bad, sq.data(), &ta, &tb, keep.data(), &ier);
        EXPECT_EQ(ier, 10);
        EXPECT_EQ(keep, V(3, 8.0));
        vcvin2(&bad, sq.data(), keep.data(), &ier);
        EXPECT_EQ(ier, 10);
    }
    EXPECT_EQ(rec::codes("MARC41"), (std::vector<int>{10, 10}));
    EXPECT_EQ(rec::codes("VCVIN2"), (std::vector<int>{10, 10}));
}

// The arc over a sub-interval evaluated against the curve, then the way back;
// dimensions 1 to 4, up to 61 coefficients, the 2D/3D paths against the
// general one (a wider leading dimension) to the bit.
TEST_F(Basis, IntervalChangeOnRandomCurves) {
    std::mt19937 g(17);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    for (int nd = 1; nd <= 4; ++nd)
        for (int n : {1, 2, 6, 21, 40, 61}) {
            double a = u(g), b = u(g);
            if (b < a) std::swap(a, b);  // [a, b] inside [0, 1]: the arc is well conditioned
            V c = basis_ref::random_values(g, nd * n), arc(nd * n), back(nd * n);
            int ier = -1;
            marc41(&nd, &nd, &n, c.data(), &a, &b, arc.data(), &ier);
            ASSERT_EQ(ier, 0);
            const double h = b - a;
            for (int i = 0; i < nd; ++i)
                for (LD s : {0.0L, 0.35L, 1.0L})
                    EXPECT_NEAR(basis_ref::horner(arc.data(), nd, n, i, s), basis_ref::horner(c.data(), nd, n, i, a + h * s),
                                64 * n * basis_ref::kUnit * basis_ref::abs_size(c.data(), nd, n, i, 1));
            double a2 = -a / h, b2 = (1 - a) / h;
            marc41(&nd, &nd, &n, arc.data(), &a2, &b2, back.data(), &ier);
            const LD grow = std::fabs(a) + std::fabs(h) * (std::fabs(a2) + std::fabs(b2 - a2));
            for (int i = 0; i < nd; ++i)
                for (int j = 0; j < n; ++j)
                    EXPECT_NEAR(back[j * nd + i], c[j * nd + i],
                                128 * n * basis_ref::kUnit * basis_ref::abs_size(c.data(), nd, n, i, grow));
            if (nd == 2 || nd == 3) {
                int wd = nd + 1;
                V wide(wd * n), warc(wd * n);
                for (int j = 0; j < n; ++j)
                    for (int i = 0; i < nd; ++i) wide[j * wd + i] = c[j * nd + i];
                marc41(&wd, &nd, &n, wide.data(), &a, &b, warc.data(), &ier);
                for (int j = 0; j < n; ++j)
                    for (int i = 0; i < nd; ++i) EXPECT_EQ(warc[j * wd + i], arc[j * nd + i]);
                V inplace = c;
                marc41(&nd, &nd, &n, inplace.data(), &a, &b, inplace.data(), &ier);
                EXPECT_EQ(inplace, arc);
            }
        }
}

// Reversing twice gives the curve back: exactly on small integers up to 31
// coefficients (every product and partial sum stays an integer below 2^53),
// within the conditioning otherwise.
TEST_F(Basis, ReversalTwice) {
    std::mt19937 g(23);
    std::uniform_int_distribution<int> small(-3, 3);
    for (int nd : {2, 3})
        for (int n : {1, 2, 9, 21, 31, 61}) {
            V c(nd * n), once(nd * n), twice(nd * n);
            for (auto& x : c) x = n <= 31 ? small(g) : std::uniform_real_distribution<double>(-1, 1)(g);
            int ier = -1;
            auto rev = nd == 3 ? vcvinv : vcvin2;
            rev(&n, c.data(), once.data(), &ier);
            ASSERT_EQ(ier, 0);
            rev(&n, once.data(), twice.data(), &ier);
            for (int j = 0; j < nd * n; ++j) {
                if (n <= 31)
                    EXPECT_EQ(twice[j], c[j]);
                else
                    EXPECT_NEAR(twice[j], c[j], 64 * n * basis_ref::kUnit * basis_ref::abs_size(c.data(), nd, n, j % nd, 3));
            }
            rev(&n, once.data(), once.data(), &ier);  // in place
            EXPECT_EQ(once, twice);
        }
}

TEST_F(Basis, FrontEndInterval) {
    int one = 1, n = 4, ier = -1, ldw = 4;
    V c{3, -1, 2, 5}, out(4), w(4), cf(4);
    double tab[2] = {0, 1}, tnew[2] = {-1, 1};
    mfmcb2(&one, &n, c.data(), &one, tab, out.data(), tnew, &ier);
    EXPECT_EQ(ier, 0);
    mcvnst(&ldw, &one, &n, &one, c.data(), w.data(), cf.data());
    EXPECT_EQ(out, cf);
    EXPECT_EQ(out, (V{3.625, 2.375, 2.375, 0.625}));
    rec::set_level(5);
    double flat[2] = {0.5, 0.5};
    mfmcb2(&one, &n, c.data(), &one, tab, out.data(), flat, &ier);
    EXPECT_EQ(ier, 13);
    EXPECT_EQ(rec::count(Kind::Enter, "MVEPS3"), 1);
    EXPECT_EQ(rec::count(Kind::Enter, "MFMCB2"), 0);
    int bad = 62;
    mfmcb2(&one, &bad, c.data(), &one, tab, out.data(), tnew, &ier);
    EXPECT_EQ(ier, 10);
    EXPECT_EQ(rec::codes("MFMCB2"), (std::vector<int>{13, 10}));
    EXPECT_EQ(rec::codes("MARC41"), std::vector<int>{10});
    EXPECT_EQ(rec::count(Kind::Enter, "MCVNST"), 0);  // called at level 0
}

LD legendre_series(const double* cl, int n, LD x, bool orthonormal) {
    LD s = 0;
    for (int k = 0; k < n; ++k)
        s += cl[k] * static_cast<LD>(boost::math::legendre_p(k, static_cast<double>(x))) *
             (orthonormal ? std::sqrt((2 * k + 1) / 2.0L) : 1.0L);
    return s;
}

TEST_F(Basis, LegendreConversions) {
    int n = 3, one = 1, order = -1;
    V sq{0, 0, 1}, w(3), cl(3), cj(3);
    mcvlgd(&n, &one, sq.data(), w.data(), cl.data());
    EXPECT_EQ(cl, (V{1.0 / 3, 0, 2.0 / 3}));
    mcvjac(&n, &one, &order, sq.data(), w.data(), cj.data());
    EXPECT_NEAR(cj[0], std::sqrt(2.0) / 3, 1e-16);
    EXPECT_EQ(cj[1], 0);
    EXPECT_NEAR(cj[2], 2 * std::sqrt(10.0) / 15, 1e-16);
    order = 0;  // the orthonormal family is the only order provided
    V keep(3, 4.0);
    mcvjac(&n, &one, &order, sq.data(), w.data(), keep.data());
    EXPECT_EQ(keep, V(3, 4.0));

    std::mt19937 g(29);
    for (int nd = 1; nd <= 4; ++nd)
        for (int nc : {1, 2, 5, 30, 61, 62}) {
            V cf = basis_ref::random_values(g, nc * nd), wk(nc), l(nc * nd), j(nc * nd);
            mcvlgd(&nc, &nd, cf.data(), wk.data(), l.data());
            order = -1;
            mcvjac(&nc, &nd, &order, cf.data(), wk.data(), j.data());
            for (int k = 0; k < nd; ++k)
                for (LD x : {-1.0L, -0.6L, 0.1L, 0.9L, 1.0L}) {
                    const LD direct = basis_ref::horner(cf.data() + k * nc, 1, nc, 0, x);
                    const LD tol = 1e-13 * basis_ref::abs_size(cf.data() + k * nc, 1, nc, 0, 1);
                    EXPECT_NEAR(legendre_series(l.data() + k * nc, nc, x, false), direct, tol) << nc;
                    EXPECT_NEAR(legendre_series(j.data() + k * nc, nc, x, true), direct, tol) << nc;
                }
            mcvlgd(&nc, &nd, cf.data(), wk.data(), cf.data());  // in place
            EXPECT_EQ(cf, l);
        }
}

TEST_F(Basis, LegendreTraces) {
    int n = 4, nd = 2, order = -1;
    V cf(8, 1.0), w(4), out(8);
    rec::set_level(5);
    mcvlgd(&n, &nd, cf.data(), w.data(), out.data());
    mcvjac(&n, &nd, &order, cf.data(), w.data(), out.data());
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"MCVLGD", "MCANLG", "MCANLG", "MCVJAC", "MCANJC",
                                                                  "MCANJC"}));
    EXPECT_EQ(rec::names(Kind::Exit), (std::vector<std::string>{"MCANLG", "MCANLG", "MCVLGD"}));
}

TEST_F(Basis, PatchToLegendre) {
    std::mt19937 g(31);
    const int ndu = 3, ndv = 5, nu = ndu + 1, nv = ndv + 1;
    V p = basis_ref::random_values(g, nu * nv * 3), w(3 * nu * nv + 6), pl(p.size());
    mpclgd(&ndu, &ndv, p.data(), w.data(), pl.data());
    for (int c = 0; c < 3; ++c)
        for (double x : {-0.9, 0.2, 1.0})
            for (double y : {-1.0, 0.45}) {
                LD direct = 0, series = 0;
                for (int i = 0; i < nu; ++i)
                    for (int j = 0; j < nv; ++j) {
                        const int at = c * nu * nv + j * nu + i;
                        direct += p[at] * std::pow(static_cast<LD>(x), i) * std::pow(static_cast<LD>(y), j);
                        series += pl[at] * boost::math::legendre_p(i, x) * boost::math::legendre_p(j, y);
                    }
                EXPECT_NEAR(series, direct, 1e-13);
            }
    V inplace = p;
    mpclgd(&ndu, &ndv, inplace.data(), w.data(), inplace.data());
    EXPECT_EQ(inplace, pl);
}

TEST_F(Basis, TrueDegree) {
    int nd = 2, n = 5, nr = 0, ic = -1;
    V c{1, 2, 0, 3, 0, 1, 0, 0, 0, 0};
    udegcv(&nd, &n, c.data(), &nr, &ic);
    EXPECT_EQ(nr, 3);
    EXPECT_EQ(ic, 0);
    V k{4, 5, 0, 0, 0, 0};
    n = 3;
    udegcv(&nd, &n, k.data(), &nr, &ic);
    EXPECT_EQ(nr, 1);
    EXPECT_EQ(ic, 1);
    k[5] = std::nan("");
    udegcv(&nd, &n, k.data(), &nr, &ic);
    EXPECT_EQ(nr, 3);
    EXPECT_EQ(ic, 0);
}

TEST_F(Basis, Transpositions) {
    V a(6);
    std::iota(a.begin(), a.end(), 1.0);  // A(2, 3)
    int ldb = 4, n1 = 2, n2 = 3, n3 = 2;
    V b(8, 0.0), b2(8, 0.0);
    mcvinv(&ldb, &n1, &n2, a.data(), b.data());  // B(j, i) = A(i, j)
    EXPECT_EQ(b, (V{1, 3, 5, 0, 2, 4, 6, 0}));
    int k1 = 3;
    minvcv(&ldb, &k1, &n3, a.data(), b2.data());
    EXPECT_EQ(b2, b);

    int idir = 1, lda = 2, na = 3, ier = -1, ldb5 = 3;
    V t(6, 0.0), back(6, 0.0);
    mfmcb5(&idir, &lda, &na, a.data(), &na, &ldb5, &n1, t.data(), &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(t, (V{1, 3, 5, 2, 4, 6}));
    idir = -1;
    mfmcb5(&idir, &lda, &na, back.data(), &na, &ldb5, &n1, t.data(), &ier);
    EXPECT_EQ(back, a);
    int big = 3;
    mfmcb5(&idir, &lda, &na, back.data(), &na, &ldb5, &big, t.data(), &ier);
    EXPECT_EQ(ier, 3119);
    idir = 0;
    mfmcb5(&idir, &lda, &na, back.data(), &na, &ldb5, &n1, t.data(), &ier);
    EXPECT_EQ(ier, 3164);
    idir = 1;
    int unit = 1;
    V row(3, 0.0);
    mfmcb5(&idir, &unit, &na, a.data(), &na, &na, &unit, row.data(), &ier);
    EXPECT_EQ(ier, -3136);
    EXPECT_EQ(row, (V{1, 2, 3}));
    EXPECT_EQ(rec::codes("MFMCB5"), (std::vector<int>{3119, 3164, -3136}));

    // A(N3, N1, N2) <-> B(N1, N2, N3).
    V a3(12), b3(12, 0.0), a3back(12, 0.0);
    std::iota(a3.begin(), a3.end(), 1.0);
    int i1 = 2, i2 = 2, i3 = 3, la1 = 3, la2 = 2, na3 = 2;
    idir = 1;
    mfmca5(&idir, &la1, &la2, &na3, a3.data(), &i1, &i2, &i1, &i2, &i3, b3.data(), &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(b3[0 + 2 * 1 + 4 * 2], a3[2 + 3 * 0 + 6 * 1]);  // B(1, 2, 3) = A(3, 1, 2)
    idir = -1;
    mfmca5(&idir, &la1, &la2, &na3, a3back.data(), &i1, &i2, &i1, &i2, &i3, b3.data(), &ier);
    EXPECT_EQ(a3back, a3);
    idir = 2;
    mfmca5(&idir, &la1, &la2, &na3, a3back.data(), &i1, &i2, &i1, &i2, &i3, b3.data(), &ier);
    EXPECT_EQ(ier, 3163);
    int n3big = 4;  // more than LDA1
    mfmca5(&idir, &la1, &la2, &na3, a3back.data(), &i1, &i2, &i1, &i2, &n3big, b3.data(), &ier);
    EXPECT_EQ(ier, 3133);
    EXPECT_EQ(rec::codes("MFMCA5"), (std::vector<int>{3163, 3133}));
}

// Widening and narrowing re-layouts in place, in each of their three ways.
TEST_F(Basis, RelayoutInPlace) {
    struct Shape { int lda, na2, ldb, nb2; };
    for (Shape s : {Shape{2, 3, 2, 3}, Shape{2, 3, 2, 5}, Shape{2, 3, 4, 3}, Shape{3, 2, 5, 4}}) {
        int nblk = 3, unused = 0;
        const int wide = s.ldb * s.nb2 * nblk;
        V buf(wide, -1.0), ref(wide, -1.0), a(s.lda * s.na2 * nblk);
        std::iota(a.begin(), a.end(), 1.0);
        std::copy(a.begin(), a.end(), buf.begin());
        mfmca8(&s.lda, &s.na2, &nblk, &s.ldb, &s.nb2, &unused, buf.data(), buf.data());
        for (int k = 0; k < nblk; ++k)
            for (int j = 0; j < s.na2; ++j)
                for (int i = 0; i < s.lda; ++i)
                    EXPECT_EQ(buf[(k * s.nb2 + j) * s.ldb + i], a[(k * s.na2 + j) * s.lda + i]);
        mfmca9(&s.ldb, &s.nb2, &unused, &s.lda, &s.na2, &nblk, buf.data(), buf.data());
        EXPECT_TRUE(std::equal(a.begin(), a.end(), buf.begin())) << s.lda << s.na2 << s.ldb << s.nb2;
    }
}

}  // namespace
