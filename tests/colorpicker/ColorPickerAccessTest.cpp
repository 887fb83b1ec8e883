// The colour button and its palette without a mouse, with a screen reader and on a dark scheme.
#include "colorpicker/ColorDropButton.h"
#include "colorpicker/ColorDropPalette.h"
#include "platform/AccessibleEvents.h"
#include "platform/InkOnFace.h"
#include "platform/Services.h"
#include "platform/SystemColors.h"
#include "support/DarkPalette.h"
#include "support/SystemColorsScope.h"

#include <QAccessible>
#include <QPointer>
#include <QtTest>

class ColorPickerAccessTest : public QObject {
    Q_OBJECT

    TPaletteSystemColors paletteColors_;
    TSystemColorsScope paletteColorsInstalled_{&paletteColors_};

private slots:
    void paletteCellsSpeakTheirColourAndPlace() {
        TColorDropButton button(DesktopServices());
        TColorDropPalette palette(DesktopServices());
        palette.SetPaletteColors(button.PaletteColors());
        palette.SetOtherColor(0x00336699);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&palette);
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->childCount(), 22); // 20 grid cells, the Other cell, the Other button

        const struct {
            int index;
            QString name;
        } cells[] = {
            {0, QStringLiteral("#FFFFFF、1行1列")},
            {5, QStringLiteral("#800000、2行2列")},
            {19, QStringLiteral("#A0A0A0、5行4列")},
            {20, QStringLiteral("その他の色 #996633")},
        };
        for (const auto& cell : cells) {
            QAccessibleInterface* child = list->child(cell.index);
            QCOMPARE(child->role(), QAccessible::ListItem);
            QCOMPARE(child->text(QAccessible::Name), cell.name);
            QCOMPARE(list->indexOfChild(child), cell.index);
            QCOMPARE(child->parent(), list);
        }
        QCOMPARE(list->child(21)->role(), QAccessible::Button);
    }

    void arrowKeysMoveTheFocusedCell() {
        TColorDropButton button(DesktopServices());
        TColorDropPalette palette(DesktopServices());
        palette.SetPaletteColors(button.PaletteColors());
        palette.SelectColor(0x00000080); // maroon, cell (2, 2)
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&palette);
        QCOMPARE(list->indexOfChild(list->focusChild()), 5);
        QTest::keyClick(&palette, Qt::Key_Right);
        QCOMPARE(list->indexOfChild(list->focusChild()), 6);
        QTest::keyClick(&palette, Qt::Key_Up);
        QTest::keyClick(&palette, Qt::Key_Up);
        QCOMPARE(list->indexOfChild(list->focusChild()), 20); // the Other cell
    }

    void altDownAndF4OpenThePaletteWhereverThePointerIs() {
        QWidget window;
        auto* button = new TColorDropButton(DesktopServices(), &window);
        button->SetCycleColors(true);
        button->resize(65, 25);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        button->setFocus(Qt::TabFocusReason);
        for (const QKeyCombination keys :
             {QKeyCombination(Qt::AltModifier, Qt::Key_Down), QKeyCombination(Qt::Key_F4)}) {
            const TColor before = button->Color();
            QTest::keyClick(button, keys.key(), keys.keyboardModifiers());
            QVERIFY(button->PaletteOpen());
            QCOMPARE(button->Color(), before);
            QPointer<TColorDropPalette> palette = button->Palette();
            QTest::keyClick(palette, Qt::Key_Escape);
            QTRY_VERIFY(!button->PaletteOpen());
        }
    }

    void theOpenedPaletteFocusesTheCurrentColour_data() {
        QTest::addColumn<TColor>("color");
        QTest::addColumn<int>("cell");
        QTest::newRow("maroon, row 2 column 2") << TColor(0x00000080) << 5;
        QTest::newRow("not in the grid: the Other cell") << TColor(0x00123456) << 20;
    }

    void theOpenedPaletteFocusesTheCurrentColour() {
        QFETCH(TColor, color);
        QFETCH(int, cell);
        QWidget window;
        auto* button = new TColorDropButton(DesktopServices(), &window);
        button->SetColor(color);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        static QList<int> focused; // the palette's children that took the focus
        focused.clear();
        SetAccessibleEventObserver([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::Focus && event->object()->inherits("TColorDropPalette")) {
                focused << event->child();
            }
        });
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(!focused.isEmpty());
        SetAccessibleEventObserver(nullptr);
        QCOMPARE(focused.last(), cell);
        QTest::keyClick(button->Palette(), Qt::Key_Escape);
    }

    void arrowTakesTheSchemeTextColourOnADarkFace_data() {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void arrowTakesTheSchemeTextColourOnADarkFace() {
        QFETCH(bool, dark);
        TScopedAppPalette scheme(dark ? DarkTestPalette() : LightTestPalette());
        TColorDropButton button(DesktopServices());
        button.resize(65, 25);
        const QImage shown = button.grab().toImage();
        const QColor arrow = shown.pixelColor(57, 11);
        const QColor face = ToQColor(clBtnFace);
        QCOMPARE(arrow, dark ? button.palette().color(QPalette::ButtonText) : QColor(Qt::black));
        QVERIFY(ContrastRatio(arrow, face) >= 4.5);
    }

    void colourButtonNamesItsColour() {
        TColorDropButton button(DesktopServices());
        button.setAccessibleName(QStringLiteral("背景色"));
        button.SetColor(0x00C08040);
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&button);
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("背景色 #4080C0"));
        QVERIFY(access->state().focusable);
        QVERIFY(
            access->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));

        // A new colour is told as a new name.
        static QList<QObject*> renamed;
        renamed.clear();
        SetAccessibleEventObserver([](QAccessibleEvent* event) {
            if (event->type() == QAccessible::NameChanged) {
                renamed << event->object();
            }
        });
        button.SetColor(0x00FFFFFF);
        SetAccessibleEventObserver(nullptr);
        QCOMPARE(renamed, QList<QObject*>{&button});
        QCOMPARE(access->text(QAccessible::Name), QStringLiteral("背景色 #FFFFFF"));
    }
};

QTEST_MAIN(ColorPickerAccessTest)
#include "ColorPickerAccessTest.moc"
