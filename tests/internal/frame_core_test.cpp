// The calling frame: traces, error reports and work space, observed through
// the recording infrastructure.
#include <gtest/gtest.h>

#include "frame/frame.hpp"
#include "tests/support/recorder.hpp"

namespace {

using rec::Kind;

constexpr auto kTraced = vcbm::routine("MAPFDI");     // threshold 2, entry and exit, reports negatives
constexpr auto kEntryOnly = vcbm::routine("MDRVCB");  // threshold 2, entry only
constexpr auto kPlain = vcbm::routine("POCURV");      // no trace, positive codes only
constexpr auto kAlways = vcbm::routine("MCOORD");     // threshold 3, reports every exit
constexpr auto kSeven = vcbm::routine("MAPFNC1");

static_assert(kTraced.threshold == 2 && kTraced.exit_trace && kTraced.report_negative);
static_assert(kEntryOnly.threshold == 2 && !kEntryOnly.exit_trace && !kEntryOnly.report_negative);
static_assert(kPlain.threshold == 0 && !kPlain.report_negative && !kPlain.report_always);
static_assert(kAlways.report_always && kAlways.threshold == 3);
static_assert(kSeven.len == 7 && kTraced.len == 6);
static_assert(vcbm::routine("MRS2B6").threshold == 8 && vcbm::routine("UMCVCV").threshold == 1);

// A routine body: ends with CODE after obtaining NEED reals (base of 4).
int run(const vcbm::Routine& r, int code, int need = 0) {
    thread_local vcbm::WorkBase<double, 4> work;
    int ier = 12345;
    {
        vcbm::Frame f(r, ier);
        if (need > 0) {
            double* w = f.acquire(work, need);
            if (!w) return ier;
            for (int i = 0; i < need; ++i) w[i] = i;  // the storage is usable
        }
        if (code != 0) f.fail(code);
    }
    return ier;
}

class FrameCore : public ::testing::Test {
protected:
    void SetUp() override { rec::reset(); }
    void TearDown() override { EXPECT_EQ(rec::live_blocks(), 0); }
};

// Entry and exit traces at each level, for each kind of routine; on failure
// the report comes between the two traces.
TEST_F(FrameCore, TracesFollowTheThresholdAndKind) {
    for (int level : {0, 1, 2, 8}) {
        rec::reset();
        rec::set_level(level);
        run(kTraced, 0);
        run(kEntryOnly, 0);
        run(kEntryOnly, 2);
        run(kPlain, 0);
        const int on = level >= 2;
        EXPECT_EQ(rec::count(Kind::Enter, "MAPFDI") + rec::count(Kind::Exit, "MAPFDI"), 2 * on) << level;
        EXPECT_EQ(rec::count(Kind::Enter, "MDRVCB"), 2 * on) << level;
        EXPECT_EQ(rec::count(Kind::Exit) + rec::count(Kind::Enter), 4 * on) << "only MAPFDI leaves";
        EXPECT_EQ(rec::events().size(), 4u * on + 1) << "the untraced routine never traces";
    }
    rec::reset();
    rec::set_level(2);
    EXPECT_EQ(run(kTraced, 4), 4);
    const auto& ev = rec::events();
    ASSERT_EQ(ev.size(), 3u);
    EXPECT_TRUE(ev[0].kind == Kind::Enter && ev[1].kind == Kind::Error && ev[2].kind == Kind::Exit);
    EXPECT_EQ(ev[1].code, 4);
}

TEST_F(FrameCore, WhichCodesAreReported) {
    EXPECT_EQ(run(kPlain, -1), -1);
    EXPECT_EQ(rec::count(Kind::Error), 0) << "negative code of an ordinary routine";
    run(kPlain, 7);
    run(kTraced, -2);
    run(kTraced, 0);
    run(kAlways, 0);
    EXPECT_EQ(rec::codes("POCURV"), std::vector<int>{7});
    EXPECT_EQ(rec::codes("MAPFDI"), std::vector<int>{-2});
    EXPECT_EQ(rec::codes("MCOORD"), std::vector<int>{0});
    EXPECT_EQ(rec::count(Kind::Error, "MAPFNC1"), 0);
    rec::reset();
    rec::set_level(0);
    int ier = 0;
    { vcbm::Frame f(kSeven, ier); f.fail(1); }
    EXPECT_EQ(rec::codes("MAPFNC1"), std::vector<int>{1}) << "seven-letter name passed with length 7";
}

TEST_F(FrameCore, KeepIerLeavesTheCodeAlone) {
    int ier = 55;
    { vcbm::Frame f(kPlain, ier, vcbm::Frame::KeepIer{}); }
    EXPECT_EQ(ier, 55);
    { vcbm::Frame f(kPlain, ier); }
    EXPECT_EQ(ier, 0);
}

// Up to the base array's size nothing is requested; beyond, one block is
// requested and released with the same arguments.
TEST_F(FrameCore, WorkSpaceFromTheBaseOrOneRequestedBlock) {
    EXPECT_EQ(run(kPlain, 0, 4), 0);
    EXPECT_TRUE(rec::events().empty());
    EXPECT_EQ(run(kPlain, 0, 1000), 0);
    const auto& ev = rec::events();
    ASSERT_EQ(ev.size(), 2u);
    EXPECT_TRUE(ev[0].kind == Kind::Request && ev[1].kind == Kind::Release);
    for (const auto& e : ev) EXPECT_TRUE(e.esize == 8 && e.code == 1000 && e.offset == ev[0].offset);
    EXPECT_NE(ev[0].offset, 0);
}

TEST_F(FrameCore, RefusedRequestGivesTenOneReportNoRelease) {
    rec::fail_request(1);
    rec::set_level(2);
    EXPECT_EQ(run(kTraced, 0, 1000), 10);
    EXPECT_EQ(rec::count(Kind::Release), 0);
    EXPECT_EQ(rec::codes("MAPFDI"), std::vector<int>{10});
    EXPECT_EQ(rec::count(Kind::Exit), 1);
}

TEST_F(FrameCore, FailureAfterRequestStillReleases) {
    EXPECT_EQ(run(kPlain, 3, 1000), 3);
    EXPECT_EQ(rec::count(Kind::Release), 1);
    EXPECT_EQ(rec::codes("POCURV"), std::vector<int>{3});
}

TEST_F(FrameCore, FailedReleaseTurnsSuccessIntoTenButKeepsEarlierCodes) {
    rec::fail_release(1);
    EXPECT_EQ(run(kPlain, 0, 1000), 10);
    EXPECT_EQ(rec::codes("POCURV"), std::vector<int>{10});
    rec::reset();
    rec::fail_release(1);
    EXPECT_EQ(run(kPlain, 3, 1000), 3);
    rec::reset();
    rec::fail_release(1);
    EXPECT_EQ(run(kTraced, -1, 1000), 10) << "a warning is below 1 and becomes 10";
}

TEST_F(FrameCore, SeveralRequestsStopAtTheFirstFailure) {
    thread_local vcbm::WorkBase<double, 2> a;
    thread_local vcbm::WorkBase<int, 2> b;
    rec::fail_request(2);
    int ier = 0;
    {
        vcbm::Frame f(kPlain, ier);
        ASSERT_NE(f.acquire(a, 100), nullptr);
        EXPECT_EQ(f.acquire(b, 100), nullptr);
    }
    EXPECT_EQ(ier, 10);
    EXPECT_EQ(rec::count(Kind::Request), 2);
    ASSERT_EQ(rec::count(Kind::Release), 1);
    for (const auto& e : rec::events())
        if (e.kind == Kind::Release) EXPECT_EQ(e.esize, 8) << "the real block, not the refused one";
}

}  // namespace
