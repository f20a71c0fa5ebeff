// The fuzz harness: input decoding, guarded arrays, and the infrastructure
// services that check the library's use of work space and of the trace.
#include "fuzz/harness.hpp"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "VelCurveBasedInfrastructure.h"

namespace fz {

namespace {
std::map<std::uintptr_t, void*>& blocks() {
    static std::map<std::uintptr_t, void*> b;
    return b;
}
const char* g_routine = "?";

void check_name(const char* name, long len, const char* service) {
    if (name == nullptr || len < 1 || len > 512) fail("%s: %s called with a bad text (length %ld)", g_routine, service, len);
}
}  // namespace

void fail(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::fputs("fuzz check failed: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    va_end(args);
    std::abort();
}

Infra& infra() noexcept {
    static Infra s;
    return s;
}

std::uint32_t Input::u32() noexcept {
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v = v << 8 | byte();
    return v;
}

std::uint64_t Input::u64() noexcept { return static_cast<std::uint64_t>(u32()) << 32 | u32(); }

int Input::count(int lo, int hi) noexcept {
    const std::uint8_t b = byte();
    if (b < 224) return lo + static_cast<int>(b % static_cast<unsigned>(hi - lo + 1));
    switch (b & 7) {
        case 0: return lo - 1;
        case 1: return lo - 2;
        case 2: return hi + 1;
        case 3: return hi + 2;
        case 4: return 0;
        case 5: return -1;
        case 6: return lo;
        default: return hi;
    }
}

double Input::moderate(double r) noexcept {
    // Multiples of 1/64 most of the time (exact ties and repeated values),
    // otherwise any value of the range.
    const std::uint32_t v = u32();
    if (v & 1) return std::ldexp(static_cast<double>(static_cast<int>(v >> 1) % 512), -6) * r / 8.0;
    return (static_cast<double>(v >> 1) / 2147483647.0 * 2.0 - 1.0) * r;
}

double Input::real() noexcept {
    const std::uint8_t b = byte();
    if (b < 200) return moderate(b < 150 ? 2.0 : 1e3);
    tame_ = false;
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double kSpecial[] = {0.0,
                                   -0.0,
                                   std::numeric_limits<double>::quiet_NaN(),
                                   inf,
                                   -inf,
                                   std::numeric_limits<double>::denorm_min(),
                                   -std::numeric_limits<double>::denorm_min(),
                                   std::numeric_limits<double>::min(),
                                   2.2e-310,
                                   std::numeric_limits<double>::max(),
                                   -std::numeric_limits<double>::max(),
                                   8.98846567431158e307,
                                   1e308,
                                   -1e308,
                                   1e154,
                                   -1e154,
                                   1e300,
                                   1e-300,
                                   1e30,
                                   -1e-30,
                                   1.0,
                                   -1.0,
                                   0.5};
    constexpr int n = sizeof kSpecial / sizeof kSpecial[0];
    if (b < 200 + n) return kSpecial[b - 200];
    // Raw bit patterns: any double, signalling NaNs included.
    const std::uint64_t bits = u64();
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

double Input::tolerance() noexcept {
    const std::uint8_t b = byte();
    constexpr double kUsual[] = {1e-9, 1e-10, 1e-12, 1e-7, 1e-14, 1e-6};
    if (b < 192) return kUsual[b % 6];
    tame_ = false;
    constexpr double kOdd[] = {0.0, -1e-9, -1.0, 1e-300, 4.9e-324, 1e-20, 1e300, 1.0, 1e3,
                               std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::max()};
    return kOdd[b % (sizeof kOdd / sizeof kOdd[0])];
}

double Input::parameter(double lo, double hi) noexcept {
    const std::uint8_t b = byte();
    if (b < 200) return lo + (hi - lo) * (static_cast<double>(u32()) / 4294967295.0);
    return real();
}

void Input::tolerance_block() noexcept {
    int ip[21] = {};
    double rp[22] = {};
    rp[0] = tolerance();   // EPS3D
    rp[11] = tolerance();  // EPS1
    rp[12] = tolerance();  // EPSNR
    rp[13] = tolerance();  // EPSPB
    rp[14] = tolerance();  // EPSPB2
    // The Newton limit: a usual one mostly, then small, zero or negative
    // ones, and a large one (20000, 100000) only for the last two byte
    // values. A solve that does not converge runs to its limit at every
    // restart and on every piece, so a large limit costs seconds under the
    // sanitizers; drawn in one input of 25, as it once was, it took most of
    // a campaign's time without reaching new code. (A limit of 2^31 - 1 is
    // the unit tests' business: a legitimate solve that does not converge
    // may then run for minutes.)
    constexpr int kUsual[] = {100, 50, 20, 100, 1000}, kOdd[] = {5, 2, 1, 0, -1};
    constexpr int kLimits[] = {100, 50, 20, 100, 1000, 5, 2, 1, 0, -1, 100000, 20000};
    const std::uint8_t b = byte();
    ip[9] = b < 192 ? kUsual[b % 5] : b < 254 ? kOdd[b % 5] : b == 254 ? 20000 : 100000;
    if (b >= 192) tame_ = false;
    ip[10] = kLimits[byte() % 12];
    int ier = 0;
    mcxcom(nullptr, ip, rp, &ier);
}

void Input::infrastructure() noexcept {
    Infra& s = infra();
    const std::uint8_t b = byte();
    s.level = b < 224 ? 0 : b % 9;
    const std::uint8_t r = byte();
    s.refuse = r < 200 ? 0 : r % 4 + 1;
    const std::uint8_t d = byte();
    s.depth = d < 200 ? -1 : d % 34;
}

Call::Call(const char* routine) noexcept : routine_(routine) {
    g_routine = routine;
    infra().requests = 0;
}

Call::~Call() {
    if (infra().live != 0) fail("%s: %ld work-space block(s) left in use", routine_, infra().live);
    infra().refuse = 0;
    g_routine = "?";
}

void expect_code(const char* routine, int code, std::initializer_list<int> codes) {
    for (int c : codes)
        if (c == code) return;
    fail("%s: undocumented code %d", routine, code);
}

bool all_finite(const double* a, long n) noexcept {
    for (long k = 0; k < n; ++k)
        if (!std::isfinite(a[k])) return false;
    return true;
}

void expect_finite(const char* routine, const double* a, long n) {
    for (long k = 0; k < n; ++k)
        if (!std::isfinite(a[k])) fail("%s: output %ld is %g after a successful call on finite input", routine, k, a[k]);
}

}  // namespace fz

using fz::infra;

extern "C" {

int nfndeb(void) { return infra().level; }
int nfnimp(void) { return -1; }  // no print unit: the lines are formatted, then dropped
void genmsg(const char* name, long len) { fz::check_name(name, len, "genmsg"); }
void gsomsg(const char* name, long len) { fz::check_name(name, len, "gsomsg"); }
void aermsg(const char* name, const int* ier, long len) {
    fz::check_name(name, len, "aermsg");
    if (ier == nullptr) fz::fail("%s: aermsg without a code", fz::g_routine);
}
void germsg(const char* name, long len) { fz::check_name(name, len, "germsg"); }
void swrdbg(const char* t, long len) { fz::check_name(t, len, "swrdbg"); }
void swrdbi(const char* t, const int*, long len) { fz::check_name(t, len, "swrdbi"); }
void swrdbr(const char* t, const double*, long len) { fz::check_name(t, len, "swrdbr"); }
void udfpil(int* n) {
    if (infra().depth >= 0) *n = infra().depth;
}

void crrqst(const int* esize, const int* count, void* base, std::int64_t* offset, int* ieralloc) {
    fz::Infra& s = infra();
    *ieralloc = 1;
    ++s.requests;
    if (s.refuse > 0 && --s.refuse == 0) return;
    if ((*esize != 4 && *esize != 8) || *count < 1 || base == nullptr)
        fz::fail("%s: work-space request of %d elements of %d bytes", fz::g_routine, *count, *esize);
    if (*count > (1 << 26)) return;  // more than the harness grants
    const std::size_t es = static_cast<std::size_t>(*esize);
    char* raw = static_cast<char*>(std::malloc(static_cast<std::size_t>(*count) * es + 2 * es));
    const auto b = reinterpret_cast<std::uintptr_t>(base);
    auto p = reinterpret_cast<std::uintptr_t>(raw) + es;
    p += (es - (p - b) % es) % es;
    *offset = static_cast<std::int64_t>(static_cast<std::intptr_t>(p - b) / static_cast<std::intptr_t>(es));
    fz::blocks()[p] = raw;
    ++s.live;
    *ieralloc = 0;
}

void crdelt(const int* esize, const int* count, void* base, std::int64_t* offset, int* ieralloc) {
    const auto p = reinterpret_cast<std::uintptr_t>(base) +
                   static_cast<std::uintptr_t>(*offset) * static_cast<std::uintptr_t>(*esize);
    auto it = fz::blocks().find(p);
    if (it == fz::blocks().end())
        fz::fail("%s: release of a block that is not in use (count %d, offset %lld)", fz::g_routine, *count,
                 static_cast<long long>(*offset));
    std::free(it->second);
    fz::blocks().erase(it);
    --infra().live;
    *offset = 0;
    *ieralloc = 0;
}

}  // extern "C"
