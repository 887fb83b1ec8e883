// A paste target's output written as it is goes out in pieces while it is made, and is still
// measured against its budget; so do the colours --decode reads.

#include "companion/CompanionIo.h"
#include "companion/HtmlCompanion.h"
#include "engine/OutputSink.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Keeps every piece apart.
class TPieces final : public TOutputSink {
public:
    void Write(std::string_view bytes) override { pieces.emplace_back(bytes); }
    std::vector<std::string> pieces;
};

TEST(CompanionStream, APasteTargetStreamsAndIsCounted) {
    const std::string text(300000, 'a');
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--format", "json", "--count", text},
          std::vector<std::string>{"--format", "minimessage", "--budget", "999999999", text}}) {
        std::istringstream in;
        TStreamInput input(in);
        TPieces out;
        std::string err;
        TStringSink errSink(err);
        TBudgetReport report;
        TCompanionIo io{input, out, errSink, false, [](const char*) { return nullptr; }};
        io.Budget = &report;
        ASSERT_EQ(RunHtmlCompanion(args, io), 0) << err;
        EXPECT_GT(out.pieces.size(), 2U) << args.front();
        std::string written;
        for (const std::string& piece : out.pieces) {
            written += piece;
        }
        ASSERT_TRUE(written.ends_with("\r\n"));
        EXPECT_TRUE(report.Counted);
        EXPECT_EQ(report.Length, written.size() - 2); // ASCII: a code unit a byte
    }
}

// The characters read go out in pieces as they are written out, the whole never held.
TEST(CompanionStream, DecodedColoursStream) {
    std::istringstream in("<gradient:#FF0000:#0000FF>" + std::string(100000, 'a') + "</gradient>");
    TStreamInput input(in);
    TPieces out;
    std::string err;
    TStringSink errSink(err);
    TCompanionIo io{input, out, errSink, false, [](const char*) { return nullptr; }};
    ASSERT_EQ(RunHtmlCompanion({"--decode"}, io), 0) << err;
    EXPECT_GT(out.pieces.size(), 2U);
    EXPECT_TRUE(out.pieces.back().ends_with("#0000FF\ta\n"));
}

} // namespace
