#pragma once

#include "engine/PreviewCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

#include <array>
#include <optional>
#include <string_view>

class QPainter;

// The widths and Unicode texts of the characters measured so far, per font. The window keeps
// one for its whole life, so a repaint of the same text measures nothing again.
class TGlyphCache {
public:
    struct TGlyph {
        QString Text;
        int Width = 0;
    };
    struct TFontGlyphs {
        std::array<std::optional<TGlyph>, 256> SingleByte;
        QHash<quint16, TGlyph> DoubleByte;
        QHash<QByteArray, TGlyph> Clusters; // by UTF-8
    };
    // The table of one font; the whole cache is dropped when it holds too many fonts.
    TFontGlyphs& For(const QString& fontKey);

private:
    QHash<QString, TFontGlyphs> fonts_;
};

// The preview's drawing surface on a QPainter, or (without a painter) a surface that only
// measures, for a refresh while the preview is not on screen. Each character is measured once
// per font and then taken from a table, so measuring a long text costs a lookup per character.
// A text is as wide as the sum of its characters, which is where the refresh draws each one.
// A cluster is one string, drawn and measured whole (Qt finds a colour-emoji font for it).
class TQPainterCanvas final : public TPreviewCanvas {
public:
    // Without a cache the canvas keeps its own for its lifetime.
    TQPainterCanvas(QPainter* painter, int width, int height, int logicalDpi, TGlyphCache* cache = nullptr);

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    void FillRect(int left, int top, int right, int bottom, TColor color) override;
    // The face is Shift-JIS; points become pixels at the surface's resolution.
    void SetFont(const TPreviewFont& font) override;
    // Draws in `face` whatever face SetFont is given; an empty name draws in the default face.
    // The window passes the face its font list shows for the preview font, so a face that no
    // installed font has (a name of any length from a settings file) never goes to font
    // matching, which takes seconds for a long name.
    void DrawInFace(const QString& face) { drawingFace_ = face; }
    int TextWidth(std::string_view text) override;
    void DrawText(int x, int y, std::string_view text, TColor color, TColor background) override;
    int ClusterWidth(TTextUnit cluster) override;
    void DrawCluster(int x, int y, TTextUnit cluster, TColor color, TColor background) override;

    // A picture on a transparent ground: the fills of the background are left out, so only
    // the characters are drawn.
    void SetTransparentBackground(bool transparent) { transparent_ = transparent; }
    // Characters drawn as filled outlines instead of text, so that a picture looks the same
    // wherever it is shown; a character in colour (an emoji) is drawn as an image of itself,
    // `imageScale` pixels for each of the surface's.
    void SetTextAsOutlines(bool outlines, int imageScale) {
        outlines_ = outlines;
        imageScale_ = imageScale;
    }

    // Points to pixels, rounded to the nearest: 11 points at 96 pixels per inch are 15 pixels.
    static int PointsToPixels(int points, int logicalDpi);
    const QFont& Font() const { return font_; }

private:
    using TGlyph = TGlyphCache::TGlyph;
    const TGlyph& GlyphOf(std::string_view character);
    const TGlyph& ClusterGlyphOf(TTextUnit cluster);
    void DrawGlyph(int x, int y, const TGlyph& glyph, TColor color, TColor background);
    void DrawOutline(int x, int y, const TGlyph& glyph, TColor color);

    QPainter* painter_;
    int width_;
    int height_;
    int dpi_;
    QFont font_;
    std::optional<QString> drawingFace_;
    std::optional<QFontMetrics> metrics_;
    TGlyphCache ownCache_;
    TGlyphCache* cache_;
    TGlyphCache::TFontGlyphs* glyphs_ = nullptr;
    bool transparent_ = false;
    bool outlines_ = false;
    int imageScale_ = 1;
};
