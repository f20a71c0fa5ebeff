// Layout of the generated Gauss-Legendre tables: the two parity blocks and
// the centre weights.
#include <gtest/gtest.h>

#include <cmath>

#include "numeric/gauss_tables.hpp"

namespace {

using namespace vcbm::gauss;

TEST(GaussTables, BlocksStartWhereTheLayoutSays) {
    const Tables& t = tables();
    EXPECT_DOUBLE_EQ(t.node[0][0], 0.5773502691896257);  // N = 2
    EXPECT_DOUBLE_EQ(t.node[0][1], 0.33998104358485626); // N = 4
    EXPECT_DOUBLE_EQ(t.node[0][2], 0.8611363115940526);
    EXPECT_DOUBLE_EQ(t.weight[0][0], 1.0);
    EXPECT_DOUBLE_EQ(t.weight[0][1], 0.6521451548625461);
    EXPECT_DOUBLE_EQ(t.weight[0][2], 0.34785484513745385);
    EXPECT_DOUBLE_EQ(t.node[1][0], std::sqrt(0.6));      // N = 3
    EXPECT_DOUBLE_EQ(t.centre[0], 2.0);
    EXPECT_DOUBLE_EQ(t.centre[1], 0.8888888888888888);
    EXPECT_DOUBLE_EQ(t.centre[2], 0.5688888888888889);
    EXPECT_EQ(block_start(60) + 30, block_size);
    EXPECT_EQ(block_start(61) + 30, block_size);
}

TEST(GaussTables, EveryRuleIsIncreasingInsideTheIntervalAndSumsToTwo) {
    for (int n = 2; n <= max_order; ++n) {
        const int m = n / 2;
        const double* x = positive_nodes(n);
        const double* w = positive_weights(n);
        double sum = n % 2 ? tables().centre[m] : 0.0;
        for (int k = 0; k < m; ++k) {
            EXPECT_GT(x[k], k ? x[k - 1] : 0.0) << n;
            EXPECT_LT(x[k], 1.0) << n;
            sum += 2 * w[k];
        }
        EXPECT_NEAR(sum, 2.0, 1e-14) << n;
    }
}

}  // namespace
