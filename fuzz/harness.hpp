// Shared harness of the fuzz targets (libFuzzer, built with clang under
// AddressSanitizer and UndefinedBehaviorSanitizer when VCBM_FUZZ is on).
//
// A target is one file fuzz/<family>_fuzz.cpp that defines
// LLVMFuzzerTestOneInput, opens its input with fz::open and decodes the rest
// with fz::Input (counts inside and just outside the documented limits,
// reals among the special values, tolerances), calls a routine of its family
// on arrays of fz::Array (a guard zone after every array; inputs must come
// back unchanged), and checks the result: a documented code, finite outputs
// when the call succeeded on tame input. fz::Call wraps one call: it sets the
// trace level, the planned work-space refusal and the level storage, and
// checks on exit that every work-space block went back exactly once. Any
// violation aborts the run with a message naming the routine.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <memory>
#include <vector>

#include "VelCurveBasedMathematics.h"

namespace fz {

// Prints the message (printf-style) and aborts: the fuzzer records a crash.
[[noreturn]] void fail(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The services the harness defines in place of the default infrastructure.
struct Infra {
    int level = 0;        // what nfndeb answers
    int refuse = 0;       // the k-th crrqst from now is refused (0: none)
    int depth = -1;       // what udfpil answers (negative: its input unchanged)
    long requests = 0;    // crrqst calls since the last reset
    long live = 0;        // blocks granted and not yet released
};
Infra& infra() noexcept;

// Decoder of the fuzzer's bytes. Past the end every read gives 0.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : p_(data), n_(size) {}

    std::uint8_t byte() noexcept { return pos_ < n_ ? p_[pos_++] : 0; }
    std::uint32_t u32() noexcept;
    std::uint64_t u64() noexcept;
    // 0 .. n-1.
    int pick(int n) noexcept { return n <= 1 ? 0 : static_cast<int>(u32() % static_cast<std::uint32_t>(n)); }
    bool flag() noexcept { return byte() & 1; }
    // A count: mostly inside [lo, hi], otherwise just outside (lo - 1, lo - 2,
    // hi + 1, hi + 2) or 0, -1.
    int count(int lo, int hi) noexcept;
    // Only inside [lo, hi].
    int within(int lo, int hi) noexcept { return lo + pick(hi - lo + 1); }
    // A real: mostly moderate values, otherwise a special one (signed zeros,
    // NaN, infinities, subnormals, values near the overflow threshold, huge
    // and tiny ones, raw bit patterns). Every special one clears tame().
    double real() noexcept;
    // A moderate real in [-r, r].
    double moderate(double r = 4.0) noexcept;
    // A tolerance: 0, negative, tiny, usual, huge, NaN, infinite.
    double tolerance() noexcept;
    // Parameter: mostly in [lo, hi], otherwise real().
    double parameter(double lo, double hi) noexcept;
    void fill(double* a, long n) noexcept {
        for (long k = 0; k < n; ++k) a[k] = real();
    }
    void fill(int* a, long n) noexcept {
        for (long k = 0; k < n; ++k) a[k] = static_cast<int>(u32()) % 1000;
    }
    // Fills the tolerance block through mcxcom (tolerances() each, iteration
    // limits from a short list).
    void tolerance_block() noexcept;
    // Sets the trace level, the planned refusal and udfpil's answer.
    void infrastructure() noexcept;
    // No special value drawn so far (the tolerance block and tolerances count
    // too): then successful calls must give finite results.
    bool tame() const noexcept { return tame_; }
    void untame() noexcept { tame_ = false; }

private:
    const std::uint8_t* p_;
    std::size_t n_;
    std::size_t pos_ = 0;
    bool tame_ = true;
};

// The opening of every target: a decoder over the fuzzer's bytes that has
// already filled the tolerance block and set the infrastructure's answers.
inline Input open(const std::uint8_t* data, std::size_t size) noexcept {
    Input in(data, size);
    in.tolerance_block();
    in.infrastructure();
    return in;
}

// An array of N elements followed by a guard zone. Writes into the guard
// fail the run; arrays marked as input must come back unchanged.
template <class T>
class Array {
public:
    static constexpr std::size_t kGuard = 16;
    explicit Array(long n, const char* what) : n_(n < 0 ? 0 : static_cast<std::size_t>(n)), what_(what),
          mem_(new T[n_ + kGuard]) {
        std::memset(static_cast<void*>(mem_.get()), 0x5a, (n_ + kGuard) * sizeof(T));
    }
    Array(const Array&) = delete;
    Array& operator=(const Array&) = delete;
    ~Array() { check(); }

    T* data() noexcept { return mem_.get(); }
    const T* data() const noexcept { return mem_.get(); }
    T& operator[](long k) noexcept { return mem_[static_cast<std::size_t>(k)]; }
    long size() const noexcept { return static_cast<long>(n_); }
    void fill(Input& in) noexcept { in.fill(mem_.get(), static_cast<long>(n_)); }
    // Keeps a copy: the array is an input and must not change.
    void freeze() { frozen_.assign(mem_.get(), mem_.get() + n_); }
    void check() const;

private:
    std::size_t n_;
    const char* what_;
    std::unique_ptr<T[]> mem_;
    std::vector<T> frozen_;
};

template <class T>
void Array<T>::check() const {
    unsigned char pattern[sizeof(T)];
    std::memset(pattern, 0x5a, sizeof pattern);
    for (std::size_t k = n_; k < n_ + kGuard; ++k)
        if (std::memcmp(&mem_[k], pattern, sizeof(T)) != 0) fail("%s: written past its %zu elements", what_, n_);
    if (!frozen_.empty() && std::memcmp(frozen_.data(), mem_.get(), n_ * sizeof(T)) != 0)
        fail("%s: an input array was changed", what_);
}

// One call of ROUTINE: checks on exit that no work-space block is left and
// that none was released twice or never granted (the release service fails
// the run at once then).
class Call {
public:
    explicit Call(const char* routine) noexcept;
    ~Call();
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

private:
    const char* routine_;
};

// The code must be one of CODES.
void expect_code(const char* routine, int code, std::initializer_list<int> codes);
bool all_finite(const double* a, long n) noexcept;
// On success with tame input, every output value must be finite.
void expect_finite(const char* routine, const double* a, long n);

}  // namespace fz
