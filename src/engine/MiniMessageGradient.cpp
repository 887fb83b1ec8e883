#include "engine/MiniMessageGradient.h"

#include "engine/CodePage.h"
#include "engine/GradientBlend.h"
#include "engine/GradientWalk.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The server mixes in single precision and rounds half up.
int MixChannel(int a, int b, float t) {
    return static_cast<int>(std::floor(static_cast<float>(a) + t * static_cast<float>(b - a) + 0.5F));
}

int CodePoints(std::string_view utf8) {
    return static_cast<int>(std::count_if(
        utf8.begin(), utf8.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool WithinAStep(TColor a, TColor b) {
    const TOrivRGB x = SplitColor(a);
    const TOrivRGB y = SplitColor(b);
    return std::abs(x.R - y.R) <= 1 && std::abs(x.G - y.G) <= 1 && std::abs(x.B - y.B) <= 1;
}

} // namespace

TColor MiniMessageGradientColor(const std::vector<TColor>& colours, int i, int n) {
    if (colours.empty()) {
        return clBlack;
    }
    const std::size_t count = colours.size();
    const double multiplier = n <= 1 ? 0.0 : static_cast<double>(count - 1) / static_cast<double>(n - 1);
    const double position = static_cast<double>(i - 1) * multiplier;
    const double below = std::floor(position);
    // Past the last colour by a rounding error, the server's next colour wraps to the first.
    const std::size_t low = static_cast<std::size_t>(below) % count;
    const std::size_t high = static_cast<std::size_t>(std::ceil(position)) % count;
    const float t = std::clamp(static_cast<float>(position - below), 0.0F, 1.0F);
    const TOrivRGB a = SplitColor(colours[low]);
    const TOrivRGB b = SplitColor(colours[high]);
    return JoinColor({MixChannel(a.R, b.R, t), MixChannel(a.G, b.G, t), MixChannel(a.B, b.B, t)});
}

std::vector<TColor> MiniMessageColoursOf(const TGradient& gradient) {
    std::vector<TColor> colours;
    if (gradient.Rainbow) {
        return colours;
    }
    for (const TColorStop& stop : SettledStops(gradient)) {
        colours.push_back(stop.Color);
    }
    if (gradient.Stops.size() < kMinColorStops && gradient.Mode == gmMirror) {
        colours.push_back(colours.front());
    } else if (gradient.Stops.size() >= kMinColorStops && gradient.Mode == gmMirror) {
        // Folded: out through the stops and back.
        colours.insert(colours.end(), colours.rbegin() + 1, colours.rend());
    }
    return colours;
}

bool MiniMessageDrawsGradient(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                              const std::vector<TColor>& colours) {
    if (colours.size() < 2) {
        return false;
    }
    const int n = CodePoints(text);
    TGradientWalk walk(gradient, UnitCount(text, clusters));
    int i = 0;
    for (TUnitWalk units(text, clusters); !units.AtEnd();) {
        const TColor written = walk.Next() & 0xFFFFFF;
        for (int k = CodePoints(UnitUtf8(units.Next())); k > 0; --k) {
            if (!WithinAStep(MiniMessageGradientColor(colours, ++i, n), written)) {
                return false;
            }
        }
    }
    return true;
}
