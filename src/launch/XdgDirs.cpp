#include "launch/XdgDirs.h"

#include <QDir>

namespace {

QString EnvPath(const char* name) {
    return qEnvironmentVariable(name);
}

QStringList EnvPathList(const char* name, const QString& fallback) {
    QString value = qEnvironmentVariable(name);
    if (value.isEmpty()) {
        value = fallback;
    }
    QStringList dirs;
    for (const QString& dir : value.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        // Relative entries are invalid in these lists and would depend on our current folder.
        if (QDir::isAbsolutePath(dir) && !dirs.contains(dir)) {
            dirs.append(dir);
        }
    }
    return dirs;
}

} // namespace

TXdgDirs TXdgDirs::FromEnvironment() {
    const QString home = EnvPath("HOME");
    TXdgDirs dirs;
    dirs.ConfigHome = EnvPath("XDG_CONFIG_HOME");
    if (dirs.ConfigHome.isEmpty() || !QDir::isAbsolutePath(dirs.ConfigHome)) {
        dirs.ConfigHome = home + QStringLiteral("/.config");
    }
    dirs.DataHome = EnvPath("XDG_DATA_HOME");
    if (dirs.DataHome.isEmpty() || !QDir::isAbsolutePath(dirs.DataHome)) {
        dirs.DataHome = home + QStringLiteral("/.local/share");
    }
    dirs.ConfigDirs = EnvPathList("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    dirs.DataDirs = EnvPathList("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    for (const QString& desktop :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        dirs.CurrentDesktops.append(desktop.toLower());
    }
    return dirs;
}

QStringList TXdgDirs::ApplicationDirs() const {
    QStringList result{DataHome + QStringLiteral("/applications")};
    for (const QString& dir : DataDirs) {
        result.append(dir + QStringLiteral("/applications"));
    }
    return result;
}
