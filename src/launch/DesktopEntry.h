#pragma once

#include "launch/DesktopKeyFile.h"

#include <QString>
#include <QStringList>

#include <optional>

// A program and its arguments, ready to be started without a shell.
struct TLaunchCommand {
    QString Program; // an absolute path
    QStringList Arguments;
    QString WorkingFolder; // the entry's Path key; empty lets the caller choose
};

// An application's .desktop entry, as far as opening a file with it goes.
class TDesktopEntry {
public:
    // nullopt when the file cannot be read or holds no [Desktop Entry] group.
    static std::optional<TDesktopEntry> Load(const QString& path);

    // Whether the desktop counts the application as installed: an Application entry, not
    // hidden, whose TryExec program (if any) and Exec program are found and whose Exec line is
    // well formed and puts no field code inside a quoted word.
    bool IsInstalled() const;

    // The command that opens `file` with `verb`: "open" (any letter case) or an empty verb uses
    // the entry's Exec line, another verb the Exec line of the desktop action of that name.
    // nullopt when the entry has no such action or its command cannot be run. `url`, when given,
    // is what an application that takes URLs (%u %U) receives instead of the path.
    std::optional<TLaunchCommand> CommandFor(const QString& verb, const QString& file,
                                             const QString& url = {}) const;

private:
    TDesktopEntry(QString path, TDesktopKeyFile keys);
    std::optional<TLaunchCommand> CommandFromExec(const QString& group, const QString& file,
                                                  const QString& url) const;

    QString Path;
    TDesktopKeyFile Keys;
};
