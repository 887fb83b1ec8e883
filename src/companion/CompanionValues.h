#pragma once

#include "engine/ColorStops.h"
#include "engine/OrivUtil.h"
#include "engine/OutputKind.h"
#include "engine/TextShadow.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct TCompanionOptions;

// The values of the options, each read or refused (TUsageError) with the option named.
// RRGGBB or RGB (F50 is FF5500), red first, with or without the '#' that colour pickers copy,
// as a colour value 0x00BBGGRR.
TColor ParseColor(std::string_view option, std::string_view value);
int ParseSizeStep(std::string_view option, std::string_view value);
std::string ParseLanguage(std::string_view option, std::string_view value);
TOutputKind ParseKind(std::string_view option, std::string_view value);
TGradientMode ParseMode(std::string_view option, std::string_view value);
TColorSpace ParseSpace(std::string_view option, std::string_view value);
std::vector<TColorStop> ParseStops(std::string_view option, std::string_view value);
double ParsePhase(std::string_view option, std::string_view value);
// --shadow: auto, or a colour with an opacity from 0 to 1 after @ (opaque without).
TTextShadow ParseShadow(std::string_view option, std::string_view value);

// UTF-8 to CP932, refusing any character that CP932 cannot hold.
std::string ToCp932(std::string_view what, std::string_view utf8);

// Applies the style record of the first section of a style file, as the program loads a style:
// colours, mode (three colours win over the mirror), style bits, size step, first letter and
// face name. A file that cannot be read, holds no section or holds a bad value is refused.
void ApplyStyleFile(const std::string& name, TCompanionOptions& o);

// --budget: 1 to 999999999.
std::size_t ParseBudget(std::string_view option, std::string_view value);
