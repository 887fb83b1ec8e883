#include "engine/OutputKind.h"

#include "engine/AnsiEmitter.h"
#include "engine/BbcodeEmitter.h"
#include "engine/CssEmitter.h"
#include "engine/HtmlBuilder.h"
#include "engine/HtmlPage.h"

// Marks a text that the window translates, where the translation tools find it; the engine
// keeps the source text.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(context, text) text
#endif

namespace {

constexpr TSavedFile kHtmlFile{QT_TRANSLATE_NOOP("TForm1", "HTML File|*.html;*.htm|Tintrel Style File|*.tsy"),
                               "htm", "Sample.html"};
constexpr TSavedFile kTextFile{QT_TRANSLATE_NOOP("TForm1", "テキストファイル|*.txt"), "txt", "Sample.txt"};

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
