// box: boxes of a set of curves: along the coordinate axes from each curve's
// control polygon split at its middle (mblbe0, the polygon by cpolyg or
// ufdplg), and oriented along the principal axes of inertia of the curves,
// centred on their barycentre (mblcr4).
#include <algorithm>
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

constexpr int kMaxBoxCoefficients = 61;  // the Legendre conversion of mblcr4
constexpr std::size_t kMaxCurves = 100;

// The outline of an oriented box in the picture: the faces across its last
// axis (two in 3D) and the edges between them; the rectangle in 2D.
void draw_box(Drawing& d, const std::vector<double>& g, const std::vector<double>& v, const std::vector<double>& ext,
              int dim, const std::string& label) {
    auto corner = [&](double s1, double s2, double s3) {
        std::vector<double> p = g;
        const double s[3] = {s1, s2, s3};
        for (int i = 0; i < std::min(dim, 3); ++i)
            for (int k = 0; k < dim; ++k) p[k] += s[i] * ext[i] * v[i * dim + k];
        return p;
    };
    const double faces = dim >= 3 ? 2 : 1;
    for (int f = 0; f < faces; ++f) {
        const double s3 = dim >= 3 ? (f == 0 ? -1.0 : 1.0) : 0.0;
        d.polygons.push_back({f == 0 ? label : "",
                              {corner(-1, -1, s3), corner(1, -1, s3), corner(1, 1, s3), corner(-1, 1, s3),
                               corner(-1, -1, s3)}});
    }
    if (dim >= 3)
        for (double s1 : {-1.0, 1.0})
            for (double s2 : {-1.0, 1.0}) d.polygons.push_back({"", {corner(s1, s2, -1), corner(s1, s2, 1)}});
}

}  // namespace

Run prepare_box(const Field& root, const Options& options) {
    root.allow_only({"curves", "tolerances"});
    Field cf = root.at("curves");
    const std::size_t n = cf.size();
    if (n == 0) cf.fail("empty: give at least one curve");
    if (n > kMaxCurves) cf.fail("at most " + std::to_string(kMaxCurves) + " curves, found " + std::to_string(n));
    std::vector<Curve> curves;
    for (std::size_t i = 0; i < n; ++i) {
        Field f = cf.at(i);
        Curve c = read_curve(f);
        if (c.ncoef > kMaxBoxCoefficients)
            f.fail("at most " + std::to_string(kMaxBoxCoefficients) + " coefficients (mblcr4), found " +
                   std::to_string(c.ncoef));
        if (i > 0 && c.dim != curves[0].dim)
            f.fail("dimension " + std::to_string(c.dim) + " differs from that of curves[0], " +
                   std::to_string(curves[0].dim));
        if (i > 0 && (c.ta != curves[0].ta || c.tb != curves[0].tb))
            f.fail("every curve must share the interval of curves[0] (mblcr4 takes one interval)");
        if (c.label.empty()) c.label = std::to_string(i + 1).insert(0, 1, 'C');
        curves.push_back(std::move(c));
    }
    options.require_view(curves[0].dim, cf);
    return [curves](Session& s, Output& out) mutable {
        Report r;
        r.command = "box";
        const int dim = curves[0].dim, ncurve = static_cast<int>(curves.size());
        r.title = std::to_string(ncurve) + (ncurve == 1 ? " curve" : " curves") + " of dimension " +
                  std::to_string(dim) + " on [" + format_real(curves[0].ta, 17) + ", " + format_real(curves[0].tb, 17) +
                  "]";
        for (Curve& c : curves)
            if (!resolve_polygon(c, r)) return s.finish(r, out);

        // Along the coordinate axes: the union of the boxes of the control polygons.
        std::vector<double> lo(dim, HUGE_VAL), hi(dim, -HUGE_VAL);
        int ncmax = 1;
        for (Curve& c : curves) {
            std::vector<double> poly(c.coef.size()), work(c.coef.size()), box(2 * static_cast<std::size_t>(dim));
            int ier = 0;
            if (c.ta == 0.0 && c.tb == 1.0) {
                cpolyg(&c.dim, &c.dim, &c.ncoef, c.coef.data(), poly.data(), &ier);
                if (r.call("CPOLYG", ier, c.label) > 0) return s.finish(r, out);
            } else {
                ufdplg(&c.dim, &c.ncoef, c.coef.data(), &c.ta, &c.tb, work.data(), poly.data());
            }
            const int mode = 2;
            mblbe0(poly.data(), &c.dim, &c.ncoef, &mode, box.data(), &ier);
            if (r.call("MBLBE0", ier, c.label) > 0) return s.finish(r, out);
            for (int k = 0; k < dim; ++k) {
                lo[k] = std::min(lo[k], box[2 * k]);
                hi[k] = std::max(hi[k], box[2 * k + 1]);
            }
            ncmax = std::max(ncmax, c.ncoef);
            out.drawing.curves.emplace_back(c.label, c);
        }
        Table& aligned = r.table("aligned", {"component", "min", "max"});
        for (int k = 0; k < dim; ++k) aligned.row({static_cast<long>(k + 1), lo[k], hi[k]});
        if (dim == 2)
            out.drawing.polygons.push_back(
                {"aligned", {{lo[0], lo[1]}, {hi[0], lo[1]}, {hi[0], hi[1]}, {lo[0], hi[1]}, {lo[0], lo[1]}}});

        // Oriented: one block of DIM x NCMAX coefficients per curve.
        std::vector<double> crv(static_cast<std::size_t>(dim) * ncmax * ncurve, 0.0);
        std::vector<int> ncoef;
        for (int c = 0; c < ncurve; ++c) {
            std::copy(curves[c].coef.begin(), curves[c].coef.end(),
                      crv.begin() + static_cast<std::ptrdiff_t>(c) * dim * ncmax);
            ncoef.push_back(curves[c].ncoef);
        }
        const double tint[2] = {curves[0].ta, curves[0].tb};
        const int iopt = 1;
        std::vector<double> g(dim), v(static_cast<std::size_t>(dim) * dim), ext(dim);
        int ier = 0;
        mblcr4(&dim, &ncmax, &ncurve, crv.data(), ncoef.data(), tint, &iopt, g.data(), v.data(), ext.data(), &ier);
        if (r.call("MBLCR4", ier) > 0) return s.finish(r, out);
        r.value("centre", g);
        Table& axes = r.table("oriented", {"axis", "direction", "half-length"});
        for (int i = 0; i < dim; ++i) axes.row({static_cast<long>(i + 1), column(v, dim, i + 1), ext[i]});
        if (dim >= 2) draw_box(out.drawing, g, v, ext, dim, "oriented");
        out.drawing.markers.push_back({"centre", g});
        s.finish(r, out);
    };
}

}  // namespace velcurve
