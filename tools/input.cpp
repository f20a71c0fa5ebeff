#include "input.hpp"

#include <cmath>
#include <string_view>

#include "VelCurveBasedMathematics.h"

namespace velcurve {

namespace {

const char* type_name(const nlohmann::json& j) {
    if (j.is_number()) return "a number";
    if (j.is_string()) return "a text";
    if (j.is_array()) return "an array";
    if (j.is_object()) return "an object";
    if (j.is_boolean()) return "a boolean";
    return "null";
}

std::string join_path(const std::string& base, const char* key) {
    return base.empty() ? std::string(key) : base + "." + key;
}

}  // namespace

void Field::fail(const std::string& message) const {
    throw InputError((path_.empty() ? std::string("document") : path_) + ": " + message);
}

bool Field::has(const char* key) const { return j_->is_object() && j_->contains(key); }

Field Field::at(const char* key) const {
    if (!j_->is_object()) fail(std::string("expected an object, found ") + type_name(*j_));
    auto it = j_->find(key);
    if (it == j_->end()) throw InputError(join_path(path_, key) + ": missing");
    return Field(*it, join_path(path_, key));
}

Field Field::at(std::size_t index) const {
    return Field((*j_)[index], path_ + "[" + std::to_string(index) + "]");
}

void Field::allow_only(std::initializer_list<const char*> keys) const {
    if (!j_->is_object()) fail(std::string("expected an object, found ") + type_name(*j_));
    for (auto it = j_->begin(); it != j_->end(); ++it) {
        bool known = false;
        for (const char* k : keys) known = known || it.key() == k;
        if (known) continue;
        std::string list;
        for (const char* k : keys) {
            if (!list.empty()) list += ", ";
            list += k;
        }
        throw InputError(join_path(path_, it.key().c_str()) + ": unknown field (expected one of: " + list +
                         ")");
    }
}

double Field::number() const {
    if (!j_->is_number()) fail(std::string("expected a number, found ") + type_name(*j_));
    double v = j_->get<double>();
    if (!std::isfinite(v)) fail("number out of range");
    return v;
}

int Field::integer(int lo, int hi) const {
    if (!j_->is_number()) fail(std::string("expected an integer, found ") + type_name(*j_));
    double v = j_->get<double>();
    if (v != std::floor(v)) fail("expected an integer, found " + j_->dump());
    if (v < lo || v > hi)
        fail("must lie between " + std::to_string(lo) + " and " + std::to_string(hi) + ", found " + j_->dump());
    return static_cast<int>(v);
}

std::string Field::text() const {
    if (!j_->is_string()) fail(std::string("expected a text, found ") + type_name(*j_));
    return j_->get<std::string>();
}

std::size_t Field::size() const {
    if (!j_->is_array()) fail(std::string("expected an array, found ") + type_name(*j_));
    return j_->size();
}

std::vector<double> Field::numbers() const {
    std::vector<double> v(size());
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = at(i).number();
    return v;
}

std::vector<double> Field::numbers(std::size_t n) const {
    std::size_t got = size();
    if (got != n) fail("expected " + std::to_string(n) + " numbers, found " + std::to_string(got));
    return numbers();
}

nlohmann::json parse_document(const std::string& text) {
    try {
        nlohmann::json doc = nlohmann::json::parse(text);
        if (!doc.is_object()) throw InputError("document: expected a JSON object at the top");
        return doc;
    } catch (const nlohmann::json::exception& e) {  // syntax errors, and numbers beyond the range of a double
        // The library's message starts with its own tag "[json.exception...] ".
        std::string_view m = e.what();
        if (auto p = m.find("] "); p != std::string_view::npos) m.remove_prefix(p + 2);
        throw InputError("document: malformed JSON: " + std::string(m));
    }
}

Tolerances read_tolerances(const Field& root) {
    Tolerances t;
    if (!root.has("tolerances")) return t;
    Field f = root.at("tolerances");
    f.allow_only({"eps1", "epsnr", "epspb", "epspb2", "eps3d", "nitnr", "nitln"});
    auto positive = [&](const char* key, double& slot) {
        if (!f.has(key)) return;
        Field v = f.at(key);
        slot = v.number();
        if (slot < 0.0) v.fail("must not be negative");
    };
    positive("eps1", t.eps1);
    positive("epsnr", t.epsnr);
    positive("epspb", t.epspb);
    positive("epspb2", t.epspb2);
    positive("eps3d", t.eps3d);
    t.nitnr = f.integer_or("nitnr", t.nitnr, 0, 1000000);
    t.nitln = f.integer_or("nitln", t.nitln, 0, 1000000);
    return t;
}

int apply_tolerances(const Tolerances& tol) {
    int iparam[21] = {};
    double rparam[22] = {};
    rparam[0] = tol.eps3d;
    rparam[11] = tol.eps1;
    rparam[12] = tol.epsnr;
    rparam[13] = tol.epspb;
    rparam[14] = tol.epspb2;
    iparam[9] = tol.nitnr;
    iparam[10] = tol.nitln;
    int ier = 0;
    mcxcom(nullptr, iparam, rparam, &ier);
    return ier;
}

namespace {

// Reads an array of points, given as columns ([[x, y], ...]) or flat column
// by column ([x0, y0, x1, y1, ...]); fills dim when the document leaves it out.
std::vector<double> read_columns(const Field& f, int& dim, int& count) {
    std::size_t n = f.size();
    if (n == 0) f.fail("empty: at least one column is needed");
    std::vector<double> out;
    if (f.json()[0].is_array()) {
        std::size_t d = f.at(std::size_t{0}).size();
        if (dim == 0) dim = static_cast<int>(d);
        if (dim < 1 || dim > kMaxDimension)
            f.at(std::size_t{0}).fail("columns must have 1 to " + std::to_string(kMaxDimension) + " components");
        if (n > static_cast<std::size_t>(kMaxCoefficients))
            f.fail("at most " + std::to_string(kMaxCoefficients) + " columns, found " + std::to_string(n));
        for (std::size_t j = 0; j < n; ++j) {
            Field col = f.at(j);
            if (!col.json().is_array())
                col.fail(std::string("expected a column of ") + std::to_string(dim) + " numbers, found " +
                         type_name(col.json()));
            if (col.size() != static_cast<std::size_t>(dim))
                col.fail("expected " + std::to_string(dim) + " numbers (the dimension), found " +
                         std::to_string(col.size()));
            for (double v : col.numbers()) out.push_back(v);
        }
        count = static_cast<int>(n);
        return out;
    }
    if (dim == 0) f.fail("a flat list of numbers needs \"dimension\" beside it");
    if (n % static_cast<std::size_t>(dim) != 0)
        f.fail(std::to_string(n) + " numbers is not a multiple of the dimension " + std::to_string(dim));
    if (n / static_cast<std::size_t>(dim) > static_cast<std::size_t>(kMaxCoefficients))
        f.fail("at most " + std::to_string(kMaxCoefficients) + " columns, found " +
               std::to_string(n / static_cast<std::size_t>(dim)));
    out = f.numbers();
    count = static_cast<int>(n / static_cast<std::size_t>(dim));
    return out;
}

}  // namespace

Curve read_curve(const Field& f) {
    f.allow_only({"dimension", "coefficients", "polygon", "interval", "label"});
    Curve c;
    if (f.has("label")) c.label = f.at("label").text();
    c.dim = f.has("dimension") ? f.at("dimension").integer(1, kMaxDimension) : 0;
    bool coefs = f.has("coefficients"), poly = f.has("polygon");
    if (coefs == poly)
        throw InputError(f.path() + (coefs ? ": give either \"coefficients\" or \"polygon\", not both"
                                           : ".coefficients: missing (or \"polygon\" for a control polygon)"));
    if (coefs) {
        c.coef = read_columns(f.at("coefficients"), c.dim, c.ncoef);
    } else {
        c.from_polygon = true;
        c.polygon = read_columns(f.at("polygon"), c.dim, c.ncoef);
    }
    if (f.has("interval")) {
        Field iv = f.at("interval");
        auto ab = iv.numbers(2);
        c.ta = ab[0];
        c.tb = ab[1];
        if (!(c.ta < c.tb)) iv.fail("expected [a, b] with a < b");
        if (poly && (c.ta != 0.0 || c.tb != 1.0)) iv.fail("a control polygon is meant on [0, 1]");
    }
    return c;
}

std::vector<double> read_point(const Field& f, int dim) {
    if (!f.json().is_array()) f.fail(std::string("expected a point of ") + std::to_string(dim) +
                                     " numbers, found " + type_name(f.json()));
    if (f.size() != static_cast<std::size_t>(dim))
        f.fail("expected " + std::to_string(dim) + " numbers (the dimension of the curve), found " +
               std::to_string(f.size()));
    return f.numbers();
}

std::vector<double> read_parameters(const Field& f) {
    if (f.json().is_number()) return {f.number()};
    std::vector<double> t = f.numbers();
    if (t.empty()) f.fail("empty: give at least one parameter");
    if (t.size() > 10000) f.fail("at most 10000 parameters");
    return t;
}

void limit_count(const Field& f, std::size_t count, int limit, const char* what, const char* routine) {
    if (count > static_cast<std::size_t>(limit))
        f.fail("at most " + std::to_string(limit) + " " + what + " (the limit of " + routine + "), found " +
               std::to_string(count));
}

void limit_curve(const Field& f, const Curve& c, int limit, const char* routine) {
    const auto n = static_cast<std::size_t>(c.ncoef);
    if (c.from_polygon) {
        if (limit >= kMaxPolygon) limit = kMaxPolygon, routine = "polygc";
        limit_count(f.at("polygon"), n, limit, "control points", routine);
    } else {
        limit_count(f.at("coefficients"), n, limit, "coefficients", routine);
    }
}

}  // namespace velcurve
