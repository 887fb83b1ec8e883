#include "store/IniDocument.h"

#include "store/IniErrors.h"
#include "store/IniText.h"

#include <algorithm>
#include <unordered_set>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
// Sections up to this many lines are searched line by line; larger ones get a key index.
constexpr std::size_t kIndexedSectionSize = 32;

std::uint32_t Offset(std::string_view whole, std::string_view part) {
    return static_cast<std::uint32_t>(part.data() - whole.data());
}

std::string Quoted(std::string_view text) {
    return ConcatText({"\"", text, "\""});
}

} // namespace

TIniDocument::TIniDocument(std::string bytes) : text_(std::move(bytes)) {
    std::size_t pos = 0;
    if (std::string_view(text_).starts_with(kByteOrderMark)) {
        byteOrderMark_ = true;
        pos = kByteOrderMark.size();
    }
    const std::size_t size = text_.size();
    while (pos < size) {
        std::size_t end = pos;
        while (end < size && text_[end] != '\r' && text_[end] != '\n') {
            ++end;
        }
        TLine line;
        line.begin = pos;
        line.size = static_cast<std::uint32_t>(end - pos);
        Classify(line);
        lines_.push_back(line);
        if (end < size && text_[end] == '\r' && end + 1 < size && text_[end + 1] == '\n') {
            pos = end + 2;
        } else {
            pos = end + 1;
        }
    }
    RebuildSections();
}

std::string TIniDocument::Serialize() const {
    std::size_t total = byteOrderMark_ ? kByteOrderMark.size() : 0;
    for (const TLine& line : lines_) {
        total += line.size + kLineEnd.size();
    }
    std::string out;
    out.reserve(total);
    if (byteOrderMark_) {
        out += kByteOrderMark;
    }
    for (const TLine& line : lines_) {
        out += Text(line);
        out += kLineEnd;
    }
    return out;
}

bool TIniDocument::IsKeyLine(const TLine& line) {
    return line.kind == TLineKind::Key || line.kind == TLineKind::BareKey;
}

std::string_view TIniDocument::Text(const TLine& line) const {
    return std::string_view(text_).substr(line.begin, line.size);
}

std::string_view TIniDocument::Name(const TLine& line) const {
    return Text(line).substr(line.nameBegin, line.nameEnd - line.nameBegin);
}

std::string_view TIniDocument::Value(const TLine& line) const {
    return Text(line).substr(line.valueBegin, line.valueEnd - line.valueBegin);
}

void TIniDocument::Classify(TLine& line) const {
    const std::string_view text = Text(line);
    const std::string_view trimmed = TrimIniBlanks(text);
    line.kind = TLineKind::Other;
    if (trimmed.empty() || trimmed.front() == ';') {
        return;
    }
    if (trimmed.front() == '[') {
        std::size_t close = FindLastChar(trimmed, ']');
        // A name that ends in a lone lead byte hides its closing bracket as the lead byte's
        // partner; the bracket that ends the line still closes the header, so only this line
        // is damaged and the keys below stay in their own section.
        if (close == std::string_view::npos && trimmed.size() > 1 && trimmed.back() == ']') {
            close = trimmed.size() - 1;
        }
        if (close != std::string_view::npos) {
            const std::string_view name = TrimIniBlanks(trimmed.substr(1, close - 1));
            line.kind = TLineKind::Header;
            line.nameBegin = Offset(text, name);
            line.nameEnd = line.nameBegin + static_cast<std::uint32_t>(name.size());
            return;
        }
    }
    const std::size_t equals = FindFirstChar(trimmed, '=');
    if (equals == std::string_view::npos) {
        if (trimmed.front() != '[') {
            line.kind = TLineKind::BareKey;
            line.nameBegin = Offset(text, trimmed);
            line.nameEnd = line.nameBegin + static_cast<std::uint32_t>(trimmed.size());
            line.valueBegin = line.nameEnd;
            line.valueEnd = line.nameEnd;
        }
        return;
    }
    const std::string_view key = TrimIniBlanks(trimmed.substr(0, equals));
    const std::string_view value = TrimIniBlanks(trimmed.substr(equals + 1));
    line.kind = TLineKind::Key;
    line.nameBegin = key.empty() ? Offset(text, trimmed) : Offset(text, key);
    line.nameEnd = line.nameBegin + static_cast<std::uint32_t>(key.size());
    line.valueBegin =
        value.empty() ? Offset(text, trimmed) + static_cast<std::uint32_t>(equals) + 1 : Offset(text, value);
    line.valueEnd = line.valueBegin + static_cast<std::uint32_t>(value.size());
}

TIniDocument::TLine TIniDocument::MakeLine(std::string_view text) {
    TLine line;
    line.begin = text_.size();
    line.size = static_cast<std::uint32_t>(text.size());
    text_ += text;
    Classify(line);
    return line;
}

void TIniDocument::RebuildSections() {
    headers_.clear();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == TLineKind::Header) {
            headers_.push_back(i);
        }
    }
    sectionIndex_.reset();
    keyIndexes_.clear();
}

std::optional<std::size_t> TIniDocument::FindSection(std::string_view section) const {
    if (!sectionIndex_) {
        sectionIndex_.emplace();
        sectionIndex_->reserve(headers_.size());
        for (std::size_t s = 0; s < headers_.size(); ++s) {
            sectionIndex_->emplace(FoldIniName(Name(lines_[headers_[s]])), s);
        }
    }
    const auto found = sectionIndex_->find(FoldIniName(section));
    if (found == sectionIndex_->end()) {
        return std::nullopt;
    }
    return found->second;
}

std::size_t TIniDocument::SectionEnd(std::size_t sectionIndex) const {
    return sectionIndex + 1 < headers_.size() ? headers_[sectionIndex + 1] : lines_.size();
}

std::optional<std::size_t> TIniDocument::FindKeyLine(std::size_t sectionIndex, std::string_view key) const {
    const std::size_t header = headers_[sectionIndex];
    const std::size_t end = SectionEnd(sectionIndex);
    if (end - header <= kIndexedSectionSize) {
        for (std::size_t i = header + 1; i < end; ++i) {
            if (IsKeyLine(lines_[i]) && SameIniName(Name(lines_[i]), key)) {
                return i;
            }
        }
        return std::nullopt;
    }
    auto [index, created] = keyIndexes_.try_emplace(sectionIndex);
    if (created) {
        for (std::size_t i = header + 1; i < end; ++i) {
            if (IsKeyLine(lines_[i])) {
                index->second.emplace(FoldIniName(Name(lines_[i])), i - header);
            }
        }
    }
    const auto found = index->second.find(FoldIniName(key));
    if (found == index->second.end()) {
        return std::nullopt;
    }
    return header + found->second;
}

std::optional<std::string> TIniDocument::Find(std::string_view section, std::string_view key) const {
    const auto sectionIndex = FindSection(section);
    if (!sectionIndex) {
        return std::nullopt;
    }
    const auto line = FindKeyLine(*sectionIndex, key);
    if (!line || lines_[*line].kind == TLineKind::BareKey) {
        return std::nullopt;
    }
    return std::string(Value(lines_[*line]));
}

bool TIniDocument::HasSection(std::string_view section) const {
    return FindSection(section).has_value();
}

std::vector<std::pair<std::string, std::string>> TIniDocument::SectionValues(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> values;
    const auto sectionIndex = FindSection(section);
    if (!sectionIndex) {
        return values;
    }
    std::unordered_set<std::string> seen;
    for (std::size_t i = headers_[*sectionIndex] + 1; i < SectionEnd(*sectionIndex); ++i) {
        const TLine& line = lines_[i];
        // A bare key is not listed (it has no value) but hides the later lines of its key.
        if (IsKeyLine(line) && seen.insert(FoldIniName(Name(line))).second && line.kind == TLineKind::Key) {
            values.emplace_back(std::string(Name(line)), std::string(Value(line)));
        }
    }
    return values;
}

std::vector<std::string> TIniDocument::SectionNames() const {
    std::vector<std::string> names;
    names.reserve(headers_.size());
    for (const std::size_t header : headers_) {
        names.emplace_back(Name(lines_[header]));
    }
    return names;
}

void TIniDocument::CheckSectionName(std::string_view section) {
    const std::string_view name = TrimIniBlanks(section);
    if (section.find_first_of("\r\n") != std::string_view::npos || ContainsAnyChar(name, "]")) {
        throw EIniRefusedError("The section name " + Quoted(section) +
                               " cannot be stored: it holds a line break or \"]\"");
    }
    if (EndsWithLoneLeadByte(name)) {
        throw EIniRefusedError("The section name " + Quoted(section) +
                               " cannot be stored: it ends in half a double-byte character");
    }
}

void TIniDocument::CheckKeyName(std::string_view key) {
    const std::string_view name = TrimIniBlanks(key);
    if (name.empty()) {
        throw EIniRefusedError("An empty key name cannot be stored");
    }
    if (key.find_first_of("\r\n") != std::string_view::npos || name.front() == '[' || name.front() == ';' ||
        ContainsAnyChar(name, "=")) {
        throw EIniRefusedError("The key name " + Quoted(key) +
                               " cannot be stored: it holds a line break or \"=\", or begins with "
                               "\"[\" or \";\"");
    }
}

void TIniDocument::CheckValue(std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) {
        throw EIniRefusedError("The value " + Quoted(value) + " cannot be stored: it holds a line break");
    }
}

void TIniDocument::CheckWritable(std::string_view section, std::string_view key, std::string_view value) {
    // Text holds no zero byte; a file that does is taken for UTF-16 when read.
    for (const std::string_view part : {section, key, value}) {
        if (part.find('\0') != std::string_view::npos) {
            throw EIniRefusedError("The text " + Quoted(part) + " cannot be stored: it holds a zero byte");
        }
    }
    CheckSectionName(section);
    CheckKeyName(key);
    CheckValue(value);
}

void TIniDocument::InsertLine(std::size_t sectionIndex, std::size_t at, const TLine& line) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), line);
    for (std::size_t s = sectionIndex + 1; s < headers_.size(); ++s) {
        ++headers_[s];
    }
    const auto index = keyIndexes_.find(sectionIndex);
    if (index != keyIndexes_.end()) {
        index->second.emplace(FoldIniName(Name(line)), at - headers_[sectionIndex]);
    }
}

bool TIniDocument::Write(std::string_view section, std::string_view key, std::string_view value) {
    CheckWritable(section, key, value);
    const std::string_view sectionName = TrimIniBlanks(section);
    const std::string_view keyName = TrimIniBlanks(key);
    const auto sectionIndex = FindSection(sectionName);
    if (!sectionIndex) {
        headers_.push_back(lines_.size());
        lines_.push_back(MakeLine(ConcatText({"[", sectionName, "]"})));
        lines_.push_back(MakeLine(ConcatText({keyName, "=", value})));
        if (sectionIndex_) {
            sectionIndex_->emplace(FoldIniName(sectionName), headers_.size() - 1);
        }
        return true;
    }
    if (const auto existing = FindKeyLine(*sectionIndex, keyName)) {
        TLine& line = lines_[*existing];
        if (line.kind == TLineKind::Key && Value(line) == TrimIniBlanks(value)) {
            return false;
        }
        const std::string storedKey(Name(line));
        line = MakeLine(ConcatText({storedKey, "=", value}));
        return true;
    }
    // A new key goes after the last line of the section that is not blank, so blank lines
    // that separate it from the next section stay below it.
    const std::size_t header = headers_[*sectionIndex];
    std::size_t at = SectionEnd(*sectionIndex);
    while (at > header + 1 && TrimIniBlanks(Text(lines_[at - 1])).empty()) {
        --at;
    }
    InsertLine(*sectionIndex, at, MakeLine(ConcatText({keyName, "=", value})));
    return true;
}

bool TIniDocument::EraseSection(std::string_view section) {
    const std::string folded = FoldIniName(section);
    std::vector<TLine> kept;
    kept.reserve(lines_.size());
    bool erasing = false;
    bool erased = false;
    for (const TLine& line : lines_) {
        if (line.kind == TLineKind::Header) {
            erasing = FoldIniName(Name(line)) == folded;
            erased = erased || erasing;
        }
        if (!erasing) {
            kept.push_back(line);
        }
    }
    if (!erased) {
        return false;
    }
    lines_ = std::move(kept);
    RebuildSections();
    return true;
}
