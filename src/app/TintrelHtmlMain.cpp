#include "companion/CompanionIo.h"
#include "companion/HtmlCompanion.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // A reader that goes away (`| head`) shows as EPIPE on the next write, which ends the run
    // quietly, as filters do.
    std::signal(SIGPIPE, SIG_IGN);
    TFdInput in(STDIN_FILENO);
    TFdSink out(STDOUT_FILENO);
    TFdSink err(STDERR_FILENO, 0);
    TCompanionIo io{in, out, err, ::isatty(STDOUT_FILENO) == 1,
                    [](const char* name) { return std::getenv(name); }};
    try {
        const int status = RunHtmlCompanion(std::vector<std::string>(argv + 1, argv + argc), io);
        out.Flush();
        return status;
    } catch (const TBrokenPipe&) {
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tintrel-html: %s\n", e.what());
        return 1;
    }
}
