// The commands of the tool. Each command checks its whole input first
// (prepare, no library call) and returns the work that calls the library
// (run). A new command is one prepare function and one line in the registry.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "capture.hpp"
#include "input.hpp"
#include "report.hpp"

namespace velcurve {

struct Options {
    std::string command;
    std::string file;         // input document; empty or "-" for standard input
    bool json = false;        // machine-readable output
    int trace = -1;           // trace level to show, -1: no trace
    std::string svg;          // picture to write, empty: none
    int view[2] = {0, 1};     // components drawn horizontally and vertically
    std::string view_name = "xy";
    int digits = 10;          // significant digits of the readable output

    // Checks that the chosen view can draw geometry of dimension dim.
    void require_view(int dim, const Field& where) const;
};

// What a command produced: one section per step (a single one for most
// commands) and the picture.
struct Output {
    std::vector<Report> sections;
    Drawing drawing;
};

// The state of one run of the library.
struct Session {
    const Options& options;
    TraceCapture& capture;

    // Moves the captured trace lines into the report when they are shown.
    void collect_trace(Report& r) {
        auto lines = capture.take();
        if (options.trace >= 0) r.trace.insert(r.trace.end(), lines.begin(), lines.end());
    }
    // Ends a section: its trace, then the section itself into the output.
    void finish(Report& r, Output& out) {
        collect_trace(r);
        out.sections.push_back(std::move(r));
    }
};

using Run = std::function<void(Session&, Output&)>;

struct Command {
    const char* name;
    const char* summary;
    bool reads_input;         // false: the command carries its own data
    const char* default_svg;  // picture written without --svg, or nullptr
    Run (*prepare)(const Field& root, const Options& options);
};

const std::vector<Command>& commands();
const Command* find_command(const std::string& name);

// Commands.
Run prepare_demo(const Field& root, const Options& options);
Run prepare_bezier(const Field& root, const Options& options);
Run prepare_roots(const Field& root, const Options& options);
Run prepare_eval(const Field& root, const Options& options);
Run prepare_plane(const Field& root, const Options& options);
Run prepare_length(const Field& root, const Options& options);
Run prepare_at_length(const Field& root, const Options& options);
Run prepare_classify(const Field& root, const Options& options);
Run prepare_solve2(const Field& root, const Options& options);
Run prepare_normals(const Field& root, const Options& options);
Run prepare_intersect(const Field& root, const Options& options);

// Helpers shared by the commands.
std::string describe(const Curve& c);                 // "2D curve, 3 coefficients on [0, 1]"
Curve graph_of(const std::vector<double>& poly, double ta, double tb);  // the curve (t, p(t))
// p(t) by Horner's rule, p[k] the coefficient of t^k. The tool's own
// evaluation, for pictures and checks, independent of the library.
double horner(const std::vector<double>& p, double t);
// Column j (1-based) of a column-major array of dim rows, and the first count columns.
std::vector<double> column(const std::vector<double>& a, int dim, int j);
std::vector<std::vector<double>> points(const std::vector<double>& a, int dim, int count);
// Converts a curve given by its control polygon to coefficients (polygc), recording
// the call and the coefficients in r; false when the conversion failed.
bool resolve_polygon(Curve& c, Report& r);

}  // namespace velcurve
