#pragma once

// The left and top edge of a window, in screen pixels.
struct TWindowPosition {
    int Left = 0;
    int Top = 0;

    friend bool operator==(const TWindowPosition&, const TWindowPosition&) = default;
};
