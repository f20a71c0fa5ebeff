// The calling frame: traces, error reports and work space, observed through
// the recording infrastructure.
#include <gtest/gtest.h>

#include "frame/frame.hpp"
#include "tests/support/recorder.hpp"

namespace {

using rec::Kind;
using Codes = std::vector<int>;

constexpr auto kTraced = vcbm::routine("MAPFDI");     // threshold 2, entry and exit, reports negatives
constexpr auto kEntryOnly = vcbm::routine("MDRVCB");  // threshold 2, entry only
constexpr auto kPlain = vcbm::routine("POCURV");      // no trace, positive codes only
constexpr auto kAlways = vcbm::routine("MCOORD");     // threshold 3, reports every exit

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

TEST_F(FrameCore, WhichCodesAreReportedAndKeepIer) {
    EXPECT_EQ(run(kPlain, -1), -1);
    EXPECT_EQ(rec::count(Kind::Error), 0) << "negative code of an ordinary routine";
    run(kPlain, 7);
    run(kTraced, -2);
    run(kTraced, 0);
    run(kAlways, 0);
    run(vcbm::routine("MAPFNC1"), 1);
    EXPECT_EQ(rec::codes("POCURV"), Codes{7});
    EXPECT_EQ(rec::codes("MAPFDI"), Codes{-2});
    EXPECT_EQ(rec::codes("MCOORD"), Codes{0});
    EXPECT_EQ(rec::codes("MAPFNC1"), Codes{1}) << "seven-letter name passed with length 7";
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

// A refused request gives 10, one report and no release; a failure after a
// request still releases; a failed release turns a code below 1 into 10 and
// keeps the others. The exit trace follows on every path.
TEST_F(FrameCore, WorkSpaceFailures) {
    struct Case {
        const vcbm::Routine* r;
        int code, fail_request, fail_release, ier, releases;
        Codes codes;
    };
    for (const Case& c : {Case{&kTraced, 0, 1, 0, 10, 0, {10}}, Case{&kPlain, 3, 0, 0, 3, 1, {3}},
                          Case{&kPlain, 0, 0, 1, 10, 1, {10}}, Case{&kPlain, 3, 0, 1, 3, 1, {3}},
                          Case{&kTraced, -1, 0, 1, 10, 1, {10}}}) {
        rec::reset();
        rec::set_level(2);
        rec::fail_request(c.fail_request);
        rec::fail_release(c.fail_release);
        EXPECT_EQ(run(*c.r, c.code, 1000), c.ier) << c.code;
        EXPECT_EQ(rec::count(Kind::Release), c.releases) << c.code;
        EXPECT_EQ(rec::codes(c.r->name), c.codes) << c.code;
        EXPECT_EQ(rec::count(Kind::Exit), c.r == &kTraced) << c.code;
    }
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
