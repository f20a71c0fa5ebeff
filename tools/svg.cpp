// The SVG picture of a report.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "output.hpp"

namespace velcurve {

namespace {

constexpr double kWidth = 800, kHeight = 600, kMargin = 50;
constexpr int kSamples = 200;  // points per drawn curve

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

struct Viewport {
    double x0 = 0, x1 = 1, y0 = 0, y1 = 1, scale = 1, ox = 0, oy = 0;

    void fit() {
        double w = x1 - x0, h = y1 - y0;
        if (!(w > 0)) { x0 -= 0.5; x1 += 0.5; w = 1; }
        if (!(h > 0)) { y0 -= 0.5; y1 += 0.5; h = 1; }
        scale = std::min((kWidth - 2 * kMargin) / w, (kHeight - 2 * kMargin) / h);
        ox = (kWidth - scale * w) / 2;
        oy = (kHeight - scale * h) / 2;
    }
    double X(double x) const { return ox + (x - x0) * scale; }
    double Y(double y) const { return kHeight - (oy + (y - y0) * scale); }
};

// Appends "x,y" to a list of points separated by blanks.
void add_point(std::string& list, double x, double y) {
    if (!list.empty()) list += ' ';
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f,%.2f", x, y);
    list += buf;
}

std::string num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
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
    for (const auto& p : d.polygons)
        for (const auto& q : p.points) extend(comp(q, a), comp(q, b));
    for (const auto& r : d.regions)
        for (const auto& q : r.points) extend(comp(q, a), comp(q, b));
    for (const auto& m : d.markers) extend(comp(m.point, a), comp(m.point, b));
    if (f.x0 > f.x1) f.x0 = f.y0 = 0, f.x1 = f.y1 = 1;
    f.fit();

    const char* axes = "xyzw";
    std::string ha(1, a < 4 ? axes[a] : '?'), hb(1, b < 4 ? axes[b] : '?');
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\"" << kHeight
        << "\" viewBox=\"0 0 " << kWidth << " " << kHeight << "\">\n"
        << "  <title>" << escape(title) << "</title>\n"
        << "  <style>\n"
        << "    .curve { fill: none; stroke: #1f5fbf; stroke-width: 2; }\n"
        << "    .polygon { fill: none; stroke: #888888; stroke-width: 1; stroke-dasharray: 5 3; }\n"
        << "    .control { fill: #ffffff; stroke: #666666; }\n"
        << "    .line { stroke: #2a8a2a; stroke-width: 1; }\n"
        << "    .point { fill: #d03030; }\n"
        << "    .region { fill: #d8e6f7; stroke: none; fill-rule: evenodd; }\n"
        << "    .inside { fill: #2a8a2a; }\n"
        << "    .outside { fill: #888888; }\n"
        << "    .on { fill: #e08000; }\n"
        << "    text { font-family: sans-serif; font-size: 12px; fill: #222222; }\n"
        << "  </style>\n"
        << "  <rect class=\"background\" x=\"0\" y=\"0\" width=\"" << kWidth << "\" height=\"" << kHeight
        << "\" fill=\"#ffffff\"/>\n";
    out << "  <text class=\"axes\" x=\"10\" y=\"" << num(kHeight - 10) << "\">" << ha << " in [" << format_real(f.x0, 6)
        << ", " << format_real(f.x1, 6) << "], " << hb << " in [" << format_real(f.y0, 6) << ", "
        << format_real(f.y1, 6) << "] (view " << ha << hb << ")</text>\n";

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
        out << "  <path class=\"region\" d=\"" << path << "\"/>\n";
    }
    // Lines, clipped to the frame by sampling their ends far apart.
    out << "  <g class=\"lines\">\n";
    for (const auto& l : d.lines) {
        double px = comp(l.point, a), py = comp(l.point, b), dx = comp(l.direction, a), dy = comp(l.direction, b);
        double n = std::hypot(dx, dy);
        if (!(n > 0)) continue;
        double reach = 2 * std::hypot(f.x1 - f.x0, f.y1 - f.y0) + std::hypot(px - f.x0, py - f.y0);
        dx *= reach / n, dy *= reach / n;
        out << "    <line class=\"line\" x1=\"" << num(f.X(px - dx)) << "\" y1=\"" << num(f.Y(py - dy)) << "\" x2=\""
            << num(f.X(px + dx)) << "\" y2=\"" << num(f.Y(py + dy)) << "\"/>\n";
        out << "    <text x=\"" << num(f.X(px) + 6) << "\" y=\"" << num(f.Y(py) + 14) << "\">" << escape(l.label)
            << "</text>\n";
    }
    out << "  </g>\n  <g class=\"polygons\">\n";
    for (const auto& p : d.polygons) {
        if (p.points.empty()) continue;
        std::string pts;
        for (const auto& q : p.points) add_point(pts, f.X(comp(q, a)), f.Y(comp(q, b)));
        out << "    <polyline class=\"polygon\" points=\"" << pts << "\"/>\n";
        for (const auto& q : p.points)
            out << "    <circle class=\"control\" cx=\"" << num(f.X(comp(q, a))) << "\" cy=\"" << num(f.Y(comp(q, b)))
                << "\" r=\"3\"/>\n";
        const auto& q0 = p.points[p.points.size() / 2];  // labelled at a middle point, clear of the curve's ends
        out << "    <text x=\"" << num(f.X(comp(q0, a)) + 6) << "\" y=\"" << num(f.Y(comp(q0, b)) - 6) << "\">"
            << escape(p.label) << "</text>\n";
    }
    out << "  </g>\n  <g class=\"curves\">\n";
    for (std::size_t i = 0; i < curves.size(); ++i) {
        std::string pts;
        for (auto [x, y] : curves[i]) add_point(pts, f.X(x), f.Y(y));
        out << "    <polyline class=\"curve\" points=\"" << pts << "\"/>\n";
        auto [lx, ly] = curves[i][curves[i].size() / 2];
        out << "    <text x=\"" << num(f.X(lx) + 6) << "\" y=\"" << num(f.Y(ly) - 8) << "\">"
            << escape(d.curves[i].first) << "</text>\n";
    }
    out << "  </g>\n  <g class=\"points\">\n";
    for (const auto& m : d.markers) {
        double x = f.X(comp(m.point, a)), y = f.Y(comp(m.point, b));
        out << "    <circle class=\"" << m.style << "\" cx=\"" << num(x) << "\" cy=\"" << num(y) << "\" r=\"4\"/>\n";
        out << "    <text x=\"" << num(x + 6) << "\" y=\"" << num(y + 16) << "\">" << escape(m.label) << "</text>\n";
    }
    out << "  </g>\n</svg>\n";
}

}  // namespace velcurve
