// Frenet frames (mtrdfrt, vtrfrt, vtdfrt), curvature, its arc-length
// derivative and torsion (mprcrb), and the vector-calculus family, against
// the Frenet formulas in long double and Richardson-extrapolated differences;
// straight pieces, cusps and stationary points built on purpose.
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/frenet_reference.hpp"
#include "tests/support/reference.hpp"

namespace {

using fref::LD;
using fref::V3;
using Vec = std::vector<double>;
using Codes = std::vector<int>;
constexpr double kEps = 1e-9;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Everything mtrdfrt returns.
struct Frame {
    double t[9], n[9], b[9];
    double tnorm = -1, nnorm = -1;
    int tsense = -1, torder = -1, nsense = -1, norder = -1, ier = -99;
    const double* col(const double* v, int ndim, int j) const { return v + j * ndim; }
};

Frame frame(const Vec& coef, int ndim, double u, int ider, int nvec, int inorm, Vec bounds = {0, 1}) {
    Frame f;
    std::fill(f.t, f.t + 9, 7.0);
    std::fill(f.n, f.n + 9, 7.0);
    std::fill(f.b, f.b + 9, 7.0);
    int ncoef = static_cast<int>(coef.size()) / ndim;
    mtrdfrt(&ndim, &ncoef, coef.data(), &u, &kEps, bounds.data(), &ider, &nvec, &inorm, f.t, &f.tnorm, &f.tsense,
            &f.torder, f.n, &f.nnorm, &f.nsense, &f.norder, f.b, &f.ier);
    return f;
}

// Everything mprcrb returns.
struct Props {
    double tan[6], nrm[6], bin[6], curv[2] = {-1, -1}, tors[2] = {-1, -1}, dcurv = -1;
    int tsense = -1, nsense = -1, icusp = -1, ier = -99;
};

Props props(const Vec& coef, int ndim, double u, int iopt, int ideriv = 1, Vec bounds = {0, 1}) {
    Props p;
    int ncoef = static_cast<int>(coef.size()) / ndim;
    mprcrb(&ndim, &ncoef, coef.data(), &u, bounds.data(), &iopt, &kEps, &ideriv, p.tan, p.nrm, p.bin, p.curv,
           p.tors, &p.dcurv, &p.tsense, &p.nsense, &p.icusp, &p.ier);
    return p;
}

// Richardson-extrapolated derivative of the long-double vector function F.
V3 rich(const std::function<V3(LD)>& f, double u) { return fref::richardson(f, u, 1e-4L); }

class Frenet : public testing_support::Recorded {
protected:
    std::mt19937 rng{17};
    Vec random_curve(int ndim, int ncoef) { return ref::random_values(rng, static_cast<std::size_t>(ndim * ncoef)); }
    double random_u() { return ref::random_values(rng, 1, 0.1, 0.9)[0]; }
};

// The unit frame and its first two derivatives at regular points, in the
// plane and in space, against Frenet-Serret and Richardson differences of it.
TEST_F(Frenet, UnitFrameAtRegularPoints) {
    for (int ndim : {2, 3}) {
        for (int ncoef : {4, 6, 8}) {
            for (int trial = 0; trial < 10; ++trial) {
                const Vec coef = random_curve(ndim, ncoef);
                const double u = random_u();
                const Frame f = frame(coef, ndim, u, 2, 3, 1);
                ASSERT_EQ(f.ier, 0);
                EXPECT_EQ(f.torder * 1000 + f.tsense * 100 + f.norder * 10 + f.nsense, 1121);
                const fref::Frenet g = fref::frenet(coef, ndim, u);
                const double scale = static_cast<double>(1 + g.speed * (g.curvature + std::fabs(g.torsion))) /
                                     static_cast<double>(g.curvature);
                // TOL 0: a second derivative, against Richardson differences
                // of the first, to a relative 1e-10.
                auto near = [&](const V3& want, const double* got, double tol, const char* what) {
                    if (tol == 0) tol = 1e-10 * static_cast<double>(1 + fref::norm(want));
                    EXPECT_LT(fref::distance(want, got, ndim), tol) << what << " ndim " << ndim << " u " << u;
                };
                V3 b = g.b, db = g.db;
                if (ndim == 2) b = db = V3{0, 0, 0};  // B has no in-plane component
                near(g.t, f.col(f.t, ndim, 0), 1e-14, "T");
                near(g.n, f.col(f.n, ndim, 0), 1e-12 * scale, "N");
                near(b, f.col(f.b, ndim, 0), 1e-12 * scale, "B");
                near(g.dt, f.col(f.t, ndim, 1), 1e-12 * scale, "T'");
                near(g.dn, f.col(f.n, ndim, 1), 1e-11 * scale, "N'");
                near(db, f.col(f.b, ndim, 1), 1e-11 * scale, "B'");
                auto at = [&](LD t) { return fref::frenet(coef, ndim, t); };
                near(rich([&](LD t) { return at(t).dt; }, u), f.col(f.t, ndim, 2), 0, "T''");
                near(rich([&](LD t) { return at(t).dn; }, u), f.col(f.n, ndim, 2), 0, "N''");
                if (ndim == 3)
                    near(rich([&](LD t) { return at(t).db; }, u), f.col(f.b, ndim, 2), 0, "B''");
                EXPECT_NEAR(f.tnorm, static_cast<double>(g.speed), 1e-14 * static_cast<double>(g.speed));

                // mprcrb: the same vectors, the curvature, its arc-length derivative and the torsion.
                const Props p = props(coef, ndim, u, 7);
                EXPECT_EQ(p.ier, 0);
                EXPECT_EQ(p.icusp, 0);
                const double k = static_cast<double>(g.curvature);
                EXPECT_NEAR(p.curv[0], k, 1e-12 * (1 + k));
                EXPECT_EQ(p.curv[1], 0.0);
                EXPECT_NEAR(p.dcurv, static_cast<double>(g.dcurv), 1e-9 * (1 + std::fabs(static_cast<double>(g.dcurv))) / k);
                EXPECT_NEAR(p.tors[0], static_cast<double>(g.torsion), 1e-9 * (1 + std::fabs(static_cast<double>(g.torsion))) / k);
                for (int i = 0; i < ndim; ++i) {
                    EXPECT_EQ(p.tan[i], f.t[i]);
                    EXPECT_NEAR(p.nrm[ndim + i], f.n[ndim + i], 1e-12 * scale);
                }
                if (ndim == 3)
                    for (int i = 0; i < 6; ++i) EXPECT_NEAR(p.bin[i], f.b[i], 1e-12 * scale);

                if (ndim == 3) {  // vtrfrt and vtdfrt give the same frame
                    int nc = ncoef, ier[2], one = 1;
                    double v[18], uu = u;
                    vtrfrt(&nc, coef.data(), &uu, v, v + 3, v + 6, &ier[0]);
                    vtdfrt(&nc, coef.data(), &uu, &one, v, v + 3, v + 6, v + 9, v + 12, v + 15, &ier[1]);
                    EXPECT_EQ(ier[0] * 10 + ier[1], 0);
                    for (int i = 0; i < 3; ++i)
                        for (int j = 0; j < 2; ++j) {
                            EXPECT_NEAR(v[9 * j + i], f.t[3 * j + i], 1e-12 * scale);
                            EXPECT_NEAR(v[9 * j + 3 + i], f.n[3 * j + i], 1e-12 * scale);
                        }
                }
            }
        }
    }
}

// The raw frame: T(:, j) = D_(1+j); N = (T1 x D_2) x T1 with T1 the unit
// tangent; B = T x N; the derivatives of N and B against differences.
TEST_F(Frenet, RawFrameAgainstDifferences) {
    for (int ndim : {2, 3}) {
        for (int trial = 0; trial < 12; ++trial) {
            const Vec coef = random_curve(ndim, 6);
            const double u = random_u();
            const Frame f = frame(coef, ndim, u, 2, 3, 2);
            ASSERT_EQ(f.ier, 0);
            auto nraw = [&](LD t) {
                const V3 d1 = fref::derivative(coef, ndim, 1, t), d2 = fref::derivative(coef, ndim, 2, t);
                const V3 t1 = fref::unit(d1);
                return fref::sum(d2, t1, -fref::dot(t1, d2));
            };
            auto braw = [&](LD t) { return fref::cross(fref::derivative(coef, ndim, 1, t), nraw(t)); };
            const double size = 1 + fref::norm(fref::derivative(coef, ndim, 3, u)) * 10;
            for (int j = 0; j < 3; ++j)
                EXPECT_LT(fref::distance(fref::derivative(coef, ndim, 1 + j, u), f.col(f.t, ndim, j), ndim), 1e-14 * size);
            EXPECT_LT(fref::distance(nraw(u), f.n, ndim), 1e-13 * size);
            EXPECT_NEAR(f.nnorm, static_cast<double>(fref::norm(nraw(u))), 1e-13 * size);
            const V3 dn = rich(nraw, u);
            EXPECT_LT(fref::distance(dn, f.col(f.n, ndim, 1), ndim), 1e-9 * size * size);
            EXPECT_LT(fref::distance(rich([&](LD t) { return rich(nraw, static_cast<double>(t)); }, u),
                                     f.col(f.n, ndim, 2), ndim),
                      1e-5 * size * size);
            if (ndim == 3) {
                EXPECT_LT(fref::distance(braw(u), f.b, 3), 1e-13 * size * size);
                EXPECT_LT(fref::distance(rich(braw, u), f.col(f.b, 3, 1), 3), 1e-9 * size * size);
            }
        }
    }
}

TEST_F(Frenet, VectorCalculusAgainstRichardson) {
    for (int trial = 0; trial < 30; ++trial) {
        const Vec ca = ref::random_values(rng, 12), cb = ref::random_values(rng, 12), cc = ref::random_values(rng, 12);
        const double u = random_u();
        auto at = [](const Vec& c, int r, LD t) { return fref::derivative(c, 3, r, t); };
        Vec v[3][4];  // value and three derivatives of A, B, C
        const Vec* cs[3] = {&ca, &cb, &cc};
        for (int s = 0; s < 3; ++s)
            for (int r = 0; r < 4; ++r) {
                const V3 x = at(*cs[s], r, u);
                v[s][r] = {double(x[0]), double(x[1]), double(x[2])};
            }
        double r1[3], r2[3];
        auto ab = [&](LD t) { return fref::cross(at(ca, 0, t), at(cb, 0, t)); };
        auto dab = [&](LD t) { return fref::sum(fref::cross(at(ca, 1, t), at(cb, 0, t)), fref::cross(at(ca, 0, t), at(cb, 1, t))); };
        mderpv(v[0][0].data(), v[1][0].data(), v[0][1].data(), v[1][1].data(), r1);
        EXPECT_LT(fref::distance(rich(ab, u), r1), 1e-12);
        md2rpv(v[0][0].data(), v[1][0].data(), v[0][1].data(), v[1][1].data(), v[0][2].data(), v[1][2].data(), r2);
        EXPECT_LT(fref::distance(rich(dab, u), r2), 1e-11);
        for (int ndim : {2, 3}) {
            // (A x B) x C with the third components dropped in the plane.
            auto flat = [&](V3 x) {
                if (ndim == 2) x[2] = 0;
                return x;
            };
            auto abc = [&](LD t) {
                return fref::cross(fref::cross(flat(at(ca, 0, t)), flat(at(cb, 0, t))), flat(at(cc, 0, t)));
            };
            auto dabc = [&](LD t) { return rich(abc, static_cast<double>(t)); };
            mdrdpv(&ndim, v[0][0].data(), v[1][0].data(), v[2][0].data(), v[0][1].data(), v[1][1].data(),
                   v[2][1].data(), r1);
            EXPECT_LT(fref::distance(rich(abc, u), r1, ndim), 1e-11) << ndim;
            md2dpv(&ndim, v[0][0].data(), v[1][0].data(), v[2][0].data(), v[0][1].data(), v[1][1].data(),
                   v[2][1].data(), v[0][2].data(), v[1][2].data(), v[2][2].data(), r2);
            EXPECT_LT(fref::distance(rich(dabc, u), r2, ndim), 1e-6) << ndim;
        }
        // The unit vector of A and its derivatives up to the third; the first
        // also by mdrvnr (in place, and in the plane), that of the unit A x B by mdrvpv.
        if (fref::norm(at(ca, 0, u)) < 0.2 || fref::norm(ab(u)) < 0.2) continue;
        int ier = -9;
        for (int n : {2, 3}) {
            Vec d = v[0][1];
            mdrvnr(&n, v[0][0].data(), d.data(), &kEps, d.data(), &ier);
            auto flat = [&](LD t) {
                V3 x = at(ca, 0, t);
                if (n == 2) x[2] = 0;
                return fref::unit(x);
            };
            EXPECT_LT(fref::distance(rich(flat, u), d.data(), n), 1e-9) << n;
        }
        mdrvpv(v[0][0].data(), v[1][0].data(), v[0][1].data(), v[1][1].data(), &kEps, r1, &ier);
        EXPECT_LT(fref::distance(rich([&](LD t) { return fref::unit(ab(t)); }, u), r1), 1e-9);
        double vv[12], w[12];
        for (int r = 0; r < 4; ++r)
            for (int i = 0; i < 3; ++i) vv[3 * r + i] = v[0][r][i];
        int three = 3, k = 3;
        mdrknr(&three, vv, &k, &kEps, w, &ier);
        ASSERT_EQ(ier, 0);
        std::function<V3(LD)> g = [&](LD t) { return fref::unit(at(ca, 0, t)); };
        const LD h = 1e-3L;
        for (int r = 1; r <= 3; ++r) {
            // Each order against Richardson differences of the previous one, formed exactly in long double.
            const V3 want = fref::richardson(g, u, h);
            EXPECT_LT(fref::distance(want, w + 3 * r), 1e-6 * (1 + fref::norm(want))) << r;
            g = [g, h](LD t) { return fref::richardson(g, t, h); };
        }
        // The second derivative of the unit vector of A x B.
        mdrv2pv(v[0][0].data(), v[1][0].data(), v[0][1].data(), v[1][1].data(), v[0][2].data(), v[1][2].data(), &kEps,
                r2, &ier);
        ASSERT_EQ(ier, 0);
        auto dunit = [&](LD t) { return rich([&](LD s) { return fref::unit(ab(s)); }, static_cast<double>(t)); };
        EXPECT_LT(fref::distance(rich(dunit, u), r2), 1e-5);
    }
}

// Straight pieces, segments, cusps, stationary points, and bad arguments.
TEST_F(Frenet, SingularPointsSegmentsAndBadArguments) {
    int three = 3, ier = -9;
    double t[3], n[3], b[3], u = 0.3;
    // Segments along the third axis and along (1, 1, 0).
    const Vec zaxis{1, 2, 3, 0, 0, 2}, diag{0, 0, 0, 1, 1, 0};
    int two = 2;
    vtrfrt(&two, zaxis.data(), &u, t, n, b, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(Vec(t, t + 3), (Vec{0, 0, 1}));
    EXPECT_EQ(Vec(n, n + 3), (Vec{0, 1, 0}));
    EXPECT_EQ(Vec(b, b + 3), (Vec{-1, 0, 0}));
    vtrfrt(&two, diag.data(), &u, t, n, b, &ier);
    EXPECT_NEAR(n[0], -std::sqrt(0.5), 2e-16);
    EXPECT_NEAR(n[1], std::sqrt(0.5), 2e-16);
    EXPECT_EQ(b[2], 1.0);
    // A cubic running along a straight line: an arbitrary unit normal across T.
    const Vec line{1, 1, 1, 1, 2, 2, 0, 0, 0, 1, 2, 2};
    int four = 4;
    vtrfrt(&four, line.data(), &u, t, n, b, &ier);
    EXPECT_EQ(ier, 0);
    const Frame s = frame(line, 3, u, 2, 3, 1);
    EXPECT_EQ(s.ier, 0);
    EXPECT_EQ(s.nnorm, 0.0);
    EXPECT_NEAR(s.t[0] * s.n[0] + s.t[1] * s.n[1] + s.t[2] * s.n[2], 0.0, 1e-16);
    EXPECT_NEAR(std::hypot(s.n[0], s.n[1], s.n[2]), 1.0, 1e-15);
    for (int i = 3; i < 9; ++i) EXPECT_EQ(s.n[i], 0.0);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(s.n[i], n[i], 1e-15);
    EXPECT_EQ(props(line, 3, u, 2).ier, -1);
    const Props pl = props({1, 1, 1, 2, 0, 0, 1, 2}, 2, u, 7);  // the same in the plane: curvature 0
    EXPECT_EQ(pl.ier * 10 + pl.curv[0] + pl.dcurv + pl.tors[0], 0.0);

    // Circle-like point: mprcrb agrees with cvture.
    const Vec arc{0, 0, 1, 0, 0, 0.5, 0.1, 0.05};
    const Props pa = props(arc, 2, 0.25, 4);
    double curv, radius, center[2], work[6], point[2] = {0, 0}, ua = 0.25;
    int nc = 4;
    cvture(point, &two, &nc, arc.data(), &ua, work, &curv, &radius, center, &ier);
    EXPECT_NEAR(pa.curv[0], curv, 1e-14);
    EXPECT_EQ(pa.icusp, 0);

    // The ordinary cusp (t^2, t^3): infinite curvature, no torsion.
    const Vec cusp{0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0.5};
    const Props pc = props(cusp, 3, 0.0, 6, 0, {-1, 1});
    EXPECT_EQ(pc.icusp, 1);
    EXPECT_EQ(pc.curv[0], 0.0);
    EXPECT_EQ(pc.ier, -2);
    EXPECT_EQ(pc.tsense, 0);
    EXPECT_EQ(props(cusp, 3, 0.0, 7, 0).ier, -2);
    // (t^3, t^6): the parabola y = x^2 with a stationary point, curvature 2.
    const Vec para{0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    const Props pp = props(para, 2, 0.0, 3, 0, {-1, 1});
    EXPECT_EQ(pp.ier, 0);
    EXPECT_NEAR(pp.curv[0], 2.0, 1e-15);
    EXPECT_EQ(pp.icusp, 0);

    const Vec c3 = random_curve(3, 5);
    // Bad arguments: only the orders, senses and norms are cleared.
    for (auto [ider, nvec] : {std::pair{3, 3}, {1, 0}, {-1, 2}}) {
        const Frame bad = frame(c3, 3, 0.4, ider, nvec, 1);
        EXPECT_EQ(bad.ier, 3);
        EXPECT_EQ(bad.tnorm + bad.tsense + bad.torder, 0);
        EXPECT_EQ(bad.t[0], 7.0);
    }
    EXPECT_EQ(frame(c3, 4, 0.4, 1, 3, 1).ier, 3);
    EXPECT_EQ(frame({1, 2, 3}, 3, 0.4, 1, 3, 1).ier, 2);
    EXPECT_EQ(frame(Vec(3 * 62, 1.0), 3, 0.4, 1, 3, 1).ier, 10);
    EXPECT_EQ(frame({1, 2, 3, 0, 0, 0, 0, 0, 0}, 3, 0.4, 1, 3, 1).ier, 2);  // every derivative null
    EXPECT_EQ(frame(c3, 3, kNaN, 2, 3, 1).ier, 1);  // a NaN tangent has no derivative: a defined failure
    EXPECT_EQ(props(c3, 4, 0.4, 7).ier, 1);
    EXPECT_EQ(props(c3, 3, 0.4, 8).ier, 1);
    EXPECT_EQ(props({1, 2, 3, 0, 0, 0}, 3, 0.4, 4).ier, 1);
    int one = 1;
    vtrfrt(&one, zaxis.data(), &u, t, n, b, &ier);
    EXPECT_EQ(ier, 2);
    const double vk[3] = {1, 0, 0};
    double wk[3];
    int k4 = 4;
    rec::reset();
    mdrknr(&three, vk, &k4, &kEps, wk, &ier);
    EXPECT_EQ(ier, 2);
    EXPECT_EQ(rec::codes("MDRKNR"), Codes{2});
}

// vtrfrt below trace level 2 computes a regular point in place; above, it
// goes through mdiedr: the same frame to the bit, and the same reports.
TEST_F(Frenet, FrameOfSpaceCurveSameAtEveryTraceLevel) {
    for (int ncoef : {3, 4, 6, 10}) {
        for (int trial = 0; trial < 20; ++trial) {
            const Vec coef = ref::random_values(rng, static_cast<std::size_t>(3 * ncoef), -4.0, 4.0);
            double u = trial == 0 ? 0.0 : trial == 1 ? 1.0 : ref::random_values(rng, 1, -0.5, 1.5)[0];
            double f[2][9];
            int ier[2], nc = ncoef;
            for (int level : {0, 2}) {
                rec::reset();
                rec::set_level(level);
                double* g = f[level / 2];
                vtrfrt(&nc, coef.data(), &u, g, g + 3, g + 6, &ier[level / 2]);
                EXPECT_EQ(rec::codes("MVTAN0"), Codes{0});
            }
            EXPECT_EQ(ier[0], ier[1]);
            for (int i = 0; i < 9; ++i) EXPECT_EQ(f[0][i], f[1][i]) << ncoef << " " << u << " " << i;
        }
    }
}

TEST_F(Frenet, ReportsOnEveryExit) {
    const Vec c3{0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1};
    frame(c3, 3, 0.5, 1, 3, 1);
    frame(c3, 1, 0.5, 1, 3, 1);
    EXPECT_EQ(rec::codes("MTRDFRT"), (Codes{0, 3}));
    int nc = 4, one = 1, ier;
    double t[3], n[3], b[3], dt[3], dn[3], db[3], u = 0.5;
    vtdfrt(&nc, c3.data(), &u, &one, t, n, b, dt, dn, db, &ier);
    EXPECT_EQ(rec::codes("VTDFRT"), Codes{0});
    rec::set_level(2);
    props(c3, 3, 0.5, 7);
    EXPECT_EQ(rec::count(rec::Kind::Enter, "MPRCRB"), 1);
    EXPECT_EQ(rec::count(rec::Kind::Exit, "MPRCRB"), 1);
    EXPECT_EQ(rec::codes("MPRCRB"), Codes{});
}

}  // namespace
