#pragma once

#include <QString>
#include <QStringList>

// The Windows typefaces that the program's files and HTML name ("ＭＳ Ｐゴシック", "MS Sans
// Serif", ...) stay as they are in files and HTML; for drawing they are mapped to fonts that a
// Linux desktop has (IPA, Noto CJK, VL Gothic for the Japanese faces). Installed once at start.
void InstallWindowsFontSubstitutes();

// The Windows faces that are mapped, in the order they are offered in the font list.
QStringList WindowsFaceNames();

// True when `face` is one of the mapped Windows faces and one of its stand-ins is installed.
bool IsDrawableWindowsFace(const QString& face);
