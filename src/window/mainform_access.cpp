// The window without a mouse and with a screen reader: the tab order in reading order, the
// window shortcuts, the keyboard's way to every context menu, the names assistive tools read,
// and the status line that says when the preview is too small to read.
#include "window/WidgetHint.h"
#include "window/mainform.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "window/ColorLabel.h"
#include "window/PreviewBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTimer>

namespace {

// Below this size the smart preview's text can no longer be read.
constexpr int kReadablePreviewPoints = 6;

QString NativeText(const QKeySequence& keys) {
    return keys.toString(QKeySequence::NativeText);
}

// Gives the activation back to the main window when one of its modal dialogs closes and no
// window of the program is active: a desktop without a window manager (a virtual screen, a kiosk)
// leaves the keyboard nowhere otherwise. A dialog can only be closed from inside the program, so
// no other program's window loses the activation by this.
class TDialogReturn final : public QObject {
public:
    explicit TDialogReturn(QWidget* form) : QObject(form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Hide && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget != form_ && widget->isWindow() && widget->isModal() &&
                widget->parentWidget() != nullptr && widget->parentWidget()->window() == form_) {
                QTimer::singleShot(0, form_, [form = form_] {
                    if (QApplication::activeWindow() == nullptr &&
                        QApplication::activeModalWidget() == nullptr && form->isVisible()) {
                        form->activateWindow();
                    }
                });
            }
        }
        return false;
    }

private:
    QWidget* form_;
};

} // namespace

void TForm1::SetUpKeyboardAndAccess() {
    qApp->installEventFilter(new TDialogReturn(this));
    for (TTransparentButton* button : {TbBold, TbItalic, TbUnder, TbStrike, TbTriCo, TbMirror}) {
        button->SetLatching(true);
    }
    SetTabOrder();
    CreateShortcuts();
    SetAccessibleTexts();
}

void TForm1::SetTabOrder() {
    // Row by row, left to right, as the controls are read.
    const QList<QWidget*> order = {
        EdText,                                              // text
        FCBox,   TbBold, TbItalic, TbUnder, TbStrike,        // font and styles
        CbSize,  CbHead,                                     // size
        ClBtn1,  ClBtnM, ClBtn2,   TbTriCo, TbMirror, TbInv, // colours and modes
        CbStyle,                                             // style list
        TbCopy,  TbSave, TbOption, ClBtnBk, cbTable,         // output and background
    };
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    }
}

void TForm1::CreateShortcuts() {
    // None of these keys is one of the text field's own editing keys.
    const struct {
        QAction** action;
        const char* name;
        QKeySequence keys;
        TTransparentButton* button;
        Qt::MouseButton mouseButton;
    } shortcuts[] = {
        {&AcCopy, "AcCopy", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), TbCopy, Qt::LeftButton},
        {&AcCopyLine, "AcCopyLine", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L), TbCopy, Qt::RightButton},
        {&AcSave, "AcSave", QKeySequence(Qt::CTRL | Qt::Key_S), TbSave, Qt::LeftButton},
        {&AcOption, "AcOption", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), TbOption, Qt::LeftButton},
    };
    for (const auto& entry : shortcuts) {
        auto* action = new QAction(this);
        action->setObjectName(QLatin1String(entry.name));
        action->setShortcut(entry.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        TTransparentButton* button = entry.button;
        const Qt::MouseButton mouseButton = entry.mouseButton;
        connect(action, &QAction::triggered, this,
                [button, mouseButton] { button->ActivateFromKeyboard(mouseButton); });
        addAction(action);
        *entry.action = action;
    }

    // The keys are told where the mouse user reads the hints.
    const auto appendHint = [](QWidget* widget, const QString& keys) {
        const QString hint = widget->property(kHintProperty).toString();
        widget->setProperty(kHintProperty, hint + keys);
    };
    // The status bar at the start width has room for the second key only as the key that differs
    // from the first; the description read aloud names both whole.
    const QString copyKeys = NativeText(AcCopy->shortcut());
    const QString lineKeys = NativeText(AcCopyLine->shortcut());
    const qsizetype modifiers = copyKeys.lastIndexOf(QLatin1Char('+')) + 1;
    const QString lineKey =
        copyKeys.left(modifiers) == lineKeys.left(modifiers) ? lineKeys.mid(modifiers) : lineKeys;
    TbCopy->setAccessibleDescription(TbCopy->property(kHintProperty).toString() +
                                     tr("［%1、１行：%2］").arg(copyKeys, lineKeys));
    appendHint(TbCopy, tr("［%1／%2］", "the keys of Copy and of Copy as one line").arg(copyKeys, lineKey));
    appendHint(TbSave, tr("［%1］").arg(NativeText(AcSave->shortcut())));
    appendHint(TbOption, tr("［%1］").arg(NativeText(AcOption->shortcut())));
}

void TForm1::SetAccessibleTexts() {
    const auto describe = [](QWidget* widget, const QString& name, const QString& description) {
        if (!name.isEmpty()) {
            widget->setAccessibleName(name);
        }
        widget->setAccessibleDescription(description);
    };
    const auto hint = [](const QWidget* widget) { return widget->property(kHintProperty).toString(); };

    describe(EdText, tr("テキスト"), hint(EdText));
    describe(FCBox, tr("フォント"),
             hint(FCBox) + tr("メニューキーまたはShift+F10でフォント名をコピーします。"));
    describe(TbBold, tr("太字"), hint(TbBold));
    describe(TbItalic, tr("斜体"), hint(TbItalic));
    describe(TbUnder, tr("下線"), hint(TbUnder));
    describe(TbStrike, tr("取消線"), hint(TbStrike));
    describe(CbSize, tr("サイズ"), hint(CbSize));
    describe(CbHead, QString(), hint(CbHead));

    const QString colorKeys = tr("。スペースで色を順に替え、Alt+↓またはF4でパレットを開きます。"
                                 "メニューキーまたはShift+F10で色の値をコピーします。");
    describe(ClBtn1, tr("左側（外側）の色"), hint(ClBtn1) + colorKeys);
    describe(ClBtnM, tr("中央の色"), tr("３色のときの中央の色を選択します") + colorKeys);
    describe(ClBtn2, tr("右側（内側）の色"), hint(ClBtn2) + colorKeys);
    describe(ClBtnBk, tr("背景色"), hint(ClBtnBk) + colorKeys);
    describe(FlCl1, tr("左側の色の値"), hint(FlCl1));
    describe(FlClM, tr("中央の色の値"), hint(FlClM));
    describe(FlCl2, tr("右側の色の値"), hint(FlCl2));
    describe(FlClBk, tr("背景色の値"), hint(FlClBk));

    describe(TbTriCo, QString(), tr("３色のグラデーションにします"));
    describe(TbMirror, QString(), hint(TbMirror));
    describe(TbInv, QString(), hint(TbInv));
    describe(CbStyle, tr("スタイル"),
             hint(CbStyle) + tr("。メニューキーまたはShift+F10でメニューを開きます。"));
    // Copy's description, with its keys named whole, is set with its keys.
    describe(TbSave, QString(), hint(TbSave));
    describe(TbOption, QString(), hint(TbOption));
    describe(cbTable, QString(), hint(cbTable));
    describe(PaintBox, tr("プレビュー"), hint(PaintBox));
}

bool TForm1::KeyboardMenuKey(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() != Qt::Key_F10 || modifiers != Qt::ShiftModifier) {
        return false;
    }
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr || focused->window() != this) {
        return false;
    }
    const QPoint middle = focused->rect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, middle, focused->mapToGlobal(middle));
    QApplication::sendEvent(focused, &request);
    return true;
}

bool TForm1::KeyboardContextMenu(QWidget* widget, QContextMenuEvent* event) {
    // Right clicks keep the behaviour they have; only the keyboard's request is routed here.
    if (event->reason() != QContextMenuEvent::Keyboard) {
        return false;
    }
    const struct {
        TColorDropButton* button;
        TColorLabel* label;
    } colorLabels[] = {{ClBtn1, FlCl1}, {ClBtnM, FlClM}, {ClBtn2, FlCl2}, {ClBtnBk, FlClBk}};
    for (const auto& entry : colorLabels) {
        if (widget == entry.button) {
            if (entry.label->isEnabled()) {
                FlClMouseDown(entry.label, Qt::LeftButton);
                PmCopy->popup(entry.label->mapToGlobal(QPoint(0, entry.label->height())));
                PmCopy->setActiveAction(PmCopy->actions().value(0));
            }
            return true;
        }
    }
    if (widget == CbStyle) {
        // As the right click does, but below the list and with its first item ready for Enter.
        Pm1Popup();
        Pm1->popup(CbStyle->mapToGlobal(QPoint(0, CbStyle->height())));
        Pm1->setActiveAction(Pm1->actions().value(0));
        return true;
    }
    if (widget == FCBox) {
        PmFont->popup(Panel2->mapToGlobal(QPoint(0, Panel2->height())));
        PmFont->setActiveAction(PmFont->actions().value(0));
        return true;
    }
    return false;
}

void TForm1::ReportSmallPreview(bool shrunk, int drawingPoints, int characters) {
    const QString message = shrunk && drawingPoints < kReadablePreviewPoints
                                ? tr("%1文字のためプレビューを%2ptに縮小中（HTMLの文字サイズはそのまま）")
                                      .arg(characters)
                                      .arg(drawingPoints)
                                : QString();
    if (message == lastSmallPreviewText_) {
        return;
    }
    const QString previous = std::exchange(lastSmallPreviewText_, message);
    if (!message.isEmpty()) {
        StBar->showMessage(message);
    } else if (StBar->currentMessage() == previous) {
        StBar->clearMessage();
    }
}
