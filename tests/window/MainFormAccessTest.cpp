// The window without a mouse: the tab order, the keyboard's way to every button and menu, the
// window shortcuts, what assistive tools read, and the status line of an unreadable preview.
#include "support/FormRig.h"

#include "colorpicker/ColorDropButton.h"
#include "controls/FontCombo.h"
#include "controls/TransBtn.h"
#include "platform/AccessibleEvents.h"
#include "window/AccessKeys.h"
#include "window/ColorLabel.h"
#include "window/UiTranslators.h"
#include "window/mainform.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>

#include <algorithm>

namespace {

struct TRig : TFormRig {
    TForm1& Open() {
        Create();
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get())) {
            qWarning("the window did not become active");
        }
        return *form;
    }
};

// Closes the open menu and says which one it was.
QString OpenedMenu() {
    QString name;
    if (QWidget* popup = QApplication::activePopupWidget()) {
        name = popup->objectName();
        popup->close();
    }
    return name;
}

} // namespace

class MainFormAccessTest : public QObject {
    Q_OBJECT

private slots:
    // In both languages every item of every menu (the base font size's aside, whose caption is
    // read back) has an access key no other item of its menu has, written as the language
    // writes it; the title of "Other targets" names the kind chosen in it and keeps its key.
    void everyMenuItemHasItsOwnAccessKey() {
        for (const TUiLanguage language : {TUiLanguage::English, TUiLanguage::Japanese}) {
            const TUiTranslators translators(language);
            TRig rig;
            TForm1& form = rig.Open();
            std::vector<const QMenu*> menus = {form.PmOpt, form.PmPreview, form.Pm1, form.PmCopy,
                                               form.PmFont};
            for (std::size_t m = 0; m < menus.size(); ++m) {
                QSet<QChar> keys;
                for (const QAction* item : menus[m]->actions()) {
                    if (item->menu() != nullptr) {
                        menus.push_back(item->menu());
                    }
                    if (item->isSeparator() || item == form.CbOptFontSize) {
                        continue;
                    }
                    const QChar key = AccessKeyOf(item->text());
                    QVERIFY2(!key.isNull() && !keys.contains(key), qPrintable(item->text()));
                    keys.insert(key);
                    const bool japanese = language == TUiLanguage::Japanese &&
                                          std::any_of(item->text().begin(), item->text().end(),
                                                      [](QChar c) { return c.unicode() >= 0x3000; });
                    QVERIFY2(!japanese || item->text().contains(QStringLiteral("(&")),
                             qPrintable(item->text()));
                }
            }
            const QString title = form.PmTargets->title();
            QAction* target = form.PmTargets->actions().front();
            target->trigger();
            QCOMPARE(form.PmTargets->title(),
                     AddedBeforeAccessKey(title, form.tr("：%1").arg(WithoutAccessKey(target->text()))));
            QCOMPARE(AccessKeyOf(form.PmTargets->title()), AccessKeyOf(title));
            form.CbFormat(DefaultOutputKind())->trigger();
            QCOMPARE(form.PmTargets->title(), title);
        }
    }
    void theFocusFrameKeepsClearOfTheCaptions() {
        for (const TUiLanguage language : {TUiLanguage::English, TUiLanguage::Japanese}) {
            const TUiTranslators translators(language);
            TRig rig;
            TForm1& form = rig.Open();
            for (TTransparentButton* button :
                 {form.TbTriCo, form.TbMirror, form.TbInv, form.TbCopy, form.TbSave, form.TbOption}) {
                const QImage plain = button->grab().toImage();
                const QString caption = button->Caption();
                button->SetCaption(QString());
                const QImage bare = button->grab().toImage();
                button->SetCaption(caption);
                button->setFocus(Qt::TabFocusReason);
                const QImage focused = button->grab().toImage();
                const QRect inside = plain.rect();
                // Around every dot of the frame (where the focus changed the picture) no letter
                // of the caption (where the caption did): one clear pixel between.
                for (int y = 0; y < plain.height(); ++y) {
                    for (int x = 0; x < plain.width(); ++x) {
                        for (int near = 0; focused.pixel(x, y) != plain.pixel(x, y) && near < 9; ++near) {
                            const QPoint at(x + near % 3 - 1, y + near / 3 - 1);
                            QVERIFY2(!inside.contains(at) || bare.pixel(at) == plain.pixel(at),
                                     qPrintable(caption));
                        }
                    }
                }
            }
        }
    }

    void tabVisitsEveryControlInReadingOrder() {
        TRig rig;
        TForm1& form = rig.Open();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // ClBtnM is disabled until three colours are chosen, so Tab passes over it.
        for (const bool threeColours : {false, true}) {
            if (threeColours) {
                form.TbTriCoClick();
            }
            const QStringList expected =
                QStringList{"EdText",  "FCBox",    "TbBold", "TbItalic",
                            "TbUnder", "TbStrike", "CbSize", "CbHead"}
                << (threeColours ? QStringList{"ClBtn1", "ClBtnM", "ClBtn2"}
                                 : QStringList{"ClBtn1", "ClBtn2"})
                << QStringList{"TbTriCo", "TbMirror", "TbInv",   "CbStyle", "TbCopy",
                               "TbSave",  "TbOption", "ClBtnBk", "cbTable", "EdText"};
            form.EdText->setFocus(Qt::TabFocusReason);
            QStringList visited{QApplication::focusWidget()->objectName()};
            while (visited.size() < expected.size()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited << QApplication::focusWidget()->objectName();
            }
            QCOMPARE(visited, expected);
        }
    }

    void spaceAndEnterPressTheFocusedFlatButton_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        for (const char* name : {"TbBold", "TbItalic", "TbUnder", "TbStrike", "TbTriCo", "TbMirror"}) {
            QTest::addRow("%s with Space", name) << QString::fromLatin1(name) << int(Qt::Key_Space);
            QTest::addRow("%s with Enter", name) << QString::fromLatin1(name) << int(Qt::Key_Return);
        }
    }

    void spaceAndEnterPressTheFocusedFlatButton() {
        QFETCH(QString, button);
        QFETCH(int, key);
        TRig rig;
        TForm1& form = rig.Open();
        auto* flat = form.findChild<TTransparentButton*>(button);
        flat->setFocus(Qt::TabFocusReason);
        QTest::keyClick(flat, Qt::Key(key));
        QVERIFY(flat->Down());
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(flat);
        QVERIFY(access->state().checkable);
        QVERIFY(access->state().checked);
        QTest::keyClick(flat, Qt::Key(key));
        QVERIFY(!flat->Down());
        QVERIFY(!access->state().checked);
    }

    void keyboardReachesTheOutputCommands() {
        TRig rig;
        TForm1& form = rig.Open();
        form.EdText->setText(QStringLiteral("AB"));
        form.Refresh();

        form.TbCopy->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form.TbCopy, Qt::Key_Space);
        QVERIFY(rig.clipboard.Content.contains(u'\n'));
        // Shift+F10 gives the right click: the one-line copy.
        QTest::keyClick(form.TbCopy, Qt::Key_F10, Qt::ShiftModifier);
        QVERIFY(!rig.clipboard.Content.contains(u'\n'));
        QVERIFY(rig.clipboard.Content.contains(QStringLiteral("#FF0000")));

        form.TbSave->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form.TbSave, Qt::Key_Return);
        QCOMPARE(rig.dialogs.FileRequests.size(), 1);

        form.TbOption->setFocus(Qt::TabFocusReason);
        QString opened;
        QTimer::singleShot(0, [&] { opened = OpenedMenu(); });
        QTest::keyClick(form.TbOption, Qt::Key_Space);
        QCOMPARE(opened, QStringLiteral("PmOpt"));
    }

    void windowShortcutsWorkFromTheTextField() {
        TRig rig;
        TForm1& form = rig.Open();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.EdText->setText(QStringLiteral("AB"));
        form.Refresh();
        form.EdText->setFocus();

        QTest::keyClick(form.EdText, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(rig.clipboard.Content.contains(u'\n'));
        QTest::keyClick(form.EdText, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!rig.clipboard.Content.contains(u'\n'));
        QTest::keyClick(form.EdText, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(rig.dialogs.FileRequests.size(), 1);
        QString opened;
        QTimer::singleShot(0, [&] { opened = OpenedMenu(); });
        QTest::keyClick(form.EdText, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(opened, QStringLiteral("PmOpt"));
        // The text field kept its text: none of the keys is one of its editing keys.
        QCOMPARE(form.EdText->text(), QStringLiteral("AB"));
        QVERIFY(form.TbCopy->property("tintrelHint").toString().contains(QStringLiteral("Ctrl+Shift+C")));
        // The hint names the second key short; what is read aloud names both whole.
        QVERIFY(form.TbCopy->property("tintrelHint").toString().endsWith(QStringLiteral("／L］")));
        QVERIFY(form.TbCopy->accessibleDescription().contains(QStringLiteral("Ctrl+Shift+L")));
        QVERIFY(form.TbCopy->accessibleDescription().startsWith(QStringLiteral("HTMLをコピーします")));
    }

    void menuKeyOpensTheSnippetMenus() {
        TRig rig;
        TForm1& form = rig.Open();
        form.ClBtn2->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form.ClBtn2, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(form.PmCopy->isVisible());
        // The first item, COLOR, copies the label under the focused colour button.
        QTest::keyClick(form.PmCopy, Qt::Key_Return);
        QVERIFY(rig.clipboard.Content.contains(form.FlCl2->text()));

        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                  form.FCBox->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(form.FCBox, &menuKey);
        QTRY_VERIFY(form.PmFont->isVisible());
        form.PmFont->close();

        form.CbStyle->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form.CbStyle, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(form.Pm1->isVisible());
        form.Pm1->close();
    }

    void assistiveToolsHearEveryButton() {
        TRig rig;
        TForm1& form = rig.Open();
        const QList<TTransparentButton*> flats = form.findChildren<TTransparentButton*>();
        QCOMPARE(flats.size(), 10);
        for (TTransparentButton* button : flats) {
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button);
            QVERIFY2(access != nullptr, qPrintable(button->objectName()));
            // Latching buttons are toggles, which Qt 6.4 can only tell as check boxes.
            QCOMPARE(access->role(), button->Latching() ? QAccessible::CheckBox : QAccessible::Button);
            QVERIFY2(!access->text(QAccessible::Name).isEmpty(), qPrintable(button->objectName()));
            QVERIFY(access->state().focusable);
        }
        QCOMPARE(QAccessible::queryAccessibleInterface(form.TbBold)->text(QAccessible::Name),
                 QStringLiteral("太字"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form.TbCopy)->text(QAccessible::Name),
                 QStringLiteral("コピー"));
        QVERIFY(QAccessible::queryAccessibleInterface(form.TbOption)->state().hasPopup);
        QVERIFY(!QAccessible::queryAccessibleInterface(form.TbCopy)->state().checkable);

        const QList<TColorDropButton*> colors = form.findChildren<TColorDropButton*>();
        QCOMPARE(colors.size(), 4);
        for (TColorDropButton* button : colors) {
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(button);
            QCOMPARE(access->role(), QAccessible::Button);
            QVERIFY(access->text(QAccessible::Name).endsWith(button->ColorHexText()));
            QVERIFY(access->text(QAccessible::Name).size() > 8);
            QVERIFY(access->state().hasPopup);
        }
        QVERIFY(
            QAccessible::queryAccessibleInterface(form.ClBtn1)->text(QAccessible::Name).endsWith("#FF0000"));
        form.ClBtn1->SetColor(0x00FF8000); // blue 255, green 128, red 0
        QVERIFY(
            QAccessible::queryAccessibleInterface(form.ClBtn1)->text(QAccessible::Name).endsWith("#0080FF"));
    }

    void togglesTellTheirStateAndItsChanges() {
        TRig rig;
        TForm1& form = rig.Open();
        static QList<QObject*> changes; // whose checked state changed
        changes.clear();
        SetAccessibleEventObserver([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::StateChanged &&
                static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked) {
                changes << event->object();
            }
        });
        const QList<TTransparentButton*> toggles = {form.TbBold,   form.TbItalic, form.TbUnder,
                                                    form.TbStrike, form.TbTriCo,  form.TbMirror};
        for (TTransparentButton* toggle : toggles) {
            QAccessibleInterface* access = QAccessible::queryAccessibleInterface(toggle);
            QCOMPARE(access->role(), QAccessible::CheckBox);
            const bool was = access->state().checked;
            toggle->setFocus();
            QTest::keyClick(toggle, Qt::Key_Space);
            QCOMPARE(access->state().checked, !was);
            QVERIFY2(changes.contains(toggle), qPrintable(toggle->objectName()));
        }
        SetAccessibleEventObserver(nullptr);
    }

    void boxesAreNamedByTheirLabels() {
        TRig rig;
        TForm1& form = rig.Open();
        QAccessibleInterface* font = QAccessible::queryAccessibleInterface(form.FCBox);
        QAccessibleInterface* size = QAccessible::queryAccessibleInterface(form.CbSize);
        QCOMPARE(font->text(QAccessible::Name), QStringLiteral("フォント"));
        QCOMPARE(font->text(QAccessible::Value), form.FCBox->currentText());
        QCOMPARE(size->text(QAccessible::Name), QStringLiteral("サイズ"));
        QCOMPARE(size->text(QAccessible::Value), form.CbSize->currentText());

        // The text field's word at the caret's usual place, the end, answers.
        form.EdText->setText(QStringLiteral("Tintrel"));
        int start = 0;
        int end = 0;
        QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(form.EdText)->textInterface();
        QCOMPARE(text->textAtOffset(7, QAccessible::WordBoundary, &start, &end), QStringLiteral("Tintrel"));
    }

    void statusBarTellsWhenThePreviewIsTooSmallToRead() {
        TRig rig;
        TForm1& form = rig.Open();
        const QString longText(400, u'W');
        form.EdText->setText(longText);
        form.Refresh();
        QVERIFY(form.LastDrawingSize() < 6);
        const QString message = form.StBar->currentMessage();
        QVERIFY2(message.contains(QStringLiteral("400")), qPrintable(message));
        QVERIFY(message.contains(QStringLiteral("%1pt").arg(form.LastDrawingSize())));

        form.EdText->setText(QStringLiteral("Tintrel"));
        form.Refresh();
        QVERIFY(form.StBar->currentMessage().isEmpty());
    }

    void theNoticeStartsBelowSixPoints() {
        TRig rig;
        TForm1& form = rig.Open();
        // Longer and longer texts shrink the preview point by point: 6 pt is still readable.
        QList<int> seen;
        for (int length = 20; length <= 400 && !seen.contains(5); ++length) {
            form.EdText->setText(QString(length, u'W'));
            form.Refresh();
            const int points = form.LastDrawingSize();
            seen << points;
            QVERIFY2(form.StBar->currentMessage().isEmpty() == (points >= 6),
                     qPrintable(QString::number(points)));
        }
        QVERIFY(seen.contains(6) && seen.contains(5));
    }

    void buttonsOfferTheirActionsWithTheirKeys() {
        TRig rig;
        TForm1& form = rig.Open();
        const QString menu = QAccessibleActionInterface::showMenuAction();
        const struct {
            const char* button;
            QString action; // the first, on Space; the second is the menu
            QString menuKeys;
        } cases[] = {{"TbBold", QAccessibleActionInterface::toggleAction(), "Shift+F10"},
                     {"TbCopy", QAccessibleActionInterface::pressAction(), "Shift+F10"},
                     {"ClBtn1", QAccessibleActionInterface::pressAction(), "Alt+Down F4"}};
        for (const auto& c : cases) {
            QAccessibleActionInterface* access =
                QAccessible::queryAccessibleInterface(form.findChild<QWidget*>(c.button))->actionInterface();
            QVERIFY(access != nullptr);
            QCOMPARE(access->actionNames().mid(0, 2), (QStringList{c.action, menu}));
            QCOMPARE(access->keyBindingsForAction(c.action), QStringList{QStringLiteral("Space")});
            QCOMPARE(access->keyBindingsForAction(menu).join(u' '), c.menuKeys);
        }
    }
};

QTEST_MAIN(MainFormAccessTest)
#include "MainFormAccessTest.moc"
