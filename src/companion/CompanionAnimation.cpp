#include "companion/CompanionAnimation.h"

#include "companion/CompanionOptions.h"
#include "companion/CompanionRefusal.h"
#include "companion/TerminalAnimation.h"
#include "engine/CodePage.h"
#include "engine/ColorStops.h"
#include "engine/OutputKind.h"
#include "engine/TargetFit.h"

#include <algorithm>
#include <charconv>

namespace {

// The name of the animation in a TAB plugin's animations.yml; the user renames it there.
constexpr std::string_view kTabAnimationName = "gradient";

TUsageError BadAnimationValue(std::string_view option, std::string_view value, std::string_view expected) {
    return Refusal("bad value '", value, "' for ", option, ": ", expected);
}

// The longest frame of the animation in `options`, as the kind counts it.
std::size_t LongestFrame(const TAnimationFrames& frames, const TUnitText& text, const THtmlOptions& options,
                         const TTagVocabulary& tg, TLengthUnit unit) {
    std::size_t longest = 0;
    for (int k = 0; k < frames.Count(); ++k) {
        const THtmlText frame = BuildAnimationFrame(frames, k, text.Text, text.Clusters, options, tg);
        longest = std::max(longest, TargetLength(frame.Written(), unit));
    }
    return longest;
}

// The shortening that every frame fits with, tried in the order of the still's (runs merged,
// then plain spaces); none when not even the last makes every frame fit. `longest` is the
// longest frame with the shortening returned, or with the last one tried.
std::optional<TFitting> FittingForEveryFrame(const TAnimationFrames& frames, const TUnitText& text,
                                             const THtmlOptions& options, const TTagVocabulary& tg,
                                             const TOutputKindRow& kind, std::size_t budget,
                                             std::size_t& longest) {
    std::vector<TFitting> steps{{}};
    if (kind.Fitting.Shortens) {
        steps.push_back({.MergeRuns = true});
        steps.push_back({.MergeRuns = true, .PlainSpaces = true});
    }
    THtmlOptions fitted = options;
    for (const TFitting& step : steps) {
        fitted.Fit = step;
        longest = LongestFrame(frames, text, fitted, tg, kind.Counted);
        if (longest <= budget) {
            return step;
        }
    }
    return std::nullopt;
}

// Every frame in its container, as UTF-8 unless it stays on lines in the kind's own bytes.
void WriteFrames(const TCompanionOptions& o, const TAnimationFrames& frames, const TUnitText& text,
                 const THtmlOptions& options, const TTagVocabulary& tg, TCompanionIo& io) {
    const TFrameContainer container = o.animation.Container.value_or(TFrameContainer::Lines);
    const bool toUtf8 = OutputKindRow(options.Kind).Encoding == TTextEncoding::Cp932 &&
                        (container != TFrameContainer::Lines || o.utf8);
    TFrameWriter writer(container, io.Out, kTabAnimationName, o.animation.Frames.Interval);
    const bool any = text.Text.size() >= 2 && UnitCount(text.Text, text.Clusters) >= 2;
    for (int k = 0; any && k < frames.Count(); ++k) {
        const std::string line =
            BuildAnimationFrame(frames, k, text.Text, text.Clusters, options, tg).OneLine();
        writer.Frame(toUtf8 ? Cp932ToUtf8(line) : line);
    }
    writer.Finish();
}

bool Set(const char* value) {
    return value != nullptr && *value != '\0';
}

} // namespace

TAnimationType ParseAnimationType(std::string_view option, std::string_view value) {
    if (const std::optional<TAnimationType> type = AnimationTypeFromName(value)) {
        return *type;
    }
    throw BadAnimationValue(option, value, AnimationTypeNames() + " expected");
}

TFrameContainer ParseFrameContainer(std::string_view option, std::string_view value) {
    if (const std::optional<TFrameContainer> container = FrameContainerFromName(value)) {
        return *container;
    }
    throw BadAnimationValue(option, value, std::string(FrameContainerNames()) + " expected");
}

int ParseWholeNumber(std::string_view option, std::string_view value, int least, int most) {
    int number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (value.empty() || error != std::errc() || end != value.data() + value.size() || number < least ||
        number > most) {
        throw BadAnimationValue(option, value,
                                "a whole number from " + std::to_string(least) + " to " +
                                    std::to_string(most) + " expected");
    }
    return number;
}

double ParseSeconds(std::string_view option, std::string_view value) {
    constexpr double kDay = 86400;
    if (const std::optional<double> seconds = DecimalFromText(value);
        seconds && *seconds > 0 && *seconds <= kDay) {
        return *seconds;
    }
    throw BadAnimationValue(option, value, "seconds above 0, at most 86400, expected");
}

void SettleAnimation(const TCompanionOptions& o) {
    const TCompanionAnimation& a = o.animation;
    if (!a.Type) {
        if (a.SettingGiven) {
            throw Refusal("--frames, --interval, --span, --container, --duration and --fps need --animate");
        }
        return;
    }
    const char* still = o.page            ? "--page"
                        : o.decode        ? "--decode"
                        : o.acrossLines   ? "--across-lines"
                        : o.checkContrast ? "--check-contrast"
                                          : nullptr;
    if (still != nullptr) {
        throw Refusal("--animate cannot be given with ", still);
    }
}

int WriteAnimation(const TCompanionOptions& o, const TUnitText& text, const TGradient& gradient,
                   const TTagVocabulary& tg, TCompanionIo& io) {
    const TOutputKindRow& kind = OutputKindRow(o.html.Kind);
    TAnimation animation = o.animation.Frames;
    animation.Type = *o.animation.Type;
    const bool terminal = kind.Has(koEveryLine) && !o.animation.Container;
    if (terminal && !o.animation.IntervalGiven) {
        // On a terminal the animation moves a frame at every redraw unless told otherwise.
        animation.Interval = 1000 / std::max(o.animation.Fps, 1);
    }
    const TAnimationFrames frames(animation, gradient, UnitCount(text.Text, text.Clusters));
    THtmlOptions options = o.html;
    if (terminal) {
        const bool plays = io.OutIsTerminal && !Set(io.Environment("NO_COLOR"));
        if (plays && text.Text.size() >= 2) {
            const int signal = PlayOnTerminal(
                frames, text, options, tg,
                {.Seconds = o.animation.Seconds, .Fps = o.animation.Fps, .Interval = animation.Interval},
                io.Out);
            return signal == 0 ? 0 : 128 + signal;
        }
        // Nothing moves: the last frame, once, as a still.
        const std::string line =
            BuildAnimationFrame(frames, frames.Count() - 1, text.Text, text.Clusters, options, tg).OneLine();
        io.Out.Write(line.empty() ? line : line + "\n");
        return 0;
    }
    const std::size_t budget = o.budget.value_or(kind.Budget);
    if (budget > 0 || o.count || o.fit) {
        const std::string unit = kind.Counted == TLengthUnit::Bytes ? " bytes" : " UTF-16 code units";
        std::size_t longest = 0;
        if (o.fit && budget > 0) {
            const std::optional<TFitting> fitting =
                FittingForEveryFrame(frames, text, options, tg, kind, budget, longest);
            if (!fitting) {
                io.Err.Write(Refusal("no frame output fits the budget of ", std::to_string(budget), unit,
                                     "; the longest frame is ", std::to_string(longest))
                                 .message +
                             "\n");
                return 3;
            }
            options.Fit = *fitting;
        } else {
            longest = LongestFrame(frames, text, options, tg, kind.Counted);
        }
        if (o.count) {
            io.Err.Write("the longest of " + std::to_string(frames.Count()) +
                         " frames: " + std::to_string(longest) +
                         (budget > 0 ? " / " + std::to_string(budget) : std::string()) + unit + "\n");
        } else if (budget > 0 && longest > budget) {
            io.Err.Write(Refusal("the longest frame is ", std::to_string(longest), unit,
                                 ", over the budget of ", std::to_string(budget),
                                 " (--fit shortens every frame)")
                             .message +
                         "\n");
        }
    }
    WriteFrames(o, frames, text, options, tg, io);
    return 0;
}
