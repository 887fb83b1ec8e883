#include "engine/CodePage.h"
#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/OutputEmitter.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetPalettes.h"
#include "engine/TargetReader.h"
#include "engine/UnicodeText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Pieces of random texts: markup, TeX and JSON specials, the code characters of the targets,
// CP932 characters (two that CP932 writes as a twin, which the engine colours), and clusters
// that CP932 cannot hold (accents, skin tones, flags, families).
const std::vector<std::string> kPieces = {
    "a",
    "Z",
    "0",
    "9",
    " ",
    ",",
    "<",
    ">",
    "&",
    "\"",
    "\\",
    "{",
    "}",
    "$",
    "#",
    "^",
    "_",
    "%",
    "~",
    "`",
    "[",
    "]",
    "/",
    "x",
    "l",
    "\xC2\xA7",
    "\xE3\x82\xA2",
    "\xEF\xBD\xB1",
    "\xE6\xBC\xA2",
    "\xC2\xAC",
    "\xE2\x88\x92",
    "\xC3\xA9",
    "e\xCC\x81",
    "\xF0\x9F\x8E\x89",
    "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD",
    "\xF0\x9F\x87\xAF\xF0\x9F\x87\xB5",
    "\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x91\xA9\xE2\x80\x8D\xF0\x9F\x91\xA7"};

int Channel(TColor color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

struct TSample {
    std::string utf8;
    TGradient gradient;
    THtmlOptions options;
};

TSample RandomSample(std::mt19937& random, TOutputKind kind) {
    TSample sample;
    const int pieces = 2 + static_cast<int>(random() % 12);
    for (int k = 0; k < pieces; ++k) {
        sample.utf8 += kPieces[random() % kPieces.size()];
    }
    const auto colour = [&] { return SplitColor(random() & 0xFFFFFF); };
    sample.gradient = {colour(), colour(), colour(), static_cast<TGradientMode>(random() % 3)};
    sample.options.Kind = kind;
    sample.options.Style = static_cast<TFontStyles>(random() % 16);
    sample.options.IrcHex = random() % 3 == 0;
    sample.options.Fit.MergeRuns = random() % 3 == 0;
    sample.options.Fit.PlainSpaces = random() % 4 == 0;
    return sample;
}

// The options besides the text's that a kind may take: tags, size, face, table and comment.
void RandomLayout(std::mt19937& random, THtmlOptions& options) {
    options.BreakInTag = random() % 3 == 0;
    options.LogicalTags = random() % 3 == 0;
    options.SizeStep = static_cast<int>(random() % 6);
    options.FirstLetterLarger = random() % 2 == 0;
    options.FaceTag = random() % 3 == 0;
    options.FaceName = random() % 2 == 0 ? "Arial" : "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";
    options.Comment = random() % 3 == 0;
    options.Table = random() % 3 == 0;
    options.BackgroundHex = random() % 2 == 0 ? "FFFFFF" : "102030";
    options.ScreenReaderText = random() % 2 == 0;
    options.Language = random() % 2 == 0 ? "" : "ja";
}

// Every kind that can be recognised is recognised in what it writes, with any option, and
// reading that gives back the text, each unit's colour (a palette kind's palette colour), and
// the styles the kind writes.
TEST(TargetKinds, ReadingWhatAKindWritesGivesTheTextAndEachCharactersColour) {
    std::mt19937 random(2126);
    TTagVocabulary tg;
    for (const TOutputKindRow& row : OutputKinds()) {
        if (row.Reading.Sure.Looks == nullptr) {
            continue;
        }
        const TOutputKind kind = row.Kind;
        for (int round = 0; round < 150; ++round) {
            TSample s = RandomSample(random, kind);
            RandomLayout(random, s.options);
            tg.ApplyTagCase(random() % 2 == 0);
            const TUnitText text = UnitTextFromUtf8(s.utf8);
            const int n = UnitCount(text.Text, text.Clusters);
            if (n < 2) {
                continue;
            }
            const THtmlText written = BuildHtmlText(text.Text, text.Clusters, s.gradient, s.options, tg);
            SCOPED_TRACE(std::string(OutputKindName(kind)) + " of '" + s.utf8 + "': " + written.Written());
            const std::optional<TReadText> read = ReadGradientText(written.Written());
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(read->Kind, kind);
            EXPECT_EQ(read->Style, s.options.Style & row.Styles);
            ASSERT_EQ(read->Units.size(), static_cast<std::size_t>(n));
            TUnitWalk walk(text.Text, text.Clusters);
            TColor previous = 0;
            for (int i = 1; i <= n; ++i) {
                const std::string unit(UnitUtf8(walk.Next()));
                TColor expected = row.ShownColour(GradientColor(s.gradient, i, n), s.options);
                const TReadUnit& got = read->Units[static_cast<std::size_t>(i - 1)];
                // A plain space goes in the colour before it, unless the target draws the whole
                // gradient from its stops and so colours the space itself.
                if (row.Fitting.Shortens && s.options.Fit.PlainSpaces && unit == " " && i > 1 &&
                    !(row.Drawn.Draws != nullptr && got.Color == expected)) {
                    expected = previous;
                }
                previous = expected;
                EXPECT_EQ(read->UnitUtf8(got), unit) << "unit " << i;
                if (row.TargetBlends && i > 1 && i < n) {
                    // The browser's gradient between the stops; the ends exact. The middle stop
                    // is the middle unit's colour, the gradient's own when n is odd.
                    if (n % 2 == 0 && s.gradient.Mode != gmTwoColor) {
                        continue;
                    }
                    for (const int shift : {0, 8, 16}) {
                        EXPECT_NEAR(Channel(got.Color, shift), Channel(expected, shift), 1) << "unit " << i;
                    }
                    continue;
                }
                EXPECT_EQ(got.Color, expected) << "unit " << i;
            }
        }
    }
}

// Where two long outputs first differ, with a little around it; empty when they are equal.
std::string FirstDifference(const std::string& got, const std::string& expected) {
    const auto [at, other] = std::mismatch(got.begin(), got.end(), expected.begin(), expected.end());
    if (at == got.end() && other == expected.end()) {
        return {};
    }
    const auto offset = static_cast<std::size_t>(at - got.begin());
    const std::size_t from = offset < 40 ? 0 : offset - 40;
    return "at byte " + std::to_string(offset) + ": got '" + got.substr(from, 80) + "', expected '" +
           expected.substr(from, 80) + "'";
}

// Writing a whole text at once gives the bytes of handing the emitter one unit after another,
// streaming or not: long texts with long runs of one colour, for every target kind and option.
TEST(TargetKinds, WritingAWholeTextGivesTheBytesOfWritingItUnitByUnit) {
    std::mt19937 random(4711);
    TTagVocabulary tg;
    for (const TOutputKindRow& row : OutputKinds()) {
        if (!row.OtherTarget) {
            continue;
        }
        for (int round = 0; round < 40; ++round) {
            TSample s = RandomSample(random, row.Kind);
            // A sample's text many times over; colours near each other, or a blend beside the design.
            const std::string once = s.utf8;
            for (int k = static_cast<int>(random() % 300); k > 0; --k) {
                s.utf8 += once;
            }
            const TColor start = random() & 0xFFFFFF;
            const TColor near = start ^ (random() & 0x070707);
            s.gradient.Start = SplitColor(start);
            s.gradient.Finish = SplitColor(random() % 2 == 0 ? near : random() & 0xFFFFFF);
            s.gradient.Space = random() % 5 == 0 ? csOklab : csSrgb;
            const TUnitText text = UnitTextFromUtf8(s.utf8);
            const int n = UnitCount(text.Text, text.Clusters);
            if (n < 2) {
                continue;
            }
            SCOPED_TRACE(std::string(OutputKindName(s.options.Kind)) + " of '" + s.utf8.substr(0, 40) + "'");
            const std::unique_ptr<TOutputEmitter> single =
                MakeOutputEmitter(tg, s.options, text.Text, n, text.Clusters);
            TUnitWalk walk(text.Text, text.Clusters);
            TGradientWalk colors(s.gradient, n);
            for (int i = 1; i <= n; ++i) {
                const TColor color = colors.Next();
                single->AppendUnit(walk.Next(), color);
            }
            const std::string expected = single->Finish().Written();
            EXPECT_EQ(
                FirstDifference(BuildHtmlText(text.Text, text.Clusters, s.gradient, s.options, tg).Written(),
                                expected),
                "");
            std::string streamed;
            TStringSink sink(streamed);
            const std::unique_ptr<TOutputEmitter> whole =
                MakeOutputEmitter(tg, s.options, text.Text, n, text.Clusters);
            whole->StreamTo(sink);
            TUnitWalk streamWalk(text.Text, text.Clusters);
            TGradientWalk streamColors(s.gradient, n);
            whole->AppendUnits(streamWalk, streamColors, n);
            streamed += whole->Finish().Written();
            EXPECT_EQ(FirstDifference(streamed, expected), "");
        }
    }
}

// A few outputs byte for byte, as documentation of each kind.
TEST(TargetKinds, ExamplesOfEachKind) {
    const TGradient redToYellow{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};
    const struct {
        TOutputKind kind;
        TFontStyles style;
        std::string text;
        std::string written;
    } cases[] = {
        {okMiniMessage, fsBold, "H<\\", "<b><#FF0000>H<#FF7F00>\\<<#FFFF00>\\\\</b>"},
        {okAmpHex, fsBold | fsStrikeOut, "H&i", "&#FF0000&l&mH&#FF7F00&l&m&&#FFFF00&l&mi"},
        {okAmpX, 0, "Hi", "&x&F&F&0&0&0&0H&x&F&F&F&F&0&0i"},
        {okSectionX, fsItalic, "Hi",
         "\xC2\xA7x\xC2\xA7"
         "F\xC2\xA7"
         "F\xC2\xA7"
         "0\xC2\xA7"
         "0\xC2\xA7"
         "0\xC2\xA7"
         "0\xC2\xA7oH"
         "\xC2\xA7x\xC2\xA7"
         "F\xC2\xA7"
         "F\xC2\xA7"
         "F\xC2\xA7"
         "F\xC2\xA7"
         "0\xC2\xA7"
         "0\xC2\xA7oi"},
        {okJson, fsBold, "\"\x01\xF0\x9F\x8E\x89",
         R"(["",{"text":"\"","color":"#FF0000","bold":true},{"text":"\u0001","color":"#FF7F00","bold":true},)"
         R"({"text":"\uD83C\uDF89","color":"#FFFF00","bold":true}])"},
        {okDiscord, fsBold | fsItalic, "Hi`x",
         "```ansi\r\n\x1b[1m\x1b[31mHi\x1b[33m`\x1b[37mx\x1b[0m\r\n```"},
        {okIrc, fsUnderline, "Hi,1",
         "\x1F\x03"
         "04H\x03"
         "64i\x03"
         "65\x02\x02,\x03"
         "081\x0F"},
        {okGithub, 0, "a\\{",
         "$\\color{#FF0000}\\text{a}\\color{#FF7F00}\\text{}\\backslash\\text{}\\color{#FFFF00}\\text{\\{}$"},
        {okPango, fsBold, "a&",
         R"(<span weight="bold"><span foreground="#FF0000">a</span><span foreground="#FFFF00">&amp;</span></span>)"},
        {okCssClip, 0, "a<b",
         R"(<span style="background:linear-gradient(90deg,#FF0000,#FFFF00);-webkit-background-clip:text;)"
         R"(background-clip:text;color:transparent">a&lt;b</span>)"},
        // DEL shows as its picture, like the other control characters.
        {okDiscord, 0, "a\x7F", "```ansi\r\n\x1b[31ma\x1b[37m\xE2\x90\xA1\x1b[0m\r\n```"},
        {okIrc, 0, "a\x7F",
         "\x03"
         "04a\x03"
         "08\xE2\x90\xA1\x0F"},
    };
    TTagVocabulary tg;
    for (const auto& c : cases) {
        THtmlOptions options;
        options.Kind = c.kind;
        options.Style = c.style;
        const TUnitText text = UnitTextFromUtf8(c.text);
        EXPECT_EQ(BuildHtmlText(text.Text, text.Clusters, redToYellow, options, tg).Written(),
                  c.written + "\r\n")
            << OutputKindName(c.kind);
    }
}

// One colour over several units is one run: a section sign before a code letter still reads as
// text, and a comma inside the run needs no bold pair to keep it from the colour code.
TEST(TargetKinds, ARunOfOneColourKeepsItsCharactersText) {
    const TGradient red{SplitColor(0x0000FF), SplitColor(0x0000FF), SplitColor(0x0000FF), gmTwoColor};
    TTagVocabulary tg;
    THtmlOptions options;
    options.Fit.MergeRuns = true;
    const auto written = [&](TOutputKind kind, const std::string& utf8) {
        options.Kind = kind;
        const TUnitText text = UnitTextFromUtf8(utf8);
        return BuildHtmlText(text.Text, text.Clusters, red, options, tg).Written();
    };
    const std::string section = "a\xC2\xA7lb";
    const std::optional<TReadText> read = ReadGradientText(written(okSectionX, section));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->Text(), section);
    EXPECT_EQ(written(okIrc, "a,b"), "\x03"
                                     "04a,b\x0F\r\n");
}

// Of palette colours equally near, the lower code: IRC repeats black, white and red.
TEST(TargetKinds, PaletteTiesGoToTheLowerCode) {
    TPaletteMapper irc(IrcPalette());
    EXPECT_EQ(irc.Index(0x000000), 1);
    EXPECT_EQ(irc.Index(0xFFFFFF), 0);
    EXPECT_EQ(irc.Index(0x0000FF), 4);
    EXPECT_EQ(irc.Index(0x00FFFF), 8);
    TPaletteMapper discord(DiscordPalette());
    EXPECT_EQ(discord.Index(0xFFFFFF), 7);
    EXPECT_EQ(discord.Index(0x2F32DC), 1);
}

} // namespace
