// velcurve: hands a problem written as JSON to the library and shows the
// answer, the result code with its meaning, the trace, and a picture.
//
// Exit status: 0 success (or a warning, negative code), 1 a library routine
// failed (positive code), 2 bad command line or bad input (nothing was
// computed).
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "command.hpp"
#include "output.hpp"

using namespace velcurve;

namespace {

constexpr int kUsageError = 2;

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void print_help(std::ostream& out) {
    out << "usage: velcurve COMMAND [FILE] [--json] [--trace N] [--svg FILE] [--view xy|xz|yz] [--digits N]\n"
           "\n"
           "Reads a JSON document from FILE (or standard input when FILE is absent or -),\n"
           "calls the library and prints the results.\n"
           "\n"
           "commands:\n";
    std::size_t width = 0;  // the longest name and two spaces
    for (const Command& c : commands()) width = std::max(width, std::string(c.name).size() + 2);
    for (const Command& c : commands()) {
        std::string name = c.name;
        name.resize(width, ' ');
        out << "  " << name << c.summary << "\n";
    }
    out << "\n"
           "options:\n"
           "  --json         machine-readable results\n"
           "  --trace N      set the library's trace level to N and show its trace lines\n"
           "  --svg FILE     draw the curves, control polygons and points found\n"
           "  --view V       plane of the picture for curves in space: xy (default), xz or yz\n"
           "  --digits N     significant digits of the readable output (1 to 17, default 10)\n"
           "\n"
           "exit status: 0 success or warning, 1 a routine failed, 2 bad command line or input\n";
}

int parse_int(const std::string& option, const std::string& text, int lo, int hi) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || v < lo || v > hi)
        throw UsageError(option + " expects an integer from " + std::to_string(lo) + " to " + std::to_string(hi) +
                         ", found \"" + text + "\"");
    return static_cast<int>(v);
}

Options parse_arguments(int argc, char** argv) {
    Options o;
    bool have_file = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError(a + " needs a value");
            return argv[++i];
        };
        if (a == "--json") {
            o.json = true;
        } else if (a == "--trace") {
            o.trace = parse_int(a, next(), 0, 99);
        } else if (a == "--svg") {
            o.svg = next();
            if (o.svg.empty()) throw UsageError("--svg needs a file name");
        } else if (a == "--view") {
            std::string v = next();
            if (v == "xy") o.view[0] = 0, o.view[1] = 1;
            else if (v == "xz") o.view[0] = 0, o.view[1] = 2;
            else if (v == "yz") o.view[0] = 1, o.view[1] = 2;
            else throw UsageError("--view expects xy, xz or yz, found \"" + v + "\"");
            o.view_name = v;
        } else if (a == "--digits") {
            o.digits = parse_int(a, next(), 1, 17);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            throw UsageError("unknown option " + a);
        } else if (o.command.empty()) {
            o.command = a;
        } else if (!have_file) {
            o.file = a;
            have_file = true;
        } else {
            throw UsageError("unexpected argument \"" + a + "\"");
        }
    }
    if (o.command.empty()) throw UsageError("no command given");
    return o;
}

std::string read_input(const std::string& file) {
    if (file.empty() || file == "-") {
        return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) throw InputError(file + ": cannot be read");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int run(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h" ||
                      std::string(argv[1]) == "help")) {
        print_help(std::cout);
        return 0;
    }
    Options options;
    const Command* command = nullptr;
    try {
        options = parse_arguments(argc, argv);
        command = find_command(options.command);
        if (command == nullptr) throw UsageError("unknown command \"" + options.command + "\" (see velcurve --help)");
        if (!command->reads_input && !options.file.empty())
            throw UsageError(std::string(command->name) + " reads no input file");
    } catch (const UsageError& e) {
        std::cerr << "velcurve: " << e.what() << "\n";
        return kUsageError;
    }

    // Everything about the input is checked before the library is called.
    Run work;
    Tolerances tolerances;
    std::ofstream picture;
    try {
        nlohmann::json doc = nlohmann::json::object();
        if (command->reads_input) doc = parse_document(read_input(options.file));
        Field root(doc, "");
        tolerances = read_tolerances(root);
        if (options.svg.empty() && command->default_svg != nullptr) options.svg = command->default_svg;
        work = command->prepare(root, options);
        if (!options.svg.empty()) {
            picture.open(options.svg);
            if (!picture) throw InputError(options.svg + ": cannot be written");
        }
    } catch (const std::exception& e) {  // InputError, and anything the JSON reader throws
        std::cerr << "velcurve: " << options.command << ": " << e.what() << "\n";
        return kUsageError;
    }

    Output output;
    {
        TraceCapture capture(options.trace < 0 ? 0 : options.trace);
        Session session{options, capture};
        if (command->reads_input) apply_tolerances(tolerances);
        work(session, output);
        if (!output.sections.empty()) session.collect_trace(output.sections.back());
    }

    if (picture.is_open()) {
        write_svg(picture, output.drawing, options.view, "velcurve " + options.command);
        picture.close();
    }
    if (options.json) {
        nlohmann::ordered_json j = to_json(output, options.command);
        if (!options.svg.empty()) j["picture"] = options.svg;
        std::cout << j.dump(2) << "\n";
    } else {
        write_text(std::cout, output, options.digits);
        if (!options.svg.empty()) std::cout << "picture: " << options.svg << "\n";
    }
    int status = 0;
    for (const Report& r : output.sections) status = std::max(status, exit_status(r));
    return status;
}

}  // namespace

int main(int argc, char** argv) { return run(argc, argv); }
