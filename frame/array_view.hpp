// 1-based, column-major views over caller arrays.
//
// The routines are written with the indices of their algorithms:
// COEF(NDIM, NCOEF) becomes `auto coef = mat(COEF, ndim);` and element
// (i, j) is `coef(i, j)`, stored at (j-1)*NDIM + (i-1). The views own
// nothing and never check bounds: the routine checks its counts first.
// The element accessors are always inlined: under the sanitizers the
// compiler would otherwise leave them as calls in the inner loops.
#pragma once

#include <cstddef>

namespace vcbm {

template <class T>
class Vec1 {
public:
    constexpr explicit Vec1(T* p) noexcept : p_(p) {}
    [[gnu::always_inline]] constexpr T& operator()(std::ptrdiff_t i) const noexcept { return p_[i - 1]; }
    // Address of element i, for handing a sub-array to another routine.
    constexpr T* at(std::ptrdiff_t i) const noexcept { return p_ + (i - 1); }
    constexpr T* data() const noexcept { return p_; }

private:
    T* p_;
};

template <class T>
class Mat1 {
public:
    constexpr Mat1(T* p, std::ptrdiff_t ld) noexcept : p_(p), ld_(ld) {}
    [[gnu::always_inline]] constexpr T& operator()(std::ptrdiff_t i, std::ptrdiff_t j) const noexcept {
        return p_[(j - 1) * ld_ + (i - 1)];
    }
    // Address of element (i, j); col(j) is the first element of column j.
    constexpr T* at(std::ptrdiff_t i, std::ptrdiff_t j) const noexcept {
        return p_ + ((j - 1) * ld_ + (i - 1));
    }
    constexpr T* col(std::ptrdiff_t j) const noexcept { return p_ + (j - 1) * ld_; }
    constexpr std::ptrdiff_t ld() const noexcept { return ld_; }
    constexpr T* data() const noexcept { return p_; }

private:
    T* p_;
    std::ptrdiff_t ld_;
};

template <class T>
class Arr3 {
public:
    constexpr Arr3(T* p, std::ptrdiff_t d1, std::ptrdiff_t d2) noexcept : p_(p), d1_(d1), d2_(d2) {}
    [[gnu::always_inline]] constexpr T& operator()(std::ptrdiff_t i, std::ptrdiff_t j,
                                                   std::ptrdiff_t k) const noexcept {
        return p_[((k - 1) * d2_ + (j - 1)) * d1_ + (i - 1)];
    }
    constexpr T* at(std::ptrdiff_t i, std::ptrdiff_t j, std::ptrdiff_t k) const noexcept {
        return &(*this)(i, j, k);
    }
    constexpr T* data() const noexcept { return p_; }

private:
    T* p_;
    std::ptrdiff_t d1_, d2_;
};

template <class T> constexpr Vec1<T> vec(T* p) noexcept { return Vec1<T>(p); }
template <class T> constexpr Mat1<T> mat(T* p, std::ptrdiff_t ld) noexcept { return Mat1<T>(p, ld); }
template <class T> constexpr Arr3<T> arr3(T* p, std::ptrdiff_t d1, std::ptrdiff_t d2) noexcept {
    return Arr3<T>(p, d1, d2);
}

}  // namespace vcbm
