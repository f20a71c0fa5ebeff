// The help of the tool's commands: a command registered without a text of
// its own still gets a usable help, and every registered one names itself,
// its options and the exit status.
#include <gtest/gtest.h>

#include "tools/command.hpp"

namespace {

using velcurve::Command;

TEST(CommandHelp, GeneratedWhenACommandHasNoText) {
    // A registry line of the plain five-field form.
    const Command reads{"frob", "frobnicates a curve", true, nullptr, nullptr};
    const Command carries{"tour", "a tour on its own data", false, "tour.svg", nullptr};
    const std::string r = velcurve::command_help(reads), c = velcurve::command_help(carries);
    for (const char* part : {"usage: velcurve frob [FILE] [--json]", "\nfrobnicates a curve.\n",
                             "Reads a JSON document from FILE", "unknown members are refused", "options:",
                             "exit status: 0 success or warning, 1 a routine failed, 2"})
        EXPECT_NE(r.find(part), std::string::npos) << part;
    EXPECT_NE(c.find("usage: velcurve tour [--json]"), std::string::npos);
    EXPECT_NE(c.find("Reads no document"), std::string::npos);
    EXPECT_NE(c.find("The picture goes to tour.svg"), std::string::npos);
}

TEST(CommandHelp, EveryRegisteredCommand) {
    for (const Command& cmd : velcurve::commands()) {
        const std::string h = velcurve::command_help(cmd);
        EXPECT_EQ(h.rfind(std::string("usage: velcurve ") + cmd.name + " ", 0), 0u) << cmd.name;
        EXPECT_NE(h.find(cmd.summary), std::string::npos) << cmd.name;
        EXPECT_NE(h.find("options:"), std::string::npos) << cmd.name;
        EXPECT_EQ(velcurve::find_command(cmd.name), &cmd);
    }
}

}  // namespace
