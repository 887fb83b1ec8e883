#include "window/QPainterCanvas.h"

#include "engine/CodePage.h"
#include "engine/jstrm.h"
#include "platform/SystemColors.h"
#include "window/Cp932Text.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

TGlyphCache::TFontGlyphs& TGlyphCache::For(const QString& fontKey) {
    constexpr qsizetype kMostFonts = 64;
    if (fonts_.size() >= kMostFonts && !fonts_.contains(fontKey)) {
        fonts_.clear();
    }
    return fonts_[fontKey];
}

TQPainterCanvas::TQPainterCanvas(QPainter* painter, int width, int height, int logicalDpi, TGlyphCache* cache)
    : painter_(painter), width_(width), height_(height), dpi_(logicalDpi > 0 ? logicalDpi : 96),
      cache_(cache != nullptr ? cache : &ownCache_) {
    SetFont(TPreviewFont{});
}

int TQPainterCanvas::PointsToPixels(int points, int logicalDpi) {
    const long long scaled = static_cast<long long>(points) * logicalDpi;
    return static_cast<int>((scaled + (scaled >= 0 ? 36 : -36)) / 72);
}

void TQPainterCanvas::FillRect(int left, int top, int right, int bottom, TColor color) {
    if (painter_ != nullptr && !transparent_) {
        painter_->fillRect(left, top, right - left, bottom - top, ToQColor(color));
    }
}

void TQPainterCanvas::SetFont(const TPreviewFont& font) {
    const QString face = drawingFace_ ? *drawingFace_ : FromCp932(font.Face);
    QFont qfont;
    if (!face.isEmpty()) {
        qfont.setFamily(face);
    }
    qfont.setPixelSize(std::max(1, PointsToPixels(font.Points, dpi_)));
    qfont.setBold((font.Style & fsBold) != 0);
    qfont.setItalic((font.Style & fsItalic) != 0);
    qfont.setUnderline((font.Style & fsUnderline) != 0);
    qfont.setStrikeOut((font.Style & fsStrikeOut) != 0);
    // Characters are placed one by one at the sum of the widths before them: no kerning.
    qfont.setKerning(false);
    font_ = qfont;
    metrics_.emplace(font_);
    glyphs_ = &cache_->For(font_.key());
    if (painter_ != nullptr) {
        painter_->setFont(font_);
    }
}

const TQPainterCanvas::TGlyph& TQPainterCanvas::GlyphOf(std::string_view character) {
    const auto make = [this, character] {
        TGlyph glyph;
        glyph.Text = FromCp932(character);
        glyph.Width = metrics_->horizontalAdvance(glyph.Text);
        return glyph;
    };
    if (character.size() == 1) {
        std::optional<TGlyph>& slot = glyphs_->SingleByte[static_cast<unsigned char>(character[0])];
        if (!slot) {
            slot = make();
        }
        return *slot;
    }
    const auto code = static_cast<quint16>((static_cast<unsigned char>(character[0]) << 8) |
                                           static_cast<unsigned char>(character[1]));
    auto found = glyphs_->DoubleByte.find(code);
    if (found == glyphs_->DoubleByte.end()) {
        found = glyphs_->DoubleByte.insert(code, make());
    }
    return *found;
}

int TQPainterCanvas::TextWidth(std::string_view text) {
    long long sum = 0;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t length = CharLengthAt(text, offset);
        sum += GlyphOf(text.substr(offset, length)).Width;
        offset += length;
    }
    return static_cast<int>(std::min<long long>(sum, 0x7FFFFFFF));
}

void TQPainterCanvas::DrawText(int x, int y, std::string_view text, TColor color, TColor background) {
    if (painter_ == nullptr) {
        return;
    }
    int left = x;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t length = CharLengthAt(text, offset);
        const TGlyph& glyph = GlyphOf(text.substr(offset, length));
        DrawGlyph(left, y, glyph, color, background);
        left += glyph.Width;
        offset += length;
    }
}

const TQPainterCanvas::TGlyph& TQPainterCanvas::ClusterGlyphOf(TTextUnit cluster) {
    const QByteArray utf8(cluster.Utf8.data(), static_cast<qsizetype>(cluster.Utf8.size()));
    auto found = glyphs_->Clusters.find(utf8);
    if (found == glyphs_->Clusters.end()) {
        TGlyph glyph;
        glyph.Text = QString::fromUtf8(utf8);
        glyph.Width = metrics_->horizontalAdvance(glyph.Text);
        found = glyphs_->Clusters.insert(utf8, glyph);
    }
    return *found;
}

int TQPainterCanvas::ClusterWidth(TTextUnit cluster) {
    return ClusterGlyphOf(cluster).Width;
}

void TQPainterCanvas::DrawCluster(int x, int y, TTextUnit cluster, TColor color, TColor background) {
    if (painter_ != nullptr) {
        DrawGlyph(x, y, ClusterGlyphOf(cluster), color, background);
    }
}

void TQPainterCanvas::DrawGlyph(int x, int y, const TGlyph& glyph, TColor color, TColor background) {
    if (!transparent_) {
        painter_->fillRect(x, y, glyph.Width, metrics_->height(), ToQColor(background));
    }
    if (outlines_) {
        DrawOutline(x, y, glyph, color);
        return;
    }
    painter_->setPen(ToQColor(color));
    painter_->drawText(x, y + metrics_->ascent(), glyph.Text);
}

namespace {

// `text` drawn in `pen` on a transparent image of `area` (in pixels of the surface) at `scale`.
QImage GlyphImage(const QString& text, const QFont& font, QColor pen, QRect area, QPoint baseline,
                  int scale) {
    QImage image(area.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(pen);
    painter.drawText(baseline - area.topLeft(), text);
    painter.end();
    return image;
}

bool HasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

void TQPainterCanvas::DrawOutline(int x, int y, const TGlyph& glyph, TColor color) {
    const QPoint baseline(x, y + metrics_->ascent());
    // A glyph that keeps its own colours whatever the pen is drawn in (a colour emoji) has no
    // outline to fill; it goes in as an image, with room for ink that reaches out of its cell.
    const int room = metrics_->height() / 2;
    const QRect area =
        QRect(x, y, std::max(1, glyph.Width), metrics_->height()).adjusted(-room, -room, room, room);
    const QImage inRed = GlyphImage(glyph.Text, font_, Qt::red, area, baseline, imageScale_);
    const QImage inBlue = GlyphImage(glyph.Text, font_, Qt::blue, area, baseline, imageScale_);
    if (inRed == inBlue) {
        // Nothing inked at all (a space) draws nothing.
        if (HasInk(inRed)) {
            painter_->drawImage(QRectF(area), inRed);
        }
        return;
    }
    QPainterPath path;
    path.addText(baseline, font_, glyph.Text);
    painter_->fillPath(path, ToQColor(color));
}
