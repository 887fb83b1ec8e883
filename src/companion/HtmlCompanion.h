#pragma once

#include "engine/OrivUtil.h"
#include "engine/TargetFit.h"
#include "engine/UnicodeText.h"

#include <cstddef>
#include <functional>
#include <istream>
#include <optional>
#include <string>
#include <vector>

class TCompanionInput;
class TOutputSink;

// The command-line companion tintrel-html: the HTML text (or the sample page) for a text and an
// option set, exactly as the program puts it on the clipboard or in the page file.
//
// Runs with `args` (the arguments after the program name). The bytes for standard output go to
// `out`, messages for standard error to `err`. Returns the exit status: 0, or 2 for a bad
// option or value (then `out` stays empty and `err` holds one line naming it). `err` may also
// hold notes when the status is 0 (lines of standard input left out, characters replaced).
// Some options add their own: 1 when --decode finds no gradient text, 3 when --fit finds no
// output within the budget, 4 when a character falls short of its contrast (--check-contrast
// lists them in `out`; --fix-contrast refuses in one line).
int RunHtmlCompanion(const std::vector<std::string>& args, std::string& out, std::string& err);
// The same with standard input read from `in` (for a TEXT of - and --text-file -); the one
// above reads the process's standard input.
int RunHtmlCompanion(const std::vector<std::string>& args, std::istream& in, std::string& out,
                     std::string& err);

// The most a text file or standard input may hold (for the kinds that colour every line: the
// longest line); more is refused.
inline constexpr std::size_t kCompanionInputLimit = std::size_t{64} << 20;

// What the length budget of a paste target came to, as --count and --fit say it.
struct TBudgetReport {
    bool Counted = false;           // the output was measured against a budget
    std::size_t Length = 0;         // of the output; when nothing fits, the shortest reachable
    std::size_t Budget = 0;         // 0: none
    bool Fits = true;               // with --fit: whether any output fits
    TFitStep Step = TFitStep::None; // with --fit: what made it fit
    int Share = 1;                  // characters to each colour step, for that step
    int Fitting = 0;                // when nothing fits: how many characters from the start would
};

// What the companion reads, where it writes, and what it knows of its surroundings.
struct TCompanionIo {
    TCompanionInput& In;
    // Standard output: written as it is made, in pieces of a bounded size, and flushed before
    // the companion waits for more input. A bad option or value is found before any of it.
    TOutputSink& Out;
    TOutputSink& Err;
    bool OutIsTerminal = false;
    // The environment (COLORTERM, NO_COLOR, FORCE_COLOR, the locale); nullptr: not set.
    std::function<const char*(const char* name)> Environment;
    // The limit on a text file and standard input; a test sets a few bytes.
    std::size_t InputLimit = kCompanionInputLimit;
    // When set, receives what the length budget came to, and the notes on it (the count, the
    // step that made the output fit, an output over its budget) are left out of Err: the page
    // shows them in its own words. A refusal when nothing fits is still written.
    TBudgetReport* Budget = nullptr;
};
// The same, streaming. A reader of the output that has gone ends the run by the sink's
// exception (TBrokenPipe for the process's output).
int RunHtmlCompanion(const std::vector<std::string>& args, TCompanionIo& io);

// The text that `args` colour (a TEXT or a file, not standard input) and the gradient they ask
// for, as the kinds that write one text colour it; nullopt for arguments RunHtmlCompanion
// refuses, or that colour no such text. (The page's preview draws its units with these.)
struct TCompanionColouring {
    TUnitText Text;
    TGradient Gradient;
    THtmlOptions Html; // the kind and its options, for the colours its target shows
};
std::optional<TCompanionColouring> CompanionColouring(const std::vector<std::string>& args);
