// Rendering of reports: a readable table, JSON, and the SVG picture.
#pragma once

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

#include "command.hpp"

namespace velcurve {

// Shortest text of a real for the readable output, with at most `digits`
// significant digits ("0.5", "1e-09", "(1, 2)").
std::string format_real(double v, int digits);
std::string format_value(const Value& v, int digits);

void write_text(std::ostream& out, const Output& output, int digits);
// One section gives one object; several give {"command", "sections": [...]}.
nlohmann::ordered_json to_json(const Output& output, const std::string& command);

// Draws the curves (sampled on their intervals), the control polygons, the
// lines and the marked points, projected on the components of `view`.
void write_svg(std::ostream& out, const Drawing& drawing, const int view[2], const std::string& title);

}  // namespace velcurve
