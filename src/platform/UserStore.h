#pragma once

#include <QString>

// The per-user store of small named text values, standing in for the current user's registry
// hive. A value lives under a key path such as "Software\OrivSoft\Tintrel\Colors" (components
// separated by backslashes) and has a name such as "Form1.ClBtn1".
class TUserStore {
public:
    virtual ~TUserStore() = default;

    // The text of the value, or an empty text when the key or the value does not exist or cannot
    // be read.
    virtual QString ReadValue(const QString& keyPath, const QString& valueName) = 0;
    // Stores the text, creating the key when missing. Returns false when it could not be stored;
    // the store has then told the user itself.
    virtual bool WriteValue(const QString& keyPath, const QString& valueName, const QString& text) = 0;
};
