#pragma once

#include "store/IniErrors.h"

#include <string>
#include <string_view>

// What the companion calls itself in its messages.
constexpr std::string_view kProgram = "tintrel-html";

// `text` as it may stand in a message on a terminal: bytes that are not UTF-8 and control
// characters as \xNN, C1 controls and the directional embeddings, overrides and isolates as
// \uXXXX, so that a value can neither steer the terminal nor turn the message around.
std::string PrintableInMessage(std::string_view text);

// A failed option or value: the one line for standard error.
struct TUsageError {
    std::string message;
};

// The one line naming what was wrong, after the program's name.
template <typename... Pieces> TUsageError Refusal(const Pieces&... pieces) {
    std::string message(kProgram);
    message += ": ";
    (message.append(std::string_view(pieces)), ...);
    // A value may hold line breaks; the message stays one line.
    for (char& c : message) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = '?';
        }
    }
    // Names and values may hold bytes that are not UTF-8 (a Shift-JIS file name); they are
    // written as \xNN so that the message is valid text on the terminal.
    return TUsageError{PrintableInMessage(message)};
}
