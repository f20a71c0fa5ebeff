// Symmetric eigenproblem (vpvpsy) against Eigen and LAPACK, and its fixed
// conventions: the reflection, the ordering, the sweep limit and the codes.
#include <Eigen/Dense>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"

extern "C" void dsyev_(const char*, const char*, const int*, double*, const int*, double*, double*, const int*,
                       int*, long, long);

namespace {

using Map = Eigen::Map<Eigen::MatrixXd, 0, Eigen::OuterStride<>>;

struct Eig : testing_support::Recorded {
    std::vector<double> a, d, v;
    int nsweep = -1, ier = -1;
    double offnrm = -1;
    void run(int n, int lda, double eps) {
        d.assign(n > 0 ? n : 1, -7.0);
        v.assign(a.size(), -7.0);
        vpvpsy(a.data(), &n, &lda, &eps, d.data(), v.data(), &nsweep, &offnrm, &ier);
    }
    // FNV-1a over the bits of every result.
    std::uint64_t digest(std::uint64_t h) const {
        const auto mix = [&h](const void* p, std::size_t bytes) {
            for (std::size_t k = 0; k < bytes; ++k) h = (h ^ static_cast<const unsigned char*>(p)[k]) * 1099511628211u;
        };
        mix(a.data(), 8 * a.size()), mix(d.data(), 8 * d.size()), mix(v.data(), 8 * v.size());
        mix(&offnrm, 8), mix(&nsweep, 4);
        return h;
    }
};

TEST_F(Eig, MatchesEigenAndLapackOnRandomMatrices) {
    std::mt19937 rng(77);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::uint64_t bits = 1469598103934665603u;
    for (int n : {2, 3, 4, 6, 9, 12, 25}) {
        const int lda = n + 1, lwork = 64 * n;
        Eigen::MatrixXd m = Eigen::MatrixXd::NullaryExpr(n, n, [&] { return u(rng); });
        m = (m + m.transpose()).eval();
        a.assign(lda * n, 0.0);
        Map(a.data(), n, n, Eigen::OuterStride<>(lda)) = m;
        std::vector<double> la = a, lw(n), work(lwork);
        int info;
        dsyev_("N", "U", &n, la.data(), &lda, lw.data(), work.data(), &lwork, &info, 1, 1);
        run(n, lda, 1e-13);
        ASSERT_EQ(ier, 0) << n;
        EXPECT_LT(offnrm, 1e-12);
        bits = digest(bits);
        const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> es(m);
        const Map vv(v.data(), n, n, Eigen::OuterStride<>(lda)), ra(a.data(), n, n, Eigen::OuterStride<>(lda));
        EXPECT_EQ(ra, ra.transpose());  // both triangles written alike
        EXPECT_LT((vv.transpose() * vv - Eigen::MatrixXd::Identity(n, n)).norm(), 1e-13);
        for (int i = 0, k = n - 1; i < n; ++i, --k) {  // the peers ascend
            EXPECT_NEAR(d[i], es.eigenvalues()(k), 1e-12) << n;
            EXPECT_NEAR(d[i], lw[k], 1e-12) << n;
            EXPECT_NEAR(std::abs(vv.col(i).dot(es.eigenvectors().col(k))), 1.0, 1e-10) << n << " " << i;
        }
    }
    // Every bit as the plain pair-by-pair sweep gave them: the order in which
    // the solver schedules its work must not change a result.
    EXPECT_EQ(bits, 15868323643188898483u);
}

TEST_F(Eig, OneSweepWithoutLimitAndTheFortyFiveDegreeReflection) {
    testing_support::fill_block({.nitnr = 0});  // as if the block were never set: exactly one sweep
    rec::set_level(2);
    a = {1, 0.5, 0.5, 1};  // equal diagonal entries
    run(2, 2, 1e-12);
    const double r = std::sqrt(0.5);
    EXPECT_EQ(std::pair(ier, nsweep), std::pair(1, 1));  // the diagonal moved by more than EPS
    EXPECT_EQ(v, (std::vector<double>{r, r, r, -r}));  // [[c, s], [s, -c]]
    EXPECT_NEAR(d[0] - d[1], 1.0, 1e-15);
    EXPECT_EQ(rec::names(rec::Kind::Enter), std::vector<std::string>{"VPVPSY"});
    EXPECT_EQ(rec::count(rec::Kind::Exit, "VPVPSY"), 1);
    EXPECT_EQ(rec::codes("VPVPSY"), std::vector<int>{1});
}

TEST_F(Eig, NotANumberEndsTheSweeps) {
    // Found by fuzzing: a NaN or an infinity in A made S NaN or infinite, so
    // the sweep limit was NITNR, and every sweep ran on NaN. Now the sweeps
    // stop at the first NaN on the diagonal: code 1 at once.
    testing_support::fill_block({.nitnr = 2147483647});
    for (int n : {3, 6, 16, 40})
        for (double bad : {NAN, INFINITY}) {
            a.assign(static_cast<std::size_t>(n) * n, 0.0);
            for (int i = 0; i < n; ++i) a[i * n + i] = i + 1.0;
            a[1] = a[n] = bad;
            run(n, n, 1e-12);
            EXPECT_TRUE(ier == 1 && nsweep <= 2) << n << ": code " << ier << ", " << nsweep << " sweeps";
        }
}

TEST_F(Eig, NearlyDiagonalMatrixIsOnlySortedStably) {
    a = {1, 1e-14, 0, 0, 1e-14, 3, 0, 0, 0, 0, 1, 0, 0, 0, 0, 3};  // off-diagonal below EPS
    run(4, 4, 1e-12);
    EXPECT_EQ(std::vector<double>({double(ier), double(nsweep), offnrm}), std::vector<double>(3, 0.0));
    EXPECT_EQ(d, (std::vector<double>{3, 3, 1, 1}));
    EXPECT_EQ(v, (std::vector<double>{0, 1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 0}));
}

TEST_F(Eig, DegenerateOrdersAndRefusedArguments) {
    run(0, 1, 1e-12);
    EXPECT_EQ(std::pair(offnrm, ier), std::pair(0.0, 0));
    a = {2, 1, 1, 2};
    for (double eps : {0.0, -1.0, std::nan("")}) {
        offnrm = -1;
        run(2, 2, eps);
        EXPECT_EQ(std::vector<double>({offnrm, d[0], v[0], double(nsweep), double(ier)}),
                  std::vector<double>({-1, -7, -7, 0, 11}));
    }
    run(2, 1, 1e-12);  // LDA < N
    EXPECT_EQ(ier, 12);
    EXPECT_EQ(rec::codes("VPVPSY"), (std::vector<int>{11, 11, 11, 12}));
    EXPECT_EQ(a, (std::vector<double>{2, 1, 1, 2}));
}

}  // namespace
