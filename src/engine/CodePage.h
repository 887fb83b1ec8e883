#pragma once

#include "engine/TextUnits.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The edge between the desktop's Unicode (UTF-8) and the program's Shift-JIS (code page 932)
// byte strings. Conversions happen only here, at the edit field, list texts, clipboard and
// command line.

struct TCp932Conversion {
    // The CP932 bytes; every character that CP932 cannot hold stands as "?" here.
    std::string Bytes;
    // Each character that could not be converted, as UTF-8, in the order met. Bytes that are
    // not valid UTF-8 are listed one by one as they stand.
    std::vector<std::string> Unmappable;

    bool Complete() const { return Unmappable.empty(); }
};

TCp932Conversion Utf8ToCp932(std::string_view utf8);

// CP932 bytes to UTF-8. A byte sequence that is not valid CP932 (a lone lead byte, an unused
// code) becomes U+FFFD, so nothing is dropped without a trace.
std::string Cp932ToUtf8(std::string_view cp932);

// UTF-16 little-endian bytes to UTF-8 and back; nothing when the input is not valid (an odd
// byte, a lone surrogate, bytes that are not UTF-8).
std::optional<std::string> Utf16LeToUtf8(std::string_view utf16le);
std::optional<std::string> Utf8ToUtf16Le(std::string_view utf8);

// One character unit (one byte, or a lead and a trail byte) as UTF-8, from a table built on
// first use, so that output written character by character does not convert each one anew.
// Whatever CP932 does not define becomes U+FFFD, as in Cp932ToUtf8.
std::string_view Cp932CharacterToUtf8(std::string_view character);

// The table behind it, for loops over long texts: a lookup without a call.
class TCp932Utf8Table {
public:
    static const TCp932Utf8Table& Get();

    std::string_view Lookup(std::string_view character) const {
        if (character.empty()) {
            return {};
        }
        const auto lead = static_cast<unsigned char>(character[0]);
        std::size_t index = lead;
        if (character.size() >= 2 && ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))) {
            const std::size_t leadIndex = lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + (0x9F - 0x81 + 1);
            index = 256 + leadIndex * 256 + static_cast<unsigned char>(character[1]);
        }
        return {entries_[index].bytes.data(), entries_[index].length};
    }

private:
    // The lead bytes 0x81 to 0x9F and 0xE0 to 0xFC.
    static constexpr std::size_t kLeads = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
    struct TEntry {
        std::array<char, 3> bytes{};
        unsigned char length = 0;
    };

    TCp932Utf8Table();
    std::vector<TEntry> entries_; // in the order of the decoding table: single bytes, then pairs
};

// A unit's text in UTF-8: a cluster's own, or the character's from the table above.
inline std::string_view UnitUtf8(const TTextUnit& unit) {
    return unit.IsCluster() ? unit.Utf8 : Cp932CharacterToUtf8(unit.Bytes);
}

// UTF-8 pieces to CP932 one after the other.
class TCp932Encoder {
public:
    // Appends the CP932 bytes of `utf8` to `out` when CP932 holds every character of it and
    // returns true; otherwise returns false and leaves `out` as it was.
    bool Append(std::string_view utf8, std::string& out);
    // Appends the CP932 bytes of the longest start of `utf8` that CP932 holds, and returns its
    // length in bytes of `utf8`.
    std::size_t AppendHeld(std::string_view utf8, std::string& out);
};
