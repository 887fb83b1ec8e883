#include "controls/ComboBoxAccessible.h"

#include "controls/LineEditAccessible.h"
#include "controls/TextItems.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>

namespace {

QAccessibleInterface* StandardControlsFactory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    if (className == QLatin1String("QLineEdit")) {
        // A spin box reads its edit field through an interface of its own, as in Qt.
        if (object->objectName() == QLatin1String("qt_spinbox_lineedit")) {
            return nullptr;
        }
        return new TLineEditAccessible(static_cast<QLineEdit*>(object));
    }
    if (className == QLatin1String("QComboBox")) {
        return new TComboBoxAccessible(static_cast<QComboBox*>(object));
    }
    return nullptr;
}

} // namespace

TComboBoxAccessible::TComboBoxAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {
    addControllingSignal(QStringLiteral("activated(int)"));
}

QComboBox* TComboBoxAccessible::Box() const {
    return static_cast<QComboBox*>(widget());
}

QString TComboBoxAccessible::Current() const {
    const QComboBox* box = Box();
    return box->isEditable() ? box->lineEdit()->text() : box->currentText();
}

void* TComboBoxAccessible::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface) {
        return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

QString TComboBoxAccessible::text(QAccessible::Text t) const {
    const QComboBox* box = Box();
    QString current = Current();
    switch (t) {
    case QAccessible::Name:
        if (!box->accessibleName().isEmpty()) {
            return box->accessibleName();
        }
        return current.isEmpty() ? QAccessibleWidget::text(t) : current;
    case QAccessible::Value:
        return current;
    case QAccessible::Accelerator:
        return QKeySequence(Qt::Key_Down).toString(QKeySequence::NativeText);
    default:
        return QAccessibleWidget::text(t);
    }
}

int TComboBoxAccessible::childCount() const {
    return Box()->isEditable() ? 2 : 1;
}

QAccessibleInterface* TComboBoxAccessible::child(int index) const {
    if (index == 0) {
        return QAccessible::queryAccessibleInterface(Box()->view());
    }
    if (index == 1 && Box()->isEditable()) {
        return QAccessible::queryAccessibleInterface(Box()->lineEdit());
    }
    return nullptr;
}

int TComboBoxAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (child == nullptr) {
        return -1;
    }
    if (child->object() == Box()->view()) {
        return 0;
    }
    if (Box()->isEditable() && child->object() == Box()->lineEdit()) {
        return 1;
    }
    return -1;
}

QAccessibleInterface* TComboBoxAccessible::childAt(int x, int y) const {
    if (Box()->isEditable()) {
        const QLineEdit* edit = Box()->lineEdit();
        if (QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(x, y)) {
            return child(1);
        }
    }
    return nullptr;
}

QStringList TComboBoxAccessible::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void TComboBoxAccessible::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction()) {
        return;
    }
    if (Box()->view()->isVisible()) {
        Box()->hidePopup();
    } else {
        Box()->showPopup();
    }
}

QStringList TComboBoxAccessible::keyBindingsForAction(const QString&) const {
    return {};
}

QString TComboBoxAccessible::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

void TComboBoxAccessible::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString TComboBoxAccessible::text(int startOffset, int endOffset) const {
    return startOffset > endOffset ? QString() : Current().mid(startOffset, endOffset - startOffset);
}

int TComboBoxAccessible::characterCount() const {
    return static_cast<int>(Current().size());
}

int TComboBoxAccessible::Resolved(int offset) const {
    return offset == -1 ? characterCount() : offset == -2 ? cursorPosition() : offset;
}

QString TComboBoxAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                              int* startOffset, int* endOffset) const {
    offset = Resolved(offset);
    if (IsItemBoundary(boundaryType)) {
        return ItemBefore(Current(), offset, boundaryType, startOffset, endOffset);
    }
    return QAccessibleTextInterface::textBeforeOffset(offset, boundaryType, startOffset, endOffset);
}

QString TComboBoxAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    offset = Resolved(offset);
    if (IsItemBoundary(boundaryType)) {
        return ItemAfter(Current(), offset, boundaryType, startOffset, endOffset);
    }
    return QAccessibleTextInterface::textAfterOffset(offset, boundaryType, startOffset, endOffset);
}

QString TComboBoxAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                          int* startOffset, int* endOffset) const {
    offset = Resolved(offset);
    if (IsItemBoundary(boundaryType)) {
        return ItemAt(Current(), offset, boundaryType, startOffset, endOffset);
    }
    return QAccessibleTextInterface::textAtOffset(offset, boundaryType, startOffset, endOffset);
}

void InstallStandardControlsAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(StandardControlsFactory);
        return true;
    }();
    (void)installed;
}
