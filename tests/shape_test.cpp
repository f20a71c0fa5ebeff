// Principal axes of point sets (mckpl0) and their verdict (mckent): sets
// sampled on a point, a line, a plane and a twisted curve with noise below
// and above the tolerance; moments against long-double references; codes.
#include <Eigen/Dense>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using testing_support::Recorded;
using V = std::vector<double>;

std::string verdict(int n, const V& eig, double tol) {
    char kind[6] = "-----";
    mckent(&n, eig.data(), &tol, kind, 5);
    EXPECT_EQ(kind[4], '-') << "a fifth character was written";
    return std::string(kind, 4);
}

struct Axes {
    V cov, result;
    int ier = -1;
};

Axes axes(int d, const V& pts) {
    Axes a;
    const int n = static_cast<int>(pts.size()) / d;
    a.cov.assign(d * d, -7.0);
    a.result.assign(2 * d + d * d + 1, -7.0);
    mckpl0(&d, &n, pts.data(), a.cov.data(), a.result.data(), &a.ier);
    return a;
}

using ShapeTest = Recorded;

TEST_F(ShapeTest, VerdictThresholds) {
    struct Case {
        int n;
        V eig;
        double tol;
        const char* kind;
    } cases[] = {
        {3, {0.25, 0.1, 0.1}, 0.5, "POIN"},            // EIGEN(1) exactly TOL^2
        {1, {0.3}, 0.5, "DRTE"},                         // no minor axis at all
        {2, {1.0, 0.36}, 0.5, "QCQU"},                   // planar set of dimension 2: never PLAN
        {2, {1.0, 0.25}, 0.5, "DRTE"},                   // minor deviation exactly TOL
        {3, {1.0, 0.0625, 0.0625}, 0.5, "DRTE"},         // 0.25 + 0.25 <= TOL though each > 1e-15
        {3, {1.0, 0.09, 0.0625}, 0.5, "PLAN"},           // 0.3 + 0.25 > TOL, 0.25 <= TOL
        {3, {1.0, 0.09, 0.36}, 0.5, "QCQU"},
        {3, {1.0, 1e-31, -1e-31}, 0.0, "DRTE"},          // sum of deviations below 1e-15
        {4, {9.0, 4.0, 0.01, 0.0036}, 0.2, "PLAN"},      // 0.1 + 0.06 <= 0.2
        {3, {1.0, -0.0625, -0.0625}, 0.5, "DRTE"},       // magnitudes of rounding-negative values
        {0, {1.0}, 0.0, "POIN"},                         // no eigenvalue: nothing is read
        {3, {NAN, 1.0, 1.0}, 0.5, "QCQU"},
        {3, {1.0, 0.01, 0.01}, NAN, "QCQU"},
    };
    for (const auto& c : cases) EXPECT_EQ(verdict(c.n, c.eig, c.tol), c.kind) << c.n << " " << c.eig[0];
}

TEST_F(ShapeTest, SampledSetsWithNoiseBelowAndAboveTheTolerance) {
    std::mt19937 rng(19);
    std::normal_distribution<double> gauss(0.0, 1.0);
    const double tol = 1e-3;
    // A point, a line, a plane and a twisted cubic, placed away from the
    // origin and turned; samples on [0, 1].
    auto shape = [](int kind, double t, double s) -> Eigen::Vector3d {
        switch (kind) {
            case 0: return {0, 0, 0};
            case 1: return {3 * t, 0, 0};
            case 2: return {2 * t, 2 * s, 0};
            default: return {t, t * t, t * t * t};
        }
    };
    const Eigen::Matrix3d turn = Eigen::AngleAxisd(0.7, Eigen::Vector3d(1, 2, 3).normalized()).toRotationMatrix();
    const Eigen::Vector3d shift(5, -2, 1);
    const char* expected[] = {"POIN", "DRTE", "PLAN", "QCQU"};
    for (int kind = 0; kind < 4; ++kind) {
        for (double noise : {0.0, 0.05 * tol, 20 * tol}) {
            V pts;
            std::uniform_real_distribution<double> u(0.0, 1.0);
            for (int k = 0; k < 400; ++k) {
                Eigen::Vector3d p = turn * shape(kind, u(rng), u(rng)) + shift;
                for (int i = 0; i < 3; ++i) pts.push_back(p(i) + noise * gauss(rng));
            }
            const Axes a = axes(3, pts);
            ASSERT_EQ(a.ier, 0);
            const std::string want = noise > tol ? "QCQU" : expected[kind];
            EXPECT_EQ(verdict(3, a.result, tol), want) << kind << " noise " << noise;
            if (kind == 1 && noise == 0.0) {  // the first axis is the line's direction
                const Eigen::Vector3d axis(a.result[6], a.result[7], a.result[8]);
                EXPECT_NEAR(std::abs(axis.dot(turn.col(0))), 1.0, 1e-12);
            }
            if (kind == 2 && noise == 0.0) {  // the third axis is the plane's normal
                const Eigen::Vector3d normal(a.result[12], a.result[13], a.result[14]);
                EXPECT_NEAR(std::abs(normal.dot(turn.col(2))), 1.0, 1e-9);
            }
        }
    }
}

TEST_F(ShapeTest, MomentsAgainstLongDoubleReference) {
    std::mt19937 rng(5);
    for (int d : {1, 2, 3, 4, 5, 7}) {
        for (int n : {1, 2, 37}) {
            const V pts = ref::random_values(rng, static_cast<std::size_t>(d * n), -2.0, 2.0);
            const Axes a = axes(d, pts);
            ASSERT_EQ(a.ier, 0) << d << " " << n;
            std::vector<ref::LD> g(d, 0.0L);
            for (int k = 0; k < n; ++k)
                for (int i = 0; i < d; ++i) g[i] += pts[k * d + i];
            for (auto& x : g) x /= n;
            Eigen::MatrixXd c(d, d);
            for (int i = 0; i < d; ++i)
                for (int j = 0; j < d; ++j) {
                    ref::LD s = 0;
                    for (int k = 0; k < n; ++k) s += (pts[k * d + i] - g[i]) * (pts[k * d + j] - g[j]);
                    c(i, j) = static_cast<double>(s / n);
                }
            const Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> es(c);
            const Eigen::Map<const Eigen::MatrixXd> vec(a.result.data() + 2 * d, d, d);
            for (int i = 0; i < d; ++i) {
                EXPECT_NEAR(a.result[d + i], static_cast<double>(g[i]), 1e-15) << d << " " << n;
                EXPECT_NEAR(a.result[i], es.eigenvalues()(d - 1 - i), 1e-13) << d << " " << n;
                EXPECT_NEAR((c * vec.col(i) - a.result[i] * vec.col(i)).norm(), 0.0, 1e-12) << d << " " << n;
            }
            EXPECT_NEAR((vec.transpose() * vec - Eigen::MatrixXd::Identity(d, d)).norm(), 0.0, 1e-13);
            EXPECT_EQ(a.result.back(), -7.0) << "written past RESULT";
        }
    }
}

TEST_F(ShapeTest, CoincidentPointsAndPointsOnTheXAxis) {
    Axes a = axes(3, {1.5, -2, 4, 1.5, -2, 4, 1.5, -2, 4});
    ASSERT_EQ(a.ier, 0);
    EXPECT_EQ(V(a.result.begin() + 3, a.result.begin() + 6), (V{1.5, -2, 4}));
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(a.result[i], 0.0, 1e-14);
    EXPECT_EQ(verdict(3, a.result, 0.0), "POIN");

    a = axes(3, {-1, 0, 0, 0.5, 0, 0, 2, 0, 0, 3, 0, 0});
    ASSERT_EQ(a.ier, 0);
    EXPECT_GT(a.result[0], 1.0);
    EXPECT_EQ(V(a.result.begin() + 1, a.result.begin() + 3), (V{0, 0}));
    EXPECT_EQ(std::abs(a.result[6]), 1.0);
    EXPECT_EQ(V(a.result.begin() + 7, a.result.begin() + 9), (V{0, 0}));
}

TEST_F(ShapeTest, CodesTracesAndNoWriteOnRefusedCounts) {
    rec::set_level(5);
    Axes a = axes(3, {0, 0, 0, 1, 1, 1});
    EXPECT_EQ(a.ier, 0);
    // The tolerance is read (its own trace at this level) before the entry line.
    const auto entered = rec::names(rec::Kind::Enter);
    ASSERT_GE(entered.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(entered.begin(), entered.begin() + 3),
              (std::vector<std::string>{"MVEPS3", "MCKPL0", "VPVPSY"}));
    EXPECT_EQ(rec::count(rec::Kind::Exit, "MCKPL0"), 1);
    rec::reset();
    for (auto [d, n] : {std::pair(3, 0), std::pair(0, 4), std::pair(3, -1)}) {
        V cov(9, -7.0), result(16, -7.0);
        int ier = -1;
        mckpl0(&d, &n, nullptr, cov.data(), result.data(), &ier);
        EXPECT_EQ(ier, 2);
        EXPECT_EQ(cov, V(9, -7.0));
        EXPECT_EQ(result, V(16, -7.0));
    }
    EXPECT_EQ(rec::codes("MCKPL0"), (std::vector<int>{2, 2, 2}));
    testing_support::fill_block({.epspb = 0.0});
    a = axes(2, {0, 0, 1, 2});
    EXPECT_EQ(a.ier, 11);
    EXPECT_EQ(V(a.result.begin() + 2, a.result.begin() + 4), (V{0.5, 1.0}));
    EXPECT_EQ(a.result[0], -7.0);
    // NaN points terminate with a defined code.
    testing_support::fill_block();
    a = axes(3, {NAN, 0, 0, 1, 1, 1});
    EXPECT_TRUE(a.ier == 0 || a.ier == 1);
}

}  // namespace
