#pragma once

#include "engine/Color.h"

// Installs a system-colour table (SetSystemColorResolver), the one service the program installs
// for all its parts, while it lives, and puts back the table that was installed before, so no
// test leaves its stand-in behind for the next.
class TSystemColorsScope {
public:
    explicit TSystemColorsScope(const TSystemColorResolver* colors) : previous_(&CurrentSystemColors()) {
        SetSystemColorResolver(colors);
    }
    ~TSystemColorsScope() { SetSystemColorResolver(previous_); }
    TSystemColorsScope(const TSystemColorsScope&) = delete;
    TSystemColorsScope& operator=(const TSystemColorsScope&) = delete;

private:
    const TSystemColorResolver* previous_;
};
