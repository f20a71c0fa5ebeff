// Checks the doc block of every exported routine of the public headers: each
// VCBM_API declaration must follow a block of the form of CONTRIBUTING.md,
// with a @brief, one @param per argument of the prototype in its order (the
// hidden lengths of character arguments included) and nothing else, the
// paragraphs Work space and Trace, and Codes when an argument IER... returns
// a code.
//
// usage: doc_check HEADER...   (exit status 1 and one line per fault)
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Declaration {
    std::size_t line;
    std::string text;   // from VCBM_API to the closing ';'
    std::string block;  // the /** ... */ right before it, or empty
};

std::size_t line_of(const std::string& s, std::size_t pos) {
    std::size_t n = 1;
    for (std::size_t i = 0; i < pos && i < s.size(); ++i) n += s[i] == '\n';
    return n;
}

bool ident(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Every VCBM_API outside comments and preprocessor lines, with the comment
// that ends right before it (only blanks between) when it is a doc block.
std::vector<Declaration> declarations(const std::string& s) {
    std::vector<Declaration> out;
    std::string last_block;
    std::size_t last_block_end = std::string::npos;
    bool line_start = true;
    for (std::size_t i = 0; i < s.size();) {
        if (s.compare(i, 2, "/*") == 0) {
            std::size_t end = s.find("*/", i + 2);
            end = end == std::string::npos ? s.size() : end + 2;
            if (s.compare(i, 3, "/**") == 0 && s.compare(i, 4, "/**/") != 0) {
                last_block = s.substr(i, end - i);
                last_block_end = end;
            } else {
                last_block_end = std::string::npos;
            }
            i = end;
            continue;
        }
        if (s.compare(i, 2, "//") == 0 || (line_start && s[i] == '#')) {
            std::size_t end = s.find('\n', i);
            i = end == std::string::npos ? s.size() : end;
            continue;
        }
        if (s[i] == '\n') line_start = true;
        else if (!std::isspace(static_cast<unsigned char>(s[i]))) line_start = false;
        if (s.compare(i, 8, "VCBM_API") == 0 && (i == 0 || !ident(s[i - 1])) && !ident(s[i + 8])) {
            Declaration d;
            d.line = line_of(s, i);
            std::size_t end = s.find(';', i);
            d.text = s.substr(i, (end == std::string::npos ? s.size() : end) - i);
            if (last_block_end != std::string::npos &&
                s.find_first_not_of(" \t\r\n", last_block_end) == i)
                d.block = last_block;
            out.push_back(d);
            i = end == std::string::npos ? s.size() : end + 1;
            last_block_end = std::string::npos;
            continue;
        }
        if (!std::isspace(static_cast<unsigned char>(s[i]))) last_block_end = std::string::npos;
        ++i;
    }
    return out;
}

// The routine's name and the names of its arguments, in order.
bool prototype(const std::string& text, std::string& name, std::vector<std::string>& args) {
    std::size_t open = text.find('(');
    if (open == std::string::npos) return false;
    std::size_t e = open;
    while (e > 0 && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    std::size_t b = e;
    while (b > 0 && ident(text[b - 1])) --b;
    name = text.substr(b, e - b);
    std::size_t close = text.rfind(')');
    if (close == std::string::npos || close < open) return false;
    std::string list = text.substr(open + 1, close - open - 1);
    // Split at the commas outside nested parentheses (function pointers).
    std::vector<std::string> params;
    int depth = 0;
    std::string cur;
    for (char c : list) {
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (c == ',' && depth == 0) {
            params.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    params.push_back(cur);
    static const std::regex fnptr(R"(\(\s*\*\s*([A-Za-z_]\w*)\s*\))");
    static const std::regex last(R"(([A-Za-z_]\w*)\s*(\[[^\]]*\]\s*)*$)");
    for (const std::string& p : params) {
        std::smatch m;
        std::string t = std::regex_replace(p, std::regex(R"(^\s+|\s+$)"), "");
        if (t.empty() || t == "void") continue;
        if (std::regex_search(t, m, fnptr) || std::regex_search(t, m, last)) args.push_back(m[1]);
        else return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int faults = 0, routines = 0;
    auto fault = [&](const std::string& where, const std::string& what) {
        std::cout << where << ": " << what << "\n";
        ++faults;
    };
    static const std::regex param(R"(@param\s*\[(in|out|in,\s*out)\]\s+([A-Za-z_]\w*))");
    for (int k = 1; k < argc; ++k) {
        std::ifstream in(argv[k], std::ios::binary);
        if (!in) {
            fault(argv[k], "cannot be read");
            continue;
        }
        std::stringstream ss;
        ss << in.rdbuf();
        for (const Declaration& d : declarations(ss.str())) {
            ++routines;
            std::string name;
            std::vector<std::string> args;
            std::string where = std::string(argv[k]) + ":" + std::to_string(d.line);
            if (!prototype(d.text, name, args)) {
                fault(where, "a declaration that is not a prototype");
                continue;
            }
            where += ": " + name;
            if (d.block.empty()) {
                fault(where, "no doc block (/** ... */ right before the declaration)");
                continue;
            }
            if (d.block.find("@brief") == std::string::npos) fault(where, "no @brief");
            // Codes are listed wherever an error argument (IER, IERCK, ...) returns them.
            const bool has_code = std::any_of(args.begin(), args.end(), [](const std::string& a) { return a.rfind("IER", 0) == 0; });
            for (const char* par : {"@par Codes", "@par Work space", "@par Trace"})
                if (d.block.find(par) == std::string::npos && (has_code || std::string(par) != "@par Codes"))
                    fault(where, std::string("no \"") + par + "\" paragraph");
            std::vector<std::string> named;
            for (std::sregex_iterator it(d.block.begin(), d.block.end(), param), end; it != end; ++it)
                named.push_back((*it)[2]);
            for (const std::string& a : args)
                if (std::find(named.begin(), named.end(), a) == named.end()) fault(where, "argument " + a + " not in the block");
            for (const std::string& n : named)
                if (std::find(args.begin(), args.end(), n) == args.end())
                    fault(where, "the block names " + n + ", which is not an argument");
            if (named.size() == args.size() && named != args) fault(where, "the @param lines are not in the order of the prototype");
        }
    }
    if (faults > 0) {
        std::cout << faults << " fault(s) in the doc blocks\n";
        return 1;
    }
    std::cout << routines << " routines, every one documented\n";
    return 0;
}
