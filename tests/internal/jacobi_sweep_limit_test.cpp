// The sweep limit of the Jacobi eigensolver, against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "numeric/jacobi_eigen.hpp"

TEST(JacobiSweepLimit, FormulaAndCaps) {
    // N = 2: (1/2)^2 = 0.25; ln(1e-6) / ln(0.25) = 9.966 -> 11 sweeps.
    EXPECT_EQ(vcbm::jacobi_sweep_limit(1e-6, 1.0, 2, 100), 11);
    // N = 3: (2/3)^3 = 8/27; ln(1e-12) / ln(8/27) = 22.72 -> 24.
    EXPECT_EQ(vcbm::jacobi_sweep_limit(1e-12, 1.0, 3, 100), 24);
    EXPECT_EQ(vcbm::jacobi_sweep_limit(2e-12, 2.0, 3, 100), 24);  // only the ratio counts
    EXPECT_EQ(vcbm::jacobi_sweep_limit(1.0, 1.0, 12, 100), 2);   // S = EPS
    EXPECT_EQ(vcbm::jacobi_sweep_limit(1e-12, 1.0, 3, 7), 7);
    EXPECT_EQ(vcbm::jacobi_sweep_limit(1e-12, 1.0, 3, 0), 0);   // the caller still runs one sweep
    EXPECT_EQ(vcbm::jacobi_sweep_limit(1e-12, std::numeric_limits<double>::infinity(), 3, 40), 40);
    EXPECT_EQ(vcbm::jacobi_sweep_limit(1e-12, std::nan(""), 3, 40), 40);
}
