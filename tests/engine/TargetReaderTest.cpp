#include "engine/TargetReader.h"
#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/LengthSink.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetFit.h"
#include "engine/UnicodeText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

const TGradient kRedToYellow{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FFFF), gmTwoColor};

std::string Written(TOutputKind kind, const std::string& utf8) {
    const TUnitText text = UnitTextFromUtf8(utf8);
    THtmlOptions options;
    options.Kind = kind;
    TTagVocabulary tg;
    return BuildHtmlText(text.Text, text.Clusters, kRedToYellow, options, tg).Written();
}

// A gradient of random colours: the design's, mixed in another space, through random stops, or
// the rainbow.
TGradient RandomGradient(std::mt19937& random) {
    TGradient gradient{SplitColor(random() & 0xFFFFFF), SplitColor(random() & 0xFFFFFF),
                       SplitColor(random() & 0xFFFFFF), static_cast<TGradientMode>(random() % 3)};
    switch (random() % 5) {
    case 0:
        gradient.Space = static_cast<TColorSpace>(random() % kColorSpaceCount);
        break;
    case 1:
        for (std::size_t k = 0, n = 2 + random() % 4; k < n; ++k) {
            gradient.Stops.push_back(
                {static_cast<TColor>(random() & 0xFFFFFF),
                 random() % 3 == 0 ? static_cast<double>(k + random() % 2) / static_cast<double>(n) : -1});
        }
        break;
    case 2:
        gradient.Rainbow = true;
        gradient.Phase = random() % 360;
        break;
    default:
        break;
    }
    return gradient;
}

bool WithinAStep(TColor a, TColor b) {
    const TOrivRGB x = SplitColor(a);
    const TOrivRGB y = SplitColor(b);
    return std::abs(x.R - y.R) <= 1 && std::abs(x.G - y.G) <= 1 && std::abs(x.B - y.B) <= 1;
}

// The colour of every unit as the fit's step writes it: a shared step's colour for its group,
// and a plain space the colour before it.
std::vector<TColor> ColoursOfStep(const TGradient& gradient, const TFitResult& fit, const std::string& utf8) {
    const int n = fit.Units;
    const int share = fit.Step == TFitStep::ShareSteps ? fit.Share : 1;
    TGradientWalk groups(gradient, (n + share - 1) / share);
    std::vector<TColor> colours;
    TColor group = 0;
    for (int i = 0; i < n; ++i) {
        group = i % share == 0 ? groups.Next() : group;
        const bool plainSpace = fit.Step >= TFitStep::PlainSpaces && fit.Step != TFitStep::CompactTag &&
                                utf8[static_cast<std::size_t>(i)] == ' ';
        colours.push_back(plainSpace ? colours.back() : group);
    }
    return colours;
}

// What each kind does with the characters its codes or markup give a meaning to.
TEST(TargetEscaping, EachKindEscapesWhatItsTargetReads) {
    const struct {
        TOutputKind kind;
        std::string text;
        std::vector<std::string> holds; // pieces the output must hold
    } cases[] = {
        {okMiniMessage, "a<\\", {"\\<", "\\\\"}},
        {okJson, "\"\\\n\x1F", {"\"\\\"\"", "\"\\\\\"", "\"\\n\"", "\"\\u001F\""}},
        {okJson, "a\xF0\x9F\x8E\x89", {"\\uD83C\\uDF89"}},
        {okGithub, "{}$&#_%", {"\\{", "\\}", "\\$", "\\&", "\\#", "\\_", "\\%"}},
        {okGithub, "a\\^~", {"}\\backslash\\text{", "}\\hat{}\\text{", "}\\sim\\text{"}},
        {okPango, "&<>\"", {">&amp;<", ">&lt;<", ">&gt;<", ">&quot;<"}},
        {okCssClip, "&<", {">&amp;&lt;</span>"}},
        {okIrc,
         "a\x03"
         "b",
         {"\xE2\x90\x83"}}, // a control code of the text as its picture
        {okDiscord,
         "a\x1b"
         "b",
         {"\xE2\x90\x9B"}},
    };
    for (const auto& c : cases) {
        const std::string written = Written(c.kind, c.text);
        for (const std::string& piece : c.holds) {
            EXPECT_NE(written.find(piece), std::string::npos) << OutputKindName(c.kind) << ": " << written;
        }
    }
}

// Lengths as the targets count them: UTF-16 code units (two beyond U+FFFF) or bytes, without
// the line end after the text.
TEST(TargetBudget, CountsAsTheTargetCounts) {
    EXPECT_EQ(TargetLength("ab\r\n", TLengthUnit::Utf16), 2u);
    EXPECT_EQ(TargetLength("\xC2\xA7x\r\n", TLengthUnit::Utf16), 2u);
    EXPECT_EQ(TargetLength("\xC2\xA7x\r\n", TLengthUnit::Bytes), 3u);
    EXPECT_EQ(TargetLength("\xF0\x9F\x8E\x89", TLengthUnit::Utf16), 2u);
    EXPECT_EQ(TargetLength("```ansi\r\nx\r\n```\r\n", TLengthUnit::Utf16), 15u);
}

// Shared colour steps keep both end colours; each group of k has one colour.
TEST(TargetBudget, SharedStepsKeepTheEndColours) {
    const TUnitText text = UnitTextFromUtf8("abcdefg");
    THtmlOptions options;
    options.Kind = okJson;
    options.Fit.MergeRuns = true;
    TTagVocabulary tg;
    const std::optional<TReadText> read =
        ReadGradientText(BuildSharedSteps(text.Text, text.Clusters, kRedToYellow, options, tg, 3).Written());
    ASSERT_TRUE(read.has_value());
    std::vector<TColor> colours;
    for (const TReadUnit& unit : read->Units) {
        colours.push_back(unit.Color);
    }
    EXPECT_EQ(colours,
              (std::vector<TColor>{0x0000FF, 0x0000FF, 0x0000FF, 0x007FFF, 0x007FFF, 0x007FFF, 0x00FFFF}));
}

// Fitting random texts into random budgets, for every kind that fits: what fits is within the
// budget, reads back as the text with both end colours exact, and took the first step that
// works (the one before it, or a share one smaller, does not fit); what does not fit is empty
// and says how near it came.
TEST(TargetBudget, FittingTakesTheFirstStepThatFitsOrRefuses) {
    std::mt19937 random(2148);
    TTagVocabulary tg;
    const std::string letters = "abcdefghij  ";
    for (const TOutputKindRow& row : OutputKinds()) {
        if (!row.Fitting.Shortens) {
            continue;
        }
        for (int round = 0; round < 40; ++round) {
            std::string utf8;
            for (std::size_t k = 0, n = 2 + random() % 60; k < n; ++k) {
                utf8 += letters[random() % letters.size()];
            }
            utf8.front() = 'a'; // the ends are letters: a plain space takes the colour before it
            utf8.back() = 'z';
            const TUnitText text = UnitTextFromUtf8(utf8);
            THtmlOptions options;
            options.Kind = row.Kind;
            const TGradient gradient = RandomGradient(random);
            const TLengthUnit unit = row.Counted;
            const auto length = [&](const THtmlOptions& o, int share) {
                return TargetLength(
                    BuildSharedSteps(text.Text, text.Clusters, gradient, o, tg, share).Written(), unit);
            };
            const std::size_t plain = length(options, 1);
            const std::size_t budget = 1 + random() % (plain + plain / 4);
            const TFitResult fit = FitTargetText(text.Text, text.Clusters, gradient, options, tg, budget);
            SCOPED_TRACE(std::string(OutputKindName(options.Kind)) + " of '" + utf8 + "' in " +
                         std::to_string(budget) + ": " + fit.Html.Written());
            if (!fit.Fits) {
                EXPECT_TRUE(fit.Html.Empty());
                EXPECT_GT(fit.Length, budget);
                EXPECT_LT(fit.FittingUnits, fit.Units);
                continue;
            }
            EXPECT_EQ(TargetLength(fit.Html.Written(), unit), fit.Length);
            EXPECT_LE(fit.Length, budget);
            const std::optional<TReadText> read = ReadGradientText(fit.Html.Written());
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(read->Text(), utf8);
            ASSERT_EQ(read->Units.size(), static_cast<std::size_t>(fit.Units));
            const std::vector<TColor> expected = ColoursOfStep(gradient, fit, utf8);
            for (std::size_t k = 0; k < expected.size(); ++k) {
                SCOPED_TRACE("unit " + std::to_string(k));
                const TColor shown = row.ShownColour(expected[k], options);
                if (fit.Step == TFitStep::CompactTag) {
                    EXPECT_TRUE(WithinAStep(read->Units[k].Color, shown)) << std::hex << read->Units[k].Color;
                } else {
                    EXPECT_EQ(read->Units[k].Color, shown);
                }
            }
            THtmlOptions merged = options;
            merged.Fit.MergeRuns = true;
            EXPECT_EQ(fit.Step == TFitStep::None, plain <= budget);
            if (fit.Step > TFitStep::MergeRuns) {
                EXPECT_GT(length(merged, 1), budget);
            }
            merged.Fit.PlainSpaces = true;
            if (fit.Step == TFitStep::ShareSteps || fit.Step == TFitStep::CompactTag) {
                EXPECT_GT(length(merged, 1), budget);
            }
            if (fit.Step == TFitStep::ShareSteps && fit.Share > 2) {
                EXPECT_GT(length(merged, fit.Share - 1), budget);
            }
        }
    }
}

// A text too short to be written does not fit: with room for no two characters, none would.
TEST(TargetBudget, NoCharacterFitsWhereNothingIsWritten) {
    TTagVocabulary tg;
    const TUnitText text = UnitTextFromUtf8("Hello");
    for (const TOutputKindRow& row : OutputKinds()) {
        THtmlOptions options;
        options.Kind = row.Kind;
        const TFitResult fit = FitTargetText(text.Text, text.Clusters, kRedToYellow, options, tg, 1);
        SCOPED_TRACE(std::string(OutputKindName(row.Kind)));
        EXPECT_FALSE(fit.Fits);
        EXPECT_EQ(fit.FittingUnits, 0);
    }
}

// Measured as it streams, in pieces cut anywhere (inside a character, between CR and LF), an
// output counts as it does whole.
TEST(TargetBudget, ALengthCountedInPiecesIsTheWholeLength) {
    const std::string written = "a\xC3\xA9\xF0\x9F\x91\x8D<b>\r\n";
    for (const TLengthUnit unit : {TLengthUnit::Utf16, TLengthUnit::Bytes}) {
        for (std::size_t cut = 0; cut <= written.size(); ++cut) {
            std::string passed;
            TStringSink next(passed);
            TLengthSink counter(unit, &next);
            counter.Write(std::string_view(written).substr(0, cut));
            counter.Write(std::string_view(written).substr(cut));
            EXPECT_EQ(counter.Length(), TargetLength(written, unit)) << cut;
            EXPECT_EQ(passed, written);
        }
    }
    TLengthSink counter(TLengthUnit::Bytes);
    counter.Write("\r");
    EXPECT_EQ(counter.Length(), 1U);
}

// The style made of read colours: two colours, mirrored, three, and a stepped gradient that
// stays two colours.
TEST(TargetReader, GradientOfTheColoursRead) {
    const auto units = [](std::vector<TColor> colours) {
        std::vector<TReadUnit> read;
        for (const TColor colour : colours) {
            read.push_back({0, 1, colour});
        }
        return read;
    };
    const TGradient two = GradientOfColours(units({0x000000, 0x404040, 0x808080}));
    EXPECT_EQ(two.Mode, gmTwoColor);
    EXPECT_EQ(JoinColor(two.Finish), TColor{0x808080});
    const TGradient mirror = GradientOfColours(units({0x000000, 0x404040, 0x808080, 0x404040, 0x000000}));
    EXPECT_EQ(mirror.Mode, gmMirror);
    EXPECT_EQ(JoinColor(mirror.Finish), TColor{0x808080});
    const TGradient three = GradientOfColours(units({0x0000FF, 0x8080FF, 0xFFFFFF, 0x80FFFF, 0x00FFFF}));
    EXPECT_EQ(three.Mode, gmThreeColor);
    EXPECT_EQ(JoinColor(three.Middle), TColor{0xFFFFFF});
    EXPECT_EQ(GradientOfColours(units({0x0000FF, 0x0000FF, 0x0000FF, 0x00FFFF, 0x00FFFF})).Mode, gmTwoColor);
    // Of an even count, the middle is the last unit of the first half, the one nearest the
    // design's middle colour.
    const TGradient design{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0x00FF00), gmThreeColor};
    std::vector<TColor> four;
    for (int i = 1; i <= 4; ++i) {
        four.push_back(GradientColor(design, i, 4));
    }
    EXPECT_EQ(JoinColor(GradientOfColours(units(four)).Middle), four[1]);
}

// The colour cube's index in red, green, blue order: 196 is red, 46 green, 21 blue.
TEST(TargetReader, ReadsTheColourCubeInChannelOrder) {
    const std::optional<TReadText> read =
        ReadGradientText("\x1b[38;5;196mR\x1b[38;5;46mG\x1b[38;5;21mB\x1b[0m");
    ASSERT_TRUE(read.has_value());
    ASSERT_EQ(read->Units.size(), 3u);
    EXPECT_EQ(read->Units[0].Color, 0x0000FFu);
    EXPECT_EQ(read->Units[1].Color, 0x00FF00u);
    EXPECT_EQ(read->Units[2].Color, 0xFF0000u);
}

// What other tools write in the same codes reads too; text of no kind reads as nothing.
TEST(TargetReader, ReadsOtherToolsAndRefusesPlainText) {
    const struct {
        std::string input;
        std::optional<TOutputKind> kind;
        std::string text;
    } cases[] = {
        {"<color:#FF0000>Hi</color>", okMiniMessage, "Hi"},
        {"<gradient:#FF0000:#0000FF>Hey</gradient>", okMiniMessage, "Hey"},
        {R"({"text":"","extra":[{"text":"Hi","color":"#FF0000"}]})", std::nullopt, ""},
        {R"(["",{"text":"A","color":"#FF0000","extra":[{"text":"b","color":"#00FF00"}]}])", okJson, "Ab"},
        {"&#FF0000Hi &x&0&0&F&F&0&0yo", okAmpHex, "Hi yo"},
        {"\x03"
         "4,1Hi\x03"
         "12yo",
         okIrc, "Hiyo"},
        {"\x1b[38;2;255;0;0mHi\x1b[0m", okAnsi, "Hi"},
        {"<FONT COLOR=#FF0000>H</FONT><font color='#00ff00'>i</font>", okFont, "Hi"},
        // What is placed out of the line, and a comment, inside a coloured element are not text.
        {R"(<span style="color:#FF0000">H<span style="position:absolute">x</span>i</span>)", okCss, "Hi"},
        {R"(<span style="color:#FF0000">H<!-- a > b -->i</span>)", okCss, "Hi"},
        {"just text", std::nullopt, ""},
        {"", std::nullopt, ""},
        {"<#FF0000", okMiniMessage, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RecogniseKind(c.input), c.kind) << c.input;
        const std::optional<TReadText> read = ReadGradientText(c.input);
        EXPECT_EQ(read ? read->Text() : std::string(), c.text) << c.input;
    }
}

// Hostile and malformed texts: each reads to its text and every unit's colour, or is refused
// with its reason; none throws.
TEST(TargetReader, HostileTextsReadSoundlyOrAreRefused) {
    constexpr TColor red = 0x0000FF;
    constexpr TColor green = 0x00FF00;
    const auto nested = [](int depth, const std::string& open, const std::string& close) {
        std::string text;
        for (int k = 0; k < depth; ++k) {
            text += open;
        }
        for (int k = 0; k < depth; ++k) {
            text += close;
        }
        return text;
    };
    const std::string extra = R"({"text":"a","color":"#FF0000","extra":[)";
    const struct {
        std::string input;
        std::optional<TOutputKind> kind; // none: refused
        std::string text;
        std::vector<TColor> colours; // each unit's
        TReadRefusal why = TReadRefusal::NoGradientText;
        TFontStyles style = 0;
    } cases[] = {
        {R"(["",{"bold)", okJson, "", {}},
        {R"(["",{"text":"a","color":"#FF0000","bold":)", okJson, "a", {red}},
        {R"(["",)" + nested(70000, "[", "]") + R"(,{"text":"a","color":"#FF0000"}])",
         okJson,
         "",
         {},
         TReadRefusal::NestedTooDeeply},
        {"[" + nested(100, extra, "]}") + "]", okJson, std::string(100, 'a'), std::vector<TColor>(100, red)},
        {"[" + nested(600, extra, "]}") + "]", okJson, "", {}, TReadRefusal::NestedTooDeeply},
        {R"([{"extra":[{"text":"b"}],"text":"a","color":"#FF0000"}])", okJson, "ab", {red, red}},
        {R"([{"extra":[{"text":"b","color":"#FF0000"}],"bold":true}])", okJson, "b", {red}, {}, fsBold},
        {R"([{"text":"a","color":"#FF0000","italic":true,"extra":[{"text":"b","italic":false}]}])",
         okJson,
         "ab",
         {red, red},
         {},
         fsItalic},
        {R"([{"color":"#00FF00","extra":[{"text":"a","color":"#ZZZ"},{"text":"b"}]}])", okJson, "b", {green}},
        {R"([{"text":"\uD800\u0041","color":"#FF0000"}])",
         okJson,
         "\xEF\xBF\xBD"
         "A",
         {red, red}},
        {R"([{"text":"\uD800\uD800","color":"#FF0000"}])", okJson, "\xEF\xBF\xBD\xEF\xBF\xBD", {red, red}},
        {R"([{"text":"\uZZZZ","color":"#FF0000"}])", okJson, "\\uZZZZ", std::vector<TColor>(6, red)},
        {R"([{"text":"\uD83C\uDF89","color":"#FF0000"}])", okJson, "\xF0\x9F\x8E\x89", {red}},
        {"\xEF\xBB\xBF"
         R"([{"text":"a","color":"#FF0000"}])",
         okJson,
         "a",
         {red}},
        {"<#FF0000>Hi <gradient:#00FF00:#0000FF>there</gradient>!",
         okMiniMessage,
         "Hi there!",
         {red, red, red, green, 0x40BF00, 0x808000, 0xBF4000, 0xFF0000, red}},
        {"<#FF0000>a<#00FF00>b</#00FF00>c<reset>d", okMiniMessage, "abc", {red, green, red}},
        {"<#FF0000>a<b", okMiniMessage, "a<b", {red, red, red}},
        {"<#FF0000>" + std::string(kReadInputLimit, 'a'), okMiniMessage, "", {}, TReadRefusal::TooLong},
        {"<FONT \r\nCOLOR=\"#FF0000\">a</FONT>", okFont, "a", {red}},
        {"<font color=#F00>a<font color=#0f0>b<font color=#0F0F>c</font></font></font>",
         okFont,
         "abc",
         {red, green, green}},
        {"<font color=\"#FF0000\">a&b&amp;&#65;&#xZZ;</font>", okFont, "a&b&A&#xZZ;",
         std::vector<TColor>(11, red)},
        {"<font color=#FF0000>a<font color=#00FF00>b<b>c</font>d<i>e</b>f",
         okFont,
         "abcdef",
         {red, green, green, red, red, red},
         {},
         fsBold | fsItalic},
        {"<span style=\"color:#FF0000\">a\x03"
         "4b</span>",
         okCss,
         "a\x03"
         "4b",
         {red, red, red, red}},
        {"<span foreground=\"#FF0000\">a\x1b[31mb</span>", okPango, "a\x1b[31mb",
         std::vector<TColor>(7, red)},
        {"[color=#FF0000]a\x03"
         "4[/color]",
         okBbcode,
         "a\x03"
         "4",
         {red, red, red}},
        {"<span "
         "style=\"background:linear-gradient(90deg,#FF0000,#00FF00);background-clip:text\">a\x1b[b</span>",
         okCssClip,
         "a\x1b[b",
         {red, 0x0055AA, 0x00AA55, green}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input.substr(0, 80));
        EXPECT_EQ(RecogniseKind(c.input), c.kind);
        TReadRefusal why{};
        std::optional<TReadText> read;
        EXPECT_NO_THROW(read = ReadGradientText(c.input, why));
        if (c.colours.empty() || !read) {
            EXPECT_TRUE(c.colours.empty() && !read);
            EXPECT_EQ(why, c.why);
            continue;
        }
        EXPECT_EQ(read->Text(), c.text);
        std::vector<TColor> colours;
        for (const TReadUnit& unit : read->Units) {
            colours.push_back(unit.Color);
        }
        EXPECT_EQ(colours, c.colours);
        EXPECT_EQ(read->Style, c.style);
    }
}

} // namespace
