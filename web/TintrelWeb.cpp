// The page's way into the engine: the command-line companion's own runner, so that the page
// writes what tintrel-html writes for the same arguments, and the kind table for its menu.
#include "app/CompanionIo.h"
#include "app/HtmlCompanion.h"
#include "engine/OutputKind.h"
#include "engine/TargetFit.h"

#include <emscripten.h>

#include <cstdlib>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string gOut;
std::string gErr;
std::string gKinds;
bool gCut = false; // the last run stopped once it had written enough

// The arguments, each ended by a zero byte, one after the other.
std::vector<std::string> Arguments(const char* args, int count) {
    std::vector<std::string> arguments;
    for (int k = 0; k < count; ++k) {
        arguments.emplace_back(args);
        args += arguments.back().size() + 1;
    }
    return arguments;
}

// Keeps what the companion writes until it holds `limit` bytes, then ends the run, as a reader
// that has read enough would.
struct TEnough {};
class TPrefixSink final : public TOutputSink {
public:
    TPrefixSink(std::string& text, std::size_t limit) : text_(text), limit_(limit) {}
    void Write(std::string_view bytes) override {
        text_ += bytes;
        if (text_.size() >= limit_) {
            throw TEnough{};
        }
    }

private:
    std::string& text_;
    std::size_t limit_;
};

} // namespace

extern "C" {

// Runs the companion with `count` arguments, each ended by a zero byte, one after the other in
// `args`. Returns its exit status; tintrel_out and tintrel_err then hold what it wrote.
EMSCRIPTEN_KEEPALIVE int tintrel_run(const char* args, int count) {
    const std::vector<std::string> arguments = Arguments(args, count);
    gOut.clear();
    gErr.clear();
    gCut = false;
    std::istringstream noInput;
    try {
        return RunHtmlCompanion(arguments, noInput, gOut, gErr);
    } catch (const std::exception& e) {
        gErr = std::string("tintrel-html: ") + e.what() + "\n";
        return 1;
    }
}

// The same, stopping the run once it has written `limit` bytes or more (the preview reads the
// beginning of a long text's units); tintrel_out_cut then says 1.
EMSCRIPTEN_KEEPALIVE int tintrel_run_prefix(const char* args, int count, int limit) {
    const std::vector<std::string> arguments = Arguments(args, count);
    gOut.clear();
    gErr.clear();
    gCut = false;
    std::istringstream noInput;
    TStreamInput input(noInput);
    TPrefixSink out(gOut, static_cast<std::size_t>(limit));
    TStringSink err(gErr);
    TCompanionIo io{input, out, err, false, [](const char* name) { return std::getenv(name); }};
    try {
        return RunHtmlCompanion(arguments, io);
    } catch (const TEnough&) {
        gCut = true;
        return 0;
    } catch (const std::exception& e) {
        gErr = std::string("tintrel-html: ") + e.what() + "\n";
        return 1;
    }
}
EMSCRIPTEN_KEEPALIVE int tintrel_out_cut() {
    return gCut ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE const char* tintrel_out() {
    return gOut.data();
}
EMSCRIPTEN_KEEPALIVE int tintrel_out_size() {
    return static_cast<int>(gOut.size());
}
EMSCRIPTEN_KEEPALIVE const char* tintrel_err() {
    return gErr.c_str();
}

// The kind table, one line a kind, its fields separated by tabs: name, encoding (cp932 or
// utf8), "page" when --page writes a page, the option bits, "window" when the window offers it,
// the name of its saved file, its companion help, its window caption, hint and copy message
// (source texts; empty for a kind the window does not offer), and for the paste targets
// "target", the length budget (0: none), how it is counted (bytes or utf16) and "fit" when the
// output can be shortened to fit.
EMSCRIPTEN_KEEPALIVE const char* tintrel_kinds() {
    if (gKinds.empty()) {
        for (const TOutputKindRow& row : OutputKinds()) {
            gKinds.append(row.Name)
                .append("\t")
                .append(row.Encoding == TTextEncoding::Cp932 ? "cp932" : "utf8")
                .append("\t")
                .append(row.Page != nullptr ? "page" : "")
                .append("\t")
                .append(std::to_string(row.Options))
                .append("\t")
                .append(row.InWindow ? "window" : "")
                .append("\t")
                .append(row.File.FileName)
                .append("\t")
                .append(row.Help)
                .append("\t")
                .append(row.Caption != nullptr ? row.Caption : "")
                .append("\t")
                .append(row.Hint != nullptr ? row.Hint : "")
                .append("\t")
                .append(row.Copied != nullptr ? row.Copied : "")
                .append("\t")
                .append(row.OtherTarget ? "target" : "")
                .append("\t")
                .append(std::to_string(row.Budget))
                .append("\t")
                .append(row.Counted == TLengthUnit::Bytes ? "bytes" : "utf16")
                .append("\t")
                .append(KindCanFit(row.Kind) ? "fit" : "")
                .append("\n");
        }
    }
    return gKinds.c_str();
}

} // extern "C"
