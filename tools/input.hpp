// Reading and checking the JSON document of a command. Every check happens
// before the first library call; a failed one throws InputError naming the
// field, and the tool stops with exit status 2.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "report.hpp"

namespace velcurve {

struct InputError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Largest sizes the tool reads at all. Each command then refuses what lies
// beyond the limits of the routines it calls, before calling them
// (limit_curve), so that no routine is handed a count it cannot take.
inline constexpr int kMaxDimension = 16;
inline constexpr int kMaxCoefficients = 100;

// Routine limits the commands check.
inline constexpr int kMaxPolygon = 61;     // cpolyg, polygc, ufdplg: the binomial table's degree 60
inline constexpr int kMaxRootCoefs = 41;   // ur1pls (and pcvint, which hands its polynomial to it)

// A field of the document with its path ("curve.coefficients[2]"), for messages.
class Field {
public:
    Field(const nlohmann::json& j, std::string path) : j_(&j), path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    const nlohmann::json& json() const { return *j_; }
    [[noreturn]] void fail(const std::string& message) const;

    bool has(const char* key) const;
    Field at(const char* key) const;  // required member
    Field at(std::size_t index) const;
    // Rejects members other than the listed ones (catches misspelt names).
    void allow_only(std::initializer_list<const char*> keys) const;

    double number() const;
    int integer(int lo, int hi) const;
    std::string text() const;
    std::vector<double> numbers() const;               // an array of numbers
    std::vector<double> numbers(std::size_t n) const;  // exactly n numbers
    std::size_t size() const;                          // length of an array field

    double number_or(const char* key, double fallback) const {
        return has(key) ? at(key).number() : fallback;
    }
    int integer_or(const char* key, int fallback, int lo, int hi) const {
        return has(key) ? at(key).integer(lo, hi) : fallback;
    }

private:
    const nlohmann::json* j_;
    std::string path_;
};

// Parses the whole document (text of a file or of standard input).
nlohmann::json parse_document(const std::string& text);

// The settings handed to mcxcom.
struct Tolerances {
    double eps1 = 1e-9;    // RPARAM(12): lengths and values counted as zero
    double epsnr = 1e-10;  // RPARAM(13): parametric tolerance of root finding
    double epspb = 1e-14;  // RPARAM(14): derivatives and pivots counted as zero
    double epspb2 = 1e-9;  // RPARAM(15): sine under which directions are parallel
    double eps3d = 1e-9;   // RPARAM(1)
    int nitnr = 100;       // IPARAM(10): Newton iteration limit
    int nitln = 100;       // IPARAM(11)
};
// Reads the optional member "tolerances" of the document's root.
Tolerances read_tolerances(const Field& root);
// Fills the library's tolerance block; returns mcxcom's IER.
int apply_tolerances(const Tolerances& tol);

// A curve: {"dimension": d, "coefficients": [...], "interval": [a, b]} with the
// coefficients as columns ([[x, y], ...]) or flat column by column, or
// {"dimension": d, "polygon": [[x, y], ...]} for a control polygon on [0, 1].
// A polygon is converted to coefficients later (needs the library).
Curve read_curve(const Field& f);
// Refuses a curve with more than LIMIT coefficients (control points for a
// curve given by its polygon), the limit of ROUTINE; F is the curve's field.
// A polygon is always converted by polygc, so it never exceeds kMaxPolygon.
void limit_curve(const Field& f, const Curve& c, int limit, const char* routine);
// Refuses an array field of more than LIMIT numbers, the limit of ROUTINE.
void limit_count(const Field& f, std::size_t count, int limit, const char* what, const char* routine);

// A point of dimension dim: [x, y, ...].
std::vector<double> read_point(const Field& f, int dim);
// A list of parameters: a number or an array of numbers.
std::vector<double> read_parameters(const Field& f);

}  // namespace velcurve
