#include "window/ColorLabel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include <algorithm>

TColorLabel::TColorLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void TColorLabel::mousePressEvent(QMouseEvent* event) {
    // A disabled label receives no presses at all, so it neither remembers nor opens its menu.
    emit mouseDown(this, event->button());
    event->accept();
}

void TColorLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont narrowed = font();
    const int natural = QFontMetrics(narrowed).horizontalAdvance(text());
    if (natural > width() && natural > 0) {
        narrowed.setStretch(std::max(50, width() * 100 / natural));
    }
    painter.setFont(narrowed);
    style()->drawItemText(&painter, contentsRect(), static_cast<int>(alignment()), palette(), isEnabled(),
                          text(), foregroundRole());
}
