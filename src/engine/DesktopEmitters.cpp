#include "engine/DesktopEmitters.h"

#include "engine/CodePage.h"
#include "engine/ControlPicture.h"
#include "engine/GradientWalk.h"
#include "engine/MarkupEscape.h"
#include "engine/OrivUtil.h"
#include "engine/OutputSink.h"
#include "engine/TextJoin.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::string_view kIsolate = "<bdi>";
constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";      // U+2028
constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9"; // U+2029

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
    MarkControls();
    MarkSpecial("\\{}$&#^_%~");
    MarkSpecial("\xA8\xA9"); // the last bytes of the line and paragraph separators
    out_.Expect(4 + text.size() * 2 + RunCodes(characterCount) * 24);
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
    // The math renderer refuses control characters and line breaks inside \\text{}.
    std::string_view shown = ControlPictureOf(utf8);
    if (utf8 == kLineSeparator || utf8 == kParagraphSeparator) {
        shown = utf8 == kLineSeparator ? "\xE2\x90\xA4" : "\xC2\xB6"; // the newline symbol, the pilcrow
    }
    if (!shown.empty()) {
        out_.Append(shown);
        return;
    }
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
    MarkSpecial("&<>\"");
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
                                 std::string_view text, int characterCount, const TClusterTable& clusters)
    : isolated_(HoldsBidiControls(clusters.Utf8)),
      closers_(CloseOpenBidi({}, clusters.Utf8, TBidiCloserForm::Utf8)), count_(characterCount) {
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
    // The text goes behind room for the longest opening, which is laid down in front of it at the
    // end, so that a long text is not copied into another string.
    room_ = Opening("#000000,#000000,#000000").size() + kIsolate.size();
    text_.reserve(room_ + text.size() * 2 + 16);
    text_.assign(room_, ' ');
}

std::string TCssClipEmitter::Opening(std::string_view stops) const {
    return Join("<span style=\"background:linear-gradient(90deg,", stops,
                ");-webkit-background-clip:text;background-clip:text;color:transparent", HtmlEscaped(styles_),
                "\">");
}

void TCssClipEmitter::Note(TColor color, int units) {
    if (seen_ == 0) {
        first_ = color;
    }
    const int middle = (count_ + 1) / 2;
    if (seen_ < middle && middle <= seen_ + units) {
        middle_ = color;
    }
    seen_ += units;
    last_ = color;
}

std::size_t TCssClipEmitter::AppendCharacters(std::string_view cp932, std::size_t most) {
    const TCp932Utf8Table& table = TCp932Utf8Table::Get();
    // Written into a block on the stack, appended whenever it is nearly full.
    constexpr std::size_t kBlock = 8192;
    constexpr std::size_t kLongest = 5; // "&amp;"
    std::array<char, kBlock> block;
    std::size_t used = 0;
    std::size_t at = 0;
    for (std::size_t taken = 0; at < cp932.size() && taken < most; ++taken) {
        if (used + kLongest > kBlock) {
            text_.append(block.data(), used);
            used = 0;
        }
        const char lead = cp932[at];
        const std::size_t length = CharLengthAt(cp932, at);
        if (lead == '&' || lead == '<' || lead == '>') {
            const std::string_view entity = HtmlTextEntity(lead);
            std::memcpy(block.data() + used, entity.data(), entity.size());
            used += entity.size();
        } else if (length == 1 && static_cast<unsigned char>(lead) < 0x80) {
            block[used++] = lead; // ASCII is the same in UTF-8
        } else {
            // No byte of a character beyond ASCII is one of the escaped.
            for (const char byte : table.Lookup(cp932.substr(at, length))) {
                block[used++] = byte;
            }
        }
        at += length;
    }
    text_.append(block.data(), used);
    return at;
}

void TCssClipEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    Note(color);
    AppendHtmlText(text_, UnitUtf8(unit));
}

void TCssClipEmitter::AppendUnits(TUnitWalk& walk, TGradientWalk& colors, int count) {
    // Of the colours only the first, middle and last are written: a run of one colour is noted
    // at once.
    for (int k = 0; k < count;) {
        const TColor color = colors.Next();
        const int same = std::min(colors.Repeats(color), count - k - 1);
        colors.Skip(same);
        Note(color, 1 + same);
        k += 1 + same;
    }
    // The characters between two clusters in one stretch.
    const std::string_view text = walk.Text();
    std::size_t stretch = walk.Offset();
    int k = 0;
    for (; k < count && walk.ClusterAhead(); ++k) {
        const std::size_t start = walk.Offset();
        if (const TClusterUnit* cluster = walk.Step()) {
            AppendCharacters(text.substr(stretch, start - stretch));
            AppendHtmlText(text_, walk.Cluster(*cluster).Utf8);
            stretch = walk.Offset();
        }
    }
    AppendCharacters(text.substr(stretch, walk.Offset() - stretch));
    // After the last cluster, the characters are counted as they are converted.
    if (k < count) {
        walk.MoveTo(walk.Offset() +
                    AppendCharacters(text.substr(walk.Offset()), static_cast<std::size_t>(count - k)));
    }
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
    // Like the other HTML kinds, a text with directional controls closes what it opens and
    // stands in an isolate, so that the page's text after it keeps its direction.
    const std::string opening = Join(isolated_ ? kIsolate : "", Opening(stops));
    const std::size_t slack = room_ - opening.size();
    std::copy(opening.begin(), opening.end(), text_.begin() + static_cast<std::ptrdiff_t>(slack));
    text_.erase(0, slack);
    text_ += Join(closers_, "</span>", isolated_ ? "</bdi>" : "");
    if (sink_ != nullptr) {
        text_ += kCrLf;
        sink_->Write(text_);
        return THtmlText({}, TTextEncoding::Utf8);
    }
    return THtmlText(std::move(text_), TTextEncoding::Utf8);
}
