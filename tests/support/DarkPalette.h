#pragma once

#include <QApplication>
#include <QPalette>
#include <QStyle>

// A dark desktop scheme as dark themes give it: light text on dark faces.
inline QPalette DarkTestPalette() {
    QPalette dark;
    const auto set = [&dark](QPalette::ColorRole role, QColor active, QColor disabled) {
        dark.setColor(QPalette::Active, role, active);
        dark.setColor(QPalette::Inactive, role, active);
        dark.setColor(QPalette::Disabled, role, disabled);
    };
    set(QPalette::Window, QColor(45, 45, 48), QColor(45, 45, 48));
    set(QPalette::WindowText, QColor(230, 230, 230), QColor(120, 120, 120));
    set(QPalette::Base, QColor(30, 30, 32), QColor(45, 45, 48));
    set(QPalette::AlternateBase, QColor(40, 40, 42), QColor(40, 40, 42));
    set(QPalette::Text, QColor(230, 230, 230), QColor(120, 120, 120));
    set(QPalette::Button, QColor(45, 45, 48), QColor(45, 45, 48));
    set(QPalette::ButtonText, QColor(235, 235, 235), QColor(130, 130, 130));
    set(QPalette::Light, QColor(90, 90, 94), QColor(90, 90, 94));
    set(QPalette::Midlight, QColor(70, 70, 74), QColor(70, 70, 74));
    set(QPalette::Dark, QColor(25, 25, 27), QColor(25, 25, 27));
    set(QPalette::Mid, QColor(35, 35, 37), QColor(35, 35, 37));
    set(QPalette::Shadow, QColor(10, 10, 10), QColor(10, 10, 10));
    set(QPalette::Highlight, QColor(42, 130, 218), QColor(80, 80, 80));
    set(QPalette::HighlightedText, QColor(255, 255, 255), QColor(200, 200, 200));
    set(QPalette::PlaceholderText, QColor(140, 140, 140), QColor(100, 100, 100));
    set(QPalette::ToolTipBase, QColor(60, 60, 60), QColor(60, 60, 60));
    set(QPalette::ToolTipText, QColor(230, 230, 230), QColor(230, 230, 230));
    return dark;
}

// The style's own light palette.
inline QPalette LightTestPalette() {
    return QApplication::style()->standardPalette();
}

// Puts `palette` on the application for the guard's life.
class TScopedAppPalette {
public:
    explicit TScopedAppPalette(const QPalette& palette) : previous_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~TScopedAppPalette() { QApplication::setPalette(previous_); }
    TScopedAppPalette(const TScopedAppPalette&) = delete;
    TScopedAppPalette& operator=(const TScopedAppPalette&) = delete;

private:
    QPalette previous_;
};
