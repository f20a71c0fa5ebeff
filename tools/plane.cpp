// plane: intersection of a curve on [0, 1] with a plane (pcvint); in 2D the
// plane is a line.
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

const char* const help_plane =
    "The document:\n"
    "  curve        {\"dimension\": d, \"coefficients\": [...], \"label\": text} on [0, 1], or\n"
    "               {\"polygon\": [[x, y], ...]}; 1 to 41 coefficients (pcvint hands its\n"
    "               distance polynomial to ur1pls, whose limit that is)\n"
    "  plane        {\"normal\": [...], \"point\": [...]}, both of the curve's dimension; in 2D\n"
    "               the plane is a line\n"
    "  reference    the parameter whose nearest solution is tnear (default 0)\n"
    "  tolerances   optional: eps1, epsnr, epspb, epspb2, eps3d, nitnr, nitln\n"
    "\n"
    "Prints every intersection parameter, ascending, and the one nearest to the reference.\n"
    "The picture shows the curve, its control polygon, the plane's trace in the view (the\n"
    "line where it cuts the drawing plane) and the points found.\n";

Run prepare_plane(const Field& root, const Options& options) {
    root.allow_only({"curve", "plane", "reference", "tolerances"});
    Field cf = root.at("curve");
    Curve c = read_curve(cf);
    limit_curve(cf, c, kMaxRootCoefs, "ur1pls within pcvint");
    if (c.ta != 0.0 || c.tb != 1.0) cf.at("interval").fail("pcvint works on the interval [0, 1]");
    options.require_view(c.dim, cf);
    Field pf = root.at("plane");
    pf.allow_only({"normal", "point"});
    std::vector<double> normal = read_point(pf.at("normal"), c.dim);
    std::vector<double> point = read_point(pf.at("point"), c.dim);
    double tref = root.number_or("reference", 0.0);
    const int a = options.view[0], b = options.view[1], digits = options.digits;
    return [c, normal, point, tref, a, b, digits](Session& s, Output& out) mutable {
        Report r;
        r.command = "plane";
        r.title = describe(c) + ", plane through " + format_value(point, digits) + " with normal " +
                  format_value(normal, digits);
        if (!resolve_polygon(c, r)) return s.finish(r, out);
        // WORK holds NDIM x NCOEF reals; SOL max(NDIM, NCOEF - 1).
        const std::size_t room = static_cast<std::size_t>(std::max(c.dim, c.ncoef)) + 8;
        std::vector<double> work(c.coef.size() + 8, 0.0), sol(room, 0.0);
        double tnear = tref;
        int nsol = 0, ier = 0;
        pcvint(&c.dim, &c.ncoef, c.coef.data(), normal.data(), point.data(), work.data(), &tref, &tnear, &nsol,
               sol.data(), &ier);
        r.call("PCVINT", ier);
        r.value("reference", tref);

        out.drawing.curves.emplace_back(c.label.empty() ? "C" : c.label, c);
        out.drawing.polygons.push_back({"control polygon", picture_polygon(c)});
        // The plane's trace in the picture: the line through its point across the normal's projection.
        if (c.dim > std::max(a, b)) {
            std::vector<double> dir(static_cast<std::size_t>(c.dim), 0.0);
            dir[static_cast<std::size_t>(a)] = -normal[static_cast<std::size_t>(b)];
            dir[static_cast<std::size_t>(b)] = normal[static_cast<std::size_t>(a)];
            out.drawing.lines.push_back({c.dim == 2 ? "line" : "plane", point, dir});
        }
        if (ier == 101) return s.finish(r, out);
        if (ier != 2) r.value("nsol", static_cast<long>(nsol));  // not written when every parameter is a solution
        r.value("tnear", tnear);
        if (ier == 0 || ier == 3) {
            Table& tab = r.table("solutions", {"k", "t", "point"});
            std::vector<double> p(static_cast<std::size_t>(c.dim));
            for (int k = 0; k < nsol && k < static_cast<int>(sol.size()); ++k) {
                double t = sol[static_cast<std::size_t>(k)];
                pocurv(&c.dim, &c.ncoef, c.coef.data(), &t, p.data());
                tab.row({static_cast<long>(k + 1), t, p});
                out.drawing.markers.push_back({"t=" + format_real(t, 6) + (t == tnear ? " (nearest)" : ""), p});
            }
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
