#pragma once

#include "engine/Color.h"
#include "engine/HtmlText.h"

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class TOutputEmitter;
class TTagVocabulary;
struct TClusterTable;
struct THtmlOptions;

// The kinds of text output. `okFont` is the design's HTML with font tags, byte for byte; the
// others are written beside it: HTML5 with CSS, forum BBCode, and terminal colours (the
// command-line companion only). Each kind is one row of the table below; a new kind is a value
// here, its emitter, and its row.
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
};

using TEmitterFactory = std::unique_ptr<TOutputEmitter> (*)(const TTagVocabulary& tg,
                                                            const THtmlOptions& options,
                                                            std::string_view text, int unitCount,
                                                            const TClusterTable& clusters);
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
    // target's length limit (0: none) and how it counts; whether colours are mapped to a small
    // palette (the window notes that they are approximated).
    bool OtherTarget = false;
    std::size_t Budget = 0;
    TLengthUnit Counted = TLengthUnit::Utf16;
    bool Palette = false;

    bool Has(TKindOption option) const { return (Options & option) != 0; }
};

// Every kind, in the order of TOutputKind.
std::span<const TOutputKindRow> OutputKinds();
// The row of a kind; a value outside the enumeration gets the font kind's row.
const TOutputKindRow& OutputKindRow(TOutputKind kind);

// The name a kind has on the command line and in the settings file ("font", "css", ...).
std::string_view OutputKindName(TOutputKind kind);
// The kind of a name (exact, lower case); none for any other text.
std::optional<TOutputKind> OutputKindFromName(std::string_view name);
// Every name, as a message lists them: "font, css, ... or ansi256".
std::string OutputKindNames();
