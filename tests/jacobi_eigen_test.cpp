// Symmetric eigenproblem (vpvpsy) against Eigen and LAPACK, and its fixed
// conventions: the reflection, the ordering, the sweep limit and the codes.
#include <Eigen/Dense>
#include <cmath>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"

extern "C" void dsyev_(const char* jobz, const char* uplo, const int* n, double* a, const int* lda, double* w,
                       double* work, const int* lwork, int* info, long, long);

namespace {

using Map = Eigen::Map<Eigen::MatrixXd, 0, Eigen::OuterStride<>>;
using rec::Kind;

struct Eig : testing_support::Recorded {
    std::vector<double> a, d, v;
    int nsweep = -1, ier = -1;
    double offnrm = -1;
    void run(int n, int lda, double eps) {
        d.assign(n > 0 ? n : 1, -7.0);
        v.assign(a.size(), -7.0);
        vpvpsy(a.data(), &n, &lda, &eps, d.data(), v.data(), &nsweep, &offnrm, &ier);
    }
};

TEST_F(Eig, MatchesEigenAndLapackOnRandomMatrices) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int n : {2, 3, 4, 6, 9, 12}) {
        const int lda = n + 1;
        Eigen::MatrixXd m = Eigen::MatrixXd::NullaryExpr(n, n, [&] { return u(rng); });
        m = (m + m.transpose()).eval();
        a.assign(lda * n, 0.0);
        Map(a.data(), n, n, Eigen::OuterStride<>(lda)) = m;
        std::vector<double> la = a, lw(n), work(64 * n);
        const int lwork = 64 * n;
        int info = -1;
        dsyev_("N", "U", &n, la.data(), &lda, lw.data(), work.data(), &lwork, &info, 1, 1);
        run(n, lda, 1e-13);
        ASSERT_EQ(ier, 0) << n;
        EXPECT_GE(nsweep, 1);
        EXPECT_LT(offnrm, 1e-12);
        Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> es(m);
        const Map vv(v.data(), n, n, Eigen::OuterStride<>(lda));
        const Map ra(a.data(), n, n, Eigen::OuterStride<>(lda));
        EXPECT_EQ(ra, ra.transpose());  // both triangles written alike
        for (int i = 0; i < n; ++i) {
            const int k = n - 1 - i;  // the peers ascend
            EXPECT_NEAR(d[i], es.eigenvalues()(k), 1e-12) << n;
            EXPECT_NEAR(d[i], lw[k], 1e-12) << n;
            EXPECT_NEAR(std::abs(vv.col(i).dot(es.eigenvectors().col(k))), 1.0, 1e-10) << n << " " << i;
        }
        EXPECT_LT((vv.transpose() * vv - Eigen::MatrixXd::Identity(n, n)).norm(), 1e-13);
    }
}

TEST_F(Eig, EqualDiagonalGivesTheFortyFiveDegreeReflection) {
    testing_support::fill_block({.nitnr = 1});  // exactly one sweep
    a = {1, 0.5, 0.5, 1};
    run(2, 2, 1e-12);
    const double r = std::sqrt(0.5);
    EXPECT_EQ(ier, 1);  // one sweep, and the diagonal moved by more than EPS
    EXPECT_EQ(rec::codes("VPVPSY"), std::vector<int>{1});
    EXPECT_EQ(nsweep, 1);
    EXPECT_EQ(v, (std::vector<double>{r, r, r, -r}));  // [[c, s], [s, -c]], determinant -1
    EXPECT_NEAR(d[0], 1.5, 1e-15);
    EXPECT_NEAR(d[1], 0.5, 1e-15);
}

TEST_F(Eig, SweepLimitStillReturnsSortedResults) {
    testing_support::fill_block({.nitnr = 0});  // a block never set: one sweep
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    const int n = 6;
    a.assign(n * n, 0);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i <= j; ++i) a[j * n + i] = a[i * n + j] = u(rng);
    rec::set_level(2);
    run(n, n, 1e-12);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(nsweep, 1);
    EXPECT_GT(offnrm, 1e-6);
    EXPECT_TRUE(std::is_sorted(d.rbegin(), d.rend()));
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"VPVPSY"}));
    EXPECT_EQ(rec::count(Kind::Exit, "VPVPSY"), 1);
}

TEST_F(Eig, NearlyDiagonalMatrixIsOnlySorted) {
    // Off-diagonal entries below EPS count as zero: no sweep, a stable permutation.
    a = {1, 1e-14, 0, 0, 1e-14, 3, 0, 0, 0, 0, 1, 0, 0, 0, 0, 3};
    run(4, 4, 1e-12);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(nsweep, 0);
    EXPECT_EQ(offnrm, 0.0);
    EXPECT_EQ(d, (std::vector<double>{3, 3, 1, 1}));
    EXPECT_EQ(v, (std::vector<double>{0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 0}));
}

TEST_F(Eig, DegenerateOrdersAndRefusedArguments) {
    a = {-4};
    run(1, 1, 1e-12);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(d[0], -4.0);
    EXPECT_EQ(v[0], 1.0);
    EXPECT_EQ(offnrm, 0.0);
    EXPECT_EQ(nsweep, 0);
    run(0, 1, 1e-12);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(offnrm, 0.0);

    a = {2, 1, 1, 2};
    for (double eps : {0.0, -1.0, std::nan("")}) {
        offnrm = -1;
        run(2, 2, eps);
        EXPECT_EQ(ier, 11);
        EXPECT_EQ(nsweep, 0);
        EXPECT_EQ(offnrm, -1.0);
        EXPECT_EQ(d[0], -7.0);
        EXPECT_EQ(v[0], -7.0);
    }
    run(2, 1, 1e-12);  // LDA < N
    EXPECT_EQ(ier, 12);
    EXPECT_EQ(rec::codes("VPVPSY"), (std::vector<int>{11, 11, 11, 12}));
    EXPECT_EQ(a, (std::vector<double>{2, 1, 1, 2}));
}

}  // namespace
