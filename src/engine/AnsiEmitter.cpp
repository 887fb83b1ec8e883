#include "engine/AnsiEmitter.h"

#include "engine/CodePage.h"
#include "engine/ControlPicture.h"
#include "engine/FontStyle.h"
#include "engine/HtmlOptions.h"

#include <array>

namespace {

constexpr std::string_view kReset = "\x1b[0m";
// "\x1b[38;2;" + "255;255;255" + "m", or "\x1b[38;5;" + "231" + "m"
constexpr std::size_t kLongestColor = 19;

// The step of the terminal's colour cube nearest to a channel (levels 0, 95, 135, 175, 215, 255).
constexpr int CubeStep(unsigned channel) {
    if (channel < 48) {
        return 0;
    }
    if (channel < 115) {
        return 1;
    }
    return static_cast<int>((channel - 35) / 40);
}

constexpr std::array<unsigned char, 256> MakeCubeSteps() {
    std::array<unsigned char, 256> steps{};
    for (unsigned channel = 0; channel < 256; ++channel) {
        steps[channel] = static_cast<unsigned char>(CubeStep(channel));
    }
    return steps;
}

constexpr std::array<unsigned char, 256> kCubeSteps = MakeCubeSteps();

TColor PlainColorOfHex(std::string_view hex) {
    const auto digit = [](char c) -> unsigned {
        if (c >= '0' && c <= '9') {
            return static_cast<unsigned>(c - '0');
        }
        if (c >= 'A' && c <= 'F') {
            return static_cast<unsigned>(c - 'A' + 10);
        }
        if (c >= 'a' && c <= 'f') {
            return static_cast<unsigned>(c - 'a' + 10);
        }
        return 0;
    };
    TColor color = 0;
    for (std::size_t channel = 0; channel < 3 && 2 * channel + 1 < hex.size(); ++channel) {
        color |= (digit(hex[2 * channel]) * 16 + digit(hex[2 * channel + 1])) << (8 * channel);
    }
    return color;
}

// A control or directional character as something the terminal shows; a tab stays.
std::string_view ControlPicture(std::string_view utf8) {
    if (utf8.size() == 1 && static_cast<unsigned char>(utf8[0]) >= 0x20 && utf8[0] != '\x7F') [[likely]] {
        return {}; // the printable ASCII most lines are made of
    }
    const std::string_view picture = ControlOrC1PictureOf(utf8);
    return picture.empty() ? DirectionPictureOf(utf8) : picture;
}

} // namespace

int AnsiCubeIndex(TColor color) {
    return 16 + 36 * kCubeSteps[color & 0xFF] + 6 * kCubeSteps[(color >> 8) & 0xFF] +
           kCubeSteps[(color >> 16) & 0xFF];
}

TColorDepth AnsiColorDepth(const THtmlOptions& options) {
    switch (options.Kind) {
    case okAnsi256:
        return TColorDepth::Palette256;
    case okTerm:
        return options.TermDepth;
    default:
        return TColorDepth::TrueColor;
    }
}

TAnsiEmitter::TAnsiEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options, std::string_view text,
                           int characterCount, const TClusterTable& /*clusters*/)
    : depth_(AnsiColorDepth(options)), characters_(TCp932Utf8Table::Get()) {
    std::string codes;
    const auto code = [&](std::string_view number) {
        codes += codes.empty() ? "" : ";";
        codes += number;
    };
    if ((options.Style & fsBold) != 0) {
        code("1");
    }
    if ((options.Style & fsItalic) != 0) {
        code("3");
    }
    if ((options.Style & fsUnderline) != 0) {
        code("4");
    }
    if ((options.Style & fsStrikeOut) != 0) {
        code("9");
    }
    if (options.Table) {
        const TColor background = PlainColorOfHex(options.BackgroundHex);
        if (depth_ == TColorDepth::TrueColor) {
            code("48;2;" + std::to_string(background & 0xFF) + ";" +
                 std::to_string((background >> 8) & 0xFF) + ";" + std::to_string((background >> 16) & 0xFF));
        } else if (depth_ == TColorDepth::Palette256) {
            code("48;5;" + std::to_string(Palette256Index(background)));
        } else if (depth_ == TColorDepth::Basic16) {
            const int index = Basic16Index(background);
            code(std::to_string(index < 8 ? 40 + index : 100 + index - 8));
        }
    }
    if (!codes.empty() && depth_ != TColorDepth::None) {
        opening_ = "\x1b[" + codes + "m";
    }
    const std::size_t characters = characterCount > 0 ? static_cast<std::size_t>(characterCount) : 0;
    out_.Expect(opening_.size() + 2 * text.size() + characters * kLongestColor + kReset.size());
}

void TAnsiEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    if (!opened_) [[unlikely]] {
        opened_ = true;
        out_.Append(opening_);
    }
    std::string_view utf8 = unit.IsCluster() ? unit.Utf8 : characters_.Lookup(unit.Bytes);
    if (const std::string_view picture = ControlPicture(utf8); !picture.empty()) {
        utf8 = picture;
    }
    out_.MakeRoom(kLongestColor + utf8.size());
    switch (depth_) {
    case TColorDepth::TrueColor:
        out_.Put("\x1b[38;2;");
        out_.PutByte(color & 0xFF);
        out_.Put(';');
        out_.PutByte((color >> 8) & 0xFF);
        out_.Put(';');
        out_.PutByte((color >> 16) & 0xFF);
        out_.Put('m');
        break;
    case TColorDepth::Palette256:
        out_.Put("\x1b[38;5;");
        out_.PutByte(static_cast<unsigned>(Palette256Index(color)));
        out_.Put('m');
        break;
    case TColorDepth::Basic16: {
        const int index = Basic16Index(color);
        out_.Put("\x1b[");
        out_.PutByte(static_cast<unsigned>(index < 8 ? 30 + index : 90 + index - 8));
        out_.Put('m');
        break;
    }
    case TColorDepth::None:
        break;
    }
    out_.PutCharacter(utf8);
}

THtmlText TAnsiEmitter::Finish() {
    if (!opened_) {
        out_.Append(opening_);
    }
    if (depth_ != TColorDepth::None) {
        out_.Append(kReset);
    }
    if (out_.Streaming()) {
        out_.Drain();
        return THtmlText({}, TTextEncoding::Utf8);
    }
    return THtmlText(out_.Take(), TTextEncoding::Utf8);
}

TColor ShownInPalette256(TColor color, const THtmlOptions& /*options*/) {
    return Palette256Color(Palette256Index(color));
}
