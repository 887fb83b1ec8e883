#pragma once

#include "engine/OrivUtil.h"

#include <vector>

class QAction;
class QActionGroup;
struct TStyleRecord;

// The window's colour choices beside the design's three colours: the space the colours are
// mixed in, the added stops, the rainbow and its first hue. The options menu shows the space (a
// radio item per space, its data the space) and the rainbow switch; the stops and the phase are
// kept here. They are saved with each style.
class TColourChoice {
public:
    // `spaces` and `rainbow` stay the window's and must outlive the choice.
    TColourChoice(QActionGroup& spaces, QAction& rainbow) : spaces_(spaces), rainbow_(rainbow) {}

    // Space, Stops, Rainbow and Phase (the colours of Start, Middle and Finish are not used).
    const TGradient& Gradient() const { return gradient_; }
    // Takes the four choices of `choice` and shows them; fewer stops than a gradient needs are
    // none.
    void Set(const TGradient& choice);
    // What the user picked in the menu (already shown there).
    void SetSpace(TColorSpace space) { gradient_.Space = space; }
    void SetRainbow(bool on) { gradient_.Rainbow = on; }
    // The rainbow and its first hue, the switch showing it.
    void SetRainbow(bool on, double phase);

    // The stops with the given colours at the first, middle (odd counts) and last, as the
    // three colour buttons show them; none while there are no stops.
    std::vector<TColorStop> StopsWith(TColor start, TColor middle, TColor finish) const;

    // The style record's keys of the choice; the stops with the buttons' colours.
    void CaptureInto(TStyleRecord& style, TColor start, TColor middle, TColor finish) const;
    // The choice a style record holds.
    static TGradient Of(const TStyleRecord& style);

private:
    QActionGroup& spaces_;
    QAction& rainbow_;
    TGradient gradient_;
};
