#pragma once

// Whether gradient text can be read on its background: the contrast of every character by the
// WCAG 2 formula, and the least lightness moves of the gradient's colours that make all pass.

#include "engine/Color.h"
#include "engine/OrivUtil.h"

#include <cstddef>
#include <string>
#include <vector>

// WCAG 2 relative luminance of a plain colour (0 black to 1 white).
double RelativeLuminance(TColor color);
// (lighter + 0.05) / (darker + 0.05): 1 to 21.
double ContrastRatio(TColor a, TColor b);

// What the characters need: large text (size step 2 and up) 3:1, the rest 4.5:1. The first
// character is one step larger when the first letter is enlarged.
struct TContrastNeed {
    double First = 4.5;
    double Rest = 4.5;

    double Of(int i) const { return i == 1 ? First : Rest; }
};
TContrastNeed ContrastNeedOf(int sizeStep, bool firstLetterLarger);

struct TContrastFailure {
    int Index = 0; // the character, 1 to n
    TColor Color = clBlack;
    double Ratio = 0;
};

struct TContrastReport {
    std::size_t Failures = 0;                  // how many characters fall short
    std::vector<TContrastFailure> FirstFailed; // the first of them, at most `keep`
    TContrastFailure Lowest;                   // the character of the lowest contrast (Index 0: none)
    bool Passes() const { return Failures == 0; }
};

// Checks characters 1 to n of `gradient` against `background` (resolved when a system colour).
TContrastReport CheckContrast(const TGradient& gradient, int n, TColor background, const TContrastNeed& need,
                              std::size_t keep = 0);

// The colours a fix moves: the stops, or the start, the middle in three-colour mode, and the finish.
std::vector<TColor> ColorsToMove(const TGradient& gradient);

struct TContrastFix {
    TGradient Gradient;         // the gradient with its colours moved
    std::vector<double> Moves;  // the OKLCH lightness move of each colour (negative: darker)
    std::vector<TColor> Colors; // the colours after the moves, in the order of Moves
    std::vector<TColor> Before; // the same colours before the moves
    bool Passes = false;        // every character passes now
    bool Rainbow = false;       // a rainbow has no colours to move: nothing was changed
};

// Moves the OKLCH lightness of each colour of the gradient (the stops, or the start, middle in
// three-colour mode, and finish) by the least amount, darker on a light background and lighter
// on a dark one, until every character passes. The hue stays; the chroma stays unless sRGB
// cannot show it at the new lightness, where it is lowered just enough.
TContrastFix FixContrast(const TGradient& gradient, int n, TColor background, const TContrastNeed& need);
