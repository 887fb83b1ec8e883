#pragma once

#include "engine/Color.h"
#include "engine/HtmlText.h"

#include <memory>
#include <string_view>

class TTagVocabulary;
struct THtmlOptions;

// Writes one output kind in the order the refresh draws: made with the whole text and the
// options (it lays down what comes before the first character), handed each character with its
// colour, then finished. A character arrives as one piece (its Shift-JIS bytes), never split.
class TOutputEmitter {
public:
    virtual ~TOutputEmitter() = default;
    // The next character in the colour given.
    virtual void AppendCharacter(std::string_view character, TColor color) = 0;
    // Closes the output and returns it; the emitter is spent afterwards.
    virtual THtmlText Finish() = 0;
};

// The emitter of `options.Kind`. `text` is the whole text (Shift-JIS), `characterCount` its
// number of characters; words come from `tg` in its current case.
std::unique_ptr<TOutputEmitter> MakeOutputEmitter(const TTagVocabulary& tg, const THtmlOptions& options,
                                                  std::string_view text, int characterCount);
