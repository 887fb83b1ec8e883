#include "engine/MinecraftEmitters.h"

#include "engine/CodePage.h"
#include "engine/HtmlOptions.h"
#include "engine/MiniMessageGradient.h"
#include "engine/OrivUtil.h"
#include "engine/TextJoin.h"

#include <cstdio>

namespace {

constexpr std::string_view kSection = "\xC2\xA7";

} // namespace

std::string MiniMessageShadowTag(const TTextShadow& shadow, TColor color) {
    char hex[6];
    WriteColorHex(ShadowColor(shadow, color), hex);
    std::string tag = Join("<shadow:#", std::string_view(hex, 6));
    if (shadow.Mode == TShadowMode::Fixed && shadow.Alpha < 1) {
        tag += Join(":", FractionText(shadow.Alpha));
    }
    return tag + ">";
}

TMiniMessageEmitter::TMiniMessageEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options,
                                         std::string_view text, int characterCount,
                                         const TClusterTable& /*clusters*/)
    : TTargetEmitter(options, false) {
    MarkSpecial("<\\");
    std::string opening;
    const auto wrap = [&](bool on, std::string_view tag) {
        if (on) {
            opening.append("<").append(tag).append(">");
            closing_.insert(0, std::string("</").append(tag).append(">"));
        }
    };
    wrap(Bold(options), "b");
    wrap(Italic(options), "i");
    wrap(Underline(options), "u");
    wrap(Strike(options), "st");
    if (options.Shadow.Mode == TShadowMode::Fixed) {
        opening += MiniMessageShadowTag(options.Shadow, 0);
    }
    autoShadow_ = options.Shadow.Mode == TShadowMode::Auto;
    out_.Expect(opening.size() + closing_.size() + text.size() * 2 +
                static_cast<std::size_t>(characterCount > 0 ? characterCount : 0) * 9);
    out_.Append(opening);
}

void TMiniMessageEmitter::PutCode(TColor color) {
    out_.MakeRoom(9);
    out_.Put("<#");
    out_.PutHex(color);
    out_.Put('>');
    if (autoShadow_) {
        out_.Append(MiniMessageShadowTag(TTextShadow{.Mode = TShadowMode::Auto}, color));
    }
}

void TMiniMessageEmitter::PutText(std::string_view utf8) {
    if (utf8.find_first_of("<\\") == std::string_view::npos) {
        out_.MakeRoom(utf8.size());
        out_.PutCharacter(utf8);
        return;
    }
    for (const char c : utf8) {
        out_.Append(c == '<' ? "\\<" : (c == '\\' ? "\\\\" : std::string_view(&c, 1)));
    }
}

void TMiniMessageEmitter::PutEnd() {
    out_.Append(closing_);
}

TLegacyCodeEmitter::TLegacyCodeEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options,
                                       std::string_view text, int characterCount,
                                       const TClusterTable& /*clusters*/)
    : TTargetEmitter(options, false), prefix_(options.Kind == okSectionX ? kSection : "&"),
      hexForm_(options.Kind == okAmpHex) {
    // "&", and the last byte of "§" (CodeAfter tells it from the other characters that end in it).
    MarkSpecial("&\xA7");
    const auto format = [&](bool on, char code) {
        if (on) {
            formats_.append(prefix_).push_back(code);
        }
    };
    format(Bold(options), 'l');
    format(Italic(options), 'o');
    format(Underline(options), 'n');
    format(Strike(options), 'm');
    if (!hexForm_) {
        // The x form: the prefix before the x and before each digit, the digits filled in.
        code_ = prefix_ + "x";
        for (int digit = 0; digit < 6; ++digit) {
            code_ += prefix_;
            digits_[static_cast<std::size_t>(digit)] = code_.size();
            code_ += '0';
        }
    }
    const std::size_t code = hexForm_ ? 8 : 7 * prefix_.size() + 7;
    out_.Expect(text.size() * 2 +
                static_cast<std::size_t>(characterCount > 0 ? characterCount : 0) * (code + formats_.size()));
}

void TLegacyCodeEmitter::PutCode(TColor color) {
    out_.MakeRoom(24 + formats_.size());
    if (hexForm_) {
        out_.Put("&#");
        out_.PutHex(color);
    } else {
        char hex[6];
        WriteColorHex(color, hex);
        for (std::size_t digit = 0; digit < 6; ++digit) {
            code_[digits_[digit]] = hex[digit];
        }
        out_.Put(code_);
    }
    out_.Put(formats_);
}

void TLegacyCodeEmitter::PutText(std::string_view utf8) {
    out_.MakeRoom(utf8.size());
    out_.PutCharacter(utf8);
}

bool TLegacyCodeEmitter::CodeAfter(std::string_view utf8) const {
    // "&" or "§" then a code character would read as a code: the next unit starts with a code.
    return utf8.ends_with('&') || utf8.ends_with(kSection);
}

TJsonEmitter::TJsonEmitter(const TTagVocabulary& /*tg*/, const THtmlOptions& options, std::string_view text,
                           int characterCount, const TClusterTable& /*clusters*/)
    : TTargetEmitter(options, false), shadow_(options.Shadow) {
    MarkControls();
    MarkSpecial("\t\"\\");
    const auto style = [&](bool on, std::string_view name) {
        if (on) {
            styles_.append(",\"").append(name).append("\":true");
        }
    };
    style(Bold(options), "bold");
    style(Italic(options), "italic");
    style(Underline(options), "underlined");
    style(Strike(options), "strikethrough");
    out_.Expect(4 + text.size() * 2 +
                static_cast<std::size_t>(characterCount > 0 ? characterCount : 0) * (32 + styles_.size()));
    out_.Append("[\"\"");
}

void TJsonEmitter::CloseObject() {
    if (open_) {
        out_.MakeRoom(22 + styles_.size());
        out_.Put("\",\"color\":\"#");
        out_.PutHex(color_);
        out_.Put('"');
        out_.Put(styles_);
        if (shadow_.Mode != TShadowMode::None) {
            out_.Append(Join(",\"shadow_color\":", std::to_string(ShadowArgb(shadow_, color_))));
            out_.MakeRoom(1);
        }
        out_.Put('}');
    }
}

void TJsonEmitter::PutCode(TColor color) {
    CloseObject();
    out_.Append(",{\"text\":\"");
    color_ = color;
    open_ = true;
}

void TJsonEmitter::PutText(std::string_view utf8) {
    if (utf8.size() == 1 && utf8.front() >= 0x20 && utf8.front() != '"' && utf8.front() != '\\') {
        out_.MakeRoom(1);
        out_.Put(utf8.front());
        return;
    }
    std::string escaped;
    AppendJsonString(escaped, utf8);
    out_.Append(escaped);
}

void TJsonEmitter::PutEnd() {
    CloseObject();
    out_.Append("]");
}

void AppendJsonString(std::string& out, std::string_view utf8) {
    char buffer[32];
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        const auto byte = static_cast<unsigned char>(utf8[k]);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x20) {
            const char* named = byte == '\n' ? "\\n" : byte == '\r' ? "\\r" : byte == '\t' ? "\\t" : nullptr;
            if (named == nullptr) {
                std::snprintf(buffer, sizeof buffer, "\\u%04X", byte);
                named = buffer;
            }
            out += named;
        } else if (byte >= 0xF0 && k + 3 < utf8.size()) {
            // Four bytes: a character beyond U+FFFF, as a surrogate pair.
            const unsigned long c = ((byte & 0x07UL) << 18) |
                                    ((static_cast<unsigned char>(utf8[k + 1]) & 0x3FUL) << 12) |
                                    ((static_cast<unsigned char>(utf8[k + 2]) & 0x3FUL) << 6) |
                                    (static_cast<unsigned char>(utf8[k + 3]) & 0x3FUL);
            const unsigned long v = c - 0x10000;
            std::snprintf(buffer, sizeof buffer, "\\u%04lX\\u%04lX", 0xD800 + (v >> 10),
                          0xDC00 + (v & 0x3FF));
            out += buffer;
            k += 3;
        } else {
            out += static_cast<char>(byte);
        }
    }
}

THtmlText MiniMessageGradientTag(std::string_view text, const TClusterTable& clusters,
                                 const TGradient& gradient, const THtmlOptions& options) {
    if (options.Shadow.Mode == TShadowMode::Auto) {
        return {}; // each character's own shade
    }
    std::string opening;
    std::string closing;
    const auto wrap = [&](TFontStyles bit, std::string_view tag) {
        if ((options.Style & bit) != 0) {
            opening += Join("<", tag, ">");
            closing.insert(0, Join("</", tag, ">"));
        }
    };
    wrap(fsBold, "b");
    wrap(fsItalic, "i");
    wrap(fsUnderline, "u");
    wrap(fsStrikeOut, "st");
    if (options.Shadow.Mode == TShadowMode::Fixed) {
        opening += MiniMessageShadowTag(options.Shadow, 0);
    }
    const std::vector<TColor> colours = MiniMessageColoursOf(gradient);
    if (!MiniMessageDrawsGradient(text, clusters, gradient, colours)) {
        return THtmlText();
    }
    std::string stops;
    for (const TColor colour : colours) {
        char hex[6];
        WriteColorHex(colour, hex);
        stops.append(stops.empty() ? "#" : ":#").append(hex, sizeof hex);
    }
    std::string written = Join(opening, "<gradient:", stops, ">");
    for (TUnitWalk walk(text, clusters); !walk.AtEnd();) {
        for (const char c : UnitUtf8(walk.Next())) {
            written += c == '<' ? "\\<" : (c == '\\' ? "\\\\" : std::string(1, c));
        }
    }
    written += Join("</gradient>", closing);
    return THtmlText(std::move(written), TTextEncoding::Utf8);
}
