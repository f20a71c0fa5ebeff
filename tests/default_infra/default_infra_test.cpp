// The default infrastructure library, driven through its control API and
// through the mathematics library's own calls.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "VelCurveBasedInfrastructure.h"
#include "VelCurveBasedMathematics.h"

namespace {

// Every setting is restored after each test; CAP captures a stream.
class DefaultInfra : public ::testing::Test {
protected:
    FILE* cap = std::tmpfile();
    std::string captured() {
        std::fflush(cap);
        std::rewind(cap);
        std::string s;
        for (int c; (c = std::fgetc(cap)) != EOF;) s.push_back(static_cast<char>(c));
        return s;
    }
    void TearDown() override {
        vcbi_set_trace_level(0);
        vcbi_set_trace_stream(nullptr);
        vcbi_set_debug_stream(nullptr);
        vcbi_set_message_stream(nullptr);
        vcbi_clear_reports();
        vcbi_fail_request(0);
        vcbi_fail_release(0);
        vcbi_set_stack_depth(-1);
        vcbi_set_print_unit(6);
        vcbi_set_debug_option(0);
        std::fclose(cap);
        EXPECT_EQ(vcbi_blocks_in_use(), 0);
    }
};

TEST_F(DefaultInfra, SilentByDefaultAndTracesWhenAsked) {
    EXPECT_TRUE(nfndeb() == 0 && nfnimp() == 6 && nacdbg() == 0);
    vcbi_set_trace_stream(cap);
    double e;
    int n, ier = 3;
    mepsnr(&e, &n);
    aermsg("MAPFNC1", &ier, 7);  // kept, not printed, at level 0
    EXPECT_EQ(captured(), "");
    vcbi_set_trace_level(5);
    mepsnr(&e, &n);
    aermsg("MAPFNC1", &ier, 7);
    germsg("UNITVT", 6);
    EXPECT_EQ(captured(), "-> MEPSNR\n<- MEPSNR\n** MAPFNC1: IER = 3\n** UNITVT: failure\n");
}

TEST_F(DefaultInfra, DebugLinesGoToTheirOwnStream) {
    vcbi_set_debug_stream(cap);
    vcbi_set_trace_level(1);
    int i = -4;
    double r = 0.25;
    swrdbg("MSIMPL: texte", 13);
    swrdbi("IT =", &i, 4);
    swrdbr("ERR =", &r, 5);
    EXPECT_EQ(captured(), "MSIMPL: texte\nIT = -4\nERR = 0.25\n");
    vcbi_set_print_unit(9);
    vcbi_set_debug_option(1);
    EXPECT_TRUE(nfnimp() == 9 && nacdbg() == 1);
}

// The message stream gets the reports with a code other than 0 and the debug
// lines at any level, once each even when it is also the trace stream; the
// reports are kept per thread.
TEST_F(DefaultInfra, MessagesAndKeptReports) {
    vcbi_set_message_stream(cap);
    int zero = 0, two = 2, minus = -1;
    aermsg("MCXCOM", &zero, 6);
    aermsg("MSIMPL", &two, 6);
    swrdbg("MSIMPL : OPTION INCORRECT", 25);
    vcbi_report r;
    ASSERT_EQ(vcbi_last_report(&r), 1);
    EXPECT_TRUE(std::string(r.name) == "MSIMPL" && r.code == 2 && r.with_code == 1 && r.count == 1);
    vcbi_set_trace_level(1);
    vcbi_set_trace_stream(cap);
    aermsg("MAPFNC1", &minus, 7);
    germsg("UNITVT", 6);
    EXPECT_EQ(captured(), "** MSIMPL: IER = 2\nMSIMPL : OPTION INCORRECT\n** MAPFNC1: IER = -1\n** UNITVT: failure\n");
    ASSERT_EQ(vcbi_last_report(&r), 1);
    EXPECT_TRUE(std::string(r.name) == "UNITVT" && r.code == 0 && r.with_code == 0 && r.count == 3);
    // Another thread starts with no report.
    int other = -1;
    std::thread([&] { other = vcbi_last_report(nullptr); }).join();
    EXPECT_EQ(other, 0);
}

TEST_F(DefaultInfra, WorkSpaceAddressedFromTheBaseArray) {
    double dbase[3];
    int ibase[5], ier8 = -1, ier4 = -1;
    const int e8 = 8, e4 = 4, n = 1000;
    int64_t off8 = 0, off4 = 0;
    crrqst(&e8, &n, dbase, &off8, &ier8);
    crrqst(&e4, &n, ibase, &off4, &ier4);
    ASSERT_TRUE(ier8 == 0 && ier4 == 0 && off8 != 0);
    EXPECT_EQ(vcbi_blocks_in_use(), 2);
    // BASE(OFFSET+1 .. OFFSET+COUNT) is usable storage.
    double* d = reinterpret_cast<double*>(reinterpret_cast<uintptr_t>(dbase) + uintptr_t(off8) * 8);
    int* k = reinterpret_cast<int*>(reinterpret_cast<uintptr_t>(ibase) + uintptr_t(off4) * 4);
    for (int j = 0; j < n; ++j) d[j] = j, k[j] = j;
    EXPECT_EQ(d[999] + k[999], 1998.0);
    crdelt(&e8, &n, dbase, &off8, &ier8);
    crdelt(&e4, &n, ibase, &off4, &ier4);
    EXPECT_TRUE(ier8 == 0 && ier4 == 0);
}

// Absurd counts and sizes, releasing nothing, and the planned failures: each
// call's failure flag in order.
TEST_F(DefaultInfra, BadAndPlannedFailuresHitTheRightCalls) {
    double base[1];
    int64_t a = 0, b = 0, c = 0;
    int ier = 0;
    const int e8 = 8, e3 = 3, zero = 0, neg = -5, one = 1, ten = 10;
    std::vector<int> failed;
    auto request = [&](const int* es, const int* n, int64_t* off) {
        crrqst(es, n, base, off, &ier);
        failed.push_back(ier > 0);
    };
    auto release = [&](int64_t* off) {
        crdelt(&e8, &ten, base, off, &ier);
        failed.push_back(ier > 0);
    };
    request(&e8, &zero, &a), request(&e8, &neg, &a), request(&e3, &one, &a), release(&a);
    EXPECT_TRUE(a == 0 && vcbi_blocks_in_use() == 0);
    vcbi_fail_request(2);
    for (int64_t* off : {&a, &b, &c}) request(&e8, &ten, off);
    vcbi_fail_release(1);
    for (int64_t* off : {&a, &a, &c}) release(off);
    EXPECT_EQ(failed, (std::vector<int>{1, 1, 1, 1, 0, 1, 0, 1, 0, 0}));
}

TEST_F(DefaultInfra, CopiesAndFills) {
    double a[4] = {1, 2, 3, 4}, b[4] = {};
    const int four = 4, bytes = 16, two = 2;
    srfill(&four, a, b);
    vrirazx(&two, b);
    EXPECT_EQ(std::vector<double>(b, b + 4), (std::vector<double>{0, 0, 3, 4}));
    irazx(&bytes, b + 2);
    EXPECT_EQ(b[3], 0.0);
    crfillx(&bytes, a + 1, a);  // overlapping copy moves down
    EXPECT_TRUE(a[0] == 2.0 && a[1] == 3.0);
}

TEST_F(DefaultInfra, ArithmeticLimitsAndStackDepth) {
    double eps, big, flo;
    int dec, bin, m, depth = 31;
    aovur8(&eps), aovor8(&big), merflo(&flo), aovsr8(&dec), aovbr8(&bin, &m), soverf();
    EXPECT_TRUE(eps == DBL_EPSILON && big == DBL_MAX && dec == 15 && std::ldexp(1.0, -bin) == DBL_EPSILON);
    EXPECT_TRUE(std::isfinite(flo * flo * 0.5));
    udfpil(&depth);
    EXPECT_EQ(depth, 31);
    vcbi_set_stack_depth(1);
    udfpil(&depth);
    EXPECT_EQ(depth, 1);
}

}  // namespace
