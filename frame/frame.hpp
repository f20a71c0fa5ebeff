// The calling frame shared by every routine of the library.
//
// A routine opens a Frame on entry:
//
//     extern "C" void pocurv(..., int* ier) {
//         static constexpr auto R = vcbm::routine("POCURV");
//         vcbm::Frame f(R, *ier);
//         if (*ndim < 1) return f.fail(1);
//         double* w = f.acquire(work.base, work.size, n);   // nullptr: IER = 10
//         if (!w) return;
//         ...
//     }
//
// The constructor clears IER, reads the trace level and writes the entry
// trace when the level reaches the routine's threshold. The destructor, on
// every exit path, releases each work-space block obtained through the frame
// (a failed release turns a code below 1 into 10), reports the code through
// aermsg (positive codes; every non-zero code for the routines that report
// negative ones; every code for those that report on every exit), and writes
// the exit trace after the report.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "VelCurveBasedInfrastructure.h"
#include "frame/array_view.hpp"
#include "frame/routine_table.hpp"

namespace vcbm {

// What the frame needs to know about one routine.
struct Routine {
    const char* name;      // upper-case trace name
    long len;              // its length, 6 or 7
    int threshold;         // trace level for entry/exit lines; 0 = never traced
    bool exit_trace;       // false for routines that trace their entry only
    bool report_negative;  // report every non-zero code, not just positive ones
    bool report_always;    // report on every exit, code 0 included
};

namespace detail {
constexpr bool same_name(const char* a, const char* b) {
    while (*a && *a == *b) { ++a; ++b; }
    return *a == *b;
}
constexpr long name_length(const char* s) {
    long n = 0;
    while (s[n]) ++n;
    return n;
}
constexpr bool reports_always(const char* name) {
    for (const char* n : {"MCXCOM", "VCVINV", "MCOORD", "MCOORD1", "SCBASE"})
        if (same_name(n, name)) return true;
    return false;
}
}  // namespace detail

// The frame description of routine NAME (its upper-case trace name), looked
// up at compile time in the library's threshold table.
consteval Routine routine(const char* name) {
    Routine r{name, detail::name_length(name), 0, true, false, detail::reports_always(name)};
    for (const auto& row : detail::routine_rows) {
        if (detail::same_name(row.name, name)) {
            r.threshold = row.threshold;
            r.exit_trace = row.exit_trace;
            r.report_negative = row.report_negative;
        }
    }
    return r;
}

// A fixed base array for work space, in per-thread storage: used as such
// while a routine's need fits, and as the base of the offset of a crrqst
// request when it does not.
template <class T, std::size_t N>
struct WorkBase {
    T base[N];
    static constexpr int size = static_cast<int>(N);
};

// The trace level that an enclosing frame read, handed on to the frames of
// the routines it calls on the same thread. The level cannot change during a
// call, so reading it once per outermost call gives the same traces; inner
// routines that run many times per call then skip the read.
struct TraceLevel {
    int value;
};

class Frame {
public:
    struct KeepIer {};
    static constexpr int max_blocks = 8;

    // Opens the frame and sets IER to 0.
    Frame(const Routine& r, int& ier) noexcept : Frame(r, ier, KeepIer{}) { ier = 0; }
    // Opens the frame without touching IER, for routines that clear it only
    // on the paths that reach a result.
    Frame(const Routine& r, int& ier, KeepIer) noexcept : Frame(r, ier, KeepIer{}, TraceLevel{nfndeb()}) {}
    // For routines without an error argument.
    explicit Frame(const Routine& r) noexcept : Frame(r, own_ier_) {}
    // The same three, with the level an enclosing frame read.
    Frame(const Routine& r, int& ier, TraceLevel level) noexcept : Frame(r, ier, KeepIer{}, level) { ier = 0; }
    Frame(const Routine& r, TraceLevel level) noexcept : Frame(r, own_ier_, level) {}
    Frame(const Routine& r, int& ier, KeepIer, TraceLevel level) noexcept
        : r_(&r), ier_(&ier), level_(level.value),
          traced_(r.threshold > 0 && level.value >= r.threshold),
          report_zero_(r.report_always),
          report_negative_(r.report_always || r.report_negative) {
        if (traced_) genmsg(r.name, r.len);
    }

    // Inline so that the common exit (no work space, nothing to report, no
    // trace) costs a few compares in the routine itself.
    ~Frame() {
        if (nblocks_ > 0) release_all();
        // The report gets a copy of the code, so that the frame itself never
        // escapes to a service: a frame with no work space then lives in
        // registers.
        int code = *ier_;
        if (code > 0 || (code == 0 ? report_zero_ : report_negative_)) aermsg(r_->name, &code, r_->len);
        if (traced_ && r_->exit_trace) gsomsg(r_->name, r_->len);
    }

    // The frame keeps the address of the description: it must be a static
    // of the routine, not a temporary.
    template <class... A>
    Frame(Routine&&, A&&...) = delete;
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    int level() const noexcept { return level_; }
    // The level for the frames of the routines this one calls.
    TraceLevel trace_level() const noexcept { return TraceLevel{level_}; }
    int& ier() noexcept { return *ier_; }
    const Routine& routine() const noexcept { return *r_; }

    // Sets IER to CODE; `return f.fail(code);` leaves through the frame.
    void fail(int code) noexcept { *ier_ = code; }

    // Storage for COUNT elements: BASE itself when COUNT <= CAPACITY,
    // otherwise a crrqst block addressed from BASE. On a refused request
    // IER becomes 10 and the result is nullptr.
    template <class T>
    T* acquire(T* base, int capacity, int count) noexcept {
        if (count <= capacity) return base;
        return request(base, count);
    }
    template <class T, std::size_t N>
    T* acquire(WorkBase<T, N>& wb, int count) noexcept {
        return acquire(wb.base, WorkBase<T, N>::size, count);
    }

    // Always asks crrqst for COUNT elements addressed from BASE.
    template <class T>
    T* request(T* base, int count) noexcept {
        return static_cast<T*>(request_bytes(static_cast<int>(sizeof(T)), count, base));
    }

    // Releases now every block obtained so far (as the destructor would),
    // most recent first, the order a stack allocator prefers. The services
    // get copies of the block's arguments.
    void release_all() noexcept {
        while (nblocks_ > 0) {
            const Block& b = blocks_[--nblocks_];
            int esize = b.esize, count = b.count, ieralloc = 0;
            std::int64_t offset = b.offset;
            crdelt(&esize, &count, b.base, &offset, &ieralloc);
            if (ieralloc > 0 && *ier_ < 1) *ier_ = 10;
        }
    }

    // Overrides whether the code is reported on exit (mapirw's rule): every
    // code when ALWAYS, otherwise positive codes only.
    void set_report(bool always) noexcept { report_zero_ = report_negative_ = always; }

private:
    void* request_bytes(int esize, int count, void* base) noexcept {
        if (nblocks_ == max_blocks) {  // more blocks than one frame tracks: a capacity limit
            *ier_ = 10;
            return nullptr;
        }
        int es = esize, cnt = count, ieralloc = 0;
        std::int64_t offset = 0;
        crrqst(&es, &cnt, base, &offset, &ieralloc);
        if (ieralloc > 0 || offset == 0) {
            *ier_ = 10;
            return nullptr;
        }
        blocks_[nblocks_++] = Block{esize, count, base, offset};
        auto addr = reinterpret_cast<std::uintptr_t>(base) +
                    static_cast<std::uintptr_t>(offset) * static_cast<std::uintptr_t>(esize);
        return reinterpret_cast<void*>(addr);
    }

    struct Block {
        int esize;
        int count;
        void* base;
        std::int64_t offset;
    };

    const Routine* r_;
    int* ier_;
    int own_ier_ = 0;
    int level_;
    int nblocks_ = 0;
    bool traced_;           // entry written; the exit trace is due when the routine writes one
    bool report_zero_;      // code 0 is reported on exit
    bool report_negative_;  // negative codes are reported on exit
    Block blocks_[max_blocks];
};

// Runs BODY under R's frame for an internal step without an error argument
// or work space that runs many times per call (a test on every piece of a
// subdivision): the frame, whose only effect is then the trace, is opened
// only when LEVEL reaches R's threshold, so the common case costs a compare.
// R must be a static of the caller, as for a Frame.
template <class Body>
[[gnu::always_inline]] inline auto traced_step(const Routine& r, TraceLevel level, Body&& body) noexcept {
    if (r.report_always || (r.threshold > 0 && level.value >= r.threshold)) [[unlikely]] {
        Frame f(r, level);
        return body();
    }
    return body();
}

// Failure report without a code (germsg) under the routine's name.
void report_failure(const Routine& r) noexcept;
// Error report with a code under the routine's name, outside the frame's own.
void report_code(const Routine& r, int code) noexcept;

// Debug writers: one line each, through swrdbg / swrdbi / swrdbr.
void debug_line(std::string_view text) noexcept;
void debug_line(std::string_view text, int value) noexcept;
void debug_line(std::string_view text, double value) noexcept;

// One formatted line (printf-style, newline added) on the print unit whose
// number nfnimp returns: 6 is standard output, 0 standard error, any other
// number the open file descriptor of that number.
void print_line(const char* format, ...) noexcept __attribute__((format(printf, 1, 2)));

}  // namespace vcbm
