// Roots by subdivision with noisy intervals: mrs1d0 on polynomials built from
// known roots (the noisy and unresolved intervals must hold what the roots
// list lacks), its layers on hand-made pieces, work space and bad input.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using rec::Kind;
using ref::from_roots;
using testing_support::Recorded;
using V = std::vector<double>;

struct Answer {
    int ier = -99;
    V roots, noise, unres;  // intervals as flat pairs
};

Answer solve(const V& c, double a, double b, double epsx, double epsf) {
    int n = static_cast<int>(c.size()), nroot = -1, nnoise = -1, nunres = -1, ier = -1;
    const int cap = std::max(n - 1, 1);
    V roots(cap + 1, 7.0), noise(2 * cap + 1, 7.0), unres(2 * cap + 1, 7.0);
    const double tint[2] = {a, b};
    mrs1d0(c.data(), &n, tint, &epsx, &epsf, roots.data(), &nroot, noise.data(), &nnoise, unres.data(), &nunres, &ier);
    EXPECT_TRUE(roots[cap] == 7.0 && noise[2 * cap] == 7.0 && unres[2 * cap] == 7.0) << "written past the capacity";
    auto head = [](const V& v, int k) { return V(v.begin(), v.begin() + std::max(k, 0)); };
    return {ier, head(roots, nroot), head(noise, 2 * nnoise), head(unres, 2 * nunres)};
}

long double value(const V& c, long double t) { return ref::horner(c.data(), 1, static_cast<int>(c.size()), 0, t); }

std::string dump(const Answer& a) {
    std::string s = " code " + std::to_string(a.ier) + ", roots";
    for (double x : a.roots) s += " " + std::to_string(x);
    s += ", noisy";
    for (double x : a.noise) s += " " + std::to_string(x);
    s += ", unresolved";
    for (double x : a.unres) s += " " + std::to_string(x);
    return s;
}

bool inside(const V& intervals, double t, double slack) {
    for (std::size_t k = 0; k < intervals.size(); k += 2)
        if (intervals[k] - slack <= t && t <= intervals[k + 1] + slack) return true;
    return false;
}

// What every answer must satisfy: sorted lists inside [a, b], roots where
// |P| < EPSF, P within EPSF on the noisy intervals, and every true root
// (TRUE_ROOTS) found or next to an interval, within the distance over which
// |P| may stay below EPSF around it.
void check_answer(const Answer& got, const V& c, double a, double b, double epsx, double epsf, const V& true_roots,
                  const std::string& what) {
    EXPECT_TRUE(got.ier == 0 || got.ier == -1) << what << ": code " << got.ier;
    EXPECT_TRUE(std::is_sorted(got.roots.begin(), got.roots.end())) << what;
    EXPECT_TRUE(std::is_sorted(got.noise.begin(), got.noise.end())) << what;
    EXPECT_TRUE(std::is_sorted(got.unres.begin(), got.unres.end())) << what;
    for (std::size_t k = 1; k < got.roots.size(); ++k) EXPECT_GE(got.roots[k] - got.roots[k - 1], epsx) << what;
    for (double x : got.roots) {
        EXPECT_TRUE(x >= a && x <= b) << what << ": root " << x;
        EXPECT_LT(std::fabs(value(c, x)), epsf) << what << ": root " << x;
    }
    for (std::size_t k = 0; k < got.noise.size(); k += 2)
        for (int j = 0; j <= 64; ++j) {
            const long double t = got.noise[k] + (got.noise[k + 1] - got.noise[k]) * j / 64.0L;
            EXPECT_LE(std::fabs(value(c, t)), epsf * (1 + 1e-6)) << what << ": noisy at " << static_cast<double>(t);
        }
    EXPECT_EQ(got.ier == -1, !got.noise.empty() || !got.unres.empty()) << what;
    for (double r : true_roots) {
        if (r < a || r > b) continue;
        // How far from r the polynomial may stay below EPSF: from its first
        // derivative at a simple root, its second at a double one.
        const long double h = 1e-5L, d1 = (value(c, r + h) - value(c, r - h)) / (2 * h),
                          d2 = (value(c, r + h) - 2 * value(c, r) + value(c, r - h)) / (h * h);
        const double tol = 1e-9 + 2 * std::min(static_cast<double>(epsf / std::fabs(d1)),
                                               3 * std::sqrt(static_cast<double>(2 * epsf / std::fabs(d2))));
        const bool found = std::any_of(got.roots.begin(), got.roots.end(), [&](double x) { return std::fabs(x - r) <= tol; });
        EXPECT_TRUE(found || inside(got.noise, r, tol) || inside(got.unres, r, tol)) << what << ": root " << r << " lost (tol " << tol << ")" << dump(got);
    }
}

class NoisyRoots : public Recorded {};

TEST_F(NoisyRoots, EdgeCases) {
    struct Case { V c; double a, b; int ier; V roots, noise; const char* what; };
    const double e = 1e-10;
    const Case cases[] = {
        {{0.5 * e}, 0, 1, -1, {}, {0, 1}, "constant within EPSF"},
        {{0.5 * e, 0, 0}, 3, 2, -1, {}, {2, 3}, "zero tail, reversed"},
        {{0, 0, 0, 0}, -1, 1, -1, {}, {-1, 1}, "zero polynomial"},
        {{2, 0, 0}, 0, 1, 0, {}, {}, "non-zero constant"},
        {from_roots({0.5, -2}), 0, 1, 0, {0.5}, {}, "root on the first split point, once"},
        {from_roots({0.25, 0.5, 0.75, 3}), 0, 1, 0, {0.25, 0.5, 0.75}, {}, "roots on split points"},
        {from_roots({0.0, 0.6, 1.0}), 0, 1, 0, {0.0, 0.6, 1.0}, {}, "roots on the ends"},
        {from_roots({2.5, 3.1, 4.0, 9}), 5, 2, 0, {2.5, 3.1, 4.0}, {}, "general interval, reversed"},
        {from_roots({-0.7, 0.2, 0.9}), -1, 1, 0, {-0.7, 0.2, 0.9}, {}, "on [-1, 1]"},
        {from_roots({1.5, 2}), 0, 1, 0, {}, {}, "no root"},
    };
    for (const Case& k : cases) {
        const Answer got = solve(k.c, k.a, k.b, 1e-6, e);
        EXPECT_EQ(got.ier, k.ier) << k.what;
        ASSERT_EQ(got.roots.size(), k.roots.size()) << k.what;
        for (std::size_t i = 0; i < k.roots.size(); ++i) EXPECT_NEAR(got.roots[i], k.roots[i], 1e-9) << k.what;
        EXPECT_EQ(got.noise, k.noise) << k.what;
        EXPECT_TRUE(got.unres.empty()) << k.what;
    }
    // Every non-zero code is reported, -1 included.
    EXPECT_EQ(rec::codes("MRS1D0"), (std::vector<int>{-1, -1, -1}));
}

TEST_F(NoisyRoots, BadInputGivesCodeOne) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const V good = from_roots({0.3, 0.6});
    struct Case { V c; double a, b, epsx, epsf; };
    const Case cases[] = {
        {good, 0, 1e-7, 1e-6, 1e-10},  // |B - A| < EPSX
        {good, 0.5, 0.5, 1e-6, 1e-10}, {good, 0, 1, 0, 1e-10}, {good, 0, 1, 1e-6, -1},
        {good, 0, 1, nan, 1e-10},      {good, 0, nan, 1e-6, 1e-10}, {good, -inf, 1, 1e-6, 1e-10},
        {{1, nan, 2}, 0, 1, 1e-6, 1e-10}, {{1, 2, inf}, 0, 1, 1e-6, 1e-10}, {V(62, 1.0), 0, 1, 1e-6, 1e-10},
        {{1e308, -1e308, 1e308, 1e308}, 5, 9, 1e-6, 1e-10},  // the polygon overflows
    };
    for (const Case& k : cases) EXPECT_EQ(solve(k.c, k.a, k.b, k.epsx, k.epsf).ier, 1) << k.a << " " << k.b;
    int zero = 0, ier = 0, nroot, nnoise, nunres;
    double tint[2] = {0, 1}, epsx = 1e-6, epsf = 1e-10, out[4];
    mrs1d0(good.data(), &zero, tint, &epsx, &epsf, out, &nroot, out, &nnoise, out, &nunres, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::count(Kind::Request), 0);
}

// Random polynomials of degrees 3 to 20 with roots in [0, 1]: simple,
// double, clustered within 1e-3, at the ends; the others outside.
TEST_F(NoisyRoots, KnownRoots) {
    std::mt19937 gen(77);
    std::uniform_real_distribution<double> u(0.05, 0.95), out(1.3, 3.0), gap(1e-4, 1e-3);
    int with_intervals = 0, total = 0;
    for (int degree : {3, 4, 6, 9, 14, 20})
        for (int kind = 0; kind < 4; ++kind)
            for (int rep = 0; rep < 6; ++rep) {
                V in;
                const int k = 1 + static_cast<int>(gen() % 3);
                for (int i = 0; i < k; ++i) in.push_back(u(gen));
                if (kind == 1) in.push_back(in[0]);                        // a double root
                if (kind == 2) in.insert(in.end(), {in[0] + gap(gen), in[0] - gap(gen)});  // a cluster
                if (kind == 3) in.insert(in.end(), {0.0, 1.0});            // on the ends
                if (static_cast<int>(in.size()) > degree) continue;
                V all = in;
                while (static_cast<int>(all.size()) < degree) all.push_back(gen() % 2 ? out(gen) : -out(gen) + 1);
                V c = from_roots(all, 1.0);
                long double big = 0;  // unit size on [0, 1]
                for (int i = 0; i <= 200; ++i) big = std::max(big, std::fabs(value(c, i / 200.0L)));
                for (double& x : c) x = static_cast<double>(x / big);
                const double epsf = kind == 1 ? 1e-8 : 1e-12, epsx = 1e-6;
                const std::string what = "degree " + std::to_string(degree) + " kind " + std::to_string(kind);
                const Answer got = rep % 2 ? solve(c, 1, 0, epsx, epsf) : solve(c, 0, 1, epsx, epsf);
                check_answer(got, c, 0, 1, epsx, epsf, in, what);
                with_intervals += got.ier == -1;
                ++total;
            }
    EXPECT_GT(total, 120);
    EXPECT_GT(with_intervals, 0);  // the double roots give intervals
}

TEST_F(NoisyRoots, FlatStretchIsOneNoisyInterval) {
    // 1e-3 (t - 0.4)^5 (t + 1) stays below 1e-10 for |t - 0.4| < about 0.04.
    V r(5, 0.4);
    r.push_back(-1);
    const V c = from_roots(r, 1e-3);
    const Answer got = solve(c, 0, 1, 1e-6, 1e-10);
    check_answer(got, c, 0, 1, 1e-6, 1e-10, {0.4}, "flat stretch");
    ASSERT_EQ(got.noise.size(), 2u);
    EXPECT_TRUE(got.noise[0] < 0.39 && got.noise[1] > 0.401 && got.noise[0] > 0.36 && got.noise[1] < 0.44)
        << got.noise[0] << " " << got.noise[1];
    EXPECT_TRUE(got.roots.empty());
}

TEST_F(NoisyRoots, WorkAreaAndDepth) {
    const V c = from_roots({0.2, 0.45, 0.7});
    int n = 4, nroot, nnoise, nunres, ier;
    double tint[2] = {0, 1}, epsx = 1e-3, epsf = 1e-12, roots[3], noise[6], unres[6];
    auto run = [&] { mrs1d0(c.data(), &n, tint, &epsx, &epsf, roots, &nroot, noise, &nnoise, unres, &nunres, &ier); };
    run();  // depth trunc(log2(1000)) + 1 = 10: 10 * 2 * 4 + 16 reals
    ASSERT_EQ(ier, 0);
    ASSERT_EQ(nroot, 3);
    std::vector<int> sizes;
    for (const auto& e : rec::events()) if (e.kind == Kind::Request) sizes.push_back(e.code);
    EXPECT_EQ(sizes, std::vector<int>{96});
    EXPECT_EQ(rec::count(Kind::Release), 1);
    // Refused: code 10 at both levels, nothing to release. A failed release: 10.
    for (bool request : {true, false}) {
        rec::reset();
        request ? rec::fail_request(1) : rec::fail_release(1);
        run();
        EXPECT_EQ(ier, 10);
        EXPECT_EQ(rec::codes("MRS1D0"), std::vector<int>{10});
        EXPECT_EQ(rec::codes("MRS1D1"), std::vector<int>{10});
    }
    // A depth too small for a double root inside a piece: -13, the roots
    // before it kept.
    rec::reset();
    const V d = from_roots({0.05, 0.7, 0.7, 2});
    V poly(5), stack(5 * 2 * 4), work(5), list(8);
    int five = 5, depth = 4, code;
    mbbpg1(&five, d.data(), poly.data(), &code);
    mrs1d2(d.data(), &five, poly.data(), tint, &epsx, &epsf, &depth, stack.data(), work.data(), list.data(), &nroot,
           noise, &nnoise, unres, &nunres, &ier);
    EXPECT_EQ(ier, -13);
    EXPECT_TRUE(nroot == 1 && std::fabs(list[0] - 0.05) < 1e-9);
    for (int bad : {0, 41}) {
        mrs1d2(d.data(), &five, poly.data(), tint, &epsx, &epsf, &bad, stack.data(), work.data(), list.data(), &nroot,
               noise, &nnoise, unres, &nunres, &ier);
        EXPECT_EQ(ier, 1);
    }
}

TEST_F(NoisyRoots, DecisionOnOnePiece) {
    // C = t - 0.55 with polygons that disagree with it at one end: the piece
    // is widened on that side (within the whole interval widened by half its
    // length on each side) and the root found, or the piece is unresolved.
    rec::set_level(1);
    const V c = {-0.55, 1};
    struct Case { V poly; double pa, pb, tb; int ier; int nroot; V unres; };
    const Case cases[] = {
        {{-0.55, 0.01}, 0.0, 0.5, 1, 0, 1, {}},           // widened right to [0, 1]
        {{-0.01, 0.45}, 0.6, 1.0, 1, 0, 1, {}},           // widened left to [0.2, 1]
        {{-0.55, 0.01}, 0.0, 0.2, 1, -1, 0, {0, 0.4}},    // [0, 0.4] holds no sign change either
        {{-0.3, 0.01}, 0.25, 0.5, 0.4, -1, 0, {0.25, 0.75}},  // [0.25, 0.75] leaves [-0.2, 0.6]
    };
    for (const Case& k : cases) {
        int n = 2, nroot = 0, nnoise = 0, nunres = 0, settled = -1, ier = -9;
        double piece[2] = {k.pa, k.pb}, tint[2] = {0, k.tb}, epsx = 1e-6, epsf = 1e-12, work[2], roots[1], noise[2],
               unres[2];
        mrs1d3(c.data(), &n, k.poly.data(), piece, tint, &epsx, &epsf, work, roots, &nroot, noise, &nnoise, unres,
               &nunres, &settled, &ier);
        EXPECT_TRUE(settled == 1 && ier == k.ier && nroot == k.nroot) << k.pa << " " << k.pb;
        if (nroot == 1) EXPECT_NEAR(roots[0], 0.55, 1e-12);
        EXPECT_EQ(V(unres, unres + 2 * nunres), k.unres) << k.pa;
    }
    // The two recovered pieces wrote the trace line.
    int lines = 0;
    for (const auto& e : rec::events()) lines += e.kind == Kind::Debug && e.name.find("elargissement") != std::string::npos;
    EXPECT_EQ(lines, 2);

    // A noisy piece extends the noisy interval ending at its start and drops
    // a root at its start; a root less than EPSX past the last is dropped.
    const V z = {1e-13, 0, 0};
    int n = 3, nroot = 1, nnoise = 1, nunres = 0, settled, ier;
    double roots[2] = {0.5, 0}, noise[4] = {0.2, 0.5, 0, 0}, unres[4], work[3], tint[2] = {0, 1}, epsx = 1e-6, epsf = 1e-12;
    const double pz[3] = {1e-13, 1e-13, 1e-13}, piece[2] = {0.5, 0.75};
    mrs1d3(z.data(), &n, pz, piece, tint, &epsx, &epsf, work, roots, &nroot, noise, &nnoise, unres, &nunres, &settled, &ier);
    EXPECT_TRUE(ier == -1 && nnoise == 1 && noise[1] == 0.75 && nroot == 1);
    nnoise = 0;
    mrs1d3(z.data(), &n, pz, piece, tint, &epsx, &epsf, work, roots, &nroot, noise, &nnoise, unres, &nunres, &settled, &ier);
    EXPECT_TRUE(ier == -1 && nnoise == 1 && noise[0] == 0.5 && nroot == 0);
    // Capacity checks on the counts given.
    nroot = 3;
    mrs1d3(z.data(), &n, pz, piece, tint, &epsx, &epsf, work, roots, &nroot, noise, &nnoise, unres, &nunres, &settled, &ier);
    EXPECT_EQ(ier, 1);
}

TEST_F(NoisyRoots, RootRecoveredPastAnEndOfTheInterval) {
    // Found by fuzzing: on [4/3, 333.3] the polygon of the first monotonic
    // piece changes sign but the polynomial does not (rounding of the change
    // of interval); the piece widened to the left holds the root 1.1048...,
    // which is taken although it lies below A. Such a root stays within half
    // the interval's length of its ends.
    rec::set_level(1);
    const V c = {0.023498536098514933, 0.5, 0.94140625, 1.75, 0.75, -2, -1.9955368041971404, 0.85546875};
    const double a = 1.3333333333333333, b = 333.33333364377427;
    const Answer got = solve(c, b, a, 1e-12, 1e-12);
    ASSERT_EQ(got.ier, 0) << dump(got);
    ASSERT_EQ(got.roots.size(), 2u) << dump(got);
    EXPECT_NEAR(got.roots[0], 1.1048152489152094, 1e-9);
    EXPECT_TRUE(got.roots[0] < a && got.roots[0] >= a - (b - a) / 2);
    for (double x : got.roots) EXPECT_LT(std::fabs(value(c, x)), 1e-12) << x;
    int lines = 0;
    for (const auto& e : rec::events()) lines += e.kind == Kind::Debug && e.name.find("elargissement") != std::string::npos;
    EXPECT_EQ(lines, 1);
}

TEST_F(NoisyRoots, Refinement) {
    struct Case { V c; double a, b, epsf; int ier; double x; };
    const Case cases[] = {
        {from_roots({0.3, 2}), 0, 1, 1e-14, 0, 0.3},
        {from_roots({0.3, 2}), 1, 0, 1e-14, 0, 0.3},
        {from_roots({0.0, 2}), 0, 1, 1e-14, 0, 0.0},       // at an end
        {from_roots({1.5, 2}), 0, 1, 1e-14, 1, 0},         // no sign change
        {{-2, 0, 1}, 1, 2, 1e-30, -1, std::sqrt(2.0)},     // below the rounding of P: noise
        {from_roots({0.123456789, 0.5, -3}), 0, 0.3, 1e-15, 0, 0.123456789},
    };
    rec::set_level(3);
    for (const Case& k : cases) {
        int n = static_cast<int>(k.c.size()), ier;
        double tint[2] = {k.a, k.b}, epsf = k.epsf, x = -9, val[2] = {-9, -9};
        mrs1i1(k.c.data(), &n, tint, &epsf, &x, val, &ier);
        EXPECT_EQ(ier, k.ier) << k.x;
        if (ier == 0) EXPECT_NEAR(x, k.x, 1e-13);
        if (ier == 1) EXPECT_TRUE(val[0] == 3.0 && val[1] == 0.5);
        if (ier == -1) EXPECT_TRUE(val[0] <= k.x && k.x <= val[1] && val[1] - val[0] < 1e-9);
    }
    EXPECT_EQ(rec::codes("MRS1I1"), (std::vector<int>{1, -1}));
    std::vector<std::string> lines;
    for (const auto& e : rec::events()) if (e.kind == Kind::Debug) lines.push_back(e.name);
    EXPECT_EQ(lines, (std::vector<std::string>{"ERR : la fonction est de mm signe en tmin,tmax",
                                               "BRUIT NUMERIQUE d'amplitude", ">EPS impose"}));
}

TEST_F(NoisyRoots, PolygonHelpers) {
    // mbtpt0: {values, ndim, eps, zero, small}.
    struct Case { V p; int ndim; double eps; int zero, small; };
    const Case cases[] = {
        {{1, 2, 3}, 1, 1, 0, 0},          {{1, 0.5, 3}, 1, 1, 1, 0},       {{-0.5, 0.5, 0.1}, 1, 1, 1, 1},
        {{-2, -1, -3}, 1, 1, 0, 0},       {{0, 0, 0}, 1, 0, 0, 0},          {{1, -1}, 1, 0, 1, 0},
        {{0.1, 5, -0.1, 5}, 2, 1, 0, 0},  {{0.1, 0.2, -0.1, -0.3}, 2, 1, 1, 1}, {{0.1, 3, -0.1, -3}, 2, 1, 1, 0},
    };
    for (const Case& k : cases) {
        int n = static_cast<int>(k.p.size()) / k.ndim, zero = -1, small = -1, ier;
        double eps = k.eps;
        mbtpt0(k.p.data(), &n, &k.ndim, &eps, &zero, &small, &ier);
        EXPECT_TRUE(ier == 0 && zero == k.zero && small == k.small) << k.p[0] << " " << k.p[1];
    }
    int n = 2, four = 4, zero, small, ier;
    double eps = 1;
    mbtpt0(cases[0].p.data(), &n, &four, &eps, &zero, &small, &ier);
    EXPECT_EQ(ier, 1);
    // mdepna: differences times (N - 1) / (b - a).
    const double poly[4] = {1, 2, 4, 3}, tint[2] = {1, 1.5};
    double d[3];
    int nd;
    n = 4;
    mdepna(poly, &n, tint, d, &nd);
    EXPECT_TRUE(nd == 3 && d[0] == 6 && d[1] == 12 && d[2] == -6);
    // mbbpg1 and mbbpg2 against de Casteljau on the polygons.
    std::mt19937 gen(5);
    for (int m : {1, 2, 5, 13, 30}) {
        const V c = ref::random_values(gen, m);
        V b1(m), b2(m);
        int code1, code2;
        mbbpg1(&m, c.data(), b1.data(), &code1);
        mbbpg2(&m, c.data(), b2.data(), &code2);
        ASSERT_TRUE(code1 == 0 && code2 == 0);
        for (int j = 0; j <= 10; ++j) {
            const long double u = j / 10.0L;
            EXPECT_NEAR(static_cast<double>(ref::bernstein(b1.data(), 1, m, 0, u)), static_cast<double>(value(c, u)), 1e-12 * m);
            EXPECT_NEAR(static_cast<double>(ref::bernstein(b2.data(), 1, m, 0, u)), static_cast<double>(value(c, 2 * u - 1)),
                        1e-12 * m);
        }
    }
    int big = 62, code;
    V w(62);
    mbbpg1(&big, w.data(), w.data(), &code);
    EXPECT_EQ(code, 10);
}

TEST_F(NoisyRoots, TraceChain) {
    rec::set_level(6);
    const Answer got = solve(from_roots({0.3, 0.7}), 0, 1, 1e-6, 1e-12);
    ASSERT_EQ(got.roots.size(), 2u);
    const auto enter = rec::names(Kind::Enter);
    ASSERT_GE(enter.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(enter.begin(), enter.begin() + 6),
              (std::vector<std::string>{"MRS1D0", "MBBPG1", "MRS1D1", "MRS1D2", "MRS1D3", "MBTPT0"}));
    EXPECT_EQ(rec::count(Kind::Enter), rec::count(Kind::Exit));
    for (const char* name : {"MDEPNA", "MLMPNA", "MRS1I1"}) EXPECT_GT(rec::count(Kind::Enter, name), 0) << name;
    // General interval: through the change of interval and mbbpg2.
    rec::reset();
    rec::set_level(3);
    solve(from_roots({2.3, 2.7}), 2, 3, 1e-6, 1e-12);
    EXPECT_GT(rec::count(Kind::Enter, "MBBPG2"), 0);
    EXPECT_EQ(rec::count(Kind::Enter, "MRS1D1"), 0);
}

}  // namespace
