// --animate in the companion, run in the process: what it refuses, the budget over every frame,
// and a terminal animation that gives the terminal back.

#include "companion/CompanionIo.h"
#include "companion/HtmlCompanion.h"
#include "companion/TerminalAnimation.h"

#include "engine/OutputSink.h"
#include "engine/TargetFit.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(CompanionAnimation, RefusesSettingsItCannotUse) {
    const struct {
        std::vector<std::string> args;
        std::string said; // a piece of the one line on standard error
    } cases[] = {
        {{"--frames", "3", "ab"}, "need --animate"},
        {{"--container", "tab", "ab"}, "need --animate"},
        {{"--animate", "shift", "--page", "ab"}, "--animate cannot be given with --page"},
        {{"--animate", "shift", "--decode"}, "--animate cannot be given with --decode"},
        {{"--animate", "wave", "ab"}, "shift, reverse, bounce, cycle, pulse, typewriter or rainbow expected"},
        {{"--animate", "shift", "--frames", "0", "ab"}, "from 1 to 1000000"},
        {{"--animate", "shift", "--frames", "1000001", "ab"}, "from 1 to 1000000"},
        {{"--animate", "shift", "--fps", "241", "ab"}, "from 1 to 240"},
        {{"--animate", "shift", "--span", "1", "ab"}, "from 2 to"},
        {{"--animate", "shift", "--duration", "0", "ab"}, "seconds above 0"},
        {{"--animate", "shift", "--container", "yaml", "ab"}, "lines, tab, velocitab or json expected"},
    };
    for (const auto& c : cases) {
        std::string out;
        std::string err;
        EXPECT_EQ(RunHtmlCompanion(c.args, out, err), 2) << c.args.front();
        EXPECT_NE(err.find(c.said), std::string::npos) << err;
        EXPECT_TRUE(out.empty());
    }
}

// --fit shortens every frame alike: the first step with which the longest frame fits.
TEST(CompanionAnimation, FitShortensEveryFrameWithinTheBudget) {
    const std::vector<std::string> base{"--format", "minimessage", "--animate", "bounce", "--fit"};
    std::string out;
    std::string err;
    std::vector<std::string> args = base;
    args.insert(args.end(), {"--budget", "85", "aaaa bbbb"});
    ASSERT_EQ(RunHtmlCompanion(args, out, err), 0) << err;
    const std::vector<std::string> frames = Lines(out);
    EXPECT_EQ(frames.size(), 16u);
    for (const std::string& frame : frames) {
        EXPECT_LE(TargetLength(frame, TLengthUnit::Utf16), 85u) << frame;
        // The space goes without a code of its own in every frame, not only in the longest.
        EXPECT_EQ(frame.find("> "), std::string::npos) << frame;
    }

    args = base;
    args.insert(args.end(), {"--budget", "10", "aaaa bbbb"});
    EXPECT_EQ(RunHtmlCompanion(args, out, err), 3);
    EXPECT_NE(err.find("no frame output fits the budget of 10"), std::string::npos) << err;

    args = {"--format", "minimessage", "--animate", "cycle", "--budget", "20", "aaaa bbbb"};
    EXPECT_EQ(RunHtmlCompanion(args, out, err), 0);
    EXPECT_NE(err.find("the longest frame is"), std::string::npos) << err;
}

struct TTerminalRun {
    int status = 0;
    std::string out;
};

TTerminalRun RunOnTerminal(const std::vector<std::string>& args, const char* noColor) {
    std::istringstream none;
    TStreamInput in(none);
    TTerminalRun run;
    std::string err;
    TStringSink out(run.out);
    TStringSink errors(err);
    TCompanionIo io{in, out, errors, true, [noColor](const char* name) -> const char* {
                        return std::string_view(name) == "NO_COLOR"    ? noColor
                               : std::string_view(name) == "COLORTERM" ? "truecolor"
                                                                       : nullptr;
                    }};
    run.status = RunHtmlCompanion(args, io);
    return run;
}

TEST(CompanionAnimation, ATerminalIsGivenBackAsItWasFound) {
    const TTerminalRun played = RunOnTerminal(
        {"--format", "ansi", "--animate", "rainbow", "--duration", "0.1", "--fps", "40", "Hello"}, nullptr);
    EXPECT_EQ(played.status, 0);
    EXPECT_EQ(played.out.rfind(kHideCursor, 0), 0u) << played.out;
    const std::string end = std::string(kResetColours) + kShowCursor + "\n";
    ASSERT_GE(played.out.size(), end.size());
    EXPECT_EQ(played.out.substr(played.out.size() - end.size()), end);
    EXPECT_GE(Lines(played.out).size(), 1u);
    EXPECT_NE(played.out.find('\r'), std::string::npos);

    // With NO_COLOR nothing moves: the last frame once.
    const TTerminalRun still =
        RunOnTerminal({"--format", "ansi", "--animate", "rainbow", "--frames", "4", "Hello"}, "1");
    EXPECT_EQ(still.status, 0);
    EXPECT_EQ(still.out.find(kHideCursor), std::string::npos);
    EXPECT_EQ(Lines(still.out).size(), 1u);
}

} // namespace
