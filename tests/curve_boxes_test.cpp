// Oriented boxes of curves and of a patch, boxes of control points, and the
// plane of a set of space curves: dense samples lie in the boxes, the boxes
// are no larger than the Legendre bound allows, known axes are found, and
// the codes, the work space and the traces.
#include <Eigen/Dense>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using namespace ref;
using Vec = Eigen::VectorXd;

struct Box {
    V g, v, ext;
    int ier = -1;
    explicit Box(int d) : g(d, -7.0), v(d * d, -7.0), ext(d, -7.0) {}
    // Coordinate of X along axis I about the centre.
    double along(int i, const std::vector<LD>& x) const {
        const int d = static_cast<int>(g.size());
        LD s = 0;
        for (int k = 0; k < d; ++k) s += (x[k] - g[k]) * v[i * d + k];
        return static_cast<double>(s);
    }
};

// Component values of the canonical curve CRV(D, NCMAX, *), curve C, at U.
std::vector<LD> point(const V& crv, int d, int ncmax, int c, int ncoef, LD u) {
    std::vector<LD> x(d);
    for (int k = 0; k < d; ++k) x[k] = horner(crv.data() + c * d * ncmax, d, ncoef, k, u);
    return x;
}

// Checks the box against 401 samples of every curve on [-1, 1]: inside it
// (up to rounding), and each half-length at most sqrt(N (2N - 1)) times the
// largest sampled extent along its axis (the Legendre bound's own slack).
void check_box(const Box& b, const V& crv, int d, int ncmax, const std::vector<int>& ncoef) {
    const int ncurve = static_cast<int>(ncoef.size());
    std::vector<double> reach(d, 0.0);
    for (int c = 0; c < ncurve; ++c)
        for (int s = 0; s <= 400; ++s) {
            const auto x = point(crv, d, ncmax, c, ncoef[c], -1.0L + s / 200.0L);
            for (int i = 0; i < d; ++i) {
                const double a = std::fabs(b.along(i, x));
                EXPECT_LE(a, b.ext[i] * (1 + 1e-12) + 1e-13) << "axis " << i << " curve " << c;
                reach[i] = std::max(reach[i], a);
            }
        }
    const int n = *std::max_element(ncoef.begin(), ncoef.end());
    for (int i = 0; i < d; ++i) {
        EXPECT_LE(b.ext[i], std::sqrt(n * (2.0 * n - 1)) * reach[i] * 1.01 + 1e-13) << i;
        if (i > 0) EXPECT_GE(b.ext[i - 1], b.ext[i]);
    }
    const Eigen::Map<const Eigen::MatrixXd> axes(b.v.data(), d, d);
    EXPECT_LT((axes.transpose() * axes - Eigen::MatrixXd::Identity(d, d)).norm(), 1e-13);
}

class CurveBoxes : public testing_support::Recorded {};

TEST_F(CurveBoxes, RandomCurvesLieInTheirOrientedBoxes) {
    std::mt19937 rng(25);
    for (int d : {1, 2, 3, 4, 5}) {
        for (std::vector<int> ncoef : {std::vector<int>{4}, {1, 3, 7}, {4, 4, 4, 4, 4, 4, 4, 4}, {12, 2}}) {
            const int ncmax = *std::max_element(ncoef.begin(), ncoef.end()) + 1, ncurve = int(ncoef.size());
            const V crv = random_values(rng, static_cast<std::size_t>(d * ncmax * ncurve), -2, 2);
            Box b(d);
            mblcr1(&d, &ncmax, &ncurve, crv.data(), ncoef.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
            ASSERT_EQ(b.ier, 0) << d;
            check_box(b, crv, d, ncmax, ncoef);
            // The centre is the mean of the curves' means over [-1, 1].
            for (int k = 0; k < d; ++k) {
                LD m = 0;
                for (int c = 0; c < ncurve; ++c)
                    for (int j = 0; j < ncoef[c]; j += 2) m += crv[(c * ncmax + j) * d + k] / (j + 1);
                EXPECT_NEAR(b.g[k], static_cast<double>(m / ncurve), 1e-14);
            }
        }
    }
    EXPECT_EQ(rec::live_blocks(), 0);
}

TEST_F(CurveBoxes, StraightSegmentAndCurvesAlongAKnownAxis) {
    // x(u) = P + u D: the half-length along D is |D|, the others 0.
    int d = 3, ncmax = 2, one = 1;
    V seg{1, 2, 3, 2, -1, 2};
    Box b(3);
    std::vector<int> n2{2};
    mblcr1(&d, &ncmax, &one, seg.data(), n2.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    ASSERT_EQ(b.ier, 0);
    EXPECT_NEAR(b.ext[0], 3.0, 1e-15);
    EXPECT_NEAR(b.ext[1], 0.0, 1e-15);
    EXPECT_NEAR(b.ext[2], 0.0, 1e-15);
    EXPECT_NEAR(std::fabs(b.v[0] * 2 - b.v[1] + b.v[2] * 2), 3.0, 1e-14);
    EXPECT_EQ(b.g, (V{1, 2, 3}));

    // Eight wiggly cubics strung along the axis A: the first axis is A.
    std::mt19937 rng(8);
    const Eigen::Vector3d a = Eigen::Vector3d(1, -2, 0.5).normalized();
    V crv;
    for (int c = 0; c < 8; ++c) {
        const V w = random_values(rng, 12, -0.05, 0.05);
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 3; ++k) crv.push_back(w[j * 3 + k] + (j == 0 ? (2 * c - 7) * a(k) : j == 1 ? a(k) : 0));
    }
    int eight = 8, four = 4;
    std::vector<int> n4(8, 4);
    mblcr1(&d, &four, &eight, crv.data(), n4.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    ASSERT_EQ(b.ier, 0);
    EXPECT_NEAR(std::fabs(Eigen::Vector3d(b.v[0], b.v[1], b.v[2]).dot(a)), 1.0, 1e-3);
    check_box(b, crv, 3, 4, n4);
}

TEST_F(CurveBoxes, OtherIntervalsDirectFramesAndAxesOnly) {
    std::mt19937 rng(4);
    for (int d : {2, 3}) {
        int ncmax = 5, ncurve = 3;
        std::vector<int> ncoef{5, 3, 4};
        const V crv = random_values(rng, static_cast<std::size_t>(d * ncmax * ncurve));
        // The same curves re-expressed on [-1, 1]: t = (u + 1)/2.
        V shifted(crv.size(), 0.0);
        for (int c = 0; c < ncurve; ++c)
            for (int k = 0; k < d; ++k)
                for (int j = 0; j < ncoef[c]; ++j)
                    for (int i = 0; i <= j; ++i)
                        shifted[(c * ncmax + i) * d + k] += crv[(c * ncmax + j) * d + k] * double(binom(j, i)) / std::ldexp(1.0, j);
        const double tint[2] = {0.0, 1.0};
        for (int iopt : {1, 2}) {
            Box b(d), ref(d);
            mblcr4(&d, &ncmax, &ncurve, crv.data(), ncoef.data(), tint, &iopt, b.g.data(), b.v.data(), b.ext.data(),
                   &b.ier);
            ASSERT_EQ(b.ier, 0);
            mblcr1(&d, &ncmax, &ncurve, shifted.data(), ncoef.data(), ref.g.data(), ref.v.data(), ref.ext.data(),
                   &ref.ier);
            const Eigen::Map<const Eigen::MatrixXd> axes(b.v.data(), d, d);
            EXPECT_GT(axes.determinant(), 0.0);
            for (int k = 0; k < d; ++k) EXPECT_NEAR(b.g[k], ref.g[k], 1e-14);
            if (iopt == 1) {
                check_box(b, shifted, d, ncmax, ncoef);
                for (int i = 0; i < d; ++i) EXPECT_NEAR(b.ext[i], ref.ext[i], 1e-13);
            } else {  // the eigenvalues of the inertia matrix, decreasing
                EXPECT_GE(b.ext[0], b.ext[1]);
                EXPECT_GE(b.ext[d - 1], 0.0);
            }
        }
    }
}

TEST_F(CurveBoxes, EqualExtentsKeepTheirAxes) {
    // Two Legendre curves x = P_1 and y = P_1 in the plane: equal extents.
    int ncmax = 2, d = 2, ncurve = 2;
    std::vector<int> ncoef{2, 2};
    V l{0, 1, 0, 0, 0, 0, 0, 1};
    Box b(2);
    mblcr2(&ncmax, &d, &ncurve, l.data(), ncoef.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    ASSERT_EQ(b.ier, 0);
    EXPECT_EQ(b.ext, (V{1, 1}));
    EXPECT_EQ(b.v, (V{1, 0, 0, 1}));  // as the eigensolver left them
}

TEST_F(CurveBoxes, PatchBoxesFromLegendreForm) {
    std::mt19937 rng(12);
    int du = 3, dv = 2, nu = 4, nv = 3;
    const V p = random_values(rng, 3 * nu * nv);  // P(NU, NV, 3), canonical on [-1, 1]^2
    V pl(p.size()), w(3 * nu * nv + 4);
    mpclgd(&du, &dv, p.data(), w.data(), pl.data());
    Box b(3);
    rec::set_level(1);
    mblsr2(&nu, &nu, &nv, pl.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    ASSERT_EQ(b.ier, 0);
    const Eigen::Map<const Eigen::Matrix3d> axes(b.v.data());
    EXPECT_GT(axes.determinant(), 0.0);
    for (int a = 0; a <= 40; ++a)
        for (int c = 0; c <= 40; ++c) {
            std::vector<LD> x(3, 0.0L);
            const LD u = -1 + a / 20.0L, v = -1 + c / 20.0L;
            for (int k = 0; k < 3; ++k)
                for (int j = nv - 1; j >= 0; --j) {
                    LD s = 0;
                    for (int i = nu - 1; i >= 0; --i) s = s * u + p[(k * nv + j) * nu + i];
                    x[k] = x[k] * v + s;
                }
            for (int i = 0; i < 3; ++i) EXPECT_LE(std::fabs(b.along(i, x)), b.ext[i] * (1 + 1e-12));
        }
    const std::string out = rec::print_output();
    EXPECT_EQ(out.rfind("MBLSR3 : Valeurs propres :\n", 0), 0u) << out;
    EXPECT_NE(out.find("MBLSR3 : Vecteurs propres :\n"), std::string::npos);
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 6);
    EXPECT_EQ(out.find('\n', out.find('\n') + 1) - out.find('\n') - 1, 66u);  // three 22-character fields
    EXPECT_EQ(rec::names(rec::Kind::Enter), (std::vector<std::string>{"MBLSR2", "MBLSR3"}));
    // A flat patch z = 0: the third axis is the normal, its extent 0.
    V flat(3 * 4, 0.0);
    flat[1] = 1, flat[2] = 0.5, flat[4 + 2] = 1;  // x = u + v/2, y = v, z = 0
    int two = 2;
    mblsr2(&two, &two, &two, flat.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    ASSERT_EQ(b.ier, 0);
    EXPECT_EQ(b.ext[2], 0.0);
    EXPECT_NEAR(std::fabs(b.v[8]), 1.0, 1e-15);
    int bad = 3;
    mblsr2(&two, &bad, &two, flat.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    EXPECT_EQ(b.ier, 1);
}

TEST_F(CurveBoxes, ControlPointBoxes) {
    std::mt19937 rng(3);
    for (int d : {1, 3, 6}) {
        int n = 7;
        const V c = random_values(rng, static_cast<std::size_t>(d * n));
        V poly(c.size());
        int ier = 0;
        cpolyg(&d, &d, &n, c.data(), poly.data(), &ier);
        V box1(2 * d), box2(2 * d);
        int mode = 1;
        mblbe0(poly.data(), &d, &n, &mode, box1.data(), &ier);
        ASSERT_EQ(ier, 0);
        mode = 2;
        mblbe0(poly.data(), &d, &n, &mode, box2.data(), &ier);
        ASSERT_EQ(ier, 0);
        for (int k = 0; k < d; ++k) {
            EXPECT_GE(box2[2 * k], box1[2 * k]);
            EXPECT_LE(box2[2 * k + 1], box1[2 * k + 1]);
            for (int s = 0; s <= 200; ++s) {
                const double x = static_cast<double>(horner(c.data(), d, n, k, s / 200.0L));
                EXPECT_GE(x, box2[2 * k] - 1e-14);
                EXPECT_LE(x, box2[2 * k + 1] + 1e-14);
            }
        }
    }
    // A patch net: the box of its points, and of the two halves.
    int d = 2, ncmax = 4, nu = 3, nv = 2, mode = 1, ier = -1;
    V net{0, 0, 1, 5, 2, 0, 9, 9, 0, 1, 1, 2, 2, 1, 9, 9};  // NET(2, 4, 2), row 4 unused
    V box(4);
    mblbe1(net.data(), &d, &ncmax, &nu, &nv, &mode, box.data(), &ier);
    EXPECT_EQ(std::pair(ier, box), std::pair(0, V{0, 2, 0, 5}));
    mode = 2;  // the halves' hulls: the middle point of (0, 1, 2) / (0, 5, 0) rows
    mblbe1(net.data(), &d, &ncmax, &nu, &nv, &mode, box.data(), &ier);
    EXPECT_EQ(std::pair(ier, box), std::pair(0, V{0, 2, 0, 2.5}));
}

TEST_F(CurveBoxes, MinMaxModes) {
    const V pts{3, -1, NAN, 2, 0, 1, 4, 5};  // PTS(4, 2): the first component has a NaN
    int n = 4, d = 2;
    struct Case {
        int mode;
        V lo, hi;
    } cases[] = {{1, {NAN, 0}, {-7, -7}}, {2, {-7, -7}, {NAN, 5}}, {3, {NAN, 0}, {NAN, 5}}, {0, {-7, -7}, {-7, -7}}};
    for (const auto& c : cases) {
        V lo(2, -7.0), hi(2, -7.0);
        sminmx(&c.mode, &d, &n, pts.data(), lo.data(), hi.data());
        for (int k = 0; k < 2; ++k) {
            EXPECT_EQ(std::isnan(lo[k]), std::isnan(c.lo[k])) << c.mode;
            if (!std::isnan(c.lo[k])) EXPECT_EQ(lo[k], c.lo[k]) << c.mode;
            if (!std::isnan(c.hi[k])) EXPECT_EQ(hi[k], c.hi[k]) << c.mode;
        }
    }
}

TEST_F(CurveBoxes, PlanarAndNonPlanarCurveSets) {
    const Eigen::Matrix3d turn = Eigen::AngleAxisd(1.1, Eigen::Vector3d(2, -1, 1).normalized()).toRotationMatrix();
    std::mt19937 rng(9);
    struct Case {
        double lift;  // out-of-plane size of the curves
        double tol;
        int planar, ier;
    } cases[] = {{0.0, 1e-9, 1, 0}, {1e-4, 1e-2, 1, 0}, {0.1, 1e-2, 0, 0}};
    for (const auto& c : cases) {
        std::vector<int> ncoef{3, 4, 2};
        V crv;
        for (int n : ncoef)
            for (int j = 0; j < n; ++j) {
                const V w = random_values(rng, 3);
                const Eigen::Vector3d p = turn * Eigen::Vector3d(w[0], w[1], c.lift * w[2]);
                crv.insert(crv.end(), p.data(), p.data() + 3);
            }
        int ncurve = 3, planar = -1, ier = -1;
        V g(3), dir(3);
        mvdrpn(&ncurve, ncoef.data(), crv.data(), &c.tol, &planar, g.data(), dir.data(), &ier);
        EXPECT_EQ(std::pair(planar, ier), std::pair(c.planar, c.ier)) << c.lift;
        if (c.planar) EXPECT_NEAR(std::fabs(turn.col(2).dot(Eigen::Vector3d(dir[0], dir[1], dir[2]))), 1.0, 1e-6);
    }
    // Two segments on one line: no plane.
    std::vector<int> ncoef{2, 2};
    V crv{0, 0, 0, 1, 1, 1, 2, 2, 2, 1, 1, 1};
    int ncurve = 2, planar = -1, ier = -1;
    double tol = 1e-6;
    V g(3), dir(3);
    mvdrpn(&ncurve, ncoef.data(), crv.data(), &tol, &planar, g.data(), dir.data(), &ier);
    EXPECT_EQ(std::pair(planar, ier), std::pair(0, 20));
    EXPECT_EQ(rec::codes("MVDRPN"), std::vector<int>{20});
}

TEST_F(CurveBoxes, CodesAndWorkSpace) {
    int d = 3, ncmax = 4, ncurve = 1, zero = 0, mode = 3, ier = -1, four_c = 4;
    std::vector<int> n4c{4};
    std::vector<int> ncoef{5};  // above NCMAX
    V crv(3 * 61 * 8, 0.5), box(6, -7.0);
    Box b(3);
    mblcr1(&d, &ncmax, &ncurve, crv.data(), ncoef.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    EXPECT_EQ(b.ier, 3);
    EXPECT_EQ(b.g, V(3, -7.0));
    mblbe0(crv.data(), &d, &ncmax, &mode, box.data(), &ier);
    EXPECT_EQ(ier, 2);
    mblbe0(crv.data(), &zero, &ncmax, &mode, box.data(), &ier);
    EXPECT_EQ(ier, 1);
    EXPECT_EQ(box, V(6, -7.0));
    // Curves that do not fit the fixed area: a request, which is refused.
    int big = 61, eight = 8;
    std::vector<int> n61(8, 61);
    rec::fail_request(1);
    mblcr1(&d, &big, &eight, crv.data(), n61.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    EXPECT_EQ(b.ier, 1);
    mblcr1(&d, &big, &eight, crv.data(), n61.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    EXPECT_EQ(b.ier, 0);
    EXPECT_EQ(rec::count(rec::Kind::Request), 2);
    EXPECT_EQ(rec::count(rec::Kind::Release), 1);
    // A release that fails after a good box: code 200 in mblcr4.
    const double tint[2] = {0, 1};
    int iopt = 1;
    rec::fail_release(1);
    mblcr4(&d, &big, &eight, crv.data(), n61.data(), tint, &iopt, b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    EXPECT_EQ(b.ier, 200);
    // Not a number: the eigenproblem fails (sweep limit), a defined code.
    V bad(12, 0.5);
    bad[4] = NAN;
    mblcr1(&d, &four_c, &ncurve, bad.data(), n4c.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    EXPECT_EQ(b.ier, 2);
    // No tolerance: the eigenproblem fails twice, mblcr2 passes it on as 2.
    testing_support::fill_block({.epspb = 0.0});
    int four = 4;
    std::vector<int> n4{4};
    mblcr1(&d, &four, &ncurve, crv.data(), n4.data(), b.g.data(), b.v.data(), b.ext.data(), &b.ier);
    EXPECT_EQ(b.ier, 2);
    EXPECT_EQ(rec::codes("MBLCR3"), (std::vector<int>{1, 1}));
    EXPECT_EQ(rec::codes("MBLCR2"), (std::vector<int>{2, 2}));
    EXPECT_EQ(rec::count(rec::Kind::Enter, "VPVPSY"), 0);  // level 0: no trace at all
    EXPECT_EQ(rec::codes("VPVPSY"), (std::vector<int>{1, 1, 11, 11}));
}

}  // namespace
