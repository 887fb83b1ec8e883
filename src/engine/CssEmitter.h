#pragma once

#include "engine/MarkupEmitter.h"

#include <string_view>

class TTagVocabulary;
struct THtmlOptions;

// HTML5 with CSS, in UTF-8: each character in a span with its colour, the face, size and
// styles as CSS on one wrapping span (strong and cite with logical tags), the table as an
// inline block with the background colour. Screen readers would spell per-character markup
// letter by letter, so the coloured spans are hidden from them and the plain text stands once
// beside them in a visually hidden span.
class TCssEmitter final : public TMarkupEmitter {
public:
    TCssEmitter(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text, int unitCount,
                const TClusterTable& clusters = kNoClusters);
};
