#pragma once

#include "engine/HtmlOptions.h"
#include "engine/HtmlText.h"
#include "engine/OrivUtil.h"
#include "engine/TextUnits.h"

#include <cstddef>
#include <string_view>

class TOutputSink;
class TTagVocabulary;

// Length budgets of the paste targets: how long an output is as its target counts it, and
// the least visible change that makes it fit.

// The length of an output text as `unit` counts it, without the line end after its last line.
std::size_t TargetLength(std::string_view written, TLengthUnit unit);
// The same, the line end at the end counted too.
std::size_t CountedLength(std::string_view written, TLengthUnit unit);

// The steps that shorten an output, tried in this order, each on top of the ones before; a
// kind's compact form is tried before shared steps, since it keeps every colour.
enum class TFitStep {
    None,        // the output fits as it is
    MergeRuns,   // one code for a run of equal colours
    PlainSpaces, // spaces carry no code of their own
    ShareSteps,  // k characters share one colour step (the end colours stay exact)
    CompactTag,  // the kind's compact form, whose colours the target computes
};

struct TFitResult {
    THtmlText Html; // what fits; empty when nothing does
    bool Fits = false;
    TFitStep Step = TFitStep::None;
    int Share = 1;          // characters per colour step, with ShareSteps
    std::size_t Length = 0; // of Html; when nothing fits, the shortest length reachable
    int Units = 0;          // the units of the text
    int FittingUnits = 0;   // when nothing fits: how many units from the start would
};

// The output of `text` in the kind of `options` within `budget` (0: none), shortened by the
// first steps that make it fit.
TFitResult FitTargetText(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                         const THtmlOptions& options, const TTagVocabulary& tg, std::size_t budget);

// The output with `share` characters to each colour step: the first group in the start colour,
// the last in the finish colour.
THtmlText BuildSharedSteps(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                           const THtmlOptions& options, const TTagVocabulary& tg, int share);
// The same output handed to `sink` as it is made (a streaming emitter ends it with a line end).
void StreamSharedSteps(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                       const THtmlOptions& options, const TTagVocabulary& tg, int share, TOutputSink& sink);

// One line saying which step was taken, or why nothing fits (English, for the companion).
std::string FitNote(const TFitResult& fit, TOutputKind kind, std::size_t budget);
