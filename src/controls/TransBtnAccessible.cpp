#include "controls/TransBtnAccessible.h"

#include "controls/TransBtn.h"

#include <QAccessible>
#include <QKeySequence>

namespace {

// The caption as read aloud: "&" marks dropped ("&&" stands for one), spaces trimmed.
QString SpokenCaption(const QString& caption) {
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == u'&') {
            ++i;
            if (i >= caption.size()) {
                break;
            }
        }
        spoken += caption.at(i);
    }
    return spoken.trimmed();
}

QAccessibleInterface* TransparentButtonFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TTransparentButton") && object != nullptr && object->isWidgetType()) {
        return new TTransparentButtonAccessible(static_cast<TTransparentButton*>(object));
    }
    return nullptr;
}

} // namespace

TTransparentButtonAccessible::TTransparentButtonAccessible(TTransparentButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

TTransparentButton* TTransparentButtonAccessible::Button() const {
    return static_cast<TTransparentButton*>(widget());
}

QAccessible::Role TTransparentButtonAccessible::role() const {
    return Button()->Latching() ? QAccessible::CheckBox : QAccessible::Button;
}

QString TTransparentButtonAccessible::text(QAccessible::Text t) const {
    const TTransparentButton* button = Button();
    switch (t) {
    case QAccessible::Name: {
        QString name = button->accessibleName();
        if (name.isEmpty()) {
            name = SpokenCaption(button->Caption());
        }
        if (name.isEmpty()) {
            name = button->statusTip();
        }
        return name;
    }
    case QAccessible::Description:
        return button->accessibleDescription().isEmpty() ? button->statusTip()
                                                         : button->accessibleDescription();
    case QAccessible::Accelerator: {
        const QKeySequence mnemonic = QKeySequence::mnemonic(button->Caption());
        return mnemonic.toString(QKeySequence::NativeText);
    }
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State TTransparentButtonAccessible::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    const TTransparentButton* button = Button();
    if (button->Latching()) {
        state.checkable = true;
        state.checked = button->Down();
    }
    state.pressed = button->ShownPressed();
    if (button->PopUpMenu() != nullptr) {
        state.hasPopup = true;
    }
    return state;
}

QStringList TTransparentButtonAccessible::actionNames() const {
    QStringList names;
    if (Button()->isEnabled()) {
        names << (Button()->Latching() ? toggleAction() : pressAction()) << showMenuAction();
    }
    return names << QAccessibleWidget::actionNames();
}

void TTransparentButtonAccessible::doAction(const QString& actionName) {
    TTransparentButton* button = Button();
    if (actionName == pressAction() || actionName == toggleAction()) {
        button->ActivateFromKeyboard(Qt::LeftButton);
    } else if (actionName == showMenuAction()) {
        button->ActivateFromKeyboard(Qt::RightButton);
    } else {
        QAccessibleWidget::doAction(actionName);
    }
}

QStringList TTransparentButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction() || actionName == toggleAction()) {
        return {QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
    }
    if (actionName == showMenuAction()) {
        return {QKeySequence(Qt::SHIFT | Qt::Key_F10).toString(QKeySequence::NativeText)};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void InstallTransparentButtonAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(TransparentButtonFactory);
        return true;
    }();
    (void)installed;
}
