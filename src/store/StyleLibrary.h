#pragma once

#include "store/IniErrors.h"
#include "store/IniGT.h"
#include "store/StyleRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

inline constexpr std::string_view kStylesSection = "STYLES";
inline constexpr std::string_view kStyleListIdent = "STYLE";
inline constexpr std::string_view kSaveSection = "Save";

// A style name that Add or Import refuses; nothing has been written.
class EStyleNameError : public EIniRefusedError {
public:
    EStyleNameError(std::string name, const std::string& problem)
        : EIniRefusedError(problem), name_(std::move(name)) {}

    // The refused name, Shift-JIS.
    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

// A file picked for import that is not a style file (an HTML page picked by mistake); nothing has
// been written.
class EStyleFileError : public EIniRefusedError {
public:
    enum class TReason : std::uint8_t {
        NoSectionHeader, // the first line that is not blank names no section
        BlankName,       // the section's name is blank
        NoStyleKeys,     // the section holds none of the keys of a style
        ControlInName    // the face name (DrawFont.Name) holds a control character
    };

    EStyleFileError(std::string path, TReason reason, const std::string& message)
        : EIniRefusedError(message), path_(std::move(path)), reason_(reason) {}

    const std::string& Path() const { return path_; }
    TReason Reason() const { return reason_; }

private:
    std::string path_;
    TReason reason_;
};

// Why `name` cannot name a style (it is one of the settings file's own sections, or the file
// could not hold it as a section name), or nothing when it can.
std::optional<std::string> StyleNameProblem(std::string_view name);

// The order of the style list: ASCII letters without regard to case, then byte order.
bool StyleNameLess(std::string_view a, std::string_view b);

// The file name proposed for exporting a style: whatever follows the last dot of the name
// becomes "tsy" ("my.style" gives "my.tsy"); a name without a dot gets ".tsy". A slash in the
// name becomes "_".
std::string StyleFileName(std::string_view styleName);
// The same change applied to a path the user chose (only its last part).
std::string WithStyleFileExtension(std::string_view path);

// The library of named styles: the sorted list of names kept under "STYLES" and one section per
// name holding its style record. Style sections change at once; the list reaches the file
// only through WriteList.
class TStyleLibrary {
public:
    explicit TStyleLibrary(TIniGT& store) : store_(store) {}

    // Reads the list and sorts it. A damaged list (a count that is not a number from 0 to
    // kMostListItems, or that names entries which are not there) is repaired: it becomes the
    // entries STYLE.0, STYLE.1 ... that exist, up to the first missing one, blank names left out,
    // and ListRepaired() tells so until the next read. A count that matches is read as it is.
    void ReadList();
    bool ListRepaired() const { return listRepaired_; }
    // Writes the list; does nothing and returns false while the list was never read, so a start
    // that failed early never empties the stored list. Styles that another copy of the program
    // listed meanwhile are kept (those this copy deleted stay deleted).
    bool WriteList();

    const std::vector<std::string>& Names() const { return names_; }
    // The listed name equal to `name` without regard to ASCII case (the last of several).
    std::optional<std::size_t> IndexOf(std::string_view name) const;

    // Saves `style` under `name`, adding the name to the list unless it is listed already, and
    // returns its index. Refuses reserved and unholdable names (EStyleNameError).
    std::size_t Add(std::string_view name, const TStyleRecord& style);
    // Removes the name from the list and erases its section, unless another listed name shares
    // that section.
    void Delete(std::size_t index);
    // Gives a listed style a new name, its stored keys moved to the new name's section, and
    // returns its new index; the list stays sorted. Refuses reserved and unholdable names and
    // a name another style has (EStyleNameError) before anything is written. A change of
    // letter case only renames it in the list.
    std::size_t Rename(std::size_t index, std::string_view name);
    // Loads the style of a listed name (see LoadStyleRecord).
    std::vector<TBadValue> Load(std::size_t index, TStyleRecord& style);

    // Writes the style's section as a style file: "[" name "]", then its key=value lines,
    // Shift-JIS, CR LF, replacing the file crash-safely through `ops`.
    void Export(std::size_t index, const std::string& path, TFileOps& ops);
    // Reads a style file and writes its keys into the section of the name in its first line
    // (merging with what is stored there), lists the name unless it is listed, and returns its
    // index. A file of fewer than two lines is ignored (nothing). Refuses reserved and unholdable
    // names (EStyleNameError), and files that are not style files (EStyleFileError), before
    // anything is written. A file with a UTF-8 or UTF-16LE byte-order mark is read in that
    // encoding.
    std::optional<std::size_t> Import(const std::string& path);

private:
    struct TStoredList {
        std::vector<std::string> Names;
        bool Repaired = false;
    };

    TStoredList ReadStoredList();
    std::size_t Insert(std::string name);

    TIniGT& store_;
    std::vector<std::string> names_;
    bool listRead_ = false;
    bool listRepaired_ = false;
    // Folded names this copy deleted, so that the union with another copy's list at close
    // does not bring them back.
    std::unordered_set<std::string> deleted_;
};
