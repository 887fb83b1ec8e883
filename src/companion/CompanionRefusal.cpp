#include "companion/CompanionRefusal.h"

#include <cstdio>

namespace {

// The code point of the two- or three-byte character at `pos` when it is a C1 control or a
// directional embedding, override or isolate; 0 otherwise.
unsigned SteeringCharacterAt(std::string_view utf8, std::size_t pos) {
    const auto byte = [&](std::size_t k) {
        return pos + k < utf8.size() ? static_cast<unsigned char>(utf8[pos + k]) : 0U;
    };
    if (byte(0) == 0xC2 && byte(1) >= 0x80 && byte(1) <= 0x9F) {
        return byte(1);
    }
    if (byte(0) == 0xE2 && ((byte(1) == 0x80 && byte(2) >= 0xAA && byte(2) <= 0xAE) ||
                            (byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9))) {
        return 0x2000 | ((byte(1) & 0x3FU) << 6) | (byte(2) & 0x3FU);
    }
    return 0;
}

} // namespace

std::string PrintableInMessage(std::string_view text) {
    const std::string printable = PrintableFileName(text);
    std::string out;
    out.reserve(printable.size());
    for (std::size_t pos = 0; pos < printable.size();) {
        if (const unsigned code = SteeringCharacterAt(printable, pos); code != 0) {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", code);
            out += escaped;
            pos += code < 0x800 ? 2 : 3;
            continue;
        }
        out += printable[pos++];
    }
    return out;
}
