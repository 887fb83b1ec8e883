#include "engine/TargetFit.h"

#include "engine/CodePage.h"
#include "engine/GradientWalk.h"
#include "engine/HtmlBuilder.h"
#include "engine/OutputEmitter.h"
#include "engine/TextJoin.h"

#include <algorithm>

namespace {

std::size_t Measure(const THtmlText& html, TOutputKind kind) {
    return TargetLength(html.Written(), OutputKindRow(kind).Counted);
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

// The shortest output the steps reach for a text.
THtmlText Shortest(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                   const THtmlOptions& options, const TTagVocabulary& tg) {
    const TKindFitting& fitting = OutputKindRow(options.Kind).Fitting;
    if (!fitting.Shortens) {
        return BuildHtmlText(text, clusters, gradient, options, tg);
    }
    THtmlOptions o = options;
    o.Fit = {true, true};
    const int n = UnitCount(text, clusters);
    THtmlText shortest = BuildSharedSteps(text, clusters, gradient, o, tg, std::max(1, n - 1));
    if (fitting.Compact != nullptr) {
        THtmlText compact = fitting.Compact(text, clusters, gradient, options);
        if (!compact.Empty() && compact.Written().size() < shortest.Written().size()) {
            return compact;
        }
    }
    return shortest;
}

} // namespace

std::size_t TargetLength(std::string_view written, TLengthUnit unit) {
    if (written.ends_with(kCrLf)) {
        written.remove_suffix(kCrLf.size());
    }
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
    const int n = UnitCount(text, clusters);
    if (share <= 1 || n < 2) {
        return BuildHtmlText(text, clusters, gradient, options, tg);
    }
    const int groups = (n + share - 1) / share;
    const std::unique_ptr<TOutputEmitter> emitter = MakeOutputEmitter(tg, options, text, n, clusters);
    TUnitWalk walk(text, clusters);
    TGradientWalk colors(gradient, groups);
    TColor color = 0;
    for (int i = 0; i < n; ++i) {
        if (i % share == 0) {
            color = colors.Next();
        }
        emitter->AppendUnit(walk.Next(), color);
    }
    return emitter->Finish();
}

TFitResult FitTargetText(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                         const THtmlOptions& options, const TTagVocabulary& tg, std::size_t budget) {
    TFitResult fit;
    fit.Units = UnitCount(text, clusters);
    const auto take = [&](THtmlText html, TFitStep step) {
        const std::size_t length = Measure(html, options.Kind);
        if (budget != 0 && length > budget) {
            fit.Length = std::min(fit.Length, length);
            return false;
        }
        fit.Html = std::move(html);
        fit.Fits = true;
        fit.Step = step;
        fit.Length = length;
        return true;
    };
    fit.Length = static_cast<std::size_t>(-1);
    if (take(BuildHtmlText(text, clusters, gradient, options, tg), TFitStep::None)) {
        return fit;
    }
    const TKindFitting& fitting = OutputKindRow(options.Kind).Fitting;
    if (fitting.Shortens && fit.Units >= 2) {
        THtmlOptions o = options;
        o.Fit.MergeRuns = true;
        if (take(BuildHtmlText(text, clusters, gradient, o, tg), TFitStep::MergeRuns)) {
            return fit;
        }
        o.Fit.PlainSpaces = true;
        if (take(BuildHtmlText(text, clusters, gradient, o, tg), TFitStep::PlainSpaces)) {
            return fit;
        }
        // A compact form keeps every colour (the target computes them), so it comes before
        // characters share colours; after them it could never be taken, being longer than the
        // shortest shared form. Empty: the target would not draw these colours.
        if (fitting.Compact != nullptr) {
            THtmlText compact = fitting.Compact(text, clusters, gradient, options);
            if (!compact.Empty() && take(std::move(compact), TFitStep::CompactTag)) {
                return fit;
            }
        }
        // The smallest share that fits: longer shares write fewer codes.
        int low = 2;
        int high = std::max(2, fit.Units - 1);
        const auto length = [&](int share) {
            return Measure(BuildSharedSteps(text, clusters, gradient, o, tg, share), o.Kind);
        };
        // Two groups at least, so that both end colours stay.
        if (fit.Units >= 3 && length(high) <= budget) {
            while (low < high) {
                const int middle = low + (high - low) / 2;
                if (length(middle) <= budget) {
                    high = middle;
                } else {
                    low = middle + 1;
                }
            }
            fit.Share = low;
            if (take(BuildSharedSteps(text, clusters, gradient, o, tg, low), TFitStep::ShareSteps)) {
                return fit;
            }
        } else if (fit.Units >= 3) {
            fit.Length = std::min(fit.Length, length(high));
        }
        fit.Share = 1;
    }
    // Nothing fits: how many characters from the start would, in the shortest form.
    int low = 0;
    int high = fit.Units;
    while (low < high) {
        const int middle = low + (high - low + 1) / 2;
        const TPrefix prefix = PrefixOf(text, clusters, middle);
        // Too short a text is not written at all, so it does not count as fitting.
        const THtmlText shortest = Shortest(prefix.Text, prefix.Clusters, gradient, options, tg);
        if (!shortest.Empty() && Measure(shortest, options.Kind) <= budget) {
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
