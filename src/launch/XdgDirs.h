#pragma once

#include <QString>
#include <QStringList>

// The base folders of the freedesktop layout, read from the environment at the moment of the call
// (XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME, XDG_DATA_DIRS, XDG_CURRENT_DESKTOP and HOME),
// with the usual defaults for variables that are unset or empty.
struct TXdgDirs {
    QString ConfigHome;
    QStringList ConfigDirs;
    QString DataHome;
    QStringList DataDirs;
    // The desktops named in XDG_CURRENT_DESKTOP, in lower case, most specific first.
    QStringList CurrentDesktops;

    static TXdgDirs FromEnvironment();

    // $XDG_DATA_HOME/applications, then each $XDG_DATA_DIRS/applications: where desktop entries
    // and mimeinfo.cache live, most important first.
    QStringList ApplicationDirs() const;
};
