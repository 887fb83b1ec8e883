#include "launch/HelpFile.h"

#include <QDir>
#include <QFileInfo>

QString HelpFileName(TUiLanguage language) {
    return language == TUiLanguage::Japanese
               ? QStringLiteral("tintrel.html")
               : QStringLiteral("tintrel.") + UiLanguageCode(language) + QStringLiteral(".html");
}

QString HelpFilePath(const QString& programFolder, TUiLanguage language) {
    if (programFolder.isEmpty()) {
        return {};
    }
    const QDir folder(programFolder);
    QStringList names{HelpFileName(language)};
    if (language != TUiLanguage::Japanese) {
        names << HelpFileName(TUiLanguage::Japanese);
    }
    for (const QString& name : names) {
        for (const QString& candidate :
             {folder.filePath(name), folder.filePath(QStringLiteral("../share/tintrel/") + name)}) {
            if (QFileInfo(candidate).isFile()) {
                return QDir::cleanPath(candidate);
            }
        }
    }
    return {};
}

QString HelpFilePath(TUiLanguage language) {
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return program.isEmpty() ? QString() : HelpFilePath(QFileInfo(program).absolutePath(), language);
}
