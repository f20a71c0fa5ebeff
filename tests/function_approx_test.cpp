// Function approximation: the generated tables against Boost.Math, the
// driver on functions of known behaviour (errors sampled densely in long
// double, continuity at every breakpoint), bad input and the debug mode.
#include <boost/math/special_functions/jacobi.hpp>
#include <boost/math/special_functions/legendre.hpp>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using LD = long double;
using testing_support::Recorded;

// ---- The function handed to the driver -------------------------------------

// F and its derivatives in long double: fn(t, k, out) fills out[0..ndim-1].
using Fn = std::function<void(LD t, int k, LD* out)>;
const Fn* g_fn = nullptr;
int g_fail_code = 0;        // code FUNC returns once g_calls reaches g_fail_after
int g_fail_after = -1;
int g_calls = 0;

void func(const int* ndim, const double*, const double* t, const int* ideriv, double* val, int* ier) {
    if (g_fail_after >= 0 && g_calls++ >= g_fail_after) {
        *ier = g_fail_code;
        return;
    }
    LD out[16];
    (*g_fn)(*t, *ideriv, out);
    for (int j = 0; j < *ndim; ++j) val[j] = static_cast<double>(out[j]);
}

struct Request {
    Fn fn;
    int ndim = 1;
    std::vector<int> groups{1};
    std::vector<double> tol{1e-10};
    double a = 0.0, b = 1.0;
    double tout[2] = {0.0, 1.0};
    int order = 0, maxcoef = 14, ldcoef = 14, maxseg = 64, npcode = -5;
    std::vector<double> cuts;  // mapfnc1 when not empty
};

struct Result {
    int ier = 0, nseg = 0;
    std::vector<int> ncoef;
    std::vector<double> coef, tbreak, errmax, errmean;
};

Result approximate(const Request& q) {
    g_fn = &q.fn;
    Result r;
    const int nsub = static_cast<int>(q.groups.size());
    r.ncoef.assign(q.maxseg > 0 ? q.maxseg : 1, -7);
    r.coef.assign(static_cast<std::size_t>(q.ndim) * q.ldcoef * std::max(q.maxseg, 1), 99.0);
    r.tbreak.assign(std::max(q.maxseg, 1) + 1, 0.0);
    r.errmax.assign(static_cast<std::size_t>(nsub) * std::max(q.maxseg, 1), -1.0);
    r.errmean = r.errmax;
    const double tint[2] = {q.a, q.b};
    if (q.cuts.empty()) {
        mapfnc(&q.ndim, &nsub, q.groups.data(), tint, func, &q.order, &q.ldcoef, &q.maxseg, &q.maxcoef, q.tol.data(),
               q.tout, &q.npcode, &r.nseg, r.ncoef.data(), r.coef.data(), r.tbreak.data(), r.errmax.data(),
               r.errmean.data(), &r.ier);
    } else {
        const int ncut = static_cast<int>(q.cuts.size());
        mapfnc1(&q.ndim, &nsub, q.groups.data(), tint, &ncut, q.cuts.data(), func, &q.order, &q.ldcoef, &q.maxseg,
                &q.maxcoef, q.tol.data(), q.tout, &q.npcode, &r.nseg, r.ncoef.data(), r.coef.data(),
                r.tbreak.data(), r.errmax.data(), r.errmean.data(), &r.ier);
    }
    return r;
}

// Derivative K of component J of segment S at t, in long double.
LD segment_value(const Request& q, const Result& r, int s, int j, LD t, int k = 0) {
    const LD t0 = r.tbreak[s - 1], t1 = r.tbreak[s];
    const LD scale = (static_cast<LD>(q.tout[1]) - q.tout[0]) / (t1 - t0);
    const LD v = q.tout[0] + (t - t0) * scale;
    const int n = r.ncoef[s - 1];
    const double* c = r.coef.data() + static_cast<std::size_t>(s - 1) * q.ndim * q.ldcoef;
    LD p = 0;
    for (int i = n - 1; i >= k; --i) {
        LD f = 1;
        for (int m = 0; m < k; ++m) f *= i - m;
        p = p * v + f * c[static_cast<std::size_t>(i) * q.ndim + j];
    }
    for (int m = 0; m < k; ++m) p *= scale;
    return p;
}

// Largest error of group G on segment S, over 2000 points.
LD sampled_error(const Request& q, const Result& r, int s, int g) {
    int first = 0;
    for (int i = 0; i < g; ++i) first += q.groups[i];
    LD worst = 0, f[16];
    const LD t0 = r.tbreak[s - 1], t1 = r.tbreak[s];
    for (int i = 0; i <= 2000; ++i) {
        const LD t = t0 + (t1 - t0) * i / 2000;
        q.fn(t, 0, f);
        LD e2 = 0;
        for (int j = first; j < first + q.groups[g]; ++j) {
            const LD d = segment_value(q, r, s, j, t) - f[j];
            e2 += d * d;
        }
        worst = std::max(worst, std::sqrt(e2));
    }
    return worst;
}

// Every segment within its group tolerances and within its reported bound.
void expect_within(const Request& q, const Result& r, double slack = 1e-13) {
    const int nsub = static_cast<int>(q.groups.size());
    for (int s = 1; s <= r.nseg; ++s)
        for (int g = 0; g < nsub; ++g) {
            const LD e = sampled_error(q, r, s, g);
            const double bound = r.errmax[(s - 1) * nsub + g];
            EXPECT_LE(bound, q.tol[g]) << "segment " << s << " group " << g;
            EXPECT_LE(e, bound * 1.05 + slack) << "segment " << s << " group " << g;
            EXPECT_LE(r.errmean[(s - 1) * nsub + g], bound + slack);
        }
}

// Derivatives 0..ORDER of consecutive segments agree at every breakpoint.
void expect_continuity(const Request& q, const Result& r, double tol) {
    for (int s = 1; s < r.nseg; ++s) {
        const LD t = r.tbreak[s];
        LD f[16];
        for (int k = 0; k <= q.order; ++k) {
            q.fn(t, k, f);
            for (int j = 0; j < q.ndim; ++j) {
                const LD left = segment_value(q, r, s, j, t, k), right = segment_value(q, r, s + 1, j, t, k);
                const LD scale = 1 + std::fabs(f[j]);
                EXPECT_NEAR(static_cast<double>(left), static_cast<double>(right), tol * scale) << "break " << s << " order " << k;
                EXPECT_NEAR(static_cast<double>(left), static_cast<double>(f[j]), tol * scale) << "break " << s << " order " << k;
            }
        }
    }
}

// Breakpoints are dyadic subdivisions of [a, b].
void expect_dyadic(const Request& q, const Result& r) {
    for (int s = 0; s <= r.nseg; ++s) {
        const LD x = (r.tbreak[s] - static_cast<LD>(q.a)) / (static_cast<LD>(q.b) - q.a) * (1 << 20);
        EXPECT_NEAR(static_cast<double>(x), std::round(static_cast<double>(x)), 1e-6) << "break " << s;
    }
    EXPECT_EQ(r.tbreak[0], q.a);
    EXPECT_EQ(r.tbreak[r.nseg], q.b);
}

Fn sine(LD w) {
    return [w](LD t, int k, LD* o) { o[0] = std::pow(w, static_cast<LD>(k)) * std::sin(w * t + k * 1.5707963267948966192313216916397514L); };
}
Fn exponential() {
    return [](LD t, int, LD* o) { o[0] = std::exp(t); };
}

class FunctionApprox : public Recorded {};

// ---- Tables ------------------------------------------------------------------

// Orthonormal Jacobi J_n for the weight (1-u^2)^a from Boost's unnormalised P_n^(a,a).
LD boost_orthonormal(int a, int n, LD u) {
    const LD h = std::pow(2.0L, 2 * a + 1) / (2 * n + 2 * a + 1) * std::tgamma(n + a + 1.0L) *
                 std::tgamma(n + a + 1.0L) / (std::tgamma(n + 2 * a + 1.0L) * std::tgamma(n + 1.0L));
    return boost::math::jacobi(static_cast<unsigned>(n), static_cast<LD>(a), static_cast<LD>(a), u) / std::sqrt(h);
}
// The basis function at position K + 1 + n for order R.
LD boost_basis(int r, int n, LD u) {
    if (r < 0) return std::sqrt((2 * n + 1) / 2.0L) * boost::math::legendre_p(n, u);
    return std::pow(1 - u * u, static_cast<LD>(r + 1)) * boost_orthonormal(2 * r + 2, n, u);
}

TEST_F(FunctionApprox, PowerCoefficientsMatchBoost) {
    for (int r = -1; r <= 2; ++r) {
        const int k = r < 0 ? 0 : 2 * r + 2;
        for (int n = 0; k + n <= 40; ++n) {
            const int ndeg = k + n;
            std::vector<double> cmp(ndeg + 1, 0.0), can(ndeg + 1);
            // The unit coefficient at position ndeg + 1 sits in the odd or even half.
            const int ne = ndeg / 2 + 1;
            cmp[ndeg % 2 == 0 ? ndeg / 2 : ne + (ndeg - 1) / 2] = 1.0;
            mjacan(&r, &ndeg, cmp.data(), can.data());
            for (LD u : {-0.93L, -0.4L, 0.1L, 0.55L, 0.999L}) {
                LD p = 0, mag = 0;
                for (int i = ndeg; i >= 0; --i) {
                    p = p * u + can[i];
                    mag = mag * std::fabs(u) + std::fabs(can[i]);
                }
                EXPECT_NEAR(static_cast<double>(p), static_cast<double>(boost_basis(r, n, u)), 1e-14 * static_cast<double>(mag))
                    << "r " << r << " n " << n;
            }
        }
    }
    // The first constant terms of the normalised Legendre polynomials.
    const int r = -1, ndeg = 4;
    for (int pos : {0, 1, 2}) {
        double cmp[5] = {}, can[5];
        cmp[pos] = 1.0;
        mjacan(&r, &ndeg, cmp, can);
        const double expect[3] = {0.7071067811865476, -0.7905694150420949, 0.795495128834866};
        EXPECT_NEAR(can[0], expect[pos], 1e-15);
    }
}

TEST_F(FunctionApprox, BasisMaximaMatchDenseSampling) {
    // The truncation bound of a single unit coefficient is the basis maximum.
    auto maximum = [](int r, int p) {
        const int nc = p, ndimg = 1;
        std::vector<double> c(p, 0.0);
        c[p - 1] = 1.0;
        double ymax, e;
        int nkeep;
        const double tol = 1e300;
        mtrpjj(&nc, &ndimg, &nc, &tol, &r, c.data(), &ymax, &e, &nkeep);
        return e;
    };
    // Stored first entries: double for R = 0, single precision for R = 1 and 2.
    const double r0[] = {0.9682458365518543, 0.9860132971832694, 1.0781042034373987, 1.1732580449092005};
    for (int n = 0; n < 4; ++n) EXPECT_NEAR(maximum(0, 3 + n), r0[n], 1e-14);
    EXPECT_NEAR(maximum(1, 5), 1.1092649698257446, 1e-7);
    EXPECT_NEAR(maximum(2, 7), 1.2109123468399048, 1e-7);
    for (int r = -1; r <= 2; ++r) {
        const int k = r < 0 ? 0 : 2 * r + 2;
        for (int n = r < 0 ? 1 : 0; k + n + 1 <= 30; n += 4) {  // position 1 is never truncated
            // A grid in theta (u = cos theta) over half the range (|b_n| is even), then a fine grid
            // around its best point.
            auto at = [&](LD th) { return std::fabs(boost_basis(r, n, std::cos(th))); };
            const LD half_pi = 1.5707963267948966192313216916397514L;
            const int g = 4000;
            int best = 0;
            for (int i = 1; i <= g; ++i)
                if (at(half_pi * i / g) > at(half_pi * best / g)) best = i;
            // Zoom in: each pass keeps the best of 200 points over four steps of the previous one.
            LD centre = half_pi * best / g, width = half_pi / g, m = 0;
            for (int pass = 0; pass < 6; ++pass) {
                LD next = centre;
                for (int i = -100; i <= 100; ++i) {
                    const LD th = centre + width * i / 50;
                    if (at(th) > m) {
                        m = at(th);
                        next = th;
                    }
                }
                centre = next;
                width /= 50;
            }
            const double got = maximum(r, k + n + 1);
            const double tol = r <= 0 ? 1e-14 : 1e-7;  // single precision for orders 1 and 2
            EXPECT_NEAR(got, static_cast<double>(m), tol * static_cast<double>(m)) << r << " " << n;
        }
    }
}

TEST_F(FunctionApprox, WeightedValuesMatchBoost) {
    for (int npts : {8, 10, 15, 20, 25, 30, 40, 50, 61}) {
        std::vector<double> x(npts), w(npts);
        mextrl(&npts, x.data());
        mexthi(&npts, w.data());
        const int rows = (npts + 1) / 2;
        for (int r = -1; r <= 2; ++r) {
            const int k = r < 0 ? 0 : 2 * r + 2, ndjac = npts - 1;
            std::vector<double> pt(static_cast<std::size_t>(rows) * (ndjac - k + 1));
            int ier = -5;
            mapptt(&ndjac, &npts, &r, pt.data(), &ier);
            ASSERT_EQ(ier, 0);
            for (int n = 0; n <= ndjac - k; n += 5)
                for (int row = 0; row < rows; ++row) {
                    // Positive nodes increasing: node npts - half + row of the full rule; then the centre.
                    const int at = row < npts / 2 ? npts - npts / 2 + row : npts / 2;
                    const LD expect = static_cast<LD>(w[at]) * boost_basis(r, n, x[at]);
                    const double got = pt[static_cast<std::size_t>(n) * rows + row];
                    EXPECT_NEAR(got, static_cast<double>(expect), 1e-14 * std::max(1.0L, std::fabs(expect)))
                        << npts << " " << r << " " << n << " " << row;
                }
        }
    }
    int ier = 0, npts = 12, r = 0, ndjac = 5;
    double pt[64];
    mapptt(&ndjac, &npts, &r, pt, &ier);
    EXPECT_EQ(ier, 11);
    npts = 15;
    r = 3;
    mapptt(&ndjac, &npts, &r, pt, &ier);
    EXPECT_EQ(ier, 21);
    r = 2;
    ndjac = 5;
    mapptt(&ndjac, &npts, &r, pt, &ier);
    EXPECT_EQ(ier, 31);
}

// ---- Driver --------------------------------------------------------------------

TEST_F(FunctionApprox, PolynomialsReproducedWithMinimalCoefficients) {
    // A cubic in 2D: one segment, 4 coefficients, the polynomial itself on TOUT = TINT.
    const double c[2][4] = {{1.0, -2.0, 0.5, 3.0}, {-0.25, 1.5, -1.0, 0.75}};
    for (int order = -1; order <= 2; ++order) {
        Request q;
        q.ndim = 2;
        q.groups = {2};
        q.tol = {1e-9};
        q.order = order;
        q.maxcoef = 10;
        q.ldcoef = 12;
        q.a = q.tout[0] = -0.5;
        q.b = q.tout[1] = 2.0;
        q.fn = [&](LD t, int k, LD* o) {
            for (int j = 0; j < 2; ++j) {
                LD p = 0;
                for (int i = 3; i >= k; --i) {
                    LD f = 1;
                    for (int m = 0; m < k; ++m) f *= i - m;
                    p = p * t + f * c[j][i];
                }
                o[j] = p;
            }
        };
        const Result r = approximate(q);
        ASSERT_EQ(r.ier, 0) << order;
        ASSERT_EQ(r.nseg, 1);
        EXPECT_EQ(r.ncoef[0], 4) << order;
        for (int i = 0; i < 12; ++i)
            for (int j = 0; j < 2; ++j)
                EXPECT_NEAR(r.coef[i * 2 + j], i < 4 ? c[j][i] : 0.0, 1e-13) << "order " << order << " coef " << i;
        EXPECT_LT(r.errmax[0], 1e-12);
    }
    // A constant group keeps one coefficient even with end conditions.
    Request q;
    q.order = 2;
    q.fn = [](LD, int k, LD* o) { o[0] = k == 0 ? 2.5L : 0.0L; };
    const Result r = approximate(q);
    ASSERT_EQ(r.ier, 0);
    EXPECT_EQ(r.ncoef[0], 1);
    EXPECT_DOUBLE_EQ(r.coef[0], 2.5);
}

TEST_F(FunctionApprox, SmoothFunctionsOnLongIntervals) {
    struct Case {
        const char* name;
        Fn fn;
        double a, b, tol;
        int order, maxcoef, npcode;
    };
    const Case cases[] = {
        {"sin order -1", sine(1), 0.0, 20.0, 1e-10, -1, 14, -5},
        {"sin order 1", sine(1), 0.0, 20.0, 1e-10, 1, 12, 1},
        {"sin 5t order 2", sine(5), -3.0, 4.0, 1e-8, 2, 14, -2},
        {"exp order 0", exponential(), 0.0, 10.0, 1e-7, 0, 10, 2},
        {"exp order -1 few coefficients", exponential(), -2.0, 3.0, 1e-6, -1, 5, 4},
        {"exp on a reversed interval, order 2", exponential(), 6.0, -1.0, 1e-10, 2, 14, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Request q;
        q.fn = c.fn;
        q.a = c.a;
        q.b = c.b;
        q.tol = {c.tol};
        q.order = c.order;
        q.maxcoef = c.maxcoef;
        q.npcode = c.npcode;
        q.tout[0] = 0.0;
        q.tout[1] = 1.0;
        const Result r = approximate(q);
        ASSERT_EQ(r.ier, 0);
        EXPECT_GT(r.nseg, 1);
        for (int s = 0; s < r.nseg; ++s) EXPECT_LE(r.ncoef[s], c.maxcoef);
        expect_within(q, r, 1e-13 * std::exp(std::max(std::fabs(c.a), std::fabs(c.b))) / 1e3 + 1e-13);
        expect_dyadic(q, r);
        if (c.order >= 0) expect_continuity(q, r, c.order == 0 ? 1e-12 : 1e-9);
    }
}

TEST_F(FunctionApprox, KinkForcesCuttingAndPreferredCuts) {
    Request q;
    q.fn = [](LD t, int k, LD* o) { o[0] = k == 0 ? std::fabs(t - 0.3L) : (t > 0.3L ? 1.0L : -1.0L); };
    q.a = -1.0;
    q.b = 1.0;
    q.tol = {1e-4};
    q.order = 0;
    q.maxseg = 200;
    Result r = approximate(q);
    ASSERT_EQ(r.ier, 0);
    EXPECT_GT(r.nseg, 4);
    expect_within(q, r, 1e-15);
    expect_dyadic(q, r);
    expect_continuity(q, r, 1e-13);
    // Cut at the kink: two segments, each reproduced exactly.
    q.cuts = {-1.0, 0.3, 1.0};
    r = approximate(q);
    ASSERT_EQ(r.ier, 0);
    ASSERT_EQ(r.nseg, 2);
    EXPECT_EQ(r.tbreak[1], 0.3);
    EXPECT_EQ(r.ncoef[0], 2);
    EXPECT_EQ(r.ncoef[1], 2);
    expect_within(q, r, 1e-15);
}

TEST_F(FunctionApprox, GroupsWithTolerancesOrdersApart) {
    Request q;
    q.ndim = 3;
    q.groups = {1, 2};
    q.tol = {1e-3, 1e-11};
    q.a = 0.0;
    q.b = 4.0;
    q.order = 1;
    q.fn = [](LD t, int k, LD* o) {
        const LD e = std::exp(t / 4), c = std::cos(3 * t), s = std::sin(3 * t);
        o[0] = e / std::pow(4.0L, static_cast<LD>(k));
        o[1] = k == 0 ? c : (k == 1 ? -3 * s : -9 * c);
        o[2] = k == 0 ? s : (k == 1 ? 3 * c : -9 * s);
    };
    const Result r = approximate(q);
    ASSERT_EQ(r.ier, 0);
    expect_within(q, r);
    expect_continuity(q, r, 1e-9);
    // The loose group keeps fewer coefficients: its dropped positions are zero
    // in every segment where the tight group needs more.
    for (int s = 0; s < r.nseg; ++s) {
        EXPECT_GT(r.errmax[s * 2], 1e-9);  // the loose group uses its room
        EXPECT_LE(r.errmax[s * 2], 1e-3);
    }
}

TEST_F(FunctionApprox, SegmentLimitAcceptsBeyondTolerance) {
    Request q;
    q.fn = sine(30);
    q.a = 0.0;
    q.b = 3.0;
    q.maxseg = 1;
    q.maxcoef = 8;
    q.order = -1;
    const Result r = approximate(q);
    EXPECT_EQ(r.ier, -1);
    EXPECT_EQ(r.nseg, 1);
    EXPECT_EQ(r.ncoef[0], 8);
    EXPECT_GT(r.errmax[0], 1e-10);
    EXPECT_GT(sampled_error(q, r, 1, 0), 1e-10);
    EXPECT_EQ(rec::codes("MAPFNC"), std::vector<int>{-1});
    // MAXCOEF above 14 is 14.
    Request a, b;
    a.fn = b.fn = sine(40);
    a.b = b.b = 2.0;
    a.maxcoef = 20;
    a.ldcoef = b.ldcoef = 20;
    b.maxcoef = 14;
    const Result ra = approximate(a), rb = approximate(b);
    EXPECT_EQ(ra.nseg, rb.nseg);
    EXPECT_EQ(ra.coef, rb.coef);
}

TEST_F(FunctionApprox, BadInputIsRefused) {
    struct Case {
        const char* name;
        std::function<void(Request&)> edit;
        int ier;
    };
    const Case cases[] = {
        {"zero tolerance", [](Request& q) { q.tol = {0.0}; }, 1},
        {"negative tolerance", [](Request& q) { q.tol = {-1e-6}; }, 1},
        {"NaN tolerance", [](Request& q) { q.tol = {NAN}; }, 1},
        {"empty interval", [](Request& q) { q.b = q.a; }, 1},
        {"empty output interval", [](Request& q) { q.tout[1] = q.tout[0]; }, 1},
        {"order 3", [](Request& q) { q.order = 3; }, 1},
        {"order -2", [](Request& q) { q.order = -2; }, 1},
        {"MAXCOEF beyond LDCOEF", [](Request& q) { q.ldcoef = 6; q.maxcoef = 7; }, 1},
        {"MAXCOEF below the end conditions", [](Request& q) { q.order = 2; q.maxcoef = 5; }, 1},
        {"NPCODE 0", [](Request& q) { q.npcode = 0; }, 1},
        {"NPCODE 5", [](Request& q) { q.npcode = 5; }, 1},
        {"groups not adding up", [](Request& q) { q.groups = {2}; }, 1},
        {"no segment", [](Request& q) { q.maxseg = 0; }, 1},
        {"one cut", [](Request& q) { q.cuts = {0.0}; }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec::reset();
        Request q;
        q.fn = sine(1);
        c.edit(q);
        const Result r = approximate(q);
        EXPECT_EQ(r.ier, c.ier);
        EXPECT_EQ(rec::count(rec::Kind::Request), 0);
        EXPECT_EQ(rec::codes(q.cuts.empty() ? "MAPFNC" : "MAPFNC1"), std::vector<int>{c.ier});
    }
    int npts, ndjac, ier;
    const int order = 0, maxcoef = 14, npcode = 0;
    ma1nbp(&order, &maxcoef, &npcode, &npts, &ndjac, &ier);
    EXPECT_EQ(ier, 3);
    const int bad_order = 5;
    ma1nbp(&bad_order, &maxcoef, &npcode, &npts, &ndjac, &ier);
    EXPECT_EQ(ier, 2);
    const int code1 = 1, big = 55;
    ma1nbp(&order, &big, &code1, &npts, &ndjac, &ier);
    EXPECT_EQ(ier, 1);  // NDJAC 63: no rule above it
    ma1nbp(&order, &maxcoef, &code1, &npts, &ndjac, &ier);
    EXPECT_EQ(ier, 0);
    EXPECT_EQ(ndjac, 22);
    EXPECT_EQ(npts, 32);  // 30 points, plus 2 with end conditions
}

TEST_F(FunctionApprox, FunctionFailuresAndWorkSpace) {
    Request q;
    q.fn = sine(20);
    q.b = 3.0;
    q.order = 1;
    const Result full = approximate(q);
    ASSERT_EQ(full.ier, 0);
    ASSERT_GT(full.nseg, 2);
    for (int after : {0, 5, 200}) {
        SCOPED_TRACE(after);
        rec::reset();
        g_fail_after = after;
        g_fail_code = 7;
        g_calls = 0;
        const Result r = approximate(q);
        g_fail_after = -1;
        EXPECT_EQ(r.ier, 107);
        EXPECT_EQ(rec::codes("MAPFNC"), std::vector<int>{107});
        EXPECT_EQ(rec::live_blocks(), 0);
        for (int s = 1; s <= r.nseg; ++s) EXPECT_EQ(r.tbreak[s], full.tbreak[s]);
    }
    // Not a number: the bound is never met; the segments run out and are kept.
    q.fn = [](LD, int, LD* o) { o[0] = NAN; };
    q.maxseg = 9;
    Result r = approximate(q);
    EXPECT_EQ(r.ier, -1);
    EXPECT_EQ(r.nseg, 9);
    // Work area refused, release failed.
    q.fn = sine(1);
    rec::reset();
    rec::fail_request(1);
    r = approximate(q);
    EXPECT_EQ(r.ier, 13);
    rec::reset();
    rec::fail_release(1);
    r = approximate(q);
    EXPECT_EQ(r.ier, 13);
    EXPECT_EQ(rec::codes("MAPFNC"), std::vector<int>{13});
}

TEST_F(FunctionApprox, DebugVerificationOfEndDerivatives) {
    Request q;
    q.fn = sine(2);
    q.b = 2.0;
    q.order = 1;
    rec::set_debug_option(1);
    Result r = approximate(q);
    EXPECT_EQ(r.ier, 0);
    std::string out = rec::print_output();
    EXPECT_NE(out.find(" DEBUG AB : F(t) : Ordre des contr. verifiees 1"), std::string::npos) << out;
    EXPECT_EQ(out.find("INCORRECT"), std::string::npos) << out;
    // A wrong first derivative is caught at both ends, with the values at verbosity 2.
    double rp[3];
    int ip[2], ier;
    mapirw("DEFT", rp, ip, &ier, 4);
    ip[1] = 2;
    mapirw("SAUV", rp, ip, &ier, 4);
    q.fn = [](LD t, int k, LD* o) { o[0] = k == 0 ? std::sin(2 * t) : 5.0L; };
    rec::reset();
    rec::set_debug_option(1);
    r = approximate(q);
    out = rec::print_output();
    EXPECT_NE(out.find(" Verification en a ="), std::string::npos) << out;
    EXPECT_NE(out.find(" Verification en b ="), std::string::npos) << out;
    EXPECT_NE(out.find(" Resultat INCORRECT  pour la composante 1"), std::string::npos);
    EXPECT_NE(out.find(" Calcul par diff. finies :"), std::string::npos);
    // Order 0 has nothing to verify; with the option off nothing is written.
    q.order = 0;
    rec::reset();
    rec::set_debug_option(1);
    approximate(q);
    EXPECT_NE(rec::print_output().find(" DEBUG AB : F(t) : Pas de verif; contr. C-1,C0"), std::string::npos);
    rec::reset();
    approximate(q);
    EXPECT_EQ(rec::print_output(), "");
    // The saved parameters; an unknown mode.
    mapirw("LECT", rp, ip, &ier, 4);
    EXPECT_EQ(ip[1], 2);
    EXPECT_EQ(rp[0], static_cast<double>(0.01f));
    mapirw("XXXX", rp, ip, &ier, 4);
    EXPECT_EQ(ier, 1);
    EXPECT_TRUE(rec::codes("MAPIRW").empty());
    rec::set_level(2);
    mapirw("DEFT", rp, ip, &ier, 4);
    EXPECT_EQ(rec::codes("MAPIRW"), std::vector<int>{0});
    ip[1] = 1;
    mapirw("SAUV", rp, ip, &ier, 4);
}

}  // namespace
