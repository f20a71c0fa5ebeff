#include "capture.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "VelCurveBasedInfrastructure.h"

namespace velcurve {

ScratchLines::ScratchLines() {
    // Append mode: the stream writes of the infrastructure and the direct
    // descriptor writes of the print unit both land at the end.
    std::FILE* f = std::tmpfile();
    if (f == nullptr) return;
    int fd = fileno(f);
    int flags = fcntl(fd, F_GETFL);
    if (flags >= 0 && fcntl(fd, F_SETFL, flags | O_APPEND) == 0) {
        stream_ = f;
        fd_ = fd;
    } else {
        std::fclose(f);
    }
}

ScratchLines::~ScratchLines() {
    if (stream_ != nullptr) std::fclose(stream_);
}

std::vector<std::string> ScratchLines::take() {
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

TraceCapture::TraceCapture(int level) : level_(level) {
    if (trace_.stream() != nullptr) {
        vcbi_set_trace_stream(trace_.stream());
        vcbi_set_debug_stream(trace_.stream());
        vcbi_set_print_unit(trace_.fd());
    }
    vcbi_set_message_stream(messages_.stream());
    vcbi_set_trace_level(level_);
}

TraceCapture::~TraceCapture() {
    vcbi_set_trace_level(0);
    vcbi_set_trace_stream(nullptr);
    vcbi_set_debug_stream(nullptr);
    vcbi_set_message_stream(nullptr);
    vcbi_set_print_unit(6);
}

void TraceCapture::set_level(int level) {
    level_ = level;
    vcbi_set_trace_level(level);
}

std::vector<std::string> TraceCapture::take_messages() {
    std::vector<std::string> out;
    std::vector<std::string> lines = messages_.take();
    for (std::size_t i = 0; i < lines.size();) {
        std::size_t j = i + 1;
        while (j < lines.size() && lines[j] == lines[i]) ++j;
        out.push_back(j - i == 1 ? lines[i] : lines[i] + " (" + std::to_string(j - i) + " times)");
        i = j;
    }
    return out;
}

}  // namespace velcurve
