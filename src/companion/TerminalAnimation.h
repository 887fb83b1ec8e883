#pragma once

#include "engine/UnicodeText.h"

class TAnimationFrames;
class TOutputSink;
class TTagVocabulary;
struct THtmlOptions;

// How long and how smoothly a terminal animation runs.
struct TTerminalPlay {
    double Seconds = 5;
    int Fps = 20;
    int Interval = 50; // milliseconds from one frame of the animation to the next
};

// The cursor hidden and shown again, and the colours reset, as the terminal animation writes them.
inline constexpr const char* kHideCursor = "\x1b[?25l";
inline constexpr const char* kShowCursor = "\x1b[?25h";
inline constexpr const char* kResetColours = "\x1b[0m";

// Redraws the frames of `text` in place on the terminal behind `out` (a terminal kind's line),
// with the cursor hidden, until the time is up or Ctrl+C or a terminate signal asks to stop; the
// terminal is given back with its cursor shown and its colours reset either way. Returns the
// signal that stopped it, or 0.
int PlayOnTerminal(const TAnimationFrames& frames, const TUnitText& text, const THtmlOptions& options,
                   const TTagVocabulary& tg, const TTerminalPlay& play, TOutputSink& out);
