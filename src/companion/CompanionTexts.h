#pragma once

#include "engine/UnicodeText.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class TCompanionInput;
class TOutputSink;
struct TCompanionOptions;

// The desktop's language as the locale variables name it (LANGUAGE, LC_ALL, LC_MESSAGES, LANG:
// the first that is set in `environment`, the companion's); English when none names one.
std::string DesktopLanguage(const std::function<const char*(const char* name)>& environment);

// The text once more in UTF-8, for finding its language.
std::string TextUtf8(const TUnitText& text);

// The bytes of the file that `option` names, by the store's bounded reader: what is not a
// regular file is refused (a device would be read until memory runs out, a FIFO would wait for a
// writer), and reading stops past the limit.
std::string ReadTextFile(std::string_view option, const std::string& name, std::size_t limit);

// Refuses a text that is not UTF-8; `what` names its source.
void CheckUtf8(std::string_view what, std::string_view utf8);

// The text to colour, from the file or TEXT given.
TUnitText TextOf(const TCompanionOptions& o);

// All of standard input; the read that takes it past `limit` bytes refuses it.
std::string ReadStandardInput(TCompanionInput& in, std::size_t limit);

// The first line of standard input as units: UTF-8 as TEXT is taken, or with --text-file - raw
// CP932 bytes. Bytes that are not UTF-8 stand as U+FFFD with a word on standard error. A second
// line is left out with a word.
TUnitText StandardInputFirstLine(TCompanionInput& in, std::size_t limit, bool cp932, TOutputSink& err);

// The bytes of a TEXT or a file whose lines a terminal kind colours; `cp932` is set for a
// --text-file.
std::string LinesOfTextOrFile(const TCompanionOptions& o, bool& cp932);
