#include "frame/frame.hpp"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "VelCurveBasedInfrastructure.h"

namespace vcbm {

void report_failure(const Routine& r) noexcept { germsg(r.name, r.len); }

void report_code(const Routine& r, int code) noexcept { aermsg(r.name, &code, r.len); }

void debug_line(std::string_view text) noexcept { swrdbg(text.data(), static_cast<long>(text.size())); }

void debug_line(std::string_view text, int value) noexcept {
    swrdbi(text.data(), &value, static_cast<long>(text.size()));
}

void debug_line(std::string_view text, double value) noexcept {
    swrdbr(text.data(), &value, static_cast<long>(text.size()));
}

void print_line(const char* format, ...) noexcept {
    char line[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (n < 0) return;
    std::size_t len = static_cast<std::size_t>(n) < sizeof line - 2 ? static_cast<std::size_t>(n)
                                                                     : sizeof line - 2;
    line[len++] = '\n';
    const int unit = nfnimp();
    if (unit == 6) {
        std::fwrite(line, 1, len, stdout);
        std::fflush(stdout);
    } else if (unit == 0) {
        std::fwrite(line, 1, len, stderr);
    } else if (unit > 0) {
        ssize_t written = ::write(unit, line, len);
        (void)written;  // a closed unit loses the line, as a full disk would
    }
}

}  // namespace vcbm
