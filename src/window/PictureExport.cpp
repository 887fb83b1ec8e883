#include "window/PictureExport.h"

#include "engine/CodePage.h"
#include "engine/PreviewFontSize.h"
#include "engine/TagVocabulary.h"
#include "engine/TextUnits.h"
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

void DrawPicture(QPainter& painter, QSize size, const TRefreshInput& input,
                 const TPictureSettings& settings) {
    TQPainterCanvas canvas(&painter, size.width(), size.height(), settings.LogicalDpi);
    PrepareCanvas(canvas, settings);
    // The HTML built along the way is the window's business, not the picture's.
    TTagVocabulary tg;
    Refresh(PictureInput(input), canvas, tg);
}

QImage PictureImage(const TRefreshInput& input, const TPictureSettings& settings) {
    const QSize size = CheckedSize(input, settings);
    if (size.isEmpty()) {
        return {};
    }
    QImage image(size * settings.Scale,
                 settings.Transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (image.isNull()) {
        return {};
    }
    // The painter draws in the preview's pixels; the image holds `Scale` of its own for each.
    image.setDevicePixelRatio(settings.Scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    DrawPicture(painter, size, input, settings);
    painter.end();
    image.setDevicePixelRatio(1);
    return image;
}

QByteArray PictureSvg(const TRefreshInput& input, const TPictureSettings& settings) {
    const QSize size = CheckedSize(input, settings);
    if (size.isEmpty()) {
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    // Drawn in the preview's pixels and shown `Scale` times as large; at 96 pixels per inch
    // the size written in millimetres is exactly that many CSS pixels.
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setSize(size * settings.Scale);
    svg.setResolution(96);
    svg.setTitle(QStringLiteral("Tintrel"));
    QPainter painter(&svg);
    DrawPicture(painter, size, input, settings);
    painter.end();
    return FinishSvg(bytes, size * settings.Scale, PictureFont(input, settings));
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
