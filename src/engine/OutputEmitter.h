#pragma once

#include "engine/Color.h"
#include "engine/HtmlText.h"
#include "engine/TextUnits.h"

#include <memory>
#include <string_view>

class TTagVocabulary;
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
    // Closes the output and returns it; the emitter is spent afterwards.
    virtual THtmlText Finish() = 0;
};

// The emitter of `options.Kind`. `text` is the whole text (Shift-JIS), `unitCount` its number
// of units and `clusters` the table of its clusters; words come from `tg` in its current case.
std::unique_ptr<TOutputEmitter> MakeOutputEmitter(const TTagVocabulary& tg, const THtmlOptions& options,
                                                  std::string_view text, int unitCount,
                                                  const TClusterTable& clusters = kNoClusters);
