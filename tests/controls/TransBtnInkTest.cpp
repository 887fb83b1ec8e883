// The glyphs on light and dark desktop schemes: the dark ink stays legible (WCAG contrast of at
// least 4.5:1 against the face), dark colours at least 3:1 in their own hue, other colours keep
// their values, and on a light scheme the picture is drawn exactly as prepared.
#include "controls/ControlResources.h"
#include "controls/TransBtn.h"
#include "platform/InkOnFace.h"
#include "platform/SystemColors.h"
#include "support/DarkPalette.h"
#include "support/SystemColorsScope.h"

#include <QPainter>
#include <QtTest>

namespace {

struct TGlyphButton {
    const char* name;
    bool autoGray;
};

const TGlyphButton kButtons[] = {
    {"TbBold", true},    {"TbItalic", true}, {"TbUnder", true}, {"TbStrike", true}, {"TbTriCo", false},
    {"TbMirror", false}, {"TbInv", false},   {"TbCopy", false}, {"TbSave", false},  {"TbOption", false},
};

// The button drawn over its parent's background, as the window shows it.
QImage Render(const TTransparentButton& button) {
    QImage image(button.size(), QImage::Format_RGB32);
    image.fill(button.palette().color(QPalette::Window));
    QPainter painter(&image);
    button.Paint(painter);
    return image;
}

} // namespace

class TransBtnInkTest : public QObject {
    Q_OBJECT

    // The system colours come from the application's palette, which each case sets.
    TPaletteSystemColors paletteColors_;
    TSystemColorsScope paletteColorsInstalled_{&paletteColors_};

private slots:
    void glyphInkIsLegibleOnEveryScheme_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("autoGray");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("hot");
        for (const TGlyphButton& button : kButtons) {
            for (const bool dark : {false, true}) {
                for (const bool hot : {false, true}) {
                    QTest::addRow("%s %s %s", button.name, dark ? "dark" : "light", hot ? "hot" : "at rest")
                        << QString::fromLatin1(button.name) << button.autoGray << dark << hot;
                }
            }
        }
    }

    void glyphInkIsLegibleOnEveryScheme() {
        QFETCH(QString, name);
        QFETCH(bool, autoGray);
        QFETCH(bool, dark);
        QFETCH(bool, hot);
        TScopedAppPalette scheme(dark ? DarkTestPalette() : LightTestPalette());
        TTransparentButton button;
        button.resize(41, 41);
        button.SetAutoGray(autoGray);
        button.SetGlyph(LoadResourceBitmap(GlyphResourcePath(name)));
        if (hot) {
            button.HandleEnter();
        }
        const QImage shown = Render(button);
        const QColor face = button.palette().color(QPalette::Window);

        const TGlyphImageList& list = button.Images().GlyphImages;
        const int index = button.CurrentGlyphIndex();
        const TGlyphImage& picture = list.Image(index);
        const TColor transparent = list.TransparentColor(index);
        const TButtonLayout layout = button.CurrentLayout();
        int inkPixels = 0;
        for (int y = 0; y < picture.Height(); ++y) {
            for (int x = 0; x < picture.Width(); ++x) {
                const TColor source = picture.Pixel(x, y);
                if (source == transparent) {
                    continue;
                }
                const QColor prepared = ToQColor(source);
                const QColor drawn = shown.pixelColor(layout.GX + x, layout.GY + y);
                if (IsDarkColour(prepared.rgb()) && dark) {
                    // Navy lines and the like: lighter in the same hue, at least the 3:1 that
                    // pictures need.
                    QVERIFY(ContrastRatio(drawn, face) >= 3.0);
                    QCOMPARE(drawn.hslHue(), prepared.toHsl().hslHue());
                    continue;
                }
                if (!IsDarkInk(prepared.rgb())) {
                    QCOMPARE(drawn, prepared); // coloured pixels keep their colours
                    continue;
                }
                ++inkPixels;
                if (!dark) {
                    QCOMPARE(drawn, prepared);
                }
                const double contrast = ContrastRatio(drawn, face);
                QVERIFY2(contrast >= 4.5,
                         qPrintable(QStringLiteral("(%1, %2) contrast %3").arg(x).arg(y).arg(contrast)));
            }
        }
        QVERIFY(inkPixels > 0);
    }

    void disabledEmbossFollowsTheScheme() {
        TScopedAppPalette scheme(DarkTestPalette());
        TTransparentButton button;
        button.resize(25, 25);
        button.SetGlyph(LoadResourceBitmap(GlyphResourcePath(QStringLiteral("TbBold"))));
        button.setEnabled(false);
        button.SetAutoGray(false);
        const QImage shown = Render(button);
        const TButtonLayout layout = button.CurrentLayout();
        // The bold B's top-left stroke: light engraved ink on the dark face.
        const QColor ink = shown.pixelColor(layout.GX + 2, layout.GY + 2);
        QCOMPARE(ink, DarkTestPalette().color(QPalette::Disabled, QPalette::ButtonText));
        QVERIFY(ContrastRatio(ink, button.palette().color(QPalette::Window)) >= 3.0);
    }

    void focusFrameShowsOnlyWithTheFocus() {
        QWidget window;
        auto* first = new TTransparentButton(&window);
        auto* button = new TTransparentButton(&window);
        button->move(50, 0);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QImage before = Render(*button);
        button->setFocus(Qt::TabFocusReason);
        QVERIFY(button->hasFocus());
        const QImage focused = Render(*button);
        QCOMPARE(focused.pixelColor(2, 2), button->palette().color(QPalette::ButtonText));
        QCOMPARE(before.pixelColor(2, 2), button->palette().color(QPalette::Window));
        first->setFocus(Qt::TabFocusReason);
        QCOMPARE(Render(*button), before);
    }
};

QTEST_MAIN(TransBtnInkTest)
#include "TransBtnInkTest.moc"
