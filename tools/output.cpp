#include "output.hpp"

#include <algorithm>
#include <cstdio>

namespace velcurve {

std::string format_real(double v, int digits) {
    if (v == 0.0) v = 0.0;  // no "-0" in tables
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    return buf;
}

std::string format_value(const Value& v, int digits) {
    if (auto i = std::get_if<long>(&v)) return std::to_string(*i);
    if (auto r = std::get_if<double>(&v)) return format_real(*r, digits);
    if (auto s = std::get_if<std::string>(&v)) return *s;
    const auto& p = std::get<std::vector<double>>(v);
    std::string out = "(";
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (i > 0) out += ", ";
        out += format_real(p[i], digits);
    }
    return out + ")";
}

namespace {

// The context of a call ("t = 0.5") matters only when its code is not 0.
std::string call_text(const Call& c) {
    std::string s = c.routine + " IER = " + std::to_string(c.ier) + " (" + code_meaning(c.routine, c.ier) + ")";
    if (!c.context.empty() && c.ier != 0) s += " at " + c.context;
    return s;
}

void write_table(std::ostream& out, const Table& t, int digits) {
    if (t.rows.empty()) {
        out << t.key << ": none\n";
        return;
    }
    std::vector<std::vector<std::string>> cells;
    cells.push_back(t.columns);
    for (const auto& row : t.rows) {
        std::vector<std::string> line;
        for (const Value& v : row) line.push_back(format_value(v, digits));
        cells.push_back(std::move(line));
    }
    std::vector<std::size_t> width(t.columns.size(), 0);
    for (const auto& line : cells)
        for (std::size_t k = 0; k < line.size() && k < width.size(); ++k) width[k] = std::max(width[k], line[k].size());
    out << t.key << ":\n";
    for (const auto& line : cells) {
        std::string s = " ";
        for (std::size_t k = 0; k < line.size() && k < width.size(); ++k) {
            s += " " + line[k];
            if (k + 1 < line.size()) s.append(width[k] - line[k].size() + 1, ' ');
        }
        out << s << "\n";
    }
}

void write_section(std::ostream& out, const Report& r, int digits) {
    out << r.command << ": " << r.title << "\n";
    for (const auto& [key, v] : r.values) out << "  " << key << ": " << format_value(v, digits) << "\n";
    for (const Table& t : r.tables) write_table(out, t, digits);
    for (const std::string& n : r.notes) out << n << "\n";
    if (!r.trace.empty()) {
        out << "trace:\n";
        for (const std::string& line : r.trace) out << "  " << line << "\n";
    }
    if (!r.messages.empty()) {
        out << "messages:\n";
        for (const std::string& line : r.messages) out << "  " << line << "\n";
    }
    const Call* main = r.outcome();
    for (const Call& c : r.calls)
        if (c.ier != 0 && &c != main) out << "  " << call_text(c) << "\n";
    if (main != nullptr) out << "result: " << call_text(*main) << "\n";
}

nlohmann::ordered_json value_json(const Value& v) {
    if (auto i = std::get_if<long>(&v)) return *i;
    if (auto r = std::get_if<double>(&v)) return *r;
    if (auto s = std::get_if<std::string>(&v)) return *s;
    return std::get<std::vector<double>>(v);
}

nlohmann::ordered_json call_json(const Call& c) {
    nlohmann::ordered_json j = {{"routine", c.routine}, {"ier", c.ier}, {"meaning", code_meaning(c.routine, c.ier)}};
    if (!c.context.empty() && c.ier != 0) j["context"] = c.context;
    return j;
}

nlohmann::ordered_json section_json(const Report& r) {
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    j["command"] = r.command;
    j["input"] = r.title;
    nlohmann::ordered_json results = nlohmann::ordered_json::object();
    for (const auto& [key, v] : r.values) results[key] = value_json(v);
    for (const Table& t : r.tables) {
        nlohmann::ordered_json rows = nlohmann::ordered_json::array();
        for (const auto& row : t.rows) {
            nlohmann::ordered_json o = nlohmann::ordered_json::object();
            for (std::size_t k = 0; k < row.size() && k < t.columns.size(); ++k) o[t.columns[k]] = value_json(row[k]);
            rows.push_back(std::move(o));
        }
        results[t.key] = std::move(rows);
    }
    j["results"] = std::move(results);
    if (const Call* main = r.outcome()) j["result"] = call_json(*main);
    j["calls"] = nlohmann::ordered_json::array();
    for (const Call& c : r.calls) j["calls"].push_back(call_json(c));
    if (!r.trace.empty()) j["trace"] = r.trace;
    if (!r.messages.empty()) j["messages"] = r.messages;
    return j;
}

}  // namespace

void write_text(std::ostream& out, const Output& output, int digits) {
    for (std::size_t i = 0; i < output.sections.size(); ++i) {
        if (i > 0) out << "\n";
        write_section(out, output.sections[i], digits);
    }
}

nlohmann::ordered_json to_json(const Output& output, const std::string& command) {
    if (output.sections.size() == 1) return section_json(output.sections.front());
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    j["command"] = command;
    j["sections"] = nlohmann::ordered_json::array();
    for (const Report& r : output.sections) j["sections"].push_back(section_json(r));
    return j;
}

}  // namespace velcurve
