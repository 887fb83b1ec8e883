#pragma once

#include "engine/TextUnits.h"

#include <string>
#include <string_view>

// A text the user typed, as the engine colours it: CP932 bytes with every cluster that CP932
// cannot hold in its written form, and the table of those clusters.
struct TUnitText {
    std::string Text;
    TClusterTable Clusters;
};

// The units of a UTF-8 text. A text that CP932 holds whole becomes exactly the bytes the
// code-page conversion gives, with no clusters; otherwise each grapheme cluster that holds a
// code point outside CP932 becomes one unit. Ill-formed UTF-8 stands as U+FFFD.
TUnitText UnitTextFromUtf8(std::string_view utf8);
// The same for a text already found well-formed (see Utf8.h), which is not looked at again.
TUnitText UnitTextFromWellFormedUtf8(std::string_view utf8);
// The same into `into`, whose buffers are used again: a stream of short lines spends much of its
// time allocating otherwise.
void UnitTextFromWellFormedUtf8(std::string_view utf8, TUnitText& into);
