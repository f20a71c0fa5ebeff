// Curve/plane intersection (pcvint) and the in-plane test (ckplcv).
#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using testing_support::fill_block;
using testing_support::Recorded;

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

struct Hit {
    int ier = -99;
    int nsol = -99;
    double tnear = -99;
    std::vector<double> sol;
};

Hit intersect(int ndim, const std::vector<double>& coef, std::vector<double> normal, std::vector<double> point,
              double tref) {
    int ncoef = static_cast<int>(coef.size()) / ndim;
    std::vector<double> work(ndim * ncoef), sol(std::max(ndim, ncoef - 1) + 1, -7.0);
    Hit h;
    pcvint(&ndim, &ncoef, coef.data(), normal.data(), point.data(), work.data(), &tref, &h.tnear, &h.nsol,
           sol.data(), &h.ier);
    if (h.nsol > 0 && h.nsol != -99) h.sol.assign(sol.begin(), sol.begin() + h.nsol);
    return h;
}

// A curve in dimension ndim (2 or 3) whose signed distance to the plane
// through p0 with unit normal n is the polynomial g, the other components
// free: C(t) = p0 + g(t) n + u(t) e1 (+ v(t) e2).
std::vector<double> curve_over(const std::vector<double>& g, const std::vector<std::vector<double>>& frame,
                               const std::vector<double>& p0, std::mt19937& gen) {
    const int ndim = static_cast<int>(p0.size()), ncoef = static_cast<int>(g.size());
    std::uniform_real_distribution<double> u(-2, 2);
    std::vector<double> coef(ndim * ncoef, 0.0);
    for (int k = 0; k < ncoef; ++k) {
        std::vector<double> tangential(ndim - 1);
        for (double& x : tangential) x = k < 4 ? u(gen) : 0.0;
        for (int d = 0; d < ndim; ++d) {
            double v = g[k] * frame[0][d] + (k == 0 ? p0[d] : 0.0);
            for (int j = 1; j < ndim; ++j) v += tangential[j - 1] * frame[j][d];
            coef[k * ndim + d] = v;
        }
    }
    return coef;
}

// A random orthonormal frame, normal first.
std::vector<std::vector<double>> random_frame(int ndim, std::mt19937& gen) {
    std::normal_distribution<double> g(0, 1);
    std::vector<std::vector<double>> f;
    while (static_cast<int>(f.size()) < ndim) {
        std::vector<double> v(ndim);
        for (double& x : v) x = g(gen);
        for (const auto& w : f) {
            double dot = 0;
            for (int d = 0; d < ndim; ++d) dot += v[d] * w[d];
            for (int d = 0; d < ndim; ++d) v[d] -= dot * w[d];
        }
        double len = 0;
        for (double x : v) len += x * x;
        len = std::sqrt(len);
        if (len < 1e-3) continue;
        for (double& x : v) x /= len;
        f.push_back(v);
    }
    return f;
}

TEST_F(Recorded, LineCrossingOnce) {
    // C(t) = (0, 0, -1) + (1, 1, 2) t meets z = 0 at t = 0.5 whatever TREF is.
    for (double tref : {-3.0, 0.0, 0.49, 1.0, 7.0}) {
        Hit h = intersect(3, {0, 0, -1, 1, 1, 2}, {0, 0, 5}, {3, 4, 0}, tref);
        EXPECT_EQ(h.ier, 0);
        ASSERT_EQ(h.nsol, 1);
        EXPECT_NEAR(h.sol[0], 0.5, 1e-12);
        EXPECT_EQ(h.tnear, h.sol[0]);
    }
}

TEST_F(Recorded, CurveInThePlane) {
    // A planar cubic in z = 2, plane z = 2 given by a tilted normal's opposite.
    const std::vector<double> c = {1, 0, 2, 3, -1, 0, -2, 4, 0, 0.5, 1, 0};
    rec::set_level(1);
    Hit h = intersect(3, c, {0, 0, -3}, {7, -5, 2}, 0.3);
    EXPECT_EQ(h.ier, 1);
    EXPECT_EQ(h.nsol, 1);
    EXPECT_EQ(h.tnear, 0.3);
    EXPECT_EQ(rec::codes("PCVINT"), std::vector<int>{1});
    EXPECT_NE(rec::print_output().find("PCVINT : La courbe est dans le plan a EPS4 pres"), std::string::npos);
    // In 2D the polygon test does not run: the distance is zero, every value a solution.
    rec::reset();
    rec::set_level(1);
    h = intersect(2, {1, 2, 3, 0, -1, 0}, {0, 4}, {0, 2}, 0.8);
    EXPECT_EQ(h.ier, 2);
    EXPECT_EQ(h.nsol, -99);  // not written
    EXPECT_EQ(h.tnear, 0.8);
    EXPECT_NE(rec::print_output().find("PCVINT : All values are solutions (IERCOD=100)"), std::string::npos);
    EXPECT_EQ(rec::codes("PCVINT"), std::vector<int>{2});
    // Silent at level 0.
    rec::reset();
    intersect(2, {1, 2, 3, 0, -1, 0}, {0, 4}, {0, 2}, 0.8);
    EXPECT_EQ(rec::print_output(), "");
}

TEST_F(Recorded, TouchingAndTies) {
    // Distance 4 (t - 0.5)^2 to z = 0: one solution 0.5.
    Hit h = intersect(3, {0, 1, 1, 1, 0, -4, 0, 0, 4}, {0, 0, 1}, {0, 0, 0}, 0.0);
    EXPECT_EQ(h.ier, 0);
    ASSERT_EQ(h.nsol, 1);
    EXPECT_EQ(h.sol[0], 0.5);
    // Touching inside a quartic, in a tilted frame: reported once.
    std::mt19937 gen(3);
    auto frame = random_frame(3, gen);
    h = intersect(3, curve_over(from_roots({0.2, 0.6, 0.6, 1.7}, 3.0), frame, {1, 2, 3}, gen), frame[0], {1, 2, 3},
                  0.0);
    EXPECT_EQ(h.ier, 0);
    ASSERT_EQ(h.nsol, 2);
    EXPECT_NEAR(h.sol[0], 0.2, 1e-9);
    EXPECT_NEAR(h.sol[1], 0.6, 1e-4);
    // Roots 0.25 and 0.75, TREF half-way: the larger one wins.
    const std::vector<double> c = {0, 0, 0.375, 1, 0, -2, 0, 0, 2};
    h = intersect(3, c, {0, 0, 1}, {0, 0, 0}, 0.5);
    ASSERT_EQ(h.nsol, 2);
    EXPECT_EQ(h.sol[0], 0.25);
    EXPECT_EQ(h.tnear, 0.75);
    EXPECT_EQ(intersect(3, c, {0, 0, 1}, {0, 0, 0}, 0.4).tnear, 0.25);
}

TEST_F(Recorded, ZeroNormalAndNoRoot) {
    rec::set_level(1);
    Hit h = intersect(3, {0, 0, -1, 1, 1, 2}, {0, 0, 0}, {0, 0, 0}, 0.5);
    EXPECT_EQ(h.ier, 101);
    EXPECT_EQ(h.nsol, -99);
    EXPECT_EQ(h.tnear, -99);
    EXPECT_EQ(rec::codes("PCVINT"), std::vector<int>{101});
    EXPECT_NE(rec::print_output().find("PCVINT : Undefined direction of plane normale"), std::string::npos);
    // A plane missed by the curve: no solution, code 0, TNEAR untouched.
    rec::reset();
    rec::set_level(1);
    h = intersect(3, {0, 0, 1, 1, 1, 2}, {0, 0, 1}, {0, 0, 0}, 0.5);
    EXPECT_EQ(h.ier, 0);
    EXPECT_EQ(h.nsol, 0);
    EXPECT_EQ(h.tnear, -99);
    EXPECT_NE(rec::print_output().find("PCVINT : Unable to find a root"), std::string::npos);
    EXPECT_TRUE(rec::codes("PCVINT").empty());
}

TEST_F(Recorded, KnownCrossingsIn2DAnd3D) {
    std::mt19937 gen(41);
    std::uniform_real_distribution<double> in(0.03, 0.97), out(1.3, 3), scale(0.5, 3);
    for (int rep = 0; rep < 120; ++rep) {
        const int ndim = 2 + rep % 2, degree = 1 + rep % 9;
        std::vector<double> roots, inside;
        while (static_cast<int>(roots.size()) < degree) {
            const bool take_inside = roots.size() < 4 && gen() % 3 != 0;
            const double r = take_inside ? in(gen) : (gen() % 2 ? out(gen) : -out(gen) + 1);
            bool apart = true;
            for (double s : roots) apart = apart && std::fabs(s - r) > 0.05;
            if (!apart) continue;
            roots.push_back(r);
            if (r > 0 && r < 1) inside.push_back(r);
        }
        std::sort(inside.begin(), inside.end());
        auto frame = random_frame(ndim, gen);
        std::vector<double> p0(ndim);
        for (double& x : p0) x = in(gen) * 10 - 5;
        const std::vector<double> coef = curve_over(from_roots(roots, scale(gen)), frame, p0, gen);
        // The plane through another of its points, with a normal of any length.
        std::vector<double> normal(ndim), point(p0);
        for (int d = 0; d < ndim; ++d) normal[d] = -2.5 * frame[0][d];
        for (int d = 0; d < ndim; ++d) point[d] += 3 * frame[ndim - 1][d];
        const double tref = in(gen);
        Hit h = intersect(ndim, coef, normal, point, tref);
        const std::string what = std::to_string(ndim) + "D degree " + std::to_string(degree);
        ASSERT_EQ(h.ier, 0) << what;
        ASSERT_EQ(h.nsol, static_cast<int>(inside.size())) << what;
        double nearest = 0, best = 1e300;
        for (std::size_t k = 0; k < inside.size(); ++k) {
            EXPECT_NEAR(h.sol[k], inside[k], 1e-9) << what;
            if (std::fabs(inside[k] - tref) <= best) best = std::fabs(inside[k] - tref), nearest = h.sol[k];
        }
        if (!inside.empty()) EXPECT_EQ(h.tnear, nearest) << what;
    }
}

TEST_F(Recorded, ToleranceScaledBySpeedAndRestored) {
    // Control points 1e-7 off the plane z = 0; EPS1 = 1e-9. Seen from the
    // parameter, the curve of speed about 1000 is in the plane: the scaled
    // tolerance is 1e-6.
    fill_block({.eps1 = 1e-9});
    rec::reset();
    const std::vector<double> c = {0, 0, 1e-7, 1000, 0, 0, 0, 0, 0};
    Hit h = intersect(3, c, {0, 0, 1}, {0, 0, 0}, 0.25);
    EXPECT_EQ(h.ier, 1);
    double eps = 0;
    meps1(&eps);
    EXPECT_EQ(eps, 1e-9);
    // Unscaled, the same control points are off the plane.
    int ndim = 3, ncoef = 3, ierck = -1;
    double n[3] = {0, 0, 1}, p[3] = {0, 0, 0}, poly[9];
    ckplcv(&ndim, &ncoef, c.data(), n, p, poly, &ierck);
    EXPECT_EQ(ierck, 1);
    // A slow curve (speed 1) with the same offset: off the plane, and the
    // tolerance is back after an early exit too.
    const std::vector<double> slow = {0, 0, 1e-7, 1, 0, 0, 0, 0, 0};
    h = intersect(3, slow, {0, 0, 1}, {0, 0, 0}, 0.25);
    EXPECT_EQ(h.ier, 0);
    EXPECT_EQ(h.nsol, 0);
    intersect(3, slow, {0, 0, 0}, {0, 0, 0}, 0.25);
    meps1(&eps);
    EXPECT_EQ(eps, 1e-9);
}

TEST_F(Recorded, TracesAndSpeedLine) {
    rec::set_level(2);
    intersect(3, {0, 0, -1, 1, 1, 2}, {0, 0, 5}, {3, 4, 0}, 0.0);
    const auto enter = rec::names(Kind::Enter);
    ASSERT_FALSE(enter.empty());
    EXPECT_EQ(enter.front(), "PCVINT");
    EXPECT_EQ(rec::names(Kind::Exit).back(), "PCVINT");
    EXPECT_EQ(rec::count(Kind::Exit, "PCVINT"), 1);
    const std::string out = rec::print_output();
    EXPECT_NE(out.find("PCVINT : Norme du vecteur derive en !"), std::string::npos);
    EXPECT_NE(out.find("0.479999989"), std::string::npos);
    rec::reset();
    rec::set_level(1);
    intersect(3, {0, 0, -1, 1, 1, 2}, {0, 0, 5}, {3, 4, 0}, 0.0);
    EXPECT_EQ(rec::count(Kind::Enter, "PCVINT"), 0);
    EXPECT_EQ(rec::print_output().find("Norme"), std::string::npos);
}

TEST_F(Recorded, InPlaneTestCodesAndMessages) {
    int ierck = -1, nd = 3, nc = 3;
    double c[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0}, n[3] = {0, 0, 2}, p[3] = {5, 5, 0}, poly[9];
    ckplcv(&nd, &nc, c, n, p, poly, &ierck);
    EXPECT_EQ(ierck, 0);
    EXPECT_EQ(poly[3], 0.5);  // the control polygon is returned
    c[8] = 1e-6;
    ckplcv(&nd, &nc, c, n, p, poly, &ierck);
    EXPECT_EQ(ierck, 1);
    EXPECT_EQ(rec::print_output(), "");  // nothing below or above level 1

    rec::set_level(1);
    double zero[3] = {0, 0, 0};
    ckplcv(&nd, &nc, c, zero, p, poly, &ierck);
    EXPECT_EQ(ierck, 2);
    int two = 2;
    ckplcv(&two, &nc, c, n, p, poly, &ierck);
    EXPECT_EQ(ierck, 3);
    EXPECT_EQ(rec::print_output(), " MSG FROM CKPLCV:\n     INPUT PLANE NORMAL VECTOR IS ZERO\n"
                                   " MSG FROM CKPLCV:\n     INPUT NDIM IS NOT 3\n");
    rec::reset();
    rec::set_level(2);
    ckplcv(&two, &nc, c, n, p, poly, &ierck);
    EXPECT_EQ(ierck, 3);
    EXPECT_EQ(rec::print_output(), "");
    EXPECT_EQ(rec::events().size(), 0u);
    // No control polygon for 62 coefficients: the header only, and a code
    // that lets the intersection go on.
    rec::reset();
    rec::set_level(1);
    std::vector<double> big(3 * 62, 0.0);
    int n62 = 62;
    std::vector<double> bpoly(3 * 62);
    ckplcv(&nd, &n62, big.data(), n, p, bpoly.data(), &ierck);
    EXPECT_EQ(ierck, 4);
    EXPECT_EQ(rec::print_output(), " MSG FROM CKPLCV:\n");
}

}  // namespace
