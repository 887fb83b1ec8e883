#include "engine/CssEmitter.h"

#include "engine/CodePage.h"
#include "engine/FontStyle.h"
#include "engine/HtmlBuilder.h"
#include "engine/MarkupEscape.h"
#include "engine/TagVocabulary.h"
#include "engine/TextJoin.h"

#include <algorithm>
#include <utility>

namespace {

// Keeps text from a screen reader's view without moving anything on the page; inline, so the
// fragment needs no style sheet.
constexpr std::string_view kVisuallyHidden = "position:absolute;width:1px;height:1px;padding:0;margin:-1px;"
                                             "overflow:hidden;clip:rect(0,0,0,0);white-space:nowrap;border:0";

// The CSS keyword of HTML font size 3 + step; sizes past 7 stay at the largest, as browsers
// hold the font tag's sizes.
std::string_view SizeKeyword(int htmlSize) {
    constexpr std::string_view keywords[] = {"medium", "large", "x-large", "xx-large", "xxx-large"};
    return keywords[std::clamp(htmlSize, 3, 7) - 3];
}

// The whole text in UTF-8, as element text; `each` takes it in pieces.
template <typename TEach>
void ForEscapedText(std::string_view text, const TClusterTable& clusters, TEach each) {
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::string escaped;
    for (TUnitWalk walk(text, clusters); !walk.AtEnd();) {
        AppendHtmlText(escaped, UnitUtf8(walk.Next()));
        if (escaped.size() >= kPiece || walk.AtEnd()) {
            each(std::string_view(escaped));
            escaped.clear();
        }
    }
}

void WriteEscapedText(std::string_view text, const TClusterTable& clusters, TOutputBuffer& out) {
    ForEscapedText(text, clusters, [&out](std::string_view piece) { out.Append(piece); });
}

// The text as it may stand inside a comment: markup characters as entities, and no two
// hyphens in a row, which a checker reports and older parsers read as the comment's end.
void WriteCommentText(std::string_view text, const TClusterTable& clusters, TOutputBuffer& out) {
    std::string safe;
    char last = '\0';
    ForEscapedText(text, clusters, [&](std::string_view piece) {
        safe.clear();
        for (const char c : piece) {
            if (c == '-' && last == '-') {
                safe += "&#45;";
                last = ';';
            } else {
                safe += c;
                last = c;
            }
        }
        out.Append(safe);
    });
}

} // namespace

TCssEmitter::TCssEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                         int unitCount, const TClusterTable& clusters)
    : TMarkupEmitter(TTextEncoding::Utf8, TUnitForm::Utf8Text) {
    const bool upper = tg.UpperCase();
    const std::string span = WordInCase("span", upper);
    const std::string style = WordInCase("style", upper);
    const bool sized = options.Sized();
    TMarkup markup("\">");
    const bool bold = (options.Style & fsBold) != 0;
    const bool italic = (options.Style & fsItalic) != 0;
    const bool underline = (options.Style & fsUnderline) != 0;
    const bool strike = (options.Style & fsStrikeOut) != 0;

    // Around every character: <span [CR LF]style="[font-size:...;]color:#......">ch</span>
    const std::string head = Join("<", span, " ", options.BreakInTag ? kCrLf : "", style, "=\"");
    markup.Open = head + "color:#";
    markup.FirstOpen = head;
    if (sized && options.FirstLetterLarger) {
        markup.FirstOpen += Join("font-size:", SizeKeyword(3 + options.SizeStep + 1), ";");
    }
    markup.FirstOpen += "color:#";
    const std::string close = Join("</", span, ">");
    markup.Close = close;
    markup.FirstClose = close;

    // One wrapping span carries what CSS can say; strong and cite stand inside it.
    std::string declarations;
    const auto declare = [&](std::string_view declaration) {
        if (!declarations.empty()) {
            declarations += ';';
        }
        declarations += declaration;
    };
    if (options.FaceTag) {
        declare(Join("font-family:'", CssStringEscaped(Cp932ToUtf8(options.FaceName)), "'"));
    }
    if (sized) {
        declare(Join("font-size:", SizeKeyword(3 + options.SizeStep)));
    }
    if (bold && !options.LogicalTags) {
        declare("font-weight:bold");
    }
    if (italic && !options.LogicalTags) {
        declare("font-style:italic");
    }
    if (underline || strike) {
        declare(underline && strike
                    ? "text-decoration:underline line-through"
                    : (underline ? "text-decoration:underline" : "text-decoration:line-through"));
    }

    std::string opening;
    std::string closing(kCrLf);
    if (!declarations.empty()) {
        opening += Join("<", span, " ", style, "=\"", HtmlEscaped(declarations), "\">");
    }
    std::string logicalClose;
    if (italic && options.LogicalTags) {
        opening += tg.OpenTag("_Cite");
        logicalClose.insert(0, tg.CloseTag("_Cite"));
    }
    if (bold && options.LogicalTags) {
        opening += tg.OpenTag("_Strong");
        logicalClose.insert(0, tg.CloseTag("_Strong"));
    }
    opening += kCrLf;
    if (options.ScreenReaderText) {
        opening += Join("<", span, " ", WordInCase("aria-hidden", upper), "=\"true\">");
        const std::string language = options.Language.empty() ? std::string()
                                                              : Join(WordInCase("lang", upper), "=\"",
                                                                     HtmlEscaped(options.Language), "\" ");
        const std::string plainText =
            Join(close, "<", span, " ", language, style, "=\"", kVisuallyHidden, "\">", kTextMark, close);
        markup.Writers.push_back(WriteEscapedText);
        closing.insert(0, plainText);
    }
    closing += logicalClose;
    if (!declarations.empty()) {
        closing += close;
    }
    if (options.Comment) {
        opening.insert(0, Join("<!-- Tintrel \"", kTextMark, "\" -->", kCrLf));
        closing += Join(kCrLf, "<!-- End of  \"", kTextMark, "\" -->");
        // The opening's quotation comes before the suffix's parts.
        markup.Writers.insert(markup.Writers.begin(), WriteCommentText);
        markup.Writers.push_back(WriteCommentText);
    }
    closing += kCrLf;
    if (options.Table) {
        opening.insert(0,
                       Join("<", span, " ", style, "=\"display:inline-block;padding:2px;background-color:#",
                            HtmlEscaped(options.BackgroundHex), "\">", kCrLf));
        closing += Join(close, kCrLf);
    }
    // A text with directional controls stands in an isolate of its own, and whatever it leaves
    // open is closed inside it, so nothing of it turns the page's text around.
    closing = CloseOpenBidi(std::move(closing), clusters.Utf8, TBidiCloserForm::Utf8);
    if (HoldsBidiControls(clusters.Utf8)) {
        opening.insert(0, Join("<", WordInCase("bdi", upper), ">"));
        closing.insert(closing.size() - kCrLf.size(), Join("</", WordInCase("bdi", upper), ">"));
    }
    markup.Text = text;
    markup.Clusters = &clusters;
    markup.Opening = std::move(opening);
    markup.Suffix = std::move(closing);
    Start(std::move(markup), 2 * text.size(), unitCount);
}
