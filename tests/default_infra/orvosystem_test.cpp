// The default constant tables, against values computed independently here.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "OrvoSystem.h"

namespace {

// C(n, p) by the multiplicative formula in 128-bit integers: every partial
// product C(n-p+i, i) is an integer, so each division is exact.
unsigned __int128 binomial(int n, int p) {
    unsigned __int128 c = 1;
    for (int i = 1; i <= p; ++i) c = c * static_cast<unsigned>(n - p + i) / static_cast<unsigned>(i);
    return c;
}

TEST(OrvoSystem, BinomialTableIsExactAndSymmetric) {
    int beyond53 = 0;
    for (int n = 0; n <= 60; ++n) {
        for (int p = 0; p <= n; ++p) {
            const unsigned __int128 exact = binomial(n, p);
            const double want = static_cast<double>(exact);  // rounds to nearest
            ASSERT_EQ(mcmcnp[n + 61 * p], want) << n << " " << p;
            ASSERT_EQ(mcmcnp[p + 61 * n], want) << n << " " << p;
            if (exact > (static_cast<unsigned __int128>(1) << 53)) {
                ++beyond53;
            } else {
                ASSERT_EQ(static_cast<unsigned __int128>(mcmcnp[n + 61 * p]), exact);
            }
            if (n >= 1 && p >= 1 && n - 1 >= p) {
                // Pascal's rule, to rounding, where values no longer fit in 53 bits.
                const double sum = mcmcnp[(n - 1) + 61 * (p - 1)] + mcmcnp[(n - 1) + 61 * p];
                ASSERT_NEAR(mcmcnp[n + 61 * p], sum, std::abs(sum) * 2e-16);
            }
        }
    }
    EXPECT_GT(beyond53, 0);
    EXPECT_EQ(mcmcnp[60 + 61 * 30], 118264581564861424.0);
}

TEST(OrvoSystem, RealAndIntegerConstants) {
    EXPECT_EQ(dnombr[0], std::numbers::pi);
    EXPECT_EQ(dnombr[2], std::numbers::pi / 2);
    EXPECT_EQ(dnombr[3], std::numbers::pi / 180);
    EXPECT_EQ(dnombr[4], 180 / std::numbers::pi);
    EXPECT_EQ(dnombr[5], 0.0);
    EXPECT_EQ(dnombr[6], 1.0);
    EXPECT_EQ(dnombr[7], 180.0);
    EXPECT_EQ(dnombr[9], 90.0);
    for (int k = 0; k <= ORVO_INOMBR_MAX; ++k) ASSERT_EQ(inombr[k], k);
}

}  // namespace
