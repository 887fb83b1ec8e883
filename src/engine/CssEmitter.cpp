#include "engine/CssEmitter.h"

#include "engine/CodePage.h"
#include "engine/FontStyle.h"
#include "engine/HtmlBuilder.h"
#include "engine/MarkupEscape.h"
#include "engine/TagVocabulary.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr std::string_view kCrLf = "\r\n";

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

std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string joined;
    for (const std::string_view piece : pieces) {
        joined += piece;
    }
    return joined;
}

// The entity of a character that element text may not hold raw; empty for any other.
std::string_view TextEntity(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    default:
        return {};
    }
}

// Whether a unit's UTF-8 holds a character that element text may not hold raw (a cluster can
// begin with one: "<" and a combining mark).
bool NeedsEscape(std::string_view utf8) {
    return utf8.find_first_of("&<>") != std::string_view::npos;
}

void AppendEscaped(std::string& out, std::string_view utf8) {
    for (const char c : utf8) {
        const std::string_view entity = TextEntity(c);
        if (entity.empty()) {
            out += c;
        } else {
            out += entity;
        }
    }
}

// A unit's text in UTF-8: a cluster's own, or the character's from the code page.
std::string_view Utf8Of(const TTextUnit& unit) {
    return unit.IsCluster() ? unit.Utf8 : Cp932CharacterToUtf8(unit.Bytes);
}

// The whole text in UTF-8, as element text.
std::string EscapedText(std::string_view text, const TClusterTable& clusters) {
    std::string escaped;
    escaped.reserve(text.size() * 2);
    for (TUnitWalk walk(text, clusters); !walk.AtEnd();) {
        AppendEscaped(escaped, Utf8Of(walk.Next()));
    }
    return escaped;
}

// The text as it may stand inside a comment: markup characters as entities, and no two
// hyphens in a row, which a checker reports and older parsers read as the comment's end.
std::string CommentText(std::string_view text, const TClusterTable& clusters) {
    const std::string escaped = EscapedText(text, clusters);
    std::string safe;
    safe.reserve(escaped.size());
    for (const char c : escaped) {
        if (c == '-' && !safe.empty() && safe.back() == '-') {
            safe += "&#45;";
        } else {
            safe += c;
        }
    }
    return safe;
}

} // namespace

TCssEmitter::TCssEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                         int unitCount, const TClusterTable& clusters) {
    const bool upper = tg.UpperCase();
    const std::string span = WordInCase("span", upper);
    const std::string style = WordInCase("style", upper);
    const bool sized = options.SizeStep >= 1 && options.SizeStep <= 4;
    const bool bold = (options.Style & fsBold) != 0;
    const bool italic = (options.Style & fsItalic) != 0;
    const bool underline = (options.Style & fsUnderline) != 0;
    const bool strike = (options.Style & fsStrikeOut) != 0;

    // Around every character: <span [CR LF]style="[font-size:...;]color:#......">ch</span>
    const std::string head = Joined({"<", span, " ", options.BreakInTag ? kCrLf : "", style, "=\""});
    open_ = TPiece(head + "color:#");
    std::string firstOpen = head;
    if (sized && options.FirstLetterLarger) {
        firstOpen += Joined({"font-size:", SizeKeyword(3 + options.SizeStep + 1), ";"});
    }
    firstOpen_ = TPiece(firstOpen + "color:#");
    const std::string close = Joined({"</", span, ">"});
    close_ = TPiece(close);

    // One wrapping span carries what CSS can say; strong and cite stand inside it.
    std::string declarations;
    const auto declare = [&](std::string_view declaration) {
        if (!declarations.empty()) {
            declarations += ';';
        }
        declarations += declaration;
    };
    if (options.FaceTag) {
        declare(Joined({"font-family:'", CssStringEscaped(Cp932ToUtf8(options.FaceName)), "'"}));
    }
    if (sized) {
        declare(Joined({"font-size:", SizeKeyword(3 + options.SizeStep)}));
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
        opening += Joined({"<", span, " ", style, "=\"", HtmlEscaped(declarations), "\">"});
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
        opening += Joined({"<", span, " ", WordInCase("aria-hidden", upper), "=\"true\">"});
        const std::string plainText = Joined({close, "<", span, " ", style, "=\"", kVisuallyHidden, "\">",
                                              EscapedText(text, clusters), close});
        closing.insert(0, plainText);
    }
    closing += logicalClose;
    if (!declarations.empty()) {
        closing += close;
    }
    if (options.Comment) {
        const std::string quoted = CommentText(text, clusters);
        opening.insert(0, Joined({"<!-- Tintrel \"", quoted, "\" -->", kCrLf}));
        closing += Joined({kCrLf, "<!-- End of  \"", quoted, "\" -->"});
    }
    closing += kCrLf;
    if (options.Table) {
        opening.insert(
            0, Joined({"<", span, " ", style, "=\"display:inline-block;padding:2px;background-color:#",
                       HtmlEscaped(options.BackgroundHex), "\">", kCrLf}));
        closing += Joined({close, kCrLf});
    }
    suffix_ = std::move(closing);

    const std::size_t characters = unitCount > 0 ? static_cast<std::size_t>(unitCount) : 0;
    out_.Expect(opening.size() + 2 * text.size() + characters * (open_.size() + 8 + close_.size()) +
                (firstOpen_.size() - open_.size()) + suffix_.size());
    out_.Append(opening);
}

void TCssEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    const TPiece& open = first_ ? firstOpen_ : open_;
    first_ = false;
    std::string_view utf8 = Utf8Of(unit);
    std::string escaped;
    if (utf8.size() == 1) {
        if (const std::string_view entity = TextEntity(utf8.front()); !entity.empty()) {
            utf8 = entity;
        }
    } else if (unit.IsCluster() && NeedsEscape(utf8)) {
        AppendEscaped(escaped, utf8);
        utf8 = escaped;
    }
    out_.MakeRoom(open.size() + 8 + utf8.size() + close_.size());
    out_.Put(open);
    out_.PutHex(color);
    out_.Put('"');
    out_.Put('>');
    out_.PutCharacter(utf8);
    out_.Put(close_);
}

THtmlText TCssEmitter::Finish() {
    out_.Append(suffix_);
    return THtmlText(out_.Take(), TTextEncoding::Utf8);
}
