// The work-space failure sweep: every routine that requests work space, with
// the k-th request (then the k-th release) refused for k = 1, 2, ... until
// the call runs through. Each refusal must give the documented code or the
// documented fall-back (the same results), leave no block in use and
// release only blocks that were granted, once each.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using rec::Kind;
using V = std::vector<double>;

// What a call produced: its code and its numeric results.
struct Outcome {
    int ier = -99;
    V values;
    bool operator==(const Outcome&) const = default;
};

struct Subject {
    const char* name;
    std::function<Outcome()> call;
    std::vector<int> refused_codes;  // the codes of a refused request (when no fall-back applies)
    std::vector<int> release_codes = {10};  // the codes of a refused release
};

bool one_of(int code, const std::vector<int>& codes) { return std::find(codes.begin(), codes.end(), code) != codes.end(); }

// Blocks granted and blocks released, by offset: each released block was
// granted, and released once.
void expect_balanced(const std::string& what) {
    std::vector<std::int64_t> granted, released;
    for (const rec::Event& e : rec::events()) {
        if (e.kind == Kind::Request && e.offset != 0) granted.push_back(e.offset);
        if (e.kind == Kind::Release) released.push_back(e.offset);
    }
    std::sort(granted.begin(), granted.end());
    std::sort(released.begin(), released.end());
    EXPECT_EQ(granted, released) << what << ": blocks granted and released differ";
    EXPECT_EQ(rec::live_blocks(), 0) << what;
}

const V c = ref::from_roots({0.1, 0.35, 0.6, 0.85, 2.5});

// A smooth function of two components for the approximation.
void sweep_function(const int* ndim, const double*, const double* t, const int* ideriv, double* val, int* ier) {
    for (int j = 0; j < *ndim; ++j) {
        const double a = j + 1.5;
        val[j] = std::pow(a, *ideriv) * std::cos(a * *t + *ideriv * 1.5707963267948966);
    }
    *ier = 0;
}

// The routines of the geometry families that request work space.
void add_geometry_subjects(std::vector<Subject>& s) {
    s.push_back({"umcvcv", [] {
                     // Two planar cubics crossing three times: the per-level storage, or one
                     // level of fixed storage when refused (same pairs).
                     int ndim = 2, nc = 4, iopt = 1, nsolmax = 10, nsol = 0;
                     const V c1 = {0, -0.02, 1, 0.3, 0, -1.5, 0, 1}, c2 = {0, 0.01, 1, -0.2, 0, 0.4, 0, -0.3};
                     double a = 0, b = 1;
                     V sol(2 * nsolmax);
                     Outcome o;
                     umcvcv(&ndim, &nc, c1.data(), &a, &b, &nc, c2.data(), &a, &b, &iopt, &nsolmax, &nsol, sol.data(),
                            &o.ier);
                     o.values.assign(sol.begin(), sol.begin() + 2 * nsol);
                     return o;
                 },
                 {},
                 {1}});  // a refused release: the pairs stay, code 1
    s.push_back({"mvtan0", [] {
                     // Four dimensions: the chord test's points come from the work space.
                     int ndim = 4, nc = 3, ideriv = 1, torder = 0, tsense = 0;
                     const V coef = {0, 0, 0, 0, 0, 0, 0, 0, 1, -1, 0.5, 2};
                     double u = 0.25, eps = 1e-12, bounds[2] = {0, 1}, tnorm = 0;
                     V tan(4), dtan(4);
                     Outcome o;
                     mvtan0(&ndim, &nc, coef.data(), &u, &eps, bounds, &ideriv, tan.data(), &tnorm, &torder, &tsense,
                            dtan.data(), &o.ier);
                     o.values = tan;
                     o.values.insert(o.values.end(), dtan.begin(), dtan.end());
                     o.values.push_back(tnorm);
                     o.values.push_back(torder);
                     o.values.push_back(tsense);
                     return o;
                 },
                 {1}});
    s.push_back({"mrs1d0", [] {
                     int n = static_cast<int>(c.size()), nroot = 0, nnoise = 0, nunres = 0;
                     double tint[2] = {0, 1}, epsx = 1e-6, epsf = 1e-12;
                     V roots(n), noise(2 * n), unres(2 * n);
                     Outcome o;
                     mrs1d0(c.data(), &n, tint, &epsx, &epsf, roots.data(), &nroot, noise.data(), &nnoise,
                            unres.data(), &nunres, &o.ier);
                     o.values.assign(roots.begin(), roots.begin() + nroot);
                     return o;
                 },
                 {10}});
    s.push_back({"mbtpnn", [] {
                     // Refused inside the critical points: the coarse bounds, code -10.
                     int n = static_cast<int>(c.size());
                     double tint[2] = {0, 1}, tol = 1e-9, bmax = 0, bmin = 0;
                     Outcome o;
                     mbtpnn(&n, c.data(), tint, &tol, &bmax, &bmin, &o.ier);
                     o.values = {bmin, bmax};
                     return o;
                 },
                 {-10},
                 {-10}});
    s.push_back({"mapfnc", [] {
                     int ndim = 2, nsub = 1, groupdim = 2, order = 1, ld = 14, maxseg = 8, maxcoef = 14, npcode = -5,
                         nseg = 0;
                     double tint[2] = {0, 2}, tol = 1e-8, tout[2] = {-1, 1};
                     std::vector<int> ncoef(maxseg);
                     V coef(ndim * ld * maxseg), tbreak(maxseg + 1), errmax(maxseg), errmean(maxseg);
                     Outcome o;
                     mapfnc(&ndim, &nsub, &groupdim, tint, sweep_function, &order, &ld, &maxseg, &maxcoef, &tol, tout,
                            &npcode, &nseg, ncoef.data(), coef.data(), tbreak.data(), errmax.data(), errmean.data(),
                            &o.ier);
                     o.values = coef;
                     o.values.insert(o.values.end(), tbreak.begin(), tbreak.begin() + nseg + 1);
                     return o;
                 },
                 {13},
                 {13}});
    s.push_back({"mapck5", [] {
                     // A parabola of the parameter plane on a curved patch: the approximation path.
                     int mx = 3, ndim = 3, nu = 3, nv = 3, ndim2 = 2, nc2 = 3, order = 1, maxcoef = 14, ndimax = 3,
                         ld = 14, maxseg = 6, nseg = 0;
                     V surf(27, 0.0);
                     surf[1] = 1;              // x = u
                     surf[9 + 3] = 1;          // y = v
                     surf[18 + 2] = 1;         // z = u^2 + u v^2
                     surf[18 + 1 + 6] = 1;
                     const V crv = {0.1, 0.2, 0.6, 0.5, 0.2, -0.4};
                     double tint[2] = {0, 1}, tol = 1e-7;
                     V coef(ndimax * ld * maxseg), errtab(4 * maxseg);
                     std::vector<int> ncoef(maxseg);
                     Outcome o;
                     mapck5(&mx, &mx, surf.data(), &ndim, &nu, &nv, &ndim2, &nc2, crv.data(), tint, &order, &maxcoef,
                            &tol, &ndimax, &ld, &maxseg, coef.data(), &nseg, ncoef.data(), errtab.data(), &o.ier);
                     o.values = coef;
                     o.values.push_back(nseg);
                     return o;
                 },
                 {3, 4},
                 {3, 4}});
    // The boxes: NDIM of 4 for the inertia work space, many coefficient columns for the
    // Legendre copy, many points for the axis-aligned boxes.
    static const V curves = [] {
        V v(2000);
        for (std::size_t k = 0; k < v.size(); ++k) v[k] = std::sin(0.7 * static_cast<double>(k) + 0.3) / (1 + k % 61);
        return v;
    }();
    s.push_back({"mblcr2", [] {
                     int ncmax = 5, ndim = 4, ncurve = 2, ncoef[2] = {5, 3};
                     V g(4), v(16), ext(4);
                     Outcome o;
                     mblcr2(&ncmax, &ndim, &ncurve, curves.data(), ncoef, g.data(), v.data(), ext.data(), &o.ier);
                     o.values = g;
                     o.values.insert(o.values.end(), ext.begin(), ext.end());
                     return o;
                 },
                 {1}});
    s.push_back({"mblcr1", [] {
                     int ndim = 3, ncmax = 61, ncurve = 3, ncoef[3] = {61, 40, 20};
                     V g(3), v(9), ext(3);
                     Outcome o;
                     mblcr1(&ndim, &ncmax, &ncurve, curves.data(), ncoef, g.data(), v.data(), ext.data(), &o.ier);
                     o.values = g;
                     o.values.insert(o.values.end(), ext.begin(), ext.end());
                     return o;
                 },
                 {1}});
    s.push_back({"mblcr4", [] {
                     int ndim = 3, ncmax = 61, ncurve = 3, ncoef[3] = {61, 40, 20}, iopt = 1;
                     double tint[2] = {0, 1};
                     V g(3), v(9), ext(3);
                     Outcome o;
                     mblcr4(&ndim, &ncmax, &ncurve, curves.data(), ncoef, tint, &iopt, g.data(), v.data(), ext.data(),
                            &o.ier);
                     o.values = g;
                     o.values.insert(o.values.end(), ext.begin(), ext.end());
                     return o;
                 },
                 {1},
                 {200}});
    s.push_back({"mvdrpn", [] {
                     int ncurve = 2, ncoef[2] = {61, 40}, planar = -1;
                     double tol = 1e-3;
                     V g(3), dir(3);
                     Outcome o;
                     mvdrpn(&ncurve, ncoef, curves.data(), &tol, &planar, g.data(), dir.data(), &o.ier);
                     o.values = g;
                     o.values.insert(o.values.end(), dir.begin(), dir.end());
                     o.values.push_back(planar);
                     return o;
                 },
                 {1, 2}});
    s.push_back({"mblbe0", [] {
                     int ndim = 4, ncoef = 120, mode = 2;
                     V box(8);
                     Outcome o;
                     mblbe0(curves.data(), &ndim, &ncoef, &mode, box.data(), &o.ier);
                     o.values = box;
                     return o;
                 },
                 {10}});
    s.push_back({"mblbe1", [] {
                     int ndim = 2, ncmax = 30, nu = 30, nv = 30, mode = 2;
                     V box(4);
                     Outcome o;
                     mblbe1(curves.data(), &ndim, &ncmax, &nu, &nv, &mode, box.data(), &o.ier);
                     o.values = box;
                     return o;
                 },
                 {10}});
}

std::vector<Subject> subjects() {
    std::vector<Subject> s;
    s.push_back({"ur1pls", [] {
                     int n = static_cast<int>(c.size()), nroot = 0;
                     double a = 0, b = 1;
                     Outcome o;
                     V root(n - 1), aux(n - 1);
                     ur1pls(&n, c.data(), &a, &b, &nroot, root.data(), aux.data(), &o.ier);
                     o.values.assign(root.begin(), root.begin() + nroot);
                     return o;
                 },
                 {10}});
    s.push_back({"mmrs1d", [] {
                     int eight = 8, ncmax = 61, n = static_cast<int>(c.size()), nroot = 0;
                     double a = 0, b = 1, epsf = 1e-9;
                     V work(610), root(n - 1);
                     char status[4];
                     Outcome o;
                     mmrs1d(&eight, &ncmax, &n, c.data(), c.data(), &a, &b, &epsf, &nroot, root.data(), work.data(),
                            status, &o.ier, 4);
                     o.values.assign(root.begin(), root.begin() + nroot);
                     return o;
                 },
                 {-1}});  // no code of its own: one level of storage in the caller's area
    s.push_back({"pcvint", [] {
                     // A 3D curve whose height above z = 0 is c(t).
                     int ndim = 3, ncoef = static_cast<int>(c.size());
                     V coef(3 * ncoef, 0.0), work(3 * ncoef), sol(ncoef);
                     for (int k = 0; k < ncoef; ++k) coef[3 * k + 2] = c[k];
                     coef[3] = 1.0;
                     double normal[3] = {0, 0, 2}, point[3] = {0, 0, 0}, tref = 0.5, tnear = -1;
                     int nsol = 0;
                     Outcome o;
                     pcvint(&ndim, &ncoef, coef.data(), normal, point, work.data(), &tref, &tnear, &nsol, sol.data(),
                            &o.ier);
                     o.values.assign(sol.begin(), sol.begin() + (o.ier == 0 ? nsol : 0));
                     o.values.push_back(tnear);
                     return o;
                 },
                 {10}});
    add_geometry_subjects(s);
    return s;
}

class WorkSpaceSweep : public testing_support::Recorded {};

TEST_F(WorkSpaceSweep, EveryRequestRefusedInTurn) {
    for (const Subject& s : subjects()) {
        rec::reset();
        const Outcome full = s.call();
        const int requests = rec::count(Kind::Request);
        ASSERT_GE(requests, 1) << s.name << " makes no request";
        ASSERT_EQ(full.ier, 0) << s.name;
        for (int k = 1;; ++k) {
            rec::reset();
            rec::fail_request(k);
            const Outcome o = s.call();
            const std::string what = std::string(s.name) + ", request " + std::to_string(k) + " refused";
            expect_balanced(what);
            if (rec::count(Kind::Request) < k) {  // ran through: nothing was refused
                EXPECT_EQ(o, full) << what;
                break;
            }
            // The documented code, or the fall-back that gives the same results.
            EXPECT_TRUE(one_of(o.ier, s.refused_codes) || o == full) << what << ": code " << o.ier;
            ASSERT_LE(k, 8) << s.name << " keeps requesting";
        }
    }
}

TEST_F(WorkSpaceSweep, EveryReleaseRefusedInTurn) {
    for (const Subject& s : subjects()) {
        rec::reset();
        const Outcome full = s.call();
        const int releases = rec::count(Kind::Release);
        for (int k = 1; k <= releases; ++k) {
            rec::reset();
            rec::fail_release(k);
            const Outcome o = s.call();
            const std::string what = std::string(s.name) + ", release " + std::to_string(k) + " refused";
            // The recorder frees a refused block all the same: balance holds.
            expect_balanced(what);
            // A failed release turns success into the routine's code; the results stay.
            EXPECT_TRUE(one_of(o.ier, s.release_codes)) << what << ": code " << o.ier;
        }
    }
}

}  // namespace
