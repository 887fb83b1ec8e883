#include "engine/OutputKind.h"

#include "engine/AnsiEmitter.h"
#include "engine/BbcodeEmitter.h"
#include "engine/ChatEmitters.h"
#include "engine/CssEmitter.h"
#include "engine/DesktopEmitters.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlPage.h"
#include "engine/MinecraftEmitters.h"

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

constexpr TOutputKindRow kKinds[] = {
    {okFont, "font", "the program's HTML, default", TTextEncoding::Cp932,
     koTags | koTable | koComment | koBreak, MakeEmitter<THtmlBuilder>, SamplePage, kHtmlFile, true,
     QT_TRANSLATE_NOOP("TForm1", "FONTタグのHTMLで書く"),
     QT_TRANSLATE_NOOP("TForm1", "文字ごとにFONTタグで色を付けたHTMLを書きます（従来の形式）"),
     QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました"),
     QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました（１行）"), nullptr},
    {okCss, "css", "HTML5", TTextEncoding::Utf8, koTags | koTable | koComment | koBreak,
     MakeEmitter<TCssEmitter>, Html5SamplePage, kHtmlFile, true,
     QT_TRANSLATE_NOOP("TForm1", "HTML5とCSSで書く"),
     QT_TRANSLATE_NOOP("TForm1", "spanとCSSで色を付けたHTML5を書きます（読み上げ対応）"),
     QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました"),
     QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました（１行）"), nullptr},
    {okBbcode, "bbcode", "forums", TTextEncoding::Utf8, koTags, MakeEmitter<TBbcodeEmitter>, nullptr,
     kTextFile, true, QT_TRANSLATE_NOOP("TForm1", "BBCodeで書く（掲示板用）"),
     QT_TRANSLATE_NOOP("TForm1", "掲示板のBBCodeで書きます。テーブルとコメントは付きません"),
     QT_TRANSLATE_NOOP("TForm1", "BBCodeをコピーしました"),
     QT_TRANSLATE_NOOP("TForm1", "BBCodeをコピーしました（１行）"),
     QT_TRANSLATE_NOOP("TForm1", "BBCodeにはテーブルとコメントは付きません")},
    {okAnsi, "ansi", "terminal colours, 24-bit", TTextEncoding::Utf8, koTable | koEveryLine,
     MakeEmitter<TAnsiEmitter>, nullptr, kTextFile, false, nullptr, nullptr, nullptr, nullptr, nullptr},
    {okAnsi256, "ansi256", "terminal colours, 256-colour palette", TTextEncoding::Utf8, koTable | koEveryLine,
     MakeEmitter<TAnsiEmitter>, nullptr, kTextFile, false, nullptr, nullptr, nullptr, nullptr, nullptr},
    {okTerm, "term", "terminal colours as deep as the terminal shows (default for - on one)",
     TTextEncoding::Utf8, koTable | koEveryLine, MakeEmitter<TAnsiEmitter>, nullptr, kTextFile, false,
     nullptr, nullptr, nullptr, nullptr, nullptr},
    // The paste targets, in the window's submenu "Other targets".
    {okMiniMessage, "minimessage", "Minecraft servers, MiniMessage tags", TTextEncoding::Utf8, 0,
     MakeEmitter<TMiniMessageEmitter>, nullptr, kTextFile, true,
     QT_TRANSLATE_NOOP("TForm1", "MiniMessage（Minecraft サーバー）"),
     QT_TRANSLATE_NOOP("TForm1", "Minecraft サーバーの MiniMessage タグで書きます"),
     QT_TRANSLATE_NOOP("TForm1", "MiniMessage をコピーしました"), nullptr, kTargetNotWritten, true, 256},
    {okAmpHex, "amp-hex", "Minecraft plugins, &#RRGGBB", TTextEncoding::Utf8, 0,
     MakeEmitter<TLegacyCodeEmitter>, nullptr, kTextFile, true,
     QT_TRANSLATE_NOOP("TForm1", "&&#RRGGBB（Minecraft プラグイン）"),
     QT_TRANSLATE_NOOP("TForm1", "Minecraft プラグインの &#RRGGBB 形式で書きます"),
     QT_TRANSLATE_NOOP("TForm1", "&#RRGGBB 形式をコピーしました"), nullptr, kTargetNotWritten, true, 256},
    {okAmpX, "amp-x", "Minecraft plugins, &x&R&R&G&G&B&B", TTextEncoding::Utf8, 0,
     MakeEmitter<TLegacyCodeEmitter>, nullptr, kTextFile, true,
     QT_TRANSLATE_NOOP("TForm1", "&&x&&R&&R...（Minecraft プラグイン）"),
     QT_TRANSLATE_NOOP("TForm1", "Minecraft プラグインの &x&R&R&G&G&B&B 形式で書きます"),
     QT_TRANSLATE_NOOP("TForm1", "&x 形式をコピーしました"), nullptr, kTargetNotWritten, true, 256},
    {okSectionX, "section-x", "Minecraft itself, \u00A7x\u00A7R...", TTextEncoding::Utf8, 0,
     MakeEmitter<TLegacyCodeEmitter>, nullptr, kTextFile, true,
     QT_TRANSLATE_NOOP("TForm1", "§x§R§R...（Minecraft 本体）"),
     QT_TRANSLATE_NOOP("TForm1", "Minecraft 本体が読む §x 形式で書きます（motd、看板、本）"),
     QT_TRANSLATE_NOOP("TForm1", "§x 形式をコピーしました"), nullptr, kTargetNotWritten, true, 256},
    {okJson, "json", "Minecraft JSON text components (/tellraw)", TTextEncoding::Utf8, 0,
     MakeEmitter<TJsonEmitter>, nullptr, kTextFile, true,
     QT_TRANSLATE_NOOP("TForm1", "JSON テキスト（Minecraft /tellraw）"),
     QT_TRANSLATE_NOOP("TForm1", "Minecraft の /tellraw などの JSON テキストで書きます"),
     QT_TRANSLATE_NOOP("TForm1", "JSON をコピーしました"), nullptr, kTargetNotWritten, true, 256},
    {okDiscord, "discord", "Discord ansi block, eight colours", TTextEncoding::Utf8, 0,
     MakeEmitter<TDiscordEmitter>, nullptr, kTextFile, true, QT_TRANSLATE_NOOP("TForm1", "Discord（８色）"),
     QT_TRANSLATE_NOOP("TForm1", "Discord の ansi コードブロックで書きます。色は８色に近づけます"),
     QT_TRANSLATE_NOOP("TForm1", "Discord 用のテキストをコピーしました"), nullptr, kTargetNotWritten, true,
     2000, TLengthUnit::Utf16, true},
    {okIrc, "irc", "IRC, mIRC colour codes", TTextEncoding::Utf8, 0, MakeEmitter<TIrcEmitter>, nullptr,
     kTextFile, true, QT_TRANSLATE_NOOP("TForm1", "IRC（mIRC の色）"),
     QT_TRANSLATE_NOOP("TForm1", "IRC の mIRC カラーコードで書きます。色は99色に近づけます"),
     QT_TRANSLATE_NOOP("TForm1", "IRC 用のテキストをコピーしました"), nullptr, kTargetNotWritten, true, 400,
     TLengthUnit::Bytes, true},
    {okGithub, "github", "GitHub, colours in math", TTextEncoding::Utf8, 0, MakeEmitter<TGithubEmitter>,
     nullptr, kTextFile, true, QT_TRANSLATE_NOOP("TForm1", "GitHub（数式の色）"),
     QT_TRANSLATE_NOOP("TForm1", "GitHub の数式の \\color で書きます"),
     QT_TRANSLATE_NOOP("TForm1", "GitHub 用のテキストをコピーしました"), nullptr, kTargetNotWritten, true,
     65536},
    {okPango, "pango", "Pango markup (GTK, notifications, bars)", TTextEncoding::Utf8, 0,
     MakeEmitter<TPangoEmitter>, nullptr, kTextFile, true,
     QT_TRANSLATE_NOOP("TForm1", "Pango マークアップ（デスクトップ）"),
     QT_TRANSLATE_NOOP("TForm1", "GTK や通知、ステータスバーの Pango マークアップで書きます"),
     QT_TRANSLATE_NOOP("TForm1", "Pango マークアップをコピーしました"), nullptr, kTargetNotWritten, true},
    {okCssClip, "css-clip", "one HTML element, the gradient clipped to the text", TTextEncoding::Utf8, 0,
     MakeEmitter<TCssClipEmitter>, Html5SamplePage, kHtmlFile, true,
     QT_TRANSLATE_NOOP("TForm1", "CSS グラデーション１要素"),
     QT_TRANSLATE_NOOP("TForm1", "文字に切り抜いた CSS グラデーションの１要素で書きます（最短の HTML）"),
     QT_TRANSLATE_NOOP("TForm1", "HTMLをコピーしました"), nullptr, kTargetNotWritten, true},
};

} // namespace

std::span<const TOutputKindRow> OutputKinds() {
    return kKinds;
}

const TOutputKindRow& OutputKindRow(TOutputKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < std::size(kKinds) ? kKinds[index] : kKinds[okFont];
}

std::string_view OutputKindName(TOutputKind kind) {
    return OutputKindRow(kind).Name;
}

std::optional<TOutputKind> OutputKindFromName(std::string_view name) {
    for (const TOutputKindRow& row : kKinds) {
        if (row.Name == name) {
            return row.Kind;
        }
    }
    return std::nullopt;
}

std::string OutputKindNames() {
    std::string names;
    for (std::size_t index = 0; index < std::size(kKinds); ++index) {
        if (index > 0) {
            names += index + 1 == std::size(kKinds) ? " or " : ", ";
        }
        names += kKinds[index].Name;
    }
    return names;
}
