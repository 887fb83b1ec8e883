#pragma once

#include "engine/Color.h"
#include "engine/FontStyle.h"
#include "engine/OrivUtil.h"
#include "engine/OutputKind.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads gradient text back: any kind Tintrel writes (and what other tools write in the same
// codes), found by its look, gives the plain text, each character's colour and the styles.

// One unit, as the engine colours it (a character or a whole cluster): where its UTF-8 stands in
// the text read, and its colour. (A long text reads into a million of these: they are small.)
struct TReadUnit {
    std::uint32_t Offset = 0;
    std::uint32_t Length = 0;
    TColor Color = 0;

    friend bool operator==(const TReadUnit&, const TReadUnit&) = default;
};

struct TReadText {
    TOutputKind Kind = okFont;
    std::vector<TReadUnit> Units;
    TFontStyles Style = 0;
    std::string Utf8; // the plain text, every unit's UTF-8 one after the other

    std::string Text() const { return Utf8; }
    std::string_view UnitUtf8(const TReadUnit& unit) const {
        return std::string_view(Utf8).substr(unit.Offset, unit.Length);
    }
};

// The most a text read may hold (the companion's input limit): more is refused unread.
inline constexpr std::size_t kReadInputLimit = std::size_t{64} << 20;

// Text components (JSON's) nested deeper than this are refused, as a chat client refuses them.
inline constexpr int kMostReadNesting = 512;

// Why a text reads as nothing.
enum class TReadRefusal {
    NoGradientText,  // it looks like no kind, or holds no coloured text
    NestedTooDeeply, // its components nest deeper than a reader follows
    TooLong,         // it holds more than the reader takes (kReadInputLimit bytes)
};

// The kind a text looks like (UTF-8, or the font kind's CP932); none when it looks like none.
std::optional<TOutputKind> RecogniseKind(std::string_view input);
// The text read as the kind it looks like; none when it is no kind or holds no coloured text.
std::optional<TReadText> ReadGradientText(std::string_view input);
// The same, saying why when it reads as nothing.
std::optional<TReadText> ReadGradientText(std::string_view input, TReadRefusal& why);
// The text read as `kind`; none for a text of 2 GiB or more.
std::optional<TReadText> ReadAsKind(TOutputKind kind, std::string_view utf8);

// The gradient that gives the colours of the units: the first and last colours, and the
// middle unit's when the colours bend (three colours; mirrored when the ends are equal).
TGradient GradientOfColours(const std::vector<TReadUnit>& units);
