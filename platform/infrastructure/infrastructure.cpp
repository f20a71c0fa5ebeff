// Default implementation of the infrastructure services.
//
// At trace level 0 (the default) it writes nothing at all. Error reports are
// kept per thread (the last one and a count, read with vcbi_last_report) and
// printed, like the trace lines, only from level 1 on: plain text lines on a
// stream (standard error unless the host redirects it); debug lines likewise
// on their own stream. A host may also ask for every report and debug line
// on a message stream whatever the level. Work space comes from the heap.
// The control functions at the end let a host or a test set the trace level,
// redirect the streams, choose the print unit and the debug option, and make
// a chosen request or release fail. VCBI_TRACE and VCBI_TRACE_FILE set the
// level and the stream when the library loads.
#include "VelCurveBasedInfrastructure.h"

#include <atomic>
#include <cerrno>
#include <cfloat>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <mutex>

namespace {

std::atomic<int> g_level{0};
std::atomic<int> g_unit{6};
std::atomic<int> g_debug_option{0};
std::atomic<int> g_stack_depth{-1};
std::atomic<int> g_fail_request{0};  // countdown: the request that brings it to 0 fails
std::atomic<int> g_fail_release{0};
std::atomic<long> g_blocks{0};

std::mutex g_stream_mutex;
FILE* g_trace_stream = nullptr;  // nullptr: the default one below
FILE* g_debug_stream = nullptr;
FILE* g_message_stream = nullptr;  // nullptr: none
FILE* g_default_stream = nullptr;  // VCBI_TRACE_FILE when given, else stderr

FILE* default_stream() { return g_default_stream ? g_default_stream : stderr; }
FILE* trace_stream() { return g_trace_stream ? g_trace_stream : default_stream(); }
FILE* debug_stream() { return g_debug_stream ? g_debug_stream : default_stream(); }

// Character arguments arrive with their length and no terminating zero.
int clamp_len(long len) { return len < 0 ? 0 : (len > 4096 ? 4096 : static_cast<int>(len)); }

bool tracing() { return g_level.load(std::memory_order_relaxed) >= 1; }

// One line on the stream when the trace is on, and, for reports and debug
// lines (MESSAGE), on the message stream whatever the level.
void line(FILE* (*stream)(), bool message, const char* fmt, auto... args) {
    const bool traced = tracing();
    if (!traced && !message) return;
    std::lock_guard<std::mutex> lock(g_stream_mutex);
    FILE* m = message ? g_message_stream : nullptr;
    if (!traced && m == nullptr) return;
    FILE* s = traced ? stream() : nullptr;
    for (FILE* out : {s, m == s ? nullptr : m}) {
        if (out == nullptr) continue;
        std::fprintf(out, fmt, args...);
        std::fflush(out);
    }
}

// The reports of this thread: the last one and how many there were.
struct Kept {
    vcbi_report last{};
    long count = 0;
};
thread_local Kept t_kept;

void keep(const char* name, long len, int code, int with_code) {
    Kept& k = t_kept;
    const int n = clamp_len(len) < 7 ? clamp_len(len) : 7;
    std::memset(k.last.name, 0, sizeof k.last.name);
    if (n > 0) std::memcpy(k.last.name, name, static_cast<std::size_t>(n));
    k.last.code = code;
    k.last.with_code = with_code;
    k.last.count = ++k.count;
}

// VCBI_TRACE (a level) and VCBI_TRACE_FILE (a path, opened for appending)
// set the initial trace level and the stream of the trace and debug lines,
// so that a failing call can be watched inside a host program as it is.
// A value that is not a whole number leaves the level at 0.
struct FromEnvironment {
    FromEnvironment() {
        if (const char* v = std::getenv("VCBI_TRACE"); v != nullptr && *v != '\0') {
            char* end = nullptr;
            errno = 0;
            long level = std::strtol(v, &end, 10);
            if (*end == '\0' && errno == 0 && level >= 0 && level <= 1000) g_level.store(static_cast<int>(level));
        }
        if (const char* path = std::getenv("VCBI_TRACE_FILE"); path != nullptr && *path != '\0') {
            g_default_stream = std::fopen(path, "a");
            // Said only when the trace is on: at level 0 nothing is written.
            if (g_default_stream == nullptr && tracing())
                std::fprintf(stderr, "VelCurveBasedInfrastructure: VCBI_TRACE_FILE %s cannot be opened: %s\n", path,
                             std::strerror(errno));
        }
    }
};
const FromEnvironment g_from_environment;

// Countdown shared by the "make the k-th call fail" controls.
bool take_failure(std::atomic<int>& countdown) {
    int k = countdown.load();
    while (k > 0) {
        if (countdown.compare_exchange_weak(k, k - 1)) return k == 1;
    }
    return false;
}

// Blocks carry a small header in front of the storage that records where
// the allocation starts, so that the storage itself can sit at an exact
// multiple of the element size from the caller's base array.
constexpr std::size_t kHeader = 16;
constexpr std::size_t kMaxBytes = std::size_t{1} << 40;  // 1 TiB: anything larger is absurd

// The header's first word holds the allocation's size. Each thread keeps the
// last few blocks it released and hands them out again to requests they can
// hold (the smallest that fits), so that a routine asking for the same large
// areas call after call does not go back to the heap (and the system) every
// time. Blocks larger than kSpareMax are returned at once.
constexpr std::size_t kSpareMax = std::size_t{1} << 20;
constexpr int kSpares = 4;

//
// The spares are trivially destructible, so that reaching them costs no
// initialisation check; the blocks they hold are freed at thread exit by a
// second thread-local object, set up by the first block kept.
class Spare {
public:
    constexpr Spare() = default;
    Spare(const Spare&) = delete;
    Spare& operator=(const Spare&) = delete;

    void free_all() noexcept {
        for (char*& r : raw_) {
            std::free(r);
            r = nullptr;
        }
    }

    char* take(std::size_t total) noexcept {
        int best = -1;
        for (int i = 0; i < kSpares; ++i)
            if (raw_[i] != nullptr && size_[i] >= total && (best < 0 || size_[i] < size_[best])) best = i;
        if (best < 0) return nullptr;
        char* r = raw_[best];
        raw_[best] = nullptr;
        return r;
    }

    void give(char* raw, std::size_t total) noexcept {
        if (total > kSpareMax) {
            std::free(raw);
            return;
        }
        // An empty slot, else the smallest kept block if this one is larger.
        int slot = -1;
        for (int i = 0; i < kSpares && slot < 0; ++i)
            if (raw_[i] == nullptr) slot = i;
        if (slot < 0) {
            slot = 0;
            for (int i = 1; i < kSpares; ++i)
                if (size_[i] < size_[slot]) slot = i;
            if (size_[slot] >= total) {
                std::free(raw);
                return;
            }
            std::free(raw_[slot]);
        }
        raw_[slot] = raw;
        size_[slot] = total;
        if (!cleanup_set_) set_cleanup();
    }

private:
    void set_cleanup() noexcept;

    char* raw_[kSpares] = {};
    std::size_t size_[kSpares] = {};
    bool cleanup_set_ = false;
};

// Reached twice per request and release pair: the initial-exec model makes
// each access one load from the thread pointer instead of a call (the
// library's thread-local data is a few hundred bytes, which the loader's
// static reserve holds even when a host loads the library at run time).
constinit thread_local Spare t_spare [[gnu::tls_model("initial-exec")]];

struct SpareCleanup {
    ~SpareCleanup() { t_spare.free_all(); }
};

void Spare::set_cleanup() noexcept {
    // Constructing the thread's cleanup object registers its destructor.
    thread_local SpareCleanup cleanup;
    static_cast<void>(&cleanup);
    cleanup_set_ = true;
}

}  // namespace

extern "C" {

int nfndeb(void) { return g_level.load(std::memory_order_relaxed); }
int nfnimp(void) { return g_unit.load(std::memory_order_relaxed); }
int nacdbg(void) { return g_debug_option.load(std::memory_order_relaxed); }

void genmsg(const char* name, long len) { line(trace_stream, false, "-> %.*s\n", clamp_len(len), name); }
void gsomsg(const char* name, long len) { line(trace_stream, false, "<- %.*s\n", clamp_len(len), name); }
// A report with code 0 (mcxcom's, on every call) says that nothing failed:
// it is traced but neither kept nor sent to the message stream.
void aermsg(const char* name, const int* ier, long len) {
    const int code = *ier;
    if (code != 0) keep(name, len, code, 1);
    line(trace_stream, code != 0, "** %.*s: IER = %d\n", clamp_len(len), name, code);
}
void germsg(const char* name, long len) {
    keep(name, len, 0, 0);
    line(trace_stream, true, "** %.*s: failure\n", clamp_len(len), name);
}

void swrdbg(const char* text, long len) { line(debug_stream, true, "%.*s\n", clamp_len(len), text); }
void swrdbi(const char* text, const int* i, long len) {
    line(debug_stream, true, "%.*s %d\n", clamp_len(len), text, *i);
}
void swrdbr(const char* text, const double* r, long len) {
    line(debug_stream, true, "%.*s %.17g\n", clamp_len(len), text, *r);
}

void crrqst(const int* esize, const int* count, void* base, int64_t* offset, int* ieralloc) {
    *ieralloc = 1;
    const int es = *esize;
    const int n = *count;
    if ((es != 4 && es != 8) || n < 1 || base == nullptr) return;
    const std::size_t bytes = static_cast<std::size_t>(n) * static_cast<std::size_t>(es);
    if (bytes > kMaxBytes || take_failure(g_fail_request)) return;
    const std::size_t total = bytes + kHeader + static_cast<std::size_t>(es);
    // One look-up of the thread's spares per call.
    Spare& spare = t_spare;
    char* raw = spare.take(total);
    if (raw == nullptr) raw = static_cast<char*>(std::malloc(total));
    if (raw == nullptr) return;
    std::memcpy(raw, &total, sizeof total);
    const auto b = reinterpret_cast<std::uintptr_t>(base);
    auto p = reinterpret_cast<std::uintptr_t>(raw) + kHeader;
    // Align the storage on the base array's element grid (es is 4 or 8: the
    // remainder and the quotient are a mask and a shift).
    const int shift = es == 8 ? 3 : 2;
    const std::uintptr_t mis = (p - b) & static_cast<std::uintptr_t>(es - 1);
    if (mis != 0) p += static_cast<std::uintptr_t>(es) - mis;
    std::memcpy(reinterpret_cast<void*>(p - sizeof(char*)), &raw, sizeof(char*));
    *offset = static_cast<int64_t>(static_cast<std::intptr_t>(p - b) >> shift);
    *ieralloc = 0;
    g_blocks.fetch_add(1);
}

void crdelt(const int* esize, const int* /*count*/, void* base, int64_t* offset, int* ieralloc) {
    *ieralloc = 1;
    const int es = *esize;
    if ((es != 4 && es != 8) || base == nullptr || *offset == 0) return;
    if (take_failure(g_fail_release)) return;
    const std::uintptr_t p = reinterpret_cast<std::uintptr_t>(base) +
                             static_cast<std::uintptr_t>(*offset) * static_cast<std::uintptr_t>(es);
    char* raw;
    std::memcpy(&raw, reinterpret_cast<void*>(p - sizeof(char*)), sizeof(char*));
    std::size_t total;
    std::memcpy(&total, raw, sizeof total);
    Spare& spare = t_spare;
    spare.give(raw, total);
    *offset = 0;
    *ieralloc = 0;
    g_blocks.fetch_sub(1);
}

void crfillx(const int* nbytes, const void* from, void* to) {
    if (*nbytes > 0 && from != to) std::memmove(to, from, static_cast<std::size_t>(*nbytes));
}
void srfill(const int* count, const double* from, double* to) {
    if (*count > 0 && from != to) std::memmove(to, from, static_cast<std::size_t>(*count) * sizeof(double));
}
void vrirazx(const int* count, double* a) {
    for (int i = 0; i < *count; ++i) a[i] = 0.0;
}
void irazx(const int* nbytes, void* a) {
    if (*nbytes > 0) std::memset(a, 0, static_cast<std::size_t>(*nbytes));
}

// Relative precision: the distance from 1.0 to the next double, 2^-52.
void aovur8(double* r) { *r = std::numeric_limits<double>::epsilon(); }
// Decimal precision exponent: 15 significant decimal digits survive a round
// trip through a double. 10^-15 is then the smallest norm treated as non-zero
// and 10^-8 the size of a negligible unit-vector component.
void aovsr8(int* n) { *n = std::numeric_limits<double>::digits10; }
void aovor8(double* r) { *r = std::numeric_limits<double>::max(); }
// Binary precision: 52 fraction bits (0.5^52 = epsilon); the second value is
// the largest binary exponent, 1024.
void aovbr8(int* n, int* m) {
    *n = std::numeric_limits<double>::digits - 1;
    *m = std::numeric_limits<double>::max_exponent;
}
// Stands for an infinite radius of curvature. The square root of the largest
// double keeps a centre computed as point + radius * normal finite.
void merflo(double* r) { *r = 1.0e154; }
void soverf(void) {}
void udfpil(int* n) {
    const int depth = g_stack_depth.load(std::memory_order_relaxed);
    if (depth >= 0) *n = depth;
}

void vcbi_set_trace_level(int level) { g_level.store(level); }
void vcbi_set_trace_stream(FILE* stream) {
    std::lock_guard<std::mutex> lock(g_stream_mutex);
    g_trace_stream = stream;
}
void vcbi_set_debug_stream(FILE* stream) {
    std::lock_guard<std::mutex> lock(g_stream_mutex);
    g_debug_stream = stream;
}
void vcbi_set_message_stream(FILE* stream) {
    std::lock_guard<std::mutex> lock(g_stream_mutex);
    g_message_stream = stream;
}
int vcbi_last_report(vcbi_report* report) {
    if (report != nullptr) *report = t_kept.last;
    return t_kept.count > 0 ? 1 : 0;
}
void vcbi_clear_reports(void) { t_kept = Kept{}; }
void vcbi_set_print_unit(int unit) { g_unit.store(unit); }
void vcbi_set_debug_option(int option) { g_debug_option.store(option); }
void vcbi_fail_request(int k) { g_fail_request.store(k < 0 ? 0 : k); }
void vcbi_fail_release(int k) { g_fail_release.store(k < 0 ? 0 : k); }
long vcbi_blocks_in_use(void) { return g_blocks.load(); }
void vcbi_set_stack_depth(int depth) { g_stack_depth.store(depth); }

}  // extern "C"
