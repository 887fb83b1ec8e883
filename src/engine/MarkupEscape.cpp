#include "engine/MarkupEscape.h"

#include "engine/Utf8.h"

#include <cstdio>
#include <vector>

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

namespace {

// The directional formatting characters are E2 80 AA-AE (U+202A-U+202E) and E2 81 A6-A9
// (U+2066-U+2069) in UTF-8; no other character's bytes hold E2 80 or E2 81 followed by these.
enum class TBidiControl { None, Embedding, Isolate, PopEmbedding, PopIsolate };

TBidiControl BidiControlAt(std::string_view utf8, std::size_t pos) {
    if (pos + 2 >= utf8.size() || utf8[pos] != '\xE2') {
        return TBidiControl::None;
    }
    const auto second = static_cast<unsigned char>(utf8[pos + 1]);
    const auto third = static_cast<unsigned char>(utf8[pos + 2]);
    if (second == 0x80 && third >= 0xAA && third <= 0xAE) {
        return third == 0xAC ? TBidiControl::PopEmbedding : TBidiControl::Embedding;
    }
    if (second == 0x81 && third >= 0xA6 && third <= 0xA9) {
        return third == 0xA9 ? TBidiControl::PopIsolate : TBidiControl::Isolate;
    }
    return TBidiControl::None;
}

} // namespace

bool HoldsBidiControls(std::string_view utf8) {
    for (std::size_t pos = utf8.find('\xE2'); pos != std::string_view::npos;
         pos = utf8.find('\xE2', pos + 1)) {
        if (BidiControlAt(utf8, pos) != TBidiControl::None) {
            return true;
        }
    }
    return false;
}

std::string CloseOpenBidi(std::string suffix, std::string_view utf8, TBidiCloserForm form) {
    // What is open, innermost last: true for an isolate. A PDF closes the innermost embedding
    // only when no isolate stands inside it; a PDI closes the innermost isolate and every
    // embedding opened within it, and nothing when no isolate is open.
    std::vector<bool> open;
    std::size_t isolates = 0;
    for (std::size_t pos = utf8.find('\xE2'); pos != std::string_view::npos;
         pos = utf8.find('\xE2', pos + 1)) {
        switch (BidiControlAt(utf8, pos)) {
        case TBidiControl::None:
            break;
        case TBidiControl::Embedding:
            open.push_back(false);
            break;
        case TBidiControl::Isolate:
            open.push_back(true);
            ++isolates;
            break;
        case TBidiControl::PopEmbedding:
            if (!open.empty() && !open.back()) {
                open.pop_back();
            }
            break;
        case TBidiControl::PopIsolate:
            while (isolates > 0) {
                const bool isolate = open.back();
                open.pop_back();
                if (isolate) {
                    --isolates;
                    break;
                }
            }
            break;
        }
    }
    if (open.empty()) {
        return suffix;
    }
    std::string closers;
    // Innermost first.
    while (!open.empty()) {
        const bool isolate = open.back();
        open.pop_back();
        if (form == TBidiCloserForm::References) {
            closers += isolate ? "&#8297;" : "&#8236;";
        } else {
            closers += isolate ? "\xE2\x81\xA9" : "\xE2\x80\xAC";
        }
    }
    const std::size_t end = suffix.ends_with("\r\n") ? suffix.size() - 2 : suffix.size();
    suffix.insert(end, closers);
    return suffix;
}
