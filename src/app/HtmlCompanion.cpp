#include "app/HtmlCompanion.h"

#include "engine/CodePage.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlPage.h"
#include "engine/OrivUtil.h"
#include "engine/OutputEmitter.h"
#include "engine/OutputKind.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetFit.h"
#include "engine/TargetReader.h"
#include "engine/TextJoin.h"
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
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view kProgram = "tintrel-html";
// A text file larger than this is refused: its HTML would run to gigabytes.
constexpr std::size_t kMaxTextFileBytes = 64u << 20;

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
    bool fromStdin = false;    // TEXT "-" (UTF-8) or --text-file - (CP932)
    bool stdinIsCp932 = false; // --text-file -
    // The face of --face-tag until --style or --face names another: the program's first face.
    THtmlOptions html{.FaceName = std::string(kDefaultFaceName)};
    bool lower = false;
    bool utf8 = false;
    bool page = false;
    bool help = false;         // stops reading the arguments
    bool version = false;      // stops reading the arguments
    bool optionsEnded = false; // after --, every argument is the TEXT
    // The paste targets: the length budget (none given: the kind's own), counting and fitting,
    // and reading gradient text back.
    std::optional<std::size_t> budget;
    bool count = false;
    bool fit = false;
    bool decode = false;
    std::optional<std::string> toStyle;
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

// RRGGBB, red first, as a colour value 0x00BBGGRR.
TColor ParseColor(std::string_view option, std::string_view value) {
    if (value.size() == 6) {
        bool valid = true;
        int channels[3] = {0, 0, 0};
        for (std::size_t k = 0; k < 6 && valid; ++k) {
            const std::optional<int> digit = HexDigit(value[k]);
            valid = digit.has_value();
            channels[k / 2] = channels[k / 2] * 16 + digit.value_or(0);
        }
        if (valid) {
            return JoinColor({channels[0], channels[1], channels[2], {}});
        }
    }
    throw BadValue(option, value, "six hexadecimal digits RRGGBB expected");
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
std::string ReadTextFile(std::string_view option, const std::string& name) {
    TFileStamp stamp;
    std::string text;
    try {
        text = ReadFileBytes(name, stamp, kMaxTextFileBytes);
    } catch (const EIniFileError& e) {
        if (e.ErrorCode() == EFBIG) {
            throw Refusal(option, " '", name, "' is too large (more than ", std::to_string(kMaxTextFileBytes),
                          " bytes)");
        }
        throw Refusal("cannot read ", option, " '", name, "': ", e.Reason());
    }
    if (!stamp.Exists) {
        throw Refusal("cannot read ", option, " '", name, "': ", std::strerror(ENOENT));
    }
    return text;
}

// A UTF-8 text as units; `what` names its source in the refusal of a text that is not UTF-8.
TUnitText UnitsOfUtf8(std::string_view what, std::string_view utf8) {
    if (const std::optional<std::size_t> bad = FirstInvalidUtf8(utf8)) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(utf8[*bad]));
        throw Refusal(what, " is not valid UTF-8: the byte ", byte, " at byte offset ", std::to_string(*bad),
                      " (counting from 0)");
    }
    return UnitTextFromUtf8(utf8);
}

// The text of --utf8-text-file: an editor's line end at the end of the file is not part of it.
TUnitText ReadUtf8TextFile(const std::string& name) {
    std::string text = ReadTextFile("--utf8-text-file", name);
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
        return {ReadTextFile("--text-file", *o.textFile), {}};
    }
    if (o.utf8TextFile) {
        return ReadUtf8TextFile(*o.utf8TextFile);
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

// The kinds that colour every line of standard input: "--format ansi and ansi256".
std::string EveryLineKinds() {
    std::string names;
    for (const TOutputKindRow& kind : OutputKinds()) {
        if (kind.Has(koEveryLine)) {
            names.append(names.empty() ? "--format " : " and ").append(kind.Name);
        }
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
                "one character in the start colour). Exit status 2 for a bad option or value, 3 when\n"
                "the output does not fit its budget with --fit, 1 when --decode finds no gradient text.\n");
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
        if (o.help || o.version) {
            return o;
        }
    }
    SettleCombinations(o);
    return o;
}

std::string ReadStandardInput(std::istream& in) {
    std::string text;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxTextFileBytes) {
            throw Refusal("standard input is too large (more than ", std::to_string(kMaxTextFileBytes),
                          " bytes)");
        }
    }
    return text;
}

// The lines of a text as byte ranges, without their line ends (LF or CR LF); a last line end
// closes the last line rather than opening an empty one. A line feed byte is always a line end:
// it is never the second byte of a CP932 character, and a cluster never holds one.
std::vector<std::pair<std::size_t, std::size_t>> InputLines(std::string_view text) {
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t feed = text.find('\n', start);
        std::size_t end = feed == std::string_view::npos ? text.size() : feed;
        const std::size_t next = feed == std::string_view::npos ? text.size() : feed + 1;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        lines.emplace_back(start, end);
        start = next;
    }
    return lines;
}

// The bytes `start` to `end` of a text with the clusters that stand there.
TUnitText LineOf(const TUnitText& text, std::size_t start, std::size_t end) {
    TUnitText line;
    line.Text = text.Text.substr(start, end - start);
    line.Clusters.Utf8 = text.Clusters.Utf8;
    for (TClusterUnit cluster : text.Clusters.Units) {
        if (cluster.Offset >= start && cluster.Offset + cluster.Length <= end) {
            cluster.Offset -= start;
            line.Clusters.Units.push_back(cluster);
        }
    }
    return line;
}

// Standard input as units: UTF-8 as TEXT is taken, or with --text-file - raw CP932 bytes. Bytes
// that are not UTF-8 stand as U+FFFD with a word on standard error, so that no line of a
// listing is refused whole.
TUnitText StandardInputUnits(std::istream& in, bool cp932, std::string& err) {
    std::string input = ReadStandardInput(in);
    if (cp932) {
        return {std::move(input), {}};
    }
    if (const std::optional<std::size_t> bad = FirstInvalidUtf8(input)) {
        err += Refusal("standard input is not valid UTF-8 from byte offset ", std::to_string(*bad),
                       "; such bytes are written as U+FFFD")
                   .message;
        err += '\n';
    }
    return UnitTextFromUtf8(input);
}

// The output in its budget: with --fit shortened until it fits (status 3 and the message when
// nothing does), with --count its length on standard error, and a word when it is over.
int BuildWithinBudget(const TCompanionOptions& o, const TOutputKindRow& kind, const TUnitText& text,
                      const TGradient& gradient, const TTagVocabulary& tg, THtmlText& html,
                      std::string& err) {
    const std::size_t budget = o.budget.value_or(kind.Budget);
    const std::string unit = kind.Counted == TLengthUnit::Bytes ? " bytes" : " UTF-16 code units";
    if (o.fit && budget > 0) {
        TFitResult fit = FitTargetText(text.Text, text.Clusters, gradient, o.html, tg, budget);
        if (!fit.Fits) {
            err += Refusal(FitNote(fit, kind.Kind, budget)).message + "\n";
            return 3;
        }
        if (fit.Step != TFitStep::None) {
            err += Refusal(FitNote(fit, kind.Kind, budget)).message + "\n";
        }
        html = std::move(fit.Html);
    } else {
        html = BuildHtmlText(text.Text, text.Clusters, gradient, o.html, tg);
    }
    const std::size_t length = TargetLength(html.Written(), kind.Counted);
    if (o.count) {
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
int Decode(const TCompanionOptions& o, std::istream& in, std::string& out, std::string& err) {
    const std::string input =
        !o.text || *o.text == "-" ? ReadStandardInput(in) : ReadTextFile("--decode", *o.text);
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
        out.append("#").append(hex, 6).append("\t").append(Printable(unit.Utf8)).append("\n");
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

} // namespace

int RunHtmlCompanion(const std::vector<std::string>& args, std::string& out, std::string& err) {
    return RunHtmlCompanion(args, std::cin, out, err);
}

int RunHtmlCompanion(const std::vector<std::string>& args, std::istream& in, std::string& out,
                     std::string& err) {
    out.clear();
    err.clear();
    try {
        TCompanionOptions o = ParseArguments(args);
        if (o.help) {
            out = Usage();
            return 0;
        }
        if (o.version) {
            out = std::string(kProgram) + " (Tintrel) " TINTREL_VERSION "\n";
            return 0;
        }
        if (o.decode) {
            return Decode(o, in, out, err);
        }
        TUnitText text = o.fromStdin ? StandardInputUnits(in, o.stdinIsCp932, err) : TextOf(o);

        TTagVocabulary tg;
        tg.ApplyTagCase(!o.lower);
        const TGradient gradient{SplitColor(o.start), SplitColor(o.middle), SplitColor(o.finish), o.mode};
        o.html.BackgroundHex = SplitColor(o.background).Hex;

        const TOutputKindRow& kind = OutputKindRow(o.html.Kind);
        if (kind.Has(koEveryLine)) {
            // A terminal colouriser: every line a text of its own, none lost.
            for (const auto& [start, end] : InputLines(text.Text)) {
                const TUnitText line = LineOf(text, start, end);
                out += OutputLine(line.Text, line.Clusters, gradient, o.html, tg);
                out += '\n';
            }
            return 0;
        }
        if (o.fromStdin) {
            // As the program's one-line text field.
            const std::vector<std::pair<std::size_t, std::size_t>> lines = InputLines(text.Text);
            if (lines.size() > 1) {
                err += Refusal("standard input held ", std::to_string(lines.size()),
                               " lines; only the first is written (", EveryLineKinds(), " colour every line)")
                           .message;
                err += '\n';
            }
            text = lines.empty() ? TUnitText{} : LineOf(text, lines.front().first, lines.front().second);
        }

        THtmlText html;
        if (const int status = BuildWithinBudget(o, kind, text, gradient, tg, html, err); status != 0) {
            return status;
        }
        if (o.page) {
            html = kind.Page(html, tg, PageBackground(o.html.Table, o.background));
        }
        out =
            o.utf8 && html.Encoding() == TTextEncoding::Cp932 ? Cp932ToUtf8(html.Written()) : html.Written();
        return 0;
    } catch (const TUsageError& e) {
        out.clear();
        err = e.message;
        err += '\n';
        return 2;
    }
}
