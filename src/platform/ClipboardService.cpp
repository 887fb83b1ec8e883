#include "platform/ClipboardService.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

void TQtClipboardService::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

void TQtClipboardService::SetTextAndHtml(const QString& text, const QString& html) {
    auto* data = new QMimeData;
    data->setText(text);
    data->setHtml(html);
    // The clipboard owns the data from here on.
    QGuiApplication::clipboard()->setMimeData(data);
}

QString TQtClipboardService::Text() const {
    return QGuiApplication::clipboard()->text();
}

QString TQtClipboardService::HtmlContent() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasHtml() ? data->html() : QString();
}
