// The registry of commands and the helpers they share.
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"eval", "points and derivatives of a curve at parameters (pocurv, mdrvcb)", true, nullptr, prepare_eval},
        {"bezier", "control polygon of a curve and its split at a parameter (cpolyg, uplygg)", true, nullptr,
         prepare_bezier},
        {"roots", "all roots of a polynomial on an interval (ur1pls)", true, nullptr, prepare_roots},
        {"plane", "intersection of a curve on [0, 1] with a plane (pcvint)", true, nullptr, prepare_plane},
        {"length", "length of a curve between two parameters, to a tolerance (mloncv, mcglc1)", true, nullptr,
         prepare_length},
        {"at-length", "parameters and points at fractions of a curve's length (mcglc1, mposcv)", true, nullptr,
         prepare_at_length},
        {"classify", "points inside, on or outside a domain bounded by planar curves (siepf1)", true, nullptr,
         prepare_classify},
        {"solve2", "common zeros of two bivariate polynomials on a box (mrs2d0)", true, nullptr, prepare_solve2},
        {"normals", "segments normal to two curves at both ends (lnn2cv)", true, nullptr, prepare_normals},
        {"intersect", "intersections of two curves in the plane or in space (umcvcv)", true, nullptr,
         prepare_intersect},
        {"demo", "runs a built-in scenario on embedded data and draws it (demo.svg)", false, "demo.svg",
         prepare_demo},
    };
    return list;
}

const Command* find_command(const std::string& name) {
    for (const Command& c : commands())
        if (name == c.name) return &c;
    return nullptr;
}

void Options::require_view(int dim, const Field& where) const {
    if (svg.empty()) return;
    int need = std::max(view[0], view[1]) + 1;
    if (dim < need)
        throw InputError(where.path() + ": the view " + view_name + " needs dimension " + std::to_string(need) +
                         " or more, found " + std::to_string(dim));
}

std::string describe(const Curve& c) {
    std::string s = std::to_string(c.dim) + "D curve, " + std::to_string(c.ncoef) +
                    (c.ncoef == 1 ? " coefficient" : " coefficients");
    if (c.from_polygon) s += " from its control polygon";
    return s + " on [" + format_real(c.ta, 17) + ", " + format_real(c.tb, 17) + "]";
}

Curve graph_of(const std::vector<double>& poly, double ta, double tb) {
    Curve g;
    g.dim = 2;
    g.ncoef = std::max<int>(2, static_cast<int>(poly.size()));
    g.coef.assign(static_cast<std::size_t>(2 * g.ncoef), 0.0);
    g.coef[2] = 1.0;  // x = t
    for (std::size_t k = 0; k < poly.size(); ++k) g.coef[2 * k + 1] = poly[k];
    g.ta = ta;
    g.tb = tb;
    return g;
}

double horner(const std::vector<double>& p, double t) {
    double s = 0.0;
    for (auto it = p.rbegin(); it != p.rend(); ++it) s = s * t + *it;
    return s;
}

std::vector<double> column(const std::vector<double>& a, int dim, int j) {
    auto first = a.begin() + static_cast<std::ptrdiff_t>(j - 1) * dim;
    return {first, first + dim};
}

std::vector<std::vector<double>> points(const std::vector<double>& a, int dim, int count) {
    std::vector<std::vector<double>> p;
    for (int j = 1; j <= count; ++j) p.push_back(column(a, dim, j));
    return p;
}

}  // namespace velcurve
