#pragma once

// The stops of a gradient as text, as the settings and style files keep them and the companion
// takes them: "RRGGBB[@P],..." with P a percentage along the text.

#include "engine/OrivUtil.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A decimal number as people write it: an optional sign, digits and an optional fraction
// ("25", "-7.5"); read by hand, as not every standard library the engine is built with reads
// floating point with from_chars.
std::optional<double> DecimalFromText(std::string_view text);

std::string ColorStopsText(const std::vector<TColorStop>& stops);
// Two to sixteen stops whose positions (0 to 100) never fall; nothing when the text is not that.
std::optional<std::vector<TColorStop>> ColorStopsFromText(std::string_view text);
// Whether every stop can show: only the first stands at 0 and only the last at 100, or the
// characters at an end take the stop beyond the others and those never show.
bool EveryStopShows(const std::vector<TColorStop>& stops);
