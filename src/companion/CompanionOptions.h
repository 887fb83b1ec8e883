#pragma once

#include "companion/CompanionAnimation.h"
#include "companion/HtmlCompanion.h"
#include "engine/HtmlOptions.h"
#include "engine/LetterStyles.h"
#include "engine/OrivUtil.h"
#include "store/StyleRecord.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A text file larger than this is refused: its HTML would run to gigabytes.
constexpr std::size_t kMaxTextFileBytes = kCompanionInputLimit;

// What the arguments ask for.
struct TCompanionOptions {
    std::optional<std::string> text; // UTF-8
    std::optional<std::string> textFile;
    std::optional<std::string> utf8TextFile;
    TColor start = 0x000000FF;
    TColor finish = 0x0000FFFF;
    TColor middle = 0x00FFFFFF;
    TColor background = 0x00FFFFFF;
    TGradientMode mode = gmTwoColor;
    // The gradient beside the design (--space, --stops, --rainbow, --phase) and the contrast
    // check (--check-contrast, --fix-contrast).
    TGradient extra;
    bool checkContrast = false;
    bool fixContrast = false;
    bool fromStdin = false;    // TEXT "-" (UTF-8) or --text-file - (CP932)
    bool stdinIsCp932 = false; // --text-file -
    // The face of --face-tag until --style or --face names another: the program's first face.
    THtmlOptions html{.FaceName = std::string(kDefaultFaceName)};
    bool lower = false;
    bool utf8 = false;
    bool page = false;
    std::optional<std::string> language; // --lang: the page's language instead of the one found
    bool kindGiven = false;              // --format was given
    bool acrossLines = false;            // --across-lines
    bool cp932 = false;                  // --cp932
    bool help = false;                   // stops reading the arguments
    bool version = false;                // stops reading the arguments
    bool optionsEnded = false;           // after --, every argument is the TEXT
    // The paste targets: the length budget (none given: the kind's own), counting and fitting,
    // and reading gradient text back.
    std::optional<std::size_t> budget;
    bool count = false;
    bool fit = false;
    bool decode = false;
    TLetterStyle letters = TLetterStyle::None; // --letters: the text's letters restyled before colouring
    std::optional<std::string> toStyle;
    std::size_t inputLimit = kMaxTextFileBytes; // the caller's TCompanionIo::InputLimit
    TCompanionAnimation animation;              // --animate and its settings
};

// The kinds that colour every line of standard input: "--format ansi, ansi256 and term".
std::string EveryLineKinds();

// The options `args` give; a bad option or value, or options that cannot go together, throw
// TUsageError. --help and --version stop the reading.
TCompanionOptions ParseArguments(const std::vector<std::string>& args);

// The help text: every option of the table, its description in a column of its own.
std::string Usage();

// Whether the option `name` (as given, "--format") takes a value; nullopt for no such option.
std::optional<bool> OptionTakesValue(std::string_view name);
