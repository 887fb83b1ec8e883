#include "engine/HtmlBuilder.h"

#include "engine/GradientWalk.h"
#include "engine/MarkupEscape.h"
#include "engine/OutputEmitter.h"
#include "engine/TagVocabulary.h"
#include "engine/TextJoin.h"

#include <algorithm>
#include <utility>

namespace {

// The text as it may stand inside a comment: a "-->" or "<!--" in it must not end or open one.
// The written forms of clusters go in as they are: their references are the characters.
void WriteCommentSafe(std::string_view text, const TClusterTable& clusters, TOutputBuffer& out) {
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::string safe;
    // '&', '<' and '>' are below 0x40, so they are never the second byte of a two-byte
    // character, and the text may be cut anywhere.
    const auto escape = [&](std::string_view piece) {
        for (; !piece.empty(); piece.remove_prefix(std::min(piece.size(), kPiece))) {
            safe.clear();
            AppendHtmlText(safe, piece.substr(0, kPiece));
            out.Append(safe);
        }
    };
    std::size_t offset = 0;
    for (const TClusterUnit& cluster : clusters.Units) {
        escape(text.substr(offset, cluster.Offset - offset));
        out.Append(text.substr(cluster.Offset, cluster.Length));
        offset = cluster.Offset + cluster.Length;
    }
    escape(text.substr(offset));
}

// Each vocabulary word the HTML needs, looked up once per build.
struct TWords {
    std::string font, color, size, face, table, align, left, cellpadding, tr, td, valign, bgcolor, br, clear,
        all;
    std::string bold, italic, underline, strike;

    TWords(const TTagVocabulary& tg, const THtmlOptions& options) {
        font = tg.TagWord("_Font");
        color = tg.TagWord("_Color");
        if (options.Sized()) {
            size = tg.TagWord("_Size");
        }
        if ((options.Style & fsBold) != 0) {
            bold = tg.TagWord(options.LogicalTags ? "_Strong" : "_B");
        }
        if ((options.Style & fsItalic) != 0) {
            italic = tg.TagWord(options.LogicalTags ? "_Cite" : "_I");
        }
        if (options.FaceTag) {
            face = tg.TagWord("_Face");
        }
        if ((options.Style & fsUnderline) != 0) {
            underline = tg.TagWord("_U");
        }
        if ((options.Style & fsStrikeOut) != 0) {
            strike = tg.TagWord("_Strike");
        }
        if (options.Table) {
            table = tg.TagWord("_Table");
            align = tg.TagWord("_Align");
            left = tg.TagWord("_Left");
            cellpadding = tg.TagWord("_Cellpadding");
            tr = tg.TagWord("_Tr");
            td = tg.TagWord("_Td");
            valign = tg.TagWord("_Valign");
            bgcolor = tg.TagWord("_Bgcolor");
            br = tg.TagWord("_Br");
            clear = tg.TagWord("_Clear");
            all = tg.TagWord("_All");
        }
    }
};

std::string Open(const std::string& word) {
    return Join("<", word, ">");
}

std::string Close(const std::string& word) {
    return Join("</", word, ">");
}

} // namespace

THtmlBuilder::THtmlBuilder(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                           int characterCount, const TClusterTable& clusters)
    : TMarkupEmitter(TTextEncoding::Cp932, TUnitForm::Cp932) {
    const TWords w(tg, options);
    const bool sized = options.Sized();
    TMarkup markup("\">");
    const std::string sizeText = Join("+", std::to_string(options.SizeStep));

    // Around every character: <font [CR LF][size="+n" ]color="#......">ch</font>
    std::string head = Join("<", w.font, " ");
    if (options.BreakInTag) {
        head += kCrLf;
    }
    const std::string colorAttribute = Join(w.color, "=\"#");
    markup.Open = head + colorAttribute;
    markup.FirstOpen = head;
    if (sized && options.FirstLetterLarger) {
        markup.FirstOpen += Join(w.size, "=\"+", std::to_string(options.SizeStep + 1), "\" ");
    }
    markup.FirstOpen += colorAttribute;
    markup.Close = Close(w.font);
    markup.FirstClose = markup.Close;

    // The wrappers, from the inside out: bold, italic, size, face, underline, strike-out.
    std::string opening(kCrLf);
    std::string closing(kCrLf);
    const auto wrap = [&](const std::string& before, const std::string& after) {
        opening.insert(0, before);
        closing += after;
    };
    if ((options.Style & fsBold) != 0) {
        wrap(Open(w.bold), Close(w.bold));
    }
    if ((options.Style & fsItalic) != 0) {
        wrap(Open(w.italic), Close(w.italic));
    }
    if (sized) {
        wrap(Join("<", w.font, " ", w.size, "=\"", sizeText, "\">"), Close(w.font));
    }
    if (options.FaceTag) {
        wrap(Join("<", w.font, " ", w.face, "=\"", HtmlEscaped(options.FaceName), "\">"), Close(w.font));
    }
    if ((options.Style & fsUnderline) != 0) {
        wrap(Open(w.underline), Close(w.underline));
    }
    if ((options.Style & fsStrikeOut) != 0) {
        wrap(Open(w.strike), Close(w.strike));
    }
    if (options.Comment) {
        opening.insert(0, Join("<!-- Tintrel \"", kTextMark, "\" -->", kCrLf));
        closing += Join(kCrLf, "<!-- End of  \"", kTextMark, "\" -->");
        markup.Writers = {WriteCommentSafe, WriteCommentSafe};
        markup.Text = text;
        markup.Clusters = &clusters;
    }
    closing += kCrLf;
    if (options.Table) {
        opening.insert(0, Join("<", w.table, " ", w.align, "=\"", w.left, "\" ", w.cellpadding, "=\"2\">",
                               Open(w.tr), "<", w.td, " ", w.valign, "=\"MIDDLE\" ", w.bgcolor, "=\"",
                               options.BackgroundHex, "\">", kCrLf));
        closing += Join(Close(w.tr), Close(w.table), "<", w.br, " ", w.clear, "=", w.all, ">", kCrLf);
    }
    markup.Opening = std::move(opening);
    markup.Suffix = CloseOpenBidi(std::move(closing), clusters.Utf8, TBidiCloserForm::References);
    Start(std::move(markup), text.size(), characterCount);
}

THtmlText BuildHtmlText(std::string_view text, const TGradient& gradient, const THtmlOptions& options,
                        const TTagVocabulary& tg) {
    return BuildHtmlText(text, kNoClusters, gradient, options, tg);
}

THtmlText BuildHtmlText(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                        const THtmlOptions& options, const TTagVocabulary& tg) {
    const int n = UnitCount(text, clusters);
    if (text.size() < 2 || n < 2) {
        return {};
    }
    const std::unique_ptr<TOutputEmitter> emitter = MakeOutputEmitter(tg, options, text, n, clusters);
    TUnitWalk walk(text, clusters);
    TGradientWalk colors(gradient, n);
    emitter->AppendUnits(walk, colors, n);
    return emitter->Finish();
}
