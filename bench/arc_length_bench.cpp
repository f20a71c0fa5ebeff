// Arc length to 1e-10 relative on sets of 3D quintics and 2D cubics:
// mcglc1 (tolerance 1e-10 times mloncv's first estimate, both in the timed
// call) next to GSL's adaptive qag with the 21-point Gauss-Kronrod rule on
// |C'(t)| and SISL's s1240 on the curve as a Bezier spline. Each run also
// reports the worst relative error against a long double Gauss-Kronrod
// reference and how many curves missed 1e-10. Then mposcv at fractions of
// the length: time per call and iterations per call.
#include <benchmark/benchmark.h>
#include <gsl/gsl_integration.h>
#include <sisl.h>

#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <cmath>
#include <random>
#include <vector>

#include "VelCurveBasedMathematics.h"

namespace {

constexpr int kCurves = 16;
constexpr double kRel = 1e-10;

struct Curve {
    int ndim, ncoef;
    std::vector<double> coef;  // canonical, COEF(NDIM, NCOEF)
    std::vector<double> bez;   // Bezier control points on [0, 1]
    long double exact;

    double speed(double t) const {
        double n = 0.0;
        for (int i = 0; i < ndim; ++i) {
            double d = 0.0;
            for (int j = ncoef - 1; j >= 1; --j) d = d * t + j * coef[j * ndim + i];
            n += d * d;
        }
        return std::sqrt(n);
    }
};

std::vector<Curve> make_curves(int ndim, int ncoef) {
    std::mt19937 g(1234 + ndim);
    std::uniform_real_distribution<double> u(-2.0, 2.0);
    std::vector<Curve> out;
    for (int k = 0; k < kCurves; ++k) {
        Curve c{ndim, ncoef, std::vector<double>(ndim * ncoef), std::vector<double>(ndim * ncoef), 0};
        for (double& x : c.coef) x = u(g);
        int ier = 0;
        cpolyg(&ndim, &ndim, &ncoef, c.coef.data(), c.bez.data(), &ier);
        auto f = [&](long double t) {
            long double n = 0;
            for (int i = 0; i < ndim; ++i) {
                long double d = 0;
                for (int j = ncoef - 1; j >= 1; --j) d = d * t + j * static_cast<long double>(c.coef[j * ndim + i]);
                n += d * d;
            }
            return std::sqrt(n);
        };
        c.exact = boost::math::quadrature::gauss_kronrod<long double, 61>::integrate(f, 0.0L, 1.0L, 20, 1e-18L);
        out.push_back(std::move(c));
    }
    return out;
}

const std::vector<Curve>& curves(int ndim) {
    static const std::vector<Curve> quintics = make_curves(3, 6), cubics = make_curves(2, 4);
    return ndim == 3 ? quintics : cubics;
}

// Worst relative error and misses of the last lengths of one pass.
void accuracy(benchmark::State& state, const std::vector<Curve>& cs, const std::vector<double>& len) {
    double worst = 0.0;
    int missed = 0;
    for (std::size_t k = 0; k < cs.size(); ++k) {
        const double rel = static_cast<double>(std::fabs(len[k] - cs[k].exact) / cs[k].exact);
        worst = std::fmax(worst, rel);
        missed += rel > kRel;
    }
    state.counters["worst_rel_err"] = worst;
    state.counters["missed"] = missed;
}

void BM_mcglc1(benchmark::State& state) {
    const auto& cs = curves(static_cast<int>(state.range(0)));
    std::vector<double> len(cs.size());
    for (auto _ : state) {
        for (std::size_t k = 0; k < cs.size(); ++k) {
            const Curve& c = cs[k];
            double a = 0, b = 1, first = 0, diff = 0;
            int ier = 0;
            mloncv(&c.ndim, &c.ndim, &c.ncoef, c.coef.data(), &a, &b, &first, &ier);
            double eps = kRel * first;
            mcglc1(&c.ndim, &c.ndim, &c.ncoef, c.coef.data(), &a, &b, &eps, &len[k], &diff, &ier);
        }
        benchmark::DoNotOptimize(len.data());
    }
    accuracy(state, cs, len);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(cs.size()));
}

void BM_gsl_qag21(benchmark::State& state) {
    const auto& cs = curves(static_cast<int>(state.range(0)));
    std::vector<double> len(cs.size());
    gsl_integration_workspace* w = gsl_integration_workspace_alloc(200);
    for (auto _ : state) {
        for (std::size_t k = 0; k < cs.size(); ++k) {
            gsl_function f;
            f.function = [](double t, void* p) { return static_cast<const Curve*>(p)->speed(t); };
            f.params = const_cast<Curve*>(&cs[k]);
            double err = 0;
            gsl_integration_qag(&f, 0.0, 1.0, 0.0, kRel, 200, GSL_INTEG_GAUSS21, w, &len[k], &err);
        }
        benchmark::DoNotOptimize(len.data());
    }
    gsl_integration_workspace_free(w);
    accuracy(state, cs, len);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(cs.size()));
}

void BM_sisl_s1240(benchmark::State& state) {
    const auto& cs = curves(static_cast<int>(state.range(0)));
    std::vector<double> len(cs.size());
    std::vector<SISLCurve*> sc;
    for (const Curve& c : cs) {
        std::vector<double> knots(2 * c.ncoef);
        for (int j = 0; j < c.ncoef; ++j) knots[j] = 0.0, knots[c.ncoef + j] = 1.0;
        sc.push_back(newCurve(c.ncoef, c.ncoef, knots.data(), const_cast<double*>(c.bez.data()), 1, c.ndim, 1));
    }
    for (auto _ : state) {
        for (std::size_t k = 0; k < cs.size(); ++k) {
            int stat = 0;
            s1240(sc[k], kRel * static_cast<double>(cs[k].exact), &len[k], &stat);
        }
        benchmark::DoNotOptimize(len.data());
    }
    for (SISLCurve* c : sc) freeCurve(c);
    accuracy(state, cs, len);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(cs.size()));
}

// mposcv at fractions 0.1 .. 0.9 of each curve's length, to 1e-10 relative.
// The position found is checked once, before the timing, by measuring the
// length up to it.
void BM_mposcv(benchmark::State& state) {
    const auto& cs = curves(static_cast<int>(state.range(0)));
    long calls = 0, iterations = 0;
    auto locate = [&](const Curve& c, double ratio, double& u, int& niter) {
        double a = 0, b = 1, lena = 0, lenb = static_cast<double>(c.exact), tol = kRel * lenb;
        int ier = 0;
        mposcv(&c.ndim, &c.ndim, &c.ncoef, c.coef.data(), &a, &b, &lena, &lenb, &ratio, &u, &tol, &niter, &ier);
        return ier;
    };
    double worst = 0.0;
    int failed = 0;
    for (const Curve& c : cs) {
        for (int f = 1; f <= 9; ++f) {
            double u = 0, a = 0, len = 0, diff = 0, eps = 1e-14;
            int niter = 0, ier = 0;
            failed += locate(c, f / 10.0, u, niter) != 0;
            mcglc1(&c.ndim, &c.ndim, &c.ncoef, c.coef.data(), &a, &u, &eps, &len, &diff, &ier);
            worst = std::fmax(worst, static_cast<double>(std::fabs(len - f / 10.0 * c.exact) / c.exact));
        }
    }
    for (auto _ : state) {
        for (const Curve& c : cs) {
            for (int f = 1; f <= 9; ++f) {
                double u = 0;
                int niter = 0;
                locate(c, f / 10.0, u, niter);
                benchmark::DoNotOptimize(u);
                ++calls;
                iterations += niter;
            }
        }
    }
    state.counters["iterations_per_call"] = static_cast<double>(iterations) / static_cast<double>(calls);
    state.counters["worst_rel_err"] = worst;
    state.counters["failed"] = failed;
    state.SetItemsProcessed(calls);
}

BENCHMARK(BM_mcglc1)->Arg(3)->Arg(2);
BENCHMARK(BM_gsl_qag21)->Arg(3)->Arg(2);
BENCHMARK(BM_sisl_s1240)->Arg(3)->Arg(2)->Iterations(20);
BENCHMARK(BM_mposcv)->Arg(3)->Arg(2);

}  // namespace

BENCHMARK_MAIN();
