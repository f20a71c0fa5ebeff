// Curve/plane intersection (pcvint) and the in-plane test (ckplcv).
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
using testing_support::Recorded;
using Vec = std::vector<double>;

struct Hit { int ier = -99, nsol = -99; double tnear = -99; Vec sol; };

Hit intersect(int ndim, const Vec& coef, Vec normal, Vec point, double tref) {
    int ncoef = static_cast<int>(coef.size()) / ndim;
    Vec work(ndim * ncoef), sol(std::max(ndim, ncoef - 1));
    Hit h;
    pcvint(&ndim, &ncoef, coef.data(), normal.data(), point.data(), work.data(), &tref, &h.tnear, &h.nsol,
           sol.data(), &h.ier);
    if (h.nsol > 0) h.sol.assign(sol.begin(), sol.begin() + h.nsol);
    return h;
}

// A curve whose signed distance to the plane through p0 with unit normal n
// is the polynomial g: C(t) = p0 + g(t) n + a tangential part, random.
Vec curve_over(const Vec& g, const Vec& n, const Vec& p0, std::mt19937& gen) {
    std::uniform_real_distribution<double> u(-2, 2);
    const std::size_t ndim = n.size();
    Vec coef;
    for (std::size_t k = 0; k < g.size(); ++k) {
        Vec w(ndim);
        double dot = 0;
        for (std::size_t d = 0; d < ndim; ++d) dot += n[d] * (w[d] = k < 4 ? u(gen) : 0.0);
        for (std::size_t d = 0; d < ndim; ++d) coef.push_back(g[k] * n[d] + w[d] - dot * n[d] + (k == 0 ? p0[d] : 0));
    }
    return coef;
}

Vec random_unit(std::size_t ndim, std::mt19937& gen) {
    std::normal_distribution<double> g(0, 1);
    Vec v(ndim);
    double len = 0;
    for (double& x : v) {
        x = g(gen);
        len += x * x;
    }
    for (double& x : v) x /= std::sqrt(len);
    return v;
}

const Vec kLine = {0, 0, -1, 1, 1, 2};  // meets z = 0 at t = 0.5

TEST_F(Recorded, CrossingMissingZeroNormalAndTraces) {
    rec::set_level(2);  // entry and exit traced, and the speed written
    for (double tref : {-3.0, 0.49, 7.0}) {  // one crossing: nearest whatever TREF is
        const Hit h = intersect(3, kLine, {0, 0, 5}, {3, 4, 0}, tref);
        ASSERT_TRUE(h.ier == 0 && h.nsol == 1 && std::fabs(h.sol[0] - 0.5) < 1e-12 && h.tnear == h.sol[0]);
    }
    EXPECT_TRUE(rec::names(Kind::Enter).front() == "PCVINT" && rec::count(Kind::Exit, "PCVINT") == 3);
    EXPECT_NE(rec::print_output().find("PCVINT : Norme du vecteur derive en ! 0.479999989"), std::string::npos);
    rec::reset();
    rec::set_level(1);  // no trace, and the messages of the failures only
    Hit h = intersect(3, {0, 0, 1, 1, 1, 2}, {0, 0, 1}, {0, 0, 0}, 0.5);  // missed: code 0, TNEAR untouched
    EXPECT_TRUE(h.ier == 0 && h.nsol == 0 && h.tnear == -99);
    h = intersect(3, kLine, {0, 0, 0}, {0, 0, 0}, 0.5);  // zero normal: NSOL, TNEAR untouched
    EXPECT_TRUE(h.ier == 101 && h.nsol == -99 && h.tnear == -99);
    EXPECT_TRUE(rec::codes("PCVINT") == std::vector<int>{101} && rec::count(Kind::Enter) == 0);
    EXPECT_EQ(rec::print_output(), "PCVINT : Unable to find a root\nPCVINT : Undefined direction of plane normale\n");
}

TEST_F(Recorded, NotANumberGivesCodeFour) {
    // A NaN tolerance made pcvint miss the crossing with code 0, and a NaN
    // distance passes every "within EPS1" test. Code 4, nothing written.
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (const testing_support::Tolerances& t : {testing_support::Tolerances{.eps1 = nan},
                                                 testing_support::Tolerances{.epsnr = nan},
                                                 testing_support::Tolerances{.epspb = nan}}) {
        testing_support::fill_block(t);
        rec::reset();
        const Hit h = intersect(3, kLine, {0, 0, 1}, {0, 0, 0}, 0.3);
        EXPECT_TRUE(h.ier == 4 && h.nsol == -99 && h.tnear == -99) << h.ier;
        EXPECT_EQ(rec::codes("PCVINT"), std::vector<int>{4});
    }
    testing_support::fill_block();
    for (int k = 0; k < 9; ++k) {
        Vec line = kLine, normal = {0, 0, 1}, point = {0, 0, 0};
        (k < 6 ? line[k] : k < 8 ? normal[k - 6] : point[2]) = k % 2 ? inf : nan;
        EXPECT_EQ(intersect(3, line, normal, point, 0.3).ier, 4) << k;
    }
    // The same line is found with every finite setting.
    EXPECT_EQ(intersect(3, kLine, {0, 0, 1}, {0, 0, 0}, 0.3).nsol, 1);
}

TEST_F(Recorded, FlatDistanceWithNegativeEpsnrEndsPromptly) {
    // Found by fuzzing: with EPSNR < 0 every piece flat within EPS1 was split
    // to the deepest level and given five Newton starts of NITNR steps: one
    // call took seconds. The Newton steps of a solve are now bounded (2^20),
    // so at most 2^20 / (5 NITNR) + 1 iterations run to their limit.
    testing_support::fill_block({.eps1 = 1, .epsnr = -1e-9, .epspb = 1e-7, .nitnr = 1000});
    rec::reset();
    rec::set_level(1);  // UNRS1D traces its entry from level 1
    Vec coef(19, -2.0);
    coef[0] = -1.7170977591150896;
    coef[2] = 1.99609375;
    const Hit h = intersect(1, coef, {-2}, {-2}, 0.5);
    EXPECT_EQ(h.ier, 0);
    EXPECT_LE(rec::count(Kind::Enter, "UNRS1D"), (1 << 20) / (5 * 1000) + 64);
}

TEST_F(Recorded, CurveLyingInThePlane) {
    rec::set_level(1);
    // A cubic in z = 2: code 1 in 3D, from the control polygon.
    Hit h = intersect(3, {1, 0, 2, 3, -1, 0, -2, 4, 0, 0.5, 1, 0}, {0, 0, -3}, {7, -5, 2}, 0.3);
    EXPECT_TRUE(h.ier == 1 && h.nsol == 1 && h.tnear == 0.3);
    // In 2D no polygon test: the distance is zero, every value a solution (code 2, NSOL untouched).
    h = intersect(2, {1, 2, 3, 0, -1, 0}, {0, 4}, {0, 2}, 0.8);
    EXPECT_TRUE(h.ier == 2 && h.nsol == -99 && h.tnear == 0.8);
    EXPECT_EQ(rec::codes("PCVINT"), (std::vector<int>{1, 2}));
    const std::string out = rec::print_output();
    EXPECT_NE(out.find("PCVINT : La courbe est dans le plan a EPS4 pres"), std::string::npos);
    EXPECT_NE(out.find("PCVINT : All values are solutions (IERCOD=100)"), std::string::npos);
    rec::reset();  // silent at level 0
    intersect(2, {1, 2, 3, 0, -1, 0}, {0, 4}, {0, 2}, 0.8);
    EXPECT_EQ(rec::print_output(), "");
}

TEST_F(Recorded, TouchingAndTies) {
    // Distance 4 (t - 0.5)^2: one solution.
    Hit h = intersect(3, {0, 1, 1, 1, 0, -4, 0, 0, 4}, {0, 0, 1}, {0, 0, 0}, 0.0);
    ASSERT_TRUE(h.ier == 0 && h.nsol == 1 && h.sol[0] == 0.5);
    // Touching a tilted plane inside a quartic: reported once.
    std::mt19937 gen(3);
    const Vec n = random_unit(3, gen), p0 = {1, 2, 3};
    h = intersect(3, curve_over(ref::from_roots({0.2, 0.6, 0.6, 1.7}, 3.0), n, p0, gen), n, p0, 0.0);
    ASSERT_TRUE(h.ier == 0 && h.nsol == 2);
    EXPECT_TRUE(std::fabs(h.sol[0] - 0.2) < 1e-9 && std::fabs(h.sol[1] - 0.6) < 1e-4);
    // Roots 0.25 and 0.75, TREF half-way: the larger one wins.
    const Vec c = {0, 0, 0.375, 1, 0, -2, 0, 0, 2};
    h = intersect(3, c, {0, 0, 1}, {0, 0, 0}, 0.5);
    EXPECT_TRUE(h.nsol == 2 && h.sol[0] == 0.25 && h.tnear == 0.75);
    EXPECT_EQ(intersect(3, c, {0, 0, 1}, {0, 0, 0}, 0.4).tnear, 0.25);
}

TEST_F(Recorded, KnownCrossingsIn2DAnd3D) {
    std::mt19937 gen(41);
    std::uniform_real_distribution<double> in(0.03, 0.97), out(1.3, 3), scale(0.5, 3);
    for (int rep = 0; rep < 120; ++rep) {
        const std::size_t ndim = 2 + rep % 2;
        const int degree = 1 + rep % 9;
        Vec roots, inside;
        while (static_cast<int>(roots.size()) < degree) {
            const double r = roots.size() < 4 && gen() % 3 != 0 ? in(gen) : (gen() % 2 ? out(gen) : 1 - out(gen));
            if (std::any_of(roots.begin(), roots.end(), [&](double s) { return std::fabs(s - r) < 0.05; })) continue;
            roots.push_back(r);
            if (r > 0 && r < 1) inside.push_back(r);
        }
        std::sort(inside.begin(), inside.end());
        const Vec n = random_unit(ndim, gen), p0 = random_unit(ndim, gen);
        const Vec coef = curve_over(ref::from_roots(roots, scale(gen)), n, p0, gen);
        // A normal of another length and sense, a point elsewhere in the plane.
        Vec normal(ndim), point(p0);
        const Vec along = curve_over({0, 0}, n, Vec(ndim, 0.0), gen);
        for (std::size_t d = 0; d < ndim; ++d) normal[d] = -2.5 * n[d], point[d] += 3 * along[d];
        const double tref = in(gen);
        const Hit h = intersect(static_cast<int>(ndim), coef, normal, point, tref);
        ASSERT_TRUE(h.ier == 0 && h.nsol == static_cast<int>(inside.size())) << rep;
        double nearest = 0, best = 1e300;
        for (std::size_t k = 0; k < inside.size(); ++k) {
            EXPECT_NEAR(h.sol[k], inside[k], 1e-9) << rep;
            if (std::fabs(inside[k] - tref) <= best) best = std::fabs(inside[k] - tref), nearest = h.sol[k];
        }
        if (!inside.empty()) EXPECT_EQ(h.tnear, nearest) << rep;
    }
}

TEST_F(Recorded, ToleranceScaledBySpeedAndRestored) {
    // Control points 1e-7 off z = 0 with EPS1 = 1e-9: a curve of speed 1000 is
    // in the plane (the tolerance becomes 1e-6), one of speed 1 is not, and
    // ckplcv alone (unscaled) says so too. EPS1 is back after every exit.
    testing_support::fill_block({.eps1 = 1e-9});
    const Vec fast = {0, 0, 1e-7, 1000, 0, 0, 0, 0, 0}, slow = {0, 0, 1e-7, 1, 0, 0, 0, 0, 0};
    EXPECT_EQ(intersect(3, fast, {0, 0, 1}, {0, 0, 0}, 0.25).ier, 1);
    EXPECT_EQ(intersect(3, slow, {0, 0, 1}, {0, 0, 0}, 0.25).nsol, 0);
    EXPECT_EQ(intersect(3, slow, {0, 0, 0}, {0, 0, 0}, 0.25).ier, 101);
    double eps = 0;
    meps1(&eps);
    EXPECT_EQ(eps, 1e-9);
    int ndim = 3, ncoef = 3, ierck = -1;
    double n[3] = {0, 0, 1}, p[3] = {0, 0, 0}, poly[9];
    ckplcv(&ndim, &ncoef, fast.data(), n, p, poly, &ierck);
    EXPECT_EQ(ierck, 1);
}

TEST_F(Recorded, InPlaneTestCodesAndMessages) {
    int ierck = -1, three = 3, two = 2, n62 = 62;
    double c[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0}, n[3] = {0, 0, 2}, p[3] = {5, 5, 0}, zero[3] = {}, poly[9];
    ckplcv(&three, &three, c, n, p, poly, &ierck);
    EXPECT_TRUE(ierck == 0 && poly[3] == 0.5);  // the control polygon is returned
    c[8] = 1e-6;
    // {NDIM, normal, level, code}: messages at level 1 exactly.
    struct Case { int* ndim; double* normal; int level, code; };
    for (const Case& k : {Case{&three, n, 1, 1}, Case{&two, n, 2, 3}, Case{&three, zero, 1, 2}, Case{&two, n, 1, 3}}) {
        rec::set_level(k.level);
        ckplcv(k.ndim, &three, c, k.normal, p, poly, &ierck);
        EXPECT_EQ(ierck, k.code);
    }
    // No control polygon for 62 coefficients: the header alone, and a code that lets pcvint go on.
    Vec big(3 * 62, 0.0), bpoly(3 * 62);
    ckplcv(&three, &n62, big.data(), n, p, bpoly.data(), &ierck);
    EXPECT_EQ(ierck, 4);
    EXPECT_EQ(rec::print_output(), " MSG FROM CKPLCV:\n     INPUT PLANE NORMAL VECTOR IS ZERO\n"
                                   " MSG FROM CKPLCV:\n     INPUT NDIM IS NOT 3\n MSG FROM CKPLCV:\n");
}

}  // namespace
