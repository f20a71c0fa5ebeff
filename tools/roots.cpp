// roots: all roots of a polynomial on an interval (ur1pls), or with --noisy
// the subdivision answer with its noisy and unresolved intervals (mrs1d0).
#include <cmath>

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
    "With --noisy the subdivision finder mrs1d0 answers instead (1 to 61 coefficients), with its\n"
    "noisy intervals (where |p| stays within epsf) and unresolved intervals; the document may then\n"
    "give epsx (abscissa resolution, default 1e-6) and epsf (value tolerance, default 1e-9).\n"
    "The picture is the graph of the polynomial over the interval, its axis p = 0 and the\n"
    "roots, on axes labelled t and p(t).\n"
    "\n"
    "example: echo '{\"polynomial\": [0.125, -0.75, 1]}' | velcurve roots\n";
namespace {

constexpr int kNoisyLimit = 61;  // mrs1d0

// The picture of a polynomial: its graph over the interval and the axis p = 0,
// with a scale of its own on each axis.
void draw_graph(Drawing& d, const std::vector<double>& poly, double a, double b) {
    static const std::string t = "t", p = "p(t)", roots = "roots";
    d.curves.emplace_back(p, graph_of(poly, a, b));
    d.lines.push_back({"p = 0", {0.0, 0.0}, {1.0, 0.0}});
    d.equal_aspect = false;
    d.x_title = t;
    d.y_title = p;
    d.marker_legend = roots;
}

// The mrs1d0 answer: roots, noisy and unresolved intervals drawn on the graph.
Run noisy_roots(const Field& root, std::vector<double> poly, std::vector<double> iv) {
    const Field pf = root.at("polynomial");
    if (poly.size() > static_cast<std::size_t>(kNoisyLimit))
        pf.fail("at most " + std::to_string(kNoisyLimit) + " coefficients with --noisy, found " +
                std::to_string(poly.size()));
    auto positive = [&](const char* key, double fallback) {
        if (!root.has(key)) return fallback;
        const double v = root.at(key).number();
        if (!(v > 0.0)) root.at(key).fail("must be positive");
        return v;
    };
    const double epsx = positive("epsx", 1e-6), epsf = positive("epsf", 1e-9);
    if (!(std::fabs(iv[1] - iv[0]) >= epsx))
        root.at(root.has("interval") ? "interval" : "epsx").fail("shorter than epsx (" + format_real(epsx, 17) + "), the abscissa resolution");
    return [poly, iv, epsx, epsf](Session& s, Output& out) {
        Report r;
        r.command = "roots";
        int n = static_cast<int>(poly.size());
        r.title = "polynomial of degree " + std::to_string(n - 1) + " on [" + format_real(iv[0], 17) + ", " +
                  format_real(iv[1], 17) + "], epsx " + format_real(epsx, 17) + ", epsf " + format_real(epsf, 17);
        const std::size_t cap = static_cast<std::size_t>(std::max(n - 1, 1));
        std::vector<double> roots(cap), noise(2 * cap), unres(2 * cap);
        int nroot = 0, nnoise = 0, nunres = 0, ier = 0;
        mrs1d0(poly.data(), &n, iv.data(), &epsx, &epsf, roots.data(), &nroot, noise.data(), &nnoise, unres.data(),
               &nunres, &ier);
        r.call("MRS1D0", ier);
        if (ier > 0) return s.finish(r, out);
        const double a = std::min(iv[0], iv[1]), b = std::max(iv[0], iv[1]);
        draw_graph(out.drawing, poly, a, b);
        Table& tr = r.table("roots", {"k", "t", "p(t)"});
        for (int k = 0; k < nroot; ++k) {
            const double t = roots[static_cast<std::size_t>(k)];
            tr.row({static_cast<long>(k + 1), t, horner(poly, t)});
            out.drawing.markers.push_back({"t=" + format_real(t, 6), {t, 0.0}});
        }
        // Each interval is drawn as the stretch of the axis it covers.
        auto intervals = [&](const char* key, const char* label, const std::vector<double>& v, int count) {
            Table& t = r.table(key, {"k", "from", "to"});
            for (int k = 0; k < count; ++k) {
                const double lo = v[static_cast<std::size_t>(2 * k)], hi = v[static_cast<std::size_t>(2 * k + 1)];
                t.row({static_cast<long>(k + 1), lo, hi});
                out.drawing.polygons.push_back({std::string(label) + " " + std::to_string(k + 1), {{lo, 0.0}, {hi, 0.0}}});
            }
        };
        intervals("noisy", "noisy", noise, nnoise);
        intervals("unresolved", "unresolved", unres, nunres);
        s.finish(r, out);
    };
}

}  // namespace

Run prepare_roots(const Field& root, const Options& options) {
    root.allow_only(options.noisy ? std::initializer_list<const char*>{"polynomial", "interval", "epsx", "epsf", "tolerances"}
                                  : std::initializer_list<const char*>{"polynomial", "interval", "tolerances"});
    Field pf = root.at("polynomial");
    std::vector<double> poly = pf.numbers();
    if (poly.empty()) pf.fail("empty: at least one coefficient is needed");
    // The interval may be given in either order, as ur1pls accepts it.
    std::vector<double> iv = root.has("interval") ? root.at("interval").numbers(2) : std::vector<double>{0.0, 1.0};
    options.require_view(2, pf);  // the picture is the graph (t, p(t))
    if (options.noisy) return noisy_roots(root, poly, iv);
    limit_count(pf, poly.size(), kMaxRootCoefs, "coefficients", "ur1pls");
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

        draw_graph(out.drawing, poly, std::min(iv[0], iv[1]), std::max(iv[0], iv[1]));
        // p(t) at each root is evaluated here, independently of the solver, as a check.
        Table& tab = r.table("roots", {"k", "t", "p(t)"});
        for (int k = 0; k < nroot && k < static_cast<int>(roots.size()); ++k) {
            double t = roots[static_cast<std::size_t>(k)];
            tab.row({static_cast<long>(k + 1), t, horner(poly, t)});
            // Many roots are named by their number in the table, so that their labels fit.
            std::string label = nroot <= 6 ? format_real(t, 6) : std::to_string(k + 1);
            label.insert(0, nroot <= 6 ? "t=" : "t");
            out.drawing.markers.push_back({label, {t, 0.0}});
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
