#pragma once

#include "engine/GradientWalk.h"
#include "engine/HtmlOptions.h"
#include "engine/OrivUtil.h"
#include "engine/OutputSink.h"
#include "engine/TagVocabulary.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TCompanionInput;
struct TUnitText;

// Colours the lines of a text for the terminal kinds, each line in time proportional to its own
// length: every line followed by a line feed, an empty line left empty.
class TLineColourer {
public:
    TLineColourer(const TTagVocabulary& tg, const THtmlOptions& options, TGradient gradient, TOutputSink& out)
        : tg_(tg), options_(options), gradient_(std::move(gradient)), out_(out) {}

    // One line as a gradient of its own (a line of one unit in the start colour).
    void Line(const TUnitText& line);
    // One line of a gradient over `totalUnits` units that runs on from line to line; the lines
    // are given in order.
    void LineOfWhole(const TUnitText& line, int totalUnits);
    TOutputSink& Out() const { return out_; }

private:
    template <typename TNextColor> void Write(const TUnitText& line, int units, TNextColor next);

    const TTagVocabulary& tg_;
    const THtmlOptions& options_;
    TGradient gradient_;
    TOutputSink& out_;
    int wholeDone_ = 0; // units of the whole gradient given so far
    std::optional<TGradientWalk> whole_;
};

// How the lines of an input are read.
struct TLineInput {
    bool Cp932 = false;          // raw CP932 bytes (else UTF-8, each ill-formed piece as U+FFFD)
    bool FlushEveryLine = false; // the output is a terminal
    std::size_t MaxLine = 0;     // the longest line taken, without its line end
};

// Colours every line of `in` as it arrives, and passes the output on before waiting for more
// input (after every line when the output is a terminal). The first bytes that are not UTF-8 are
// named once on `err`. A line longer than the limit throws std::length_error.
void ColourEveryLine(TCompanionInput& in, const TLineInput& how, TLineColourer& colourer, TOutputSink& err);

// Colours all lines of `in` as one gradient; the whole input is read first (at most
// `how.MaxLine` bytes in all, line ends included, else std::length_error).
void ColourAcrossLines(TCompanionInput& in, const TLineInput& how, TLineColourer& colourer, TOutputSink& err);
