// The code-page edge: the conversions of CodePage.h from the tables the build makes from the
// system's iconv (Cp932Table.h), so that they give iconv's results where there is no iconv (the
// page in the browser), and faster than iconv itself.
#include "engine/CodePage.h"
#include "engine/Cp932Table.h"
#include "engine/Utf8Decode.h"

#include <algorithm>
#include <array>

namespace {

// The length of the UTF-8 sequence that starts with `lead`, or 1 for a byte that cannot start
// one: what the program sets aside when iconv refuses a character.
std::size_t Utf8SequenceLength(unsigned char lead) {
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    if (lead >= 0xE0) {
        return lead <= 0xEF ? 3 : 1;
    }
    return lead >= 0xC2 ? 2 : 1;
}

void AppendCode(std::uint16_t code, std::string& out) {
    if (code >= 0x100) {
        out += static_cast<char>(code >> 8);
    }
    out += static_cast<char>(code & 0xFF);
}

// Converts `utf8` to CP932 until a character cannot be held; returns how much was taken.
std::size_t AppendConvertible(std::string_view utf8, std::string& out) {
    std::size_t offset = 0;
    while (offset < utf8.size()) {
        if (static_cast<unsigned char>(utf8[offset]) < 0x80) {
            // A run of ASCII, which CP932 holds as the same bytes, taken whole.
            std::size_t end = offset + 1;
            while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) {
                ++end;
            }
            out.append(utf8.substr(offset, end - offset));
            offset = end;
            continue;
        }
        std::size_t next = offset;
        const std::int32_t c = NextUtf8CodePoint(utf8, next);
        const std::optional<std::uint16_t> code = c < 0 ? std::nullopt : Cp932Code(static_cast<char32_t>(c));
        if (!code) {
            break;
        }
        AppendCode(*code, out);
        offset = next;
    }
    return offset;
}

} // namespace

TCp932Conversion Utf8ToCp932(std::string_view utf8) {
    TCp932Conversion result;
    std::string_view rest = utf8;
    while (!rest.empty()) {
        rest.remove_prefix(AppendConvertible(rest, result.Bytes));
        if (rest.empty()) {
            break;
        }
        const std::size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(rest.front())), rest.size());
        result.Unmappable.emplace_back(rest.substr(0, length));
        result.Bytes.push_back('?');
        rest.remove_prefix(length);
    }
    return result;
}

std::string Cp932ToUtf8(std::string_view cp932) {
    std::string out;
    out.reserve(cp932.size());
    for (std::size_t k = 0; k < cp932.size();) {
        const auto lead = static_cast<unsigned char>(cp932[k]);
        if (lead < 0x80) {
            // A run of CP932's single bytes below 0x80, which are ASCII, taken whole.
            std::size_t end = k + 1;
            while (end < cp932.size() && static_cast<unsigned char>(cp932[end]) < 0x80) {
                ++end;
            }
            out.append(cp932.substr(k, end - k));
            k = end;
            continue;
        }
        const bool pair = IsCp932Lead(lead) && k + 1 < cp932.size();
        const char32_t c = Cp932CodePoint(cp932.substr(k, pair ? 2 : 1));
        AppendUtf8(c, out);
        // A defined pair, or an undefined one whose second byte could trail, is taken whole.
        k += pair && (c != 0xFFFD || IsCp932Trail(static_cast<unsigned char>(cp932[k + 1]))) ? 2 : 1;
    }
    return out;
}

std::optional<std::string> Utf16LeToUtf8(std::string_view utf16le) {
    if (utf16le.size() % 2 != 0) {
        return std::nullopt;
    }
    const auto unit = [&](std::size_t k) {
        return static_cast<char32_t>(static_cast<unsigned char>(utf16le[2 * k]) |
                                     (static_cast<unsigned char>(utf16le[2 * k + 1]) << 8));
    };
    std::string out;
    const std::size_t units = utf16le.size() / 2;
    for (std::size_t k = 0; k < units; ++k) {
        char32_t c = unit(k);
        if (c >= 0xD800 && c <= 0xDBFF && k + 1 < units && unit(k + 1) >= 0xDC00 && unit(k + 1) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(k + 1) - 0xDC00);
            ++k;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return std::nullopt;
        }
        AppendUtf8(c, out);
    }
    return out;
}

std::optional<std::string> Utf8ToUtf16Le(std::string_view utf8) {
    std::string out;
    const auto append = [&](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    for (std::size_t offset = 0; offset < utf8.size();) {
        const std::int32_t c = NextUtf8CodePoint(utf8, offset);
        if (c < 0) {
            return std::nullopt;
        }
        if (c >= 0x10000) {
            append(0xD800 + ((static_cast<char32_t>(c) - 0x10000) >> 10));
            append(0xDC00 + ((static_cast<char32_t>(c) - 0x10000) & 0x3FF));
        } else {
            append(static_cast<char32_t>(c));
        }
    }
    return out;
}

TCp932Utf8Table::TCp932Utf8Table() : entries_(kCp932DecodeSize) {
    static_assert(kCp932DecodeSize == 256 + kLeads * 256);
    for (std::size_t k = 0; k < kCp932DecodeSize; ++k) {
        std::string utf8;
        AppendUtf8(kCp932Decode[k], utf8);
        std::copy(utf8.begin(), utf8.end(), entries_[k].bytes.begin());
        entries_[k].length = static_cast<unsigned char>(utf8.size());
    }
}

const TCp932Utf8Table& TCp932Utf8Table::Get() {
    static const TCp932Utf8Table table;
    return table;
}

std::string_view Cp932CharacterToUtf8(std::string_view character) {
    return TCp932Utf8Table::Get().Lookup(character);
}

std::size_t TCp932Encoder::AppendHeld(std::string_view utf8, std::string& out) {
    return AppendConvertible(utf8, out);
}

bool TCp932Encoder::Append(std::string_view utf8, std::string& out) {
    const std::size_t before = out.size();
    if (AppendConvertible(utf8, out) != utf8.size()) {
        out.resize(before);
        return false;
    }
    return true;
}
