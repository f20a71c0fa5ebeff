// All roots of a polynomial on an interval: ur1pls and its layers, checked on
// polynomials built from known roots, on the edge cases of the isolation, on
// the use of work space and on bad input.
#include <gsl/gsl_poly.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using testing_support::fill_block;
using testing_support::Recorded;

// Canonical coefficients of scale * prod (t - r).
std::vector<double> from_roots(const std::vector<double>& roots, double scale = 1.0) {
    std::vector<double> c{scale};
    for (double r : roots) {
        std::vector<double> d(c.size() + 1, 0.0);
        for (std::size_t i = 0; i < c.size(); ++i) {
            d[i + 1] += c[i];
            d[i] -= r * c[i];
        }
        c = d;
    }
    return c;
}

double value(const std::vector<double>& c, double t) {
    double p = 0;
    for (std::size_t i = c.size(); i-- > 0;) p = p * t + c[i];
    return p;
}

struct Roots {
    int ier = -99;
    std::vector<double> r;
};

Roots solve(std::vector<double> c, double a, double b) {
    int n = static_cast<int>(c.size()), nroot = -1, ier = -1;
    std::vector<double> root(std::max(n - 1, 1) + 1, 7.0), aux(n + 1, 7.0);
    ur1pls(&n, c.data(), &a, &b, &nroot, root.data(), aux.data(), &ier);
    Roots out;
    out.ier = ier;
    if (nroot > 0) {
        out.r.assign(root.begin(), root.begin() + nroot);
        for (int k = 0; k < nroot; ++k) EXPECT_EQ(aux[k], 0.0) << "AUX is cleared";
    }
    EXPECT_EQ(root[std::max(n - 1, 1)], 7.0) << "ROOT written past NCOEF - 1";
    return out;
}

void expect_roots(const Roots& got, const std::vector<double>& want, double tol, const std::string& what) {
    ASSERT_EQ(got.r.size(), want.size()) << what;
    for (std::size_t k = 0; k < want.size(); ++k) EXPECT_NEAR(got.r[k], want[k], tol) << what << " root " << k;
    EXPECT_TRUE(std::is_sorted(got.r.begin(), got.r.end())) << what;
}

// Tolerances suited to polynomials normalised to unit size on [0, 1].
class IntervalRoots : public Recorded {
protected:
    void SetUp() override {
        fill_block({.eps1 = 1e-12, .epsnr = 1e-12, .epspb = 1e-14, .nitnr = 100});
        rec::reset();
    }
};

TEST_F(IntervalRoots, ConstantAndZeroPolynomials) {
    Roots r = solve({2, 0, 0, 0, 0}, 0, 1);
    EXPECT_EQ(r.ier, 0);
    EXPECT_TRUE(r.r.empty());
    r = solve({1e-13, 0, 0, 0}, 0, 1);
    EXPECT_EQ(r.ier, 100);
    EXPECT_TRUE(r.r.empty());
    r = solve({0, 0, 0, 0, 0, 0}, 1, 0);
    EXPECT_EQ(r.ier, 100);
    // Zero within EPS1 everywhere on the interval, though not exactly.
    r = solve({1e-13, -2e-13, 1e-13, 3e-14, -1e-14}, 0, 1);
    EXPECT_EQ(r.ier, 100);
    EXPECT_EQ(rec::codes("UR1PLS"), (std::vector<int>{100, 100, 100}));
}

TEST_F(IntervalRoots, LowDegreesTakeTheClosedForm) {
    expect_roots(solve({-0.25, 1}, 0, 1), {0.25}, 0, "linear");
    expect_roots(solve({-0.25, 1, 0, 0}, 0, 1), {0.25}, 0, "linear with zero tail");
    expect_roots(solve(from_roots({0.2, 0.7}), 1, 0), {0.2, 0.7}, 1e-15, "quadratic");
    expect_roots(solve(from_roots({0.5, 0.5}), 0, 1), {0.5}, 0, "double root merged");
    expect_roots(solve(from_roots({1.5, 0.7}), 0, 1), {0.7}, 1e-15, "one root outside");
}

TEST_F(IntervalRoots, TextbookCases) {
    expect_roots(solve(from_roots({0.1, 0.5, 0.9}), 0, 1), {0.1, 0.5, 0.9}, 1e-12, "cubic");
    expect_roots(solve(from_roots({0.2, 0.5, 0.5, 0.8}), 0, 1), {0.2, 0.5, 0.8}, 1e-6, "double and simple");
    expect_roots(solve(from_roots({0.0, 0.3, 1.0, -2}), 0, 1), {0.0, 0.3, 1.0}, 1e-12, "roots at the ends");
    expect_roots(solve(from_roots({0.0, 0.3, 1.0, -2}), 1, 0), {0.0, 0.3, 1.0}, 1e-12, "ends swapped");
    expect_roots(solve(from_roots({0.25, 0.4, 0.75, 2}), 0.25, 0.75), {0.25, 0.4, 0.75}, 1e-12, "ends inside");
    // Roots closer than EPSNR come back as one.
    expect_roots(solve(from_roots({0.4, 0.4 + 4e-13, 0.9, -1}), 0, 1), {0.4, 0.9}, 1e-6, "closer than EPSNR");
    // A root a little outside is not returned.
    expect_roots(solve(from_roots({-1e-4, 0.5, 1 + 1e-4, 3}), 0, 1), {0.5}, 1e-12, "outside");
}

// Random polynomials of degree up to 40 with known roots: some inside [0, 1]
// (simple, double, clustered within 1e-3, on the ends), the rest outside on
// the negative side, where the canonical form stays well conditioned on
// [0, 1]. A case is kept when its numbers make the roots well defined under
// the tolerances: the rounding noise of the coefficients far below EPS1 and
// the polynomial well above EPS1 between distinct roots.
struct Root {
    double t;
    int mult;
    double tol = 0;
};

struct Case {
    std::vector<Root> inside;
    std::vector<double> c;
};

long double product(const std::vector<double>& all, long double t) {
    long double p = 1;
    for (double r : all) p *= t - r;
    return p;
}

bool make_case(std::mt19937& gen, int kind, int degree, double epsf, double epsnr, Case& cs) {
    std::uniform_real_distribution<double> u(0.02, 0.98), neg(-3.0, -0.3), gap(1e-4, 1e-3);
    std::vector<double> all;
    std::vector<Root> inside;
    const int room = kind == 0 ? degree : degree - 2;
    const int k = 1 + static_cast<int>(gen() % static_cast<unsigned>(std::min(room, 5)));
    for (int tries = 0; static_cast<int>(inside.size()) < k && tries < 100; ++tries) {
        const double r = u(gen);
        bool apart = true;
        for (const Root& s : inside) apart = apart && std::fabs(s.t - r) > 0.03;
        if (apart) inside.push_back({r, 1});
    }
    if (kind == 1) inside[0].mult = 2;
    if (kind == 2) {
        const double r = inside[0].t + gap(gen);
        inside.push_back({r, 1});
        inside.push_back({r + gap(gen), 1});
    }
    if (kind == 3) {
        inside.push_back({0.0, 1});
        inside.push_back({1.0, 1});
    }
    for (const Root& r : inside)
        for (int m = 0; m < r.mult; ++m) all.push_back(r.t);
    if (static_cast<int>(all.size()) > degree) return false;
    while (static_cast<int>(all.size()) < degree) all.push_back(neg(gen));
    std::sort(inside.begin(), inside.end(), [](const Root& a, const Root& b) { return a.t < b.t; });

    // Unit size on [0, 1].
    long double big = 0;
    for (int i = 0; i <= 400; ++i) big = std::max(big, std::fabs(product(all, i / 400.0L)));
    cs.c = from_roots(all, static_cast<double>(1 / big));
    double sum = 0;
    for (double x : cs.c) sum += std::fabs(x);
    const double noise = 8 * std::numeric_limits<double>::epsilon() * sum;
    if (noise > epsf / 4) return false;
    // Well above EPS1 between neighbouring roots.
    for (std::size_t i = 1; i < inside.size(); ++i) {
        long double lo = 1e300L;
        for (int j = 1; j < 20; ++j) {
            const long double t = inside[i - 1].t + (inside[i].t - inside[i - 1].t) * j / 20.0L;
            lo = std::min(lo, std::fabs(product(all, t) / big));
        }
        if (lo < 100 * epsf) return false;
    }
    // Tolerances from the slope (simple roots) or the curvature (double ones).
    for (Root& r : inside) {
        const long double h = 1e-4L;
        const long double d1 = (product(all, r.t + h) - product(all, r.t - h)) / (2 * h) / big;
        const long double d2 = (product(all, r.t + h) - 2 * product(all, r.t) + product(all, r.t - h)) / (h * h) / big;
        // The stretch where |P| <= EPS1 is narrow: the root is well defined.
        double gap_to_next = 1.0;
        for (const Root& o : inside)
            if (&o != &r) gap_to_next = std::min(gap_to_next, std::fabs(o.t - r.t));
        if (r.mult == 1) {
            const double zone = epsf / static_cast<double>(std::fabs(d1));
            if (zone > 1e-5 || zone > gap_to_next / 20) return false;
            r.tol = epsnr + 2 * zone + 10 * noise / static_cast<double>(std::fabs(d1));
            if ((r.t == 0.0 || r.t == 1.0) && noise / std::fabs(d1) > epsnr / 10) return false;
        } else {
            r.tol = 3 * std::sqrt(2 * (epsf + noise) / static_cast<double>(std::fabs(d2)));
            if (r.tol > 1e-4) return false;
        }
    }
    cs.inside = inside;
    return true;
}

// Every root found is near one expected; every expected root is found, once
// when simple, once or as a close pair when double (rounding may split it).
void expect_known(const Roots& got, const Case& cs, const std::string& what) {
    EXPECT_TRUE(std::is_sorted(got.r.begin(), got.r.end())) << what;
    for (const Root& r : cs.inside) {
        int near = 0;
        for (double x : got.r) near += std::fabs(x - r.t) <= r.tol;
        if (r.mult == 1)
            EXPECT_EQ(near, 1) << what << ": root " << r.t;
        else
            EXPECT_TRUE(near == 1 || near == 2) << what << ": double root " << r.t << " found " << near;
    }
    for (double x : got.r) {
        bool known = false;
        for (const Root& r : cs.inside) known = known || std::fabs(x - r.t) <= r.tol;
        EXPECT_TRUE(known) << what << ": unexpected root " << x;
    }
}

TEST_F(IntervalRoots, KnownRootsUpToDegreeForty) {
    std::mt19937 gen(2024);
    int checked = 0;
    for (int degree : {3, 4, 5, 7, 10, 15, 20, 30, 40}) {
        for (int kind = 0; kind < 4; ++kind) {
            if (kind >= 2 && degree < 4) continue;
            // Clusters need a value tolerance well under the polynomial's
            // size between roots 1e-4 apart.
            const double epsf = kind == 2 ? 1e-13 : 1e-10, epsnr = epsf;
            fill_block({.eps1 = epsf, .epsnr = epsnr, .epspb = 1e-14, .nitnr = 100});
            int rep = 0;
            for (int tries = 0; rep < 8 && tries < 400; ++tries) {
                Case cs;
                if (!make_case(gen, kind, degree, epsf, epsnr, cs)) continue;
                const bool swap = rep % 2 == 1;
                Roots r = solve(cs.c, swap ? 1.0 : 0.0, swap ? 0.0 : 1.0);
                const std::string what = "degree " + std::to_string(degree) + " kind " + std::to_string(kind);
                EXPECT_EQ(r.ier, 0) << what;
                expect_known(r, cs, what);
                ++checked;
                ++rep;
            }
        }
    }
    EXPECT_GT(checked, 240);
}

TEST_F(IntervalRoots, AgreesWithCompanionMatrixRoots) {
    // Random coefficients: whatever real roots the companion matrix finds in
    // [0.01, 0.99] well away from each other are found here too, and no other.
    std::mt19937 gen(77);
    std::normal_distribution<double> g(0, 1);
    int compared = 0;
    for (int rep = 0; rep < 200; ++rep) {
        const int n = 4 + rep % 12;
        std::vector<double> c(n);
        for (double& x : c) x = g(gen);
        std::vector<double> z(2 * (n - 1));
        gsl_poly_complex_workspace* ws = gsl_poly_complex_workspace_alloc(n);
        gsl_poly_complex_solve(c.data(), n, ws, z.data());
        gsl_poly_complex_workspace_free(ws);
        std::vector<double> real;
        bool clear = true;
        for (int k = 0; k < n - 1; ++k) {
            const double re = z[2 * k], im = z[2 * k + 1];
            if (std::fabs(im) < 1e-9 && re > -0.01 && re < 1.01) {
                if (re < 0.01 || re > 0.99) clear = false;
                real.push_back(re);
            } else if (std::fabs(im) < 1e-3 && re > -0.01 && re < 1.01) {
                clear = false;  // nearly real: a near-double root
            }
        }
        std::sort(real.begin(), real.end());
        for (std::size_t k = 1; k < real.size(); ++k) clear = clear && real[k] - real[k - 1] > 1e-3;
        if (!clear) continue;
        expect_roots(solve(c, 0, 1), real, 1e-9, "random coefficients " + std::to_string(rep));
        ++compared;
    }
    EXPECT_GT(compared, 150);
}

TEST_F(IntervalRoots, WorkSpaceAndLevelStorage) {
    const std::vector<double> c = from_roots({0.1, 0.35, 0.36, 0.6, 0.61, 0.9, -1, -2});
    const Roots want = solve(c, 0, 1);
    ASSERT_EQ(want.r.size(), 6u);
    // One 30000-real area, then 31 levels of two halves of 61 reals.
    std::vector<int> counts;
    for (const auto& e : rec::events())
        if (e.kind == Kind::Request) counts.push_back(e.code);
    EXPECT_EQ(counts, (std::vector<int>{30000, 31 * 2 * 61}));
    EXPECT_EQ(rec::count(Kind::Release), 2);

    // Fewer levels available: a smaller request, and the last level is
    // continued with one work area; the same roots.
    for (int depth : {5, 2}) {
        rec::reset();
        rec::set_stack_depth(depth);
        rec::set_level(3);
        expect_roots(solve(c, 0, 1), want.r, 1e-12, "depth " + std::to_string(depth));
        std::vector<int> sizes;
        for (const auto& e : rec::events())
            if (e.kind == Kind::Request) sizes.push_back(e.code);
        EXPECT_EQ(sizes, (std::vector<int>{30000, depth * 2 * 61}));
        EXPECT_GT(rec::count(Kind::Enter, "MYRS1D"), 0);
    }
    // Level storage refused, or none available: one level, no error.
    for (int variant = 0; variant < 2; ++variant) {
        rec::reset();
        if (variant == 0) rec::fail_request(2);
        else rec::set_stack_depth(1);
        rec::set_level(3);
        Roots r = solve(c, 0, 1);
        EXPECT_EQ(r.ier, 0);
        expect_roots(r, want.r, 1e-12, "one level");
        EXPECT_EQ(rec::count(Kind::Request), variant == 0 ? 2 : 1);
        EXPECT_EQ(rec::count(Kind::Release), 1);
        EXPECT_GT(rec::count(Kind::Enter, "MYRS1D"), 0);
        EXPECT_TRUE(rec::codes("MMRS1D").empty());
    }
    // The 30000-real area refused: code 10, one report, no release, nothing computed.
    rec::reset();
    rec::fail_request(1);
    Roots r = solve(c, 0, 1);
    EXPECT_EQ(r.ier, 10);
    EXPECT_TRUE(r.r.empty());
    EXPECT_EQ(rec::codes("UR1PLS"), std::vector<int>{10});
    EXPECT_EQ(rec::count(Kind::Release), 0);
    EXPECT_EQ(rec::count(Kind::Request), 1);
}

TEST_F(IntervalRoots, TracesOfTheLayers) {
    rec::set_level(2);
    solve(from_roots({0.3, 0.6, 0.9}), 0, 1);
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"UR1PLS", "MMRS1D", "MHRS1D"}));
    EXPECT_EQ(rec::count(Kind::Exit), 0);
    rec::reset();
    rec::set_level(4);
    solve(from_roots({0.3, 0.6, 0.9}), 0, 1);
    EXPECT_GT(rec::count(Kind::Enter, "MZRS1D"), 2);
    EXPECT_GT(rec::count(Kind::Enter, "MPXNUL"), 2);
}

TEST_F(IntervalRoots, CountOutOfRange) {
    for (int n : {0, 42}) {
        rec::reset();
        std::vector<double> c(43, 1.0), root(43), aux(43);
        double a = 0, b = 1;
        int nroot = 5, ier = 5;
        ur1pls(&n, c.data(), &a, &b, &nroot, root.data(), aux.data(), &ier);
        EXPECT_EQ(ier, 0);
        EXPECT_EQ(nroot, 0);
        EXPECT_EQ(rec::count(Kind::Failure, "UR1PLS"), 1);
        EXPECT_EQ(rec::count(Kind::Request), 0);
    }
    // 41 coefficients are accepted.
    std::vector<double> c = from_roots(std::vector<double>(40, -1.0));
    c[0] = -c[0];
    Roots r = solve(c, 0, 1);
    EXPECT_EQ(r.ier, 0);
    ASSERT_EQ(r.r.size(), 1u);
    EXPECT_NEAR(value(c, r.r[0]), 0.0, 1e-10);
}

TEST_F(IntervalRoots, BadInputEndsWithACode) {
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (auto c : std::vector<std::vector<double>>{{nan, 1, 2, 3, 4}, {1, 2, 3, 4, inf}, {1, -3, nan, 1},
                                                   {-1, 1e308, -1e308, 1e308, 1}, {nan, nan}}) {
        Roots r = solve(c, 0, 1);
        EXPECT_TRUE(r.ier == 0 || r.ier == 1) << r.ier;
        for (double x : r.r) EXPECT_TRUE(x >= 0 && x <= 1);
    }
    Roots r = solve(from_roots({0.3, 0.6, 0.9}), 0, nan);
    EXPECT_TRUE(r.r.empty());
}

TEST_F(IntervalRoots, EmptyToleranceBlockDoesNotHang) {
    int ip[21] = {}, ier;
    double rp[22] = {};
    mcxcom(nullptr, ip, rp, &ier);
    for (int degree : {3, 8, 20}) {
        std::vector<double> roots;
        for (int k = 0; k < degree; ++k) roots.push_back((k + 0.5) / degree);
        Roots r = solve(from_roots(roots), 0, 1);
        EXPECT_TRUE(r.ier == 0 || r.ier == 1);
    }
    Roots r = solve({0, 0, 0, 0}, 0, 1);
    EXPECT_EQ(r.ier, 100);
}

TEST_F(IntervalRoots, FlatPolynomialIsBounded) {
    // (t - 0.5)^20 is below EPS1 over a long stretch: the solve ends, with
    // roots within that stretch or a full list, never hanging.
    Roots r = solve(from_roots(std::vector<double>(20, 0.5)), 0, 1);
    EXPECT_TRUE(r.ier == 1 || r.ier == 200 || r.ier == 0) << r.ier;
    for (double x : r.r) EXPECT_NEAR(x, 0.5, 0.3);
}

TEST_F(IntervalRoots, NoisyPiecesWhenIterationsRunOut) {
    fill_block({.eps1 = 1e-12, .epsnr = 1e-12, .epspb = 1e-14, .nitnr = 2});
    rec::reset();
    Roots r = solve(from_roots({0.2, 0.45, 0.7, 3}), 0, 1);
    EXPECT_EQ(r.ier, 1);
    EXPECT_EQ(rec::codes("UR1PLS"), std::vector<int>{1});
    EXPECT_EQ(rec::codes("MHRS1D"), std::vector<int>{1});
    EXPECT_EQ(rec::codes("MMRS1D"), std::vector<int>{1});
}

TEST_F(IntervalRoots, SolverLayersDirectly) {
    // mmrs1d keeps a double root twice; ur1pls merges it.
    fill_block({.eps1 = 1e-10, .epsnr = 1e-12});
    std::vector<double> c = from_roots({0.3, 0.6, 0.6, 2.0}), work(30000), root(4);
    int eight = 8, ncmax = 61, n = 5, nroot, ier;
    double a = 1, b = 0, epsf = 1e-10;
    char status[5] = "xxxx";
    mmrs1d(&eight, &ncmax, &n, c.data(), c.data(), &a, &b, &epsf, &nroot, root.data(), work.data(), status, &ier, 4);
    EXPECT_EQ(ier, 0);
    ASSERT_EQ(nroot, 3);
    EXPECT_NEAR(root[0], 0.3, 1e-12);
    EXPECT_NEAR(root[1], 0.6, 1e-6);
    EXPECT_EQ(root[1], root[2]);
    EXPECT_STREQ(status, "    ");
    // The same through mhrs1d with three levels of storage, evaluating C2.
    std::vector<double> stack(3 * 2 * 61);
    int zero = 0, three = 3;
    a = 0;
    b = 1;
    mhrs1d(&zero, &ncmax, &n, c.data(), c.data(), &a, &b, &epsf, &three, stack.data(), work.data(), &nroot,
           root.data(), status, &ier, 4);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(nroot, 3);
    // myrs1d on a piece, adding to a list that already holds a root.
    std::vector<double> c3 = from_roots({0.1, 0.6, 0.8, -1}), root3 = {0.1, 9, 9};
    int noisy = 0, level = 1, n4 = 5, one = 1;
    double ta = 0.5, tb = 1;
    myrs1d(&eight, &ncmax, &n4, c3.data(), c3.data(), &a, &b, &ta, &tb, &level, &epsf, work.data(), &one,
           root3.data(), &noisy, status, &ier, 4);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(noisy, 0);
    ASSERT_EQ(one, 3);
    EXPECT_NEAR(root3[1], 0.6, 1e-12);
    EXPECT_NEAR(root3[2], 0.8, 1e-12);
    // Out-of-range counts: code 10.
    int big = 62;
    mmrs1d(&eight, &big, &n, c.data(), c.data(), &a, &b, &epsf, &nroot, root.data(), work.data(), status, &ier, 4);
    EXPECT_EQ(ier, 10);
}

TEST_F(IntervalRoots, PolygonTests) {
    int n = 4, icode, isens;
    double p[4] = {1, 2, 3, 4}, w[4], scale = 3;
    mzrs1d(&n, p, &icode);
    EXPECT_EQ(icode, 0);
    double q[4] = {-1, -2, -1e-11, -3};
    mzrs1d(&n, q, &icode);
    EXPECT_EQ(icode, 0);
    q[2] = -1e-13;  // within EPS1 of zero: maybe a root
    mzrs1d(&n, q, &icode);
    EXPECT_EQ(icode, 1);
    double z[4] = {1e-13, -1e-13, 1e-13, 0};
    mzrs1d(&n, z, &icode);
    EXPECT_EQ(icode, 2);
    double s[4] = {1, -1, 1, 1};
    mzrs1d(&n, s, &icode);
    EXPECT_EQ(icode, 1);
    // The scan stops once both signs were seen: a later large value is not looked at.
    double early[4] = {1e-13, -1e-13, 5, 5};
    mzrs1d(&n, early, &icode);
    EXPECT_EQ(icode, 2);

    ujrs1d(&n, p, w, &scale, &isens);
    EXPECT_EQ(isens, 1);
    EXPECT_EQ(w[0], 3.0);
    double dec[4] = {3, 2, 2 - 1e-10, -1};
    ujrs1d(&n, dec, w, &scale, &isens);
    EXPECT_EQ(isens, -1);
    double flat[4] = {0, 1, 1, 2};
    ujrs1d(&n, flat, w, &scale, &isens);
    EXPECT_EQ(isens, 0);
}

TEST_F(IntervalRoots, NewtonIteration) {
    std::vector<double> c = from_roots({0.3, 2.0}), cd = {c[1], 2 * c[2]};
    int n = 3, ier;
    double a = 0, b = 1, epsx = 1e-14, epsf = 1e-12, x = 0.9;
    unrs1d(&n, c.data(), cd.data(), &a, &b, &epsx, &epsf, &x, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_NEAR(x, 0.3, 1e-14);
    // Starting on the extremum of a double root: stopped there with code -1.
    std::vector<double> d = from_roots({0.5, 0.5}), dd = {d[1], 2 * d[2]};
    x = 0.5;
    unrs1d(&n, d.data(), dd.data(), &a, &b, &epsx, &epsf, &x, &ier);
    EXPECT_EQ(ier, -1);
    EXPECT_EQ(x, 0.5);
    // No root: code 1 after the restarts, reported; entry traced at level 1.
    rec::set_level(1);
    std::vector<double> e = {1, 0, 1}, ed = {0, 2};
    x = 0.2;
    unrs1d(&n, e.data(), ed.data(), &a, &b, &epsx, &epsf, &x, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(x, 0.2);
    EXPECT_EQ(rec::codes("UNRS1D"), std::vector<int>{1});
    EXPECT_EQ(rec::names(Kind::Enter), std::vector<std::string>{"UNRS1D"});
}

TEST_F(IntervalRoots, SolutionListWithMultiplicity) {
    std::vector<double> sol(2 * 6, 0.0);
    int ndim = 2, nmax = 5, nsol = 0, ier, one = 1, two = 2;
    double eps = 1e-3;
    auto add = [&](double x, double y, int* mult) {
        double p[2] = {x, y};
        uajsol(&ndim, p, mult, &eps, &nmax, &nsol, sol.data(), &ier);
        return ier;
    };
    add(0.5, 1, &one);
    add(0.2, 1, &one);
    add(0.9, 1, &one);
    EXPECT_EQ(nsol, 3);
    EXPECT_EQ(sol[0], 0.2);
    EXPECT_EQ(sol[2], 0.5);
    add(0.5004, 1, &one);  // already there
    EXPECT_EQ(nsol, 3);
    add(0.5004, 1, &two);  // a second copy
    EXPECT_EQ(nsol, 4);
    EXPECT_EQ(sol[4], 0.5004);
    EXPECT_EQ(sol[6], 0.9);
    add(0.5, 2, &one);  // second component differs
    EXPECT_EQ(nsol, 5);
    EXPECT_EQ(add(0.1, 1, &one), 1);  // full
    EXPECT_EQ(nsol, 5);
    EXPECT_EQ(sol[0], 0.2);
    EXPECT_EQ(rec::count(Kind::Failure, "UAJSOL"), 1);

    // Merging keeps the first of each run within EPS.
    std::vector<double> list = {0.1, 0.1005, 0.1012, 0.3, 0.3, 0.7};
    int n = 6, d1 = 1;
    uelsol(&eps, &d1, &n, list.data());
    ASSERT_EQ(n, 4);
    EXPECT_EQ(list[1], 0.1012);  // beyond EPS of the kept 0.1, though within EPS of the dropped 0.1005
    EXPECT_EQ(list[2], 0.3);
    EXPECT_EQ(list[3], 0.7);
}

}  // namespace
