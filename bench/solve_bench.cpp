// All real roots on [0, 1] (ur1pls) and curve/plane intersection (pcvint),
// next to their peers in the same run:
//   roots: GSL's companion-matrix solver and Eigen's PolynomialSolver keeping
//          the real roots in [0, 1], lib2geom's Bernstein root finder with the
//          conversion to the Bernstein basis included;
//   plane: SISL's s1850 on the same curve as a Bezier spline, and lib2geom's
//          Bernstein root finder on the signed-distance polynomial, built and
//          converted inside the loop.
// Each benchmark reports the roots it missed and its largest root error.
// The program is the host: its error reports go to a silent service of its
// own (as a host with its own logger would have them), so the figures are
// the library's and not those of writing lines to a terminal; work space
// comes from the default infrastructure library.
#include <benchmark/benchmark.h>
#include <gsl/gsl_poly.h>
#include <sisl.h>

#include <2geom/solver.h>
#include <algorithm>
#include <cmath>
#include <complex>
#include <unsupported/Eigen/Polynomials>
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
    rp[11] = kTol;   // EPS1
    rp[12] = kTol;   // EPSNR
    rp[13] = 1e-14;  // EPSPB
    ip[9] = 100;     // NITNR
    mcxcom(nullptr, ip, rp, &ier);
}

std::vector<double> from_roots(const std::vector<double>& roots, double scale) {
    std::vector<double> c{scale};
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

// Roots in [0, 1] (some inside, a close pair 1e-3 apart, the rest outside).
struct Problem {
    std::vector<double> all, inside, c;
};

Problem problem(int degree) {
    Problem p;
    switch (degree) {
        case 3: p.all = {0.3, 0.301, 1.7}; break;
        case 5: p.all = {0.1, 0.45, 0.451, 0.8, -0.6}; break;
        case 10: p.all = {0.05, 0.2, 0.35, 0.351, 0.6, 0.85, -0.3, -0.9, 1.4, 2.2}; break;
        default:
            p.all = {0.04, 0.15, 0.3, 0.42, 0.421, 0.55, 0.7, 0.93, -0.2, -0.45, -0.7, -1.0,
                     -1.3, -1.7, -2.2, 1.3, 1.6, 2.0, 2.5, 3.1};
    }
    for (double r : p.all)
        if (r >= 0 && r <= 1) p.inside.push_back(r);
    std::sort(p.inside.begin(), p.inside.end());
    p.c = from_roots(p.all, 1.0);
    double big = 0;
    for (int k = 0; k <= 100; ++k) {
        double v = 0;
        for (std::size_t i = p.c.size(); i-- > 0;) v = v * (k / 100.0) + p.c[i];
        big = std::max(big, std::fabs(v));
    }
    for (double& x : p.c) x /= big;
    return p;
}

void report(benchmark::State& state, const std::vector<double>& want, std::vector<double> got) {
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
    state.counters["extra"] = static_cast<double>(got.size()) - (want.size() - missed);
    state.counters["maxerr"] = err;
}

// Canonical to Bernstein coefficients on [0, 1].
void to_bernstein(const double* a, int n, double* b, const std::vector<double>& binom_row_ratio) {
    // b_j = sum over i <= j of C(j, i) / C(deg, i) a_i; binom_row_ratio holds 1 / C(deg, i).
    for (int j = 0; j < n; ++j) b[j] = a[j] * binom_row_ratio[j];
    for (int k = 1; k < n; ++k)
        for (int j = n - 1; j >= k; --j) b[j] += b[j - 1];
}

std::vector<double> inverse_binomials(int deg) {
    std::vector<double> r(deg + 1);
    double c = 1;
    for (int i = 0; i <= deg; ++i) {
        r[i] = 1 / c;
        c = c * (deg - i) / (i + 1);
    }
    return r;
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
    report(state, p.inside, std::vector<double>(root.begin(), root.begin() + nroot));
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
    report(state, p.inside, found);
}

void BM_roots_eigen(benchmark::State& state) {
    const Problem p = problem(static_cast<int>(state.range(0)));
    Eigen::VectorXd c = Eigen::Map<const Eigen::VectorXd>(p.c.data(), static_cast<Eigen::Index>(p.c.size()));
    std::vector<double> real, found;
    for (auto _ : state) {
        Eigen::PolynomialSolver<double, Eigen::Dynamic> solver(c);
        solver.realRoots(real, 1e-10);
        found.clear();
        for (double x : real)
            if (x >= 0 && x <= 1) found.push_back(x);
        benchmark::DoNotOptimize(found.data());
    }
    report(state, p.inside, found);
}

void BM_roots_2geom(benchmark::State& state) {
    const Problem p = problem(static_cast<int>(state.range(0)));
    const int n = static_cast<int>(p.c.size());
    std::vector<double> bz(n), found;
    for (auto _ : state) {
        const std::vector<double> inv = inverse_binomials(n - 1);
        to_bernstein(p.c.data(), n, bz.data(), inv);
        found.clear();
        Geom::find_bernstein_roots(bz.data(), static_cast<unsigned>(n - 1), found, 0, 0.0, 1.0);
        benchmark::DoNotOptimize(found.data());
    }
    report(state, p.inside, found);
}

// A 3D curve whose signed distance to the plane has known roots: C(t) =
// P + g(t) N + u(t) U + v(t) V with (U, V, N) orthonormal.
struct Crossing {
    std::vector<double> coef;  // COEF(3, NCOEF)
    double normal[3], point[3];
    std::vector<double> inside;
    int ncoef;
};

Crossing crossing(int degree) {
    std::vector<double> roots;
    switch (degree) {
        case 3: roots = {0.15, 0.5, 0.85}; break;
        case 5: roots = {0.1, 0.4, 0.4, 0.7, -1.0}; break;  // touches at 0.4
        default: roots = {0.05, 0.25, 0.45, 0.55, 0.55, 0.65, 0.9, -0.5, 1.6}; break;  // touches at 0.55
    }
    Crossing cr;
    cr.ncoef = degree + 1;
    const std::vector<double> g = from_roots(roots, 4.0);
    const double n[3] = {2.0 / 3, -1.0 / 3, 2.0 / 3}, u[3] = {1.0 / 3, -2.0 / 3, -2.0 / 3}, v[3] = {2.0 / 3, 2.0 / 3, -1.0 / 3};
    const double p0[3] = {0.3, -1.2, 2.5};
    cr.coef.assign(3 * cr.ncoef, 0.0);
    for (int k = 0; k < cr.ncoef; ++k) {
        const double uk = k == 1 ? 3.0 : (k == 2 ? -1.0 : 0.0), vk = k == 0 ? 0.5 : (k == 3 ? 2.0 : 0.0);
        for (int d = 0; d < 3; ++d) cr.coef[3 * k + d] = g[k] * n[d] + uk * u[d] + vk * v[d] + (k == 0 ? p0[d] : 0.0);
    }
    for (int d = 0; d < 3; ++d) {
        cr.normal[d] = 5 * n[d];
        cr.point[d] = p0[d] + 0.7 * u[d] - 0.2 * v[d];
    }
    for (double r : roots)
        if (r >= 0 && r <= 1 && std::find(cr.inside.begin(), cr.inside.end(), r) == cr.inside.end())
            cr.inside.push_back(r);
    std::sort(cr.inside.begin(), cr.inside.end());
    return cr;
}

void BM_plane_pcvint(benchmark::State& state) {
    set_tolerances();
    const Crossing cr = crossing(static_cast<int>(state.range(0)));
    int ndim = 3, ncoef = cr.ncoef, nsol = 0, ier = 0;
    std::vector<double> work(3 * ncoef), sol(ncoef + 3);
    const double tref = 0.5;
    double tnear = 0;
    for (auto _ : state) {
        pcvint(&ndim, &ncoef, cr.coef.data(), cr.normal, cr.point, work.data(), &tref, &tnear, &nsol, sol.data(),
               &ier);
        benchmark::DoNotOptimize(sol.data());
    }
    report(state, cr.inside, std::vector<double>(sol.begin(), sol.begin() + nsol));
}

void BM_plane_sisl(benchmark::State& state) {
    const Crossing cr = crossing(static_cast<int>(state.range(0)));
    const int n = cr.ncoef;
    // The same curve as a Bezier spline: control points and a clamped knot vector.
    std::vector<double> poly(3 * n), knots(2 * n);
    const std::vector<double> inv = inverse_binomials(n - 1);
    for (int d = 0; d < 3; ++d) {
        std::vector<double> a(n), b(n);
        for (int k = 0; k < n; ++k) a[k] = cr.coef[3 * k + d];
        to_bernstein(a.data(), n, b.data(), inv);
        for (int k = 0; k < n; ++k) poly[3 * k + d] = b[k];
    }
    for (int k = 0; k < n; ++k) {
        knots[k] = 0;
        knots[n + k] = 1;
    }
    SISLCurve* curve = newCurve(n, n, knots.data(), poly.data(), 1, 3, 1);
    double point[3] = {cr.point[0], cr.point[1], cr.point[2]}, normal[3] = {cr.normal[0], cr.normal[1], cr.normal[2]};
    std::vector<double> found;
    for (auto _ : state) {
        int npt = 0, ncrv = 0, stat = 0;
        double* par = nullptr;
        SISLIntcurve** crv = nullptr;
        s1850(curve, point, normal, 3, 1e-15, kTol, &npt, &par, &ncrv, &crv, &stat);
        found.assign(par, par + npt);
        benchmark::DoNotOptimize(found.data());
        if (par) free(par);
        if (crv) freeIntcrvlist(crv, ncrv);
    }
    freeCurve(curve);
    report(state, cr.inside, found);
}

void BM_plane_2geom(benchmark::State& state) {
    const Crossing cr = crossing(static_cast<int>(state.range(0)));
    const int n = cr.ncoef;
    std::vector<double> g(n), bz(n), found;
    for (auto _ : state) {
        const double len = std::sqrt(cr.normal[0] * cr.normal[0] + cr.normal[1] * cr.normal[1] +
                                     cr.normal[2] * cr.normal[2]);
        const double nn[3] = {cr.normal[0] / len, cr.normal[1] / len, cr.normal[2] / len};
        for (int k = 0; k < n; ++k)
            g[k] = nn[0] * cr.coef[3 * k] + nn[1] * cr.coef[3 * k + 1] + nn[2] * cr.coef[3 * k + 2];
        g[0] -= nn[0] * cr.point[0] + nn[1] * cr.point[1] + nn[2] * cr.point[2];
        const std::vector<double> inv = inverse_binomials(n - 1);
        to_bernstein(g.data(), n, bz.data(), inv);
        found.clear();
        Geom::find_bernstein_roots(bz.data(), static_cast<unsigned>(n - 1), found, 0, 0.0, 1.0);
        benchmark::DoNotOptimize(found.data());
    }
    report(state, cr.inside, found);
}

}  // namespace

BENCHMARK(BM_roots_ur1pls)->Arg(3)->Arg(5)->Arg(10)->Arg(20);
BENCHMARK(BM_roots_gsl)->Arg(3)->Arg(5)->Arg(10)->Arg(20);
BENCHMARK(BM_roots_eigen)->Arg(3)->Arg(5)->Arg(10)->Arg(20);
BENCHMARK(BM_roots_2geom)->Arg(3)->Arg(5)->Arg(10)->Arg(20);
BENCHMARK(BM_plane_pcvint)->Arg(3)->Arg(5)->Arg(9);
BENCHMARK(BM_plane_sisl)->Arg(3)->Arg(5)->Arg(9);
BENCHMARK(BM_plane_2geom)->Arg(3)->Arg(5)->Arg(9);

BENCHMARK_MAIN();
