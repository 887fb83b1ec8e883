#pragma once

#include <QString>
#include <QWidget>

// A control's hint, which the window shows in its status bar while the pointer is over the
// control or one inside it (the window has no pop-up tips).
inline constexpr const char* kHintProperty = "tintrelHint";

inline void SetHint(QWidget* widget, const QString& hint) {
    widget->setProperty(kHintProperty, hint);
}
