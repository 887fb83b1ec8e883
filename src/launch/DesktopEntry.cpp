#include "launch/DesktopEntry.h"

#include "launch/ExecLine.h"

#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <utility>

namespace {

const QString kEntryGroup = QStringLiteral("Desktop Entry");

// A program named by its full path must be an executable file; a bare name is looked up in PATH.
QString FindProgram(const QString& program) {
    if (program.isEmpty()) {
        return {};
    }
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isAbsolute() && info.isFile() && info.isExecutable() ? program : QString();
    }
    return QStandardPaths::findExecutable(program);
}

} // namespace

TDesktopEntry::TDesktopEntry(QString path, TDesktopKeyFile keys)
    : Path(std::move(path)), Keys(std::move(keys)) {}

std::optional<TDesktopEntry> TDesktopEntry::Load(const QString& path) {
    auto keys = TDesktopKeyFile::Load(path);
    if (!keys || !keys->HasGroup(kEntryGroup)) {
        return std::nullopt;
    }
    return TDesktopEntry(path, std::move(*keys));
}

bool TDesktopEntry::IsInstalled() const {
    if (Keys.RawValue(kEntryGroup, QStringLiteral("Type")) != QStringLiteral("Application") ||
        Keys.Boolean(kEntryGroup, QStringLiteral("Hidden"))) {
        return false;
    }
    if (const auto tryExec = Keys.String(kEntryGroup, QStringLiteral("TryExec"));
        tryExec && FindProgram(*tryExec).isEmpty()) {
        return false;
    }
    const auto exec = Keys.String(kEntryGroup, QStringLiteral("Exec"));
    const auto words = exec ? SplitExecLine(*exec) : std::nullopt;
    return words && !IsUnusableExecLine(*exec) && !FindProgram(words->first()).isEmpty();
}

std::optional<TLaunchCommand> TDesktopEntry::CommandFor(const QString& verb, const QString& file,
                                                        const QString& url) const {
    if (verb.isEmpty() || verb.compare(QStringLiteral("open"), Qt::CaseInsensitive) == 0) {
        return CommandFromExec(kEntryGroup, file, url);
    }
    for (const QString& action : Keys.StringList(kEntryGroup, QStringLiteral("Actions"))) {
        if (action.compare(verb, Qt::CaseInsensitive) == 0) {
            return CommandFromExec(QStringLiteral("Desktop Action ") + action, file, url);
        }
    }
    return std::nullopt;
}

std::optional<TLaunchCommand> TDesktopEntry::CommandFromExec(const QString& group, const QString& file,
                                                             const QString& url) const {
    const auto exec = Keys.String(group, QStringLiteral("Exec"));
    const auto words = exec ? SplitExecLine(*exec) : std::nullopt;
    if (!words || IsUnusableExecLine(*exec)) {
        return std::nullopt;
    }
    TExecFieldValues values;
    values.File = file;
    values.Url = url;
    values.Icon = Keys.String(kEntryGroup, QStringLiteral("Icon")).value_or(QString());
    values.Name =
        Keys.LocaleString(kEntryGroup, QStringLiteral("Name"), QLocale::system().name()).value_or(QString());
    values.DesktopFile = Path;
    QStringList arguments = ExpandFieldCodes(*words, values);

    TLaunchCommand command;
    command.Program = FindProgram(arguments.takeFirst());
    if (command.Program.isEmpty()) {
        return std::nullopt;
    }
    if (Keys.Boolean(kEntryGroup, QStringLiteral("Terminal"))) {
        const QString terminal = FindProgram(QStringLiteral("x-terminal-emulator"));
        if (terminal.isEmpty()) {
            return std::nullopt;
        }
        arguments.prepend(command.Program);
        arguments.prepend(QStringLiteral("-e"));
        command.Program = terminal;
    }
    command.Arguments = arguments;
    command.WorkingFolder = Keys.String(kEntryGroup, QStringLiteral("Path")).value_or(QString());
    return command;
}
