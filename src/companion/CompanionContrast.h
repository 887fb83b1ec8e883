#pragma once

#include "engine/OrivUtil.h"
#include "engine/UnicodeText.h"

#include <optional>
#include <string>
#include <vector>

struct TCompanionIo;
struct TCompanionOptions;

// The texts the contrast is checked for, as they are coloured: the text, or the first line of
// standard input, for the kinds that write one text; the lines of standard input, of the TEXT
// or of the file for the terminal kinds.
std::vector<TUnitText> ContrastTexts(const TCompanionOptions& o, bool everyLine, TCompanionIo& io);

// --fix-contrast moves the gradient's colours; --check-contrast reports the characters that fall
// short, each gradient's as it colours its texts (one across all lines with --across-lines).
// Returns the exit status when the contrast settles the run (no HTML is written).
std::optional<int> SettleContrast(const TCompanionOptions& o, const std::vector<TUnitText>& texts,
                                  TGradient& gradient, std::string& out, std::string& err);
