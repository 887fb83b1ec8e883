#pragma once

#include "engine/ReaderRuns.h"

#include <string_view>

// Reads the plugins' gradient tags and one-colour codes (any of them, mixed): TAB's <#A>text</#B>,
// <$#A>text<$#B> and #<RRGGBB>, CMI's {#A>}text{#M<>}text{#B<} and {#RRGGBB}, Iridium's
// <GRADIENT:A>text</GRADIENT:B> and <SOLID:RRGGBB>, Skript's <##RRGGBB>; the formatting codes
// &l &o &n &m after a colour. The units of a gradient get the colours the plugin draws: the
// engine's sRGB gradient through its stops (a middle stop bends it at the middle unit).
TReadRuns ReadPluginTagRuns(std::string_view utf8);

// The text begins with a code of the syntax.
bool LooksLikeTabTags(std::string_view text); // #<RRGGBB>, <$#, or <#RRGGBB> closed by </#
bool LooksLikeCmiTags(std::string_view text);
bool LooksLikeIridiumTags(std::string_view text);
bool LooksLikeSkriptColours(std::string_view text);
