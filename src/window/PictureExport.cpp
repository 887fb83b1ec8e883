#include "window/PictureExport.h"

#include "engine/CodePage.h"
#include "engine/PreviewFontSize.h"
#include "engine/TagVocabulary.h"
#include "engine/TextUnits.h"
#include "platform/SystemColors.h"
#include "window/Cp932Text.h"
#include "window/QPainterCanvas.h"

#include <QBuffer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>

#include <algorithm>
#include <limits>
#include <string_view>

namespace {

// The preview's input as a picture draws it: the text at the preview font's own size.
TRefreshInput PictureInput(const TRefreshInput& input) {
    TRefreshInput picture = input;
    picture.SmartPreview = false;
    return picture;
}

// The font the refresh draws a picture's text in.
TPreviewFont PictureFontOf(const TRefreshInput& input) {
    TPreviewFont font = input.PreviewFont;
    font.Points = ClampPreviewPoints(font.Points);
    return font;
}

// A canvas on `painter` (none: one that only measures) that draws as the preview does.
void PrepareCanvas(TQPainterCanvas& canvas, const TPictureSettings& settings) {
    if (settings.DrawingFace) {
        canvas.DrawInFace(*settings.DrawingFace);
    }
    canvas.SetTransparentBackground(settings.Transparent);
    canvas.SetTextAsOutlines(settings.TextAsOutlines, std::max(2, settings.Scale));
}

QFont PictureFont(const TRefreshInput& input, const TPictureSettings& settings) {
    TQPainterCanvas measure(nullptr, 0, 0, settings.LogicalDpi);
    PrepareCanvas(measure, settings);
    measure.SetFont(PictureFontOf(input));
    return measure.Font();
}

// The size of the picture at 1x, or an empty size when there is nothing to draw or it is too
// large at `scale`.
QSize CheckedSize(const TRefreshInput& input, const TPictureSettings& settings) {
    const QSize size = PictureSize(input, settings);
    if (size.isEmpty() || !PictureFits(size, settings.Scale)) {
        return {};
    }
    return size;
}

// QSvgGenerator gives the document's size in millimetres, rounded to six digits, which a
// renderer may round up to one pixel more than the picture; it is written in pixels instead. It
// names the font by the face the preview asks for, which a renderer elsewhere may not have; the
// face the preview really draws with is named first, the asked-for face after it.
QByteArray FinishSvg(QByteArray svg, QSize pixels, const QFont& font) {
    static const QRegularExpression size(QStringLiteral("<svg width=\"[^\"]*\" height=\"[^\"]*\""));
    const QString header = QString::fromUtf8(svg.left(256));
    const QRegularExpressionMatch match = size.match(header);
    if (match.hasMatch()) {
        const QByteArray exact = QStringLiteral("<svg width=\"%1\" height=\"%2\"")
                                     .arg(pixels.width())
                                     .arg(pixels.height())
                                     .toUtf8();
        svg.replace(match.capturedStart(), match.captured().toUtf8().size(), exact);
    }
    const QString asked = font.family();
    const QString drawn = QFontInfo(font).family();
    if (drawn != asked && !drawn.contains(QLatin1Char('\'')) && !asked.contains(QLatin1Char('\''))) {
        const QString attribute = QStringLiteral("font-family=\"%1\"");
        svg.replace(attribute.arg(asked.toHtmlEscaped()).toUtf8(),
                    attribute.arg(QStringLiteral("'%1', '%2'").arg(drawn, asked).toHtmlEscaped()).toUtf8());
    }
    return svg;
}

// The smallest rectangle of `image` holding every pixel that is not wholly transparent; empty
// when there is none.
QRect InkBox(const QImage& image) {
    int left = image.width();
    int right = -1;
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int first = 0;
        while (first < image.width() && qAlpha(row[first]) == 0) {
            ++first;
        }
        if (first == image.width()) {
            continue;
        }
        int last = image.width() - 1;
        while (qAlpha(row[last]) == 0) {
            --last;
        }
        left = std::min(left, first);
        right = std::max(right, last);
        top = std::min(top, y);
        bottom = y;
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The advance of each character of the text, in the order the refresh draws them.
QList<int> UnitWidths(const TRefreshInput& input, const TPictureSettings& settings) {
    TQPainterCanvas measure(nullptr, 0, 0, settings.LogicalDpi);
    PrepareCanvas(measure, settings);
    measure.SetFont(PictureFontOf(input));
    QList<int> widths;
    for (TUnitWalk walk(input.Text, input.Clusters); !walk.AtEnd();) {
        const TTextUnit unit = walk.Next();
        widths << (unit.IsCluster() ? measure.ClusterWidth(unit) : measure.TextWidth(unit.Bytes));
    }
    return widths;
}

// Each text element gets the width measured here, into which a viewer fits the character
// whatever font it finds, so that no character runs into the next. Left as it is when the
// elements are not one per character.
QByteArray FitTextWidths(QByteArray svg, const QList<int>& widths) {
    static const QByteArray kText("<text ");
    if (svg.count(kText) != widths.size()) {
        return svg;
    }
    qsizetype at = 0;
    for (const int width : widths) {
        at = svg.indexOf(kText, at) + kText.size();
        const QByteArray fit =
            "textLength=\"" + QByteArray::number(width) + "\" lengthAdjust=\"spacingAndGlyphs\" ";
        svg.insert(at, fit);
        at += fit.size();
    }
    return svg;
}

// The margin around the ink at 1x: an eighth of the font's height in pixels, at least two.
int MarginAt1x(const QFont& font) {
    return std::max(2, (font.pixelSize() + 4) / 8);
}

} // namespace

QSize PictureSize(const TRefreshInput& input, const TPictureSettings& settings) {
    if (UnitCount(input.Text, input.Clusters) < 2) {
        return {};
    }
    TQPainterCanvas measure(nullptr, 0, 0, settings.LogicalDpi);
    PrepareCanvas(measure, settings);
    measure.SetFont(PictureFontOf(input));
    long long width = 0;
    QString lastUnit;
    for (TUnitWalk walk(input.Text, input.Clusters); !walk.AtEnd();) {
        const TTextUnit unit = walk.Next();
        if (unit.IsCluster()) {
            width += measure.ClusterWidth(unit);
            lastUnit = QString::fromUtf8(unit.Utf8.data(), static_cast<qsizetype>(unit.Utf8.size()));
        } else {
            width += measure.TextWidth(unit.Bytes);
            lastUnit = FromCp932(unit.Bytes);
        }
    }
    // The last unit's ink may reach past its advance (a slanted or italic letter); the preview
    // shows that overhang, so the picture keeps it too.
    const QFontMetrics metrics(measure.Font());
    const int overhang =
        metrics.tightBoundingRect(lastUnit).right() + 1 - metrics.horizontalAdvance(lastUnit);
    width += std::max(0, overhang);
    return {static_cast<int>(std::min<long long>(width, std::numeric_limits<int>::max())), metrics.height()};
}

bool PictureFits(QSize size, int scale) {
    return scale >= 1 && size.width() <= kLargestPictureSide / scale &&
           size.height() <= kLargestPictureSide / scale;
}

TPictureFrame PictureFrame(const TRefreshInput& input, const TPictureSettings& settings) {
    const QSize line = CheckedSize(input, settings);
    if (line.isEmpty()) {
        return {};
    }
    const int scale = settings.Scale;
    // Room around the line for ink that reaches out of it: accents and emoji above or below,
    // slanted letters to the sides.
    const int padY = std::max(4, line.height() / 2);
    const int padX = std::clamp((kLargestPictureSide / scale - line.width()) / 2, 0, padY);
    const QSize room = line + QSize(2 * padX, 2 * padY);
    if (!PictureFits(room, scale)) {
        return {};
    }
    QImage ink(room * scale, QImage::Format_ARGB32_Premultiplied);
    if (ink.isNull()) {
        return {};
    }
    ink.setDevicePixelRatio(scale);
    ink.fill(Qt::transparent);
    TPictureSettings bare = settings;
    bare.Transparent = true;
    bare.TextAsOutlines = false;
    QPainter painter(&ink);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(padX, padY);
    DrawPicture(painter, line, input, bare);
    painter.end();

    const QPoint lineOrigin(padX * scale, padY * scale);
    QRect box = InkBox(ink);
    if (box.isEmpty()) {
        // Only spaces: the picture is the line itself.
        box = QRect(lineOrigin, line * scale);
    }
    TPictureFrame frame;
    frame.Margin = MarginAt1x(PictureFont(input, settings)) * scale;
    frame.Pixels = box.size() + QSize(2 * frame.Margin, 2 * frame.Margin);
    frame.Origin = lineOrigin - box.topLeft() + QPoint(frame.Margin, frame.Margin);
    if (!PictureFits(frame.Pixels, 1)) {
        return {};
    }
    return frame;
}

void DrawPicture(QPainter& painter, QSize size, const TRefreshInput& input,
                 const TPictureSettings& settings) {
    TQPainterCanvas canvas(&painter, size.width(), size.height(), settings.LogicalDpi);
    PrepareCanvas(canvas, settings);
    // The HTML built along the way is the window's business, not the picture's.
    TTagVocabulary tg;
    Refresh(PictureInput(input), canvas, tg);
}

QImage PictureImage(const TRefreshInput& input, const TPictureSettings& asked) {
    TPictureSettings settings = asked;
    settings.TextAsOutlines = false; // an image is pixels anyway
    const TPictureFrame frame = PictureFrame(input, settings);
    if (frame.Pixels.isEmpty()) {
        return {};
    }
    QImage image(frame.Pixels,
                 settings.Transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    image.fill(settings.Transparent ? QColor(Qt::transparent) : ToQColor(ResolveColor(input.Background)));
    // The painter draws in the preview's pixels; the image holds `Scale` of its own for each.
    image.setDevicePixelRatio(settings.Scale);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(QPointF(frame.Origin) / settings.Scale);
    DrawPicture(painter, PictureSize(input, settings), input, settings);
    painter.end();
    image.setDevicePixelRatio(1);
    return image;
}

QByteArray PictureSvg(const TRefreshInput& input, const TPictureSettings& settings) {
    TPictureFrame frame = PictureFrame(input, settings);
    if (frame.Pixels.isEmpty()) {
        return {};
    }
    if (!settings.TextAsOutlines) {
        // A viewer may draw a character in another font, larger than here (colour emoji by a
        // quarter): a quarter line more on every side keeps it inside the picture.
        const int room = PictureSize(input, settings).height() / 4 * settings.Scale;
        frame.Pixels += QSize(2 * room, 2 * room);
        frame.Origin += QPoint(room, room);
        if (!PictureFits(frame.Pixels, 1)) {
            return {};
        }
    }
    const QRectF view(QPointF(0, 0), QSizeF(frame.Pixels) / settings.Scale);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // Drawn in the preview's pixels and shown `Scale` times as large; at 96 pixels per inch
    // the size written in millimetres is exactly that many CSS pixels.
    svg.setViewBox(view);
    svg.setSize(frame.Pixels);
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Tintrel"));
    QPainter painter(&svg);
    if (!settings.Transparent) {
        painter.fillRect(view, ToQColor(ResolveColor(input.Background)));
    }
    painter.translate(QPointF(frame.Origin) / settings.Scale);
    DrawPicture(painter, PictureSize(input, settings), input, settings);
    painter.end();
    const QByteArray svgBytes = FinishSvg(bytes, frame.Pixels, PictureFont(input, settings));
    return settings.TextAsOutlines ? svgBytes : FitTextWidths(svgBytes, UnitWidths(input, settings));
}

QByteArray PictureFile(TPictureFormat format, const TRefreshInput& input, const TPictureSettings& settings) {
    if (format == TPictureFormat::Svg) {
        return PictureSvg(input, settings);
    }
    const QImage image = PictureImage(input, settings);
    if (image.isNull()) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return {};
    }
    return bytes;
}
