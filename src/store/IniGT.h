#pragma once

// TIniGT: the settings store, one INI file and the typed values in it. The name is the program's
// historical one for its settings unit.

#include "engine/Color.h"
#include "store/FontRecord.h"
#include "store/IniEnvironment.h"
#include "store/IniFile.h"
#include "store/WindowPosition.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum TIniGTDefaultDir : std::uint8_t { ddApplication = 0, ddWindows = 1, ddNone = 2 };

enum TIniGTFence : std::uint8_t { fnDoubleQuote = 0, fnParenthesis = 1, fnVer11Mode = 2, fnNone = 3 };

// The settings store: one INI file and the typed values in it. Every read goes to the file
// (read again when someone else changed it) and every write is saved at once, or at the end of
// an update (BeginUpdate) that groups several.
class TIniGT {
public:
    // Bound to no file until FileName is set or Loaded() picks the default name.
    TIniGT();
    explicit TIniGT(TIniEnvironment environment);

    // Picks the default file name (the program's name, see DefaultIniFileName) when none is set.
    void Loaded();

    TIniGTDefaultDir DefaultDir() const { return defaultDir_; }
    // Stores the value and resolves the path of the current FileName again.
    void SetDefaultDir(TIniGTDefaultDir value);
    // The name as assigned, not the resolved path.
    const std::string& FileName() const { return fileName_; }
    // A name with a folder part is used as it is. Otherwise ddApplication places it in the
    // program's folder, or in ConfigHome/tintrel/ when that folder cannot be written; ddWindows
    // in ConfigHome; ddNone leaves it as it is (relative to the working folder).
    void SetFileName(std::string value);
    TIniGTFence Fence() const { return fence_; }
    void SetFence(TIniGTFence value) { fence_ = value; }
    // The file the store reads and writes; empty while bound to none.
    const std::string& Path() const { return file_->Path(); }

    std::string ReadString(std::string_view section, std::string_view ident, std::string_view fallback);
    void WriteString(std::string_view section, std::string_view ident, std::string_view value);
    bool ReadBool(std::string_view section, std::string_view ident, bool fallback);
    void WriteBool(std::string_view section, std::string_view ident, bool value);
    int ReadInteger(std::string_view section, std::string_view ident, int fallback);
    void WriteInteger(std::string_view section, std::string_view ident, int value);
    std::string ReadFencedString(std::string_view section, std::string_view ident, std::string_view fallback);
    void WriteFencedString(std::string_view section, std::string_view ident, std::string_view value);
    // "0x" and eight upper-case digits. The read skips the first two characters, whatever they
    // are, and takes up to eight; anything else than one to eight hexadecimal digits there raises
    // EIniConvertError naming the section, the key and the value.
    std::int32_t ReadHex(std::string_view section, std::string_view ident, std::int32_t fallback);
    void WriteHex(std::string_view section, std::string_view ident, std::int32_t value);
    TColor ReadColor(std::string_view section, std::string_view ident, TColor fallback);
    void WriteColor(std::string_view section, std::string_view ident, TColor value);
    // Ident.Count, then Ident.0, Ident.1 ... as fenced strings. A count below 0 or above
    // kMostListItems raises EIniConvertError.
    void ReadStrings(std::string_view section, std::string_view ident, std::vector<std::string>& target);
    void WriteStrings(std::string_view section, std::string_view ident,
                      const std::vector<std::string>& source);
    // Ident.Name, Ident.Size, Ident.Style, Ident.Color. Absent keys keep the target's values; a
    // bad colour raises EIniConvertError and leaves the target as it was.
    void ReadFont(std::string_view section, std::string_view ident, TFontRecord& target);
    void WriteFont(std::string_view section, std::string_view ident, const TFontRecord& source);
    // Ident.X and Ident.Y.
    void ReadPosition(std::string_view section, std::string_view ident, TWindowPosition& target);
    void WritePosition(std::string_view section, std::string_view ident, const TWindowPosition& source);
    // One "key=value" line per key of the section, in file order.
    void ReadSectionValues(std::string_view section, std::vector<std::string>& target);
    // The names of the file's sections, in file order.
    void ReadSections(std::vector<std::string>& target);
    bool SectionExists(std::string_view section);
    // Whether the key is stored with a value (a key line without "=" has none).
    bool ValueExists(std::string_view section, std::string_view ident);
    void EraseSection(std::string_view section);

    // Groups reads (one look at the file) and writes (one save) until Commit.
    [[nodiscard]] TIniTransaction BeginUpdate() { return file_->BeginUpdate(); }

    static constexpr int kMostListItems = 100'000;

private:
    void ResolvePath();
    std::string Wrap(std::string_view value, TIniGTFence fence) const;
    std::string ReadFenced(std::string_view section, std::string_view ident, std::string_view fallback,
                           TIniGTFence fence);

    TIniEnvironment environment_;
    TIniGTDefaultDir defaultDir_ = ddApplication;
    std::string fileName_;
    TIniGTFence fence_ = fnNone;
    std::unique_ptr<TIniFile> file_;
};
