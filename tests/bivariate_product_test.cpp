// Products of bivariate polynomials in canonical and Bernstein form.
#include <cmath>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using testing_support::Recorded;

double binom(int n, int k) {
    double r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

// A bivariate block P(ld1, ld2) with nu x nv random coefficients.
struct Poly2 {
    int ld1, ld2, nu, nv;
    std::vector<double> a;
    double& operator()(int i, int j) { return a[(j - 1) * ld1 + (i - 1)]; }
};

Poly2 random_poly(std::mt19937& gen, int nu, int nv, int ld1, int ld2) {
    std::uniform_real_distribution<double> u(-1, 1);
    Poly2 p{ld1, ld2, nu, nv, std::vector<double>(static_cast<std::size_t>(ld1 * ld2), 99.0)};
    for (int j = 1; j <= nv; ++j)
        for (int i = 1; i <= nu; ++i) p(i, j) = u(gen);
    return p;
}

double eval_canonical(Poly2& p, double u, double v) {
    double s = 0;
    for (int j = 1; j <= p.nv; ++j)
        for (int i = 1; i <= p.nu; ++i) s += p(i, j) * std::pow(u, i - 1) * std::pow(v, j - 1);
    return s;
}

double eval_bernstein(Poly2& p, double u, double v) {
    double s = 0;
    const int n = p.nu - 1, m = p.nv - 1;
    for (int j = 0; j <= m; ++j)
        for (int i = 0; i <= n; ++i)
            s += p(i + 1, j + 1) * binom(n, i) * std::pow(u, i) * std::pow(1 - u, n - i) * binom(m, j) *
                 std::pow(v, j) * std::pow(1 - v, m - j);
    return s;
}

// Canonical to Bernstein in both variables: b(j) = sum over i <= j of C(j, i)/C(n, i) a(i).
Poly2 to_bernstein(Poly2 p) {
    Poly2 out = p;
    for (int j = 1; j <= p.nv; ++j)
        for (int k = 0; k < p.nu; ++k) {
            double s = 0;
            for (int i = 0; i <= k; ++i) s += binom(k, i) / binom(p.nu - 1, i) * p(i + 1, j);
            out(k + 1, j) = s;
        }
    Poly2 res = out;
    for (int i = 1; i <= p.nu; ++i)
        for (int k = 0; k < p.nv; ++k) {
            double s = 0;
            for (int j = 0; j <= k; ++j) s += binom(k, j) / binom(p.nv - 1, j) * out(i, j + 1);
            res(i, k + 1) = s;
        }
    return res;
}

struct Product {
    int nur = -1, nvr = -1, ier = -1;
};

Product product(int base, Poly2& p, Poly2& q, int mode, Poly2& r) {
    Product out;
    if (base == 0)
        meqps2(&p.ld1, &p.ld2, p.a.data(), &p.nu, &p.nv, &q.ld1, &q.ld2, q.a.data(), &q.nu, &q.nv, &mode,
               &r.ld1, &r.ld2, r.a.data(), &out.nur, &out.nvr, &out.ier);
    else
        meqps5(&p.ld1, &p.ld2, p.a.data(), &p.nu, &p.nv, &q.ld1, &q.ld2, q.a.data(), &q.nu, &q.nv, &mode,
               &r.ld1, &r.ld2, r.a.data(), &out.nur, &out.nvr, &out.ier);
    r.nu = out.nur;
    r.nv = out.nvr;
    return out;
}

TEST_F(Recorded, ProductsEvaluateToTheProductInBothBases) {
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> t(0, 1);
    for (int k = 0; k < 40; ++k) {
        const int nu1 = 1 + k % 4, nv1 = 1 + k % 3, nu2 = 1 + (k / 4) % 5, nv2 = 1 + k % 2;
        Poly2 p = random_poly(gen, nu1, nv1, nu1 + 1, nv1 + 2);
        Poly2 q = random_poly(gen, nu2, nv2, nu2, nv2);
        Poly2 r = random_poly(gen, 1, 1, 12, 9);
        for (int base = 0; base < 2; ++base) {
            Product out = product(base, p, q, 0, r);
            ASSERT_EQ(out.ier, 0);
            ASSERT_EQ(out.nur, nu1 + nu2 - 1);
            ASSERT_EQ(out.nvr, nv1 + nv2 - 1);
            for (int s = 0; s < 5; ++s) {
                const double u = t(gen), v = t(gen);
                const double want = base == 0 ? eval_canonical(p, u, v) * eval_canonical(q, u, v)
                                              : eval_bernstein(p, u, v) * eval_bernstein(q, u, v);
                const double got = base == 0 ? eval_canonical(r, u, v) : eval_bernstein(r, u, v);
                EXPECT_NEAR(got, want, 1e-13);
            }
            // Outside the result block nothing is touched.
            EXPECT_EQ(r(r.nu + 1, 1), 99.0);
        }
    }
}

TEST_F(Recorded, BernsteinProductIsTheConvertedCanonicalProduct) {
    std::mt19937 gen(9);
    for (int k = 0; k < 20; ++k) {
        const int nu1 = 1 + k % 6, nv1 = 2 + k % 3, nu2 = 1 + (k * 7) % 5, nv2 = 1 + (k * 3) % 4;
        Poly2 p = random_poly(gen, nu1, nv1, nu1, nv1);
        Poly2 q = random_poly(gen, nu2, nv2, nu2, nv2);
        Poly2 rc = random_poly(gen, 1, 1, 12, 12), rb = rc;
        product(0, p, q, 0, rc);
        Poly2 pb = to_bernstein(p), qb = to_bernstein(q);
        product(1, pb, qb, 0, rb);
        Poly2 want = to_bernstein(rc);
        for (int j = 1; j <= rb.nv; ++j)
            for (int i = 1; i <= rb.nu; ++i) EXPECT_NEAR(rb(i, j), want(i, j), 1e-13) << i << "," << j;
    }
}

TEST_F(Recorded, ModesSetAddSubtract) {
    std::mt19937 gen(2);
    for (int base = 0; base < 2; ++base) {
        Poly2 p = random_poly(gen, 3, 2, 3, 2), q = random_poly(gen, 2, 3, 2, 3);
        Poly2 r = random_poly(gen, 1, 1, 4, 4);
        product(base, p, q, 0, r);
        const Poly2 once = r;
        product(base, p, q, 1, r);  // add
        product(base, p, q, 7, r);  // any other value adds too
        for (int j = 1; j <= 4; ++j)
            for (int i = 1; i <= 4; ++i) EXPECT_NEAR(r.a[(j - 1) * 4 + i - 1], 3 * once.a[(j - 1) * 4 + i - 1], 1e-14);
        product(base, p, q, -1, r);
        product(base, p, q, -1, r);
        product(base, p, q, -1, r);
        for (double x : r.a) EXPECT_NEAR(x, 0.0, 1e-14);
    }
}

TEST_F(Recorded, SizeChecksAndReports) {
    std::mt19937 gen(4);
    Poly2 p = random_poly(gen, 3, 3, 3, 3), q = random_poly(gen, 3, 3, 3, 3);
    Poly2 small = random_poly(gen, 1, 1, 4, 5);  // needs 5 x 5
    EXPECT_EQ(product(0, p, q, 0, small).ier, 7134);
    EXPECT_EQ(rec::codes("MEQPS2"), std::vector<int>{7134});
    Product out = product(1, p, q, 0, small);
    EXPECT_EQ(out.ier, 2);
    EXPECT_EQ(out.nur, 5);
    // More than 61 coefficients in a direction.
    Poly2 wide = random_poly(gen, 40, 1, 40, 1), big = random_poly(gen, 1, 1, 80, 1);
    EXPECT_EQ(product(1, wide, wide, 0, big).ier, 1);
    EXPECT_EQ(product(0, wide, wide, 0, big).ier, 0);
    EXPECT_EQ(rec::codes("MEQPS5"), (std::vector<int>{2, 1}));
}

struct Dispatch {
    int nur = -1, nvr = -1, ier = -1;
};

Dispatch dispatch(Poly2& p, int nu1, Poly2& q, int ibase, Poly2& r) {
    Dispatch d;
    int mode = 0;
    meqps4(&p.ld1, &p.ld2, p.a.data(), &nu1, &p.nv, &q.ld1, &q.ld2, q.a.data(), &q.nu, &q.nv, &mode, &ibase,
           &r.ld1, &r.ld2, r.a.data(), &d.nur, &d.nvr, &d.ier);
    return d;
}

TEST_F(Recorded, DispatcherCodesInOrder) {
    std::mt19937 gen(8);
    Poly2 p = random_poly(gen, 3, 2, 3, 2), q = random_poly(gen, 2, 2, 2, 2);
    Poly2 r = random_poly(gen, 1, 1, 5, 3), tiny = random_poly(gen, 1, 1, 2, 2);
    rec::set_level(3);
    Dispatch d = dispatch(p, 4, q, 5, tiny);  // every check fails: the first one wins
    EXPECT_EQ(d.ier, 2);
    EXPECT_EQ(d.nur, 5);
    EXPECT_EQ(d.nvr, 3);
    EXPECT_EQ(dispatch(p, 4, q, 5, r).ier, 4);  // NU1 > LD1P
    EXPECT_EQ(dispatch(p, 3, q, 5, r).ier, 3);  // IBASE
    EXPECT_EQ(dispatch(p, 3, q, 1, r).ier, 0);
    EXPECT_EQ(rec::codes("MEQPS4"), (std::vector<int>{2, 4, 3}));
    EXPECT_EQ(rec::count(Kind::Enter, "MEQPS4"), 4);
    EXPECT_EQ(rec::count(Kind::Exit, "MEQPS4"), 4);
    EXPECT_EQ(rec::count(Kind::Enter, "MEQPS5"), 1);
    // A failure of the Bernstein product becomes code 1.
    rec::reset();
    Poly2 wide = random_poly(gen, 40, 1, 40, 1), big = random_poly(gen, 1, 1, 80, 1);
    EXPECT_EQ(dispatch(wide, 40, wide, 1, big).ier, 1);
    EXPECT_EQ(rec::codes("MEQPS5"), std::vector<int>{1});
    EXPECT_EQ(rec::codes("MEQPS4"), std::vector<int>{1});
}

TEST_F(Recorded, ScalarProductOfVectorPolynomials) {
    std::mt19937 gen(12);
    const int ld1 = 4, ld2 = 3, ndim = 3, nu1 = 3, nv1 = 2, nu2 = 2, nv2 = 3;
    std::vector<double> p(ld1 * ld2 * ndim), q(ld1 * ld2 * ndim);
    std::uniform_real_distribution<double> u(-1, 1);
    for (double& x : p) x = u(gen);
    for (double& x : q) x = u(gen);
    for (int base = 0; base < 2; ++base) {
        int ldr1 = 6, ldr2 = 6, nur, nvr, ier;
        std::vector<double> r(36, 5.0), want(36, 0.0);
        int a1 = ld1, a2 = ld2, d = ndim, n1 = nu1, m1 = nv1, n2 = nu2, m2 = nv2, b = base;
        meqps3(&a1, &a2, &d, p.data(), &n1, &m1, &a1, &a2, q.data(), &n2, &m2, &b, &ldr1, &ldr2, r.data(), &nur,
               &nvr, &ier);
        ASSERT_EQ(ier, 0);
        for (int k = 0; k < ndim; ++k) {
            int mode = k == 0 ? 0 : 1, t1, t2, e;
            meqps4(&a1, &a2, p.data() + k * ld1 * ld2, &n1, &m1, &a1, &a2, q.data() + k * ld1 * ld2, &n2, &m2,
                   &mode, &b, &ldr1, &ldr2, want.data(), &t1, &t2, &e);
        }
        for (int j = 0; j < nvr; ++j)
            for (int i = 0; i < nur; ++i) EXPECT_DOUBLE_EQ(r[j * 6 + i], want[j * 6 + i]);
        // One component: a single product in set mode.
        d = 1;
        meqps3(&a1, &a2, &d, p.data(), &n1, &m1, &a1, &a2, q.data(), &n2, &m2, &b, &ldr1, &ldr2, r.data(), &nur,
               &nvr, &ier);
        std::vector<double> one(36, 0.0);
        int mode = 0, t1, t2, e;
        meqps4(&a1, &a2, p.data(), &n1, &m1, &a1, &a2, q.data(), &n2, &m2, &mode, &b, &ldr1, &ldr2, one.data(), &t1,
               &t2, &e);
        for (int j = 0; j < nvr; ++j)
            for (int i = 0; i < nur; ++i) EXPECT_EQ(r[j * 6 + i], one[j * 6 + i]);
    }
    // A size failure of the first component is reported under MEQPS3 too.
    rec::reset();
    int a1 = ld1, a2 = ld2, d = ndim, n1 = nu1, m1 = nv1, n2 = nu2, m2 = nv2, b = 0, small = 2, nur, nvr, ier;
    std::vector<double> r(4);
    meqps3(&a1, &a2, &d, p.data(), &n1, &m1, &a1, &a2, q.data(), &n2, &m2, &b, &small, &small, r.data(), &nur, &nvr,
           &ier);
    EXPECT_EQ(ier, 2);
    EXPECT_EQ(rec::codes("MEQPS3"), std::vector<int>{2});
    EXPECT_EQ(rec::count(Kind::Error, "MEQPS4"), 1);
}

}  // namespace
