// The companion's input limit, run in the process with a limit of a few bytes: every way in
// takes exactly the limit and refuses one byte more, and standard input is refused by the read
// that crosses the limit, not a read later.

#include "companion/CompanionIo.h"
#include "companion/HtmlCompanion.h"

#include "engine/OutputSink.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Serves a text in pieces of a fixed size, counting the bytes served.
class TPieces final : public TCompanionInput {
public:
    TPieces(std::string text, std::size_t piece) : text_(std::move(text)), piece_(piece) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min({piece_, size, text_.size() - Served});
        std::copy_n(text_.data() + Served, n, buffer);
        Served += n;
        return n;
    }
    std::size_t Served = 0;

private:
    std::string text_;
    std::size_t piece_;
};

constexpr std::size_t kLimit = 10;

// `pattern` repeated to `n` bytes.
std::string Repeated(std::string_view pattern, std::size_t n) {
    std::string text;
    while (text.size() < n) {
        text += pattern;
    }
    return text.substr(0, n);
}

TEST(CompanionLimit, TakesTheLimitAndRefusesOneByteMoreByTheCrossingRead) {
    const struct {
        std::vector<std::string> args; // a file's name is added after them
        bool file;
        std::string_view pattern = "x"; // of the text of n bytes
        bool crLf = false;              // a line of n bytes and CR LF
        std::size_t piece = 4;
    } cases[] = {
        {{"-"}, false},
        {{"--text-file", "-"}, false},
        {{"--check-contrast", "-"}, false},
        {{"--decode", "-"}, false},
        {{"--format", "ansi", "-"}, false},
        // The CR waits for its line feed in the next read; the line end is no part of the line.
        {{"--format", "ansi", "-"}, false, "x", true, kLimit + 1},
        {{"--format", "ansi", "--across-lines", "-"}, false, "ab\n"},
        {{"--text-file"}, true},
        {{"--utf8-text-file"}, true},
        {{"--format", "ansi", "--utf8-text-file"}, true, "ab\n"},
        {{"--decode"}, true},
    };
    const TTempFolder dir;
    for (const auto& c : cases) {
        const std::string name = testing::PrintToString(c.args);
        for (const std::size_t n : {kLimit, kLimit + 1, std::size_t{1000}}) {
            std::vector<std::string> args = c.args;
            const std::string text = Repeated(c.pattern, n) + (c.crLf ? "\r\n" : "");
            TPieces in(c.file ? "" : text, c.piece);
            if (c.file) {
                WriteBytes(dir.File("text"), text);
                args.push_back(dir.File("text"));
            }
            std::string out;
            std::string err;
            TStringSink outSink(out);
            TStringSink errSink(err);
            TCompanionIo io{
                in, outSink, errSink, false, [](const char*) -> const char* { return nullptr; }, kLimit};
            const int status = RunHtmlCompanion(args, io);
            const bool refused =
                err.find("(more than " + std::to_string(kLimit) + " bytes)") != std::string::npos;
            EXPECT_EQ(refused, n > kLimit) << name << " " << n << ": " << err;
            EXPECT_EQ(status == 2, n > kLimit) << name << " " << n;
            if (!c.file && n > kLimit + 1) {
                // A long input stops at the read that holds byte limit + 1.
                EXPECT_EQ(in.Served, (kLimit + c.piece) / c.piece * c.piece) << name;
            }
        }
    }
}

} // namespace
