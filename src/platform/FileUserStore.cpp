#include "platform/FileUserStore.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QSaveFile>

#include <cstdio>

namespace {

// One line of the file without its line end, and what it is.
struct TLine {
    QByteArray Text;
    bool IsSection = false;
    QByteArray Name; // section name or key, trimmed
};

QList<TLine> SplitLines(const QByteArray& bytes) {
    QList<TLine> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0) {
            end = bytes.size();
        }
        QByteArray text = bytes.mid(start, end - start);
        if (text.endsWith('\r')) {
            text.chop(1);
        }
        TLine line;
        line.Text = text;
        const QByteArray trimmed = text.trimmed();
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.lastIndexOf(']');
            line.IsSection = true;
            line.Name = trimmed.mid(1, close < 0 ? -1 : close - 1).trimmed();
        } else if (!trimmed.startsWith(';')) {
            const qsizetype equals = text.indexOf('=');
            if (equals >= 0) {
                line.Name = text.left(equals).trimmed();
            }
        }
        lines.append(line);
        start = next;
    }
    return lines;
}

bool SameName(const QByteArray& a, const QByteArray& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first line of the first section called `section`, or -1.
qsizetype FindSection(const QList<TLine>& lines, const QByteArray& section) {
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].IsSection && SameName(lines[i].Name, section)) {
            return i;
        }
    }
    return -1;
}

// Index of the key line in the section starting at `sectionLine`, or -1; `end` receives the
// index of the line after the section's last key or value line.
qsizetype FindKey(const QList<TLine>& lines, qsizetype sectionLine, const QByteArray& key, qsizetype& end) {
    end = sectionLine + 1;
    for (qsizetype i = sectionLine + 1; i < lines.size() && !lines[i].IsSection; ++i) {
        if (!lines[i].Text.trimmed().isEmpty()) {
            end = i + 1;
        }
        if (!lines[i].Name.isEmpty() && SameName(lines[i].Name, key)) {
            return i;
        }
    }
    return -1;
}

bool HoldsLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

void DefaultReport(const QString& message) {
    std::fprintf(stderr, "tintrel: %s\n", message.toLocal8Bit().constData());
    auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (application && QGuiApplication::platformName() != QLatin1String("offscreen") &&
        QGuiApplication::platformName() != QLatin1String("minimal")) {
        QMessageBox::warning(nullptr, QStringLiteral("Tintrel"), message);
    }
}

} // namespace

QString TFileUserStore::ConfigHome() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) {
        return xdg;
    }
    return QDir::homePath() + QStringLiteral("/.config");
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
    section = parts.takeLast();
    if (section.contains(u']')) {
        return false;
    }
    fileName = ConfigHome() + u'/' + parts.join(u'/') + QStringLiteral(".conf");
    return true;
}

QString TFileUserStore::ReadValue(const QString& keyPath, const QString& valueName) {
    QString fileName;
    QString section;
    if (!Locate(keyPath, fileName, section)) {
        return {};
    }
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    const QList<TLine> lines = SplitLines(file.readAll());
    const qsizetype sectionLine = FindSection(lines, section.toUtf8());
    if (sectionLine < 0) {
        return {};
    }
    qsizetype end = 0;
    const qsizetype keyLine = FindKey(lines, sectionLine, valueName.toUtf8().trimmed(), end);
    if (keyLine < 0) {
        return {};
    }
    const QByteArray& text = lines[keyLine].Text;
    return QString::fromUtf8(text.mid(text.indexOf('=') + 1).trimmed());
}

bool TFileUserStore::WriteValue(const QString& keyPath, const QString& valueName, const QString& text) {
    QString fileName;
    QString section;
    if (!Locate(keyPath, fileName, section)) {
        Report(keyPath, QStringLiteral("the key path does not name a file and a section"));
        return false;
    }
    const QByteArray key = valueName.toUtf8().trimmed();
    if (key.isEmpty() || key.contains('=') || key.startsWith('[') || key.startsWith(';') ||
        HoldsLineBreak(valueName) || HoldsLineBreak(text)) {
        Report(fileName, QStringLiteral("the value name or text cannot be stored in an INI file"));
        return false;
    }

    QList<TLine> lines;
    QFile existing(fileName);
    if (existing.exists()) {
        if (!existing.open(QIODevice::ReadOnly)) {
            Report(fileName, existing.errorString());
            return false;
        }
        lines = SplitLines(existing.readAll());
        existing.close();
    }

    TLine newLine;
    newLine.Text = key + '=' + text.toUtf8();
    newLine.Name = key;
    const qsizetype sectionLine = FindSection(lines, section.toUtf8());
    if (sectionLine < 0) {
        TLine header;
        header.Text = '[' + section.toUtf8() + ']';
        header.IsSection = true;
        lines.append(header);
        lines.append(newLine);
    } else {
        qsizetype end = 0;
        const qsizetype keyLine = FindKey(lines, sectionLine, key, end);
        if (keyLine >= 0) {
            lines[keyLine] = newLine;
        } else {
            lines.insert(end, newLine);
        }
    }

    const QString folder = QFileInfo(fileName).absolutePath();
    if (!QDir().mkpath(folder)) {
        Report(fileName, QStringLiteral("the folder %1 cannot be created").arg(folder));
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        Report(fileName, file.errorString());
        return false;
    }
    for (const TLine& line : lines) {
        file.write(line.Text);
        file.write("\r\n");
    }
    if (!file.commit()) {
        Report(fileName, file.errorString());
        return false;
    }
    return true;
}

void TFileUserStore::Report(const QString& fileName, const QString& reason) {
    if (FReportedFiles.contains(fileName)) {
        return;
    }
    FReportedFiles.insert(fileName);
    const QString message =
        QStringLiteral("設定ファイルに書き込めませんでした。カスタムカラーは保存されていません。\n%1\n%2")
            .arg(QDir::toNativeSeparators(fileName), reason);
    if (FReporter) {
        FReporter(message);
    } else {
        DefaultReport(message);
    }
}
