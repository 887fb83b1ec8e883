#include "engine/ReaderRuns.h"
#include "engine/TargetPalettes.h"
#include "engine/TerminalColors.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <limits>
#include <vector>

// The readers of the code kinds: Minecraft's ampersand and section codes, IRC's control codes
// and the escape sequences of Discord and the terminal.

namespace {

constexpr std::string_view kSection = "\xC2\xA7";

// Collects text between codes into runs of one colour.
struct TRunCollector {
    TReadRuns runs;
    std::string text;
    std::optional<TColor> color;

    void SetColor(TColor next) {
        Flush();
        color = next;
    }
    void Flush() {
        if (color) {
            runs.Add(text, *color);
        }
        text.clear();
    }
};

} // namespace

namespace {

// One code of the legacy forms at the start of `rest` (after its prefix & or §): its length
// after the prefix, its colour or style bit; a length of 0 when no code stands there.
struct TLegacyCode {
    std::size_t Length = 0;
    std::optional<TColor> Color;
    TFontStyles Style = 0;
};

TLegacyCode LegacyCode(std::string_view rest, std::string_view prefix) {
    if (rest.starts_with('#')) {
        if (const std::optional<TColor> color = ColorOfHex(rest.substr(1))) {
            return {7, color, 0};
        }
    }
    if (rest.starts_with('x') || rest.starts_with('X')) {
        std::string hex;
        std::size_t at = 1;
        while (hex.size() < 6 && rest.substr(at).starts_with(prefix) && at + prefix.size() < rest.size()) {
            hex += rest[at + prefix.size()];
            at += prefix.size() + 1;
        }
        if (const std::optional<TColor> color = hex.size() == 6 ? ColorOfHex(hex) : std::nullopt) {
            return {at, color, 0};
        }
    }
    if (rest.empty()) {
        return {};
    }
    switch (std::tolower(static_cast<unsigned char>(rest.front()))) {
    case 'l':
        return {1, std::nullopt, fsBold};
    case 'o':
        return {1, std::nullopt, fsItalic};
    case 'n':
        return {1, std::nullopt, fsUnderline};
    case 'm':
        return {1, std::nullopt, fsStrikeOut};
    case 'k':
    case 'r':
        return {1, std::nullopt, 0};
    default:
        return {};
    }
}

} // namespace

TReadRuns ReadLegacyRuns(std::string_view utf8) {
    TRunCollector collect;
    bool styled = false; // the styles of the first coloured text are the text's
    for (std::size_t k = 0; k < utf8.size();) {
        const bool amp = utf8[k] == '&';
        if (!amp && !utf8.substr(k).starts_with(kSection)) {
            if (utf8[k] != '\r' && utf8[k] != '\n') {
                collect.text += utf8[k];
                styled = styled || collect.color.has_value();
            }
            ++k;
            continue;
        }
        const std::string_view prefix = amp ? "&" : kSection;
        const TLegacyCode code = LegacyCode(utf8.substr(k + prefix.size()), prefix);
        if (code.Color) {
            collect.SetColor(*code.Color);
        } else if (!styled) {
            collect.runs.Style |= code.Style;
        }
        if (code.Length == 0) {
            collect.text += prefix; // not a code: the character itself
        }
        k += prefix.size() + code.Length;
    }
    collect.Flush();
    return collect.runs;
}

TReadRuns ReadIrcRuns(std::string_view utf8) {
    TRunCollector collect;
    const std::span<const TColor> palette = IrcPalette();
    TFontStyles toggles = 0;
    bool styled = false;
    const auto digits = [&](std::size_t& k, std::size_t most) {
        int value = -1;
        for (std::size_t taken = 0;
             taken < most && k < utf8.size() && std::isdigit(static_cast<unsigned char>(utf8[k]));
             ++taken, ++k) {
            value = (value < 0 ? 0 : value * 10) + (utf8[k] - '0');
        }
        return value;
    };
    for (std::size_t k = 0; k < utf8.size();) {
        const char c = utf8[k++];
        switch (c) {
        case '\x02':
            toggles ^= fsBold;
            break;
        case '\x1D':
            toggles ^= fsItalic;
            break;
        case '\x1F':
            toggles ^= fsUnderline;
            break;
        case '\x1E':
            toggles ^= fsStrikeOut;
            break;
        case '\x0F':
            toggles = 0;
            break;
        case '\x03': {
            const int foreground = digits(k, 2);
            if (k + 1 < utf8.size() && utf8[k] == ',' &&
                std::isdigit(static_cast<unsigned char>(utf8[k + 1]))) {
                ++k;
                digits(k, 2);
            }
            if (foreground >= 0 && static_cast<std::size_t>(foreground) < palette.size()) {
                collect.SetColor(palette[static_cast<std::size_t>(foreground)]);
            }
            break;
        }
        case '\x04': {
            if (const std::optional<TColor> color = ColorOfHex(utf8.substr(k))) {
                k += 6;
                if (k + 6 < utf8.size() && utf8[k] == ',' && ColorOfHex(utf8.substr(k + 1))) {
                    k += 7;
                }
                // The hex form after a palette code stands for the same text: the exact colour wins.
                if (collect.text.empty() && collect.color) {
                    collect.color = *color;
                } else {
                    collect.SetColor(*color);
                }
            }
            break;
        }
        case '\r':
        case '\n':
            break;
        default:
            collect.text += c;
            if (!styled && collect.color) {
                styled = true;
                collect.runs.Style = toggles;
            }
        }
    }
    collect.Flush();
    return collect.runs;
}

namespace {

// The text inside Discord's fence: after the line of its opening ``` and before its closing one.
std::string_view InsideFence(std::string_view text) {
    if (const std::size_t open = text.find("```"); open != std::string_view::npos) {
        const std::size_t line = text.find('\n', open);
        text.remove_prefix(line == std::string_view::npos ? text.size() : line + 1);
    }
    if (const std::size_t close = text.rfind("```"); close != std::string_view::npos) {
        text = text.substr(0, close);
    }
    return text;
}

// A parameter's digits as the C library's atoi reads them: as a long, saturated, then an int.
int Parameter(std::string_view digits) {
    constexpr long long kMost = std::numeric_limits<long long>::max();
    long long value = 0;
    for (const char c : digits) {
        if (value > (kMost - (c - '0')) / 10) {
            value = kMost;
            break;
        }
        value = value * 10 + (c - '0');
    }
    return static_cast<int>(value);
}

TColor RgbOf(int r, int g, int b) {
    return static_cast<TColor>(r & 0xFF) | (static_cast<TColor>(g & 0xFF) << 8) |
           (static_cast<TColor>(b & 0xFF) << 16);
}

// Applies the parameters of one SGR sequence: styles, and the foreground colour.
void ApplySgr(const std::vector<int>& params, bool discord, TRunCollector& collect, TFontStyles& style) {
    for (std::size_t p = 0; p < params.size(); ++p) {
        const int code = params[p];
        const bool extended = (code == 38 || code == 48) && p + 1 < params.size();
        if (code == 0) {
            style = 0;
        } else if (code == 1 || code == 3 || code == 4 || code == 9) {
            style |= code == 1 ? fsBold : code == 3 ? fsItalic : code == 4 ? fsUnderline : fsStrikeOut;
        } else if (code >= 30 && code <= 37) {
            collect.SetColor(discord ? DiscordPalette()[static_cast<std::size_t>(code - 30)]
                                     : Palette256Color(code - 30));
        } else if (extended && params[p + 1] == 2 && p + 4 < params.size()) {
            if (code == 38) {
                collect.SetColor(RgbOf(params[p + 2], params[p + 3], params[p + 4]));
            }
            p += 4;
        } else if (extended && params[p + 1] == 5 && p + 2 < params.size()) {
            if (code == 38) {
                collect.SetColor(Palette256Color(params[p + 2] & 0xFF));
            }
            p += 2;
        }
    }
}

} // namespace

TReadRuns ReadSgrRuns(std::string_view utf8, bool discord) {
    const std::string_view text = discord ? InsideFence(utf8) : utf8;
    TRunCollector collect;
    TFontStyles style = 0;
    bool styled = false;
    std::vector<int> params;
    const auto parameterChar = [](char c) { return (c >= '0' && c <= '9') || c == ';'; };
    for (std::size_t k = 0; k < text.size();) {
        std::size_t end = std::string_view::npos;
        if (text.substr(k).starts_with("\x1b[")) {
            end = k + 2;
            while (end < text.size() && parameterChar(text[end])) {
                ++end;
            }
            end = end < text.size() ? end : std::string_view::npos;
        }
        if (end == std::string_view::npos || text[end] != 'm') {
            if (text[k] != '\r' && text[k] != '\n' && text[k] != '\x1b') {
                collect.text += text[k];
                if (!styled && collect.color) {
                    styled = true;
                    collect.runs.Style = style;
                }
            }
            ++k;
            continue;
        }
        params.clear();
        for (std::size_t at = k + 2; at <= end;) {
            const std::size_t next = std::min(text.find(';', at), end);
            params.push_back(next > at ? Parameter(text.substr(at, next - at)) : 0);
            at = next + 1;
        }
        k = end + 1;
        ApplySgr(params, discord, collect, style);
    }
    collect.Flush();
    return collect.runs;
}

TReadRuns ReadDiscordRuns(std::string_view utf8) {
    return ReadSgrRuns(utf8, true);
}

TReadRuns ReadTerminalRuns(std::string_view utf8) {
    return ReadSgrRuns(utf8, false);
}

bool LooksLikeDiscordBlock(std::string_view text) {
    return text.starts_with("```");
}

bool LooksLikeSgr(std::string_view text) {
    return text.find("\x1b[") != std::string_view::npos;
}

bool LooksLikeSgr256(std::string_view text) {
    return text.find("\x1b[38;5;") != std::string_view::npos;
}

bool HasIrcCodes(std::string_view text) {
    return text.find('\x03') != std::string_view::npos || text.find('\x04') != std::string_view::npos;
}

bool BeginsWithAmpHex(std::string_view text) {
    return text.starts_with("&#") && ColorOfHex(text.substr(2));
}

// "&#" followed by six hexadecimal digits that are not a numeric reference.
bool HasAmpHex(std::string_view text) {
    for (std::size_t at = text.find("&#"); at != std::string_view::npos; at = text.find("&#", at + 1)) {
        if (at + 8 <= text.size() && ColorOfHex(text.substr(at + 2, 6)) &&
            (at + 8 == text.size() || text[at + 8] != ';')) {
            return true;
        }
    }
    return false;
}

bool BeginsWithAmpX(std::string_view text) {
    return text.starts_with("&x&");
}

bool HasAmpX(std::string_view text) {
    return text.find("&x&") != std::string_view::npos;
}

bool BeginsWithSectionX(std::string_view text) {
    return text.starts_with("\xC2\xA7x\xC2\xA7");
}

bool HasSectionX(std::string_view text) {
    return text.find("\xC2\xA7x\xC2\xA7") != std::string_view::npos;
}
