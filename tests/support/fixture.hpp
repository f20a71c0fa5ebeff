// Test fixture: a clean recording infrastructure and a filled tolerance block.
#pragma once

#include <gtest/gtest.h>

#include "VelCurveBasedMathematics.h"
#include "tests/support/recorder.hpp"

namespace testing_support {

// Tolerances of the command-line tool's defaults, suited to unit-size curves.
struct Tolerances {
    double eps1 = 1e-9, epsnr = 1e-10, epspb = 1e-14, epspb2 = 1e-9, eps3d = 1e-7;
    int nitnr = 100, nitln = 50;
};

inline void fill_block(const Tolerances& t = {}) {
    int ip[21] = {};
    double rp[22] = {};
    rp[0] = t.eps3d;
    rp[11] = t.eps1;
    rp[12] = t.epsnr;
    rp[13] = t.epspb;
    rp[14] = t.epspb2;
    ip[9] = t.nitnr;
    ip[10] = t.nitln;
    int ier = 0;
    mcxcom(nullptr, ip, rp, &ier);
}

class Recorded : public ::testing::Test {
protected:
    void SetUp() override {
        fill_block();
        rec::reset();
    }
    void TearDown() override { EXPECT_EQ(rec::live_blocks(), 0) << "work space left unreleased"; }
};

}  // namespace testing_support
