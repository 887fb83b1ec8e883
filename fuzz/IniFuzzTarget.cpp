#include "IniFuzzTarget.h"

#include "FuzzCheck.h"

#include "store/FileEncoding.h"
#include "store/IniDocument.h"
#include "store/IniErrors.h"
#include "store/IniGT.h"
#include "store/IniText.h"
#include "support/TempFolder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Enough names to reach every kind of line in a small input without making one run slow.
constexpr std::size_t kNamesTried = 16;
// Lists longer than this are legal but would make every run that mutates one slow; the unit
// tests read the longest ones.
constexpr long kLongestListRead = 1000;

bool ListIsShortOrCorrupt(const TIniDocument& document, const std::string& section,
                          const std::string& ident) {
    const auto count = document.Find(section, ident + ".Count");
    if (!count) {
        return true;
    }
    char* end = nullptr;
    const long n = std::strtol(count->c_str(), &end, 10);
    return n <= kLongestListRead || n > TIniGT::kMostListItems;
}

// A folder of its own for the file the typed reads go through, removed at exit.
const std::string& ScratchFile() {
    static const TTempFolder folder;
    static const std::string path = folder.File("Fuzz.ini");
    return path;
}

void CheckDocument(const std::string& bytes) {
    const TIniDocument document(bytes);
    const std::string written = document.Serialize();
    const TIniDocument reread(written);
    Check(reread.Serialize() == written, "a rewritten file rewrites to itself");
    Check(reread.SectionNames() == document.SectionNames(), "a rewritten file keeps its sections");

    const std::vector<std::string> sections = document.SectionNames();
    for (std::size_t s = 0; s < sections.size() && s < kNamesTried; ++s) {
        const auto values = document.SectionValues(sections[s]);
        for (std::size_t k = 0; k < values.size() && k < kNamesTried; ++k) {
            Check(document.Find(sections[s], values[k].first) == values[k].second, "a listed key reads back");
            Check(reread.Find(sections[s], values[k].first) == values[k].second,
                  "a rewritten key reads back");
        }
    }
}

void CheckWrite(const std::string& bytes) {
    // The input's first bytes name a section, a key and a value to write into the input itself.
    const std::size_t third = bytes.size() / 3;
    const std::string section = bytes.substr(0, std::min<std::size_t>(third, 24));
    const std::string key = bytes.substr(third, std::min<std::size_t>(third, 24));
    const std::string value = bytes.substr(2 * third, 64);
    TIniDocument document(bytes);
    const std::string before = document.Serialize();
    try {
        document.Write(section, key, value);
    } catch (const EIniRefusedError&) {
        Check(document.Serialize() == before, "a refused write changes nothing");
        return;
    }
    const std::string expected(TrimIniBlanks(value));
    Check(document.Find(section, key) == expected, "a written value reads back");
    Check(TIniDocument(document.Serialize()).Find(section, key) == expected, "a written value is saved");
    document.EraseSection(section);
    Check(!document.HasSection(section), "an erased section is gone");
    Check(!TIniDocument(document.Serialize()).HasSection(section), "an erased section stays gone");
}

void RunTypedReads(const std::string& bytes) {
    {
        std::ofstream out(ScratchFile(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    TIniEnvironment environment;
    TIniGT store(environment);
    store.SetDefaultDir(ddNone);
    store.SetFileName(ScratchFile());
    // The store reads a marked file in its encoding; the names to try come from the same text.
    const TStoredText text = DecodeStoredText(bytes);
    if (!text.Problem.empty()) {
        return;
    }
    // One look at the file for all the reads; the checks for changes are not the input's business.
    auto update = store.BeginUpdate();
    const TIniDocument document(text.Cp932);
    const std::vector<std::string> sections = document.SectionNames();
    for (std::size_t s = 0; s < sections.size() && s < kNamesTried; ++s) {
        const std::string& section = sections[s];
        const auto values = document.SectionValues(section);
        for (std::size_t k = 0; k < values.size() && k < kNamesTried; ++k) {
            const std::string& key = values[k].first;
            const std::string ident = key.substr(0, key.find('.'));
            store.ReadString(section, key, "");
            store.ReadInteger(section, key, 0);
            store.ReadBool(section, key, false);
            for (const TIniGTFence fence : {fnDoubleQuote, fnParenthesis, fnVer11Mode, fnNone}) {
                store.SetFence(fence);
                store.ReadFencedString(section, key, "default");
            }
            try {
                store.ReadColor(section, key, 0);
            } catch (const EIniConvertError&) {
            }
            if (ListIsShortOrCorrupt(document, section, ident)) {
                try {
                    std::vector<std::string> list{"a", "b"};
                    store.ReadStrings(section, ident, list);
                    Check(list.size() <= TIniGT::kMostListItems, "a list stays within its limit");
                } catch (const EIniConvertError&) {
                }
            }
            try {
                TFontRecord font;
                store.ReadFont(section, ident, font);
            } catch (const EIniConvertError&) {
            }
            TWindowPosition position;
            store.ReadPosition(section, ident, position);
        }
        std::vector<std::string> lines;
        store.ReadSectionValues(section, lines);
        Check(lines.size() == values.size(), "the store lists what the file holds");
    }
    update.Commit();
}

} // namespace

// A marked file that can be read is written back to the same bytes.
void CheckEncoding(const std::string& bytes) {
    const TStoredText text = DecodeStoredText(bytes);
    if (text.Encoding == TFileEncoding::ShiftJis) {
        Check(text.Cp932 == bytes && text.Problem.empty(), "a file without a mark is taken byte for byte");
        return;
    }
    if (!text.Problem.empty()) {
        return;
    }
    std::string problem;
    Check(EncodeStoredText(text.Cp932, text.Encoding, problem) == bytes && problem.empty(),
          "a marked file is written back as it was read");
}

void RunIniFuzzInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckEncoding(bytes);
    CheckDocument(bytes);
    CheckWrite(bytes);
    RunTypedReads(bytes);
}
