#pragma once

#include <optional>
#include <string>
#include <string_view>

// The Unicode letter styles people paste into names and chats: the letters of other blocks that
// look like small capitals, full-width letters or circled letters. The text changes before it is
// coloured, so a length budget counts what is written.
enum class TLetterStyle { None, SmallCaps, FullWidth, Circled };

// The style of a name ("smallcaps", "fullwidth", "circled"); none for any other text.
std::optional<TLetterStyle> LetterStyleFromName(std::string_view name);
// Every name, as a message lists them: "smallcaps, fullwidth or circled".
std::string_view LetterStyleNames();

// The text with every letter (and digit, for the styles that have them) in the style; characters
// with no styled form stay as they are.
std::string StyledLetters(std::string_view utf8, TLetterStyle style);
