// eval: points of a curve at parameters (pocurv) and, with an order, the
// derivatives up to that order (mdrvcb).
#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

const char* const help_eval =
    "The document:\n"
    "  curve        {\"dimension\": d, \"coefficients\": [...], \"interval\": [a, b], \"label\": text}, or\n"
    "               {\"polygon\": [[x, y], ...]} for a control polygon on [0, 1] (at most 61 points,\n"
    "               the limit of polygc); d from 1 to 16, at most 100 coefficients\n"
    "  parameters   a number or an array of 1 to 10000 numbers\n"
    "  order        0 to 20 (default 0): also the derivatives d1 .. dr (mdrvcb)\n"
    "  tolerances   optional: eps1, epsnr, epspb, epspb2, eps3d, nitnr, nitln\n"
    "\n"
    "The picture shows the curve on its interval, its control polygon (when at most 61\n"
    "coefficients) and the points at the parameters.\n"
    "\n"
    "example: echo '{\"curve\": {\"coefficients\": [[0, 0], [3, 6], [3, -6], [-2, 0]]}, \"parameters\": 0.5}' |\n"
    "         velcurve eval\n";

Run prepare_eval(const Field& root, const Options& options) {
    root.allow_only({"curve", "parameters", "order", "tolerances"});
    Curve c = read_curve(root.at("curve"));
    limit_curve(root.at("curve"), c, kMaxCoefficients, "the tool");
    options.require_view(c.dim, root.at("curve"));
    std::vector<double> ts = read_parameters(root.at("parameters"));
    int order = root.integer_or("order", 0, 0, 20);
    return [c, ts, order](Session& s, Output& out) mutable {
        Report r;
        r.command = "eval";
        r.title = describe(c);
        if (order > 0) r.value("order", static_cast<long>(order));
        if (!resolve_polygon(c, r)) return s.finish(r, out);
        std::vector<std::string> columns = {"t", "point"};
        for (int k = 1; k <= order; ++k) columns.push_back("d" + std::to_string(k));
        Table& tab = r.table("points", columns);
        out.drawing.curves.emplace_back(c.label.empty() ? "C" : c.label, c);
        out.drawing.polygons.push_back({"control polygon", picture_polygon(c)});

        std::vector<double> p(static_cast<std::size_t>(c.dim));
        std::vector<double> d(static_cast<std::size_t>(c.dim) * static_cast<std::size_t>(order + 1));
        for (double t : ts) {
            pocurv(&c.dim, &c.ncoef, c.coef.data(), &t, p.data());
            std::vector<Value> row = {t, p};
            if (order > 0) {
                int ier = 0;
                mdrvcb(&order, &c.dim, &c.ncoef, c.coef.data(), &t, d.data(), &ier);
                r.call("MDRVCB", ier, "t = " + format_real(t, 17));
                for (int k = 1; k <= order; ++k) row.push_back(column(d, c.dim, k + 1));
            }
            tab.row(std::move(row));
            out.drawing.markers.push_back({"t=" + format_real(t, 6), p});
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
