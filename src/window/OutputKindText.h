#pragma once

#include <QCoreApplication>
#include <QString>

// A text of the output kind table (a menu item, a message) in the window's language.
inline QString OutputKindText(const char* source) {
    return QCoreApplication::translate("TForm1", source);
}
