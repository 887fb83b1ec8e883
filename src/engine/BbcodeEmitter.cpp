#include "engine/BbcodeEmitter.h"

#include "engine/CodePage.h"
#include "engine/FontStyle.h"
#include "engine/HtmlBuilder.h"
#include "engine/MarkupEscape.h"
#include "engine/TagVocabulary.h"

#include <algorithm>
#include <initializer_list>

namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string Joined(std::initializer_list<std::string_view> pieces) {
    std::string joined;
    for (const std::string_view piece : pieces) {
        joined += piece;
    }
    return joined;
}

} // namespace

TBbcodeEmitter::TBbcodeEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                               int characterCount) {
    const bool upper = tg.UpperCase();
    const auto word = [upper](std::string_view lower) { return WordInCase(lower, upper); };
    const std::string color = word("color");
    const std::string size = word("size");
    const bool sized = options.SizeStep >= 1 && options.SizeStep <= 4;

    const std::string open = Joined({"[", color, "=#"});
    const std::string close = Joined({"[/", color, "]"});
    open_ = TPiece(open);
    close_ = TPiece(close);
    firstOpen_ = open_;
    firstClose_ = close_;
    if (sized && options.FirstLetterLarger) {
        const int first = std::min(3 + options.SizeStep + 1, 7);
        firstOpen_ = TPiece(Joined({"[", size, "=", std::to_string(first), "]", open}));
        firstClose_ = TPiece(Joined({close, "[/", size, "]"}));
    }

    // From the inside out, as the font tags nest: bold, italic, size, face, underline, strike.
    std::string opening(kCrLf);
    std::string closing(kCrLf);
    const auto wrap = [&](std::string_view name, std::string_view value) {
        const std::string tag = word(name);
        opening.insert(0, value.empty() ? Joined({"[", tag, "]"}) : Joined({"[", tag, "=", value, "]"}));
        closing += Joined({"[/", tag, "]"});
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
    if (options.FaceTag) {
        wrap("font", BbcodeValueEscaped(Cp932ToUtf8(options.FaceName)));
    }
    if ((options.Style & fsUnderline) != 0) {
        wrap("u", {});
    }
    if ((options.Style & fsStrikeOut) != 0) {
        wrap("s", {});
    }
    closing += kCrLf;
    suffix_ = std::move(closing);

    const std::size_t characters = characterCount > 0 ? static_cast<std::size_t>(characterCount) : 0;
    out_.Expect(opening.size() + 2 * text.size() + characters * (open_.size() + 7 + close_.size()) +
                (firstOpen_.size() - open_.size()) + (firstClose_.size() - close_.size()) + suffix_.size());
    out_.Append(opening);
}

void TBbcodeEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    const TPiece& open = first_ ? firstOpen_ : open_;
    const TPiece& close = first_ ? firstClose_ : close_;
    first_ = false;
    const std::string_view utf8 = unit.IsCluster() ? unit.Utf8 : Cp932CharacterToUtf8(unit.Bytes);
    out_.MakeRoom(open.size() + 7 + utf8.size() + close.size());
    out_.Put(open);
    out_.PutHex(color);
    out_.Put(']');
    out_.PutCharacter(utf8);
    out_.Put(close);
}

THtmlText TBbcodeEmitter::Finish() {
    out_.Append(suffix_);
    return THtmlText(out_.Take(), TTextEncoding::Utf8);
}
