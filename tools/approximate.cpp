// approximate: a function of a small built-in set (mapfnc), or the curve
// traced on a patch by a planar curve of its parameter plane (mapck5), as
// polynomial segments under a tolerance.
#include <cmath>
#include <functional>
#include <string>

#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

// The built-in functions: name, dimension, and F^(k)(t) for k = 0..2.
struct Builtin {
    const char* name;
    const char* formula;
    int dim;
    void (*eval)(double t, int k, double* out);
};

const Builtin kBuiltins[] = {
    {"exp", "exp(t)", 1, [](double t, int, double* o) { o[0] = std::exp(t); }},
    {"sin", "sin(t)", 1, [](double t, int k, double* o) { o[0] = k == 0 ? std::sin(t) : k == 1 ? std::cos(t) : -std::sin(t); }},
    {"expsin", "exp(t) sin(5t)", 1,
     [](double t, int k, double* o) {
         const double e = std::exp(t), s = std::sin(5 * t), c = std::cos(5 * t);
         o[0] = k == 0 ? e * s : k == 1 ? e * (s + 5 * c) : e * (10 * c - 24 * s);
     }},
    {"kink", "|t|", 1, [](double t, int k, double* o) { o[0] = k == 0 ? std::fabs(t) : k == 1 ? (t < 0 ? -1.0 : 1.0) : 0.0; }},
    {"runge", "1/(1+25t^2)", 1,
     [](double t, int k, double* o) {
         const double q = 1 + 25 * t * t;
         o[0] = k == 0 ? 1 / q : k == 1 ? -50 * t / (q * q) : (3750 * t * t - 50) / (q * q * q);
     }},
    {"helix", "(cos 3t, sin 3t, t/4)", 3,
     [](double t, int k, double* o) {
         const double c = std::cos(3 * t), s = std::sin(3 * t);
         o[0] = k == 0 ? c : k == 1 ? -3 * s : -9 * c;
         o[1] = k == 0 ? s : k == 1 ? 3 * c : -9 * s;
         o[2] = k == 0 ? 0.25 * t : k == 1 ? 0.25 : 0.0;
     }},
};

const Builtin* g_function = nullptr;  // the function mapfnc is approximating

void builtin_function(const int* ndim, const double*, const double* t, const int* ideriv, double* val, int* ier) {
    if (!g_function || *ndim != g_function->dim || *ideriv < 0 || *ideriv > 2) {
        *ier = 1;
        return;
    }
    g_function->eval(*t, *ideriv, val);
}

// A patch: "coefficients" lists the nu x nv vector coefficients, u index fastest.
struct Patch {
    int dim = 0, nu = 0, nv = 0;
    std::vector<double> surf;  // SURF(nu, nv, dim)
    std::vector<double> at(double u, double v) const {
        std::vector<double> p(static_cast<std::size_t>(dim), 0.0);
        for (int k = 0; k < dim; ++k) {
            double s = 0;
            for (int j = nv - 1; j >= 0; --j) {
                double col = 0;
                for (int i = nu - 1; i >= 0; --i) col = col * u + surf[(static_cast<std::size_t>(k) * nv + j) * nu + i];
                s = s * v + col;
            }
            p[static_cast<std::size_t>(k)] = s;
        }
        return p;
    }
};

Patch read_patch(const Field& f) {
    f.allow_only({"u", "v", "coefficients"});
    Patch p;
    p.nu = f.at("u").integer(1, 21);
    p.nv = f.at("v").integer(1, 21);
    Field cf = f.at("coefficients");
    const std::size_t n = static_cast<std::size_t>(p.nu) * p.nv;
    if (cf.size() != n)
        cf.fail("expected " + std::to_string(n) + " coefficients (u times v), found " + std::to_string(cf.size()));
    p.dim = static_cast<int>(cf.at(std::size_t{0}).size());
    if (p.dim < 1 || p.dim > kMaxDimension)
        cf.at(std::size_t{0}).fail("dimension must lie between 1 and " + std::to_string(kMaxDimension));
    p.surf.assign(n * p.dim, 0.0);
    for (std::size_t c = 0; c < n; ++c) {
        std::vector<double> x = cf.at(c).numbers(static_cast<std::size_t>(p.dim));
        for (int k = 0; k < p.dim; ++k) p.surf[static_cast<std::size_t>(k) * n + c] = x[static_cast<std::size_t>(k)];
    }
    return p;
}

// The segment polynomial over TOUT as a curve in t (for pictures): in 1D the
// graph (t, p), otherwise the segment itself.
Curve segment_curve(int dim, int ncoef, const double* c, double t0, double t1, const double tout[2]) {
    Curve g;
    const bool graph = dim == 1;
    g.dim = graph ? 2 : dim;
    g.ncoef = std::max(ncoef, graph ? 2 : 1);
    g.coef.assign(static_cast<std::size_t>(g.dim) * g.ncoef, 0.0);
    const double k = (t1 - t0) / (tout[1] - tout[0]);
    if (graph) {
        g.coef[0] = t0 - tout[0] * k;
        g.coef[2] = k;
    }
    for (int i = 0; i < ncoef; ++i)
        for (int j = 0; j < dim; ++j) g.coef[static_cast<std::size_t>(i) * g.dim + j + (graph ? 1 : 0)] = c[i * dim + j];
    g.ta = tout[0];
    g.tb = tout[1];
    return g;
}

}  // namespace

Run prepare_approximate(const Field& root, const Options& options) {
    root.allow_only({"function", "patch", "curve", "interval", "tolerance", "order", "maxcoef", "maxseg", "points",
                     "tolerances"});
    const bool traced = root.has("patch");
    const Builtin* fn = nullptr;
    Patch patch;
    Curve path;
    if (traced) {
        if (root.has("function")) root.at("function").fail("give either a function or a patch and a curve");
        patch = read_patch(root.at("patch"));
        Field cf = root.at("curve");
        path = read_curve(cf);
        if (path.dim != 2) cf.fail("the curve of the parameter plane has 2 components, found " + std::to_string(path.dim));
        if (path.from_polygon) cf.fail("give the planar curve by its coefficients");
    } else {
        Field ff = root.at("function");
        const std::string name = ff.text();
        std::string known;
        for (const Builtin& b : kBuiltins) {
            if (name == b.name) fn = &b;
            known += (known.empty() ? "" : ", ") + std::string(b.name);
        }
        if (!fn) ff.fail("unknown function '" + name + "'; the built-in ones are " + known);
    }
    const int dim = traced ? patch.dim : fn->dim;
    std::vector<double> iv = root.has("interval") ? root.at("interval").numbers(2)
                             : traced               ? std::vector<double>{path.ta, path.tb}
                                                    : std::vector<double>{0.0, 1.0};
    if (!(std::fabs(iv[1] - iv[0]) > 1e-12)) root.at("interval").fail("the interval must not be empty");
    const int order = root.integer_or("order", 0, -1, 2);
    const int maxcoef = root.has("maxcoef") ? root.at("maxcoef").integer(std::max(2 * order + 2, 2), 14) : 14;
    const int maxseg = root.integer_or("maxseg", 100, 1, 1000);
    double tol = 1e-6;
    if (root.has("tolerance")) {
        tol = root.at("tolerance").number();
        if (!(tol > 0)) root.at("tolerance").fail("must be positive, found " + format_real(tol, 6));
    }
    int npcode = -5;
    if (root.has("points")) {
        if (traced) root.at("points").fail("the traced curve always uses at least 30 points");
        Field pf = root.at("points");
        npcode = pf.integer(-5, 4);
        if (npcode == 0) pf.fail("must be -5 to -1 or 1 to 4, found 0");
    }
    options.require_view(dim == 1 ? 2 : dim, root);
    const int digits = options.digits;

    return [=](Session& s, Output& out) {
        Report r;
        r.command = "approximate";
        const std::string range = "[" + format_real(iv[0], 17) + ", " + format_real(iv[1], 17) + "]";
        r.title = (traced ? "curve traced on a " + std::to_string(patch.dim) + "D patch of " + std::to_string(patch.nu) +
                                " x " + std::to_string(patch.nv) + " coefficients by a planar curve of " +
                                std::to_string(path.ncoef) + " coefficients"
                          : std::string(fn->formula)) +
                  " on " + range + ", tolerance " + format_real(tol, digits) + ", order " + std::to_string(order);
        const int ld = maxcoef;
        std::vector<int> ncoef(static_cast<std::size_t>(maxseg), 0);
        std::vector<double> coef(static_cast<std::size_t>(dim) * ld * maxseg, 0.0);
        std::vector<double> tbreak(static_cast<std::size_t>(maxseg) + 1, 0.0), emax(maxseg, 0.0), emean(maxseg, 0.0);
        int nseg = 0, ier = 0;
        double tout[2] = {iv[0], iv[1]};
        if (traced) {
            std::vector<double> errtab(4 * static_cast<std::size_t>(maxseg), 0.0);
            const int two = 2, tol_dim = dim;
            mapck5(&patch.nu, &patch.nv, patch.surf.data(), &tol_dim, &patch.nu, &patch.nv, &two, &path.ncoef,
                   path.coef.data(), iv.data(), &order, &maxcoef, &tol, &tol_dim, &ld, &maxseg, coef.data(), &nseg,
                   ncoef.data(), errtab.data(), &ier);
            r.call("MAPCK5", ier);
            for (int k = 0; k < nseg && ier <= 0; ++k) {
                tbreak[k] = errtab[4 * k];
                tbreak[k + 1] = errtab[4 * k + 1];
                emax[k] = errtab[4 * k + 2];
                emean[k] = errtab[4 * k + 3];
            }
        } else {
            g_function = fn;
            const int nsub = 1;
            mapfnc(&dim, &nsub, &dim, iv.data(), builtin_function, &order, &ld, &maxseg, &maxcoef, &tol, tout, &npcode,
                   &nseg, ncoef.data(), coef.data(), tbreak.data(), emax.data(), emean.data(), &ier);
            g_function = nullptr;
            r.call("MAPFNC", ier);
        }
        r.value("nseg", static_cast<long>(nseg));
        if (ier > 0 && nseg == 0) return s.finish(r, out);
        Table seg{"segments", {"s", "from", "to", "ncoef", "errmax", "errmean"}, {}};
        Table cf{"coefficients", {"s", "power", "coefficient"}, {}};
        for (int k = 0; k < nseg; ++k) {
            seg.row({static_cast<long>(k + 1), tbreak[k], tbreak[k + 1], static_cast<long>(ncoef[k]), emax[k], emean[k]});
            const double* c = coef.data() + static_cast<std::size_t>(k) * dim * ld;
            for (int i = 0; i < ncoef[k]; ++i) {
                std::vector<double> v(c + static_cast<std::ptrdiff_t>(i) * dim, c + static_cast<std::ptrdiff_t>(i + 1) * dim);
                if (dim == 1)
                    cf.row({static_cast<long>(k + 1), static_cast<long>(i), v[0]});
                else
                    cf.row({static_cast<long>(k + 1), static_cast<long>(i), v});
            }
            out.drawing.curves.emplace_back("segment " + std::to_string(k + 1),
                                            segment_curve(dim, ncoef[k], c, tbreak[k], tbreak[k + 1], tout));
        }
        r.tables.push_back(std::move(seg));
        r.tables.push_back(std::move(cf));
        if (traced) r.notes.push_back("each segment is a polynomial over the whole interval " + range +
                                      ", which it maps onto its own piece of t");
        // The approximated function itself, sampled by the tool, and the breakpoints.
        auto point_at = [&](double t) {
            std::vector<double> p(static_cast<std::size_t>(dim));
            if (traced) {
                double uv[2];
                for (int j = 0; j < 2; ++j) {
                    double x = 0;
                    for (int i = path.ncoef; i >= 1; --i) x = x * t + path.at(j + 1, i);
                    uv[j] = x;
                }
                p = patch.at(uv[0], uv[1]);
            } else {
                fn->eval(t, 0, p.data());
            }
            if (dim == 1) p = {t, p[0]};
            return p;
        };
        Drawing::Path f{"F (sampled)", {}};
        for (int i = 0; i <= 60; ++i) f.points.push_back(point_at(iv[0] + (iv[1] - iv[0]) * i / 60.0));
        out.drawing.polygons.push_back(f);
        for (int k = 0; k <= nseg; ++k) out.drawing.markers.push_back({"t=" + format_real(tbreak[k], 6), point_at(tbreak[k])});
        s.finish(r, out);
    };
}

}  // namespace velcurve
