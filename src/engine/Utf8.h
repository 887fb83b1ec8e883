#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// UTF-8 as the desktop and the command line hand it over: checked, and repaired where a paste
// brought something that is not UTF-8.

// The byte offset (from 0) of the first byte that does not belong to well-formed UTF-8; none
// when the whole text is UTF-8. Encoded surrogates and code points above U+10FFFF are not UTF-8.
std::optional<std::size_t> FirstInvalidUtf8(std::string_view text);

// The text with each ill-formed piece (each maximal part of a sequence that cannot go on) replaced
// by U+FFFD, so nothing is dropped without a trace.
std::string WithReplacementCharacters(std::string_view text);

// UTF-16 (as a text field holds it) to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// True when the UTF-8 text holds a control character: C0 (U+0000-U+001F), DEL or C1
// (U+0080-U+009F). Such a character in a face name would reach a terminal or a page raw.
bool HoldsControlCharacter(std::string_view utf8);
