// Evaluation of polynomials, curves and patches and their derivatives.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using rec::Kind;
using Vec = std::vector<double>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class Eval : public testing_support::Recorded {
protected:
    std::mt19937 rng{987654};
    double uni(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng); }
    int pick(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); }
    Vec random(int n) { return ref::random_values(rng, n, -2, 2); }
};

// The derivative curve of order R: each coefficient times its falling factorial.
Vec analytic_derivative(const Vec& c, int ndim, int nc, int r) {
    Vec d(ndim * std::max(nc - r, 1), 0.0);
    for (int j = 1; j <= nc - r; ++j) {
        long double f = 1;
        for (int m = j; m < j + r; ++m) f *= m;
        for (int i = 0; i < ndim; ++i) d[(j - 1) * ndim + i] = static_cast<double>(f * c[(j - 1 + r) * ndim + i]);
    }
    return d;
}

// Component I of the curve C(NDIM, NC) at T, within FACTOR times the sum of |c_k| |T|^k.
void expect_horner(double got, const Vec& c, int ndim, int nc, int i, double t, double factor) {
    EXPECT_NEAR(got, ref::horner(c.data(), ndim, nc, i, t), factor * ref::horner(c.data(), ndim, nc, i, t, true));
}

TEST_F(Eval, CurvePointsAgreeAcrossEntryPoints) {
    for (int trial = 0; trial < 300; ++trial) {
        int ndim = pick(1, 5), nc = pick(1, 12), ndimax = ndim + pick(0, 2);
        Vec c = random(ndim * nc), wide(ndimax * nc, kNaN), p(ndim), q(ndim);
        for (int j = 0; j < nc; ++j) std::copy_n(&c[j * ndim], ndim, &wide[j * ndimax]);
        double t = trial % 10 == 0 ? 1.0 : trial % 10 == 1 ? 0.0 : uni(-1.5, 1.5);
        pocurv(&ndim, &nc, c.data(), &t, p.data());
        mpocrb(&ndimax, &nc, wide.data(), &ndim, &t, q.data());
        EXPECT_EQ(p, q);  // rows past NDIM (NaN) are never read; all paths round alike
        if (ndim <= 3) {
            ndim == 1 ? upos(&nc, c.data(), &t, q.data()) : (ndim == 2 ? vpscr2 : vpscr3)(&nc, c.data(), &t, q.data());
            EXPECT_EQ(p, q);
            if (ndim == 1) EXPECT_EQ(polval(c.data(), &nc, &t), p[0]);
        }
        for (int i = 0; i < ndim; ++i) {
            double sum = 0;  // at T = 1 Horner adds the coefficients from the top down, exactly as here
            for (int j = nc - 1; j >= 0; --j) sum += c[j * ndim + i];
            if (t == 0.0 || t == 1.0) EXPECT_EQ(p[i], t == 0.0 ? c[i] : sum);
            expect_horner(p[i], c, ndim, nc, i, t, 1e-15 * nc);
        }
    }
}

TEST_F(Eval, ScalarProductsAndCurveEdgeCases) {
    int one = 1, two = 2, three = 3, four = 4, zero = 0, nc = 0;
    double c[12] = {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3}, t = 2, p[4], bad[6] = {1, kNaN, 2, 0, kInf, 0};
    pocurv(&four, &three, c, &t, p);
    EXPECT_EQ(Vec(p, p + 4), Vec(4, 17.0));
    pocurv(&four, &zero, c, &t, p);
    EXPECT_EQ(Vec(p, p + 4), Vec(4, 0.0));
    p[0] = 5;
    mpocrb(&two, &three, c, &three, &t, p);  // NDIM above NDIMAX: nothing read
    EXPECT_EQ(Vec(p, p + 3), Vec(3, 0.0));
    pocurv(&two, &three, bad, &t, p);
    EXPECT_TRUE(p[0] == kInf && std::isnan(p[1]));

    double a[2] = {1, 1}, b[2] = {1, -1}, ab[4] = {9, 9, 9, 9};
    polpol(&two, a, &two, b, &nc, ab);
    EXPECT_EQ(Vec(ab, ab + 4), (Vec{1, 0, -1, 9}));
    nc = -4;
    polpol(&zero, a, &two, b, &nc, ab);
    EXPECT_EQ(nc, -4);
    for (int trial = 0; trial < 50; ++trial) {
        int n1 = pick(1, 8), n2 = pick(1, 8), n3, n4, n5;
        Vec x = random(n1), y = random(n2), z(n1 + n2 - 1), dx(n1), dy(n1);
        double s = uni(-1, 1);
        polpol(&n1, x.data(), &n2, y.data(), &n3, z.data());
        EXPECT_NEAR(polval(z.data(), &n3, &s), polval(x.data(), &n1, &s) * polval(y.data(), &n2, &s), 1e-12);
        polder(x.data(), &n1, dx.data(), &n4);
        mcdriv(&one, &n1, x.data(), &one, &n5, dy.data());
        EXPECT_EQ(dx, dy);
    }
}

// The derivative curve by mcdriv, in place by cderiv and by derivc; its value
// at T by mdrvck and as one order of mdrvcb (orders from NCOEF on are 0).
TEST_F(Eval, DerivativeCurvesAndValues) {
    for (int trial = 0; trial < 300; ++trial) {
        int ndim = pick(1, 4), nc = pick(1, 15), r = pick(0, nc + 1), ncd = -1, nce = nc, ncf, ier = 5;
        Vec c = random(ndim * nc), d(ndim * nc), e = c, f(ndim * nc), k(ndim), all(ndim * (r + 1), 7.0);
        mcdriv(&ndim, &nc, c.data(), &r, &ncd, d.data());
        const Vec want = analytic_derivative(c, ndim, nc, r);
        ASSERT_EQ(ncd, std::max(nc - r, 1));
        EXPECT_EQ(Vec(d.begin(), d.begin() + want.size()), want);  // integer factors: exact
        cderiv(&nce, &ndim, e.data(), &r);
        EXPECT_EQ(nce, ncd);
        if (r >= nc) EXPECT_EQ(e, Vec(e.size(), 0.0));  // the whole array
        EXPECT_EQ(Vec(e.begin(), e.begin() + want.size()), want);
        derivc(&ndim, &nc, c.data(), &ncf, f.data());
        EXPECT_EQ(Vec(f.begin(), f.begin() + ndim * ncf), analytic_derivative(c, ndim, nc, 1));
        double t = uni(-1.2, 1.2);
        mdrvck(&nc, &ndim, c.data(), &r, &t, k.data());
        mdrvcb(&r, &ndim, &nc, c.data(), &t, all.data(), &ier);
        ASSERT_EQ(ier, 0);
        for (int i = 0; i < ndim; ++i) {
            expect_horner(k[i], want, ndim, ncd, i, t, 4e-16 * nc * nc);
            expect_horner(all[r * ndim + i], want, ndim, ncd, i, t, 4e-16 * nc * nc);
            for (int q = nc; q <= r; ++q) EXPECT_EQ(all[q * ndim + i], 0.0);
        }
    }
    EXPECT_EQ(rec::count(Kind::Request), 0);  // evaluators never ask for work space
}

TEST_F(Eval, DerivativeEdgeCases) {
    int ier, two = 2, one = 1, four = 4, zero = 0, neg = -1, ncd, big = 70, nb = 70;
    double cubic[4] = {0, 0, 0, 1}, t = 2, d[3], inf = kInf, dd[10], half = 0.5, p, dv[2];
    mdrvcb(&four, &two, &two, cubic, &inf, dd, &ier);  // orders above NCOEF-1 stay 0 even here
    EXPECT_EQ(Vec(dd + 4, dd + 10), Vec(6, 0.0));
    EXPECT_EQ(rec::count(Kind::Error), 0);
    rec::set_level(2);
    mdrvcb(&neg, &one, &four, cubic, &t, d, &ier);
    mdrvcb(&one, &one, &zero, cubic, &t, d, &ier);
    EXPECT_EQ(rec::codes("MDRVCB"), (std::vector<int>{1, 1}));
    EXPECT_TRUE(rec::count(Kind::Enter, "MDRVCB") == 2 && rec::count(Kind::Exit) == 0);

    // Past 61 coefficients the binomial table ends: the binomial-scaled
    // derivatives are 0 and the table is never read beyond its end.
    Vec c(big, 1.0), e = c, v(1, 9.0);
    mcdriv(&one, &big, c.data(), &one, &ncd, d);
    EXPECT_EQ(ncd + d[0], 1.0);
    mdrvck(&big, &one, c.data(), &two, &t, v.data());
    EXPECT_EQ(v[0], 0.0);
    cderiv(&nb, &one, e.data(), &zero);
    EXPECT_TRUE(nb == 1 && e == Vec(70, 0.0));
    mdrvcb(&one, &one, &big, c.data(), &half, dv, &ier);  // Horner needs no table
    pocurv(&one, &big, c.data(), &half, &p);
    EXPECT_EQ(dv[0], p);
    EXPECT_NEAR(dv[1], 4.0, 1e-12);  // d/dt 1/(1-t) at 1/2
}

// One random patch in the layouts (3, 21, NV), (3, NUMAX, NVMAX) and (NUMAX,
// NVMAX, 3); its partial derivatives against the derivative patches of derivt.
TEST_F(Eval, PatchLayoutsAndDerivatives) {
    int three = 3;
    for (int trial = 0; trial < 150; ++trial) {
        int nu = pick(1, 7), nv = pick(1, 7), numax = nu + pick(0, 2), nvmax = nv + pick(0, 2);
        Vec fixed(3 * 21 * nv, kNaN), first(3 * numax * nvmax, kNaN), last(first), p(3), q(3), w(3), ref(3), d(3);
        for (int j = 0; j < nv; ++j)
            for (int i = 0; i < nu; ++i)
                for (int k = 0; k < 3; ++k)
                    fixed[(j * 21 + i) * 3 + k] = first[(j * numax + i) * 3 + k] = last[(k * nvmax + j) * numax + i] =
                        uni(-2, 2);
        double u = uni(-1, 1), v = uni(-1, 1);
        posurf(fixed.data(), &nu, &nv, &u, &v, p.data());
        mpoca1(&numax, &nvmax, &three, last.data(), &nu, &nv, &u, &v, q.data());
        mpoca2(&three, &numax, &nvmax, first.data(), &three, &nu, &nv, &u, &v, w.data());
        EXPECT_TRUE(p == q && p == w);

        int idu = pick(0, 3), idv = pick(0, 3), mu = nu, mv = nv;
        Vec patch = fixed, next(patch.size());
        for (int step = 0; step < idu + idv; ++step, patch.swap(next)) {
            int dir = step < idu ? 1 : 2, nud, nvd;
            derivt(&mu, &mv, patch.data(), &nud, &nvd, next.data(), &dir);
            mu = nud, mv = nvd;
        }
        posurf(patch.data(), &mu, &mv, &u, &v, ref.data());
        mdrvpk(&three, &numax, &nu, &nv, first.data(), &u, &v, &idu, &idv, d.data());
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(d[k], ref[k], 1e-10 * (1 + std::fabs(ref[k])));
        if (idu + idv == 1) {
            (idu ? mdrpu1 : mdrpv1)(&three, &numax, &nu, &nv, first.data(), &u, &v, w.data());
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(w[k], ref[k], 1e-12 * (1 + std::fabs(ref[k])));
        }
    }
}

TEST_F(Eval, PatchEdgeCases) {
    int one = 1, two = 2, three = 3, zero = 0, big = 22, nud = -1, nvd = -1, dir = 3;
    Vec c(3 * 21 * 2, 1.0), d(c.size(), 5.0), p(15, 5.0);
    double u = 0.5, v = 0.5;
    posurf(c.data(), &zero, &two, &u, &v, p.data());
    posurf(c.data(), &big, &one, &u, &v, p.data() + 3);  // more rows than the layout holds
    mpoca2(&three, &one, &two, c.data(), &three, &two, &two, &u, &v, p.data() + 6);  // NU above NUMAX
    mdrpu1(&three, &two, &one, &two, c.data(), &u, &v, p.data() + 9);
    mdrvpk(&three, &two, &two, &two, c.data(), &u, &v, &two, &zero, p.data() + 12);
    EXPECT_EQ(p, Vec(15, 0.0));
    derivt(&two, &two, c.data(), &nud, &nvd, d.data(), &dir);
    EXPECT_TRUE(nud == -1 && d == Vec(d.size(), 5.0));
    dir = 1;
    derivt(&one, &two, c.data(), &nud, &nvd, d.data(), &dir);
    EXPECT_EQ(nud + nvd, 2);
    EXPECT_EQ(Vec(d.begin(), d.begin() + 3), Vec(3, 0.0));

    // vderiv with its own leading sizes; output rows past the input's are 0.
    Vec a(3 * 4 * 3), b(3 * 4 * 2);
    for (std::size_t i = 0; i < a.size(); ++i) a[i] = static_cast<double>(i + 1);
    int nui = 4, nvi = 3, nuo = 4, nvo = 2;
    vderiv(&nui, &nvi, a.data(), &nuo, &nvo, b.data(), &dir);
    EXPECT_EQ(Vec(b.begin() + 12, b.begin() + 15), (Vec{16, 17, 18}));  // COEFD(:,1,2) = COEF(:,2,2)
    EXPECT_EQ(Vec(b.begin() + 21, b.end()), Vec(3, 0.0));
    dir = 2;
    vderiv(&nui, &nvi, a.data(), &nuo, &nvo, b.data(), &dir);
    EXPECT_EQ(b[12], 2 * a[24]);  // COEFD(1,1,2) = 2 COEF(1,1,3)
}

}  // namespace
