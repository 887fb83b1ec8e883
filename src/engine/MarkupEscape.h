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

// Whether a BBCode tag can carry `utf8` as its value. Forums take a value as written (entities
// would show literally), so a value cannot hold [ or ], which would end or open a tag, nor a
// control character, nor be empty.
bool BbcodeCanCarry(std::string_view utf8);

// Explicit directional formatting. A text can open an embedding or override (U+202A, U+202B,
// U+202D, U+202E) or an isolate (U+2066-U+2068) and leave it open; pasted into a page it would
// then turn the host's text after the fragment around. Code page 932 holds none of these, so
// they stand only in clusters.

// Whether `utf8` holds any of them, or their closers U+202C and U+2069.
bool HoldsBidiControls(std::string_view utf8);

// How the closers are written: as UTF-8, or as numeric character references (&#8236;) for a
// kind written in code page 932.
enum class TBidiCloserForm { Utf8, References };

// `suffix` (what follows a fragment's last character) with what closes every embedding,
// override and isolate that `utf8` leaves open put before its last line end (at its end when it
// has none), innermost first: U+202C for an embedding or override, U+2069 for an isolate. A text
// that leaves none open gets `suffix` unchanged.
std::string CloseOpenBidi(std::string suffix, std::string_view utf8, TBidiCloserForm form);
