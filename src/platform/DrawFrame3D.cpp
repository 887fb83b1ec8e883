#include "platform/DrawFrame3D.h"

#include "platform/SystemColors.h"

#include <QPainter>

void DrawFrame3D(QPainter& painter, TRectLTRB& rect, TColor top, TColor bottom, int width) {
    if (width <= 0) {
        return;
    }
    const QColor topColor = ToQColor(top);
    const QColor bottomColor = ToQColor(bottom);
    // The rings are filled one-pixel rectangles, so the pen width and antialiasing of the
    // caller never widen them.
    int left = rect.Left;
    int topRow = rect.Top;
    int right = rect.Right - 1;
    int bottomRow = rect.Bottom - 1;
    for (int ring = 0; ring < width; ++ring) {
        if (right >= left && bottomRow >= topRow) {
            painter.fillRect(left, topRow, 1, bottomRow - topRow, topColor);         // left column
            painter.fillRect(left, topRow, right - left, 1, topColor);               // top row
            painter.fillRect(right, topRow, 1, bottomRow - topRow + 1, bottomColor); // right column
            painter.fillRect(left, bottomRow, right - left + 1, 1, bottomColor);     // bottom row
        }
        ++left;
        ++topRow;
        --right;
        --bottomRow;
    }
    rect.Left += width;
    rect.Top += width;
    rect.Right -= width;
    rect.Bottom -= width;
}
