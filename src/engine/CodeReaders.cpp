#include "engine/ReaderRuns.h"
#include "engine/TargetPalettes.h"

#include <cctype>

// The readers of the code kinds: Minecraft's ampersand and section codes, IRC's control codes
// and the escape sequences of Discord and the terminal.

namespace {

constexpr std::string_view kSection = "\xC2\xA7";

// The colour of a code of the 256-colour palette (the cube and the grey ramp; the first 16 as
// the cube's corners).
TColor Palette256(int index) {
    static constexpr int levels[] = {0, 95, 135, 175, 215, 255};
    if (index >= 232) {
        const auto grey = static_cast<TColor>(8 + 10 * (index - 232));
        return grey | (grey << 8) | (grey << 16);
    }
    if (index < 16) {
        const TColor full = (index & 8) != 0 ? 255 : 128;
        return ((index & 1) != 0 ? full : 0) | (((index & 2) != 0 ? full : 0) << 8) |
               (((index & 4) != 0 ? full : 0) << 16);
    }
    const int cube = index - 16;
    return static_cast<TColor>(levels[cube / 36]) | (static_cast<TColor>(levels[cube / 6 % 6]) << 8) |
           (static_cast<TColor>(levels[cube % 6]) << 16);
}

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

TReadRuns ReadLegacyRuns(std::string_view utf8) {
    TRunCollector collect;
    bool styled = false; // the styles of the first coloured text are the text's
    for (std::size_t k = 0; k < utf8.size();) {
        const bool amp = utf8[k] == '&';
        const bool section = utf8.substr(k).starts_with(kSection);
        if (!amp && !section) {
            if (utf8[k] != '\r' && utf8[k] != '\n') {
                collect.text += utf8[k];
                styled = styled || collect.color.has_value();
            }
            ++k;
            continue;
        }
        const std::string_view prefix = amp ? "&" : kSection;
        const std::string_view rest = utf8.substr(k + prefix.size());
        if (rest.starts_with('#')) {
            if (const std::optional<TColor> color = ColorOfHex(rest.substr(1))) {
                collect.SetColor(*color);
                k += prefix.size() + 7;
                continue;
            }
        }
        if (rest.starts_with('x') || rest.starts_with('X')) {
            std::string hex;
            std::size_t at = 1;
            while (hex.size() < 6 && rest.substr(at).starts_with(prefix) &&
                   at + prefix.size() < rest.size()) {
                hex += rest[at + prefix.size()];
                at += prefix.size() + 1;
            }
            if (const std::optional<TColor> color = hex.size() == 6 ? ColorOfHex(hex) : std::nullopt) {
                collect.SetColor(*color);
                k += prefix.size() + at;
                continue;
            }
        }
        if (!rest.empty()) {
            const char code = static_cast<char>(std::tolower(static_cast<unsigned char>(rest.front())));
            const TFontStyles bit = code == 'l'   ? fsBold
                                    : code == 'o' ? fsItalic
                                    : code == 'n' ? fsUnderline
                                    : code == 'm' ? fsStrikeOut
                                                  : 0;
            if (bit != 0 || code == 'k' || code == 'r') {
                if (!styled) {
                    collect.runs.Style |= bit;
                }
                k += prefix.size() + 1;
                continue;
            }
        }
        // Not a code: the character itself.
        collect.text += prefix;
        k += prefix.size();
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

TReadRuns ReadSgrRuns(std::string_view utf8, bool discord) {
    std::string_view text = utf8;
    if (discord) {
        if (const std::size_t open = text.find("```"); open != std::string_view::npos) {
            const std::size_t line = text.find('\n', open);
            text.remove_prefix(line == std::string_view::npos ? text.size() : line + 1);
        }
        if (const std::size_t close = text.rfind("```"); close != std::string_view::npos) {
            text = text.substr(0, close);
        }
    }
    TRunCollector collect;
    TFontStyles style = 0;
    bool styled = false;
    const std::span<const TColor> palette = DiscordPalette();
    for (std::size_t k = 0; k < text.size();) {
        if (text[k] != '\x1b' || k + 1 >= text.size() || text[k + 1] != '[') {
            if (text[k] != '\r' && text[k] != '\n') {
                collect.text += text[k];
                if (!styled && collect.color) {
                    styled = true;
                    collect.runs.Style = style;
                }
            }
            ++k;
            continue;
        }
        const std::size_t end = text.find_first_not_of("0123456789;", k + 2);
        if (end == std::string_view::npos || text[end] != 'm') {
            k += 2;
            continue;
        }
        std::vector<int> params;
        for (std::size_t at = k + 2; at <= end;) {
            const std::size_t next = std::min(text.find(';', at), end);
            params.push_back(next > at ? std::atoi(std::string(text.substr(at, next - at)).c_str()) : 0);
            at = next + 1;
        }
        k = end + 1;
        for (std::size_t p = 0; p < params.size(); ++p) {
            const int code = params[p];
            if (code == 0) {
                style = 0;
            } else if (code == 1 || code == 3 || code == 4 || code == 9) {
                style |= code == 1 ? fsBold : code == 3 ? fsItalic : code == 4 ? fsUnderline : fsStrikeOut;
            } else if (code >= 30 && code <= 37) {
                collect.SetColor(discord ? palette[static_cast<std::size_t>(code - 30)]
                                         : Palette256(code - 30));
            } else if ((code == 38 || code == 48) && p + 1 < params.size()) {
                const bool foreground = code == 38;
                if (params[p + 1] == 2 && p + 4 < params.size()) {
                    if (foreground) {
                        collect.SetColor(static_cast<TColor>(params[p + 2] & 0xFF) |
                                         (static_cast<TColor>(params[p + 3] & 0xFF) << 8) |
                                         (static_cast<TColor>(params[p + 4] & 0xFF) << 16));
                    }
                    p += 4;
                } else if (params[p + 1] == 5 && p + 2 < params.size()) {
                    if (foreground) {
                        collect.SetColor(Palette256(params[p + 2] & 0xFF));
                    }
                    p += 2;
                }
            }
        }
    }
    collect.Flush();
    return collect.runs;
}
