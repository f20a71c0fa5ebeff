// normals: the segments normal to two curves at both ends (lnn2cv), and the
// one ending nearest to two reference points.
#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

Run prepare_normals(const Field& root, const Options& options) {
    root.allow_only({"curves", "references", "tolerances"});
    Field cf = root.at("curves");
    if (cf.size() != 2) cf.fail("expected 2 curves, found " + std::to_string(cf.size()));
    std::vector<Curve> cs;
    for (std::size_t k = 0; k < 2; ++k) {
        Field one = cf.at(k);
        Curve c = read_curve(one);
        if (c.dim > 3) one.fail("dimension 1 to 3, found " + std::to_string(c.dim));
        if (c.ncoef > 21) one.fail("at most 21 coefficients, found " + std::to_string(c.ncoef));
        if (c.ta != 0.0 || c.tb != 1.0) one.at("interval").fail("lnn2cv works on the interval [0, 1]");
        cs.push_back(c);
    }
    if (cs[0].dim != cs[1].dim) cf.at(1).fail("the curves must have the same dimension");
    const int dim = cs[0].dim;
    std::vector<std::vector<double>> refs(2, std::vector<double>(static_cast<std::size_t>(dim), 0.0));
    if (root.has("references")) {
        Field rf = root.at("references");
        if (rf.size() != 2) rf.fail("expected 2 points, found " + std::to_string(rf.size()));
        refs = {read_point(rf.at(std::size_t{0}), dim), read_point(rf.at(std::size_t{1}), dim)};
    }
    options.require_view(dim, cf);
    return [cs, refs, dim](Session& s, Output& out) mutable {
        Report r;
        r.command = "normals";
        r.title = describe(cs[0]) + " and " + describe(cs[1]);
        for (Curve& c : cs)
            if (!resolve_polygon(c, r)) return s.finish(r, out);
        int d = dim, nsol = 0, ier = 0;
        std::vector<double> sol(102, 0.0), seg(static_cast<std::size_t>(2 * dim), 0.0);
        lnn2cv(&d, &cs[0].ncoef, cs[0].coef.data(), &cs[1].ncoef, cs[1].coef.data(), refs[0].data(), refs[1].data(),
               &nsol, sol.data(), seg.data(), &ier);
        r.call("LNN2CV", ier);
        r.value("nsol", static_cast<long>(nsol));
        out.drawing.curves.emplace_back(cs[0].label.empty() ? "C1" : cs[0].label, cs[0]);
        out.drawing.curves.emplace_back(cs[1].label.empty() ? "C2" : cs[1].label, cs[1]);
        Table& tab = r.table("normals", {"k", "u", "v", "length"});
        std::vector<double> a(static_cast<std::size_t>(dim)), b(static_cast<std::size_t>(dim));
        for (int k = 0; k < nsol; ++k) {
            double u = sol[2 * static_cast<std::size_t>(k)], v = sol[2 * static_cast<std::size_t>(k) + 1], len = 0;
            pocurv(&d, &cs[0].ncoef, cs[0].coef.data(), &u, a.data());
            pocurv(&d, &cs[1].ncoef, cs[1].coef.data(), &v, b.data());
            dsptpt(&d, a.data(), b.data(), &len);
            tab.row({static_cast<long>(k + 1), u, v, len});
            out.drawing.polygons.push_back({"n" + std::to_string(k + 1), {a, b}});
        }
        if (nsol > 0) {
            std::vector<double> start(seg.begin(), seg.begin() + dim), end = start;
            for (int i = 0; i < dim; ++i) end[static_cast<std::size_t>(i)] += seg[static_cast<std::size_t>(dim + i)];
            r.value("chosen start", start);
            r.value("chosen end", end);
            out.drawing.markers.push_back({"chosen", start});
            out.drawing.markers.push_back({"", end});
        }
        s.finish(r, out);
    };
}

}  // namespace velcurve
