#include "platform/ClipboardService.h"

#include <QClipboard>
#include <QGuiApplication>

void TQtClipboardService::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

QString TQtClipboardService::Text() const {
    return QGuiApplication::clipboard()->text();
}
