#pragma once

#include "engine/Color.h"
#include "engine/HtmlText.h"
#include "engine/OutputSink.h"
#include "engine/TextUnits.h"

#include <memory>
#include <string>
#include <string_view>

class TGradientWalk;
class TTagVocabulary;
struct TGradient;
struct THtmlOptions;

// Writes one output kind in the order the refresh draws: made with the whole text and the
// options (it lays down what comes before the first character), handed each character with its
// colour, then finished. A unit arrives as one piece, never split: a character's Shift-JIS
// bytes, or a cluster that code page 932 cannot hold with its written form and its UTF-8.
class TOutputEmitter {
public:
    virtual ~TOutputEmitter() = default;
    // The next unit in the colour given.
    virtual void AppendUnit(const TTextUnit& unit, TColor color) = 0;
    // The next `count` units of `walk`, each in the next colour of `colors`: what as many
    // AppendUnit calls write, by a quicker loop where an emitter has one.
    virtual void AppendUnits(TUnitWalk& walk, TGradientWalk& colors, int count);
    // Closes the output and returns it; the emitter is spent afterwards.
    virtual THtmlText Finish() = 0;
    // Hands what is written so far to `sink` and the rest as it is made, in pieces of a bounded
    // size; Finish then gives the sink the end and returns an empty text. An emitter that does
    // not stream ignores it and returns the whole from Finish, so a caller writes what Finish
    // returns either way.
    virtual void StreamTo(TOutputSink& /*sink*/) {}
};

// The factory of an emitter class for the kind table: every emitter is made from the vocabulary
// (words in its current case), the options, the whole text (Shift-JIS), its number of units and
// the table of its clusters.
template <typename TEmitter>
std::unique_ptr<TOutputEmitter> MakeEmitter(const TTagVocabulary& tg, const THtmlOptions& options,
                                            std::string_view text, int unitCount,
                                            const TClusterTable& clusters) {
    return std::make_unique<TEmitter>(tg, options, text, unitCount, clusters);
}

// The emitter of `options.Kind`.
std::unique_ptr<TOutputEmitter> MakeOutputEmitter(const TTagVocabulary& tg, const THtmlOptions& options,
                                                  std::string_view text, int unitCount,
                                                  const TClusterTable& clusters = kNoClusters);

// One line of output without its line end, for the kinds that colour every line of standard
// input: an empty text stays empty and a single unit is written in the start colour.
std::string OutputLine(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                       const THtmlOptions& options, const TTagVocabulary& tg);
