#include "report.hpp"

#include <map>

namespace velcurve {

void Report::value(std::string key, Value v) { values.emplace_back(std::move(key), std::move(v)); }

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
        {"MPRCRB",
         {{1, "the tangent is undefined: every derivative is null"},
          {2, "a tangent, normal or binormal search failed"},
          {-1, "the normal is undefined: a straight piece in space"},
          {-2, "the torsion is undefined: zero curvature or a cusp"}}},
        {"MCGLC1",
         {{1, "the composite rule did not converge: the last sum is given"},
          {3, "dimension or number of coefficients below 1"}}},
        {"MPOSCV",
         {{1, "the composite rule did not converge"},
          {5, "no parameter found within 40 iterations"}}},
        {"MRS1D0",
         {{-1, "noisy or unresolved intervals were returned"},
          {-13, "the subdivision reached its depth limit on an unsettled piece; the lists hold what came before"},
          {1, "invalid arguments: count, tolerances, interval shorter than epsx, or values that are not finite"},
          {2, "a result list is full"}}},
        {"MBTPNU",
         {{-10, "the coarse (Bernstein) bounds: the critical points were not found"},
          {8888, "more than 61 coefficients"}}},
        {"MBTPNP", {{8888, "more than 61 coefficients"}}},
        {"MBTCB1",
         {{-10, "a component has its coarse (Bernstein) bounds: its critical points were not found"},
          {8888, "more than 21 coefficients"}}},
        {"MBTCB2", {{8888, "more than 21 coefficients"}}},
        {"MBTCBN", {{1, "the bounding of one curve failed"}}},
        {"MCVPDS",
         {{-1, "the curve is a point: its first point is the answer"},
          {-2, "the curve lies on a sphere around the point: every point is nearest, the first one is given"},
          {10, "more than 21 coefficients"},
          {20, "the restriction of the curve to a piece failed"},
          {30, "the projection of a piece failed"},
          {40, "the length of the curve could not be computed"},
          {100, "dimension not 2 or 3"}}},
        {"MDPCV0",
         {{-2, "the curve lies on a sphere around the point"},
          {-3, "the curve is a point"},
          {1, "the length, the sphere test or the solver failed"},
          {2, "dimension not 2 or 3, or no room in the lists"}}},
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
        {"MAPFNC",
         {{-1, "the segment limit was reached: a segment kept MAXCOEF coefficients above tolerance"},
          {-2, "the debug verification failed; the results are complete"},
          {1, "invalid arguments, or the output conversion failed"},
          {10, "a Hermite system is singular"},
          {13, "the work area was refused or could not be released"},
          {33, "no weighted Jacobi table for the chosen orders"}}},
        {"MAPCK5",
         {{-1, "the segment limit was reached: a segment kept MAXCOEF coefficients above tolerance"},
          {1, "inconsistent dimensions, or the planar curve is not 2D"},
          {3, "the work area was refused or not released"},
          {4, "the approximation failed"}}},
        {"MBLBE0", {{1, "dimension or number of coefficients below 1"}, {2, "mode neither 1 nor 2"}}},
        {"MBLCR4",
         {{1, "the work space was refused"},
          {2, "the principal axes or the box failed"},
          {3, "invalid counts, or the change of interval failed"},
          {200, "the work space could not be released"}}},
        {"MCKPL0",
         {{1, "the eigensolver reached its sweep limit; the axes may be inaccurate"},
          {2, "no points, or dimension below 1"},
          {11, "EPSPB is not positive"}}},
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
