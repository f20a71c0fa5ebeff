// Curves traced on patches: exact images of points and lines, approximated
// images of curved paths checked against S(C(t)) evaluated directly in long
// double, continuity at the breakpoints, and the refusals.
#include <cmath>
#include <random>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using LD = long double;
using testing_support::Recorded;

// A patch SURF(NU_MAX, NV_MAX, NDIM) with NU x NV coefficients in use.
struct Patch {
    int numax, nvmax, ndim, nu, nv;
    std::vector<double> c;
    double& at(int i, int j, int k) { return c[((k - 1) * nvmax + (j - 1)) * numax + (i - 1)]; }
    double get(int i, int j, int k) const { return c[((k - 1) * nvmax + (j - 1)) * numax + (i - 1)]; }
    // Component K at (u, v), Horner in u inside Horner in v.
    LD eval(int k, LD u, LD v) const {
        LD s = 0;
        for (int j = nv; j >= 1; --j) {
            LD col = 0;
            for (int i = nu; i >= 1; --i) col = col * u + get(i, j, k);
            s = s * v + col;
        }
        return s;
    }
};

Patch random_patch(int ndim, int nu, int nv, unsigned seed, int spare = 2) {
    std::mt19937 g(seed);
    Patch p{nu + spare, nv + spare, ndim, nu, nv, {}};
    p.c.assign(static_cast<std::size_t>(p.numax) * p.nvmax * ndim, 777.0);  // unused entries must not be read
    for (int k = 1; k <= ndim; ++k)
        for (int j = 1; j <= nv; ++j)
            for (int i = 1; i <= nu; ++i) p.at(i, j, k) = ref::random_values(g, 1, -1.0, 1.0)[0] / (i + j - 1);
    return p;
}

// Value of component J of C(t) (CRV2(2, N)).
LD curve(const std::vector<double>& c, int j, LD t) {
    LD s = 0;
    for (int i = static_cast<int>(c.size()) / 2 - 1; i >= 0; --i) s = s * t + c[2 * i + j];
    return s;
}

struct Traced {
    int ier = -99, nseg = 0;
    std::vector<int> ncoef;
    std::vector<double> coef, errtab;
    int ndimax, ldcoef;
};

Traced trace(const Patch& p, const std::vector<double>& crv, double ta, double tb, int order, int maxcoef, double tol,
             int maxseg = 40, int ndimax = 0, int ndim2 = 2) {
    Traced r;
    r.ndimax = ndimax ? ndimax : p.ndim;
    r.ldcoef = maxcoef + 1;
    r.ncoef.assign(maxseg, 0);
    r.coef.assign(static_cast<std::size_t>(r.ndimax) * r.ldcoef * maxseg, 55.0);
    r.errtab.assign(4 * static_cast<std::size_t>(maxseg), -1.0);
    const int ncoef2 = static_cast<int>(crv.size()) / 2;
    const double tint[2] = {ta, tb};
    mapck5(&p.numax, &p.nvmax, p.c.data(), &p.ndim, &p.nu, &p.nv, &ndim2, &ncoef2, crv.data(), tint, &order,
           &maxcoef, &tol, &r.ndimax, &r.ldcoef, &maxseg, r.coef.data(), &r.nseg, r.ncoef.data(), r.errtab.data(),
           &r.ier);
    return r;
}

// Component K of segment S of the result at t (derivative D in t). Every
// segment runs over the whole of TINT while t runs over its own interval.
LD segment(const Traced& r, int s, int k, LD t, int d = 0) {
    const double* c = r.coef.data() + static_cast<std::size_t>(s - 1) * r.ndimax * r.ldcoef;
    const LD t0 = r.errtab[4 * (s - 1)], t1 = r.errtab[4 * (s - 1) + 1];
    const LD a = r.errtab[0], b = r.errtab[4 * (r.nseg - 1) + 1];
    const LD scale = (b - a) / (t1 - t0), x = a + (t - t0) * scale;
    LD v = 0;
    for (int i = r.ncoef[s - 1] - 1; i >= d; --i) {
        LD f = 1;
        for (int m = 0; m < d; ++m) f *= i - m;
        v = v * x + f * c[static_cast<std::size_t>(i) * r.ndimax + k - 1];
    }
    return v * std::pow(scale, static_cast<LD>(d));
}

// Largest distance between the segments and S(C(t)), sampled densely.
LD traced_error(const Patch& p, const std::vector<double>& crv, const Traced& r, int s) {
    const LD t0 = r.errtab[4 * (s - 1)], t1 = r.errtab[4 * (s - 1) + 1];
    LD worst = 0;
    for (int i = 0; i <= 1000; ++i) {
        const LD t = t0 + (t1 - t0) * i / 1000;
        const LD u = curve(crv, 0, t), v = curve(crv, 1, t);
        LD e2 = 0;
        for (int k = 1; k <= p.ndim; ++k) {
            const LD d = segment(r, s, k, t) - p.eval(k, u, v);
            e2 += d * d;
        }
        worst = std::max(worst, std::sqrt(e2));
    }
    return worst;
}

class CurveOnSurface : public Recorded {};

TEST_F(CurveOnSurface, PointsAndLinesAreExact) {
    const Patch p = random_patch(3, 4, 5, 11);
    struct Case {
        const char* name;
        std::vector<double> crv;
        int maxcoef, ncout;
    };
    const Case cases[] = {
        {"point", {0.3, -0.6}, 10, 1},
        {"still line", {0.3, -0.6, 0.0, 0.0}, 10, 1},
        {"u constant", {0.3, -0.6, 0.0, 1.5}, 5, 5},
        {"v constant", {0.3, -0.6, -2.0, 0.0}, 4, 4},
        {"diagonal", {0.3, -0.6, 0.7, 1.2}, 8, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec::reset();
        const Traced r = trace(p, c.crv, -1.0, 2.0, 1, c.maxcoef, 1e-9);
        ASSERT_EQ(r.ier, 0);
        ASSERT_EQ(r.nseg, 1);
        EXPECT_EQ(r.ncoef[0], c.ncout);
        EXPECT_EQ(r.errtab[0], -1.0);
        EXPECT_EQ(r.errtab[1], 2.0);
        EXPECT_EQ(r.errtab[2], 0.0);
        EXPECT_EQ(r.errtab[3], 0.0);
        EXPECT_LT(traced_error(p, c.crv, r, 1), 1e-13);
        EXPECT_EQ(rec::count(rec::Kind::Enter, "MAPCK6"), 0);
        EXPECT_EQ(rec::count(rec::Kind::Request), c.ncout > 5 ? 1 : 0);
    }
}

TEST_F(CurveOnSurface, CurvedPathsAreApproximated) {
    struct Case {
        const char* name;
        int ndim, nu, nv;
        std::vector<double> crv;
        double ta, tb;
        int order, maxcoef;
        double tol;
    };
    const Case cases[] = {
        {"diagonal beyond MAXCOEF", 3, 6, 6, {0.1, 0.2, 0.5, -0.4}, 0.0, 2.0, 0, 8, 1e-9},
        {"parabola, order 1", 3, 4, 4, {0.0, 0.0, 1.0, 0.5, -0.5, 0.8}, 0.0, 1.5, 1, 10, 1e-10},
        {"cubic, order 2", 3, 5, 3, {0.2, -0.1, 0.8, 0.3, 0.0, 0.9, -0.3, -0.2}, -1.0, 1.0, 2, 14, 1e-11},
        {"cubic in 5D, order -1", 5, 3, 4, {0.2, -0.1, 0.8, 0.3, 0.0, 0.9, -0.3, -0.2}, -1.0, 1.0, -1, 9, 1e-8},
        {"12 components", 12, 3, 3, {0.0, 0.0, 1.0, 0.5, -0.5, 0.8}, 0.0, 1.0, 1, 12, 1e-9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec::reset();
        const Patch p = random_patch(c.ndim, c.nu, c.nv, 5);
        const Traced r = trace(p, c.crv, c.ta, c.tb, c.order, c.maxcoef, c.tol);
        ASSERT_EQ(r.ier, 0);
        EXPECT_EQ(rec::count(rec::Kind::Enter, "MAPCK6"), 0);  // trace level 0
        EXPECT_EQ(r.errtab[0], c.ta);
        EXPECT_EQ(r.errtab[4 * (r.nseg - 1) + 1], c.tb);
        for (int s = 1; s <= r.nseg; ++s) {
            EXPECT_LE(r.ncoef[s - 1], c.maxcoef);
            const double emax = r.errtab[4 * (s - 1) + 2];
            EXPECT_LE(emax, c.tol);
            EXPECT_LE(traced_error(p, c.crv, r, s), emax * 1.05 + 1e-14) << "segment " << s;
            if (s > 1) EXPECT_EQ(r.errtab[4 * (s - 1)], r.errtab[4 * (s - 2) + 1]);
        }
        // Derivatives 0..ORDER of consecutive segments agree at the breakpoints.
        for (int s = 1; s < r.nseg; ++s) {
            const LD t = r.errtab[4 * s];
            for (int d = 0; d <= c.order; ++d)
                for (int k = 1; k <= c.ndim; ++k)
                    EXPECT_NEAR(static_cast<double>(segment(r, s, k, t, d)), static_cast<double>(segment(r, s + 1, k, t, d)),
                                1e-9)
                        << "break " << s << " order " << d;
        }
    }
}

TEST_F(CurveOnSurface, WiderResultRowsAndTraceLines) {
    const Patch p = random_patch(2, 4, 4, 3);
    const std::vector<double> crv = {0.0, 0.0, 1.0, 0.5, -0.5, 0.8};
    const Traced narrow = trace(p, crv, 0.0, 1.0, 1, 10, 1e-10);
    rec::set_level(2);
    const Traced wide = trace(p, crv, 0.0, 1.0, 1, 10, 1e-10, 40, 4);
    ASSERT_EQ(wide.ier, 0);
    ASSERT_EQ(wide.nseg, narrow.nseg);
    for (int s = 1; s <= wide.nseg; ++s)
        for (int i = 0; i < wide.ldcoef; ++i)
            for (int k = 0; k < 4; ++k) {
                const double w = wide.coef[((s - 1) * wide.ldcoef + i) * 4 + k];
                EXPECT_EQ(w, k < 2 ? narrow.coef[((s - 1) * narrow.ldcoef + i) * 2 + k] : 0.0);
            }
    EXPECT_EQ(rec::count(rec::Kind::Enter, "MAPCK5"), 1);
    EXPECT_EQ(rec::count(rec::Kind::Enter, "MAPFNC"), 1);
    EXPECT_EQ(rec::count(rec::Kind::Debug, " Courbe 3D numero "), wide.nseg);
    EXPECT_EQ(rec::count(rec::Kind::Debug, " Degre de la courbe 2D "), 1);
}

TEST_F(CurveOnSurface, RefusalsAndWorkSpace) {
    const Patch p = random_patch(3, 3, 3, 7);
    const std::vector<double> crv = {0.0, 0.0, 1.0, 0.5, -0.5, 0.8};
    EXPECT_EQ(trace(p, crv, 0, 1, 0, 8, 1e-8, 10, 0, 3).ier, 1);  // NDIM2 = 3
    EXPECT_EQ(trace(p, crv, 0, 1, 0, 8, 1e-8, 10, 2).ier, 1);     // NDIMAX < NDIM
    EXPECT_EQ(trace(p, crv, 0, 1, 0, 8, -1.0, 10).ier, 4);        // the approximation refuses the tolerance
    rec::reset();
    rec::fail_request(1);
    EXPECT_EQ(trace(p, crv, 0, 1, 0, 8, 1e-8).ier, 3);
    rec::reset();
    rec::fail_request(2);  // the patch of mapck6
    EXPECT_EQ(trace(p, crv, 0, 1, 0, 8, 1e-8).ier, 4);
    EXPECT_EQ(rec::codes("MAPCK6"), std::vector<int>{2});
    rec::reset();
    rec::fail_release(4);  // the work area of mapck5, released last
    EXPECT_EQ(trace(p, crv, 0, 1, 0, 8, 1e-8).ier, 3);
    rec::reset();
    // The segment limit is a warning: the results are complete.
    const Traced r = trace(p, {0.0, 0.0, 3.0, 2.0, -3.0, 4.0}, 0, 1, 2, 6, 1e-12, 2);
    EXPECT_EQ(r.ier, -1);
    EXPECT_EQ(r.nseg, 2);
    // Outside an approximation mpoeq1 has no curve; a derivative order of 3 is refused.
    const int ndim = 3, d0 = 0, d3 = 3;
    const double t = 0.5, tseg[2] = {0, 1};
    double val[3];
    int ier = 0;
    mpoeq1(&ndim, tseg, &t, &d0, val, &ier);
    EXPECT_EQ(ier, 2);
    ier = 0;
    mpoeq1(&ndim, tseg, &t, &d3, val, &ier);
    EXPECT_EQ(ier, 1);
}

TEST_F(CurveOnSurface, ExactCompositionCodes) {
    const Patch p = random_patch(3, 4, 4, 9, 0);
    const std::vector<double> diag = {0.1, 0.2, 1.0, 1.0}, point = {0.5, 0.5};
    double res[64];
    int ncout = 0, ier = 0;
    auto call = [&](const std::vector<double>& crv, int ndimax, int maxcoef, int nu) {
        const int ncoef2 = static_cast<int>(crv.size()) / 2;
        mequvt(&p.ndim, &p.numax, &p.nvmax, p.c.data(), &nu, &p.nv, &ncoef2, crv.data(), &ndimax, &maxcoef, res,
               &ncout, &ier);
        return ier;
    };
    EXPECT_EQ(call(diag, 3, 0, 4), 1);
    EXPECT_EQ(call(diag, 2, 8, 4), 5);
    EXPECT_EQ(call(diag, 3, 8, 5), 2);
    EXPECT_EQ(call(diag, 3, 6, 4), 1);  // 7 coefficients needed
    EXPECT_EQ(call(diag, 3, 7, 4), 0);
    EXPECT_EQ(ncout, 7);
    rec::reset();
    rec::fail_request(1);
    EXPECT_EQ(call(diag, 3, 7, 4), 3);
    EXPECT_EQ(call(point, 3, 1, 4), 0);
    for (int k = 1; k <= 3; ++k) EXPECT_NEAR(res[k - 1], static_cast<double>(p.eval(k, 0.5L, 0.5L)), 1e-15);
}

}  // namespace
