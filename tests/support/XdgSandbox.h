#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

// A temporary freedesktop tree: HOME, XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME and
// XDG_DATA_DIRS all point into it while it lives, so nothing of the real desktop is seen or
// touched. `systemData` is an extra data folder put last in XDG_DATA_DIRS (for the MIME database,
// which must stay the same folder for the whole test program).
class TXdgSandbox {
public:
    explicit TXdgSandbox(const QString& systemData = {}) {
        const QString root = Root();
        qputenv("HOME", QFile::encodeName(root + QStringLiteral("/home")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(ConfigHome()));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(ConfigDir()));
        qputenv("XDG_DATA_HOME", QFile::encodeName(DataHome()));
        QString dataDirs = DataDir();
        if (!systemData.isEmpty()) {
            dataDirs += QLatin1Char(':') + systemData;
        }
        qputenv("XDG_DATA_DIRS", QFile::encodeName(dataDirs));
        qunsetenv("XDG_CURRENT_DESKTOP");
        for (const QString& dir : {ConfigHome(), ConfigDir(), DataHome() + QStringLiteral("/applications"),
                                   DataDir() + QStringLiteral("/applications")}) {
            QDir().mkpath(dir);
        }
    }

    bool IsValid() const { return Dir.isValid(); }
    QString Root() const { return Dir.path(); }
    QString ConfigHome() const { return Root() + QStringLiteral("/config"); }
    QString ConfigDir() const { return Root() + QStringLiteral("/etc-xdg"); }
    QString DataHome() const { return Root() + QStringLiteral("/home-data"); }
    QString DataDir() const { return Root() + QStringLiteral("/data"); }
    QString UserApps() const { return DataHome() + QStringLiteral("/applications"); }
    QString SystemApps() const { return DataDir() + QStringLiteral("/applications"); }

    // Writes `content` to `path` (absolute, or relative to the root), making its folder.
    QString Write(const QString& path, const QByteArray& content, bool executable = false) const {
        const QString full = QDir::isAbsolutePath(path) ? path : Root() + QLatin1Char('/') + path;
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(content);
            file.close();
        }
        if (executable) {
            file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
        }
        return full;
    }

    // A desktop entry named `id` in `folder` that runs `exec`.
    QString WriteApp(const QString& folder, const QString& id, const QByteArray& exec,
                     const QByteArray& extra = {}) const {
        return Write(folder + QLatin1Char('/') + id, "[Desktop Entry]\nType=Application\nName=" +
                                                         id.toUtf8() + "\nExec=" + exec + "\n" + extra);
    }

private:
    QTemporaryDir Dir;
};
