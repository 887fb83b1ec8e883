#pragma once

#include <string>
#include <string_view>

// Text made safe for the place it stands in. A face name comes from a style file that anyone
// may have written, so it may hold `x"><script>`: nothing from outside reaches markup raw.

// & < > as the entities &amp; &lt; &gt; (element text); empty for any other character.
std::string_view HtmlTextEntity(char c);
// Appends `text` as element text: & < > as their entities.
void AppendHtmlText(std::string& out, std::string_view text);

// & < > and " as the entities &amp; &lt; &gt; &quot; (in element text and attribute values).
std::string HtmlEscaped(std::string_view text);

// The text inside a single-quoted CSS string: backslash and quote escaped, and each control
// character as its hexadecimal escape, so the string cannot end early or run past its line.
std::string CssStringEscaped(std::string_view text);

// A BBCode tag value: the HTML entities, and [ ] as &#91; &#93; so that no tag ends early.
std::string BbcodeValueEscaped(std::string_view text);
