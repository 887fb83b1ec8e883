#include "store/IniText.h"

#include <charconv>

namespace {

constexpr unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

constexpr char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::size_t SjisCharLength(std::string_view text, std::size_t pos) {
    if (IsDBCSLeadByte(Byte(text[pos])) && pos + 1 < text.size() && IsSjisTrailByte(Byte(text[pos + 1]))) {
        return 2;
    }
    return 1;
}

bool EndsWithLoneLeadByte(std::string_view text) {
    std::size_t pos = 0;
    std::size_t last = 0;
    while (pos < text.size()) {
        last = pos;
        pos += SjisCharLength(text, pos);
    }
    return !text.empty() && last == text.size() - 1 && IsDBCSLeadByte(Byte(text.back()));
}

std::string_view TrimIniBlanks(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsIniBlank(Byte(text[begin]))) {
        ++begin;
    }
    // No blank can be the second byte of a character, so trimming from the end is safe.
    while (end > begin && IsIniBlank(Byte(text[end - 1]))) {
        --end;
    }
    return text.substr(begin, end - begin);
}

std::size_t FindFirstChar(std::string_view text, char c) {
    for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) {
        if (text[pos] == c) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::size_t FindLastChar(std::string_view text, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) {
        if (text[pos] == c) {
            found = pos;
        }
    }
    return found;
}

bool ContainsAnyChar(std::string_view text, std::string_view chars) {
    for (std::size_t pos = 0; pos < text.size(); pos += SjisCharLength(text, pos)) {
        if (chars.find(text[pos]) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

std::string FoldIniName(std::string_view name) {
    const std::string_view trimmed = TrimIniBlanks(name);
    std::string folded(trimmed);
    for (std::size_t pos = 0; pos < folded.size();) {
        const std::size_t length = SjisCharLength(folded, pos);
        if (length == 1) {
            folded[pos] = FoldAscii(folded[pos]);
        }
        pos += length;
    }
    return folded;
}

bool SameIniName(std::string_view a, std::string_view b) {
    const std::string_view ta = TrimIniBlanks(a);
    const std::string_view tb = TrimIniBlanks(b);
    if (ta.size() != tb.size()) {
        return false;
    }
    for (std::size_t pos = 0; pos < ta.size();) {
        const std::size_t length = SjisCharLength(ta, pos);
        if (length != SjisCharLength(tb, pos)) {
            return false;
        }
        if (length == 1) {
            if (FoldAscii(ta[pos]) != FoldAscii(tb[pos])) {
                return false;
            }
        } else if (ta.substr(pos, 2) != tb.substr(pos, 2)) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string ConcatText(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (const std::string_view part : parts) {
        size += part.size();
    }
    std::string text;
    text.reserve(size);
    for (const std::string_view part : parts) {
        text += part;
    }
    return text;
}

std::optional<int> ParseIniInteger(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-') {
            return std::nullopt;
        }
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}
