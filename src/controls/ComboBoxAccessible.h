#pragma once

#include <QAccessibleWidget>

class QComboBox;

// What assistive tools learn of a combo box, as Qt's own combo box interface tells it (the
// drop-down list and the edit field as children, the current text as value, Alt+Down's menu as
// an action), except for its name: Qt names a combo box on Linux by its current text, so a screen
// reader says "0 combo box"; a box given an accessible name (by the label beside it) is named by
// it here, its current text staying the value. That text is also its (read-only) text, which is
// where screen readers such as Orca read a box's value when its list has no selection.
class TComboBoxAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TComboBoxAccessible(QComboBox* box);

    void* interface_cast(QAccessible::InterfaceType t) override;

    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // QAccessibleTextInterface: the current text, read-only.
    void addSelection(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;
    int cursorPosition() const override { return 0; }
    QRect characterRect(int) const override { return {}; }
    int selectionCount() const override { return 0; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void selection(int, int* startOffset, int* endOffset) const override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    void removeSelection(int) override {}
    void setCursorPosition(int) override {}
    void setSelection(int, int, int) override {}
    int characterCount() const override;
    void scrollToSubstring(int, int) override {}

private:
    QComboBox* Box() const;
    QString Current() const;
    // -1 stands for the end of the text, -2 for the caret (at the start).
    int Resolved(int offset) const;
};

// Lets Qt's accessibility use the interfaces of this folder for every QLineEdit and QComboBox of
// the program. Qt asks the factory installed last first, so this runs after the application
// object is made and before the controls it should serve are made. Safe to call more than once.
void InstallStandardControlsAccessible();
