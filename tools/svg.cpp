// The SVG picture of a report: a framed plot area with axes, ticks and
// numbered labels in the problem's own units, the geometry clipped to it, a
// legend on the right, and labels placed so that no two overprint (those
// that find no free place are left out and counted in the legend).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "output.hpp"

namespace velcurve {

namespace {

constexpr double kWidth = 800, kHeight = 600;
// The plot area; the legend sits to its right.
constexpr double kLeft = 80, kRight = 610, kTop = 40, kBottom = 540;
constexpr double kLegendX = 630;
constexpr int kSamples = 400;  // points per drawn curve

// A point of the curve at t, for the picture only (Horner per component).
std::vector<double> sample(const Curve& c, double t) {
    std::vector<double> p(static_cast<std::size_t>(c.dim), 0.0);
    for (int i = 1; i <= c.dim; ++i) {
        double s = 0.0;
        for (int j = c.ncoef; j >= 1; --j) s = s * t + c.at(i, j);
        p[static_cast<std::size_t>(i - 1)] = s;
    }
    return p;
}

std::string escape(const std::string& s) {
    std::string out;
    for (char ch : s) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += ch;
        }
    }
    return out;
}

std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

// Appends "x,y" to a list of points separated by blanks.
void add_point(std::string& list, double x, double y) {
    if (!list.empty()) list += ' ';
    list += num(x) + "," + num(y);
}

// The room a text of 12px takes: a generous advance per character, so that
// boxes that do not meet here do not meet on screen either.
constexpr double kCharWidth = 7.8, kAscent = 12, kDescent = 3;
double text_width(const std::string& s) { return kCharWidth * static_cast<double>(s.size()); }

struct Box {
    double x0, y0, x1, y1;
    bool meets(const Box& o) const { return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1; }
};
// The box of a text whose baseline starts at (x, y) (anchor start).
Box text_box(double x, double y, const std::string& s) { return {x, y - kAscent, x + text_width(s), y + kDescent}; }

// The frame of the problem's coordinates in the plot area. With equal
// scales (geometry) a unit is as long across as up; a graph (t, p(t)) gets
// a scale per axis.
struct Viewport {
    double x0 = 0, x1 = 1, y0 = 0, y1 = 1, sx = 1, sy = 1;

    void fit(bool equal) {
        double w = x1 - x0, h = y1 - y0;
        if (!(w > 0)) w = std::max(1.0, std::fabs(x0)), x0 -= w / 2, x1 += w / 2;
        if (!(h > 0)) h = std::max(1.0, std::fabs(y0)), y0 -= h / 2, y1 += h / 2;
        // A margin of 5% keeps the geometry off the frame.
        x0 -= 0.05 * w, x1 += 0.05 * w, y0 -= 0.05 * h, y1 += 0.05 * h;
        w *= 1.1, h *= 1.1;
        sx = (kRight - kLeft) / w;
        sy = (kBottom - kTop) / h;
        if (equal) {
            const double s = std::min(sx, sy);
            const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
            sx = sy = s;
            x0 = cx - (kRight - kLeft) / s / 2, x1 = cx + (kRight - kLeft) / s / 2;
            y0 = cy - (kBottom - kTop) / s / 2, y1 = cy + (kBottom - kTop) / s / 2;
        }
    }
    double X(double x) const { return kLeft + (x - x0) * sx; }
    double Y(double y) const { return kBottom - (y - y0) * sy; }
};

// Ticks at 1, 2 or 5 times a power of ten, about six over [lo, hi].
std::vector<double> ticks(double lo, double hi) {
    std::vector<double> t;
    const double raw = (hi - lo) / 6;
    if (!(raw > 0) || !std::isfinite(raw)) return t;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    const double r = raw / mag;
    const double step = (r < 1.5 ? 1 : r < 3 ? 2 : r < 7 ? 5 : 10) * mag;
    for (double k = std::ceil(lo / step); k * step <= hi + step * 1e-9; k += 1) {
        double v = k * step;
        if (std::fabs(v) < step * 1e-9) v = 0.0;
        t.push_back(v);
    }
    return t;
}

// Texts placed so far, and the placement of a new one near an anchor.
class Labels {
public:
    // Reserves a box that other texts must avoid (tick labels, titles).
    void reserve(const Box& b) { placed_.push_back(b); }

    // The first free position around (px, py) inside the plot area; false
    // when there is none and the text is left out.
    bool place(double px, double py, const std::string& text, double& x, double& y) {
        const double w = text_width(text);
        const double dx[] = {6, 6, -6 - w, -6 - w, 6, 6, -6 - w, -6 - w, -w / 2, -w / 2};
        const double dy[] = {16, -8, 16, -8, 30, -22, 30, -22, 44, -36};
        for (int k = 0; k < 10; ++k) {
            const Box b = text_box(px + dx[k], py + dy[k], text);
            if (b.x0 < kLeft || b.x1 > kRight || b.y0 < kTop || b.y1 > kBottom) continue;
            if (std::any_of(placed_.begin(), placed_.end(), [&](const Box& o) { return o.meets(b); })) continue;
            placed_.push_back(b);
            x = px + dx[k];
            y = py + dy[k];
            return true;
        }
        ++dropped_;
        return false;
    }
    int dropped() const { return dropped_; }

private:
    std::vector<Box> placed_;
    int dropped_ = 0;
};

// A point of the visible part of a line P + s D for its label: four fifths
// along the chord, clear of the middle where the curves and points gather.
bool line_anchor(const Viewport& f, double px, double py, double dx, double dy, double& ax, double& ay) {
    double s0 = -std::numeric_limits<double>::infinity(), s1 = std::numeric_limits<double>::infinity();
    auto clip = [&](double p, double d, double lo, double hi) {
        if (d == 0) return p >= lo && p <= hi;
        double a = (lo - p) / d, b = (hi - p) / d;
        if (a > b) std::swap(a, b);
        s0 = std::max(s0, a), s1 = std::min(s1, b);
        return true;
    };
    if (!clip(px, dx, f.x0, f.x1) || !clip(py, dy, f.y0, f.y1) || !(s0 <= s1)) return false;
    const double s = s0 + 0.8 * (s1 - s0);
    ax = px + s * dx, ay = py + s * dy;
    return true;
}

}  // namespace

void write_svg(std::ostream& out, const Drawing& d, const int view[2], const std::string& title) {
    const auto a = static_cast<std::size_t>(view[0]), b = static_cast<std::size_t>(view[1]);
    auto comp = [](const std::vector<double>& p, std::size_t k) { return k < p.size() ? p[k] : 0.0; };

    // Curves sampled once, then everything projected into one frame.
    std::vector<std::vector<std::pair<double, double>>> curves;
    for (const auto& [label, c] : d.curves) {
        std::vector<std::pair<double, double>> pts;
        for (int k = 0; k <= kSamples; ++k) {
            double t = c.ta + (c.tb - c.ta) * k / kSamples;
            auto p = sample(c, t);
            pts.emplace_back(comp(p, a), comp(p, b));
        }
        curves.push_back(std::move(pts));
    }
    Viewport f;
    double inf = std::numeric_limits<double>::infinity();
    f.x0 = f.y0 = inf;
    f.x1 = f.y1 = -inf;
    auto extend = [&](double x, double y) {
        if (!std::isfinite(x) || !std::isfinite(y)) return;
        f.x0 = std::min(f.x0, x), f.x1 = std::max(f.x1, x);
        f.y0 = std::min(f.y0, y), f.y1 = std::max(f.y1, y);
    };
    for (const auto& pts : curves)
        for (auto [x, y] : pts) extend(x, y);
    for (const auto* group : {&d.polygons, &d.paths, &d.regions})
        for (const auto& p : *group)
            for (const auto& q : p.points) extend(comp(q, a), comp(q, b));
    for (const auto& m : d.markers) extend(comp(m.point, a), comp(m.point, b));
    if (f.x0 > f.x1) f.x0 = f.y0 = 0, f.x1 = f.y1 = 1;
    f.fit(d.equal_aspect);

    const char* axes = "xyzw";
    const std::string ha = d.x_title.empty() ? std::string(1, a < 4 ? axes[a] : '?') : d.x_title;
    const std::string hb = d.y_title.empty() ? std::string(1, b < 4 ? axes[b] : '?') : d.y_title;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
        << "\" viewBox=\"0 0 " << kWidth << " " << kHeight << "\">\n"
        << "  <title>" << escape(title) << "</title>\n"
        << "  <style>\n"
        << "    .curve { fill: none; stroke: #1f5fbf; stroke-width: 2; }\n"
        << "    .polygon { fill: none; stroke: #888888; stroke-width: 1; stroke-dasharray: 5 3; }\n"
        << "    .control { fill: #ffffff; stroke: #666666; }\n"
        << "    .path { fill: none; stroke: #c07020; stroke-width: 1; }\n"
        << "    .line { stroke: #2a8a2a; stroke-width: 1; }\n"
        << "    .point { fill: #d03030; }\n"
        << "    .frame { fill: none; stroke: #444444; stroke-width: 1; }\n"
        << "    .tick { stroke: #444444; stroke-width: 1; }\n"
        << "    .grid { stroke: #e4e4e4; stroke-width: 1; }\n"
        << "    .region { fill: #d8e6f7; stroke: none; fill-rule: evenodd; }\n"
        << "    .inside { fill: #2a8a2a; }\n"
        << "    .outside { fill: #888888; }\n"
        << "    .on { fill: #e08000; }\n"
        << "    text { font-family: sans-serif; font-size: 12px; fill: #222222; }\n"
        << "  </style>\n"
        << "  <rect class=\"background\" x=\"0\" y=\"0\" width=\"" << kWidth << "\" height=\"" << kHeight
        << "\" fill=\"#ffffff\"/>\n"
        << "  <clipPath id=\"plot\"><rect x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kRight - kLeft
        << "\" height=\"" << kBottom - kTop << "\"/></clipPath>\n";

    // Axes: the frame, a grid line and a numbered tick at each step, the titles.
    Labels labels;
    out << "  <g class=\"axes\">\n";
    const std::vector<double> tx = ticks(f.x0, f.x1), ty = ticks(f.y0, f.y1);
    double last_x = -inf;
    for (double v : tx) {
        const double x = f.X(v);
        out << "    <line class=\"grid\" x1=\"" << num(x) << "\" y1=\"" << kTop << "\" x2=\"" << num(x) << "\" y2=\""
            << kBottom << "\"/>\n";
        out << "    <line class=\"tick\" x1=\"" << num(x) << "\" y1=\"" << kBottom << "\" x2=\"" << num(x)
            << "\" y2=\"" << kBottom + 5 << "\"/>\n";
        // Tick labels centred under their tick; one that would touch the previous is skipped.
        const std::string s = format_real(v, 6);
        const double lx = x - text_width(s) / 2;
        if (lx < last_x + 8) continue;
        last_x = lx + text_width(s);
        labels.reserve(text_box(lx, kBottom + 19, s));
        out << "    <text class=\"tick-x\" x=\"" << num(lx) << "\" y=\"" << kBottom + 19 << "\">" << escape(s)
            << "</text>\n";
    }
    double last_y = inf;
    for (auto it = ty.begin(); it != ty.end(); ++it) {
        const double y = f.Y(*it);
        out << "    <line class=\"grid\" x1=\"" << kLeft << "\" y1=\"" << num(y) << "\" x2=\"" << kRight << "\" y2=\""
            << num(y) << "\"/>\n";
        out << "    <line class=\"tick\" x1=\"" << kLeft - 5 << "\" y1=\"" << num(y) << "\" x2=\"" << kLeft
            << "\" y2=\"" << num(y) << "\"/>\n";
        // Right-aligned to the left of the frame, clipped to the margin.
        std::string s = format_real(*it, 6);
        const double lx = std::max(2.0, kLeft - 8 - text_width(s));
        if (y + 4 > last_y - kAscent - 2) continue;
        last_y = y + 4;
        labels.reserve(text_box(lx, y + 4, s));
        out << "    <text class=\"tick-y\" x=\"" << num(lx) << "\" y=\"" << num(y + 4) << "\">" << escape(s)
            << "</text>\n";
    }
    out << "    <rect class=\"frame\" x=\"" << kLeft << "\" y=\"" << kTop << "\" width=\"" << kRight - kLeft
        << "\" height=\"" << kBottom - kTop << "\"/>\n";
    const double title_x = (kLeft + kRight) / 2 - text_width(ha) / 2;
    out << "    <text class=\"axis-title\" x=\"" << num(title_x) << "\" y=\"" << kBottom + 40 << "\">" << escape(ha)
        << "</text>\n";
    out << "    <text class=\"axis-title\" x=\"" << num(kLeft) << "\" y=\"" << kTop - 12 << "\">" << escape(hb)
        << "</text>\n";
    out << "  </g>\n";

    // Geometry, clipped to the plot area: lines, polygons, curves, points.
    std::vector<std::pair<std::pair<double, double>, std::string>> wanted;  // anchor, text, in placement order
    // Filled regions first, all outlines in one path so that holes stay empty.
    if (!d.regions.empty()) {
        std::string path;
        for (const auto& r : d.regions) {
            if (r.points.empty()) continue;
            char op = 'M';
            for (const auto& q : r.points) {
                path += op;
                add_point(path, f.X(comp(q, a)), f.Y(comp(q, b)));
                op = 'L';
            }
            path += " Z ";
        }
        out << "  <path class=\"region\" clip-path=\"url(#plot)\" d=\"" << path << "\"/>\n";
    }
    out << "  <g class=\"lines\" clip-path=\"url(#plot)\">\n";
    for (const auto& l : d.lines) {
        double px = comp(l.point, a), py = comp(l.point, b), dx = comp(l.direction, a), dy = comp(l.direction, b);
        double n = std::hypot(dx, dy);
        if (!(n > 0)) continue;  // a plane parallel to the view has no trace in it
        double reach = 2 * std::hypot(f.x1 - f.x0, f.y1 - f.y0) + std::hypot(px - f.x0, py - f.y0);
        double ux = dx / n, uy = dy / n;
        out << "    <line class=\"line\" x1=\"" << num(f.X(px - reach * ux)) << "\" y1=\"" << num(f.Y(py - reach * uy))
            << "\" x2=\"" << num(f.X(px + reach * ux)) << "\" y2=\"" << num(f.Y(py + reach * uy)) << "\"/>\n";
        double ax, ay;
        if (line_anchor(f, px, py, ux, uy, ax, ay)) wanted.push_back({{f.X(ax), f.Y(ay)}, l.label});
    }
    out << "  </g>\n  <g class=\"polygons\" clip-path=\"url(#plot)\">\n";
    for (const auto& p : d.polygons) {
        if (p.points.empty()) continue;
        std::string pts;
        for (const auto& q : p.points) add_point(pts, f.X(comp(q, a)), f.Y(comp(q, b)));
        out << "    <polyline class=\"polygon\" points=\"" << pts << "\"/>\n";
        for (const auto& q : p.points)
            out << "    <circle class=\"control\" cx=\"" << num(f.X(comp(q, a))) << "\" cy=\"" << num(f.Y(comp(q, b)))
                << "\" r=\"3\"/>\n";
    }
    out << "  </g>\n  <g class=\"paths\" clip-path=\"url(#plot)\">\n";
    for (const auto& p : d.paths) {
        if (p.points.empty()) continue;
        std::string pts;
        for (const auto& q : p.points) add_point(pts, f.X(comp(q, a)), f.Y(comp(q, b)));
        out << "    <polyline class=\"path\" points=\"" << pts << "\"><title>" << escape(p.label)
            << "</title></polyline>\n";
    }
    out << "  </g>\n  <g class=\"curves\" clip-path=\"url(#plot)\">\n";
    for (std::size_t i = 0; i < curves.size(); ++i) {
        std::string pts;
        for (auto [x, y] : curves[i]) add_point(pts, f.X(x), f.Y(y));
        out << "    <polyline class=\"curve\" points=\"" << pts << "\"/>\n";
        auto [lx, ly] = curves[i][curves[i].size() * 2 / 5];
        wanted.insert(wanted.begin(), {{f.X(lx), f.Y(ly)}, d.curves[i].first});
    }
    out << "  </g>\n  <g class=\"points\" clip-path=\"url(#plot)\">\n";
    for (const auto& m : d.markers) {
        double x = f.X(comp(m.point, a)), y = f.Y(comp(m.point, b));
        out << "    <circle class=\"" << m.style << "\" cx=\"" << num(x) << "\" cy=\"" << num(y) << "\" r=\"4\"/>\n";
        wanted.push_back({{x, y}, m.label});
    }
    out << "  </g>\n";

    // Labels: the curves' first, then the lines', then the points' in order.
    out << "  <g class=\"labels\">\n";
    for (const auto& [anchor, text] : wanted) {
        double x, y;
        if (text.empty() || !labels.place(anchor.first, anchor.second, text, x, y)) continue;
        out << "    <text class=\"label\" x=\"" << num(x) << "\" y=\"" << num(y) << "\">" << escape(text) << "</text>\n";
    }
    out << "  </g>\n";

    // Legend: one entry per kind of element drawn, its sample of class "key".
    out << "  <g class=\"legend\">\n";
    double ly = kTop + 12;
    auto entry = [&](const std::string& sample_svg, const std::string& text) {
        out << "    " << sample_svg << "\n";
        // Long names are cut to the legend's width.
        const std::string shown = text.size() > 17 ? text.substr(0, 16) + "~" : text;
        out << "    <text class=\"legend\" x=\"" << num(kLegendX + 30) << "\" y=\"" << num(ly + 4) << "\">"
            << escape(shown) << "</text>\n";
        ly += 20;
    };
    const std::string x0 = num(kLegendX), x1 = num(kLegendX + 22), xm = num(kLegendX + 11);
    auto hline = [&](const char* cls) {
        return std::string("<line class=\"key ") + cls + "\" x1=\"" + x0 + "\" y1=\"" + num(ly) + "\" x2=\"" + x1 +
               "\" y2=\"" + num(ly) + "\"/>";
    };
    for (const auto& [label, c] : d.curves) entry(hline("curve"), label.empty() ? "curve" : label);
    if (std::any_of(d.polygons.begin(), d.polygons.end(), [](const auto& p) { return !p.points.empty(); }))
        entry(hline("polygon"), "control polygon");
    // Plain paths by their names, each once; a name's parameter (" t=...") is
    // left out, so that the normals at several parameters make one entry.
    std::vector<std::string> path_names;
    for (const auto& p : d.paths) {
        const std::string name = p.label.substr(0, p.label.find(" t="));
        if (!p.points.empty() && std::find(path_names.begin(), path_names.end(), name) == path_names.end())
            path_names.push_back(name);
    }
    for (const auto& name : path_names) entry(hline("path"), name.empty() ? "path" : name);
    for (const auto& l : d.lines) entry(hline("line"), l.label);
    if (!d.markers.empty())
        entry("<circle class=\"key point\" cx=\"" + xm + "\" cy=\"" + num(ly) + "\" r=\"4\"/>",
              d.marker_legend.empty() ? "points" : d.marker_legend);
    if (d.x_title.empty()) {  // geometry: which components are drawn
        out << "    <text class=\"legend\" x=\"" << num(kLegendX) << "\" y=\"" << num(ly + 4) << "\">view " << escape(ha)
            << escape(hb) << "</text>\n";
        ly += 20;
    }
    if (labels.dropped() > 0) {
        out << "    <text class=\"legend\" x=\"" << num(kLegendX) << "\" y=\"" << num(ly + 4) << "\">"
            << labels.dropped() << (labels.dropped() == 1 ? " label" : " labels") << " left out</text>\n";
        out << "    <text class=\"legend\" x=\"" << num(kLegendX) << "\" y=\"" << num(ly + 24)
            << "\">(see the tables)</text>\n";
    }
    out << "  </g>\n</svg>\n";
}

}  // namespace velcurve
