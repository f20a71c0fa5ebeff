// Before any mcxcom the tolerance block is empty. This program never calls
// mcxcom, so it runs in a process of its own.
#include <gtest/gtest.h>

#include "VelCurveBasedMathematics.h"

TEST(BeforeMcxcom, EveryGetterReturnsZero) {
    double e[7] = {-1, -1, -1, -1, -1, -1, -1};
    int n[3] = {-1, -1, -1};
    meps1(&e[0]), meps3d(&e[1]), mepsnr(&e[2], &n[0]), mepspb(&e[3], &e[4]), mepsln(&e[5], &n[1], &n[2]), mveps3(&e[6]);
    for (double v : e) EXPECT_EQ(v, 0.0);
    for (int v : n) EXPECT_EQ(v, 0);
}
