#include "tests/support/recorder.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace rec {
namespace {

struct State {
    int level = 0;
    int fail_request = 0;
    int fail_release = 0;
    int stack_depth = -1;
    int debug_option = 0;
    std::vector<Event> events;
    std::map<std::uintptr_t, void*> blocks;  // storage address -> allocation
    FILE* print = nullptr;
};

State& state() {
    static State s;
    return s;
}

std::string text(const char* s, long len) { return std::string(s, static_cast<std::size_t>(len < 0 ? 0 : len)); }

// The print unit is a temporary file on a fixed descriptor, clear of the
// numbers the library gives a meaning of their own (0 and 6).
constexpr int kPrintUnit = 77;

void open_print_unit() {
    State& s = state();
    if (s.print) std::fclose(s.print);
    s.print = std::tmpfile();
    ::dup2(fileno(s.print), kPrintUnit);
}

bool countdown(int& k) {
    if (k <= 0) return false;
    return --k == 0;
}

}  // namespace

void reset() {
    State& s = state();
    s.level = 0;
    s.fail_request = 0;
    s.fail_release = 0;
    s.stack_depth = -1;
    s.debug_option = 0;
    s.events.clear();
    open_print_unit();
}

void set_level(int level) { state().level = level; }
void fail_request(int k) { state().fail_request = k; }
void fail_release(int k) { state().fail_release = k; }
void set_stack_depth(int depth) { state().stack_depth = depth; }
void set_debug_option(int option) { state().debug_option = option; }
const std::vector<Event>& events() { return state().events; }

int count(Kind kind, const std::string& name) {
    int n = 0;
    for (const Event& e : state().events)
        if (e.kind == kind && (name.empty() || e.name == name)) ++n;
    return n;
}

std::vector<int> codes(const std::string& name) {
    std::vector<int> out;
    for (const Event& e : state().events)
        if (e.kind == Kind::Error && e.name == name) out.push_back(e.code);
    return out;
}

std::vector<std::string> names(Kind kind) {
    std::vector<std::string> out;
    for (const Event& e : state().events)
        if (e.kind == kind) out.push_back(e.name);
    return out;
}

long live_blocks() { return static_cast<long>(state().blocks.size()); }

std::string print_output() {
    State& s = state();
    struct stat st {};
    if (!s.print || std::fflush(s.print) != 0 || ::fstat(kPrintUnit, &st) != 0) return {};
    std::string out(static_cast<std::size_t>(st.st_size), '\0');
    const ssize_t n = ::pread(kPrintUnit, out.data(), out.size(), 0);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

}  // namespace rec

using rec::Event;
using rec::Kind;
using rec::state;

extern "C" {

int nfndeb(void) { return state().level; }
int nfnimp(void) {
    if (!state().print) rec::open_print_unit();
    return rec::kPrintUnit;
}
int nacdbg(void) { return state().debug_option; }

void genmsg(const char* name, long len) { state().events.push_back({Kind::Enter, rec::text(name, len)}); }
void gsomsg(const char* name, long len) { state().events.push_back({Kind::Exit, rec::text(name, len)}); }
void aermsg(const char* name, const int* ier, long len) {
    state().events.push_back({Kind::Error, rec::text(name, len), *ier});
}
void germsg(const char* name, long len) { state().events.push_back({Kind::Failure, rec::text(name, len)}); }
void swrdbg(const char* t, long len) { state().events.push_back({Kind::Debug, rec::text(t, len)}); }
void swrdbi(const char* t, const int* i, long len) {
    state().events.push_back({Kind::Debug, rec::text(t, len), *i});
}
void swrdbr(const char* t, const double* r, long len) {
    state().events.push_back({Kind::Debug, rec::text(t, len), 0, *r});
}

void crrqst(const int* esize, const int* count, void* base, std::int64_t* offset, int* ieralloc) {
    auto& s = state();
    s.events.push_back({Kind::Request, "", *count, 0.0, *esize, 0});
    *ieralloc = 1;
    if (rec::countdown(s.fail_request) || *count < 1 || (*esize != 4 && *esize != 8)) return;
    const std::size_t es = static_cast<std::size_t>(*esize);
    char* raw = static_cast<char*>(std::malloc(static_cast<std::size_t>(*count) * es + 2 * es));
    const auto b = reinterpret_cast<std::uintptr_t>(base);
    auto p = reinterpret_cast<std::uintptr_t>(raw) + es;
    p += (es - (p - b) % es) % es;
    *offset = static_cast<std::int64_t>(static_cast<std::intptr_t>(p - b) / static_cast<std::intptr_t>(es));
    s.blocks[p] = raw;
    s.events.back().offset = *offset;
    *ieralloc = 0;
}

void crdelt(const int* esize, const int* count, void* base, std::int64_t* offset, int* ieralloc) {
    auto& s = state();
    s.events.push_back({Kind::Release, "", *count, 0.0, *esize, *offset});
    // A planned failure is reported, but the block is freed all the same so
    // that the test process does not leak it.
    const bool fail = rec::countdown(s.fail_release);
    *ieralloc = 1;
    const auto p = reinterpret_cast<std::uintptr_t>(base) +
                   static_cast<std::uintptr_t>(*offset) * static_cast<std::uintptr_t>(*esize);
    auto it = s.blocks.find(p);
    if (it == s.blocks.end()) return;  // not a block of ours: a fault the tests will see
    std::free(it->second);
    s.blocks.erase(it);
    if (fail) return;
    *offset = 0;
    *ieralloc = 0;
}

void udfpil(int* n) {
    if (state().stack_depth >= 0) *n = state().stack_depth;
}

}  // extern "C"
