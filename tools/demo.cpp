// The demo: a short tour of the library on embedded data. It checks that the
// library is loaded, fills the tolerance block and reads it back, shows the
// trace of a call, then runs the other commands on one curve and draws the
// curve, its control polygon, a line and the points where they meet.
#include "VelCurveBasedMathematics.h"
#include "command.hpp"
#include "output.hpp"

namespace velcurve {

namespace {

// The demo curve: a planar cubic with control points (0, 0), (1, 2), (3, 2), (4, 0),
// C(t) = (3t + 3t^2 - 2t^3, 6t - 6t^2) on [0, 1].
constexpr const char* kCurve = R"({"dimension": 2, "label": "C",
    "coefficients": [[0, 0], [3, 6], [3, -6], [-2, 0]]})";

// Runs a command on an embedded document, as if it came from a file.
Output step(Session& s, Run (*prepare)(const Field&, const Options&), const std::string& doc) {
    Output o;
    try {
        nlohmann::json j = nlohmann::json::parse(doc);
        Options quiet = s.options;
        quiet.svg.clear();
        prepare(Field(j, ""), quiet)(s, o);
    } catch (const std::exception& e) {  // the embedded data is fixed; this would be a bug
        Report r;
        r.command = "demo";
        r.title = std::string("embedded document rejected: ") + e.what();
        o.sections.push_back(std::move(r));
    }
    return o;
}

void take_sections(Output& from, Output& out) {
    for (Report& r : from.sections) out.sections.push_back(std::move(r));
}

void marker(Output& out) {
    Report r;
    r.command = "marker";
    r.title = "is the library loaded?";
    r.value("KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics()",
            static_cast<long>(KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics()));
    out.sections.push_back(std::move(r));
}

void tolerances(Session& s, Output& out) {
    Report r;
    r.command = "tolerances";
    r.title = "mcxcom fills the tolerance block, the getters read it back";
    Tolerances t;  // the defaults for curves of unit size
    r.call("MCXCOM", apply_tolerances(t));
    double eps1 = 0, eps3d = 0, epsnr = 0, epspb = 0, epspb2 = 0, epsln = 0, eps3 = 0;
    int nitnr = 0, nitnr2 = 0, nitln = 0;
    meps1(&eps1);
    meps3d(&eps3d);
    mepsnr(&epsnr, &nitnr);
    mepspb(&epspb, &epspb2);
    mepsln(&epsln, &nitnr2, &nitln);
    mveps3(&eps3);
    auto& tab = r.table("block", {"slot", "set", "read back", "getter", "same"});
    auto real = [&](const char* slot, double set, double got, const char* getter) {
        tab.row({slot, set, got, getter, set == got ? "yes" : "NO"});
    };
    auto integer = [&](const char* slot, int set, int got, const char* getter) {
        tab.row({slot, static_cast<long>(set), static_cast<long>(got), getter, set == got ? "yes" : "NO"});
    };
    real("EPS1", t.eps1, eps1, "meps1");
    real("EPSNR", t.epsnr, epsnr, "mepsnr");
    real("EPSNR", t.epsnr, epsln, "mepsln");
    real("EPSPB", t.epspb, epspb, "mepspb");
    real("EPSPB", t.epspb, eps3, "mveps3");
    real("EPSPB2", t.epspb2, epspb2, "mepspb");
    real("EPS3D", t.eps3d, eps3d, "meps3d");
    integer("NITNR", t.nitnr, nitnr, "mepsnr");
    integer("NITNR", t.nitnr, nitnr2, "mepsln");
    integer("NITLN", t.nitln, nitln, "mepsln");
    s.collect_trace(r);
    out.sections.push_back(std::move(r));
}

void traced_call(Session& s, Output& out) {
    Report r;
    r.command = "traced call";
    r.title = "mepsnr called at trace level 5 (its threshold)";
    s.collect_trace(r);  // earlier lines belong to the earlier steps
    r.trace.clear();
    int saved = s.capture.level();
    s.capture.set_level(5);
    double eps = 0;
    int nit = 0;
    mepsnr(&eps, &nit);
    s.capture.set_level(saved);
    r.value("EPSNR", eps);
    r.value("NITNR", static_cast<long>(nit));
    r.trace = s.capture.take();
    out.sections.push_back(std::move(r));
}

}  // namespace

const char* const help_demo =
    "Checks that the library is loaded, fills the tolerance block and reads it back, shows\n"
    "the trace of one call, then runs eval, bezier, roots and plane on the planar cubic\n"
    "C(t) = (3t + 3t^2 - 2t^3, 6t - 6t^2) and draws the curve, its control polygon, the line\n"
    "y = 9/8 and the two points where they meet.\n";

Run prepare_demo(const Field&, const Options& options) {
    nlohmann::json planar = nlohmann::json::parse(kCurve);
    options.require_view(2, Field(planar, "the demo curve"));
    return [](Session& s, Output& out) {
        marker(out);
        tolerances(s, out);
        traced_call(s, out);
        const std::string curve = kCurve;

        // Points and first derivatives.
        Output eval = step(s, prepare_eval, R"({"parameters": [0, 0.25, 0.5, 1], "order": 1, "curve": )" + curve + "}");
        out.drawing = eval.drawing;
        take_sections(eval, out);

        // The control polygon and the split at t = 1/2.
        Output bezier = step(s, prepare_bezier, R"({"split": 0.5, "curve": )" + curve + "}");
        if (out.drawing.polygons.empty() && !bezier.drawing.polygons.empty())
            out.drawing.polygons.push_back(bezier.drawing.polygons.front());
        take_sections(bezier, out);

        // Where the curve meets the line y = 9/8: the roots of y(t) - 9/8, then the
        // intersection with that line (a plane of the plane) nearest to t = 1/2.
        Output roots = step(s, prepare_roots, R"({"polynomial": [-1.125, 6, -6]})");
        take_sections(roots, out);
        Output plane = step(s, prepare_plane,
                            R"({"plane": {"normal": [0, 2], "point": [0, 1.125]}, "reference": 0.5, "curve": )" +
                                curve + "}");
        out.drawing.lines = plane.drawing.lines;
        out.drawing.markers = plane.drawing.markers;
        take_sections(plane, out);
    };
}

}  // namespace velcurve
