#include "CompanionFuzzTarget.h"

#include "FuzzCheck.h"

#include "companion/HtmlCompanion.h"
#include "store/IniErrors.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The companion only reads files, but a run must not read whatever the machine holds (a device,
// a huge file): names stay within the working folder.
std::string Confined(std::string argument) {
    std::replace(argument.begin(), argument.end(), '/', '_');
    // --to-style writes a file: a run writes nothing.
    if (argument.starts_with("--to-style")) {
        argument = "--count";
    }
    return argument;
}

} // namespace

void RunCompanionFuzzInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    std::string current;
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == 0) {
            args.push_back(Confined(current));
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[k]));
        }
    }
    if (!current.empty()) {
        args.push_back(Confined(current));
    }
    std::string out;
    std::string err;
    std::istringstream input("AB\n");
    const int status = RunHtmlCompanion(args, input, out, err);
    // 1: --decode found no gradient text; 3: --fit found no output within the budget; 4: a
    // character falls short of its contrast (--check-contrast lists them as the output) or
    // --fix-contrast cannot make every one pass.
    Check(status >= 0 && status <= 4, "the status is 0 to 4");
    if (status == 4 && !out.empty()) {
        Check(out.ends_with('\n'), "a contrast report ends in a line break");
        std::istringstream report(out);
        for (std::string line; std::getline(report, line);) {
            Check(PrintableFileName(line) == line, "a contrast report is text without control characters");
        }
    }
    if (status == 0 || (status == 4 && !out.empty())) {
        Check(err.empty() || err.ends_with('\n'), "a success's notes end in a line break");
        return;
    }
    Check(out.empty(), "a refusal writes no output");
    Check(!err.empty() && err.find('\n') == err.size() - 1, "a refusal is one line");
    Check(PrintableFileName(err.substr(0, err.size() - 1)) == err.substr(0, err.size() - 1),
          "a refusal is valid text without control characters");
}
