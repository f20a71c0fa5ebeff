// Products of bivariate polynomials in canonical and Bernstein form.
#include <cmath>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using testing_support::Recorded;
using Codes = std::vector<int>;

// A block P(ld1, ld2) of which nu x nv coefficients are used; 99 elsewhere.
struct Poly2 {
    int ld1, ld2, nu, nv;
    std::vector<double> a;
    double& operator()(int i, int j) { return a[(j - 1) * ld1 + (i - 1)]; }
    // Value at (u, v); in the Bernstein basis when bern is set.
    double at(double u, double v, bool bern) {
        auto b = [bern](int n, int i, double x) {
            return bern ? ref::binom(n - 1, i - 1) * std::pow(x, i - 1) * std::pow(1 - x, n - i) : std::pow(x, i - 1);
        };
        double s = 0;
        for (int j = 1; j <= nv; ++j)
            for (int i = 1; i <= nu; ++i) s += (*this)(i, j) * b(nu, i, u) * b(nv, j, v);
        return s;
    }
};

Poly2 random_poly(std::mt19937& gen, int nu, int nv, int ld1, int ld2) {
    std::uniform_real_distribution<double> u(-1, 1);
    Poly2 p{ld1, ld2, nu, nv, std::vector<double>(static_cast<std::size_t>(ld1 * ld2), 99.0)};
    for (int j = 1; j <= nv; ++j)
        for (int i = 1; i <= nu; ++i) p(i, j) = u(gen);
    return p;
}

int product(int base, Poly2& p, Poly2& q, int mode, Poly2& r) {
    int ier = -1;
    (base == 0 ? meqps2 : meqps5)(&p.ld1, &p.ld2, p.a.data(), &p.nu, &p.nv, &q.ld1, &q.ld2, q.a.data(), &q.nu, &q.nv,
                                  &mode, &r.ld1, &r.ld2, r.a.data(), &r.nu, &r.nv, &ier);
    return ier;
}

TEST_F(Recorded, ProductsInBothBasesAndModes) {
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> t(0, 1);
    for (int k = 0; k < 40; ++k) {
        const int nu1 = 1 + k % 6, nv1 = 1 + k % 4, nu2 = 1 + (k / 4) % 5, nv2 = 1 + k % 2;
        Poly2 p = random_poly(gen, nu1, nv1, nu1 + 1, nv1 + 2), q = random_poly(gen, nu2, nv2, nu2, nv2);
        for (int base = 0; base < 2; ++base) {
            Poly2 r = random_poly(gen, 1, 1, 12, 9);
            ASSERT_EQ(product(base, p, q, 0, r), 0);
            ASSERT_TRUE(r.nu == nu1 + nu2 - 1 && r.nv == nv1 + nv2 - 1);
            EXPECT_EQ(r(r.nu + 1, 1), 99.0);  // nothing outside the block
            const double u = t(gen), v = t(gen), want = p.at(u, v, base == 1) * q.at(u, v, base == 1);
            EXPECT_NEAR(r.at(u, v, base == 1), want, 1e-13);
            product(base, p, q, 1, r);   // add
            product(base, p, q, 7, r);   // any other value adds too
            product(base, p, q, -1, r);  // subtract
            EXPECT_NEAR(r.at(u, v, base == 1), 2 * want, 1e-12);
        }
    }
}

TEST_F(Recorded, SizeChecksAndCodes) {
    std::mt19937 gen(4);
    Poly2 p = random_poly(gen, 3, 3, 3, 3), small = random_poly(gen, 1, 1, 4, 5);  // needs 5 x 5
    EXPECT_EQ(product(0, p, p, 0, small), 7134);
    EXPECT_EQ(product(1, p, p, 0, small), 2);
    EXPECT_EQ(small.nu, 5);
    Poly2 wide = random_poly(gen, 40, 1, 40, 1), big = random_poly(gen, 1, 1, 80, 1);
    EXPECT_EQ(product(1, wide, wide, 0, big), 1);  // 79 coefficients in u
    EXPECT_EQ(product(0, wide, wide, 0, big), 0);
    EXPECT_EQ(rec::codes("MEQPS2"), Codes{7134});
    EXPECT_EQ(rec::codes("MEQPS5"), (Codes{2, 1}));

    // The dispatcher's checks in order, all reported, traced at level 3.
    rec::set_level(3);
    Poly2 a = random_poly(gen, 3, 2, 3, 2), b = random_poly(gen, 2, 2, 2, 2), r = random_poly(gen, 1, 1, 5, 3);
    Poly2 tiny = random_poly(gen, 1, 1, 2, 2);
    auto dispatch = [&](int nu1, int ibase, Poly2& res) {
        int mode = 0, nur = -1, nvr = -1, ier = -1;
        meqps4(&a.ld1, &a.ld2, a.a.data(), &nu1, &a.nv, &b.ld1, &b.ld2, b.a.data(), &b.nu, &b.nv, &mode, &ibase,
               &res.ld1, &res.ld2, res.a.data(), &nur, &nvr, &ier);
        EXPECT_TRUE(nur == nu1 + 1 && nvr == 3);  // returned even on failure
        return ier;
    };
    EXPECT_EQ(dispatch(4, 5, tiny), 2);  // every check fails: the result size is checked first
    EXPECT_EQ(dispatch(4, 5, r), 4);     // NU1 > LD1P
    EXPECT_EQ(dispatch(3, 5, r), 3);     // IBASE
    EXPECT_EQ(dispatch(3, 1, r), 0);
    EXPECT_EQ(rec::codes("MEQPS4"), (Codes{2, 4, 3}));
    EXPECT_TRUE(rec::count(rec::Kind::Enter, "MEQPS4") == 4 && rec::count(rec::Kind::Exit, "MEQPS4") == 4);
}

// meqps3: the sum of the componentwise products; a size failure reported under its name.
TEST_F(Recorded, ScalarProductSumsTheComponentProducts) {
    std::mt19937 gen(4);
    std::vector<double> pv, qv, rv(36);
    Poly2 want = random_poly(gen, 1, 1, 6, 6);
    for (int k = 0; k < 3; ++k) {
        Poly2 p = random_poly(gen, 3, 2, 4, 3), q = random_poly(gen, 2, 3, 4, 3);
        pv.insert(pv.end(), p.a.begin(), p.a.end());
        qv.insert(qv.end(), q.a.begin(), q.a.end());
        ASSERT_EQ(product(1, p, q, k == 0 ? 0 : 1, want), 0);
    }
    int ld1 = 4, ld2 = 3, d = 3, n1 = 3, m1 = 2, n2 = 2, m2 = 3, base = 1, six = 6, two = 2, nur, nvr, ier;
    auto scalar = [&](const int* ldr) {
        meqps3(&ld1, &ld2, &d, pv.data(), &n1, &m1, &ld1, &ld2, qv.data(), &n2, &m2, &base, ldr, ldr, rv.data(), &nur,
               &nvr, &ier);
        return ier;
    };
    ASSERT_EQ(scalar(&six), 0);
    ASSERT_TRUE(nur == 4 && nvr == 4);
    for (int j = 1; j <= nvr; ++j)
        for (int i = 1; i <= nur; ++i) EXPECT_DOUBLE_EQ(rv[(j - 1) * 6 + i - 1], want(i, j));
    EXPECT_EQ(scalar(&two), 2);
    EXPECT_EQ(rec::codes("MEQPS3"), Codes{2});
}

}  // namespace
