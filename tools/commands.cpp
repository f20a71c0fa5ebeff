// The registry of commands and the helpers they share.
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"eval", "points and derivatives of a curve at parameters (pocurv, mdrvcb)", true, nullptr, prepare_eval,
         help_eval},
        {"bezier", "control polygon of a curve and its split at a parameter (cpolyg, uplygg)", true, nullptr,
         prepare_bezier, help_bezier},
        {"roots", "all roots of a polynomial on an interval (ur1pls; with --noisy, mrs1d0)", true, nullptr,
         prepare_roots, help_roots},
        {"plane", "intersection of a curve on [0, 1] with a plane (pcvint)", true, nullptr, prepare_plane,
         help_plane},
        {"curvature", "curvature, torsion and Frenet frame along a curve, singular points (mprcrb, cvture)", true,
         nullptr, prepare_curvature},
        {"length", "length of a curve between two parameters, to a tolerance (mloncv, mcglc1)", true, nullptr,
         prepare_length},
        {"at-length", "parameters and points at fractions of a curve's length (mcglc1, mposcv)", true, nullptr,
         prepare_at_length},
        {"bounds", "bounds of a polynomial, boxes of a curve or of planar curves (mbtpnu, mbtcb1, mbtcbn)", true,
         nullptr, prepare_bounds},
        {"approximate", "polynomial segments of a built-in function or of a curve traced on a patch (mapfnc, mapck5)",
         true, nullptr, prepare_approximate},
        {"box", "axis-aligned and oriented boxes of curves (mblbe0, mblcr4)", true, nullptr, prepare_box},
        {"shape", "principal axes of a point set and its verdict: point, line, plane (mckpl0, mckent)", true, nullptr,
         prepare_shape},
        {"intersect", "intersections of two curves in the plane or in space (umcvcv)", true, nullptr,
         prepare_intersect},
        {"project", "nearest or farthest points of a curve from given points (mcvpds, mdpcv0)", true, nullptr,
         prepare_project},
        {"classify", "points inside, on or outside a domain bounded by planar curves (siepf1)", true, nullptr,
         prepare_classify},
        {"solve2", "common zeros of two bivariate polynomials on a box (mrs2d0)", true, nullptr, prepare_solve2},
        {"normals", "segments normal to two curves at both ends (lnn2cv)", true, nullptr, prepare_normals},
        {"demo", "runs a built-in scenario on embedded data and draws it (demo.svg)", false, "demo.svg",
         prepare_demo, help_demo},
    };
    return list;
}

const Command* find_command(const std::string& name) {
    for (const Command& c : commands())
        if (name == c.name) return &c;
    return nullptr;
}

std::string command_help(const Command& c) {
    std::string h = "usage: velcurve ";
    h += c.name;
    if (c.reads_input) h += " [FILE]";
    h += " [--json] [--trace N] [--svg FILE] [--view xy|xz|yz] [--digits N]\n\n";
    h += c.summary;
    h += ".\n\n";
    if (c.help != nullptr) {
        h += c.help;
    } else if (c.reads_input) {
        h += "Reads a JSON document from FILE (or standard input when FILE is absent or -). A member\n"
             "\"tolerances\" fills the tolerance block first; unknown members are refused, and the\n"
             "message names the members the command accepts.\n";
    } else {
        h += "Reads no document: the command carries its own data.\n";
    }
    if (c.default_svg != nullptr) {
        h += "The picture goes to ";
        h += c.default_svg;
        h += " unless --svg names another.\n";
    }
    h += "\n"
         "options:\n"
         "  --json         machine-readable results\n"
         "  --trace N      set the library's trace level to N and show its trace lines\n"
         "  --svg FILE     draw the picture into FILE\n"
         "  --view V       plane of the picture for curves in space: xy (default), xz or yz\n"
         "  --digits N     significant digits of the readable output (1 to 17, default 10)\n"
         "\n"
         "The messages of the routines (error reports, diagnostic lines) are shown with the result.\n"
         "exit status: 0 success or warning, 1 a routine failed, 2 bad command line or input\n"
         "(a size beyond a routine's limit included: nothing is then computed)\n";
    return h;
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

std::vector<std::vector<double>> picture_polygon(const Curve& c) {
    if (c.from_polygon) return points(c.polygon, c.dim, c.ncoef);
    const int n = c.ncoef;
    if (n < 1 || n > 61 || static_cast<int>(c.coef.size()) < n * c.dim) return {};
    // Binomials C(n-1, j) and C(i, j) as doubles (Pascal's rule).
    std::vector<std::vector<double>> binom(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(n), 0.0));
    for (int i = 0; i < n; ++i) {
        binom[i][0] = 1.0;
        for (int j = 1; j <= i; ++j) binom[i][j] = binom[i - 1][j - 1] + (j < i ? binom[i - 1][j] : 0.0);
    }
    const double h = c.tb - c.ta;
    std::vector<std::vector<double>> poly(static_cast<std::size_t>(n), std::vector<double>(static_cast<std::size_t>(c.dim)));
    for (int d = 1; d <= c.dim; ++d) {
        // q(s) = C(ta + h s) by Horner's rule on polynomials in s.
        std::vector<double> q(static_cast<std::size_t>(n), 0.0);
        for (int k = n; k >= 1; --k) {
            for (int j = n - 1; j >= 1; --j) q[j] = q[j] * c.ta + q[j - 1] * h;
            q[0] = q[0] * c.ta + c.at(d, k);
        }
        // Bernstein coefficients on [0, 1]: b_i = sum_j C(i, j) / C(n-1, j) q_j.
        for (int i = 0; i < n; ++i) {
            double s = 0.0;
            for (int j = 0; j <= i; ++j) s += binom[i][j] / binom[n - 1][j] * q[j];
            poly[i][d - 1] = s;
        }
    }
    return poly;
}

}  // namespace velcurve
