#include "engine/BbcodeEmitter.h"

#include "engine/CodePage.h"
#include "engine/FontStyle.h"
#include "engine/HtmlBuilder.h"
#include "engine/MarkupEscape.h"
#include "engine/TagVocabulary.h"
#include "engine/TextJoin.h"

#include <algorithm>
#include <utility>

TBbcodeEmitter::TBbcodeEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                               int characterCount, const TClusterTable& clusters)
    : TMarkupEmitter(TTextEncoding::Utf8, TUnitForm::Utf8) {
    const bool upper = tg.UpperCase();
    const auto word = [upper](std::string_view lower) { return WordInCase(lower, upper); };
    const std::string color = word("color");
    const std::string size = word("size");
    const bool sized = options.Sized();
    TMarkup markup("]");

    const std::string open = Join("[", color, "=#");
    const std::string close = Join("[/", color, "]");
    markup.Open = open;
    markup.Close = close;
    markup.FirstOpen = open;
    markup.FirstClose = close;
    if (sized && options.FirstLetterLarger) {
        const int first = std::min(3 + options.SizeStep + 1, 7);
        markup.FirstOpen = Join("[", size, "=", std::to_string(first), "]", open);
        markup.FirstClose = Join(close, "[/", size, "]");
    }

    // From the inside out, as the font tags nest: bold, italic, size, face, underline, strike.
    std::string opening(kCrLf);
    std::string closing(kCrLf);
    const auto wrap = [&](std::string_view name, std::string_view value) {
        const std::string tag = word(name);
        opening.insert(0, value.empty() ? Join("[", tag, "]") : Join("[", tag, "=", value, "]"));
        closing += Join("[/", tag, "]");
    };
    if ((options.Style & fsBold) != 0) {
        wrap("b", {});
    }
    if ((options.Style & fsItalic) != 0) {
        wrap("i", {});
    }
    if (sized) {
        wrap("size", std::to_string(3 + options.SizeStep));
    }
    // A face the tag cannot carry is left out (the companion refuses it before).
    if (const std::string face = Cp932ToUtf8(options.FaceName); options.FaceTag && BbcodeCanCarry(face)) {
        wrap("font", face);
    }
    if ((options.Style & fsUnderline) != 0) {
        wrap("u", {});
    }
    if ((options.Style & fsStrikeOut) != 0) {
        wrap("s", {});
    }
    closing += kCrLf;
    markup.Opening = std::move(opening);
    markup.Suffix = CloseOpenBidi(std::move(closing), clusters.Utf8, TBidiCloserForm::Utf8);
    Start(std::move(markup), 2 * text.size(), characterCount);
}
