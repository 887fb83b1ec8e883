// The companion's messages show what a value holds without letting it steer the terminal.

#include "companion/CompanionRefusal.h"
#include "companion/HtmlCompanion.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

TEST(CompanionRefusal, MessagesShowSteeringCharactersAsCodePoints) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"a\xE2\x80\xAE"
         "b",
         "a\\u202Eb"},                                    // right-to-left override
        {"\xE2\x81\xA6x\xE2\x81\xA9", "\\u2066x\\u2069"}, // an isolate and its closer
        {"\xC2\x9B"
         "2J",
         "\\u009B2J"},                          // CSI
        {"\xC2\x85\xC2\x9F", "\\u0085\\u009F"}, // NEL and the last C1 control
        {"\x1B[", "\\x1B["},
        {"\xC2\xA0\xE2\x80\xA9\xE2\x81\xA5", "\xC2\xA0\xE2\x80\xA9\xE2\x81\xA5"}, // their neighbours stay
        {"\xE2\x80", "\\xE2\\x80"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PrintableInMessage(c.text), c.shown);
    }
}

TEST(CompanionRefusal, ABadColourIsQuotedVisibly) {
    std::istringstream in;
    std::string out;
    std::string err;
    EXPECT_EQ(RunHtmlCompanion({"--start",
                                "\xE2\x80\xAE\xC2\x9B"
                                "2J",
                                "AB"},
                               in, out, err),
              2);
    EXPECT_NE(err.find("'\\u202E\\u009B2J'"), std::string::npos) << err;
}

} // namespace
