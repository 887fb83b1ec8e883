#include "engine/MarkupEmitter.h"

#include "engine/CodePage.h"
#include "engine/MarkupEscape.h"

namespace {

constexpr std::size_t kHexDigits = 6;

// Whether a unit's UTF-8 holds a character that element text may not hold raw (a cluster can
// begin with one: "<" and a combining mark).
bool NeedsEscape(std::string_view utf8) {
    return utf8.find_first_of("&<>") != std::string_view::npos;
}

} // namespace

void TMarkupEmitter::Start(TMarkup&& markup, std::size_t textBytes, int unitCount) {
    firstOpen_ = TPiece(markup.FirstOpen);
    open_ = TPiece(markup.Open);
    afterColor_ = TPiece(markup.AfterColor);
    firstClose_ = TPiece(markup.FirstClose);
    close_ = TPiece(markup.Close);
    suffix_ = std::move(markup.Suffix);
    opening_ = std::move(markup.Opening);
    writers_ = std::move(markup.Writers);
    text_ = markup.Text;
    clusters_ = markup.Clusters;

    const std::size_t units = unitCount > 0 ? static_cast<std::size_t>(unitCount) : 0;
    out_.Expect(opening_.size() + textBytes +
                units * (open_.size() + kHexDigits + afterColor_.size() + close_.size()) +
                (firstOpen_.size() - open_.size()) + (firstClose_.size() - close_.size()) + suffix_.size() +
                writers_.size() * textBytes);
}

void TMarkupEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    if (first_) [[unlikely]] {
        Lay(opening_);
        std::string().swap(opening_);
    }
    const TPiece& open = first_ ? firstOpen_ : open_;
    const TPiece& close = first_ ? firstClose_ : close_;
    first_ = false;
    std::string_view text = unit.Bytes;
    std::string escaped;
    if (form_ != TUnitForm::Cp932) {
        text = UnitUtf8(unit);
        if (form_ == TUnitForm::Utf8Text) {
            if (text.size() == 1) {
                if (const std::string_view entity = HtmlTextEntity(text.front()); !entity.empty()) {
                    text = entity;
                }
            } else if (unit.IsCluster() && NeedsEscape(text)) {
                AppendHtmlText(escaped, text);
                text = escaped;
            }
        }
    }
    out_.MakeRoom(open.size() + kHexDigits + afterColor_.size() + text.size() + close.size());
    out_.Put(open);
    out_.PutHex(color);
    out_.Put(afterColor_);
    out_.PutCharacter(text);
    out_.Put(close);
}

THtmlText TMarkupEmitter::Finish() {
    if (first_) {
        Lay(opening_);
    }
    Lay(suffix_);
    if (out_.Streaming()) {
        out_.Drain();
        return THtmlText({}, encoding_);
    }
    return THtmlText(out_.Take(), encoding_);
}

void TMarkupEmitter::Lay(std::string_view part) {
    for (std::size_t mark;
         (mark = part.find(kTextMark)) != std::string_view::npos && nextWriter_ < writers_.size();) {
        out_.Append(part.substr(0, mark));
        writers_[nextWriter_++](text_, *clusters_, out_);
        part.remove_prefix(mark + kTextMark.size());
    }
    out_.Append(part);
}
