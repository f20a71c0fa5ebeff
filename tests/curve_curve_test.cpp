// Curve/curve intersection in the plane (umcvcv and its planar layers).
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/crossings.hpp"
#include "tests/support/reference.hpp"

namespace {

using rec::Kind;
using testing_support::Recorded;
using Vec = std::vector<double>;
using namespace crossings;
constexpr int kTwo = 2;

TEST_F(Recorded, KnownCrossingsAreFoundOnceEach) {
    const std::vector<Vec> cases = {{0.5},           {0.2, 0.7},           {0.1, 0.4, 0.9},
                                    {0.0, 0.35, 1.0}, {0.05, 0.3, 0.55, 0.8}, {0.1, 0.25, 0.45, 0.6, 0.95}};
    for (const Vec& roots : cases) {
        const Known kc = known_crossings(roots);
        const Result r = intersect(2, kc.c1, {0, 1}, kc.c2, {0, 1});
        EXPECT_EQ(r.ier, 0);
        expect_pairs(r, kc.pairs, 1e-10, "roots " + std::to_string(roots.size()));
        // The same with both intervals reversed, and with the curves exchanged.
        const Result rev = intersect(2, kc.c1, {1, 0}, kc.c2, {1, 0});
        expect_pairs(rev, kc.pairs, 1e-10, "reversed");
        const Result sw = intersect(2, kc.c2, {0, 1}, kc.c1, {0, 1});
        ASSERT_EQ(sw.nsol, r.nsol);
        for (int k = 0; k < r.nsol; ++k) {
            EXPECT_NEAR(sw.sol[2 * k], kc.pairs[2 * k + 1], 1e-10);
            EXPECT_NEAR(sw.sol[2 * k + 1], kc.pairs[2 * k], 1e-10);
        }
    }
}

// Crossings of the polylines of M segments of both curves on [0, 1] (strict
// crossings of segment pairs): an independent count for curves whose
// crossings are transversal and apart.
int polyline_crossings(const Vec& c1, const Vec& c2, int m) {
    std::vector<std::array<long double, 2>> a(m + 1), b(m + 1);
    for (int i = 0; i <= m; ++i)
        for (int d = 0; d < 2; ++d) {
            a[i][d] = ref::horner(c1.data(), 2, static_cast<int>(c1.size()) / 2, d, static_cast<long double>(i) / m);
            b[i][d] = ref::horner(c2.data(), 2, static_cast<int>(c2.size()) / 2, d, static_cast<long double>(i) / m);
        }
    const auto orient = [](const auto& p, const auto& q, const auto& r) {
        return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0]);
    };
    int count = 0;
    for (int i = 0; i < m; ++i)
        for (int j = 0; j < m; ++j)
            if (orient(a[i], a[i + 1], b[j]) * orient(a[i], a[i + 1], b[j + 1]) < 0 &&
                orient(b[j], b[j + 1], a[i]) * orient(b[j], b[j + 1], a[i + 1]) < 0)
                ++count;
    return count;
}

// Random cubic and quintic pairs: every crossing of the polylines is found,
// every pair returned is a meeting point, the list is sorted and free of
// repeats, and refusing the per-level storage (or granting one level only)
// finds the same pairs.
TEST_F(Recorded, RandomPairsMeetWhereReportedWhateverTheStorage) {
    std::mt19937 gen(11);
    int total = 0;
    for (int trial = 0; trial < 60; ++trial) {
        const int n = trial % 2 ? 6 : 4;
        const Vec c1 = random_bezier(gen, n), c2 = random_bezier(gen, n);
        rec::reset();
        const Result r = intersect(2, c1, {0, 1}, c2, {0, 1});
        ASSERT_EQ(r.ier, 0);
        EXPECT_EQ(r.nsol, polyline_crossings(c1, c2, 256)) << "trial " << trial;
        total += r.nsol;
        for (int k = 0; k < r.nsol; ++k) {
            EXPECT_LT(dist(2, c1, r.sol[2 * k], c2, r.sol[2 * k + 1]), 1e-9);
            if (k > 0) EXPECT_LT(r.sol[2 * k - 2], r.sol[2 * k] - 1e-6);
        }
        EXPECT_EQ(rec::count(Kind::Request), 2);
        for (int variant : {0, 1}) {
            rec::reset();
            variant == 0 ? rec::fail_request(2) : rec::set_stack_depth(1);
            const Result other = intersect(2, c1, {0, 1}, c2, {0, 1});
            EXPECT_EQ(rec::count(Kind::Request), variant == 0 ? 2 : 0);
            ASSERT_EQ(other.nsol, r.nsol);
            for (int k = 0; k < 2 * r.nsol; ++k) EXPECT_NEAR(other.sol[k], r.sol[k], 1e-10);
        }
    }
    EXPECT_GT(total, 50);
}

TEST_F(Recorded, ContactsAtEndsAndTangencies) {
    // Tangential contact at the start points: (0, 0) from the end-point treatment.
    Result r = intersect(2, planar({0, 1}, {0, 0, 1}), {0, 1}, planar({0, 1}, {0, 0, 2}), {0, 1});
    expect_pairs(r, {0, 0}, 0, "tangent at start");
    // Transversal meeting of the ends: start of one, end of the other.
    r = intersect(2, planar({0, 1}, {0, 1, 1}), {0, 1}, planar({2, -1}, {3, -1}), {0, 1});
    ASSERT_EQ(r.nsol, 1);
    EXPECT_NEAR(r.sol[0], 1.0, 1e-12);
    EXPECT_NEAR(r.sol[1], 1.0, 1e-12);
    // Interior tangency of two parabolas: reported once, near (0.5, 0.5).
    const Vec up = planar({0, 1}, compose({0, 0, 1}, {-0.5, 1})), down = planar({0, 1}, compose({0, 0, -2}, {-0.5, 1}));
    r = intersect(2, up, {0, 1}, down, {0, 1});
    EXPECT_EQ(r.ier, 0);
    ASSERT_EQ(r.nsol, 1);
    EXPECT_NEAR(r.sol[0], 0.5, 1e-6);
    EXPECT_NEAR(r.sol[1], 0.5, 1e-6);
    // Arcs of two circle-like curves crossing twice, sorted by t1.
    const Vec arc1 = planar({-1, 2}, {0, 4, -4}), arc2 = planar({-1, 2}, {1, -4, 4});
    r = intersect(2, arc1, {0, 1}, arc2, {0, 1});
    ASSERT_EQ(r.nsol, 2);
    EXPECT_NEAR(r.sol[0], 0.5 - std::sqrt(0.125), 1e-10);
    EXPECT_NEAR(r.sol[2], 0.5 + std::sqrt(0.125), 1e-10);
}

TEST_F(Recorded, IdenticalCurvesCapacityAndOptionTwo) {
    const Vec seg = {0, 0, 1, 1};
    Result r = intersect(2, seg, {0, 1}, {0, 0, 1, 1, 0, 0}, {0, 1});  // zero trailing column dropped
    EXPECT_TRUE(r.ier == -1 && r.nsol == 0);
    r = intersect(2, seg, {0, 1}, {0, 0, 2, 2}, {0, 1});  // same line, another parametrisation
    EXPECT_NE(r.ier, -1);
    // Capacity 1 and two crossings: the first pair found, IER 1, the failure messages.
    rec::reset();
    rec::set_level(1);
    const Known kc = known_crossings({0.2, 0.7});
    r = intersect(2, kc.c1, {0, 1}, kc.c2, {0, 1}, 1, 1);
    EXPECT_TRUE(r.ier == 1 && r.nsol == 1);
    EXPECT_EQ(rec::codes("UMCVCV"), std::vector<int>{1});
    EXPECT_GE(rec::count(Kind::Failure, "UMCVCV"), 1);
    EXPECT_GE(rec::count(Kind::Failure, "UADSOL"), 1);
    // No capacity at all: SOL untouched, IER 1.
    r = intersect(2, kc.c1, {0, 1}, kc.c2, {0, 1}, 1, 0);
    EXPECT_TRUE(r.ier == 1 && r.nsol == 0 && r.sol[0] == -7.0 && r.sol[1] == -7.0);
    // Option 2: a start near the second crossing converges to it; a pair of
    // curves that do not meet gives NSOL 0 and IER 0.
    r = intersect(2, kc.c1, {0, 1}, kc.c2, {0, 1}, 2, 1, {0.65, 0.6});
    ASSERT_TRUE(r.ier == 0 && r.nsol == 1);
    EXPECT_NEAR(r.sol[0], kc.pairs[2], 1e-10);
    EXPECT_NEAR(r.sol[1], kc.pairs[3], 1e-10);
    r = intersect(2, seg, {0, 1}, {0, 1, 1, 1}, {0, 1}, 2, 1, {0.5, 0.5});
    EXPECT_TRUE(r.ier == 0 && r.nsol == 0);
    EXPECT_EQ(rec::names(Kind::Enter).front(), "UMCVCV");
}

TEST_F(Recorded, BadInputEndsWithACode) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const Vec c = {0, 0, 1, 1, 0, 1};
    struct Case {
        int ndim, iopt;
        Vec c1, i1;
        int want;
    };
    const std::vector<Case> cases = {
        {4, 1, {0, 0, 0, 0, 1, 1, 1, 1}, {0, 1}, 2},  // dimension
        {2, 3, c, {0, 1}, 2},                         // option
        {2, 1, {0, 0}, {0, 1}, 2},                    // one coefficient
        {2, 1, Vec(44, 0.5), {0, 1}, 2},              // 22 coefficients
        {2, 1, {1, 1, 0, 0}, {0, 1}, 2},              // a point
        {2, 1, {0, 0, nan, 1}, {0, 1}, 2},            // NaN coefficient
        {2, 1, {0, 0, 1, -1}, {0, inf}, 2},           // infinite interval
        {2, 2, {0, 0, 1, -1}, {nan, 1}, 2},
    };
    for (const Case& k : cases) {
        const Vec c2 = k.ndim == 4 ? Vec{1, 0, 0, 0, 0, 1, 0, 0} : c;
        const Result r = intersect(k.ndim, k.c1, k.i1, c2, {0, 1}, k.iopt, 4, {0.5, 0.5});
        EXPECT_EQ(r.ier, k.want) << k.ndim << " " << k.iopt << " " << k.c1.size();
        EXPECT_EQ(r.nsol, 0);
    }
}

TEST_F(Recorded, OverlappingArcsEndPromptlyWithAFailure) {
    // Both curves run along the diagonal x = y with other parametrisations.
    // With EPSPB = -inf (no Jacobian counts as singular) and a huge EPSNR,
    // every place of the common arc kept a pair to split at every level:
    // found by fuzzing, the subdivision ran for minutes. Now the solve gives
    // up after 16384 splits with its failure code.
    const double inf = std::numeric_limits<double>::infinity();
    testing_support::Tolerances t;
    t.eps1 = 1e-14;
    t.epsnr = std::numeric_limits<double>::max();
    t.epspb = -inf;
    testing_support::fill_block(t);
    const Vec c1(30, -2.0), c2(22, -2.0);
    const auto start = std::chrono::steady_clock::now();
    int iconv = 0, n1 = 15, n2 = 11, nmax = 7, nsol = -1, ier = 0;
    double a1 = -1, b1 = 0, eps = 1e-9;
    Vec p1(30), p2(22), sol(14);
    urcvcv(&iconv, &n1, c1.data(), p1.data(), &a1, &b1, &n2, c2.data(), p2.data(), &a1, &b1, &eps, &nmax, &nsol,
           sol.data(), &ier);
    EXPECT_EQ(ier, -10);
    // A segment along the same line (the line/curve solver), NaN EPSNR, no stored levels.
    t.eps1 = inf;
    t.epsnr = std::numeric_limits<double>::quiet_NaN();
    testing_support::fill_block(t);
    rec::set_stack_depth(0);
    const Result r = intersect(2, Vec(24, -2.0), {-1, 0}, Vec(4, -2.0), {-1, 0}, 1, 1);
    EXPECT_EQ(r.ier, 1);
    // EPSNR and both EPSPB values below zero: no Newton step counts as
    // converged, no Jacobian as singular, no tangents as parallel. Curve 1 stops at the origin (its derivative
    // vanishes there) where curve 2 ends, so many small pairs reach the
    // Newton iteration, and each ran 17 starts of NITNR steps (found by
    // fuzzing: seconds per call at NITNR = 100, hours at 100000). The Newton
    // steps of one solve are bounded as its splits are.
    t = testing_support::Tolerances{};
    t.eps1 = 1e-7;
    t.epsnr = t.epspb = t.epspb2 = -1e-9;
    t.nitnr = 100000;
    testing_support::fill_block(t);
    rec::set_stack_depth(-1);
    const Vec stops = {1e-300, 1e-300, 1e-300, 1e-300, 1e-300, 2};
    Vec q1(6), q2(40), pairs(10);
    n1 = 3;
    n2 = 20;
    nmax = 5;
    urcvcv(&iconv, &n1, stops.data(), q1.data(), &a1, &b1, &n2, Vec(40, -2.0).data(), q2.data(), &a1, &b1, &eps,
           &nmax, &nsol, pairs.data(), &ier);
    EXPECT_EQ(ier, -10);
    EXPECT_EQ(intersect(2, stops, {-1, 0}, Vec(40, -2.0), {-1, 0}, 1, 5).ier, 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST_F(Recorded, SolutionListAndPointTest) {
    // uadsol: sorted insertion, repeats within EPS dropped, the full list refused.
    Vec sol(8, 0.0);
    int nsol = 0, ier = 0, two = 2, nmax = 3;
    const double eps = 1e-3;
    const std::vector<std::pair<Vec, int>> steps = {
        {{0.5, 0.1}, 1}, {{0.2, 0.9}, 2}, {{0.5005, 0.1002}, 2}, {{0.5005, 0.3}, 3}, {{0.9, 0.9}, 3}};
    for (const auto& [x, count] : steps) {
        uadsol(&two, x.data(), &eps, &nmax, &nsol, sol.data(), &ier);
        EXPECT_EQ(nsol, count);
        EXPECT_EQ(ier, x[0] == 0.9 ? 1 : 0);
    }
    EXPECT_EQ(sol, (Vec{0.2, 0.9, 0.5, 0.1, 0.5005, 0.3, 0, 0}));
    const double p[2] = {0, 0}, q[2] = {3e-5, 4e-5};
    double e2 = 2.5e-9;
    EXPECT_EQ(nfnequ(&two, p, q, &e2), 1);
    e2 = 2.4e-9;
    EXPECT_EQ(nfnequ(&two, p, q, &e2), 0);
}

// The planar driver and the Newton iteration called directly.
TEST_F(Recorded, DriverAndNewtonCalledDirectly) {
    const Known kc = known_crossings({0.3, 0.6});
    int n1 = static_cast<int>(kc.c1.size()) / 2, n2 = static_cast<int>(kc.c2.size()) / 2;
    Vec p1(2 * n1), p2(2 * n2), sol(20);
    int nsol = -1, ier = -1, nmax = 10;
    const double a = 0, b = 1, eps = 1e-6;
    struct Case {
        int iconv;
        bool given;  // the polygons filled beforehand
        int want_ier, want_nsol;
    };
    // ICONV 0 computes and writes the polygons; ICONV 1 reads them as given.
    for (const Case& k : {Case{0, false, 0, 2}, Case{1, true, 0, 2}}) {
        if (k.given) {
            int e = 0;
            cpolyg(&kTwo, &kTwo, &n1, kc.c1.data(), p1.data(), &e);
            cpolyg(&kTwo, &kTwo, &n2, kc.c2.data(), p2.data(), &e);
        }
        urcvcv(&k.iconv, &n1, kc.c1.data(), p1.data(), &a, &b, &n2, kc.c2.data(), p2.data(), &a, &b, &eps, &nmax,
               &nsol, sol.data(), &ier);
        EXPECT_TRUE(ier == k.want_ier && nsol == k.want_nsol) << k.iconv;
        EXPECT_NEAR(sol[2], 0.6, 1e-10);
        EXPECT_NEAR(p1[0], kc.c1[0], 1e-15);  // the polygon starts at the curve's start
    }
    const int zero = 0, one = 1;
    const double point[4] = {1, 1, 0, 0};
    urcvcv(&zero, &n1, kc.c1.data(), p1.data(), &a, &b, &n1, kc.c1.data(), p2.data(), &a, &b, &eps, &nmax, &nsol,
           sol.data(), &ier);
    EXPECT_EQ(ier, 20);
    urcvcv(&zero, &kTwo, point, p1.data(), &a, &b, &n2, kc.c2.data(), p2.data(), &a, &b, &eps, &nmax, &nsol,
           sol.data(), &ier);
    EXPECT_EQ(ier, 10);
    const int big = 22;
    urcvcv(&one, &big, kc.c1.data(), p1.data(), &a, &b, &n2, kc.c2.data(), p2.data(), &a, &b, &eps, &nmax, &nsol,
           sol.data(), &ier);
    EXPECT_EQ(ier, 2);

    // uncvcv: a transversal crossing (0), a tangential contact (converged or
    // a coincidence point: code below 1), two parallel lines (1, pair unchanged).
    const auto newton = [](const Vec& c1, const Vec& c2, double t1, double t2) {
        int m1 = static_cast<int>(c1.size()) / 2, m2 = static_cast<int>(c2.size()) / 2, nd1 = 0, nd2 = 0, e = 0;
        Vec d1(c1.size()), d2(c2.size());
        derivc(&kTwo, &m1, c1.data(), &nd1, d1.data());
        derivc(&kTwo, &m2, c2.data(), &nd2, d2.data());
        const double lo = 0, hi = 1;
        uncvcv(&m1, c1.data(), &m2, c2.data(), d1.data(), d2.data(), &lo, &hi, &lo, &hi, &t1, &t2, &e);
        return std::make_tuple(e, t1, t2);
    };
    auto [e, t1, t2] = newton(kc.c1, kc.c2, 0.35, 0.45);
    EXPECT_EQ(e, 0);
    EXPECT_NEAR(t1, 0.3, 1e-12);
    std::tie(e, t1, t2) = newton(planar({0, 1}, {0, 0, 1}), planar({0, 1}, {0, 0, -1}), 0.3, 0.3);
    EXPECT_LT(e, 1);
    EXPECT_LT(std::fabs(t1) + std::fabs(t2), 1e-4);
    std::tie(e, t1, t2) = newton({0, 0, 1, 0}, {0, 1, 1, 0}, 0.25, 0.75);
    EXPECT_TRUE(e == 1 && t1 == 0.25 && t2 == 0.75);
    EXPECT_EQ(rec::codes("UNCVCV"), std::vector<int>{1});
}

// Traces: the entry lines of the family at level 1, and the coefficients
// written by the space solve from level 3.
TEST_F(Recorded, TracesOfTheFamily) {
    const Known kc = known_crossings({0.5});
    rec::set_level(1);
    intersect(2, kc.c1, {0, 1}, kc.c2, {0, 1});
    for (const char* name : {"UMCVCV", "URCVCV", "UACVCV", "UHCVCV"}) EXPECT_EQ(rec::count(Kind::Enter, name), 1) << name;
    EXPECT_EQ(rec::count(Kind::Exit), 0);
    rec::reset();
    rec::set_level(3);
    const Known sp = known_space_crossings({0.5}, rotation(0.3, 0.7));
    intersect(3, sp.c1, {0, 1}, sp.c2, {0, 1});
    int coefficients = 0;
    for (const auto& ev : rec::events())
        if (ev.kind == Kind::Debug && ev.name.rfind("UR3DCV", 0) == 0) ++coefficients;
    EXPECT_EQ(coefficients, 2 + static_cast<int>(sp.c1.size() + sp.c2.size()));
}

}  // namespace
