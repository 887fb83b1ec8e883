#include "settings/launch/HelpFile.h"

#include <QDir>
#include <QFileInfo>

QString HelpFilePath(const QString& programFolder) {
    if (programFolder.isEmpty()) {
        return {};
    }
    const QDir folder(programFolder);
    for (const QString& candidate : {folder.filePath(QStringLiteral("tintrel.html")),
                                     folder.filePath(QStringLiteral("../share/tintrel/tintrel.html"))}) {
        if (QFileInfo(candidate).isFile()) {
            return QDir::cleanPath(candidate);
        }
    }
    return {};
}

QString HelpFilePath() {
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return program.isEmpty() ? QString() : HelpFilePath(QFileInfo(program).absolutePath());
}
