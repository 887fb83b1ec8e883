#pragma once

#include "engine/Color.h"
#include "engine/HtmlText.h"
#include "engine/OrivUtil.h"
#include "engine/TextUnits.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TTagVocabulary;
struct THtmlOptions;

// Gradients that move: a sequence of frames of one text, each an ordinary gradient text of any
// kind. Every frame is worked out from its index alone, so frame 10,000 costs what frame 0 does
// and frames can stream out one at a time.

enum class TAnimationType {
    Shift,      // the colours travel along the text and come round without a seam
    Reverse,    // the same, the other way
    Bounce,     // there and back
    Cycle,      // the whole text one colour, going through the gradient
    Pulse,      // the lightness breathes, the hue kept
    Typewriter, // the text appears a unit at a time, in its gradient
    Rainbow,    // the rainbow's phase turns
};

// The names the command line and the page use ("shift", "reverse", ...).
std::string_view AnimationTypeName(TAnimationType type);
std::optional<TAnimationType> AnimationTypeFromName(std::string_view name);
// Every name, as a message lists them: "shift, reverse, ... or rainbow".
std::string AnimationTypeNames();

inline constexpr int kDefaultFrameInterval = 100; // milliseconds
// The most units a gradient may span: its colours are held in a table.
inline constexpr int kMaxAnimationSpan = 1 << 20;

struct TAnimation {
    TAnimationType Type = TAnimationType::Shift;
    int Frames = 0; // 0: the count after which the type comes round smoothly for the text
    int Interval = kDefaultFrameInterval;
    int Span = 0; // shift and bounce: the units the gradient spans; 0: the text's
};

// The frames of one animation of a text of `units` units in `still` (the gradient it has when
// nothing moves).
class TAnimationFrames {
public:
    TAnimationFrames(const TAnimation& animation, TGradient still, int units);

    // The frames written: the animation's count, or the one that loops smoothly.
    int Count() const { return count_; }
    // The frames after which the animation is where it began.
    int Loop() const { return loop_; }
    // How many units from the start frame `frame` shows (all but in a typewriter's frames).
    int UnitsOf(int frame) const;
    // The colour of every unit shown in frame `frame` (any index, taken round the loop).
    void Colours(int frame, std::vector<TColor>& colours) const;

private:
    // The colour at step j of the gradient's loop.
    TColor LoopColour(long long j) const;
    // The frame taken round the loop: 0 to loop_ - 1.
    int Wrapped(int frame) const;

    TAnimationType type_;
    TGradient still_;
    int units_ = 0;
    int span_ = 0;
    // The still's colours over its span; the loop runs through them and, unless the ends meet,
    // back again, so that it comes round without a seam.
    std::vector<TColor> table_;
    int loopLength_ = 1;
    int loop_ = 1;
    int count_ = 1;
};

// Frame `frame` of `text` written in the kind of `options`: the units the frame shows, each in
// its colour; empty for a text of fewer than two units, as the still is.
THtmlText BuildAnimationFrame(const TAnimationFrames& frames, int frame, std::string_view text,
                              const TClusterTable& clusters, const THtmlOptions& options,
                              const TTagVocabulary& tg);
