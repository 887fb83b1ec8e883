#pragma once

#include "engine/OutputKind.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A kind the user writes: how one unit (a character, or a run of one colour) is written, and the
// settings of the whole text, in one line of text that fits a command line and a settings value.
//
//   {#}{hex}{char}           placeholders in braces, everything else written as it is
//   {{ and }}                a literal brace
//   {prefix=TEXT}            before the whole text; also {suffix=TEXT} and {separator=TEXT},
//                            written between two units (braces in TEXT doubled)
//   {bold=&l}                the code written for a style by {styles}; also italic, underline,
//                            strike
//   {merge}                  a run of one colour written once
//   {count=utf16|bytes}      how the target counts length, and {limit=N} its limit (0: none)
//
// The placeholders of a unit: {HEX} and {hex} the colour's six digits (upper, lower case), {HEX3}
// and {hex3} three digits where they are exact (six otherwise), {r} {g} {b} in decimal, {rf} {gf}
// {bf} from 0 to 1, {X1} to {X6} (and {x1} to {x6}) each digit on its own for the &x forms,
// {char} the unit as it is, {char:json} {char:html} {char:mm} escaped for JSON strings, HTML or
// XML, and MiniMessage, {styles} the codes of the styles chosen, and {shadow} and {shadow:argb}
// the text shadow chosen (without one, the game's own shade of the colour) as six digits or as
// one ARGB integer.

enum class TTemplateField : unsigned char {
    Literal,
    HexUpper,
    HexLower,
    Hex3Upper,
    Hex3Lower,
    Red,
    Green,
    Blue,
    RedUnit,
    GreenUnit,
    BlueUnit,
    DigitUpper,
    DigitLower,
    Unit,
    UnitJson,
    UnitMarkup,
    UnitMiniMessage,
    Styles,
    ShadowHex,
    ShadowArgb,
};

struct TTemplatePiece {
    TTemplateField Field = TTemplateField::Literal;
    std::string Text{}; // a literal's text
    int Digit = 0;      // DigitUpper and DigitLower: 0 to 5, red's high digit first

    friend bool operator==(const TTemplatePiece&, const TTemplatePiece&) = default;
};

struct TOutputTemplate {
    std::vector<TTemplatePiece> Unit;
    std::string Prefix;
    std::string Suffix;
    std::string Separator;
    std::array<std::string, 4> StyleCodes{}; // bold, italic, underline, strike
    bool Merge = false;
    TLengthUnit Counted = TLengthUnit::Utf16;
    std::size_t Limit = 0;
};

// A template read, or why it cannot be used and where (the column counts characters from 1).
struct TTemplateReading {
    std::optional<TOutputTemplate> Template;
    std::size_t Column = 0;
    std::string Problem;

    // "column 7: unknown placeholder {hx}", for messages.
    std::string Message() const;
};

TTemplateReading ReadOutputTemplate(std::string_view text);
