// The companion's input limit, run in the process with a limit of a few bytes: every way in
// takes exactly the limit and refuses one byte more, and standard input is refused by the read
// that crosses the limit, not a read later.

#include "app/CompanionIo.h"
#include "app/HtmlCompanion.h"

#include "engine/OutputSink.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
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

struct TLimitRun {
    int status = -1;
    std::string err;
    std::size_t served = 0; // bytes taken from standard input
};

TEST(CompanionLimit, TakesTheLimitAndRefusesOneByteMoreByTheCrossingRead) {
    const auto repeat = [](std::string_view pattern) {
        return [pattern](std::size_t n) {
            std::string text;
            while (text.size() < n) {
                text += pattern;
            }
            return text.substr(0, n);
        };
    };
    const struct {
        const char* name;
        std::vector<std::string> args; // a file's name is added after them
        bool file;
        std::function<std::string(std::size_t)> text; // of n bytes (a line of n bytes)
        std::size_t piece;
    } cases[] = {
        {"first line", {"-"}, false, repeat("x"), 4},
        {"CP932 first line", {"--text-file", "-"}, false, repeat("x"), 4},
        {"contrast", {"--check-contrast", "-"}, false, repeat("x"), 4},
        {"decode", {"--decode", "-"}, false, repeat("x"), 4},
        {"every line", {"--format", "ansi", "-"}, false, repeat("x"), 4},
        // The CR waits for its line feed in the next read; the line end is no part of the line.
        {"every line, CR LF cut",
         {"--format", "ansi", "-"},
         false,
         [](std::size_t n) { return std::string(n, 'x') + "\r\n"; },
         kLimit + 1},
        {"across lines", {"--format", "ansi", "--across-lines", "-"}, false, repeat("ab\n"), 4},
        {"text file", {"--text-file"}, true, repeat("x"), 0},
        {"UTF-8 text file", {"--utf8-text-file"}, true, repeat("x"), 0},
        {"file of lines", {"--format", "ansi", "--utf8-text-file"}, true, repeat("ab\n"), 0},
        {"decoded file", {"--decode"}, true, repeat("x"), 0},
    };
    const TTempFolder dir;
    const auto run = [&](const auto& c, std::size_t n) {
        std::vector<std::string> args = c.args;
        TPieces in(c.file ? "" : c.text(n), c.piece);
        if (c.file) {
            WriteBytes(dir.File("text"), c.text(n));
            args.push_back(dir.File("text"));
        }
        std::string out;
        TLimitRun result;
        TStringSink outSink(out);
        TStringSink errSink(result.err);
        TCompanionIo io{in,    outSink, errSink, false, [](const char*) -> const char* { return nullptr; },
                        kLimit};
        result.status = RunHtmlCompanion(args, io);
        result.served = in.Served;
        return result;
    };
    const std::string refusal = "(more than " + std::to_string(kLimit) + " bytes)";
    for (const auto& c : cases) {
        const TLimitRun taken = run(c, kLimit);
        EXPECT_NE(taken.status, 2) << c.name << ": " << taken.err;
        EXPECT_EQ(taken.err.find(refusal), std::string::npos) << c.name;
        const TLimitRun refused = run(c, kLimit + 1);
        EXPECT_EQ(refused.status, 2) << c.name;
        EXPECT_NE(refused.err.find(refusal), std::string::npos) << c.name << ": " << refused.err;
        if (!c.file) {
            // A long input stops at the read that holds byte limit + 1.
            const TLimitRun stopped = run(c, 1000);
            EXPECT_EQ(stopped.status, 2) << c.name;
            EXPECT_EQ(stopped.served, (kLimit + c.piece) / c.piece * c.piece) << c.name;
        }
    }
}

} // namespace
