#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// A file in the freedesktop key-file format: desktop entries, mimeapps.list and mimeinfo.cache.
// Lines are "[Group]" headers, "Key=Value" pairs and "#" comments; the text is UTF-8. Values are
// kept as written; String and StringList undo the format's escapes.
class TDesktopKeyFile {
public:
    static TDesktopKeyFile Parse(const QByteArray& text);
    // nullopt when the file cannot be read.
    static std::optional<TDesktopKeyFile> Load(const QString& path);

    bool HasGroup(const QString& group) const;
    // The value as written after the "=", nullopt when the key is absent. Keys and groups are
    // matched exactly (the format is case sensitive); the first of repeated keys counts.
    std::optional<QString> RawValue(const QString& group, const QString& key) const;
    // The value with \s \n \t \r \\ undone; other backslashes stay, for the Exec key's own rules.
    std::optional<QString> String(const QString& group, const QString& key) const;
    // A localised value: Key[lang_COUNTRY], Key[lang], then Key, for the given locale name
    // such as "ja_JP".
    std::optional<QString> LocaleString(const QString& group, const QString& key,
                                        const QString& localeName) const;
    // A ";"-separated list ("\;" is a semicolon inside an item); empty items are dropped.
    QStringList StringList(const QString& group, const QString& key) const;
    bool Boolean(const QString& group, const QString& key) const;
    // The keys of a group in file order.
    QStringList Keys(const QString& group) const;

    static QString Unescape(const QString& raw);

private:
    struct TGroup {
        QString Name;
        QList<std::pair<QString, QString>> Entries;
    };
    const TGroup* FindGroup(const QString& group) const;

    QList<TGroup> Groups;
};
