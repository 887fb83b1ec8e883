#pragma once

#include <QAccessibleWidget>

class TColorDropButton;

// What assistive tools learn of a colour button: a push button whose name is its role (the
// accessible name its window gives it) followed by its colour as "#RRGGBB", so the colour is
// heard whenever the button is; it has a popup (the palette), expanded while open. Its actions
// click it and open the palette.
class TColorDropButtonAccessible final : public QAccessibleWidget {
public:
    explicit TColorDropButtonAccessible(TColorDropButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TColorDropButton* Button() const;
};

// Lets Qt's accessibility find the colour button's and the palette's interfaces. Safe to call more than once.
void InstallColorPickerAccessible();
