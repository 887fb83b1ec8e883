#pragma once

#include <QAccessibleWidget>
#include <QString>
#include <QStringList>

class TTransparentButton;

// What assistive tools (screen readers through AT-SPI) learn of a flat glyph button: a push
// button named by its accessible name, else its caption without the accelerator mark, else its
// status tip; a latching button is a toggle, checkable and checked while Down; a button with a
// popup menu says so. Qt 6.4 has no toggle-button role for AT-SPI, so a toggle is told as a check
// box, as Qt tells its own checkable buttons; screen readers then say "checked"/"not checked". Its actions
// press it (a click) and show its menu (a right press), as the keyboard does.
class TTransparentButtonAccessible final : public QAccessibleWidget {
public:
    explicit TTransparentButtonAccessible(TTransparentButton* button);

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    TTransparentButton* Button() const;
};

// Lets Qt's accessibility find the interface above for every TTransparentButton. Safe to call
// more than once.
void InstallTransparentButtonAccessible();
