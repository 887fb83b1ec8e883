#include "engine/HtmlBuilder.h"
#include "engine/TagVocabulary.h"
#include "engine/TargetFit.h"
#include "engine/TargetReader.h"
#include "engine/TemplateEmitter.h"
#include "engine/UnicodeText.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Adds the template as a kind of its own; each test names its kinds apart.
TOutputKind TemplateKind(const std::string& name, std::string_view text) {
    const TTemplateReading reading = ReadOutputTemplate(text);
    EXPECT_TRUE(reading.Template.has_value()) << text << ": " << reading.Message();
    const std::optional<TOutputKind> kind = AddOutputKind(TemplateKindRow(
        name, std::make_shared<const TOutputTemplate>(reading.Template.value_or(TOutputTemplate{}))));
    EXPECT_TRUE(kind.has_value()) << name;
    return kind.value_or(okFont);
}

std::string Written(TOutputKind kind, const std::string& utf8, const TGradient& gradient,
                    TFontStyles style = 0) {
    THtmlOptions options;
    options.Kind = kind;
    options.Style = style;
    const TUnitText text = UnitTextFromUtf8(utf8);
    return BuildHtmlText(text.Text, text.Clusters, gradient, options, TTagVocabulary()).Written();
}

const TGradient kRedToBlue{SplitColor(0x0000FF), SplitColor(0xFFFFFF), SplitColor(0xFF0000), gmTwoColor};

// Templates in the forms of the built-in kinds are read back by the decoder as those kinds: the
// text, and each unit in its gradient colour (a run's colour for every unit of a merged run).
TEST(OutputTemplate, TheDecoderReadsTemplatesInTheFormsOfTheKindsBack) {
    const struct {
        std::string_view form;
        TOutputKind readAs;
    } cases[] = {
        {"&#{HEX}{char}", okAmpHex},
        {"&#{hex}{char}{merge}", okAmpHex},
        {"&x&{X1}&{X2}&{X3}&{X4}&{X5}&{x6}{char}", okAmpX},
        {"<#{hex}>{char:mm}", okMiniMessage},
        {"{prefix=[\"\",}{separator=,}{suffix=]}{{\"text\":\"{char:json}\",\"color\":\"#{HEX}\"}}", okJson},
        {"<span foreground=\"#{HEX}\">{char:html}</span>", okPango},
    };
    const std::string texts[] = {"Hello, world", "a<b\\\"c\xF0\x9F\x8E\x89", "aaaa  \xC3\xA9"};
    const TGradient gradients[] = {
        kRedToBlue, {SplitColor(0x00FF00), SplitColor(0x00FF00), SplitColor(0x00FF00), gmTwoColor}};
    int made = 0;
    for (const auto& c : cases) {
        const TOutputKind kind = TemplateKind("read-" + std::to_string(made++), c.form);
        for (const std::string& utf8 : texts) {
            for (const TGradient& gradient : gradients) {
                const std::string written = Written(kind, utf8, gradient);
                SCOPED_TRACE(std::string(c.form) + ": " + written);
                const std::optional<TReadText> read = ReadGradientText(written);
                ASSERT_TRUE(read.has_value());
                EXPECT_EQ(read->Kind, c.readAs);
                EXPECT_EQ(read->Text(), utf8);
                const TUnitText text = UnitTextFromUtf8(utf8);
                const int n = UnitCount(text.Text, text.Clusters);
                ASSERT_EQ(read->Units.size(), static_cast<std::size_t>(n));
                for (int i = 1; i <= n; ++i) {
                    EXPECT_EQ(read->Units[static_cast<std::size_t>(i - 1)].Color,
                              GradientColor(gradient, i, n))
                        << "unit " << i;
                }
            }
        }
    }
}

// Each placeholder, byte for byte, with the settings of the whole text.
TEST(OutputTemplate, PlaceholdersAndSettings) {
    const TGradient greyToWhite{SplitColor(0x888888), SplitColor(0xFFFFFF), SplitColor(0xFFFFFF), gmTwoColor};
    const struct {
        std::string_view form;
        TFontStyles style;
        std::string written;
    } cases[] = {
        {"{hex3}{HEX3}{char}|", 0, "888888a|fffFFFb|"},
        {"{r},{g},{b} {rf} {gf}{char}", 0, "136,136,136 0.533 0.533a255,255,255 1 1b"},
        {"{{{char}}}", 0, "{a}{b}"},
        {"{prefix=<}{suffix=>}{separator=, }{char}", 0, "<a, b>"},
        {"{bold=&l}{strike=&m}{italic=&o}&{x1}{styles}{char}", fsBold | fsStrikeOut, "&8&l&ma&f&l&mb"},
        {"{prefix={{}{char:html}{char:mm}", 0, "{aabb"},
        {"{shadow}:{shadow:argb}{char} ", 0, "222222:-14540254a 3F3F3F:-12632257b "},
    };
    int made = 0;
    for (const auto& c : cases) {
        const TOutputKind kind = TemplateKind("form-" + std::to_string(made++), c.form);
        EXPECT_EQ(Written(kind, "ab", greyToWhite, c.style), c.written + "\r\n") << c.form;
    }
    const TOutputKind escaped = TemplateKind("form-escaped", "[{char:html}|{char:mm}|{char:json}]");
    EXPECT_EQ(Written(escaped, "<\"", greyToWhite), "[&lt;|\\<|<][\"|\"|\\\"]\r\n");
}

// A template the engine cannot use is refused, with the column of the place.
TEST(OutputTemplate, BadTemplatesAreRefusedWithThePlace) {
    const struct {
        std::string_view form;
        std::size_t column;
        std::string_view problem;
    } cases[] = {
        {"&#{hx}{char}", 3, "unknown placeholder {hx}"},
        {"&#{hex{char}", 3, "unclosed brace"},
        {"{char}&#{hex", 9, "unclosed brace"},
        {"{char}{limit=25x}", 14, "the limit is not a number"},
        {"{char}{limit=}", 14, "the limit is not a number"},
        {"\xC3\xA9{char}}", 8, "a lone }"},
        {"{count=chars}{char}", 8, "count is utf16 or bytes"},
        {"{colour=red}{char}", 1, "unknown setting {colour=...}"},
        {"{prefix=a{b}{char}", 10, "a lone {"},
        {"&#{hex}", 8, "writes no unit"},
    };
    for (const auto& c : cases) {
        const TTemplateReading reading = ReadOutputTemplate(c.form);
        EXPECT_FALSE(reading.Template.has_value()) << c.form;
        EXPECT_EQ(reading.Column, c.column) << c.form;
        EXPECT_NE(reading.Message().find(c.problem), std::string::npos)
            << c.form << ": " << reading.Message();
    }
}

// Random templates: the length the fit reports is the output's length as the template counts
// it, and an output the fit keeps is within the budget.
TEST(OutputTemplate, FitKeepsRandomTemplatesWithinTheBudget) {
    const std::string_view pieces[] = {"&#{hex}",
                                       "{char}",
                                       "{char:json}",
                                       "\xC2\xA7",
                                       "{r}.{g}.{b}",
                                       "{x3}",
                                       "{{",
                                       "}}",
                                       "{styles}",
                                       "<#{HEX3}>",
                                       "{rf}",
                                       "{merge}",
                                       "{count=bytes}",
                                       "{separator=,}",
                                       "{prefix=\xE2\x98\x85}",
                                       "{bold=&l}"};
    const std::string texts[] = {"Hello world, again and again",
                                 "\xE3\x81\x82\xE3\x81\x84 \xF0\x9F\x8E\x89 ok", "aaaaaaaa bbbbbbbb"};
    std::mt19937 random(35);
    for (int round = 0; round < 24; ++round) {
        std::string form = "{char}";
        for (int k = static_cast<int>(random() % 5); k > 0; --k) {
            form.insert(random() % 2 == 0 ? 0 : form.size(), pieces[random() % std::size(pieces)]);
        }
        const TOutputKind kind = TemplateKind("fit-" + std::to_string(round), form);
        const TOutputKindRow& row = OutputKindRow(kind);
        for (const std::string& utf8 : texts) {
            THtmlOptions options;
            options.Kind = kind;
            options.Style = fsBold;
            const TUnitText text = UnitTextFromUtf8(utf8);
            const std::size_t budget = 20 + random() % 300;
            const TFitResult fit =
                FitTargetText(text.Text, text.Clusters, kRedToBlue, options, TTagVocabulary(), budget);
            SCOPED_TRACE(form + " within " + std::to_string(budget) + ": " + fit.Html.Written());
            if (fit.Fits) {
                EXPECT_EQ(fit.Length, TargetLength(fit.Html.Written(), row.Counted));
                EXPECT_LE(fit.Length, budget);
            } else {
                EXPECT_GT(fit.Length, budget);
            }
        }
    }
}

} // namespace
