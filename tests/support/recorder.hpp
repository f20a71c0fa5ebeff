// A recording infrastructure for the tests.
//
// The test programs that link tests/support/recorder.cpp define their own
// nfndeb, genmsg, gsomsg, aermsg, germsg, swrdbg/swrdbi/swrdbr, nfnimp,
// crrqst, crdelt and udfpil. They replace the default infrastructure
// library's definitions for the whole process, so every trace line, report,
// debug line and work-space call the library makes is recorded here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rec {

enum class Kind { Enter, Exit, Error, Failure, Debug, Request, Release };

struct Event {
    Kind kind;
    std::string name;  // routine name, or the debug text
    int code = 0;      // aermsg code, swrdbi integer, request count
    double real = 0.0; // swrdbr real
    int esize = 0;     // request / release element size
    std::int64_t offset = 0;
};

// Clears the record, sets the trace level to 0, cancels planned failures and
// the print-unit capture, and restores udfpil's default answer.
void reset();
void set_level(int level);
// The k-th request (or release) from now fails (k >= 1).
void fail_request(int k);
void fail_release(int k);
// Value udfpil answers (negative: its input unchanged).
void set_stack_depth(int depth);
// Value nacdbg answers (0 after reset).
void set_debug_option(int option);

const std::vector<Event>& events();
int count(Kind kind, const std::string& name = "");
// Codes passed to aermsg under NAME, in order.
std::vector<int> codes(const std::string& name);
// Names of the events of one kind, in order ("ENTER" lines, "EXIT" lines...).
std::vector<std::string> names(Kind kind);
// Work-space blocks requested and not yet released.
long live_blocks();
// Everything the library wrote to the print unit since reset().
std::string print_output();

}  // namespace rec
