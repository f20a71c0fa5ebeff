// The work-space failure sweep: every routine that requests work space, with
// the k-th request (then the k-th release) refused for k = 1, 2, ... until
// the call runs through. Each refusal must give the documented code or the
// documented fall-back (the same results), leave no block in use and
// release only blocks that were granted, once each.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/fixture.hpp"
#include "tests/support/reference.hpp"

namespace {

using rec::Kind;
using V = std::vector<double>;

// What a call produced: its code and its numeric results.
struct Outcome {
    int ier = -99;
    V values;
    bool operator==(const Outcome&) const = default;
};

struct Subject {
    const char* name;
    std::function<Outcome()> call;
    int refused_code;  // the code of a refused request (when no fall-back applies)
};

// Blocks granted and blocks released, by offset: each released block was
// granted, and released once.
void expect_balanced(const std::string& what) {
    std::vector<std::int64_t> granted, released;
    for (const rec::Event& e : rec::events()) {
        if (e.kind == Kind::Request && e.offset != 0) granted.push_back(e.offset);
        if (e.kind == Kind::Release) released.push_back(e.offset);
    }
    std::sort(granted.begin(), granted.end());
    std::sort(released.begin(), released.end());
    EXPECT_EQ(granted, released) << what << ": blocks granted and released differ";
    EXPECT_EQ(rec::live_blocks(), 0) << what;
}

std::vector<Subject> subjects() {
    static const V c = ref::from_roots({0.1, 0.35, 0.6, 0.85, 2.5});
    std::vector<Subject> s;
    s.push_back({"ur1pls", [] {
                     int n = static_cast<int>(c.size()), nroot = 0;
                     double a = 0, b = 1;
                     Outcome o;
                     V root(n - 1), aux(n - 1);
                     ur1pls(&n, c.data(), &a, &b, &nroot, root.data(), aux.data(), &o.ier);
                     o.values.assign(root.begin(), root.begin() + nroot);
                     return o;
                 },
                 10});
    s.push_back({"mmrs1d", [] {
                     int eight = 8, ncmax = 61, n = static_cast<int>(c.size()), nroot = 0;
                     double a = 0, b = 1, epsf = 1e-9;
                     V work(610), root(n - 1);
                     char status[4];
                     Outcome o;
                     mmrs1d(&eight, &ncmax, &n, c.data(), c.data(), &a, &b, &epsf, &nroot, root.data(), work.data(),
                            status, &o.ier, 4);
                     o.values.assign(root.begin(), root.begin() + nroot);
                     return o;
                 },
                 -1});  // no code of its own: one level of storage in the caller's area
    s.push_back({"pcvint", [] {
                     // A 3D curve whose height above z = 0 is c(t).
                     int ndim = 3, ncoef = static_cast<int>(c.size());
                     V coef(3 * ncoef, 0.0), work(3 * ncoef), sol(ncoef);
                     for (int k = 0; k < ncoef; ++k) coef[3 * k + 2] = c[k];
                     coef[3] = 1.0;
                     double normal[3] = {0, 0, 2}, point[3] = {0, 0, 0}, tref = 0.5, tnear = -1;
                     int nsol = 0;
                     Outcome o;
                     pcvint(&ndim, &ncoef, coef.data(), normal, point, work.data(), &tref, &tnear, &nsol, sol.data(),
                            &o.ier);
                     o.values.assign(sol.begin(), sol.begin() + (o.ier == 0 ? nsol : 0));
                     o.values.push_back(tnear);
                     return o;
                 },
                 10});
    return s;
}

class WorkSpaceSweep : public testing_support::Recorded {};

TEST_F(WorkSpaceSweep, EveryRequestRefusedInTurn) {
    for (const Subject& s : subjects()) {
        rec::reset();
        const Outcome full = s.call();
        const int requests = rec::count(Kind::Request);
        ASSERT_GE(requests, 1) << s.name << " makes no request";
        ASSERT_EQ(full.ier, 0) << s.name;
        for (int k = 1;; ++k) {
            rec::reset();
            rec::fail_request(k);
            const Outcome o = s.call();
            const std::string what = std::string(s.name) + ", request " + std::to_string(k) + " refused";
            expect_balanced(what);
            if (rec::count(Kind::Request) < k) {  // ran through: nothing was refused
                EXPECT_EQ(o, full) << what;
                break;
            }
            // The documented code, or the fall-back that gives the same results.
            EXPECT_TRUE(o.ier == s.refused_code || o == full) << what << ": code " << o.ier;
            ASSERT_LE(k, 8) << s.name << " keeps requesting";
        }
    }
}

TEST_F(WorkSpaceSweep, EveryReleaseRefusedInTurn) {
    for (const Subject& s : subjects()) {
        rec::reset();
        const Outcome full = s.call();
        const int releases = rec::count(Kind::Release);
        for (int k = 1; k <= releases; ++k) {
            rec::reset();
            rec::fail_release(k);
            const Outcome o = s.call();
            const std::string what = std::string(s.name) + ", release " + std::to_string(k) + " refused";
            // The recorder frees a refused block all the same: balance holds.
            expect_balanced(what);
            // A failed release turns success into 10; the results stay.
            EXPECT_EQ(o.ier, 10) << what;
        }
    }
}

}  // namespace
