// intersect: the intersections of two curves in the plane or in space
// (umcvcv), all of them (option 1) or one refined from a start pair (option
// 2). Each pair is listed with the points of both curves and their
// distance; the picture shows both curves, their control polygons (ufdplg)
// and the crossings, numbered.
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

constexpr int kMinCoef = 2, kMaxCoef = 21;  // umcvcv's limits
constexpr int kMaxCapacity = 1000;          // pairs the tool keeps room for

// The control polygon of C on its interval.
std::vector<std::vector<double>> polygon_of(const Curve& c) {
    std::vector<double> work(c.coef.size(), 0.0), poly(c.coef.size(), 0.0);
    int dim = c.dim, n = c.ncoef;
    double ta = c.ta, tb = c.tb;
    ufdplg(&dim, &n, c.coef.data(), &ta, &tb, work.data(), poly.data());
    return points(poly, c.dim, n);
}

}  // namespace

Run prepare_intersect(const Field& root, const Options& options) {
    root.allow_only({"curves", "option", "start", "capacity", "tolerances"});
    Field list = root.at("curves");
    if (list.size() != 2) list.fail("two curves are intersected, found " + std::to_string(list.size()));
    Curve c[2] = {read_curve(list.at(std::size_t{0})), read_curve(list.at(std::size_t{1}))};
    for (int i = 0; i < 2; ++i) {
        Field f = list.at(static_cast<std::size_t>(i));
        if (c[i].dim != 2 && c[i].dim != 3) f.fail("umcvcv works in dimension 2 or 3, found " + std::to_string(c[i].dim));
        if (c[i].ncoef < kMinCoef || c[i].ncoef > kMaxCoef)
            f.fail("umcvcv takes " + std::to_string(kMinCoef) + " to " + std::to_string(kMaxCoef) +
                   " coefficients, found " + std::to_string(c[i].ncoef));
        options.require_view(c[i].dim, f);
        if (c[i].label.empty()) c[i].label = i == 0 ? "C1" : "C2";
    }
    if (c[0].dim != c[1].dim)
        list.at(std::size_t{1}).fail("both curves must have the same dimension, found " + std::to_string(c[0].dim) +
                                     " and " + std::to_string(c[1].dim));
    const int option = root.integer_or("option", 1, 1, 2);
    std::vector<double> start = {0.0, 0.0};
    if (option == 2) start = root.at("start").numbers(2);
    else if (root.has("start")) root.at("start").fail("a start pair is read with option 2 only");
    const int capacity = root.integer_or("capacity", 50, 0, kMaxCapacity);
    return [c, option, start, capacity](Session& s, Output& out) mutable {
        Report r;
        r.command = "intersect";
        r.title = describe(c[0]) + " and " + describe(c[1]);
        for (Curve& cv : c)
            if (!resolve_polygon(cv, r)) return s.finish(r, out);
        int ndim = c[0].dim, n1 = c[0].ncoef, n2 = c[1].ncoef, iopt = option, nmax = capacity, nsol = 0, ier = 0;
        std::vector<double> sol(2 * static_cast<std::size_t>(std::max(capacity, 1)), 0.0);
        sol[0] = start[0];
        sol[1] = start[1];
        umcvcv(&ndim, &n1, c[0].coef.data(), &c[0].ta, &c[0].tb, &n2, c[1].coef.data(), &c[1].ta, &c[1].tb, &iopt,
               &nmax, &nsol, sol.data(), &ier);
        r.call("UMCVCV", ier);
        if (option == 2) r.value("start", start);
        r.value("nsol", static_cast<long>(nsol));
        for (const Curve& cv : c) {
            out.drawing.curves.emplace_back(cv.label, cv);
            out.drawing.polygons.push_back({cv.label + " polygon", polygon_of(cv)});
        }
        Table& tab = r.table("pairs", {"k", "t1", "t2", "point1", "point2", "distance"});
        std::vector<double> p(static_cast<std::size_t>(ndim)), q(static_cast<std::size_t>(ndim));
        for (int k = 0; k < nsol && k < capacity; ++k) {
            double t1 = sol[2 * static_cast<std::size_t>(k)], t2 = sol[2 * static_cast<std::size_t>(k) + 1];
            pocurv(&ndim, &n1, c[0].coef.data(), &t1, p.data());
            pocurv(&ndim, &n2, c[1].coef.data(), &t2, q.data());
            double d = 0.0;
            for (int i = 0; i < ndim; ++i) d += (p[i] - q[i]) * (p[i] - q[i]);
            tab.row({static_cast<long>(k + 1), t1, t2, p, q, std::sqrt(d)});
            out.drawing.markers.push_back({std::to_string(k + 1), p});
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
