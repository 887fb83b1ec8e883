#include "window/ColourChoice.h"

#include "store/StyleRecord.h"

#include <QAction>
#include <QActionGroup>

void TColourChoice::Set(const TGradient& choice) {
    gradient_.Space = choice.Space;
    gradient_.Stops = choice.Stops.size() >= kMinColorStops ? choice.Stops : std::vector<TColorStop>{};
    for (QAction* item : spaces_.actions()) {
        item->setChecked(item->data().toInt() == static_cast<int>(choice.Space));
    }
    SetRainbow(choice.Rainbow, choice.Phase);
}

void TColourChoice::SetRainbow(bool on, double phase) {
    gradient_.Rainbow = on;
    gradient_.Phase = phase;
    rainbow_.setChecked(on);
}

std::vector<TColorStop> TColourChoice::StopsWith(TColor start, TColor middle, TColor finish) const {
    std::vector<TColorStop> stops = gradient_.Stops;
    if (stops.size() < kMinColorStops) {
        return {};
    }
    stops.front().Color = start;
    stops.back().Color = finish;
    if (stops.size() >= 3) {
        stops[stops.size() / 2].Color = middle;
    }
    return stops;
}

void TColourChoice::CaptureInto(TStyleRecord& style, TColor start, TColor middle, TColor finish) const {
    style.Space = gradient_.Space;
    style.Stops = StopsWith(start, middle, finish);
    style.Rainbow = gradient_.Rainbow;
    style.Phase = static_cast<int>(gradient_.Phase);
}

TGradient TColourChoice::Of(const TStyleRecord& style) {
    TGradient choice;
    choice.Space = style.Space;
    choice.Stops = style.Stops;
    choice.Rainbow = style.Rainbow;
    choice.Phase = style.Phase;
    return choice;
}
