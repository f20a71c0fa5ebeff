// Dense linear systems: both families against Eigen and LAPACK on seeded
// random systems, the pivot rules, the codes, the message and the traces.
#include <Eigen/Dense>
#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "tests/support/fixture.hpp"

extern "C" void dgesv_(const int*, const int*, double*, const int*, int*, double*, const int*, int*);

namespace {

using Vec = std::vector<double>;
using Mat = Eigen::MatrixXd;
using rec::Kind;
using LinearSystems = testing_support::Recorded;

Mat view(const Vec& v, int n, int m, int ld) {
    return Eigen::Map<const Mat, 0, Eigen::OuterStride<>>(v.data(), n, m, Eigen::OuterStride<>(ld));
}

TEST_F(LinearSystems, BothFamiliesMatchEigenAndLapack) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int n : {1, 2, 3, 5, 8, 12, 20, 70}) {
        const int ld = n + 2, nrhs = 3, ipad = n;  // row n (0-based) is padding, set to 99
        Vec a(ld * n, 99.0), b(ld * nrhs, 99.0);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i) a[j * ld + i] = u(rng), b[(j % nrhs) * ld + i] = u(rng);
        auto la = a, lb = b, rb = b, xd = b, xi = b, aw = a;
        std::vector<int> ipiv(n);
        int info;
        dgesv_(&n, &nrhs, la.data(), &ld, ipiv.data(), lb.data(), &ld, &info);
        const Mat x = view(lb, n, nrhs, ld), xt = view(a, n, n, ld).transpose().partialPivLu().solve(view(b, n, nrhs, ld));
        const double eps = 1e-14, tol = 1e-9 * (1.0 + x.norm() + xt.norm());
        Vec w((n + nrhs) * n), col(n);
        int c[3];
        rslw(a.data(), rb.data(), &n, &nrhs, col.data(), aw.data(), &ld, nullptr, &eps, &c[0]);
        mrslwd(&ld, &n, &nrhs, a.data(), b.data(), &eps, w.data(), xd.data(), &c[1]);
        mrslwi(&ld, &n, &nrhs, a.data(), b.data(), &eps, w.data(), xi.data(), &c[2]);
        EXPECT_EQ(std::vector<int>(c, c + 3), (std::vector<int>{1, 0, 0})) << n;
        EXPECT_LT(std::max({(view(rb, n, nrhs, ld) - x).norm(), (view(xd, n, nrhs, ld) - x).norm(),
                            (view(xi, n, nrhs, ld) - xt).norm()}), tol) << n;
        EXPECT_EQ(rb[ipad] + xd[ipad] + xi[ld + ipad] + aw[ipad], 4 * 99.0);  // padding untouched
    }
    EXPECT_TRUE(rec::events().empty());  // trace level 0: no trace, no report
}

TEST_F(LinearSystems, FirstPivotAmongEqualsAndPivotEqualToEpsRefused) {
    // Column 1 holds 1, -2, 2: row 2 leads, so the first reduced row is row 2 / -2.
    double a[9] = {1, -2, 2, 5, 3, 7, 0, 1, 4}, b[3] = {1, 1, 1}, zero = 0;
    int three = 3, one = 1, two = 2, ier;
    rslv(a, b, &three, &three, &zero, &ier);
    EXPECT_EQ(std::pair(ier, a[3]), std::pair(1, -1.5));
    // The same system equation by equation: equation 2 moves to the front, and
    // the first coefficient of the equation it displaced is left as it was.
    double w[12] = {1, 5, 0, 1, -2, 3, 1, 1, 2, 7, 4, 1}, x[3];
    mrslw(&three, &three, &one, &zero, w, x, &ier);
    EXPECT_EQ(std::tuple(ier, w[0], w[4]), std::tuple(0, -2.0, 1.0));
    EXPECT_NEAR(x[0], b[0], 1e-14);

    const double d[4] = {0.5, 0, 0, 0.25}, rhs[2] = {1, 1}, quarter = 0.25, below = std::nextafter(0.25, 0.0);
    for (int level : {0, 1}) {
        rec::reset();
        rec::set_level(level);
        double ad[4] = {0.5, 0, 0, 0.25}, bd[2] = {1, 1};
        rslv(ad, bd, &two, &two, &quarter, &ier);
        EXPECT_EQ(std::pair(ier, rec::print_output()),
                  std::pair(2, std::string(level ? "   ERREUR DANS RSLV:MATRICE SINGULIERE    2\n" : "")));
    }
    double wd[6], xd[2];
    int refused, accepted;
    mrslwd(&two, &two, &one, d, rhs, &quarter, wd, xd, &refused);
    mrslwd(&two, &two, &one, d, rhs, &below, wd, xd, &accepted);
    EXPECT_EQ(std::pair(refused, accepted), std::pair(1, 0));
    EXPECT_EQ(xd[1], 4.0);
}

TEST_F(LinearSystems, SingularSystemsCodesTracesAndOutOfRangeCounts) {
    // Rank 2 (a last pivot of rounding size) and a zero column (singular for any EPS).
    const Vec rank2 = {1, 4, 7, 2, 5, 8, 3, 6, 9}, zero_col = {0, 0, 0, 1, 2, 3, 4, 5, 7};
    const Vec b0 = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    int n = 3, ier;
    for (auto [src, eps] : {std::pair{rank2, 1e-10}, {zero_col, 0.0}, {zero_col, -1.0}}) {
        Vec a = src, b = b0, aw(9), x(3), w(18);
        rslw(a.data(), b.data(), &n, &n, x.data(), aw.data(), &n, nullptr, &eps, &ier);
        EXPECT_EQ(std::pair(ier, b), std::pair(2, b0));  // stopped at the first column
        rec::reset();
        rec::set_level(3);
        int wd, wi;
        mrslwd(&n, &n, &n, a.data(), b0.data(), &eps, w.data(), b.data(), &wd);
        mrslwi(&n, &n, &n, a.data(), b0.data(), &eps, w.data(), b.data(), &wi);
        EXPECT_EQ(std::pair(wd, wi), std::pair(1, 1));
        using Names = std::vector<std::string>;  // mrslwd reports nothing, mrslwi no exit
        EXPECT_EQ(std::tuple(rec::names(Kind::Enter), rec::names(Kind::Exit), rec::names(Kind::Error)),
                  std::tuple(Names{"MRSLWD", "MRSLWI"}, Names{"MRSLWD"}, Names{"MRSLWI"}));
        EXPECT_EQ(rec::codes("MRSLWI"), std::vector<int>{1});
    }
    double a[4] = {1, 0, 0, 1}, b[2] = {3, 4}, x[2] = {7, 7}, w[6], eps = 0;
    int zero = 0, one = 1, two = 2, neg = -1, c[5] = {9, 9, 9, 9, 9};
    mrslw(&two, &zero, &one, &eps, w, x, &c[0]);                // N < 1: nothing written
    mrslw(&one, &two, &one, &eps, w, x, &c[1]);                 // LDX < N
    mrslwd(&two, &two, &neg, a, b, &eps, w, x, &c[2]);          // NRHS < 0
    rslw(a, b, &two, &zero, x, w, &two, nullptr, &eps, &c[3]);  // NRHS < 1 leaves IER
    rslv(a, b, &two, &one, &eps, &c[4]);                        // LDA < N: refused, no line
    EXPECT_EQ(std::vector<int>(c, c + 5), (std::vector<int>{0, 1, 1, 9, 2}));
    EXPECT_EQ(x[0] + b[0], 10.0);  // untouched
    EXPECT_EQ(rec::print_output(), "");
}

}  // namespace
