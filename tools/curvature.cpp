// curvature: a table along a curve of its curvature, radius of curvature,
// torsion (in space) and Frenet frame (mprcrb), with the codes of singular
// points (cvture's classification, the senses and the cusp flag); the
// picture shows the normals as short segments and the osculating circles at
// the requested parameters (cvture's centre and radius).
#include <algorithm>
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

// mprcrb reads its derivatives from the binomial table: degree 60 at most.
constexpr int kMaxCoef = 61;
constexpr int kCircleSides = 72;
constexpr int kMaxSamples = 10000;

std::vector<double> head(const double* v, int n) { return {v, v + n}; }

}  // namespace

Run prepare_curvature(const Field& root, const Options& options) {
    root.allow_only({"curve", "parameters", "samples", "circles", "tolerances"});
    Field cf = root.at("curve");
    Curve c = read_curve(cf);
    const Field counted = cf.at(cf.has("coefficients") ? "coefficients" : "polygon");
    if (c.dim != 2 && c.dim != 3)
        (cf.has("dimension") ? cf.at("dimension") : counted)
            .fail("cvture and mprcrb need dimension 2 or 3, found " + std::to_string(c.dim));
    if (c.ncoef > kMaxCoef)
        counted.fail("mprcrb takes at most " + std::to_string(kMaxCoef) + " coefficients, found " +
                     std::to_string(c.ncoef));
    options.require_view(c.dim, cf);
    if (root.has("parameters") && root.has("samples"))
        root.fail("give either \"parameters\" or \"samples\", not both");
    std::vector<double> ts;
    if (root.has("parameters")) {
        ts = read_parameters(root.at("parameters"));
    } else {
        const int n = root.integer_or("samples", 11, 2, kMaxSamples);
        for (int k = 0; k < n; ++k) ts.push_back(c.ta + (c.tb - c.ta) * k / (n - 1));
    }
    std::vector<double> circles;
    if (root.has("circles")) circles = read_parameters(root.at("circles"));
    return [c, ts, circles](Session& s, Output& out) mutable {
        Report r;
        r.command = "curvature";
        r.title = describe(c);
        if (!resolve_polygon(c, r)) return s.finish(r, out);
        const bool space = c.dim == 3;
        std::vector<std::string> columns = {"t", "point", "curvature", "radius"};
        if (space) columns.push_back("torsion");
        columns.insert(columns.end(), {"tangent", "normal"});
        if (space) columns.push_back("binormal");
        columns.insert(columns.end(), {"senses", "icusp", "cvture"});
        Table& tab = r.table("points", columns);
        out.drawing.curves.emplace_back(c.label.empty() ? "C" : c.label, c);

        double eps = 0.0;
        meps1(&eps);
        const double bounds[2] = {c.ta, c.tb};
        const int iopt = 7, ideriv = 0;
        const std::size_t d = static_cast<std::size_t>(c.dim);
        std::vector<double> work(d * static_cast<std::size_t>(c.ncoef) + 3);

        // The normals are drawn a tenth of the curve's extent long.
        double extent = 0.0;
        {
            std::vector<double> lo(d, INFINITY), hi(d, -INFINITY), p(d);
            for (int k = 0; k <= 64; ++k) {
                double t = c.ta + (c.tb - c.ta) * k / 64;
                pocurv(&c.dim, &c.ncoef, c.coef.data(), &t, p.data());
                for (std::size_t i = 0; i < d; ++i) {
                    lo[i] = std::min(lo[i], p[i]);
                    hi[i] = std::max(hi[i], p[i]);
                }
            }
            for (std::size_t i = 0; i < d; ++i) extent = std::max(extent, hi[i] - lo[i]);
        }
        const double tick = extent > 0.0 ? extent / 10.0 : 1.0;

        struct Osculating {
            int ier = -1;
            double curv = 0.0, radius = 0.0, center[3] = {0, 0, 0};
        };
        auto osculating = [&](double t, const std::vector<double>& p) {
            Osculating o;
            cvture(p.data(), &c.dim, &c.ncoef, c.coef.data(), &t, work.data(), &o.curv, &o.radius, o.center, &o.ier);
            return o;
        };

        for (double t : ts) {
            std::vector<double> p(d);
            pocurv(&c.dim, &c.ncoef, c.coef.data(), &t, p.data());
            double tan[6] = {}, nrm[6] = {}, bin[6] = {}, curv[1], tors[1], dcurv;
            int tsense = 0, nsense = 0, icusp = 0, ier = 0;
            mprcrb(&c.dim, &c.ncoef, c.coef.data(), &t, bounds, &iopt, &eps, &ideriv, tan, nrm, bin, curv, tors,
                   &dcurv, &tsense, &nsense, &icusp, &ier);
            r.call("MPRCRB", ier, "t = " + format_real(t, 17));
            const Osculating o = osculating(t, p);
            std::vector<Value> row = {t, p, curv[0]};
            if (icusp == 1)
                row.push_back(std::string("0 (cusp)"));
            else if (curv[0] > 0.0)
                row.push_back(1.0 / curv[0]);
            else
                row.push_back(std::string("inf"));
            if (space) row.push_back(tors[0]);
            row.push_back(head(tan, c.dim));
            row.push_back(head(nrm, c.dim));
            if (space) row.push_back(head(bin, 3));
            row.push_back(std::to_string(tsense) + std::to_string(nsense));
            row.push_back(static_cast<long>(icusp));
            row.push_back(static_cast<long>(o.ier));
            tab.row(std::move(row));
            out.drawing.markers.push_back({"t=" + format_real(t, 6), p});
            if (ier <= 0 && nrm[0] * nrm[0] + nrm[1] * nrm[1] + nrm[2 % c.dim] * nrm[2 % c.dim] > 0.0) {
                std::vector<double> q(p);
                for (std::size_t i = 0; i < d; ++i) q[i] += tick * nrm[i];
                out.drawing.paths.push_back({"normal t=" + format_real(t, 6), {p, q}});
            }
        }
        r.notes.push_back("senses: TSENSE then NSENSE (1: defined, 0: not, at a cusp or an inflexion); cvture: 0 "
                          "regular, 1 singular point, 2 inflexion, 3 zero curvature, 4 segment");

        if (!circles.empty()) {
            Table& ct = r.table("circles", {"t", "center", "radius", "cvture"});
            for (double t : circles) {
                std::vector<double> p(d);
                pocurv(&c.dim, &c.ncoef, c.coef.data(), &t, p.data());
                const Osculating o = osculating(t, p);
                if (o.ier != 0) {
                    ct.row({t, std::string("-"), std::string("-"), static_cast<long>(o.ier)});
                    continue;
                }
                ct.row({t, head(o.center, c.dim), o.radius, 0L});
                // The circle in the osculating plane: centre + R (cos a U + sin a V),
                // U from the centre to the point, V the unit tangent.
                std::vector<double> u(d), v(d);
                double tn[3], tnorm;
                int torder, tsense, iret;
                mvtang(&c.dim, &c.ncoef, c.coef.data(), &t, &eps, bounds, tn, &tnorm, &torder, &tsense, &iret);
                for (std::size_t i = 0; i < d; ++i) {
                    u[i] = (p[i] - o.center[i]) / o.radius;
                    v[i] = tn[i];
                }
                Drawing::Path circle{"osculating circle t=" + format_real(t, 6), {}};
                for (int k = 0; k <= kCircleSides; ++k) {
                    const double a = 2.0 * M_PI * k / kCircleSides;
                    std::vector<double> q(d);
                    for (std::size_t i = 0; i < d; ++i)
                        q[i] = o.center[i] + o.radius * (std::cos(a) * u[i] + std::sin(a) * v[i]);
                    circle.points.push_back(std::move(q));
                }
                out.drawing.paths.push_back(std::move(circle));
            }
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
