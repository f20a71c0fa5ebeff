// Cost of curve evaluation: pocurv in dimensions 2, 3 and 4, and mdrvcb
// (point, first and second derivatives of a space curve), each next to a
// plain hand-written Horner loop over the same coefficients and parameters.
// The parameter changes on every call so that nothing is hoisted out of the
// timing loop. The "allocs" counter counts operator new calls during the
// timed loop (it must stay 0).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <random>
#include <vector>

#include "VelCurveBasedMathematics.h"

namespace {

std::atomic<long> g_allocs{0};

struct Data {
    std::vector<double> coef;
    std::vector<double> ts;
    Data(int ndim, int ncoef) : coef(static_cast<std::size_t>(ndim) * ncoef), ts(64) {
        std::mt19937 rng(42);
        std::uniform_real_distribution<double> d(-1.0, 1.0);
        for (double& c : coef) c = d(rng);
        for (double& t : ts) t = 0.5 * (d(rng) + 1.0) * 0.98 + 0.01;  // inside (0, 1), never 0 or 1
    }
};

// The reference: one Horner chain per component, the last coefficient first.
// It runs both inlined into the timing loop (no call at all, the best case
// for it) and out of line, as a caller's own routine would be called.
inline void hand_curve(int ndim, int ncoef, const double* c, double t, double* p) {
    for (int i = 0; i < ndim; ++i) {
        double s = c[(ncoef - 1) * ndim + i];
        for (int j = ncoef - 2; j >= 0; --j) s = s * t + c[j * ndim + i];
        p[i] = s;
    }
}

__attribute__((noinline)) void hand_curve_call(int ndim, int ncoef, const double* c, double t, double* p) {
    hand_curve(ndim, ncoef, c, t, p);
}

// The reference for value, first and second derivatives (NDIM = 3).
inline void hand_orders(int ncoef, const double* c, double t, double* d) {
    double p[3], d1[3] = {0, 0, 0}, d2[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) p[i] = c[(ncoef - 1) * 3 + i];
    for (int j = ncoef - 2; j >= 0; --j) {
        for (int i = 0; i < 3; ++i) {
            d2[i] = d2[i] * t + d1[i];
            d1[i] = d1[i] * t + p[i];
            p[i] = p[i] * t + c[j * 3 + i];
        }
    }
    for (int i = 0; i < 3; ++i) {
        d[i] = p[i];
        d[3 + i] = d1[i];
        d[6 + i] = 2.0 * d2[i];
    }
}

__attribute__((noinline)) void hand_orders_call(int ncoef, const double* c, double t, double* d) {
    hand_orders(ncoef, c, t, d);
}

void BM_pocurv(benchmark::State& state) {
    const int ndim = static_cast<int>(state.range(0)), ncoef = static_cast<int>(state.range(1));
    Data data(ndim, ncoef);
    double p[4];
    std::size_t k = 0;
    const long before = g_allocs.load();
    for (auto _ : state) {
        double t = data.ts[k++ & 63];
        pocurv(&ndim, &ncoef, data.coef.data(), &t, p);
        benchmark::DoNotOptimize(p);
    }
    state.counters["allocs"] = static_cast<double>(g_allocs.load() - before);
}

template <bool Inline>
void BM_hand_curve(benchmark::State& state) {
    const int ndim = static_cast<int>(state.range(0)), ncoef = static_cast<int>(state.range(1));
    Data data(ndim, ncoef);
    double p[4];
    std::size_t k = 0;
    for (auto _ : state) {
        double t = data.ts[k++ & 63];
        if constexpr (Inline)
            hand_curve(ndim, ncoef, data.coef.data(), t, p);
        else
            hand_curve_call(ndim, ncoef, data.coef.data(), t, p);
        benchmark::DoNotOptimize(p);
    }
}

void BM_mdrvcb(benchmark::State& state) {
    const int ndim = 3, ncoef = static_cast<int>(state.range(0)), iordr = 2;
    Data data(ndim, ncoef);
    double d[9];
    int ier;
    std::size_t k = 0;
    const long before = g_allocs.load();
    for (auto _ : state) {
        double t = data.ts[k++ & 63];
        mdrvcb(&iordr, &ndim, &ncoef, data.coef.data(), &t, d, &ier);
        benchmark::DoNotOptimize(d);
    }
    state.counters["allocs"] = static_cast<double>(g_allocs.load() - before);
}

template <bool Inline>
void BM_hand_orders(benchmark::State& state) {
    const int ncoef = static_cast<int>(state.range(0));
    Data data(3, ncoef);
    double d[9];
    std::size_t k = 0;
    for (auto _ : state) {
        double t = data.ts[k++ & 63];
        if constexpr (Inline)
            hand_orders(ncoef, data.coef.data(), t, d);
        else
            hand_orders_call(ncoef, data.coef.data(), t, d);
        benchmark::DoNotOptimize(d);
    }
}

void curve_args(benchmark::internal::Benchmark* b) {
    for (int ndim : {2, 3, 4})
        for (int ncoef : {4, 6, 11, 21}) b->Args({ndim, ncoef});
}

}  // namespace

BENCHMARK(BM_pocurv)->Apply(curve_args);
BENCHMARK(BM_hand_curve<true>)->Name("BM_hand_inline")->Apply(curve_args);
BENCHMARK(BM_hand_curve<false>)->Name("BM_hand_call")->Apply(curve_args);
BENCHMARK(BM_mdrvcb)->Arg(4)->Arg(6)->Arg(11)->Arg(21);
BENCHMARK(BM_hand_orders<true>)->Name("BM_hand_orders_inline")->Arg(4)->Arg(6)->Arg(11)->Arg(21);
BENCHMARK(BM_hand_orders<false>)->Name("BM_hand_orders_call")->Arg(4)->Arg(6)->Arg(11)->Arg(21);

// Counting replacement of the global allocation functions.
void* operator new(std::size_t n) {
    ++g_allocs;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

BENCHMARK_MAIN();
