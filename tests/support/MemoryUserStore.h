#pragma once

#include "platform/UserStore.h"

#include <QHash>

// A per-user store held in memory, for tests. Keys and value names are matched exactly.
class TMemoryUserStore final : public TUserStore {
public:
    QString ReadValue(const QString& keyPath, const QString& valueName) override {
        return Values.value(keyPath + u'|' + valueName);
    }
    bool WriteValue(const QString& keyPath, const QString& valueName, const QString& text) override {
        ++Writes;
        if (FailWrites) {
            return false;
        }
        Values.insert(keyPath + u'|' + valueName, text);
        return true;
    }

    QHash<QString, QString> Values; // "key path|value name" -> text
    bool FailWrites = false;
    int Writes = 0;
};
