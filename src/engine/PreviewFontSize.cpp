#include "engine/PreviewFontSize.h"

#include <algorithm>
#include <charconv>

int ClampPreviewPoints(long long points) {
    return static_cast<int>(std::clamp<long long>(points, kSmallestPreviewPoints, kLargestPreviewPoints));
}

int SizeStepFromText(std::string_view text) {
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    int step = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), step);
    return text.empty() || error != std::errc() || end != text.data() + text.size() ? 0 : step;
}

int PreviewFontPoints(int basePoints, int sizeStep) {
    return ClampPreviewPoints(static_cast<long long>(basePoints) + 4LL * sizeStep);
}
