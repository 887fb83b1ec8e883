#include "platform/SystemColors.h"

#include <QGuiApplication>

namespace {

TColor RoleColor(const QPalette& palette, QPalette::ColorRole role) {
    return FromQColor(palette.color(QPalette::Active, role));
}

} // namespace

TColor TPaletteSystemColors::FromPalette(const QPalette& palette, int index) {
    switch (index) {
    case 0x05:
        return RoleColor(palette, QPalette::Base); // window
    case 0x06:
        return clBlack; // window frame
    case 0x08:
        return RoleColor(palette, QPalette::Text); // window text
    case 0x0F:
        return RoleColor(palette, QPalette::Button); // button face
    case 0x10:
        return RoleColor(palette, QPalette::Dark); // button shadow
    case 0x12:
        return RoleColor(palette, QPalette::ButtonText); // button text
    case 0x14:
        return RoleColor(palette, QPalette::Light); // button highlight
    case 0x15:
        return RoleColor(palette, QPalette::Shadow); // 3-D dark shadow
    case 0x16:
        return RoleColor(palette, QPalette::Midlight); // 3-D light
    case 0x0D:
        return RoleColor(palette, QPalette::Highlight); // highlight
    case 0x0E:
        return RoleColor(palette, QPalette::HighlightedText);
    case 0x11:
        return RoleColor(palette, QPalette::PlaceholderText); // gray text
    case 0x17:
        return RoleColor(palette, QPalette::ToolTipText); // info text
    case 0x18:
        return RoleColor(palette, QPalette::ToolTipBase); // info background
    default:
        return RoleColor(palette, QPalette::Window);
    }
}

TColor TPaletteSystemColors::SystemColor(int index) const {
    return FromPalette(QGuiApplication::palette(), index);
}

void InstallPaletteSystemColors() {
    static const TPaletteSystemColors paletteColors;
    SetSystemColorResolver(&paletteColors);
}

QColor ToQColor(TColor color) {
    const TColor plain = ResolveColor(color);
    return QColor(static_cast<int>(plain & 0xFF), static_cast<int>((plain >> 8) & 0xFF),
                  static_cast<int>((plain >> 16) & 0xFF));
}

TColor FromQColor(const QColor& color) {
    const QRgb rgb = color.rgb();
    return static_cast<TColor>(qRed(rgb)) | (static_cast<TColor>(qGreen(rgb)) << 8) |
           (static_cast<TColor>(qBlue(rgb)) << 16);
}
