// Gauss quadrature against GSL's fixed Gauss-Legendre rule, in the same run.
//
// Quadrature: vgauss integrates a smooth 3-component function to 1e-10; GSL
// applies its fixed rule with as many points as vgauss evaluated in all.
// Compare the "per_eval" counters.
#include <benchmark/benchmark.h>
#include <gsl/gsl_integration.h>

#include <cmath>

#include "VelCurveBasedMathematics.h"

namespace {

// Never inlined: both integrators reach it through a function pointer.
__attribute__((noinline)) void smooth3(const int*, const double* t, double* f, int*) {
    const double x = *t;
    f[0] = std::exp(-x) * std::sin(3 * x);
    f[1] = 1.0 / (1.0 + x * x);
    f[2] = std::sqrt(1.0 + x * x);
}

constexpr double kA = 0.0, kB = 2.0, kTol = 1e-10;

int vgauss_calls() {
    const int ndim = 3;
    double r[3], err;
    int ncalls = 0, ier = 0;
    vgauss(&ndim, smooth3, &kA, &kB, &kTol, r, &err, &ncalls, &ier);
    return ncalls;
}

void BM_vgauss(benchmark::State& state) {
    const int ndim = 3;
    double r[3], err;
    int ncalls = 0, ier = 0;
    for (auto _ : state) {
        vgauss(&ndim, smooth3, &kA, &kB, &kTol, r, &err, &ncalls, &ier);
        benchmark::DoNotOptimize(r);
    }
    state.counters["evals"] = ncalls;
    state.counters["per_eval"] =
        benchmark::Counter(static_cast<double>(ncalls), benchmark::Counter::kIsIterationInvariantRate |
                                                            benchmark::Counter::kInvert);
}
BENCHMARK(BM_vgauss);

void BM_gsl_glfixed(benchmark::State& state) {
    const int n = vgauss_calls();
    gsl_integration_glfixed_table* t = gsl_integration_glfixed_table_alloc(n);
    const int ndim = 3;
    double r[3], f[3];
    vcbm_integrand func = smooth3;
    benchmark::DoNotOptimize(func);
    for (auto _ : state) {
        r[0] = r[1] = r[2] = 0.0;
        for (int i = 0; i < n; ++i) {
            double xi, wi;
            int ier = 0;
            gsl_integration_glfixed_point(kA, kB, i, &xi, &wi, t);
            func(&ndim, &xi, f, &ier);
            for (int k = 0; k < 3; ++k) r[k] += wi * f[k];
        }
        benchmark::DoNotOptimize(r);
    }
    gsl_integration_glfixed_table_free(t);
    state.counters["evals"] = n;
    state.counters["per_eval"] = benchmark::Counter(
        static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_gsl_glfixed);

}  // namespace

BENCHMARK_MAIN();
