// The tolerance block of the benchmarks: the command-line tool's defaults,
// suited to unit-size geometry.
#pragma once

#include "VelCurveBasedMathematics.h"

namespace bench {

inline void fill_tolerances() {
    int ip[21] = {};
    double rp[22] = {};
    rp[0] = 1e-9;    // EPS3D
    rp[11] = 1e-9;   // EPS1
    rp[12] = 1e-10;  // EPSNR
    rp[13] = 1e-14;  // EPSPB
    rp[14] = 1e-9;   // EPSPB2
    ip[9] = 100;     // NITNR
    ip[10] = 100;    // NITLN
    int ier = 0;
    mcxcom(nullptr, ip, rp, &ier);
}

}  // namespace bench
