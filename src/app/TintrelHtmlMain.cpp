#include "app/HtmlCompanion.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::string out;
    std::string err;
    int status = 0;
    try {
        status = RunHtmlCompanion(std::vector<std::string>(argv + 1, argv + argc), out, err);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tintrel-html: %s\n", e.what());
        return 1;
    }
    if (!err.empty()) {
        std::fwrite(err.data(), 1, err.size(), stderr);
    }
    if (!out.empty() && std::fwrite(out.data(), 1, out.size(), stdout) != out.size()) {
        std::fprintf(stderr, "tintrel-html: cannot write the output: %s\n", std::strerror(errno));
        return 1;
    }
    if (std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tintrel-html: cannot write the output: %s\n", std::strerror(errno));
        return 1;
    }
    return status;
}
