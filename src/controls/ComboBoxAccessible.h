#pragma once

#include <QAccessibleWidget>

class QComboBox;

// What assistive tools learn of a combo box, as Qt's own combo box interface tells it (the
// drop-down list and the edit field as children, the current text as value, Alt+Down's menu as
// an action), except for its name: Qt names a combo box on Linux by its current text, so a screen
// reader says "0 combo box"; a box given an accessible name (by the label beside it) is named by
// it here, its current text staying the value.
class TComboBoxAccessible final : public QAccessibleWidget {
public:
    explicit TComboBoxAccessible(QComboBox* box);

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QComboBox* Box() const;
};

// Lets Qt's accessibility use the interfaces of this folder for every QLineEdit and QComboBox of
// the program. Qt asks the factory installed last first, so this runs after the application
// object is made and before the controls it should serve are made. Safe to call more than once.
void InstallStandardControlsAccessible();
