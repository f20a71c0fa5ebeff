// de Casteljau splits of control polygons and of control nets of patches.
//
// Polygons of dimension 2 or 3 (and scalar polygons) are split in the
// caller's RIGHT array, all components at once; other dimensions go through
// the triangle in the caller's WORK array, one component at a time. Both give
// the same values: every point is formed by the same operations.
#include <cstddef>

#include "frame/frame.hpp"
#include "polynomial/basis_kernels.hpp"
#include "vcbm_polynomial.h"

namespace {

template <class Step>
void split(int ndim, int ldw, int ncoef, const double* poly, double* work, double* left, double* right, Step step) {
    if (ncoef < 1 || ncoef > ldw || ndim < 1) return;
    switch (ndim) {
        case 1: return vcbm::basis::split_flat<1>(ncoef, poly, left, right, step);
        case 2: return vcbm::basis::split_flat<2>(ncoef, poly, left, right, step);
        case 3: return vcbm::basis::split_flat<3>(ncoef, poly, left, right, step);
        default: return vcbm::basis::split_triangle(ndim, ldw, ncoef, poly, work, left, right, step);
    }
}

}  // namespace

extern "C" void upolyg(const int* NDIM, const int* LDW, const int* NCOEF, const double* POLY, double* WORK,
                       double* LEFT, double* RIGHT) {
    split(*NDIM, *LDW, *NCOEF, POLY, WORK, LEFT, RIGHT, vcbm::basis::Half{});
}

extern "C" void uplygg(const int* NDIM, const int* LDW, const int* NCOEF, const double* POLY, const double* T,
                       double* WORK, double* LEFT, double* RIGHT) {
    split(*NDIM, *LDW, *NCOEF, POLY, WORK, LEFT, RIGHT, vcbm::basis::AtT{*T});
}

extern "C" void mlmpna(const double* POLY, const int* N, double* WORK, double* LEFT, double* RIGHT) {
    static constexpr auto R = vcbm::routine("MLMPNA");
    vcbm::Frame f(R);
    if (*N < 1) return;
    vcbm::basis::split_flat<1>(*N, POLY, LEFT, RIGHT, vcbm::basis::Half{});
}

extern "C" void mlmkab(const int* LD1, const int* LD2, const double* NET, const int* NU, const int* NV,
                       const int* NDIM, const int* IDIR, double* WORK, const int* LDW, double* LEFT, double* RIGHT,
                       int* IER) {
    static constexpr auto R = vcbm::routine("MLMKAB");
    vcbm::Frame f(R, *IER);
    const int ld1 = *LD1, ld2 = *LD2, nu = *NU, nv = *NV, ndim = *NDIM, idir = *IDIR, ldw = *LDW;
    if (nu > ld1 || nv > ld2) return f.fail(1);
    if (idir == 1) {
        if (ldw < nu) return f.fail(1);
    } else if (idir == 2) {
        if (ldw < nv) return f.fail(1);
    } else {
        return f.fail(1);
    }
    if (nu < 1 || nv < 1 || ndim < 1) return;
    const std::ptrdiff_t slab = static_cast<std::ptrdiff_t>(ld1) * ld2;
    for (int k = 0; k < ndim; ++k) {
        if (idir == 1) {  // the u-polygons NET(1..NU, j, k), contiguous
            for (int j = 0; j < nv; ++j) {
                const std::ptrdiff_t at = k * slab + static_cast<std::ptrdiff_t>(j) * ld1;
                vcbm::basis::split_strided(nu, NET + at, 1, LEFT + at, RIGHT + at, vcbm::basis::Half{});
            }
        } else {  // the v-polygons NET(i, 1..NV, k), LD1 apart
            for (int i = 0; i < nu; ++i) {
                const std::ptrdiff_t at = k * slab + i;
                vcbm::basis::split_strided(nv, NET + at, ld1, LEFT + at, RIGHT + at, vcbm::basis::Half{});
            }
        }
    }
}
