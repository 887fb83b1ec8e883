#include "controls/TransBtnRules.h"

#include <algorithm>
#include <cstddef>

TButtonLayout LayoutGlyphAndCaption(TTextAlign align, int width, int height, int glyphWidth, int glyphHeight,
                                    int textWidth, int textHeight, int spacing) {
    const int w = width;
    const int h = height;
    const int gw = glyphWidth;
    const int gh = glyphHeight;
    const int tw = textWidth;
    const int th = textHeight;
    const int s = spacing;
    TButtonLayout l;
    switch (align) {
    case ttaTopLeft:
    case ttaTop:
    case ttaTopRight:
        l.GX = (w - gw) / 2;
        l.GY = h - gh - s;
        l.TY = l.GY - th - s;
        l.TX = align == ttaTopLeft ? s : align == ttaTop ? w / 2 - tw / 2 : w - tw - s;
        break;
    case ttaBottomRight:
    case ttaBottom:
    case ttaBottomLeft:
        l.GX = (w - gw) / 2;
        l.GY = s;
        l.TY = l.GY + gh + s;
        l.TX = align == ttaBottomLeft ? s : align == ttaBottom ? w / 2 - tw / 2 : w - tw - s;
        break;
    case ttaRight:
        l.GX = s;
        l.GY = (h - gh) / 2;
        l.TX = w - tw - s;
        l.TY = h / 2 - th / 2;
        break;
    case ttaLeft:
        l.GX = w - gw - s;
        l.GY = (h - gh) / 2;
        l.TX = s;
        l.TY = h / 2 - th / 2;
        break;
    case ttaCenter:
    default:
        l.GX = (w - gw) / 2;
        l.GY = (h - gh) / 2;
        l.TX = w / 2 - tw / 2;
        l.TY = h / 2 - th / 2;
        break;
    }
    return l;
}

int GlyphCellWidth(int stripWidth, int numGlyphs) {
    const int cell = numGlyphs > 0 ? stripWidth / numGlyphs : 0;
    return cell > 0 ? cell : stripWidth;
}

int ChooseGlyphImage(const TGlyphChoice& c) {
    if (c.ImageCount <= 0) {
        return -1;
    }
    int index = 0;
    if (c.NumGlyphs == 2) {
        index = c.Enabled ? 0 : 1;
    } else if (c.NumGlyphs >= 3) {
        index = !c.Enabled ? 1 : c.ShownPressed ? 2 : 0;
    }
    const int gray = c.ImageCount - 2;
    const int disabled = c.ImageCount - 1;
    if (c.FrameStyle == fsExplorer && c.AutoGray && !c.Hot) {
        index = gray;
    }
    if (!c.Enabled && c.NumGlyphs == 1) {
        index = disabled;
    }
    // A cell count raised after the last build may name a cell that was never cut.
    return std::clamp(index, 0, c.ImageCount - 1);
}

std::vector<TFrame3D> StateStepFrames(TFrameStyle style, const TButtonLook& look, int borderWidth) {
    const int bw = borderWidth;
    if (look.ShownPressed) {
        switch (style) {
        case fsRegular:
        case fsIndent:
            if (look.ShowPressed) {
                return {{clBlack, clBtnHighlight, bw}, {clBtnShadow, clBtnFace, bw}};
            }
            return {};
        case fsExplorer:
            if (look.Hot || look.Down) {
                return {look.ShowPressed ? TFrame3D{clBtnShadow, clBtnHighlight, bw}
                                         : TFrame3D{clBtnHighlight, clBtnShadow, bw}};
            }
            return {};
        case fsLight:
            return look.ShowPressed ? std::vector<TFrame3D>{{clBtnShadow, clBtnHighlight, 1}}
                                    : std::vector<TFrame3D>{};
        case fsDark:
            return look.ShowPressed ? std::vector<TFrame3D>{{cl3DDkShadow, clBtnFace, 1}}
                                    : std::vector<TFrame3D>{};
        case fsMono:
            return look.ShowPressed ? std::vector<TFrame3D>{{cl3DDkShadow, clBtnHighlight, 1}}
                                    : std::vector<TFrame3D>{};
        case fsNone:
        default:
            return {};
        }
    }
    switch (style) {
    case fsRegular:
        return {{clBtnHighlight, clBlack, bw}, {clBtnFace, clBtnShadow, bw}};
    case fsIndent:
        return {{clBtnShadow, clBtnHighlight, bw}};
    case fsExplorer:
        if (look.Hot) {
            return {{clBtnHighlight, clBtnShadow, bw}};
        }
        return {};
    case fsLight:
        return {{clBtnHighlight, clBtnShadow, 1}};
    case fsDark:
        return {{clBtnFace, cl3DDkShadow, 1}};
    case fsMono:
        return {{clBtnHighlight, cl3DDkShadow, 1}};
    case fsNone:
    default:
        return {};
    }
}

char16_t AcceleratorChar(const std::u16string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (caption[i + 1] != u'&') {
                return caption[i + 1];
            }
            ++i; // "&&" draws one ampersand
        }
    }
    return u'\0';
}
