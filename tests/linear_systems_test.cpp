// Dense linear systems: both families against Eigen and LAPACK on seeded
// random systems, their pivot rules, codes, message and traces.
#include <Eigen/Dense>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"

extern "C" void dgesv_(const int* n, const int* nrhs, double* a, const int* lda, int* ipiv, double* b,
                       const int* ldb, int* info);

namespace {

using Mat = Eigen::MatrixXd;
using rec::Kind;

struct LinearSystems : testing_support::Recorded {
    std::mt19937 rng{20240611};
    // Column-major n x m block with leading dimension ld, padding rows set to 99.
    std::vector<double> random(int n, int m, int ld) {
        std::uniform_real_distribution<double> u(-1.0, 1.0);
        std::vector<double> v(static_cast<std::size_t>(ld) * m, 99.0);
        for (int j = 0; j < m; ++j)
            for (int i = 0; i < n; ++i) v[j * ld + i] = u(rng);
        return v;
    }
    static Mat block(const std::vector<double>& v, int n, int m, int ld) {
        return Eigen::Map<const Mat, 0, Eigen::OuterStride<>>(v.data(), n, m, Eigen::OuterStride<>(ld));
    }
};

TEST_F(LinearSystems, BothFamiliesMatchEigenAndLapack) {
    for (int n : {1, 2, 3, 5, 8, 12, 20}) {
        const int ld = n + 2, nrhs = 3, m = n + nrhs;
        auto a = random(n, n, ld), b = random(n, nrhs, ld);
        const Mat ea = block(a, n, n, ld), eb = block(b, n, nrhs, ld);
        const Mat x = ea.partialPivLu().solve(eb), xt = ea.transpose().partialPivLu().solve(eb);
        auto la = a, lb = b;
        std::vector<int> ipiv(n);
        int info = -1;
        dgesv_(&n, &nrhs, la.data(), &ld, ipiv.data(), lb.data(), &ld, &info);
        ASSERT_EQ(info, 0);
        const Mat xl = block(lb, n, nrhs, ld);
        const double tol = 1e-9 * (1.0 + x.norm());
        int ier = 0;
        const double eps = 1e-14;
        auto rb = b;
        std::vector<double> xw(n), aw(a.size(), 99.0);
        rslw(a.data(), rb.data(), &n, &nrhs, xw.data(), aw.data(), &ld, nullptr, &eps, &ier);
        EXPECT_EQ(ier, 1);
        EXPECT_LT((block(rb, n, nrhs, ld) - xl).norm(), tol) << n;
        EXPECT_EQ(rb[n], 99.0);  // padding rows untouched

        std::vector<double> w(static_cast<std::size_t>(m) * n), xd(b.size(), 99.0), xi(b.size(), 99.0);
        mrslwd(&ld, &n, &nrhs, a.data(), b.data(), &eps, w.data(), xd.data(), &ier);
        EXPECT_EQ(ier, 0);
        mrslwi(&ld, &n, &nrhs, a.data(), b.data(), &eps, w.data(), xi.data(), &ier);
        EXPECT_EQ(ier, 0);
        EXPECT_LT((block(xd, n, nrhs, ld) - x).norm(), tol) << n;
        EXPECT_LT((block(xi, n, nrhs, ld) - xt).norm(), 1e-9 * (1.0 + xt.norm())) << n;
        EXPECT_EQ(xd[n], 99.0);
        EXPECT_EQ(block(a, n, n, ld), ea);
    }
    EXPECT_EQ(rec::events().size(), 0u);  // level 0: no trace, no report
}

TEST_F(LinearSystems, FirstRowAmongEqualPivotsAndPivotEqualToEpsRefused) {
    // Column 1 holds 1, -2, 2: row 2 is the pivot, so the first reduced row is row 2 / -2.
    double a[9] = {1, -2, 2, 5, 3, 7, 0, 1, 4}, b[3] = {1, 1, 1}, eps = 0.0;
    int n = 3, ier = 0;
    rslv(a, b, &n, &n, &eps, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(a[3], -1.5);
    EXPECT_EQ(a[6], -0.5);
    // The augmented family: equation r is column r of W; equations 2 and 3 tie.
    double w[12] = {1, 5, 0, 1, -2, 3, 1, 1, 2, 7, 4, 1}, x[3];
    int one = 1;
    mrslw(&n, &n, &one, &eps, w, x, &ier);  // M = 4
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(w[0], -2.0);
    EXPECT_EQ(w[4], 1.0);

    // diag(0.5, 0.25): a pivot equal to EPS is singular for both families.
    double d[4] = {0.5, 0, 0, 0.25}, rhs[2] = {1, 1}, quarter = 0.25, wd[6], xd[2];
    int two = 2;
    for (int level : {0, 1}) {
        rec::reset();
        rec::set_level(level);
        double ad[4] = {0.5, 0, 0, 0.25}, bd[2] = {1, 1};
        rslv(ad, bd, &two, &two, &quarter, &ier);
        EXPECT_EQ(ier, 2);
        EXPECT_EQ(rec::print_output(), level ? "   ERREUR DANS RSLV:MATRICE SINGULIERE    2\n" : "");
    }
    mrslwd(&two, &two, &one, d, rhs, &quarter, wd, xd, &ier);
    EXPECT_EQ(ier, 1);
    const double below = std::nextafter(0.25, 0.0);
    mrslwd(&two, &two, &one, d, rhs, &below, wd, xd, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(xd[1], 4.0);
}

TEST_F(LinearSystems, SingularAndNearlySingularWithoutDividingByZero) {
    // Rank 2; elimination leaves a last pivot of rounding size (or zero).
    const double a0[9] = {1, 4, 7, 2, 5, 8, 3, 6, 9}, b0[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const double zero_col[9] = {0, 0, 0, 1, 2, 3, 4, 5, 7};
    int n = 3, nrhs = 3, ier = 0;
    for (double eps : {1e-10, 0.0, -1.0}) {
        for (const double* src : {a0, zero_col}) {
            if (src == a0 && eps <= 0.0) continue;  // a rounding-size pivot is legitimately accepted
            double a[9], b[9], aw[9], x[3], w[18];
            std::copy(src, src + 9, a);
            std::copy(b0, b0 + 9, b);
            rslw(a, b, &n, &nrhs, x, aw, &n, nullptr, &eps, &ier);
            EXPECT_EQ(ier, 2);
            EXPECT_TRUE(std::equal(b, b + 9, b0));  // stopped at the first column
            mrslwd(&n, &n, &nrhs, a, b0, &eps, w, b, &ier);
            EXPECT_EQ(ier, 1);
            rec::reset();
            rec::set_level(2);
            mrslwi(&n, &n, &nrhs, a, b0, &eps, w, b, &ier);
            EXPECT_EQ(ier, 1);
            EXPECT_EQ(rec::codes("MRSLWI"), std::vector<int>{1});
            EXPECT_EQ(rec::names(Kind::Enter), std::vector<std::string>{"MRSLWI"});
            EXPECT_EQ(rec::count(Kind::Exit), 0);
        }
    }
}

TEST_F(LinearSystems, TracesCountsAndOutOfRangeArguments) {
    double a[4] = {1, 0, 0, 1}, b[2] = {3, 4}, x[2] = {7, 7}, w[6], eps = 0;
    int two = 2, one = 1, zero = 0, neg = -1, ier = 5;
    rec::set_level(3);
    mrslwd(&two, &two, &one, a, b, &eps, w, x, &ier);
    EXPECT_EQ(ier, 0);
    mrslwd(&two, &two, &neg, a, b, &eps, w, x, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"MRSLWD", "MRSLWD"}));
    EXPECT_EQ(rec::count(Kind::Exit, "MRSLWD"), 2);
    EXPECT_EQ(rec::count(Kind::Error), 0);  // mrslwd reports nothing

    x[0] = x[1] = 7;
    ier = 5;
    mrslw(&two, &zero, &one, &eps, w, x, &ier);  // N < 1
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(x[0], 7.0);
    mrslw(&one, &two, &one, &eps, w, x, &ier);  // LDX < N
    EXPECT_EQ(ier, 1);
    ier = 9;
    rslw(a, b, &two, &zero, x, w, &two, nullptr, &eps, &ier);  // NRHS < 1 leaves IER
    EXPECT_EQ(ier, 9);
    rslv(a, b, &two, &one, &eps, &ier);  // LDA < N: refused, nothing touched, no line
    EXPECT_EQ(ier, 2);
    EXPECT_EQ(b[0], 3.0);
    EXPECT_EQ(rec::print_output(), "");
    rslv(a, b, &zero, &one, &eps, &ier);
    EXPECT_EQ(ier, 1);
}

}  // namespace
