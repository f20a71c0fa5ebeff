// Curvature, radius and centre of curvature (cvture): random plane and space
// curves against the classical formulas in long double, and the degenerate
// cases with their codes, outputs and messages.
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/frenet_reference.hpp"
#include "tests/support/reference.hpp"

namespace {

using ref::LD;
using Vec = std::vector<double>;
using Codes = std::vector<int>;
constexpr double kHuge = 1.0e154;  // merflo of the default infrastructure
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Result {
    double curv = -1, radius = -1;
    std::array<double, 3> center{-1, -1, -1};
    int ier = -99;
};

Result call(const Vec& coef, int ndim, double u, const Vec& point = {0, 0, 0}) {
    Result r;
    int ncoef = static_cast<int>(coef.size()) / ndim;
    Vec work(coef.size() + 3);
    cvture(point.data(), &ndim, &ncoef, coef.data(), &u, work.data(), &r.curv, &r.radius, r.center.data(), &r.ier);
    return r;
}

class Curvature : public testing_support::Recorded {};

TEST_F(Curvature, RandomCurvesMatchTheClassicalFormulas) {
    std::mt19937 rng(7);
    for (int ndim : {2, 3}) {
        for (int ncoef : {3, 4, 6, 11}) {
            for (int trial = 0; trial < 20; ++trial) {
                const Vec coef = ref::random_values(rng, static_cast<std::size_t>(ndim * ncoef));
                const double u = ref::random_values(rng, 1, 0.0, 1.0)[0];
                Vec p(3, 0.0);
                for (int i = 0; i < ndim; ++i) p[i] = static_cast<double>(ref::horner(coef.data(), ndim, ncoef, i, u));
                const Result r = call(coef, ndim, u, p);
                ASSERT_EQ(r.ier, 0);
                const fref::Frenet fr = fref::frenet(coef, ndim, u);
                const double k = static_cast<double>(fr.curvature);
                EXPECT_NEAR(r.curv, k, 1e-12 * (k + 1));
                EXPECT_NEAR(r.radius * r.curv, 1.0, 1e-14);
                // The centre lies at distance RADIUS along the principal normal.
                for (int i = 0; i < ndim; ++i)
                    EXPECT_NEAR(r.center[i], static_cast<double>(p[i] + fr.n[i] / fr.curvature), 1e-10 * (1 + 1 / k));
            }
        }
    }
    EXPECT_EQ(rec::codes("CVTURE"), Codes(160, 0));  // every exit is reported, success included
}

// The curvature is that of the derivatives formed by derivc and cderiv and
// evaluated by pocurv, to the bit.
TEST_F(Curvature, SameBitsAsTheDerivativeRoutines) {
    std::mt19937 rng(3);
    for (int ndim : {2, 3}) {
        for (int ncoef : {3, 5, 12}) {
            for (int trial = 0; trial < 10; ++trial) {
                const Vec coef = ref::random_values(rng, static_cast<std::size_t>(ndim * ncoef), -3.0, 3.0);
                const double u = trial == 0 ? 1.0 : trial == 1 ? 0.0 : ref::random_values(rng, 1, -1.5, 1.5)[0];
                Vec work(coef.size()), d1(3, 0.0), d2(3, 0.0), w(3);
                int nd = 0, one = 1, three = 3, nc = ncoef, dim = ndim;
                derivc(&dim, &nc, coef.data(), &nd, work.data());
                pocurv(&dim, &nd, work.data(), &u, d1.data());
                cderiv(&nd, &dim, work.data(), &one);
                pocurv(&dim, &nd, work.data(), &u, d2.data());
                pvec(d1.data(), d2.data(), w.data());
                const double s = zsnorm(&dim, d1.data());
                const Result r = call(coef, ndim, u);
                ASSERT_EQ(r.ier, 0);
                EXPECT_EQ(r.curv, zsnorm(&three, w.data()) / ((s * s) * s));
            }
        }
    }
}

// The degenerate cases: codes, what is written, and the two message lines at level 1.
TEST_F(Curvature, DegenerateCasesHaveTheirCodesAndMessages) {
    struct Case {
        const char* what;
        Vec coef;
        int ndim;
        double u;
        int ier;
        bool written;      // CURV, RADIUS, CENTER written
        const char* line;  // the second message line
    };
    const std::vector<Case> cases = {
        {"segment in the plane", {1, 2, 3, 4}, 2, 0.3, 4, true, "       INPUT CURVE IS A SEGMENT"},
        {"dimension 1", {1, 2, 3}, 1, 0.3, 5, false, "       INPUT NDIM ERROR"},
        {"dimension 4", {1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3}, 4, 0.3, 5, false, "       INPUT NDIM ERROR"},
        {"cusp (t^2, t^3)", {0, 0, 0, 0, 1, 0, 0, 1}, 2, 0.0, 1, false, "IS A SINGULAR POINT"},
        {"quadratic with a tiny second coefficient", {0, 0, 0, 1, 2, 1, 1e-15, -2e-15, 0}, 3, 0.7, 2, true,
         "IS AN INFLEXION POINT"},
        {"D1 parallel to D2", {0, 0, 1, 0, 1, 0, 0, 1}, 2, 0.0, 3, true, "       CURVATURE IS ZER0"},
        {"NaN parameter", {0, 0, 1, 0, 0, 1}, 2, kNaN, 1, false, "IS A SINGULAR POINT"},
    };
    rec::set_level(1);
    for (const auto& c : cases) {
        rec::reset();
        rec::set_level(1);
        const Result r = call(c.coef, c.ndim, c.u);
        EXPECT_EQ(r.ier, c.ier) << c.what;
        EXPECT_EQ(rec::codes("CVTURE"), Codes{c.ier}) << c.what;
        if (c.written) {
            EXPECT_EQ(r.curv, 0.0) << c.what;
            EXPECT_EQ(r.radius, kHuge) << c.what;
            for (int i = 0; i < c.ndim; ++i) EXPECT_EQ(r.center[i], kHuge) << c.what;
            if (c.ndim < 3) EXPECT_EQ(r.center[c.ndim], -1.0) << c.what;
        } else {
            EXPECT_EQ(r.curv, -1.0) << c.what;
            EXPECT_EQ(r.radius, -1.0) << c.what;
        }
        const std::string out = rec::print_output();
        EXPECT_EQ(out.substr(0, 18), " MSG FROM CVTURE:\n") << c.what;
        EXPECT_NE(out.find(c.line), std::string::npos) << c.what << out;
        if (c.line[0] == ' ') EXPECT_EQ(out.size(), 18u + 56u) << c.what;  // filled to 55 characters
    }
    // Other levels write nothing.
    for (int level : {0, 2}) {
        rec::reset();
        rec::set_level(level);
        call({1, 2, 3, 4}, 2, 0.3);
        EXPECT_EQ(rec::print_output(), "");
    }
    // No limit on the degree: (t, t^2/2) with 78 zero coefficients after it.
    Vec longer(2 * 80, 0.0);
    longer[2] = 1;
    longer[5] = 0.5;
    const Result r = call(longer, 2, 0.0);
    EXPECT_EQ(r.ier, 0);
    EXPECT_EQ(r.curv, 1.0);
}

TEST_F(Curvature, UnitCircleLikePointAndPlaneAfterSpace) {
    // (t, t^2/2) at 0: D1 = (1, 0), D2 = (0, 1).
    const Result a = call({0, 0, 1, 0, 0, 0.5}, 2, 0.0, {3, 4});
    ASSERT_EQ(a.ier, 0);
    EXPECT_EQ(a.curv, 1.0);
    EXPECT_EQ(a.radius, 1.0);
    EXPECT_EQ(a.center[0], 3.0);
    EXPECT_EQ(a.center[1], 5.0);
    // A space call with a large third component, then the same plane call.
    call({0, 0, 0, 1, 0, 5, 0, 0.5, 7}, 3, 0.2);
    const Result b = call({0, 0, 1, 0, 0, 0.5}, 2, 0.0, {3, 4});
    EXPECT_EQ(b.curv, a.curv);
    EXPECT_EQ(b.center, a.center);
    // The same plane curve given in space with a zero third component.
    const Result c = call({0, 0, 0, 1, 0, 0, 0, 0.5, 0}, 3, 0.0, {3, 4, 0});
    EXPECT_EQ(c.curv, 1.0);
    EXPECT_EQ(c.center[1], 5.0);
    EXPECT_EQ(c.center[2], 0.0);
}

}  // namespace
