#include "engine/HtmlBuilder.h"

#include "engine/GradientWalk.h"
#include "engine/TagVocabulary.h"

#include <utility>

namespace {

constexpr std::string_view kCrLf = "\r\n";

// The pieces one after the other. (Chains of operator+ on a literal trip a false GCC 12
// -Wrestrict warning in optimised builds.)
template <typename... Pieces> std::string Join(const Pieces&... pieces) {
    std::string joined;
    joined.reserve((std::string_view(pieces).size() + ...));
    (joined.append(std::string_view(pieces)), ...);
    return joined;
}

// The text as it may stand inside a comment: a "-->" or "<!--" in it must not end or open one.
// The written forms of clusters go in as they are: their references are the characters.
std::string CommentSafe(std::string_view text, const TClusterTable& clusters) {
    std::string safe;
    safe.reserve(text.size());
    const auto escape = [&safe](std::string_view piece) {
        // '&', '<' and '>' are below 0x40, so they are never the second byte of a two-byte character.
        for (const char c : piece) {
            switch (c) {
            case '&':
                safe += "&amp;";
                break;
            case '<':
                safe += "&lt;";
                break;
            case '>':
                safe += "&gt;";
                break;
            default:
                safe += c;
            }
        }
    };
    std::size_t offset = 0;
    for (const TClusterUnit& cluster : clusters.Units) {
        escape(text.substr(offset, cluster.Offset - offset));
        safe += text.substr(cluster.Offset, cluster.Length);
        offset = cluster.Offset + cluster.Length;
    }
    escape(text.substr(offset));
    return safe;
}

// The face name as it may stand inside face="...": a name from a shared style file must not
// close the quotes and add markup. No real font name holds '&', '<', '>' or '"' (all below
// 0x40, so never the second byte of a two-byte character), so every real name keeps its bytes.
std::string AttributeSafe(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            safe += "&amp;";
            break;
        case '<':
            safe += "&lt;";
            break;
        case '>':
            safe += "&gt;";
            break;
        case '"':
            safe += "&quot;";
            break;
        default:
            safe += c;
        }
    }
    return safe;
}

// Each vocabulary word the HTML needs, looked up once per build.
struct TWords {
    std::string font, color, size, face, table, align, left, cellpadding, tr, td, valign, bgcolor, br, clear,
        all;
    std::string bold, italic, underline, strike;

    TWords(const TTagVocabulary& tg, const THtmlOptions& options) {
        font = tg.TagWord("_Font");
        color = tg.TagWord("_Color");
        const bool sized = options.SizeStep >= 1 && options.SizeStep <= 4;
        if (sized) {
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
                           int characterCount, const TClusterTable& clusters) {
    const TWords w(tg, options);
    const bool sized = options.SizeStep >= 1 && options.SizeStep <= 4;
    const std::string sizeText = Join("+", std::to_string(options.SizeStep));

    // Around every character: <font [CR LF][size="+n" ]color="#......">ch</font>
    std::string head = Join("<", w.font, " ");
    if (options.BreakInTag) {
        head += kCrLf;
    }
    const std::string colorAttribute = Join(w.color, "=\"#");
    open_ = TPiece(head + colorAttribute);
    std::string firstOpen = head;
    if (sized && options.FirstLetterLarger) {
        firstOpen += Join(w.size, "=\"+", std::to_string(options.SizeStep + 1), "\" ");
    }
    firstOpen_ = TPiece(firstOpen + colorAttribute);
    close_ = TPiece(Close(w.font));

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
        wrap(Join("<", w.font, " ", w.face, "=\"", AttributeSafe(options.FaceName), "\">"), Close(w.font));
    }
    if ((options.Style & fsUnderline) != 0) {
        wrap(Open(w.underline), Close(w.underline));
    }
    if ((options.Style & fsStrikeOut) != 0) {
        wrap(Open(w.strike), Close(w.strike));
    }
    if (options.Comment) {
        const std::string quoted = CommentSafe(text, clusters);
        opening.insert(0, Join("<!-- Tintrel \"", quoted, "\" -->", kCrLf));
        closing += Join(kCrLf, "<!-- End of  \"", quoted, "\" -->");
    }
    closing += kCrLf;
    if (options.Table) {
        opening.insert(0, Join("<", w.table, " ", w.align, "=\"", w.left, "\" ", w.cellpadding, "=\"2\">",
                               Open(w.tr), "<", w.td, " ", w.valign, "=\"MIDDLE\" ", w.bgcolor, "=\"",
                               options.BackgroundHex, "\">", kCrLf));
        closing += Join(Close(w.tr), Close(w.table), "<", w.br, " ", w.clear, "=", w.all, ">", kCrLf);
    }
    suffix_ = std::move(closing);

    constexpr std::size_t hexAndQuote = 8; // ......">
    const std::size_t characters = characterCount > 0 ? static_cast<std::size_t>(characterCount) : 0;
    out_.Expect(opening.size() + text.size() + characters * (open_.size() + hexAndQuote + close_.size()) +
                (firstOpen_.size() - open_.size()) + suffix_.size());
    out_.Append(opening);
}

void THtmlBuilder::AppendCharacter(std::string_view character, TColor color) {
    const TPiece& open = first_ ? firstOpen_ : open_;
    first_ = false;
    out_.MakeRoom(open.size() + 8 + character.size() + close_.size());
    out_.Put(open);
    out_.PutHex(color);
    out_.Put('"');
    out_.Put('>');
    out_.PutCharacter(character);
    out_.Put(close_);
}

THtmlText THtmlBuilder::Finish() {
    out_.Append(suffix_);
    return THtmlText(out_.Take());
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
    for (int i = 1; i <= n; ++i) {
        emitter->AppendUnit(walk.Next(), colors.Next());
    }
    return emitter->Finish();
}
