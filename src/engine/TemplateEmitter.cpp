#include "engine/TemplateEmitter.h"

#include "engine/CodePage.h"
#include "engine/MarkupEscape.h"
#include "engine/MinecraftEmitters.h"
#include "engine/OrivUtil.h"
#include "engine/TextJoin.h"
#include "engine/TextShadow.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// What a streaming emitter holds before it hands it on.
constexpr std::size_t kDrainBytes = std::size_t{1} << 16;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Each channel's two digits equal: the three-digit form says the same colour.
bool ShortHexExact(const std::array<char, 6>& hex) {
    return hex[0] == hex[1] && hex[2] == hex[3] && hex[4] == hex[5];
}

void AppendMiniMessageText(std::string& out, std::string_view utf8) {
    for (const char c : utf8) {
        if (c == '<' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
}

void AppendPiece(std::string& out, const TTemplatePiece& piece, TColor color, std::string_view unit,
                 std::string_view styles, const TTextShadow& shadow) {
    std::array<char, 6> hex{};
    WriteColorHex(color, hex.data());
    const auto channel = [&](int shift) { return (color >> shift) & 0xFFu; };
    const auto hexDigits = [&](bool lower, bool shortForm) {
        for (std::size_t k = 0; k < 6; k += shortForm ? 2 : 1) {
            out += lower ? Lower(hex[k]) : hex[k];
        }
    };
    switch (piece.Field) {
    case TTemplateField::Literal:
        out += piece.Text;
        break;
    case TTemplateField::HexUpper:
    case TTemplateField::HexLower:
        hexDigits(piece.Field == TTemplateField::HexLower, false);
        break;
    case TTemplateField::Hex3Upper:
    case TTemplateField::Hex3Lower:
        hexDigits(piece.Field == TTemplateField::Hex3Lower, ShortHexExact(hex));
        break;
    case TTemplateField::Red:
    case TTemplateField::Green:
    case TTemplateField::Blue:
        out += std::to_string(
            channel(8 * (static_cast<int>(piece.Field) - static_cast<int>(TTemplateField::Red))));
        break;
    case TTemplateField::RedUnit:
    case TTemplateField::GreenUnit:
    case TTemplateField::BlueUnit:
        out += FractionText(
            channel(8 * (static_cast<int>(piece.Field) - static_cast<int>(TTemplateField::RedUnit))) / 255.0);
        break;
    case TTemplateField::DigitUpper:
    case TTemplateField::DigitLower: {
        const char digit = hex[static_cast<std::size_t>(piece.Digit)];
        out += piece.Field == TTemplateField::DigitLower ? Lower(digit) : digit;
        break;
    }
    case TTemplateField::Unit:
        out += unit;
        break;
    case TTemplateField::UnitJson:
        AppendJsonString(out, unit);
        break;
    case TTemplateField::UnitMarkup:
        AppendHtmlText(out, unit);
        break;
    case TTemplateField::UnitMiniMessage:
        AppendMiniMessageText(out, unit);
        break;
    case TTemplateField::Styles:
        out += styles;
        break;
    case TTemplateField::ShadowHex:
        WriteColorHex(ShadowColor(shadow, color), hex.data());
        out.append(hex.data(), hex.size());
        break;
    case TTemplateField::ShadowArgb:
        out += std::to_string(ShadowArgb(shadow, color));
        break;
    }
}

} // namespace

TTemplateEmitter::TTemplateEmitter(std::shared_ptr<const TOutputTemplate> form, const THtmlOptions& options,
                                   std::string_view text, int unitCount)
    : form_(std::move(form)), merge_(form_->Merge || options.Fit.MergeRuns),
      plainSpaces_(options.Fit.PlainSpaces),
      shadow_(options.Shadow.Mode == TShadowMode::None ? TTextShadow{.Mode = TShadowMode::Auto}
                                                       : options.Shadow) {
    constexpr TFontStyles kStyleBits[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
    for (std::size_t style = 0; style < form_->StyleCodes.size(); ++style) {
        if ((options.Style & kStyleBits[style]) != 0) {
            styles_ += form_->StyleCodes[style];
        }
    }
    out_.reserve(text.size() * 2 + static_cast<std::size_t>(unitCount > 0 ? unitCount : 0) * 16);
    out_ = form_->Prefix;
}

void TTemplateEmitter::AppendUnit(const TTextUnit& unit, TColor color) {
    const std::string_view utf8 = UnitUtf8(unit);
    if (!run_.empty()) {
        // A plain space goes in the colour before it.
        if (plainSpaces_ && utf8 == " ") {
            color = runColor_;
        }
        if (merge_ && color == runColor_) {
            run_ += utf8;
            return;
        }
        WriteRun();
    }
    run_ = utf8;
    runColor_ = color;
}

void TTemplateEmitter::WriteRun() {
    if (!first_) {
        out_ += form_->Separator;
    }
    first_ = false;
    for (const TTemplatePiece& piece : form_->Unit) {
        AppendPiece(out_, piece, runColor_, run_, styles_, shadow_);
    }
    run_.clear();
    Drain(kDrainBytes);
}

void TTemplateEmitter::Drain(std::size_t least) {
    if (sink_ != nullptr && out_.size() >= least) {
        sink_->Write(out_);
        out_.clear();
    }
}

THtmlText TTemplateEmitter::Finish() {
    if (!run_.empty()) {
        WriteRun();
    }
    out_ += form_->Suffix;
    if (sink_ != nullptr) {
        out_ += kCrLf;
        Drain(0);
        return THtmlText({}, TTextEncoding::Utf8);
    }
    return THtmlText(std::move(out_), TTextEncoding::Utf8);
}

TOutputKindRow TemplateKindRow(std::string_view name, std::shared_ptr<const TOutputTemplate> form) {
    TFontStyles styles = 0;
    constexpr TFontStyles kStyleBits[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
    for (std::size_t style = 0; style < form->StyleCodes.size(); ++style) {
        styles |= form->StyleCodes[style].empty() ? 0 : kStyleBits[style];
    }
    const bool shadows = std::any_of(form->Unit.begin(), form->Unit.end(), [](const TTemplatePiece& piece) {
        return piece.Field == TTemplateField::ShadowHex || piece.Field == TTemplateField::ShadowArgb;
    });
    const std::size_t budget = form->Limit;
    const TLengthUnit counted = form->Counted;
    return {.Kind = okFont,
            .Name = name,
            .Help = "the template given",
            .Encoding = TTextEncoding::Utf8,
            .Options = 0,
            .Make = [form = std::move(form)](
                        const TTagVocabulary& /*tg*/, const THtmlOptions& options, std::string_view text,
                        int unitCount, const TClusterTable& /*clusters*/) -> std::unique_ptr<TOutputEmitter> {
                return std::make_unique<TTemplateEmitter>(form, options, text, unitCount);
            },
            .Page = nullptr,
            .File = PlainTextFile(),
            .InWindow = false,
            .Caption = nullptr,
            .Hint = nullptr,
            .Copied = nullptr,
            .CopiedOneLine = nullptr,
            .NotWritten = nullptr,
            .OtherTarget = true,
            .Budget = budget,
            .Counted = counted,
            .Fitting = {.Shortens = true},
            .Styles = styles,
            .Shadows = shadows};
}
