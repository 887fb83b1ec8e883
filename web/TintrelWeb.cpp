// The page's way into the engine: the command-line companion's own runner, so that the page
// writes what tintrel-html writes for the same arguments, and the kind table for its menu.
#include "companion/CompanionInMemory.h"
#include "companion/HtmlCompanion.h"
#include "engine/CodePage.h"
#include "engine/GradientWalk.h"
#include "engine/OutputKind.h"
#include "engine/TargetFit.h"
#include "engine/TextUnits.h"
#include "engine/Utf8Decode.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string gOut;
std::string gErr;
std::string gKinds;
std::vector<int> gUnitTable; // the preview's units: UTF-16 length and colour, one pair each
TBudgetReport gBudget;       // what the last run's length budget came to

// The arguments, each ended by a zero byte, one after the other.
std::vector<std::string> Arguments(const char* args, int count) {
    std::vector<std::string> arguments;
    for (int k = 0; k < count; ++k) {
        arguments.emplace_back(args);
        args += arguments.back().size() + 1;
    }
    return arguments;
}

// The names of the options a kind writes something for, separated by spaces.
std::string OptionNames(const TOutputKindRow& row) {
    std::string names;
    for (const TKindOptionName& option : KindOptionNames()) {
        if (row.Has(option.Option)) {
            names.append(names.empty() ? "" : " ").append(option.Name);
        }
    }
    return names;
}

} // namespace

extern "C" {

// Runs the companion with `count` arguments, each ended by a zero byte, one after the other in
// `args`, and `input` (`size` bytes) as its standard input (for a TEXT of - and --decode -).
// Returns its exit status; tintrel_out and tintrel_err then hold what it wrote, and
// tintrel_budget what a paste target's length budget came to (the notes on it are not in
// tintrel_err: the page shows them in its own words).
EMSCRIPTEN_KEEPALIVE int tintrel_run_input(const char* args, int count, const char* input, int size) {
    TCompanionRun run =
        RunCompanionInMemory(Arguments(args, count), std::string_view(input, static_cast<std::size_t>(size)),
                             [](const char* name) { return std::getenv(name); });
    gOut = std::move(run.Out);
    gErr = std::move(run.Err);
    gBudget = run.Budget;
    return run.Status;
}

// The same with nothing on standard input.
EMSCRIPTEN_KEEPALIVE int tintrel_run(const char* args, int count) {
    return tintrel_run_input(args, count, "", 0);
}

// What the last run's length budget came to, as JSON ({"length": L, "budget": B, "fits": true,
// "step": "share", "share": 3, "fitting": 0}), or "null" when the output was not counted.
EMSCRIPTEN_KEEPALIVE const char* tintrel_budget() {
    static std::string json;
    if (!gBudget.Counted) {
        json = "null";
        return json.c_str();
    }
    static constexpr const char* kSteps[] = {"", "runs", "spaces", "share", "tag"};
    json = "{\"length\": " + std::to_string(gBudget.Length) +
           ", \"budget\": " + std::to_string(gBudget.Budget) +
           ", \"fits\": " + (gBudget.Fits ? "true" : "false") + ", \"step\": \"" +
           kSteps[static_cast<int>(gBudget.Step)] + "\", \"share\": " + std::to_string(gBudget.Share) +
           ", \"fitting\": " + std::to_string(gBudget.Fitting) + "}";
    return json.c_str();
}

// The first `most` units of the text the arguments colour and their colours, for the page's
// preview, without writing any output: tintrel_out then holds their UTF-8 one after the other,
// and tintrel_unit_table two numbers for each, its length in UTF-16 code units and its colour
// (0x00BBGGRR, as the program keeps colours). Returns how many units it gave; 0 when the text
// is not coloured (shorter than two units), -1 for arguments the companion refuses (tintrel_run
// says why).
EMSCRIPTEN_KEEPALIVE int tintrel_units(const char* args, int count, int most) {
    gOut.clear();
    gUnitTable.clear();
    const std::optional<TCompanionColouring> colouring = CompanionColouring(Arguments(args, count));
    if (!colouring) {
        return -1;
    }
    const TUnitText& text = colouring->Text;
    const int n = UnitCount(text.Text, text.Clusters);
    if (text.Text.size() < 2 || n < 2) {
        return 0;
    }
    TUnitWalk walk(text.Text, text.Clusters);
    TGradientWalk colours(colouring->Gradient, n);
    int given = 0;
    for (; given < most && !walk.AtEnd(); ++given) {
        const std::string_view utf8 = UnitUtf8(walk.Next());
        // The colour as the target shows it (a palette target's nearest), not the smooth one.
        const TColor colour =
            OutputKindRow(colouring->Html.Kind).ShownColour(colours.Next(), colouring->Html);
        int length = 0;
        for (std::size_t at = 0; at < utf8.size();) {
            length += NextUtf8CodePoint(utf8, at) >= 0x10000 ? 2 : 1;
        }
        gOut += utf8;
        gUnitTable.push_back(length);
        gUnitTable.push_back(static_cast<int>(colour));
    }
    return given;
}
EMSCRIPTEN_KEEPALIVE const int* tintrel_unit_table() {
    return gUnitTable.data();
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
// utf8), "page" when --page writes a page, the names of its options (space-separated), "window" when the
// window offers it, the name of its saved file, its companion help, its window caption, hint and copy message
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
                .append(OptionNames(row))
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
                .append(row.Fitting.Shortens ? "fit" : "")
                .append("\n");
        }
    }
    return gKinds.c_str();
}

} // extern "C"
