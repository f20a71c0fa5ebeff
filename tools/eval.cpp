// eval: points of a curve at parameters (pocurv) and, with an order, the
// derivatives up to that order (mdrvcb).
#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

Run prepare_eval(const Field& root, const Options& options) {
    root.allow_only({"curve", "parameters", "order", "tolerances"});
    Curve c = read_curve(root.at("curve"));
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
