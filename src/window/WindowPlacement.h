#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

#include <optional>

// Where a window whose frame is `frame` goes among screens with the available areas `areas`
// (in the same logical coordinates): on the screen it overlaps most, moved the least so every
// edge lies inside that screen's available area. A window larger than the area keeps its top
// left corner inside, so the title bar stays reachable. A frame that fits is left where it is;
// a frame on no screen at all gives nothing.
std::optional<QPoint> PlaceInsideScreens(const QRect& frame, const QList<QRect>& areas);
