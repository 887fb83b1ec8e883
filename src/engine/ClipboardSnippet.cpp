#include "engine/ClipboardSnippet.h"

#include "engine/TagVocabulary.h"

std::optional<TClipboardSnippet> ClipboardSnippet(int tag, std::string_view hex, std::string_view faceName,
                                                  const TTagVocabulary& tg) {
    TClipboardSnippet snippet;
    const bool isColor = tag >= skColor && tag <= skBorderColor;
    const bool isFont = tag >= skFontOnly && tag <= skFontFamily;
    if (!isColor && !isFont) {
        return std::nullopt;
    }
    const bool nothing = isColor ? hex.empty() : faceName.empty();
    std::string& text = snippet.Text;
    switch (static_cast<TSnippetKind>(tag)) {
    case skColor:
        snippet.TitleSuffix = "(COLOR)";
        text = tg.TagWord("_Color");
        text.append("=\"#").append(hex).append("\"");
        break;
    case skBgColor:
        snippet.TitleSuffix = "(BGCOLOR)";
        text = tg.TagWord("_Bgcolor");
        text.append("=\"#").append(hex).append("\"");
        break;
    case skRgb:
        snippet.TitleSuffix = " (RGB)";
        text = hex;
        break;
    case skBorderColor:
        snippet.TitleSuffix = "(BORDERCOLOR)";
        text = tg.TagWord("_Border");
        text.append("-").append(tg.TagWord("_Color")).append(": #").append(hex).append(";");
        break;
    case skFontOnly:
        snippet.TitleSuffix = "(FONT ONLY)";
        text = faceName;
        break;
    case skFontFace:
        snippet.TitleSuffix = "(FONT FACE)";
        text = tg.TagWord("_Face");
        text.append("=\"").append(faceName).append("\"");
        break;
    case skFontFamily:
        snippet.TitleSuffix = "(FONT-FAMILY)";
        text = tg.TagWord("_Font");
        text.append("-").append(tg.TagWord("_Family")).append(": ").append(faceName).append(";");
        break;
    }
    if (nothing) {
        text.clear();
    }
    return snippet;
}
