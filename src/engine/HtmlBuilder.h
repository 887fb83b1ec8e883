#pragma once

#include "engine/Color.h"
#include "engine/HtmlOptions.h"
#include "engine/HtmlText.h"
#include "engine/MarkupEmitter.h"
#include "engine/OrivUtil.h"
#include "engine/TextUnits.h"

#include <string_view>

class TTagVocabulary;

// The design's HTML: every character in a font tag of its own with its colour, wrapped in the
// tags of the styles, size and face, in Shift-JIS. The constructor looks up the words and lays
// down what comes before the first character.
class THtmlBuilder final : public TMarkupEmitter {
public:
    // `text` is the whole text (written in the comment lines), `characterCount` its number of
    // units and `clusters` the table of its clusters. Every word is looked up here, once; a
    // failed lookup is reported by the vocabulary and the word stays empty.
    THtmlBuilder(const TTagVocabulary& tg, const THtmlOptions& options, std::string_view text,
                 int characterCount, const TClusterTable& clusters = kNoClusters);

    // The next character (its bytes, one or two) in the colour given.
    void AppendCharacter(std::string_view character, TColor color) { AppendUnit({character, {}}, color); }
};

// The whole output of `text` (Shift-JIS) in the kind of `options`: empty below two characters,
// else every character in the colour of `gradient`, wrapped as `options` say.
THtmlText BuildHtmlText(std::string_view text, const TGradient& gradient, const THtmlOptions& options,
                        const TTagVocabulary& tg);
// The same for a text with clusters: each unit one colour.
THtmlText BuildHtmlText(std::string_view text, const TClusterTable& clusters, const TGradient& gradient,
                        const THtmlOptions& options, const TTagVocabulary& tg);
