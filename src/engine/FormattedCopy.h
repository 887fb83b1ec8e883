#pragma once

#include "engine/Refresh.h"

#include <string>

// The formatted text (text/html, UTF-8) that goes on the clipboard beside the copied source when
// "書式付きテキストでもコピーする" is on: the css output kind's fragment of `input`, whatever kind
// the window writes, so that a word processor or a mail composer pastes coloured text; without
// the screen readers' hidden copy of the text, which those programs would show. Empty below two
// characters.
std::string FormattedCopyHtml(const TRefreshInput& input);
