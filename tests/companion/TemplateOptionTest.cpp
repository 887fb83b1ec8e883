// --template and --template-file, run in the process: the kind written, the count and the fit,
// and the refusals naming the column.

#include "companion/HtmlCompanion.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TRun {
    int status;
    std::string out;
    std::string err;
};

TRun Companion(const std::vector<std::string>& args) {
    TRun run{};
    run.status = RunHtmlCompanion(args, run.out, run.err);
    return run;
}

TEST(TemplateOption, WritesTheTemplateCountsItAndFitsIt) {
    const TRun plain =
        Companion({"--template", "&#{HEX}{char}", "--start", "FF0000", "--finish", "0000FF", "Hi!"});
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, "&#FF0000H&#80007Fi&#0000FF!\r\n");

    // {count=bytes}: "\xC3\xA9" is two bytes; 9 bytes a unit plus the prefix.
    const TRun counted = Companion({"--template", "{prefix=>}{count=bytes}{limit=40}<{hex}>{char}", "--count",
                                    "--start", "F00", "--finish", "F00", "\xC3\xA9\xC3\xA9"});
    EXPECT_EQ(counted.status, 0) << counted.err;
    EXPECT_EQ(counted.err, "21 / 40 bytes\n");

    // Too long for its limit: --fit merges the runs of one colour.
    const TRun fitted = Companion(
        {"--template", "{limit=12}<{hex}>{char}", "--fit", "--start", "F00", "--finish", "F00", "aaaa"});
    EXPECT_EQ(fitted.status, 0) << fitted.err;
    EXPECT_EQ(fitted.out, "<ff0000>aaaa\r\n");
    const TRun over = Companion({"--template", "{limit=5}<{hex}>{char}", "--fit", "aaaa"});
    EXPECT_EQ(over.status, 3);
}

TEST(TemplateOption, ReadsTheTemplateFromAFile) {
    TTempFolder folder;
    const std::string name = folder.File("amp.txt");
    std::ofstream(folder.File("amp.txt")) << "&x&{X1}&{X2}&{X3}&{X4}&{X5}&{X6}{char}\n";
    const TRun run = Companion({"--template-file", name, "--start", "FF0000", "--finish", "FF0000", "ab"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "&x&F&F&0&0&0&0a&x&F&F&0&0&0&0b\r\n");
}

TEST(TemplateOption, ABadTemplateIsRefusedWithItsColumn) {
    const TRun run = Companion({"--template", "&#{hx}{char}", "Hi"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "tintrel-html: --template, column 3: unknown placeholder {hx}\n");
}

// The plugins' own tags: the stops alone for a gradient the plugin draws; each character's
// colour, and a word on standard error, for one it cannot.
TEST(TemplateOption, PluginTagsSayWhenThePluginCannotDrawTheGradient) {
    const TRun drawn = Companion({"--format", "tab", "--start", "FF0000", "--finish", "0000FF", "Hello"});
    EXPECT_EQ(drawn.status, 0) << drawn.err;
    EXPECT_EQ(drawn.out, "<#FF0000>Hello</#0000FF>\r\n");
    EXPECT_EQ(drawn.err, "");
    const TRun bent = Companion(
        {"--format", "cmi", "--space", "oklab", "--start", "FF0000", "--finish", "0000FF", "Hello"});
    EXPECT_EQ(bent.status, 0) << bent.err;
    EXPECT_TRUE(bent.out.starts_with("{#FF0000}H{#")) << bent.out;
    EXPECT_TRUE(bent.out.ends_with("{#0000FF}o\r\n")) << bent.out;
    EXPECT_EQ(bent.err, "tintrel-html: --format cmi writes each character's colour: the plugin draws only "
                        "gradients of two or three colours mixed in sRGB\n");
}

// --shadow: one colour with its opacity, or the game's own shade of each character's colour; the
// JSON reader takes the components with it, and a kind without shadows refuses it.
TEST(TemplateOption, TextShadowInJsonAndMiniMessage) {
    const std::vector<std::string> redToBlue = {"--start", "FF0000", "--finish", "0000FF", "ab"};
    const auto with = [&](std::vector<std::string> args) {
        args.insert(args.end(), redToBlue.begin(), redToBlue.end());
        return Companion(args);
    };
    const TRun json = with({"--format", "json", "--shadow", "auto"});
    EXPECT_EQ(json.out, "[\"\",{\"text\":\"a\",\"color\":\"#FF0000\",\"shadow_color\":-12648448},"
                        "{\"text\":\"b\",\"color\":\"#0000FF\",\"shadow_color\":-16777153}]\r\n");
    std::istringstream written(json.out);
    TRun read{};
    read.status = RunHtmlCompanion({"--decode", "-"}, written, read.out, read.err);
    EXPECT_EQ(read.status, 0) << read.err;
    EXPECT_TRUE(read.out.starts_with("ab\n#FF0000")) << read.out;
    EXPECT_NE(read.out.find("#0000FF"), std::string::npos) << read.out;
    EXPECT_EQ(with({"--format", "minimessage", "--shadow", "#102030@0.5"}).out,
              "<shadow:#102030:0.5><#FF0000>a<#0000FF>b\r\n");
    EXPECT_EQ(with({"--format", "minimessage", "--shadow", "auto"}).out,
              "<#FF0000><shadow:#3F0000>a<#0000FF><shadow:#00003F>b\r\n");
    EXPECT_EQ(with({"--template", "{shadow}{char}", "--shadow", "102030"}).out, "102030a102030b\r\n");
    EXPECT_EQ(with({"--format", "json", "--shadow", "F00@2"}).status, 2);
    const TRun refused = with({"--format", "amp-hex", "--shadow", "auto"});
    // (The templates given so far in this process that write shadows are listed too.)
    EXPECT_TRUE(refused.err.starts_with("tintrel-html: --shadow is for --format minimessage, json"))
        << refused.err;
    EXPECT_TRUE(refused.err.ends_with(", not amp-hex\n")) << refused.err;
}

// --letters restyles the text before it is coloured: the count is of what is written.
TEST(TemplateOption, LetterStylesAreCountedAsWritten) {
    const TRun run = Companion({"--format", "amp-hex", "--letters", "smallcaps", "--count", "--start", "F00",
                                "--finish", "F00", "ab"});
    EXPECT_EQ(run.out, "&#FF0000\xE1\xB4\x80&#FF0000\xCA\x99\r\n");
    EXPECT_EQ(run.err, "18 / 256 UTF-16 code units\n");
    EXPECT_EQ(Companion({"--letters", "gothic", "ab"}).status, 2);
}

} // namespace
