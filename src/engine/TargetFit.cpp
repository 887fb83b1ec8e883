#include "engine/TargetFit.h"

#include "engine/CodePage.h"
#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/LengthSink.h"
#include "engine/OutputEmitter.h"
#include "engine/TextJoin.h"

#include <algorithm>
#include <optional>

namespace {

// The output with `share` units to each colour step (1: every unit its own colour), handed to
// `sink` as it is made when there is one (and nothing returned), else returned whole.
THtmlText SharedSteps(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                      const THtmlOptions& options, const TTagVocabulary& tg, int share, TOutputSink* sink) {
    const int n = UnitCount(text, clusters);
    if (text.size() < 2 || n < 2) {
        return {};
    }
    const std::unique_ptr<TOutputEmitter> emitter = MakeOutputEmitter(tg, options, text, n, clusters);
    if (sink != nullptr) {
        emitter->StreamTo(*sink);
    }
    TUnitWalk walk(text, clusters);
    if (share <= 1) {
        TGradientWalk colors(gradient, n);
        emitter->AppendUnits(walk, colors, n);
    } else {
        TGradientWalk colors(gradient, (n + share - 1) / share);
        TColor color = 0;
        for (int i = 0; i < n; ++i) {
            if (i % share == 0) {
                color = colors.Next();
            }
            emitter->AppendUnit(walk.Next(), color);
        }
    }
    THtmlText html = emitter->Finish();
    if (sink != nullptr) {
        sink->Write(html.Written());
        return {};
    }
    return html;
}

std::size_t Measure(const THtmlText& html, TOutputKind kind) {
    return TargetLength(html.Written(), OutputKindRow(kind).Counted);
}

// The length of the output with `share` units to each colour step, counted as it is made.
std::size_t MeasureSharedSteps(std::string_view text, const TClusterTable& clusters,
                               const TGradient& gradient, const THtmlOptions& options,
                               const TTagVocabulary& tg, int share) {
    TLengthSink counter(OutputKindRow(options.Kind).Counted);
    StreamSharedSteps(text, clusters, gradient, options, tg, share, counter);
    return counter.Length();
}

// The first `units` units of a text with the clusters that stand in them.
struct TPrefix {
    std::string_view Text;
    TClusterTable Clusters;
};

TPrefix PrefixOf(std::string_view text, const TClusterTable& clusters, int units) {
    TUnitWalk walk(text, clusters);
    for (int k = 0; k < units && !walk.AtEnd(); ++k) {
        walk.Step();
    }
    TPrefix prefix{text.substr(0, walk.Offset()), {}};
    prefix.Clusters.Utf8 = clusters.Utf8;
    for (const TClusterUnit& cluster : clusters.Units) {
        if (cluster.Offset < walk.Offset()) {
            prefix.Clusters.Units.push_back(cluster);
        }
    }
    return prefix;
}

// The length of the shortest output the steps reach for a text; none when so short a text is
// not written at all.
std::optional<std::size_t> ShortestLength(std::string_view text, const TClusterTable& clusters,
                                          const TGradient& gradient, const THtmlOptions& options,
                                          const TTagVocabulary& tg) {
    const int n = UnitCount(text, clusters);
    if (text.size() < 2 || n < 2) {
        return std::nullopt;
    }
    const TKindFitting& fitting = OutputKindRow(options.Kind).Fitting;
    if (!fitting.Shortens) {
        return MeasureSharedSteps(text, clusters, gradient, options, tg, 1);
    }
    THtmlOptions o = options;
    o.Fit = {true, true};
    std::size_t shortest = MeasureSharedSteps(text, clusters, gradient, o, tg, std::max(1, n - 1));
    if (fitting.Compact != nullptr) {
        const THtmlText compact = fitting.Compact(text, clusters, gradient, options);
        if (!compact.Empty()) {
            shortest = std::min(shortest, Measure(compact, options.Kind));
        }
    }
    return shortest;
}

} // namespace

std::size_t TargetLength(std::string_view written, TLengthUnit unit) {
    if (written.ends_with(kCrLf)) {
        written.remove_suffix(kCrLf.size());
    }
    return CountedLength(written, unit);
}

std::size_t CountedLength(std::string_view written, TLengthUnit unit) {
    if (unit == TLengthUnit::Bytes) {
        return written.size();
    }
    std::size_t units = 0;
    for (const char c : written) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80 ? 1 : 0; // a character's first byte
        units += byte >= 0xF0 ? 1 : 0;          // beyond U+FFFF: a surrogate pair
    }
    return units;
}

THtmlText BuildSharedSteps(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                           const THtmlOptions& options, const TTagVocabulary& tg, int share) {
    return SharedSteps(text, clusters, gradient, options, tg, share, nullptr);
}

void StreamSharedSteps(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                       const THtmlOptions& options, const TTagVocabulary& tg, int share, TOutputSink& sink) {
    SharedSteps(text, clusters, gradient, options, tg, share, &sink);
}

TFitResult FitTargetText(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                         const THtmlOptions& options, const TTagVocabulary& tg, std::size_t budget) {
    TFitResult fit;
    fit.Units = UnitCount(text, clusters);
    // Each step is counted as it is made, and only the one taken is built: an output over the
    // budget is never held.
    const auto take = [&](std::size_t length, TFitStep step, const auto& build) {
        if (budget != 0 && length > budget) {
            fit.Length = std::min(fit.Length, length);
            return false;
        }
        fit.Html = build();
        fit.Fits = true;
        fit.Step = step;
        fit.Length = length;
        return true;
    };
    const auto steps = [&](const THtmlOptions& o, int share) {
        return [&, share] { return BuildSharedSteps(text, clusters, gradient, o, tg, share); };
    };
    const auto length = [&](const THtmlOptions& o, int share) {
        return MeasureSharedSteps(text, clusters, gradient, o, tg, share);
    };
    fit.Length = static_cast<std::size_t>(-1);
    if (take(length(options, 1), TFitStep::None, steps(options, 1))) {
        return fit;
    }
    const TKindFitting& fitting = OutputKindRow(options.Kind).Fitting;
    if (fitting.Shortens && fit.Units >= 2) {
        THtmlOptions o = options;
        o.Fit.MergeRuns = true;
        if (take(length(o, 1), TFitStep::MergeRuns, steps(o, 1))) {
            return fit;
        }
        o.Fit.PlainSpaces = true;
        if (take(length(o, 1), TFitStep::PlainSpaces, steps(o, 1))) {
            return fit;
        }
        // A compact form keeps every colour (the target computes them), so it comes before
        // characters share colours; after them it could never be taken, being longer than the
        // shortest shared form. Empty: the target would not draw these colours.
        if (fitting.Compact != nullptr) {
            THtmlText compact = fitting.Compact(text, clusters, gradient, options);
            if (!compact.Empty() && take(Measure(compact, options.Kind), TFitStep::CompactTag,
                                         [&] { return std::move(compact); })) {
                return fit;
            }
        }
        // The smallest share that fits: longer shares write fewer codes.
        int low = 2;
        int high = std::max(2, fit.Units - 1);
        // Two groups at least, so that both end colours stay.
        if (fit.Units >= 3 && length(o, high) <= budget) {
            while (low < high) {
                const int middle = low + (high - low) / 2;
                if (length(o, middle) <= budget) {
                    high = middle;
                } else {
                    low = middle + 1;
                }
            }
            fit.Share = low;
            if (take(length(o, low), TFitStep::ShareSteps, steps(o, low))) {
                return fit;
            }
        } else if (fit.Units >= 3) {
            fit.Length = std::min(fit.Length, length(o, high));
        }
        fit.Share = 1;
    }
    // Nothing fits: how many characters from the start would, in the shortest form (too short a
    // text is not written at all, so it does not count as fitting).
    int low = 0;
    int high = fit.Units;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        const TPrefix prefix = PrefixOf(text, clusters, middle);
        const std::optional<std::size_t> shortest =
            ShortestLength(prefix.Text, prefix.Clusters, gradient, options, tg);
        if (shortest && *shortest <= budget) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    fit.FittingUnits = low;
    return fit;
}

std::string FitNote(const TFitResult& fit, TOutputKind kind, std::size_t budget) {
    const std::string unit =
        OutputKindRow(kind).Counted == TLengthUnit::Bytes ? "bytes" : "UTF-16 code units";
    if (!fit.Fits) {
        return Join("the output does not fit the budget of ", std::to_string(budget), " ", unit,
                    ": the shortest it gets is ", std::to_string(fit.Length), "; ",
                    std::to_string(fit.FittingUnits), " of the text's ", std::to_string(fit.Units),
                    " characters would fit");
    }
    std::string step;
    switch (fit.Step) {
    case TFitStep::None:
        step = "as it is";
        break;
    case TFitStep::MergeRuns:
        step = "with one code for each run of one colour";
        break;
    case TFitStep::PlainSpaces:
        step = "with one code for each run of one colour and none for spaces";
        break;
    case TFitStep::ShareSteps:
        step = Join("with ", std::to_string(fit.Share), " characters to each colour step");
        break;
    case TFitStep::CompactTag:
        step = OutputKindRow(kind).Fitting.CompactNote;
        break;
    }
    return Join("fits in ", std::to_string(fit.Length), " of ", std::to_string(budget), " ", unit, " ", step);
}
