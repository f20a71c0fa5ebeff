#include "capture.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "VelCurveBasedInfrastructure.h"

namespace velcurve {

TraceCapture::TraceCapture(int level) : level_(level) {
    // An unlinked scratch file in append mode: the stream writes of the trace
    // and the direct descriptor writes of the print unit both land at its end.
    std::FILE* f = std::tmpfile();
    if (f != nullptr) {
        int fd = fileno(f);
        int flags = fcntl(fd, F_GETFL);
        if (flags >= 0 && fcntl(fd, F_SETFL, flags | O_APPEND) == 0) {
            stream_ = f;
            fd_ = fd;
        } else {
            std::fclose(f);
        }
    }
    if (stream_ != nullptr) {
        vcbi_set_trace_stream(stream_);
        vcbi_set_debug_stream(stream_);
        vcbi_set_print_unit(fd_);
    }
    vcbi_set_trace_level(level_);
}

TraceCapture::~TraceCapture() {
    vcbi_set_trace_level(0);
    vcbi_set_trace_stream(nullptr);
    vcbi_set_debug_stream(nullptr);
    vcbi_set_print_unit(6);
    if (stream_ != nullptr) std::fclose(stream_);
}

void TraceCapture::set_level(int level) {
    level_ = level;
    vcbi_set_trace_level(level);
}

std::vector<std::string> TraceCapture::take() {
    std::vector<std::string> lines;
    if (stream_ == nullptr) return lines;
    std::fflush(stream_);
    std::string text;
    char buf[4096];
    for (;;) {
        ssize_t n = ::pread(fd_, buf, sizeof buf, read_pos_);
        if (n <= 0) break;
        text.append(buf, static_cast<std::size_t>(n));
        read_pos_ += n;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

}  // namespace velcurve
