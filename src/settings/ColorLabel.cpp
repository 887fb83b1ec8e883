#include "settings/ColorLabel.h"

#include <QMouseEvent>

TColorLabel::TColorLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void TColorLabel::mousePressEvent(QMouseEvent* event) {
    // A disabled label receives no presses at all, so it neither remembers nor opens its menu.
    emit MouseDown(event->button());
    event->accept();
}
