// bounds: fine and coarse bounds of a polynomial on an interval (mbtpnu,
// mbtpnp), the component boxes of a curve (mbtcb1, mbtcb2), or the boxes of a
// set of planar curves (mbtcbn). The picture draws the boxes over the curves.
#include <cmath>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

constexpr int kPolynomialLimit = 61;  // mbtpnu, mbtpnp
constexpr int kCurveLimit = 21;       // mbtcb1, mbtcb2, mbtcbn

// The closed outline of the box [lo, hi] in the components a and b (the
// other components at the box's low corner).
Drawing::Path outline(const std::string& label, const std::vector<double>& lo, const std::vector<double>& hi, int a,
                      int b) {
    Drawing::Path p{label, {}};
    for (int k = 0; k <= 4; ++k) {
        std::vector<double> q = lo;
        const int corner = k % 4;
        if (corner == 1 || corner == 2) q[static_cast<std::size_t>(a)] = hi[static_cast<std::size_t>(a)];
        if (corner >= 2) q[static_cast<std::size_t>(b)] = hi[static_cast<std::size_t>(b)];
        p.points.push_back(q);
    }
    return p;
}

double read_tolerance(const Field& root) {
    if (!root.has("tolerance")) return 1e-9;
    Field f = root.at("tolerance");
    const double tol = f.number();
    if (!(tol > 0.0)) f.fail("must be positive (the value tolerance of the root finding)");
    return tol;
}

void check_curve(const Curve& c, const Field& f, int limit) {
    if (c.ncoef > limit)
        f.fail("at most " + std::to_string(limit) + " coefficients for the box routines, found " +
               std::to_string(c.ncoef));
}

Run polynomial_bounds(const Field& root, const Options& options, double tol) {
    Field pf = root.at("polynomial");
    std::vector<double> poly = pf.numbers();
    if (poly.empty()) pf.fail("empty: at least one coefficient is needed");
    if (poly.size() > static_cast<std::size_t>(kPolynomialLimit))
        pf.fail("at most " + std::to_string(kPolynomialLimit) + " coefficients, found " + std::to_string(poly.size()));
    std::vector<double> iv = root.has("interval") ? root.at("interval").numbers(2) : std::vector<double>{0.0, 1.0};
    options.require_view(2, pf);
    return [poly, iv, tol](Session& s, Output& out) {
        Report r;
        r.command = "bounds";
        int n = static_cast<int>(poly.size());
        r.title = "polynomial of degree " + std::to_string(n - 1) + " on [" + format_real(iv[0], 17) + ", " +
                  format_real(iv[1], 17) + "], tolerance " + format_real(tol, 17);
        double fmax = 0, fmin = 0, tmax = 0, tmin = 0, cmax = 0, cmin = 0;
        int ier = 0;
        mbtpnu(&n, poly.data(), iv.data(), &tol, &fmax, &fmin, &tmax, &tmin, &ier);
        r.call("MBTPNU", ier);
        const bool fine_ok = ier <= 0;
        mbtpnp(&n, poly.data(), iv.data(), &cmax, &cmin, &ier);
        r.call("MBTPNP", ier);
        const bool coarse_ok = ier == 0;
        Table& t = r.table("bounds", {"bound", "min", "max", "tmin", "tmax"});
        if (fine_ok) t.row({std::string("fine"), fmin, fmax, tmin, tmax});
        if (coarse_ok) t.row({std::string("coarse"), cmin, cmax, std::string("-"), std::string("-")});

        const double a = std::min(iv[0], iv[1]), b = std::max(iv[0], iv[1]);
        out.drawing.curves.emplace_back("p(t)", graph_of(poly, a, b));
        if (fine_ok) out.drawing.polygons.push_back(outline("fine", {a, fmin}, {b, fmax}, 0, 1));
        if (coarse_ok) out.drawing.polygons.push_back(outline("coarse", {a, cmin}, {b, cmax}, 0, 1));
        if (fine_ok) {
            out.drawing.markers.push_back({"max", {tmax, horner(poly, tmax)}});
            out.drawing.markers.push_back({"min", {tmin, horner(poly, tmin)}});
        }
        s.finish(r, out);
    };
}

Run curve_box(const Field& root, const Options& options, double tol) {
    Field cf = root.at("curve");
    Curve c = read_curve(cf);
    check_curve(c, cf, kCurveLimit);
    options.require_view(c.dim, cf);
    const int a = options.view[0], b = options.view[1];
    return [c, tol, a, b](Session& s, Output& out) mutable {
        Report r;
        r.command = "bounds";
        r.title = describe(c) + ", tolerance " + format_real(tol, 17);
        if (!resolve_polygon(c, r)) return s.finish(r, out);
        const double tint[2] = {c.ta, c.tb};
        std::vector<double> fine(static_cast<std::size_t>(2 * c.dim)), coarse(fine.size());
        int ier = 0;
        mbtcb1(&c.dim, &c.ncoef, c.coef.data(), &c.dim, tint, &tol, fine.data(), &ier);
        r.call("MBTCB1", ier);
        const bool fine_ok = ier <= 0;
        mbtcb2(&c.dim, &c.ncoef, c.coef.data(), &c.dim, tint, coarse.data(), &ier);
        r.call("MBTCB2", ier);
        const bool coarse_ok = ier == 0;
        Table& t = r.table("box", {"component", "fine min", "fine max", "coarse min", "coarse max"});
        std::vector<double> flo, fhi, clo, chi;
        for (int i = 0; i < c.dim; ++i) {
            flo.push_back(fine[static_cast<std::size_t>(2 * i)]);
            fhi.push_back(fine[static_cast<std::size_t>(2 * i + 1)]);
            clo.push_back(coarse[static_cast<std::size_t>(2 * i)]);
            chi.push_back(coarse[static_cast<std::size_t>(2 * i + 1)]);
            auto cell = [](bool ok, double v) { return ok ? Value(v) : Value(std::string("-")); };
            t.row({static_cast<long>(i + 1), cell(fine_ok, flo.back()), cell(fine_ok, fhi.back()),
                   cell(coarse_ok, clo.back()), cell(coarse_ok, chi.back())});
        }
        out.drawing.curves.emplace_back(c.label.empty() ? "C" : c.label, c);
        if (c.dim > std::max(a, b)) {
            if (fine_ok) out.drawing.polygons.push_back(outline("fine box", flo, fhi, a, b));
            if (coarse_ok) out.drawing.polygons.push_back(outline("coarse box", clo, chi, a, b));
        }
        s.finish(r, out);
    };
}

Run set_boxes(const Field& root, const Options& options, double tol) {
    Field list = root.at("curves");
    std::vector<Curve> curves;
    for (std::size_t i = 0; i < list.size(); ++i) {
        Field cf = list.at(i);
        Curve c = read_curve(cf);
        if (c.dim != 2) cf.fail("the set's curves are planar: dimension 2, found " + std::to_string(c.dim));
        check_curve(c, cf, kCurveLimit);
        curves.push_back(c);
    }
    if (curves.empty()) list.fail("empty: give at least one curve");
    options.require_view(2, list);
    return [curves, tol](Session& s, Output& out) mutable {
        Report r;
        r.command = "bounds";
        r.title = std::to_string(curves.size()) + " planar curves, tolerance " + format_real(tol, 17);
        for (Curve& c : curves)
            if (!resolve_polygon(c, r)) return s.finish(r, out);
        int ncmax = 1;
        for (const Curve& c : curves) ncmax = std::max(ncmax, c.ncoef);
        int ncurv = static_cast<int>(curves.size());
        std::vector<double> tints, coefs(static_cast<std::size_t>(2 * ncmax * ncurv), 0.0), boxes(6 * curves.size());
        std::vector<int> ncoefs;
        for (std::size_t i = 0; i < curves.size(); ++i) {
            tints.insert(tints.end(), {curves[i].ta, curves[i].tb});
            ncoefs.push_back(curves[i].ncoef);
            std::copy(curves[i].coef.begin(), curves[i].coef.end(), coefs.begin() + static_cast<std::ptrdiff_t>(2 * ncmax * i));
        }
        double box[4];
        int ier = 0;
        mbtcbn(&ncmax, &tol, &ncurv, tints.data(), ncoefs.data(), coefs.data(), boxes.data(), box, &ier);
        r.call("MBTCBN", ier);
        if (ier > 0) return s.finish(r, out);
        Table& t = r.table("boxes", {"curve", "corner", "width", "height"});
        for (std::size_t i = 0; i < curves.size(); ++i) {
            const double* q = boxes.data() + 6 * i;
            t.row({static_cast<long>(i + 1), std::vector<double>{q[0], q[1]}, q[2], q[5]});
            const std::string label = curves[i].label.empty() ? "C" + std::to_string(i + 1) : curves[i].label;
            out.drawing.curves.emplace_back(label, curves[i]);
            out.drawing.polygons.push_back(outline("box " + label, {q[0], q[1]}, {q[0] + q[2], q[1] + q[5]}, 0, 1));
        }
        r.value("box", std::vector<double>{box[0], box[1], box[2], box[3]});
        out.drawing.polygons.push_back(outline("box of the set", {box[0], box[1]}, {box[2], box[3]}, 0, 1));
        s.finish(r, out);
    };
}

}  // namespace

Run prepare_bounds(const Field& root, const Options& options) {
    root.allow_only({"polynomial", "interval", "curve", "curves", "tolerance", "tolerances"});
    const int given = root.has("polynomial") + root.has("curve") + root.has("curves");
    if (given != 1) root.fail("give exactly one of \"polynomial\", \"curve\" and \"curves\"");
    const double tol = read_tolerance(root);
    if (root.has("polynomial")) return polynomial_bounds(root, options, tol);
    if (root.has("interval")) root.at("interval").fail("only with \"polynomial\" (a curve carries its own)");
    if (root.has("curve")) return curve_box(root, options, tol);
    return set_boxes(root, options, tol);
}

}  // namespace velcurve
