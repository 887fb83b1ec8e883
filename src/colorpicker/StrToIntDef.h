#pragma once

#include <QStringView>

#include <cstdint>

// Converts a whole text to a 32-bit integer the way the program's stored values are read:
// blanks before it are skipped, a sign may follow, then "$" (or "0x", "x") introduces hexadecimal
// digits, otherwise the digits are decimal. Hexadecimal values up to FFFFFFFF are taken as their
// 32-bit pattern; decimal values must fit a signed 32-bit integer. Anything else, trailing
// characters included, does not convert.
bool TryStrToInt(QStringView text, std::int32_t& value);

// The converted value, or `fallback` when the text does not convert.
std::int32_t StrToIntDef(QStringView text, std::int32_t fallback);
