#include "colorpicker/ColorDropButton.h"
#include "platform/Services.h"
#include "support/MemoryUserStore.h"
#include "support/ScriptedColorDialogService.h"

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QtTest>

#include <optional>

namespace {

constexpr TColor kRed = 0x000000FF;
constexpr TColor kWhite = 0x00FFFFFF;
constexpr TColor kBlue = 0x00FF0000;
constexpr TColor kGreen = 0x0000FF00;
constexpr QRgb kFace = 0xFFC0C0C0;
constexpr QRgb kShadow = 0xFF808080;
constexpr QRgb kHighlight = 0xFFFFFFFF;
constexpr QRgb kDarkShadow = 0xFF404040;
constexpr QRgb k3DLight = 0xFFE0E0E0;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kSwatchRed = 0xFFFF0000;
constexpr QRgb kGrey = 0xFF808080;
constexpr QRgb kInvertedFace = 0xFF3F3F3F;

const QString kKey = QStringLiteral("Software\\OrivSoft\\Tintrel");
const QString kKeyPath = QStringLiteral("Software\\OrivSoft\\Tintrel\\Colors");

// A window named like the program's main window, with a 65 x 25 button such as ClBtn1.
struct TForm {
    QWidget Window;
    TColorDropButton* Button;
    int Changes = 0;

    explicit TForm(const TServices& services) {
        Window.setObjectName(QStringLiteral("Form1"));
        Window.setGeometry(200, 200, 300, 200);
        Button = new TColorDropButton(services, &Window);
        Button->setObjectName(QStringLiteral("ClBtn1"));
        Button->setGeometry(56, 92, 65, 25);
        QObject::connect(Button, &TColorDropButton::colorChanged, &Window, [this](QObject* sender) {
            QVERIFY(sender == Button);
            ++Changes;
        });
    }

    void ShowWithPointerAt(QPoint buttonPos) {
        Window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Window));
        QCursor::setPos(Button->mapToGlobal(buttonPos));
    }
};

QImage Render(TColorDropButton& button) {
    return button.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool IsGone(const QPointer<TColorDropPalette>& palette) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return palette.isNull();
}

QString SixteenFields(const QString& field) {
    return QStringList(16, field).join(u',');
}

} // namespace

class ColorDropButtonTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        store = TMemoryUserStore();
        dialog = TScriptedColorDialogService();
    }

    void newButtonHasItsDefaults();
    void setColorFiresOnlyOnChange_data();
    void setColorFiresOnlyOnChange();
    void setPaletteIndex_data();
    void setPaletteIndex();
    void cyclingWalksTheCellsThenTheOtherColour();
    void clickPositionChoosesCyclingOrThePalette_data();
    void clickPositionChoosesCyclingOrThePalette();
    void doubleClickGivesTwoClicks();
    void paletteChoiceSetsColourAndOtherColour();
    void paletteGetsTheButtonsColoursAndGivesBackCustomColours();
    void pressWhileOpenClosesWithoutReopening();
    void escapeOverTheButtonLeavesTheNextClickWorking();
    void palettePlacement_data();
    void palettePlacement();
    void paintsItsStates_data();
    void paintsItsStates();
    void arrowPicturesComeFromTheResources();
    void customColoursRoundTripThroughTheStore();
    void storedValuesLoad_data();
    void storedValuesLoad();
    void buttonWithoutKeyOrLoadNeverWrites();
    void otherChoiceRaisesTheChangeBeforeOtherColourAndClosing();
    void hintTextIsRelayedWithTheButtonAsSender();

private:
    TMemoryUserStore store;
    TScriptedColorDialogService dialog;
    // The buttons keep their custom colours in `store` and open `dialog`.
    TServices Services() {
        TServices services;
        services.ColorDialog = &dialog;
        services.UserStore = &store;
        return services;
    }
};

void ColorDropButtonTest::newButtonHasItsDefaults() {
    TColorDropButton button(Services());
    QCOMPARE(button.size(), QSize(45, 22));
    QCOMPARE(button.text(), QString());
    QCOMPARE(button.Version(), QStringLiteral("TColorDropButton v1.00"));
    QVERIFY(button.ShowColorHints());
    QCOMPARE(button.OtherBtnCaption(), QStringLiteral("&Other"));
    QCOMPARE(button.OtherColor(), clBtnFace);
    QCOMPARE(button.Color(), clBlack);
    QCOMPARE(button.PaletteIndex(), 0);
    QCOMPARE(button.PaletteColors().ColorByIndex(6), TColor(0x000080)); // row 2, column 2: maroon
    QCOMPARE(button.PaletteColors().Colors(2, 5), TColor(0xF0C0A0));    // RGB 160, 192, 240
    QCOMPARE(button.CustomColorsText(), SixteenFields(QStringLiteral("$00FFFFFF")));
    QCOMPARE(button.CustomColorsText().size(), 159);
}

void ColorDropButtonTest::setColorFiresOnlyOnChange_data() {
    QTest::addColumn<uint>("color");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("index");
    QTest::newRow("current colour fires nothing") << 0u << 0 << 0;
    QTest::newRow("palette colour finds its cell") << uint(kRed) << 1 << 5;
    QTest::newRow("colour twice in the palette finds the first") << uint(0x808080) << 1 << 4;
    QTest::newRow("colour outside the palette") << 0x123456u << 1 << 0;
    QTest::newRow("system colour is not resolved") << uint(0x8000000F) << 1 << 0;
}

void ColorDropButtonTest::setColorFiresOnlyOnChange() {
    QFETCH(uint, color);
    QFETCH(int, changes);
    QFETCH(int, index);
    TForm form(Services());
    TColorArrayClass palette = form.Button->PaletteColors();
    palette.SetColors(4, 5, 0x808080); // now also in cell 20
    form.Button->SetPaletteColors(palette);
    form.Button->SetColor(color);
    QCOMPARE(form.Changes, changes);
    QCOMPARE(form.Button->PaletteIndex(), index);
    QCOMPARE(form.Button->Color(), TColor(color));
}

void ColorDropButtonTest::setPaletteIndex_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("changes");
    QTest::addColumn<uint>("color");
    QTest::newRow("cell 1") << 1 << 1 << uint(kWhite);
    QTest::newRow("other colour") << 0 << 0 << 0u; // already 0: nothing happens
    QTest::newRow("last cell") << 20 << 1 << 0xA0A0A0u;
    QTest::newRow("past the end is ignored") << 21 << 0 << 0u;
    QTest::newRow("negative is ignored") << -1 << 0 << 0u;
}

void ColorDropButtonTest::setPaletteIndex() {
    QFETCH(int, index);
    QFETCH(int, changes);
    QFETCH(uint, color);
    TForm form(Services());
    form.Button->SetPaletteIndex(index);
    QCOMPARE(form.Changes, changes);
    QCOMPARE(form.Button->Color(), TColor(color));
}

void ColorDropButtonTest::cyclingWalksTheCellsThenTheOtherColour() {
    TForm form(Services());
    form.Button->SetCycleColors(true);
    form.Button->SetOtherColor(0x00ABCDEF);
    form.Button->SetColor(0xA0A0A0); // cell 20
    form.ShowWithPointerAt({10, 10});
    form.Changes = 0;
    QTest::mouseClick(form.Button, Qt::LeftButton, {}, {10, 10});
    QCOMPARE(form.Button->PaletteIndex(), 0);
    QCOMPARE(form.Button->Color(), TColor(0x00ABCDEF));
    QTest::mouseClick(form.Button, Qt::LeftButton, {}, {10, 10});
    QCOMPARE(form.Button->PaletteIndex(), 1);
    QCOMPARE(form.Button->Color(), kWhite);
    QCOMPARE(form.Changes, 2);

    // A cell holding the same value as the one before still fires.
    TColorArrayClass palette = form.Button->PaletteColors();
    palette.SetColors(2, 1, kWhite);
    form.Button->SetPaletteColors(palette);
    QTest::mouseClick(form.Button, Qt::LeftButton, {}, {10, 10});
    QCOMPARE(form.Button->PaletteIndex(), 2);
    QCOMPARE(form.Changes, 3);
}

void ColorDropButtonTest::clickPositionChoosesCyclingOrThePalette_data() {
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<int>("key"); // 0: a mouse click at the pointer
    QTest::addColumn<bool>("opens");
    QTest::newRow("last column of the swatch part cycles") << QPoint(52, 10) << 0 << false;
    QTest::newRow("first column of the arrow part opens") << QPoint(53, 10) << 0 << true;
    QTest::newRow("keyboard with the pointer left of the button cycles")
        << QPoint(-40, 50) << int(Qt::Key_Space) << false;
    QTest::newRow("keyboard with the pointer right of the arrow opens")
        << QPoint(90, 10) << int(Qt::Key_Space) << true;
    // The focused button is the default button of its window: Enter activates it as well.
    QTest::newRow("return cycles") << QPoint(-40, 50) << int(Qt::Key_Return) << false;
    QTest::newRow("enter opens") << QPoint(90, 10) << int(Qt::Key_Enter) << true;
}

void ColorDropButtonTest::clickPositionChoosesCyclingOrThePalette() {
    QFETCH(QPoint, pointer);
    QFETCH(int, key);
    QFETCH(bool, opens);
    TForm form(Services());
    form.Button->SetCycleColors(true);
    form.ShowWithPointerAt(pointer);
    if (key != 0) {
        QTest::keyClick(form.Button, Qt::Key(key));
    } else {
        QTest::mouseClick(form.Button, Qt::LeftButton, {}, pointer);
    }
    QCOMPARE(form.Button->PaletteOpen(), opens);
    QCOMPARE(form.Changes, opens ? 0 : 1);
}

void ColorDropButtonTest::doubleClickGivesTwoClicks() {
    TForm form(Services());
    form.Button->SetCycleColors(true);
    form.ShowWithPointerAt({10, 10});
    // A real double click: press, release, double-click press, release.
    QTest::mouseClick(form.Button, Qt::LeftButton, {}, {10, 10});
    QTest::mouseDClick(form.Button, Qt::LeftButton, {}, {10, 10});
    QTest::mouseRelease(form.Button, Qt::LeftButton, {}, {10, 10});
    QCOMPARE(form.Button->PaletteIndex(), 2);
}

void ColorDropButtonTest::paletteChoiceSetsColourAndOtherColour() {
    TForm form(Services());
    form.Button->SetColor(kRed);
    form.ShowWithPointerAt({60, 10});
    form.Changes = 0;

    form.Button->OpenPalette();
    QPointer<TColorDropPalette> palette = form.Button->Palette();
    QCOMPARE(palette->HotCell(), (TPaletteCell{1, 2}));
    QTest::keyClick(palette, Qt::Key_Return); // the colour it already has
    QCOMPARE(form.Changes, 0);
    QVERIFY(IsGone(palette));

    form.Button->OpenPalette();
    palette = form.Button->Palette();
    palette->SetOtherColor(0x00C0FFEE);
    palette->HotTrack({2, 0});
    QTest::keyClick(palette, Qt::Key_Return);
    QCOMPARE(form.Changes, 1);
    QCOMPARE(form.Button->Color(), TColor(0x00C0FFEE));
    QCOMPARE(form.Button->OtherColor(), TColor(0x00C0FFEE));
    QCOMPARE(form.Button->PaletteIndex(), 0);
    QVERIFY(!form.Button->PaletteOpen());

    // A grid colour is not the Other colour: that stays as the Other choice left it.
    form.Button->OpenPalette();
    palette = form.Button->Palette();
    palette->HotTrack({1, 4});
    QTest::keyClick(palette, Qt::Key_Return);
    QCOMPARE(form.Changes, 2);
    QCOMPARE(form.Button->Color(), kBlue);
    QCOMPARE(form.Button->OtherColor(), TColor(0x00C0FFEE));
}

void ColorDropButtonTest::paletteGetsTheButtonsColoursAndGivesBackCustomColours() {
    TForm form(Services());
    form.Button->SetColor(0x123456);
    form.Button->SetOtherBtnCaption(QStringLiteral("&More"));
    form.Button->SetShowColorHints(false);
    form.ShowWithPointerAt({60, 10});
    form.Button->OpenPalette();
    QPointer<TColorDropPalette> palette = form.Button->Palette();
    QCOMPARE(palette->OtherColor(), TColor(0x123456)); // not in the grid: the Other cell shows it
    QCOMPARE(palette->btnOther()->text(), QStringLiteral("&More"));
    QVERIFY(!palette->ShowColorHints());
    QVERIFY(palette->PaletteColors().IsEqual(&form.Button->PaletteColors()));
    const QPoint below = form.Button->mapToGlobal(QPoint(0, 25));
    QCOMPARE(palette->pos(), below);

    dialog.Confirm = true;
    dialog.AnswerColor = kGreen;
    dialog.AnswerCustomColors = {QStringLiteral("ColorJ=00FF0000")};
    palette->btnOtherClick();
    QVERIFY(IsGone(palette));
    QCOMPARE(form.Button->Color(), kGreen);
    QCOMPARE(form.Button->OtherColor(), kGreen);
    QCOMPARE(form.Button->CustomColors().Colors(2, 2), kBlue);
}

void ColorDropButtonTest::pressWhileOpenClosesWithoutReopening() {
    TForm form(Services());
    form.ShowWithPointerAt({60, 10});
    QTest::mouseClick(form.Button, Qt::LeftButton, {}, {60, 10});
    QVERIFY(form.Button->PaletteOpen());
    QPointer<TColorDropPalette> palette = form.Button->Palette();
    QTest::mouseClick(form.Button, Qt::LeftButton, {}, {60, 10});
    QVERIFY(IsGone(palette));
    QVERIFY(!form.Button->PaletteOpen());
    QVERIFY(!form.Button->SkipNextClick());
    QTest::mouseClick(form.Button, Qt::LeftButton, {}, {60, 10});
    QVERIFY(form.Button->PaletteOpen());
}

void ColorDropButtonTest::escapeOverTheButtonLeavesTheNextClickWorking() {
    TForm form(Services());
    form.ShowWithPointerAt({60, 10});
    form.Button->OpenPalette();
    QPointer<TColorDropPalette> palette = form.Button->Palette();
    QTest::keyClick(palette, Qt::Key_Escape);
    QVERIFY(IsGone(palette));
    QVERIFY(!form.Button->SkipNextClick());

    // Closed by losing the activation while the pointer rests on the button: the click that
    // follows is the one that took the activation away, and is swallowed.
    form.Button->OpenPalette();
    palette = form.Button->Palette();
    palette->AppDeactivated();
    QVERIFY(form.Button->SkipNextClick());
    QTest::mouseClick(form.Button, Qt::LeftButton, {}, {60, 10});
    QVERIFY(!form.Button->PaletteOpen());
    QVERIFY(!form.Button->SkipNextClick());
}

void ColorDropButtonTest::palettePlacement_data() {
    QTest::addColumn<QPoint>("button");
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QPoint>("expected");
    const QRect work(0, 0, 800, 570);
    QTest::newRow("below the button") << QPoint(100, 100) << work << QPoint(100, 125);
    QTest::newRow("exactly fits above the work area's bottom")
        << QPoint(100, 418) << work << QPoint(100, 443);
    QTest::newRow("no room below: 121 pixels above the top") << QPoint(100, 419) << work << QPoint(100, 298);
    QTest::newRow("left of the work area") << QPoint(-30, 100) << work << QPoint(0, 125);
    QTest::newRow("past the right edge") << QPoint(750, 100) << work << QPoint(722, 125);
    QTest::newRow("work area with an offset") << QPoint(10, 100) << QRect(40, 0, 500, 500) << QPoint(40, 125);
}

void ColorDropButtonTest::palettePlacement() {
    QFETCH(QPoint, button);
    QFETCH(QRect, workArea);
    QFETCH(QPoint, expected);
    QCOMPARE(TColorDropButton::PalettePosition(button, 25, QSize(78, 127), workArea), expected);
}

void ColorDropButtonTest::paintsItsStates_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<uint>("expected");
    const auto row = [](const char* state, QPoint pixel, QRgb expected) {
        QTest::addRow("%s %d,%d", state, pixel.x(), pixel.y())
            << QString::fromLatin1(state) << pixel << uint(expected);
    };
    // A 65 x 25 button: swatch (6, 5)-(48, 19), separator at 52/53, arrow triangle rows 11..13.
    row("raised", {0, 0}, kHighlight);
    row("raised", {64, 24}, kDarkShadow);
    row("raised", {1, 1}, k3DLight);
    row("raised", {63, 23}, kShadow);
    row("raised", {2, 2}, kFace);
    row("raised", {6, 5}, kBlack);
    row("raised", {48, 19}, kBlack);
    row("raised", {7, 6}, kSwatchRed);
    row("raised", {47, 18}, kSwatchRed);
    row("raised", {49, 10}, kFace);
    row("raised", {52, 5}, kShadow);
    row("raised", {52, 19}, kShadow);
    row("raised", {52, 20}, kFace);
    row("raised", {53, 12}, kHighlight);
    row("raised", {55, 11}, kBlack);
    row("raised", {59, 11}, kBlack);
    row("raised", {56, 12}, kBlack);
    row("raised", {57, 13}, kBlack);
    row("raised", {54, 11}, kFace);
    row("raised", {60, 11}, kFace);
    row("raised", {57, 10}, kFace);
    row("flat at rest", {0, 0}, kFace);
    row("flat at rest", {64, 24}, kFace);
    row("flat at rest", {1, 1}, kFace);
    row("flat at rest", {6, 5}, kBlack);
    row("flat under the pointer", {0, 24}, kHighlight);
    row("flat under the pointer", {63, 0}, kHighlight);
    row("flat under the pointer", {64, 0}, kShadow);
    row("flat under the pointer", {1, 24}, kShadow);
    row("flat under the pointer", {1, 1}, kFace);
    row("pressed", {0, 0}, kBlack);
    row("pressed", {64, 24}, kBlack);
    row("pressed", {1, 1}, kShadow);
    row("pressed", {63, 23}, kShadow);
    row("pressed", {6, 5}, kFace);
    row("pressed", {7, 6}, kBlack);
    row("pressed", {8, 7}, kSwatchRed);
    row("pressed", {53, 6}, kShadow);
    row("pressed", {56, 12}, kBlack);
    row("disabled", {6, 5}, kBlack);
    row("disabled", {7, 6}, kFace);
    row("disabled", {8, 6}, kFace);
    row("disabled", {9, 6}, kBlack);
    row("disabled", {7, 8}, kBlack);
    row("disabled", {8, 8}, kFace);
    row("disabled", {57, 13}, kGrey);
    row("disabled", {54, 11}, kFace);
    row("focused", {3, 3}, kInvertedFace);
    row("focused", {4, 3}, kFace);
    row("focused", {61, 21}, kInvertedFace);
    row("focused", {0, 0}, kHighlight);
}

void ColorDropButtonTest::paintsItsStates() {
    QFETCH(QString, state);
    QFETCH(QPoint, pixel);
    QFETCH(uint, expected);
    TForm form(Services());
    form.Button->SetColor(kRed);
    form.Button->SetFlat(state.startsWith(u'f'));
    form.ShowWithPointerAt(state == QLatin1String("flat under the pointer") ? QPoint(30, 10)
                                                                            : QPoint(-50, -50));
    if (state == QLatin1String("pressed")) {
        form.Button->setDown(true);
    } else if (state == QLatin1String("disabled")) {
        form.Button->setEnabled(false);
    } else if (state == QLatin1String("focused")) {
        form.Window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form.Window));
        form.Button->setFocus();
        QVERIFY(form.Button->hasFocus());
    } else {
        form.Button->clearFocus();
    }
    const QImage image = Render(*form.Button);
    QCOMPARE(QString::number(image.pixel(pixel), 16), QString::number(QRgb(expected), 16));
    QCOMPARE(form.Button->MouseInControl(), state == QLatin1String("flat under the pointer"));
}

void ColorDropButtonTest::arrowPicturesComeFromTheResources() {
    TColorDropButton button(Services());
    for (const QImage* picture : {&button.ArrowPicture(), &button.DisabledArrowPicture()}) {
        QCOMPARE(picture->size(), QSize(7, 5));
        QCOMPARE(picture->pixel(0, 4), qRgb(128, 128, 0));
        int triangle = 0;
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 7; ++x) {
                triangle += picture->pixel(x, y) != qRgb(128, 128, 0) ? 1 : 0;
            }
        }
        QCOMPARE(triangle, 9);
    }
    QCOMPARE(button.ArrowPicture().pixel(3, 3), qRgb(0, 0, 0));
    QCOMPARE(button.DisabledArrowPicture().pixel(3, 3), qRgb(128, 128, 128));
}

void ColorDropButtonTest::customColoursRoundTripThroughTheStore() {
    {
        TForm form(Services());
        form.Button->SetCustomColorsKey(kKey);
        form.Button->Loaded();
        QCOMPARE(form.Button->CustomColorsValueName(), QStringLiteral("Form1.ClBtn1"));
        TColorArrayClass custom(8, 2);
        for (int n = 1; n <= 16; ++n) {
            custom.SetColors((n - 1) / 2 + 1, (n - 1) % 2 + 1, TColor(n));
        }
        form.Button->SetCustomColors(custom);
    }
    const QString saved = store.Values.value(kKeyPath + u'|' + QStringLiteral("Form1.ClBtn1"));
    QVERIFY(saved.startsWith(QStringLiteral("$00000001,$00000002,$00000003,")));
    QVERIFY(saved.endsWith(QStringLiteral(",$00000010")));

    TForm again(Services());
    again.Button->SetCustomColorsKey(kKey);
    again.ShowWithPointerAt({0, 0}); // loads when first shown
    QVERIFY(again.Button->CustomColorsLoaded());
    QCOMPARE(again.Button->CustomColors().Colors(1, 2), TColor(2));
    QCOMPARE(again.Button->CustomColors().Colors(8, 2), TColor(16));
}

void ColorDropButtonTest::storedValuesLoad_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<uint>("cell11");
    QTest::addColumn<uint>("cell12");
    QTest::addColumn<uint>("cell21");
    QTest::addColumn<uint>("cell82");
    const uint keep = 0x42; // what the table held before
    QTest::newRow("two fields, the rest white")
        << "$00FF0000,$0000FF00" << uint(kBlue) << uint(kGreen) << uint(kWhite) << uint(kWhite);
    QTest::newRow("empty value keeps the table") << "" << keep << keep << keep << keep;
    QTest::newRow("no comma keeps the table") << "$00FF0000" << keep << keep << keep << keep;
    QTest::newRow("fields that do not convert are white")
        << "$00GG0000,$0000FF00,zzzzzzzzz,1" << uint(kWhite) << uint(kGreen) << uint(kWhite) << uint(kWhite);
    QTest::newRow("decimal fields convert")
        << "0000000255,0000065280" << 255u << 65280u << uint(kWhite) << uint(kWhite);
    QTest::newRow("width is taken from the first field")
        << "$FF,$00FF0000,$01" << 0xFFu << 0u << uint(kWhite) << uint(kWhite);
    QTest::newRow("garbage bytes") << QString::fromUtf8("\xe2\x82\xac,\x01\x02\x03\x7f,,,,") << uint(kWhite)
                                   << uint(kWhite) << uint(kWhite) << uint(kWhite);
    QTest::newRow("comma first") << ",$00FF0000" << uint(kWhite) << uint(kWhite) << uint(kWhite)
                                 << uint(kWhite);
    QTest::newRow("full value") << SixteenFields(QStringLiteral("$80000010")) << 0x80000010u << 0x80000010u
                                << 0x80000010u << 0x80000010u;
}

void ColorDropButtonTest::storedValuesLoad() {
    QFETCH(QString, text);
    QFETCH(uint, cell11);
    QFETCH(uint, cell12);
    QFETCH(uint, cell21);
    QFETCH(uint, cell82);
    store.Values.insert(kKeyPath + u'|' + QStringLiteral("Form1.ClBtn1"), text);
    TForm form(Services());
    TColorArrayClass before(8, 2);
    for (int n = 1; n <= 16; ++n) {
        before.SetColors((n - 1) % 8 + 1, (n - 1) / 8 + 1, 0x42);
    }
    form.Button->SetCustomColors(before);
    form.Button->SetCustomColorsKey(kKey);
    form.Button->Loaded();
    const TColorArrayClass& custom = form.Button->CustomColors();
    QCOMPARE(custom.Colors(1, 1), TColor(cell11));
    QCOMPARE(custom.Colors(1, 2), TColor(cell12));
    QCOMPARE(custom.Colors(2, 1), TColor(cell21));
    QCOMPARE(custom.Colors(8, 2), TColor(cell82));
}

void ColorDropButtonTest::buttonWithoutKeyOrLoadNeverWrites() {
    {
        TForm withoutKey(Services());
        withoutKey.Button->Loaded();
        TForm neverLoaded(Services());
        neverLoaded.Button->SetCustomColorsKey(kKey);
    }
    QCOMPARE(store.Writes, 0);
}

void ColorDropButtonTest::otherChoiceRaisesTheChangeBeforeOtherColourAndClosing() {
    TForm form(Services());
    form.ShowWithPointerAt({60, 10});
    form.Button->OpenPalette();
    QPointer<TColorDropPalette> palette = form.Button->Palette();
    palette->SetOtherColor(0x00C0FFEE);
    palette->HotTrack({2, 0});
    QList<QVariantList> seen;
    QObject::connect(form.Button, &TColorDropButton::colorChanged, &form.Window,
                     [&](TColorDropButton* sender) {
                         seen.append({sender->Color(), sender->OtherColor(), sender->PaletteOpen()});
                     });
    QObject::connect(palette, &TColorDropPalette::paletteClosing, &form.Window,
                     [&] { seen.append({QStringLiteral("closing")}); });
    QTest::keyClick(palette, Qt::Key_Return);
    // The colour is stored before the change is raised, the Other colour only after it, and the
    // palette closes last.
    QCOMPARE(seen, (QList<QVariantList>{{0x00C0FFEEu, clBtnFace, true}, {QStringLiteral("closing")}}));
    QCOMPARE(form.Button->OtherColor(), TColor(0x00C0FFEE));
    QVERIFY(!form.Button->PaletteOpen());
}

void ColorDropButtonTest::hintTextIsRelayedWithTheButtonAsSender() {
    TForm form(Services());
    form.ShowWithPointerAt({60, 10});
    QRect valid;
    form.Button->OpenPalette();
    QCOMPARE(form.Button->Palette()->HintAt({25, 30}, valid),
             std::optional<QString>(QStringLiteral("RGB = 128 000 000")));
    form.Button->Palette()->close();

    QList<QObject*> senders;
    QObject::connect(form.Button, &TColorDropButton::colorHintTextRequested, &form.Window,
                     [&](QObject* sender, TColor color, int x, int y, QString& hint) {
                         senders.append(sender);
                         hint += QStringLiteral(" #%1 (%2, %3)").arg(color, 6, 16, QChar(u'0')).arg(x).arg(y);
                     });
    // Each opening relays its own palette once.
    for (int opening = 0; opening < 2; ++opening) {
        form.Button->OpenPalette();
        QCOMPARE(form.Button->Palette()->HintAt({25, 30}, valid),
                 std::optional<QString>(QStringLiteral("RGB = 128 000 000 #000080 (2, 2)")));
        form.Button->Palette()->close();
    }
    QCOMPARE(senders, (QList<QObject*>{form.Button, form.Button}));
}

QTEST_MAIN(ColorDropButtonTest)
#include "ColorDropButtonTest.moc"
