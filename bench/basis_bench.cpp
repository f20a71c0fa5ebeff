// Canonical <-> control polygon, change of interval and the de Casteljau
// split, 4 to 41 coefficients in 2D and 3D: the unrolled 2D/3D paths against
// the general path on the same curve. The general path is reached through a
// leading dimension one above the used one (cpolyg, polygc, marc41), or by
// timing the general kernel itself (upolyg, whose general path serves the
// dimensions other than 1 to 3). Every benchmark also counts the calls to
// malloc made inside its timed loop (counter "allocs", expected 0).
#include <benchmark/benchmark.h>

#include <cstddef>
#include <random>
#include <vector>

#include "VelCurveBasedMathematics.h"
#include "polynomial/basis_kernels.hpp"

extern "C" void* __libc_malloc(std::size_t);
static long g_allocs = 0;
extern "C" void* malloc(std::size_t n) {
    ++g_allocs;
    return __libc_malloc(n);
}

namespace {

enum Path { kUnrolled, kGeneral };

// A random curve of NCOEF points in dimension ND, stored with leading dimension LD.
std::vector<double> curve(int nd, int ld, int ncoef) {
    std::mt19937 g(1234);
    std::uniform_real_distribution<double> u(-1, 1);
    std::vector<double> c(static_cast<std::size_t>(ld) * ncoef, 0.0);
    for (int j = 0; j < ncoef; ++j)
        for (int i = 0; i < nd; ++i) c[j * ld + i] = u(g);
    return c;
}

template <class Body>
void run(benchmark::State& state, Body body) {
    const long before = g_allocs;
    for (auto _ : state) {
        body();
        benchmark::ClobberMemory();
    }
    state.counters["allocs"] = static_cast<double>(g_allocs - before);
}

void BM_cpolyg(benchmark::State& state) {
    int nd = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1)), ier = 0;
    int ld = state.range(2) == kUnrolled ? nd : nd + 1;
    auto c = curve(nd, ld, n);
    std::vector<double> p(c.size());
    run(state, [&] { cpolyg(&ld, &nd, &n, c.data(), p.data(), &ier); });
}

void BM_polygc(benchmark::State& state) {
    int nd = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1)), ier = 0;
    int ld = state.range(2) == kUnrolled ? nd : nd + 1;
    auto p = curve(nd, ld, n);
    std::vector<double> c(p.size());
    run(state, [&] { polygc(&ld, &nd, &n, p.data(), c.data(), &ier); });
}

void BM_marc41(benchmark::State& state) {
    int nd = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1)), ier = 0;
    int ld = state.range(2) == kUnrolled ? nd : nd + 1;
    auto c = curve(nd, ld, n);
    std::vector<double> out(c.size());
    double ta = 0.2, tb = 0.7;
    run(state, [&] { marc41(&ld, &nd, &n, c.data(), &ta, &tb, out.data(), &ier); });
}

void BM_upolyg(benchmark::State& state) {
    int nd = static_cast<int>(state.range(0)), n = static_cast<int>(state.range(1));
    auto p = curve(nd, nd, n);
    std::vector<double> w(static_cast<std::size_t>(n) * n), l(p.size()), r(p.size());
    if (state.range(2) == kUnrolled)
        run(state, [&] { upolyg(&nd, &n, &n, p.data(), w.data(), l.data(), r.data()); });
    else
        run(state, [&] {
            vcbm::basis::split_triangle(nd, n, n, p.data(), w.data(), l.data(), r.data(), vcbm::basis::Half{});
        });
}

void sizes(benchmark::internal::Benchmark* b) {
    b->ArgNames({"dim", "ncoef", "general"});
    for (int nd : {2, 3})
        for (int n : {4, 11, 21, 41})
            for (int path : {kUnrolled, kGeneral}) b->Args({nd, n, path});
}

}  // namespace

BENCHMARK(BM_cpolyg)->Apply(sizes);
BENCHMARK(BM_polygc)->Apply(sizes);
BENCHMARK(BM_marc41)->Apply(sizes);
BENCHMARK(BM_upolyg)->Apply(sizes);

BENCHMARK_MAIN();
