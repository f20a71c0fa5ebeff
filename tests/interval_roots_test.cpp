// All roots of a polynomial on an interval: ur1pls and its layers, on
// polynomials built from known roots, on the edge cases of the isolation, on
// the use of work space and on bad input.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using rec::Kind;
using ref::from_roots;
using testing_support::fill_block;
using testing_support::Recorded;
using V = std::vector<double>;

struct Roots { int ier = -99; V r; };

Roots solve(V c, double a, double b) {
    int n = static_cast<int>(c.size()), nroot = -1, ier = -1;
    const int cap = std::max(n - 1, 1);
    V root(cap + 1, 7.0), aux(cap, 7.0);
    ur1pls(&n, c.data(), &a, &b, &nroot, root.data(), aux.data(), &ier);
    EXPECT_EQ(root[cap], 7.0) << "ROOT written past NCOEF - 1";
    for (int k = 0; k < nroot; ++k) EXPECT_EQ(aux[k], 0.0) << "AUX is cleared";
    return {ier, V(root.begin(), root.begin() + std::max(nroot, 0))};
}

void expect_roots(const Roots& got, const V& want, double tol, const std::string& what) {
    ASSERT_EQ(got.r.size(), want.size()) << what;
    for (std::size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(got.r[k], want[k], tol) << what << " root " << k;
}

class IntervalRoots : public Recorded {
protected:
    void SetUp() override {
        fill_block({.eps1 = 1e-12, .epsnr = 1e-12, .epspb = 1e-14, .nitnr = 100});
        rec::reset();
    }
};

TEST_F(IntervalRoots, EdgeCases) {
    struct Case { V c; double a, b; V want; double tol; const char* what; };
    const Case cases[] = {
        {{2, 0, 0, 0, 0}, 0, 1, {}, 0, "a non-zero constant"},
        {{-0.25, 1, 0, 0}, 0, 1, {0.25}, 0, "linear with zero tail"},
        {from_roots({0.5, 0.5}), 0, 1, {0.5}, 0, "double root, closed form"},
        {from_roots({2, 2}), 0, 1, {}, 0, "double root outside, closed form"},
        {from_roots({0.0, 0.3, 1.0, -2}), 1, 0, {0.0, 0.3, 1.0}, 1e-12, "roots on the swapped ends"},
        {from_roots({0.25, 0.4, 0.75, 2}), 0.25, 0.75, {0.25, 0.4, 0.75}, 1e-12, "inner ends"},
        {from_roots({0.4, 0.4 + 4e-13, 0.9, -1}), 0, 1, {0.4, 0.9}, 1e-6, "closer than EPSNR"},
        {from_roots({-1e-4, 0.5, 1 + 1e-4, 3}), 0, 1, {0.5}, 1e-12, "just outside"},
        // A double root on a split point, where rounding makes the polynomial
        // cross zero twice a hair apart: one root, since it stays within EPS1
        // between the crossings; a close pair that does not is kept apart.
        {from_roots({0.3, 0.5, 0.5, 2.0}), 0, 1, {0.3, 0.5}, 1e-7, "double root on a split"},
        {from_roots({0.4, 0.401, 0.8, -1}), 0, 1, {0.4, 0.401, 0.8}, 1e-12, "close pair"},
    };
    for (const Case& k : cases) {
        const Roots got = solve(k.c, k.a, k.b);
        EXPECT_EQ(got.ier, 0) << k.what;
        expect_roots(got, k.want, k.tol, k.what);
    }
    // Zero within EPS1 on the interval: code 100, reported.
    for (const V& c : {V{1e-13, 0, 0, 0}, V{0, 0, 0, 0, 0, 0}, V{1e-13, -2e-13, 1e-13, 3e-14, -1e-14}})
        EXPECT_EQ(solve(c, 1, 0).ier, 100);
    EXPECT_EQ(rec::codes("UR1PLS"), (std::vector<int>{100, 100, 100}));
}

// Random polynomials of degree up to 40 with known roots: some inside [0, 1]
// (simple, double, clustered within 1e-3, on the ends), the rest negative,
// where the canonical form stays well conditioned on [0, 1]. A case is kept
// when its numbers make the roots well defined under the tolerances.
struct Root { double t; int mult; double tol; };

bool make_case(std::mt19937& gen, int kind, int degree, double epsf, std::vector<Root>& inside, V& c) {
    std::uniform_real_distribution<double> u(0.02, 0.98), neg(-3.0, -0.3), gap(1e-4, 1e-3);
    inside.clear();
    const int k = 1 + static_cast<int>(gen() % static_cast<unsigned>(std::min(kind == 0 ? degree : degree - 2, 5)));
    for (int tries = 0; static_cast<int>(inside.size()) < k && tries < 100; ++tries) {
        const double r = u(gen);
        if (std::all_of(inside.begin(), inside.end(), [&](const Root& s) { return std::fabs(s.t - r) > 0.03; }))
            inside.push_back({r, 1, 0});
    }
    if (kind == 1) inside[0].mult = 2;
    if (kind == 2) {  // a cluster of three
        const double r = inside[0].t + gap(gen);
        inside.push_back({r, 1, 0});
        inside.push_back({r + gap(gen), 1, 0});
    }
    if (kind == 3) inside.insert(inside.end(), {{0.0, 1, 0}, {1.0, 1, 0}});
    V all;
    for (const Root& r : inside) all.insert(all.end(), r.mult, r.t);
    if (static_cast<int>(all.size()) > degree) return false;
    while (static_cast<int>(all.size()) < degree) all.push_back(neg(gen));
    std::sort(inside.begin(), inside.end(), [](const Root& a, const Root& b) { return a.t < b.t; });
    auto p = [&](long double t) { return std::accumulate(all.begin(), all.end(), 1.0L, [&](long double v, double r) { return v * (t - r); }); };
    long double big = 0;  // unit size on [0, 1]
    for (int i = 0; i <= 400; ++i) big = std::max(big, std::fabs(p(i / 400.0L)));
    c = from_roots(all, static_cast<double>(1 / big));
    double sum = 0;  // the rounding of the coefficients
    for (double x : c) sum += std::fabs(x);
    const double noise = 8 * std::numeric_limits<double>::epsilon() * sum;
    if (noise > epsf / 4) return false;
    for (std::size_t i = 1; i < inside.size(); ++i)  // well above EPS1 between neighbouring roots
        for (int j = 1; j < 20; ++j)
            if (std::fabs(p(inside[i - 1].t + (inside[i].t - inside[i - 1].t) * j / 20.0L) / big) < 100 * epsf)
                return false;
    for (Root& r : inside) {  // a narrow stretch where |P| <= EPS1
        const long double h = 1e-4L;
        const double d1 = static_cast<double>(std::fabs((p(r.t + h) - p(r.t - h)) / (2 * h) / big));
        const double d2 = static_cast<double>(std::fabs((p(r.t + h) - 2 * p(r.t) + p(r.t - h)) / (h * h) / big));
        double gap_next = 1.0;
        for (const Root& o : inside) gap_next = &o == &r ? gap_next : std::min(gap_next, std::fabs(o.t - r.t));
        r.tol = r.mult == 1 ? epsf + 2 * epsf / d1 + 10 * noise / d1 : 3 * std::sqrt(2 * (epsf + noise) / d2);
        if ((r.mult == 1 && (epsf / d1 > 1e-5 || epsf / d1 > gap_next / 20)) || (r.mult == 2 && r.tol > 1e-4) ||
            ((r.t == 0.0 || r.t == 1.0) && noise / d1 > epsf / 10))
            return false;
    }
    return true;
}

TEST_F(IntervalRoots, KnownRootsUpToDegreeForty) {
    std::mt19937 gen(2024);
    int checked = 0;
    for (int degree : {3, 4, 5, 7, 10, 15, 20, 30, 40}) {
        for (int kind = 0; kind < (degree < 4 ? 2 : 4); ++kind) {
            const double eps = kind == 2 ? 1e-13 : 1e-10;  // clusters need a finer value tolerance
            fill_block({.eps1 = eps, .epsnr = eps, .epspb = 1e-14, .nitnr = 100});
            std::vector<Root> inside;
            V c;
            for (int rep = 0, tries = 0; rep < 8 && tries < 400; ++tries) {
                if (!make_case(gen, kind, degree, eps, inside, c)) continue;
                const Roots got = rep % 2 ? solve(c, 1, 0) : solve(c, 0, 1);
                const std::string what = "degree " + std::to_string(degree) + " kind " + std::to_string(kind);
                EXPECT_EQ(got.ier, 0) << what;
                EXPECT_TRUE(std::is_sorted(got.r.begin(), got.r.end())) << what;
                // Every expected root found, once; a double root perhaps as a close pair.
                for (const Root& r : inside) {
                    const auto near = std::count_if(got.r.begin(), got.r.end(), [&](double x) { return std::fabs(x - r.t) <= r.tol; });
                    EXPECT_TRUE(near == 1 || (r.mult == 2 && near == 2)) << what << ": " << r.t << " found " << near;
                }
                for (double x : got.r)
                    EXPECT_TRUE(std::any_of(inside.begin(), inside.end(), [&](const Root& r) { return std::fabs(x - r.t) <= r.tol; }))
                        << what << ": unexpected root " << x;
                ++checked;
                ++rep;
            }
        }
    }
    EXPECT_GT(checked, 230);
}

TEST_F(IntervalRoots, WorkSpaceAndLevelStorage) {
    auto request_sizes = [] {
        std::vector<int> s;
        for (const auto& e : rec::events()) if (e.kind == Kind::Request) s.push_back(e.code);
        return s;
    };
    const V c = from_roots({0.1, 0.35, 0.36, 0.6, 0.61, 0.9, -1, -2});
    const Roots want = solve(c, 0, 1);
    ASSERT_EQ(want.r.size(), 6u);
    // The 30000-real area, then 31 levels of two halves of 61 reals; both released.
    EXPECT_EQ(request_sizes(), (std::vector<int>{30000, 31 * 2 * 61}));
    EXPECT_EQ(rec::count(Kind::Release), 2);
    // Fewer levels available, the request refused, or a single level: the
    // deepest level goes on with one work area, with the same roots.
    for (int variant : {5, 2, 1, 0}) {
        rec::reset();
        rec::set_level(3);
        variant == 0 ? rec::fail_request(2) : rec::set_stack_depth(variant);
        const Roots r = solve(c, 0, 1);
        EXPECT_EQ(r.ier, 0);
        expect_roots(r, want.r, 1e-12, "levels " + std::to_string(variant));
        const int levels = variant == 0 ? 31 : variant;  // a refused request is still made
        EXPECT_EQ(request_sizes(), levels >= 2 ? std::vector<int>({30000, levels * 2 * 61}) : std::vector<int>{30000});
        EXPECT_TRUE(rec::count(Kind::Enter, "MYRS1D") > 0 && rec::codes("MMRS1D").empty());
    }
    // The 30000-real area refused: code 10, one report, no release, nothing computed.
    rec::reset();
    rec::fail_request(1);
    const Roots r = solve(c, 0, 1);
    EXPECT_TRUE(r.ier == 10 && r.r.empty() && rec::count(Kind::Release) == 0);
    EXPECT_EQ(rec::codes("UR1PLS"), std::vector<int>{10});
}

TEST_F(IntervalRoots, TracesCountsAndNoisyPieces) {
    rec::set_level(2);
    solve(from_roots({0.3, 0.6, 0.9}), 0, 1);
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"UR1PLS", "MMRS1D", "MHRS1D"}));
    EXPECT_EQ(rec::count(Kind::Exit), 0);
    // From level 4 the sign test traces its entry (no exit) once for the
    // whole interval and once for each half of every split: an odd count.
    for (int level : {3, 4}) {
        rec::reset();
        rec::set_level(level);
        solve(from_roots({0.3, 0.6, 0.9}), 0, 1);
        const int tests = rec::count(Kind::Enter, "MZRS1D");
        EXPECT_TRUE(level == 3 ? tests == 0 : tests >= 3 && tests % 2 == 1) << level << ": " << tests;
        EXPECT_EQ(rec::count(Kind::Exit, "MZRS1D"), 0);
    }
    rec::set_level(0);
    // Counts outside 1..41: the general message, code 0, no work space.
    for (int n : {0, 42}) {
        rec::reset();
        const Roots r = solve(V(n, 1.0), 0, 1);
        EXPECT_TRUE(r.ier == 0 && r.r.empty());
        EXPECT_TRUE(rec::count(Kind::Failure, "UR1PLS") == 1 && rec::count(Kind::Request) == 0);
    }
    // Bracketing solves that run out of iterations leave noisy pieces: code 1 at every layer.
    fill_block({.eps1 = 1e-12, .epsnr = 1e-12, .epspb = 1e-14, .nitnr = 2});
    rec::reset();
    EXPECT_EQ(solve(from_roots({0.2, 0.45, 0.7, 3}), 0, 1).ier, 1);
    for (const char* name : {"UR1PLS", "MMRS1D", "MHRS1D"}) EXPECT_EQ(rec::codes(name), std::vector<int>{1});
}

TEST_F(IntervalRoots, BadInputEndsWithACode) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    // A coefficient that is not finite, or a NaN end: code 2 at once, no work space.
    for (const V& c : {V{nan, 1, 2, 3, 4}, V{1, 2, 3, 4, inf}, V{1, -3, nan, 1}, V{nan, nan}, V{2, -inf, 1}}) {
        rec::reset();
        const Roots r = solve(c, 0, 1);
        EXPECT_TRUE(r.ier == 2 && r.r.empty()) << r.ier;
        EXPECT_EQ(rec::codes("UR1PLS"), std::vector<int>{2});
    }
    for (double a : {nan, 0.0})
        EXPECT_EQ(solve(from_roots({0.3, 0.6, 0.9}), a, a == a ? nan : 1.0).ier, 2);
    const Roots wide = solve({-1, 1e308, -1e308, 1e308, 1}, 0, 1);
    EXPECT_TRUE(wide.ier == 0 || wide.ier == 1) << wide.ier;
    for (double x : wide.r) EXPECT_TRUE(x >= 0 && x <= 1);
    // (t - 0.5)^20 is below EPS1 over a long stretch: the solve ends, with
    // roots inside that stretch or a full list.
    const Roots flat = solve(from_roots(V(20, 0.5)), 0, 1);
    EXPECT_TRUE(flat.ier == 0 || flat.ier == 1 || flat.ier == 200) << flat.ier;
    for (double x : flat.r) EXPECT_NEAR(x, 0.5, 0.3);
    // The tolerance block left empty: no hang.
    fill_block({.eps1 = 0, .epsnr = 0, .epspb = 0, .epspb2 = 0, .eps3d = 0, .nitnr = 0, .nitln = 0});
    for (int degree : {3, 8, 20}) {
        V roots(degree);
        for (int k = 0; k < degree; ++k) roots[k] = (k + 0.5) / degree;
        EXPECT_LE(solve(from_roots(roots), 0, 1).ier, 1);
    }
    EXPECT_EQ(solve({0, 0, 0, 0}, 0, 1).ier, 100);
}

TEST_F(IntervalRoots, CommonFactorDoesNotMoveTheRoots) {
    // Huge coefficients overflowed the discriminant or the polygon: (t^2 + t - 1) 1e154
    // gave t = 0 with code 0 and 1e308 no root. The roots do not depend on the factor.
    const double golden = (std::sqrt(5.0) - 1) / 2;
    for (const V& base : {V{-1, 1, 1}, V{-1, 1, 1, 1e-3}, from_roots({0.2, golden, 0.9, 3, -2})}) {
        const Roots want = solve(base, 0, 1);
        ASSERT_EQ(want.ier, 0);
        for (double s : {0x1p101, 1e154, 1e200, 1e308, -1e308}) {
            V c = base;
            const double m = *std::max_element(c.begin(), c.end(), [](double a, double b) { return std::fabs(a) < std::fabs(b); });
            for (double& x : c) x = x / std::fabs(m) * s;
            expect_roots(solve(c, 0, 1), want.r, 1e-12, "scaled " + std::to_string(s));
            EXPECT_EQ(solve(c, 0, 1).ier, 0);
        }
    }
    // Below 2^100 the coefficients are used as they are: every bit as before
    // (a power of two gives the same roots either way; here the comparisons
    // with EPS1 are what the factor changes).
    const V c = from_roots({0.25, 0.5, 0.75});
    V big = c;
    for (double& x : big) x *= 0x1p99;
    EXPECT_EQ(solve(big, 0, 1).ier, 0);
}

TEST_F(IntervalRoots, NaNTolerancesEndAtOnce) {
    // With a NaN tolerance no piece is ever settled: a call of 11 coefficients
    // took minutes. Now code 2 before any work space is taken.
    const V c = from_roots({0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 2.0});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const testing_support::Tolerances nans[] = {
        {.eps1 = nan, .epsnr = 1e-12, .nitnr = 2147483647},
        {.eps1 = 1e-12, .epsnr = nan, .nitnr = 2147483647},
        {.eps1 = 1e-12, .epsnr = 1e-12, .epspb = nan, .nitnr = 2147483647},
        {.eps1 = nan, .epsnr = nan, .epspb = nan, .epspb2 = nan, .eps3d = nan, .nitnr = 2147483647}};
    for (const auto& t : nans) {
        fill_block(t);
        rec::reset();
        const Roots r = solve(c, 0, 1);
        EXPECT_TRUE(r.ier == 2 && r.r.empty()) << r.ier;
        EXPECT_EQ(rec::codes("UR1PLS"), std::vector<int>{2});
        V work(30000), root(10);
        int eight = 8, ncmax = 61, n = 11, nroot = -1, ier = -1, nlevel = 3;
        double a = 0, b = 1, epsf = 1e-12;
        char status[4];
        mmrs1d(&eight, &ncmax, &n, c.data(), c.data(), &a, &b, &epsf, &nroot, root.data(), work.data(), status, &ier, 4);
        EXPECT_EQ(ier, 2);
        mhrs1d(&eight, &ncmax, &n, c.data(), c.data(), &a, &b, &epsf, &nlevel, work.data() + 1000, work.data(), &nroot,
               root.data(), status, &ier, 4);
        EXPECT_TRUE(ier == 2 && nroot == 0);
    }
}

TEST_F(IntervalRoots, NewtonStopsOnNaN) {
    // A NaN bound or value never left [A - 0.25, B + 0.25] by the test as it
    // was written: five starts ran to the iteration limit (found by fuzzing).
    fill_block({.eps1 = 1e-12, .epsnr = 1e-12, .epspb = 1e-14, .nitnr = 2147483647});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double c[3] = {-0.25, 0, 1}, cd[2] = {0, 2}, cnan[3] = {nan, 0, 1};
    struct Case { const double* c; double a, b; };
    for (const Case& k : {Case{c, nan, 1}, Case{c, 0, nan}, Case{cnan, 0, 1}}) {
        int n = 3, ier = -7;
        double x = 0.3, eps = 1e-12;
        unrs1d(&n, k.c, cd, &k.a, &k.b, &eps, &eps, &x, &ier);
        EXPECT_EQ(ier, 1);
    }
}

TEST_F(IntervalRoots, SolverLayers) {
    // mmrs1d keeps a double root twice (ur1pls merges it).
    fill_block({.eps1 = 1e-10, .epsnr = 1e-12});
    V c = from_roots({0.3, 0.6, 0.6, 2.0}), work(30000), root(4);
    int eight = 8, ncmax = 61, n = 5, nroot, ier;
    double a = 1, b = 0, epsf = 1e-10;
    char status[5] = "xxxx";
    mmrs1d(&eight, &ncmax, &n, c.data(), c.data(), &a, &b, &epsf, &nroot, root.data(), work.data(), status, &ier, 4);
    ASSERT_TRUE(ier == 0 && nroot == 3 && std::string(status) == "    ");
    EXPECT_TRUE(std::fabs(root[0] - 0.3) < 1e-12 && std::fabs(root[1] - 0.6) < 1e-6 && root[1] == root[2]);
    std::swap(a, b);
    // myrs1d on the piece [0.5, 1] adds to a list that already holds a root.
    V c3 = from_roots({0.1, 0.6, 0.8, -1}), list = {0.1, 9, 9};
    int noisy = 0, level = 1, nlist = 1;
    double ta = 0.5, tb = 1;
    myrs1d(&eight, &ncmax, &n, c3.data(), c3.data(), &a, &b, &ta, &tb, &level, &epsf, work.data(), &nlist,
           list.data(), &noisy, status, &ier, 4);
    EXPECT_TRUE(ier == 0 && noisy == 0 && nlist == 3);
    EXPECT_TRUE(std::fabs(list[1] - 0.6) < 1e-12 && std::fabs(list[2] - 0.8) < 1e-12);
    int big = 62;  // out-of-range counts: code 10
    mmrs1d(&eight, &big, &n, c.data(), c.data(), &a, &b, &epsf, &nroot, root.data(), work.data(), status, &ier, 4);
    EXPECT_EQ(ier, 10);

    // Sign test: the scan stops once both signs were seen, so a later large
    // value is not looked at; monotonicity from the scaled differences.
    int four = 4, icode, isens;
    double scale = 3, w[4];
    const std::vector<std::pair<V, int>> signs = {
        {{1, 2, 3, 4}, 0}, {{-1, -2, -1e-9, -3}, 0}, {{-1, -2, -1e-11, -3}, 1}, {{1e-11, -1e-11, 0, 1e-11}, 2},
        {{1, -1, 1, 1}, 1}, {{1e-11, -1e-11, 5, 5}, 2}};
    for (auto [poly, want] : signs) {
        mzrs1d(&four, poly.data(), &icode);
        EXPECT_EQ(icode, want) << poly[2];
    }
    for (auto [poly, want] : std::vector<std::pair<V, int>>{{{1, 2, 3, 4}, 1}, {{3, 2, 2 - 1e-10, -1}, -1}, {{0, 1, 1, 2}, 0}}) {
        ujrs1d(&four, poly.data(), w, &scale, &isens);
        EXPECT_EQ(isens, want);
    }
}

TEST_F(IntervalRoots, NewtonAndSolutionLists) {
    // From 0.9 to the root 0.3; stopped on the extremum of a double root;
    // no root: code 1 after the restarts, the start point back, reported.
    struct Case { V c; double x0; int ier; double x; };
    rec::set_level(1);
    for (const Case& k : {Case{from_roots({0.3, 2.0}), 0.9, 0, 0.3}, Case{from_roots({0.5, 0.5}), 0.5, -1, 0.5},
                          Case{{1, 0, 1}, 0.2, 1, 0.2}}) {
        V cd = {k.c[1], 2 * k.c[2]};
        int n = 3, ier;
        double a = 0, b = 1, epsx = 1e-14, epsf = 1e-12, x = k.x0;
        unrs1d(&n, k.c.data(), cd.data(), &a, &b, &epsx, &epsf, &x, &ier);
        EXPECT_EQ(ier, k.ier);
        EXPECT_NEAR(x, k.x, 1e-14);
    }
    EXPECT_EQ(rec::codes("UNRS1D"), std::vector<int>{1});
    EXPECT_EQ(rec::names(Kind::Enter), std::vector<std::string>(3, "UNRS1D"));

    V sol(12, 0.0);
    int ndim = 2, nmax = 5, nsol = 0, ier;
    double eps = 1e-3;
    // {u, v, multiplicity, NSOL after}: a match within EPS in every
    // component counts towards the multiplicity; a full list is unchanged.
    const double adds[][4] = {{0.5, 1, 1, 1}, {0.2, 1, 1, 2}, {0.9, 1, 1, 3}, {0.5004, 1, 1, 3},
                              {0.5004, 1, 2, 4}, {0.5, 2, 1, 5}, {0.1, 1, 1, 5}};
    for (const auto& add : adds) {
        int mult = static_cast<int>(add[2]);
        uajsol(&ndim, add, &mult, &eps, &nmax, &nsol, sol.data(), &ier);
        EXPECT_EQ(nsol, static_cast<int>(add[3])) << add[0];
    }
    EXPECT_EQ(ier, 1);
    EXPECT_TRUE(sol[0] == 0.2 && sol[2] == 0.5 && sol[4] == 0.5004 && sol[8] == 0.9);
    EXPECT_EQ(rec::count(Kind::Failure, "UAJSOL"), 1);
    V list = {0.1, 0.1005, 0.1012, 0.3, 0.3, 0.7};
    int nl = 6, one = 1;
    uelsol(&eps, &one, &nl, list.data());  // compared with the last kept entry
    EXPECT_EQ(V(list.begin(), list.begin() + nl), (V{0.1, 0.1012, 0.3, 0.7}));
}

}  // namespace
