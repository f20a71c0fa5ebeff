/* A host program on the default infrastructure that makes the library fail in
   several ways: an error report with a code, a failure report without one, a
   debug line and mcxcom's report of code 0. At trace level 0 the run must
   write nothing (the test runs this program in a process of its own and
   checks its two output streams); the reports are kept for the thread.
   With VCBI_TRACE / VCBI_TRACE_FILE set, the lines go where they say. The
   program prints only when a check fails, and then exits with 1. */
#include <stdio.h>
#include <string.h>

#include "VelCurveBasedInfrastructure.h"
#include "VelCurveBasedMathematics.h"

static int failures = 0;

static void check(int ok, const char* what) {
    if (!ok) {
        /* Names the failed check, so the run is no longer silent: the test fails. */
        fprintf(stderr, "quiet_host: %s\n", what);
        ++failures;
    }
}

int main(void) {
    int iparam[21] = {0}, ier = -7, nroot = -1;
    double rparam[22] = {0};
    vcbi_report r;
    rparam[11] = 1e-9;
    rparam[12] = 1e-10;
    iparam[9] = 100;

    check(vcbi_last_report(&r) == 0 && r.count == 0 && r.name[0] == '\0', "no report before any call");
    mcxcom(NULL, iparam, rparam, &ier);
    check(ier == 0 && vcbi_last_report(NULL) == 0, "mcxcom's code 0 is not an error report");

    /* The zero polynomial: every parameter is a root, UR1PLS reports 100. */
    {
        const int n = 3;
        const double c[3] = {0, 0, 0}, a = 0, b = 1;
        double root[2], aux[8];
        ur1pls(&n, c, &a, &b, &nroot, root, aux, &ier);
        check(ier == 100, "ur1pls on the zero polynomial gives 100");
        check(vcbi_last_report(&r) == 1 && strcmp(r.name, "UR1PLS") == 0 && r.code == 100 && r.with_code == 1 &&
                  r.count == 1,
              "UR1PLS 100 kept as the last report");
    }
    /* A zero vector: UNITVT reports a failure without a code. */
    {
        const int n = 3;
        const double v[3] = {0, 0, 0};
        double vu[3];
        check(unitvt(&n, v, vu) == 1, "unitvt on a zero vector fails");
        check(vcbi_last_report(&r) == 1 && strcmp(r.name, "UNITVT") == 0 && r.with_code == 0 && r.count == 2,
              "UNITVT kept without a code");
    }
    /* An unknown option: MSIMPL writes a debug line and reports 2. */
    {
        const int m = 1, nv = 2, lda = 1, maxit = 10, option = 5;
        const double a[2] = {1, 1}, b[1] = {1}, c[2] = {1, 1};
        double x[2];
        int nit = 0, status[2] = {0, 0};
        msimpl(&m, &nv, &lda, a, b, c, &maxit, &option, x, &nit, status, &ier);
        check(ier == 2, "msimpl refuses option 5 with code 2");
        check(vcbi_last_report(&r) == 1 && strcmp(r.name, "MSIMPL") == 0 && r.code == 2 && r.count == 3,
              "MSIMPL 2 kept as the last report");
    }
    /* The reports are the calling thread's; clearing forgets them. */
    vcbi_clear_reports();
    check(vcbi_last_report(&r) == 0 && r.count == 0, "clearing forgets the reports");
    return failures == 0 ? 0 : 1;
}
