#include "engine/ControlPicture.h"

#include <array>

std::string_view ControlPictureOf(std::string_view utf8) {
    static constexpr auto pictures = [] {
        std::array<std::array<char, 3>, 33> table{};
        for (unsigned code = 0; code < 32; ++code) {
            table[code] = {'\xE2', '\x90', static_cast<char>(0x80 + code)};
        }
        table[32] = {'\xE2', '\x90', '\xA1'}; // DEL
        return table;
    }();
    if (utf8.size() != 1) {
        return {};
    }
    const auto byte = static_cast<unsigned char>(utf8.front());
    if (byte == '\t' || (byte >= 0x20 && byte != 0x7F)) {
        return {};
    }
    const auto& picture = pictures[byte == 0x7F ? 32 : byte];
    return {picture.data(), picture.size()};
}
