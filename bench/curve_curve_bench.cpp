// Curve/curve intersection (umcvcv, all intersections) next to its peers in
// the same run:
//   lib2geom: find_intersections on D2<Bezier>, precision 1e-10;
//   SISL:     s1857 on the curves as Bezier splines (newCurve), epsge 1e-9.
// The curves are handed to every solver in canonical form; the peers'
// conversions to the Bernstein basis are inside their timed loops.
//
// Sets: planar cubic pairs with k = 1..9 crossings, quintic pairs with up
// to 21, cubic pairs with one interior tangency, cubic pairs meeting at end
// points (transversally or tangentially), and space cubic pairs (rotated
// coplanar pairs and skew pairs). The reference crossings of the random
// sets come from long-double polylines of 1024 segments refined by a
// long-double Newton iteration; pairs whose crossings are closer than 1e-3
// in parameter or meet at a small angle are not used. The constructed sets
// know their crossings exactly.
//
// Each benchmark reports, over its set: missed (reference crossings with no
// pair within 1e-6, 1e-4 for tangencies), extra (pairs matching no crossing,
// repeats included), err (largest parameter error of the matched pairs) and
// tangent_err (the same for the tangential contacts).
#include <benchmark/benchmark.h>
#include <sisl.h>

#include <2geom/basic-intersection.h>
#include <2geom/bezier.h>
#include <2geom/d2.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "VelCurveBasedMathematics.h"
#include "tests/support/reference.hpp"

extern "C" {
void aermsg(const char*, const int*, long) {}
void germsg(const char*, long) {}
}

namespace {

using Vec = std::vector<double>;
using LD = long double;

void set_tolerances() {
    int ip[21] = {}, ier;
    double rp[22] = {};
    rp[11] = 1e-9;   // EPS1
    rp[12] = 1e-10;  // EPSNR
    rp[13] = 1e-14;  // EPSPB
    rp[14] = 1e-9;   // EPSPB2
    ip[9] = 100;     // NITNR
    ip[10] = 50;
    mcxcom(nullptr, ip, rp, &ier);
}

struct Pair {
    int ndim = 2, n = 4;
    Vec c1, c2;    // canonical COEF(NDIM, N)
    Vec want;      // reference crossings (t1, t2)
    bool tangent = false;
};

// ---- Curves -------------------------------------------------------------------------

LD binom(int n, int k) {
    LD r = 1;
    for (int i = 1; i <= k; ++i) r = r * (n - k + i) / i;
    return r;
}

// Canonical coefficients of the Bezier curve with control points P(NDIM, N).
Vec to_canonical(int ndim, const Vec& p) {
    const int n = static_cast<int>(p.size()) / ndim, m = n - 1;
    Vec c(p.size(), 0.0);
    for (int d = 0; d < ndim; ++d)
        for (int j = 0; j <= m; ++j) {
            LD s = 0;
            for (int i = 0; i <= j; ++i) s += ((j - i) % 2 ? -1 : 1) * binom(j, i) * p[ndim * i + d];
            c[ndim * j + d] = static_cast<double>(binom(m, j) * s);
        }
    return c;
}

// Control points of the canonical curve C(NDIM, N), for the peers (timed).
void to_bezier(int ndim, int n, const double* c, double* p) {
    static const auto table = [] {
        std::vector<std::vector<double>> t(22, std::vector<double>(22 * 22, 0.0));
        for (int deg = 0; deg <= 20; ++deg)
            for (int k = 0; k <= deg; ++k)
                for (int j = 0; j <= k; ++j)
                    t[deg][k * 22 + j] = static_cast<double>(binom(k, j) / binom(deg, j));
        return t;
    }();
    const double* w = table[n - 1].data();
    for (int k = 0; k < n; ++k)
        for (int d = 0; d < ndim; ++d) {
            double s = 0;
            for (int j = 0; j <= k; ++j) s += w[k * 22 + j] * c[ndim * j + d];
            p[ndim * k + d] = s;
        }
}

void eval(int ndim, int n, const Vec& c, LD t, LD* p, LD* dp = nullptr) {
    for (int d = 0; d < ndim; ++d) {
        LD s = 0, ds = 0;
        for (int j = n - 1; j >= 0; --j) {
            ds = ds * t + s;
            s = s * t + c[ndim * j + d];
        }
        p[d] = s;
        if (dp) dp[d] = ds;
    }
}

// Long-double Newton on C1(t) = C2(u) in the plane of the first two
// coordinates (the reference sets' crossings are transversal there).
bool polish(const Pair& pr, LD& t, LD& u) {
    for (int it = 0; it < 60; ++it) {
        LD p[3], q[3], dp[3], dq[3];
        eval(pr.ndim, pr.n, pr.c1, t, p, dp);
        eval(pr.ndim, pr.n, pr.c2, u, q, dq);
        const LD fx = p[0] - q[0], fy = p[1] - q[1];
        const LD det = -dp[0] * dq[1] + dq[0] * dp[1];
        if (det == 0) return false;
        const LD st = (-fx * dq[1] + dq[0] * fy) / det, su = (dp[0] * fy - dp[1] * fx) / det;
        t -= st;
        u -= su;
        if (std::fabs(st) + std::fabs(su) < 1e-30L) break;
    }
    return t >= -1e-12L && t <= 1 + 1e-12L && u >= -1e-12L && u <= 1 + 1e-12L;
}

// Crossings of the two curves (first two coordinates) from polylines of M
// segments, polished; false when the pair is unfit for reference (close or
// grazing crossings).
bool reference(Pair& pr, int m) {
    std::vector<LD> a(2 * (m + 1)), b(2 * (m + 1));
    for (int i = 0; i <= m; ++i) {
        LD p[3];
        eval(pr.ndim, pr.n, pr.c1, LD(i) / m, p);
        a[2 * i] = p[0];
        a[2 * i + 1] = p[1];
        eval(pr.ndim, pr.n, pr.c2, LD(i) / m, p);
        b[2 * i] = p[0];
        b[2 * i + 1] = p[1];
    }
    std::vector<std::pair<LD, LD>> found;
    for (int i = 0; i < m; ++i) {
        const LD* p = &a[2 * i];
        const LD pxl = std::min(p[0], p[2]), pxh = std::max(p[0], p[2]);
        const LD pyl = std::min(p[1], p[3]), pyh = std::max(p[1], p[3]);
        for (int j = 0; j < m; ++j) {
            const LD* q = &b[2 * j];
            if (std::max(q[0], q[2]) < pxl || std::min(q[0], q[2]) > pxh || std::max(q[1], q[3]) < pyl ||
                std::min(q[1], q[3]) > pyh)
                continue;
            const LD rx = p[2] - p[0], ry = p[3] - p[1], sx = q[2] - q[0], sy = q[3] - q[1];
            const LD den = rx * sy - ry * sx;
            if (den == 0) continue;
            const LD al = ((q[0] - p[0]) * sy - (q[1] - p[1]) * sx) / den;
            const LD be = ((q[0] - p[0]) * ry - (q[1] - p[1]) * rx) / den;
            if (al < 0 || al >= 1 || be < 0 || be >= 1) continue;
            LD t = (i + al) / m, u = (j + be) / m;
            if (!polish(pr, t, u)) return false;
            // The crossing angle must not be small.
            LD p0[3], dp[3], q0[3], dq[3];
            eval(pr.ndim, pr.n, pr.c1, t, p0, dp);
            eval(pr.ndim, pr.n, pr.c2, u, q0, dq);
            const LD sine = std::fabs(dp[0] * dq[1] - dp[1] * dq[0]) /
                            (std::hypot(dp[0], dp[1]) * std::hypot(dq[0], dq[1]));
            if (sine < 0.05) return false;
            found.emplace_back(t, u);
        }
    }
    std::sort(found.begin(), found.end());
    for (std::size_t k = 1; k < found.size(); ++k)
        if (std::fabs(found[k].first - found[k - 1].first) < 1e-3 || std::fabs(found[k].second - found[k - 1].second) < 1e-3)
            return false;
    pr.want.clear();
    for (auto [t, u] : found) {
        pr.want.push_back(static_cast<double>(t));
        pr.want.push_back(static_cast<double>(u));
    }
    return true;
}

// Two crossing waves of N coefficients: curve 1 is the graph over x of
// 0.5 + A prod(x - r), curve 2 the graph over y of 0.5 + B prod(y - s), with
// N-1 roots spread over [0, 1] and random heights of the waves (up to 0.5
// between the outer roots), turned
// together. They cross from once up to (N-1)^2 times.
Pair wave_pair(std::mt19937& g, int n) {
    std::uniform_real_distribution<double> jit(n > 4 ? -0.15 : -0.4, n > 4 ? 0.15 : 0.4), height(n > 4 ? 0.4 : 0.1, 0.5),
        ang(0, 6.283);
    Pair pr;
    pr.n = n;
    Vec wave[2];
    for (Vec& w : wave) {
        Vec r(n - 1);
        for (int i = 0; i < n - 1; ++i) r[i] = (i + 0.5 + jit(g)) / (n - 1);
        w = ref::from_roots(r);
        double big = 0;
        for (int i = 0; i <= 200; ++i) {  // the height between the first and last roots
            const double x = r.front() + (r.back() - r.front()) * i / 200.0;
            double v = 0;
            for (int j = n - 1; j >= 0; --j) v = v * x + w[j];
            big = std::max(big, std::fabs(v));
        }
        const double scale = height(g) / big * (jit(g) < 0 ? -1 : 1);
        for (double& c : w) c *= scale;
        w[0] += 0.5;
    }
    const double th = ang(g), co = std::cos(th), si = std::sin(th);
    for (int k = 0; k < n; ++k) {
        const double x1 = k == 1 ? 1.0 : 0.0, y1 = wave[0][k], x2 = wave[1][k], y2 = k == 1 ? 1.0 : 0.0;
        pr.c1.insert(pr.c1.end(), {co * x1 - si * y1, si * x1 + co * y1});
        pr.c2.insert(pr.c2.end(), {co * x2 - si * y2, si * x2 + co * y2});
    }
    return pr;
}

// Sets of random pairs of N coefficients whose crossing counts lie in
// [LO, HI], COUNT pairs each.
std::vector<Pair> random_set(int n, int lo, int hi, int count, unsigned seed) {
    std::mt19937 g(seed);
    std::vector<Pair> set;
    for (int tries = 0; tries < 200000 && static_cast<int>(set.size()) < count; ++tries) {
        Pair pr = wave_pair(g, n);
        if (!reference(pr, 256)) continue;
        const int k = static_cast<int>(pr.want.size()) / 2;
        if (k < lo || k > hi) continue;
        const Vec coarse = pr.want;
        if (!reference(pr, 1024) || pr.want.size() != coarse.size()) continue;
        set.push_back(pr);
    }
    return set;
}

// Cubic pairs with one interior tangency: the graph of f against the graph
// of f + k (x - r)^2 along x = a u + b, both turned.
std::vector<Pair> tangent_set(int count) {
    std::mt19937 g(77);
    std::uniform_real_distribution<double> u(-1, 1), r01(0.2, 0.8), kk(0.3, 3.0), ang(0, 6.283);
    std::vector<Pair> set;
    for (int i = 0; i < count; ++i) {
        const double f[4] = {u(g), u(g), u(g), u(g)};
        const double r = r01(g), k = kk(g) * (i % 2 ? 1 : -1), a = 1.0 + 0.3 * u(g), b = -0.1 * std::fabs(u(g));
        const double th = ang(g), co = std::cos(th), si = std::sin(th);
        // y1(t) = f(t); y2(u) = f(a u + b) + k (a u + b - r)^2.
        Vec x1 = {0, 1, 0, 0}, y1(f, f + 4), x2 = {b, a, 0, 0}, y2(4, 0.0);
        const Vec s = {b, a};
        Vec pw = {1.0};
        for (int j = 0; j < 4; ++j) {
            for (std::size_t m = 0; m < pw.size() && m < 4; ++m) y2[m] += f[j] * pw[m];
            Vec next(pw.size() + 1, 0.0);
            for (std::size_t m = 0; m < pw.size(); ++m) {
                next[m] += pw[m] * b;
                next[m + 1] += pw[m] * a;
            }
            pw = next;
        }
        y2[0] += k * (b - r) * (b - r);
        y2[1] += k * 2 * (b - r) * a;
        y2[2] += k * a * a;
        Pair pr;
        pr.tangent = true;
        for (int j = 0; j < 4; ++j) {
            pr.c1.insert(pr.c1.end(), {co * x1[j] - si * y1[j], si * x1[j] + co * y1[j]});
            pr.c2.insert(pr.c2.end(), {co * x2[j] - si * y2[j], si * x2[j] + co * y2[j]});
        }
        pr.want = {r, (r - b) / a};
        set.push_back(pr);
    }
    return set;
}

// Cubic pairs meeting at end points: curve 2 starts where curve 1 ends,
// leaving it at a random angle (every other pair along the same tangent,
// a tangential contact), and any further crossing from the reference.
std::vector<Pair> endpoint_set(int count) {
    std::mt19937 g(91);
    std::uniform_real_distribution<double> u(-1, 1), ang(0.5, 2.6);
    std::vector<Pair> set;
    while (static_cast<int>(set.size()) < count) {
        Vec p1 = {0, 0, 0.3 + 0.2 * u(g), 0.5 * u(g), 0.7 + 0.2 * u(g), 0.5 * u(g), 1, 0.3 * u(g)};
        const double tx = p1[6] - p1[4], ty = p1[7] - p1[5];
        const bool tangent = set.size() % 2 == 1;
        const double th = tangent ? 0.0 : ang(g) * (u(g) > 0 ? 1 : -1);
        const double dx = std::cos(th) * tx - std::sin(th) * ty, dy = std::sin(th) * tx + std::cos(th) * ty;
        Vec p2 = {p1[6], p1[7], p1[6] + dx, p1[7] + dy};
        p2.insert(p2.end(), {p2[2] + 0.4 * u(g) + dx, p2[3] + 0.4 * u(g) + dy});
        p2.insert(p2.end(), {p2[4] + 0.4 * u(g) + dx, p2[5] + 0.4 * u(g) + dy});
        Pair pr;
        pr.c1 = to_canonical(2, p1);
        pr.c2 = to_canonical(2, p2);
        if (!reference(pr, 1024)) continue;
        // The polylines may see the shared end point itself: it is added below.
        for (std::size_t k = 0; k < pr.want.size();)
            if (pr.want[k] > 1 - 1e-3 && pr.want[k + 1] < 1e-3) pr.want.erase(pr.want.begin() + k, pr.want.begin() + k + 2);
            else k += 2;
        if (tangent && !pr.want.empty()) continue;  // a lone tangential contact
        pr.tangent = tangent;
        pr.want.insert(pr.want.begin(), {1.0, 0.0});
        set.push_back(pr);
    }
    return set;
}

// Space cubic pairs: planar cubic pairs with crossings placed in the plane
// z = 0.3 x - 0.2 y + 0.1 and turned; every other pair has curve 2 raised
// by 0.05 along z first (skew: no crossing, though the projections cross).
std::vector<Pair> space_set(const std::vector<Pair>& planar) {
    std::vector<Pair> set;
    std::mt19937 g(5);
    std::uniform_real_distribution<double> ang(0, 6.283);
    for (std::size_t i = 0; i < planar.size(); ++i) {
        const Pair& p = planar[i];
        const double a = ang(g), b = ang(g);
        const double rot[9] = {std::cos(a), std::sin(a), 0.0, -std::sin(a) * std::cos(b), std::cos(a) * std::cos(b),
                               std::sin(b), std::sin(a) * std::sin(b), -std::cos(a) * std::sin(b), std::cos(b)};
        Pair s;
        s.ndim = 3;
        s.n = p.n;
        const auto lift = [&](const Vec& c, double raise) {
            Vec out;
            for (int k = 0; k < p.n; ++k) {
                const double x = c[2 * k], y = c[2 * k + 1], z = 0.3 * x - 0.2 * y + (k == 0 ? 0.1 + raise : 0.0);
                for (int d = 0; d < 3; ++d) out.push_back(rot[d] * x + rot[3 + d] * y + rot[6 + d] * z);
            }
            return out;
        };
        const bool skew = i % 2 == 1;
        s.c1 = lift(p.c1, 0.0);
        s.c2 = lift(p.c2, skew ? 0.05 : 0.0);
        if (!skew) s.want = p.want;
        set.push_back(s);
    }
    return set;
}

// ---- Completeness ---------------------------------------------------------------------

struct Score {
    long missed = 0, extra = 0, crossings = 0;
    double err = 0, tangent_err = 0;
};

void score(const Pair& pr, const std::vector<std::pair<double, double>>& got, Score& s) {
    const double match = pr.tangent ? 1e-4 : 1e-6;
    std::vector<bool> used(got.size(), false);
    const int k = static_cast<int>(pr.want.size()) / 2;
    s.crossings += k;
    for (int i = 0; i < k; ++i) {
        int best = -1;
        double bd = match;
        for (std::size_t j = 0; j < got.size(); ++j) {
            const double d = std::max(std::fabs(got[j].first - pr.want[2 * i]), std::fabs(got[j].second - pr.want[2 * i + 1]));
            if (!used[j] && d <= bd) {
                bd = d;
                best = static_cast<int>(j);
            }
        }
        if (best < 0) {
            ++s.missed;
            continue;
        }
        used[best] = true;
        // Tangency parameters are defined to about the square root of the
        // rounding only; their error is counted apart.
        if (pr.tangent && i == 0) s.tangent_err = std::max(s.tangent_err, bd);
        else s.err = std::max(s.err, bd);
    }
    for (bool u : used)
        if (!u) ++s.extra;
}

void report(benchmark::State& state, const Score& s, std::size_t pairs) {
    state.counters["crossings"] = static_cast<double>(s.crossings);
    state.counters["missed"] = static_cast<double>(s.missed);
    state.counters["extra"] = static_cast<double>(s.extra);
    state.counters["err"] = s.err;
    state.counters["tangent_err"] = s.tangent_err;
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * pairs));
}

// ---- Solvers --------------------------------------------------------------------------

void ours(const Pair& pr, std::vector<std::pair<double, double>>& out) {
    int ndim = pr.ndim, n1 = static_cast<int>(pr.c1.size()) / ndim, n2 = static_cast<int>(pr.c2.size()) / ndim;
    int iopt = 1, nmax = 50, nsol = 0, ier = 0;
    double a = 0, b = 1, sol[100];
    umcvcv(&ndim, &n1, pr.c1.data(), &a, &b, &n2, pr.c2.data(), &a, &b, &iopt, &nmax, &nsol, sol, &ier);
    out.clear();
    for (int k = 0; k < nsol; ++k) out.emplace_back(sol[2 * k], sol[2 * k + 1]);
}

void twogeom(const Pair& pr, std::vector<std::pair<double, double>>& out) {
    const int n1 = static_cast<int>(pr.c1.size()) / 2, n2 = static_cast<int>(pr.c2.size()) / 2;
    double p1[42], p2[42];
    to_bezier(2, n1, pr.c1.data(), p1);
    to_bezier(2, n2, pr.c2.data(), p2);
    std::vector<double> x1(n1), y1(n1), x2(n2), y2(n2);
    for (int k = 0; k < n1; ++k) {
        x1[k] = p1[2 * k];
        y1[k] = p1[2 * k + 1];
    }
    for (int k = 0; k < n2; ++k) {
        x2[k] = p2[2 * k];
        y2[k] = p2[2 * k + 1];
    }
    const Geom::D2<Geom::Bezier> A{Geom::Bezier(x1), Geom::Bezier(y1)}, B{Geom::Bezier(x2), Geom::Bezier(y2)};
    out.clear();
    Geom::find_intersections(out, A, B, 1e-10);
}

void sisl(const Pair& pr, std::vector<std::pair<double, double>>& out) {
    const int d = pr.ndim, n1 = static_cast<int>(pr.c1.size()) / d, n2 = static_cast<int>(pr.c2.size()) / d;
    double p1[63], p2[63], k1[42], k2[42];
    to_bezier(d, n1, pr.c1.data(), p1);
    to_bezier(d, n2, pr.c2.data(), p2);
    for (int k = 0; k < 2 * n1; ++k) k1[k] = k < n1 ? 0.0 : 1.0;
    for (int k = 0; k < 2 * n2; ++k) k2[k] = k < n2 ? 0.0 : 1.0;
    SISLCurve* a = newCurve(n1, n1, k1, p1, 1, d, 0);
    SISLCurve* b = newCurve(n2, n2, k2, p2, 1, d, 0);
    int jpt = 0, jcrv = 0, stat = 0;
    double *g1 = nullptr, *g2 = nullptr;
    SISLIntcurve** wc = nullptr;
    s1857(a, b, 0.0, 1e-9, &jpt, &g1, &g2, &jcrv, &wc, &stat);
    out.clear();
    for (int k = 0; k < jpt; ++k) out.emplace_back(g1[k], g2[k]);
    for (int k = 0; k < jcrv; ++k) freeIntcurve(wc[k]);
    std::free(wc);
    std::free(g1);
    std::free(g2);
    freeCurve(a);
    freeCurve(b);
}

using Solver = void (*)(const Pair&, std::vector<std::pair<double, double>>&);

// The sets, built when first used.
const std::vector<Pair>& get_set(const std::string& name) {
    static std::map<std::string, std::vector<Pair>> built;
    auto it = built.find(name);
    if (it != built.end()) return it->second;
    std::vector<Pair> set;
    if (name.rfind("cubic_", 0) == 0) {
        const int k = std::stoi(name.substr(6));
        set = random_set(4, k, k, 12, 100 + k);
    } else if (name.rfind("quintic_", 0) == 0) {
        const int lo = std::stoi(name.substr(8, 2)), hi = std::stoi(name.substr(11, 2));
        set = random_set(6, lo, hi, 12, 200 + lo);
    } else if (name == "tangent") {
        set = tangent_set(24);
    } else if (name == "endpoint") {
        set = endpoint_set(24);
    } else {
        std::vector<Pair> planar;
        for (int k = 1; k <= 9; ++k)
            for (const Pair& p : get_set("cubic_" + std::to_string(k))) planar.push_back(p);
        set = space_set(planar);
    }
    return built[name] = set;
}

void run(benchmark::State& state, const std::string& name, Solver solve) {
    set_tolerances();
    const std::vector<Pair>& set = get_set(name);
    std::vector<std::pair<double, double>> out;
    out.reserve(64);
    Score s;
    for (const Pair& pr : set) {
        solve(pr, out);
        score(pr, out, s);
    }
    for (auto _ : state)
        for (const Pair& pr : set) {
            solve(pr, out);
            benchmark::DoNotOptimize(out.data());
        }
    report(state, s, set.size());
}

const int registered = [] {
    std::vector<std::string> names;
    for (int k = 1; k <= 9; ++k) names.push_back("cubic_" + std::to_string(k));
    names.insert(names.end(), {"quintic_01_07", "quintic_08_14", "quintic_15_21", "tangent", "endpoint", "space_cubic"});
    for (const std::string& name : names) {
        const bool space = name.rfind("space", 0) == 0;
        benchmark::RegisterBenchmark(("ours/" + name).c_str(), run, name, ours)->Unit(benchmark::kMicrosecond);
        if (!space)
            benchmark::RegisterBenchmark(("lib2geom/" + name).c_str(), run, name, twogeom)->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("sisl/" + name).c_str(), run, name, sisl)->Unit(benchmark::kMicrosecond);
    }
    return 0;
}();

}  // namespace

BENCHMARK_MAIN();
