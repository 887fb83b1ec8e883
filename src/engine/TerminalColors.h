#pragma once

#include "engine/Color.h"

// How many colours a terminal shows, and the nearest of its palette colours to a colour.
enum class TColorDepth { None, Basic16, Palette256, TrueColor };

// What the environment says a terminal shows: FORCE_COLOR (0 or false none, 2 the 256-colour
// palette, 3 24-bit, any other value, empty included, the basic 16) wins, also for an output that
// is not a terminal; else NO_COLOR
// set and not empty means none, an output that is not a terminal none, and a terminal 24-bit
// colour when COLORTERM is truecolor or 24bit, else the 256-colour palette. A variable that is
// not set is nullptr.
TColorDepth DetectColorDepth(const char* colorTerm, const char* noColor, const char* forceColor,
                             bool isTerminal);

// The index (16 to 255) of the colour of the 256-colour palette nearest to a plain colour in
// OKLab: the 6x6x6 cube (16 to 231) or the grey ramp (232 to 255).
int Palette256Index(TColor color);

// The index (0 to 15) of the basic terminal colour nearest to a plain colour in OKLab, taking the
// colours as xterm shows them by default.
int Basic16Index(TColor color);

// The colour of an index of the 256-colour palette (the cube, the grey ramp, and the first 16 as
// the cube's corners).
TColor Palette256Color(int index);
