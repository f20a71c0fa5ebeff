// What a command hands back: tables of results, the result codes of the
// library calls it made, and the geometry to draw. The same report is
// rendered as a readable table, as JSON, and as an SVG picture.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace velcurve {

// One cell of a table: an integer, a real, a point or a text.
using Value = std::variant<long, double, std::vector<double>, std::string>;

struct Table {
    std::string key;                    // JSON name; also the heading of the readable table
    std::vector<std::string> columns;   // JSON keys and column headings
    std::vector<std::vector<Value>> rows;

    Table& row(std::vector<Value> cells) {
        rows.push_back(std::move(cells));
        return *this;
    }
};

// A call of a library routine that returns a result code.
struct Call {
    std::string routine;  // trace name, upper case
    int ier = 0;
    std::string context;  // e.g. "t = 0.5" when a routine is called several times
};

// A curve in canonical form: COEF(dim, ncoef), column j the coefficient of t^(j-1).
struct Curve {
    int dim = 0;
    int ncoef = 0;
    std::vector<double> coef;
    double ta = 0.0, tb = 1.0;  // parameter interval
    std::string label;
    bool from_polygon = false;  // given by its control polygon in the input
    std::vector<double> polygon;  // the control points as given (when from_polygon)

    double at(int i, int j) const { return coef[static_cast<std::size_t>((j - 1) * dim + (i - 1))]; }
};

// The geometry of a report, in the coordinates of the problem.
struct Drawing {
    struct Path {
        std::string label;
        std::vector<std::vector<double>> points;
    };
    struct Marker {
        std::string label;
        std::vector<double> point;
        std::string style = "point";  // CSS class: point, inside, outside, on
    };
    struct Line {  // an infinite line of the plane: P + s D
        std::string label;
        std::vector<double> point, direction;
    };
    std::vector<std::pair<std::string, Curve>> curves;  // label, curve
    std::vector<Path> polygons;
    std::vector<Path> paths;  // plain polylines (normals, circles), drawn without control points
    std::vector<Path> regions;  // closed outlines filled together, even-odd
    std::vector<Marker> markers;
    std::vector<Line> lines;
    // A graph such as (t, p(t)) has its own scale on each axis and titles;
    // geometry keeps equal scales and is titled by the components drawn.
    bool equal_aspect = true;
    std::string x_title, y_title;
    std::string marker_legend;  // what the points are ("roots"), "points" when empty
    bool empty() const { return curves.empty() && polygons.empty() && paths.empty() && regions.empty() && markers.empty(); }
};

struct Report {
    std::string command;
    std::string title;                                  // one line describing the input
    std::vector<std::pair<std::string, Value>> values;  // single results, in order
    std::vector<Table> tables;
    std::vector<Call> calls;
    std::vector<std::string> notes;  // readable remarks (text output only)
    std::vector<std::string> trace;  // captured trace lines, when asked for
    std::vector<std::string> messages;  // the routines' error reports and debug lines
    Drawing drawing;

    // Out of line: inlined into its callers, the move of the variant drew
    // false maybe-uninitialized warnings from GCC 12.
    void value(std::string key, Value v);
    Table& table(std::string key, std::vector<std::string> columns) {
        tables.push_back(Table{std::move(key), std::move(columns), {}});
        return tables.back();
    }
    int call(std::string routine, int ier, std::string context = {}) {
        calls.push_back(Call{std::move(routine), ier, std::move(context)});
        return ier;
    }
    // The call that decides the outcome: the first failure, else the first
    // warning, else the last call (success).
    const Call* outcome() const;
};

// Meaning of a result code of a routine, as the library defines it.
std::string code_meaning(const std::string& routine, int ier);

// Exit status of the tool for a report: 1 when a call failed, 0 otherwise.
int exit_status(const Report& report);

}  // namespace velcurve
