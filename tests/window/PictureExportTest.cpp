// Pictures of the preview: the PNG's pixels and size, the SVG's text and fills, and the SVG in a
// real renderer.
#include "window/PictureExport.h"
#include "engine/CodePage.h"
#include "engine/OrivUtil.h"
#include "engine/UnicodeText.h"
#include "platform/SystemColors.h"
#include "window/QPainterCanvas.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

constexpr TColor kRed = 0x000000FF;
constexpr TColor kBlue = 0x00FF0000;
constexpr TColor kGreen = 0x0000FF00;
constexpr TColor kYellow = 0x0000FFFF;

// Solid squares, whose middles are inked in exactly the character's colour.
TRefreshInput Squares(int count, int points = 40) {
    TRefreshInput input;
    for (int i = 0; i < count; ++i) {
        input.Text += Utf8ToCp932("■").Bytes;
    }
    input.Gradient = TGradient{SplitColor(kRed), SplitColor(clWhite), SplitColor(kBlue), gmTwoColor};
    input.Background = kGreen;
    input.PreviewFont = TPreviewFont{"IPAGothic", points, 0};
    return input;
}

// A picture at `scale` at 96 pixels per inch in the preview font's own face.
TPictureSettings At(int scale, bool transparent) {
    TPictureSettings settings;
    settings.Scale = scale;
    settings.Transparent = transparent;
    return settings;
}

QColor Opaque(TColor color) {
    return ToQColor(color);
}

// The middle pixel of character `index` (0-based) of `count` equal characters.
QPoint MiddleOf(const QImage& image, int index, int count) {
    const int cell = image.width() / count;
    return {cell * index + cell / 2, image.height() / 2};
}

struct TSvgText {
    QString Text;
    QString Fill;
    int Length = 0; // the width a viewer fits the text into
};

// The text elements of an SVG document in document order, with their fills and widths.
QList<TSvgText> TextsOf(const QByteArray& svg, QString* error) {
    QList<TSvgText> texts;
    QXmlStreamReader reader(svg);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("text")) {
            const QString fill = reader.attributes().value(QLatin1String("fill")).toString();
            const bool fitted =
                reader.attributes().value(QLatin1String("lengthAdjust")) == u"spacingAndGlyphs";
            const int length = fitted ? reader.attributes().value(QLatin1String("textLength")).toInt() : 0;
            texts << TSvgText{reader.readElementText(QXmlStreamReader::IncludeChildElements), fill, length};
        }
    }
    if (reader.hasError()) {
        *error = reader.errorString();
    }
    return texts;
}

// A text in the squares' colours (and face, unless another is named).
TRefreshInput TextInput(const QString& text, int points, int style, const QString& face = {}) {
    TRefreshInput input = Squares(0, points);
    TUnitText units = UnitTextFromUtf8(text.toStdString());
    input.Text = std::move(units.Text);
    input.Clusters = std::move(units.Clusters);
    input.PreviewFont.Style = static_cast<TFontStyles>(style);
    if (!face.isEmpty()) {
        input.PreviewFont.Face = face.toStdString();
    }
    return input;
}

// The smallest rectangle of the pixels that are not wholly transparent.
QRect InkOf(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink |= qAlpha(image.pixel(x, y)) > 0 ? QRect(x, y, 1, 1) : QRect();
        }
    }
    return ink;
}

// The width and height a document says it has, in pixels.
QSize SvgSize(const QByteArray& svg) {
    static const QRegularExpression size(QStringLiteral("<svg width=\"(\\d+)\" height=\"(\\d+)\""));
    const QRegularExpressionMatch match = size.match(QString::fromUtf8(svg));
    return {match.captured(1).toInt(), match.captured(2).toInt()};
}

// `svg` as rsvg-convert draws it; a null image when it cannot.
QImage Rendered(const QString& renderer, const QByteArray& svg, QByteArray* complaints) {
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("picture.svg")));
    if (!file.open(QIODevice::WriteOnly) || file.write(svg) != svg.size()) {
        return {};
    }
    file.close();
    QProcess convert;
    convert.start(renderer,
                  {QStringLiteral("-o"), dir.filePath(QStringLiteral("picture.png")), file.fileName()});
    const bool drawn = convert.waitForFinished(30000) && convert.exitStatus() == QProcess::NormalExit &&
                       convert.exitCode() == 0;
    *complaints = convert.readAllStandardError();
    return drawn ? QImage(dir.filePath(QStringLiteral("picture.png"))) : QImage();
}

} // namespace

class PictureExportTest : public QObject {
    Q_OBJECT

private slots:
    void thePngShowsTheGradientAtEveryScale_data();
    void thePngShowsTheGradientAtEveryScale();
    void aPictureIsNeverShrunkToThePreview();
    void nothingToDrawOrTooLargeGivesNoPicture();
    void aSlantedLastCharacterKeepsItsOverhang();
    void theInkHasTheSameMarginOnEverySide_data();
    void theInkHasTheSameMarginOnEverySide();
    void theSvgKeepsEachCharacterAsTextWithItsFill_data();
    void theSvgKeepsEachCharacterAsTextWithItsFill();
    void theSvgOpensInARealRenderer_data();
    void theSvgOpensInARealRenderer();
    void outlinesDrawTheSameInARealRenderer_data();
    void outlinesDrawTheSameInARealRenderer();
};

void PictureExportTest::thePngShowsTheGradientAtEveryScale_data() {
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("transparent");
    QTest::newRow("1x on the background") << 1 << false;
    QTest::newRow("2x transparent") << 2 << true;
    QTest::newRow("4x on the background") << 4 << false;
    QTest::newRow("4x transparent") << 4 << true;
}

void PictureExportTest::thePngShowsTheGradientAtEveryScale() {
    QFETCH(int, scale);
    QFETCH(bool, transparent);
    const TRefreshInput input = Squares(3);
    const QSize size = PictureSize(input, {});
    // Three squares side by side, one line high, at the preview font's size (40 points are 53
    // pixels at 96 pixels per inch).
    QVERIFY2(size.width() >= 3 * 45 && size.height() >= 53,
             qPrintable(QStringLiteral("%1x%2").arg(size.width()).arg(size.height())));

    const QByteArray png = PictureFile(TPictureFormat::Png, input, At(scale, transparent));
    QImage image;
    QVERIFY(image.loadFromData(png, "PNG"));
    QCOMPARE(image.size(), PictureFrame(input, At(scale, transparent)).Pixels);
    QCOMPARE(image.pixelColor(MiddleOf(image, 0, 3)), Opaque(kRed));
    QCOMPARE(image.pixelColor(MiddleOf(image, 2, 3)), Opaque(kBlue));
    const QColor corner = image.pixelColor(0, image.height() - 1);
    if (transparent) {
        QCOMPARE(corner.alpha(), 0);
    } else {
        QCOMPARE(corner, Opaque(kGreen));
    }
}

void PictureExportTest::aPictureIsNeverShrunkToThePreview() {
    // The smart preview would shrink this text into a narrow preview; the picture keeps the
    // preview font's size.
    TRefreshInput input = Squares(20, 20);
    input.SmartPreview = true;
    const QSize size = PictureSize(input, {});
    TQPainterCanvas measure(nullptr, 0, 0, 96);
    measure.SetFont(input.PreviewFont);
    QCOMPARE(size.width(), measure.TextWidth(input.Text));
    QVERIFY(size.width() > 393);

    const QImage image = PictureImage(input, At(1, false));
    QCOMPARE(image.size(), PictureFrame(input, At(1, false)).Pixels);
    QVERIFY(image.width() > 393);
    QCOMPARE(image.pixelColor(MiddleOf(image, 19, 20)), Opaque(kBlue));
}

void PictureExportTest::nothingToDrawOrTooLargeGivesNoPicture() {
    // One character: the preview draws nothing, so there is no picture either.
    TRefreshInput one = Squares(1);
    QVERIFY(PictureSize(one, {}).isEmpty());
    QVERIFY(PictureFile(TPictureFormat::Png, one, {}).isEmpty());
    QVERIFY(PictureFile(TPictureFormat::Svg, one, {}).isEmpty());

    // Wider than the painter can draw at 4x, but not at 1x.
    const TRefreshInput longText = Squares(200, 40);
    const QSize size = PictureSize(longText, {});
    QVERIFY(size.width() * 4 > kLargestPictureSide);
    QVERIFY(size.width() <= kLargestPictureSide);
    QVERIFY(!PictureFits(size, 4));
    QVERIFY(PictureFits(size, 1));
    QVERIFY(PictureFile(TPictureFormat::Png, longText, At(4, false)).isEmpty());
    QVERIFY(PictureFile(TPictureFormat::Svg, longText, At(4, false)).isEmpty());
    QVERIFY(!PictureFile(TPictureFormat::Png, longText, At(1, false)).isEmpty());
}

void PictureExportTest::aSlantedLastCharacterKeepsItsOverhang() {
    const TRefreshInput upright = Squares(2);
    TRefreshInput italic = upright;
    italic.PreviewFont.Style = fsItalic;
    const QSize uprightSize = PictureSize(upright, {});
    TQPainterCanvas measure(nullptr, 0, 0, 96);
    measure.SetFont(italic.PreviewFont);
    QCOMPARE(measure.TextWidth(italic.Text), uprightSize.width());
    // The slanted square leans past its advance; the picture is wide enough to show it.
    QVERIFY(PictureSize(italic, {}).width() > uprightSize.width());
    const QImage image = PictureImage(italic, At(1, true));
    const int lineEnd = PictureFrame(italic, At(1, true)).Origin.x() + uprightSize.width();
    bool inkInTheOverhang = false;
    for (int y = 0; y < image.height(); ++y) {
        inkInTheOverhang = inkInTheOverhang || image.pixelColor(lineEnd, y).alpha() > 0;
    }
    QVERIFY(inkInTheOverhang);
}

// Texts whose ink reaches past their line: descenders, slants, underlines, emoji, accents, and
// faces with a slanted design of their own (fonts-dejavu-extra), whose ink the metrics know.
void PictureExportTest::theInkHasTheSameMarginOnEverySide_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("face"); // empty: the squares'
    QTest::addColumn<int>("points");
    QTest::newRow("descenders at 1x") << QStringLiteral("Happy Birthday") << 0 << 1 << QString() << 30;
    QTest::newRow("descenders at 4x") << QStringLiteral("Happy Birthday") << 0 << 4 << QString() << 30;
    QTest::newRow("slanted, reaching past both ends")
        << QStringLiteral("fly jig") << int(fsItalic) << 2 << QString() << 30;
    QTest::newRow("slanted and underlined")
        << QStringLiteral("Tg") << int(fsItalic | fsUnderline) << 2 << QString() << 24;
    QTest::newRow("an emoji taller than the line")
        << QStringLiteral("A\U0001F44D\U0001F3FDy") << 0 << 4 << QString() << 30;
    QTest::newRow("kanji and a colour emoji")
        << QStringLiteral("虹\U0001F308色") << 0 << 2 << QString() << 24;
    QTest::newRow("accents above the capitals") << QStringLiteral("ÅÉ") << 0 << 1 << QString() << 30;
    QTest::newRow("a slanted f") << QStringLiteral("ff") << int(fsItalic) << 2
                                 << QStringLiteral("DejaVu Serif") << 30;
    QTest::newRow("a slanted W") << QStringLiteral("AW") << int(fsItalic) << 1
                                 << QStringLiteral("DejaVu Sans") << 72;
}

void PictureExportTest::theInkHasTheSameMarginOnEverySide() {
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(int, scale);
    QFETCH(QString, face);
    QFETCH(int, points);
    const TRefreshInput input = TextInput(text, points, style, face);
    const QImage image = PictureImage(input, At(scale, true));
    const QRect ink = InkOf(image);
    QVERIFY(!ink.isEmpty());
    const int margin = PictureFrame(input, At(scale, true)).Margin;
    QVERIFY(margin >= 2 * scale);
    QCOMPARE(QRect(QPoint(0, 0), image.size()), ink.adjusted(-margin, -margin, margin, margin));
    // On the background the picture is framed the same, and the margin is the background's.
    const QImage opaque = PictureImage(input, At(scale, false));
    QCOMPARE(opaque.size(), image.size());
    QCOMPARE(opaque.pixelColor(image.width() - 1, image.height() - 1), Opaque(kGreen));
}

void PictureExportTest::theSvgKeepsEachCharacterAsTextWithItsFill_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fills");
    QTest::addColumn<bool>("transparent");
    QTest::newRow("two letters") << QStringLiteral("AB") << QStringList{"#ff0000", "#0000ff"} << false;
    QTest::newRow("markup characters stay text")
        << QStringLiteral("<&\">") << QStringList{"#ff0000", "#aa0055", "#5500aa", "#0000ff"} << true;
    QTest::newRow("two-byte characters and a space")
        << QStringLiteral("日 本") << QStringList{"#ff0000", "#80007f", "#0000ff"} << false;
    QTest::newRow("a cluster outside code page 932 is one character")
        << QStringLiteral("A\U0001F44D\U0001F3FDB") << QStringList{"#ff0000", "#80007f", "#0000ff"} << true;
}

void PictureExportTest::theSvgKeepsEachCharacterAsTextWithItsFill() {
    QFETCH(QString, text);
    QFETCH(QStringList, fills);
    QFETCH(bool, transparent);
    TRefreshInput input = Squares(0, 20);
    TUnitText units = UnitTextFromUtf8(text.toStdString());
    input.Text = std::move(units.Text);
    input.Clusters = std::move(units.Clusters);

    const QByteArray svg = PictureFile(TPictureFormat::Svg, input, At(2, transparent));
    QString error;
    const QList<TSvgText> texts = TextsOf(svg, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(texts.size(), fills.size());
    QString joined;
    int length = 0;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        QCOMPARE(texts[i].Fill.toLower(), fills[i]);
        joined += texts[i].Text;
        QVERIFY(texts[i].Length > 0);
        length += texts[i].Length;
    }
    QCOMPARE(joined, text);
    // Each character is fitted into its measured width.
    QCOMPARE(length, PictureSize(input, {}).width());
    // Without a background nothing but the characters is drawn.
    QCOMPARE(svg.contains("fill=\"#00ff00\""), !transparent);
}

void PictureExportTest::theSvgOpensInARealRenderer_data() {
    QTest::addColumn<bool>("transparent");
    QTest::newRow("on the background") << false;
    QTest::newRow("transparent") << true;
}

void PictureExportTest::theSvgOpensInARealRenderer() {
    QFETCH(bool, transparent);
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (renderer.isEmpty()) {
        QSKIP("rsvg-convert (Debian librsvg2-bin) is not installed; scripts/setup.sh installs it");
    }
    const TRefreshInput input = Squares(3);
    const TPictureSettings settings = At(2, transparent);
    QByteArray complaints;
    const QImage image = Rendered(renderer, PictureFile(TPictureFormat::Svg, input, settings), &complaints);
    QVERIFY2(!image.isNull(), complaints.constData());
    QVERIFY2(complaints.isEmpty(), "the renderer complained");
    // The renderer's size is the document's, give or take the rounding of millimetres.
    const QSize expected = SvgSize(PictureFile(TPictureFormat::Svg, input, settings));
    QVERIFY2(qAbs(image.width() - expected.width()) <= 1 && qAbs(image.height() - expected.height()) <= 1,
             qPrintable(QStringLiteral("%1x%2").arg(image.width()).arg(image.height())));
    QCOMPARE(image.pixelColor(MiddleOf(image, 0, 3)), Opaque(kRed));
    QCOMPARE(image.pixelColor(MiddleOf(image, 2, 3)), Opaque(kBlue));
    QCOMPARE(image.pixelColor(0, image.height() - 1).alpha(), transparent ? 0 : 255);
}

void PictureExportTest::outlinesDrawTheSameInARealRenderer_data() {
    theInkHasTheSameMarginOnEverySide_data();
}

void PictureExportTest::outlinesDrawTheSameInARealRenderer() {
    QFETCH(QString, text);
    QFETCH(int, style);
    QFETCH(int, scale);
    QFETCH(QString, face);
    QFETCH(int, points);
    const TRefreshInput input = TextInput(text, points, style, face);
    TPictureSettings settings = At(scale, scale % 2 == 0); // on the background at odd scales
    settings.TextAsOutlines = true;
    const QByteArray svg = PictureFile(TPictureFormat::Svg, input, settings);
    // No text is left for a viewer to draw in a font of its own; a colour emoji is an image.
    QString error;
    QVERIFY(TextsOf(svg, &error).isEmpty() && error.isEmpty() && svg.contains("<path"));
    QCOMPARE(svg.contains("<image"), text.toUcs4().size() < text.size()); // emoji lie past U+FFFF

    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("rsvg-convert"));
    if (renderer.isEmpty()) {
        QSKIP("rsvg-convert (Debian librsvg2-bin) is not installed; scripts/setup.sh installs it");
    }
    QByteArray complaints;
    const QImage drawn = Rendered(renderer, svg, &complaints).convertToFormat(QImage::Format_ARGB32);
    const QImage png = PictureImage(input, settings).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(drawn.size(), png.size());
    // Edges are smoothed a little differently: at most one pixel in a hundred differs by more.
    int far = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const QRgb a = png.pixel(x, y);
            const QRgb b = drawn.pixel(x, y);
            far += std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b)),
                             qAbs(qAlpha(a) - qAlpha(b))}) > 96;
        }
    }
    QVERIFY2(far * 100 <= png.width() * png.height(), qPrintable(QString::number(far)));
}

QTEST_MAIN(PictureExportTest)
#include "PictureExportTest.moc"
