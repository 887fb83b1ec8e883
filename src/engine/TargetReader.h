#pragma once

#include "engine/Color.h"
#include "engine/FontStyle.h"
#include "engine/OrivUtil.h"
#include "engine/OutputKind.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads gradient text back: any kind Tintrel writes (and what other tools write in the same
// codes), found by its look, gives the plain text, each character's colour and the styles.

struct TReadUnit {
    std::string Utf8; // one unit, as the engine colours it: a character or a whole cluster
    TColor Color = 0;

    friend bool operator==(const TReadUnit&, const TReadUnit&) = default;
};

struct TReadText {
    TOutputKind Kind = okFont;
    std::vector<TReadUnit> Units;
    TFontStyles Style = 0;

    // The plain text, UTF-8.
    std::string Text() const;
};

// The kind a text looks like (UTF-8, or the font kind's CP932); none when it looks like none.
std::optional<TOutputKind> RecogniseKind(std::string_view input);
// The text read as the kind it looks like; none when it is no kind or holds no coloured text.
std::optional<TReadText> ReadGradientText(std::string_view input);
// The text read as `kind`.
std::optional<TReadText> ReadAsKind(TOutputKind kind, std::string_view utf8);

// The gradient that gives the colours of the units: the first and last colours, and the
// middle unit's when the colours bend (three colours; mirrored when the ends are equal).
TGradient GradientOfColours(const std::vector<TReadUnit>& units);
