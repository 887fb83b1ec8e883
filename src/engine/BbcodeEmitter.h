#pragma once

#include "engine/OutputBuffer.h"
#include "engine/OutputEmitter.h"

#include <string>
#include <string_view>

class TTagVocabulary;
struct THtmlOptions;

// Forum BBCode, in UTF-8: [color=#RRGGBB] around each character, wrapped in [b] [i] [u] [s],
// [size=N] on the 1 to 7 scale and [font=Face]. Forums have no table or comment, so those
// options write nothing here; a line break inside a tag would break it, so break-in-tag does
// not apply either.
class TBbcodeEmitter final : public TOutputEmitter {
public:
    TBbcodeEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                   int characterCount);
    void AppendUnit(const TTextUnit& unit, TColor color) override;
    THtmlText Finish() override;

private:
    TOutputBuffer out_;
    TPiece firstOpen_;  // "[color=#", after the first letter's size
    TPiece open_;       // "[color=#"
    TPiece firstClose_; // "[/color]", then the first letter's size closed
    TPiece close_;      // "[/color]"
    std::string suffix_;
    bool first_ = true;
};
