#pragma once

#include <QString>

// Text on the desktop's clipboard. Tests use a fake that remembers what was put there.
class TClipboardService {
public:
    virtual ~TClipboardService() = default;
    virtual void SetText(const QString& text) = 0;
    // One copy in two formats: `text` as plain text and `html` as formatted text (text/html),
    // so each program that pastes takes the one it understands.
    virtual void SetTextAndHtml(const QString& text, const QString& html) = 0;
    virtual QString Text() const = 0;
    // The formatted text (text/html) on the clipboard; empty when there is none.
    virtual QString HtmlContent() const { return {}; }
};

// The application's clipboard (QClipboard).
class TQtClipboardService final : public TClipboardService {
public:
    void SetText(const QString& text) override;
    void SetTextAndHtml(const QString& text, const QString& html) override;
    QString Text() const override;
    QString HtmlContent() const override;
};
