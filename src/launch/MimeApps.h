#pragma once

#include "launch/XdgDirs.h"

#include <QString>
#include <QStringList>

// The desktop's associations between MIME types and applications: the mimeapps.list files and
// the mimeinfo.cache files of the freedesktop layout.

// The mimeapps.list files in the order they count, most important first: for each of
// $XDG_CONFIG_HOME, $XDG_CONFIG_DIRS, $XDG_DATA_HOME/applications and $XDG_DATA_DIRS/applications,
// the lists of the current desktops ("gnome-mimeapps.list") before the plain "mimeapps.list".
QStringList MimeAppsListFiles(const TXdgDirs& dirs);

// The desktop IDs that may open a file of `mimeType`, most preferred first and without repeats:
// the default applications of every list in order, then the added associations and the cached
// ones (mimeinfo.cache) that no list of higher precedence removes. The caller takes the first
// that is installed.
QStringList AssociatedDesktopIds(const TXdgDirs& dirs, const QString& mimeType);

// The .desktop file of a desktop ID, or empty. An ID "vendor-app.desktop" may also stand for
// "vendor/app.desktop" in a sub-folder. The first application folder holding the file decides,
// so an entry in the user's folder hides the system's entry of the same ID.
QString FindDesktopFile(const TXdgDirs& dirs, const QString& desktopId);
