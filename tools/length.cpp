// length: length of a curve between two parameters, by one Gauss-Legendre
// rule (mloncv) and to a tolerance by the composite rule (mcglc1).
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

// The tolerance of a length: a positive number, default 1e-10.
double read_length_tolerance(const Field& root) {
    if (!root.has("tolerance")) return 1e-10;
    Field f = root.at("tolerance");
    const double tol = f.number();
    if (!(tol > 0.0)) f.fail("must be positive, found " + format_real(tol, 17));
    return tol;
}

Run prepare_length(const Field& root, const Options& options) {
    root.allow_only({"curve", "interval", "tolerance", "tolerances"});
    Field cf = root.at("curve");
    Curve c = read_curve(cf);
    options.require_view(c.dim, cf);
    // The bounds default to the curve's interval; either order (the length is signed).
    std::vector<double> iv = root.has("interval") ? root.at("interval").numbers(2) : std::vector<double>{c.ta, c.tb};
    const double tol = read_length_tolerance(root);
    return [c, iv, tol](Session& s, Output& out) mutable {
        Report r;
        r.command = "length";
        r.title = describe(c) + ", length from " + format_real(iv[0], 17) + " to " + format_real(iv[1], 17);
        if (!resolve_polygon(c, r)) return s.finish(r, out);
        double fast = 0.0, precise = 0.0, diff = 0.0;
        int ier = 0;
        mloncv(&c.dim, &c.dim, &c.ncoef, c.coef.data(), &iv[0], &iv[1], &fast, &ier);
        r.call("MLONCV", ier);
        mcglc1(&c.dim, &c.dim, &c.ncoef, c.coef.data(), &iv[0], &iv[1], &tol, &precise, &diff, &ier);
        r.call("MCGLC1", ier);
        r.value("single rule", fast);
        r.value("length", precise);
        r.value("difference", diff);
        r.value("tolerance", tol);
        Curve piece = c;
        piece.ta = std::fmin(iv[0], iv[1]);
        piece.tb = std::fmax(iv[0], iv[1]);
        out.drawing.curves.emplace_back(c.label.empty() ? "C" : c.label, piece);
        s.finish(r, out);
    };
}

}  // namespace velcurve
