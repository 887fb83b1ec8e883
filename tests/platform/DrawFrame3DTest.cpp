#include "platform/DrawFrame3D.h"
#include "platform/SystemColors.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

class DrawFrame3DTest : public QObject {
    Q_OBJECT

private slots:
    void drawsRingsAndShrinksTheRectangle_data();
    void drawsRingsAndShrinksTheRectangle();
    void resolvesSystemColoursThroughThePalette();
};

namespace {

constexpr TColor kTop = 0x000000FF;    // red
constexpr TColor kBottom = 0x00FF0000; // blue
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage DrawOn10x8(int width, TRectLTRB& rect) {
    QImage image(10, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 5)); // the frame ignores the caller's pen width
    DrawFrame3D(painter, rect, kTop, kBottom, width);
    return image;
}

} // namespace

void DrawFrame3DTest::drawsRingsAndShrinksTheRectangle_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<uint>("expected");
    // The frame is drawn in (1, 1, 9, 7): columns 1..8, rows 1..6.
    QTest::newRow("top-left corner is top colour") << 1 << QPoint(1, 1) << uint(kRed);
    QTest::newRow("left column") << 1 << QPoint(1, 5) << uint(kRed);
    QTest::newRow("top row") << 1 << QPoint(7, 1) << uint(kRed);
    QTest::newRow("top-right corner is bottom colour") << 1 << QPoint(8, 1) << uint(kBlue);
    QTest::newRow("bottom-left corner is bottom colour") << 1 << QPoint(1, 6) << uint(kBlue);
    QTest::newRow("right column") << 1 << QPoint(8, 4) << uint(kBlue);
    QTest::newRow("bottom row") << 1 << QPoint(4, 6) << uint(kBlue);
    QTest::newRow("inside stays untouched") << 1 << QPoint(2, 2) << uint(kWhite);
    QTest::newRow("outside stays untouched") << 1 << QPoint(0, 0) << uint(kWhite);
    QTest::newRow("second ring one pixel in") << 2 << QPoint(2, 2) << uint(kRed);
    QTest::newRow("second ring bottom right") << 2 << QPoint(7, 5) << uint(kBlue);
    QTest::newRow("zero width draws nothing") << 0 << QPoint(1, 1) << uint(kWhite);
}

void DrawFrame3DTest::drawsRingsAndShrinksTheRectangle() {
    QFETCH(int, width);
    QFETCH(QPoint, pixel);
    QFETCH(uint, expected);
    TRectLTRB rect{1, 1, 9, 7};
    const QImage image = DrawOn10x8(width, rect);
    QCOMPARE(image.pixel(pixel), QRgb(expected));
    const int shrink = std::max(width, 0);
    QCOMPARE(rect, (TRectLTRB{1 + shrink, 1 + shrink, 9 - shrink, 7 - shrink}));
}

void DrawFrame3DTest::resolvesSystemColoursThroughThePalette() {
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    palette.setColor(QPalette::Dark, QColor(1, 2, 3));
    QCOMPARE(TPaletteSystemColors::FromPalette(palette, 0x0F), TColor(0x001E140A));
    QCOMPARE(TPaletteSystemColors::FromPalette(palette, 0x10), TColor(0x00030201));
    QCOMPARE(TPaletteSystemColors::FromPalette(palette, 0x06), clBlack);
}

QTEST_MAIN(DrawFrame3DTest)
#include "DrawFrame3DTest.moc"
