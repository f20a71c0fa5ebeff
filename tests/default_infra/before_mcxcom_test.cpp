// Before any mcxcom the tolerance block is empty. This program never calls
// mcxcom, so it runs in a process of its own.
#include <gtest/gtest.h>

#include "VelCurveBasedMathematics.h"

TEST(BeforeMcxcom, EveryGetterReturnsZero) {
    double e = -1, e2 = -1;
    int n = -1, n2 = -1;
    meps1(&e);
    EXPECT_EQ(e, 0.0);
    meps3d(&e);
    EXPECT_EQ(e, 0.0);
    mepsnr(&e, &n);
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(n, 0);
    mepspb(&e, &e2);
    EXPECT_EQ(e, 0.0);
    EXPECT_EQ(e2, 0.0);
    mepsln(&e, &n, &n2);
    EXPECT_EQ(n2, 0);
    mveps3(&e);
    EXPECT_EQ(e, 0.0);
}
