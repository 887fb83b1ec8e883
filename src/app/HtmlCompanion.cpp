#include "app/HtmlCompanion.h"

#include "app/CompanionIo.h"
#include "app/LineColourer.h"
#include "engine/CodePage.h"
#include "engine/ColorStops.h"
#include "engine/Contrast.h"
#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlPage.h"
#include "engine/OrivUtil.h"
#include "engine/OutputEmitter.h"
#include "engine/OutputKind.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetFit.h"
#include "engine/TargetReader.h"
#include "engine/TextJoin.h"
#include "engine/TextLanguage.h"
#include "engine/TextUnits.h"
#include "engine/UnicodeText.h"
#include "engine/Utf8.h"
#include "store/FileOps.h"
#include "store/IniErrors.h"
#include "store/IniGT.h"
#include "store/SafeFile.h"
#include "store/StyleRecord.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::string_view kProgram = "tintrel-html";
// A text file larger than this is refused: its HTML would run to gigabytes.
constexpr std::size_t kMaxTextFileBytes = kCompanionInputLimit;

constexpr std::string_view kUsageHead =
    "Usage: tintrel-html [options] [TEXT]\n"
    "Writes the gradient-coloured HTML of TEXT (default \"Tintrel\") as the program puts it on the\n"
    "clipboard (or with --page the sample page it saves): CP932 bytes, every line followed by CR LF.\n"
    "A TEXT of - reads standard input (UTF-8). The other kinds of --format write UTF-8.\n"
    "\n";

constexpr std::string_view kUsageTail =
    "\n"
    "A character that CP932 cannot hold is written as a reference &#N;, and each character as the\n"
    "reader sees it (an emoji with its skin tone, a flag, a letter with its accents) gets one colour.\n"
    "A text of fewer than two characters gives no HTML. Standard input gives its first line only,\n";

// A failed option or value: the one line for standard error.
struct TUsageError {
    std::string message;
};

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
    std::optional<std::string> toStyle;
    std::size_t inputLimit = kMaxTextFileBytes; // the caller's TCompanionIo::InputLimit
};

// The one line naming what was wrong, after the program's name.
template <typename... Pieces> TUsageError Refusal(const Pieces&... pieces) {
    std::string message(kProgram);
    message += ": ";
    (message.append(std::string_view(pieces)), ...);
    // A value may hold line breaks; the message stays one line.
    for (char& c : message) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = '?';
        }
    }
    // Names and values may hold bytes that are not UTF-8 (a Shift-JIS file name); they are
    // written as \xNN so that the message is valid text on the terminal.
    return TUsageError{PrintableFileName(message)};
}

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

TUsageError BadValue(std::string_view option, std::string_view value, std::string_view expected) {
    return Refusal("bad value '", value, "' for ", option, ": ", expected);
}

// RRGGBB or RGB (F50 is FF5500), red first, with or without the '#' that colour pickers copy,
// as a colour value 0x00BBGGRR.
TColor ParseColor(std::string_view option, std::string_view value) {
    std::string_view digits = value;
    if (digits.starts_with('#')) {
        digits.remove_prefix(1);
    }
    if (digits.size() == 6 || digits.size() == 3) {
        const std::size_t perChannel = digits.size() / 3;
        bool valid = true;
        int channels[3] = {0, 0, 0};
        for (std::size_t k = 0; k < digits.size() && valid; ++k) {
            const std::optional<int> digit = HexDigit(digits[k]);
            valid = digit.has_value();
            int& channel = channels[k / perChannel];
            channel = perChannel == 1 ? digit.value_or(0) * 17 : channel * 16 + digit.value_or(0);
        }
        if (valid) {
            return JoinColor({channels[0], channels[1], channels[2], {}});
        }
    }
    throw BadValue(option, value, "six hexadecimal digits RRGGBB (or three, RGB) expected");
}

int ParseSizeStep(std::string_view option, std::string_view value) {
    std::string_view digits = value;
    if (digits.size() == 2 && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    if (digits.size() == 1 && digits.front() >= '0' && digits.front() <= '4') {
        return digits.front() - '0';
    }
    throw BadValue(option, value, "a size step 0 to 4 expected");
}

std::string ParseLanguage(std::string_view option, std::string_view value) {
    if (!IsLanguageTag(value)) {
        throw BadValue(option, value, "a language tag such as en, ja or pt-BR expected");
    }
    return std::string(value);
}

// The desktop's language as the locale variables name it (LANGUAGE, LC_ALL, LC_MESSAGES, LANG:
// the first that is set); English when none names one.
std::string DesktopLanguage() {
    for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') {
            continue;
        }
        const std::string_view name(value);
        return LocaleLanguage(name.substr(0, name.find(':'))).value_or("en");
    }
    return "en";
}

// The text once more in UTF-8, for finding its language.
std::string TextUtf8(const TUnitText& text) {
    std::string utf8;
    for (TUnitWalk walk(text.Text, text.Clusters); !walk.AtEnd();) {
        utf8 += UnitUtf8(walk.Next());
    }
    return utf8;
}

TOutputKind ParseKind(std::string_view option, std::string_view value) {
    if (const std::optional<TOutputKind> kind = OutputKindFromName(value)) {
        return *kind;
    }
    throw BadValue(option, value, OutputKindNames() + " expected");
}

TGradientMode ParseMode(std::string_view option, std::string_view value) {
    if (value == "two") {
        return gmTwoColor;
    }
    if (value == "mirror") {
        return gmMirror;
    }
    if (value == "three") {
        return gmThreeColor;
    }
    throw BadValue(option, value, "two, mirror or three expected");
}

TColorSpace ParseSpace(std::string_view option, std::string_view value) {
    if (const std::optional<TColorSpace> space = ColorSpaceFromName(value)) {
        return *space;
    }
    throw BadValue(option, value, ColorSpaceNames() + " expected");
}

// A number with an optional sign and decimals, nothing else.
std::optional<double> ParseNumber(std::string_view value) {
    return DecimalFromText(value);
}

std::vector<TColorStop> ParseStops(std::string_view option, std::string_view value) {
    if (std::optional<std::vector<TColorStop>> stops = ColorStopsFromText(value)) {
        return std::move(*stops);
    }
    throw BadValue(option, value,
                   "2 to 16 colours RRGGBB[@P] separated by commas expected, each P a percentage 0 to 100 "
                   "not below the one before");
}

double ParsePhase(std::string_view option, std::string_view value) {
    if (const std::optional<double> degrees = ParseNumber(value); degrees && std::abs(*degrees) <= 3600) {
        return *degrees;
    }
    throw BadValue(option, value, "a hue in degrees expected");
}

// The code point of the UTF-8 character `c` as U+XXXX, or the bytes when it is not valid UTF-8.
std::string DescribeCharacter(std::string_view c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(c[k]); };
    char buffer[32];
    unsigned long codePoint = 0;
    if (c.size() == 2 && (byte(0) & 0xE0) == 0xC0) {
        codePoint = ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    } else if (c.size() == 3 && (byte(0) & 0xF0) == 0xE0) {
        codePoint = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    } else if (c.size() == 4 && (byte(0) & 0xF8) == 0xF0) {
        codePoint = ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) | ((byte(2) & 0x3Fu) << 6) |
                    (byte(3) & 0x3Fu);
    } else {
        std::string bytes = "the byte";
        for (std::size_t k = 0; k < c.size(); ++k) {
            std::snprintf(buffer, sizeof buffer, " 0x%02X", byte(k));
            bytes += buffer;
        }
        bytes += ", which is not UTF-8";
        return bytes;
    }
    std::snprintf(buffer, sizeof buffer, "U+%04lX", codePoint);
    std::string described = "'";
    described.append(c).append("' (").append(buffer).append(")");
    return described;
}

// UTF-8 to CP932, refusing any character that CP932 cannot hold.
std::string ToCp932(std::string_view what, std::string_view utf8) {
    TCp932Conversion conversion = Utf8ToCp932(utf8);
    if (!conversion.Complete()) {
        throw Refusal(what, " holds a character that CP932 cannot hold: ",
                      DescribeCharacter(conversion.Unmappable.front()));
    }
    return std::move(conversion.Bytes);
}

// The bytes of the file that `option` names, by the store's bounded reader: what is not a
// regular file is refused (a device would be read until memory runs out, a FIFO would wait for a
// writer), and reading stops past the limit.
std::string ReadTextFile(std::string_view option, const std::string& name, std::size_t limit) {
    TFileStamp stamp;
    std::string text;
    try {
        text = ReadFileBytes(name, stamp, limit);
    } catch (const EIniFileError& e) {
        if (e.ErrorCode() == EFBIG) {
            throw Refusal(option, " '", name, "' is too large (more than ", std::to_string(limit), " bytes)");
        }
        throw Refusal("cannot read ", option, " '", name, "': ", e.Reason());
    }
    if (!stamp.Exists) {
        throw Refusal("cannot read ", option, " '", name, "': ", std::strerror(ENOENT));
    }
    return text;
}

// Refuses a text that is not UTF-8; `what` names its source.
void CheckUtf8(std::string_view what, std::string_view utf8) {
    if (const std::optional<std::size_t> bad = FirstInvalidUtf8(utf8)) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(utf8[*bad]));
        throw Refusal(what, " is not valid UTF-8: the byte ", byte, " at byte offset ", std::to_string(*bad),
                      " (counting from 0)");
    }
}

// A UTF-8 text as units; `what` names its source in the refusal of a text that is not UTF-8.
TUnitText UnitsOfUtf8(std::string_view what, std::string_view utf8) {
    CheckUtf8(what, utf8);
    return UnitTextFromUtf8(utf8);
}

// The text of --utf8-text-file: an editor's line end at the end of the file is not part of it.
TUnitText ReadUtf8TextFile(const std::string& name, std::size_t limit) {
    std::string text = ReadTextFile("--utf8-text-file", name, limit);
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with('\n')) {
        text.pop_back();
    }
    return UnitsOfUtf8("--utf8-text-file '" + name + "'", text);
}

// The text to colour, from the file or TEXT given.
TUnitText TextOf(const TCompanionOptions& o) {
    if (o.textFile) {
        return {ReadTextFile("--text-file", *o.textFile, o.inputLimit), {}};
    }
    if (o.utf8TextFile) {
        return ReadUtf8TextFile(*o.utf8TextFile, o.inputLimit);
    }
    return UnitsOfUtf8("TEXT", o.text.value_or("Tintrel"));
}

// Applies the style record of the first section of a style file, as the program loads a style:
// colours, mode (three colours win over the mirror), style bits, size step, first letter and
// face name. A file that cannot be read, holds no section or holds a bad value is refused.
void ApplyStyleFile(const std::string& name, TCompanionOptions& o) {
    // The system's own reason, so that a link loop is not taken for a missing file.
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) {
        throw Refusal("cannot read --style '", name, "': ", std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        throw Refusal("cannot read --style '", name, "': ", NotRegularReason(info.st_mode));
    }
    TStyleRecord style;
    try {
        TIniGT store;
        store.SetDefaultDir(ddNone);
        store.SetFileName(name);
        std::vector<std::string> sections;
        store.ReadSections(sections);
        if (sections.empty()) {
            throw Refusal("--style '", name, "' holds no style");
        }
        const std::vector<TBadValue> bad = LoadStyleRecord(store, sections.front(), style);
        if (!bad.empty()) {
            throw Refusal("bad value '", PrintableCp932(bad.front().Value), "' for key ",
                          PrintableCp932(bad.front().Key), " in --style '", name, "'");
        }
    } catch (const EIniError& e) {
        throw Refusal("cannot read --style '", name, "': ", e.what());
    }
    o.start = style.StartColor;
    o.finish = style.FinishColor;
    o.middle = style.MiddleColor;
    o.background = style.BGColor;
    o.mode = GradientModeOf(style.Trico, style.Mirror);
    o.html.Style = style.DrawFont.Style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    o.html.SizeStep = style.SizeIndex >= 0 && style.SizeIndex <= 4 ? style.SizeIndex : 0;
    o.html.FirstLetterLarger = style.Head;
    o.html.FaceName = style.DrawFont.Name;
    o.extra.Space = style.Space;
    o.extra.Stops = style.Stops;
    o.extra.Rainbow = style.Rainbow;
    o.extra.Phase = style.Phase;
}

std::size_t ParseBudget(std::string_view option, std::string_view value) {
    std::size_t budget = 0;
    const bool digits = !value.empty() && value.size() <= 9 &&
                        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) {
        budget = static_cast<std::size_t>(std::stoul(std::string(value)));
    }
    if (budget == 0) {
        throw BadValue(option, value, "a length from 1 to 999999999 expected");
    }
    return budget;
}

// The kinds that colour every line of standard input: "--format ansi, ansi256 and term".
std::string EveryLineKinds() {
    std::vector<std::string_view> kinds;
    for (const TOutputKindRow& kind : OutputKinds()) {
        if (kind.Has(koEveryLine)) {
            kinds.push_back(kind.Name);
        }
    }
    std::string names = "--format ";
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        names.append(k == 0 ? "" : k + 1 == kinds.size() ? " and " : ", ").append(kinds[k]);
    }
    return names;
}

// One command-line option. The parser and --help are both made from the table below, so a new
// option is one more row.
struct TOptionSpec {
    std::string_view name;
    std::string_view value; // the value's placeholder in --help; empty for a switch
    std::string_view help;  // its lines in --help ('\n' between them)
    // `value` is empty for a switch; `name` is the option as given, for messages.
    void (*apply)(TCompanionOptions& o, std::string_view name, const std::string& value);
};

constexpr TOptionSpec kOptions[] = {
    {"--text-file", "FILE",
     "the text as raw CP932 bytes (instead of TEXT, which is UTF-8); every\n"
     "byte counts, a line end at the end of the file too",
     [](TCompanionOptions& o, std::string_view, const std::string& v) { o.textFile = v; }},
    {"--utf8-text-file", "FILE",
     "the text as UTF-8 (instead of TEXT); one line end (LF or CR LF) at\n"
     "the end of the file is not part of the text, since editors add one",
     [](TCompanionOptions& o, std::string_view, const std::string& v) { o.utf8TextFile = v; }},
    {"--format", "KIND", "what is written: one of the kinds below, default font",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) { o.html.Kind = ParseKind(n, v); }},
    {"--start", "RRGGBB", "start colour, default FF0000",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) { o.start = ParseColor(n, v); }},
    {"--finish", "RRGGBB", "finish colour, default FFFF00",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) { o.finish = ParseColor(n, v); }},
    {"--middle", "RRGGBB", "middle colour, default FFFFFF",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) { o.middle = ParseColor(n, v); }},
    {"--mode", "two|mirror|three", "gradient mode, default two",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) { o.mode = ParseMode(n, v); }},
    {"--space", "NAME",
     "the space the colours are mixed in: srgb (the program's steps, the\n"
     "default), linear, oklab, oklch or oklch-long (the longer way round the\n"
     "hue circle); colours outside sRGB are clipped",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.extra.Space = ParseSpace(n, v);
     }},
    {"--stops", "RRGGBB[@P],...",
     "2 to 16 colours in place of the start, middle and finish, evenly\n"
     "spread or at P percent along the text (mirror runs them there and back)",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.extra.Stops = ParseStops(n, v);
     }},
    {"--rainbow", "", "the hue turns once round at an even lightness",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.extra.Rainbow = true; }},
    {"--phase", "DEGREES", "the rainbow's first hue (OKLCH), default 0; implies --rainbow",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.extra.Phase = ParsePhase(n, v);
         o.extra.Rainbow = true;
     }},
    {"--check-contrast", "",
     "instead of the HTML, each character whose contrast with the\n"
     "--background falls short of WCAG's 4.5:1 (3:1 from size step 2 on),\n"
     "with its ratio; exit status 4 when any does (terminal kinds: line by\n"
     "line, or counted across all lines with --across-lines)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.checkContrast = true; }},
    {"--fix-contrast", "",
     "move the lightness of each colour by the least amount (darker on a\n"
     "light background, lighter on a dark one) until every character\n"
     "passes; says how far on standard error, exit status 4 when it cannot",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.fixContrast = true; }},
    {"--bold", "", "bold (b, or strong with --logical)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.Style |= fsBold; }},
    {"--italic", "", "italic (i, or cite with --logical)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.Style |= fsItalic; }},
    {"--underline", "", "underlined (u)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.Style |= fsUnderline; }},
    {"--strike", "", "struck through (strike)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.Style |= fsStrikeOut; }},
    {"--size", "N", "size step 0 to 4, default 0",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.html.SizeStep = ParseSizeStep(n, v);
     }},
    {"--head", "", "first letter one size larger",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.FirstLetterLarger = true; }},
    {"--face", "NAME", "wrap in the face tag with NAME (UTF-8, written as CP932)",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         if (HoldsControlCharacter(v)) {
             throw Refusal(n, " holds a control character, which a face name cannot carry");
         }
         o.html.FaceName = ToCp932(n, v);
         o.html.FaceTag = true;
     }},
    {"--logical", "", "strong and cite instead of b and i",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.LogicalTags = true; }},
    {"--comment", "", "the comment lines",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.Comment = true; }},
    {"--break", "", "a line break inside every font tag",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.BreakInTag = true; }},
    {"--lower", "", "lower-case tags (upper case is the default, as in the program)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.lower = true; }},
    {"--table", "", "the one-cell table",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.Table = true; }},
    {"--background", "RRGGBB", "the table cell's colour, default FFFFFF",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) { o.background = ParseColor(n, v); }},
    {"--style", "FILE.tsy",
     "the colours, mode, styles, size step, first letter and face name of\n"
     "the style in a style file; options after it override it",
     [](TCompanionOptions& o, std::string_view, const std::string& v) { ApplyStyleFile(v, o); }},
    {"--face-tag", "",
     "wrap in the face tag with the face name of --style (without a\n"
     "style, the program's first face, MS P Gothic in full-width letters)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.FaceTag = true; }},
    {"--page", "",
     "the sample page around the HTML text; its body has the --background\n"
     "colour, or in table mode the button face C0C0C0",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.page = true; }},
    {"--lang", "TAG",
     "the language the css output and page declare, such as en or ja; default ja\n"
     "for a text with kana or kanji, else the desktop's language (LANG)",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.language = ParseLanguage(n, v);
     }},
    {"--utf8", "", "write UTF-8 instead of CP932",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.utf8 = true; }},
    {"--budget", "N",
     "the length the output must fit (default: the kind's target limit,\n"
     "for example 256 for the Minecraft kinds; 50 for an anvil name)",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) { o.budget = ParseBudget(n, v); }},
    {"--count", "", "print the output's length and budget on standard error",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.count = true; }},
    {"--fit", "",
     "shorten the output to fit the budget by the least visible change:\n"
     "one code per run of one colour, no code for spaces, characters\n"
     "sharing a colour step, MiniMessage's <gradient> tag; exit status 3\n"
     "when nothing fits",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.fit = true; }},
    {"--irc-hex", "", "irc: each colour also in its 0x04 RRGGBB form",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.html.IrcHex = true; }},
    {"--decode", "",
     "read gradient text of any kind from the file TEXT (or - or none:\n"
     "standard input): the plain text, then each character's colour",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.decode = true; }},
    {"--to-style", "FILE.tsy", "with --decode: write a style of the colours and styles read",
     [](TCompanionOptions& o, std::string_view, const std::string& v) { o.toStyle = v; }},
    {"--across-lines", "",
     "terminal kinds: one gradient across all lines of the text, the\n"
     "colours going on from line to line (standard input is read whole)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.acrossLines = true; }},
    {"--cp932", "", "write the font kind's CP932 bytes also to a UTF-8 terminal",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.cp932 = true; }},
    {"-h", "", "the same as --help",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.help = true; }},
    {"-V", "", "the same as --version",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.version = true; }},
    {"--help", "", "show this help",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.help = true; }},
    {"--version", "", "show the version (that of the Tintrel program)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.version = true; }},
    {"--", "", "ends the options (a TEXT may begin with -)",
     [](TCompanionOptions& o, std::string_view, const std::string&) { o.optionsEnded = true; }},
};

// The help text: every option of the table, its description in a column of its own.
std::string Usage() {
    constexpr std::size_t kColumn = 24;
    std::string usage(kUsageHead);
    for (const TOptionSpec& option : kOptions) {
        std::string left = "  ";
        left.append(option.name);
        if (!option.value.empty()) {
            left.append(" ").append(option.value);
        }
        left.append(left.size() + 2 > kColumn ? 2 : kColumn - left.size(), ' ');
        std::string_view help = option.help;
        for (std::size_t lineEnd = help.find('\n');; lineEnd = help.find('\n')) {
            usage.append(left).append(help.substr(0, lineEnd)).append("\n");
            if (lineEnd == std::string_view::npos) {
                break;
            }
            help.remove_prefix(lineEnd + 1);
            left.assign(kColumn, ' ');
        }
    }
    usage.append("\nKinds of --format:\n");
    for (const TOutputKindRow& kind : OutputKinds()) {
        std::string left = "  ";
        left.append(kind.Name);
        left.append(left.size() + 2 > kColumn ? 2 : kColumn - left.size(), ' ');
        usage.append(left)
            .append(kind.Help)
            .append(kind.Page == nullptr ? "" : "; --page writes a page")
            .append("\n");
    }
    usage.append(kUsageTail)
        .append("except to ")
        .append(EveryLineKinds())
        .append(", which colour every line as a text of its own (a line of\n"
                "one character in the start colour), each line as soon as it is read. Without --format,\n"
                "standard input to a terminal is coloured as --format term; the font kind writes UTF-8\n"
                "to a UTF-8 terminal. Colours may be written #RRGGBB, RRGGBB or RGB. Exit status 2 for a\n"
                "bad option or value, 3 when the output does not fit its budget with --fit, 1 when\n"
                "--decode finds no gradient text; a reader that goes away ends the output quietly\n"
                "(status 0).\n")
        .append("A text file (--text-file, --utf8-text-file) and the text of standard input (each line,\n"
                "for the kinds that colour every line) may hold at most 64 MiB (")
        .append(std::to_string(kMaxTextFileBytes))
        .append(" bytes);\na larger one is refused.\n");
    return usage;
}

const TOptionSpec* FindOption(std::string_view name) {
    for (const TOptionSpec& option : kOptions) {
        if (option.name == name) {
            return &option;
        }
    }
    return nullptr;
}

// The number of single-letter edits (insert, delete, replace, swap of neighbours) from a to b.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        for (std::size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = i + j;
                continue;
            }
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// The option a misspelt name most likely meant: the nearest by edits (the dashes aside), or the
// one it begins; none when nothing is near.
std::optional<std::string_view> NearestOption(std::string_view name) {
    const auto bare = [](std::string_view n) {
        return n.substr(std::min(n.find_first_not_of('-'), n.size()));
    };
    const std::string_view given = bare(name);
    if (given.empty()) {
        return std::nullopt;
    }
    std::optional<std::string_view> nearest;
    std::size_t best = std::max<std::size_t>(1, std::min<std::size_t>(3, given.size() / 3)) + 1;
    for (const TOptionSpec& option : kOptions) {
        const std::string_view candidate = bare(option.name);
        if (candidate.size() < 2) {
            continue;
        }
        std::size_t distance = EditDistance(given, candidate);
        if (given.size() >= 3 && candidate.starts_with(given)) {
            distance = 1;
        }
        if (distance < best) {
            best = distance;
            nearest = option.name;
        }
    }
    return nearest;
}

// Refuses options that cannot go together; a --text-file of - becomes standard input.
void SettleCombinations(TCompanionOptions& o) {
    if ((o.text || o.fromStdin) && o.textFile) {
        throw Refusal("TEXT and --text-file cannot both be given");
    }
    if (o.utf8TextFile && (o.text || o.textFile || o.fromStdin)) {
        throw Refusal("--utf8-text-file cannot be given with ", o.textFile ? "--text-file" : "TEXT");
    }
    if (o.textFile == "-") {
        o.textFile.reset();
        o.fromStdin = true;
        o.stdinIsCp932 = true;
    }
    if (o.toStyle && !o.decode) {
        throw Refusal("--to-style needs --decode");
    }
    if (o.page && OutputKindRow(o.html.Kind).Page == nullptr) {
        throw Refusal("--page has no page for --format ", OutputKindName(o.html.Kind));
    }
    if (const TOutputKindRow& kind = OutputKindRow(o.html.Kind);
        o.html.FaceTag && !kind.CarriesFace(Cp932ToUtf8(o.html.FaceName))) {
        throw Refusal("--format ", kind.Name, " cannot carry the face name '",
                      PrintableCp932(o.html.FaceName), "' (", kind.Face.Refused, ")");
    }
    if (o.acrossLines && o.kindGiven && !OutputKindRow(o.html.Kind).Has(koEveryLine)) {
        throw Refusal("--across-lines is for ", EveryLineKinds(), ", not --format ",
                      OutputKindName(o.html.Kind));
    }
    if (o.cp932 && o.utf8) {
        throw Refusal("--cp932 and --utf8 cannot both be given");
    }
}

TCompanionOptions ParseArguments(const std::vector<std::string>& args) {
    TCompanionOptions o;
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (o.optionsEnded || arg.size() < 2 || arg.front() != '-') {
            if (o.text || (o.fromStdin && !o.textFile)) {
                throw Refusal("unexpected argument '", arg, "': only one TEXT may be given");
            }
            if (arg == "-") {
                o.fromStdin = true;
            } else {
                o.text = arg;
            }
            continue;
        }
        // --name VALUE or --name=VALUE
        std::string name = arg;
        std::optional<std::string> attached;
        if (const std::size_t equals = arg.find('='); arg.starts_with("--") && equals != std::string::npos) {
            name = arg.substr(0, equals);
            attached = arg.substr(equals + 1);
        }
        const TOptionSpec* option = FindOption(name);
        if (option == nullptr || (name == "--" && attached)) {
            if (const std::optional<std::string_view> meant = NearestOption(name)) {
                throw Refusal("unknown option '", name, "' (did you mean ", *meant, "? see --help)");
            }
            throw Refusal("unknown option '", name, "' (see --help)");
        }
        std::string value;
        if (option->value.empty()) {
            if (attached) {
                throw Refusal("option '", name, "' takes no value");
            }
        } else if (attached) {
            value = std::move(*attached);
        } else if (k + 1 < args.size()) {
            value = args[++k];
        } else {
            throw Refusal("option '", name, "' needs a value");
        }
        option->apply(o, name, value);
        o.kindGiven = o.kindGiven || option->name == "--format";
        if (o.help || o.version) {
            return o;
        }
    }
    SettleCombinations(o);
    return o;
}

// All of standard input; the read that takes it past `limit` bytes refuses it.
std::string ReadStandardInput(TCompanionInput& in, std::size_t limit) {
    TLimitedInput limited(in, limit);
    std::string text;
    std::string buffer(65536, '\0');
    for (std::size_t got; (got = limited.Read(buffer.data(), buffer.size())) > 0;) {
        text.append(buffer, 0, got);
    }
    return text;
}

// The first line of a text without its line end (LF or CR LF), and the number of lines.
std::pair<std::string_view, std::size_t> FirstLine(std::string_view text) {
    const std::size_t feed = text.find('\n');
    if (feed == std::string_view::npos) {
        return {text, text.empty() ? 0 : 1};
    }
    std::size_t lines = 1;
    for (std::size_t at = feed + 1; at < text.size(); ++lines) {
        const std::size_t next = text.find('\n', at);
        at = next == std::string_view::npos ? text.size() : next + 1;
    }
    std::string_view first = text.substr(0, feed);
    if (first.ends_with('\r')) {
        first.remove_suffix(1);
    }
    return {first, lines};
}

// The first line of standard input as units: UTF-8 as TEXT is taken, or with --text-file - raw
// CP932 bytes. Bytes that are not UTF-8 stand as U+FFFD with a word on standard error. A second
// line is left out with a word.
TUnitText StandardInputFirstLine(TCompanionInput& in, std::size_t limit, bool cp932, TOutputSink& err) {
    const std::string input = ReadStandardInput(in, limit);
    const auto [line, lines] = FirstLine(input);
    if (lines > 1) {
        err.Write(Refusal("standard input held ", std::to_string(lines),
                          " lines; only the first is written (", EveryLineKinds(), " colour every line)")
                      .message +
                  "\n");
    }
    if (cp932) {
        return {std::string(line), {}};
    }
    if (const std::optional<std::size_t> bad = FirstInvalidUtf8(line)) {
        err.Write(Refusal("standard input is not valid UTF-8 from byte offset ", std::to_string(*bad),
                          "; such bytes are written as U+FFFD")
                      .message +
                  "\n");
    }
    return UnitTextFromUtf8(line);
}

// Whether the locale (LC_ALL, LC_CTYPE, LANG, the first set) is one of UTF-8.
bool Utf8Locale(const TCompanionIo& io) {
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = io.Environment(name);
        if (value != nullptr && *value != '\0') {
            std::string lower(value);
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            return lower.find("utf-8") != std::string::npos || lower.find("utf8") != std::string::npos;
        }
    }
    return false;
}

// What the surroundings decide: the term kind for standard input to a terminal, its colours,
// and UTF-8 instead of CP932 for a UTF-8 terminal (said once on standard error).
void SettleTerminal(TCompanionOptions& o, TCompanionIo& io) {
    if (!o.kindGiven && o.fromStdin && io.OutIsTerminal) {
        o.html.Kind = TerminalKind();
    }
    if (o.acrossLines && !OutputKindRow(o.html.Kind).Has(koEveryLine)) {
        throw Refusal("--across-lines is for ", EveryLineKinds());
    }
    if (OutputKindRow(o.html.Kind).FollowsTerminal) {
        o.html.TermDepth = DetectColorDepth(io.Environment("COLORTERM"), io.Environment("NO_COLOR"),
                                            io.Environment("FORCE_COLOR"), io.OutIsTerminal);
    }
    if (OutputKindRow(o.html.Kind).Encoding == TTextEncoding::Cp932 && !o.utf8 && !o.cp932 &&
        io.OutIsTerminal && Utf8Locale(io)) {
        o.utf8 = true;
        io.Err.Write(
            "tintrel-html: writing UTF-8 to this UTF-8 terminal instead of CP932 (--cp932 writes the "
            "CP932 bytes)\n");
    }
}

// The page of a kind split around its HTML text, so that the text can stream between the two;
// none when the page does not hold the text as it is.
std::optional<std::pair<std::string, std::string>> PageAround(const TOutputKindRow& kind,
                                                              const TTagVocabulary& tg, TColor background,
                                                              TTextEncoding encoding,
                                                              const std::string& language) {
    static constexpr std::string_view kMark = "\x01tintrel-page-text\x02";
    const THtmlText marked(std::string(kMark) + "\r\n", encoding);
    const std::string page = kind.Page(marked, tg, background, language).Written();
    const std::size_t at = page.find(marked.Written());
    if (at == std::string::npos || page.find(marked.Written(), at + 1) != std::string::npos) {
        return std::nullopt;
    }
    return std::make_pair(page.substr(0, at), page.substr(at + marked.Written().size()));
}

// The output of one text in a kind that writes it whole (the font kind, css, bbcode, ...),
// written to `out` as it is made.
void WriteText(const TUnitText& text, const TGradient& gradient, const TCompanionOptions& o,
               const TTagVocabulary& tg, TOutputSink& out) {
    const TOutputKindRow& kind = OutputKindRow(o.html.Kind);
    const int n = UnitCount(text.Text, text.Clusters);
    const bool any = text.Text.size() >= 2 && n >= 2;
    const TColor pageBackground = PageBackground(o.html.Table, o.background);
    std::optional<std::pair<std::string, std::string>> page;
    if (o.page) {
        const std::string language = o.language.value_or(TextLanguage(TextUtf8(text), DesktopLanguage()));
        page = PageAround(kind, tg, pageBackground, kind.Encoding, language);
        if (!page) {
            // A page that does not hold the text as it is: made whole.
            const THtmlText html = BuildHtmlText(text.Text, text.Clusters, gradient, o.html, tg);
            out.Write(kind.Page(html, tg, pageBackground, language).Written());
            return;
        }
        out.Write(page->first);
    }
    if (any) {
        const std::unique_ptr<TOutputEmitter> emitter =
            MakeOutputEmitter(tg, o.html, text.Text, n, text.Clusters);
        emitter->StreamTo(out);
        TUnitWalk walk(text.Text, text.Clusters);
        TGradientWalk colors(gradient, n);
        emitter->AppendUnits(walk, colors, n);
        out.Write(emitter->Finish().Written());
    }
    if (page) {
        out.Write(page->second);
    }
}

// The bytes of a TEXT or a file whose lines a terminal kind colours; `cp932` is set for a
// --text-file.
std::string LinesOfTextOrFile(const TCompanionOptions& o, bool& cp932) {
    if (o.textFile) {
        cp932 = true;
        return ReadTextFile("--text-file", *o.textFile, o.inputLimit);
    }
    if (o.utf8TextFile) {
        std::string utf8 = ReadTextFile("--utf8-text-file", *o.utf8TextFile, o.inputLimit);
        CheckUtf8("--utf8-text-file '" + *o.utf8TextFile + "'", utf8);
        return utf8;
    }
    CheckUtf8("TEXT", o.text.value_or("Tintrel"));
    return o.text.value_or("Tintrel");
}

// Standard input, a TEXT or a file in a terminal kind: every line a text of its own, or one
// gradient across them all.
void WriteLines(TCompanionOptions& o, const TGradient& gradient, const TTagVocabulary& tg, TCompanionIo& io) {
    std::istringstream held;
    TStreamInput heldInput(held);
    TCompanionInput* input = &io.In;
    TLineInput how{.Cp932 = o.stdinIsCp932, .FlushEveryLine = io.OutIsTerminal, .MaxLine = o.inputLimit};
    if (!o.fromStdin) {
        // A TEXT or a file: its lines as standard input's.
        held.str(LinesOfTextOrFile(o, how.Cp932));
        input = &heldInput;
    }
    TLineColourer colourer(tg, o.html, gradient, io.Out);
    if (o.acrossLines) {
        ColourAcrossLines(*input, how, colourer, io.Err);
    } else {
        ColourEveryLine(*input, how, colourer, io.Err);
    }
}

std::string Hex(TColor color) {
    std::string hex(6, '0');
    WriteColorHex(color, hex.data());
    return hex;
}

std::string RatioText(double ratio) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f:1", std::floor(ratio * 100) / 100);
    return buffer;
}

// The texts the contrast is checked for, as they are coloured: the text, or the first line of
// standard input, for the kinds that write one text; the lines of standard input, of the TEXT
// or of the file for the terminal kinds.
std::vector<TUnitText> ContrastTexts(const TCompanionOptions& o, bool everyLine, TCompanionIo& io) {
    std::vector<TUnitText> texts;
    if (!o.fromStdin && !everyLine) {
        texts.push_back(TextOf(o));
        return texts;
    }
    bool cp932 = o.stdinIsCp932;
    const std::string input =
        o.fromStdin ? ReadStandardInput(io.In, o.inputLimit) : LinesOfTextOrFile(o, cp932);
    for (std::size_t start = 0; start < input.size();) {
        const std::size_t feed = input.find('\n', start);
        const std::size_t end = feed == std::string::npos ? input.size() : feed;
        std::string_view line(input.data() + start, end - start);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        texts.push_back(cp932 ? TUnitText{std::string(line), {}} : UnitTextFromUtf8(line));
        if (!everyLine) {
            break;
        }
        start = end + 1;
    }
    return texts;
}

// The texts one gradient runs over: every text on its own, or all of them in one (--across-lines).
struct TGradientSpan {
    std::vector<const TUnitText*> Texts;
    int Units = 0;
};

std::vector<TGradientSpan> GradientSpans(const std::vector<TUnitText>& texts, bool across) {
    std::vector<TGradientSpan> spans;
    for (const TUnitText& text : texts) {
        if (spans.empty() || !across) {
            spans.emplace_back();
        }
        spans.back().Texts.push_back(&text);
        spans.back().Units += UnitCount(text.Text, text.Clusters);
    }
    return spans;
}

// The characters of a span that fall short, by their place in the span.
std::string FailureLines(const TGradientSpan& span, const TContrastReport& report,
                         const TContrastNeed& need) {
    std::string lines;
    std::size_t next = 0; // the next text of the span
    std::optional<TUnitWalk> walk;
    int index = 0;
    for (const TContrastFailure& failure : report.FirstFailed) {
        TTextUnit unit;
        for (; index < failure.Index; ++index) {
            while (!walk || walk->AtEnd()) {
                walk.emplace(span.Texts[next]->Text, span.Texts[next]->Clusters);
                ++next;
            }
            unit = walk->Next();
        }
        lines += "character " + std::to_string(failure.Index) + " '" +
                 PrintableFileName(unit.IsCluster() ? std::string(unit.Utf8) : Cp932ToUtf8(unit.Bytes)) +
                 "' " + Hex(failure.Color) + ": " + RatioText(failure.Ratio) + ", needs " +
                 RatioText(need.Of(failure.Index)) + "\n";
    }
    if (report.Failures > report.FirstFailed.size()) {
        lines += "... and " + std::to_string(report.Failures - report.FirstFailed.size()) + " more\n";
    }
    return lines;
}

// --fix-contrast moves the gradient's colours; --check-contrast reports the characters that fall
// short, each gradient's as it colours its texts (one across all lines with --across-lines).
// Returns the exit status when the contrast settles the run (no HTML is written).
std::optional<int> SettleContrast(const TCompanionOptions& o, const std::vector<TUnitText>& texts,
                                  TGradient& gradient, std::string& out, std::string& err) {
    const TContrastNeed need = ContrastNeedOf(o.html.SizeStep, o.html.FirstLetterLarger);
    const std::vector<TGradientSpan> spans =
        GradientSpans(texts, o.acrossLines && OutputKindRow(o.html.Kind).Has(koEveryLine));
    if (o.fixContrast) {
        // Each span in turn: a later one starts from the colours the earlier ones needed.
        TContrastFix fix;
        const std::vector<TColor> before = ColorsToMove(gradient);
        for (const TGradientSpan& span : spans) {
            fix = FixContrast(gradient, span.Units, o.background, need);
            gradient = fix.Gradient;
        }
        bool passes = true;
        for (const TGradientSpan& span : spans) {
            passes = passes && CheckContrast(gradient, span.Units, o.background, need).Passes();
        }
        if (fix.Rainbow || !passes) {
            err = Refusal("--fix-contrast cannot make every character pass on ", Hex(o.background),
                          fix.Rainbow ? " (the rainbow has no colours to move)" : "")
                      .message +
                  "\n";
            return 4;
        }
        std::string moves;
        for (std::size_t k = 0; k < fix.Colors.size(); ++k) {
            char buffer[64];
            std::snprintf(buffer, sizeof buffer, "%s%s -> %s (lightness %+.3f)", k == 0 ? "" : ", ",
                          Hex(k < before.size() ? before[k] : fix.Colors[k]).c_str(),
                          Hex(fix.Colors[k]).c_str(), fix.Moves[k]);
            moves += buffer;
        }
        err += Refusal("--fix-contrast: ", moves.empty() ? "nothing to move" : moves).message + "\n";
    }
    if (!o.checkContrast) {
        return std::nullopt;
    }
    constexpr std::size_t kListed = 1000;
    std::size_t failures = 0;
    std::size_t characters = 0;
    for (const TGradientSpan& span : spans) {
        characters += static_cast<std::size_t>(span.Units);
        const TContrastReport report = CheckContrast(gradient, span.Units, o.background, need, kListed);
        out += FailureLines(span, report, need);
        failures += report.Failures;
    }
    out += std::to_string(failures) + " of " + std::to_string(characters) +
           " characters fall short of their contrast on " + Hex(o.background) + "\n";
    return failures == 0 ? 0 : 4;
}

// The output in its budget: with --fit shortened until it fits (status 3 and the message when
// nothing does), with --count its length on standard error, and a word when it is over.
int BuildWithinBudget(const TCompanionOptions& o, const TOutputKindRow& kind, const TUnitText& text,
                      const TGradient& gradient, const TTagVocabulary& tg, THtmlText& html, std::string& err,
                      TBudgetReport* report) {
    const std::size_t budget = o.budget.value_or(kind.Budget);
    const std::string unit = kind.Counted == TLengthUnit::Bytes ? " bytes" : " UTF-16 code units";
    TBudgetReport reported{.Counted = true, .Budget = budget};
    if (o.fit && budget > 0) {
        TFitResult fit = FitTargetText(text.Text, text.Clusters, gradient, o.html, tg, budget);
        reported.Fits = fit.Fits;
        reported.Step = fit.Step;
        reported.Share = fit.Share;
        reported.Length = fit.Length;
        reported.Fitting = fit.FittingUnits;
        if (!fit.Fits) {
            err += Refusal(FitNote(fit, kind.Kind, budget)).message + "\n";
            if (report != nullptr) {
                *report = reported;
            }
            return 3;
        }
        if (fit.Step != TFitStep::None && report == nullptr) {
            err += Refusal(FitNote(fit, kind.Kind, budget)).message + "\n";
        }
        html = std::move(fit.Html);
    } else {
        html = BuildHtmlText(text.Text, text.Clusters, gradient, o.html, tg);
    }
    const std::size_t length = TargetLength(html.Written(), kind.Counted);
    reported.Length = length;
    if (report != nullptr) {
        // The caller shows the count and the step itself.
        *report = reported;
    } else if (o.count) {
        err += Join(std::to_string(length), budget > 0 ? Join(" / ", std::to_string(budget)) : std::string(),
                    unit, "\n");
    } else if (budget > 0 && length > budget) {
        err += Refusal("the output is ", std::to_string(length), unit, ", over the budget of ",
                       std::to_string(budget), " (--fit shortens it)")
                   .message +
               "\n";
    }
    return 0;
}

// A decoded character as it may stand on a terminal: control characters as their pictures.
void AppendUtf8Picture(std::string& out, unsigned code) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
}

std::string Printable(std::string_view utf8) {
    std::string printable;
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        const auto byte = static_cast<unsigned char>(utf8[k]);
        if (byte < 0x20 || byte == 0x7F) {
            AppendUtf8Picture(printable, byte == 0x7F ? 0x2421 : 0x2400 + byte);
        } else if (byte == 0xC2 && k + 1 < utf8.size() && static_cast<unsigned char>(utf8[k + 1]) < 0xA0) {
            printable += "\xEF\xBF\xBD"; // a C1 control
            ++k;
        } else {
            printable += static_cast<char>(byte);
        }
    }
    return printable;
}

// --decode: the plain text, then each character's colour; --to-style writes the style.
int Decode(const TCompanionOptions& o, TCompanionInput& in, std::string& out, std::string& err) {
    const std::string input = !o.text || *o.text == "-" ? ReadStandardInput(in, o.inputLimit)
                                                        : ReadTextFile("--decode", *o.text, o.inputLimit);
    const std::optional<TReadText> read = ReadGradientText(input);
    if (!read) {
        err = Refusal("no gradient text that Tintrel can read in ",
                      o.text && *o.text != "-" ? Join("'", *o.text, "'") : std::string("standard input"))
                  .message;
        err += '\n';
        return 1;
    }
    err = Refusal("read as ", OutputKindName(read->Kind)).message + "\n";
    out = Printable(read->Text()) + "\n";
    for (const TReadUnit& unit : read->Units) {
        char hex[6];
        WriteColorHex(unit.Color, hex);
        out.append("#").append(hex, 6).append("\t").append(Printable(read->UnitUtf8(unit))).append("\n");
    }
    if (o.toStyle) {
        const TGradient gradient = GradientOfColours(read->Units);
        TStyleRecord style;
        style.StartColor = JoinColor(gradient.Start);
        style.FinishColor = JoinColor(gradient.Finish);
        style.MiddleColor = JoinColor(gradient.Middle);
        style.Mirror = gradient.Mode == gmMirror;
        style.Trico = gradient.Mode == gmThreeColor;
        style.DrawFont.Style = read->Style;
        try {
            // A file of this style alone.
            SaveFileSafely(*o.toStyle, {}, *DefaultFileOps());
            TIniGT store;
            store.SetDefaultDir(ddNone);
            store.SetFileName(*o.toStyle);
            SaveStyleRecord(store, "Decoded", style);
        } catch (const EIniError& e) {
            out.clear();
            err = Refusal("cannot write --to-style '", *o.toStyle, "': ", e.what()).message + "\n";
            return 2;
        }
    }
    return 0;
}

int Decode(const TCompanionOptions& o, TCompanionIo& io) {
    std::string out;
    std::string err;
    const int status = Decode(o, io.In, out, err);
    io.Err.Write(err);
    io.Out.Write(out);
    return status;
}

// The gradient the options ask for.
TGradient GradientOf(const TCompanionOptions& o) {
    TGradient gradient = o.extra;
    gradient.Start = SplitColor(o.start);
    gradient.Middle = SplitColor(o.middle);
    gradient.Finish = SplitColor(o.finish);
    gradient.Mode = o.mode;
    return gradient;
}

} // namespace

std::optional<TCompanionColouring> CompanionColouring(const std::vector<std::string>& args) {
    try {
        const TCompanionOptions o = ParseArguments(args);
        if (o.fromStdin || o.help || o.version || o.decode) {
            return std::nullopt;
        }
        return TCompanionColouring{TextOf(o), GradientOf(o)};
    } catch (const TUsageError&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

int RunHtmlCompanion(const std::vector<std::string>& args, std::string& out, std::string& err) {
    return RunHtmlCompanion(args, std::cin, out, err);
}

int RunHtmlCompanion(const std::vector<std::string>& args, std::istream& in, std::string& out,
                     std::string& err) {
    out.clear();
    err.clear();
    TStreamInput input(in);
    TStringSink outSink(out);
    TStringSink errSink(err);
    TCompanionIo io{input, outSink, errSink, false, [](const char* name) { return std::getenv(name); }};
    const int status = RunHtmlCompanion(args, io);
    if (status == 2) {
        out.clear();
    }
    return status;
}

int RunHtmlCompanion(const std::vector<std::string>& args, TCompanionIo& io) {
    try {
        TCompanionOptions o = ParseArguments(args);
        o.inputLimit = io.InputLimit;
        if (o.help) {
            io.Out.Write(Usage());
            return 0;
        }
        if (o.version) {
            io.Out.Write(std::string(kProgram) + " (Tintrel) " TINTREL_VERSION "\n");
            return 0;
        }
        SettleTerminal(o, io);
        if (o.decode) {
            return Decode(o, io);
        }

        TTagVocabulary tg;
        tg.ApplyTagCase(!o.lower);
        TGradient gradient = GradientOf(o);
        o.html.BackgroundHex = SplitColor(o.background).Hex;

        const TOutputKindRow& kind = OutputKindRow(o.html.Kind);
        std::optional<TUnitText> checkedText; // standard input, once read for the contrast
        if (o.checkContrast || o.fixContrast) {
            if (o.fromStdin && !o.checkContrast && kind.Has(koEveryLine)) {
                throw Refusal("--fix-contrast reads no standard input for --format ", kind.Name,
                              " without --check-contrast");
            }
            const std::vector<TUnitText> texts = ContrastTexts(o, kind.Has(koEveryLine), io);
            std::string out;
            std::string err;
            const std::optional<int> status = SettleContrast(o, texts, gradient, out, err);
            io.Err.Write(err);
            if (status) {
                io.Out.Write(out);
                return *status;
            }
            if (o.fromStdin) {
                checkedText = texts.empty() ? TUnitText{} : texts.front();
            }
        }
        if (kind.Has(koEveryLine)) {
            // A terminal colouriser: every line a text of its own, none lost.
            WriteLines(o, gradient, tg, io);
            return 0;
        }
        const TUnitText text = checkedText ? *checkedText
                               : o.fromStdin
                                   ? StandardInputFirstLine(io.In, o.inputLimit, o.stdinIsCp932, io.Err)
                                   : TextOf(o);
        if (kind.Has(koLanguage)) {
            // The fragment names its text's language as the page does.
            o.html.Language = o.language.value_or(TextLanguage(TextUtf8(text), DesktopLanguage()));
        }
        if (o.budget || o.count || o.fit || kind.Budget > 0) {
            // A paste target: the whole output is measured (and shortened) before it is written.
            std::string notes;
            THtmlText html;
            const int status = BuildWithinBudget(o, kind, text, gradient, tg, html, notes, io.Budget);
            io.Err.Write(notes);
            if (status != 0) {
                return status;
            }
            if (o.page) {
                html = kind.Page(html, tg, PageBackground(o.html.Table, o.background),
                                 o.language.value_or(TextLanguage(TextUtf8(text), DesktopLanguage())));
            }
            io.Out.Write(o.utf8 && html.Encoding() == TTextEncoding::Cp932 ? Cp932ToUtf8(html.Written())
                                                                           : html.Written());
            return 0;
        }
        if (o.utf8 && kind.Encoding == TTextEncoding::Cp932) {
            TCp932ToUtf8Sink utf8(io.Out);
            WriteText(text, gradient, o, tg, utf8);
            utf8.Finish();
        } else {
            WriteText(text, gradient, o, tg, io.Out);
        }
        return 0;
    } catch (const TUsageError& e) {
        io.Err.Write(e.message + "\n");
        return 2;
    } catch (const std::length_error& e) {
        io.Err.Write(Refusal(e.what()).message + "\n");
        return 2;
    }
}
