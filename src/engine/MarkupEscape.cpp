#include "engine/MarkupEscape.h"

#include "engine/Utf8.h"

#include <cstdio>

namespace {

// The entity of a character that HTML markup reserves; empty for any other.
std::string_view HtmlEntity(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return {};
    }
}

} // namespace

std::string_view HtmlTextEntity(char c) {
    return c == '"' ? std::string_view() : HtmlEntity(c);
}

void AppendHtmlText(std::string& out, std::string_view text) {
    for (const char c : text) {
        const std::string_view entity = HtmlTextEntity(c);
        if (entity.empty()) {
            out += c;
        } else {
            out += entity;
        }
    }
}

std::string HtmlEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const std::string_view entity = HtmlEntity(c);
        if (entity.empty()) {
            escaped += c;
        } else {
            escaped += entity;
        }
    }
    return escaped;
}

std::string CssStringEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '\'') {
            escaped += '\\';
            escaped += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\%X ", byte);
            escaped += hex;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

bool BbcodeCanCarry(std::string_view utf8) {
    return !utf8.empty() && utf8.find_first_of("[]") == std::string_view::npos &&
           !HoldsControlCharacter(utf8);
}
