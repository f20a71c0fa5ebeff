#include "frame/tolerance.hpp"

#include "frame/frame.hpp"
#include "vcbm_frame.h"

namespace vcbm::tol {

namespace {
Block g_block;
thread_local bool t_has_eps1 = false;
thread_local double t_eps1 = 0.0;
}  // namespace

Block& block() noexcept { return g_block; }

double eps1() noexcept { return t_has_eps1 ? t_eps1 : g_block.eps1; }

ScopedEps1::ScopedEps1(double value) noexcept : had_previous_(t_has_eps1), previous_(t_eps1) {
    t_has_eps1 = true;
    t_eps1 = value;
}

ScopedEps1::~ScopedEps1() {
    t_has_eps1 = had_previous_;
    t_eps1 = previous_;
}

}  // namespace vcbm::tol

using vcbm::tol::block;

extern "C" {

void mcxcom(const int* /*arg1: not read*/, const int* iparam, const double* rparam, int* ier) {
    static constexpr auto R = vcbm::routine("MCXCOM");
    vcbm::Frame f(R, *ier);
    auto ip = vcbm::vec(iparam);
    auto rp = vcbm::vec(rparam);
    vcbm::tol::Block& b = block();
    b.eps3d = rp(1);
    b.rcopy[0] = rp(2);
    b.rcopy[1] = rp(3);
    b.eps1 = rp(12);
    b.epsnr = rp(13);
    b.epspb = rp(14);
    b.epspb2 = rp(15);
    for (int k = 16; k <= 19; ++k) b.rcopy[k - 14] = rp(k);
    b.rcopy[6] = rp(22);
    for (int k = 4; k <= 9; ++k) b.icopy[k - 4] = ip(k);
    b.nitnr = ip(10);
    b.nitln = ip(11);
    b.icopy[6] = ip(20);
    b.icopy[7] = ip(21);
}

void meps1(double* eps) { *eps = vcbm::tol::eps1(); }

void meps3d(double* eps) { *eps = block().eps3d; }

void mepsnr(double* eps, int* nit) {
    static constexpr auto R = vcbm::routine("MEPSNR");
    vcbm::Frame f(R);
    *eps = block().epsnr;
    *nit = block().nitnr;
}

void mepspb(double* epsa, double* epsb) {
    static constexpr auto R = vcbm::routine("MEPSPB");
    vcbm::Frame f(R);
    *epsa = block().epspb;
    *epsb = block().epspb2;
}

void mepsln(double* eps, int* nit, int* nit2) {
    static constexpr auto R = vcbm::routine("MEPSLN");
    vcbm::Frame f(R);
    *eps = block().epsnr;
    *nit = block().nitnr;
    *nit2 = block().nitln;
}

void mveps3(double* eps) {
    static constexpr auto R = vcbm::routine("MVEPS3");
    vcbm::Frame f(R);
    *eps = block().epspb;
}

int KESTRANE_WORKS_QBX2_INTERNAL_VelCurveBasedMathematics(void) { return 1; }

}  // extern "C"
