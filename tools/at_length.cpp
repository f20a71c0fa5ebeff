// at-length: parameters and points at fractions of the length of a curve
// over its interval (mcglc1 for the length, mposcv for each fraction); the
// picture marks equally spaced arc-length points.
#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

double read_length_tolerance(const Field& root);

Run prepare_at_length(const Field& root, const Options& options) {
    root.allow_only({"curve", "fractions", "marks", "tolerance", "tolerances"});
    Field cf = root.at("curve");
    Curve c = read_curve(cf);
    options.require_view(c.dim, cf);
    Field ff = root.at("fractions");
    std::vector<double> fractions = read_parameters(ff);
    for (std::size_t k = 0; k < fractions.size(); ++k)
        if (!(fractions[k] >= 0.0 && fractions[k] <= 1.0))
            ff.fail("must lie between 0 and 1, found " + format_real(fractions[k], 17));
    const int marks = root.integer_or("marks", 10, 1, 1000);
    const double tol = read_length_tolerance(root);
    return [c, fractions, marks, tol](Session& s, Output& out) mutable {
        Report r;
        r.command = "at-length";
        r.title = describe(c) + ", points at fractions of the length";
        if (!resolve_polygon(c, r)) return s.finish(r, out);
        double total = 0.0, diff = 0.0, lena = 0.0;
        int ier = 0;
        mcglc1(&c.dim, &c.dim, &c.ncoef, c.coef.data(), &c.ta, &c.tb, &tol, &total, &diff, &ier);
        if (r.call("MCGLC1", ier) > 0) return s.finish(r, out);
        r.value("length", total);
        out.drawing.curves.emplace_back(c.label.empty() ? "C" : c.label, c);

        // The parameter at fraction F and its point; false when mposcv failed.
        std::vector<double> p(static_cast<std::size_t>(c.dim));
        auto locate = [&](double f, double& u, int& niter) {
            mposcv(&c.dim, &c.dim, &c.ncoef, c.coef.data(), &c.ta, &c.tb, &lena, &total, &f, &u, &tol, &niter, &ier);
            pocurv(&c.dim, &c.ncoef, c.coef.data(), &u, p.data());
            return ier;
        };
        Table& tab = r.table("points", {"fraction", "t", "point", "iterations"});
        for (double f : fractions) {
            double u = 0.0;
            int niter = 0;
            if (r.call("MPOSCV", locate(f, u, niter), "fraction = " + format_real(f, 17)) > 0) continue;
            tab.row({f, u, p, static_cast<long>(niter)});
        }
        for (int k = 0; k <= marks; ++k) {
            double u = 0.0;
            int niter = 0;
            const double f = static_cast<double>(k) / marks;
            if (locate(f, u, niter) == 0) out.drawing.markers.push_back({format_real(f, 3), p});
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
