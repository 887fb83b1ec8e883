#include "engine/OutputKind.h"

#include "engine/AnsiEmitter.h"
#include "engine/BbcodeEmitter.h"
#include "engine/ChatEmitters.h"
#include "engine/CssEmitter.h"
#include "engine/DesktopEmitters.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlPage.h"
#include "engine/MarkupEscape.h"
#include "engine/MinecraftEmitters.h"
#include "engine/PluginTagEmitter.h"
#include "engine/PluginTagReaders.h"
#include "engine/ReaderRuns.h"

#include <algorithm>

// Marks a text that the window translates, where the translation tools find it; the engine
// keeps the source text.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace {

constexpr TSavedFile kHtmlFile{QT_TRANSLATE_NOOP("TForm1", "HTML File|*.html;*.htm|Tintrel Style File|*.tsy"),
                               "htm", "Sample.html"};
constexpr TSavedFile kTextFile{QT_TRANSLATE_NOOP("TForm1", "テキストファイル|*.txt"), "txt", "Sample.txt"};
// What the window notes while the table or the comments are on for a paste target.
constexpr const char* kTargetNotWritten =
    QT_TRANSLATE_NOOP("TForm1", "貼り付け先の形式にはテーブルとコメントは付きません");

// The window's note while a bbcode face name holds a bracket.
constexpr TFaceRule kBbcodeFace{
    BbcodeCanCarry, "[ or ]",
    QT_TRANSLATE_NOOP("TForm1",
                      "フォント名「%1」はBBCodeに書けない文字を含むため、フォントの指定を省きました")};

constexpr TKindFitting kCodesFit{.Shortens = true};

// What the companion says when a plugin cannot draw the gradient chosen.
constexpr std::string_view kTwoStopsNote =
    "writes each character's colour: the plugin draws only a two-colour gradient mixed in sRGB";

// A plugin's tags: a paste target of the game's chat length that the window does not offer yet.
TOutputKindRow PluginTagRow(TOutputKind kind, std::string_view name, std::string_view help,
                            TEmitterFactory make, TKindReading reading, TStopsDrawn drawn) {
    return {.Kind = kind,
            .Name = name,
            .Help = help,
            .Encoding = TTextEncoding::Utf8,
            .Options = 0,
            .Make = std::move(make),
            .Page = nullptr,
            .File = kTextFile,
            .InWindow = false,
            .Caption = nullptr,
            .Hint = nullptr,
            .Copied = nullptr,
            .CopiedOneLine = nullptr,
            .NotWritten = nullptr,
            .OtherTarget = true,
            .Budget = 256,
            .Reading = reading,
            .Fitting = kCodesFit,
            .Drawn = drawn};
}

// Recognisers in the order they are tried: a text that begins with a kind's code first, then a
// code or markup anywhere.
enum : int {
    rpDiscord = 10,
    rpSkript = 62,
    rpIridium = 64,
    rpTab = 66,
    rpCmi = 68,
    rpGithub = 20,
    rpJson = 30,
    rpAmpHex = 40,
    rpAmpX = 50,
    rpSectionX = 60,
    rpMiniMessage = 70,
    // Markup at the start of the text: it wins over control codes inside its text.
    rpCssClipLeads = 74,
    rpPangoLeads = 75,
    rpCssLeads = 76,
    rpFontLeads = 77,
    rpBbcodeLeads = 78,
    rpIrc = 80,
    rpAnsi256 = 90,
    rpAnsi = 100,
    rpCssClip = 110,
    rpPango = 120,
    rpCss = 130,
    rpFont = 140,
    rpBbcode = 150,
    rpMiniMessageAnywhere = 160,
    rpSectionXAnywhere = 170,
    rpAmpXAnywhere = 180,
    rpAmpHexAnywhere = 190,
};

std::deque<TOutputKindRow> BuiltInKinds() {
    return {
        {.Kind = okFont,
         .Name = "font",
         .Help = "the program's HTML, default",
         .Encoding = TTextEncoding::Cp932,
         .Options = koTags | koTable | koComment | koBreak,
         .Make = MakeEmitter<THtmlBuilder>,
         .Page = SamplePage,
         .File = kHtmlFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "FONTタグのHTMLで書く"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "文字ごとにFONTタグで色を付けたHTMLを書きます（従来の形式）"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました"),
         .CopiedOneLine = QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました（１行）"),
         .NotWritten = nullptr,
         .Reading = {ReadMarkupRuns, {rpFontLeads, LeadsWithFontTags}, {rpFont, LooksLikeFontTags}}},
        {.Kind = okCss,
         .Name = "css",
         .Help = "HTML5",
         .Encoding = TTextEncoding::Utf8,
         .Options = koTags | koTable | koComment | koBreak | koLanguage,
         .Make = MakeEmitter<TCssEmitter>,
         .Page = Html5SamplePage,
         .File = kHtmlFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "HTML5とCSSで書く"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "spanとCSSで色を付けたHTML5を書きます（読み上げ対応）"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました"),
         .CopiedOneLine = QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました（１行）"),
         .NotWritten = nullptr,
         .Reading = {ReadMarkupRuns, {rpCssLeads, LeadsWithCssSpans}, {rpCss, LooksLikeCssSpans}}},
        {.Kind = okBbcode,
         .Name = "bbcode",
         .Help = "forums",
         .Encoding = TTextEncoding::Utf8,
         .Options = koTags,
         .Make = MakeEmitter<TBbcodeEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "BBCodeで書く（掲示板用）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "掲示板のBBCodeで書きます。テーブルとコメントは付きません"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "BBCodeをコピーしました"),
         .CopiedOneLine = QT_TRANSLATE_NOOP("TForm1", "BBCodeをコピーしました（１行）"),
         .NotWritten = QT_TRANSLATE_NOOP("TForm1", "BBCodeにはテーブルとコメントは付きません"),
         .Reading = {ReadBbcodeRuns, {rpBbcodeLeads, LeadsWithBbcode}, {rpBbcode, LooksLikeBbcode}},
         .Face = kBbcodeFace},
        {.Kind = okAnsi,
         .Name = "ansi",
         .Help = "terminal colours, 24-bit",
         .Encoding = TTextEncoding::Utf8,
         .Options = koTable | koEveryLine,
         .Make = MakeEmitter<TAnsiEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = false,
         .Caption = nullptr,
         .Hint = nullptr,
         .Copied = nullptr,
         .CopiedOneLine = nullptr,
         .NotWritten = nullptr,
         .Reading = {ReadTerminalRuns, {rpAnsi, LooksLikeSgr}}},
        {.Kind = okAnsi256,
         .Name = "ansi256",
         .Help = "terminal colours, 256-colour palette",
         .Encoding = TTextEncoding::Utf8,
         .Options = koTable | koEveryLine,
         .Make = MakeEmitter<TAnsiEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = false,
         .Caption = nullptr,
         .Hint = nullptr,
         .Copied = nullptr,
         .CopiedOneLine = nullptr,
         .NotWritten = nullptr,
         .Reading = {ReadTerminalRuns, {rpAnsi256, LooksLikeSgr256}},
         .Shown = ShownInPalette256},
        {.Kind = okTerm,
         .Name = "term",
         .Help = "terminal colours as deep as the terminal shows (default for - on one)",
         .Encoding = TTextEncoding::Utf8,
         .Options = koTable | koEveryLine,
         .Make = MakeEmitter<TAnsiEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = false,
         .Caption = nullptr,
         .Hint = nullptr,
         .Copied = nullptr,
         .CopiedOneLine = nullptr,
         .NotWritten = nullptr,
         // What it writes is read as ansi or ansi256.
         .Reading = {ReadTerminalRuns},
         .FollowsTerminal = true},
        // The paste targets, in the window's submenu "Other targets".
        {.Kind = okMiniMessage,
         .Name = "minimessage",
         .Help = "Minecraft servers, MiniMessage tags",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TMiniMessageEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "MiniMessage（Minecraft サーバー）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "Minecraft サーバーの MiniMessage タグで書きます"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "MiniMessage をコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Budget = 256,
         .Reading = {ReadMiniMessageRuns,
                     {rpMiniMessage, LooksLikeMiniMessage},
                     {rpMiniMessageAnywhere, HasMiniMessageTag}},
         .Fitting = {.Shortens = true,
                     .Compact = MiniMessageGradientTag,
                     .CompactNote = "as one <gradient> tag, whose colours the server computes",
                     .CompactTaken = QT_TRANSLATE_NOOP(
                         "TForm1", "<gradient> タグにしました（色はサーバーが計算します）")},
         .Shadows = true},
        {.Kind = okAmpHex,
         .Name = "amp-hex",
         .Help = "Minecraft plugins, &#RRGGBB",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TLegacyCodeEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "&&#RRGGBB（Minecraft プラグイン）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "Minecraft プラグインの &#RRGGBB 形式で書きます"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "&#RRGGBB 形式をコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Budget = 256,
         .Reading = {ReadLegacyRuns, {rpAmpHex, BeginsWithAmpHex}, {rpAmpHexAnywhere, HasAmpHex}},
         .Fitting = kCodesFit},
        {.Kind = okAmpX,
         .Name = "amp-x",
         .Help = "Minecraft plugins, &x&R&R&G&G&B&B",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TLegacyCodeEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "&&x&&R&&R...（Minecraft プラグイン）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "Minecraft プラグインの &x&R&R&G&G&B&B 形式で書きます"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "&x 形式をコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Budget = 256,
         .Reading = {ReadLegacyRuns, {rpAmpX, BeginsWithAmpX}, {rpAmpXAnywhere, HasAmpX}},
         .Fitting = kCodesFit},
        {.Kind = okSectionX,
         .Name = "section-x",
         .Help = "Minecraft itself, \u00A7x\u00A7R...",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TLegacyCodeEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "§x§R§R...（Minecraft 本体）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "Minecraft 本体が読む §x 形式で書きます（motd、看板、本）"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "§x 形式をコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Budget = 256,
         .Reading = {ReadLegacyRuns, {rpSectionX, BeginsWithSectionX}, {rpSectionXAnywhere, HasSectionX}},
         .Fitting = kCodesFit},
        {.Kind = okJson,
         .Name = "json",
         .Help = "Minecraft JSON text components (/tellraw)",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TJsonEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "JSON テキスト（Minecraft /tellraw）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "Minecraft の /tellraw などの JSON テキストで書きます"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "JSON をコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Budget = 256,
         .Reading = {ReadJsonRuns, {rpJson, LooksLikeJsonText}},
         .Fitting = kCodesFit,
         .Shadows = true},
        {.Kind = okDiscord,
         .Name = "discord",
         .Help = "Discord ansi block, eight colours",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TDiscordEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "Discord（８色）"),
         .Hint =
             QT_TRANSLATE_NOOP("TForm1", "Discord の ansi コードブロックで書きます。色は８色に近づけます"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "Discord 用のテキストをコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Budget = 2000,
         .Counted = TLengthUnit::Utf16,
         .Reading = {ReadDiscordRuns, {rpDiscord, LooksLikeDiscordBlock}},
         .Fitting = kCodesFit,
         .Shown = ShownOnDiscord,
         .Styles = fsBold | fsUnderline},
        {.Kind = okIrc,
         .Name = "irc",
         .Help = "IRC, mIRC colour codes",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TIrcEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "IRC（mIRC の色）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "IRC の mIRC カラーコードで書きます。色は99色に近づけます"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "IRC 用のテキストをコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Budget = 400,
         .Counted = TLengthUnit::Bytes,
         .Reading = {ReadIrcRuns, {rpIrc, HasIrcCodes}},
         .Fitting = kCodesFit,
         .Shown = ShownOnIrc},
        {.Kind = okGithub,
         .Name = "github",
         .Help = "GitHub, colours in math",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TGithubEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "GitHub（数式の色）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "GitHub の数式の \\color で書きます"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "GitHub 用のテキストをコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Budget = 65536,
         .Reading = {ReadGithubRuns, {rpGithub, LooksLikeGithubMath}},
         .Fitting = kCodesFit,
         .Styles = 0},
        {.Kind = okPango,
         .Name = "pango",
         .Help = "Pango markup (GTK, notifications, bars)",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TPangoEmitter>,
         .Page = nullptr,
         .File = kTextFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "Pango マークアップ（デスクトップ）"),
         .Hint = QT_TRANSLATE_NOOP("TForm1", "GTK や通知、ステータスバーの Pango マークアップで書きます"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "Pango マークアップをコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Reading = {ReadMarkupRuns, {rpPangoLeads, LeadsWithPango}, {rpPango, LooksLikePango}},
         .Fitting = kCodesFit},
        {.Kind = okCssClip,
         .Name = "css-clip",
         .Help = "one HTML element, the gradient clipped to the text",
         .Encoding = TTextEncoding::Utf8,
         .Options = 0,
         .Make = MakeEmitter<TCssClipEmitter>,
         .Page = Html5SamplePage,
         .File = kHtmlFile,
         .InWindow = true,
         .Caption = QT_TRANSLATE_NOOP("TForm1", "CSS グラデーション１要素"),
         .Hint = QT_TRANSLATE_NOOP("TForm1",
                                   "文字に切り抜いた CSS グラデーションの１要素で書きます（最短の HTML）"),
         .Copied = QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました"),
         .CopiedOneLine = nullptr,
         .NotWritten = kTargetNotWritten,
         .OtherTarget = true,
         .Reading = {ReadMarkupRuns, {rpCssClipLeads, LeadsWithCssClip}, {rpCssClip, LooksLikeCssClip}},
         .TargetBlends = true},
        PluginTagRow(okTab, "tab", "TAB plugin, <#A>text</#B> (or #<RRGGBB> per character)",
                     MakePluginTagEmitter<kTabTags>, {ReadPluginTagRuns, {rpTab, LooksLikeTabTags}},
                     {PluginDraws<kTabTags>, kTwoStopsNote}),
        PluginTagRow(okCmi, "cmi", "CMI plugin, {#A>}text{#M<>}text{#B<} (or {#RRGGBB})",
                     MakePluginTagEmitter<kCmiTags>, {ReadPluginTagRuns, {rpCmi, LooksLikeCmiTags}},
                     {PluginDraws<kCmiTags>,
                      "writes each character's colour: the plugin draws only gradients of two or three "
                      "colours mixed in sRGB"}),
        PluginTagRow(
            okIridium, "iridium", "IridiumColorAPI, <GRADIENT:A>text</GRADIENT:B> (or <SOLID:RRGGBB>)",
            MakePluginTagEmitter<kIridiumTags>, {ReadPluginTagRuns, {rpIridium, LooksLikeIridiumTags}},
            {PluginDraws<kIridiumTags>, kTwoStopsNote}),
        PluginTagRow(okSkript, "skript", "Skript, <##RRGGBB>", MakePluginTagEmitter<kSkriptTags>,
                     {ReadPluginTagRuns, {rpSkript, LooksLikeSkriptColours}}, {}),
    };
}

// The table; rows are added at its end and never move.
std::deque<TOutputKindRow>& Table() {
    static std::deque<TOutputKindRow> table = BuiltInKinds();
    return table;
}

// The texts of the rows added while the program runs.
std::deque<std::string>& AddedTexts() {
    static std::deque<std::string> texts;
    return texts;
}

constexpr TKindOptionName kOptionNames[] = {
    {koTags, "tags"},   {koTable, "table"},          {koComment, "comment"},
    {koBreak, "break"}, {koEveryLine, "every-line"}, {koLanguage, "language"},
};

} // namespace

TSavedFile PlainTextFile() {
    return kTextFile;
}

std::span<const TKindOptionName> KindOptionNames() {
    return kOptionNames;
}

const std::deque<TOutputKindRow>& OutputKinds() {
    return Table();
}

std::optional<TOutputKind> AddOutputKind(TOutputKindRow row) {
    if (row.Name.empty() || OutputKindFromName(row.Name)) {
        return std::nullopt;
    }
    // The row's texts are kept with the table, so a caller's strings may go.
    const auto keep = [](std::string_view text) -> std::string_view {
        return AddedTexts().emplace_back(text);
    };
    const auto keepText = [](const char* text) -> const char* {
        return text != nullptr ? AddedTexts().emplace_back(text).c_str() : nullptr;
    };
    row.Name = keep(row.Name);
    row.Help = keep(row.Help);
    row.Caption = keepText(row.Caption);
    row.Hint = keepText(row.Hint);
    row.Copied = keepText(row.Copied);
    row.CopiedOneLine = keepText(row.CopiedOneLine);
    row.NotWritten = keepText(row.NotWritten);
    row.Kind = static_cast<TOutputKind>(Table().size());
    return Table().emplace_back(std::move(row)).Kind;
}

TOutputKind DefaultOutputKind() {
    return Table().front().Kind;
}

TOutputKind TerminalKind() {
    const auto row = std::find_if(Table().begin(), Table().end(),
                                  [](const TOutputKindRow& kind) { return kind.FollowsTerminal; });
    return row != Table().end() ? row->Kind : DefaultOutputKind();
}

const TOutputKindRow& OutputKindRow(TOutputKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < Table().size() ? Table()[index] : Table().front();
}

std::string_view OutputKindName(TOutputKind kind) {
    return OutputKindRow(kind).Name;
}

std::optional<TOutputKind> OutputKindFromName(std::string_view name) {
    for (const TOutputKindRow& row : Table()) {
        if (row.Name == name) {
            return row.Kind;
        }
    }
    return std::nullopt;
}

std::string OutputKindNames() {
    std::string names;
    const std::deque<TOutputKindRow>& table = Table();
    for (std::size_t index = 0; index < table.size(); ++index) {
        if (index > 0) {
            names += index + 1 == table.size() ? " or " : ", ";
        }
        names += table[index].Name;
    }
    return names;
}
