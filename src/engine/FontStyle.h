#pragma once

// The style bits of a font, as the preview font and the HTML carry them.
using TFontStyles = int;

inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;
