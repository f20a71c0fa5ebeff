// bezier: the control polygon of a curve (cpolyg, or ufdplg on an interval
// other than [0, 1]) and its de Casteljau split at a parameter (uplygg). A
// curve given by its polygon is first converted to coefficients (polygc).
#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

Table& points_table(Report& r, const char* key, const std::vector<double>& a, int dim, int count) {
    Table& t = r.table(key, {"k", "point"});
    for (int k = 0; k < count; ++k) t.row({static_cast<long>(k), column(a, dim, k + 1)});
    return t;
}

}  // namespace

const char* const help_bezier =
    "The document:\n"
    "  curve        {\"dimension\": d, \"coefficients\": [...], \"interval\": [a, b], \"label\": text}, or\n"
    "               {\"polygon\": [[x, y], ...]} for a control polygon on [0, 1]; 1 to 61\n"
    "               coefficients or points (the limit of cpolyg, ufdplg and polygc)\n"
    "  split        optional: a parameter of the curve; the polygon is split there (uplygg)\n"
    "  tolerances   optional: eps1, epsnr, epspb, epspb2, eps3d, nitnr, nitln\n"
    "\n"
    "Prints the control polygon of the curve on its interval (cpolyg on [0, 1], ufdplg on\n"
    "another) and, with split, the left and right polygons. The picture shows the curve, its\n"
    "polygon, the two halves and the split point.\n";

// Converts a curve read as a control polygon into coefficients; false when
// the library refuses (the code is in the report).
bool resolve_polygon(Curve& c, Report& r) {
    if (!c.from_polygon || !c.coef.empty()) return true;
    c.coef.assign(c.polygon.size(), 0.0);
    int ier = 0;
    polygc(&c.dim, &c.dim, &c.ncoef, c.polygon.data(), c.coef.data(), &ier);
    r.call("POLYGC", ier);
    if (ier > 0) return false;
    Table& t = r.table("coefficients", {"k", "coefficient"});
    for (int k = 0; k < c.ncoef; ++k) t.row({static_cast<long>(k), column(c.coef, c.dim, k + 1)});
    return true;
}

Run prepare_bezier(const Field& root, const Options& options) {
    root.allow_only({"curve", "split", "tolerances"});
    Curve c = read_curve(root.at("curve"));
    limit_curve(root.at("curve"), c, kMaxPolygon, c.ta == 0.0 && c.tb == 1.0 ? "cpolyg" : "ufdplg");
    options.require_view(c.dim, root.at("curve"));
    bool split = root.has("split");
    double t = split ? root.at("split").number() : 0.0;
    return [c, split, t](Session& s, Output& out) mutable {
        Report r;
        r.command = "bezier";
        r.title = describe(c);
        if (!resolve_polygon(c, r)) return s.finish(r, out);
        const int n = c.ncoef;
        std::vector<double> poly(c.coef.size(), 0.0);
        if (c.ta == 0.0 && c.tb == 1.0) {
            int ier = 0;
            cpolyg(&c.dim, &c.dim, &n, c.coef.data(), poly.data(), &ier);
            if (r.call("CPOLYG", ier) > 0) return s.finish(r, out);
        } else {
            std::vector<double> work(c.coef.size(), 0.0);
            ufdplg(&c.dim, &n, c.coef.data(), &c.ta, &c.tb, work.data(), poly.data());
            r.notes.push_back("the polygon of the arc on [" + format_real(c.ta, 17) + ", " + format_real(c.tb, 17) +
                              "], by ufdplg");
        }
        points_table(r, "polygon", poly, c.dim, n);
        out.drawing.curves.emplace_back(c.label.empty() ? "C" : c.label, c);
        out.drawing.polygons.push_back({"control polygon", points(poly, c.dim, n)});

        if (split) {
            // The split parameter is the curve's; uplygg works on the polygon's [0, 1].
            double local = (t - c.ta) / (c.tb - c.ta);
            std::vector<double> work(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), 0.0);
            std::vector<double> left(poly.size(), 0.0), right(poly.size(), 0.0);
            uplygg(&c.dim, &n, &n, poly.data(), &local, work.data(), left.data(), right.data());
            r.value("split at", t);
            if (local != t) r.value("T of uplygg", local);
            r.value("split point", column(left, c.dim, n));
            points_table(r, "left", left, c.dim, n);
            points_table(r, "right", right, c.dim, n);
            out.drawing.polygons.push_back({"left", points(left, c.dim, n)});
            out.drawing.polygons.push_back({"right", points(right, c.dim, n)});
            out.drawing.markers.push_back({"t=" + format_real(t, 6), column(left, c.dim, n)});
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
