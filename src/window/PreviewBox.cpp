#include "window/PreviewBox.h"

#include <QPainter>

// Not opaque: for a text too short to colour the refresh draws nothing, and the window's own
// face shows through.
TPreviewBox::TPreviewBox(QWidget* parent) : QWidget(parent) {}

void TPreviewBox::paintEvent(QPaintEvent* /*event*/) {
    if (!OnPaint) {
        return;
    }
    QPainter painter(this);
    OnPaint(painter);
}
