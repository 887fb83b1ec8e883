#include "launch/MimeApps.h"

#include "launch/DesktopKeyFile.h"

#include <QFileInfo>

namespace {

const QString kDefaults = QStringLiteral("Default Applications");
const QString kAdded = QStringLiteral("Added Associations");
const QString kRemoved = QStringLiteral("Removed Associations");
const QString kCache = QStringLiteral("MIME Cache");

void AppendListsOf(const QString& dir, const QStringList& desktops, QStringList& files) {
    for (const QString& desktop : desktops) {
        files.append(dir + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list"));
    }
    files.append(dir + QStringLiteral("/mimeapps.list"));
}

void AppendNew(QStringList& list, const QStringList& items, const QStringList& excluded = {}) {
    for (const QString& item : items) {
        if (!list.contains(item) && !excluded.contains(item)) {
            list.append(item);
        }
    }
}

QString FindIn(const QString& dir, const QString& id) {
    QString direct = dir + QLatin1Char('/') + id;
    if (QFileInfo(direct).isFile()) {
        return direct;
    }
    // "a-b-c.desktop" may live as a/b-c.desktop, a-b/c.desktop or a/b/c.desktop.
    for (qsizetype dash = id.indexOf(QLatin1Char('-')); dash > 0;
         dash = id.indexOf(QLatin1Char('-'), dash + 1)) {
        const QString sub = dir + QLatin1Char('/') + id.left(dash);
        if (QFileInfo(sub).isDir()) {
            if (QString found = FindIn(sub, id.mid(dash + 1)); !found.isEmpty()) {
                return found;
            }
        }
    }
    return {};
}

} // namespace

QStringList MimeAppsListFiles(const TXdgDirs& dirs) {
    QStringList files;
    AppendListsOf(dirs.ConfigHome, dirs.CurrentDesktops, files);
    for (const QString& dir : dirs.ConfigDirs) {
        AppendListsOf(dir, dirs.CurrentDesktops, files);
    }
    for (const QString& dir : dirs.ApplicationDirs()) {
        AppendListsOf(dir, dirs.CurrentDesktops, files);
    }
    return files;
}

QStringList AssociatedDesktopIds(const TXdgDirs& dirs, const QString& mimeType) {
    QStringList defaults;
    QStringList associated;
    QStringList removed;
    for (const QString& path : MimeAppsListFiles(dirs)) {
        const auto list = TDesktopKeyFile::Load(path);
        if (!list) {
            continue;
        }
        AppendNew(defaults, list->StringList(kDefaults, mimeType));
        // A removal hides the association in the lists and caches below this one only.
        AppendNew(associated, list->StringList(kAdded, mimeType), removed);
        AppendNew(removed, list->StringList(kRemoved, mimeType));
    }
    for (const QString& dir : dirs.ApplicationDirs()) {
        if (const auto cache = TDesktopKeyFile::Load(dir + QStringLiteral("/mimeinfo.cache"))) {
            AppendNew(associated, cache->StringList(kCache, mimeType), removed);
        }
    }
    AppendNew(defaults, associated);
    return defaults;
}

QString FindDesktopFile(const TXdgDirs& dirs, const QString& desktopId) {
    if (!desktopId.endsWith(QStringLiteral(".desktop")) || desktopId.contains(QLatin1Char('/'))) {
        return {};
    }
    for (const QString& dir : dirs.ApplicationDirs()) {
        if (QString found = FindIn(dir, desktopId); !found.isEmpty()) {
            return found;
        }
    }
    return {};
}
