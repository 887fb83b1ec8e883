#include "store/IniErrors.h"

#include "engine/CodePage.h"

#include <cstdio>
#include <utility>

namespace {

std::string Escaped(unsigned char byte) {
    char text[5];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

// The length of the valid UTF-8 sequence at `pos`, or 0.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[pos + k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    } else {
        return 0;
    }
    if (pos + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    // Overlong forms, surrogates and values beyond U+10FFFF.
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0) ||
        (lead == 0xF0 && byte(1) < 0x90) || (lead == 0xF4 && byte(1) >= 0x90)) {
        return 0;
    }
    return length;
}

bool IsControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

std::string PrintableFileName(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (std::size_t pos = 0; pos < path.size();) {
        const std::size_t length = Utf8Length(path, pos);
        if (length == 0 || (length == 1 && IsControl(static_cast<unsigned char>(path[pos])))) {
            out += Escaped(static_cast<unsigned char>(path[pos]));
            ++pos;
            continue;
        }
        out += path.substr(pos, length);
        pos += length;
    }
    return out;
}

std::string PrintableCp932(std::string_view text) {
    return PrintableFileName(Cp932ToUtf8(text));
}

EIniConvertError::EIniConvertError(std::string section, std::string key, std::string value,
                                   const std::string& problem)
    : EIniError(problem + " \"" + PrintableCp932(value) + "\" in section [" + PrintableCp932(section) +
                "], key \"" + PrintableCp932(key) + "\""),
      section_(std::move(section)), key_(std::move(key)), value_(std::move(value)) {}

EIniFileError::EIniFileError(std::string path, const std::string& action, const std::string& reason,
                             int errorCode, TFileProblem problem)
    : EIniError("Cannot " + action + " \"" + PrintableFileName(path) + "\": " + reason),
      path_(std::move(path)), action_(action), reason_(reason), errorCode_(errorCode), problem_(problem) {}

EIniFileError::EIniFileError(std::string path, const std::string& action, const std::string& reason,
                             TEncodingProblem cause)
    : EIniFileError(std::move(path), action, reason, 0, TFileProblem::Encoding) {
    encodingProblem_ = cause;
}
