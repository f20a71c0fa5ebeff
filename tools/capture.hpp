// Collects what the default infrastructure writes while the tool runs: trace
// lines, error reports, debug lines and print-unit lines all go to one
// scratch file in the order they are written, instead of standard output and
// standard error, so that a JSON result on standard output stays clean.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace velcurve {

class TraceCapture {
public:
    explicit TraceCapture(int level);
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    int level() const { return level_; }
    void set_level(int level);
    // The lines written since the previous call.
    std::vector<std::string> take();

private:
    int level_;
    int fd_ = -1;
    std::FILE* stream_ = nullptr;
    long read_pos_ = 0;
};

}  // namespace velcurve
