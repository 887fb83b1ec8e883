#pragma once

#include "engine/Color.h"

#include <cstdint>
#include <string>

// Minecraft's text shadow (1.21.4 on), which the json and minimessage kinds write: none, one
// colour with its opacity, or the game's own shade of each character's colour (a quarter of each
// channel, opaque).
enum class TShadowMode { None, Fixed, Auto };

struct TTextShadow {
    TShadowMode Mode = TShadowMode::None;
    TColor Color = 0;
    double Alpha = 1; // 0 to 1

    friend bool operator==(const TTextShadow&, const TTextShadow&) = default;
};

// The shadow of a character of `color`: the fixed colour, or the game's own shade.
TColor ShadowColor(const TTextShadow& shadow, TColor color);
// ARGB as one integer, as the JSON text component's "shadow_color" takes it (a negative number
// where the alpha's top bit is set).
std::int32_t ShadowArgb(const TTextShadow& shadow, TColor color);

// A fraction from 0 to 1 with up to three decimals and no trailing zeros ("0", "0.5", "1"), as
// MiniMessage's shadow opacity and the templates' channels are written.
std::string FractionText(double fraction);
