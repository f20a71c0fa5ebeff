// Surface normals: regular points against long-double products of the
// partial derivatives, derivatives against Richardson-extrapolated
// differences, singular points built on purpose (a degenerate edge, a
// collapsed corner, an apex, a cuspidal edge), the position classifier and
// the codes.
#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using namespace ref;
using L3 = std::array<LD, 3>;

// A patch SURF(3, NCMAX, NV) with its long-double reference.
struct Surf {
    int ncmax, nu, nv;
    V c;  // c[(j * ncmax + i) * 3 + k]: coefficient of u^i v^j in component k
    LD coef(int k, int i, int j) const { return i < nu && j < nv ? c[(j * ncmax + i) * 3 + k] : 0.0L; }
    // Partial derivative of order (a, b), exactly from the coefficients.
    L3 partial(int a, int b, LD u, LD v) const {
        L3 s{};
        for (int k = 0; k < 3; ++k)
            for (int j = b; j < nv; ++j)
                for (int i = a; i < nu; ++i) {
                    LD f = coef(k, i, j);
                    for (int r = 0; r < a; ++r) f *= i - r;
                    for (int r = 0; r < b; ++r) f *= j - r;
                    s[k] += f * std::pow(u, i - a) * std::pow(v, j - b);
                }
        return s;
    }
};

L3 cross(const L3& a, const L3& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
LD length(const L3& a) { return std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]); }
L3 unit(const L3& a) {
    const LD l = length(a);
    return {a[0] / l, a[1] / l, a[2] / l};
}

// Mixed derivative (m, n) of S1u x S2v at (u, v), from the product of the
// two derivative patches formed as polynomials (independent of Leibniz's rule).
L3 raw_derivative(const Surf& s1, const Surf& s2, int m, int n, LD u, LD v) {
    const int nu = s1.nu + s2.nu, nv = s1.nv + s2.nv;
    std::vector<L3> p(static_cast<std::size_t>(nu * nv), L3{});
    for (int j1 = 0; j1 < s1.nv; ++j1)
        for (int i1 = 0; i1 + 1 < s1.nu; ++i1)
            for (int j2 = 0; j2 + 1 < s2.nv; ++j2)
                for (int i2 = 0; i2 < s2.nu; ++i2) {
                    L3 a, b;
                    for (int k = 0; k < 3; ++k) {
                        a[k] = (i1 + 1) * s1.coef(k, i1 + 1, j1);
                        b[k] = (j2 + 1) * s2.coef(k, i2, j2 + 1);
                    }
                    const L3 x = cross(a, b);
                    for (int k = 0; k < 3; ++k) p[(j1 + j2) * nu + i1 + i2][k] += x[k];
                }
    L3 d{};
    for (int j = n; j < nv; ++j)
        for (int i = m; i < nu; ++i) {
            LD f = 1;
            for (int r = 0; r < m; ++r) f *= i - r;
            for (int r = 0; r < n; ++r) f *= j - r;
            for (int k = 0; k < 3; ++k) d[k] += f * p[j * nu + i][k] * std::pow(u, i - m) * std::pow(v, j - n);
        }
    return d;
}

// Richardson-extrapolated central differences of F around (u, v): first
// derivative in u (du = 1) or v, and second derivatives (uu, uv, vv).
template <class F>
L3 richardson(F f, LD u, LD v, int du, int dv) {
    auto diff = [&](LD h) {
        L3 r{};
        auto at = [&](LD a, LD b) { return f(u + a, v + b); };
        for (int k = 0; k < 3; ++k) {
            if (du + dv == 1) {
                const LD a = du * h, b = dv * h;
                r[k] = (at(a, b)[k] - at(-a, -b)[k]) / (2 * h);
            } else if (du == 1 && dv == 1) {
                r[k] = (at(h, h)[k] - at(h, -h)[k] - at(-h, h)[k] + at(-h, -h)[k]) / (4 * h * h);
            } else {
                const LD a = du ? h : 0, b = dv ? h : 0;
                r[k] = (at(a, b)[k] - 2 * f(u, v)[k] + at(-a, -b)[k]) / (h * h);
            }
        }
        return r;
    };
    const L3 d1 = diff(1e-3L), d2 = diff(5e-4L);
    return {(4 * d2[0] - d1[0]) / 3, (4 * d2[1] - d1[1]) / 3, (4 * d2[2] - d1[2]) / 3};
}

void expect_near(const double* got, const L3& want, LD tol, const std::string& what) {
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(got[k], static_cast<double>(want[k]), static_cast<double>(tol)) << what << " " << k;
}

Surf random_surf(std::mt19937& g, int nu, int nv, int ncmax) {
    Surf s{ncmax, nu, nv, random_values(g, static_cast<std::size_t>(3 * ncmax * nv))};
    // A base plane with a modest random bump keeps the test points regular.
    s.c[3 * 1 + 0] += 2.0, s.c[3 * ncmax + 1] += 2.0;
    return s;
}

struct NormalCall {
    double normal[3] = {-7, -7, -7}, nnorm = -7;
    int ku = -7, kv = -7, ier = -7;
};

NormalCall normal(const Surf& s, double u, double v, double eps = 1e-10, int inorm = 1) {
    NormalCall r;
    mvcnml(&s.ncmax, &s.nu, &s.nv, s.c.data(), &u, &v, &eps, &inorm, r.normal, &r.nnorm, &r.ku, &r.kv, &r.ier);
    return r;
}

class SurfaceNormal : public testing_support::Recorded {};

TEST_F(SurfaceNormal, PositionInTheUnitSquare) {
    const struct {
        double u, v;
        int pos;
    } cases[] = {{0.5, 0.5, 0},  {0.005, 0.5, 1}, {0.999, 0.5, 2}, {0.5, -0.01, 3}, {0.5, 0.995, 4},
                 {0, 0, 5},      {0.0, 1.0, 6},   {1.0, 0.0, 7},   {1, 1, 8},       {1.02, 0.5, -1},
                 {0.5, -0.02, -1}, {NAN, 0.5, -1}};
    const double e = 0.01;
    for (const auto& c : cases) {
        const double uv[2] = {c.u, c.v};
        int pos = -9;
        sptbor(uv, &e, &pos);
        EXPECT_EQ(pos, c.pos) << c.u << " " << c.v;
    }
}

TEST_F(SurfaceNormal, PlanePatchEverywhere) {
    const Surf plane{2, 2, 2, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}};  // S = (u, v, 0)
    for (double u : {0.0, 0.3, 1.0})
        for (double v : {0.0, 0.7, 1.0}) {
            const NormalCall r = normal(plane, u, v);
            EXPECT_EQ(std::vector<double>(r.normal, r.normal + 3), (V{0, 0, 1}));
            EXPECT_EQ(std::tuple(r.nnorm, r.ku, r.kv, r.ier), std::tuple(1.0, 0, 0, 0));
        }
}

TEST_F(SurfaceNormal, RegularPointsAndDerivativesOnRandomPatches) {
    std::mt19937 g(76);
    for (auto [nu, nv] : {std::pair(4, 4), std::pair(2, 5), std::pair(6, 3)}) {
        const Surf s = random_surf(g, nu, nv, nu + 1);
        for (auto [u, v] : {std::pair(0.3, 0.6), std::pair(0.8, 0.1)}) {
            const L3 raw = cross(s.partial(1, 0, u, v), s.partial(0, 1, u, v));
            auto unit_at = [&](LD a, LD b) { return unit(cross(s.partial(1, 0, a, b), s.partial(0, 1, a, b))); };
            auto raw_at = [&](LD a, LD b) { return cross(s.partial(1, 0, a, b), s.partial(0, 1, a, b)); };
            const double eps = 1e-10;
            for (int inorm : {1, 2}) {
                NormalCall r;
                double r1[3], r2[3], r3[3], s11[3], s12[3], s21[3], s22[3];
                md2nml(&s.ncmax, &s.nu, &s.nv, s.c.data(), &u, &v, &eps, &inorm, r.normal, &r.nnorm, &r.ku, &r.kv, r1,
                       r2, r3, s11, s12, s21, s22, &r.ier);
                ASSERT_EQ(std::tuple(r.ier, r.ku, r.kv), std::tuple(0, 0, 0));
                EXPECT_NEAR(r.nnorm, static_cast<double>(length(raw)), 1e-13 * r.nnorm);
                const bool u1 = inorm == 1;
                auto f = [&](LD a, LD b) { return u1 ? unit_at(a, b) : raw_at(a, b); };
                const LD scale = u1 ? 1 : length(raw);
                expect_near(r.normal, u1 ? unit(raw) : raw, 1e-14 * scale, "normal");
                expect_near(r1, richardson(f, u, v, 1, 0), 1e-8 * scale, "d/du");
                expect_near(r2, richardson(f, u, v, 0, 1), 1e-8 * scale, "d/dv");
                expect_near(s11, richardson(f, u, v, 2, 0), 1e-5 * scale, "d2/du2");
                expect_near(s12, richardson(f, u, v, 1, 1), 1e-5 * scale, "d2/dudv");
                expect_near(s22, richardson(f, u, v, 0, 2), 1e-5 * scale, "d2/dv2");
                EXPECT_EQ(std::vector<double>(s12, s12 + 3), std::vector<double>(s21, s21 + 3));
                const L3 c = cross({r1[0], r1[1], r1[2]}, {r2[0], r2[1], r2[2]});
                expect_near(r3, c, 1e-14 * scale * scale, "n_u x n_v");
                // mdvnml and mdrnml give the same first derivatives.
                double dnu[3], dnv[3], q1[3], q2[3], q3[3];
                NormalCall t;
                if (u1) {
                    mdvnml(&s.ncmax, &s.nu, &s.nv, s.c.data(), &u, &v, &eps, t.normal, &t.nnorm, dnu, dnv, &t.ku,
                           &t.kv, &t.ier);
                    EXPECT_EQ(std::vector<double>(dnu, dnu + 3), std::vector<double>(r1, r1 + 3));
                    EXPECT_EQ(std::vector<double>(dnv, dnv + 3), std::vector<double>(r2, r2 + 3));
                }
                mdrnml(&s.ncmax, &s.nu, &s.nv, s.c.data(), &u, &v, &eps, &inorm, t.normal, &t.nnorm, &t.ku, &t.kv, q1,
                       q2, q3, &t.ier);
                EXPECT_EQ(std::vector<double>(q1, q1 + 3), std::vector<double>(r1, r1 + 3));
            }
        }
    }
    EXPECT_TRUE(rec::codes("MD2NML").empty());
}

TEST_F(SurfaceNormal, MixedDerivativesOfTheRawAndUnitNormal) {
    std::mt19937 g(7);
    const Surf s1 = random_surf(g, 4, 3, 5), s2 = random_surf(g, 3, 4, 3);
    const double uv[2] = {0.35, 0.55};
    int three = 3, ier = -1;
    for (int m = 0; m <= 4; ++m)
        for (int n = 0; n <= 4; ++n) {
            const int ord[2] = {m, n};
            double d[3];
            mponnn(&three, &s1.ncmax, &s1.nu, &s1.nv, s1.c.data(), &s2.ncmax, &s2.nu, &s2.nv, s2.c.data(), uv, ord, d,
                   &ier);
            ASSERT_EQ(ier, 0);
            const L3 want = raw_derivative(s1, s2, m, n, uv[0], uv[1]);
            expect_near(d, want, 1e-12 * (1 + length(want)), "mponnn " + std::to_string(m) + std::to_string(n));
        }
    // The whole table of the raw normal, and the unit normal's derivatives.
    const int ord[2] = {2, 3};
    V dn(3 * 3 * 4), dw(dn.size());
    mdrnnn(&s1.ncmax, &s1.nu, &s1.nv, s1.c.data(), uv, ord, dn.data(), &ier);
    ASSERT_EQ(ier, 0);
    for (int j = 0; j <= 3; ++j)
        for (int i = 0; i <= 2; ++i) {
            const L3 want = raw_derivative(s1, s1, i, j, uv[0], uv[1]);
            expect_near(dn.data() + 3 * (j * 3 + i), want, 1e-12 * (1 + length(want)), "mdrnnn");
        }
    const double eps = 1e-12;
    mdrnn2(dn.data(), ord, &eps, dw.data(), &ier);
    ASSERT_EQ(ier, 0);
    auto w = [&](LD a, LD b) { return unit(raw_derivative(s1, s1, 0, 0, a, b)); };
    expect_near(dw.data(), w(uv[0], uv[1]), 1e-15, "W");
    expect_near(dw.data() + 3 * 1, richardson(w, uv[0], uv[1], 1, 0), 1e-8, "W_u");
    expect_near(dw.data() + 3 * 3, richardson(w, uv[0], uv[1], 0, 1), 1e-8, "W_v");
    expect_near(dw.data() + 3 * 4, richardson(w, uv[0], uv[1], 1, 1), 1e-5, "W_uv");
    expect_near(dw.data() + 3 * 6, richardson(w, uv[0], uv[1], 0, 2), 1e-5, "W_vv");
    // Higher mixed orders: the derivative in v of W_(1,2) from differences of the table itself.
    auto w12 = [&](LD a, LD b) {
        V t(dn.size()), tw(dn.size());
        const double p[2] = {static_cast<double>(a), static_cast<double>(b)};
        int e2 = 0;
        mdrnnn(&s1.ncmax, &s1.nu, &s1.nv, s1.c.data(), p, ord, t.data(), &e2);
        mdrnn2(t.data(), ord, &eps, tw.data(), &e2);
        return L3{tw[3 * 7], tw[3 * 7 + 1], tw[3 * 7 + 2]};  // (1, 2)
    };
    expect_near(dw.data() + 3 * 10, richardson(w12, uv[0], uv[1], 0, 1), 1e-5 * (1 + length(w12(uv[0], uv[1]))),
                "W_(1,3)");
    // The second derivative of a unit vector along one variable agrees with mdr2nr.
    double d2[3];
    int nd = 3;
    mdr2nr(&nd, dn.data(), dn.data() + 3, dn.data() + 6, &eps, d2, &ier);
    ASSERT_EQ(ier, 0);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(d2[k], dw[6 + k], 1e-12);
}

// The sense at a singular point agrees with the regular normals around it.
void expect_sense_from_neighbours(const Surf& s, double u, double v, const double* n) {
    for (double du : {-0.01, 0.01})
        for (double dv : {-0.01, 0.01}) {
            const double a = std::clamp(u + du, 0.0, 1.0), b = std::clamp(v + dv, 0.0, 1.0);
            const NormalCall r = normal(s, a, b);
            if (r.ku != 0 || r.kv != 0 || r.ier != 0) continue;
            EXPECT_GT(r.normal[0] * n[0] + r.normal[1] * n[1] + r.normal[2] * n[2], 0.9) << a << " " << b;
        }
}

TEST_F(SurfaceNormal, SingularPointsBuiltOnPurpose) {
    // Degenerate edge v = 0 (Su = 0 along it): S = (v(2u-1), v, 0.3 v^2 + 0.1 uv).
    Surf fan{2, 2, 3, V(18, 0.0)};
    auto set = [](Surf& s, int k, int i, int j, double x) { s.c[(j * s.ncmax + i) * 3 + k] = x; };
    set(fan, 0, 0, 1, -1), set(fan, 0, 1, 1, 2), set(fan, 1, 0, 1, 1), set(fan, 2, 0, 2, 0.3), set(fan, 2, 1, 1, 0.1);
    // Collapsed corner and edge u = 0 of a curved triangle: S = (u, uv, u^2 + 0.5 u v^2).
    Surf tri{3, 3, 3, V(27, 0.0)};
    set(tri, 0, 1, 0, 1), set(tri, 1, 1, 1, 1), set(tri, 2, 2, 0, 1), set(tri, 2, 1, 2, 0.5);
    const struct {
        const Surf* s;
        double u, v;
        int ku, kv;
    } cases[] = {{&fan, 0.3, 0.0, 0, 1}, {&fan, 0.0, 0.0, 0, 1}, {&fan, 1.0, 0.0, 0, 1},
                 {&tri, 0.0, 0.4, 1, 0}, {&tri, 0.0, 0.0, 1, 0}, {&tri, 0.0, 1.0, 1, 0}};
    for (const auto& c : cases) {
        const NormalCall r = normal(*c.s, c.u, c.v);
        ASSERT_EQ(r.ier, 0) << c.u << " " << c.v;
        EXPECT_EQ(std::pair(r.ku, r.kv), std::pair(c.ku, c.kv));
        EXPECT_NEAR(std::hypot(r.normal[0], r.normal[1], r.normal[2]), 1.0, 1e-15);
        expect_sense_from_neighbours(*c.s, c.u, c.v, r.normal);
        // The raw normal is the candidate that gave it, in the same sense.
        const NormalCall raw = normal(*c.s, c.u, c.v, 1e-10, 2);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(raw.normal[k], r.normal[k] * raw.nnorm, 1e-14);
    }
    // A cuspidal edge (x = a^2, z = a^3 along y): the normal flips across it.
    Surf cusp{4, 4, 2, V(24, 0.0)};  // a = u - 1/2
    set(cusp, 0, 0, 0, 0.25), set(cusp, 0, 1, 0, -1), set(cusp, 0, 2, 0, 1);
    set(cusp, 1, 0, 1, 1);
    set(cusp, 2, 0, 0, -0.125), set(cusp, 2, 1, 0, 0.75), set(cusp, 2, 2, 0, -1.5), set(cusp, 2, 3, 0, 1);
    // An apex at a corner: the cone xy = z^2 as (u^2, v^2, uv).
    Surf cone{3, 3, 3, V(27, 0.0)};
    set(cone, 0, 2, 0, 1), set(cone, 1, 0, 2, 1), set(cone, 2, 1, 1, 1);
    for (auto [s, u] : {std::pair(&cusp, 0.5), std::pair(&cone, 0.0)}) {
        rec::reset();
        const NormalCall r = normal(*s, u, u);
        EXPECT_EQ(r.ier, 13);
        EXPECT_EQ(rec::codes("MVCNML"), std::vector<int>{13});
    }

    // The normal from the directions around the point: the same normals at
    // the degenerate edge and the collapsed corner, none at the cuspidal edge
    // (an odd order inside) or the apex, and a regular point as it is.
    const Surf plane{2, 2, 2, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}};
    const double tol[3] = {1e-6, 1e-12, 1e-6};
    const struct {
        const Surf* s;
        double u, v;
        int ier;
    } around[] = {{&fan, 0.3, 0.0, 0}, {&fan, 1.0, 0.0, 0}, {&tri, 0.0, 0.4, 0}, {&tri, 0.0, 0.0, 0},
                  {&plane, 0.2, 0.9, 0}, {&cusp, 0.5, 0.5, 4}, {&cone, 0.0, 0.0, 4}, {&tri, 1.5, 0.5, 2},
                  {&tri, NAN, 0.5, 2}};
    for (const auto& c : around) {
        const double uv[2] = {c.u, c.v};
        double n[3] = {-7, -7, -7};
        int ier = -1;
        mvtnm0(&c.s->ncmax, &c.s->nu, &c.s->nv, c.s->c.data(), uv, tol, n, &ier);
        EXPECT_EQ(ier, c.ier) << c.u << " " << c.v;
        if (ier != 0) continue;
        const NormalCall r = normal(*c.s, c.u, c.v);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(n[k], r.normal[k], 1e-12) << c.u << " " << c.v;
    }
    // At the corners (0, 1) and (1, 0) the root finder changes the range
    // [-1, 0] to [-1, 1], which fails when EPSPB exceeds its length 2: its
    // 113 comes out as 213 (found by fuzzing; the other corners need no change).
    testing_support::Tolerances wide;
    wide.epspb = 3.0;
    testing_support::fill_block(wide);
    for (auto [s, u, v, code] : {std::tuple(&fan, 1.0, 0.0, 213), std::tuple(&tri, 0.0, 1.0, 213),
                                 std::tuple(&tri, 0.0, 0.0, 0)}) {
        rec::reset();
        const double uv[2] = {u, v};
        double n[3] = {-7, -7, -7};
        int ier = -1;
        mvtnm0(&s->ncmax, &s->nu, &s->nv, s->c.data(), uv, tol, n, &ier);
        EXPECT_EQ(ier, code) << u << " " << v;
        EXPECT_EQ(rec::codes("MVTNM0"), code ? std::vector<int>{code} : std::vector<int>{}) << u << " " << v;
    }
}

TEST_F(SurfaceNormal, SampleNormalsAroundAPoint) {
    const Surf plane{2, 2, 2, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}};
    struct Case {
        double u, v;
        int k;
        double cnorm;
        int inorm, nsamp;
    } cases[] = {{0.5, 0.5, 1, 1.0, 1, 4}, {0.0, 0.0, 1, 1.0, 1, 3}, {1.0, 0.5, 2, 1e-30, 2, 4},
                 {0.5, 0.5, 3, 1e-40, 1, 4}};
    for (const auto& c : cases) {
        V samples(3 * 6, -7.0);
        int nsamp = 1, ier = -1;  // appended after one sample already there
        const double eps = 1e-8;
        mvnrf4(&plane.ncmax, &plane.nu, &plane.nv, plane.c.data(), &c.u, &c.v, &c.k, &c.cnorm, &eps, &c.inorm,
               samples.data(), &nsamp, &ier);
        ASSERT_EQ(ier, 0);
        EXPECT_EQ(nsamp, 1 + c.nsamp);
        EXPECT_EQ(samples[0], -7.0);
        for (int s = 1; s < nsamp; ++s) EXPECT_EQ(samples[3 * s + 2], 1.0) << s;
        EXPECT_EQ(samples[3 * nsamp], -7.0);
    }
}

TEST_F(SurfaceNormal, CodesAndBadInput) {
    const Surf plane{2, 2, 2, {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0}};
    for (auto [ncmax, nu, nv] : {std::tuple(2, 1, 2), std::tuple(2, 3, 2), std::tuple(2, 2, 1), std::tuple(62, 62, 2)}) {
        const Surf s{ncmax, nu, nv, plane.c};
        const NormalCall r = normal(s, 0.5, 0.5);
        EXPECT_EQ(std::tuple(r.ier, r.ku, r.nnorm, r.normal[0]), std::tuple(1, -7, -7.0, -7.0));
    }
    // Traces: one entry and one exit line at a regular point.
    rec::set_level(2);
    NormalCall t = normal(plane, 0.5, 0.5);
    EXPECT_EQ(t.ier, 0);
    EXPECT_EQ(rec::names(rec::Kind::Enter), std::vector<std::string>{"MVCNML"});
    EXPECT_EQ(rec::names(rec::Kind::Exit), std::vector<std::string>{"MVCNML"});
    rec::set_level(0);
    // Outside the square: the patch is extrapolated.
    NormalCall r = normal(plane, 1.5, -0.5);
    EXPECT_EQ(std::pair(r.ier, r.normal[2]), std::pair(0, 1.0));
    // Not a number: a defined code, promptly.
    r = normal(plane, NAN, 0.5);
    EXPECT_TRUE(r.ier == 0 || r.ier == 13);
    Surf nan = plane;
    nan.c[3] = NAN;
    r = normal(nan, 0.5, 0.5);
    EXPECT_TRUE(r.ier == 0 || r.ier == 13);
    // mdr2nr: a vector not longer than EPS, and EPS <= 0 meaning meps1.
    const double v[3] = {1e-12, 0, 0}, dv[3] = {1, 0, 0}, d2v[3] = {0, 1, 0};
    double out[3] = {-7, -7, -7}, eps = 1e-10, zero = 0;
    int three = 3, ier = -1;
    mdr2nr(&three, v, dv, d2v, &eps, out, &ier);
    EXPECT_EQ(std::pair(ier, out[0]), std::pair(10, -7.0));
    mdr2nr(&three, v, dv, d2v, &zero, out, &ier);  // meps1 = 1e-9 in the test block
    EXPECT_EQ(ier, 10);
    const int ord[2] = {11, 0};
    double dn[3] = {1, 0, 0}, dw[3];
    mdrnn2(dn, ord, &eps, dw, &ier);
    EXPECT_EQ(ier, 2);
    EXPECT_EQ(rec::codes("MDR2NR"), (std::vector<int>{10, 10}));
}

}  // namespace
