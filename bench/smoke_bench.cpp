// Cost of the calling frame itself: a traced getter at trace level 0.
#include <benchmark/benchmark.h>

#include "VelCurveBasedMathematics.h"

static void BM_mepsnr(benchmark::State& state) {
    double eps;
    int nit;
    for (auto _ : state) {
        mepsnr(&eps, &nit);
        benchmark::DoNotOptimize(eps);
    }
}
BENCHMARK(BM_mepsnr);

BENCHMARK_MAIN();
