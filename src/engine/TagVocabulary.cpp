#include "engine/TagVocabulary.h"

#include "engine/jstrm.h"

#include <algorithm>

namespace {

const std::vector<std::string>& DefaultItems() {
    static const std::vector<std::string> items = {
        "_Font=font",
        "_Size=size",
        "_Face=face",
        "_U=u",
        "_B=b",
        "_I=i",
        "_Strike=strike",
        "_Strong=strong",
        "_Cite=cite",
        "_Html=html",
        "_Head=head",
        "_Title=title",
        "_Body=body",
        "_Bgcolor=bgcolor",
        "_Color=color",
        "_Table=table",
        "_Align=align",
        "_Left=left",
        "_Cellpadding=cellpadding",
        "_Tr=tr",
        "_Td=td",
        "_Valign=valign",
        "_Br=br",
        "_Clear=clear",
        "_All=all",
        "_Border=border",
        "_Family=family",
    };
    return items;
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

} // namespace

TTagVocabulary::TTagVocabulary() : TTagVocabulary(DefaultItems()) {}

TTagVocabulary::TTagVocabulary(const std::vector<std::string>& items) {
    entries_.reserve(items.size());
    for (const std::string& item : items) {
        std::string value = item;
        std::string key = CutToken(value, "=");
        entries_.emplace_back(std::move(key), std::move(value));
    }
}

std::string TTagVocabulary::TagWord(std::string_view key) const {
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [key](const auto& e) { return SameTextAscii(e.first, key); });
    if (entry != entries_.end() && !entry->second.empty()) {
        return entry->second;
    }
    if (reporter_ != nullptr) {
        std::string message(key);
        message += ": not found.";
        reporter_->TagNotFound(key, message);
    }
    return {};
}

std::string TTagVocabulary::OpenTag(std::string_view key) const {
    std::string tag = "<";
    tag += TagWord(key);
    tag += '>';
    return tag;
}

std::string TTagVocabulary::CloseTag(std::string_view key) const {
    std::string tag = "</";
    tag += TagWord(key);
    tag += '>';
    return tag;
}

void TTagVocabulary::ApplyTagCase(bool upper) {
    upper_ = upper;
    for (auto& entry : entries_) {
        std::string& value = entry.second;
        // Only single-byte characters change: the second byte of a two-byte character may have
        // the value of an ASCII letter.
        for (std::size_t offset = 0; offset < value.size(); offset += CharLengthAt(value, offset)) {
            value[offset] = upper ? AsciiUpper(value[offset]) : AsciiLower(value[offset]);
        }
    }
}

std::vector<std::string> TTagVocabulary::Items() const {
    std::vector<std::string> items;
    items.reserve(entries_.size());
    for (const auto& [key, value] : entries_) {
        std::string item = key;
        item += '=';
        item += value;
        items.push_back(std::move(item));
    }
    return items;
}

std::string WordInCase(std::string_view word, bool upper) {
    std::string cased(word);
    for (char& c : cased) {
        c = upper ? AsciiUpper(c) : AsciiLower(c);
    }
    return cased;
}
