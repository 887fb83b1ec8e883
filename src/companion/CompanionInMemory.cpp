#include "companion/CompanionInMemory.h"

#include "companion/CompanionIo.h"
#include "engine/OutputSink.h"

#include <exception>
#include <new>
#include <sstream>

TCompanionRun RunCompanionInMemory(const std::vector<std::string>& args, std::string_view input,
                                   const std::function<const char*(const char* name)>& environment,
                                   std::size_t inputLimit) {
    TCompanionRun run;
    try {
        std::istringstream inputStream{std::string(input)};
        TStreamInput in(inputStream);
        TStringSink out(run.Out);
        TStringSink err(run.Err);
        TCompanionIo io{.In = in,
                        .Out = out,
                        .Err = err,
                        .Environment =
                            environment ? environment : [](const char*) -> const char* { return nullptr; },
                        .InputLimit = inputLimit,
                        .Budget = &run.Budget};
        run.Status = RunHtmlCompanion(args, io);
    } catch (const std::bad_alloc&) {
        run.Status = 1;
        run.Err = "tintrel-html: out of memory\n";
    } catch (const std::exception& e) {
        run.Status = 1;
        run.Err = std::string("tintrel-html: ") + e.what() + "\n";
    } catch (...) {
        run.Status = 1;
        run.Err = "tintrel-html: an unknown failure\n";
    }
    if (run.Status == 2) {
        run.Out.clear();
    }
    return run;
}
