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

std::string_view ControlOrC1PictureOf(std::string_view utf8) {
    static constexpr auto c1Pictures = [] {
        std::array<std::array<char, 4>, 32> table{};
        for (unsigned code = 0; code < 32; ++code) {
            table[code] = {'\xE2', '\x90', '\x9B', static_cast<char>(0x40 + code)};
        }
        return table;
    }();
    if (utf8.size() == 2 && utf8[0] == '\xC2' && static_cast<unsigned char>(utf8[1]) <= 0x9F) {
        const auto& picture = c1Pictures[static_cast<unsigned char>(utf8[1]) - 0x80];
        return {picture.data(), picture.size()};
    }
    return ControlPictureOf(utf8);
}

std::string_view DirectionPictureOf(std::string_view utf8) {
    static constexpr std::array<std::string_view, 5> embeddings = {"<U+202A>", "<U+202B>", "<U+202C>",
                                                                   "<U+202D>", "<U+202E>"};
    static constexpr std::array<std::string_view, 4> isolates = {"<U+2066>", "<U+2067>", "<U+2068>",
                                                                 "<U+2069>"};
    if (utf8.size() != 3 || utf8[0] != '\xE2') {
        return {};
    }
    const auto last = static_cast<unsigned char>(utf8[2]);
    if (utf8[1] == '\x80' && last >= 0xAA && last <= 0xAE) {
        return embeddings[last - 0xAA];
    }
    if (utf8[1] == '\x81' && last >= 0xA6 && last <= 0xA9) {
        return isolates[last - 0xA6];
    }
    return {};
}
