#pragma once

#include "engine/Color.h"
#include "engine/FontStyle.h"
#include "engine/HtmlText.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class TOutputEmitter;
class TTagVocabulary;
struct TClusterTable;
struct TGradient;
struct THtmlOptions;
struct TReadRuns;

// The kinds of text output. `okFont` is the design's HTML with font tags, byte for byte; the
// others are written beside it: HTML5 with CSS, forum BBCode, and terminal colours (the
// command-line companion only). Each kind is one row of the table below, which holds every rule
// of the kind; a new built-in kind is a value here, its emitter (or reader), and its row. Rows
// added while the program runs take the values after the last one here.
enum TOutputKind : int {
    okFont,
    okCss,
    okBbcode,
    okAnsi,
    okAnsi256,
    okTerm,
    // The paste targets: Minecraft, chat programs, GitHub and desktop markup.
    okMiniMessage,
    okAmpHex,
    okAmpX,
    okSectionX,
    okJson,
    okDiscord,
    okIrc,
    okGithub,
    okPango,
    okCssClip,
    // The Minecraft plugins that draw a gradient themselves from its stops, and Skript's colours.
    okTab,
    okCmi,
    okIridium,
    okSkript,
};

// How a paste target counts the length of a text: UTF-16 code units (as the game and the chat
// programs count) or bytes.
enum class TLengthUnit { Utf16, Bytes };

// The switches of the options that a kind writes something for.
enum TKindOption : unsigned {
    koTags = 1u << 0,      // the tag case and the logical tags
    koTable = 1u << 1,     // the table (or the background colour it carries)
    koComment = 1u << 2,   // the comment lines
    koBreak = 1u << 3,     // the line break inside every character's tag
    koEveryLine = 1u << 4, // standard input: every line coloured as a text of its own
    koLanguage = 1u << 5,  // the fragment names its text's language
};

// The option bits by the names the page and the kind list use ("tags", "table", ...).
struct TKindOptionName {
    TKindOption Option;
    std::string_view Name;
};
std::span<const TKindOptionName> KindOptionNames();

using TEmitterFactory = std::function<std::unique_ptr<TOutputEmitter>(
    const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text, int unitCount,
    const TClusterTable& clusters)>;
// The page saved around the output text, with the page's background and the language of its
// text (a language tag; pages that declare none ignore it).
using TPageBuilder = THtmlText (*)(const THtmlText& html, const TTagVocabulary& tg, TColor pageBackground,
                                   std::string_view language);

// What the file of a saved page is: the dialog's filter ("caption|*.ext" pairs), the extension
// added to a name without one, and the name offered.
struct TSavedFile {
    const char* Filter;
    std::string_view DefaultExt;
    std::string_view FileName;
};

// How a kind's text is told from the others: a test of the text (its leading white space
// removed) and its place among every kind's tests, lower first. A kind may have a sure test (the
// text begins with its code) and a weaker one tried after other kinds' (the code anywhere).
struct TRecogniser {
    int Priority = 0;
    bool (*Looks)(std::string_view text) = nullptr;
};

// How a kind's text is read back and recognised; a kind without a reader is never read.
struct TKindReading {
    TReadRuns (*Read)(std::string_view utf8) = nullptr;
    TRecogniser Sure{};
    TRecogniser Weak{};
};

// The compact form of a kind that the target draws a gradient for from its stops; empty when
// the target cannot draw this gradient.
using TCompactForm = THtmlText (*)(std::string_view text, const TClusterTable& clusters,
                                   const TGradient& gradient, const THtmlOptions& options);

// How a kind's output is shortened to fit a budget: runs merged, plain spaces and shared steps
// (the emitter honours them), and a compact form tried before shared steps, since it keeps every
// colour, with what the companion (English) and the window (a source text in the context
// "TForm1") say when it is taken.
struct TKindFitting {
    bool Shortens = false;
    TCompactForm Compact = nullptr;
    std::string_view CompactNote{};
    const char* CompactTaken = nullptr;
};

// A face name the kind cannot write: the test, what the companion says is missing ("[ or ]"),
// and the window's note (a source text in the context "TForm1", the face as %1).
struct TFaceRule {
    bool (*Carries)(std::string_view faceUtf8) = nullptr; // nullptr: every face
    std::string_view Refused{};
    const char* NotCarried = nullptr;
};

// A target that draws a gradient itself from its stops: whether it draws these colours of the
// units (the emitter then writes only the stops), and what the companion says when it cannot
// and each unit's colour is written instead.
struct TStopsDrawn {
    bool (*Draws)(std::span<const TColor> colors) = nullptr;
    std::string_view PerUnitNote{};
};

// The colour a target shows for a colour written (a palette's nearest colour); nullptr: the
// colour itself.
using TShownColour = TColor (*)(TColor color, const THtmlOptions& options);

struct TOutputKindRow {
    TOutputKind Kind;
    std::string_view Name; // on the command line and in the settings file
    std::string_view Help; // the kind in the companion's --help, after its name
    TTextEncoding Encoding;
    unsigned Options; // TKindOption bits
    TEmitterFactory Make;
    TPageBuilder Page; // nullptr: the output text itself is what is saved
    TSavedFile File;
    // The window offers the kind; its texts are source texts that the window translates (in
    // the context "TForm1"): the menu item, its status tip, the messages after a copy (whole,
    // and on one line), and the status note shown while a switch is on that the kind does not
    // write (nullptr when it writes every one the window has).
    bool InWindow;
    const char* Caption;
    const char* Hint;
    const char* Copied;
    const char* CopiedOneLine;
    const char* NotWritten;
    // The paste targets: the window offers the kind in the submenu "Other targets"; the
    // target's length limit (0: none) and how it counts.
    bool OtherTarget = false;
    std::size_t Budget = 0;
    TLengthUnit Counted = TLengthUnit::Utf16;
    TKindReading Reading{};
    TKindFitting Fitting{};
    TFaceRule Face{};
    // Colours mapped to a small palette (the window notes that they are approximated).
    TShownColour Shown = nullptr;
    // The styles the target shows (a reader gives back no others).
    TFontStyles Styles = fsBold | fsItalic | fsUnderline | fsStrikeOut;
    // The colours as deep as the terminal shows them: the companion's kind for standard input
    // to a terminal, its depth taken from the environment.
    bool FollowsTerminal = false;
    // The target computes the colours between the stops written (the ends exact, the rest
    // within a step of the engine's).
    bool TargetBlends = false;
    TStopsDrawn Drawn{};
    // The target shows Minecraft's text shadow (THtmlOptions::Shadow).
    bool Shadows = false;

    bool Has(TKindOption option) const { return (Options & option) != 0; }
    bool CarriesFace(std::string_view faceUtf8) const {
        return Face.Carries == nullptr || Face.Carries(faceUtf8);
    }
    TColor ShownColour(TColor color, const THtmlOptions& options) const {
        return Shown != nullptr ? Shown(color, options) : color;
    }
};

// The saved file of the kinds that write plain text.
TSavedFile PlainTextFile();

// Every kind: the built-in ones in the order of TOutputKind, then those added while the program
// runs. References to rows stay valid as rows are added.
const std::deque<TOutputKindRow>& OutputKinds();
// Adds a kind made while the program runs (its Kind is set to the next free value); none when
// its name is taken or empty. Add kinds before other threads read the table.
std::optional<TOutputKind> AddOutputKind(TOutputKindRow row);
// The kind written when none is chosen: the first row's.
TOutputKind DefaultOutputKind();
// The kind whose colours follow the terminal's depth.
TOutputKind TerminalKind();
// The row of a kind; a value outside the table gets the default kind's row.
const TOutputKindRow& OutputKindRow(TOutputKind kind);

// The name a kind has on the command line and in the settings file ("font", "css", ...).
std::string_view OutputKindName(TOutputKind kind);
// The kind of a name (exact, lower case); none for any other text.
std::optional<TOutputKind> OutputKindFromName(std::string_view name);
// Every name, as a message lists them: "font, css, ... or ansi256".
std::string OutputKindNames();
