// The tolerance block: mcxcom and its getters, their traces and reports.
#include <thread>

#include "frame/tolerance.hpp"
#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;

struct Settings {
    int ip[21];
    double rp[22];
    Settings() {
        for (int i = 0; i < 21; ++i) ip[i] = 100 + i + 1;  // IPARAM(k) = 100 + k
        for (int i = 0; i < 22; ++i) rp[i] = 0.5 + i + 1;  // RPARAM(k) = k + 0.5
    }
};

class Tolerance : public testing_support::Recorded {};

TEST_F(Tolerance, McxcomFillsEverySlotAndReportsZero) {
    Settings s;
    int ier = 77;
    mcxcom(nullptr, s.ip, s.rp, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(rec::codes("MCXCOM"), std::vector<int>{0});
    EXPECT_EQ(rec::count(Kind::Enter), 0);

    double e = 0, e2 = 0;
    int n = 0, n2 = 0;
    meps1(&e);
    EXPECT_EQ(e, 12.5);
    meps3d(&e);
    EXPECT_EQ(e, 1.5);
    mepsnr(&e, &n);
    EXPECT_EQ(e, 13.5);
    EXPECT_EQ(n, 110);
    mepspb(&e, &e2);
    EXPECT_EQ(e, 14.5);
    EXPECT_EQ(e2, 15.5);
    mepsln(&e, &n, &n2);
    EXPECT_EQ(e, 13.5);
    EXPECT_EQ(n, 110);
    EXPECT_EQ(n2, 111);
    mveps3(&e);
    EXPECT_EQ(e, 14.5);

    const auto& b = vcbm::tol::block();
    EXPECT_EQ(b.rcopy[0], 2.5);
    EXPECT_EQ(b.rcopy[6], 22.5);
    EXPECT_EQ(b.icopy[0], 104);
    EXPECT_EQ(b.icopy[7], 121);
}

TEST_F(Tolerance, McxcomReadsOnlyItsThreeArrays) {
    // The first argument is never read: an unreadable address is fine.
    Settings s;
    int ier = 0;
    mcxcom(reinterpret_cast<const int*>(8), s.ip, s.rp, &ier);
    EXPECT_EQ(ier, 0);
    // Exactly 21 integers and 22 reals: the last slots are read, none past them.
    std::vector<int> ip(s.ip, s.ip + 21);
    std::vector<double> rp(s.rp, s.rp + 22);
    ip.shrink_to_fit();
    rp.shrink_to_fit();
    mcxcom(nullptr, ip.data(), rp.data(), &ier);
    EXPECT_EQ(vcbm::tol::block().icopy[7], 121);
}

TEST_F(Tolerance, SecondCallReplacesEverySlot) {
    Settings s;
    int ier = 0;
    mcxcom(nullptr, s.ip, s.rp, &ier);
    s.rp[11] = 1.0e-6;
    s.ip[9] = 50;
    mcxcom(nullptr, s.ip, s.rp, &ier);
    double e = 0;
    int n = 0;
    meps1(&e);
    EXPECT_EQ(e, 1.0e-6);
    mepsnr(&e, &n);
    EXPECT_EQ(e, s.rp[12]);
    EXPECT_EQ(n, 50);
}

TEST_F(Tolerance, GetterTraces) {
    const auto call_all = [] {
        double e, e2;
        int n, n2;
        mepsnr(&e, &n);
        mepspb(&e, &e2);
        mepsln(&e, &n, &n2);
        mveps3(&e);
        meps1(&e);
        meps3d(&e);
    };
    rec::set_level(4);
    call_all();
    EXPECT_TRUE(rec::events().empty());
    rec::set_level(5);
    call_all();
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"MEPSNR", "MEPSPB", "MEPSLN", "MVEPS3"}));
    EXPECT_EQ(rec::names(Kind::Exit), (std::vector<std::string>{"MEPSNR", "MEPSPB"}));
    EXPECT_EQ(rec::count(Kind::Error), 0);
}

TEST_F(Tolerance, ScopedEps1IsPerThreadAndRestored) {
    double base = 0, seen = 0, other = -1;
    meps1(&base);
    {
        vcbm::tol::ScopedEps1 scaled(base * 4);
        meps1(&seen);
        EXPECT_EQ(seen, base * 4);
        {
            vcbm::tol::ScopedEps1 inner(1.0);
            meps1(&seen);
            EXPECT_EQ(seen, 1.0);
        }
        meps1(&seen);
        EXPECT_EQ(seen, base * 4);
        std::thread([&] { meps1(&other); }).join();
        EXPECT_EQ(other, base) << "another thread still sees the shared block";
    }
    meps1(&seen);
    EXPECT_EQ(seen, base);
}

TEST(Marker, ReturnsOne) { EXPECT_EQ(KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics(), 1); }

}  // namespace
