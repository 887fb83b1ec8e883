#pragma once

#include <string_view>

// A C0 control character or DEL as the picture a terminal or chat shows for it (U+2400 on), so
// that a text cannot write codes of its own; empty for any other unit (a tab too).
std::string_view ControlPictureOf(std::string_view utf8);

// ControlPictureOf's picture, or for a C1 control (U+0080-U+009F, CSI and NEL among them) the
// picture of escape followed by the letter of its seven-bit form (CSI as "␛["): a target that
// reads codes sees none; empty for any other unit.
std::string_view ControlOrC1PictureOf(std::string_view utf8);

// A directional formatting character (an embedding, override or isolate, or their closers
// U+202A-U+202E and U+2066-U+2069) written out as its code point ("<U+202E>"), so that on a
// terminal it cannot turn the text after it around; empty for any other unit.
std::string_view DirectionPictureOf(std::string_view utf8);
