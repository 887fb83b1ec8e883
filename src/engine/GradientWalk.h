#pragma once

#include "engine/Color.h"
#include "engine/GradientBlend.h"
#include "engine/OrivUtil.h"

#include <array>
#include <cstdint>
#include <optional>

// The colours of characters 1 to n, one after the other, exactly as GradientColor gives them,
// but stepped by additions instead of three divisions per character: the builder of a long
// text spends most of its time there otherwise. A gradient beside the design is computed once
// for each run of characters that is sure to round to one colour.
class TGradientWalk {
public:
    TGradientWalk(const TGradient& gradient, int n);
    // The colour of the next character, starting at character 1.
    TColor Next() {
        ++i_;
        if (i_ <= runEnd_) {
            return runColor_;
        }
        if (direct_ || i_ == secondHalfFrom_) [[unlikely]] {
            return Turn();
        }
        return TakeAndStep();
    }

    // How many of the characters after the last one given are known to have its colour.
    int KnownAhead() const { return runEnd_ > i_ ? runEnd_ - i_ : 0; }
    // Passes over `count` characters, at most KnownAhead().
    void Skip(int count) { i_ += count; }

private:
    // base + sign * floor(magnitude * m / den), m stepping by one up or down: the value moves by
    // a whole step and, whenever the remainder overflows the denominator, by one more.
    struct TLine {
        std::int32_t value = 0;
        std::int32_t delta = 0;
        std::int32_t carry = 0;
        std::int32_t remainder = 0; // counted so that it grows in both directions
        std::int32_t stepRemainder = 0;
        std::int32_t den = 1;

        void Start(std::int64_t base, std::int64_t numerator, std::int64_t den, std::int64_t m, bool up);
        void Step() {
            value += delta;
            remainder += stepRemainder;
            if (remainder >= den) {
                remainder -= den;
                value += carry;
            }
        }
    };

    // The colour of GradientColor itself, or the second half of the fold begun.
    TColor Turn();
    void StartSecondHalf();
    TColor TakeAndStep() {
        const TColor color = (static_cast<TColor>(lines_[0].value) & 0xFF) |
                             ((static_cast<TColor>(lines_[1].value) & 0xFF) << 8) |
                             ((static_cast<TColor>(lines_[2].value) & 0xFF) << 16);
        for (TLine& line : lines_) {
            line.Step();
        }
        return color;
    }

    TGradient gradient_;
    int n_ = 0;
    int i_ = 0;
    int secondHalfFrom_ = 0;              // the first character of the folded gradient's second half; 0: none
    bool direct_ = false;                 // channels outside 0 to 255, or a blend: one colour at a time
    std::optional<TGradientBlend> blend_; // a gradient chosen beside the design
    std::array<TLine, 3> lines_;
    int runEnd_ = 0; // a blend: the last character known to have the colour runColor_
    TColor runColor_ = clBlack;
};
