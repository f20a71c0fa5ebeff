/* The smallest useful caller: fill the tolerance block, read it back, and
   call a traced routine with the default infrastructure's trace switched on. */
#include <stdio.h>

#include "VelCurveBasedInfrastructure.h"
#include "VelCurveBasedMathematics.h"

int main(void) {
    int iparam[21] = {0}, ier = 0, nit = 0;
    double rparam[22] = {0}, eps1 = 0.0, epsnr = 0.0;
    rparam[11] = 1e-9;  /* EPS1 */
    rparam[12] = 1e-10; /* EPSNR */
    iparam[9] = 100;    /* NITNR */
    mcxcom(NULL, iparam, rparam, &ier);
    meps1(&eps1);
    vcbi_set_trace_level(5);
    vcbi_set_trace_stream(stdout);
    mepsnr(&epsnr, &nit);
    printf("EPS1 = %g, EPSNR = %g, NITNR = %d\n", eps1, epsnr, nit);
    return ier;
}
