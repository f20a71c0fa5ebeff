// The sweep limit of the Jacobi eigensolver, against values worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "numeric/jacobi_eigen.hpp"

TEST(JacobiSweepLimit, FormulaAndCaps) {
    using vcbm::jacobi_sweep_limit;
    EXPECT_EQ(jacobi_sweep_limit(1e-6, 1.0, 2, 100), 11);    // ln(1e-6) / ln(1/4) = 9.97
    EXPECT_EQ(jacobi_sweep_limit(2e-12, 2.0, 3, 100), 24);   // ln(1e-12) / ln(8/27) = 22.7
    EXPECT_EQ(jacobi_sweep_limit(1.0, 1.0, 12, 100), 2);     // S = EPS
    EXPECT_EQ(jacobi_sweep_limit(1e-12, 1.0, 3, 7), 7);
    EXPECT_EQ(jacobi_sweep_limit(1e-12, INFINITY, 3, 40), 40);
    EXPECT_EQ(jacobi_sweep_limit(1e-12, NAN, 3, 40), 40);
}
