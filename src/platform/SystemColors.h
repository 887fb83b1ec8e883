#pragma once

#include "engine/Color.h"

#include <QColor>
#include <QPalette>

// The desktop's interface colours taken from the application's palette, standing in for the
// Windows system-colour table: button face = Button, button shadow = Dark, button highlight =
// Light, 3-D dark shadow = Shadow, 3-D light = Midlight, window = Base, window text = Text,
// window frame = black.
class TPaletteSystemColors final : public TSystemColorResolver {
public:
    // Reads the palette at every lookup, so a change of the desktop's colours is seen at once.
    TColor SystemColor(int index) const override;

    static TColor FromPalette(const QPalette& palette, int index);
};

// Makes the application's palette the source of system colours for the whole program.
void InstallPaletteSystemColors();

// A colour value (system colours resolved through the current table) as a QColor, and back.
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);
