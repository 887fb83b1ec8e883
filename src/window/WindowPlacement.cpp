#include "window/WindowPlacement.h"

#include <algorithm>

namespace {

// The smaller of the two places along one axis that puts [start, start + length) inside
// [low, high]; the low end when the length does not fit.
int FitAlong(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length + 1));
}

} // namespace

std::optional<QPoint> PlaceInsideScreens(const QRect& frame, const QList<QRect>& areas) {
    const QRect* landing = nullptr;
    qint64 largest = 0;
    for (const QRect& area : areas) {
        const QRect shared = area.intersected(frame);
        const qint64 overlap = qint64(shared.width()) * shared.height();
        if (!shared.isEmpty() && overlap > largest) {
            largest = overlap;
            landing = &area;
        }
    }
    if (landing == nullptr) {
        return std::nullopt;
    }
    return QPoint(FitAlong(frame.left(), frame.width(), landing->left(), landing->right()),
                  FitAlong(frame.top(), frame.height(), landing->top(), landing->bottom()));
}
