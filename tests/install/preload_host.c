/* Calls a traced routine; the preloaded services must see it. */
#include "VelCurveBasedMathematics.h"

int main(void) {
    double eps;
    int nit;
    mepsnr(&eps, &nit);
    return 0;
}
