#include "platform/FileUserStore.h"

#include "store/IniEnvironment.h"
#include "store/IniErrors.h"
#include "store/IniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

bool HoldsLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

// The colours are written when their buttons are destroyed, that is while the program ends,
// perhaps on a terminate signal with nobody to answer a box: a modal box there would keep the
// program from ending. So the report goes to standard error only.
void DefaultReport(const QString& message) {
    std::fprintf(stderr, "tintrel: %s\n", message.toLocal8Bit().constData());
}

} // namespace

QString TFileUserStore::ConfigHome() {
    return QFile::decodeName(QByteArray::fromStdString(TIniEnvironment::Current().ConfigHome));
}

bool TFileUserStore::Locate(const QString& keyPath, QString& fileName, QString& section) {
    QStringList parts = keyPath.split(u'\\');
    if (!parts.isEmpty() && parts.first().compare(QLatin1String("Software"), Qt::CaseInsensitive) == 0) {
        parts.removeFirst();
    }
    if (parts.size() < 2) {
        return false;
    }
    for (const QString& part : parts) {
        if (part.trimmed().isEmpty() || part == QLatin1String(".") || part == QLatin1String("..") ||
            part.contains(u'/') || part.contains(QChar(0)) || HoldsLineBreak(part)) {
            return false;
        }
    }
    const QString home = ConfigHome();
    if (home.isEmpty()) {
        return false;
    }
    section = parts.takeLast();
    if (section.contains(u']')) {
        return false;
    }
    fileName = home + u'/' + parts.join(u'/') + QStringLiteral(".conf");
    return true;
}

QString TFileUserStore::ReadValue(const QString& keyPath, const QString& valueName) {
    QString fileName;
    QString section;
    if (!Locate(keyPath, fileName, section)) {
        return {};
    }
    try {
        TIniFile file(QFile::encodeName(fileName).toStdString());
        const std::optional<std::string> text = file.Read(section.toStdString(), valueName.toStdString());
        return text ? QString::fromStdString(*text) : QString();
    } catch (const EIniError&) {
        // An unreadable file reads as a missing value: the colours keep their defaults.
        return {};
    }
}

bool TFileUserStore::WriteValue(const QString& keyPath, const QString& valueName, const QString& text) {
    QString fileName;
    QString section;
    if (!Locate(keyPath, fileName, section)) {
        Report(keyPath, QStringLiteral("%1: the key does not name a file and a section").arg(keyPath));
        return false;
    }
    try {
        TIniFile file(QFile::encodeName(fileName).toStdString(), DefaultFileOps(), true);
        file.Write(section.toStdString(), valueName.toStdString(), text.toStdString());
        return true;
    } catch (const EIniFileError& error) {
        Report(fileName, QString::fromLocal8Bit(error.what())); // names the file and the reason
        return false;
    } catch (const EIniError& error) {
        Report(fileName, fileName + QStringLiteral(": ") + QString::fromLocal8Bit(error.what()));
        return false;
    }
}

void TFileUserStore::Report(const QString& fileName, const QString& reason) {
    if (reportedFiles_.contains(fileName)) {
        return;
    }
    reportedFiles_.insert(fileName);
    const QString message =
        QCoreApplication::translate(
            "TFileUserStore", "設定ファイルに書き込めませんでした。カスタムカラーは保存されていません。\n") +
        reason;
    if (reporter_) {
        reporter_(message);
    } else {
        DefaultReport(message);
    }
}
