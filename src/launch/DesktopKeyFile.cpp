#include "launch/DesktopKeyFile.h"

#include <QFile>

TDesktopKeyFile TDesktopKeyFile::Parse(const QByteArray& text) {
    TDesktopKeyFile file;
    TGroup* current = nullptr;
    for (QByteArray line : text.split('\n')) {
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        const QString trimmed = QString::fromUtf8(line).trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (trimmed.startsWith(QLatin1Char('['))) {
            const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
            const QString name = trimmed.mid(1, close < 0 ? -1 : close - 1);
            current = nullptr;
            for (TGroup& group : file.Groups) {
                if (group.Name == name) {
                    current = &group;
                }
            }
            if (current == nullptr) {
                file.Groups.append(TGroup{name, {}});
                current = &file.Groups.last();
            }
            continue;
        }
        const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
        if (current == nullptr || equals <= 0) {
            continue; // a pair before any group, or a line that is not a pair
        }
        current->Entries.append({trimmed.left(equals).trimmed(), trimmed.mid(equals + 1).trimmed()});
    }
    return file;
}

std::optional<TDesktopKeyFile> TDesktopKeyFile::Load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return Parse(file.readAll());
}

const TDesktopKeyFile::TGroup* TDesktopKeyFile::FindGroup(const QString& group) const {
    for (const TGroup& candidate : Groups) {
        if (candidate.Name == group) {
            return &candidate;
        }
    }
    return nullptr;
}

bool TDesktopKeyFile::HasGroup(const QString& group) const {
    return FindGroup(group) != nullptr;
}

std::optional<QString> TDesktopKeyFile::RawValue(const QString& group, const QString& key) const {
    if (const TGroup* found = FindGroup(group)) {
        for (const auto& [name, value] : found->Entries) {
            if (name == key) {
                return value;
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> TDesktopKeyFile::String(const QString& group, const QString& key) const {
    if (const auto raw = RawValue(group, key)) {
        return Unescape(*raw);
    }
    return std::nullopt;
}

std::optional<QString> TDesktopKeyFile::LocaleString(const QString& group, const QString& key,
                                                     const QString& localeName) const {
    const QString withoutCodeset = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    const QString language = withoutCodeset.section(QLatin1Char('_'), 0, 0);
    for (const QString& suffix : {withoutCodeset, language}) {
        if (suffix.isEmpty()) {
            continue;
        }
        if (auto value = String(group, key + QLatin1Char('[') + suffix + QLatin1Char(']'))) {
            return value;
        }
    }
    return String(group, key);
}

QStringList TDesktopKeyFile::StringList(const QString& group, const QString& key) const {
    const auto raw = RawValue(group, key);
    if (!raw) {
        return {};
    }
    QStringList items;
    QString item;
    for (qsizetype i = 0; i < raw->size(); ++i) {
        const QChar c = raw->at(i);
        if (c == QLatin1Char('\\') && i + 1 < raw->size() && raw->at(i + 1) == QLatin1Char(';')) {
            item += QLatin1Char(';');
            ++i;
        } else if (c == QLatin1Char(';')) {
            items.append(Unescape(item));
            item.clear();
        } else {
            item += c;
        }
    }
    items.append(Unescape(item));
    items.removeAll(QString());
    return items;
}

bool TDesktopKeyFile::Boolean(const QString& group, const QString& key) const {
    return RawValue(group, key) == QStringLiteral("true");
}

QStringList TDesktopKeyFile::Keys(const QString& group) const {
    QStringList keys;
    if (const TGroup* found = FindGroup(group)) {
        for (const auto& entry : found->Entries) {
            keys.append(entry.first);
        }
    }
    return keys;
}

QString TDesktopKeyFile::Unescape(const QString& raw) {
    QString result;
    result.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            result += c;
            continue;
        }
        const QChar next = raw.at(i + 1);
        switch (next.unicode()) {
        case 's':
            result += QLatin1Char(' ');
            break;
        case 'n':
            result += QLatin1Char('\n');
            break;
        case 't':
            result += QLatin1Char('\t');
            break;
        case 'r':
            result += QLatin1Char('\r');
            break;
        case '\\':
            result += QLatin1Char('\\');
            break;
        default:
            result += c;
            result += next;
            break;
        }
        ++i;
    }
    return result;
}
