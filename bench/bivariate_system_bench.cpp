// Systems of two bivariate polynomials of bidegree (3, 3) and (5, 5) with 1 to
// 9 known zeros in the unit square: mrs2d0 next to a resultant peer (the
// Sylvester resultant in u, sampled at Chebyshev points and interpolated with
// Eigen, its roots by GSL's companion-matrix solver, then v back-substituted
// from F(u, v) = 0 with the same solver and checked on G). The counters give
// the zeros each method missed. Then lnn2cv on pairs of cubics.
#include <benchmark/benchmark.h>
#include <gsl/gsl_poly.h>

#include <Eigen/Dense>
#include <cmath>
#include <random>
#include <vector>

#include "VelCurveBasedMathematics.h"
#include "bench/tolerances.hpp"

namespace {

using Vec = std::vector<double>;

// F = p(u + a v), G = q(v - a u): the zeros solve u + a v = r, v - a u = s for
// the roots r of p and s of q; those in the unit square are the known zeros.
struct System {
    int n;         // coefficients per variable (bidegree n-1)
    Vec f, g;      // (i, j) at i + n j, multiplying u^i v^j
    Vec zeros;     // (u, v) pairs
};

Vec from_roots(const Vec& roots) {
    Vec c{1.0};
    for (double r : roots) {
        Vec d(c.size() + 1, 0.0);
        for (std::size_t i = 0; i < c.size(); ++i) d[i + 1] += c[i], d[i] -= r * c[i];
        c = d;
    }
    return c;
}

// p(x + b y) as a bivariate array of n x n coefficients, x first when X_FIRST.
Vec sheared(const Vec& p, double b, int n, bool x_first) {
    Vec out(n * n, 0.0);
    for (int k = 0; k < static_cast<int>(p.size()); ++k) {
        // (x + b y)^k = sum C(k, m) x^(k-m) (b y)^m
        double binom = 1.0;
        for (int m = 0; m <= k; ++m) {
            const double c = p[k] * binom * std::pow(b, m);
            const int i = x_first ? k - m : m, j = x_first ? m : k - m;
            out[i + n * j] += c;
            binom = binom * (k - m) / (m + 1);
        }
    }
    return out;
}

System make_system(int degree, int inside_u, int inside_v, unsigned seed) {
    std::mt19937 g(seed);
    std::uniform_real_distribution<double> in(0.1, 0.9), out(1.5, 3.0);
    const double a = 0.1;
    Vec r, s;
    for (int k = 0; k < degree; ++k) r.push_back(k < inside_u ? in(g) : out(g));
    for (int k = 0; k < degree; ++k) s.push_back(k < inside_v ? in(g) : -out(g));
    System sys{degree + 1, sheared(from_roots(r), a, degree + 1, true), {}, {}};
    // q(v - a u): v first.
    sys.g = sheared(from_roots(s), -a, degree + 1, false);
    for (double ri : r)
        for (double si : s) {
            const double u = (ri - a * si) / (1 + a * a), v = si + a * u;
            if (u >= 0 && u <= 1 && v >= 0 && v <= 1) sys.zeros.insert(sys.zeros.end(), {u, v});
        }
    return sys;
}

const std::vector<System>& systems(int degree) {
    static const std::vector<System> s3 = [] {
        std::vector<System> v;
        for (int k = 1; k <= 3; ++k)
            for (int l = 1; l <= 3; ++l) v.push_back(make_system(3, k, l, 100 + 3 * k + l));
        return v;
    }();
    static const std::vector<System> s5 = [] {
        std::vector<System> v;
        for (int k = 1; k <= 3; ++k)
            for (int l = 1; l <= 3; ++l) v.push_back(make_system(5, k, l, 200 + 3 * k + l));
        return v;
    }();
    return degree == 3 ? s3 : s5;
}

int missed(const System& s, const Vec& found, int nfound) {
    int miss = 0;
    for (std::size_t z = 0; z < s.zeros.size(); z += 2) {
        bool hit = false;
        for (int k = 0; k < nfound && !hit; ++k)
            hit = std::fabs(found[2 * k] - s.zeros[z]) < 1e-7 && std::fabs(found[2 * k + 1] - s.zeros[z + 1]) < 1e-7;
        miss += !hit;
    }
    return miss;
}

void BM_mrs2d0(benchmark::State& state) {
    const auto& ss = systems(static_cast<int>(state.range(0)));
    int total_missed = 0, known = 0;
    Vec roots(200);
    for (auto _ : state) {
        total_missed = known = 0;
        for (const System& s : ss) {
            int n = s.n, ld = s.n, nmax = 100, nroot = 0, ier = 0;
            Vec fg(s.f);
            fg.insert(fg.end(), s.g.begin(), s.g.end());
            double box[4] = {0, 1, 0, 1}, epsx = 1e-10, epsf = 1e-12, last[4];
            mrs2d0(&ld, &ld, fg.data(), &n, &n, box, &epsx, &epsf, &nmax, roots.data(), &nroot, last, &ier);
            total_missed += missed(s, roots, nroot);
            known += static_cast<int>(s.zeros.size() / 2);
        }
    }
    state.counters["known"] = known;
    state.counters["missed"] = total_missed;
    state.SetItemsProcessed(state.iterations() * static_cast<long>(ss.size()));
}

// A polynomial in v of the bivariate array at a fixed u.
Vec in_v(const Vec& a, int n, double u) {
    Vec c(n, 0.0);
    for (int j = 0; j < n; ++j)
        for (int i = n - 1; i >= 0; --i) c[j] = c[j] * u + a[i + n * j];
    return c;
}

// Real roots in [lo, hi] of the canonical polynomial C (trailing zeros dropped).
Vec real_roots(Vec c, double lo, double hi) {
    while (c.size() > 1 && std::fabs(c.back()) < 1e-300) c.pop_back();
    Vec out;
    if (c.size() < 2) return out;
    const std::size_t m = c.size() - 1;
    std::vector<double> z(2 * m);
    gsl_poly_complex_workspace* w = gsl_poly_complex_workspace_alloc(c.size());
    if (gsl_poly_complex_solve(c.data(), c.size(), w, z.data()) == 0)
        for (std::size_t k = 0; k < m; ++k)
            if (std::fabs(z[2 * k + 1]) < 1e-7 && z[2 * k] >= lo && z[2 * k] <= hi) out.push_back(z[2 * k]);
    gsl_poly_complex_workspace_free(w);
    return out;
}

// Sylvester resultant of F and G in v at a fixed u.
double resultant_at(const System& s, double u) {
    const Vec f = in_v(s.f, s.n, u), g = in_v(s.g, s.n, u);
    const int m = s.n - 1, size = 2 * m;
    Eigen::MatrixXd syl = Eigen::MatrixXd::Zero(size, size);
    for (int r = 0; r < m; ++r)
        for (int k = 0; k <= m; ++k) syl(r, r + k) = f[m - k], syl(m + r, r + k) = g[m - k];
    return syl.determinant();
}

void BM_resultant_gsl(benchmark::State& state) {
    const auto& ss = systems(static_cast<int>(state.range(0)));
    int total_missed = 0;
    for (auto _ : state) {
        total_missed = 0;
        for (const System& s : ss) {
            // Degree of the resultant in u: at most 2 (n-1)^2; sampled at Chebyshev points of [-0.5, 1.5].
            const int deg = 2 * (s.n - 1) * (s.n - 1), np = deg + 1;
            Eigen::MatrixXd v(np, np);
            Eigen::VectorXd rhs(np);
            for (int k = 0; k < np; ++k) {
                const double x = std::cos(M_PI * (k + 0.5) / np);  // shifted variable on [-1, 1]
                const double u = 0.5 + x;
                double p = 1.0;
                for (int j = 0; j < np; ++j, p *= x) v(k, j) = p;
                rhs(k) = resultant_at(s, u);
            }
            const Eigen::VectorXd c = v.partialPivLu().solve(rhs);
            Vec coef(c.data(), c.data() + np), found;
            for (double x : real_roots(coef, -0.5 - 1e-9, 0.5 + 1e-9)) {
                const double u = 0.5 + x;
                for (double vv : real_roots(in_v(s.f, s.n, u), -1e-9, 1 + 1e-9)) {
                    const Vec g = in_v(s.g, s.n, u);
                    double gv = 0.0;
                    for (auto it = g.rbegin(); it != g.rend(); ++it) gv = gv * vv + *it;
                    if (std::fabs(gv) < 1e-6) found.insert(found.end(), {u, vv});
                }
            }
            total_missed += missed(s, found, static_cast<int>(found.size() / 2));
        }
    }
    state.counters["missed"] = total_missed;
    state.SetItemsProcessed(state.iterations() * static_cast<long>(ss.size()));
}

void BM_lnn2cv(benchmark::State& state) {
    std::mt19937 g(9);
    std::uniform_real_distribution<double> d(-1, 1);
    std::vector<Vec> pairs;
    for (int k = 0; k < 8; ++k) {
        Vec c(16);
        for (double& x : c) x = d(g);
        pairs.push_back(c);
    }
    long sols = 0, calls = 0;
    for (auto _ : state) {
        for (const Vec& c : pairs) {
            int ndim = 2, n = 4, nsol = 0, ier = 0;
            double p[2] = {0, 0}, sol[102], seg[4];
            lnn2cv(&ndim, &n, c.data(), &n, c.data() + 8, p, p, &nsol, sol, seg, &ier);
            sols += nsol;
            ++calls;
        }
    }
    state.counters["normals_per_pair"] = static_cast<double>(sols) / static_cast<double>(calls);
    state.SetItemsProcessed(calls);
}

const bool filled = (bench::fill_tolerances(), true);

// Argument: the bidegree in each variable.
BENCHMARK(BM_mrs2d0)->Arg(3)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_resultant_gsl)->Arg(3)->Arg(5)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_lnn2cv)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
