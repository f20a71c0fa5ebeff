// Common zeros of two bivariate polynomials (mrs2d0) and its conversions
// (mfmca7, mbbpy2, mdeca1), on systems built from known factors.
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using testing_support::Recorded;
using Vec = std::vector<double>;

// A bivariate canonical polynomial, NU x NV, (i, j) multiplying u^i v^j.
struct Poly {
    int nu = 1, nv = 1;
    Vec c{0.0};
    double at(int i, int j) const { return i < nu && j < nv ? c[i + nu * j] : 0.0; }
    long double eval(long double u, long double v) const {
        long double s = 0;
        for (int j = nv - 1; j >= 0; --j) {
            long double r = 0;
            for (int i = nu - 1; i >= 0; --i) r = r * u + c[i + nu * j];
            s = s * v + r;
        }
        return s;
    }
};
Poly operator*(const Poly& a, const Poly& b) {
    Poly r{a.nu + b.nu - 1, a.nv + b.nv - 1, Vec((a.nu + b.nu - 1) * (a.nv + b.nv - 1), 0.0)};
    for (int i = 0; i < a.nu; ++i)
        for (int j = 0; j < a.nv; ++j)
            for (int k = 0; k < b.nu; ++k)
                for (int l = 0; l < b.nv; ++l) r.c[(i + k) + r.nu * (j + l)] += a.at(i, j) * b.at(k, l);
    return r;
}
Poly operator+(const Poly& a, const Poly& b) {
    Poly r{std::max(a.nu, b.nu), std::max(a.nv, b.nv), {}};
    r.c.assign(r.nu * r.nv, 0.0);
    for (int i = 0; i < r.nu; ++i)
        for (int j = 0; j < r.nv; ++j) r.c[i + r.nu * j] = a.at(i, j) + b.at(i, j);
    return r;
}
// a + b u + c v
Poly lin(double a, double b, double c) { return Poly{2, 2, {a, b, c, 0.0}}; }

struct Result { int ier = -99, nroot = 0; Vec roots; double lastbox[4] = {-9, -9, -9, -9}; };
Result solve(const Poly& f, const Poly& g, Vec box = {0, 1, 0, 1}, double epsx = 1e-10, double epsf = 1e-12,
             int nmax = 20) {
    int nu = std::max(f.nu, g.nu), nv = std::max(f.nv, g.nv), ld1 = nu + 1, ld2 = nv + 2;
    Vec fg(2 * ld1 * ld2, 0.0);
    for (int i = 0; i < nu; ++i)
        for (int j = 0; j < nv; ++j) fg[i + ld1 * j] = f.at(i, j), fg[ld1 * ld2 + i + ld1 * j] = g.at(i, j);
    Result r;
    r.roots.assign(2 * nmax, -9);
    mrs2d0(&ld1, &ld2, fg.data(), &nu, &nv, box.data(), &epsx, &epsf, &nmax, r.roots.data(), &r.nroot, r.lastbox, &r.ier);
    r.roots.resize(2 * std::max(r.nroot, 0));
    return r;
}

TEST_F(Recorded, ZerosOfSystemsFromKnownFactors) {
    // Products of linear factors in u alone and in v alone have every pair as a zero.
    auto in_u = [](Vec rs) { Poly p{1, 1, {1.0}}; for (double r : rs) p = p * lin(-r, 1, 0); return p; };
    auto in_v = [](Vec rs) { Poly p{1, 1, {1.0}}; for (double r : rs) p = p * lin(-r, 0, 1); return p; };
    struct Case { const char* what; Poly f, g; Vec box; Vec zeros; };
    const Case cases[] = {
        {"one root", lin(-0.5, 1, 0), lin(-0.25, 0, 1), {0, 1, 0, 1}, {0.5, 0.25}},
        {"crossing lines", lin(-1, 1, 1), lin(0, 1, -1), {0, 1, 0, 1}, {0.5, 0.5}},
        {"four", in_u({0.3, 0.7}), in_v({0.2, 0.6}), {0, 1, 0, 1}, {0.3, 0.2, 0.3, 0.6, 0.7, 0.2, 0.7, 0.6}},
        {"nine, bidegree (3, 3)", in_u({0.1, 0.5, 0.8}) * in_v({0.3, 0.4, 0.9}) + in_u({0.1, 0.5, 0.8}),
         in_v({0.3, 0.4, 0.9}) * lin(2, 1, 1), {0, 1, 0, 1},
         {0.1, 0.3, 0.1, 0.4, 0.1, 0.9, 0.5, 0.3, 0.5, 0.4, 0.5, 0.9, 0.8, 0.3, 0.8, 0.4, 0.8, 0.9}},
        {"on edges and corners", in_u({0, 1}), in_v({0, 0.5}), {0, 1, 0, 1}, {0, 0, 0, 0.5, 1, 0, 1, 0.5}},
        {"box other than the unit square", in_u({-1.5, 2}), in_v({3}), {-2, 2.5, 2, 4}, {-1.5, 3, 2, 3}},
        {"clustered", in_u({0.4, 0.4001}), in_v({0.6}), {0, 1, 0, 1}, {0.4, 0.6, 0.4001, 0.6}},
        {"circle and line", lin(-0.5, 1, 0) * lin(-0.5, 1, 0) + lin(-0.5, 0, 1) * lin(-0.5, 0, 1) + Poly{1, 1, {-0.08}},
         lin(0, 1, -1), {0, 1, 0, 1}, {0.3, 0.3, 0.7, 0.7}},
        {"none", lin(0, 1, 0) * lin(0, 1, 0) + Poly{1, 1, {0.1}}, lin(-0.5, 0, 1), {0, 1, 0, 1}, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const Result r = solve(k.f, k.g, k.box);
        EXPECT_EQ(r.ier, 0);
        ASSERT_EQ(r.nroot, static_cast<int>(k.zeros.size() / 2));
        // Sorted by u; each close to a known zero, F and G small there.
        std::vector<std::pair<double, double>> want;
        for (std::size_t n = 0; n < k.zeros.size(); n += 2) want.emplace_back(k.zeros[n], k.zeros[n + 1]);
        std::sort(want.begin(), want.end());
        for (int n = 0; n < r.nroot; ++n) {
            const double u = r.roots[2 * n], v = r.roots[2 * n + 1];
            if (n > 0) EXPECT_LE(r.roots[2 * n - 2], u);
            EXPECT_LT(std::fabs(static_cast<double>(k.f.eval(u, v))), 1e-9);
            EXPECT_LT(std::fabs(static_cast<double>(k.g.eval(u, v))), 1e-9);
            const bool known = std::any_of(want.begin(), want.end(), [&](auto& z) {
                return std::fabs(z.first - u) < 1e-8 && std::fabs(z.second - v) < 1e-8;
            });
            EXPECT_TRUE(known) << u << " " << v;
        }
    }
}

TEST_F(Recorded, UnresolvedBoxesAndLimits) {
    // The same polynomial twice: a curve of zeros; a tangential (double) zero at the origin.
    const Poly f = lin(-0.5, 1, 1);
    for (const auto& [what, g, box] : {std::tuple{"F = G", f, Vec{0, 1, 0, 1}},
                                       std::tuple{"tangent", lin(0, 0, 1), Vec{-0.5, 0.7, -0.4, 0.6}}}) {
        SCOPED_TRACE(what);
        const Poly ff = std::string(what) == "tangent" ? lin(0, 0, 1) + lin(0, 1, 0) * lin(0, 1, 0) * Poly{1, 1, {-1}} : f;
        rec::reset();
        const Result r = solve(ff, g, box);
        EXPECT_TRUE(r.ier == -2 || r.ier == -13) << r.ier;
        EXPECT_EQ(rec::codes("MRS2D0"), std::vector<int>{r.ier});
        // The last box holds a zero of both.
        const double cu = (r.lastbox[0] + r.lastbox[1]) / 2, cv = (r.lastbox[2] + r.lastbox[3]) / 2;
        EXPECT_LT(std::fabs(static_cast<double>(ff.eval(cu, cv))), 1e-3);
        EXPECT_LT(std::fabs(static_cast<double>(g.eval(cu, cv))), 1e-3);
        EXPECT_EQ(rec::live_blocks(), 0);
    }
    // A full list: code 2 with the first roots.
    auto four_f = lin(-0.3, 1, 0) * lin(-0.7, 1, 0), four_g = lin(-0.2, 0, 1) * lin(-0.6, 0, 1);
    Result r = solve(four_f, four_g, {0, 1, 0, 1}, 1e-10, 1e-12, 2);
    EXPECT_TRUE(r.ier == 2 && r.nroot == 2);
    // Bad input: sizes, boxes, not-a-number, refused work areas (both released on every path).
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(solve(f, f, {1, 0, 0, 1}).ier, 1);
    EXPECT_EQ(solve(f, f, {0, 1, 0.5, 0.5}).ier, 1);
    EXPECT_EQ(solve(f, f, {0, 1, 0, 1}, 1e-10, 1e-12, 0).ier, 1);
    EXPECT_EQ(solve(Poly{2, 1, {nan, 1}}, f).ier, 1);
    Poly big{42, 1, Vec(42, 1.0)};
    EXPECT_EQ(solve(big, f).ier, 1);
    for (int k : {1, 2}) {
        rec::reset();
        rec::fail_request(k);
        EXPECT_EQ(solve(four_f, four_g).ier, 10);
        EXPECT_EQ(rec::live_blocks(), 0);
        EXPECT_EQ(rec::count(Kind::Request) - rec::count(Kind::Release), 1);  // the refused one
    }
}

TEST_F(Recorded, ConversionsGiveTheSamePolynomial) {
    std::mt19937 g(3);
    std::uniform_real_distribution<double> d(-1, 1);
    for (auto [nu, nv] : {std::pair{1, 1}, std::pair{4, 3}, std::pair{6, 6}, std::pair{11, 2}}) {
        Poly p{nu, nv, Vec(nu * nv)};
        for (double& x : p.c) x = d(g);
        const double box[4] = {-0.5, 1.5, 2, 3};
        int lda = nu, ldb = nu + 2, ier = -1;
        Vec onunit(ldb * nv), net(ldb * nv);
        mfmca7(&lda, &nu, &nv, p.c.data(), box, &ldb, onunit.data(), &ier);
        EXPECT_EQ(ier, 0);
        mbbpy2(&ldb, &nu, &nv, onunit.data(), &ldb, net.data(), &ier);
        EXPECT_EQ(ier, 0);
        Vec du(std::max(1, nu - 1) * nv), dv(nu * std::max(1, nv - 1));
        int ldu = std::max(1, nu - 1), ldv = nu;
        mdeca1(&ldb, &nu, &nv, net.data(), &ldu, du.data(), &ldv, dv.data(), &ier);
        EXPECT_EQ(ier, 0);
        // de Casteljau on the nets against the polynomial and its derivatives at random points.
        auto bern = [](const Vec& c, int ld, int n, int m, double s, double t) {
            std::vector<long double> col(m);
            for (int j = 0; j < m; ++j) {
                std::vector<long double> b(n);
                for (int i = 0; i < n; ++i) b[i] = c[i + ld * j];
                for (int r = 1; r < n; ++r)
                    for (int i = 0; i < n - r; ++i) b[i] += (b[i + 1] - b[i]) * s;
                col[j] = b[0];
            }
            for (int r = 1; r < m; ++r)
                for (int j = 0; j < m - r; ++j) col[j] += (col[j + 1] - col[j]) * t;
            return static_cast<double>(col[0]);
        };
        for (int k = 0; k < 5; ++k) {
            const double s = (d(g) + 1) / 2, t = (d(g) + 1) / 2, u = box[0] + 2 * s, v = box[2] + t;
            EXPECT_NEAR(bern(net, ldb, nu, nv, s, t), static_cast<double>(p.eval(u, v)), 1e-12);
            const double h = 1e-6;
            if (nu > 1)
                EXPECT_NEAR(bern(du, ldu, nu - 1, nv, s, t),
                            static_cast<double>((p.eval(u + h, v) - p.eval(u - h, v)) / (2 * h) * 2), 1e-6);
            if (nv > 1)
                EXPECT_NEAR(bern(dv, ldv, nu, nv - 1, s, t),
                            static_cast<double>((p.eval(u, v + h) - p.eval(u, v - h)) / (2 * h)), 1e-6);
        }
    }
    int nu = 42, nv = 1, ld = 42, ier = 0;
    Vec a(42), b(42);
    const double box[4] = {0, 1, 0, 1};
    mfmca7(&ld, &nu, &nv, a.data(), box, &ld, b.data(), &ier);
    EXPECT_EQ(ier, 1);
}

}  // namespace
