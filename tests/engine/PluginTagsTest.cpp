#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetReader.h"
#include "engine/UnicodeText.h"

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <vector>

namespace {

std::string Written(TOutputKind kind, const std::string& utf8, const TGradient& gradient,
                    TFontStyles style = 0) {
    THtmlOptions options;
    options.Kind = kind;
    options.Style = style;
    const TUnitText text = UnitTextFromUtf8(utf8);
    std::string written =
        BuildHtmlText(text.Text, text.Clusters, gradient, options, TTagVocabulary()).Written();
    written.resize(written.size() - 2); // the line end
    return written;
}

TGradient Gradient(TColor start, TColor middle, TColor finish, TGradientMode mode,
                   TColorSpace space = csSrgb) {
    TGradient gradient{SplitColor(start), SplitColor(middle), SplitColor(finish), mode};
    gradient.Space = space;
    return gradient;
}

// Red to blue (and green between), as the colour values are laid out.
constexpr TColor kRed = 0x0000FF;
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kBlue = 0xFF0000;

// The plugin draws a two-colour sRGB gradient (CMI three colours too): only the stops are
// written; any other gradient has each character's colour.
TEST(PluginTags, TheStopsAloneWhereThePluginDrawsTheGradient) {
    const struct {
        TOutputKind kind;
        TGradient gradient;
        TFontStyles style;
        std::string written;
    } cases[] = {
        {okTab, Gradient(kRed, kRed, kBlue, gmTwoColor), 0, "<#FF0000>Hello</#0000FF>"},
        {okTab, Gradient(kRed, kRed, kBlue, gmTwoColor), fsBold | fsItalic,
         "<#FF0000>&l&oHello</#0000FF>&l&o"},
        {okCmi, Gradient(kRed, kRed, kBlue, gmTwoColor), 0, "{#FF0000>}Hello{#0000FF<}"},
        {okCmi, Gradient(kRed, kGreen, kBlue, gmThreeColor), 0, "{#FF0000>}He{#00FF00<>}llo{#0000FF<}"},
        {okIridium, Gradient(kRed, kRed, kBlue, gmTwoColor), 0, "<GRADIENT:FF0000>Hello</GRADIENT:0000FF>"},
        {okTab, Gradient(kRed, kGreen, kBlue, gmThreeColor), 0,
         "#<FF0000>H#<807F00>e#<00FF00>l#<006699>l#<0000FF>o"},
        {okSkript, Gradient(kRed, kRed, kBlue, gmTwoColor), 0,
         "<##FF0000>H<##C0003F>e<##80007F>l<##4000BF>l<##0000FF>o"},
        {okIridium, Gradient(kRed, kRed, kRed, gmTwoColor), fsStrikeOut,
         "<GRADIENT:FF0000>&mHello</GRADIENT:FF0000>&m"},
        // Characters that could be read as a code: each character's colour.
        {okCmi, Gradient(kRed, kRed, kBlue, gmTwoColor), 0, "{#FF0000}{{#80007F}#{#0000FF}a"},
    };
    for (const auto& c : cases) {
        const std::string text = c.written.find('H') != std::string::npos ? "Hello" : "{#a";
        EXPECT_EQ(Written(c.kind, text, c.gradient, c.style), c.written) << OutputKindName(c.kind);
    }
}

// Each plugin's published syntax: a gradient tag around the text (CMI's with middle stops), or
// one-colour codes, each followed by the formatting codes.
struct TSyntax {
    TOutputKind Kind;
    std::regex Grammar;
};

std::vector<TSyntax> Syntaxes() {
    const std::string hex = "[0-9A-Fa-f]{6}";
    const std::string formats = "(&[lonm])*";
    const std::string text = "[^<>{}#&]";
    const auto code = [&](const std::string& before, const std::string& after) {
        return before + hex + after + formats;
    };
    // Each grammar begins as a string of its own: GCC 12 warns wrongly about a literal put before
    // a temporary string at -O2.
    const std::string open = "(";
    return {
        {okTab, std::regex(open + code("<#", ">") + text + "*" + code("</#", ">") + ")|(" + code("#<", ">") +
                           text + "+)+")},
        {okCmi, std::regex(open + code("\\{#", ">\\}") + text + "*(" + code("\\{#", "<>\\}") + text + "*)*" +
                           code("\\{#", "<\\}") + ")|(" + code("\\{#", "\\}") + text + "+)+")},
        {okIridium, std::regex(open + code("<GRADIENT:", ">") + text + "*" + code("</GRADIENT:", ">") +
                               ")|(" + code("<SOLID:", ">") + text + "+)+")},
        {okSkript, std::regex(open + code("<##", ">") + text + "+)+")},
    };
}

// Random gradients of every kind beside the design: the output follows the plugin's syntax, it
// is the stops alone exactly when the plugin draws the colours, and the decoder reads back the
// text and every colour.
TEST(PluginTags, OutputFollowsThePublishedSyntaxAndReadsBack) {
    std::mt19937 random(35);
    const std::string texts[] = {"Hello world", "ab", "Gradient text for the chat", "x y z"};
    const std::regex sixDigits("[0-9A-F]{6}");
    for (const TSyntax& syntax : Syntaxes()) {
        const TOutputKindRow& row = OutputKindRow(syntax.Kind);
        for (int round = 0; round < 60; ++round) {
            TGradient gradient =
                Gradient(random() & 0xFFFFFF, random() & 0xFFFFFF, random() & 0xFFFFFF,
                         static_cast<TGradientMode>(random() % 3), random() % 3 == 0 ? csOklab : csSrgb);
            gradient.Rainbow = random() % 8 == 0;
            const std::string& utf8 = texts[random() % std::size(texts)];
            const TFontStyles style = static_cast<TFontStyles>(random() % 16);
            const std::string written = Written(syntax.Kind, utf8, gradient, style);
            SCOPED_TRACE(written);
            EXPECT_TRUE(std::regex_match(written, syntax.Grammar));
            const int n = static_cast<int>(utf8.size());
            std::vector<TColor> colors(static_cast<std::size_t>(n));
            TGradientWalk walk(gradient, n);
            for (TColor& color : colors) {
                color = walk.Next();
            }
            const bool drawn = row.Drawn.Draws != nullptr && row.Drawn.Draws(colors);
            const auto codes = std::distance(std::sregex_iterator(written.begin(), written.end(), sixDigits),
                                             std::sregex_iterator());
            if (drawn) {
                EXPECT_LE(codes, 3);
            } else {
                EXPECT_EQ(codes, n);
            }
            const std::optional<TReadText> read = ReadGradientText(written);
            ASSERT_TRUE(read.has_value());
            EXPECT_EQ(read->Kind, syntax.Kind);
            EXPECT_EQ(read->Text(), utf8);
            EXPECT_EQ(read->Style, style);
            ASSERT_EQ(read->Units.size(), colors.size());
            for (std::size_t i = 0; i < colors.size(); ++i) {
                EXPECT_EQ(read->Units[i].Color, colors[i]) << "unit " << i + 1;
            }
        }
    }
}

// The forms the plugins read that Tintrel does not write: TAB's <$#A>text<$#B> and its colours
// mixed with the gradient, CMI's stops with text after the last.
TEST(PluginTags, ReadsTheOtherPublishedForms) {
    const struct {
        std::string written;
        TOutputKind kind;
        std::vector<TColor> colors;
    } cases[] = {
        {"<$#FF0000>abc<$#0000FF>", okTab, {kRed, 0x7F0080, kBlue}},
        {"#<00FF00>x<#FF0000>ab</#0000FF>y", okTab, {kGreen, kRed, kBlue, kBlue}},
        {"{#FF0000>}abc{#0000FF<}z", okCmi, {kRed, 0x7F0080, kBlue, kBlue}},
        {"<gradient:#ff0000>ab</gradient:#0000ff>", okIridium, {kRed, kBlue}},
        {"<##00FF00>a<##FF0000>b", okSkript, {kGreen, kRed}},
    };
    for (const auto& c : cases) {
        const std::optional<TReadText> read = ReadGradientText(c.written);
        ASSERT_TRUE(read.has_value()) << c.written;
        EXPECT_EQ(read->Kind, c.kind) << c.written;
        std::vector<TColor> colors;
        for (const TReadUnit& unit : read->Units) {
            colors.push_back(unit.Color);
        }
        EXPECT_EQ(colors, c.colors) << c.written;
    }
}

} // namespace
