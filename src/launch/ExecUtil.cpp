#include "launch/ExecUtil.h"

#include "launch/DesktopEntry.h"
#include "launch/ExecLine.h"
#include "launch/MimeApps.h"
#include "launch/XdgDirs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

#include <optional>

namespace {

const QByteArray kElfMagic = QByteArrayLiteral("\177ELF");

// What the system itself can execute: a script with its interpreter line or an ELF program. A page
// that merely carries an execute bit (common on FAT and NTFS drives) still goes to its application.
bool IsDirectlyExecutable(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable()) {
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const QByteArray head = file.read(4);
    return head.startsWith("#!") || head == kElfMagic;
}

// The MIME type of the file and the types it may fall back to: its aliases (a list may name a type
// by one of them) and its ancestors (a page is also text). Every type descends from the octet
// stream; an application for that is used only for files of no better type.
QStringList MimeTypesOf(const QString& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    if (!type.isValid()) {
        return {};
    }
    QStringList ancestors = type.allAncestors();
    ancestors.removeAll(QStringLiteral("application/octet-stream"));
    QStringList types = QStringList{type.name()} + type.aliases() + ancestors;
    types.removeDuplicates();
    return types;
}

// The default application's command for the file. Once the first installed application is found
// it decides alone, as the desktop's file manager would: no other application is tried when it
// lacks the verb.
std::optional<TLaunchCommand> AssociatedCommand(const QString& verb, const QString& path,
                                                const QString& url = {}) {
    const TXdgDirs dirs = TXdgDirs::FromEnvironment();
    for (const QString& type : MimeTypesOf(path)) {
        for (const QString& id : AssociatedDesktopIds(dirs, type)) {
            const QString desktopFile = FindDesktopFile(dirs, id);
            const auto entry = desktopFile.isEmpty() ? std::nullopt : TDesktopEntry::Load(desktopFile);
            if (entry && entry->IsInstalled()) {
                return entry->CommandFor(verb, path, url);
            }
        }
    }
    return std::nullopt;
}

qint64 Start(const TLaunchCommand& command, const QString& folder) {
    const QString workingFolder = command.WorkingFolder.isEmpty() ? folder : command.WorkingFolder;
    qint64 pid = 0;
    if (!QProcess::startDetached(command.Program, command.Arguments, workingFolder, &pid)) {
        return 0;
    }
    return pid;
}

} // namespace

qint64 LaunchFile(QWidget* /*window*/, const QString& verb, const QString& fileName,
                  const QString& parameters, const QString& folder, int /*showMode*/) {
    if (fileName.isEmpty()) {
        return 0;
    }
    const QString workingFolder = folder.isEmpty() ? QDir::currentPath() : folder;
    const QString path = QDir(workingFolder).absoluteFilePath(fileName);
    const auto extra = SplitExecLine(parameters);
    if (!extra) {
        return 0;
    }

    std::optional<TLaunchCommand> command;
    if (IsDirectlyExecutable(path)) {
        command = TLaunchCommand{path, {}, {}};
    } else {
        command = AssociatedCommand(verb, path);
    }
    if (!command) {
        return 0;
    }
    command->Arguments += *extra;
    return Start(*command, workingFolder);
}

qint64 LaunchFileAtAnchor(QWidget* /*window*/, const QString& fileName, const QString& anchor,
                          const QString& folder) {
    if (fileName.isEmpty()) {
        return 0;
    }
    const QString workingFolder = folder.isEmpty() ? QDir::currentPath() : folder;
    const QString path = QDir(workingFolder).absoluteFilePath(fileName);
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(anchor);
    const std::optional<TLaunchCommand> command =
        AssociatedCommand(QStringLiteral("open"), path, url.toString(QUrl::FullyEncoded));
    return command ? Start(*command, workingFolder) : 0;
}
