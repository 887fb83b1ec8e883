#pragma once

#include "engine/Color.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

#include <array>
#include <optional>
#include <string>
#include <string_view>

class QPainter;

// The preview's drawing surface: a QPainter on the preview area, or (without a painter) a
// surface that only measures, for a refresh while the window is not on screen. Texts come as
// Shift-JIS bytes; each character is measured once per font and then taken from a table, so a
// long text costs one lookup per character.
class TQPainterCanvas {
public:
    TQPainterCanvas(QPainter* painter, int width, int height, int logicalDpi);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Fills the whole area.
    void Fill(TColor color);
    // face: Shift-JIS bytes; points become pixels at the surface's resolution.
    void SetFont(const std::string& face, int points, int styleBits);
    void SetColor(TColor color);
    void SetBackground(TColor color) { background_ = color; }
    // The sum of the widths of the characters (a character is drawn at the sum of the widths
    // of those before it, so this is the width the text takes in the preview).
    int TextWidth(std::string_view text);
    // Stops adding as soon as the sum passes `limit`; the result then is just above it.
    int TextWidthUpTo(std::string_view text, int limit);
    int CharWidth(std::string_view character);
    // One character with its top-left corner at (x, y), on the background colour.
    void DrawChar(int x, int y, std::string_view character);

    static int PointsToPixels(int points, int logicalDpi);

private:
    struct TGlyph {
        QString Text;
        int Width = 0;
    };
    const TGlyph& GlyphOf(std::string_view character);

    QPainter* painter_;
    int width_;
    int height_;
    int dpi_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    TColor color_ = clBlack;
    TColor background_ = clWhite;
    std::array<std::optional<TGlyph>, 256> singleByte_;
    QHash<quint16, TGlyph> doubleByte_;
};
