// shape: principal axes of a point set (mckpl0) and its verdict, a point, a
// line, a plane or a general shape within a distance tolerance (mckent).
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

constexpr std::size_t kMaxPoints = 100000;

std::string verdict_meaning(const std::string& kind) {
    if (kind == "POIN") return "a point";
    if (kind == "DRTE") return "a straight line";
    if (kind == "PLAN") return "a plane";
    return "none of these";
}

}  // namespace

Run prepare_shape(const Field& root, const Options& options) {
    root.allow_only({"points", "tolerance", "tolerances"});
    Field pf = root.at("points");
    const std::size_t n = pf.size();
    if (n == 0) pf.fail("empty: at least one point is needed (mckpl0)");
    if (n > kMaxPoints) pf.fail("at most " + std::to_string(kMaxPoints) + " points, found " + std::to_string(n));
    const std::size_t dim = pf.at(std::size_t{0}).size();
    if (dim < 1 || dim > static_cast<std::size_t>(kMaxDimension))
        pf.at(std::size_t{0}).fail("a point has 1 to " + std::to_string(kMaxDimension) + " coordinates, found " +
                                   std::to_string(dim));
    std::vector<double> pts;
    for (std::size_t k = 0; k < n; ++k) {
        std::vector<double> p = read_point(pf.at(k), static_cast<int>(dim));
        pts.insert(pts.end(), p.begin(), p.end());
    }
    Field tf = root.at("tolerance");
    const double tol = tf.number();
    if (!(tol >= 0.0)) tf.fail("must not be negative");
    options.require_view(static_cast<int>(dim), pf);
    return [pts, tol, dim = static_cast<int>(dim)](Session& s, Output& out) {
        Report r;
        r.command = "shape";
        const int npts = static_cast<int>(pts.size()) / dim;
        r.title = std::to_string(npts) + (npts == 1 ? " point" : " points") + " of dimension " + std::to_string(dim) +
                  ", tolerance " + format_real(tol, 17);
        std::vector<double> cov(static_cast<std::size_t>(dim) * dim), result(2 * dim + cov.size());
        int ier = 0;
        mckpl0(&dim, &npts, pts.data(), cov.data(), result.data(), &ier);
        if (r.call("MCKPL0", ier) > 0) return s.finish(r, out);
        char kind[5] = "";
        mckent(&dim, result.data(), &tol, kind, 4);
        const std::string verdict(kind, 4);
        r.value("verdict", verdict);
        r.notes.push_back("the points lie on " + verdict_meaning(verdict) + " within the tolerance");
        const std::vector<double> g(result.begin() + dim, result.begin() + 2 * dim);
        r.value("centroid", g);
        Table& axes = r.table("axes", {"axis", "variance", "deviation", "direction"});
        for (int i = 0; i < dim; ++i) {
            const double var = result[i];
            const std::vector<double> dir(result.begin() + 2 * dim + i * dim, result.begin() + 2 * dim + (i + 1) * dim);
            axes.row({static_cast<long>(i + 1), var, std::sqrt(std::fabs(var)), dir});
            // Each axis drawn two deviations either side of the centroid.
            std::vector<double> a = g, b = g;
            const double reach = 2 * std::sqrt(std::fabs(var));
            for (int k = 0; k < dim; ++k) a[k] -= reach * dir[k], b[k] += reach * dir[k];
            if (dim >= 2) out.drawing.polygons.push_back({"axis " + std::to_string(i + 1), {a, b}});
        }
        for (int k = 0; k < npts && k < 200; ++k)
            out.drawing.markers.push_back({"", std::vector<double>(pts.begin() + k * dim, pts.begin() + (k + 1) * dim)});
        s.finish(r, out);
    };
}

}  // namespace velcurve
