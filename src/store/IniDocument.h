#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// One settings file in memory, read and written the way the Windows private-profile functions
// do: bytes kept as they are (Shift-JIS), lines ending at CR LF, LF or CR, blanks trimmed around
// lines, names and values, section and key names compared without regard to ASCII letter case,
// the first of duplicate sections and keys winning (a key line without "=" counts as the key
// with no value, so the default is read). Comments and other lines stay where they
// are; only the lines that change are rewritten. Files are written with CR LF.
class TIniDocument {
public:
    TIniDocument() = default;
    explicit TIniDocument(std::string bytes);

    std::string Serialize() const;

    // The value of the first such key in the first such section, as stored.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;
    // Key and value of every key of the first such section, in file order, each name once.
    std::vector<std::pair<std::string, std::string>> SectionValues(std::string_view section) const;
    // Every section name in file order, duplicates included.
    std::vector<std::string> SectionNames() const;

    // Throws EIniRefusedError when the file could not hold the names or the value. Returns
    // whether the document changed.
    bool Write(std::string_view section, std::string_view key, std::string_view value);
    // Removes every copy of the section. Returns whether the document changed.
    bool EraseSection(std::string_view section);

    // The same checks as Write, without writing.
    static void CheckWritable(std::string_view section, std::string_view key, std::string_view value);
    static void CheckSectionName(std::string_view section);
    static void CheckKeyName(std::string_view key);
    static void CheckValue(std::string_view value);

private:
    // BareKey: a line with a name and no "=" (left by a hand edit). Like the Windows functions,
    // a read finds it and takes the default, hiding any later line of the same key, and a write
    // goes into it.
    enum class TLineKind : std::uint8_t { Other, Header, Key, BareKey };

    // A line of the file: its bytes in text_, and where its name (section or key) and value lie.
    struct TLine {
        std::size_t begin = 0;
        std::uint32_t size = 0;
        std::uint32_t nameBegin = 0;
        std::uint32_t nameEnd = 0;
        std::uint32_t valueBegin = 0;
        std::uint32_t valueEnd = 0;
        TLineKind kind = TLineKind::Other;
    };

    using TKeyIndex = std::unordered_map<std::string, std::size_t>;

    static bool IsKeyLine(const TLine& line);
    std::string_view Text(const TLine& line) const;
    std::string_view Name(const TLine& line) const;
    std::string_view Value(const TLine& line) const;
    TLine MakeLine(std::string_view text);
    void Classify(TLine& line) const;
    void RebuildSections();

    std::optional<std::size_t> FindSection(std::string_view section) const;
    std::size_t SectionEnd(std::size_t sectionIndex) const;
    std::optional<std::size_t> FindKeyLine(std::size_t sectionIndex, std::string_view key) const;
    void InsertLine(std::size_t sectionIndex, std::size_t at, const TLine& line);

    bool byteOrderMark_ = false;
    // Every line's bytes; a changed line is appended and its old bytes stay unused until the
    // document is parsed again.
    std::string text_;
    std::vector<TLine> lines_;
    // Line index of each section header, in file order. Lines before the first header belong to
    // no section.
    std::vector<std::size_t> headers_;
    // First section of each folded name; built when first needed.
    mutable std::optional<std::unordered_map<std::string, std::size_t>> sectionIndex_;
    // Per large section: folded key -> line offset from the header; built when first needed.
    mutable std::unordered_map<std::size_t, TKeyIndex> keyIndexes_;
};
