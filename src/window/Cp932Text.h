#pragma once

#include "engine/CodePage.h"

#include <QString>

#include <string_view>

// Shift-JIS bytes (a style name, a face name, a snippet) as the desktop's Unicode.
inline QString FromCp932(std::string_view cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}
