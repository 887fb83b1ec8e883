#pragma once

#include "platform/UiLanguage.h"

#include <QTranslator>

// Installs the translations for a language while it lives: the window's English texts (built
// into the program) and Qt's own texts for the standard dialogs' buttons. Japanese needs no
// translation of the window's texts, which are written in Japanese. Destroying it removes them.
class TUiTranslators final {
public:
    explicit TUiTranslators(TUiLanguage language);
    ~TUiTranslators();
    TUiTranslators(const TUiTranslators&) = delete;
    TUiTranslators& operator=(const TUiTranslators&) = delete;

    TUiLanguage Language() const { return language_; }

private:
    TUiLanguage language_;
    QTranslator window_;
    QTranslator qt_;
    bool windowInstalled_ = false;
    bool qtInstalled_ = false;
};
