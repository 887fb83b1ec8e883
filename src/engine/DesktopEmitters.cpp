#include "engine/DesktopEmitters.h"

#include "engine/CodePage.h"
#include "engine/MarkupEscape.h"
#include "engine/OrivUtil.h"
#include "engine/OutputSink.h"
#include "engine/TextJoin.h"

#include <algorithm>

namespace {

constexpr std::size_t Units(int count) {
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

// The CSS or Pango size of HTML font size 3 + step.
std::string_view SizeWord(int step) {
    constexpr std::string_view words[] = {"medium", "large", "x-large", "xx-large", "xx-large"};
    return words[std::clamp(step, 0, 4)];
}

std::string Hex(TColor color) {
    char digits[6];
    WriteColorHex(color, digits);
    return std::string(digits, 6);
}

} // namespace

TGithubEmitter::TGithubEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options,
                               std::string_view text, int characterCount, const TClusterTable& /*clusters*/)
    : TTargetEmitter(options, true) {
    out_.Expect(4 + text.size() * 2 + Units(characterCount) * 24);
    out_.Append("$");
}

void TGithubEmitter::PutCode(TColor color) {
    out_.MakeRoom(24);
    if (open_) {
        out_.Put('}');
    }
    out_.Put("\\color{#");
    out_.PutHex(color);
    out_.Put("}\\text{");
    open_ = true;
}

void TGithubEmitter::PutText(std::string_view utf8) {
    if (utf8.find_first_of("\\{}$&#^_%~") == std::string_view::npos) {
        out_.MakeRoom(utf8.size());
        out_.PutCharacter(utf8);
        return;
    }
    for (const char c : utf8) {
        switch (c) {
        case '\\':
            out_.Append("}\\backslash\\text{");
            break;
        case '^':
            out_.Append("}\\hat{}\\text{");
            break;
        case '~':
            out_.Append("}\\sim\\text{");
            break;
        case '{':
        case '}':
        case '$':
        case '&':
        case '#':
        case '_':
        case '%':
            out_.Append(Join("\\", std::string_view(&c, 1)));
            break;
        default:
            out_.Append(std::string_view(&c, 1));
        }
    }
}

void TGithubEmitter::PutEnd() {
    out_.Append(open_ ? "}$" : "$");
}

TPangoEmitter::TPangoEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options, std::string_view text,
                             int characterCount, const TClusterTable& /*clusters*/)
    : TTargetEmitter(options, false) {
    std::string span = "<span";
    if (options.FaceTag) {
        span += Join(" font_family=\"", HtmlEscaped(Cp932ToUtf8(options.FaceName)), "\"");
    }
    if (options.Sized()) {
        span += Join(" size=\"", SizeWord(options.SizeStep), "\"");
    }
    span += Bold(options) ? " weight=\"bold\"" : "";
    span += Italic(options) ? " style=\"italic\"" : "";
    span += Underline(options) ? " underline=\"single\"" : "";
    span += Strike(options) ? " strikethrough=\"true\"" : "";
    span += ">";
    out_.Expect(span.size() + 16 + text.size() * 2 + Units(characterCount) * 36);
    out_.Append(span);
}

void TPangoEmitter::PutCode(TColor color) {
    out_.MakeRoom(36);
    if (open_) {
        out_.Put("</span>");
    }
    out_.Put("<span foreground=\"#");
    out_.PutHex(color);
    out_.Put("\">");
    open_ = true;
}

void TPangoEmitter::PutText(std::string_view utf8) {
    if (utf8.find_first_of("&<>\"") == std::string_view::npos) {
        out_.MakeRoom(utf8.size());
        out_.PutCharacter(utf8);
        return;
    }
    out_.Append(HtmlEscaped(utf8));
}

void TPangoEmitter::PutEnd() {
    out_.Append(open_ ? "</span></span>" : "</span>");
}

TCssClipEmitter::TCssClipEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options,
                                 std::string_view text, int characterCount, const TClusterTable& /*clusters*/)
    : count_(characterCount) {
    text_.reserve(text.size() * 2);
    if (options.FaceTag) {
        styles_ += Join(";font-family:'", CssStringEscaped(Cp932ToUtf8(options.FaceName)), "'");
    }
    if (options.Sized()) {
        styles_ += Join(";font-size:", SizeWord(options.SizeStep));
    }
    styles_ += Bold(options) ? ";font-weight:bold" : "";
    styles_ += Italic(options) ? ";font-style:italic" : "";
    if (Underline(options) || Strike(options)) {
        styles_ +=
            Underline(options) && Strike(options)
                ? ";text-decoration:underline line-through"
                : (Underline(options) ? ";text-decoration:underline" : ";text-decoration:line-through");
    }
}

void TCssClipEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    ++seen_;
    if (seen_ == 1) {
        first_ = color;
    }
    if (seen_ == (count_ + 1) / 2) {
        middle_ = color;
    }
    last_ = color;
    AppendHtmlText(text_, UnitUtf8(unit));
}

THtmlText TCssClipEmitter::Finish() {
    const int n = seen_;
    const int mid = (n + 1) / 2;
    const auto straight = [&](int shift) {
        const int a = static_cast<int>((first_ >> shift) & 0xFF);
        const int b = static_cast<int>((last_ >> shift) & 0xFF);
        return Ramp(a, b, mid, n) == static_cast<int>((middle_ >> shift) & 0xFF);
    };
    std::string stops = Join("#", Hex(first_));
    if (n > 2 && !(straight(0) && straight(8) && straight(16))) {
        stops += Join(",#", Hex(middle_));
    }
    stops += Join(",#", Hex(last_));
    std::string written = Join("<span style=\"background:linear-gradient(90deg,", stops,
                               ");-webkit-background-clip:text;background-clip:text;color:transparent",
                               HtmlEscaped(styles_), "\">", text_, "</span>");
    if (sink_ != nullptr) {
        sink_->Write(Join(written, kCrLf));
        return THtmlText({}, TTextEncoding::Utf8);
    }
    return THtmlText(std::move(written), TTextEncoding::Utf8);
}
