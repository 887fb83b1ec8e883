#include "settings/QPainterCanvas.h"

#include "engine/jstrm.h"
#include "platform/CodePage.h"
#include "platform/SystemColors.h"

#include <QPainter>

TQPainterCanvas::TQPainterCanvas(QPainter* painter, int width, int height, int logicalDpi)
    : painter_(painter), width_(width), height_(height), dpi_(logicalDpi > 0 ? logicalDpi : 96) {}

int TQPainterCanvas::PointsToPixels(int points, int logicalDpi) {
    // Rounded to the nearest pixel: 11 points at 96 pixels per inch are 15 pixels.
    const long long scaled = static_cast<long long>(points) * logicalDpi;
    return static_cast<int>((scaled + (scaled >= 0 ? 36 : -36)) / 72);
}

void TQPainterCanvas::Fill(TColor color) {
    if (painter_ != nullptr) {
        painter_->fillRect(0, 0, width_, height_, ToQColor(color));
    }
}

void TQPainterCanvas::SetFont(const std::string& face, int points, int styleBits) {
    QFont font(QString::fromStdString(Cp932ToUtf8(face)));
    font.setPixelSize(std::max(1, PointsToPixels(points, dpi_)));
    font.setBold((styleBits & 1) != 0);
    font.setItalic((styleBits & 2) != 0);
    font.setUnderline((styleBits & 4) != 0);
    font.setStrikeOut((styleBits & 8) != 0);
    // Characters are placed one by one, so kerning would only change the measure.
    font.setKerning(false);
    font_ = font;
    metrics_.emplace(font_);
    singleByte_.fill(std::nullopt);
    doubleByte_.clear();
    if (painter_ != nullptr) {
        painter_->setFont(font_);
    }
}

void TQPainterCanvas::SetColor(TColor color) {
    color_ = color;
}

const TQPainterCanvas::TGlyph& TQPainterCanvas::GlyphOf(std::string_view character) {
    if (!metrics_) {
        SetFont({}, 9, 0);
    }
    auto make = [this, character] {
        TGlyph glyph;
        glyph.Text = QString::fromStdString(Cp932ToUtf8(character));
        glyph.Width = metrics_->horizontalAdvance(glyph.Text);
        return glyph;
    };
    if (character.size() == 1) {
        auto& slot = singleByte_[static_cast<unsigned char>(character[0])];
        if (!slot) {
            slot = make();
        }
        return *slot;
    }
    const quint16 code = static_cast<quint16>((static_cast<unsigned char>(character[0]) << 8) |
                                              static_cast<unsigned char>(character[1]));
    auto found = doubleByte_.find(code);
    if (found == doubleByte_.end()) {
        found = doubleByte_.insert(code, make());
    }
    return *found;
}

int TQPainterCanvas::CharWidth(std::string_view character) {
    return GlyphOf(character).Width;
}

int TQPainterCanvas::TextWidthUpTo(std::string_view text, int limit) {
    int sum = 0;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t length = CharLengthAt(text, offset);
        sum += GlyphOf(text.substr(offset, length)).Width;
        if (sum > limit) {
            break;
        }
        offset += length;
    }
    return sum;
}

int TQPainterCanvas::TextWidth(std::string_view text) {
    int sum = 0;
    for (std::size_t offset = 0; offset < text.size();) {
        const std::size_t length = CharLengthAt(text, offset);
        sum += GlyphOf(text.substr(offset, length)).Width;
        offset += length;
    }
    return sum;
}

void TQPainterCanvas::DrawChar(int x, int y, std::string_view character) {
    if (painter_ == nullptr) {
        return;
    }
    const TGlyph& glyph = GlyphOf(character);
    painter_->fillRect(x, y, glyph.Width, metrics_->height(), ToQColor(background_));
    painter_->setPen(ToQColor(color_));
    painter_->drawText(x, y + metrics_->ascent(), glyph.Text);
}
