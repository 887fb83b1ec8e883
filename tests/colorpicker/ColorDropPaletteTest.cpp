#include "colorpicker/ColorDropPalette.h"
#include "support/ScriptedColorDialogService.h"

#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(TPaletteCell)

namespace {

constexpr TColor kMaroon = 0x00000080;
constexpr TColor kTeal = 0x00808000;

// The default grid of the colour buttons: column by column, top to bottom.
TColorArrayClass DefaultGrid() {
    const TColor columns[4][5] = {{0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0xC0D8C0},
                                  {0x000000, kMaroon, 0x008000, 0x800000, 0xF0C0A0},
                                  {0xC0C0C0, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0xF0F8FF},
                                  {0x808080, 0x008080, kTeal, 0x800080, 0xA0A0A0}};
    TColorArrayClass grid(4, 5);
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 5; ++y) {
            grid.SetColors(x, y, columns[x - 1][y - 1]);
        }
    }
    return grid;
}

struct Selection {
    int Calls = 0;
    bool IsOther = false;
    TColor Color = 0;
};

// A palette on the heap (it deletes itself on closing) with the default grid and the scripted
// colour dialog, recording what it reports.
QPointer<TColorDropPalette> NewPalette(Selection& selection, TColorDialogService& dialog) {
    TServices services;
    services.ColorDialog = &dialog;
    auto* palette = new TColorDropPalette(services, nullptr);
    palette->SetPaletteColors(DefaultGrid());
    QObject::connect(palette, &TColorDropPalette::colorSelected,
                     [&selection](QObject*, bool isOther, TColor color) {
                         ++selection.Calls;
                         selection.IsOther = isOther;
                         selection.Color = color;
                     });
    return palette;
}

bool IsGone(const QPointer<TColorDropPalette>& palette) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return palette.isNull();
}

QPoint Widget(QPoint client) {
    return client + QPoint(TColorDropPalette::kFrameWidth, TColorDropPalette::kFrameWidth);
}

} // namespace

class ColorDropPaletteTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { dialog = TScriptedColorDialogService(); }

    void cellAtClientPosition_data();
    void cellAtClientPosition();
    void otherCellIsDrawnLowerThanItsHitArea();
    void arrowKeysWalkTheGrid_data();
    void arrowKeysWalkTheGrid();
    void firstKeyOfAnyKindHighlightsTheFirstCell();
    void keyboardLeavesAnOtherCellReachedByThePointer();
    void enterReportsTheHotCellAndClosesByKey_data();
    void enterReportsTheHotCellAndClosesByKey();
    void escapeClosesWithoutSelection();
    void clickReportsTheCellUnderThePointer_data();
    void clickReportsTheCellUnderThePointer();
    void selectColorMatchesByRgb();
    void cellsMissingFromASmallerTableReportNothing();
    void tooltipShowsRgbAndIsValidOverTheCell();
    void hintHandlerMayRewriteOrSuppressTheTooltip();
    void paintsCellsNormalAndHighlighted();
    void separatorLiesBetweenTheGridAndTheOtherRow();
    void hintsOffShowNoTooltip();
    void colourDialogExchangesCustomColours();
    void cancelledColourDialogKeepsThePaletteOpen();
    void faultyDialogLineReportsNothing();
    void closesOnLossOfActivationExceptDuringTheDialog();

private:
    TScriptedColorDialogService dialog;
};

void ColorDropPaletteTest::cellAtClientPosition_data() {
    QTest::addColumn<QPoint>("client");
    QTest::addColumn<TPaletteCell>("cell");
    QTest::newRow("last pixel of the first cell") << QPoint(17, 17) << TPaletteCell{1, 1};
    QTest::newRow("first pixel of the second column") << QPoint(18, 0) << TPaletteCell{2, 1};
    QTest::newRow("last pixel of the grid") << QPoint(71, 89) << TPaletteCell{4, 5};
    QTest::newRow("right of the grid") << QPoint(72, 10) << TPaletteCell{-1, -1};
    QTest::newRow("below the grid") << QPoint(10, 90) << TPaletteCell{-1, -1};
    QTest::newRow("left of the client area") << QPoint(-5, 10) << TPaletteCell{-1, -1};
    QTest::newRow("above the client area") << QPoint(10, -1) << TPaletteCell{-1, -1};
    QTest::newRow("separator") << QPoint(30, 93) << TPaletteCell{-1, -1};
    QTest::newRow("other cell") << QPoint(60, 100) << TPaletteCell{0, 0};
    QTest::newRow("top of the other hit area") << QPoint(53, 96) << TPaletteCell{0, 0};
    QTest::newRow("below the other hit area") << QPoint(60, 114) << TPaletteCell{-1, -1};
    QTest::newRow("left of the other hit area") << QPoint(52, 100) << TPaletteCell{-1, -1};
}

void ColorDropPaletteTest::cellAtClientPosition() {
    QFETCH(QPoint, client);
    QFETCH(TPaletteCell, cell);
    QCOMPARE(TColorDropPalette::CellAt(client), cell);
}

void ColorDropPaletteTest::otherCellIsDrawnLowerThanItsHitArea() {
    QCOMPARE(TColorDropPalette::CellRect({3, 0}), QRect(53, 99, 18, 18));
    QCOMPARE(TColorDropPalette::CellRect({4, 5}), QRect(54, 72, 18, 18));
    QVERIFY(TColorDropPalette::CellRect({5, 1}).isEmpty());
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    QCOMPARE(palette->size(), QSize(78, 127));
    QCOMPARE(palette->btnOther()->geometry(), QRect(Widget({1, 98}), QSize(50, 21)));
    delete palette;
}

void ColorDropPaletteTest::arrowKeysWalkTheGrid_data() {
    QTest::addColumn<TPaletteCell>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<TPaletteCell>("to");
    QTest::newRow("up from the top row reaches the other cell")
        << TPaletteCell{3, 1} << int(Qt::Key_Up) << TPaletteCell{3, 0};
    QTest::newRow("down from the other cell returns to its column")
        << TPaletteCell{3, 0} << int(Qt::Key_Down) << TPaletteCell{3, 1};
    QTest::newRow("down from the bottom row reaches the other cell")
        << TPaletteCell{2, 5} << int(Qt::Key_Down) << TPaletteCell{2, 0};
    QTest::newRow("up from the other cell reaches the bottom row")
        << TPaletteCell{2, 0} << int(Qt::Key_Up) << TPaletteCell{2, 5};
    QTest::newRow("left on the other cell does nothing")
        << TPaletteCell{3, 0} << int(Qt::Key_Left) << TPaletteCell{3, 0};
    QTest::newRow("right on the other cell does nothing")
        << TPaletteCell{3, 0} << int(Qt::Key_Right) << TPaletteCell{3, 0};
    QTest::newRow("right wraps within the row")
        << TPaletteCell{4, 2} << int(Qt::Key_Right) << TPaletteCell{1, 2};
    QTest::newRow("left wraps within the row")
        << TPaletteCell{1, 3} << int(Qt::Key_Left) << TPaletteCell{4, 3};
    QTest::newRow("other keys do nothing") << TPaletteCell{2, 2} << int(Qt::Key_A) << TPaletteCell{2, 2};
}

void ColorDropPaletteTest::arrowKeysWalkTheGrid() {
    QFETCH(TPaletteCell, from);
    QFETCH(int, key);
    QFETCH(TPaletteCell, to);
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    palette->HotTrack(from);
    QTest::keyClick(palette, Qt::Key(key));
    QCOMPARE(palette->HotCell(), to);
    QCOMPARE(palette->HighlightedCell(), to);
    delete palette;
}

void ColorDropPaletteTest::firstKeyOfAnyKindHighlightsTheFirstCell() {
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Shift, Qt::Key_X}) {
        Selection selection;
        QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
        QTest::keyClick(palette, key);
        QCOMPARE(palette->HotCell(), (TPaletteCell{1, 1}));
        delete palette;
    }
    // Enter in that state chooses the first cell.
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    QTest::keyClick(palette, Qt::Key_Return);
    QCOMPARE(selection.Calls, 1);
    QCOMPARE(selection.Color, TColor(0xFFFFFF));
    QVERIFY(IsGone(palette));
}

void ColorDropPaletteTest::keyboardLeavesAnOtherCellReachedByThePointer() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    palette->HotTrack(TColorDropPalette::CellAt({60, 100}));
    QTest::keyClick(palette, Qt::Key_Down);
    QCOMPARE(palette->HotCell(), (TPaletteCell{1, 1}));
    delete palette;
}

void ColorDropPaletteTest::enterReportsTheHotCellAndClosesByKey_data() {
    QTest::addColumn<TPaletteCell>("hot");
    QTest::addColumn<bool>("isOther");
    QTest::addColumn<uint>("color");
    QTest::newRow("grid cell") << TPaletteCell{2, 2} << false << uint(kMaroon);
    QTest::newRow("other cell") << TPaletteCell{4, 0} << true << uint(kTeal + 1);
}

void ColorDropPaletteTest::enterReportsTheHotCellAndClosesByKey() {
    QFETCH(TPaletteCell, hot);
    QFETCH(bool, isOther);
    QFETCH(uint, color);
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    palette->SetOtherColor(kTeal + 1);
    bool closeSeenByKey = false;
    QObject::connect(palette, &TColorDropPalette::paletteClosing, [&](QObject* sender) {
        closeSeenByKey = static_cast<TColorDropPalette*>(sender)->ClosedByKey();
    });
    palette->HotTrack(hot);
    QTest::keyClick(palette, Qt::Key_Enter);
    QCOMPARE(selection.Calls, 1);
    QCOMPARE(selection.IsOther, isOther);
    QCOMPARE(selection.Color, TColor(color));
    QVERIFY(closeSeenByKey);
    QVERIFY(IsGone(palette));
}

void ColorDropPaletteTest::escapeClosesWithoutSelection() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    palette->HotTrack({2, 2});
    QTest::keyClick(palette, Qt::Key_Escape);
    QCOMPARE(selection.Calls, 0);
    QVERIFY(IsGone(palette));
}

void ColorDropPaletteTest::clickReportsTheCellUnderThePointer_data() {
    QTest::addColumn<QPoint>("client");
    QTest::addColumn<int>("calls");
    QTest::addColumn<bool>("isOther");
    QTest::addColumn<uint>("color");
    QTest::newRow("grid cell") << QPoint(20, 20) << 1 << false << uint(kMaroon);
    QTest::newRow("other cell") << QPoint(60, 97) << 1 << true << uint(0x8000000F);
    QTest::newRow("separator closes without selection") << QPoint(30, 94) << 0 << false << 0u;
    QTest::newRow("frame closes without selection") << QPoint(-2, 50) << 0 << false << 0u;
}

void ColorDropPaletteTest::clickReportsTheCellUnderThePointer() {
    QFETCH(QPoint, client);
    QFETCH(int, calls);
    QFETCH(bool, isOther);
    QFETCH(uint, color);
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    QTest::mouseClick(palette, Qt::LeftButton, {}, Widget(client));
    QCOMPARE(selection.Calls, calls);
    if (calls > 0) {
        QCOMPARE(selection.IsOther, isOther);
        QCOMPARE(selection.Color, TColor(color));
    }
    QVERIFY(IsGone(palette));
}

void ColorDropPaletteTest::selectColorMatchesByRgb() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    TColorArrayClass grid = DefaultGrid();
    grid.SetColors(3, 4, clBtnShadow); // resolves to RGB 128, 128, 128 in the classic colours
    palette->SetPaletteColors(grid);
    palette->SelectColor(0x808080);
    QCOMPARE(palette->HotCell(), (TPaletteCell{3, 4}));
    QCOMPARE(palette->HighlightedCell(), TColorDropPalette::kNoCell);
    QCOMPARE(palette->OtherColor(), clBtnFace);

    palette->SelectColor(0x123456);
    QCOMPARE(palette->OtherColor(), TColor(0x123456));
    delete palette;
}

void ColorDropPaletteTest::cellsMissingFromASmallerTableReportNothing() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    TColorArrayClass small(2, 2);
    small.SetColors(2, 2, kMaroon);
    palette->SetPaletteColors(small);
    palette->SelectColor(kTeal);
    QCOMPARE(palette->OtherColor(), kTeal);
    QRect valid;
    QCOMPARE(palette->HintAt({60, 60}, valid), std::nullopt);
    (void)palette->grab(); // paints the whole grid
    palette->HotTrack({4, 5});
    QTest::keyClick(palette, Qt::Key_Return);
    QCOMPARE(selection.Calls, 0);
    QVERIFY(IsGone(palette));
}

void ColorDropPaletteTest::tooltipShowsRgbAndIsValidOverTheCell() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    QRect valid;
    QCOMPARE(palette->HintAt({25, 30}, valid), std::optional<QString>(QStringLiteral("RGB = 128 000 000")));
    QCOMPARE(valid, QRect(18, 18, 18, 18));
    palette->SetOtherColor(clBtnFace);
    QCOMPARE(palette->HintAt({60, 100}, valid), std::optional<QString>(QStringLiteral("RGB = 192 192 192")));
    QCOMPARE(valid, QRect(53, 99, 18, 18));
    QCOMPARE(palette->HintAt({30, 93}, valid), std::nullopt);
    delete palette;
}

void ColorDropPaletteTest::hintHandlerMayRewriteOrSuppressTheTooltip() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    QWidget owner;
    palette->setParent(&owner, palette->windowFlags());
    QList<QVariantList> calls;
    QObject::connect(palette, &TColorDropPalette::colorHintTextRequested,
                     [&](QObject* sender, TColor color, int x, int y, QString& hint) {
                         calls.append({QVariant::fromValue(sender), color, x, y, hint});
                         hint = x == 1 ? QString() : QStringLiteral("cell %1,%2").arg(x).arg(y);
                     });
    QRect valid;
    QCOMPARE(palette->HintAt({60, 100}, valid), std::optional<QString>(QStringLiteral("cell 0,0")));
    QCOMPARE(palette->HintAt({5, 5}, valid), std::nullopt);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls[0][0].value<QObject*>(), &owner);
    QCOMPARE(calls[1], (QVariantList{QVariant::fromValue(static_cast<QObject*>(&owner)), 0xFFFFFFu, 1, 1,
                                     QStringLiteral("RGB = 255 255 255")}));
    delete palette;
}

void ColorDropPaletteTest::paintsCellsNormalAndHighlighted() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    QImage image(72, 121, QImage::Format_RGB32);
    image.fill(Qt::green);
    {
        QPainter painter(&image);
        palette->PaintCell(painter, {1, 1}, false, 0x0000FF);
        palette->PaintCell(painter, {2, 1}, true, 0x0000FF);
    }
    // Normal: face ring, sunken shadow/highlight edge, dark shadow/3-D light edge, 12 x 12 colour.
    QCOMPARE(image.pixel(0, 0), qRgb(192, 192, 192));
    QCOMPARE(image.pixel(1, 1), qRgb(128, 128, 128));
    QCOMPARE(image.pixel(16, 16), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(2, 2), qRgb(64, 64, 64));
    QCOMPARE(image.pixel(15, 15), qRgb(224, 224, 224));
    QCOMPARE(image.pixel(3, 3), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(14, 14), qRgb(255, 0, 0));
    // Highlighted: dark shadow, highlight, dark shadow rings all round.
    QCOMPARE(image.pixel(18 + 17, 17), qRgb(64, 64, 64));
    QCOMPARE(image.pixel(18 + 1, 16), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(18 + 2, 2), qRgb(64, 64, 64));
    QCOMPARE(image.pixel(18 + 3, 3), qRgb(255, 0, 0));
    delete palette;
}

void ColorDropPaletteTest::separatorLiesBetweenTheGridAndTheOtherRow() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    const QImage image = palette->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Grid rows end at 90 and the Other row starts at 98: a sunken line at 93 and 94.
    for (const int x : {2, 30, 69}) {
        QCOMPARE(image.pixel(Widget({x, 92})), qRgb(192, 192, 192));
        QCOMPARE(image.pixel(Widget({x, 93})), qRgb(128, 128, 128));
        QCOMPARE(image.pixel(Widget({x, 94})), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(Widget({x, 95})), qRgb(192, 192, 192));
    }
    QCOMPARE(image.pixel(Widget({1, 93})), qRgb(192, 192, 192)); // two pixels in from each side
    QCOMPARE(image.pixel(Widget({70, 93})), qRgb(192, 192, 192));
    delete palette;
}

void ColorDropPaletteTest::hintsOffShowNoTooltip() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    palette->show();
    QVERIFY(QTest::qWaitForWindowExposed(palette));
    const QPoint overCell = Widget({25, 30});
    const auto askForTip = [&] {
        QHelpEvent help(QEvent::ToolTip, overCell, palette->mapToGlobal(overCell));
        QApplication::sendEvent(palette, &help);
    };
    askForTip();
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("RGB = 128 000 000"));
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());

    palette->SetShowColorHints(false);
    askForTip();
    QCoreApplication::processEvents();
    QVERIFY(!QToolTip::isVisible());
    delete palette;
}

void ColorDropPaletteTest::colourDialogExchangesCustomColours() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    TColorArrayClass custom(8, 2);
    for (int x = 1; x <= 8; ++x) {
        custom.SetColors(x, 1, TColor(x));
        custom.SetColors(x, 2, TColor(0x100 * x));
    }
    palette->SetCustomColors(custom);
    palette->SetOtherColor(0x00ABCDEF);
    dialog.Confirm = true;
    dialog.AnswerColor = 0x00123456;
    dialog.AnswerCustomColors = {QStringLiteral("ColorP=0000FF"), QStringLiteral("ColorA=00FF0000"),
                                 QStringLiteral("ColorB=nonsense")};
    dialog.During = [&]() { QVERIFY(palette->InColorDialog()); };
    TColorArrayClass closedWith(0, 0);
    QObject::connect(palette, &TColorDropPalette::paletteClosing, [&](QObject* sender) {
        closedWith.Assign(&static_cast<TColorDropPalette*>(sender)->CustomColors());
    });

    palette->btnOtherClick();

    QCOMPARE(dialog.Opened.Color, TColor(0x00ABCDEF));
    QVERIFY(dialog.Opened.FullOpen);
    QCOMPARE(dialog.Opened.CustomColors.mid(0, 3),
             (QStringList{"ColorA=00000001", "ColorI=00000100", "ColorB=00000002"}));
    QCOMPARE(dialog.Opened.CustomColors.last(), QStringLiteral("ColorP=00000800"));
    QCOMPARE(dialog.LastOwner, palette.data());
    QVERIFY(IsGone(palette));
    QCOMPARE(selection.Calls, 1);
    QVERIFY(selection.IsOther);
    QCOMPARE(selection.Color, TColor(0x00123456));
    QCOMPARE(closedWith.Colors(8, 2), TColor(0xFF));
    QCOMPARE(closedWith.Colors(1, 1), TColor(0xFF0000));
    QCOMPARE(closedWith.Colors(2, 1), clWhite);   // a value that is not hexadecimal gives white
    QCOMPARE(closedWith.Colors(3, 1), TColor(3)); // boxes without a line keep their colour
}

void ColorDropPaletteTest::cancelledColourDialogKeepsThePaletteOpen() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    TColorArrayClass custom(8, 2);
    custom.SetColors(8, 2, 0x42);
    palette->SetCustomColors(custom);
    palette->btnOtherClick();
    QVERIFY(!IsGone(palette));
    QVERIFY(!palette->InColorDialog());
    QCOMPARE(selection.Calls, 0);
    QCOMPARE(palette->CustomColors().Colors(8, 2), TColor(0x42));
    delete palette;
}

void ColorDropPaletteTest::faultyDialogLineReportsNothing() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    dialog.Confirm = true;
    dialog.AnswerCustomColors = {QStringLiteral("ColorA=000000FF"), QStringLiteral("ColorQ=00000000"),
                                 QStringLiteral("ColorB=000000FF")};
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown box"));
    palette->btnOtherClick();
    QVERIFY(!IsGone(palette));
    QVERIFY(!palette->InColorDialog());
    QCOMPARE(selection.Calls, 0);
    QCOMPARE(palette->CustomColors().Colors(1, 1), TColor(0xFF));
    QCOMPARE(palette->CustomColors().Colors(2, 1), clWhite); // lines after the faulty one are not read
    delete palette;
}

void ColorDropPaletteTest::closesOnLossOfActivationExceptDuringTheDialog() {
    Selection selection;
    QPointer<TColorDropPalette> palette = NewPalette(selection, dialog);
    int closes = 0;
    QObject::connect(palette, &TColorDropPalette::paletteClosing, [&](QObject*) { ++closes; });
    dialog.During = [&]() {
        palette->AppDeactivated();
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(palette, &deactivate);
    };
    palette->btnOtherClick();
    QVERIFY(!IsGone(palette));
    QCOMPARE(closes, 0);

    palette->AppDeactivated();
    QCOMPARE(closes, 1);
    QVERIFY(IsGone(palette));

    QPointer<TColorDropPalette> second = NewPalette(selection, dialog);
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(second, &deactivate);
    QVERIFY(IsGone(second));
}

QTEST_MAIN(ColorDropPaletteTest)
#include "ColorDropPaletteTest.moc"
