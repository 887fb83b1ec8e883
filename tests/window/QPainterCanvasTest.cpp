// The preview's QPainter canvas: what it draws where, how it measures, and which face it draws in.
#include "window/QPainterCanvas.h"

#include "platform/SystemColors.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

#include <string>

class QPainterCanvasTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void drawsEachCharacterInItsColourOnItsBackground();
    void aTextIsAsWideAsItsCharacters();
    void aFaceNoFontHasIsDrawnInTheDefaultFace();
};

namespace {

// Where pixels of exactly `colour` lie in the image: the leftmost and rightmost column, or -1.
std::pair<int, int> ColumnsOf(const QImage& image, QRgb colour) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

} // namespace

void QPainterCanvasTest::initTestCase() {
    InstallPaletteSystemColors();
}

void QPainterCanvasTest::drawsEachCharacterInItsColourOnItsBackground() {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TQPainterCanvas canvas(&painter, image.width(), image.height(), 96);
    QCOMPARE(canvas.Width(), 200);
    QCOMPARE(canvas.Height(), 40);
    canvas.FillRect(0, 0, 200, 40, 0x00C0C0C0);
    canvas.SetFont(TPreviewFont{"", 20, 0});
    // Two full blocks (a two-byte character) side by side, as the refresh draws them: red on
    // blue, then green on blue. Colours are 0x00BBGGRR.
    const std::string block = "\x81\xA1";
    const int width = canvas.TextWidth(block);
    QVERIFY(width > 5);
    canvas.DrawText(0, 0, block, 0x000000FF, 0x00FF0000);
    canvas.DrawText(width, 0, block, 0x0000FF00, 0x00FF0000);
    painter.end();

    const auto [redFirst, redLast] = ColumnsOf(image, qRgb(255, 0, 0));
    const auto [greenFirst, greenLast] = ColumnsOf(image, qRgb(0, 255, 0));
    const auto [blueFirst, blueLast] = ColumnsOf(image, qRgb(0, 0, 255));
    QVERIFY(redFirst >= 0 && redLast < width);
    QVERIFY(greenFirst >= width && greenLast < 2 * width);
    QCOMPARE(blueFirst, 0); // each character's cell is filled with its background first
    QCOMPARE(blueLast, 2 * width - 1);
    QCOMPARE(image.pixel(199, 39) & 0xFFFFFF, qRgb(192, 192, 192) & 0xFFFFFF); // the filled surface
}

void QPainterCanvasTest::aTextIsAsWideAsItsCharacters() {
    TQPainterCanvas canvas(nullptr, 100, 30, 96);
    canvas.SetFont(TPreviewFont{"", 12, 0});
    const int a = canvas.TextWidth("A");
    const int w = canvas.TextWidth("W");
    const int kana = canvas.TextWidth("\x82\xA0"); // one two-byte character
    QVERIFY(a > 0 && w > 0 && kana > 0);
    QCOMPARE(canvas.TextWidth("AW\x82\xA0"), a + w + kana);
    QCOMPARE(canvas.TextWidth(""), 0);
    canvas.SetFont(TPreviewFont{"", 24, fsBold});
    QVERIFY(canvas.TextWidth("W") > w); // measured in the font selected last
}

void QPainterCanvasTest::aFaceNoFontHasIsDrawnInTheDefaultFace() {
    const std::string unknown = "Tintrel No Such Face " + std::string(1 << 20, 'x');
    TQPainterCanvas canvas(nullptr, 100, 30, 96);
    canvas.DrawInFace(QString());
    canvas.SetFont(TPreviewFont{unknown, 12, fsItalic});
    QCOMPARE(canvas.Font().family(), QFont().family());
    QVERIFY(canvas.Font().italic());
    QVERIFY(canvas.TextWidth("AB") > 0);

    canvas.DrawInFace(QStringLiteral("DejaVu Sans"));
    canvas.SetFont(TPreviewFont{unknown, 12, 0});
    QCOMPARE(canvas.Font().family(), QStringLiteral("DejaVu Sans"));
}

QTEST_MAIN(QPainterCanvasTest)
#include "QPainterCanvasTest.moc"
