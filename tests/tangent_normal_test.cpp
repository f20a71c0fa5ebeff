// Tangents and principal normals (mvtan0, mvtang, mdied1, mdiedr) at singular
// points built on purpose (cusps, stationary points with a smooth image, inflexions,
// straight pieces); the derivatives of unit vectors and unit cross products
// (mdrvnr, mdrvpv) with the vector-calculus family in frenet_test, and the
// regular points through mprcrb there (mvtan0 and mdied1 with derivatives).
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using Vec = std::vector<double>;
using Codes = std::vector<int>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kEps = 1e-9;

// Everything mvtan0 and mdied1 return, from one call of each.
struct Dihedron {
    double tan[4] = {9, 9, 9, 9}, dtan[4] = {9, 9, 9, 9}, nrm[3] = {9, 9, 9}, dnrm[3] = {9, 9, 9};
    double tnorm = -1, nnorm = -1;
    int torder = -1, tsense = -1, norder = -1, nsense = -1, iert = -99, iern = -99;
};

Dihedron search(const Vec& coef, int ndim, double u, Vec bounds = {0, 1}, int ideriv = 1) {
    Dihedron d;
    int ncoef = static_cast<int>(coef.size()) / ndim;
    mvtan0(&ndim, &ncoef, coef.data(), &u, &kEps, bounds.data(), &ideriv, d.tan, &d.tnorm, &d.torder, &d.tsense,
           d.dtan, &d.iert);
    if (d.iert == 0)
        mdied1(&ndim, &ncoef, coef.data(), &u, &kEps, bounds.data(), &ideriv, d.tan, &d.tnorm, &d.torder, d.dtan,
               d.nrm, &d.nnorm, &d.norder, &d.nsense, d.dnrm, &d.iern);
    return d;
}

// The same through mdiedr.
Dihedron dihedron(const Vec& coef, int ndim, double u, Vec bounds = {0, 1}) {
    Dihedron d;
    int ncoef = static_cast<int>(coef.size()) / ndim;
    mdiedr(&ndim, &ncoef, coef.data(), &u, &kEps, bounds.data(), d.tan, &d.tnorm, &d.torder, &d.tsense, d.nrm,
           &d.nnorm, &d.norder, &d.nsense, &d.iern);
    return d;
}

class TangentNormal : public testing_support::Recorded {};

// Singular points built on purpose, straight pieces, constant curves, and the
// ends of the interval (in either order).
TEST_F(TangentNormal, SingularPointsAndTheirSenses) {
    struct Case {
        const char* what;
        Vec coef;
        int ndim;
        double u;
        Vec bounds;
        int ier;  // of mdiedr
        int torder, tsense, norder, nsense;
        Vec tan, nrm;
    };
    const Vec c01{0, 1}, c10{1, 0}, sym{-1, 1};
    const std::vector<Case> cases = {
        {"plane segment", {1, 2, 3, 4}, 2, 0.4, c01, -2, 1, 1, 0, 1, {0.6, 0.8}, {-0.8, 0.6}},
        {"space segment", {1, 2, 3, 0, 3, 4}, 3, 0.4, c01, -2, 1, 1, 0, 0, {0, 0.6, 0.8}, {0, 0, 0}},
        // ((t - 1/2)^2, (t - 1/2)^3): an interior cusp.
        {"cusp inside", {0.25, -0.125, -1, 0.75, 1, -1.5, 0, 1}, 2, 0.5, c01, 0, 2, 0, 3, 0, {1, 0}, {0, 1}},
        // (t^2, t^3) at the lower end: the curve leaves along D2.
        {"cusp at the lower end", {0, 0, 0, 0, 1, 0, 0, 1}, 2, 0.0, c01, 0, 2, 1, 3, 1, {1, 0}, {0, 1}},
        {"cusp at the lower end, bounds reversed", {0, 0, 0, 0, 1, 0, 0, 1}, 2, 0.0, c10, 0, 2, 1, 3, 1, {1, 0},
         {0, 1}},
        // (t^2, t^3) at the upper end of [-1, 0]: the curve arrives against D2.
        {"cusp at the upper end", {0, 0, 0, 0, 1, 0, 0, 1}, 2, 0.0, {-1, 0}, 0, 2, 1, 3, 1, {-1, 0}, {0, -1}},
        // (t^3, t^6): the parabola y = x^2 run through with a stationary point.
        {"stationary point, smooth image", {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1}, 2, 0.0, sym, 0, 3, 1, 6, 1,
         {1, 0}, {0, 1}},
        // 2 (t^3, 2 t^3, 0) + (0, 0, t^5): a line with D1 = D2 = 0, bent at fifth order.
        {"two vanishing derivatives", {0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 4, 0, 0, 0, 0, 0, 0, 1}, 3, 0.0, sym, 0, 3, 1,
         5, 0, {1 / std::sqrt(5.0), 2 / std::sqrt(5.0), 0}, {0, 0, 1}},
        // (t, t^3): an inflexion inside, then at either end.
        {"inflexion inside", {0, 0, 1, 0, 0, 0, 0, 1}, 2, 0.0, sym, 0, 1, 1, 3, 0, {1, 0}, {0, 1}},
        {"inflexion at the lower end", {0, 0, 1, 0, 0, 0, 0, 1}, 2, 0.0, c01, 0, 1, 1, 3, 1, {1, 0}, {0, 1}},
        {"inflexion at the upper end", {0, 0, 1, 0, 0, 0, 0, 1}, 2, 0.0, {-1, 0}, 0, 1, 1, 3, 1, {1, 0}, {0, -1}},
        {"constant curve", {1, 2, 0, 0, 0, 0}, 2, 0.5, c01, -1, 0, 0, 0, 0, {0, 0}, {0, 0}},
    };
    for (const auto& c : cases) {
        const Dihedron d = dihedron(c.coef, c.ndim, c.u, c.bounds);
        EXPECT_EQ(d.iern, c.ier) << c.what;
        EXPECT_EQ(d.torder, c.torder) << c.what;
        EXPECT_EQ(d.tsense, c.tsense) << c.what;
        EXPECT_EQ(d.norder, c.norder) << c.what;
        EXPECT_EQ(d.nsense, c.nsense) << c.what;
        for (int i = 0; i < c.ndim; ++i) {
            EXPECT_NEAR(d.tan[i], c.tan[i], 1e-15) << c.what;
            EXPECT_NEAR(d.nrm[i], c.nrm[i], 1e-15) << c.what;
        }
        if (c.ier == -1) EXPECT_EQ(d.tnorm, 0.0) << c.what;
        if (c.ier != 0) EXPECT_EQ(d.nnorm, 0.0) << c.what;
        // The same plane curve in space with a zero third component gives the same dihedron.
        if (c.ndim == 2) {
            Vec c3;
            for (std::size_t j = 0; j < c.coef.size(); j += 2) c3.insert(c3.end(), {c.coef[j], c.coef[j + 1], 0.0});
            const Dihedron e = dihedron(c3, 3, c.u, c.bounds);
            EXPECT_EQ(e.tsense * 10 + e.torder, d.tsense * 10 + d.torder) << c.what;
            EXPECT_EQ(e.norder, d.norder) << c.what;
            for (int i = 0; i < 2; ++i) EXPECT_EQ(e.tan[i], d.tan[i]) << c.what;
            EXPECT_EQ(e.tan[2], 0.0) << c.what;
            if (c.ier == 0)
                for (int i = 0; i < 2; ++i) EXPECT_EQ(e.nrm[i], d.nrm[i]) << c.what;
        }
    }
}

// mvtan0's own outputs at a cusp and on a constant curve; mvtang's reports.
TEST_F(TangentNormal, TangentOutputsAndReports) {
    const Vec cusp{0.25, -0.125, -1, 0.75, 1, -1.5, 0, 1}, constant{1, 2, 0, 0};
    // At the upper end of [0, 1/2] the tangent of the cusp turns round, its derivative too.
    Dihedron a = search(cusp, 2, 0.5, {0, 0.5});
    Dihedron b = search(cusp, 2, 0.5, {0.5, 1});
    EXPECT_EQ(a.tan[0], -1.0);
    EXPECT_EQ(b.tan[0], 1.0);
    EXPECT_EQ(a.dtan[1], -b.dtan[1]);
    EXPECT_NE(a.dtan[1], 0.0);
    const Dihedron c = search(constant, 2, 0.3);
    EXPECT_EQ(c.iert, -1);
    EXPECT_EQ(c.tan[0] + c.tan[1] + c.dtan[0] + c.dtan[1] + c.tnorm, 0.0);
    EXPECT_EQ(c.tsense, 0);
    EXPECT_EQ(rec::codes("MVTAN0"), (Codes{0, 0, -1}));  // every exit reported

    // mvtang leaves no trace of a derivative and reports only non-zero codes.
    rec::reset();
    int ndim = 2, ncoef = 2, torder, tsense, ier;
    double tan[2], tnorm, u = 0.3, bounds[2] = {0, 1};
    mvtang(&ndim, &ncoef, constant.data(), &u, &kEps, bounds, tan, &tnorm, &torder, &tsense, &ier);
    EXPECT_EQ(ier, -1);
    ncoef = 4;
    mvtang(&ndim, &ncoef, cusp.data(), &u, &kEps, bounds, tan, &tnorm, &torder, &tsense, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(rec::codes("MVTANG"), Codes{-1});
}

TEST_F(TangentNormal, TracesReportsAndWorkSpace) {
    const Vec seg{1, 2, 3, 4};
    rec::set_level(2);
    dihedron(seg, 2, 0.5);
    EXPECT_EQ(rec::names(Kind::Enter), (std::vector<std::string>{"MDIEDR", "MVTAN0", "VNITVT", "MDIED1"}));
    EXPECT_EQ(rec::names(Kind::Exit), (std::vector<std::string>{"VNITVT", "MVTAN0", "MDIED1", "MDIEDR"}));
    EXPECT_EQ(rec::codes("MVTAN0"), Codes{0});
    EXPECT_EQ(rec::codes("MDIED1"), Codes{-1});
    EXPECT_EQ(rec::codes("MDIEDR"), Codes{-2});

    // Beyond three dimensions mvtan0 takes the two points of its sense test from the work space.
    rec::reset();
    int ndim = 4, ncoef = 3, zero = 0, torder, tsense, ier;
    const Vec cusp4{0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0};
    double tan[4], dtan[4], tnorm, u = 0.0, bounds[2] = {-1, 1};
    mvtan0(&ndim, &ncoef, cusp4.data(), &u, &kEps, bounds, &zero, tan, &tnorm, &torder, &tsense, dtan, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(torder * 10 + tsense, 20);  // t^2 (1, 2, 0, 0) turns back at every interior point
    EXPECT_EQ(rec::count(Kind::Request), 1);
    EXPECT_EQ(rec::events().front().code, 8);
    EXPECT_EQ(rec::count(Kind::Release), 1);
    rec::reset();
    rec::fail_request(1);
    mvtan0(&ndim, &ncoef, cusp4.data(), &u, &kEps, bounds, &zero, tan, &tnorm, &torder, &tsense, dtan, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::count(Kind::Release), 0);

    // Bad counts and NaN parameters end with a defined code.
    struct Bad {
        Vec coef;
        int ndim;
        double u;
        int ier;
    };
    for (const auto& b : {Bad{Vec(2 * 62, 1.0), 2, 0.5, 1}, Bad{Vec(4, 1.0), 4, 0.5, 1}, Bad{Vec(4, 1.0), 1, 0.5, 1},
                          Bad{{0, 0, 1, 0, 0, 1}, 2, kNaN, 0}}) {
        const Dihedron d = dihedron(b.coef, b.ndim, b.u);
        EXPECT_EQ(d.iern, b.ier);
    }
    ndim = 2;
    ncoef = 62;
    const Vec big(2 * 62, 1.0);
    u = 0.5;
    mvtan0(&ndim, &ncoef, big.data(), &u, &kEps, bounds, &zero, tan, &tnorm, &torder, &tsense, dtan, &ier);
    EXPECT_EQ(ier, 10);

    // mdrvnr: a zero vector fails even with EPS = 0; its dumps at level 5.
    rec::reset();
    rec::set_level(5);
    int three = 3;
    double z[3] = {0, 0, 0}, v[3] = {0, 3, 4}, dv[3] = {1, 1, 1}, out[3] = {7, 7, 7};
    const double no_eps = 0.0;
    mdrvnr(&three, z, dv, &no_eps, out, &ier);
    EXPECT_EQ(ier * 10 + static_cast<int>(out[0]), 17);
    EXPECT_EQ(rec::count(Kind::Debug, "MDRVNR : Le vecteur est nul"), 1);
    mdrvnr(&three, v, dv, &kEps, out, &ier);
    mdrvpv(v, v, dv, dv, &kEps, out, &ier);  // parallel factors
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::codes("MDRVNR"), (Codes{1, 0, 1}));
    EXPECT_EQ(rec::codes("MDRVPV"), Codes{1});
    EXPECT_NE(rec::print_output().find(
                  "MDRVNR : XVECTE(1:3) = 0 3 4\n       XDVECT(1:3) = 1 1 1\nMDRVNR : DVECNO(1:3) = 0.2"),
              std::string::npos);
}

}  // namespace
