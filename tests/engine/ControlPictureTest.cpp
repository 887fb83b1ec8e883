#include "engine/ControlPicture.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct PictureCase {
    std::string_view unit;
    std::string_view picture;
};

// Both ends of the C0 range and DEL get a picture; the tab, the space and every other unit keep
// their own bytes (an empty picture).
TEST(ControlPictureOf, ShowsTheC0ControlsAndDeleteOnly) {
    using namespace std::string_view_literals;
    const PictureCase cases[] = {
        {"\0"sv, "\xE2\x90\x80"},
        {"\x1b", "\xE2\x90\x9B"},
        {"\x1f", "\xE2\x90\x9F"},
        {"\x7f", "\xE2\x90\xA1"},
        {"\n", "\xE2\x90\x8A"},
        {"\t", ""},
        {" ", ""},
        {"~", ""},
        {"\xC2\x85", ""},
        {"\x1b[", ""},
        {"", ""},
    };
    for (const auto& [unit, picture] : cases) {
        EXPECT_EQ(ControlPictureOf(unit), picture) << "unit of " << unit.size() << " bytes";
    }
}

} // namespace
