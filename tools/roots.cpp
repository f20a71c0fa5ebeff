// roots: all roots of a polynomial on an interval (ur1pls).
#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

const char* const help_roots =
    "The document:\n"
    "  polynomial   canonical coefficients, the coefficient of t^0 first: 1 to 41 numbers\n"
    "               (the limit of ur1pls)\n"
    "  interval     [a, b] in either order (default [0, 1])\n"
    "  tolerances   optional: eps1, epsnr, epspb, epspb2, eps3d, nitnr, nitln\n"
    "\n"
    "Prints every root in the interval, ascending, with p(t) computed by the tool as a check.\n"
    "The picture is the graph of the polynomial over the interval, its axis p = 0 and the\n"
    "roots, on axes labelled t and p(t).\n"
    "\n"
    "example: echo '{\"polynomial\": [0.125, -0.75, 1]}' | velcurve roots\n";

Run prepare_roots(const Field& root, const Options& options) {
    root.allow_only({"polynomial", "interval", "tolerances"});
    Field pf = root.at("polynomial");
    std::vector<double> poly = pf.numbers();
    if (poly.empty()) pf.fail("empty: at least one coefficient is needed");
    limit_count(pf, poly.size(), kMaxRootCoefs, "coefficients", "ur1pls");
    // The interval may be given in either order, as ur1pls accepts it.
    std::vector<double> iv = root.has("interval") ? root.at("interval").numbers(2) : std::vector<double>{0.0, 1.0};
    options.require_view(2, pf);  // the picture is the graph (t, p(t))
    return [poly, iv](Session& s, Output& out) {
        Report r;
        r.command = "roots";
        int n = static_cast<int>(poly.size());
        r.title = "polynomial of degree " + std::to_string(n - 1) + " on [" + format_real(iv[0], 17) + ", " +
                  format_real(iv[1], 17) + "]";
        // ROOT holds NCOEF - 1 values and AUX is cleared on NROOT; both get room to spare.
        std::vector<double> roots(poly.size() + 8, 0.0), aux(8 * poly.size() + 8, 0.0);
        int nroot = 0, ier = 0;
        ur1pls(&n, poly.data(), &iv[0], &iv[1], &nroot, roots.data(), aux.data(), &ier);
        r.call("UR1PLS", ier);
        r.value("nroot", static_cast<long>(nroot));

        Curve graph = graph_of(poly, std::min(iv[0], iv[1]), std::max(iv[0], iv[1]));
        out.drawing.curves.emplace_back("p(t)", graph);
        out.drawing.lines.push_back({"p = 0", {0.0, 0.0}, {1.0, 0.0}});
        out.drawing.equal_aspect = false;
        out.drawing.x_title = "t";
        out.drawing.y_title = "p(t)";
        out.drawing.marker_legend = "roots";
        // p(t) at each root is evaluated here, independently of the solver, as a check.
        Table& tab = r.table("roots", {"k", "t", "p(t)"});
        for (int k = 0; k < nroot && k < static_cast<int>(roots.size()); ++k) {
            double t = roots[static_cast<std::size_t>(k)];
            tab.row({static_cast<long>(k + 1), t, horner(poly, t)});
            // Many roots are named by their number in the table, so that their labels fit.
            out.drawing.markers.push_back({nroot <= 6 ? "t=" + format_real(t, 6) : "t" + std::to_string(k + 1), {t, 0.0}});
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
