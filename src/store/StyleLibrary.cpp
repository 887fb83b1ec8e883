#include "store/StyleLibrary.h"

#include "engine/jstrm.h"
#include "store/FileEncoding.h"
#include "store/IniText.h"
#include "store/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace {

const std::string_view kReservedSections[] = {"Option", "@@Prev@@", "STYLES", "Save"};

// The keys of a style record; a file for import must hold at least one of them.
const std::string_view kStyleKeys[] = {"DrawFont.Name", "DrawFont.Size", "DrawFont.Style", "DrawFont.Color",
                                       "SizeIndex",     "Head",          "StartColor",     "FinishColor",
                                       "MiddleColor",   "BGColor",       "Mirror",         "Trico"};

bool IsStyleKey(std::string_view key) {
    return std::any_of(std::begin(kStyleKeys), std::end(kStyleKeys),
                       [&](std::string_view styleKey) { return SameIniName(key, styleKey); });
}

std::string ItemKey(std::size_t index) {
    return ConcatText({kStyleListIdent, ".", std::to_string(index)});
}

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t pos = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        lines.emplace_back(bytes.substr(pos, end - pos));
        pos = (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n') ? end + 2 : end + 1;
    }
    return lines;
}

std::size_t ExtensionDot(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    const std::size_t slash = name.rfind('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return name.size();
    }
    return dot;
}

void RefuseBadName(std::string_view name) {
    if (const auto problem = StyleNameProblem(name)) {
        throw EStyleNameError(std::string(name), *problem);
    }
}

} // namespace

std::optional<std::string> StyleNameProblem(std::string_view name) {
    for (const std::string_view reserved : kReservedSections) {
        if (SameIniName(name, reserved)) {
            return ConcatText({"\"", name, "\" is a name the settings file uses for itself"});
        }
    }
    const bool control = std::any_of(
        name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
    if (control || ContainsAnyChar(name, "]") || EndsWithLoneLeadByte(name) ||
        (!name.empty() && (IsIniBlank(static_cast<unsigned char>(name.front())) ||
                           IsIniBlank(static_cast<unsigned char>(name.back()))))) {
        return ConcatText({"\"", name,
                           "\" cannot name a style: it holds \"]\" or a control character, begins or ends "
                           "with a blank, or ends in half a character"});
    }
    return std::nullopt;
}

bool StyleNameLess(std::string_view a, std::string_view b) {
    const std::string fa = FoldIniName(a);
    const std::string fb = FoldIniName(b);
    return fa != fb ? fa < fb : a < b;
}

std::string StyleFileName(std::string_view styleName) {
    // A slash would make the proposal a path into another folder.
    std::string name(styleName);
    std::replace(name.begin(), name.end(), '/', '_');
    return WithStyleFileExtension(name);
}

std::string WithStyleFileExtension(std::string_view path) {
    return ConcatText({path.substr(0, ExtensionDot(path)), ".tsy"});
}

TStyleLibrary::TStoredList TStyleLibrary::ReadStoredList() {
    TStoredList list;
    const std::string countKey = ConcatText({kStyleListIdent, ".Count"});
    auto update = store_.BeginUpdate();
    const bool hasCount = store_.ValueExists(kStylesSection, countKey);
    // INT_MIN stands for a count that is not a number: no count in range can be it.
    const int count = hasCount ? store_.ReadInteger(kStylesSection, countKey, INT_MIN) : 0;
    bool matches = count >= 0 && count <= TIniGT::kMostListItems;
    for (int i = 0; matches && i < count; ++i) {
        matches = store_.ValueExists(kStylesSection, ItemKey(static_cast<std::size_t>(i)));
    }
    if (!hasCount && store_.ValueExists(kStylesSection, ItemKey(0))) {
        matches = false;
    }
    if (matches) {
        store_.ReadStrings(kStylesSection, kStyleListIdent, list.Names);
    } else {
        list.Repaired = true;
        for (std::size_t i = 0; i < static_cast<std::size_t>(TIniGT::kMostListItems) &&
                                store_.ValueExists(kStylesSection, ItemKey(i));
             ++i) {
            std::string name = store_.ReadFencedString(kStylesSection, ItemKey(i), "");
            if (!TrimIniBlanks(name).empty()) {
                list.Names.push_back(std::move(name));
            }
        }
    }
    update.Commit();
    return list;
}

void TStyleLibrary::ReadList() {
    TStoredList list = ReadStoredList();
    std::stable_sort(list.Names.begin(), list.Names.end(), StyleNameLess);
    names_ = std::move(list.Names);
    listRepaired_ = list.Repaired;
    listRead_ = true;
    deleted_.clear();
}

bool TStyleLibrary::WriteList() {
    if (!listRead_) {
        return false;
    }
    // The update looks at the file afresh, so a list that another copy of the program saved
    // since this one read its own is seen here and its new styles stay listed.
    auto update = store_.BeginUpdate();
    for (std::string& name : ReadStoredList().Names) {
        if (!IndexOf(name) && !deleted_.contains(FoldIniName(name))) {
            Insert(std::move(name));
        }
    }
    store_.WriteStrings(kStylesSection, kStyleListIdent, names_);
    update.Commit();
    return true;
}

std::optional<std::size_t> TStyleLibrary::IndexOf(std::string_view name) const {
    for (std::size_t i = names_.size(); i-- > 0;) {
        if (SameIniName(names_[i], name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t TStyleLibrary::Insert(std::string name) {
    const auto at =
        std::upper_bound(names_.begin(), names_.end(), name,
                         [](const std::string& a, const std::string& b) { return StyleNameLess(a, b); });
    deleted_.erase(FoldIniName(name));
    const auto inserted = names_.insert(at, std::move(name));
    return static_cast<std::size_t>(inserted - names_.begin());
}

std::size_t TStyleLibrary::Add(std::string_view name, const TStyleRecord& style) {
    RefuseBadName(name);
    SaveStyleRecord(store_, name, style);
    if (const auto listed = IndexOf(name)) {
        return *listed;
    }
    return Insert(std::string(name));
}

void TStyleLibrary::Delete(std::size_t index) {
    const std::string name = names_.at(index);
    const bool shared = std::any_of(names_.begin(), names_.end(), [&](const std::string& other) {
        return &other != &names_[index] && SameIniName(other, name);
    });
    if (!shared) {
        store_.EraseSection(name);
        deleted_.insert(FoldIniName(name));
    }
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
}

std::size_t TStyleLibrary::Rename(std::size_t index, std::string_view name) {
    RefuseBadName(name);
    const std::string old = names_.at(index);
    if (const auto listed = IndexOf(name); listed && !SameIniName(names_[*listed], old)) {
        throw EStyleNameError(std::string(name), "a style of this name exists");
    }
    if (!SameIniName(old, name)) {
        std::vector<std::string> lines;
        store_.ReadSectionValues(old, lines);
        auto update = store_.BeginUpdate();
        for (std::string value : lines) {
            const std::string key = CutToken(value, "=");
            store_.WriteFencedString(name, key, value);
        }
        update.Commit();
        Delete(index);
    } else {
        names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
    }
    return Insert(std::string(name));
}

std::vector<TBadValue> TStyleLibrary::Load(std::size_t index, TStyleRecord& style) {
    return LoadStyleRecord(store_, names_.at(index), style);
}

void TStyleLibrary::Export(std::size_t index, const std::string& path, TFileOps& ops) {
    const std::string& name = names_.at(index);
    std::vector<std::string> lines;
    store_.ReadSectionValues(name, lines);
    std::string bytes = ConcatText({"[", name, "]\r\n"});
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    SaveFileSafely(path, bytes, ops);
}

std::optional<std::size_t> TStyleLibrary::Import(const std::string& path) {
    TFileStamp stamp;
    TStoredText text = DecodeStoredText(ReadFileBytes(path, stamp));
    if (!stamp.Exists) {
        throw EIniFileError(path, "read", std::strerror(ENOENT), ENOENT);
    }
    if (!text.Problem.empty()) {
        throw EIniFileError(path, "read", text.Problem, text.Cause);
    }
    const std::vector<std::string> lines = SplitLines(text.Cp932);
    std::size_t first = 0;
    while (first < lines.size() && TrimIniBlanks(lines[first]).empty()) {
        ++first;
    }
    if (lines.size() - first < 2) {
        return std::nullopt;
    }
    std::string header = lines[first];
    if (FindFirstChar(header, '[') == std::string::npos) {
        throw EStyleFileError(path, EStyleFileError::TReason::NoSectionHeader,
                              "\"" + PrintableFileName(path) +
                                  "\" is not a style file: it does not begin with a section name");
    }
    CutToken(header, "[");
    const std::string name = CutToken(header, "]");
    if (TrimIniBlanks(name).empty()) {
        throw EStyleFileError(path, EStyleFileError::TReason::BlankName,
                              "\"" + PrintableFileName(path) +
                                  "\" is not a style file: its section has no name");
    }
    RefuseBadName(name);

    std::vector<std::pair<std::string, std::string>> values;
    bool styleKeys = false;
    for (std::size_t i = first + 1; i < lines.size(); ++i) {
        std::string value = lines[i];
        const std::string key = CutToken(value, "=");
        // Blank lines, comments and lines the settings file could not hold as a key (another
        // section's header, a zero byte) carry nothing of the style.
        const std::string_view trimmed = TrimIniBlanks(key);
        if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[' ||
            ContainsAnyChar(trimmed, "=") || lines[i].find('\0') != std::string::npos) {
            continue;
        }
        if (SameIniName(key, "DrawFont.Name") && FaceNameHoldsControl(TrimIniBlanks(value))) {
            throw EStyleFileError(
                path, EStyleFileError::TReason::ControlInName,
                "\"" + PrintableFileName(path) +
                    "\" was not imported: the face name of key DrawFont.Name holds a control "
                    "character");
        }
        styleKeys = styleKeys || IsStyleKey(key);
        values.emplace_back(key, std::move(value));
    }
    if (!styleKeys) {
        throw EStyleFileError(path, EStyleFileError::TReason::NoStyleKeys,
                              "\"" + PrintableFileName(path) +
                                  "\" is not a style file: it holds none of the keys of a style");
    }

    auto update = store_.BeginUpdate();
    for (const auto& [key, value] : values) {
        store_.WriteFencedString(name, key, value);
    }
    update.Commit();

    if (const auto listed = IndexOf(name)) {
        return *listed;
    }
    return Insert(name);
}
