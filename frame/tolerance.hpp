// The process-wide tolerance block, filled by mcxcom.
//
// Routines read the slots through these accessors. EPS1 may be overridden
// for the calling thread only (ScopedEps1), which is how a routine scales
// the general tolerance for the duration of its own call without touching
// the block that other threads read.
#pragma once

namespace vcbm::tol {

struct Block {
    double eps3d = 0.0;   // RPARAM(1)
    double eps1 = 0.0;    // RPARAM(12)
    double epsnr = 0.0;   // RPARAM(13)
    double epspb = 0.0;   // RPARAM(14)
    double epspb2 = 0.0;  // RPARAM(15)
    int nitnr = 0;        // IPARAM(10)
    int nitln = 0;        // IPARAM(11)
    // Settings copied into the block that no routine of the library reads:
    // RPARAM(2), RPARAM(3), RPARAM(16..19), RPARAM(22); IPARAM(4..9), IPARAM(20..21).
    double rcopy[8] = {};
    int icopy[8] = {};
};

// The block itself (all zero until the first mcxcom).
Block& block() noexcept;

double eps1() noexcept;  // honours the calling thread's override
inline double eps3d() noexcept { return block().eps3d; }
inline double epsnr() noexcept { return block().epsnr; }
inline double epspb() noexcept { return block().epspb; }
inline double epspb2() noexcept { return block().epspb2; }
inline int nitnr() noexcept { return block().nitnr; }
inline int nitln() noexcept { return block().nitln; }

// Replaces EPS1 for the calling thread while it lives; restores the previous
// value (the block's, or an outer override) on destruction.
class ScopedEps1 {
public:
    explicit ScopedEps1(double value) noexcept;
    ~ScopedEps1();
    ScopedEps1(const ScopedEps1&) = delete;
    ScopedEps1& operator=(const ScopedEps1&) = delete;

private:
    bool had_previous_;
    double previous_;
};

}  // namespace vcbm::tol
