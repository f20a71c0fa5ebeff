// Checks a picture of velcurve: the axes (a frame, at least two numbered ticks
// on each axis, the two axis titles), a legend, and that no two texts
// overprint: every text's box, estimated with a generous advance per
// character, lies in the canvas and meets no other.
//
// usage: svg_check FILE [--labels N] [--titles X Y]
//   --labels N   exactly N point and curve labels are drawn
//   --titles X Y the axis titles are X and Y
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Text {
    std::string cls, content;
    double x0, y0, x1, y1;
};

std::string unescape(std::string s) {
    for (auto [from, to] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
        for (std::size_t p; (p = s.find(from)) != std::string::npos;) s.replace(p, std::string(from).size(), to);
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: svg_check FILE [--labels N] [--titles X Y]\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string svg = ss.str();
    int want_labels = -1;
    std::vector<std::string> want_titles;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--labels" && i + 1 < argc) want_labels = std::atoi(argv[++i]);
        else if (a == "--titles" && i + 2 < argc) want_titles = {argv[i + 1], argv[i + 2]}, i += 2;
    }

    // 12px sans-serif: at most 7.8px per character, 12 above the baseline, 3 below.
    const std::regex text(R"re(<text class="([a-z-]+)" x="(-?[0-9.]+)" y="(-?[0-9.]+)">([^<]*)</text>)re");
    std::vector<Text> texts;
    for (std::sregex_iterator it(svg.begin(), svg.end(), text), end; it != end; ++it) {
        const std::string content = unescape((*it)[4]);
        const double x = std::stod((*it)[2]), y = std::stod((*it)[3]);
        texts.push_back({(*it)[1], content, x, y - 12, x + 7.8 * static_cast<double>(content.size()), y + 3});
    }
    int faults = 0;
    auto fault = [&](const std::string& m) {
        std::cout << argv[1] << ": " << m << "\n";
        ++faults;
    };
    auto count = [&](const std::string& cls) {
        int n = 0;
        for (const Text& t : texts) n += t.cls == cls;
        return n;
    };
    if (svg.find("class=\"frame\"") == std::string::npos) fault("no frame around the plot area");
    if (count("tick-x") < 2) fault("fewer than two numbered ticks on the horizontal axis");
    if (count("tick-y") < 2) fault("fewer than two numbered ticks on the vertical axis");
    if (count("axis-title") != 2) fault("expected two axis titles");
    if (count("legend") < 1 || svg.find("class=\"key ") == std::string::npos) fault("no legend");
    if (want_labels >= 0 && count("label") != want_labels)
        fault("expected " + std::to_string(want_labels) + " labels, found " + std::to_string(count("label")));
    if (!want_titles.empty()) {
        std::vector<std::string> got;
        for (const Text& t : texts)
            if (t.cls == "axis-title") got.push_back(t.content);
        if (got != want_titles) fault("axis titles differ from " + want_titles[0] + ", " + want_titles[1]);
    }
    // Tick labels are numbers.
    for (const Text& t : texts)
        if ((t.cls == "tick-x" || t.cls == "tick-y") && !std::regex_match(t.content, std::regex(R"(-?[0-9.]+(e[-+][0-9]+)?)")))
            fault("tick label \"" + t.content + "\" is not a number");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const Text& a = texts[i];
        if (a.x0 < 0 || a.x1 > 800 || a.y0 < 0 || a.y1 > 600) fault("\"" + a.content + "\" leaves the canvas");
        for (std::size_t j = i + 1; j < texts.size(); ++j) {
            const Text& b = texts[j];
            if (a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1)
                fault("\"" + a.content + "\" (" + a.cls + ") overlaps \"" + b.content + "\" (" + b.cls + ")");
        }
    }
    return faults == 0 ? 0 : 1;
}
