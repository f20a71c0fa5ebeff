#include "report.hpp"

#include <map>

namespace velcurve {

const Call* Report::outcome() const {
    const Call* warning = nullptr;
    for (const Call& c : calls) {
        if (c.ier > 0) return &c;
        if (c.ier < 0 && warning == nullptr) warning = &c;
    }
    if (warning != nullptr) return warning;
    return calls.empty() ? nullptr : &calls.back();
}

namespace {

// The codes each routine documents, beyond the library-wide ones.
const std::map<std::string, std::map<int, std::string>>& routine_codes() {
    static const std::map<std::string, std::map<int, std::string>> table = {
        {"MDRVCB", {{1, "negative order of derivation or no coefficients"}}},
        {"CPOLYG", {{10, "number of coefficients outside 1 to 61"}}},
        {"POLYGC", {{10, "number of coefficients outside 1 to 61"}}},
        {"UR1PLS",
         {{1, "some pieces stayed noisy; the roots found are returned"},
          {100, "the polynomial is zero within EPS1: every parameter is a root"},
          {200, "more roots were found than the degree allows"}}},
        {"MCGLC1",
         {{1, "the composite rule did not converge: the last sum is given"},
          {3, "dimension or number of coefficients below 1"}}},
        {"MPOSCV",
         {{1, "the composite rule did not converge"},
          {5, "no parameter found within 40 iterations"}}},
        {"SIEPF1",
         {{1, "a point could not be classified; the points after it were not classified"},
          {2, "a count outside its limits"},
          {3, "the boundary is open: a curve end meets no other end"}}},
        {"MRS2D0",
         {{-1, "some isolated zeros did not converge; the others are returned"},
          {-2, "stopped on a box where both polynomials are within the tolerance (lastbox)"},
          {-13, "the subdivision reached 41 levels (lastbox)"},
          {1, "a size out of range or a failed conversion"},
          {2, "the list of zeros is full"}}},
        {"LNN2CV",
         {{-1, "the chosen segment has zero length: the curves meet there"},
          {1, "the solver failed"},
          {2, "unresolved box (a family of normals): its centre is among the pairs"},
          {3, "dimension or number of coefficients out of range"}}},
        {"PCVINT",
         {{1, "the curve lies in the plane"},
          {2, "every parameter is a solution: the distance polynomial is zero"},
          {3, "more roots than the degree: the list is unreliable"},
          {101, "the plane normal is zero"}}},
        {"UMCVCV",
         {{-1, "the two curves are identical"},
          {1, "the list of pairs is full, or a final solve failed; the pairs found are returned"},
          {2, "invalid arguments, or a curve that reduces to a point"},
          {3, "the solvers failed"}}},
    };
    return table;
}

}  // namespace

std::string code_meaning(const std::string& routine, int ier) {
    const auto& table = routine_codes();
    if (auto r = table.find(routine); r != table.end()) {
        if (auto c = r->second.find(ier); c != r->second.end()) return c->second;
    }
    if (ier == 0) return "success";
    if (ier == 10) return "work space could not be obtained, or a fixed capacity was exceeded";
    if (ier > 100 && ier < 200) return "passes on code " + std::to_string(ier - 100) + " of a routine it called";
    if (ier < 0) return "warning: the results are defined";
    return "failure";
}

int exit_status(const Report& report) {
    for (const Call& c : report.calls)
        if (c.ier > 0) return 1;
    return 0;
}

}  // namespace velcurve
