// The companion's colour options, run in the process: the spaces, stops and rainbow give the
// engine's own colours in every kind, and bad values are refused.

#include "companion/HtmlCompanion.h"

#include "engine/Contrast.h"
#include "engine/HtmlBuilder.h"
#include "engine/OutputKind.h"
#include "engine/TagVocabulary.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct TRun {
    int status = -1;
    std::string out;
    std::string err;
};

TRun Companion(const std::vector<std::string>& args) {
    std::istringstream in;
    TRun run;
    run.status = RunHtmlCompanion(args, in, run.out, run.err);
    return run;
}

TEST(ColourOptions, SpacesKeepTheEndsAndBrightenTheMiddle) {
    const std::vector<std::string> base = {"--start", "FF0000", "--finish", "00FF00", "Gradient text"};
    const TRun design = Companion(base);
    for (const char* space : {"linear", "oklab", "oklch", "oklch-long"}) {
        std::vector<std::string> args = {"--space", space};
        args.insert(args.end(), base.begin(), base.end());
        const TRun run = Companion(args);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.out.starts_with("\r\n<FONT COLOR=\"#FF0000\">G</FONT>")) << space;
        EXPECT_NE(run.out.find("<FONT COLOR=\"#00FF00\">t</FONT>\r\n"), std::string::npos) << space;
        EXPECT_NE(run.out, design.out) << space;
    }
    EXPECT_EQ(Companion({"--space", "srgb", "--start", "FF0000", "--finish", "00FF00", "Gradient text"}).out,
              design.out);
}

// Five stops in every kind: the companion writes what the engine builds for the same gradient.
TEST(ColourOptions, StopsAndRainbowWorkInEveryKind) {
    TGradient stops{SplitColor(0x0000FF), SplitColor(0x0000FF), SplitColor(0x00FFFF), gmTwoColor};
    stops.Space = csOklab;
    stops.Stops = {{0x0000FF, -1}, {0x00FFFF, -1}, {0x00FF00, 0.5}, {0xFF0000, -1}, {0xFF00FF, -1}};
    TGradient rainbow = stops;
    rainbow.Stops.clear();
    rainbow.Rainbow = true;
    rainbow.Phase = 90;
    const std::string text = "Tintrel colours";
    for (const TOutputKindRow& kind : OutputKinds()) {
        if (kind.Name == "term") {
            continue; // its colours depend on the terminal it writes to
        }
        THtmlOptions options;
        options.Kind = kind.Kind;
        options.Language = kind.Kind == okCss ? "en" : "";
        TTagVocabulary tg;
        tg.ApplyTagCase(true);
        const TRun run = Companion({"--format", std::string(kind.Name), "--lang", "en", "--space", "oklab",
                                    "--stops", "FF0000,FFFF00,00FF00@50,0000FF,FF00FF", text});
        ASSERT_EQ(run.status, 0) << kind.Name << run.err;
        const std::string expected = BuildHtmlText(text, stops, options, tg).Written();
        EXPECT_EQ(run.out, kind.Has(koEveryLine) ? expected.substr(0, expected.size() - 2) + "\n" : expected)
            << kind.Name;
        const TRun colours =
            Companion({"--format", std::string(kind.Name), "--lang", "en", "--phase", "90", text});
        const std::string expectedRainbow = BuildHtmlText(text, rainbow, options, tg).Written();
        EXPECT_EQ(colours.out, kind.Has(koEveryLine)
                                   ? expectedRainbow.substr(0, expectedRainbow.size() - 2) + "\n"
                                   : expectedRainbow)
            << kind.Name;
    }
}

// The stops take every colour form --start takes, with blanks after the commas; the colours and
// positions are those of the six-digit form.
TEST(ColourOptions, StopsTakeTheColourFormsOfStart) {
    const std::string sixDigits = Companion({"--stops", "FF5500,00FF00@30,0000FF", "Gradient"}).out;
    for (const std::string stops : {"#FF5500,00FF00@30,0000FF", "F50,0F0@30,#00F", "ff5500, 00ff00@30,  00F",
                                    "#f50 ,#0F0@30 , 0000ff"}) {
        const TRun run = Companion({"--stops", stops, "Gradient"});
        EXPECT_EQ(run.status, 0) << stops << ": " << run.err;
        EXPECT_EQ(run.out, sixDigits) << stops;
    }
}

TEST(ColourOptions, BadValuesAreRefused) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--space", "lab"}, "srgb, linear, oklab, oklch or oklch-long"},
        {{"--stops", "FF0000"}, "2 to 16"},
        {{"--stops", "FF0000,00FF00,"}, "RRGGBB[@P]"},
        {{"--stops", "FF0000@50,00FF00@40"}, "not below"},
        {{"--stops", "FF0000@-1,00FF00"}, "percentage"},
        {{"--stops", "FF0000@101,00FF00"}, "percentage"},
        {{"--stops", "FF0000@100,00FF00,0000FF"}, "only the last at 100"},
        {{"--stops", "FF0000,00FF00@100,0000FF"}, "only the last at 100"},
        {{"--stops", "FF0000,00FF00@0,0000FF"}, "only the first stop may stand at 0"},
        {{"--stops", "FF0000@5x,00FF00"}, "percentage"},
        {{"--stops", "FF0000,+F0000"}, "--stops"},
        {{"--stops", "FF0000,##F00"}, "RRGGBB[@P]"},
        {{"--stops", "FF0000,F000"}, "RRGGBB[@P]"},
        {{"--stops", "FF0000,F00 @30"}, "RRGGBB[@P]"},
        {{"--phase", "red"}, "degrees"},
        {{"--phase", "nan"}, "degrees"},
    };
    for (const auto& [args, named] : cases) {
        const TRun run = Companion(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
    }
    std::string seventeen = "000000";
    for (int k = 0; k < 16; ++k) {
        seventeen += ",000000";
    }
    EXPECT_EQ(Companion({"--stops", seventeen}).status, 2);
}

} // namespace

namespace {

TEST(ColourOptions, CheckContrastNamesTheCharactersAndFixMakesThemPass) {
    const std::vector<std::string> yellow = {"--check-contrast", "--start", "FFFF00",
                                             "--finish",         "FFFFFF",  "Hello"};
    const TRun check = Companion(yellow);
    EXPECT_EQ(check.status, 4);
    EXPECT_NE(check.out.find("character 1 'H' FFFF00: 1.07:1, needs 4.50:1\n"), std::string::npos)
        << check.out;
    EXPECT_NE(check.out.find("character 5 'o' FFFFFF: 1.00:1"), std::string::npos) << check.out;
    EXPECT_NE(check.out.find("5 of 5 characters"), std::string::npos);
    std::vector<std::string> fix = yellow;
    fix.insert(fix.begin(), "--fix-contrast");
    const TRun fixed = Companion(fix);
    EXPECT_EQ(fixed.status, 0) << fixed.out;
    EXPECT_NE(fixed.err.find("FFFF00 -> "), std::string::npos) << fixed.err;
    // Large text needs 3:1 only; a dark background turns the fix lighter; the rainbow cannot move.
    EXPECT_EQ(Companion({"--check-contrast", "--size", "2", "--start", "767676", "--finish", "949494", "AB"})
                  .status,
              0);
    const TRun dark = Companion({"--fix-contrast", "--background", "000000", "--start", "000080", "AB"});
    EXPECT_EQ(dark.status, 0);
    EXPECT_NE(dark.err.find("lightness +"), std::string::npos) << dark.err;
    EXPECT_EQ(Companion({"--fix-contrast", "--rainbow", "Hello"}).status, 4);
}

} // namespace

namespace {

// The terminal kinds colour every line on its own, or one gradient across the lines: the check
// must find exactly the characters whose written colour falls short, in the order written.
TEST(ColourOptions, ContrastIsCheckedOnTheColoursAsWritten) {
    const std::string text = "ABCD\n\nEFG\r\nH\nIJ";
    for (const bool across : {false, true}) {
        for (const bool fromStdin : {false, true}) {
            std::vector<std::string> args = {"--format", "ansi", "--start", "000000", "--finish", "FFFFFF"};
            if (across) {
                args.emplace_back("--across-lines");
            }
            args.emplace_back(fromStdin ? "-" : text);
            const auto run = [&](const std::vector<std::string>& with) {
                std::istringstream in(text);
                TRun result;
                result.status = RunHtmlCompanion(with, in, result.out, result.err);
                return result;
            };
            const TRun written = run(args);
            std::vector<std::string> falling;
            std::size_t characters = 0;
            for (std::size_t at = 0; (at = written.out.find("\x1b[38;2;", at)) != std::string::npos; ++at) {
                unsigned r = 0, g = 0, b = 0;
                ASSERT_EQ(std::sscanf(written.out.c_str() + at, "\x1b[38;2;%u;%u;%um", &r, &g, &b), 3);
                ++characters;
                if (ContrastRatio(r | (g << 8) | (b << 16), clWhite) < 4.5) {
                    char hex[8];
                    std::snprintf(hex, sizeof hex, "%02X%02X%02X", r, g, b);
                    falling.emplace_back(hex);
                }
            }
            args.insert(args.begin(), "--check-contrast");
            const TRun check = run(args);
            EXPECT_EQ(check.status, falling.empty() ? 0 : 4);
            EXPECT_NE(check.out.find(std::to_string(falling.size()) + " of " + std::to_string(characters) +
                                     " characters"),
                      std::string::npos)
                << check.out;
            std::vector<std::string> listed;
            for (std::size_t at = 0; (at = check.out.find("' ", at)) != std::string::npos; ++at) {
                listed.push_back(check.out.substr(at + 2, 6));
            }
            EXPECT_EQ(listed, falling) << "across " << across << ", standard input " << fromStdin;
        }
    }
}

TEST(ColourOptions, StyleFilesCarryTheColourChoices) {
    const std::filesystem::path style = std::filesystem::temp_directory_path() / "tintrel-colour-style.tsy";
    std::ofstream(style, std::ios::binary)
        << "[Sunset]\r\nStartColor=0x007A245B\r\nFinishColor=0x0066D1FF\r\n"
           "ColorSpace=oklab\r\nStops=5B247A,E0405A@30,FFD166\r\n";
    const TRun styled = Companion({"--style", style.string(), "ABCDEFG"});
    std::filesystem::remove(style);
    EXPECT_EQ(styled.status, 0) << styled.err;
    EXPECT_EQ(styled.out,
              Companion({"--space", "oklab", "--stops", "5B247A,E0405A@30,FFD166", "ABCDEFG"}).out);
}

} // namespace
