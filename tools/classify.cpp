// classify: points of the plane against a domain bounded by curves (siepf1).
// The tool forms each curve's box from its control polygon on its interval
// (ufdplg) and draws the domain filled, the points coloured by verdict.
#include <algorithm>
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

constexpr int kMaxBoundaryCoef = 21;  // umcvcv's limit per curve
constexpr int kMaxBoundaryCurves = 1000;
constexpr std::size_t kMaxPoints = 10000;

const char* verdict_text(int v) {
    switch (v) {
        case 1: return "inside";
        case -1: return "outside";
        case 0: return "on";
        default: return "undetermined";
    }
}

}  // namespace

Run prepare_classify(const Field& root, const Options& options) {
    root.allow_only({"domain", "points", "tolerance", "tolerances"});
    Field df = root.at("domain");
    const std::size_t given = df.size();
    if (given == 0) df.fail("empty: give the curves of the boundary");
    if (given > static_cast<std::size_t>(kMaxBoundaryCurves))
        df.fail("at most " + std::to_string(kMaxBoundaryCurves) + " curves, found " + std::to_string(given));
    std::vector<Curve> curves;
    for (std::size_t i = 0; i < given; ++i) {
        Field cf = df.at(i);
        Curve c = read_curve(cf);
        if (c.dim != 2) cf.fail("a boundary curve is planar: dimension 2, found " + std::to_string(c.dim));
        if (c.ncoef < 2 || c.ncoef > kMaxBoundaryCoef)
            cf.fail("2 to " + std::to_string(kMaxBoundaryCoef) + " coefficients, found " + std::to_string(c.ncoef));
        curves.push_back(c);
    }
    Field pf = root.at("points");
    const std::size_t listed = pf.size();
    if (listed == 0) pf.fail("empty: give at least one point");
    if (listed > kMaxPoints) pf.fail("at most " + std::to_string(kMaxPoints) + " points, found " + std::to_string(listed));
    std::vector<double> pts;
    for (std::size_t k = 0; k < listed; ++k) {
        std::vector<double> p = read_point(pf.at(k), 2);
        pts.insert(pts.end(), p.begin(), p.end());
    }
    double tolrel = 1e-6;
    if (root.has("tolerance")) {
        Field tf = root.at("tolerance");
        tolrel = tf.number();
        if (!(tolrel >= 0.0 && tolrel < 0.5)) tf.fail("must lie in [0, 0.5), found " + format_real(tolrel, 17));
    }
    options.require_view(2, df);
    return [curves, pts, tolrel](Session& s, Output& out) mutable {
        Report r;
        r.command = "classify";
        r.title = std::to_string(curves.size()) + " boundary curves, " + std::to_string(pts.size() / 2) + " points";
        for (Curve& c : curves)
            if (!resolve_polygon(c, r)) return s.finish(r, out);
        // COEFS(2, NCMAX, NCURVE), INTERVALS(2, NCURVE), NCOEF(NCURVE), BOXES(6, NCURVE).
        int ncmax = 2, ncurve = static_cast<int>(curves.size());
        for (const Curve& c : curves) ncmax = std::max(ncmax, c.ncoef);
        std::vector<double> coefs(static_cast<std::size_t>(2 * ncmax * ncurve), 0.0), intervals, boxes;
        std::vector<int> ncoef;
        for (int i = 0; i < ncurve; ++i) {
            const Curve& c = curves[static_cast<std::size_t>(i)];
            std::copy(c.coef.begin(), c.coef.end(), coefs.begin() + 2 * ncmax * i);
            intervals.insert(intervals.end(), {c.ta, c.tb});
            ncoef.push_back(c.ncoef);
            std::vector<double> work(c.coef.size()), poly(c.coef.size());
            int two = 2, n = c.ncoef;
            ufdplg(&two, &n, c.coef.data(), &c.ta, &c.tb, work.data(), poly.data());
            double x0 = poly[0], x1 = poly[0], y0 = poly[1], y1 = poly[1];
            for (int k = 1; k < n; ++k) {
                x0 = std::min(x0, poly[2 * k]), x1 = std::max(x1, poly[2 * k]);
                y0 = std::min(y0, poly[2 * k + 1]), y1 = std::max(y1, poly[2 * k + 1]);
            }
            boxes.insert(boxes.end(), {x0, y0, x1 - x0, 0.0, 0.0, y1 - y0});
        }
        int ldpt = 2, npoint = static_cast<int>(pts.size() / 2), ier = 0;
        std::vector<int> result(static_cast<std::size_t>(npoint), 10);
        siepf1(&ncmax, &ncurve, coefs.data(), intervals.data(), ncoef.data(), boxes.data(), &ldpt, &npoint,
               pts.data(), &tolrel, result.data(), &ier);
        r.call("SIEPF1", ier);
        r.value("tolerance", tolrel);

        // The domain: the curves sampled in order, a new outline where one does not start at the last end.
        std::vector<Drawing::Path> outlines;
        std::vector<double> last;
        for (const Curve& c : curves) {
            out.drawing.curves.emplace_back(c.label.empty() ? "C" + std::to_string(out.drawing.curves.size() + 1) : c.label, c);
            for (int k = 0; k <= 64; ++k) {
                double t = c.ta + (c.tb - c.ta) * k / 64;
                std::vector<double> p(2);
                pocurv(&c.dim, &c.ncoef, c.coef.data(), &t, p.data());
                if (k == 0 && (last.empty() || std::hypot(p[0] - last[0], p[1] - last[1]) > 1e-9))
                    outlines.push_back({"domain", {}});
                outlines.back().points.push_back(p);
                last = p;
            }
        }
        out.drawing.regions = outlines;
        if (ier == 2 || ier == 3) return s.finish(r, out);
        Table& tab = r.table("points", {"k", "point", "verdict"});
        long counts[3] = {0, 0, 0};
        for (int k = 0; k < npoint; ++k) {
            const int v = result[static_cast<std::size_t>(k)];
            std::vector<double> p = {pts[2 * static_cast<std::size_t>(k)], pts[2 * static_cast<std::size_t>(k) + 1]};
            tab.row({static_cast<long>(k + 1), p, std::string(verdict_text(v))});
            if (v == 1 || v == -1 || v == 0) ++counts[v + 1];
            const char* style = v == 1 ? "inside" : v == -1 ? "outside" : v == 0 ? "on" : "point";
            out.drawing.markers.push_back({std::to_string(k + 1), p, style});
        }
        r.value("inside", counts[2]);
        r.value("on", counts[1]);
        r.value("outside", counts[0]);
        s.finish(r, out);
    };
}

}  // namespace velcurve
