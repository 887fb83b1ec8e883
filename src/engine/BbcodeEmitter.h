#pragma once

#include "engine/MarkupEmitter.h"

#include <string_view>

class TTagVocabulary;
struct THtmlOptions;

// Forum BBCode, in UTF-8: [color=#RRGGBB] around each character, wrapped in [b] [i] [u] [s],
// [size=N] on the 1 to 7 scale and [font=Face]. Forums have no table or comment, so those
// options write nothing here; a line break inside a tag would break it, so break-in-tag does
// not apply either.
class TBbcodeEmitter final : public TMarkupEmitter {
public:
    TBbcodeEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                   int characterCount, const TClusterTable& clusters = kNoClusters);
};
