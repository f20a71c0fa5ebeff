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
    bool noisy = false;       // roots: the subdivision answer with its intervals (mrs1d0)

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

    // Moves the captured trace lines into the report when they are shown,
    // and the messages of the routines always.
    void collect_trace(Report& r) {
        auto lines = capture.take();
        if (options.trace >= 0) r.trace.insert(r.trace.end(), lines.begin(), lines.end());
        auto messages = capture.take_messages();
        r.messages.insert(r.messages.end(), messages.begin(), messages.end());
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
    // What `velcurve help NAME` prints after the usage line: the document's
    // members, the limits, the picture. nullptr: a help made of the summary.
    const char* help = nullptr;
};

const std::vector<Command>& commands();
const Command* find_command(const std::string& name);
// The help of a command: usage, summary, its own text (or what is known of
// it), the options and the exit status.
std::string command_help(const Command& c);

// Commands, and their help texts.
extern const char* const help_eval;
extern const char* const help_bezier;
extern const char* const help_roots;
extern const char* const help_plane;
extern const char* const help_demo;
Run prepare_demo(const Field& root, const Options& options);
Run prepare_bezier(const Field& root, const Options& options);
Run prepare_roots(const Field& root, const Options& options);
Run prepare_eval(const Field& root, const Options& options);
Run prepare_plane(const Field& root, const Options& options);
Run prepare_curvature(const Field& root, const Options& options);
Run prepare_length(const Field& root, const Options& options);
Run prepare_at_length(const Field& root, const Options& options);
Run prepare_bounds(const Field& root, const Options& options);
Run prepare_approximate(const Field& root, const Options& options);
Run prepare_box(const Field& root, const Options& options);
Run prepare_shape(const Field& root, const Options& options);
Run prepare_intersect(const Field& root, const Options& options);
Run prepare_project(const Field& root, const Options& options);
Run prepare_classify(const Field& root, const Options& options);
Run prepare_solve2(const Field& root, const Options& options);
Run prepare_normals(const Field& root, const Options& options);

// Helpers shared by the commands.
std::string describe(const Curve& c);                 // "2D curve, 3 coefficients on [0, 1]"
Curve graph_of(const std::vector<double>& poly, double ta, double tb);  // the curve (t, p(t))
// p(t) by Horner's rule, p[k] the coefficient of t^k. The tool's own
// evaluation, for pictures and checks, independent of the library.
double horner(const std::vector<double>& p, double t);
// Column j (1-based) of a column-major array of dim rows, and the first count columns.
std::vector<double> column(const std::vector<double>& a, int dim, int j);
std::vector<std::vector<double>> points(const std::vector<double>& a, int dim, int count);
// The control polygon of the curve on its interval, for pictures: the points
// given, or computed by the tool itself (no library call, so that the calls
// of a command stay those it reports); empty beyond 61 coefficients.
std::vector<std::vector<double>> picture_polygon(const Curve& c);
// Converts a curve given by its control polygon to coefficients (polygc), recording
// the call and the coefficients in r; false when the conversion failed.
bool resolve_polygon(Curve& c, Report& r);

}  // namespace velcurve
