// What the C++ layer costs over the flat C calls it makes: pocurv and ur1pls
// called directly and through VelCurveBasedMathematics.hpp, on the same data
// in the same run. CxxEvaluateMany is the C++ loop that the Python package's
// vectorised evaluate is measured against (bench/python_bench.py).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "VelCurveBasedMathematics.hpp"

extern "C" {
void aermsg(const char*, const int*, long) {}
void germsg(const char*, long) {}
}

namespace {

velcurve::Curve cubic3() { return velcurve::Curve(3, {0, 0, 0, 3, 6, 1, 3, -6, 2, -2, 0, -1}); }

void CPocurv(benchmark::State& state) {
    auto c = cubic3();
    int dim = 3, n = 4;
    double t = 0.3, p[3];
    for (auto _ : state) {
        pocurv(&dim, &n, c.coef.data(), &t, p);
        benchmark::DoNotOptimize(p);
        t = t < 0.9 ? t + 0.01 : 0.1;
    }
}
BENCHMARK(CPocurv);

void CxxPoint(benchmark::State& state) {
    auto c = cubic3();
    double t = 0.3, p[3];
    for (auto _ : state) {
        velcurve::point(c, t, p);
        benchmark::DoNotOptimize(p);
        t = t < 0.9 ? t + 0.01 : 0.1;
    }
}
BENCHMARK(CxxPoint);

// (t - 0.1)(t - 0.35)(t - 0.6)(t - 0.85)(t - 2)
const std::vector<double> kPoly = {-0.0714, 0.6877, -2.1925, 3.0775, -2.9, 1.0};

void CUr1pls(benchmark::State& state) {
    int n = static_cast<int>(kPoly.size()), nroot = 0, ier = 0;
    double a = 0, b = 1, root[8], aux[8];
    for (auto _ : state) {
        ur1pls(&n, kPoly.data(), &a, &b, &nroot, root, aux, &ier);
        benchmark::DoNotOptimize(root);
    }
}
BENCHMARK(CUr1pls);

void CxxRoots(benchmark::State& state) {
    for (auto _ : state) {
        auto r = velcurve::roots(kPoly);
        benchmark::DoNotOptimize(r.t.data());
    }
}
BENCHMARK(CxxRoots);

// 10,000 points of a planar cubic into one array, as a C++ caller would.
void CxxEvaluateMany(benchmark::State& state) {
    velcurve::Curve c(2, {0, 0, 3, 6, 3, -6, -2, 0});
    std::vector<double> t(10000), out(20000);
    for (std::size_t k = 0; k < t.size(); ++k) t[k] = static_cast<double>(k) / 9999.0;
    for (auto _ : state) {
        for (std::size_t k = 0; k < t.size(); ++k) velcurve::point(c, t[k], std::span<double>(&out[2 * k], 2));
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(CxxEvaluateMany);

}  // namespace

int main(int argc, char** argv) {
    velcurve::Tolerances{}.apply();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
