// Surface normals: mvtnml, mvcnml, mdvnml, mdrnml, md2nml at regular and
// singular points, mvtnm0, the derivatives of the raw normal mdrnnn with
// those of its unit vector mdrnn2, and mdr2nr.
#include <algorithm>

#include "fuzz/harness.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fz::Input in = fz::open(data, size);
    const int which = in.pick(8);
    if (which == 7) {
        int ndim = in.count(1, 4);
        const int nd = std::max(ndim, 1);
        fz::Array<double> v(nd, "V"), dv(nd, "DV"), d2v(nd, "D2V"), out(nd, "D2UNIT");
        for (fz::Array<double>* a : {&v, &dv, &d2v}) {
            a->fill(in);
            a->freeze();
        }
        double eps = in.tolerance();
        int ier = -7;
        {
            fz::Call call("mdr2nr");
            mdr2nr(&ndim, v.data(), dv.data(), d2v.data(), &eps, out.data(), &ier);
        }
        fz::expect_code("mdr2nr", ier, {0, 1, 10});
        if (ier == 0 && in.tame()) fz::expect_finite("mdr2nr", out.data(), ndim);
        return 0;
    }
    // A patch of low degree most of the time (singular points need coincidences), up to the limit.
    const bool big = in.byte() >= 240;
    int ncu = big ? in.count(2, 61) : in.count(2, 5), ncv = big ? in.count(2, 61) : in.count(2, 5);
    int ncmax = std::max(ncu, 1) + (in.byte() < 230 ? 0 : in.within(-1, 2));
    const long cells = 3L * std::max(ncmax, 1) * std::max(ncv, 1);
    fz::Array<double> surf(cells, "SURF");
    // Zeros often, so that partial derivatives vanish.
    for (long k = 0; k < cells; ++k) surf[k] = in.byte() < 96 ? 0.0 : in.real();
    surf.freeze();
    double u = in.parameter(0, 1), v = in.parameter(0, 1), eps = in.tolerance(), nnorm = -7;
    int inorm = in.within(0, 3), ku = -7, kv = -7, ier = -7;
    fz::Array<double> normal(3, "NORMAL");
    auto check = [&](const char* routine, std::initializer_list<const fz::Array<double>*> outs) {
        fz::expect_code(routine, ier, {0, 1, 10, 13});
        if (ier == 0 && in.tame()) {
            fz::expect_finite(routine, normal.data(), 3);
            for (const fz::Array<double>* a : outs) fz::expect_finite(routine, a->data(), a->size());
        }
    };
    switch (which) {
        case 0: {
            {
                fz::Call call("mvtnml");
                mvtnml(&ncmax, &ncu, &ncv, surf.data(), &u, &v, &eps, normal.data(), &nnorm, &ku, &kv, &ier);
            }
            check("mvtnml", {});
            break;
        }
        case 1: {
            {
                fz::Call call("mvcnml");
                mvcnml(&ncmax, &ncu, &ncv, surf.data(), &u, &v, &eps, &inorm, normal.data(), &nnorm, &ku, &kv, &ier);
            }
            check("mvcnml", {});
            break;
        }
        case 2: {
            fz::Array<double> dnu(3, "DNU"), dnv(3, "DNV");
            {
                fz::Call call("mdvnml");
                mdvnml(&ncmax, &ncu, &ncv, surf.data(), &u, &v, &eps, normal.data(), &nnorm, dnu.data(), dnv.data(),
                       &ku, &kv, &ier);
            }
            check("mdvnml", {&dnu, &dnv});
            break;
        }
        case 3: {
            fz::Array<double> r1(3, "R1"), r2(3, "R2"), r3(3, "R3");
            {
                fz::Call call("mdrnml");
                mdrnml(&ncmax, &ncu, &ncv, surf.data(), &u, &v, &eps, &inorm, normal.data(), &nnorm, &ku, &kv,
                       r1.data(), r2.data(), r3.data(), &ier);
            }
            check("mdrnml", {&r1, &r2, &r3});
            break;
        }
        case 4: {
            fz::Array<double> r1(3, "R1"), r2(3, "R2"), r3(3, "R3"), s11(3, "S11"), s12(3, "S12"), s21(3, "S21"),
                s22(3, "S22");
            {
                fz::Call call("md2nml");
                md2nml(&ncmax, &ncu, &ncv, surf.data(), &u, &v, &eps, &inorm, normal.data(), &nnorm, &ku, &kv,
                       r1.data(), r2.data(), r3.data(), s11.data(), s12.data(), s21.data(), s22.data(), &ier);
            }
            check("md2nml", {&r1, &r2, &r3, &s11, &s12, &s21, &s22});
            break;
        }
        case 5: {
            fz::Array<double> uv(2, "UV"), tol(3, "TOL");
            uv[0] = u;
            uv[1] = v;
            tol[0] = in.byte() < 200 ? 1e-6 : in.tolerance();
            tol[1] = in.byte() < 200 ? 1e-9 : in.tolerance();
            tol[2] = in.byte() < 200 ? 1e-3 : in.tolerance();
            uv.freeze();
            tol.freeze();
            {
                fz::Call call("mvtnm0");
                mvtnm0(&ncmax, &ncu, &ncv, surf.data(), uv.data(), tol.data(), normal.data(), &ier);
            }
            // 101, 102 and 110 are mrs1d0's 1, 2 and 10; 213 its 113 (the tolerance
            // block's EPSPB above 2 at a corner, where the range is changed).
            fz::expect_code("mvtnm0", ier, {0, 1, 2, 3, 4, 101, 102, 110, 213});
            if (ier == 0 && in.tame()) fz::expect_finite("mvtnm0", normal.data(), 3);
            break;
        }
        default: {
            fz::Array<double> uv(2, "UV");
            uv[0] = u;
            uv[1] = v;
            uv.freeze();
            fz::Array<int> ord(2, "ORD");
            ord[0] = in.count(0, 10);
            ord[1] = in.count(0, 10);
            ord.freeze();
            const long n = 3L * (std::clamp(ord[0], 0, 10) + 1) * (std::clamp(ord[1], 0, 10) + 1);
            fz::Array<double> dn(n, "DN"), dw(n, "DW");
            {
                fz::Call call("mdrnnn");
                mdrnnn(&ncmax, &ncu, &ncv, surf.data(), uv.data(), ord.data(), dn.data(), &ier);
            }
            fz::expect_code("mdrnnn", ier, {0, 1});
            if (ier != 0) break;
            if (in.tame()) fz::expect_finite("mdrnnn", dn.data(), n);
            dn.freeze();
            {
                fz::Call call("mdrnn2");
                mdrnn2(dn.data(), ord.data(), &eps, dw.data(), &ier);
            }
            fz::expect_code("mdrnn2", ier, {0, 1, 2});
            break;
        }
    }
    return 0;
}
