#pragma once

// The colours a MiniMessage server gives the text of one <gradient:...> tag: its colours spread
// evenly over the text's characters (code points), each character's colour mixed in sRGB
// between the two colours around its place and rounded, as the server computes it. The
// compact form is written only where these colours are the ones Tintrel would write.

#include "engine/Color.h"
#include "engine/OrivUtil.h"
#include "engine/TextUnits.h"

#include <string_view>
#include <vector>

// The colour the server gives character i (1 to n) of a gradient through `colours`.
TColor MiniMessageGradientColor(const std::vector<TColor>& colours, int i, int n);

// The colours of a <gradient> tag that draws `gradient`: its stops (or the design's colours),
// folded back for a mirror; none for the rainbow, which no list of colours spread evenly draws.
std::vector<TColor> MiniMessageColoursOf(const TGradient& gradient);

// Whether the server's colours for every character of the text stay within one step per
// channel of the colour Tintrel writes for its unit.
bool MiniMessageDrawsGradient(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                              const std::vector<TColor>& colours);
