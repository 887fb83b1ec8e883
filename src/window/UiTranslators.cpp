#include "window/UiTranslators.h"

#include <QCoreApplication>
#include <QLibraryInfo>

TUiTranslators::TUiTranslators(TUiLanguage language) : language_(language) {
    const QString code = UiLanguageCode(language);
    if (language != TUiLanguage::Japanese &&
        window_.load(QStringLiteral("tintrel_") + code, QStringLiteral(":/i18n"))) {
        windowInstalled_ = QCoreApplication::installTranslator(&window_);
    }
    // A missing Qt translation leaves the dialogs' buttons in English; nothing else changes.
    if (qt_.load(QStringLiteral("qtbase_") + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        qtInstalled_ = QCoreApplication::installTranslator(&qt_);
    }
}

TUiTranslators::~TUiTranslators() {
    if (qtInstalled_) {
        QCoreApplication::removeTranslator(&qt_);
    }
    if (windowInstalled_) {
        QCoreApplication::removeTranslator(&window_);
    }
}
