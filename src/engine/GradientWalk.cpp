#include "engine/GradientWalk.h"

namespace {

bool IsChannel(std::int32_t value) {
    return value >= 0 && value <= 255;
}

bool ChannelsInRange(const TOrivRGB& rgb) {
    return IsChannel(rgb.R) && IsChannel(rgb.G) && IsChannel(rgb.B);
}

} // namespace

void TGradientWalk::TLine::Start(std::int64_t base, std::int64_t numerator, std::int64_t lineDen,
                                 std::int64_t m, bool up) {
    // Channels are bytes, so the magnitude is at most 510 and every quantity fits 32 bits; only
    // the starting product needs 64.
    const std::int32_t sign = numerator < 0 ? -1 : 1;
    const std::int64_t magnitude = numerator < 0 ? -numerator : numerator;
    const std::int64_t quotient = magnitude * m / lineDen;
    const std::int64_t rest = magnitude * m % lineDen;
    value = static_cast<std::int32_t>(base + sign * quotient);
    den = static_cast<std::int32_t>(lineDen);
    stepRemainder = static_cast<std::int32_t>(magnitude % lineDen);
    const auto stepQuotient = static_cast<std::int32_t>(magnitude / lineDen);
    // Counting down, the remainder falls; its mirror den - 1 - remainder grows by the same steps.
    remainder = static_cast<std::int32_t>(up ? rest : lineDen - 1 - rest);
    delta = up ? sign * stepQuotient : -sign * stepQuotient;
    carry = up ? sign : -sign;
}

TGradientWalk::TGradientWalk(const TGradient& gradient, int n) : gradient_(gradient), n_(n) {
    if (!gradient.Designed()) {
        blend_.emplace(gradient, n);
        direct_ = true;
        return;
    }
    direct_ = n < 2 || !ChannelsInRange(gradient.Start) || !ChannelsInRange(gradient.Middle) ||
              !ChannelsInRange(gradient.Finish);
    if (direct_) {
        return;
    }
    const TOrivRGB& s = gradient.Start;
    const TOrivRGB& f = gradient.Finish;
    const TOrivRGB& middle = gradient.Mode == gmThreeColor ? gradient.Middle : f;
    const std::int32_t a[3] = {s.R, s.G, s.B};
    const std::int32_t b[3] = {gradient.Mode == gmTwoColor ? f.R : middle.R,
                               gradient.Mode == gmTwoColor ? f.G : middle.G,
                               gradient.Mode == gmTwoColor ? f.B : middle.B};
    const std::int64_t scale = gradient.Mode == gmTwoColor ? 1 : 2;
    for (int channel = 0; channel < 3; ++channel) {
        lines_[channel].Start(a[channel], scale * (static_cast<std::int64_t>(b[channel]) - a[channel]), n - 1,
                              0, true);
    }
    if (gradient.Mode != gmTwoColor) {
        // Fold: the first half while 2i <= n + 1.
        secondHalfFrom_ = (n + 1) / 2 + 1;
    }
}

void TGradientWalk::StartSecondHalf() {
    // c + trunc(2 (c - b) (i - n) / n) = c + trunc(2 (b - c) (n - i) / n), n - i counting down.
    const TOrivRGB& s = gradient_.Start;
    const TOrivRGB& f = gradient_.Finish;
    const bool three = gradient_.Mode == gmThreeColor;
    const TOrivRGB& b = three ? gradient_.Middle : f;
    const TOrivRGB& c = three ? f : s;
    const std::int32_t bs[3] = {b.R, b.G, b.B};
    const std::int32_t cs[3] = {c.R, c.G, c.B};
    for (int channel = 0; channel < 3; ++channel) {
        lines_[channel].Start(cs[channel], 2 * (static_cast<std::int64_t>(bs[channel]) - cs[channel]), n_,
                              n_ - secondHalfFrom_, false);
    }
}

TColor TGradientWalk::Turn() {
    if (blend_) {
        int same = 0;
        runColor_ = blend_->AtWithRun(i_, same);
        runEnd_ = i_ + same;
        return runColor_;
    }
    if (direct_) {
        return GradientColor(gradient_, i_, n_);
    }
    StartSecondHalf();
    return TakeAndStep();
}
