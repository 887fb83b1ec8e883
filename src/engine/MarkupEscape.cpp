#include "engine/MarkupEscape.h"

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

std::string BbcodeValueEscaped(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        if (c == '[') {
            escaped += "&#91;";
        } else if (c == ']') {
            escaped += "&#93;";
        } else if (const std::string_view entity = HtmlEntity(c); !entity.empty()) {
            escaped += entity;
        } else {
            escaped += c;
        }
    }
    return escaped;
}
