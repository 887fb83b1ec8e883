#pragma once

#include <optional>
#include <string_view>

// The kinds of text output. `okFont` is the design's HTML with font tags, byte for byte; the
// others are written beside it: HTML5 with CSS, forum BBCode, and terminal colours (the
// command-line companion only).
enum TOutputKind : int { okFont, okCss, okBbcode, okAnsi, okAnsi256 };

// The name a kind has on the command line and in the settings file: "font", "css", "bbcode",
// "ansi", "ansi256".
std::string_view OutputKindName(TOutputKind kind);
// The kind of a name (exact, lower case); none for any other text.
std::optional<TOutputKind> OutputKindFromName(std::string_view name);

// Whether the kind writes UTF-8 text (every kind but the design's Shift-JIS HTML).
constexpr bool WritesUtf8(TOutputKind kind) {
    return kind != okFont;
}
// Whether the kind is written for a terminal.
constexpr bool IsTerminalKind(TOutputKind kind) {
    return kind == okAnsi || kind == okAnsi256;
}
