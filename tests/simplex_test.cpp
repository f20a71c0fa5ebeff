// The revised simplex against GLPK on seeded random problems, its warm
// starts, its limits and its messages.
#include <glpk.h>

#include <Eigen/Dense>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;

struct Lp {
    int m = 0, n = 0, lda = 1;
    std::vector<double> a, b, c;  // a is LDA x N, column-major
    double& at(int i, int j) { return a[(j - 1) * lda + (i - 1)]; }
};

struct Outcome {
    std::vector<double> x;
    int nit = -1, status = -1, ier = -99;
};

Outcome solve(const Lp& lp, int option, int maxit = 1000) {
    Outcome r{std::vector<double>(lp.n > 0 ? lp.n : 1, -5.0)};
    msimpl(&lp.m, &lp.n, &lp.lda, lp.a.data(), lp.b.data(), lp.c.data(), &maxit, &option, r.x.data(), &r.nit,
           &r.status, &r.ier);
    return r;
}

// GLPK's status and optimum for the same problem.
std::pair<int, double> glpk(Lp lp) {
    glp_prob* p = glp_create_prob();
    glp_add_rows(p, lp.m);
    glp_add_cols(p, lp.n);
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0.0};
    for (int j = 1; j <= lp.n; ++j) {
        glp_set_col_bnds(p, j, GLP_LO, 0.0, 0.0);
        glp_set_obj_coef(p, j, lp.c[j - 1]);
        for (int i = 1; i <= lp.m; ++i) ia.push_back(i), ja.push_back(j), ar.push_back(lp.at(i, j));
    }
    for (int i = 1; i <= lp.m; ++i) glp_set_row_bnds(p, i, GLP_FX, lp.b[i - 1], lp.b[i - 1]);
    glp_load_matrix(p, static_cast<int>(ia.size()) - 1, ia.data(), ja.data(), ar.data());
    glp_term_out(GLP_OFF);
    glp_simplex(p, nullptr);
    const std::pair<int, double> r{glp_get_status(p), glp_get_obj_val(p)};
    glp_delete_prob(p);
    return r;
}

// N - M structural columns with entries in [lo, 1], then a positive diagonal
// block; b > 0; costs in [-1, 1].
Lp random_lp(std::mt19937& gen, int m, int n, double lo) {
    std::uniform_real_distribution<double> u(0.0, 1.0);
    Lp lp{m, n, m + static_cast<int>(gen() % 3)};
    lp.a.assign(static_cast<std::size_t>(lp.lda) * n, 0.0);
    for (int j = 1; j <= n; ++j)
        for (int i = 1; i <= m; ++i) lp.at(i, j) = j <= n - m ? lo + (1 - lo) * u(gen) : 0.0;
    for (int i = 1; i <= m; ++i) lp.at(i, n - m + i) = 0.5 + 1.5 * u(gen);
    for (int i = 0; i < m; ++i) lp.b.push_back(1.0 + 9.0 * u(gen));
    for (int j = 0; j < n; ++j) lp.c.push_back(2.0 * u(gen) - 1.0);
    return lp;
}

// R is feasible and as good as GLPK's optimum.
void expect_optimum(Lp lp, const Outcome& r) {
    const auto [status, best] = glpk(lp);
    ASSERT_EQ(status, GLP_OPT);
    ASSERT_EQ(r.ier, 0);
    const Eigen::Map<const Eigen::VectorXd> x(r.x.data(), lp.n), b(lp.b.data(), lp.m), c(lp.c.data(), lp.n);
    const Eigen::Map<const Eigen::MatrixXd, 0, Eigen::OuterStride<>> a(lp.a.data(), lp.m, lp.n, lp.lda);
    EXPECT_NEAR(c.dot(x), best, 1e-9 * (1.0 + std::fabs(best)));
    EXPECT_LE(((a * x - b).array().abs() - 1e-9 * (1.0 + b.array())).maxCoeff(), 0.0) << "A x = b";
    EXPECT_GE(x.minCoeff(), -1e-10);
}

using Simplex = testing_support::Recorded;

TEST_F(Simplex, RandomProblemsMatchGlpkWithBothRules) {
    std::mt19937 gen(61);
    int unbounded = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const int m = 1 + static_cast<int>(gen() % 30), n = m + static_cast<int>(gen() % 21);
        const Lp lp = random_lp(gen, m, n, trial % 3 ? 0.05 : -1.0);  // mixed signs: maybe unbounded
        const bool unbnd = glpk(lp).first == GLP_UNBND;
        unbounded += unbnd;
        for (int option : {0, 1}) {
            const Outcome r = solve(lp, option);
            if (unbnd) {
                EXPECT_EQ(r.ier, -1);
            } else {
                expect_optimum(lp, r);
                EXPECT_EQ(r.status, r.nit > 1 ? 2 : 0);
            }
        }
    }
    EXPECT_GT(unbounded, 10);
    EXPECT_EQ(rec::count(Kind::Debug, "MSIMPL : OPTIMUM NON BORNE"), 2 * unbounded);
}

TEST_F(Simplex, WarmStartsContinueFromTheSavedBasis) {
    std::mt19937 gen(3);
    for (int trial = 0; trial < 30; ++trial) {
        Lp lp = random_lp(gen, 20, 40, 0.05);
        const Outcome cold = solve(lp, trial % 2), again = solve(lp, 10 + trial % 2);
        EXPECT_EQ(again.nit, 1);  // already optimal
        EXPECT_EQ(again.status, 0);
        EXPECT_EQ(again.x, cold.x);
        for (double& v : lp.c) v = std::uniform_real_distribution<double>(-1, 1)(gen);
        expect_optimum(lp, solve(lp, 10 + trial % 2));
    }
    // a basis of another size, another thread, an infeasible b: nothing to continue from
    Lp lp = random_lp(gen, 4, 8, 0.1);
    EXPECT_EQ(solve(random_lp(gen, 3, 8, 0.1), 0).ier, 0);
    EXPECT_EQ(solve(lp, 10).ier, 1);
    EXPECT_EQ(solve(lp, 0).ier, 0);
    int in_thread = 0;
    std::thread([&] { in_thread = solve(lp, 10).ier; }).join();
    EXPECT_EQ(in_thread, 1);
    for (double& v : lp.b) v = -v;
    EXPECT_EQ(solve(lp, 11).ier, 1);
}

// Beale's example, slack columns last: the most negative reduced cost with
// these ties cycles; the smallest-index rule reaches the optimum.
Lp beale() {
    return Lp{3, 7, 3, {0.25, 0.5, 0, -8, -12, 0, -1, -0.5, 1, 9, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1}, {0, 0, 1},
              {-0.75, 20, -0.5, 6, 0, 0, 0}};
}

// At trace level 3 one objective line per iteration on standard output.
TEST_F(Simplex, CyclingEndsAtMaxitTheSmallestIndexRuleEscapesAndTraces) {
    const Outcome dantzig = solve(beale(), 0, 50), none = solve(beale(), 0, 0);
    EXPECT_TRUE(dantzig.ier == -2 && dantzig.nit == 50);
    EXPECT_EQ(none.ier, -2);
    EXPECT_EQ(none.x, (std::vector<double>{0, 0, 0, 0, 0, 0, 1}));  // the starting solution
    EXPECT_EQ(rec::count(Kind::Debug, "MSIMPL : PAS DE CONVERGENCE"), 2);
    EXPECT_EQ(rec::codes("MSIMPL"), (std::vector<int>{-2, -2}));
    rec::reset();
    rec::set_level(3);
    testing::internal::CaptureStdout();
    const Outcome r = solve(beale(), 1, 50);
    const std::string out = testing::internal::GetCapturedStdout();
    expect_optimum(beale(), r);
    EXPECT_EQ(out.rfind(" Fonctionnelle =", 0), 0u);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), r.nit);  // one line per iteration
    EXPECT_EQ(rec::names(Kind::Exit), std::vector<std::string>{"MSIMPL"});
    EXPECT_EQ(rec::codes("MSIMPL"), std::vector<int>{0});
}

TEST_F(Simplex, LimitsAndUnusableStartsAreRefused) {
    for (auto [m, n, lda] : {std::array{31, 40, 31}, {20, 51, 20}, {5, 26, 5}, {6, 5, 6}, {-1, 3, 1}, {5, 8, 4}}) {
        const std::vector<double> a(static_cast<std::size_t>(lda) * n, 1.0), b(31, 1.0), c(n, 1.0);
        EXPECT_EQ(solve(Lp{m, n, lda, a, b, c}, 0).ier, 1) << m << " " << n << " " << lda;
    }
    const std::pair<double, const char*> starts[] = {{1e-11, "MSIMPL : Base non realisable"},  // A(2, 6)
                                                     {-1.0, "MSIMPL : Base non realisable"},
                                                     {0.0, "MSIMPL : Matrice inverse incorrecte"}};
    for (auto [diagonal, message] : starts) {
        Lp lp = beale();
        lp.b = {1, 1, 1};
        lp.at(2, 6) = diagonal;
        if (diagonal == 0.0) lp.at(2, 6) = lp.at(3, 6) = 1.0;  // not diagonal: Binv b misses b
        rec::reset();
        EXPECT_EQ(solve(lp, 0).ier, 1);
        EXPECT_EQ(rec::names(Kind::Debug), std::vector<std::string>{message});
    }
    rec::reset();
    EXPECT_EQ(solve(beale(), 7).ier, 2);
    EXPECT_EQ(rec::names(Kind::Debug), std::vector<std::string>{"MSIMPL : OPTION INCORRECT"});
    EXPECT_EQ(rec::codes("MSIMPL"), std::vector<int>{2});
    // M = 0: optimal at once, or -3 when a pivot is needed
    EXPECT_EQ(solve(Lp{0, 2, 1, {0, 0}, {0}, {1, 2}}, 0).nit, 1);
    EXPECT_EQ(solve(Lp{0, 2, 1, {0, 0}, {0}, {1, -2}}, 0).ier, -3);
}

}  // namespace
