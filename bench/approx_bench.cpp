// Function approximation against single Chebyshev expansions, in the same run.
//
// exp(t) sin(5t) and a 3D helix (cos 3t, sin 3t, t/4) on [0, 4], to a maximum
// error of 1e-8 and 1e-12 (Euclidean over the components):
//  - mapfnc: continuity order -1 or 0, at most 14 coefficients per segment,
//    each segment's polynomial on [-1, 1] (the normalised parameter of the
//    peers' series too);
//  - GSL gsl_cheb_init, one series per component, the order raised (in the
//    setup) until the measured error is met;
//  - Boost.Math chebyshev_transform, one per component, its tolerance lowered
//    (in the setup) until the measured error is met.
// The timed loop builds the approximation only. Counters: "coefs" is the
// number of coefficients per component (segments x coefficients summed for
// mapfnc), "segments", and "error" the measured maximum error over 4001 points.
#include <benchmark/benchmark.h>
#include <gsl/gsl_chebyshev.h>

#include <boost/math/special_functions/chebyshev_transform.hpp>
#include <cmath>
#include <functional>
#include <vector>

#include "VelCurveBasedInfrastructure.h"
#include "VelCurveBasedMathematics.h"

namespace {

constexpr double kA = 0.0, kB = 4.0;

// Component J of the test function of dimension NDIM at t.
__attribute__((noinline)) double component(int ndim, int j, double t) {
    if (ndim == 1) return std::exp(t) * std::sin(5 * t);
    return j == 0 ? std::cos(3 * t) : j == 1 ? std::sin(3 * t) : 0.25 * t;
}

__attribute__((noinline)) void vector_function(const int* ndim, const double*, const double* t, const int*, double* v,
                                               int*) {
    for (int j = 0; j < *ndim; ++j) v[j] = component(*ndim, j, *t);
}

// Largest Euclidean error of an approximation given per component.
double measured_error(int ndim, const std::function<double(int, double)>& approx) {
    double worst = 0;
    for (int i = 0; i <= 4000; ++i) {
        const double t = kA + (kB - kA) * i / 4000.0;
        double e2 = 0;
        for (int j = 0; j < ndim; ++j) {
            const double d = approx(j, t) - component(ndim, j, t);
            e2 += d * d;
        }
        worst = std::max(worst, std::sqrt(e2));
    }
    return worst;
}

struct Ours {
    int ndim, order, nseg = 0, ier = 0;
    double tol;
    static constexpr int kMaxSeg = 64, kLd = 14;
    std::vector<int> ncoef = std::vector<int>(kMaxSeg);
    std::vector<double> coef, tbreak = std::vector<double>(kMaxSeg + 1), errmax, errmean;
    Ours(int n, int r, double e) : ndim(n), order(r), tol(e) {
        coef.resize(static_cast<std::size_t>(ndim) * kLd * kMaxSeg);
        errmax.resize(kMaxSeg);
        errmean.resize(kMaxSeg);
    }
    void run() {
        const int nsub = 1, ld = kLd, maxseg = kMaxSeg, maxcoef = 14, npcode = -5;
        const double tint[2] = {kA, kB}, tout[2] = {-1.0, 1.0};
        mapfnc(&ndim, &nsub, &ndim, tint, vector_function, &order, &ld, &maxseg, &maxcoef, &tol, tout, &npcode, &nseg,
               ncoef.data(), coef.data(), tbreak.data(), errmax.data(), errmean.data(), &ier);
    }
    double value(int j, double t) const {
        int s = 1;
        while (s < nseg && t > tbreak[s]) ++s;
        const double v = 2 * (t - tbreak[s - 1]) / (tbreak[s] - tbreak[s - 1]) - 1;
        const double* c = coef.data() + static_cast<std::size_t>(s - 1) * ndim * kLd;
        double p = 0;
        for (int i = ncoef[s - 1] - 1; i >= 0; --i) p = p * v + c[i * ndim + j];
        return p;
    }
    int coefficients() const {
        int n = 0;
        for (int s = 0; s < nseg; ++s) n += ncoef[s];
        return n;
    }
};

void fill_block() {
    static bool done = false;
    if (done) return;
    done = true;
    int ip[21] = {};
    double rp[22] = {};
    rp[11] = 1e-12;  // EPS1
    rp[13] = 1e-14;  // EPSPB
    int ier = 0;
    mcxcom(nullptr, ip, rp, &ier);
}

void BM_mapfnc(benchmark::State& state) {
    fill_block();
    const int ndim = static_cast<int>(state.range(0)), order = static_cast<int>(state.range(1));
    const double tol = std::pow(10.0, -static_cast<double>(state.range(2)));
    Ours a(ndim, order, tol);
    for (auto _ : state) {
        a.run();
        benchmark::DoNotOptimize(a.coef.data());
    }
    state.counters["segments"] = a.nseg;
    state.counters["coefs"] = a.coefficients();
    state.counters["error"] = measured_error(ndim, [&](int j, double t) { return a.value(j, t); });
    if (a.ier != 0) state.SkipWithError("mapfnc failed");
}

struct GslParams {
    int ndim, j;
};
double gsl_component(double t, void* p) {
    const auto* g = static_cast<const GslParams*>(p);
    return component(g->ndim, g->j, t);
}

void BM_gsl_cheb(benchmark::State& state) {
    const int ndim = static_cast<int>(state.range(0));
    const double tol = std::pow(10.0, -static_cast<double>(state.range(2)));
    std::vector<GslParams> params(ndim);
    std::vector<gsl_function> fns(ndim);
    for (int j = 0; j < ndim; ++j) {
        params[j] = {ndim, j};
        fns[j] = {gsl_component, &params[j]};
    }
    // The smallest order that meets the error.
    int order = 4;
    std::vector<gsl_cheb_series*> series;
    for (;; ++order) {
        for (auto* s : series) gsl_cheb_free(s);
        series.clear();
        for (int j = 0; j < ndim; ++j) {
            series.push_back(gsl_cheb_alloc(order));
            gsl_cheb_init(series[j], &fns[j], kA, kB);
        }
        const double e = measured_error(ndim, [&](int j, double t) { return gsl_cheb_eval(series[j], t); });
        if (e <= tol || order > 200) break;
    }
    for (auto _ : state) {
        for (int j = 0; j < ndim; ++j) gsl_cheb_init(series[j], &fns[j], kA, kB);
        benchmark::DoNotOptimize(series.data());
    }
    state.counters["segments"] = 1;
    state.counters["coefs"] = order + 1;
    state.counters["error"] = measured_error(ndim, [&](int j, double t) { return gsl_cheb_eval(series[j], t); });
    for (auto* s : series) gsl_cheb_free(s);
}

void BM_boost_chebyshev(benchmark::State& state) {
    const int ndim = static_cast<int>(state.range(0));
    const double tol = std::pow(10.0, -static_cast<double>(state.range(2)));
    using Transform = boost::math::chebyshev_transform<double>;
    auto build = [&](double rel) {
        std::vector<Transform> t;
        for (int j = 0; j < ndim; ++j) t.emplace_back([=](double x) { return component(ndim, j, x); }, kA, kB, rel);
        return t;
    };
    // The largest relative tolerance that meets the error.
    double rel = tol;
    std::vector<Transform> t = build(rel);
    while (measured_error(ndim, [&](int j, double x) { return t[j](x); }) > tol && rel > 1e-16) {
        rel *= 0.5;
        t = build(rel);
    }
    for (auto _ : state) {
        auto u = build(rel);
        benchmark::DoNotOptimize(u.data());
    }
    std::size_t n = 0;
    for (const auto& x : t) n = std::max(n, x.coefficients().size());
    state.counters["segments"] = 1;
    state.counters["coefs"] = static_cast<double>(n);
    state.counters["error"] = measured_error(ndim, [&](int j, double x) { return t[j](x); });
}

// Arguments: dimension, continuity order (mapfnc only), -log10 of the error.
void arguments(benchmark::internal::Benchmark* b, bool orders) {
    for (int ndim : {1, 3})
        for (int digits : {8, 12}) {
            if (orders) {
                b->Args({ndim, -1, digits});
                b->Args({ndim, 0, digits});
            } else {
                b->Args({ndim, -1, digits});
            }
        }
}

BENCHMARK(BM_mapfnc)->Apply([](benchmark::internal::Benchmark* b) { arguments(b, true); });
BENCHMARK(BM_gsl_cheb)->Apply([](benchmark::internal::Benchmark* b) { arguments(b, false); });
BENCHMARK(BM_boost_chebyshev)->Apply([](benchmark::internal::Benchmark* b) { arguments(b, false); });

}  // namespace

BENCHMARK_MAIN();
