// The default infrastructure library, driven through its control API and
// through the mathematics library's own calls.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "VelCurveBasedInfrastructure.h"
#include "VelCurveBasedMathematics.h"

namespace {

// Captures what the infrastructure writes to a stream while it lives.
class Capture {
public:
    Capture() : f_(std::tmpfile()) {}
    ~Capture() { std::fclose(f_); }
    FILE* stream() { return f_; }
    std::string text() {
        std::fflush(f_);
        std::rewind(f_);
        std::string s;
        int c;
        while ((c = std::fgetc(f_)) != EOF) s.push_back(static_cast<char>(c));
        return s;
    }

private:
    FILE* f_;
};

class DefaultInfra : public ::testing::Test {
protected:
    void TearDown() override {
        vcbi_set_trace_level(0);
        vcbi_set_trace_stream(nullptr);
        vcbi_set_debug_stream(nullptr);
        vcbi_fail_request(0);
        vcbi_fail_release(0);
        vcbi_set_stack_depth(-1);
        vcbi_set_print_unit(6);
        vcbi_set_debug_option(0);
        EXPECT_EQ(vcbi_blocks_in_use(), 0);
    }
};

TEST_F(DefaultInfra, SilentByDefaultAndTracesWhenAsked) {
    EXPECT_EQ(nfndeb(), 0);
    EXPECT_EQ(nfnimp(), 6);
    EXPECT_EQ(nacdbg(), 0);
    Capture cap;
    vcbi_set_trace_stream(cap.stream());
    double e;
    int n;
    mepsnr(&e, &n);
    EXPECT_EQ(cap.text(), "");
    vcbi_set_trace_level(5);
    mepsnr(&e, &n);
    int ier = 3;
    aermsg("MAPFNC1", &ier, 7);
    germsg("UNITVT", 6);
    EXPECT_EQ(cap.text(), "-> MEPSNR\n<- MEPSNR\n** MAPFNC1: IER = 3\n** UNITVT: failure\n");
}

TEST_F(DefaultInfra, DebugLinesGoToTheirOwnStream) {
    Capture cap;
    vcbi_set_debug_stream(cap.stream());
    int i = -4;
    double r = 0.25;
    swrdbg("MSIMPL: texte", 13);
    swrdbi("IT =", &i, 4);
    swrdbr("ERR =", &r, 5);
    EXPECT_EQ(cap.text(), "MSIMPL: texte\nIT = -4\nERR = 0.25\n");
    vcbi_set_print_unit(9);
    vcbi_set_debug_option(1);
    EXPECT_EQ(nfnimp(), 9);
    EXPECT_EQ(nacdbg(), 1);
}

TEST_F(DefaultInfra, WorkSpaceAddressedFromTheBaseArray) {
    double dbase[3];
    int ibase[5];
    const int e8 = 8, e4 = 4, n = 1000;
    int64_t off8 = 0, off4 = 0;
    int ier = -1;
    crrqst(&e8, &n, dbase, &off8, &ier);
    ASSERT_EQ(ier, 0);
    ASSERT_NE(off8, 0);
    crrqst(&e4, &n, ibase, &off4, &ier);
    ASSERT_EQ(ier, 0);
    EXPECT_EQ(vcbi_blocks_in_use(), 2);
    // BASE(OFFSET+1 .. OFFSET+COUNT) is usable storage.
    double* d = reinterpret_cast<double*>(reinterpret_cast<uintptr_t>(dbase) + uintptr_t(off8) * 8);
    int* k = reinterpret_cast<int*>(reinterpret_cast<uintptr_t>(ibase) + uintptr_t(off4) * 4);
    for (int j = 0; j < n; ++j) d[j] = j, k[j] = j;
    EXPECT_EQ(d[999] + k[999], 1998.0);
    crdelt(&e8, &n, dbase, &off8, &ier);
    EXPECT_EQ(ier, 0);
    crdelt(&e4, &n, ibase, &off4, &ier);
    EXPECT_EQ(ier, 0);
}

TEST_F(DefaultInfra, AbsurdRequestsFailCleanly) {
    double base[1];
    int64_t off = 0;
    int ier = 0;
    const int e8 = 8, e3 = 3;
    for (int count : {0, -5}) {
        crrqst(&e8, &count, base, &off, &ier);
        EXPECT_GT(ier, 0);
    }
    const int one = 1;
    crrqst(&e3, &one, base, &off, &ier);
    EXPECT_GT(ier, 0) << "element size must be 4 or 8";
    EXPECT_EQ(off, 0);
    EXPECT_EQ(vcbi_blocks_in_use(), 0);
    crdelt(&e8, &one, base, &off, &ier);
    EXPECT_GT(ier, 0) << "releasing nothing";
}

TEST_F(DefaultInfra, PlannedFailuresHitTheChosenCall) {
    double base[1];
    int64_t a = 0, b = 0, c = 0;
    int ier = 0;
    const int e8 = 8, n = 10;
    std::vector<int> failed;
    vcbi_fail_request(2);
    for (int64_t* off : {&a, &b, &c}) crrqst(&e8, &n, base, off, &ier), failed.push_back(ier > 0);
    vcbi_fail_release(1);
    for (int64_t* off : {&a, &a, &c}) crdelt(&e8, &n, base, off, &ier), failed.push_back(ier > 0);
    EXPECT_EQ(failed, (std::vector<int>{0, 1, 0, 1, 0, 0}));
}

TEST_F(DefaultInfra, CopiesAndFills) {
    double a[4] = {1, 2, 3, 4}, b[4] = {};
    const int four = 4, bytes = 16, two = 2;
    srfill(&four, a, b);
    EXPECT_EQ(b[3], 4.0);
    vrirazx(&two, b);
    EXPECT_EQ(b[1], 0.0);
    EXPECT_EQ(b[2], 3.0);
    irazx(&bytes, b + 2);
    EXPECT_EQ(b[3], 0.0);
    crfillx(&bytes, a + 1, a);  // overlapping copy moves down
    EXPECT_EQ(a[0], 2.0);
    EXPECT_EQ(a[1], 3.0);
}

TEST_F(DefaultInfra, ArithmeticLimits) {
    double r;
    int n, m;
    aovur8(&r);
    EXPECT_EQ(r, DBL_EPSILON);
    aovsr8(&n);
    EXPECT_EQ(n, 15);
    aovor8(&r);
    EXPECT_EQ(r, DBL_MAX);
    EXPECT_TRUE(std::isfinite(std::log(r)));
    aovbr8(&n, &m);
    EXPECT_EQ(std::ldexp(1.0, -n), DBL_EPSILON);
    merflo(&r);
    EXPECT_TRUE(std::isfinite(r * r * 0.5));
    soverf();
    n = 31;
    udfpil(&n);
    EXPECT_EQ(n, 31);
    vcbi_set_stack_depth(1);
    udfpil(&n);
    EXPECT_EQ(n, 1);
}

}  // namespace
