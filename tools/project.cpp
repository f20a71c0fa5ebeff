// project: the nearest (or farthest) points of a curve from each given point,
// by pieces on [0, 1] (mcvpds) or in Bernstein form on the curve's interval
// (mdpcv0). The picture shows the foot points and the segments from each point.
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

constexpr int kProjectionLimit = 21;  // mcvpds, mdpcv0
constexpr int kListSize = 8;          // NMAX handed to mdpcv0

struct Foot {
    double t;
    std::vector<double> point;
    std::string kind;  // "point", "solution interval", "noisy interval"
};

}  // namespace

Run prepare_project(const Field& root, const Options& options) {
    root.allow_only({"curve", "points", "farthest", "method", "eps", "tolerances"});
    Field cf = root.at("curve");
    Curve c = read_curve(cf);
    if (c.dim != 2 && c.dim != 3) cf.fail("the projection works in dimension 2 or 3, found " + std::to_string(c.dim));
    if (c.ncoef > kProjectionLimit)
        cf.fail("at most " + std::to_string(kProjectionLimit) + " coefficients, found " + std::to_string(c.ncoef));
    options.require_view(c.dim, cf);
    Field pf = root.at("points");
    std::vector<std::vector<double>> xs;
    for (std::size_t i = 0; i < pf.size(); ++i) xs.push_back(read_point(pf.at(i), c.dim));
    if (xs.empty()) pf.fail("empty: give at least one point");
    bool farthest = false;
    if (root.has("farthest")) {
        if (!root.at("farthest").json().is_boolean()) root.at("farthest").fail("expected true or false");
        farthest = root.at("farthest").json().get<bool>();
    }
    std::string method = root.has("method") ? root.at("method").text() : (farthest ? "bernstein" : "pieces");
    if (method != "pieces" && method != "bernstein") root.at("method").fail("expected \"pieces\" or \"bernstein\"");
    if (method == "pieces" && farthest) root.at("method").fail("the farthest points are found in Bernstein form only");
    if (method == "pieces" && (c.ta != 0.0 || c.tb != 1.0))
        cf.at("interval").fail("by pieces the curve is taken on [0, 1]; use \"method\": \"bernstein\"");
    const double eps = root.number_or("eps", 1e-9);
    if (!(eps > 0.0)) root.at("eps").fail("must be positive");
    return [c, xs, farthest, method, eps](Session& s, Output& out) mutable {
        Report r;
        r.command = "project";
        r.title = describe(c) + ", " + std::to_string(xs.size()) + (xs.size() == 1 ? " point" : " points") + ", " +
                  (farthest ? "farthest" : "nearest") + " by " + (method == "pieces" ? "mcvpds" : "mdpcv0");
        if (!resolve_polygon(c, r)) return s.finish(r, out);
        out.drawing.curves.emplace_back(c.label.empty() ? "C" : c.label, c);
        Table& tab = r.table("projections", {"point", "k", "t", "foot", "distance", "kind"});
        const int cap = 2 * c.ncoef - 1;
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const std::vector<double>& x = xs[i];
            std::vector<Foot> feet;
            double dist = 0.0;
            int ier = 0;
            const std::string at = "point " + std::to_string(i + 1);
            if (method == "pieces") {
                int nsol = 0;
                std::vector<double> params(static_cast<std::size_t>(cap)), proj(static_cast<std::size_t>(cap * c.dim));
                mcvpds(&c.dim, &c.ncoef, c.coef.data(), x.data(), &nsol, params.data(), proj.data(), &dist, &ier);
                r.call("MCVPDS", ier, at);
                if (ier > 0) continue;
                for (int k = 0; k < nsol && k < cap; ++k)
                    feet.push_back({params[static_cast<std::size_t>(k)], column(proj, c.dim, k + 1), "point"});
            } else {
                int sens = farthest ? -1 : 1, nmax = kListSize, npts = 0, nint = 0, nnoise = 0;
                const double bounds[2] = {c.ta, c.tb}, epsa = 1e-13, epsb = 1e-13;
                std::vector<double> par(kListSize), pts(static_cast<std::size_t>(kListSize * c.dim)), ints(2 * kListSize),
                    noise(2 * kListSize);
                mdpcv0(&c.dim, &c.ncoef, c.coef.data(), bounds, x.data(), &sens, &eps, &epsa, &epsb, &nmax, &npts,
                       par.data(), pts.data(), &nint, ints.data(), &nnoise, noise.data(), &dist, &ier);
                r.call("MDPCV0", ier, at);
                if (ier > 0 || ier == -2 || ier == -3) {
                    if (ier < 0) tab.row({static_cast<long>(i + 1), 0L, std::string("-"), std::string("-"), dist,
                                          std::string(ier == -2 ? "on a sphere around the point" : "the curve is a point")});
                    continue;
                }
                for (int k = 0; k < npts; ++k)
                    feet.push_back({par[static_cast<std::size_t>(k)], column(pts, c.dim, k + 1), "point"});
                auto middles = [&](const std::vector<double>& v, int count, const char* kind) {
                    for (int k = 0; k < count; ++k) {
                        double t = (v[static_cast<std::size_t>(2 * k)] + v[static_cast<std::size_t>(2 * k + 1)]) / 2.0;
                        std::vector<double> p(static_cast<std::size_t>(c.dim));
                        pocurv(&c.dim, &c.ncoef, c.coef.data(), &t, p.data());
                        feet.push_back({t, p, kind});
                    }
                };
                middles(ints, nint, "solution interval");
                middles(noise, nnoise, "noisy interval");
            }
            out.drawing.markers.push_back({"X" + std::to_string(i + 1), x});
            for (std::size_t k = 0; k < feet.size(); ++k) {
                const Foot& f = feet[k];
                tab.row({static_cast<long>(i + 1), static_cast<long>(k + 1), f.t, f.point, dist, f.kind});
                out.drawing.markers.push_back({"t=" + format_real(f.t, 6), f.point});
                out.drawing.polygons.push_back({"", {x, f.point}});
            }
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
