#pragma once

#include "engine/Animation.h"
#include "engine/FrameContainer.h"
#include "engine/OrivUtil.h"
#include "engine/UnicodeText.h"

#include <optional>
#include <string_view>

class TTagVocabulary;
struct TCompanionIo;
struct TCompanionOptions;

// --animate and its settings, as the arguments give them.
struct TCompanionAnimation {
    std::optional<TAnimationType> Type;
    TAnimation Frames;
    bool IntervalGiven = false;
    std::optional<TFrameContainer> Container;
    double Seconds = 5; // on a terminal
    int Fps = 20;
    bool SettingGiven = false; // any setting besides the type, which needs one
};

// The values of the animation's options, each read or refused (TUsageError) with the option named.
TAnimationType ParseAnimationType(std::string_view option, std::string_view value);
TFrameContainer ParseFrameContainer(std::string_view option, std::string_view value);
// A whole number from `least` to `most`.
int ParseWholeNumber(std::string_view option, std::string_view value, int least, int most);
double ParseSeconds(std::string_view option, std::string_view value);

// Refuses animation settings without --animate, and --animate with what writes one still
// (--page, --decode, --across-lines, --check-contrast).
void SettleAnimation(const TCompanionOptions& o);

// The frames of `text` in `gradient`: in their container, every frame within the budget (with
// --fit shortened alike); or, in a terminal kind without a container, redrawn in place on a
// terminal, the last frame written once as a still elsewhere or with NO_COLOR. Returns the exit
// status: 3 when --fit finds no output in which every frame fits, 128 plus the signal that
// stopped a terminal animation.
int WriteAnimation(const TCompanionOptions& o, const TUnitText& text, const TGradient& gradient,
                   const TTagVocabulary& tg, TCompanionIo& io);
