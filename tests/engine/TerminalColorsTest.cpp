#include "engine/TerminalColors.h"
#include "engine/AnsiEmitter.h"
#include "engine/HtmlBuilder.h"
#include "engine/OutputEmitter.h"
#include "engine/TagVocabulary.h"
#include "engine/UnicodeText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

constexpr TColor Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

struct DetectCase {
    const char* colorTerm;
    const char* noColor;
    const char* forceColor;
    bool terminal;
    TColorDepth depth;
};

TEST(DetectColorDepth, ReadsTheEnvironmentAsTerminalColourisersDo) {
    using enum TColorDepth;
    const DetectCase cases[] = {
        {nullptr, nullptr, nullptr, true, Palette256},
        {"truecolor", nullptr, nullptr, true, TrueColor},
        {"24bit", nullptr, nullptr, true, TrueColor},
        {"yes", nullptr, nullptr, true, Palette256},
        {"truecolor", nullptr, nullptr, false, None},
        {"truecolor", "1", nullptr, true, None},
        {"truecolor", "", nullptr, true, TrueColor},
        {nullptr, nullptr, "0", true, None},
        {nullptr, nullptr, "1", false, Basic16},
        {nullptr, nullptr, "2", false, Palette256},
        {nullptr, nullptr, "3", false, TrueColor},
        {nullptr, "1", "3", false, TrueColor},
        {"truecolor", nullptr, "2", true, Palette256},
        {nullptr, nullptr, "", true, Basic16},
        // Any value but 0 and false forces colour: the basic 16 unless it names another depth.
        {"truecolor", nullptr, "nonsense", true, Basic16},
        {nullptr, nullptr, "abc", false, Basic16},
        {nullptr, nullptr, "false", true, None},
        {nullptr, nullptr, "true", false, Basic16},
        {nullptr, nullptr, "4", false, Basic16},
    };
    for (const DetectCase& c : cases) {
        EXPECT_EQ(DetectColorDepth(c.colorTerm, c.noColor, c.forceColor, c.terminal), c.depth)
            << (c.colorTerm ? c.colorTerm : "-") << " " << (c.noColor ? c.noColor : "-") << " "
            << (c.forceColor ? c.forceColor : "-") << " " << c.terminal;
    }
}

// Greys go to the grey ramp (232 + (level - 8) / 10), no longer to the coarse cube; colours on
// the cube stay there.
TEST(Palette256Index, TakesTheNearestOfTheCubeAndTheGreyRamp) {
    const std::pair<TColor, int> cases[] = {
        {Rgb(0, 0, 0), 16},        {Rgb(255, 255, 255), 231}, {Rgb(255, 0, 0), 196},
        {Rgb(0, 0, 255), 21},      {Rgb(255, 135, 0), 208},   {Rgb(95, 135, 175), 67},
        {Rgb(128, 128, 128), 244}, {Rgb(118, 118, 118), 243}, {Rgb(8, 8, 8), 232},
        {Rgb(238, 238, 238), 255}, {Rgb(127, 127, 130), 244}, {Rgb(18, 18, 18), 233},
        {Rgb(135, 135, 135), 102}, {Rgb(250, 250, 250), 231},
    };
    for (const auto& [color, index] : cases) {
        EXPECT_EQ(Palette256Index(color), index) << std::hex << color;
        EXPECT_EQ(Palette256Index(color), index) << "asked again (the cache) " << std::hex << color;
    }
}

TEST(Basic16Index, TakesTheNearestOfTheSixteenTerminalColours) {
    const std::pair<TColor, int> cases[] = {
        {Rgb(0, 0, 0), 0},        {Rgb(205, 0, 0), 1},    {Rgb(255, 0, 0), 9},     {Rgb(0, 255, 0), 10},
        {Rgb(0, 0, 238), 4},      {Rgb(255, 255, 0), 11}, {Rgb(128, 128, 128), 8}, {Rgb(192, 192, 192), 7},
        {Rgb(255, 255, 255), 15}, {Rgb(40, 40, 40), 0},   {Rgb(120, 0, 0), 1},     {Rgb(0, 200, 200), 6},
    };
    for (const auto& [color, index] : cases) {
        EXPECT_EQ(Basic16Index(color), index) << std::hex << color;
    }
}

// Streamed through a sink (in pieces of the buffer's window), every kind writes exactly what it
// writes whole, for texts long enough to fill the window.
TEST(OutputStreaming, WritesTheSameBytesAsTheWholeOutput) {
    std::mt19937 random(23);
    std::string utf8;
    const char* pieces[] = {"a", "&", "<", "表", "\xF0\x9F\x98\x80", "-", "\t", "\x1b", "Z"};
    for (int k = 0; k < 100000; ++k) {
        utf8 += pieces[random() % std::size(pieces)];
    }
    const TUnitText text = UnitTextFromUtf8(utf8);
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmThreeColor};
    TTagVocabulary tg;
    for (const TOutputKindRow& kind : OutputKinds()) {
        for (const bool everything : {false, true}) {
            THtmlOptions options;
            options.Kind = kind.Kind;
            options.TermDepth = everything ? TColorDepth::TrueColor : TColorDepth::Basic16;
            if (everything) {
                options.Style = fsBold | fsUnderline;
                options.SizeStep = 2;
                options.FirstLetterLarger = options.Comment = options.BreakInTag = options.Table = true;
            }
            const std::string whole =
                BuildHtmlText(text.Text, text.Clusters, gradient, options, tg).Written();
            // (The paste targets that write a code per run of one colour stay short.)
            ASSERT_TRUE(!everything || kind.OtherTarget || whole.size() > TOutputBuffer::kChunk) << kind.Name;

            std::string streamed;
            TStringSink sink(streamed);
            const int n = UnitCount(text.Text, text.Clusters);
            const auto emitter = MakeOutputEmitter(tg, options, text.Text, n, text.Clusters);
            emitter->StreamTo(sink);
            TUnitWalk walk(text.Text, text.Clusters);
            for (int i = 1; i <= n; ++i) {
                emitter->AppendUnit(walk.Next(), GradientColor(gradient, i, n));
            }
            EXPECT_TRUE(emitter->Finish().Empty()) << kind.Name;
            // The terminal kinds end their one line with a line feed of the caller's.
            EXPECT_EQ(kind.Has(koEveryLine) ? streamed + "\r\n" : streamed, whole) << kind.Name << everything;
        }
    }
}

// The quotations of the whole text are written in pieces; their rules hold across the pieces.
TEST(OutputStreaming, QuotationsKeepTheirRulesAcrossPieces) {
    const TGradient gradient{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};
    TTagVocabulary tg;
    THtmlOptions options;
    options.Comment = true;
    const std::string hyphens(200000, '-');
    options.Kind = okCss;
    const std::string css = BuildHtmlText(hyphens, gradient, options, tg).Written();
    const std::size_t start = css.find("<!-- Tintrel \"") + 14;
    const std::string comment = css.substr(start, css.find("\" -->", start) - start);
    EXPECT_EQ(comment.find("--"), std::string::npos);
    EXPECT_EQ(comment.size(), 100000 + 100000 * 5); // every second hyphen as &#45;
    options.Kind = okFont;
    const std::string font = BuildHtmlText(std::string(100000, '&'), gradient, options, tg).Written();
    std::size_t references = 0;
    for (std::size_t at = font.find("&amp;"); at != std::string::npos; at = font.find("&amp;", at + 1)) {
        ++references;
    }
    EXPECT_EQ(references, 200000u); // the two comment lines; the characters stay as the design writes them
}

} // namespace
