// Point-in-domain throughput: 10,000 random points against a domain bounded
// by 12 cubics (a wavy ring around a circle), and against the same domain as
// a 48-segment polygon, with siepf1, next to lib2geom's Path::winding on the
// same boundary. The counters give the points that needed a turned ray (the
// 1-degree ray met the boundary badly) and the disagreements with lib2geom.
#include <benchmark/benchmark.h>

#include <2geom/bezier-curve.h>
#include <2geom/path.h>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "VelCurveBasedMathematics.h"
#include "bench/tolerances.hpp"

namespace {

constexpr int kPoints = 10000;
constexpr int kNcmax = 4;

struct Domain {
    int ncurve = 0;
    std::vector<double> coefs, intervals, boxes;
    std::vector<int> ncoef;
    std::vector<std::vector<std::array<double, 2>>> beziers;

    void add(const std::vector<std::array<double, 2>>& bez) {
        const int n = static_cast<int>(bez.size());
        std::vector<double> poly(2 * n), c(2 * kNcmax, 0.0);
        for (int k = 0; k < n; ++k) poly[2 * k] = bez[k][0], poly[2 * k + 1] = bez[k][1];
        int ier = 0;
        if (n == 4) mpolc2(&n, poly.data(), c.data(), &ier);
        else c[0] = bez[0][0], c[1] = bez[0][1], c[2] = bez[1][0] - bez[0][0], c[3] = bez[1][1] - bez[0][1];
        // The box of the control points, one coordinate at a time.
        double lo[2], hi[2];
        for (int d = 0; d < 2; ++d) {
            lo[d] = hi[d] = poly[d];
            for (int k = 1; k < n; ++k) lo[d] = std::min(lo[d], poly[2 * k + d]), hi[d] = std::max(hi[d], poly[2 * k + d]);
        }
        beziers.push_back(bez);
        boxes.insert(boxes.end(), {lo[0], lo[1], hi[0] - lo[0], 0.0, 0.0, hi[1] - lo[1]});
        coefs.insert(coefs.end(), c.begin(), c.end());
        intervals.insert(intervals.end(), {0.0, 1.0});
        ncoef.push_back(n);
        ++ncurve;
    }
};

// Point at angle a on the wavy circle, and its tangent scaled for one twelfth of a turn.
std::array<double, 2> wave(double a) {
    const double r = 1 + 0.15 * std::cos(5 * a);
    return {r * std::cos(a), r * std::sin(a)};
}

Domain cubic_domain() {
    Domain d;
    const double step = 2 * M_PI / 12;
    for (int k = 0; k < 12; ++k) {
        const double a0 = k * step, a1 = (k + 1) * step, h = 1e-6;
        auto p0 = wave(a0), p3 = wave(a1);
        auto t0 = wave(a0 + h), t1 = wave(a1 - h);
        const double s = step / 3 / h;
        std::array<double, 2> p1{p0[0] + (t0[0] - p0[0]) * s, p0[1] + (t0[1] - p0[1]) * s};
        std::array<double, 2> p2{p3[0] + (t1[0] - p3[0]) * s, p3[1] + (t1[1] - p3[1]) * s};
        if (k == 11) p3 = wave(0);
        d.add({p0, p1, p2, p3});
    }
    return d;
}

// The same boundary through 48 vertices on the cubics, joined by segments.
Domain polygon_domain(const Domain& cubics) {
    Domain d;
    std::vector<std::array<double, 2>> v;
    for (int i = 0; i < cubics.ncurve; ++i)
        for (int k = 0; k < 4; ++k) {
            const double t = k / 4.0, s = 1 - t;
            const auto& b = cubics.beziers[i];
            v.push_back({s * s * s * b[0][0] + 3 * s * s * t * b[1][0] + 3 * s * t * t * b[2][0] + t * t * t * b[3][0],
                         s * s * s * b[0][1] + 3 * s * s * t * b[1][1] + 3 * s * t * t * b[2][1] + t * t * t * b[3][1]});
        }
    for (std::size_t k = 0; k < v.size(); ++k) d.add({v[k], v[(k + 1) % v.size()]});
    return d;
}

Geom::Path to_path(const Domain& d) {
    Geom::Path path(Geom::Point(d.beziers[0][0][0], d.beziers[0][0][1]));
    for (const auto& b : d.beziers) {
        if (b.size() == 4)
            path.appendNew<Geom::CubicBezier>(Geom::Point(b[1][0], b[1][1]), Geom::Point(b[2][0], b[2][1]),
                                              Geom::Point(b[3][0], b[3][1]));
        else
            path.appendNew<Geom::LineSegment>(Geom::Point(b[1][0], b[1][1]));
    }
    path.close();
    return path;
}

const std::vector<double>& points() {
    static const std::vector<double> p = [] {
        std::mt19937 g(77);
        std::uniform_real_distribution<double> u(-1.3, 1.3);
        std::vector<double> v(2 * kPoints);
        for (double& x : v) x = u(g);
        return v;
    }();
    return p;
}

const Domain& domain(int polygon) {
    static const Domain cubics = cubic_domain(), poly = polygon_domain(cubics);
    return polygon ? poly : cubics;
}

// Points whose 1-degree ray meets some boundary curve badly (siepfc code -1).
int turned_rays(const Domain& d) {
    const auto& pts = points();
    int turned = 0;
    const double a = M_PI / 180, dir[2] = {std::cos(a), std::sin(a)}, radius = 10, tolrel = 1e-6, eps = 1e-10;
    for (int k = 0; k < kPoints; ++k) {
        bool bad = false;
        for (int i = 0; i < d.ncurve && !bad; ++i) {
            int hit = 0, iflag = 0, ninter = 0, ierc = 0;
            sbtid1(&pts[2 * k], dir, &d.boxes[6 * i], &hit);
            if (!hit) continue;
            double x[42];
            siepfc(&d.ncoef[i], &d.coefs[2 * kNcmax * i], &d.intervals[2 * i], &pts[2 * k], dir, &radius, &tolrel,
                   &eps, &iflag, &ninter, x, &ierc);
            bad = ierc == -1;
        }
        turned += bad;
    }
    return turned;
}

void BM_siepf1(benchmark::State& state) {
    bench::fill_tolerances();
    const Domain& d = domain(static_cast<int>(state.range(0)));
    const auto& pts = points();
    std::vector<int> result(kPoints);
    int ncmax = kNcmax, ldpt = 2, np = kPoints, ier = 0;
    double tolrel = 1e-6;
    for (auto _ : state) {
        siepf1(&ncmax, &d.ncurve, d.coefs.data(), d.intervals.data(), d.ncoef.data(), d.boxes.data(), &ldpt, &np,
               pts.data(), &tolrel, result.data(), &ier);
        benchmark::DoNotOptimize(result.data());
    }
    const Geom::Path path = to_path(d);
    int disagree = 0, inside = 0;
    for (int k = 0; k < kPoints; ++k) {
        const int w = path.winding(Geom::Point(pts[2 * k], pts[2 * k + 1]));
        disagree += (w % 2 != 0) != (result[k] == 1);
        inside += result[k] == 1;
    }
    state.counters["ier"] = ier;
    state.counters["inside"] = inside;
    state.counters["disagree_2geom"] = disagree;
    state.counters["turned_rays"] = turned_rays(d);
    state.SetItemsProcessed(state.iterations() * kPoints);
}

void BM_2geom_winding(benchmark::State& state) {
    const Geom::Path path = to_path(domain(static_cast<int>(state.range(0))));
    const auto& pts = points();
    for (auto _ : state) {
        int inside = 0;
        for (int k = 0; k < kPoints; ++k) inside += path.winding(Geom::Point(pts[2 * k], pts[2 * k + 1])) % 2 != 0;
        benchmark::DoNotOptimize(inside);
    }
    state.SetItemsProcessed(state.iterations() * kPoints);
}

// Argument: 0 the 12 cubics, 1 the 48-segment polygon.
BENCHMARK(BM_siepf1)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_2geom_winding)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
