#pragma once

#include <string_view>

// A C0 control character or DEL as the picture a terminal or chat shows for it (U+2400 on), so
// that a text cannot write codes of its own; empty for any other unit (a tab too).
std::string_view ControlPictureOf(std::string_view utf8);
