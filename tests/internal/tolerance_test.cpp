// The tolerance block: mcxcom and its getters, their traces and reports.
#include <thread>

#include "frame/tolerance.hpp"
#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using Tolerance = testing_support::Recorded;

// Every getter's values, in order: EPS1, EPS3D, EPSNR+NITNR, EPSPB+EPSPB2, EPSNR+NITNR+NITLN, EPSPB.
std::vector<double> getters() {
    double e[7];
    int n[3];
    meps1(&e[0]), meps3d(&e[1]), mepsnr(&e[2], &n[0]), mepspb(&e[3], &e[4]), mepsln(&e[5], &n[1], &n[2]);
    mveps3(&e[6]);
    return {e[0], e[1], e[2], double(n[0]), e[3], e[4], e[5], double(n[1]), double(n[2]), e[6]};
}

double eps1() {
    double e = -1;
    meps1(&e);
    return e;
}

// mcxcom fills every slot (a second call replaces them), reads nothing past
// its 21 integers and 22 reals, never reads its first argument, reports 0.
TEST_F(Tolerance, McxcomFillsAndReplacesEverySlot) {
    std::vector<int> ip(21);
    std::vector<double> rp(22);
    for (int k = 1; k <= 21; ++k) ip[k - 1] = 100 + k;  // IPARAM(k) = 100 + k
    for (int k = 1; k <= 22; ++k) rp[k - 1] = k + 0.5;  // RPARAM(k) = k + 0.5
    ip.shrink_to_fit();
    rp.shrink_to_fit();
    int ier = 77;
    mcxcom(reinterpret_cast<const int*>(8), ip.data(), rp.data(), &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(rec::codes("MCXCOM"), std::vector<int>{0});
    EXPECT_EQ(rec::count(Kind::Enter), 0);
    EXPECT_EQ(getters(), (std::vector<double>{12.5, 1.5, 13.5, 110, 14.5, 15.5, 13.5, 110, 111, 14.5}));
    const auto& b = vcbm::tol::block();
    EXPECT_TRUE(b.rcopy[0] == 2.5 && b.rcopy[6] == 22.5 && b.icopy[0] == 104 && b.icopy[7] == 121);
    rp[11] = 1.0e-6;
    ip[9] = 50;
    mcxcom(nullptr, ip.data(), rp.data(), &ier);
    EXPECT_EQ(getters(), (std::vector<double>{1e-6, 1.5, 13.5, 50, 14.5, 15.5, 13.5, 50, 111, 14.5}));
}

TEST_F(Tolerance, GetterTraces) {
    rec::set_level(4);
    getters();
    EXPECT_TRUE(rec::events().empty());
    rec::set_level(5);
    getters();
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"MEPSNR", "MEPSPB", "MEPSLN", "MVEPS3"}));
    EXPECT_EQ(rec::names(Kind::Exit), (std::vector<std::string>{"MEPSNR", "MEPSPB"}));
    EXPECT_EQ(rec::count(Kind::Error), 0);
}

TEST_F(Tolerance, ScopedEps1IsPerThreadAndRestored) {
    const double base = eps1();
    {
        vcbm::tol::ScopedEps1 scaled(base * 4);
        EXPECT_EQ(eps1(), base * 4);
        {
            vcbm::tol::ScopedEps1 inner(1.0);
            EXPECT_EQ(eps1(), 1.0);
        }
        EXPECT_EQ(eps1(), base * 4);
        double other = -1;
        std::thread([&] { other = eps1(); }).join();
        EXPECT_EQ(other, base) << "another thread still sees the shared block";
    }
    EXPECT_EQ(eps1(), base);
}

TEST(Marker, ReturnsOne) { EXPECT_EQ(KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics(), 1); }

}  // namespace
