#pragma once

#include <optional>
#include <string>
#include <string_view>

class TTagVocabulary;

// The snippets of the colour labels' and the font panel's menus, by the menu item's tag.
enum TSnippetKind : int {
    skColor = 0,       // COLOR="#rrggbb"
    skBgColor = 1,     // BGCOLOR="#rrggbb"
    skRgb = 2,         // rrggbb
    skBorderColor = 3, // BORDER-COLOR: #rrggbb;
    skFontOnly = 10,   // the face name
    skFontFace = 11,   // FACE="name"
    skFontFamily = 12, // FONT-FAMILY: name;
};

struct TClipboardSnippet {
    // The clipboard text, Shift-JIS; empty when there is nothing to copy (no colour remembered
    // for a colour snippet, no font selected for a font snippet).
    std::string Text;
    // What the title shows after "コピーしました ", e.g. "(COLOR)" or " (RGB)".
    std::string TitleSuffix;
};

// The snippet of the menu item `tag` for the remembered colour text `hex` (six digits) and the
// selected face `faceName`, in the vocabulary's current case; nothing for an unknown tag.
std::optional<TClipboardSnippet> ClipboardSnippet(int tag, std::string_view hex, std::string_view faceName,
                                                  const TTagVocabulary& tg);
