#include "companion/CompanionValues.h"

#include "companion/CompanionOptions.h"
#include "companion/CompanionRefusal.h"
#include "engine/CodePage.h"
#include "engine/TextLanguage.h"
#include "engine/Utf8.h"
#include "store/IniErrors.h"
#include "store/IniGT.h"
#include "store/SafeFile.h"
#include "store/StyleRecord.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

std::optional<int> HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

TUsageError BadValue(std::string_view option, std::string_view value, std::string_view expected) {
    return Refusal("bad value '", value, "' for ", option, ": ", expected);
}

// A number with an optional sign and decimals, nothing else.
std::optional<double> ParseNumber(std::string_view value) {
    return DecimalFromText(value);
}

// The code point of the UTF-8 character `c` as U+XXXX, or the bytes when it is not valid UTF-8.
std::string DescribeCharacter(std::string_view c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(c[k]); };
    char buffer[32];
    unsigned long codePoint = 0;
    if (c.size() == 2 && (byte(0) & 0xE0) == 0xC0) {
        codePoint = ((byte(0) & 0x1Fu) << 6) | (byte(1) & 0x3Fu);
    } else if (c.size() == 3 && (byte(0) & 0xF0) == 0xE0) {
        codePoint = ((byte(0) & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
    } else if (c.size() == 4 && (byte(0) & 0xF8) == 0xF0) {
        codePoint = ((byte(0) & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) | ((byte(2) & 0x3Fu) << 6) |
                    (byte(3) & 0x3Fu);
    } else {
        std::string bytes = "the byte";
        for (std::size_t k = 0; k < c.size(); ++k) {
            std::snprintf(buffer, sizeof buffer, " 0x%02X", byte(k));
            bytes += buffer;
        }
        bytes += ", which is not UTF-8";
        return bytes;
    }
    std::snprintf(buffer, sizeof buffer, "U+%04lX", codePoint);
    std::string described = "'";
    described.append(c).append("' (").append(buffer).append(")");
    return described;
}

std::optional<TColor> ColorFromText(std::string_view value) {
    std::string_view digits = value;
    if (digits.starts_with('#')) {
        digits.remove_prefix(1);
    }
    if (digits.size() == 6 || digits.size() == 3) {
        const std::size_t perChannel = digits.size() / 3;
        bool valid = true;
        int channels[3] = {0, 0, 0};
        for (std::size_t k = 0; k < digits.size() && valid; ++k) {
            const std::optional<int> digit = HexDigit(digits[k]);
            valid = digit.has_value();
            int& channel = channels[k / perChannel];
            channel = perChannel == 1 ? digit.value_or(0) * 17 : channel * 16 + digit.value_or(0);
        }
        if (valid) {
            return JoinColor({channels[0], channels[1], channels[2], {}});
        }
    }
    return std::nullopt;
}

// The stops with each colour written as six digits, the form the settings file keeps: any colour
// --start takes, with blanks around an item allowed ("#F00, 00FF00@30"). The positions are left
// for ColorStopsFromText to read. Nothing when a colour is not one.
std::optional<std::string> StopsWithSixDigitColors(std::string_view value) {
    std::string text;
    for (std::string_view rest = value;;) {
        const std::size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        while (!item.empty() && item.front() == ' ') {
            item.remove_prefix(1);
        }
        while (!item.empty() && item.back() == ' ') {
            item.remove_suffix(1);
        }
        const std::size_t at = item.find('@');
        const std::optional<TColor> color = ColorFromText(item.substr(0, at));
        if (!color) {
            return std::nullopt;
        }
        char hex[7] = {};
        WriteColorHex(*color, hex);
        text.append(text.empty() ? "" : ",").append(hex, 6);
        if (at != std::string_view::npos) {
            text.append(item.substr(at));
        }
        if (comma == std::string_view::npos) {
            return text;
        }
        rest.remove_prefix(comma + 1);
    }
}

} // namespace

TColor ParseColor(std::string_view option, std::string_view value) {
    if (const std::optional<TColor> color = ColorFromText(value)) {
        return *color;
    }
    throw BadValue(option, value, "six hexadecimal digits RRGGBB (or three, RGB) expected");
}

int ParseSizeStep(std::string_view option, std::string_view value) {
    std::string_view digits = value;
    if (digits.size() == 2 && digits.front() == '+') {
        digits.remove_prefix(1);
    }
    if (digits.size() == 1 && digits.front() >= '0' && digits.front() <= '4') {
        return digits.front() - '0';
    }
    throw BadValue(option, value, "a size step 0 to 4 expected");
}

std::string ParseLanguage(std::string_view option, std::string_view value) {
    if (!IsLanguageTag(value)) {
        throw BadValue(option, value, "a language tag such as en, ja or pt-BR expected");
    }
    return std::string(value);
}

TOutputKind ParseKind(std::string_view option, std::string_view value) {
    if (const std::optional<TOutputKind> kind = OutputKindFromName(value)) {
        return *kind;
    }
    throw BadValue(option, value, OutputKindNames() + " expected");
}

TGradientMode ParseMode(std::string_view option, std::string_view value) {
    if (value == "two") {
        return gmTwoColor;
    }
    if (value == "mirror") {
        return gmMirror;
    }
    if (value == "three") {
        return gmThreeColor;
    }
    throw BadValue(option, value, "two, mirror or three expected");
}

TColorSpace ParseSpace(std::string_view option, std::string_view value) {
    if (const std::optional<TColorSpace> space = ColorSpaceFromName(value)) {
        return *space;
    }
    throw BadValue(option, value, ColorSpaceNames() + " expected");
}

std::vector<TColorStop> ParseStops(std::string_view option, std::string_view value) {
    if (const std::optional<std::string> sixDigits = StopsWithSixDigitColors(value)) {
        if (std::optional<std::vector<TColorStop>> stops = ColorStopsFromText(*sixDigits)) {
            if (!EveryStopShows(*stops)) {
                throw BadValue(
                    option, value,
                    "only the first stop may stand at 0 and only the last at 100: the stops beyond "
                    "them would never show");
            }
            return std::move(*stops);
        }
    }
    throw BadValue(option, value,
                   "2 to 16 colours RRGGBB[@P] separated by commas expected, each P a percentage 0 to 100 "
                   "not below the one before");
}

double ParsePhase(std::string_view option, std::string_view value) {
    if (const std::optional<double> degrees = ParseNumber(value); degrees && std::abs(*degrees) <= 3600) {
        return *degrees;
    }
    throw BadValue(option, value, "a hue in degrees expected");
}

TTextShadow ParseShadow(std::string_view option, std::string_view value) {
    if (value == "auto") {
        return {.Mode = TShadowMode::Auto};
    }
    const std::size_t at = value.find('@');
    TTextShadow shadow{.Mode = TShadowMode::Fixed, .Color = ParseColor(option, value.substr(0, at))};
    if (at != std::string_view::npos) {
        const std::optional<double> alpha = ParseNumber(value.substr(at + 1));
        if (!alpha || *alpha < 0 || *alpha > 1) {
            throw BadValue(option, value, "an opacity from 0 to 1 after @ expected");
        }
        shadow.Alpha = *alpha;
    }
    return shadow;
}

std::string ToCp932(std::string_view what, std::string_view utf8) {
    TCp932Conversion conversion = Utf8ToCp932(utf8);
    if (!conversion.Complete()) {
        throw Refusal(what, " holds a character that CP932 cannot hold: ",
                      DescribeCharacter(conversion.Unmappable.front()));
    }
    return std::move(conversion.Bytes);
}

void ApplyStyleFile(const std::string& name, TCompanionOptions& o) {
    // The system's own reason, so that a link loop is not taken for a missing file.
    struct stat info {};
    if (::stat(name.c_str(), &info) != 0) {
        throw Refusal("cannot read --style '", name, "': ", std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        throw Refusal("cannot read --style '", name, "': ", NotRegularReason(info.st_mode));
    }
    TStyleRecord style;
    try {
        TIniGT store;
        store.SetDefaultDir(ddNone);
        store.SetFileName(name);
        std::vector<std::string> sections;
        store.ReadSections(sections);
        if (sections.empty()) {
            throw Refusal("--style '", name, "' holds no style");
        }
        const std::vector<TBadValue> bad = LoadStyleRecord(store, sections.front(), style);
        if (!bad.empty()) {
            throw Refusal("bad value '", PrintableCp932(bad.front().Value), "' for key ",
                          PrintableCp932(bad.front().Key), " in --style '", name, "'");
        }
    } catch (const EIniError& e) {
        throw Refusal("cannot read --style '", name, "': ", e.what());
    }
    o.start = style.StartColor;
    o.finish = style.FinishColor;
    o.middle = style.MiddleColor;
    o.background = style.BGColor;
    o.mode = GradientModeOf(style.Trico, style.Mirror);
    o.html.Style = style.DrawFont.Style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
    o.html.SizeStep = style.SizeIndex >= 0 && style.SizeIndex <= 4 ? style.SizeIndex : 0;
    o.html.FirstLetterLarger = style.Head;
    o.html.FaceName = style.DrawFont.Name;
    o.extra.Space = style.Space;
    o.extra.Stops = style.Stops;
    o.extra.Rainbow = style.Rainbow;
    o.extra.Phase = style.Phase;
}

std::size_t ParseBudget(std::string_view option, std::string_view value) {
    std::size_t budget = 0;
    const bool digits = !value.empty() && value.size() <= 9 &&
                        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) {
        budget = static_cast<std::size_t>(std::stoul(std::string(value)));
    }
    if (budget == 0) {
        throw BadValue(option, value, "a length from 1 to 999999999 expected");
    }
    return budget;
}
