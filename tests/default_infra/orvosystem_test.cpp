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

// Every entry is C(n, p) rounded to nearest (exact below 2^53), in both
// halves of the symmetric table.
TEST(OrvoSystem, BinomialTableIsCorrectlyRoundedAndSymmetric) {
    for (int n = 0; n <= 60; ++n)
        for (int p = 0; p <= n; ++p) {
            const double want = static_cast<double>(binomial(n, p));  // rounds to nearest
            ASSERT_EQ(mcmcnp[n + 61 * p], want) << n << " " << p;
            ASSERT_EQ(mcmcnp[p + 61 * n], want) << n << " " << p;
        }
    EXPECT_EQ(mcmcnp[60 + 61 * 30], 118264581564861424.0);
}

TEST(OrvoSystem, RealAndIntegerConstants) {
    const double pi = std::numbers::pi;
    for (auto [k, want] :
         {std::pair{0, pi}, {2, pi / 2}, {3, pi / 180}, {4, 180 / pi}, {5, 0.0}, {6, 1.0}, {7, 180.0}, {9, 90.0}})
        EXPECT_EQ(dnombr[k], want) << k;
    for (int k = 0; k <= ORVO_INOMBR_MAX; ++k) ASSERT_EQ(inombr[k], k);
}

}  // namespace
