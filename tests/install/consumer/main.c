/* An external caller: fills the tolerance block, reads it back, and sees the
   library's traces through its own trace services. */
#include <stdio.h>
#include <string.h>

#include "VelCurveBasedMathematics.h"

static int entries;
static char last[8];

int nfndeb(void) { return 5; }
void genmsg(const char* name, long len) {
    ++entries;
    memcpy(last, name, (size_t)(len < 7 ? len : 7));
}

int main(void) {
    int iparam[21] = {0};
    double rparam[22] = {0};
    int ier = -1, nit = 0;
    double eps = 0.0;
    rparam[11] = 1.0e-6;
    iparam[9] = 50;
    if (KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics() != 1) return 1;
    mcxcom(NULL, iparam, rparam, &ier);
    meps1(&eps);
    if (ier != 0 || eps != 1.0e-6) return 2;
    mepsnr(&eps, &nit);
    if (nit != 50 || entries != 1 || strcmp(last, "MEPSNR") != 0) return 3;
    printf("ok: EPS1 round trip and traced call %s\n", last);
    return 0;
}
