// Collects what the default infrastructure writes while the tool runs: trace
// lines, error reports, debug lines and print-unit lines all go to one
// scratch file in the order they are written, instead of standard output and
// standard error, so that a JSON result on standard output stays clean. The
// messages (error reports with a code other than 0, failure reports, debug
// lines) go to a second one whatever the trace level, to be shown with the
// result.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace velcurve {

// An unlinked scratch file in append mode, read back line by line.
class ScratchLines {
public:
    ScratchLines();
    ~ScratchLines();
    ScratchLines(const ScratchLines&) = delete;
    ScratchLines& operator=(const ScratchLines&) = delete;

    std::FILE* stream() const { return stream_; }
    int fd() const { return fd_; }
    // The lines written since the previous call.
    std::vector<std::string> take();

private:
    int fd_ = -1;
    std::FILE* stream_ = nullptr;
    long read_pos_ = 0;
};

class TraceCapture {
public:
    explicit TraceCapture(int level);
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    int level() const { return level_; }
    void set_level(int level);
    // The trace lines written since the previous call.
    std::vector<std::string> take() { return trace_.take(); }
    // The messages written since the previous call, a run of equal lines
    // given once with its count ("** MPXNUL: IER = 1 (12 times)").
    std::vector<std::string> take_messages();

private:
    int level_;
    ScratchLines trace_, messages_;
};

}  // namespace velcurve
