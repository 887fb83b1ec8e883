#pragma once

#include <QString>

// Plain text on the desktop's clipboard. Tests use a fake that remembers the text.
class TClipboardService {
public:
    virtual ~TClipboardService() = default;
    virtual void SetText(const QString& text) = 0;
    virtual QString Text() const = 0;
};

// The application's clipboard (QClipboard).
class TQtClipboardService final : public TClipboardService {
public:
    void SetText(const QString& text) override;
    QString Text() const override;
};
