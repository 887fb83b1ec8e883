#include "companion/CompanionOptions.h"

#include "companion/CompanionRefusal.h"
#include "companion/CompanionTemplate.h"
#include "companion/CompanionValues.h"
#include "engine/CodePage.h"
#include "engine/OutputKind.h"
#include "engine/Utf8.h"

#include <algorithm>
#include <string_view>

namespace {

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
    {"--animate", "TYPE",
     "write the frames of a gradient that moves: shift, reverse, bounce,\n"
     "cycle (one colour at a time), pulse (the lightness breathes),\n"
     "typewriter or rainbow; terminal kinds redraw them in place on a\n"
     "terminal (the last frame as a still elsewhere or with NO_COLOR),\n"
     "exit status 128 plus the signal when Ctrl+C or SIGTERM stops it",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.animation.Type = ParseAnimationType(n, v);
     }},
    {"--frames", "N", "the number of frames, default: as many as come round smoothly",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.animation.Frames.Frames = ParseWholeNumber(n, v, 1, 1000000);
         o.animation.SettingGiven = true;
     }},
    {"--interval", "MS", "milliseconds from one frame to the next, default 100",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.animation.Frames.Interval = ParseWholeNumber(n, v, 1, 3600000);
         o.animation.IntervalGiven = true;
         o.animation.SettingGiven = true;
     }},
    {"--span", "N", "shift and bounce: the characters the gradient spans, default the text's",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.animation.Frames.Span = ParseWholeNumber(n, v, 2, kMaxAnimationSpan);
         o.animation.SettingGiven = true;
     }},
    {"--container", "NAME",
     "how the frames are written: lines (one a line, the default), tab\n"
     "(a TAB plugin animation named gradient), velocitab (a YAML list)\n"
     "or json (an array of strings)",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.animation.Container = ParseFrameContainer(n, v);
         o.animation.SettingGiven = true;
     }},
    {"--duration", "SECONDS", "how long a terminal animation runs, default 5",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.animation.Seconds = ParseSeconds(n, v);
         o.animation.SettingGiven = true;
     }},
    {"--fps", "N", "a terminal animation's redraws a second, default 20",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.animation.Fps = ParseWholeNumber(n, v, 1, 240);
         o.animation.SettingGiven = true;
     }},
    {"--template", "TEXT",
     "write each character as TEXT says: {HEX} {hex} {HEX3} {r} {g} {b} {rf}\n"
     "{X1}..{X6} the colour, {char} {char:json} {char:html} {char:mm} the\n"
     "character, {styles} the codes of {bold=..} {italic=..} {underline=..}\n"
     "{strike=..}, {shadow} {shadow:argb} the --shadow; {prefix=..}\n"
     "{suffix=..} {separator=..} {merge} {count=utf16|bytes} {limit=N}\n"
     "for the whole text; {{ }} for a brace",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.html.Kind = ParseTemplate(n, v);
         o.kindGiven = true;
     }},
    {"--template-file", "FILE", "the --template in a file (UTF-8)",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.html.Kind = ReadTemplateFile(n, v);
         o.kindGiven = true;
     }},
    {"--shadow", "COLOUR|auto",
     "json and minimessage: Minecraft's text shadow (1.21.4 on), RRGGBB\n"
     "with an opacity from 0 to 1 after @ (opaque without), or auto, the\n"
     "game's own shade of each character's colour",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         o.html.Shadow = ParseShadow(n, v);
     }},
    {"--letters", "STYLE",
     "write the letters as smallcaps, fullwidth or circled letters before\n"
     "colouring (the budget counts them); other characters stay",
     [](TCompanionOptions& o, std::string_view n, const std::string& v) {
         const std::optional<TLetterStyle> style = LetterStyleFromName(v);
         if (!style) {
             throw Refusal(n, " '", v, "': ", LetterStyleNames(), " expected");
         }
         o.letters = *style;
     }},
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
        if (given.size() >= candidate.size() + best) {
            // At least that many edits apart: a long name (a whole text) is not compared.
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
    if (o.html.Shadow.Mode != TShadowMode::None && !OutputKindRow(o.html.Kind).Shadows) {
        std::string kinds;
        for (const TOutputKindRow& kind : OutputKinds()) {
            if (kind.Shadows) {
                kinds.append(kinds.empty() ? "" : ", ").append(kind.Name);
            }
        }
        throw Refusal("--shadow is for --format ", kinds, ", not ", OutputKindName(o.html.Kind));
    }
    if (o.cp932 && o.utf8) {
        throw Refusal("--cp932 and --utf8 cannot both be given");
    }
    SettleAnimation(o);
}

} // namespace

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
                "to a UTF-8 terminal. FORCE_COLOR gives the term kind colours also for a pipe: 0 or false\n"
                "none, 2 the 256-colour palette, 3 24-bit, any other value (1, true, empty) the basic 16.\n"
                "Colours may be written #RRGGBB, RRGGBB or RGB. Exit status 2 for a bad option or value,\n"
                "3 when the output does not fit its budget with --fit, 1 when --decode finds no gradient\n"
                "text; a reader that goes away ends the output quietly (status 0).\n")
        .append("A text file (--text-file, --utf8-text-file) and the text of standard input (each line,\n"
                "for the kinds that colour every line) may hold at most 64 MiB (")
        .append(std::to_string(kMaxTextFileBytes))
        .append(" bytes);\na larger one is refused.\n");
    return usage;
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

std::optional<bool> OptionTakesValue(std::string_view name) {
    const TOptionSpec* option = FindOption(name);
    if (option == nullptr) {
        return std::nullopt;
    }
    return !option->value.empty();
}
