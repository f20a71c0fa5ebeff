// Roots by subdivision with noisy intervals (mrs1d0) and the bounds built on
// it, next to their peers in the same run:
//   roots: mrs1d0 on the polynomials of the interval-root benchmark (degrees
//          3, 5, 10, 20, roots in [0, 1] with a close pair), beside ur1pls,
//          GSL's companion-matrix solver and lib2geom's Bernstein root finder
//          (the conversion to the Bernstein basis included);
//   boxes: the fine box (mbtcb1) and the coarse box (mbtcb2) of planar cubic
//          and quintic Bezier curves, against lib2geom's bounds_exact and
//          bounds_fast on the same curves. Each side gets its own form of the
//          curve (canonical coefficients for the library, control points for
//          lib2geom), made outside the timed loop.
// The roots benchmarks report the roots missed and the largest root error;
// the box benchmarks the box's excess over the exact box (the extremes
// refined in long double).
#include <benchmark/benchmark.h>
#include <gsl/gsl_poly.h>

#include <2geom/bezier.h>
#include <2geom/d2.h>
#include <2geom/solver.h>
#include <algorithm>
#include <cmath>
#include <vector>

#include "VelCurveBasedMathematics.h"

extern "C" {
void aermsg(const char*, const int*, long) {}
void germsg(const char*, long) {}
}

namespace {

constexpr double kTol = 1e-12;

void set_tolerances() {
    int ip[21] = {}, ier;
    double rp[22] = {};
    rp[11] = kTol;
    rp[12] = kTol;
    rp[13] = 1e-14;
    ip[9] = 100;
    mcxcom(nullptr, ip, rp, &ier);
}

std::vector<double> polynomial_from_roots(const std::vector<double>& roots) {
    std::vector<double> c{1.0};
    for (double r : roots) {
        std::vector<double> d(c.size() + 1, 0.0);
        for (std::size_t i = 0; i < c.size(); ++i) {
            d[i + 1] += c[i];
            d[i] -= r * c[i];
        }
        c = d;
    }
    return c;
}

// The polynomials of the interval-root benchmark, scaled to unit size on [0, 1].
struct Problem {
    std::vector<double> inside, c;
};

Problem problem(int degree) {
    std::vector<double> all;
    switch (degree) {
        case 3: all = {0.3, 0.301, 1.7}; break;
        case 5: all = {0.1, 0.45, 0.451, 0.8, -0.6}; break;
        case 10: all = {0.05, 0.2, 0.35, 0.351, 0.6, 0.85, -0.3, -0.9, 1.4, 2.2}; break;
        default:
            all = {0.04, 0.15, 0.3, 0.42, 0.421, 0.55, 0.7, 0.93, -0.2, -0.45, -0.7, -1.0,
                   -1.3, -1.7, -2.2, 1.3, 1.6, 2.0, 2.5, 3.1};
    }
    Problem p;
    for (double r : all)
        if (r >= 0 && r <= 1) p.inside.push_back(r);
    std::sort(p.inside.begin(), p.inside.end());
    p.c = polynomial_from_roots(all);
    double big = 0;
    for (int k = 0; k <= 100; ++k) {
        double v = 0;
        for (std::size_t i = p.c.size(); i-- > 0;) v = v * (k / 100.0) + p.c[i];
        big = std::max(big, std::fabs(v));
    }
    for (double& x : p.c) x /= big;
    return p;
}

void report_roots(benchmark::State& state, const std::vector<double>& want, std::vector<double> got) {
    std::sort(got.begin(), got.end());
    int missed = 0;
    double err = 0;
    for (double r : want) {
        double best = 1e300;
        for (double x : got) best = std::min(best, std::fabs(x - r));
        if (best > 1e-6)
            ++missed;
        else
            err = std::max(err, best);
    }
    state.counters["missed"] = missed;
    state.counters["maxerr"] = err;
}

// Bernstein coefficients on [0, 1] of the canonical a(0..n-1).
void to_bernstein(const double* a, int n, double* b) {
    double binom = 1;  // C(n-1, j)
    for (int j = 0; j < n; ++j) {
        b[j] = a[j] / binom;
        binom = binom * (n - 1 - j) / (j + 1);
    }
    for (int k = 1; k < n; ++k)
        for (int j = n - 1; j >= k; --j) b[j] += b[j - 1];
}

void BM_roots_mrs1d0(benchmark::State& state) {
    set_tolerances();
    const Problem p = problem(static_cast<int>(state.range(0)));
    int n = static_cast<int>(p.c.size()), nroot = 0, nnoise = 0, nunres = 0, ier = 0;
    std::vector<double> roots(n), noise(2 * n), unres(2 * n);
    const double tint[2] = {0, 1}, epsx = 1e-6, epsf = kTol;
    for (auto _ : state) {
        mrs1d0(p.c.data(), &n, tint, &epsx, &epsf, roots.data(), &nroot, noise.data(), &nnoise, unres.data(),
               &nunres, &ier);
        benchmark::DoNotOptimize(roots.data());
    }
    state.counters["intervals"] = nnoise + nunres;
    report_roots(state, p.inside, std::vector<double>(roots.begin(), roots.begin() + nroot));
}

void BM_roots_ur1pls(benchmark::State& state) {
    set_tolerances();
    const Problem p = problem(static_cast<int>(state.range(0)));
    int n = static_cast<int>(p.c.size()), nroot = 0, ier = 0;
    std::vector<double> root(n), aux(n);
    const double a = 0, b = 1;
    for (auto _ : state) {
        ur1pls(&n, p.c.data(), &a, &b, &nroot, root.data(), aux.data(), &ier);
        benchmark::DoNotOptimize(root.data());
    }
    report_roots(state, p.inside, std::vector<double>(root.begin(), root.begin() + nroot));
}

void BM_roots_gsl(benchmark::State& state) {
    const Problem p = problem(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(p.c.size());
    std::vector<double> z(2 * (n - 1)), found;
    for (auto _ : state) {
        gsl_poly_complex_workspace* w = gsl_poly_complex_workspace_alloc(n);
        gsl_poly_complex_solve(p.c.data(), n, w, z.data());
        gsl_poly_complex_workspace_free(w);
        found.clear();
        for (int k = 0; k < n - 1; ++k)
            if (std::fabs(z[2 * k + 1]) < 1e-10 && z[2 * k] >= 0 && z[2 * k] <= 1) found.push_back(z[2 * k]);
        benchmark::DoNotOptimize(found.data());
    }
    report_roots(state, p.inside, found);
}

void BM_roots_2geom(benchmark::State& state) {
    const Problem p = problem(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(p.c.size());
    std::vector<double> bz(n), found;
    for (auto _ : state) {
        to_bernstein(p.c.data(), n, bz.data());
        found.clear();
        Geom::find_bernstein_roots(bz.data(), static_cast<unsigned>(n - 1), found, 0, 0.0, 1.0);
        benchmark::DoNotOptimize(found.data());
    }
    report_roots(state, p.inside, found);
}

// Planar Bezier curves of degree 3 and 5: control points and canonical coefficients.
struct Planar {
    std::vector<double> coef;  // COEF(2, NCOEF)
    std::vector<double> x, y;  // control points
    double exact[4];           // xmin, xmax, ymin, ymax
};

Planar planar(int degree) {
    Planar c;
    if (degree == 3) {
        c.x = {0.0, 1.0, 3.0, 2.0};
        c.y = {0.0, 2.5, -1.0, 1.2};
    } else {
        c.x = {0.0, 1.5, -0.5, 2.0, 3.5, 2.2};
        c.y = {1.0, -1.0, 2.5, 0.3, -0.8, 1.4};
    }
    const int n = degree + 1;
    c.coef.assign(2 * n, 0.0);
    // Canonical coefficients from the polygon: forward differences times C(n-1, k).
    for (int d = 0; d < 2; ++d) {
        std::vector<double> v = d == 0 ? c.x : c.y;
        double binom = 1;
        for (int k = 0; k < n; ++k) {
            c.coef[2 * k + d] = v[0] * binom;
            for (int j = 0; j + 1 < n - k; ++j) v[j] = v[j + 1] - v[j];
            binom = binom * (n - 1 - k) / (k + 1);
        }
    }
    // The exact box from dense samples refined by golden-section search, in long double.
    for (int d = 0; d < 2; ++d) {
        auto value = [&](long double t) {
            long double s = 0;
            for (int k = n - 1; k >= 0; --k) s = s * t + c.coef[2 * k + d];
            return s;
        };
        long double lo = std::min(value(0), value(1)), hi = std::max(value(0), value(1));
        const int m = 2000;
        for (int k = 1; k < m; ++k)
            for (int sign : {1, -1}) {
                const long double t = k / static_cast<long double>(m);
                if (!(sign * value(t) >= sign * value(t - 1.0L / m) && sign * value(t) >= sign * value(t + 1.0L / m))) continue;
                long double a = t - 1.0L / m, b = t + 1.0L / m, g = (std::sqrt(5.0L) - 1) / 2;
                for (int it = 0; it < 80; ++it) {
                    const long double u = b - g * (b - a), w = a + g * (b - a);
                    if (sign * value(u) > sign * value(w)) b = w; else a = u;
                }
                lo = std::min(lo, value((a + b) / 2));
                hi = std::max(hi, value((a + b) / 2));
            }
        c.exact[2 * d] = static_cast<double>(lo);
        c.exact[2 * d + 1] = static_cast<double>(hi);
    }
    return c;
}

void report_box(benchmark::State& state, const Planar& c, const double box[4]) {
    double excess = 0, missed = 0;
    for (int k = 0; k < 4; ++k) {
        const double e = k % 2 == 0 ? c.exact[k] - box[k] : box[k] - c.exact[k];  // > 0: wider than exact
        excess = std::max(excess, e);
        if (e < -1e-12) missed = 1;
    }
    state.counters["excess"] = excess;
    state.counters["short"] = missed;
}

constexpr double kBoxTol = 1e-9;

void BM_box_fine_mbtcb1(benchmark::State& state) {
    set_tolerances();
    const Planar c = planar(static_cast<int>(state.range(0)));
    int two = 2, n = static_cast<int>(state.range(0)) + 1, ier = 0;
    const double tint[2] = {0, 1}, tol = kBoxTol;
    double box[4];
    for (auto _ : state) {
        mbtcb1(&two, &n, c.coef.data(), &two, tint, &tol, box, &ier);
        benchmark::DoNotOptimize(box);
    }
    report_box(state, c, box);
}

void BM_box_coarse_mbtcb2(benchmark::State& state) {
    set_tolerances();
    const Planar c = planar(static_cast<int>(state.range(0)));
    int two = 2, n = static_cast<int>(state.range(0)) + 1, ier = 0;
    const double tint[2] = {0, 1};
    double box[4];
    for (auto _ : state) {
        mbtcb2(&two, &n, c.coef.data(), &two, tint, box, &ier);
        benchmark::DoNotOptimize(box);
    }
    report_box(state, c, box);
}

template <bool Exact>
void BM_box_2geom(benchmark::State& state) {
    const Planar c = planar(static_cast<int>(state.range(0)));
    const unsigned degree = static_cast<unsigned>(c.x.size() - 1);
    Geom::Bezier bx{Geom::Bezier::Order(degree)}, by{Geom::Bezier::Order(degree)};
    for (unsigned k = 0; k <= degree; ++k) {
        bx[k] = c.x[k];
        by[k] = c.y[k];
    }
    const Geom::D2<Geom::Bezier> curve(bx, by);
    Geom::OptRect r;
    for (auto _ : state) {
        r = Exact ? Geom::bounds_exact(curve) : Geom::bounds_fast(curve);
        benchmark::DoNotOptimize(r);
    }
    const double box[4] = {(*r)[Geom::X].min(), (*r)[Geom::X].max(), (*r)[Geom::Y].min(), (*r)[Geom::Y].max()};
    report_box(state, c, box);
}

}  // namespace

BENCHMARK(BM_roots_mrs1d0)->Arg(3)->Arg(5)->Arg(10)->Arg(20);
BENCHMARK(BM_roots_ur1pls)->Arg(3)->Arg(5)->Arg(10)->Arg(20);
BENCHMARK(BM_roots_gsl)->Arg(3)->Arg(5)->Arg(10)->Arg(20);
BENCHMARK(BM_roots_2geom)->Arg(3)->Arg(5)->Arg(10)->Arg(20);
BENCHMARK(BM_box_fine_mbtcb1)->Arg(3)->Arg(5);
BENCHMARK(BM_box_2geom<true>)->Name("BM_box_exact_2geom")->Arg(3)->Arg(5);
BENCHMARK(BM_box_coarse_mbtcb2)->Arg(3)->Arg(5);
BENCHMARK(BM_box_2geom<false>)->Name("BM_box_fast_2geom")->Arg(3)->Arg(5);

BENCHMARK_MAIN();
