// The vector toolkit: products and norms, normalisation with its axis snap,
// perpendiculars, angles, skew coordinates and frames.
#include <Eigen/Dense>
#include <boost/math/special_functions/factorials.hpp>
#include <cmath>
#include <limits>
#include <random>
#include <tuple>

#include "tests/support/fixture.hpp"

namespace {

using rec::Kind;
using V3 = Eigen::Vector3d;
using Vec = std::vector<double>;
using Codes = std::vector<int>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class Vector : public testing_support::Recorded {
protected:
    std::mt19937 rng{20240611};
    V3 rand3() {
        std::uniform_real_distribution<double> d(-1.0, 1.0);
        return V3(d(rng), d(rng), d(rng));
    }
};

// Products, norms, normalisation at every scale, angles in the plane and in
// space, and frames around a direction, against Eigen.
TEST_F(Vector, RandomVectorsAgreeWithEigen) {
    int ier, n = 3, two = 2;
    const double zero = 0.0, eps = 1e-12;  // munivt's 0: the default tolerance 10^-15
    double deg, rad;
    for (int trial = 0; trial < 200; ++trial) {
        const V3 a = rand3(), b = rand3(), c = rand3(), s = a * std::pow(10.0, trial % 11 - 5);
        V3 x, u;
        pvec(a.data(), b.data(), x.data());
        EXPECT_NEAR((x - a.cross(b)).norm(), 0.0, 1e-15);
        EXPECT_NEAR(sc(&n, a.data(), b.data()), a.dot(b), 1e-15);
        EXPECT_NEAR(pmixt(a.data(), b.data(), c.data()), a.cross(b).dot(c), 1e-15);
        EXPECT_NEAR(zsnorm(&n, a.data()), a.norm(), 1e-15);
        munivt(&n, s.data(), u.data(), &zero, &ier);
        EXPECT_NEAR((u - s.normalized()).norm(), 0.0, 1e-15);
        mangle(&two, a.data(), b.data(), &deg, &rad, &ier);
        ASSERT_EQ(ier, 0);
        EXPECT_NEAR(deg, std::atan2(a.x() * b.y() - a.y() * b.x(), a.head<2>().dot(b.head<2>())) * 180 / M_PI, 1e-10);
        mangle(&n, a.data(), b.data(), &deg, &rad, &ier);
        EXPECT_NEAR(rad, std::atan2(a.cross(b).norm(), a.dot(b)), 1e-12);
        Eigen::Matrix3d f;
        scbase(a.data(), &eps, f.data(), &ier);
        ASSERT_EQ(ier, 0);
        EXPECT_NEAR((f.transpose() * f - Eigen::Matrix3d::Identity()).norm(), 0.0, 1e-14);
        EXPECT_NEAR(f.determinant(), 1.0, 1e-14);
        EXPECT_NEAR((f.col(2) - a.normalized()).norm(), 0.0, 1e-15);
    }
    EXPECT_EQ(rec::codes("SCBASE"), Codes(200, 0));  // reported on every exit
    EXPECT_EQ(rec::count(Kind::Error), 200);          // mangle returns its codes, never reports them
}

TEST_F(Vector, NormsFactorialsSearchTablesAndComparison) {
    int two = 2, zero = 0;
    double big[2] = {3, 4}, huge[2] = {3e300, -4e300}, nan[2] = {1, kNaN};
    EXPECT_EQ(zsnorm(&two, big), 5.0);
    EXPECT_DOUBLE_EQ(zsnorm(&two, huge), 5e300);  // the plain squares would overflow
    EXPECT_TRUE(std::isnan(zsnorm(&two, nan)));
    EXPECT_EQ(zsnorm(&zero, big) + sc(&zero, big, big), 0.0);

    double f[25] = {-1};
    EXPECT_TRUE(fac(f, &zero) == 1.0 && f[0] == 1.0);
    int n = 25;
    EXPECT_DOUBLE_EQ(fac(f, &n), boost::math::factorial<double>(25));
    for (int k = 1; k <= 22; ++k) EXPECT_EQ(f[k - 1], boost::math::factorial<double>(k)) << k;
    int tab[4] = {4, 7, 9, 7}, ipos, len = 4, seven = 7;
    sintab(&seven, &len, tab, &ipos);
    EXPECT_EQ(ipos, 2);
    double deg = 180;
    EXPECT_EQ(sdegrd(&deg), M_PI);
    // maccnp reads the binomial table (checked in full by the OrvoSystem test) within its bounds only.
    for (auto [nn, k, c] : {std::tuple{60, 30, 118264581564861424.0}, {7, 3, 35.0}, {9, 0, 1.0}, {61, 0, 0.0},
                            {0, 61, 0.0}, {-1, 0, 0.0}, {3, -1, 0.0}})
        EXPECT_EQ(maccnp(&nn, &k), c) << nn << " " << k;

    const double tol[3] = {1e-6, 1e-10, 1e10};
    auto eq = [&](double a, double b) { return scmpval(&a, &b, tol); };
    EXPECT_EQ(eq(1e6, 1e6 * (1 + 1e-7)), -1);
    EXPECT_EQ(eq(1.0, 1.0 + 1e-5) + eq(1.0, -1.0) + eq(1e-20, 1e-3) + eq(kNaN, 1.0), 0);
    EXPECT_EQ(eq(1e-20, -1e-20), -1);  // both clamp to the lower bound and take one sign
    EXPECT_EQ(eq(2e20, -3e20), -1);
}

TEST_F(Vector, NormalisationSnapsToExactAxes) {
    int ier = 7;
    const double eps = 0.0;  // the default tolerance 10^-15
    auto unit = [&](Vec v) {
        int n = static_cast<int>(v.size());
        Vec u(v.size());
        munivt(&n, v.data(), u.data(), &eps, &ier);
        return u;
    };
    EXPECT_EQ(unit({1, 1e-200, 0}), (Vec{1, 0, 0}));
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(unit({-2, 0}), (Vec{-1, 0}));
    EXPECT_EQ(unit({-3e-9, 5, 2e-9}), (Vec{0, 1, 0}));  // within 10^-8 of the axis
    EXPECT_NEAR(unit({-3e-7, 5, 2e-9})[0], -6e-8, 1e-20);
    EXPECT_TRUE(std::isnan(unit({kNaN})[0]));
    EXPECT_TRUE(std::isnan(unit({kInf, 1, 0})[0]));  // inf/inf: no axis to snap to
    EXPECT_EQ(unit({1e-17, 0}), (Vec{0, 0}));
    EXPECT_EQ(ier, 101);
    EXPECT_EQ(rec::events().size(), 0u);  // munivt never reports
}

TEST_F(Vector, NormalisationEntryPointsReport) {
    int ier, n = 3, zero = 0;
    double z[3] = {0, 0, 0}, v[3] = {0, 3, 4}, vu[3] = {5, 5, 5}, xnorm = -1;
    const double eps = 1e-10;
    rec::set_level(5);
    muntvt(&n, z, vu, &ier);
    vnitvt(&eps, &n, z, vu, &xnorm, &ier);
    EXPECT_EQ(xnorm, 0.0);
    vnitvt(&eps, &n, v, vu, &xnorm, &ier);
    EXPECT_EQ(xnorm, 5.0);
    EXPECT_DOUBLE_EQ(vu[2], 0.8);
    vnitvt(&eps, &zero, v, vu, &xnorm, &ier);
    EXPECT_EQ(rec::codes("MUNTVT"), Codes{101});
    EXPECT_EQ(rec::codes("VNITVT"), (Codes{-1, 10}));
    EXPECT_EQ(rec::count(Kind::Enter, "VNITVT") + rec::count(Kind::Exit, "MUNTVT"), 4);

    EXPECT_EQ(unitvt(&n, z, vu), 1);
    vu[0] = 5;
    EXPECT_EQ(unitvt(&zero, v, vu), 1);
    EXPECT_EQ(vu[0], 5.0);  // nothing normalised
    EXPECT_EQ(rec::count(Kind::Failure, "UNITVT"), 2);
}

TEST_F(Vector, PerpendicularUnitVectors) {
    int ier, n = 3, two = 2;
    std::vector<V3> cases;  // every ordering of the component sizes, ties included
    for (double a : {1.0, 2.0, 3.0})
        for (double b : {1.0, 2.0, 3.0})
            for (double c : {1.0, 2.0, 3.0}) cases.emplace_back(a, -b, c);
    for (int trial = 0; trial < 50; ++trial) cases.push_back(rand3());
    for (const V3& v : cases) {
        V3 p;
        prpvct(&n, v.data(), p.data(), &ier);
        ASSERT_EQ(ier, 0);
        EXPECT_NEAR(p.norm(), 1.0, 1e-15);
        EXPECT_NEAR(p.dot(v), 0.0, 1e-15);
    }
    double v2[2] = {3, 4}, p2[3], z[3] = {0, 0, 0};
    prpvct(&two, v2, p2, &ier);
    EXPECT_EQ(Vec(p2, p2 + 2), (Vec{-0.8, 0.6}));
    prpvct(&n, z, p2, &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(rec::count(Kind::Failure, "UNITVT"), 1);
}

// Exact right and straight angles (signed in the plane); the failures set
// both angles to 0 and return their code without reporting it.
TEST_F(Vector, AngleAndFrameSpecialCases) {
    double e1[3] = {1, 0, 0}, m2[3] = {0, -1, 0}, back[3] = {-2, 0, 0}, z[3] = {1e-10, 0, 0}, nan[3] = {kNaN, 1, 0};
    auto angle = [](int n, const double* a, const double* b) {
        double deg = 7, rad = 7;
        int ier = 7;
        mangle(&n, a, b, &deg, &rad, &ier);
        return std::tuple(deg, rad, ier);
    };
    EXPECT_EQ(angle(2, e1, m2), std::tuple(-90.0, -M_PI / 2, 0));
    EXPECT_EQ(angle(3, e1, m2), std::tuple(90.0, M_PI / 2, 0));
    EXPECT_EQ(angle(3, e1, back), std::tuple(180.0, M_PI, 0));
    EXPECT_EQ(angle(5, e1, e1), std::tuple(0.0, 0.0, 1000));
    EXPECT_EQ(angle(3, z, e1), std::tuple(0.0, 0.0, 1));  // EPS1 is 1e-9
    EXPECT_EQ(angle(3, e1, z), std::tuple(0.0, 0.0, 2));
    EXPECT_EQ(angle(3, nan, e1), std::tuple(0.0, 0.0, 110));
    EXPECT_EQ(rec::count(Kind::Error), 0);

    const double eps = 1e-12, big = 3.0;
    Eigen::Matrix3d f;
    V3 v(0, 0, -2);
    int ier;
    scbase(v.data(), &eps, f.data(), &ier);
    EXPECT_EQ(f, (Eigen::Matrix3d() << 0, 1, 0, 1, 0, 0, 0, 0, -1).finished());
    scbase(v.data(), &big, f.data(), &ier);
    EXPECT_EQ(rec::codes("SCBASE"), (Codes{0, 1}));  // reported on every exit
}

TEST_F(Vector, SkewCoordinatesAndTheirDerivatives) {
    int ier, one = 1, zero = 0;
    const double tol[2] = {1e-12, 1e-9}, h = 1e-6;
    for (int trial = 0; trial < 50; ++trial) {
        // P, U, V move linearly in a parameter; central differences check DCOORD.
        V3 p = rand3(), u = rand3(), v = rand3(), dp = rand3(), du = rand3(), dv = rand3(), c, dc, ca, cb;
        mcoord1(&one, p.data(), u.data(), v.data(), dp.data(), du.data(), dv.data(), tol, c.data(), dc.data(), &ier);
        ASSERT_EQ(ier, 0);
        EXPECT_NEAR((c(0) * u + c(1) * v + c(2) * u.cross(v) - p).norm(), 0.0, 1e-10);
        V3 pa = p + h * dp, ua = u + h * du, va = v + h * dv, pb = p - h * dp, ub = u - h * du, vb = v - h * dv;
        mcoord(pa.data(), ua.data(), va.data(), tol, ca.data(), &ier);
        mcoord(pb.data(), ub.data(), vb.data(), tol, cb.data(), &ier);
        EXPECT_NEAR((dc - (ca - cb) / (2 * h)).norm(), 0.0, 1e-5 * (1 + dc.norm()));
    }
    EXPECT_EQ(rec::codes("MCOORD"), Codes(100, 0));  // reported on every exit
    rec::reset();
    V3 p(1, 2, 3), u(1, 1, 0), par = -2.0 * u, z = V3::Zero(), c(7, 7, 7), dc(7, 7, 7);
    mcoord(p.data(), z.data(), u.data(), tol, c.data(), &ier);
    mcoord(p.data(), u.data(), z.data(), tol, c.data(), &ier);
    mcoord1(&one, p.data(), u.data(), par.data(), p.data(), p.data(), p.data(), tol, c.data(), dc.data(), &ier);
    EXPECT_EQ(c, V3::Zero());
    EXPECT_EQ(dc, V3::Zero());
    dc = V3(7, 7, 7);
    mcoord1(&zero, p.data(), u.data(), p.data(), p.data(), p.data(), p.data(), tol, c.data(), dc.data(), &ier);
    EXPECT_EQ(dc, V3::Zero());
    EXPECT_EQ(rec::codes("MCOORD"), (Codes{1, 2}));
    EXPECT_EQ(rec::codes("MCOORD1"), (Codes{3, 0}));
}

}  // namespace
