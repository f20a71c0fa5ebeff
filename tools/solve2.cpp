// solve2: common zeros of two bivariate polynomials on a box (mrs2d0), with
// the box the solve stopped on when it could not resolve one.
#include <algorithm>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

constexpr int kMaxBivariate = 41;  // coefficients per variable that mrs2d0 takes

// A bivariate polynomial as rows: p[i][j] multiplies u^i v^j.
std::vector<std::vector<double>> read_bivariate(const Field& f) {
    const std::size_t nu = f.size();
    if (nu == 0) f.fail("empty: give the rows of coefficients (row i multiplies u^i)");
    if (nu > static_cast<std::size_t>(kMaxBivariate))
        f.fail("at most " + std::to_string(kMaxBivariate) + " rows, found " + std::to_string(nu));
    std::vector<std::vector<double>> rows;
    for (std::size_t i = 0; i < nu; ++i) {
        rows.push_back(f.at(i).numbers());
        if (rows.back().empty() || rows.back().size() > static_cast<std::size_t>(kMaxBivariate))
            f.at(i).fail("1 to " + std::to_string(kMaxBivariate) + " coefficients, found " +
                         std::to_string(rows.back().size()));
    }
    return rows;
}

double value(const std::vector<std::vector<double>>& p, double u, double v) {
    double s = 0.0;
    for (auto it = p.rbegin(); it != p.rend(); ++it) s = s * u + horner(*it, v);
    return s;
}

}  // namespace

Run prepare_solve2(const Field& root, const Options& options) {
    root.allow_only({"f", "g", "box", "epsx", "epsf", "tolerances"});
    auto f = read_bivariate(root.at("f")), g = read_bivariate(root.at("g"));
    std::vector<double> box = root.has("box") ? root.at("box").numbers(4) : std::vector<double>{0, 1, 0, 1};
    if (!(box[0] < box[1]) || !(box[2] < box[3])) root.at("box").fail("expected [u1, u2, v1, v2] with u1 < u2, v1 < v2");
    const double epsx = root.number_or("epsx", 1e-10), epsf = root.number_or("epsf", 1e-12);
    if (!(epsx > 0)) root.at("epsx").fail("must be positive");
    if (!(epsf > 0)) root.at("epsf").fail("must be positive");
    options.require_view(2, root.at("f"));
    return [f, g, box, epsx, epsf](Session& s, Output& out) {
        Report r;
        r.command = "solve2";
        int nu = static_cast<int>(std::max(f.size(), g.size())), nv = 1;
        for (const auto* p : {&f, &g})
            for (const auto& row : *p) nv = std::max(nv, static_cast<int>(row.size()));
        r.title = "F and G with " + std::to_string(nu) + " x " + std::to_string(nv) + " coefficients on [" +
                  format_real(box[0], 17) + ", " + format_real(box[1], 17) + "] x [" + format_real(box[2], 17) +
                  ", " + format_real(box[3], 17) + "]";
        std::vector<double> fg(static_cast<std::size_t>(2 * nu * nv), 0.0);
        for (int p = 0; p < 2; ++p) {
            const auto& rows = p == 0 ? f : g;
            for (std::size_t i = 0; i < rows.size(); ++i)
                for (std::size_t j = 0; j < rows[i].size(); ++j)
                    fg[static_cast<std::size_t>(p * nu * nv) + i + static_cast<std::size_t>(nu) * j] = rows[i][j];
        }
        int nmax = 100, nroot = 0, ier = 0;
        std::vector<double> roots(2 * static_cast<std::size_t>(nmax)), lastbox(4, 0.0);
        mrs2d0(&nu, &nv, fg.data(), &nu, &nv, box.data(), &epsx, &epsf, &nmax, roots.data(), &nroot, lastbox.data(),
               &ier);
        r.call("MRS2D0", ier);
        r.value("nroot", static_cast<long>(nroot));
        // F and G at each zero are evaluated by the tool itself, as a check.
        Table& tab = r.table("zeros", {"k", "u", "v", "F", "G"});
        for (int k = 0; k < nroot; ++k) {
            const double u = roots[2 * static_cast<std::size_t>(k)], v = roots[2 * static_cast<std::size_t>(k) + 1];
            tab.row({static_cast<long>(k + 1), u, v, value(f, u, v), value(g, u, v)});
            out.drawing.markers.push_back({std::to_string(k + 1), {u, v}});
        }
        out.drawing.polygons.push_back({"box", {{box[0], box[2]}, {box[1], box[2]}, {box[1], box[3]}, {box[0], box[3]}, {box[0], box[2]}}});
        if (ier == -2 || ier == -13 || ier == 2) {
            r.value("lastbox", lastbox);
            out.drawing.polygons.push_back({"unresolved", {{lastbox[0], lastbox[2]}, {lastbox[1], lastbox[2]},
                                                           {lastbox[1], lastbox[3]}, {lastbox[0], lastbox[3]},
                                                           {lastbox[0], lastbox[2]}}});
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
