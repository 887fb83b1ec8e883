#include "engine/Animation.h"

#include "engine/ColorSpace.h"
#include "engine/GradientWalk.h"
#include "engine/HtmlOptions.h"
#include "engine/OutputEmitter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

struct TTypeName {
    TAnimationType Type;
    std::string_view Name;
};

constexpr std::array<TTypeName, 7> kTypeNames{{
    {TAnimationType::Shift, "shift"},
    {TAnimationType::Reverse, "reverse"},
    {TAnimationType::Bounce, "bounce"},
    {TAnimationType::Cycle, "cycle"},
    {TAnimationType::Pulse, "pulse"},
    {TAnimationType::Typewriter, "typewriter"},
    {TAnimationType::Rainbow, "rainbow"},
}};

// A breath of the pulse: out and in in this many frames, the lightness going down at most by
// this share.
constexpr int kPulseFrames = 24;
constexpr double kPulseDepth = 0.4;
// The fewest frames of a turn of the rainbow, so that a short text still turns smoothly.
constexpr int kRainbowFrames = 12;

long long Modulo(long long value, long long by) {
    const long long rest = value % by;
    return rest < 0 ? rest + by : rest;
}

// The colour with its OKLab lightness and chroma scaled by `factor`, its hue kept: the same
// light dimmed, which is linear light scaled by the cube, and so never leaves sRGB.
TColor Dimmed(TColor color, double factor) {
    const double scale = factor * factor * factor;
    const TRgbLinear linear = LinearOf(color);
    return ColorOfLinear({linear.R * scale, linear.G * scale, linear.B * scale});
}

bool Moves(TAnimationType type) {
    return type == TAnimationType::Shift || type == TAnimationType::Reverse || type == TAnimationType::Bounce;
}

} // namespace

std::string_view AnimationTypeName(TAnimationType type) {
    for (const TTypeName& entry : kTypeNames) {
        if (entry.Type == type) {
            return entry.Name;
        }
    }
    return kTypeNames.front().Name;
}

std::optional<TAnimationType> AnimationTypeFromName(std::string_view name) {
    for (const TTypeName& entry : kTypeNames) {
        if (entry.Name == name) {
            return entry.Type;
        }
    }
    return std::nullopt;
}

std::string AnimationTypeNames() {
    std::string names;
    for (std::size_t k = 0; k < kTypeNames.size(); ++k) {
        names += k == 0 ? "" : (k + 1 == kTypeNames.size() ? " or " : ", ");
        names += kTypeNames[k].Name;
    }
    return names;
}

TAnimationFrames::TAnimationFrames(const TAnimation& animation, TGradient still, int units)
    : type_(animation.Type), still_(std::move(still)), units_(std::max(units, 1)) {
    span_ = Moves(type_) && animation.Span > 0 ? std::min(animation.Span, kMaxAnimationSpan) : units_;
    if (type_ == TAnimationType::Rainbow) {
        still_.Rainbow = true;
    } else {
        table_.reserve(static_cast<std::size_t>(span_));
        TGradientWalk walk(still_, span_);
        for (int j = 0; j < span_; ++j) {
            table_.push_back(walk.Next());
        }
        if (span_ < 2) {
            loopLength_ = 1;
        } else if (still_.Rainbow) {
            loopLength_ = span_; // the hue comes round by itself
        } else if (table_.front() == table_.back()) {
            loopLength_ = span_ - 1; // a mirrored gradient: its ends meet
        } else {
            loopLength_ = 2 * span_ - 2; // there and back
        }
    }
    switch (type_) {
    case TAnimationType::Shift:
    case TAnimationType::Reverse:
    case TAnimationType::Cycle:
        loop_ = loopLength_;
        break;
    case TAnimationType::Bounce:
        loop_ = loopLength_ < 2 ? 1 : 2 * (loopLength_ / 2);
        break;
    case TAnimationType::Pulse:
        loop_ = kPulseFrames;
        break;
    case TAnimationType::Typewriter:
        loop_ = units_;
        break;
    case TAnimationType::Rainbow:
        loop_ = std::max(kRainbowFrames, units_);
        break;
    }
    count_ = animation.Frames > 0 ? animation.Frames : loop_;
}

int TAnimationFrames::Wrapped(int frame) const {
    return static_cast<int>(Modulo(frame, loop_));
}

TColor TAnimationFrames::LoopColour(long long j) const {
    const long long at = Modulo(j, loopLength_);
    return table_[static_cast<std::size_t>(at < span_ ? at : loopLength_ - at)];
}

int TAnimationFrames::UnitsOf(int frame) const {
    return type_ == TAnimationType::Typewriter ? Wrapped(frame) + 1 : units_;
}

void TAnimationFrames::Colours(int frame, std::vector<TColor>& colours) const {
    const int k = Wrapped(frame);
    const int shown = UnitsOf(frame);
    colours.resize(static_cast<std::size_t>(shown));
    switch (type_) {
    case TAnimationType::Shift:
    case TAnimationType::Reverse:
    case TAnimationType::Bounce: {
        long long offset = k;
        if (type_ == TAnimationType::Reverse) {
            offset = -k;
        } else if (type_ == TAnimationType::Bounce) {
            offset = k <= loop_ / 2 ? k : loop_ - k;
        }
        for (int i = 0; i < shown; ++i) {
            colours[static_cast<std::size_t>(i)] = LoopColour(i + offset);
        }
        break;
    }
    case TAnimationType::Cycle:
        std::fill(colours.begin(), colours.end(), LoopColour(k));
        break;
    case TAnimationType::Pulse: {
        const double factor = 1 - kPulseDepth * (1 - std::cos(2 * std::numbers::pi * k / loop_)) / 2;
        for (int i = 0; i < shown; ++i) {
            const TColor color = table_[static_cast<std::size_t>(i)];
            colours[static_cast<std::size_t>(i)] = k == 0 ? color : Dimmed(color, factor);
        }
        break;
    }
    case TAnimationType::Typewriter:
        std::copy_n(table_.begin(), shown, colours.begin());
        break;
    case TAnimationType::Rainbow: {
        TGradient turned = still_;
        turned.Phase = still_.Phase + 360.0 * k / loop_;
        TGradientWalk walk(turned, units_);
        for (TColor& color : colours) {
            color = walk.Next();
        }
        break;
    }
    }
}

THtmlText BuildAnimationFrame(const TAnimationFrames& frames, int frame, std::string_view text,
                              const TClusterTable& clusters, const THtmlOptions& options,
                              const TTagVocabulary& tg) {
    const int units = UnitCount(text, clusters);
    if (text.size() < 2 || units < 2) {
        return THtmlText({}, OutputKindRow(options.Kind).Encoding);
    }
    thread_local std::vector<TColor> colours;
    frames.Colours(frame, colours);
    const int shown = std::min(units, static_cast<int>(colours.size()));
    // A typewriter's frame is the first units of the text: the text cut after them, and the
    // clusters that stand before the cut.
    TUnitWalk walk(text, clusters);
    std::size_t cut = text.size();
    std::size_t clustersShown = clusters.Units.size();
    if (shown < units) {
        for (int i = 0; i < shown; ++i) {
            walk.Step();
        }
        cut = walk.Offset();
        clustersShown = static_cast<std::size_t>(
            std::count_if(clusters.Units.begin(), clusters.Units.end(),
                          [cut](const TClusterUnit& unit) { return unit.Offset < cut; }));
    }
    TClusterTable shownClusters;
    const TClusterTable* table = &clusters;
    if (clustersShown < clusters.Units.size()) {
        shownClusters.Units.assign(clusters.Units.begin(),
                                   clusters.Units.begin() + static_cast<std::ptrdiff_t>(clustersShown));
        shownClusters.Utf8 = clusters.Utf8;
        table = &shownClusters;
    }
    const std::string_view shownText = text.substr(0, cut);
    const std::unique_ptr<TOutputEmitter> emitter = MakeOutputEmitter(tg, options, shownText, shown, *table);
    TUnitWalk written(shownText, *table);
    for (int i = 0; i < shown; ++i) {
        emitter->AppendUnit(written.Next(), colours[static_cast<std::size_t>(i)]);
    }
    return emitter->Finish();
}
