#include "colorpicker/ColorDropButtonAccessible.h"

#include "colorpicker/ColorDropButton.h"
#include "colorpicker/ColorDropPaletteAccessible.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QKeySequence>

namespace {

QAccessibleInterface* ColorPickerFactory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    if (className == QLatin1String("TColorDropButton")) {
        return new TColorDropButtonAccessible(static_cast<TColorDropButton*>(object));
    }
    if (className == QLatin1String("TColorDropPalette")) {
        return new TColorDropPaletteAccessible(static_cast<TColorDropPalette*>(object));
    }
    return nullptr;
}

} // namespace

TColorDropButtonAccessible::TColorDropButtonAccessible(TColorDropButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

TColorDropButton* TColorDropButtonAccessible::Button() const {
    return static_cast<TColorDropButton*>(widget());
}

QString TColorDropButtonAccessible::text(QAccessible::Text t) const {
    const TColorDropButton* button = Button();
    if (t == QAccessible::Name) {
        const QString role = button->accessibleName().isEmpty()
                                 ? QCoreApplication::translate("TColorDropButton", "色")
                                 : button->accessibleName();
        return role + u' ' + button->ColorHexText();
    }
    if (t == QAccessible::Description) {
        return button->accessibleDescription().isEmpty() ? button->statusTip()
                                                         : button->accessibleDescription();
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State TColorDropButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.hasPopup = true;
    state.expandable = true;
    state.expanded = Button()->PaletteOpen();
    state.pressed = Button()->isDown();
    return state;
}

QStringList TColorDropButtonAccessible::actionNames() const {
    QStringList names;
    if (Button()->isEnabled()) {
        names << pressAction() << showMenuAction();
    }
    return names << QAccessibleWidget::actionNames();
}

void TColorDropButtonAccessible::doAction(const QString& actionName) {
    TColorDropButton* button = Button();
    if (actionName == pressAction()) {
        button->click();
    } else if (actionName == showMenuAction()) {
        if (!button->PaletteOpen()) {
            button->OpenPalette();
        }
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

QStringList TColorDropButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction()) {
        return {QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
    }
    if (actionName == showMenuAction()) {
        return {QKeySequence(Qt::ALT | Qt::Key_Down).toString(QKeySequence::NativeText),
                QKeySequence(Qt::Key_F4).toString(QKeySequence::NativeText)};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void InstallColorPickerAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(ColorPickerFactory);
        return true;
    }();
    (void)installed;
}
