#pragma once

#include <QString>

#include <exception>

// The Japanese text, for the user, of an error that the settings store raised: the file, and
// for a value that cannot be read its section, key and value, with the cause. `settingsFile` is
// the settings file the store reads (a value error does not name it). Errors that are not the
// store's keep their own text.
QString StoreErrorText(const std::exception& error, const QString& settingsFile);
