#include "engine/ColorStops.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::optional<TColor> HexColor(std::string_view digits) {
    unsigned value = 0;
    if (digits.size() != 6 || digits.front() == '+' || digits.front() == '-') {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    // RRGGBB, red first, to 0x00BBGGRR.
    return ((value >> 16) & 0xFF) | (value & 0xFF00) | ((value & 0xFF) << 16);
}

} // namespace

std::optional<double> DecimalFromText(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double value = 0;
    double scale = 0; // 0 before the point, then the place of the next digit
    bool digits = false;
    for (const char c : text) {
        if (c == '.' && scale == 0) {
            scale = 0.1;
        } else if (c >= '0' && c <= '9' && (scale == 0 ? value < 1e9 : scale > 1e-12)) {
            digits = true;
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                value += (c - '0') * scale;
                scale /= 10;
            }
        } else {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string ColorStopsText(const std::vector<TColorStop>& stops) {
    std::string text;
    for (const TColorStop& stop : stops) {
        char hex[7] = {};
        WriteColorHex(stop.Color, hex);
        text.append(text.empty() ? "" : ",").append(hex, 6);
        if (stop.Position >= 0) {
            char percent[32];
            std::snprintf(percent, sizeof percent, "@%g", std::round(stop.Position * 10000) / 100);
            text += percent;
        }
    }
    return text;
}

std::optional<std::vector<TColorStop>> ColorStopsFromText(std::string_view text) {
    std::vector<TColorStop> stops;
    double last = 0;
    for (std::string_view rest = text;;) {
        const std::size_t comma = rest.find(',');
        std::string_view item = rest.substr(0, comma);
        TColorStop stop;
        if (const std::size_t at = item.find('@'); at != std::string_view::npos) {
            const std::optional<double> percent = DecimalFromText(item.substr(at + 1));
            if (!percent || !(*percent >= last && *percent <= 100)) {
                return std::nullopt;
            }
            last = *percent;
            stop.Position = *percent / 100;
            item = item.substr(0, at);
        }
        const std::optional<TColor> color = HexColor(item);
        if (!color) {
            return std::nullopt;
        }
        stop.Color = *color;
        stops.push_back(stop);
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    if (stops.size() < kMinColorStops || stops.size() > kMaxColorStops) {
        return std::nullopt;
    }
    return stops;
}

bool EveryStopShows(const std::vector<TColorStop>& stops) {
    for (std::size_t k = 0; k < stops.size(); ++k) {
        if ((k > 0 && stops[k].Position == 0) || (k + 1 < stops.size() && stops[k].Position >= 1)) {
            return false;
        }
    }
    return true;
}
